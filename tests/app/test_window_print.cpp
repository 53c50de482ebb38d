#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <array>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/calendar_window.h"
#include "app/main_window.h"
#include "app/preferences_window.h"
#include "app/secondary_windows.h"
#include "model/contact.h"
#include "model/contacts.h"
#include "model/day_number.h"
#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "platform/system_clock.h"
#include "print/qt/print_preview_window.h"
#include "print/qt/qt_print_target.h"
#include "store/headless_services.h"
#include "store/planner_files.h"
#include "tests/support/run_until.h"
#include "tests/support/temporary_folder.h"

namespace {

// A PDF document on A4 at 300 dots per inch, as koret-cli prints, written to a file when the
// print target goes.
class TPdfFileTarget : public TQtPdfTarget {
 public:
  explicit TPdfFileTarget(std::string path) : Path_(std::move(path)) {}
  ~TPdfFileTarget() override { std::ofstream(Path_, std::ios::binary) << Document().toStdString(); }

 private:
  std::string Path_;
};

std::string RunProgram(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(20000) || process.exitCode() != 0)
    return "failed: " + process.readAllStandardError().toStdString();
  return process.readAllStandardOutput().toStdString();
}

// The organizer's windows as the program puts them together, on a new installation whose
// settings ask for 12-hour times, with a week of events, tasks and contacts that were never shown
// (the window stays on its Events tab).
class WindowPrint : public ::testing::Test {
 protected:
  static bool Prepare(TTemporaryFolder& folder) {
    std::filesystem::copy(std::string(KORET_RESOURCES_DIR), folder.Path(), std::filesystem::copy_options::recursive);
    std::ofstream(folder.File("Config/Config.ini")) << "[General]\r\nTimeFormat=0\r\n";
    const QString data = QString::fromStdString(folder.File("Data"));
    for (const auto& [start, end, subject] :
         std::vector<std::array<const char*, 3>>{{"2026-12-09 06:30", "2026-12-09 07:00", "Early run"},
                                                 {"2026-12-09 12:00", "2026-12-09 13:00", "Lunch with Anna"},
                                                 {"2026-12-09 22:00", "2026-12-09 23:30", "Late call"},
                                                 {"2026-12-07 09:00", "2026-12-07 10:00", "Monday planning"},
                                                 {"2026-12-11 15:00", "2026-12-11 16:00", "Friday review"},
                                                 {"2026-12-12 10:00", "2026-12-12 11:00", "Saturday market"}})
      RunProgram(KORET_CLI, {"add-event", "--data", data, "--start", start, "--end", end, "--subject", subject});
    TSystemClock clock;
    THeadlessDesktop desktop;
    TAtomicFileWriter writer;
    TVpPlannerFiles files(TVpStoreServices{clock, desktop, desktop, desktop, desktop, desktop}, writer);
    files.SetDataFolder(folder.File("Data"));
    files.Connect();
    TVpFlexDataStore& store = files.Store();
    TVpResource* resource = store.Resources().FindResourceByName("KORET");
    store.SetActiveResource(resource);
    TVpTask* task = resource->Tasks().AddTask(store.GetNextID("Tasks"));
    task->SetDescription("File the taxes");
    task->SetPriority(2);
    task->SetChanged(true);
    store.PostTasks();
    for (const char* name : {"Ahlberg", "Brennan", "Castellano"}) {
      TVpContact* contact = resource->Contacts().AddContact(store.GetNextID("Contacts"));
      contact->SetLastName(name);
      contact->SetEMail(std::string(name) + ".with.a.rather.long.address@example-mail.org");
      contact->SetChanged(true);
    }
    store.PostContacts();
    files.Disconnect();
    return true;
  }

  WindowPrint() {
    Window.SetWindows(&Preferences, &Calendar, &About);
    Window.SetPrintTargets([this](bool choose) -> std::unique_ptr<TVpPrintTarget> {
      if (!choose) return std::make_unique<TQtPdfTarget>();  // the page the preview shows
      return std::make_unique<TPdfFileTarget>(Folder.File("window.pdf"));
    });
    Window.Created();
    RunUntil([this] { return Window.LifeCycle().Planner().Store().ActiveResource() != nullptr; }, 5000);
  }

  // The text of each page the window prints of the format over the range, through the preview's
  // Print.
  std::string WindowText(const QString& format, double from, double to) {
    std::filesystem::remove(Folder.File("window.pdf"));
    QTimer::singleShot(0, [&] {
      auto* preview = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
      if (preview == nullptr) return;
      preview->findChild<QComboBox*>("VpPrintFormatComboBox1")->setCurrentText(format);
      preview->SetDates(from, to);
      preview->findChild<QAction*>("actPrint")->trigger();
    });
    PrintEntry()->trigger();
    return RunProgram("pdftotext", {"-layout", QString::fromStdString(Folder.File("window.pdf")), "-"});
  }
  QAction* PrintEntry() {
    for (QAction* menu : Window.menuBar()->actions())
      if (menu->text() == "&File")
        for (QAction* entry : menu->menu()->actions())
          if (entry->text() == "&Print...") return entry;
    throw std::runtime_error("no Print... entry");
  }
  std::string CliText(const QString& format, const QString& from, const QString& to) {
    const QString pdf = QString::fromStdString(Folder.File("cli.pdf"));
    RunProgram(KORET_CLI, {"print", "--data", QString::fromStdString(Folder.File("Data")), "--formats",
                           QString::fromStdString(Folder.File("Config/PrintFormats.xml")), "--format", format, "--from",
                           from, "--to", to, "--pdf", pdf});
    return RunProgram("pdftotext", {"-layout", pdf, "-"});
  }

  TTemporaryFolder Folder;
  const bool Prepared = Prepare(Folder);
  TQtDesktop Desktop;
  TForm1 Window{Folder.Path().string(), Desktop};
  TfrmOpt Preferences{Desktop, Window.Owner(), &Window};
  TfrmCalendar Calendar{Desktop.Clock, Desktop.Locale, Window.Owner()};
  TAboutBox About{&Window};
};

// The hours the ruler of a printed day names, in order (12-hour labels as the settings ask).
std::vector<int> RulerHours(const std::string& text) {
  std::vector<int> hours;
  const std::regex label(R"(^ {0,2}(\d{1,2}) ?(am|pm|00)\b)");
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (std::regex_search(line, match, label)) hours.push_back(std::stoi(match[1]));
  }
  return hours;
}

TEST_F(WindowPrint, EveryShippedFormatPrintsFromTheWindowAsKoretCliPrintsIt) {
  const double monday = EncodeDate(2026, 12, 7), wednesday = EncodeDate(2026, 12, 9);
  struct TCase {
    const char* Format;
    double From;
    const char* CliFrom;
    std::vector<const char*> Shown;
  } const cases[] = {
      {"Day", wednesday, "2026-12-09", {"Early run", "Lunch with Anna", "Late call"}},
      {"Work Week", wednesday, "2026-12-09", {"Week of December 7, 2026", "planning", "Friday review"}},
      {"Week", wednesday, "2026-12-09", {"Week of December 7, 2026", "Monday planning", "Saturday market"}},
      {"Month", monday, "2026-12-07", {"December 2026", "6:30am Earl", "10:00pm Late"}},
      {"Task List", monday, "2026-12-07", {"File the taxes", "High"}},
      {"Address Book", monday, "2026-12-07", {"Ahlberg", "Brennan", "Castellano"}},
      {"Day and Tasks", wednesday, "2026-12-09", {"Late call", "File the taxes"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Format);
    const std::string window = WindowText(c.Format, c.From, c.From);
    EXPECT_EQ(window, CliText(c.Format, c.CliFrom, c.CliFrom));
    for (const char* shown : c.Shown) EXPECT_NE(window.find(shown), std::string::npos) << shown << "\n" << window;
  }
}

// The address book prints right after the start, though its tab was never shown, with every
// e-mail address whole, over as many lines as it needs.
TEST_F(WindowPrint, TheAddressBookPrintsEveryContactsWholeAddress) {
  std::string book = WindowText("Address Book", EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 7));
  std::erase_if(book, [](char c) { return c == ' ' || c == '\n'; });
  for (const char* name : {"Ahlberg", "Brennan", "Castellano"})
    EXPECT_NE(book.find(std::string(name) + "E-Mail:" + name + ".with.a.rather.long.address@example-mail.org"),
              std::string::npos)
        << name << "\n"
        << book;
}

// The day of events at 06:30, 12:00 and 22:00: all three print, on a ruler from 6 (the first
// event's hour) to 11 pm, in the 12-hour labels the settings ask for.
TEST_F(WindowPrint, APrintedDayHoldsItsEarlyAndLateEvents) {
  const std::string day = WindowText("Day", EncodeDate(2026, 12, 9), EncodeDate(2026, 12, 9));
  const std::vector<int> expected = {6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  EXPECT_EQ(RulerHours(day), expected) << day;
  for (const char* event : {"Early run", "Lunch with Anna", "Late call"})
    EXPECT_NE(day.find(event), std::string::npos) << event;
}

// The Work Week of a Thursday is Monday to Friday of that week, each named in full.
TEST_F(WindowPrint, AWorkWeekIsMondayToFridayOfTheChosenWeek) {
  const std::string week = WindowText("Work Week", EncodeDate(2026, 12, 10), EncodeDate(2026, 12, 10));
  std::string header;
  std::istringstream lines(week);
  for (std::string line; header.empty() && std::getline(lines, line);)
    if (line.find("Monday") != std::string::npos) header = line;
  const std::regex days(R"(Monday\b.*Tuesday\b.*Wednesday\b.*Thursday\b.*Friday\b)");
  EXPECT_TRUE(std::regex_search(header, days)) << header;
  EXPECT_EQ(header.find("Saturday"), std::string::npos);
  EXPECT_EQ(week.find("Saturday market"), std::string::npos);
  EXPECT_NE(week.find("Week of December 7, 2026"), std::string::npos);
}

}  // namespace
