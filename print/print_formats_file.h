#pragma once

#include <string>
#include <string_view>

#include "print/print_format.h"

// The print formats file: an XML document of formats and their elements, one attribute a line,
// lines ending in CR LF. Numbers are written locale-free ("12.5"); a comma is also read as the
// decimal point, so files written by a machine that used one still load.

// The file's bytes for the formats.
std::string PrintFormatsDocument(const TVpPrintFormats& formats);

// Reads a formats file into the formats, after removing them unless appending. A file that does
// not exist or cannot be read raises EVpParserError and leaves the formats alone. A format whose
// name is already there is skipped with its elements. An element of unknown Item or Measurement
// raises EVpPrintFormatError; what was read before it stays. A syntax error ends the reading,
// keeps what was read and is returned as "<file>: <parser message>"; the result is empty when the
// whole file was read.
std::string ReadPrintFormatsFile(TVpPrintFormats& formats, const std::string& fileName, bool append);
// Reads a document held in memory the same way; `source` names it in the returned error.
std::string ReadPrintFormatsDocument(TVpPrintFormats& formats, std::string_view document, const std::string& source,
                                     bool append);
