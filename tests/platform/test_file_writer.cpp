#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>

#include "platform/file_writer.h"
#include "tests/support/failing_file_calls.h"
#include "tests/support/temporary_folder.h"

namespace {

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

// Who may read a written file: a replaced file keeps its mode, a new one is 0666 less the umask, a
// private one is the owner's alone whatever it was.
TEST(AtomicFileWriter, TheModeFollowsTheOldFileTheUmaskOrPrivacy) {
  const struct {
    mode_t Umask;
    int Before;  // the old file's mode; -1: no file
    TFileAccess Access;
    mode_t After;
  } kCases[] = {
      {022, -1, faAsBefore, 0644},   {077, -1, faAsBefore, 0600},    {002, -1, faAsBefore, 0664},
      {022, 0600, faAsBefore, 0600}, {077, 0644, faAsBefore, 0644},  {022, 0640, faAsBefore, 0640},
      {022, -1, faOwnerOnly, 0600},  {022, 0644, faOwnerOnly, 0600}, {000, 0666, faOwnerOnly, 0600},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(c.Umask) + " " + std::to_string(c.Before) + " " + std::to_string(c.Access));
    TTemporaryFolder folder;
    const std::string path = folder.File("Config.ini");
    if (c.Before >= 0) {
      TTemporaryFolder::Write(path, "old");
      ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.Before)), 0);
    }
    const mode_t before = ::umask(c.Umask);
    TAtomicFileWriter().ReplaceFile(path, "new", c.Access);
    ::umask(before);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, c.After);
  }
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

// Once the rename is done the change is made: a folder that cannot be flushed afterwards is a
// warning naming the file, never an error that would have the change undone or repeated.
TEST(AtomicFileWriter, AFolderFlushFailingAfterTheRenameIsAWarning) {
  for (const auto& [step, text] : {std::pair{stOpenFolder, "(open folder): Input/output error"},
                                   std::pair{stFlushFolder, "(flush folder): Input/output error"}}) {
    TTemporaryFolder folder;
    const std::string path = folder.File("recordids.xml");
    TFailingCalls calls(step);
    TAtomicFileWriter writer(calls);
    std::vector<std::string> warnings;
    writer.SetOnWarning([&](const std::string& message) { warnings.push_back(message); });
    writer.ReplaceFile(path, "new");
    EXPECT_EQ(TTemporaryFolder::Read(path), "new");
    ASSERT_EQ(warnings.size(), 1u) << text;
    EXPECT_EQ(warnings[0], "\"" + path + "\" was written, but its folder could not be flushed " + text +
                               "; the change may not survive a power loss");
  }
}

// A killed export leaves its temporary file beside the target: the next write of that file
// removes it (and a link planted at such a name), those of other files and live writers stay.
TEST(AtomicFileWriter, RemovesTheTargetsStaleTemporaryFiles) {
  TTemporaryFolder folder;
  const std::string gone = std::to_string(std::numeric_limits<int>::max() - 3);  // no such process
  const std::string live = std::to_string(::getpid());
  for (const std::string& name : {".out.ics.tmp-" + gone + "-0", ".out.ics.tmp-" + live + "-7",
                                  ".other.ics.tmp-" + gone + "-0", "out.ics.tmp-" + gone + "-0"})
    TTemporaryFolder::Write(folder.File(name), std::string(1000, 'x'));
  std::filesystem::create_symlink(folder.File("victim"), folder.File(".out.ics.tmp-" + gone + "-1"));
  TAtomicFileWriter().ReplaceFile(folder.File("out.ics"), "calendar");
  EXPECT_EQ(FolderEntries(folder.Path()),
            (std::vector<std::string>{".other.ics.tmp-" + gone + "-0", ".out.ics.tmp-" + live + "-7", "out.ics",
                                      "out.ics.tmp-" + gone + "-0"}));
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
