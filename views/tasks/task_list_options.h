#pragma once

#include <functional>
#include <string>

#include "model/enumerations.h"
#include "platform/assign_if_changed.h"
#include "platform/color.h"
#include "views/drawing/vp_font.h"

// Which tasks the task list shows and in which colours. Every change runs the owner's repaint.
class TVpTaskDisplayOptions {
 public:
  TVpTaskDisplayOptions(std::function<void()> onChange, std::string dueDateFormat)
      : OnChange_(std::move(onChange)), DueDateFormat_(std::move(dueDateFormat)) {}
  TVpTaskDisplayOptions(const TVpTaskDisplayOptions&) = delete;
  TVpTaskDisplayOptions& operator=(const TVpTaskDisplayOptions&) = delete;

  // Every task, open or completed.
  bool ShowAll() const { return ShowAll_; }
  void SetShowAll(bool value) { Store(ShowAll_, value); }
  // Without ShowAll, the tasks completed today as well as the open ones.
  bool ShowCompletedTasks() const { return ShowCompletedTasks_; }
  void SetShowCompletedTasks(bool value) { Store(ShowCompletedTasks_, value); }
  // The due date in front of the description.
  bool ShowDueDate() const { return ShowDueDate_; }
  void SetShowDueDate(bool value) { Store(ShowDueDate_, value); }
  const std::string& DueDateFormat() const { return DueDateFormat_; }
  void SetDueDateFormat(std::string value) { Store(DueDateFormat_, std::move(value)); }
  TVpCheckStyle CheckStyle() const { return CheckStyle_; }
  void SetCheckStyle(TVpCheckStyle value) { Store(CheckStyle_, value); }
  // The inner edge of the check box and its mark.
  TColor CheckColor() const { return CheckColor_; }
  void SetCheckColor(TColor value) { Store(CheckColor_, value); }
  TColor CheckBGColor() const { return CheckBGColor_; }
  void SetCheckBGColor(TColor value) { Store(CheckBGColor_, value); }
  TColor OverdueColor() const { return OverdueColor_; }
  void SetOverdueColor(TColor value) { Store(OverdueColor_, value); }
  TColor CompletedColor() const { return CompletedColor_; }
  void SetCompletedColor(TColor value) { Store(CompletedColor_, value); }

 private:
  template <class T>
  void Store(T& field, T value) {
    if (AssignIfChanged(field, std::move(value)) && OnChange_) OnChange_();
  }
  std::function<void()> OnChange_;
  bool ShowAll_ = false;
  bool ShowCompletedTasks_ = false;
  bool ShowDueDate_ = true;
  std::string DueDateFormat_;
  TVpCheckStyle CheckStyle_ = csCheck;
  TColor CheckColor_ = cl3DDkShadow;
  TColor CheckBGColor_ = clWindow;
  TColor OverdueColor_ = clRed;
  TColor CompletedColor_ = clGray;
};

// The header of the task list: its font and colour. Every change runs the owner's repaint.
class TVpTaskHeadAttr {
 public:
  explicit TVpTaskHeadAttr(std::function<void()> onChange) : OnChange_(std::move(onChange)), Font_(OnChange_) {}
  TVpTaskHeadAttr(const TVpTaskHeadAttr&) = delete;
  TVpTaskHeadAttr& operator=(const TVpTaskHeadAttr&) = delete;
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  TColor Color() const { return Color_; }
  void SetColor(TColor value) {
    if (AssignIfChanged(Color_, value) && OnChange_) OnChange_();
  }

 private:
  std::function<void()> OnChange_;
  TVpFont Font_;
  TColor Color_ = clSilver;
};
