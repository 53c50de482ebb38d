#include "platform/locale_name.h"

#include <cstdlib>

std::string DesktopLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"})
    if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') return value;
  return {};
}
