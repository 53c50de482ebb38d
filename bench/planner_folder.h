#pragma once

#include <string>

// A Data folder in the temporary folder with one resource "KORET" and the given numbers of
// events (over ten years from 2020, a tenth of them repeating, each with a reference and text
// beyond ASCII), contacts and tasks, written afresh; returns its path.
std::string MakeFolder(int events, int contacts, int tasks);
