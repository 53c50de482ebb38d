#include "dialogs/common/line_breaks.h"

std::string WithLineFeeds(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      result += text[i];
      continue;
    }
    result += '\n';
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return result;
}

std::string TextToStore(const std::string& stored, const std::string& shown, const std::string& edited) {
  if (edited == shown) return stored;
  if (stored.find("\r\n") == std::string::npos) return edited;
  std::string result;
  for (char c : edited) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}
