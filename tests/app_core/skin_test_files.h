#pragma once

#include <string>

// The text of a valid skin file with the name and window colour given; every other colour grey.
inline std::string SkinText(const std::string& name, const std::string& window = "#336699") {
  std::string text = "# a test skin\nname = " + name + "\nwindow = " + window + "\n";
  for (const char* key : {"window-text", "base", "text", "button", "button-text", "highlight", "highlighted-text",
                          "tooltip-base", "tooltip-text", "link"})
    text += std::string(key) + " = #808080\n";
  return text;
}
