#pragma once

#include <string>
#include <string_view>

// Whether a single quote is written as a reference or as itself.
enum TXmlApostrophe { xaReference, xaAsIs };

// Appends the UTF-8 text as the content of a double-quoted attribute value: "&", "<", ">" and the
// double quote as entity references, TAB, CR and LF as character references (raw ones would come
// back as spaces), and every character a document cannot hold (other control characters,
// undecodable bytes, U+FFFE and U+FFFF) left out, so that the file always reads back.
void AppendXmlEscaped(std::string& out, std::string_view text, TXmlApostrophe apostrophe = xaReference);

// Whether written is exactly what AppendXmlEscaped (with references for single quotes) appends
// for text, a text of XML characters; without building that.
bool IsXmlEscapedForm(std::string_view written, std::string_view text);

// The reference at the start of the text ("&amp;", "&#252;"): the character it names and its
// length; a length of 0 when the text does not start with a reference to a character.
struct TXmlReference {
  char32_t Character = 0;
  size_t Length = 0;
};
TXmlReference XmlReferenceAt(std::string_view text);
