#include "xml/xml_escape.h"

#include "platform/utf8.h"
#include "xml/xml_chars.h"

void AppendXmlEscaped(std::string& out, std::string_view text, TXmlApostrophe apostrophe) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const TUtf8Sequence sequence = DecodeUtf8(p, end);
    const std::string_view character(p, static_cast<size_t>(sequence.Length));
    p += sequence.Length;
    if (sequence.Status != TUtf8Sequence::usOk || !IsXmlChar(sequence.Value)) continue;
    switch (sequence.Value) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += apostrophe == xaReference ? "&apos;" : "'"; break;
      case '\t': out += "&#009;"; break;
      case '\n': out += "&#010;"; break;
      case '\r': out += "&#013;"; break;
      default: out += character;
    }
  }
}
