#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/file_writer.h"
#include "tests/support/temporary_folder.h"

namespace {

// The steps of a replacement, in the order it takes them.
enum TStep { stCreate, stWrite, stFlush, stClose, stRename, stOpenFolder, stFlushFolder };

// System calls that fail at one chosen step and count the others.
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

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(AtomicFileWriter, ReplacesContentsAndCreatesMissingFiles) {
  TTemporaryFolder folder;
  TAtomicFileWriter writer;
  const std::string path = folder.File("events.xml");
  writer.ReplaceFile(path, "first");
  EXPECT_EQ(TTemporaryFolder::Read(path), "first");
  writer.ReplaceFile(path, std::string("second\0with nul", 15));
  EXPECT_EQ(TTemporaryFolder::Read(path), std::string("second\0with nul", 15));
  writer.ReplaceFile(path, "");
  EXPECT_EQ(TTemporaryFolder::Read(path), "");
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"events.xml"});
}

TEST(AtomicFileWriter, KeepsThePermissionsOfTheOldFile) {
  TTemporaryFolder folder;
  const std::string path = folder.File("Config.ini");
  TTemporaryFolder::Write(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  TAtomicFileWriter().ReplaceFile(path, "new");
  struct stat st{};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(AtomicFileWriter, ReplacesTheFileALinkPointsTo) {
  TTemporaryFolder folder;
  const std::string target = folder.File("real.xml");
  const std::string link = folder.File("link.xml");
  TTemporaryFolder::Write(target, "old");
  std::filesystem::create_symlink(target, link);
  TAtomicFileWriter().ReplaceFile(link, "new");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TTemporaryFolder::Read(target), "new");
}

TEST(AtomicFileWriter, SurvivesPartialWrites) {
  TTemporaryFolder folder;
  TFailingCalls calls(std::nullopt);
  const std::string path = folder.File("tasks.xml");
  TAtomicFileWriter(calls).ReplaceFile(path, "a longer text than three bytes");
  EXPECT_EQ(TTemporaryFolder::Read(path), "a longer text than three bytes");
}

struct TFailureCase {
  const char* Name;
  TStep Step;
  const char* StepText;  // what the message says failed
};

class AtomicFileWriterFailure : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(AtomicFileWriterFailure, LeavesTheOldFileIntactAndNoTemporaryFile) {
  TTemporaryFolder folder;
  const std::string path = folder.File("contacts.xml");
  const std::string old = "old contents\r\nline two";
  TTemporaryFolder::Write(path, old);
  TFailingCalls calls(GetParam().Step, ENOSPC);
  try {
    TAtomicFileWriter(calls).ReplaceFile(path, "new contents that never arrive");
    FAIL() << "no error raised";
  } catch (const EFileWriteError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().StepText), std::string::npos) << message;
    EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
  }
  EXPECT_EQ(TTemporaryFolder::Read(path), old);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"contacts.xml"});
}

INSTANTIATE_TEST_SUITE_P(EachStep, AtomicFileWriterFailure,
                         ::testing::Values(TFailureCase{"Create", stCreate, "create temporary file"},
                                           TFailureCase{"Write", stWrite, "write"},
                                           TFailureCase{"Flush", stFlush, "flush"},
                                           TFailureCase{"Close", stClose, "close"},
                                           TFailureCase{"Rename", stRename, "rename"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(AtomicFileWriter, AFailedFolderFlushIsReportedAfterTheRename) {
  TTemporaryFolder folder;
  const std::string path = folder.File("recordids.xml");
  TFailingCalls calls(stFlushFolder);
  EXPECT_THROW(TAtomicFileWriter(calls).ReplaceFile(path, "new"), EFileWriteError);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"recordids.xml"});
}

TEST(AtomicFileWriter, AFolderThatCannotFlushStillSucceeds) {
  TTemporaryFolder folder;
  const std::string path = folder.File("resources.xml");
  TFailingCalls calls(stFlushFolder, EINVAL);
  TAtomicFileWriter(calls).ReplaceFile(path, "new");
  EXPECT_EQ(TTemporaryFolder::Read(path), "new");
}

TEST(AtomicFileWriter, AMissingFolderIsAnError) {
  TTemporaryFolder folder;
  EXPECT_THROW(TAtomicFileWriter().ReplaceFile(folder.File("no/such/folder/file.xml"), "x"), EFileWriteError);
}

}  // namespace
