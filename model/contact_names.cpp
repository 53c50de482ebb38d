#include "model/contact_names.h"

namespace {

bool IsNameCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || byte >= 0x80;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string TrimToNameCharacters(std::string_view text) {
  size_t first = 0;
  while (first < text.size() && !IsNameCharacter(text[first])) ++first;
  size_t end = text.size();
  while (end > first && !IsNameCharacter(text[end - 1])) --end;
  return std::string(text.substr(first, end - first));
}

TVpNameParts SplitName(std::string_view text) {
  const std::string trimmed = TrimToNameCharacters(text);
  const std::string_view name = trimmed;
  TVpNameParts parts;
  if (const size_t comma = name.find(','); comma != std::string_view::npos) {
    parts.LastName = TrimToNameCharacters(name.substr(0, comma));
    parts.FirstName = TrimToNameCharacters(name.substr(comma));
  } else if (const size_t blank = name.rfind(' '); blank != std::string_view::npos) {
    parts.LastName = TrimToNameCharacters(name.substr(blank));
    parts.FirstName = TrimToNameCharacters(name.substr(0, blank));
  } else {
    parts.LastName = trimmed;
  }
  return parts;
}

TVpAddressParts SplitAddressLine(std::string_view text) {
  const std::string trimmed = TrimToNameCharacters(text);
  std::string_view rest = trimmed;
  TVpAddressParts parts;
  if (const size_t comma = rest.find(','); comma != std::string_view::npos) {
    parts.City = TrimToNameCharacters(rest.substr(0, comma));
    rest.remove_prefix(comma + 1);
  }
  if (const size_t blank = rest.rfind(' ');
      blank != std::string_view::npos && blank + 1 < rest.size() && IsDigit(rest[blank + 1])) {
    parts.Zip = TrimToNameCharacters(rest.substr(blank));
    rest = rest.substr(0, blank);
  }
  parts.State = TrimToNameCharacters(rest);
  return parts;
}
