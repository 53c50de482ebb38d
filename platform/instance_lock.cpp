#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

TInstanceLock::TInstanceLock(std::string lockPath) : Path_(std::move(lockPath)) {}

TInstanceLock::~TInstanceLock() {
  if (Fd_ >= 0) ::close(Fd_);  // closing the file releases the lock
}

TInstanceLock::TResult TInstanceLock::Acquire() {
  if (Fd_ >= 0) return lrAcquired;
  const int fd = ::open(Path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    Error_ = "Unable to open the instance lock \"" + Path_ + "\": " + std::strerror(errno);
    return lrFailed;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return lrHeldElsewhere;
    Error_ = "Unable to take the instance lock \"" + Path_ + "\": " + std::strerror(error);
    return lrFailed;
  }
  Fd_ = fd;
  return lrAcquired;
}

std::string TInstanceLock::DefaultPath(const std::string& name, const std::string& extension) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0' && ::access(runtime, W_OK) == 0)
    return std::string(runtime) + "/" + name + extension;
  return "/tmp/" + name + "-" + std::to_string(::getuid()) + extension;
}
