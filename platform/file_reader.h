#pragma once

#include <optional>
#include <stdexcept>
#include <string>

// A file that exists but could not be read; the message names the file and the reason.
class EFileReadError : public std::runtime_error {
 public:
  EFileReadError(const std::string& path, const std::string& reason)
      : std::runtime_error("Unable to read \"" + path + "\": " + reason), Reason_(reason) {}
  // The system's reason alone ("Permission denied").
  const std::string& Reason() const { return Reason_; }

 private:
  std::string Reason_;
};

// The whole contents of a file, or nothing when there is no such file. Raises EFileReadError
// when the file is there but cannot be read (a folder, no permission, an I/O error).
std::optional<std::string> ReadWholeFile(const std::string& path);
