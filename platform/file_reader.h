#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A file that exists but could not be read; the message names the file and the reason.
class EFileReadError : public std::runtime_error {
 public:
  EFileReadError(const std::string& path, std::string reason)
      : std::runtime_error("Unable to read \"" + path + "\": " + reason), Reason_(std::move(reason)) {}
  // Why the file could not be read ("Is a directory"), without its name.
  const std::string& Reason() const { return Reason_; }

 private:
  std::string Reason_;
};

// The largest file the program reads whole: far above any table or settings file, and low
// enough that an endless or absurd file is refused before memory runs out.
constexpr std::int64_t kLargestReadableFile = std::int64_t{2} << 30;  // 2 GiB

// The whole contents of a file, or nothing when there is no such file. Only a regular file (or
// a symbolic link to one) is read: a named pipe, a device, a socket or a folder would block or
// never end, and raises EFileReadError at once, as does a file larger than Largest bytes, one
// without read permission and an I/O error.
std::optional<std::string> ReadWholeFile(const std::string& path, std::int64_t largest = kLargestReadableFile);

// Reads a file of the same kinds block by block, without holding all of it: Take gets the bytes
// not yet taken (those it left the last time, then the next block) and returns how many of the
// first it has taken; Last is true once the file has ended, Take's last call. False when there
// is no such file; raises EFileReadError as ReadWholeFile does.
bool ReadFileInBlocks(const std::string& path, const std::function<size_t(std::string_view text, bool last)>& take,
                      std::int64_t largest = kLargestReadableFile);
