#pragma once

#include <functional>

#include "platform/color.h"
#include "views/day/day_view_picture.h"
#include "views/drawing/vp_font.h"

// How the day view lays out an event's text in the event's rectangle.
enum TVpDVWrapStyle {
  wsNone = 0,      // one line, shortened with "..." when too wide
  wsIconFlow = 1,  // wrapped, flowing to the right of the icons and then below them
  wsNoFlow = 2,    // wrapped, in a column to the right of the icons
};

// The look of the day view's date headers; the header colour also fills the corner box and the
// hour ruler. Every change runs the owner's repaint.
class TVpCHAttributes {
 public:
  explicit TVpCHAttributes(std::function<void()> onChange);
  TVpCHAttributes(const TVpCHAttributes&) = delete;
  TVpCHAttributes& operator=(const TVpCHAttributes&) = delete;

  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  TColor Color() const { return Color_; }
  void SetColor(TColor value);

 private:
  std::function<void()> OnChange_;
  TVpFont Font_;
  TColor Color_ = clBtnFace;
};

// The fonts of the hour ruler. Color is kept for the settings that carry it; the ruler is filled
// with the header colour.
class TVpRHAttributes {
 public:
  explicit TVpRHAttributes(std::function<void()> onChange);
  TVpRHAttributes(const TVpRHAttributes&) = delete;
  TVpRHAttributes& operator=(const TVpRHAttributes&) = delete;

  TVpFont& HourFont() { return HourFont_; }
  const TVpFont& HourFont() const { return HourFont_; }
  TVpFont& MinuteFont() { return MinuteFont_; }
  const TVpFont& MinuteFont() const { return MinuteFont_; }
  TColor Color() const { return Color_; }
  void SetColor(TColor value);

 private:
  std::function<void()> OnChange_;
  TVpFont HourFont_;
  TVpFont MinuteFont_;
  TColor Color_ = clBtnFace;
};

// Which icons an event shows, and the pictures of the reminder and repetition icons.
class TVpDayViewIconAttributes {
 public:
  explicit TVpDayViewIconAttributes(std::function<void()> onChange) : OnChange_(std::move(onChange)) {}
  TVpDayViewIconAttributes(const TVpDayViewIconAttributes&) = delete;
  TVpDayViewIconAttributes& operator=(const TVpDayViewIconAttributes&) = delete;

  const TVpPicture& AlarmBitmap() const { return AlarmBitmap_; }
  void SetAlarmBitmap(TVpPicture value);
  const TVpPicture& RecurringBitmap() const { return RecurringBitmap_; }
  void SetRecurringBitmap(TVpPicture value);
  bool ShowAlarmBitmap() const { return ShowAlarmBitmap_; }
  void SetShowAlarmBitmap(bool value) { Store(ShowAlarmBitmap_, value); }
  bool ShowCategoryBitmap() const { return ShowCategoryBitmap_; }
  void SetShowCategoryBitmap(bool value) { Store(ShowCategoryBitmap_, value); }
  bool ShowRecurringBitmap() const { return ShowRecurringBitmap_; }
  void SetShowRecurringBitmap(bool value) { Store(ShowRecurringBitmap_, value); }

 private:
  void Store(bool& field, bool value);
  void Changed();

  std::function<void()> OnChange_;
  TVpPicture AlarmBitmap_;
  TVpPicture RecurringBitmap_;
  bool ShowAlarmBitmap_ = true;
  bool ShowCategoryBitmap_ = true;
  bool ShowRecurringBitmap_ = true;
};
