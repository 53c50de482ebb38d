#pragma once

#include <string>

// A Data folder in the temporary folder with one resource "KORET" and the given numbers of
// events (over the days given, ten years by default, up to 29 December 2029; a tenth of them repeating, each with a
// reference and text beyond ASCII), contacts and tasks, written afresh; returns its path. The repeating events repeat
// weekly by their code, or, when walked, a third each by a repeat rule (Monday, Wednesday and
// Friday), by the code with two exception dates, and by the code on the clock of New York.
std::string MakeFolder(int events, int contacts, int tasks, bool walked = false, int days = 3650);
