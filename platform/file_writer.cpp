#include "platform/file_writer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int TFileSystemCalls::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t TFileSystemCalls::Write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int TFileSystemCalls::Fsync(int fd) { return ::fsync(fd); }
int TFileSystemCalls::Close(int fd) { return ::close(fd); }
int TFileSystemCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }
int TFileSystemCalls::Unlink(const char* path) { return ::unlink(path); }

TFileSystemCalls& TFileSystemCalls::System() {
  static TFileSystemCalls calls;
  return calls;
}

namespace {

[[noreturn]] void Fail(const std::string& path, const char* step, int error) {
  throw EFileWriteError("Unable to write \"" + path + "\" (" + step + "): " + std::strerror(error));
}

// A symbolic link is followed so that the file it points to is replaced, not the link.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A replacement's temporary file: ".NAME.tmp-PID-N" beside the target, N counting the process's
// replacements.
constexpr std::string_view kTemporaryMark = ".tmp-";

std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const auto slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + name + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
}

// The process ID in a temporary file's name; 0 for any other name.
pid_t WriterOfTemporary(std::string_view name) {
  const auto mark = name.rfind(kTemporaryMark);
  if (name.empty() || name[0] != '.' || mark == std::string_view::npos || mark < 2) return 0;
  const std::string_view rest = name.substr(mark + kTemporaryMark.size());
  const auto dash = rest.find('-');
  if (dash == std::string_view::npos || dash + 1 == rest.size()) return 0;
  long long pid = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + dash, pid);
  if (error != std::errc() || end != rest.data() + dash || pid <= 0 || pid > INT_MAX) return 0;
  const std::string_view counter = rest.substr(dash + 1);
  for (char c : counter)
    if (c < '0' || c > '9') return 0;
  return static_cast<pid_t>(pid);
}

}  // namespace

std::vector<std::string> RemoveStaleTemporaryFiles(const std::string& folder, const std::string& ofFile) {
  std::vector<std::string> removed;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return removed;
  const std::string prefix = ofFile.empty() ? "" : "." + ofFile + std::string(kTemporaryMark);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!name.starts_with(prefix)) continue;
    const pid_t pid = WriterOfTemporary(name);
    // EPERM: the process exists (another user's); only ESRCH says it is gone.
    if (pid == 0 || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
    const std::string path = folder + "/" + name;
    struct stat st {};
    // A link is removed itself, never what it points to.
    if (::lstat(path.c_str(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) && ::unlink(path.c_str()) == 0)
      removed.push_back(name);
  }
  ::closedir(dir);
  return removed;
}

void TAtomicFileWriter::ReplaceFile(const std::string& requestedPath, std::string_view contents, TFileAccess access) {
  const std::string path = ResolveTarget(requestedPath);
  // A new file is made with 0666 and the umask takes away what the user keeps from others; a
  // replaced one keeps its mode; a private one is the owner's alone from its first byte on.
  mode_t mode = 0666;
  bool setMode = false;
  struct stat old {};
  if (access == faOwnerOnly) {
    mode = 0600;
    setMode = true;
  } else if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
    setMode = true;
  }

  const std::string temporary = TemporaryNameFor(path);
  RemoveStaleTemporaryFiles(FolderOf(path), path.substr(path.rfind('/') + 1));
  const int fd = Calls_.Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) Fail(path, "create temporary file", errno);

  auto abandon = [&](const char* step, int error) {
    Calls_.Close(fd);
    Calls_.Unlink(temporary.c_str());
    Fail(path, step, error);
  };

  const char* data = contents.data();
  size_t left = contents.size();
  while (left > 0) {
    const ssize_t written = Calls_.Write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      abandon("write", errno);
    }
    if (written == 0) abandon("write", EIO);
    data += written;
    left -= static_cast<size_t>(written);
  }
  if (setMode && ::fchmod(fd, mode) != 0) abandon("set access", errno);
  if (Calls_.Fsync(fd) != 0) abandon("flush", errno);
  if (Calls_.Close(fd) != 0) {
    const int error = errno;
    Calls_.Unlink(temporary.c_str());
    Fail(path, "close", error);
  }
  if (Calls_.Rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    Calls_.Unlink(temporary.c_str());
    Fail(path, "rename", error);
  }

  // The rename is durable only once the folder is flushed. Some file systems cannot flush a
  // folder (EINVAL); there the rename is as durable as it gets.
  const int dir = Calls_.Open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (dir < 0) {
    Warn(path, "open folder", errno);
    return;
  }
  if (Calls_.Fsync(dir) != 0 && errno != EINVAL && errno != ENOTSUP) Warn(path, "flush folder", errno);
  Calls_.Close(dir);
}

void TAtomicFileWriter::Warn(const std::string& path, const char* step, int error) const {
  const std::string message = "\"" + path + "\" was written, but its folder could not be flushed (" + step +
                              "): " + std::strerror(error) + "; the change may not survive a power loss";
  if (OnWarning_) OnWarning_(message);
  else std::fprintf(stderr, "warning: %s\n", message.c_str());
}
