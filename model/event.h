#pragma once

#include <cstdint>
#include <string>

#include "model/occurrence_cache.h"
#include "model/record.h"

class TVpSchedule;

// A calendar event (appointment) of a resource, owned by the resource's schedule. Date-times are
// stored on whole milliseconds. Setters follow the record rule: a differing value is stored and
// marks the event changed.
class TVpEvent : public TVpRecord {
 public:
  explicit TVpEvent(TVpSchedule* owner = nullptr) : Owner_(owner) {}

  // The schedule holding the event, or nullptr.
  TVpSchedule* Owner() const { return Owner_; }

  bool Deleted() const { return Deleted_; }
  void SetDeleted(bool value) { Store(Deleted_, value); }

  // Key in the Events table; -1 while none has been assigned.
  int RecordID() const { return RecordID_; }
  void SetRecordID(int value) { Store(RecordID_, value); }

  const std::string& Description() const { return Description_; }
  void SetDescription(std::string value) { Store(Description_, std::move(value)); }
  const std::string& Notes() const { return Notes_; }
  void SetNotes(std::string value) { Store(Notes_, std::move(value)); }
  // Where the event takes place; empty when not given.
  const std::string& Location() const { return Location_; }
  void SetLocation(std::string value) { Store(Location_, std::move(value)); }
  // Index into the ten categories.
  int Category() const { return Category_; }
  void SetCategory(int value) { Store(Category_, value); }

  double StartTime() const { return StartTime_; }
  void SetStartTime(double value);
  double EndTime() const { return EndTime_; }
  void SetEndTime(double value);

  // Switching it on makes the event run from 00:00 to 23:59 of its start day; switching it off
  // leaves the times as they are.
  bool AllDayEvent() const { return AllDayEvent_; }
  void SetAllDayEvent(bool value);

  // The reminder: wanted or not, how long before StartTime in the unit AlarmAdvanceType
  // (TVpAlarmAdvanceType), the sound played with it, and the moment before which it stays
  // quiet (0 when never snoozed).
  bool AlarmSet() const { return AlarmSet_; }
  void SetAlarmSet(bool value) { Store(AlarmSet_, value); }
  int AlarmAdvance() const { return AlarmAdvance_; }
  void SetAlarmAdvance(int value) { Store(AlarmAdvance_, value); }
  std::uint8_t AlarmAdvanceType() const { return AlarmAdvanceType_; }
  void SetAlarmAdvanceType(std::uint8_t value) { Store(AlarmAdvanceType_, value); }
  const std::string& DingPath() const { return DingPath_; }
  void SetDingPath(std::string value) { Store(DingPath_, std::move(value)); }
  double SnoozeTime() const { return SnoozeTime_; }
  void SetSnoozeTime(double value);
  // True while the reminder window for this event is open; not stored, not change-tracked.
  bool AlertDisplayed() const { return AlertDisplayed_; }
  void SetAlertDisplayed(bool value) { AlertDisplayed_ = value; }

  // How the event repeats (TVpRepeatCode). Any code but custom clears CustomInterval.
  std::uint8_t RepeatCode() const { return RepeatCode_; }
  void SetRepeatCode(std::uint8_t value);
  // The last day on which the event recurs. A value not later than StartTime is ignored; any
  // other write is stored and marks the event changed, even when it was already held.
  double RepeatRangeEnd() const { return RepeatRangeEnd_; }
  void SetRepeatRangeEnd(double value);
  // Days between occurrences of a custom repeat; held as 0 unless RepeatCode is custom.
  int CustomInterval() const { return CustomInterval_; }
  void SetCustomInterval(int value);

  // The zone whose clock the event keeps (a zone data name such as "America/New_York"); empty for
  // a floating event, which keeps the same clock time wherever the desktop is. StartTime and
  // EndTime are always this machine's local times; a zoned event also holds its start as its own
  // zone's clock shows it (ZoneStartTime), from which its local times follow.
  const std::string& TimeZone() const { return TimeZone_; }
  // Keeps the local times and reads the start on the new zone's clock (an unknown zone counts as
  // none).
  void SetTimeZone(std::string value);
  double ZoneStartTime() const { return ZoneStartTime_; }
  // Places the event afresh: its local start is the zone's clock time in local time, its length
  // kept. Ignored for a floating event.
  void SetZoneStartTime(double value);
  // Places a zoned event again after the desktop's zone changed; nothing for a floating one.
  void ReplaceInLocalZone();

  // A repeat rule in calendar-file form (the value of an RRULE, such as
  // "FREQ=WEEKLY;BYDAY=MO,WE,FR") for a repeat the codes cannot say; when it is given it places
  // the occurrences and RepeatCode is rcNone. RepeatRangeEnd then holds the last day it reaches
  // (the far future for a rule without end).
  const std::string& RepeatRule() const { return RepeatRule_; }
  void SetRepeatRule(std::string value);
  // Starts of occurrences taken out of the series, and of occurrences added to it, on the event's
  // own clock: comma-separated stamps "YYYYMMDDTHHMMSS" ("YYYYMMDD" for an all-day event).
  const std::string& ExceptionDates() const { return ExceptionDates_; }
  void SetExceptionDates(std::string value);
  const std::string& ExtraDates() const { return ExtraDates_; }
  void SetExtraDates(std::string value);

  // An occurrence changed on its own is an event of its own: the RecordID of its series and the
  // start the occurrence had in the series, on the series' clock (its stamp is among the series'
  // exception dates). 0 and 0 for any other event.
  int SeriesID() const { return SeriesID_; }
  void SetSeriesID(int value) { Store(SeriesID_, value); }
  double OriginalStart() const { return OriginalStart_; }
  void SetOriginalStart(double value);

  // What a calendar file or server said of the event that the organizer does not hold in fields of
  // its own (attendees, further alarms, properties of other programs), as calendar-file lines,
  // kept so that it travels back out unchanged; empty for an event made here.
  const std::string& KeptProperties() const { return KeptProperties_; }
  void SetKeptProperties(std::string value) { Store(KeptProperties_, std::move(value)); }

  // The occurrences found so far (see occurrences.h); not stored, emptied by every change of the
  // event's placement.
  TVpOccurrenceCache& Occurrences() const { return Occurrences_; }

 protected:
  void MarkOwnerDirty() override;

 private:
  // The day placement of the event changed: the schedule's day lookup must be rebuilt.
  void PlacementChanged();

  TVpSchedule* Owner_;
  bool Deleted_ = false;
  int RecordID_ = -1;
  std::string Description_;
  std::string Notes_;
  std::string Location_;
  int Category_ = 0;
  double StartTime_ = 0;
  double EndTime_ = 0;
  bool AllDayEvent_ = false;
  bool AlarmSet_ = false;
  int AlarmAdvance_ = 0;
  std::uint8_t AlarmAdvanceType_ = 0;
  std::string DingPath_;
  double SnoozeTime_ = 0;
  bool AlertDisplayed_ = false;
  std::uint8_t RepeatCode_ = 0;
  double RepeatRangeEnd_ = 0;
  int CustomInterval_ = 0;
  std::string TimeZone_;
  double ZoneStartTime_ = 0;
  std::string RepeatRule_;
  std::string ExceptionDates_;
  std::string ExtraDates_;
  int SeriesID_ = 0;
  double OriginalStart_ = 0;
  std::string KeptProperties_;
  mutable TVpOccurrenceCache Occurrences_;
};
