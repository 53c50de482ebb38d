#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interop/vcard/vcard_lines.h"

// Address-book cards of versions 2.1, 3.0 and 4.0 as a neutral list of properties.

struct TVpVCardProperty {
  int Line = 0;
  std::string Group;  // as written, "item1" in "item1.TEL"
  std::string Name;   // upper case
  // ENCODING and CHARSET are gone: the value is decoded.
  std::vector<TVpVCardParam> Params;
  // UTF-8 text with its escapes kept (read it with Text, Components or ListItems), or the bytes of
  // a base64 value or data: URI when Binary.
  std::string Value;
  bool Binary = false;
  // The text had bytes that are no UTF-8, now U+FFFD: phones have been seen to cut a character.
  bool Repaired = false;

  // The values of every parameter of the name, in order.
  std::vector<std::string> ParamValues(std::string_view name) const;
  // Whether a TYPE value (letter case aside) is the type.
  bool HasType(std::string_view type) const;
  // Marked preferred: TYPE=PREF or a PREF parameter.
  bool Preferred() const;

  std::string Text() const;
  // The parts of a structured value such as N or ADR (split at ";"), unescaped.
  std::vector<std::string> Components() const;
  // The items of a list value such as CATEGORIES (split at ","), unescaped.
  std::vector<std::string> ListItems() const;
};

struct TVpVCard {
  int Line = 0;                              // of its BEGIN:VCARD
  std::string Version;                       // "2.1", "3.0" or "4.0"; 3.0 when the card gives none
  std::vector<TVpVCardProperty> Properties;  // in file order, without BEGIN, END and VERSION
};

// The cards of a card file. Values are decoded to UTF-8: quoted-printable, base64 (ENCODING=b or
// BASE64) and data: URIs, and the character sets UTF-8, US-ASCII, ISO-8859-1 and Windows-1252.
// Text in no declared set is UTF-8, in a 2.1 card Windows-1252 when it is not valid UTF-8. Faulty
// UTF-8 is repaired rather than refused, so that one cut character does not stop a whole address
// book. Raises EVpVCardError naming the line for text outside a card, a card without its END, a
// damaged encoding, an unknown encoding, character set or version, and a file without any card.
std::vector<TVpVCard> ReadVCards(std::string_view text);
