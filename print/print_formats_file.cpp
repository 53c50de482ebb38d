#include "print/print_formats_file.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/error_text.h"
#include "platform/file_reader.h"
#include "print/decimal_text.h"
#include "xml/parser.h"
#include "xml/xml_escape.h"
#include "xml/xml_messages.h"

namespace {

constexpr std::array<const char*, 8> kItemTexts = {"DayView", "WeekView", "MonthView", "Calendar",
                                                   "Shape",   "Caption",  "Tasks",     "Contacts"};
constexpr std::array<const char*, 4> kMeasurementTexts = {"AbsolutePixel", "Percent", "Inches", "Centimetres"};
constexpr std::array<const char*, 4> kRotationTexts = {"0", "90", "180", "270"};
constexpr std::array<const char*, 4> kDayUnitTexts = {"Day", "Week", "Month", "Year"};
constexpr std::array<const char*, 8> kShapeTexts = {"Rectangle", "TopLine",    "BottomLine", "LeftLine",
                                                    "RightLine", "TLToBRLine", "BLToTRLine", "Ellipse"};
constexpr std::array<const char*, 8> kBrushStyleTexts = {"Solid",     "Clear",     "Horizontal", "Vertical",
                                                         "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};
constexpr std::array<const char*, 7> kPenStyleTexts = {"Solid",      "Dash",  "Dot",        "DashDot",
                                                       "DashDotDot", "Clear", "InsideFrame"};
constexpr std::array<const char*, 3> kPitchTexts = {"Default", "Variable", "Fixed"};

struct TCharSetName {
  const char* Text;
  int Number;
};
constexpr std::array<TCharSetName, 19> kCharSets = {{{"ANSI", 0},
                                                     {"Default", 1},
                                                     {"Symbol", 2},
                                                     {"Mac", 77},
                                                     {"ShiftJIS", 128},
                                                     {"Hangeul", 129},
                                                     {"Johab", 130},
                                                     {"GB2312", 134},
                                                     {"ChineseBig5", 136},
                                                     {"Greek", 161},
                                                     {"Turkish", 162},
                                                     {"Vietnamese", 163},
                                                     {"Hebrew", 177},
                                                     {"Arabic", 178},
                                                     {"Baltic", 186},
                                                     {"Russian", 204},
                                                     {"Thai", 222},
                                                     {"EastEurope", 238},
                                                     {"OEM", 255}}};

// The index of the text in the table, compared exactly; nothing when it is not there.
template <size_t N>
std::optional<int> IndexOf(const std::array<const char*, N>& texts, std::string_view text) {
  for (size_t i = 0; i < N; ++i)
    if (text == texts[i]) return static_cast<int>(i);
  return std::nullopt;
}

// --- writing ---

class TFormatsWriter {
 public:
  void Line(int indent, std::string_view text) {
    Out.append(static_cast<size_t>(indent), ' ');
    Out += text;
    Out += "\r\n";
  }
  // name="value" with the value as written, then the rest of the line.
  void Raw(int indent, std::string_view name, std::string_view value, std::string_view close = "") {
    Out.append(static_cast<size_t>(indent), ' ');
    Out += name;
    Out += "=\"";
    Out += value;
    Out += '"';
    Out += close;
    Out += "\r\n";
  }
  void Text(int indent, std::string_view name, std::string_view value, std::string_view close = "") {
    std::string escaped;
    AppendXmlEscaped(escaped, value, xaAsIs);
    Raw(indent, name, escaped, close);
  }
  void Int(int indent, std::string_view name, long long value, std::string_view close = "") {
    Raw(indent, name, std::to_string(value), close);
  }
  void Bool(int indent, std::string_view name, bool value, std::string_view close = "") {
    Raw(indent, name, value ? "True" : "False", close);
  }
  void Float(int indent, std::string_view name, double value) {
    char digits[40];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    Raw(indent, name, std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
  }

  std::string Out;
};

// Colours are written as signed numbers: system colours have the top bit set.
long long SignedColor(TColor color) { return static_cast<std::int32_t>(color); }

void WriteShape(TFormatsWriter& w, const TVpPrintShape& shape) {
  w.Line(6, "<Shape");
  w.Raw(8, "Type", kShapeTexts[shape.Shape], ">");
  w.Line(8, "<Brush");
  w.Int(10, "Color", SignedColor(shape.BrushColor));
  w.Raw(10, "Style", kBrushStyleTexts[shape.BrushStyle], "/>");
  w.Line(8, "<Pen");
  w.Int(10, "Color", SignedColor(shape.Pen.Color));
  w.Raw(10, "Style", kPenStyleTexts[shape.Pen.Style]);
  w.Int(10, "Width", shape.Pen.Width, "/>");
  w.Line(6, "</Shape>");
}

void WriteCaption(TFormatsWriter& w, const TVpPrintCaption& caption) {
  w.Line(6, "<Caption");
  w.Text(8, "Caption", caption.Caption, ">");
  w.Line(8, "<Font");
  const TVpPrintFont& font = caption.Font;
  for (const TCharSetName& charSet : kCharSets)
    if (charSet.Number == font.CharSet) w.Raw(10, "CharSet", charSet.Text);
  w.Int(10, "Color", SignedColor(font.Color));
  w.Int(10, "Height", font.Height);
  w.Text(10, "Name", font.Name);
  w.Raw(10, "Pitch", kPitchTexts[font.Pitch]);
  w.Bool(10, "Bold", (font.Style & fsBold) != 0);
  w.Bool(10, "Italic", (font.Style & fsItalic) != 0);
  w.Bool(10, "Underline", (font.Style & fsUnderline) != 0);
  w.Bool(10, "Strikeout", (font.Style & fsStrikeOut) != 0, "/>");
  w.Line(6, "</Caption>");
}

void WriteElement(TFormatsWriter& w, const TVpPrintFormatElementItem& element) {
  w.Line(4, "<Element");
  w.Text(6, "Name", element.ElementName);
  w.Bool(6, "Visible", element.Visible);
  w.Raw(6, "Rotation", kRotationTexts[element.Rotation]);
  w.Raw(6, "Item", kItemTexts[element.ItemType]);
  w.Raw(6, "Measurement", kMeasurementTexts[element.Measurement]);
  w.Float(6, "Left", element.Left);
  w.Float(6, "Top", element.Top);
  w.Float(6, "Width", element.Width);
  w.Float(6, "Height", element.Height);
  w.Int(6, "DayOffset", element.DayOffset);
  if (element.DayColumns != 0) w.Int(6, "DayColumns", element.DayColumns);
  w.Raw(6, "DayOffsetUnits", kDayUnitTexts[element.DayOffsetUnits], ">");
  if (element.ItemType == itShape) WriteShape(w, element.Shape);
  if (element.ItemType == itCaption) WriteCaption(w, element.Caption);
  w.Line(4, "</Element>");
}

// --- reading ---

std::optional<long long> ParseInteger(std::string_view text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<int> ParseInt(std::string_view text) {
  const auto value = ParseInteger(text);
  if (!value || *value < INT32_MIN || *value > INT32_MAX) return std::nullopt;
  return static_cast<int>(*value);
}

// A colour as a signed (or, from other writers, unsigned) 32-bit number.
std::optional<TColor> ParseColor(std::string_view text) {
  const auto value = ParseInteger(text);
  if (!value || *value < INT32_MIN || *value > UINT32_MAX) return std::nullopt;
  return static_cast<TColor>(static_cast<std::uint32_t>(*value));
}

// Applies the attributes of one tag in order; an apply function answering false (a number that
// does not convert) stops the rest.
template <class F>
void ApplyEach(std::span<const TVpXmlAttribute> attributes, F apply) {
  for (const TVpXmlAttribute& attribute : attributes)
    if (!apply(attribute.Name, attribute.Value)) return;
}

// Sets the field from an enumeration text of the table; other texts leave it.
template <class E, size_t N>
void SetEnum(E& field, const std::array<const char*, N>& texts, std::string_view text) {
  if (const auto index = IndexOf(texts, text)) field = static_cast<E>(*index);
}

// "True" and "False"; other texts leave the field.
void SetBoolean(bool& field, std::string_view text) {
  if (text == "True") field = true;
  if (text == "False") field = false;
}

template <class T, class P>
bool SetNumber(T& field, std::string_view text, P parse) {
  const auto value = parse(text);
  if (value) field = *value;
  return value.has_value();
}

class TFormatsReader {
 public:
  explicit TFormatsReader(TVpPrintFormats& formats) : Formats_(formats) {}

  void ElementStart(std::string_view tag, std::span<const TVpXmlAttribute> attributes) {
    if (tag == "VpPrintFormats") {
      Format_ = Element_ = -1;
    } else if (tag == "PrintFormat") {
      StartFormat(attributes);
    } else if (tag == "Element") {
      if (Format_ >= 0) StartElement(attributes);
    } else if (TVpPrintFormatElementItem* element = CurrentElement()) {
      ElementPart(*element, tag, attributes);
    }
  }

  void ElementEnd(std::string_view tag) {
    if (tag == "PrintFormat" || tag == "VpPrintFormats") Format_ = Element_ = -1;
    if (tag == "Element") Element_ = -1;
  }

 private:
  bool NameTaken(const std::string& name) const {
    for (const TVpPrintFormatItem& format : Formats_)
      if (format.FormatName() == name) return true;
    return false;
  }

  void StartFormat(std::span<const TVpXmlAttribute> attributes) {
    TVpPrintFormatItem format;
    // A missing or empty name reads as "Unknown"; a name that is taken skips the format and its
    // elements.
    for (const TVpXmlAttribute& a : attributes)
      if (a.Name == "Name" && !a.Value.empty()) format.SetFormatName(std::string(a.Value));
    if (NameTaken(format.FormatName())) {
      Format_ = Element_ = -1;
      return;
    }
    for (const TVpXmlAttribute& a : attributes) {
      if (a.Name == "Description") format.Description = a.Value;
      if (a.Name == "DayIncrement" && !SetNumber(format.DayInc, a.Value, ParseInt))
        throw EVpPrintFormatError("'" + ValueExcerpt(a.Value) + "' is not a valid integer value");
      if (a.Name == "Visible") SetBoolean(format.Visible, a.Value);
      if (a.Name == "DayIncrementUnits") SetEnum(format.DayIncUnits, kDayUnitTexts, a.Value);
      if (a.Name == "StartsOnMonday") SetBoolean(format.StartsOnMonday, a.Value);
    }
    Formats_.push_back(std::move(format));
    Format_ = static_cast<int>(Formats_.size()) - 1;
    Element_ = -1;
  }

  void StartElement(std::span<const TVpXmlAttribute> attributes) {
    auto& elements = Formats_[static_cast<size_t>(Format_)].Elements;
    elements.emplace_back();
    Element_ = static_cast<int>(elements.size()) - 1;
    TVpPrintFormatElementItem& e = elements.back();
    ApplyEach(attributes, [&e](std::string_view name, std::string_view value) {
      if (name == "Name") e.ElementName = value;
      if (name == "Visible") SetBoolean(e.Visible, value);
      if (name == "Rotation") e.Rotation = static_cast<TVpRotationAngle>(IndexOf(kRotationTexts, value).value_or(ra0));
      if (name == "Item") {
        const auto item = IndexOf(kItemTexts, value);
        if (!item) throw EVpPrintFormatError("Invalid item type " + ValueExcerpt(value));
        e.ItemType = static_cast<TVpItemType>(*item);
      }
      if (name == "Measurement") {
        const auto measurement = IndexOf(kMeasurementTexts, value);
        if (!measurement) throw EVpPrintFormatError("Invalid measurement" + ValueExcerpt(value));
        e.Measurement = static_cast<TVpItemMeasurement>(*measurement);
      }
      if (name == "Left") return SetNumber(e.Left, value, ParseDecimal);
      if (name == "Top") return SetNumber(e.Top, value, ParseDecimal);
      if (name == "Width") return SetNumber(e.Width, value, ParseDecimal);
      if (name == "Height") return SetNumber(e.Height, value, ParseDecimal);
      if (name == "DayOffset") return SetNumber(e.DayOffset, value, ParseInt);
      if (name == "DayColumns") return SetNumber(e.DayColumns, value, ParseInt);
      if (name == "DayOffsetUnits") SetEnum(e.DayOffsetUnits, kDayUnitTexts, value);
      return true;
    });
  }

  // Shape, Brush, Pen, Caption and Font act on the current element wherever they stand in it.
  static void ElementPart(TVpPrintFormatElementItem& e, std::string_view tag,
                          std::span<const TVpXmlAttribute> attributes) {
    TVpPrintShape& shape = e.Shape;
    TVpPrintFont& font = e.Caption.Font;
    ApplyEach(attributes, [&](std::string_view name, std::string_view value) {
      if (tag == "Shape" && name == "Type") SetEnum(shape.Shape, kShapeTexts, value);
      if (tag == "Brush") {
        if (name == "Color") return SetNumber(shape.BrushColor, value, ParseColor);
        if (name == "Style") SetEnum(shape.BrushStyle, kBrushStyleTexts, value);
      }
      if (tag == "Pen") {
        if (name == "Color") return SetNumber(shape.Pen.Color, value, ParseColor);
        if (name == "Style") SetEnum(shape.Pen.Style, kPenStyleTexts, value);
        if (name == "Width") return SetNumber(shape.Pen.Width, value, ParseInt);
      }
      if (tag == "Caption" && name == "Caption") e.Caption.Caption = value;
      if (tag == "Font") return ApplyFont(font, name, value);
      return true;
    });
  }

  static bool ApplyFont(TVpPrintFont& font, std::string_view name, std::string_view value) {
    static constexpr std::array<std::pair<const char*, TFontStyle>, 4> kStyles = {
        {{"Bold", fsBold}, {"Italic", fsItalic}, {"Underline", fsUnderline}, {"Strikeout", fsStrikeOut}}};
    for (const TCharSetName& charSet : kCharSets)
      if (name == "CharSet" && value == charSet.Text) font.CharSet = charSet.Number;
    if (name == "Color") return SetNumber(font.Color, value, ParseColor);
    if (name == "Height") return SetNumber(font.Height, value, ParseInt);
    if (name == "Name") font.Name = value;
    if (name == "Pitch") SetEnum(font.Pitch, kPitchTexts, value);
    for (const auto& [styleName, style] : kStyles)
      if (name == styleName) font.Style = value == "True" ? font.Style | style : font.Style & ~style;
    return true;
  }

  TVpPrintFormatElementItem* CurrentElement() {
    if (Format_ < 0 || Element_ < 0) return nullptr;
    return &Formats_[static_cast<size_t>(Format_)].Elements[static_cast<size_t>(Element_)];
  }

  TVpPrintFormats& Formats_;
  int Format_ = -1;
  int Element_ = -1;
};

}  // namespace

std::string PrintFormatsDocument(const TVpPrintFormats& formats) {
  TFormatsWriter w;
  w.Line(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  w.Line(0, "<VpPrintFormats");
  w.Line(2, "Version = \"0.0.1\">");
  for (const TVpPrintFormatItem& format : formats) {
    w.Line(2, "<PrintFormat");
    w.Text(4, "Name", format.FormatName());
    w.Text(4, "Description", format.Description);
    w.Int(4, "DayIncrement", format.DayInc);
    w.Bool(4, "Visible", format.Visible);
    if (format.StartsOnMonday) w.Bool(4, "StartsOnMonday", true);
    w.Raw(4, "DayIncrementUnits", kDayUnitTexts[format.DayIncUnits], ">");
    for (const TVpPrintFormatElementItem& element : format.Elements) WriteElement(w, element);
    w.Line(2, "</PrintFormat>");
  }
  w.Line(0, "</VpPrintFormats>");
  return std::move(w.Out);
}

std::string ReadPrintFormatsFile(TVpPrintFormats& formats, const std::string& fileName, bool append) {
  std::optional<std::string> bytes;
  try {
    bytes = ReadWholeFile(fileName);
  } catch (const EFileReadError& error) {
    throw EVpParserError(XmlMessages::FileNotRead(fileName, error.Reason()), 0, 0, 0);
  }
  if (!bytes) throw EVpParserError(XmlMessages::FileNotFound(fileName), 0, 0, 0);
  return ReadPrintFormatsDocument(formats, *bytes, fileName, append);
}

std::string ReadPrintFormatsDocument(TVpPrintFormats& formats, std::string_view document, const std::string& source,
                                     bool append) {
  if (!append) formats.clear();
  TFormatsReader reader(formats);
  TVpParser parser;
  parser.SetOnElementStart([&reader](TVpParser& p, std::string_view tag) { reader.ElementStart(tag, p.Attributes()); });
  parser.SetOnElementEnd([&reader](TVpParser&, std::string_view tag) { reader.ElementEnd(tag); });
  if (parser.ParseMemory(document)) return {};
  const auto& errors = parser.ErrorMessages();
  return source + ": " + (errors.empty() ? std::string("the file cannot be read") : errors.front());
}
