#include "bench/planner_folder.h"

#include <filesystem>
#include <random>

#include "model/date_stamps.h"
#include "model/day_number.h"
#include "platform/file_writer.h"
#include "store/data_packet.h"
#include "store/planner_files.h"

namespace {

std::string Attr(const char* name, const std::string& value) { return std::string(" ") + name + "=\"" + value + "\""; }

std::string Stamp(double value) {
  const TVpDate d = DecodeDate(value);
  const TVpTime t = DecodeTime(value);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d:%02d:%02d%03d", d.Year, d.Month, d.Day, t.Hour, t.Minute,
                t.Second, t.Millisecond);
  return text;
}

}  // namespace

// A Data folder with one resource and the given numbers of events (over the days before the end of
// 2029, a tenth of them repeating), contacts and tasks.
std::string MakeFolder(int events, int contacts, int tasks, bool walked, int days) {
  const std::string folder =
      (std::filesystem::temp_directory_path() /
       ("koret-bench-" + std::to_string(events) + "-" + std::to_string(contacts) + "-" + std::to_string(tasks) +
        (walked ? "-walked" : "") + (days != 3650 ? "-" + std::to_string(days) + "days" : "")))
          .string();
  std::filesystem::create_directories(folder);
  TAtomicFileWriter writer;
  std::mt19937 random(7);
  auto table = [&](const std::string& name, const char* file, int count, auto row) {
    std::string text = EmptyTableText(name);
    std::string rows;
    for (int i = 1; i <= count; ++i) rows += "<ROW" + row(i) + "/>";
    text.insert(text.find("</ROWDATA>"), rows);
    // Written as the program writes its tables, so that loading sees the program's own files.
    TFieldDefs fields;
    std::vector<TRowValues> values;
    ReadDataPacket(text, fields, values);
    writer.ReplaceFile(folder + "/" + file, FormatDataPacket(fields, values));
  };
  table("Resources", TVpPlannerFiles::kResourcesFile, 1,
        [](int) { return Attr("ResourceID", "1") + Attr("Description", "KORET") + Attr("ResourceActive", "TRUE"); });
  const double first = EncodeDate(2020, 1, 1) + 3650 - days;
  table("Events", TVpPlannerFiles::kEventsFile, events, [&](int i) {
    const double start = first + static_cast<int>(random() % static_cast<unsigned>(days)) + (8 + random() % 10) / 24.0;
    std::string row = Attr("RecordID", std::to_string(i)) + Attr("ResourceID", "1") + Attr("StartTime", Stamp(start)) +
                      Attr("EndTime", Stamp(start + 1.0 / 24)) +
                      Attr("Description", "Meeting &amp; notes " + std::to_string(i)) +
                      Attr("Notes", "Room 4 – Ärzteweg&#013;&#010;bring the slides") + Attr("Category", "2") +
                      Attr("AllDayEvent", "FALSE") + Attr("AlarmSet", "TRUE") + Attr("AlarmAdvance", "15") +
                      Attr("AlarmAdvanceType", "0");
    if (i % 10 != 0) return row;
    row += Attr("RepeatRangeEnd", Stamp(start + 365));
    if (!walked || i % 30 != 0) row += Attr("RepeatCode", "2");
    if (!walked) return row;
    if (i % 30 == 0) {
      row += Attr("RepeatRule", "FREQ=WEEKLY;BYDAY=MO,WE,FR;UNTIL=" + StampText(start + 365, false));
    } else if (i % 30 == 10) {
      row += Attr("ExceptionDates", StampText(start + 7, false) + "," + StampText(start + 14, false));
    } else {
      row += Attr("TimeZone", "America/New_York") + Attr("ZoneStartTime", Stamp(start - 6.0 / 24));
    }
    return row;
  });
  table("Contacts", TVpPlannerFiles::kContactsFile, contacts, [](int i) {
    return Attr("RecordID", std::to_string(i)) + Attr("ResourceID", "1") + Attr("FirstName", "Anna") +
           Attr("LastName", "Müller " + std::to_string(i)) + Attr("Company", "Koret &amp; Co") +
           Attr("Phone1", "+49 30 1234") + Attr("PhoneType1", "15") + Attr("EMail", "anna@example.org");
  });
  table("Tasks", TVpPlannerFiles::kTasksFile, tasks, [](int i) {
    return Attr("RecordID", std::to_string(i)) + Attr("ResourceID", "1") +
           Attr("Description", "Task " + std::to_string(i)) + Attr("Complete", i % 3 ? "FALSE" : "TRUE") +
           Attr("Priority", "1");
  });
  table("RecordIDS", TVpPlannerFiles::kRecordIDsFile, 1, [&](int) {
    return Attr("ResourceID", "1") + Attr("EventID", std::to_string(events)) + Attr("TaskID", std::to_string(tasks)) +
           Attr("ContactID", std::to_string(contacts));
  });
  return folder;
}
