#pragma once

#include <functional>
#include <string>

#include "platform/assign_if_changed.h"
#include "platform/color.h"
#include "views/drawing/vp_font.h"

// The attribute objects of the week view. Every change runs the owner's repaint.

// A colour or text property that tells the owner when it changes.
class TVpWeekViewAttributeBase {
 public:
  TVpWeekViewAttributeBase(const TVpWeekViewAttributeBase&) = delete;
  TVpWeekViewAttributeBase& operator=(const TVpWeekViewAttributeBase&) = delete;

 protected:
  explicit TVpWeekViewAttributeBase(std::function<void()> onChange) : OnChange_(std::move(onChange)) {}
  ~TVpWeekViewAttributeBase() = default;
  template <class T>
  void Store(T& field, T value) {
    if (AssignIfChanged(field, std::move(value)) && OnChange_) OnChange_();
  }
  std::function<void()> OnChange_;
};

// The week header above the day boxes.
class TVpWvHeadAttributes : private TVpWeekViewAttributeBase {
 public:
  explicit TVpWvHeadAttributes(std::function<void()> onChange)
      : TVpWeekViewAttributeBase(std::move(onChange)), Font_(OnChange_) {}
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Store(Color_, value); }

 private:
  TVpFont Font_;
  TColor Color_ = clBtnFace;
};

// The caption band of each day box: the day's date in DateFormat, right-aligned.
class TVpWeekDayHeadAttr : private TVpWeekViewAttributeBase {
 public:
  explicit TVpWeekDayHeadAttr(std::function<void()> onChange);
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Store(Color_, value); }
  const std::string& DateFormat() const { return DateFormat_; }
  void SetDateFormat(std::string value) { Store(DateFormat_, std::move(value)); }
  // Kept for the settings that carry it; a plain caption band draws no border either way.
  bool Bordered() const { return Bordered_; }
  void SetBordered(bool value) { Store(Bordered_, value); }

 private:
  TVpFont Font_;
  TColor Color_ = clBtnFace;
  std::string DateFormat_ = "dddd mmmm, dd";
  bool Bordered_ = true;
};

// The area of a day's all-day events and the framed box of each.
class TVpAllDayEventAttributes : private TVpWeekViewAttributeBase {
 public:
  // The colours and the font start as the view's own.
  TVpAllDayEventAttributes(std::function<void()> onChange, TColor background, TColor border, const TFont& font);
  TColor BackgroundColor() const { return BackgroundColor_; }
  void SetBackgroundColor(TColor value) { Store(BackgroundColor_, value); }
  TColor EventBackgroundColor() const { return EventBackgroundColor_; }
  void SetEventBackgroundColor(TColor value) { Store(EventBackgroundColor_, value); }
  TColor EventBorderColor() const { return EventBorderColor_; }
  void SetEventBorderColor(TColor value) { Store(EventBorderColor_, value); }
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }

 private:
  TColor BackgroundColor_;
  TColor EventBackgroundColor_ = clBtnFace;
  TColor EventBorderColor_;
  TVpFont Font_;
};
