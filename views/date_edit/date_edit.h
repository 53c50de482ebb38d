#pragma once

#include <functional>
#include <memory>
#include <string>

#include "model/enumerations.h"
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "views/calendar/calendar.h"
#include "views/calendar/calendar_colors.h"
#include "views/date_edit/date_edit_parser.h"

// What the window showing a date edit does when the edit's logic asks: the one-line text field
// with its drop-down button, and the drop-down window hosting the calendar.
class TVpDateEditWindow {
 public:
  virtual ~TVpDateEditWindow() = default;
  // The logic replaced the text (formatted, set or cleared it): show TVpDateEdit::Text().
  virtual void TextReplaced() = 0;
  // Show the calendar PopupCalWidth × PopupCalHeight with its top-left corner 2 pixels below the
  // field's bottom-left corner, above every other window, with the mouse and the keyboard focus.
  // From now on the drop-down passes its input to the edit's DropDown... entry points.
  virtual void ShowDropDown(TVpCalendar& calendar) = 0;
  virtual void HideDropDown() = 0;
  // Give the text field the keyboard focus, with the caret at the end of the text or where it was.
  virtual void FocusField(bool caretToEnd) = 0;
};

// The logic of a one-line date field with a button that drops a calendar down below it. The text
// is read in the order of the locale's short date format (see date_edit_parser.h) when the field
// is left, before the drop-down opens, before "+" and "-" and when Date is read.
//
// The window showing it:
//   - implements TVpDateEditWindow and passes itself to SetWindow;
//   - passes every change the user makes to the text to SetText, keys to KeyDown (Alt+Down opens
//     the drop-down) and typed characters to KeyPress ("+" and "-" step the date; the character
//     is not inserted when it returns true); the button's click to ButtonClicked; and calls Exit
//     when the field loses the focus;
//   - shows Text(), the button at ButtonRect() and enabled as ButtonEnabled(), and TextError() if
//     it marks a text that cannot be read;
//   - while DropDownOpen(), hosts PopupCalendar(): sets its OnInvalidate and OnShowMenu, paints it
//     with Paint, shows its ButtonHintAt as tool tip, and passes the drop-down's keys, characters,
//     mouse presses and releases and its loss of the focus to the DropDown... entry points.
// Errors are raised as EVpDateEditError (a text that cannot be read) or EVpCalendarError with the
// message to show; the window's command guard shows it. A failed Exit has given the field the focus
// back first.
class TVpDateEdit {
 public:
  static constexpr const char* Version = "v1.03";

  // Epoch is today's century; the field order and TodayString (the date separator) come from the
  // locale.
  TVpDateEdit(const TClock& clock, const TLocale& locale);
  ~TVpDateEdit();
  TVpDateEdit(const TVpDateEdit&) = delete;
  TVpDateEdit& operator=(const TVpDateEdit&) = delete;

  // The set-up of the program's own date fields (the edit dialogs, the print preview): a two-digit
  // year lies in 2000 to 2099 and "/" stands for today. Unlike the designed read-only fields they
  // take typed dates and their button opens the calendar: a field the keyboard cannot type into
  // and the mouse cannot open is no field. What is typed counts when the user leaves the field or
  // presses Enter (the windows commit on OnExit and OnSetDate), never halfway through typing.
  void UseProgramFieldSetUp() {
    SetEpoch(2000);
    SetTodayString("/");
  }

  TVpDateEditWindow* Window() const { return Window_; }
  void SetWindow(TVpDateEditWindow* window) { Window_ = window; }

  // --- properties ---
  // Whether "+" and "-" step the date.
  bool AllowIncDec() const { return AllowIncDec_; }
  void SetAllowIncDec(bool value) { AllowIncDec_ = value; }
  // How a two-digit year gets its century (see TVpDateTextRules).
  int Epoch() const { return Rules_.Epoch; }
  void SetEpoch(int value) { Rules_.Epoch = value; }
  // Shows a four-digit year where the locale's format has two; changing it formats a readable text
  // again.
  bool ForceCentury() const { return ForceCentury_; }
  void SetForceCentury(bool value);
  // The drop-down calendar's colours, font and size, given to it each time it opens.
  TVpCalColors& PopupCalColors() { return PopupCalColors_; }
  const TFont& PopupCalFont() const { return PopupCalFont_; }
  void SetPopupCalFont(const TFont& value) { PopupCalFont_ = value; }
  int PopupCalWidth() const { return PopupCalWidth_; }
  void SetPopupCalWidth(int value) { PopupCalWidth_ = value; }
  int PopupCalHeight() const { return PopupCalHeight_; }
  void SetPopupCalHeight(int value) { PopupCalHeight_ = value; }
  // A read-only field takes no typed text (the window makes its text field read-only) and its
  // button is disabled; Alt+Down, "+" and "-" still change the date.
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool value) { ReadOnly_ = value; }
  TVpRequiredFields RequiredFields() const { return Rules_.RequiredFields; }
  void SetRequiredFields(TVpRequiredFields value) { Rules_.RequiredFields = value; }
  bool ShowButton() const { return ShowButton_; }
  void SetShowButton(bool value) { ShowButton_ = value; }
  // The text that stands for today.
  const std::string& TodayString() const { return Rules_.TodayString; }
  void SetTodayString(std::string value) { Rules_.TodayString = std::move(value); }
  TVpDayType WeekStarts() const { return WeekStarts_; }
  void SetWeekStarts(TVpDayType value) { WeekStarts_ = value; }
  // The 3D look of the field, which its drop-down calendar takes.
  bool Ctl3D() const { return Ctl3D_; }
  void SetCtl3D(bool value) { Ctl3D_ = value; }
  TVpDateFieldOrder FieldOrder() const { return Rules_.Order; }

  // --- text and date ---
  const std::string& Text() const { return Text_; }
  // The user changed the text (nothing is read yet); raises OnChange.
  void SetText(std::string text);
  // The date the text stands for, 0 for none; reads the text without rewriting it. Raises
  // EVpDateEditError when it cannot be read.
  double Date() const;
  // Stores the date (0 for none); the text becomes the formatted date, or empty; raises OnSetDate.
  // Raises EVpDateEditError "Error: Invalid Date." for a date outside 1 January 100 to
  // 31 December 9999.
  void SetDate(double value);
  // The message reading the text would raise, or "" when it reads.
  std::string TextError() const;

  // --- the field ---
  // The drop-down button in the field's pixels, for a field editWidth wide whose client area is
  // clientHeight high: as high as the client area and three quarters as wide (at least 18), its
  // right edge 4 pixels (3D look) or 2 pixels inside the field's right border; empty without
  // ShowButton.
  TRect ButtonRect(int editWidth, int clientHeight) const;
  bool ButtonEnabled() const { return ShowButton_ && !ReadOnly_; }
  void ButtonClicked();
  // A key went down; true when the edit used it.
  bool KeyDown(int key, TShiftState shift);
  // A character was typed; true when the edit used it (it is then not inserted).
  bool KeyPress(char32_t character);
  // The field lost the focus: the text is read and formatted; OnExit follows unless the drop-down
  // is open. Raises EVpDateEditError after giving the field the focus back.
  void Exit();

  // --- the drop-down ---
  bool DropDownOpen() const { return DropDownOpen_; }
  // The calendar the drop-down shows; none before it first opened.
  TVpCalendar* PopupCalendar() const { return Calendar_.get(); }
  // Reads the text (errors end the opening) and shows the calendar on the edit's date, or on now
  // when the field is empty.
  void OpenDropDown();
  // Hides the calendar and gives the field the focus, the caret at the end or where it was.
  void CloseDropDown(bool caretToEnd = false);
  // The drop-down's input. Alt+Up closes keeping the date, Escape returns to the date the calendar
  // had when it opened and closes; a choice in the calendar (a day of the shown month, Enter,
  // Space) takes the date and closes; other moves take the date and stay open.
  bool DropDownKeyDown(int key, TShiftState shift);
  bool DropDownKeyPress(char32_t character);
  void DropDownMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  // A release outside the calendar's client area closes the drop-down.
  void DropDownMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void DropDownFocusLost();

  // --- events ---
  // The text about to be read; may replace it.
  std::function<void(const TVpDateEdit& sender, std::string& text)> OnGetDate;
  // The date was set.
  std::function<void(TVpDateEdit& sender)> OnSetDate;
  // The text changed.
  std::function<void(TVpDateEdit& sender)> OnChange;
  // The field was left with a readable text while the drop-down is closed.
  std::function<void(TVpDateEdit& sender)> OnExit;

 private:
  double ReadDate() const;
  // Reads the text, stores its date and shows the text formatted (empty for no date).
  void ReadText();
  std::string Format(double date) const;
  void ReplaceText(std::string text);
  void CalendarChanged(double date);
  TVpCalendar& EnsureCalendar();

  const TClock& Clock_;
  const TLocale& Locale_;
  TVpDateEditWindow* Window_ = nullptr;
  TVpDateTextRules Rules_;
  bool AllowIncDec_ = true;
  bool ForceCentury_ = false;
  TVpCalColors PopupCalColors_;
  TFont PopupCalFont_;
  int PopupCalWidth_ = TVpCalendar::DefaultWidth;
  int PopupCalHeight_ = TVpCalendar::DefaultHeight;
  bool ReadOnly_ = false;
  bool ShowButton_ = true;
  TVpDayType WeekStarts_ = dtSunday;
  bool Ctl3D_ = true;

  std::string Text_;
  double Date_ = 0;
  bool DropDownOpen_ = false;
  std::unique_ptr<TVpCalendar> Calendar_;
};
