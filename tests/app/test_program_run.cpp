#include <gtest/gtest.h>
#include <QDateTime>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <filesystem>

#include "tests/support/temporary_folder.h"

namespace {

// The real program, copied into a fresh program folder laid out as a new installation, run on the
// offscreen platform.
class ProgramRun : public ::testing::Test {
 protected:
  ProgramRun() {
    namespace fs = std::filesystem;
    fs::copy(KORET_EXECUTABLE, Folder_.File("koret"));
    fs::copy(std::string(KORET_RESOURCES_DIR), Folder_.Path(), fs::copy_options::recursive);
    fs::create_directory(Runtime_.File("run"));
    fs::permissions(Runtime_.File("run"), fs::perms::owner_all);
  }

  // Starts the program on the offscreen platform.
  void Start(QProcess& process) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(Runtime_.File("run")));
    process.setProcessEnvironment(env);
    process.start(QString::fromStdString(Folder_.File("koret")), {});
    EXPECT_TRUE(process.waitForStarted(5000));
  }

  // Starts the program, waits until it has written its first resource, then ends it with SIGTERM.
  int RunAndTerminate() {
    QProcess process;
    Start(process);
    for (int i = 0; i < 100 && Resources().find("KORET") == std::string::npos; ++i) QThread::msleep(50);
    QThread::msleep(300);
    process.terminate();  // SIGTERM
    EXPECT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return process.exitCode();
  }

  std::string Resources() const { return TTemporaryFolder::Read(Folder_.File("Data/resources.xml")); }
  std::string Config() const { return TTemporaryFolder::Read(Folder_.File("Config/Config.ini")); }

  TTemporaryFolder Folder_;
  TTemporaryFolder Runtime_;
};

TEST_F(ProgramRun, FirstStartMakesKoretAndSigtermSavesTheWindowState) {
  EXPECT_EQ(RunAndTerminate(), 0);
  const std::string resources = Resources();
  EXPECT_NE(resources.find("ResourceID=\"1\" Description=\"KORET\""), std::string::npos) << resources;
  const std::string config = Config();
  for (const char* key : {"ActiveResource=KORET", "ActTab=", "MFLeft=", "MFTop=", "Width=", "Height=", "CW=", "ShowWV=",
                          "WVWidth=", "[Calendar]", "Left=", "Top="})
    EXPECT_NE(config.find(key), std::string::npos) << key << " missing in\n" << config;

  EXPECT_EQ(RunAndTerminate(), 0);
  EXPECT_EQ(Resources(), resources) << "started again it keeps the same resource";
}

// A start-up error shows a box nobody answers: its message reaches standard error as one line,
// and SIGTERM closes the box and ends the program normally.
TEST_F(ProgramRun, SigtermClosesAnOpenErrorBoxAndTheErrorIsOnStandardError) {
  TTemporaryFolder::Write(Folder_.File("Data/events.xml"), "<DATAPACKET Version=\"2.0\"><METADATA>");
  QProcess process;
  Start(process);
  std::string errors;
  for (int i = 0; i < 200 && errors.find("events.xml") == std::string::npos; ++i) {
    process.waitForReadyRead(50);
    errors += process.readAllStandardError().toStdString();
  }
  QThread::msleep(300);  // the box is open by now
  process.terminate();
  EXPECT_TRUE(process.waitForFinished(5000)) << "the open box held the program";
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
  errors += process.readAllStandardError().toStdString();
  const size_t line = errors.find("koret: Error: Unable to open Events: ");
  ASSERT_NE(line, std::string::npos) << errors;
  const std::string first = errors.substr(line, errors.find('\n', line) - line);
  EXPECT_NE(first.find(Folder_.File("Data/events.xml")), std::string::npos) << "one line with its causes: " << first;
}

// An end asked from outside while a dialog is open (here the reminder of an event that is due)
// cancels the dialog and ends the program normally, saving what the exit saves.
TEST_F(ProgramRun, SigtermCancelsAnOpenDialogAndExitsNormally) {
  EXPECT_EQ(RunAndTerminate(), 0);  // the first start makes KORET, resource 1
  const QDateTime soon = QDateTime::currentDateTime().addSecs(120);
  const std::string at = soon.toString("yyyyMMddTHH:mm:00000").toStdString();
  const std::string end = soon.addSecs(3600).toString("yyyyMMddTHH:mm:00000").toStdString();
  std::string events = TTemporaryFolder::Read(Folder_.File("Data/events.xml"));
  events.insert(events.find("</ROWDATA>"), "<ROW RecordID=\"1\" StartTime=\"" + at + "\" EndTime=\"" + end +
                                               "\" ResourceID=\"1\" Description=\"Due now\" AlarmSet=\"TRUE\" "
                                               "AlarmAdvance=\"5\" AlarmAdvanceType=\"0\"/>");
  TTemporaryFolder::Write(Folder_.File("Data/events.xml"), events);
  std::filesystem::remove(Folder_.File("Config/Config.ini"));

  QProcess process;
  Start(process);
  QThread::msleep(2500);  // the reminder window opens within a second of the start
  process.terminate();
  EXPECT_TRUE(process.waitForFinished(5000)) << "the open dialog held the program";
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_NE(Config().find("ActTab="), std::string::npos) << "the exit saved the window state";
}

}  // namespace
