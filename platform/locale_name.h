#pragma once

#include <string>

// The desktop's locale for dates as programs without a window read it: LC_ALL, else LC_TIME, else
// LANG ("de_DE.UTF-8"); empty when none is set.
std::string DesktopLocaleName();
