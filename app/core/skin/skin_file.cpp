#include "app/core/skin/skin_file.h"

#include <optional>

#include "platform/ascii_text.h"
#include "platform/error_text.h"
#include "platform/file_reader.h"

namespace {

// Far above any real skin file; a larger file is not a skin.
constexpr std::int64_t kLargestSkinFile = 1 << 20;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "#RRGGBB" as a colour; nothing for any other text.
std::optional<TColor> ParseColor(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  int channels[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(text[1 + 2 * i]), low = HexDigit(text[2 + 2 * i]);
    if (high < 0 || low < 0) return std::nullopt;
    channels[i] = high * 16 + low;
  }
  return RGB(channels[0], channels[1], channels[2]);
}

int ColorRoleOf(std::string_view key) {
  for (int i = 0; i < kSkinColorCount; ++i)
    if (key == kSkinColorKeys[i]) return i;
  return -1;
}

}  // namespace

TSkin ParseSkin(std::string_view text, const std::string& fileName) {
  TSkin skin;
  bool named = false, styled = false;
  std::array<bool, kSkinColorCount> colored{};
  int lineNumber = 0;
  auto fail = [&](const std::string& why) {
    throw ESkinFileError("The skin file \"" + fileName + "\", line " + std::to_string(lineNumber) + ": " + why);
  };
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = TrimBlanksAscii(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) fail("\"" + ValueExcerpt(line) + "\" is not of the form key = value");
    const std::string_view key = TrimBlanksAscii(line.substr(0, equals));
    const std::string_view value = TrimBlanksAscii(line.substr(equals + 1));
    const std::string quotedKey = "\"" + ValueExcerpt(key) + "\"";
    if (key == "name" || key == "style") {
      bool& seen = key == "name" ? named : styled;
      if (seen) fail(quotedKey + " is given twice");
      if (value.empty()) fail(quotedKey + " has no value");
      seen = true;
      (key == "name" ? skin.Name : skin.Style) = std::string(value);
      continue;
    }
    const int role = ColorRoleOf(key);
    if (role < 0) fail(quotedKey + " is not a key of skin files");
    if (colored[role]) fail(quotedKey + " is given twice");
    const std::optional<TColor> color = ParseColor(value);
    if (!color) fail("the colour of " + quotedKey + ", \"" + ValueExcerpt(value) + "\", is not of the form #RRGGBB");
    colored[role] = true;
    skin.Colors[role] = *color;
  }
  std::string missing = named ? "" : "name";
  for (int i = 0; i < kSkinColorCount; ++i)
    if (!colored[i]) missing += (missing.empty() ? "" : ", ") + std::string(kSkinColorKeys[i]);
  if (!missing.empty()) throw ESkinFileError("The skin file \"" + fileName + "\" lacks the keys " + missing);
  return skin;
}

TSkin ReadSkinFile(const std::string& path) {
  std::optional<std::string> text;
  try {
    text = ReadWholeFile(path, kLargestSkinFile);
  } catch (const EFileReadError& e) {
    throw ESkinFileError("The skin file \"" + path + "\" cannot be read: " + e.Reason());
  }
  if (!text) throw ESkinFileError("The skin file \"" + path + "\" does not exist");
  return ParseSkin(*text, path);
}
