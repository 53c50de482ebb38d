#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// The kinds of field a data table holds. Date and date-time values are day numbers.
enum TFieldType {
  ftInteger,  // whole number
  ftBoolean,
  ftString,    // text of at most Size characters
  ftMemo,      // text of any length
  ftFloat,     // number with a fraction
  ftDate,      // day number without a time of day
  ftDateTime,  // day number with the time of day as fraction
};

struct TFieldDef {
  std::string Name;
  TFieldType DataType = ftString;
  int Size = 0;  // the most characters a text field keeps; 0 for the other kinds
  bool Required = false;
  // How a table file from elsewhere named this field's type and subtype, when it differs from
  // the way this program writes its kind; kept so that rewriting the file keeps the type.
  std::string FileType;
  std::string FileSubType;
  friend bool operator==(const TFieldDef&, const TFieldDef&) = default;
};
using TFieldDefs = std::vector<TFieldDef>;

inline TFieldDef FieldDef(std::string name, TFieldType type, int size = 0, bool required = false) {
  return TFieldDef{std::move(name), type, size, required, {}, {}};
}

// The position of the field with the name (letter case aside); -1 when there is none.
int FieldIndexIn(const TFieldDefs& fields, const std::string& name);

// One field of one row: null (std::monostate) or a value of the field's kind: integers as
// int64, booleans, floats, dates and date-times as double, texts as UTF-8 strings.
using TFieldValue = std::variant<std::monostate, std::int64_t, bool, double, std::string>;
using TRowValues = std::vector<TFieldValue>;

// A dataset operation that cannot be done; the message says which table and field.
class EDataTableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reading a value as another kind, as the field accessors of a table do: null reads as 0, false
// or an empty text; a text that does not hold the requested kind raises EDataTableError.
std::int64_t ValueAsInteger(const TFieldValue& value, std::string_view fieldName);
bool ValueAsBoolean(const TFieldValue& value, std::string_view fieldName);
double ValueAsFloat(const TFieldValue& value, std::string_view fieldName);
std::string ValueAsString(const TFieldValue& value);
inline bool ValueIsNull(const TFieldValue& value) { return std::holds_alternative<std::monostate>(value); }

// The lowest and highest value an integer field holds, by the type its file gives it (i1, i2, i8,
// ui1, ui2, ui4; else i4, as this program writes its integers).
std::pair<std::int64_t, std::int64_t> IntegerRangeOf(const TFieldDef& field);

// The value a field of the given definition stores for the given value: converted to the field's
// kind, texts cut to the field's size (on whole characters), date fields cut to the day. An integer
// outside the field's range raises EDataTableError: the file could not give it back.
TFieldValue ValueForField(const TFieldDef& field, const TFieldValue& value);
