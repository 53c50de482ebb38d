#include "store/data_packet.h"

#include <charconv>
#include <cmath>
#include <unordered_map>

#include "model/day_number.h"
#include "platform/ascii_text.h"
#include "platform/error_text.h"
#include "xml/parser.h"
#include "xml/xml_escape.h"

namespace {

// --- writing ---

const char* FileTypeOf(const TFieldDef& field) {
  if (!field.FileType.empty()) return field.FileType.c_str();
  switch (field.DataType) {
    case ftInteger: return "i4";
    case ftBoolean: return "boolean";
    case ftString: return "string";
    case ftMemo: return "bin.hex";
    case ftFloat: return "r8";
    case ftDate: return "date";
    case ftDateTime: return "dateTime";
  }
  return "string";
}

void AppendDigits(std::string& out, int value, int width) {
  char digits[12];
  for (int i = width - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  out.append(digits, static_cast<size_t>(width));
}

void AppendDate(std::string& out, double value) {
  const TVpDate date = DecodeDate(value);
  AppendDigits(out, date.Year, 4);
  AppendDigits(out, date.Month, 2);
  AppendDigits(out, date.Day, 2);
}

void AppendDateTime(std::string& out, double value) {
  AppendDate(out, value);
  const TVpTime time = DecodeTime(value);
  out += 'T';
  AppendDigits(out, time.Hour, 2);
  out += ':';
  AppendDigits(out, time.Minute, 2);
  out += ':';
  AppendDigits(out, time.Second, 2);
  AppendDigits(out, time.Millisecond, 3);
}

void AppendValue(std::string& out, const TFieldDef& field, const TFieldValue& value) {
  char buffer[32];
  switch (field.DataType) {
    case ftInteger: {
      const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::get<std::int64_t>(value));
      out.append(buffer, end);
      break;
    }
    case ftBoolean: out += std::get<bool>(value) ? "TRUE" : "FALSE"; break;
    case ftFloat: {
      const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::get<double>(value));
      out.append(buffer, end);
      break;
    }
    case ftDate: AppendDate(out, std::get<double>(value)); break;
    case ftDateTime: AppendDateTime(out, std::get<double>(value)); break;
    case ftString:
    case ftMemo: AppendXmlEscaped(out, std::get<std::string>(value)); break;
  }
}

}  // namespace

std::string TDataPacketFormat::Head(const TFieldDefs& fields) const {
  std::string out = "<?xml version=\"1.0\" standalone=\"yes\"?>\n<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
  for (const TFieldDef& field : fields) {
    out += "<FIELD attrname=\"";
    AppendXmlEscaped(out, field.Name);
    out += "\" fieldtype=\"";
    AppendXmlEscaped(out, FileTypeOf(field));
    out += '"';
    // Our own memo fields are text kept as bin.hex; a type from elsewhere keeps its own subtype.
    const std::string subtype = field.FileType.empty() ? (field.DataType == ftMemo ? "Text" : "") : field.FileSubType;
    if (!subtype.empty()) {
      out += " SUBTYPE=\"";
      AppendXmlEscaped(out, subtype);
      out += '"';
    }
    if (field.Required) out += " required=\"true\"";
    if (field.Size > 0) {
      // A wide string's width counts two bytes a character.
      out += " WIDTH=\"";
      out += std::to_string(field.FileType == "string.uni" ? field.Size * 2 : field.Size);
      out += '"';
    }
    out += "/>";
  }
  out += "</FIELDS><PARAMS/></METADATA><ROWDATA>";
  return out;
}

void TDataPacketFormat::AppendRow(std::string& out, const TFieldDefs& fields, const TRowValues& row) const {
  out += "<ROW";
  for (size_t i = 0; i < fields.size() && i < row.size(); ++i) {
    if (ValueIsNull(row[i])) continue;
    out += ' ';
    out += fields[i].Name;
    out += "=\"";
    AppendValue(out, fields[i], row[i]);
    out += '"';
  }
  out += "/>";
}

std::string TDataPacketFormat::Tail() const { return "</ROWDATA></DATAPACKET>"; }

const TDataPacketFormat& TDataPacketFormat::Instance() {
  static const TDataPacketFormat format;
  return format;
}

std::string FormatDataPacket(const TFieldDefs& fields, const std::vector<TRowValues>& rows) {
  const TDataPacketFormat& format = TDataPacketFormat::Instance();
  std::string out = format.Head(fields);
  for (const TRowValues& row : rows) format.AppendRow(out, fields, row);
  out += format.Tail();
  return out;
}

// --- reading ---

namespace {

bool ParseNumber(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// Digits at a position, all of them; false when any is not a digit.
bool Digits(std::string_view text, size_t at, size_t count, int& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// "yyyymmdd" or "yyyy-mm-dd", then optionally "T" and "hh:nn:ss" with milliseconds as "mmm"
// or ".mmm".
bool ParseDateTime(std::string_view text, double& value) {
  int year = 0, month = 0, day = 0;
  size_t at = 0;
  if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
    if (!Digits(text, 0, 4, year) || !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day)) return false;
    at = 10;
  } else {
    if (!Digits(text, 0, 4, year) || !Digits(text, 4, 2, month) || !Digits(text, 6, 2, day)) return false;
    at = 8;
  }
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  const double date = EncodeDate(year, month, day);
  if (DecodeDate(date).Day != day) return false;  // 31 April and the like
  if (at == text.size()) {
    value = date;
    return true;
  }
  int hour = 0, minute = 0, second = 0, ms = 0;
  if (text[at] != 'T' || !Digits(text, at + 1, 2, hour) || text.size() < at + 9 || text[at + 3] != ':' ||
      !Digits(text, at + 4, 2, minute) || text[at + 6] != ':' || !Digits(text, at + 7, 2, second))
    return false;
  at += 9;
  if (at < text.size() && text[at] == '.') ++at;
  if (at < text.size() && (!Digits(text, at, text.size() - at, ms) || text.size() - at > 3)) return false;
  if (hour > 23 || minute > 59 || second > 59) return false;
  value = date < 0 ? date - EncodeTime(hour, minute, second, ms) : date + EncodeTime(hour, minute, second, ms);
  value = SnapToMs(value);
  return true;
}

// The definition of a FIELD element from its attributes.
TFieldDef FieldFrom(TVpParser& parser, std::span<const TVpXmlAttribute> attributes) {
  TFieldDef field;
  std::string_view type;
  std::string_view subtype;
  for (const TVpXmlAttribute& a : attributes) {
    if (SameTextAscii(a.Name, "attrname")) field.Name = a.Value;
    else if (SameTextAscii(a.Name, "fieldtype")) type = a.Value;
    else if (SameTextAscii(a.Name, "SUBTYPE")) subtype = a.Value;
    else if (SameTextAscii(a.Name, "required")) field.Required = SameTextAscii(a.Value, "true");
    else if (SameTextAscii(a.Name, "WIDTH") && !ParseNumber(a.Value, field.Size))
      parser.RaiseError("field width \"" + ValueExcerpt(a.Value) + "\" is not a number");
  }
  if (field.Name.empty()) parser.RaiseError("a field has no name");
  if (type.empty()) parser.RaiseError("the field \"" + ValueExcerpt(field.Name) + "\" has no type");

  if (type == "i4") field.DataType = ftInteger;
  else if (type == "boolean") field.DataType = ftBoolean;
  else if (type == "string") field.DataType = ftString;
  else if (type == "date") field.DataType = ftDate;
  else if (type == "dateTime") field.DataType = ftDateTime;
  else if (type == "r8") field.DataType = ftFloat;
  else if (type == "bin.hex" && subtype == "Text") {
    field.DataType = ftMemo;
    field.Size = 0;
    return field;
  } else {
    // Types this program does not write itself keep their name so that rewriting keeps them.
    field.FileType = type;
    field.FileSubType = subtype;
    if (type == "i1" || type == "i2" || type == "i8" || type == "ui1" || type == "ui2" || type == "ui4")
      field.DataType = ftInteger;
    else if (type == "string.uni") field.DataType = ftString;
    else if (type == "fixed" || type == "fixedFMT" || type == "r4") field.DataType = ftFloat;
    else if (type == "SQLdateTime") field.DataType = ftDateTime;
    else field.DataType = ftMemo;  // kept as its text
  }
  if (field.DataType == ftString && field.FileType == "string.uni") field.Size /= 2;  // WIDTH counts bytes of two
  if (field.DataType != ftString) field.Size = 0;
  return field;
}

TFieldValue ValueFrom(TVpParser& parser, const TFieldDef& field, std::string_view text) {
  auto refuse = [&](const char* kind) -> TFieldValue {
    parser.RaiseError("\"" + ValueExcerpt(text) + "\" is not a valid " + kind + " for field \"" +
                      ValueExcerpt(field.Name) + "\"");
  };
  switch (field.DataType) {
    case ftInteger: {
      std::int64_t value = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
      if (text.empty() || error != std::errc() || end != text.data() + text.size()) return refuse("integer");
      return value;
    }
    case ftBoolean:
      if (SameTextAscii(text, "true") || text == "1") return true;
      if (SameTextAscii(text, "false") || text == "0") return false;
      return refuse("boolean");
    case ftFloat: {
      double value = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
      if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return refuse("number");
      return value;
    }
    case ftDate:
    case ftDateTime: {
      double value = 0;
      if (!ParseDateTime(text, value)) return refuse(field.DataType == ftDate ? "date" : "date-time");
      return field.DataType == ftDate ? std::trunc(value) : value;
    }
    case ftString:
    case ftMemo: return std::string(text);
  }
  return std::monostate{};
}

// Row states recorded by a program that logs its changes: the row as it was, a row removed, a
// row added, and the changed fields of the row before it.
constexpr int kRowDeleted = 2;
constexpr int kRowModified = 8;

class TPacketReader {
 public:
  TPacketReader(TFieldDefs& fields, std::vector<TRowValues>& rows) : Fields_(fields), Rows_(rows) {}

  void Read(std::string_view bytes) {
    TVpParser parser;
    parser.SetOnElementStart([this](TVpParser& p, std::string_view name) { ElementStart(p, name); });
    parser.SetOnElementEnd([this](TVpParser&, std::string_view) { --Depth_; });
    if (!parser.ParseMemory(bytes)) throw EDataTableError(parser.ErrorMessages().front());
    if (!SawRoot_ || !SawFields_) throw EDataTableError("not a table: no field definitions");
  }

 private:
  void ElementStart(TVpParser& parser, std::string_view name) {
    ++Depth_;
    if (Depth_ == 1) {
      if (name != "DATAPACKET") parser.RaiseError("not a table: the document is a \"" + ValueExcerpt(name) + "\"");
      SawRoot_ = true;
    } else if (name == "FIELDS" && Depth_ == 3) {
      SawFields_ = true;
    } else if (name == "FIELD" && Depth_ == 4) {
      AddField(parser);
    } else if (name == "ROW" && Depth_ == 3) {
      AddRow(parser);
    }
    // Anything else (PARAMS and what other programs add) is skipped.
  }

  void AddField(TVpParser& parser) {
    if (!Rows_.empty()) parser.RaiseError("a field is defined after the rows");
    TFieldDef field = FieldFrom(parser, parser.Attributes());
    for (const TFieldDef& existing : Fields_)
      if (SameTextAscii(existing.Name, field.Name))
        parser.RaiseError("the field \"" + ValueExcerpt(field.Name) + "\" is defined twice");
    Index_.emplace(field.Name, Fields_.size());
    Fields_.push_back(std::move(field));
  }

  void AddRow(TVpParser& parser) {
    int state = 0;
    for (const TVpXmlAttribute& a : parser.Attributes())
      if (a.Name == "RowState" && !ParseNumber(a.Value, state))
        parser.RaiseError("row state \"" + ValueExcerpt(a.Value) + "\" is not a number");
    if (state & kRowDeleted) return;
    const bool changesOfPrevious = (state & kRowModified) != 0 && !Rows_.empty();
    if (!changesOfPrevious) Rows_.emplace_back(Fields_.size());
    TRowValues& row = Rows_.back();
    for (const TVpXmlAttribute& a : parser.Attributes()) {
      const auto found = Index_.find(a.Name);
      if (found == Index_.end()) continue;  // RowState and attributes of no field
      row[found->second] = ValueFrom(parser, Fields_[found->second], a.Value);
    }
  }

  TFieldDefs& Fields_;
  std::vector<TRowValues>& Rows_;
  struct THash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  std::unordered_map<std::string, size_t, THash, std::equal_to<>> Index_;  // field name to position
  int Depth_ = 0;
  bool SawRoot_ = false;
  bool SawFields_ = false;
};

}  // namespace

void ReadDataPacket(std::string_view bytes, TFieldDefs& fields, std::vector<TRowValues>& rows) {
  fields.clear();
  rows.clear();
  TPacketReader(fields, rows).Read(bytes);
}
