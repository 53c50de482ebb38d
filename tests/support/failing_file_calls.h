#pragma once

#include <fcntl.h>
#include <cerrno>
#include <optional>

#include "platform/file_writer.h"

// The steps of a replacement, in the order it takes them.
enum TStep { stCreate, stWrite, stFlush, stClose, stRename, stOpenFolder, stFlushFolder };

// System calls that fail at one chosen step of a file replacement, with the given error; the
// other steps run for real (writes at most 3 bytes at a time).
class TFailingCalls : public TFileSystemCalls {
 public:
  explicit TFailingCalls(std::optional<TStep> failAt, int error = EIO) : FailAt_(failAt), Error_(error) {}

  int Open(const char* path, int flags, mode_t mode) override {
    const TStep step = (flags & O_DIRECTORY) ? stOpenFolder : stCreate;
    if (Fails(step)) return -1;
    const int fd = TFileSystemCalls::Open(path, flags, mode);
    if (step == stOpenFolder) FolderFd_ = fd;
    return fd;
  }
  ssize_t Write(int fd, const void* data, size_t size) override {
    if (Fails(stWrite)) return -1;
    // Writes at most 3 bytes at a time so that partial writes are exercised.
    return TFileSystemCalls::Write(fd, data, std::min<size_t>(size, 3));
  }
  int Fsync(int fd) override {
    if (Fails(fd == FolderFd_ ? stFlushFolder : stFlush)) return -1;
    return TFileSystemCalls::Fsync(fd);
  }
  int Close(int fd) override {
    if (fd != FolderFd_ && Fails(stClose)) {
      TFileSystemCalls::Close(fd);
      errno = Error_;
      return -1;
    }
    return TFileSystemCalls::Close(fd);
  }
  int Rename(const char* from, const char* to) override {
    if (Fails(stRename)) return -1;
    return TFileSystemCalls::Rename(from, to);
  }

 private:
  bool Fails(TStep step) {
    if (FailAt_ != step) return false;
    errno = Error_;
    return true;
  }
  std::optional<TStep> FailAt_;
  int Error_;
  int FolderFd_ = -1;
};
