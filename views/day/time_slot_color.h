#pragma once

#include <functional>

#include "model/time_range.h"
#include "platform/assign_if_changed.h"
#include "platform/color.h"

// The background colours of a day view's time slots and the range of active hours. Every change
// repaints the day view that owns it through OnRepaint.
class TVpTimeSlotColor {
 public:
  TVpTimeSlotColor() : ActiveRange_([this] { Repaint(); }) {}
  TVpTimeSlotColor(const TVpTimeSlotColor&) = delete;
  TVpTimeSlotColor& operator=(const TVpTimeSlotColor&) = delete;

  TVpTimeRange& ActiveRange() { return ActiveRange_; }
  const TVpTimeRange& ActiveRange() const { return ActiveRange_; }

  TColor Inactive() const { return Inactive_; }
  void SetInactive(TColor value) { Store(Inactive_, value); }
  TColor Holiday() const { return Holiday_; }
  void SetHoliday(TColor value) { Store(Holiday_, value); }
  TColor Weekend() const { return Weekend_; }
  void SetWeekend(TColor value) { Store(Weekend_, value); }
  TColor Active() const { return Active_; }
  void SetActive(TColor value) { Store(Active_, value); }
  TColor Weekday() const { return Weekday_; }
  void SetWeekday(TColor value) { Store(Weekday_, value); }

  // Set by the owning day view.
  std::function<void()> OnRepaint;

 private:
  void Store(TColor& field, TColor value) {
    if (AssignIfChanged(field, value)) Repaint();
  }
  void Repaint() {
    if (OnRepaint) OnRepaint();
  }

  TVpTimeRange ActiveRange_;
  TColor Inactive_ = 0x80FFFF;
  TColor Holiday_ = 0xFF80FF;
  TColor Weekend_ = 0xFFFF80;
  TColor Active_ = 0xFFFFFF;
  TColor Weekday_ = 0xFFFFFF;
};
