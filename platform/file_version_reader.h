#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_signature.h"

// Reads pieces of one version of a file: it opens the file only when the file at the path is
// still the version with the signature (checked on the open descriptor, so that a file replaced
// in between is never read for it).
class TFileVersionReader {
 public:
  TFileVersionReader(const std::string& path, const TFileSignature& version);
  ~TFileVersionReader();
  TFileVersionReader(const TFileVersionReader&) = delete;
  TFileVersionReader& operator=(const TFileVersionReader&) = delete;

  // Whether the file is that version and open.
  bool IsOpen() const { return Fd_ >= 0; }
  // Reads exactly length bytes from offset on into out; false when that cannot be done.
  bool ReadAt(std::uint64_t offset, char* out, std::size_t length) const;

 private:
  int Fd_ = -1;
};
