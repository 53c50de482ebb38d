#include "model/event.h"

#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "platform/assign_if_changed.h"

void TVpEvent::MarkOwnerDirty() {
  if (Owner_ && Owner_->Owner()) Owner_->Owner()->SetEventsDirty(true);
}

void TVpEvent::PlacementChanged() {
  if (Owner_) Owner_->PlacementChanged();
}

void TVpEvent::SetStartTime(double value) {
  if (Store(StartTime_, SnapToMs(value))) PlacementChanged();
}

void TVpEvent::SetEndTime(double value) { Store(EndTime_, SnapToMs(value)); }

void TVpEvent::SetSnoozeTime(double value) { Store(SnoozeTime_, SnapToMs(value)); }

void TVpEvent::SetAllDayEvent(bool value) {
  if (!AssignIfChanged(AllDayEvent_, value)) return;
  if (value) {
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
