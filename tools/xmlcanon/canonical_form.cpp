#include "tools/xmlcanon/canonical_form.h"

#include <algorithm>
#include <vector>

#include "xml/parser.h"

namespace {

void AppendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\t': out += "&#9;"; break;
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      default: out += c;
    }
  }
}

}  // namespace

TVpCanonicalForm CanonicalFormOfFile(const std::string& FileName) {
  TVpCanonicalForm result;
  std::string& out = result.Text;
  TVpParser parser;
  parser.SetOnSpaceMode([](TVpParser&, std::string_view, bool& preserveSpace) { preserveSpace = true; });
  parser.SetOnElementStart([&out](TVpParser& sender, std::string_view name) {
    std::vector<TVpXmlAttribute> attributes(sender.Attributes().begin(), sender.Attributes().end());
    std::sort(attributes.begin(), attributes.end(),
              [](const TVpXmlAttribute& a, const TVpXmlAttribute& b) { return a.Name < b.Name; });
    out += '<';
    out += name;
    for (const TVpXmlAttribute& attribute : attributes) {
      out += ' ';
      out += attribute.Name;
      out += "=\"";
      AppendEscaped(out, attribute.Value);
      out += '"';
    }
    out += '>';
  });
  parser.SetOnElementEnd([&out](TVpParser&, std::string_view name) {
    out += "</";
    out += name;
    out += '>';
  });
  const auto text = [&out](TVpParser&, std::string_view text) { AppendEscaped(out, text); };
  parser.SetOnText(text);
  parser.SetOnCDataText(text);
  parser.SetOnInstruction([&out](TVpParser&, std::string_view target, std::string_view data) {
    if (target == "xml") return;  // the XML declaration
    out += "<?";
    out += target;
    out += ' ';
    out += data;
    out += "?>";
  });
  try {
    result.Ok = parser.ParseFile(FileName);
  } catch (const EVpParserError& error) {
    result.Error = error.what();
    return result;
  }
  if (!result.Ok) {
    result.Error = parser.ErrorMessages().front();
    out.clear();
  }
  return result;
}
