#include "app/core/settings/view_settings.h"

#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/month/month_view.h"
#include "views/tasks/task_list.h"
#include "views/week/week_view.h"

TFont CanvasFont(const TSettingsFont& font) {
  TFont result;
  result.Name = font.Name;
  result.Size = font.Size;
  result.Color = font.Color;
  result.Style = static_cast<TFontStyles>(font.Style) & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
  return result;
}

TSettingsFont SettingsFont(const TFont& font, int charset) {
  return {.Name = font.Name,
          .Charset = charset,
          .Color = font.Color,
          .Size = font.Size,
          .Style = static_cast<int>(font.Style & 0xFF)};
}

namespace {

// General/TimeFormat: 0 twelve hours, 1 twenty-four; any other value changes nothing.
template <class TView>
void ApplyTimeFormat(TView& view, const TProgramSettings& settings) {
  if (settings.TimeFormat == 0) view.SetTimeFormat(tf12Hour);
  if (settings.TimeFormat == 1) view.SetTimeFormat(tf24Hour);
}

}  // namespace

void ApplyDayViewSettings(TVpDayView& view, const TProgramSettings& settings) {
  view.HeadAttributes().Font().Assign(CanvasFont(settings.DailyHFont));
  view.Font().Assign(CanvasFont(settings.DailyEFont));
  view.RowHeadAttributes().HourFont().Assign(CanvasFont(settings.DailyHourFont));
  view.RowHeadAttributes().MinuteFont().Assign(CanvasFont(settings.DailyMinFont));
  view.TimeSlotColors().SetWeekday(settings.DailyWDColor);
  view.TimeSlotColors().SetWeekend(settings.DailyWEColor);
  view.SetLineColor(settings.DailyLineColor);
  const int gran = settings.DailyGran == -1 ? gr30Min : settings.DailyGran;
  if (gran >= gr05Min && gran <= gr60Min) view.SetGranularity(static_cast<TVpGranularity>(gran));
  view.SetSecondZone(settings.DailySecondZone);
  ApplyTimeFormat(view, settings);
}

void ApplyWeekViewSettings(TVpWeekView& view, const TProgramSettings& settings) {
  view.EventFont().Assign(CanvasFont(settings.WeeklyEFont));
  view.HeadAttributes().Font().Assign(CanvasFont(settings.WeeklyHFont));
  view.DayHeadAttributes().Font().Assign(CanvasFont(settings.WeeklyDFont));
  view.SetLineColor(settings.WeeklyLineColor);
  view.SetColor(settings.WeeklyBGColor);
  TVpAllDayEventAttributes& allDay = view.AllDayEventAttributes();
  allDay.Font().Assign(CanvasFont(settings.WeeklyADFont));
  allDay.SetBackgroundColor(settings.WeeklyBGColor);
  allDay.SetEventBackgroundColor(settings.WeeklyADBGColor);
  allDay.SetEventBorderColor(settings.WeeklyADBorderColor);
  ApplyTimeFormat(view, settings);
}

void ApplyMonthViewSettings(TVpMonthView& view, const TProgramSettings& settings) {
  view.DayHeadAttributes().Font().Assign(CanvasFont(settings.CalendarHFont));
  view.EventFont().Assign(CanvasFont(settings.CalendarEFont));
  view.DayNumberFont().Assign(CanvasFont(settings.CalendarDNFont));
  view.SetColor(settings.CalendarBGColor);
  view.SetOffDayColor(settings.CalendarODColor);
  view.SetLineColor(settings.CalendarLineColor);
  view.SetSelectedDayColor(settings.CalendarADColor);
  ApplyTimeFormat(view, settings);
}

void ApplyContactGridSettings(TVpContactGrid& grid, const TProgramSettings& settings) {
  grid.SetColumnWidth(settings.ContactsCW);
  grid.Font().Assign(CanvasFont(settings.ContactsLFont));
  grid.ContactHeadAttributes().Font().Assign(CanvasFont(settings.ContactsHFont));
  grid.ContactHeadAttributes().SetColor(settings.ContactsHColor);
  grid.SetColor(settings.ContactsBGColor);
  grid.SetBarColor(settings.ContactsBarColor);
}

void ApplyTaskListSettings(TVpTaskList& list, const TProgramSettings& settings) {
  TVpTaskDisplayOptions& options = list.DisplayOptions();
  options.SetShowAll(settings.TasksShowAll);
  options.SetShowCompletedTasks(settings.TasksShowCompleted);
  options.SetShowDueDate(settings.TasksShowDue);
  options.SetCompletedColor(settings.TasksCompletedColor);
  options.SetOverdueColor(settings.TasksOverDueColor);
  list.SetColor(settings.TasksBGColor);
  list.SetLineColor(settings.TasksLineColor);
  list.Font().Assign(CanvasFont(settings.TasksLFont));
  list.TaskHeadAttributes().Font().Assign(CanvasFont(settings.TasksHFont));
}
