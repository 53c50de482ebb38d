#pragma once

#include <stdexcept>
#include <string>

// Failures of XML reading. Each carries its message text; the parser turns the stream errors
// into the lines of its error list ("Line: %d Col: %d Error: %s").

// Any failure of XML reading.
class EXML : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure at a byte offset of the input stream.
class EVpStreamError : public EXML {
 public:
  EVpStreamError(const std::string& message, long long streamPosition)
      : EXML(message), StreamPosition_(streamPosition) {}
  long long StreamPosition() const { return StreamPosition_; }

 private:
  long long StreamPosition_;
};

// An undecodable or forbidden character. Line and column are those of the next character not
// yet consumed (both 1-based); the reason is the message.
class EVpFilterError : public EVpStreamError {
 public:
  EVpFilterError(const std::string& reason, long long streamPosition, int line, int column)
      : EVpStreamError(reason, streamPosition), Line_(line), Column_(column) {}
  std::string Reason() const { return what(); }
  int Line() const { return Line_; }
  int Column() const { return Column_; }

 private:
  int Line_;
  int Column_;
};

// A syntax error of the document (or a missing file, at line 0, column 0).
class EVpParserError : public EVpFilterError {
 public:
  using EVpFilterError::EVpFilterError;
};
