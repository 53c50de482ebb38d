#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-16 text in either byte order, converted to and from the UTF-8 the program holds text in
// (settings files may be written in UTF-16).

// Appends the UTF-8 text of UTF-16 units (two bytes each, in the given byte order) up to the
// first unit that cannot be decoded (an unpaired surrogate, an odd last byte). Returns the number
// of bytes decoded, units.size() when all of them were.
std::size_t AppendUtf16AsUtf8(std::string& out, std::string_view units, bool bigEndian);

// The UTF-16 units of UTF-8 text, in the given byte order; a byte that is not UTF-8 becomes
// U+FFFD.
std::string Utf8AsUtf16(std::string_view text, bool bigEndian);
