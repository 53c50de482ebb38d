#include "interop/vcard/vcard_reader.h"

#include <algorithm>
#include <optional>

#include "interop/vcard/vcard_text.h"
#include "platform/ascii_text.h"

namespace {

std::vector<std::string> UnescapedParts(std::string_view value, char separator) {
  std::vector<std::string> parts;
  for (const std::string_view part : SplitUnescaped(value, separator)) parts.push_back(Unescape(part));
  return parts;
}

// Takes the parameter of the name out of the list; the value of the last one, or nothing.
std::optional<std::string> TakeParam(std::vector<TVpVCardParam>& params, std::string_view name) {
  std::optional<std::string> value;
  std::erase_if(params, [&](const TVpVCardParam& param) {
    if (param.Name != name) return false;
    if (!param.Values.empty()) value = param.Values.back();
    return true;
  });
  return value;
}

// Decodes the value of a content line of a card of the version into a property.
TVpVCardProperty Decode(TVpContentLine line, const std::string& version) {
  TVpVCardProperty property{.Line = line.Line,
                            .Group = std::move(line.Group),
                            .Name = std::move(line.Name),
                            .Params = std::move(line.Params),
                            .Value = std::move(line.Value),
                            .Binary = false,
                            .Repaired = false};
  auto fail = [&](const std::string& what) { throw EVpVCardError(property.Line, property.Name + ": " + what); };
  const std::string encoding = UpperCaseAscii(TakeParam(property.Params, "ENCODING").value_or(""));
  const std::optional<std::string> charset = TakeParam(property.Params, "CHARSET");
  if (encoding == "B" || encoding == "BASE64") {
    std::optional<std::string> bytes = DecodeBase64(property.Value);
    if (!bytes) fail("the base64 value is damaged");
    property.Value = std::move(*bytes);
    property.Binary = true;
    return property;
  }
  if (encoding == "QUOTED-PRINTABLE") {
    std::optional<std::string> bytes = DecodeQuotedPrintable(property.Value);
    if (!bytes) fail("the quoted-printable value is damaged");
    property.Value = std::move(*bytes);
  } else if (!encoding.empty() && encoding != "8BIT" && encoding != "7BIT") {
    fail("the encoding " + encoding + " is unknown");
  }
  // Text in no declared set is UTF-8, but 2.1 writers used the system's code page.
  std::string set = UpperCaseAscii(charset.value_or("UTF-8"));
  if (!charset && version == "2.1" && !IsValidUtf8(property.Value)) set = "WINDOWS-1252";
  if (set == "UTF-8" || set == "UTF8") {
    property.Repaired = !IsValidUtf8(property.Value);
    if (property.Repaired) property.Value = ReplaceInvalidUtf8(property.Value);
  } else {
    std::optional<std::string> text = ConvertToUtf8(property.Value, set);
    if (!text) fail("the character set " + *charset + " is unknown");
    property.Value = std::move(*text);
  }
  if (std::any_of(property.Value.begin(), property.Value.end(), IsControlCharacter)) {
    fail("a control character: this is not card text");
  }
  const size_t comma = property.Value.find(',');
  if (property.Value.starts_with("data:") && comma != std::string::npos &&
      UpperCaseAscii(std::string_view(property.Value).substr(0, comma)).ends_with(";BASE64")) {
    std::optional<std::string> bytes = DecodeBase64(std::string_view(property.Value).substr(comma + 1));
    if (!bytes) fail("the base64 data of the data: URI is damaged");
    property.Value = std::move(*bytes);
    property.Binary = true;
  }
  return property;
}

bool Is(const TVpContentLine& line, std::string_view name, std::string_view value) {
  return line.Name == name && SameTextAscii(TrimBlanksAscii(line.Value), value);
}

}  // namespace

std::vector<std::string> TVpVCardProperty::ParamValues(std::string_view name) const {
  std::vector<std::string> values;
  for (const TVpVCardParam& param : Params) {
    if (param.Name != name) continue;
    for (const std::string& value : param.Values) {
      for (const std::string_view item : SplitUnescaped(value, ',')) values.emplace_back(item);
    }
  }
  return values;
}

bool TVpVCardProperty::HasType(std::string_view type) const {
  const std::vector<std::string> types = ParamValues("TYPE");
  return std::any_of(types.begin(), types.end(), [&](const std::string& value) { return SameTextAscii(value, type); });
}

bool TVpVCardProperty::Preferred() const {
  return HasType("PREF") ||
         std::any_of(Params.begin(), Params.end(), [](const TVpVCardParam& p) { return p.Name == "PREF"; });
}

std::string TVpVCardProperty::Text() const { return Unescape(Value); }
std::vector<std::string> TVpVCardProperty::Components() const { return UnescapedParts(Value, ';'); }
std::vector<std::string> TVpVCardProperty::ListItems() const { return UnescapedParts(Value, ','); }

std::vector<TVpVCard> ReadVCards(std::string_view text) {
  std::vector<TVpContentLine> lines = ReadContentLines(text);
  std::vector<TVpVCard> cards;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!Is(lines[i], "BEGIN", "VCARD")) {
      throw EVpVCardError(lines[i].Line, "BEGIN:VCARD expected, not " + lines[i].Name);
    }
    const size_t begin = i++;
    while (i < lines.size() && !Is(lines[i], "END", "VCARD")) {
      if (Is(lines[i], "BEGIN", "VCARD")) throw EVpVCardError(lines[i].Line, "a card begins inside a card");
      ++i;
    }
    if (i == lines.size()) throw EVpVCardError(lines[begin].Line, "the card begun here has no END:VCARD");
    TVpVCard card{.Line = lines[begin].Line, .Version = "3.0", .Properties = {}};
    for (size_t k = begin + 1; k < i; ++k) {
      if (lines[k].Name == "VERSION") card.Version = TrimBlanksAscii(lines[k].Value);
    }
    if (card.Version != "2.1" && card.Version != "3.0" && card.Version != "4.0") {
      throw EVpVCardError(card.Line, "the card version \"" + card.Version.substr(0, 20) + "\" is unknown");
    }
    for (size_t k = begin + 1; k < i; ++k) {
      if (lines[k].Name != "VERSION") card.Properties.push_back(Decode(std::move(lines[k]), card.Version));
    }
    cards.push_back(std::move(card));
  }
  if (cards.empty()) throw EVpVCardError(1, "the file holds no card");
  return cards;
}
