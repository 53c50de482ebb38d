#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TVpEvent;
class TVpTask;

// An event as it travels through a calendar file: the event's own fields in the planner's terms
// (local date-times as day numbers) plus what the file identifies it by. The category travels by
// its description; the caller resolves it to one of the ten categories.
struct TIcalEvent {
  std::string Uid;
  std::string Description;
  std::string Notes;
  std::string Location;
  std::string CategoryName;
  double StartTime = 0;
  double EndTime = 0;
  bool AllDayEvent = false;
  bool AlarmSet = false;
  int AlarmAdvance = 0;
  std::uint8_t AlarmAdvanceType = 0;  // TVpAlarmAdvanceType
  std::uint8_t RepeatCode = 0;        // TVpRepeatCode
  double RepeatRangeEnd = 0;
  int CustomInterval = 0;
  // The event's zone and its start on that zone's clock (see TVpEvent); empty and 0 for a floating
  // or all-day event.
  std::string TimeZone;
  double ZoneStartTime = 0;
  // A rule in calendar-file form where no repeat code says it as the file wrote it (a count, an
  // end other than a day's last second, ...); exception and extra dates as stamps on the event's
  // own clock (see TVpEvent).
  std::string RepeatRule;
  std::string ExceptionDates;
  std::string ExtraDates;
  // For one occurrence changed on its own: its start in the series (same UID), on the series'
  // clock; 0 for any other event.
  double OriginalStart = 0;
  // The file's lines the organizer holds no field for, as calendar-file text.
  std::string KeptProperties;
  bool IsOverride() const { return OriginalStart != 0; }
  friend bool operator==(const TIcalEvent&, const TIcalEvent&) = default;
};

// The event's start on its own clock: its zone's for a zoned event, else local.
double OwnStartOf(const TIcalEvent& event);

// A task as it travels through a calendar file.
struct TIcalTask {
  std::string Uid;
  std::string Description;
  std::string Details;
  std::string CategoryName;
  int Priority = 0;  // 0 none, 1 highest to 9 lowest, as calendar files count it
  bool Complete = false;
  double CompletedOn = 0;
  double CreatedOn = 0;
  double DueDate = 0;  // a whole day, 0 for none
  friend bool operator==(const TIcalTask&, const TIcalTask&) = default;
};

// What happened to one item of a file on the way in, for the import summary.
enum TIcalNoteKind {
  inChanged,  // taken in, but not exactly as the file had it (the reason says how)
  inSkipped   // left out (the reason says why)
};

struct TIcalItemNote {
  TIcalNoteKind Kind = inChanged;
  std::string Uid;
  std::string Summary;
  std::string Reason;
};

struct TIcalContent {
  std::vector<TIcalEvent> Events;
  std::vector<TIcalTask> Tasks;
  std::vector<TIcalItemNote> Notes;
};

// Between the travelling form and the planner's records. Category, record ID and resource are the
// caller's business and are left alone.
void CopyToEvent(const TIcalEvent& item, TVpEvent& event);
TIcalEvent IcalEventFrom(const TVpEvent& event);
void CopyToTask(const TIcalTask& item, TVpTask& task);
TIcalTask IcalTaskFrom(const TVpTask& task);
