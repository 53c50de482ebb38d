#include "store/field_value.h"

#include "platform/ascii_text.h"
#include "platform/error_text.h"
#include "platform/utf8.h"

#include <charconv>
#include <cmath>

namespace {

[[noreturn]] void NotA(const char* kind, const std::string& text, std::string_view fieldName) {
  throw EDataTableError("'" + ValueExcerpt(text) + "' is not a valid " + kind + " value for field '" +
                        ValueExcerpt(fieldName) + "'");
}

// The text with what a table file cannot hold replaced: control characters other than tab, line
// feed and carriage return are dropped, and bytes that are not UTF-8 become U+FFFD, as do U+FFFE and
// U+FFFF, which are no XML characters.
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
    const TUtf8Sequence sequence = DecodeUtf8(text.data() + i, text.data() + text.size());
    const bool valid = sequence.Status == TUtf8Sequence::usOk && sequence.Value != 0xFFFE && sequence.Value != 0xFFFF;
    if (valid) {
      out.append(text.substr(i, static_cast<size_t>(sequence.Length)));
      i += static_cast<size_t>(sequence.Length);
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
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
    if (SameTextAscii(*s, "true")) return true;
    if (SameTextAscii(*s, "false")) return false;
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

std::pair<std::int64_t, std::int64_t> IntegerRangeOf(const TFieldDef& field) {
  const std::string& type = field.FileType;
  if (type == "i1") return {INT8_MIN, INT8_MAX};
  if (type == "i2") return {INT16_MIN, INT16_MAX};
  if (type == "i8") return {INT64_MIN, INT64_MAX};
  if (type == "ui1") return {0, UINT8_MAX};
  if (type == "ui2") return {0, UINT16_MAX};
  if (type == "ui4") return {0, UINT32_MAX};
  return {INT32_MIN, INT32_MAX};
}

TFieldValue ValueForField(const TFieldDef& field, const TFieldValue& value) {
  if (ValueIsNull(value)) return value;
  switch (field.DataType) {
    case ftInteger: {
      const std::int64_t i = ValueAsInteger(value, field.Name);
      const auto [lowest, highest] = IntegerRangeOf(field);
      if (i < lowest || i > highest)
        throw EDataTableError("field '" + field.Name + "': " + std::to_string(i) + " lies outside the range " +
                              std::to_string(lowest) + " to " + std::to_string(highest));
      return i;
    }
    case ftBoolean: return ValueAsBoolean(value, field.Name);
    case ftFloat:
    case ftDateTime: return ValueAsFloat(value, field.Name);
    case ftDate: return std::trunc(ValueAsFloat(value, field.Name));
    case ftString: {
      std::string text = StorableText(ValueAsString(value));
      return field.Size > 0 ? FirstCodePoints(text, field.Size) : text;
    }
    case ftMemo: return StorableText(ValueAsString(value));
  }
  return value;
}

int FieldIndexIn(const TFieldDefs& fields, const std::string& name) {
  for (size_t i = 0; i < fields.size(); ++i)
    if (SameTextAscii(fields[i].Name, name)) return static_cast<int>(i);
  return -1;
}
