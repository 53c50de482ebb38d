#pragma once

#include <stdexcept>
#include <string>

// The lock was not had in time, or could not be set up; the message names the lock file.
class EFolderLockError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The exclusive lock that every writer of a data folder holds for the whole of a change, from
// reading the files it changes to writing them: an advisory lock on a lock file in the folder.
// Readers need none, since files are replaced atomically. The lock is held until the outermost
// hold ends, or the process ends however it ends. Holds nest within one process.
class TFolderLock {
 public:
  // lockPath: the lock file, made when missing; its folder must exist.
  explicit TFolderLock(std::string lockPath) : Path_(std::move(lockPath)) {}
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

  const std::string& Path() const { return Path_; }
  static constexpr int kDefaultTimeoutMs = 5000;
  // How long Acquire waits for another writer before it gives up.
  int TimeoutMs() const { return TimeoutMs_; }
  void SetTimeoutMs(int milliseconds) { TimeoutMs_ = milliseconds; }
  bool Held() const { return Depth_ > 0; }

  // Takes the lock, or only counts one more hold when this object has it already. Returns
  // whether this was the outermost hold. Raises EFolderLockError when another writer holds the
  // lock for longer than the timeout, or the lock file cannot be opened.
  bool Acquire();
  // Ends one hold; the last one gives the lock up.
  void Release();

 private:
  std::string Path_;
  int TimeoutMs_ = kDefaultTimeoutMs;
  int Fd_ = -1;
  int Depth_ = 0;
};

// One hold on a folder lock for a scope.
class TFolderLockHold {
 public:
  explicit TFolderLockHold(TFolderLock& lock) : Lock_(lock), Outermost_(lock.Acquire()) {}
  ~TFolderLockHold() { Lock_.Release(); }
  TFolderLockHold(const TFolderLockHold&) = delete;
  TFolderLockHold& operator=(const TFolderLockHold&) = delete;
  bool Outermost() const { return Outermost_; }

 private:
  TFolderLock& Lock_;
  bool Outermost_;
};
