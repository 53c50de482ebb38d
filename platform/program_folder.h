#pragma once

#include <string>

// The folder of the running executable: the program folder, below which every file of the
// program lives (Config, Data, Skins).
std::string ExecutableFolder();
