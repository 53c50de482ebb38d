#pragma once

#include <cstdint>
#include <string>

// What tells one version of a file from another without reading it: the file's identity (device
// and inode: a file replaced by a rename is a new one), size and change times to the nanosecond.
// A missing or unreachable file has the empty signature.
struct TFileSignature {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::int64_t Size = -1;
  std::int64_t ModifiedNs = 0;
  std::int64_t StatusChangedNs = 0;
  friend bool operator==(const TFileSignature&, const TFileSignature&) = default;
};

// The signature of the file the path names (a symbolic link is followed).
TFileSignature FileSignatureOf(const std::string& path);
// The signature of the file open on the descriptor; the empty one when it cannot be had.
TFileSignature FileSignatureOfDescriptor(int fd);
