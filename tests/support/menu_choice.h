#pragma once

#include <string>
#include <vector>

#include "views/linkable_control.h"

// The user's choice in a view's popup menu: the command of the entry with the caption, found among
// the items and their submenus; -1 (nothing chosen) when there is none.
inline int MenuCommandOf(const std::vector<TVpMenuItem>& items, const std::string& caption) {
  for (const TVpMenuItem& item : items) {
    if (item.Caption == caption) return item.Command;
    if (const int sub = MenuCommandOf(item.Items, caption); sub != -1) return sub;
  }
  return -1;
}
