#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/canvas.h"

// A small picture of the day view (the alarm and recurrence icons), kept as plain pixels so that
// it can be drawn on any canvas: drawing copies it onto a bitmap of the target canvas's own kind.
class TVpPicture {
 public:
  TVpPicture() = default;
  // A picture drawn as text: rows of equal length, each character a pixel whose colour the palette
  // gives; a character the palette does not list is a transparent pixel.
  static TVpPicture FromRows(std::span<const std::string_view> rows, std::span<const std::pair<char, TColor>> palette);

  bool Empty() const { return Width_ == 0 || Height_ == 0; }
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  // The pixel's colour, or none where the picture is transparent.
  std::optional<TColor> Pixel(int x, int y) const { return Pixels_[static_cast<size_t>(y * Width_ + x)]; }

  // A bitmap of the canvas's kind showing the picture, its transparent pixels keyed out.
  std::unique_ptr<TBitmap> MakeBitmap(TCanvas& canvas) const;

 private:
  int Width_ = 0;
  int Height_ = 0;
  std::vector<std::optional<TColor>> Pixels_;
};

// The 16 x 16 pictures the main window's day view shows on events with a reminder and on
// repeating events.
TVpPicture StandardAlarmPicture();
TVpPicture StandardRecurringPicture();
