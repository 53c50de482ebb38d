#include "app/core/windows/main_view_looks.h"

#include <cmath>

#include "views/contacts/contact_button_bar.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/tasks/task_list.h"
#include "views/week/week_view.h"

int PointsForPixelHeight(int pixels) { return static_cast<int>(std::lround(pixels * 72.0 / 96.0)); }

TFont SansSerifOfHeight(int pixels, TColor color) {
  TFont font;
  font.Name = "MS Sans Serif";
  font.Size = PointsForPixelHeight(pixels);
  font.Color = color;
  return font;
}

void ConfigureMainDayView(TVpDayView& view) {
  view.SetColor(clWindow);  // the gutter beside the slots: the skin's, as the slots are
  view.Font().Assign(SansSerifOfHeight(11));
  view.HeadAttributes().Font().Assign(SansSerifOfHeight(13, clBlack));
  view.HeadAttributes().SetColor(clBtnFace);
  view.RowHeadAttributes().HourFont().Assign(SansSerifOfHeight(19));
  view.RowHeadAttributes().MinuteFont().Assign(SansSerifOfHeight(11));
  view.SetShowEventTimes(false);
  view.SetDrawingStyle(ds3d);
  view.SetLineColor(clBlack);
  view.SetGutterWidth(10);
  view.SetDateLabelFormat("dddd, mmmm dd, yyyy");
  view.SetGranularity(gr30Min);
  view.SetDefaultTopHour(h_07);
  view.SetTimeFormat(tf24Hour);
  view.SetWrapStyle(wsNone);
  view.SetShowResourceName(false);
  view.IconAttributes().SetShowCategoryBitmap(false);
  view.IconAttributes().SetAlarmBitmap(StandardAlarmPicture());
  view.IconAttributes().SetRecurringBitmap(StandardRecurringPicture());
  TVpTimeSlotColor& slots = view.TimeSlotColors();
  slots.SetActive(clSilver);
  slots.SetInactive(RGB(221, 255, 221));
  slots.SetHoliday(RGB(255, 204, 204));
  slots.SetWeekday(clWhite);
  slots.SetWeekend(clInactiveCaptionText);
  slots.ActiveRange().SetRangeBegin(h_00);
  slots.ActiveRange().SetRangeEnd(h_00);
}

void ConfigureMainWeekView(TVpWeekView& view) {
  view.SetColor(clWhite);
  view.Font().Assign(SansSerifOfHeight(11));
  view.EventFont().Assign(SansSerifOfHeight(11));
  TVpAllDayEventAttributes& allDay = view.AllDayEventAttributes();
  allDay.SetBackgroundColor(clWindow);
  allDay.SetEventBorderColor(clGray);
  allDay.SetEventBackgroundColor(clBtnFace);
  allDay.Font().Assign(SansSerifOfHeight(11));
  view.SetDateLabelFormat("yyyy");
  TVpWeekDayHeadAttr& dayHead = view.DayHeadAttributes();
  dayHead.SetColor(clBtnFace);
  dayHead.SetDateFormat("dddd, mmmm dd");
  dayHead.Font().Assign(SansSerifOfHeight(13, clBlack));
  dayHead.SetBordered(false);
  view.HeadAttributes().Font().Assign(SansSerifOfHeight(13, clBlack));
  view.HeadAttributes().SetColor(clBtnFace);
  view.SetDrawingStyle(ds3d);
  view.SetLineColor(clGray);
  view.SetTimeFormat(tf24Hour);
  view.SetShowEventTime(true);
  view.SetWeekStartsOn(dtMonday);
}

void ConfigureMainTaskList(TVpTaskList& list) {
  list.Font().Assign(SansSerifOfHeight(11, clBlack));
  list.SetColor(clWhite);
  list.TaskHeadAttributes().Font().Assign(SansSerifOfHeight(13));
  list.TaskHeadAttributes().SetColor(clBtnFace);
  TVpTaskDisplayOptions& options = list.DisplayOptions();
  options.SetCheckStyle(csX);
  options.SetDueDateFormat("dd.MM.yyyy");
  options.SetShowCompletedTasks(true);
  options.SetShowAll(false);
  options.SetShowDueDate(true);
  list.SetShowResourceName(false);
  list.SetDrawingStyle(ds3d);
}

void ConfigureMainContactGrid(TVpContactGrid& grid) {
  grid.Font().Assign(SansSerifOfHeight(11));
  grid.SetColor(clWhite);
  grid.SetBarWidth(3);
  grid.SetBarColor(clSilver);
  grid.SetColumnWidth(145);
  TVpContactHeadAttr& head = grid.ContactHeadAttributes();
  head.Font().Assign(SansSerifOfHeight(11));
  head.SetColor(clSilver);
  head.SetBordered(true);
  grid.SetDrawingStyle(ds3d);
}

void ConfigureMainContactButtonBar(TVpContactButtonBar& bar) {
  bar.SetColor(clBtnFace);
  bar.Resize(60, bar.Height());
}
