#pragma once

#include <string>

// The lock that lets only one copy of the program run for a user. It is held until the object is
// destroyed or the process ends, however it ends: a copy that crashed never blocks the next start.
class TInstanceLock {
 public:
  enum TResult {
    lrAcquired,       // this process now holds the lock
    lrHeldElsewhere,  // another running copy holds it
    lrFailed          // the lock could not be set up; Error() says why
  };

  // lockPath: the lock file; its folder must exist.
  explicit TInstanceLock(std::string lockPath);
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;

  TResult Acquire();
  const std::string& Error() const { return Error_; }

  // Where the lock of the given name lives: the user's runtime folder, or /tmp with the user's id.
  // Another extension names a file of the lock's own beside it (the running copy's socket).
  static std::string DefaultPath(const std::string& name, const std::string& extension = ".lock");

 private:
  std::string Path_;
  std::string Error_;
  int Fd_ = -1;
};
