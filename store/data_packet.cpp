#include "store/data_packet.h"

#include <limits>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
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
  std::int64_t read = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    read = read * 10 + (text[i] - '0');
    if (read > std::numeric_limits<int>::max()) return false;  // more digits than a number holds
  }
  value = static_cast<int>(read);
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

bool SameAsNumber(std::string_view raw, auto value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() && raw == std::string_view(buffer, static_cast<size_t>(end - buffer));
}

// Row states recorded by a program that logs its changes: the row as it was, a row removed, a
// row added, and the changed fields of the row before it.
constexpr int kRowDeleted = 2;
constexpr int kRowModified = 8;
// How far past the field expected next a row's attribute is looked for before the names are
// hashed: rows leave out their null fields, so the next attribute is usually a few fields on.
constexpr size_t kLookAhead = 8;

class TPacketReader {
 public:
  TPacketReader(std::string_view bytes, TFieldDefs& fields, TRowStore& rows)
      : Bytes_(bytes), Fields_(fields), Rows_(rows) {}

  void Read() {
    TVpParser parser;
    parser.SetOnElementStart([this](TVpParser& p, std::string_view name) { ElementStart(p, name); });
    parser.SetOnElementEnd([this](TVpParser&, std::string_view) { --Depth_; });
    if (!parser.ParseMemory(Bytes_)) throw EDataTableError(parser.ErrorMessages().front());
    if (!SawRoot_ || !SawFields_) throw EDataTableError("not a table: no field definitions");
    if (!LaidOut_) Rows_.SetFields(Fields_);
    CommitStaged();
    Rows_.Rows().shrink_to_fit();
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
    if (LaidOut_) parser.RaiseError("a field is defined after the rows");
    TFieldDef field = FieldFrom(parser, parser.Attributes());
    for (const TFieldDef& existing : Fields_)
      if (SameTextAscii(existing.Name, field.Name))
        parser.RaiseError("the field \"" + ValueExcerpt(field.Name) + "\" is defined twice");
    Index_.emplace(field.Name, Fields_.size());
    Fields_.push_back(std::move(field));
  }

  bool InBytes(const char* at, size_t length) const {
    const auto p = reinterpret_cast<std::uintptr_t>(at);
    const auto begin = reinterpret_cast<std::uintptr_t>(Bytes_.data());
    return p >= begin && p + length <= begin + Bytes_.size();
  }

  // The field an attribute names: looked for from the field expected next, then by its hash.
  std::optional<size_t> FieldNamed(std::string_view name, size_t expected) const {
    for (size_t i = expected; i < Fields_.size() && i < expected + kLookAhead; ++i)
      if (Fields_[i].Name == name) return i;
    const auto found = Index_.find(name);
    if (found == Index_.end()) return std::nullopt;
    return found->second;
  }

  // The attribute's value as it stands in the file: it follows the name as ="...".
  std::string_view RawValue(const TVpXmlAttribute& a) const {
    const char* after = a.Name.data() + a.Name.size();
    if (!InBytes(a.Name.data(), a.Name.size() + 2) || after[0] != '=' || after[1] != '"') return {};
    const char* begin = after + 2;
    const char* end =
        static_cast<const char*>(std::memchr(begin, '"', static_cast<size_t>(Bytes_.data() + Bytes_.size() - begin)));
    return end ? std::string_view(begin, static_cast<size_t>(end - begin)) : std::string_view();
  }

  // Stores the value of the field; true when raw, the value as the file has it, is exactly how
  // this program writes the value.
  bool SetValue(TVpParser& parser, size_t index, std::string_view text, std::string_view raw) {
    const TFieldDef& field = Fields_[index];
    auto refuse = [&](const std::string& what) -> bool {
      parser.RaiseError("row " + std::to_string(RowNumber_) + ": \"" + ValueExcerpt(text) + "\" is " + what +
                        " for field \"" + ValueExcerpt(field.Name) + "\"");
    };
    switch (field.DataType) {
      case ftInteger: {
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size())
          return refuse("not a valid integer");
        // A number the field cannot hold would wrap when read as it (and meet another record's ID).
        const auto [lowest, highest] = IntegerRangeOf(field);
        if (value < lowest || value > highest)
          return refuse("outside the range " + std::to_string(lowest) + " to " + std::to_string(highest));
        Rows_.SetInteger(index, value);
        return SameAsNumber(raw, value);
      }
      case ftBoolean:
        if (SameTextAscii(text, "true") || text == "1") Rows_.SetBoolean(index, true);
        else if (SameTextAscii(text, "false") || text == "0") Rows_.SetBoolean(index, false);
        else return refuse("not a valid boolean");
        return raw == "TRUE" || raw == "FALSE";
      case ftFloat: {
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
          return refuse("not a valid number");
        Rows_.SetFloat(index, value);
        return SameAsNumber(raw, value);
      }
      case ftDate:
      case ftDateTime: {
        double value = 0;
        if (!ParseDateTime(text, value))
          return refuse(field.DataType == ftDate ? "not a valid date" : "not a valid date-time");
        Rows_.SetMs(index, ToMs(field.DataType == ftDate ? std::trunc(value) : value));
        // The written forms: yyyymmdd, and yyyymmddThh:nn:ssmmm.
        return field.DataType == ftDate ? raw.size() == 8 : raw.size() == 20 && raw[8] == 'T';
      }
      case ftString:
      case ftMemo: {
        Rows_.SetText(index, text, InBytes(text.data(), text.size()));
        return raw.data() != nullptr && IsXmlEscapedForm(raw, text);
      }
    }
    return false;
  }

  void AddRow(TVpParser& parser) {
    ++RowNumber_;
    const std::span<const TVpXmlAttribute> attributes = parser.Attributes();
    int state = 0;
    for (const TVpXmlAttribute& a : attributes)
      if (a.Name == "RowState" && !ParseNumber(a.Value, state))
        parser.RaiseError("row state \"" + ValueExcerpt(a.Value) + "\" is not a number");
    if (state & kRowDeleted) return;
    if (!LaidOut_) {
      Rows_.SetFields(Fields_);
      LaidOut_ = true;
    }
    const bool changesOfPrevious = (state & kRowModified) != 0 && Staged_;
    if (!changesOfPrevious) {
      CommitStaged();
      Rows_.BeginRow();
      Staged_ = true;
    }
    // The row keeps its piece of the file when the file has it exactly as this program writes it:
    // "<ROW", then for each field with a value in the order of the fields ' Name="value"' with the
    // value in its written form, then "/>".
    bool written = !changesOfPrevious && !attributes.empty() && state == 0 &&
                   InBytes(attributes.front().Name.data(), 0) && attributes.front().Name.data() - Bytes_.data() >= 5;
    const char* rowStart = written ? attributes.front().Name.data() - 5 : nullptr;
    written = written && std::string_view(rowStart, 5) == "<ROW ";
    const char* expectedName = written ? rowStart + 5 : nullptr;
    size_t expected = 0;
    for (const TVpXmlAttribute& a : attributes) {
      const std::optional<size_t> index = FieldNamed(a.Name, expected);
      if (!index) {  // RowState and attributes of no field
        written = false;
        continue;
      }
      std::string_view raw;
      if (written) {
        written = *index >= expected && a.Name.data() == expectedName && expectedName[-1] == ' ';
        raw = written ? RawValue(a) : std::string_view();
        written = raw.data() != nullptr;
      }
      written = SetValue(parser, *index, a.Value, raw) && written;
      expected = *index + 1;
      if (written) expectedName = raw.data() + raw.size() + 2;  // past '" '
    }
    const char* rowEnd = written ? expectedName - 2 : nullptr;  // the closing quote of the last value
    written = written && InBytes(rowEnd, 3) && std::string_view(rowEnd, 3) == "\"/>";
    StagedPieceOffset_ = written ? static_cast<std::uint64_t>(rowStart - Bytes_.data()) : 0;
    StagedPieceLength_ = written ? static_cast<size_t>(rowEnd + 3 - rowStart) : 0;
  }

  void CommitStaged() {
    if (!Staged_) return;
    Rows_.Rows().push_back(Rows_.Commit(StagedPieceOffset_, StagedPieceLength_));
    Staged_ = false;
  }

  std::string_view Bytes_;
  TFieldDefs& Fields_;
  TRowStore& Rows_;
  struct THash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  std::unordered_map<std::string, size_t, THash, std::equal_to<>> Index_;  // field name to position
  int Depth_ = 0;
  int RowNumber_ = 0;  // of the ROW element being read, from 1
  bool SawRoot_ = false;
  bool SawFields_ = false;
  bool LaidOut_ = false;                 // the rows' layout is set: no more fields
  bool Staged_ = false;                  // a row is being built (the changes of a later row may still apply to it)
  std::uint64_t StagedPieceOffset_ = 0;  // the staged row's piece of the file
  size_t StagedPieceLength_ = 0;         // 0: none
};

}  // namespace

void ReadDataPacket(std::string_view bytes, TFieldDefs& fields, TRowStore& rows) {
  fields.clear();
  rows.SetFields({});
  TPacketReader(bytes, fields, rows).Read();
}

void ReadDataPacket(std::string_view bytes, TFieldDefs& fields, std::vector<TRowValues>& rows) {
  TRowStore store;
  ReadDataPacket(bytes, fields, store);
  rows.clear();
  rows.reserve(store.Size());
  for (const TRowStore::TRow& row : store.Rows()) rows.push_back(store.Values(row));
}
