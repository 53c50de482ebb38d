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

// The text of an attribute value as it stands in a file: entity and character references read
// (a reference that names no character stays as it stands). Line ends stay as they are.
std::string XmlUnescaped(std::string_view raw);
