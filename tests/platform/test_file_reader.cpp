#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <functional>

#include "platform/file_reader.h"
#include "tests/support/temporary_folder.h"

namespace fs = std::filesystem;

namespace {

// The message a read of the path raises; empty when the read succeeds.
std::string ReadError(const std::string& path, std::int64_t largest = kLargestReadableFile) {
  try {
    ReadWholeFile(path, largest);
  } catch (const EFileReadError& e) {
    return e.what();
  }
  return {};
}

struct TUnreadableCase {
  const char* Name;
  std::function<void(const std::string& path)> Make;
  const char* Reason;
};

// None of these may block or read without end: each is refused at once, naming the file and why.
TEST(FileReader, ReadsOnlyRegularFiles) {
  const TUnreadableCase cases[] = {
      {"named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, "named pipe"},
      {"link to an endless device", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, "device"},
      {"folder", [](const std::string& p) { fs::create_directory(p); }, "directory"},
  };
  for (const TUnreadableCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTemporaryFolder folder;
    const std::string path = folder.File("events.xml");
    c.Make(path);
    const std::string message = ReadError(path);
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find(c.Reason), std::string::npos) << message;
  }
}

TEST(FileReader, ReadsARegularFileThroughALinkAndTellsAMissingOne) {
  TTemporaryFolder folder;
  TTemporaryFolder::Write(folder.File("real.xml"), std::string("rows\0and more", 13));
  fs::create_symlink(folder.File("real.xml"), folder.File("link.xml"));
  EXPECT_EQ(ReadWholeFile(folder.File("link.xml")), std::string("rows\0and more", 13));
  EXPECT_EQ(ReadWholeFile(folder.File("missing.xml")), std::nullopt);
}

TEST(FileReader, RefusesFilesAboveTheLimit) {
  TTemporaryFolder folder;
  const std::string path = folder.File("events.xml");
  TTemporaryFolder::Write(path, std::string(100, 'x'));
  EXPECT_EQ(ReadWholeFile(path, 100)->size(), 100u);
  EXPECT_NE(ReadError(path, 99).find("larger than 99 bytes"), std::string::npos);
  // A file above the real limit is refused by its size, before anything is read; a sparse file
  // takes no room on the disk.
  ASSERT_EQ(::truncate(path.c_str(), kLargestReadableFile + 1), 0);
  EXPECT_NE(ReadError(path).find("larger than"), std::string::npos);
}

// A file that holds more than its size said when it was opened (the system's own files say 0) is
// read to its end, and still within the limit.
TEST(FileReader, ReadsAFileLongerThanItsSizeSaid) {
  const std::optional<std::string> status = ReadWholeFile("/proc/self/status");
  ASSERT_TRUE(status);
  EXPECT_NE(status->find("Name:"), std::string::npos);
  EXPECT_NE(status->find("VmRSS:"), std::string::npos) << "read to its end";
  EXPECT_NE(ReadError("/proc/self/status", 10).find("larger than 10 bytes"), std::string::npos);
}

}  // namespace
