#pragma once

#include <cstdint>

#include "platform/clock.h"
#include "platform/locale.h"
#include "views/drawing/vp_font.h"
#include "views/linkable_control.h"
#include "views/tasks/task_list_options.h"
#include "views/tasks/task_list_pass.h"

class TVpTask;
class TVpResource;

// The task list: the active resource's tasks, a row each with a check box, the due date and the
// description, under a header that names the list. Completed tasks are struck through, overdue
// ones coloured. A click on a check box completes or reopens the task and writes it at once.
//
// It draws itself only through RenderIntoRect, on screen and for printing alike. Only an
// on-screen pass leaves behind the rows drawn, which clicks are tested against, and the scroll bar.
class TVpTaskList : public TVpLinkableControl {
 public:
  // The clock tells today (overdue and completed-today tests); the locale gives the date format.
  TVpTaskList(const TClock& clock, const TLocale& locale, const void* owner = nullptr);

  // --- properties; every change repaints ---
  TVpTaskDisplayOptions& DisplayOptions() { return DisplayOptions_; }
  const TVpTaskDisplayOptions& DisplayOptions() const { return DisplayOptions_; }
  TVpTaskHeadAttr& TaskHeadAttributes() { return HeadAttributes_; }
  const TVpTaskHeadAttr& TaskHeadAttributes() const { return HeadAttributes_; }
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Store(Color_, value); }
  // The lines between the rows.
  TColor LineColor() const { return LineColor_; }
  void SetLineColor(TColor value) { Store(LineColor_, value); }
  TVpDrawingStyle DrawingStyle() const { return DrawingStyle_; }
  void SetDrawingStyle(TVpDrawingStyle value) { Store(DrawingStyle_, value); }
  // The most rows one pass draws; the rest continue on the next page or after scrolling.
  uint16_t MaxVisibleTasks() const { return MaxVisibleTasks_; }
  void SetMaxVisibleTasks(uint16_t value) { Store(MaxVisibleTasks_, value); }
  // Kept for the settings that carry it; the header has no icon to draw.
  bool ShowIcon() const { return ShowIcon_; }
  void SetShowIcon(bool value) { Store(ShowIcon_, value); }
  // The header names the active resource (on screen).
  bool ShowResourceName() const { return ShowResourceName_; }
  void SetShowResourceName(bool value) { Store(ShowResourceName_, value); }

  // The selected task while it is still loaded; nullptr when none is selected or it is gone.
  TVpTask* ActiveTask() const;
  void SetActiveTask(TVpTask* task);
  // The shown index of the top row on screen.
  int FirstLine() const { return FirstLine_; }
  // The rows and metrics of the last on-screen pass.
  const TVpTaskListLayout& ScreenLayout() const { return Screen_; }

  double Now() const { return Clock_.Now(); }
  const TLocale& Locale() const { return Locale_; }

  // --- TVpLinkableControl ---
  TVpItemType GetItemType() const override { return itTasks; }
  // Uses the canvas, the rectangle, the angle, the start line and displayOnly. When printing,
  // NextPrintLine tells where the next page goes on (-1: done).
  void RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale, double renderDate,
                      int startLine, int stopLine, TVpGranularity granularity, bool displayOnly) override;
  void HandleLinkNotification(TVpLinkableControl* sender, TVpNotificationKind kind, double value) override;
  void Paint(TCanvas& canvas, const TRect& clientRect) override;
  TVpScrollBarInfo ScrollBar() const override { return ScrollBar_; }

  // --- what the user does (task_list_interaction.cpp) ---
  // A left press selects the row under it and, on its check box, completes or reopens its task.
  // A right press selects the same way and opens the popup menu.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  // Selects as a press does, then edits the task, or adds one when none is selected.
  void DoubleClick(int x, int y) override;
  // Space completes or reopens the selected task, the arrows select, Page Up and Down, Home and
  // End scroll; Shift+F10 and the menu key open the menu.
  bool KeyDown(int key, TShiftState shift) override;
  bool MouseWheel(TShiftState shift, int delta, int x, int y) override;
  void Scroll(TVpScrollAction action, int position) override;

  // The commands of the popup menu. A new task is due a week from today.
  void AddTask();
  void EditActiveTask();
  void DeleteActiveTask();

 private:
  TVpResource* ActiveResource() const;
  // The rows of the last on-screen pass, with every task looked up again.
  TVpTask* LiveTask(const TVpVisibleTask& row) const;
  // Selects the row under the point (none when it misses) and toggles a check box it hits.
  void HitTest(int x, int y);
  void ToggleCompletion(TVpTask& task);
  void EditTask(TVpTask* task, bool isNew);
  void ShowPopupMenu(TPoint at);
  // The greatest first line: the shown count less the rows drawn.
  int GreatestFirstLine() const;
  void ScrollTo(int firstLine);

  const TClock& Clock_;
  const TLocale& Locale_;
  TVpTaskDisplayOptions DisplayOptions_;
  TVpFont Font_;
  TVpTaskHeadAttr HeadAttributes_;
  TColor Color_ = clWindow;
  TColor LineColor_ = clGray;
  TVpDrawingStyle DrawingStyle_ = ds3d;
  uint16_t MaxVisibleTasks_ = 250;
  bool ShowIcon_ = true;
  bool ShowResourceName_ = true;

  int ActiveTaskID_ = -1;
  int FirstLine_ = 0;
  TVpTaskListLayout Screen_;
  TVpScrollBarInfo ScrollBar_;
};
