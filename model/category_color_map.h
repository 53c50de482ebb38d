#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/canvas.h"
#include "platform/color.h"

// One of the ten event categories: its colours, its name and an optional picture.
class TVpCategoryInfo {
 public:
  explicit TVpCategoryInfo(int index) : Index_(index) {}
  TVpCategoryInfo(const TVpCategoryInfo&) = delete;
  TVpCategoryInfo& operator=(const TVpCategoryInfo&) = delete;

  // The category's number, 0 to 9.
  int Index() const { return Index_; }

  TColor BackgroundColor() const { return BackgroundColor_; }
  void SetBackgroundColor(TColor value) { BackgroundColor_ = value; }
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Color_ = value; }
  const std::string& Description() const { return Description_; }
  void SetDescription(std::string value) { Description_ = std::move(value); }

  // The category's picture, or nullptr when it has none. The category owns the picture it is given.
  const TBitmap* Bitmap() const { return Bitmap_.get(); }
  void SetBitmap(std::unique_ptr<TBitmap> picture) { Bitmap_ = std::move(picture); }

 private:
  int Index_;
  TColor BackgroundColor_ = clWindow;
  TColor Color_ = clBlack;
  std::string Description_;
  std::unique_ptr<TBitmap> Bitmap_;
};

// The ten event categories, numbered 0 to 9, as the data store keeps them.
class TVpCategoryColorMap {
 public:
  static constexpr int kCategoryCount = 10;

  // Creates the ten categories with their default colours and the names "Category 0" to
  // "Category 9".
  TVpCategoryColorMap();

  // The category with the number, or nullptr for a number outside 0 to 9.
  TVpCategoryInfo* Category(int index);
  const TVpCategoryInfo* Category(int index) const;

  // The category's colour; 0 for a number outside 0 to 9.
  TColor Color(int index) const;
  // The category's name; empty for a number outside 0 to 9.
  std::string Description(int index) const;

 private:
  std::array<std::unique_ptr<TVpCategoryInfo>, kCategoryCount> Categories_;
};
