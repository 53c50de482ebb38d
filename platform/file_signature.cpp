#include "platform/file_signature.h"

#include <sys/stat.h>

namespace {

TFileSignature SignatureOf(const struct stat& st) {
  constexpr std::int64_t kNs = 1000000000;
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size), st.st_mtim.tv_sec * kNs + st.st_mtim.tv_nsec,
          st.st_ctim.tv_sec * kNs + st.st_ctim.tv_nsec};
}

}  // namespace

TFileSignature FileSignatureOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return SignatureOf(st);
}

TFileSignature FileSignatureOfDescriptor(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return {};
  return SignatureOf(st);
}
