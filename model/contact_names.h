#pragma once

#include <string>
#include <string_view>

// Splitting a typed name or address line into a contact's fields.

// The text from its first to its last letter or digit; a text without any is empty. Letters are
// A-Z and a-z and every byte of a multi-byte UTF-8 character, so "Émile" keeps its "É".
std::string TrimToNameCharacters(std::string_view text);

struct TVpNameParts {
  std::string LastName;
  std::string FirstName;
};

// "Beta, Alpha" and "Alpha Beta" both give last name "Beta" and first name "Alpha": with a comma
// the last name comes before the first comma, without one it is the part from the last blank on.
// A single word is the last name. Each part is trimmed to its letters and digits.
TVpNameParts SplitName(std::string_view text);

struct TVpAddressParts {
  std::string City;
  std::string State;
  std::string Zip;
};

// "Rivertown, AB 12345" gives city "Rivertown", state "AB" and zip "12345": the city is the part
// before the first comma; the zip is the part from the last blank on when it starts with a digit;
// the state is what is left. Each part is trimmed to its letters and digits.
TVpAddressParts SplitAddressLine(std::string_view text);
