#include "views/day/day_view_attributes.h"

#include "platform/assign_if_changed.h"

namespace {

TFont TahomaOf(int points) {
  TFont font;
  font.Name = "Tahoma";
  font.Size = points;
  return font;
}

void Notify(const std::function<void()>& onChange) {
  if (onChange) onChange();
}

}  // namespace

TVpCHAttributes::TVpCHAttributes(std::function<void()> onChange) : OnChange_(std::move(onChange)), Font_(OnChange_) {
  Font_.Assign(TahomaOf(10));
}

void TVpCHAttributes::SetColor(TColor value) {
  if (AssignIfChanged(Color_, value)) Notify(OnChange_);
}

TVpRHAttributes::TVpRHAttributes(std::function<void()> onChange)
    : OnChange_(std::move(onChange)), HourFont_(OnChange_), MinuteFont_(OnChange_) {
  HourFont_.Assign(TahomaOf(18));
  MinuteFont_.Assign(TahomaOf(9));
}

void TVpRHAttributes::SetColor(TColor value) {
  if (AssignIfChanged(Color_, value)) Notify(OnChange_);
}

void TVpDayViewIconAttributes::SetAlarmBitmap(TVpPicture value) {
  AlarmBitmap_ = std::move(value);
  Changed();
}

void TVpDayViewIconAttributes::SetRecurringBitmap(TVpPicture value) {
  RecurringBitmap_ = std::move(value);
  Changed();
}

void TVpDayViewIconAttributes::Store(bool& field, bool value) {
  if (AssignIfChanged(field, value)) Changed();
}

void TVpDayViewIconAttributes::Changed() { Notify(OnChange_); }
