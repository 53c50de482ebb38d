#pragma once

#include <string>
#include <string_view>

#include "platform/error_text.h"

// The fixed texts of the XML parser's error messages, one for each fault it reports. Error lists
// and the tests read them: keep every text byte for byte. A text ending in ": " (or in a space)
// is followed by the offending item, usually in single quotes (QuotedText).
namespace XmlMessages {

// Byte level (EVpFilterError).
// A byte that cannot start a UTF-8 sequence, or a bad continuation byte.
inline constexpr char BadlyFormedUtf8[] = "Badly formed UTF-8 character in stream";
// A lone or reversed UTF-16 surrogate, or an odd last byte.
inline constexpr char BadlyFormedUtf16[] = "Badly formed UTF-16 character in stream";
// A decoded character outside the XML Char class.
inline constexpr char InvalidXmlCharacter[] = "Invalid XML Character found";

// Input (line 0, column 0).
inline std::string FileNotFound(std::string_view name) { return "File " + std::string(name) + " could not be found"; }
inline std::string FileNotRead(std::string_view name, std::string_view reason) {
  return "File " + std::string(name) + " could not be read: " + std::string(reason);
}

// Syntax (EVpParserError).
// The input ends inside an element, a name or a reference.
inline constexpr char UnexpectedEndOfFile[] = "Unexpected end of file ";
// A required token is missing; the token follows.
inline constexpr char ExpectedString[] = "Expected String: ";
// Required white space is missing at a line and column.
inline std::string WhitespaceExpected(int line, int column) {
  return "Whitespace expected at byte Line: " + std::to_string(line) + " Position: " + std::to_string(column);
}
// A comment, CDATA section or processing instruction is not closed; the delimiter follows.
inline constexpr char EndOfInputLookingForDelimiter[] = "End of input while looking for delimiter: ";
// Anything but white space, comments and processing instructions after the root element.
inline constexpr char DataAfterDocument[] = "There is invalid data after valid XML document";
// An XML declaration after a comment, processing instruction, document type or start tag.
inline constexpr char DeclarationNotFirst[] = "The XML declaration must appear before the first element";
// A version character outside the allowed set; the version follows.
inline constexpr char InvalidVersionNumber[] = "Invalid XML version number: ";
// A version other than 1.0.
inline constexpr char UnsupportedVersion[] = "Quenwick does not support XML versions greater than 1.0";
// An encoding name character outside the allowed set; the name follows.
inline constexpr char InvalidEncodingDeclaration[] = "Invalid encoding declaration: ";
// A UTF-16 name for a UTF-8 document or the other way round, or ISO-8859-1 after a byte-order
// mark; the name follows.
inline constexpr char EncodingMismatch[] = "Encoding declaration does not match the document's encoding: ";
// A standalone value other than "yes" and "no".
inline constexpr char InvalidStandalone[] = "Standalone value must equal 'yes' or 'no'";
// A public identifier character outside the allowed set; the character follows.
inline constexpr char InvalidPublicIdCharacter[] = "Invalid PublicID character: ";
// A comment text containing "--" or ending in "-".
inline constexpr char InvalidCommentText[] = "Invalid comment text";
// "<!" inside content followed by neither "-" nor "["; the character is put in parentheses.
inline std::string ExpectedCommentOrCData(std::string_view character) {
  return "Expected comment or CDATA section (" + std::string(character) + ")";
}
// An end tag that does not close the current element.
inline std::string MismatchedEndTag(std::string_view start, std::string_view end) {
  return "Mismatched end tag: Start tag = \"" + ValueExcerpt(start) + "\" End tag = \"" + ValueExcerpt(end) + "\"";
}
// A start tag with an empty name.
inline constexpr char EmptyElementName[] = "Invalid element name: ''";
// A character that may not stand at its position in a name; the character follows.
inline constexpr char InvalidName[] = "Invalid XML name: ";
// An attribute name repeated in one start tag.
inline constexpr char AttributeRedefined[] = "Attributes cannot be redefined in a start tag";
// A "<" in an attribute value.
inline constexpr char LessThanInAttributeValue[] = "Invalid character in attribute value: '<'";
// A literal that starts with neither quote nor "~".
inline constexpr char ExpectedQuote[] = "Expected \" or '";
// The input ends before a literal's closing delimiter; the delimiter follows.
inline constexpr char ExpectedDelimiter[] = "Expected: ";
// A character that is not a digit of a character reference's base; the character follows
// without a space.
inline constexpr char IllegalReferenceCharacter[] = "Illegal character in reference";
// A character reference to a value outside the XML Char class; the reference follows.
inline constexpr char InvalidCharacterReference[] = "Invalid character reference: ";
// An entity reference to a name other than the five predefined ones; the name follows.
inline constexpr char UndeclaredEntity[] = "Reference to undeclared entity: ";
// "]]>" in an element's character data.
inline constexpr char CDataEndInText[] = "Invalid characters in element's character data: ']]>'";

}  // namespace XmlMessages
