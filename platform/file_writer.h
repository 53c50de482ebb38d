#pragma once

#include <sys/types.h>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A file that could not be written; the message names the file and the reason.
class EFileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Who may read a file the program writes.
enum TFileAccess {
  // As the file it replaces allowed; a new file as the process's umask allows (0666 less the umask).
  faAsBefore,
  // Its owner only (0600), whatever the file allowed before: files that hold what others must not
  // read (the server's texts of private items, account settings).
  faOwnerOnly
};

// Writes whole files. Every file the program writes goes through one of these.
class TFileWriter {
 public:
  virtual ~TFileWriter() = default;
  // Replaces the file's contents. On return the new contents are on disk; on failure it raises
  // EFileWriteError and the old file is as it was.
  virtual void ReplaceFile(const std::string& path, std::string_view contents, TFileAccess access) = 0;
  void ReplaceFile(const std::string& path, std::string_view contents) { ReplaceFile(path, contents, faAsBefore); }
};

// The operating-system calls a replacement is made of, one virtual each so that tests can make
// any step fail. The defaults call the system.
class TFileSystemCalls {
 public:
  virtual ~TFileSystemCalls() = default;
  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Write(int fd, const void* data, size_t size);
  virtual int Fsync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const char* from, const char* to);
  virtual int Unlink(const char* path);

  static TFileSystemCalls& System();
};

// Removes the temporary files that replacements in the folder left behind when their process was
// killed: those of processes that no longer exist (and links planted at such names). A live
// process's files are never touched (it may be writing them). ofFile: only those of the file of
// that name. Returns the names removed.
std::vector<std::string> RemoveStaleTemporaryFiles(const std::string& folder, const std::string& ofFile = "");

// Replaces a file atomically: the contents go to a temporary file in the same folder, which is
// flushed to disk and renamed over the target; then the folder itself is flushed. A reader sees
// either the whole old file or the whole new one, also after a crash at any moment. Temporary files
// of the same target that a killed process left behind are removed first.
//
// Once the rename is done the file is replaced: should flushing the folder fail after it, that is
// not an error (a caller told so would undo or repeat a change that was made) but a warning, handed
// to the warning callback (standard error without one): the change may not survive a power loss.
class TAtomicFileWriter : public TFileWriter {
 public:
  using TWarning = std::function<void(const std::string& message)>;
  void SetOnWarning(TWarning onWarning) { OnWarning_ = std::move(onWarning); }
  explicit TAtomicFileWriter(TFileSystemCalls& calls = TFileSystemCalls::System()) : Calls_(calls) {}
  using TFileWriter::ReplaceFile;
  void ReplaceFile(const std::string& path, std::string_view contents, TFileAccess access) override;

 private:
  void Warn(const std::string& path, const char* step, int error) const;

  TFileSystemCalls& Calls_;
  TWarning OnWarning_;
};
