#include "platform/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "platform/huge_pages.h"

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason) { throw EFileReadError(path, reason); }

// Why a file of this kind is not read, or nothing for a regular file.
const char* NotRegularReason(mode_t mode) {
  if (S_ISREG(mode)) return nullptr;
  if (S_ISDIR(mode)) return std::strerror(EISDIR);
  if (S_ISFIFO(mode)) return "it is a named pipe, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  return "it is not a regular file";
}

std::string TooLarge(std::int64_t largest) { return "the file is larger than " + std::to_string(largest) + " bytes"; }

// Closes the descriptor on every path out of the reader.
struct TDescriptor {
  int Fd;
  ~TDescriptor() { ::close(Fd); }
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::int64_t largest) {
  // Opening without blocking: a named pipe with no writer would otherwise hold the open forever.
  // What the descriptor turns out to be decides whether it is read at all.
  const TDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
  if (file.Fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    Fail(path, std::strerror(errno));
  }
  struct stat st {};
  if (::fstat(file.Fd, &st) != 0) Fail(path, std::strerror(errno));
  if (const char* reason = NotRegularReason(st.st_mode)) Fail(path, reason);
  if (st.st_size > largest) Fail(path, TooLarge(largest));
  // Read straight into the text, sized as the file is now; what it holds beyond that (it grew
  // while it was read) is appended, and a file that shrank is cut.
  std::string contents;
  contents.reserve(static_cast<size_t>(st.st_size));
  AdviseHugePages(contents.data(), contents.capacity());
  contents.resize(static_cast<size_t>(st.st_size));
  size_t filled = 0;
  char buffer[65536];
  for (;;) {
    const bool full = filled == contents.size();
    char* into = full ? buffer : contents.data() + filled;
    const ssize_t got = ::read(file.Fd, into, full ? sizeof buffer : contents.size() - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(path, std::strerror(errno));
    }
    if (static_cast<std::int64_t>(filled) + got > largest) Fail(path, TooLarge(largest));
    if (full) contents.append(buffer, static_cast<size_t>(got));
    filled += static_cast<size_t>(got);
  }
  contents.resize(filled);
  return contents;
}
