#include "platform/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

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
  ~TDescriptor() {
    if (Fd >= 0) ::close(Fd);
  }
};

// The file opened for reading, checked to be a regular file of at most Largest bytes (its size
// then in Size); an Fd of -1 when there is no such file.
TDescriptor OpenRegularFile(const std::string& path, std::int64_t largest, std::int64_t& size) {
  // Opening without blocking: a named pipe with no writer would otherwise hold the open forever.
  // What the descriptor turns out to be decides whether it is read at all.
  TDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
  if (file.Fd < 0) {
    if (errno == ENOENT) return file;
    Fail(path, std::strerror(errno));
  }
  struct stat st {};
  if (::fstat(file.Fd, &st) != 0) Fail(path, std::strerror(errno));
  if (const char* reason = NotRegularReason(st.st_mode)) Fail(path, reason);
  if (st.st_size > largest) Fail(path, TooLarge(largest));
  size = st.st_size;
  return TDescriptor{std::exchange(file.Fd, -1)};
}

// Up to Count bytes read into Into; 0 at the file's end.
size_t ReadSome(const TDescriptor& file, const std::string& path, char* into, size_t count) {
  for (;;) {
    const ssize_t got = ::read(file.Fd, into, count);
    if (got >= 0) return static_cast<size_t>(got);
    if (errno != EINTR) Fail(path, std::strerror(errno));
  }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::int64_t largest) {
  std::int64_t size = 0;
  const TDescriptor file = OpenRegularFile(path, largest, size);
  if (file.Fd < 0) return std::nullopt;
  // Read straight into the text, sized as the file is now; what it holds beyond that (it grew
  // while it was read) is appended, and a file that shrank is cut.
  std::string contents;
  contents.reserve(static_cast<size_t>(size));
  AdviseHugePages(contents.data(), contents.capacity());
  contents.resize(static_cast<size_t>(size));
  size_t filled = 0;
  char buffer[65536];
  for (;;) {
    const bool full = filled == contents.size();
    char* into = full ? buffer : contents.data() + filled;
    const size_t got = ReadSome(file, path, into, full ? sizeof buffer : contents.size() - filled);
    if (got == 0) break;
    if (static_cast<std::int64_t>(filled + got) > largest) Fail(path, TooLarge(largest));
    if (full) contents.append(buffer, got);
    filled += got;
  }
  contents.resize(filled);
  return contents;
}

bool ReadFileInBlocks(const std::string& path, const std::function<size_t(std::string_view text, bool last)>& take,
                      std::int64_t largest) {
  std::int64_t size = 0;
  const TDescriptor file = OpenRegularFile(path, largest, size);
  if (file.Fd < 0) return false;
  constexpr size_t kBlock = size_t{256} << 10;
  size_t capacity = kBlock;
  auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
  size_t held = 0;  // bytes at the buffer's front not yet taken
  std::int64_t total = 0;
  for (;;) {
    if (capacity - held < kBlock / 2) {
      auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
      std::memcpy(larger.get(), buffer.get(), held);
      buffer = std::move(larger);
      capacity *= 2;
    }
    const size_t got = ReadSome(file, path, buffer.get() + held, capacity - held);
    total += static_cast<std::int64_t>(got);
    if (total > largest) Fail(path, TooLarge(largest));
    held += got;
    const size_t taken = take(std::string_view(buffer.get(), held), got == 0);
    if (got == 0) return true;
    std::memmove(buffer.get(), buffer.get() + taken, held - taken);
    held -= taken;
  }
}
