#include "model/event.h"

#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/moment.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "model/zone_clock.h"
#include "platform/assign_if_changed.h"

void TVpEvent::MarkOwnerDirty() {
  if (Owner_ && Owner_->Owner()) Owner_->Owner()->SetEventsDirty(true);
}

void TVpEvent::PlacementChanged() {
  Occurrences_.Clear();
  if (Owner_) Owner_->PlacementChanged();
}

void TVpEvent::SetStartTime(double value) {
  if (!Store(StartTime_, SnapToMs(value))) return;
  if (!TimeZone_.empty()) ZoneStartTime_ = SnapToMs(ZoneFromLocal(StartTime_, TimeZone_));
  PlacementChanged();
}

void TVpEvent::SetEndTime(double value) {
  if (Store(EndTime_, SnapToMs(value))) PlacementChanged();
}

void TVpEvent::SetTimeZone(std::string value) {
  if (!value.empty() && !IsKnownZone(value)) value.clear();
  if (!Store(TimeZone_, std::move(value))) return;
  ZoneStartTime_ = TimeZone_.empty() ? 0 : SnapToMs(ZoneFromLocal(StartTime_, TimeZone_));
  PlacementChanged();
}

void TVpEvent::SetZoneStartTime(double value) {
  if (TimeZone_.empty()) return;
  Store(ZoneStartTime_, SnapToMs(value));
  ReplaceInLocalZone();
}

void TVpEvent::ReplaceInLocalZone() {
  if (TimeZone_.empty()) return;
  const std::int64_t length = MomentOf(EndTime_) - MomentOf(StartTime_);
  const double start = SnapToMs(LocalFromZone(ZoneStartTime_, TimeZone_));
  const bool moved = AssignIfChanged(StartTime_, start);
  if (AssignIfChanged(EndTime_, ValueOfMoment(MomentOf(start) + length)) || moved) {
    SetChanged(true);
    PlacementChanged();
  }
}

void TVpEvent::SetRepeatRule(std::string value) {
  if (Store(RepeatRule_, std::move(value))) PlacementChanged();
}

void TVpEvent::SetExceptionDates(std::string value) {
  if (Store(ExceptionDates_, std::move(value))) PlacementChanged();
}

void TVpEvent::SetExtraDates(std::string value) {
  if (Store(ExtraDates_, std::move(value))) PlacementChanged();
}

void TVpEvent::SetOriginalStart(double value) { Store(OriginalStart_, SnapToMs(value)); }

void TVpEvent::SetSnoozeTime(double value) { Store(SnoozeTime_, SnapToMs(value)); }

void TVpEvent::SetAllDayEvent(bool value) {
  if (!AssignIfChanged(AllDayEvent_, value)) return;
  if (value) {
    // A whole day is the same day on every clock: an all-day event keeps no zone.
    TimeZone_.clear();
    ZoneStartTime_ = 0;
    const std::int64_t day = DayNumberOf(StartTime_);
    StartTime_ = FromMs(day * kMsPerDay);
    EndTime_ = FromMs((day + 1) * kMsPerDay - kMsPerMinute);
    PlacementChanged();
  }
  SetChanged(true);
}

void TVpEvent::SetRepeatCode(std::uint8_t value) {
  if (!AssignIfChanged(RepeatCode_, value)) return;
  if (value != rcCustom) CustomInterval_ = 0;
  PlacementChanged();
  SetChanged(true);
}

void TVpEvent::SetRepeatRangeEnd(double value) {
  value = SnapToMs(value);
  if (ToMs(value) <= ToMs(StartTime_)) return;
  RepeatRangeEnd_ = value;
  PlacementChanged();
  SetChanged(true);
}

void TVpEvent::SetCustomInterval(int value) {
  if (Store(CustomInterval_, RepeatCode_ == rcCustom ? value : 0)) PlacementChanged();
}
