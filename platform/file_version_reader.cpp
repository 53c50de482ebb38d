#include "platform/file_version_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

TFileVersionReader::TFileVersionReader(const std::string& path, const TFileSignature& version) {
  if (version.Size < 0) return;
  Fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (Fd_ >= 0 && !(FileSignatureOfDescriptor(Fd_) == version)) {
    ::close(Fd_);
    Fd_ = -1;
  }
}

TFileVersionReader::~TFileVersionReader() {
  if (Fd_ >= 0) ::close(Fd_);
}

bool TFileVersionReader::ReadAt(std::uint64_t offset, char* out, std::size_t length) const {
  while (length > 0) {
    const ssize_t got = ::pread(Fd_, out, length, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    out += got;
    offset += static_cast<std::uint64_t>(got);
    length -= static_cast<std::size_t>(got);
  }
  return true;
}
