#include "store/field_value.h"

#include "model/text_helpers.h"
#include "platform/error_text.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace {

[[noreturn]] void NotA(const char* kind, const std::string& text, std::string_view fieldName) {
  throw EDataTableError("'" + ValueExcerpt(text) + "' is not a valid " + kind + " value for field '" +
                        ValueExcerpt(fieldName) + "'");
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// The text with what a table file cannot hold replaced: control characters other than tab, line
// feed and carriage return are dropped, and bytes that are not UTF-8 become U+FFFD.
std::string StorableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += static_cast<char>(c);
      ++i;
      continue;
    }
    // Length and smallest code point of a sequence starting with this lead byte.
    const int length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
    char32_t code = length == 4 ? c & 0x07 : length == 3 ? c & 0x0F : c & 0x1F;
    bool valid = length > 0 && i + static_cast<size_t>(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    const char32_t smallest = length == 4 ? 0x10000 : length == 3 ? 0x800 : 0x80;
    valid = valid && code >= smallest && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF) &&
            code != 0xFFFE && code != 0xFFFF;
    if (valid) {
      out.append(text.substr(i, static_cast<size_t>(length)));
      i += static_cast<size_t>(length);
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

// The first n characters (code points) of a UTF-8 text.
std::string FirstCharacters(const std::string& text, int n) {
  const std::vector<size_t> starts = CodePointStarts(text);
  return static_cast<size_t>(n) + 1 < starts.size() ? text.substr(0, starts[static_cast<size_t>(n)]) : text;
}

}  // namespace

std::int64_t ValueAsInteger(const TFieldValue& value, std::string_view fieldName) {
  if (const auto* i = std::get_if<std::int64_t>(&value)) return *i;
  if (const auto* b = std::get_if<bool>(&value)) return *b ? 1 : 0;
  if (const auto* d = std::get_if<double>(&value)) {
    if (!std::isfinite(*d) || std::fabs(*d) > 9.2e18) NotA("integer", std::to_string(*d), fieldName);
    return static_cast<std::int64_t>(*d);
  }
  if (const auto* s = std::get_if<std::string>(&value)) {
    std::int64_t result = 0;
    const char* first = s->data();
    const char* last = first + s->size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, result);
    if (s->empty() || error != std::errc() || end != last) NotA("integer", *s, fieldName);
    return result;
  }
  return 0;
}

bool ValueAsBoolean(const TFieldValue& value, std::string_view fieldName) {
  if (const auto* b = std::get_if<bool>(&value)) return *b;
  if (const auto* i = std::get_if<std::int64_t>(&value)) return *i != 0;
  if (const auto* d = std::get_if<double>(&value)) return *d != 0;
  if (const auto* s = std::get_if<std::string>(&value)) {
    if (EqualsIgnoringCase(*s, "true")) return true;
    if (EqualsIgnoringCase(*s, "false")) return false;
    NotA("boolean", *s, fieldName);
  }
  return false;
}

double ValueAsFloat(const TFieldValue& value, std::string_view fieldName) {
  if (const auto* d = std::get_if<double>(&value)) return *d;
  if (const auto* i = std::get_if<std::int64_t>(&value)) return static_cast<double>(*i);
  if (const auto* b = std::get_if<bool>(&value)) return *b ? 1 : 0;
  if (const auto* s = std::get_if<std::string>(&value)) {
    double result = 0;
    const auto [end, error] = std::from_chars(s->data(), s->data() + s->size(), result);
    if (s->empty() || error != std::errc() || end != s->data() + s->size() || !std::isfinite(result))
      NotA("floating point", *s, fieldName);
    return result;
  }
  return 0;
}

std::string ValueAsString(const TFieldValue& value) {
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  if (const auto* i = std::get_if<std::int64_t>(&value)) return std::to_string(*i);
  if (const auto* b = std::get_if<bool>(&value)) return *b ? "True" : "False";
  if (const auto* d = std::get_if<double>(&value)) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, *d);
    return error == std::errc() ? std::string(buffer, end) : std::string();
  }
  return {};
}

TFieldValue ValueForField(const TFieldDef& field, const TFieldValue& value) {
  if (ValueIsNull(value)) return value;
  switch (field.DataType) {
    case ftInteger: {
      const std::int64_t i = ValueAsInteger(value, field.Name);
      return i;
    }
    case ftBoolean: return ValueAsBoolean(value, field.Name);
    case ftFloat:
    case ftDateTime: return ValueAsFloat(value, field.Name);
    case ftDate: return std::trunc(ValueAsFloat(value, field.Name));
    case ftString: {
      std::string text = StorableText(ValueAsString(value));
      return field.Size > 0 ? FirstCharacters(text, field.Size) : text;
    }
    case ftMemo: return StorableText(ValueAsString(value));
  }
  return value;
}
