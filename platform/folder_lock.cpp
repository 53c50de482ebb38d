#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

TFolderLock::~TFolderLock() {
  if (Fd_ >= 0) ::close(Fd_);  // closing the file gives the lock up
}

bool TFolderLock::Acquire() {
  if (Depth_ > 0) {
    ++Depth_;
    return false;
  }
  const int fd = ::open(Path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) throw EFolderLockError("Unable to open the lock file \"" + Path_ + "\": " + std::strerror(errno));
  // Polled rather than waited for in the kernel, so that the wait can end on time.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs_);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EINTR) continue;
    if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      if (error != EWOULDBLOCK)
        throw EFolderLockError("Unable to take the lock \"" + Path_ + "\": " + std::strerror(error));
      const std::string waited = std::to_string(TimeoutMs_ / 1000) + "." + std::to_string(TimeoutMs_ % 1000 / 100);
      throw EFolderLockError("Another program has been writing the data files for " + waited +
                             " seconds (it holds the lock \"" + Path_ + "\"); nothing was written");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  Fd_ = fd;
  Depth_ = 1;
  return true;
}

void TFolderLock::Release() {
  if (Depth_ == 0 || --Depth_ > 0) return;
  ::close(Fd_);
  Fd_ = -1;
}
