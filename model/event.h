#pragma once

#include <cstdint>
#include <string>

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
};
