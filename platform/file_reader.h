#pragma once

#include <optional>
#include <stdexcept>
#include <string>

// A file that exists but could not be read; the message names the file and the reason.
class EFileReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole contents of a file, or nothing when there is no such file. Raises EFileReadError
// when the file is there but cannot be read (a folder, no permission, an I/O error).
std::optional<std::string> ReadWholeFile(const std::string& path);
