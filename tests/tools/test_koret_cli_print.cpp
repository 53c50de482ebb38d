#include <gtest/gtest.h>

#include <sys/wait.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/contact.h"
#include "model/contacts.h"
#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "platform/system_clock.h"
#include "print/format_designer.h"
#include "store/planner_files.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temporary_folder.h"
#include "tools/koret_cli/headless_services.h"

namespace {

// A shell command's exit code and standard output; standard error is left to the test log.
struct TRun {
  int Code = -1;
  std::string Output;
};

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

TRun RunCommand(const std::vector<std::string>& words) {
  std::string command;
  for (const std::string& word : words) command += Quoted(word) + " ";
  TRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.Output.append(buffer, n);
  const int status = ::pclose(pipe);
  run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

size_t Occurrences(const std::string& text, const std::string& word) {
  size_t count = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++count;
  return count;
}

// A data folder, koret-cli printing from it, and pdfinfo and pdftotext
// reading what it wrote.
class KoretCliPrint : public ::testing::Test {
 protected:
  KoretCliPrint() { EXPECT_EQ(Cli({"create-tables"}).Code, 0); }

  // koret-cli on the folder's data, printing with the shipped formats.
  TRun Cli(std::vector<std::string> args) {
    args.insert(args.begin(), KORET_CLI);
    if ((args[1] == "print" || args[1] == "formats") && std::find(args.begin(), args.end(), "--formats") == args.end())
      args.insert(args.begin() + 2, {"--formats", KORET_RESOURCES_DIR "/Config/PrintFormats.xml"});
    if (args[1] != "formats") args.insert(args.begin() + 2, {"--data", Folder.File("Data")});
    // Printed dates follow the desktop's locale; these tests read them in the United States'.
    args.insert(args.begin(), {"env", "LC_ALL=" + Locale});
    return RunCommand(args);
  }
  void AddEvent(const std::string& day, const std::string& subject) {
    ASSERT_EQ(Cli({"add-event", "--start", day + " 09:00", "--end", day + " 10:00", "--subject", subject}).Code, 0);
  }
  // Tasks and contacts through the store, as the organizer adds them.
  void AddTasksAndContacts(int tasks, int contacts) {
    TSystemClock clock;
    THeadlessDesktop desktop;
    TAtomicFileWriter writer;
    TVpPlannerFiles files(TVpStoreServices{clock, desktop, desktop, desktop, desktop, desktop}, writer);
    files.SetDataFolder(Folder.File("Data"));
    files.Connect();
    TVpFlexDataStore& store = files.Store();
    TVpResource* resource = store.Resources().FindResourceByName("KORET");
    ASSERT_NE(resource, nullptr) << "add an event first";
    store.SetActiveResource(resource);
    for (int i = 0; i < tasks; ++i) {
      TVpTask* task = resource->Tasks().AddTask(store.GetNextID("Tasks"));
      task->SetDescription("Task" + std::to_string(1000 + i));
      task->SetChanged(true);
    }
    store.PostTasks();
    for (int i = 0; i < contacts; ++i) {
      TVpContact* contact = resource->Contacts().AddContact(store.GetNextID("Contacts"));
      contact->SetLastName("Contact" + std::to_string(1000 + i));
      contact->SetChanged(true);
    }
    store.PostContacts();
    files.Disconnect();
  }
  // Prints and returns the text of each page; with the shipped formats unless a file is given.
  std::vector<std::string> Print(const std::string& format, const std::string& from, const std::string& to,
                                 const std::string& formats = "") {
    const std::string pdf = Folder.File("out.pdf");
    std::vector<std::string> args = {"print", "--format", format, "--from", from, "--to", to, "--pdf", pdf};
    if (!formats.empty()) args.insert(args.end(), {"--formats", formats});
    const TRun run = Cli(args);
    EXPECT_EQ(run.Code, 0) << format;
    const TRun info = RunCommand({"pdfinfo", pdf});
    const size_t at = info.Output.find("Pages:");
    const int pageCount = at == std::string::npos ? -1 : std::stoi(info.Output.substr(at + 6));
    std::vector<std::string> pages;
    std::string text = RunCommand({"pdftotext", "-layout", pdf, "-"}).Output;
    for (size_t end; (end = text.find('\f')) != std::string::npos; text.erase(0, end + 1))
      pages.push_back(text.substr(0, end));
    EXPECT_EQ(static_cast<int>(pages.size()), pageCount) << "pdftotext and pdfinfo agree on " << format;
    return pages;
  }

  TTemporaryFolder Folder;
  std::string Locale = "en_US.UTF-8";
};

// The designer's editors and save dialog as the test answers them: each element editor is filled
// as the user would fill it and confirmed.
class TScriptedDesignerWindows : public TVpFormatDesignerWindows {
 public:
  bool EditFormat(TVpFormatEditForm& form) override {
    form.Name = "Designed";
    return true;
  }
  bool EditElement(TVpElementEditForm& form) override {
    if (Elements.empty()) return false;
    Elements.front()(form);
    Elements.pop_front();
    return true;
  }
  std::optional<std::string> ChooseFileToOpen() override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const std::string&) override { return SaveAs; }

  std::deque<std::function<void(TVpElementEditForm&)>> Elements;
  std::string SaveAs;
};

struct TShippedFormat {
  const char* Name;
  size_t Pages;                    // over 2026-12-07..2026-12-13
  std::vector<const char*> Texts;  // each shows on the first page
};

TEST_F(KoretCliPrint, EveryShippedFormatPrintsItsPagesWithTheirTexts) {
  AddEvent("2026-12-07", "Plan");
  AddEvent("2026-12-10", "Demo");
  AddTasksAndContacts(3, 3);
  const std::vector<TShippedFormat> formats = {
      {"Day", 7, {"Monday, December 7, 2026", "Plan", "Page 1"}},
      {"Work Week", 1, {"Week of December 7, 2026", "Plan", "Demo"}},
      {"Week", 1, {"Plan", "Demo", "Thursday"}},
      {"Month", 1, {"December 2026", "Plan", "Demo"}},
      {"Task List", 1, {"Tasks of KORET", "Task1000", "Task1002"}},
      {"Address Book", 1, {"Contacts of KORET", "Contact1000", "Contact1002"}},
      {"Day and Tasks", 7, {"Plan", "Task1000", "Task1002"}},
  };
  std::string listed, names;
  for (const TShippedFormat& format : formats) listed += format.Name + std::string("\n");
  std::istringstream lines(Cli({"formats"}).Output);
  for (std::string line; std::getline(lines, line);) names += line.substr(0, line.find('\t')) + "\n";
  EXPECT_EQ(names, listed) << "formats lists every shipped format in order";
  for (const TShippedFormat& format : formats) {
    const std::vector<std::string> pages = Print(format.Name, "2026-12-07", "2026-12-13");
    ASSERT_EQ(pages.size(), format.Pages) << format.Name;
    for (const char* text : format.Texts)
      EXPECT_NE(pages[0].find(text), std::string::npos) << format.Name << ": " << text;
  }
}

// A format made with the designer's commands, saved, and read again is the same format, and
// prints its caption variables, its shape and its day view.
TEST_F(KoretCliPrint, AFormatMadeInTheDesignerPrintsFromItsSavedFile) {
  AddEvent("2026-12-07", "Plan");
  TFakeMessagePoster poster;
  TAtomicFileWriter writer;
  TFakeMessageBoxes messages;
  TScriptedDesignerWindows windows;
  windows.SaveAs = Folder.File("Designed formats.xml");
  windows.Elements = {
      [](TVpElementEditForm& form) {
        form.Name = "Header";
        form.ItemType = itCaption;
        form.SetCaptionText("Printed $LongDate, page $Page");
        form.SetFieldText(efHeight, "8");
      },
      [](TVpElementEditForm& form) {
        form.Name = "Rule";
        form.ItemType = itShape;
        form.Shape().Shape = ustBottomLine;
        form.Shape().Pen.Color = clRed;
        form.SetFieldText(efTop, "8");
        form.SetFieldText(efHeight, "2");
      },
      [](TVpElementEditForm& form) {
        form.Name = "Day";
        form.SetFieldText(efTop, "10");
        form.SetFieldText(efHeight, "90");
      },
  };
  TVpPrinter designed{poster, writer};
  TVpFormatDesigner designer(designed, messages, windows);
  designer.NewFormat();
  for (int i = 0; i < 3; ++i) designer.NewElement();
  designer.MoveElement(-1);  // the day view goes before the rule
  ASSERT_TRUE(designer.SaveFile());
  EXPECT_TRUE(messages.Shown.empty());

  TVpPrinter loaded{poster, writer};
  EXPECT_EQ(loaded.ReadFormatsFile(windows.SaveAs, false), "");
  ASSERT_EQ(loaded.PrintFormats().size(), 1u);
  EXPECT_TRUE(loaded.PrintFormats() == designed.PrintFormats());
  const std::vector<std::string> pages = Print("Designed", "2026-12-07", "2026-12-08", windows.SaveAs);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages[0].find("Printed Monday, December 7, 2026, page 1"), std::string::npos) << pages[0];
  EXPECT_NE(pages[0].find("Plan"), std::string::npos);
  EXPECT_NE(pages[1].find("Printed Tuesday, December 8, 2026, page 2"), std::string::npos) << pages[1];
}

TEST_F(KoretCliPrint, TheDayFormatGivesEachDayItsPageWithItsEvents) {
  for (int day = 7; day <= 13; ++day)
    AddEvent((day < 10 ? "2026-12-0" : "2026-12-") + std::to_string(day), "Event" + std::to_string(day));
  const std::vector<std::string> pages = Print("Day", "2026-12-07", "2026-12-13");
  ASSERT_EQ(pages.size(), 7u);
  for (int page = 0; page < 7; ++page)
    for (int day = 7; day <= 13; ++day)
      EXPECT_EQ(Occurrences(pages[page], "Event" + std::to_string(day)), page + 7 == day ? 1u : 0u)
          << "page " << page + 1 << ", event of the " << day;
}

TEST_F(KoretCliPrint, TheMonthFormatGivesOnePagePerMonth) {
  AddEvent("2026-11-20", "Nov20");
  AddEvent("2027-01-05", "Jan05");
  const std::vector<std::string> pages = Print("Month", "2026-11-01", "2027-01-31");
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_NE(pages[0].find("November 2026"), std::string::npos);
  EXPECT_NE(pages[0].find("Nov20"), std::string::npos);
  EXPECT_NE(pages[1].find("December 2026"), std::string::npos);
  EXPECT_NE(pages[2].find("January 2027"), std::string::npos);
  EXPECT_NE(pages[2].find("Jan05"), std::string::npos);
}

TEST_F(KoretCliPrint, FiveHundredContactsSpreadOverPagesEachShownOnce) {
  AddEvent("2026-12-07", "Anything");
  AddTasksAndContacts(0, 500);
  const std::vector<std::string> pages = Print("Address Book", "2026-12-07", "2026-12-07");
  EXPECT_GT(pages.size(), 1u);
  std::string all;
  for (const std::string& page : pages) all += page;
  for (int i = 0; i < 500; ++i)
    ASSERT_EQ(Occurrences(all, "Contact" + std::to_string(1000 + i)), 1u) << "contact " << i;
}

TEST_F(KoretCliPrint, AMonthOfDayPagesPrintsWithinASecond) {
  AddEvent("2026-12-07", "Anything");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Print("Day", "2026-12-01", "2026-12-31").size(), 31u);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("31 one-day pages, with pdfinfo and pdftotext: %.3f s\n", seconds);
  EXPECT_LT(seconds, 5.0) << "far over the budget of one second";
}

TEST_F(KoretCliPrint, AFailedPrintLeavesTheOldFileAndSaysWhy) {
  const std::string pdf = Folder.File("kept.pdf");
  std::ofstream(pdf) << "old";
  std::ofstream(Folder.File("broken.xml")) << "<PrintFormats><Format Name=\"A\"";
  const std::vector<std::vector<std::string>> failing = {
      {"print", "--format", "Nonexistent", "--from", "2026-12-07", "--pdf", pdf},
      {"print", "--format", "Day", "--from", "2026-12-07", "--pdf", pdf, "--formats", Folder.File("missing.xml")},
      {"print", "--format", "A", "--from", "2026-12-07", "--pdf", pdf, "--formats", Folder.File("broken.xml")},
      {"print", "--format", "Day", "--from", "2026-12-07", "--resource", "Nobody", "--pdf", pdf},
  };
  for (const auto& args : failing) {
    EXPECT_EQ(Cli(args).Code, 1) << args[2] << " " << args.back();
    std::ifstream kept(pdf);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");
  }
  EXPECT_EQ(Cli({"print", "--format", "Day", "--from", "2026-12-07", "--pdf", Folder.File("no/such/folder.pdf")}).Code,
            1);
}

// The words of a PDF page with their boxes in points, as pdftotext -bbox gives them.
struct TWord {
  std::string Text;
  double Left = 0, Top = 0;
};
std::vector<TWord> Words(const std::string& pdf) {
  const std::string html = RunCommand({"pdftotext", "-bbox", pdf, "-"}).Output;
  const std::regex word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
  std::vector<TWord> words;
  for (std::sregex_iterator at(html.begin(), html.end(), word), end; at != end; ++at)
    words.push_back({(*at)[3], std::stod((*at)[1]), std::stod((*at)[2])});
  return words;
}

// Events at 06:30, 12:00 and 22:00 all print, on a ruler from 6 to 23, inside the organizer's
// margins: 40 screen pixels (30 points) at the sides and 75 (56.25 points) at the top, within the
// 10 mm (28.35 points) the PDF page keeps itself.
TEST_F(KoretCliPrint, ADayPrintsItsEarlyAndLateEventsInsideTheMargins) {
  for (const auto& [start, subject] :
       std::vector<std::pair<std::string, std::string>>{{"06:30", "Early"}, {"12:00", "Noon"}, {"22:00", "Late"}}) {
    ASSERT_EQ(
        Cli({"add-event", "--start", "2026-12-09 " + start, "--end", "2026-12-09 23:59", "--subject", subject}).Code,
        0);
  }
  const std::vector<std::string> pages = Print("Day", "2026-12-09", "2026-12-09");
  ASSERT_EQ(pages.size(), 1u);
  for (const char* subject : {"Early", "Noon", "Late"}) EXPECT_NE(pages[0].find(subject), std::string::npos);
  std::vector<int> hours;
  std::istringstream lines(pages[0]);
  for (std::string line; std::getline(lines, line);) {
    std::smatch label;
    if (std::regex_search(line, label, std::regex(R"(^ {0,2}(\d{1,2}) 00)"))) hours.push_back(std::stoi(label[1]));
  }
  std::vector<int> expected;
  for (int hour = 6; hour <= 23; ++hour) expected.push_back(hour);
  EXPECT_EQ(hours, expected);

  const std::vector<TWord> words = Words(Folder.File("out.pdf"));
  ASSERT_FALSE(words.empty());
  EXPECT_EQ(words[0].Text, "Wednesday,");
  EXPECT_NEAR(words[0].Left, 28.35 + 30, 1.0);
  EXPECT_GE(words[0].Top, 28.35 + 56.25 - 0.5);
  EXPECT_LT(words[0].Top, 28.35 + 56.25 + 4);
}

// Printed dates follow the desktop's language, $LongDate the desktop's long date.
TEST_F(KoretCliPrint, DatesAreInTheDesktopsLanguage) {
  AddEvent("2026-12-09", "Termin");
  std::ofstream(Folder.File("long date.xml"))
      << "<VpPrintFormats><PrintFormat Name=\"L\"><Element Item=\"Caption\" Width=\"100\" Height=\"5\">"
         "<Caption Caption=\"$LongDate\"/></Element></PrintFormat></VpPrintFormats>";
  Locale = "de_DE.UTF-8";
  EXPECT_NE(Print("L", "2026-12-09", "2026-12-09", Folder.File("long date.xml"))[0].find("Mittwoch, 9. Dezember 2026"),
            std::string::npos);
  EXPECT_NE(Print("Day", "2026-12-09", "2026-12-09")[0].find("Mittwoch, Dezember 9, 2026"), std::string::npos);
  Locale = "en_US.UTF-8";
  EXPECT_NE(Print("L", "2026-12-09", "2026-12-09", Folder.File("long date.xml"))[0].find("Wednesday, December 9, 2026"),
            std::string::npos);
}

// The organizer's settings beside the data folder are followed: 12-hour times on the ruler.
TEST_F(KoretCliPrint, TheOrganizersSettingsAreFollowed) {
  AddEvent("2026-12-09", "Meeting");
  std::filesystem::create_directories(Folder.File("Config"));
  std::ofstream(Folder.File("Config/Config.ini")) << "[General]\r\nTimeFormat=0\r\n";
  const std::string page = Print("Day", "2026-12-09", "2026-12-09")[0];
  EXPECT_NE(page.find("12pm"), std::string::npos) << page;
  std::ofstream(Folder.File("Config/Config.ini")) << "[General]\r\nTimeFormat=1\r\n";
  EXPECT_EQ(Print("Day", "2026-12-09", "2026-12-09")[0].find("pm"), std::string::npos);
}

}  // namespace
