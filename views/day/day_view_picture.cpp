#include "views/day/day_view_picture.h"

#include <array>
#include <stdexcept>

namespace {

// The key colour of transparent pixels; the pictures themselves never use it.
constexpr TColor kTransparentKey = clFuchsia;

}  // namespace

TVpPicture TVpPicture::FromRows(std::span<const std::string_view> rows,
                                std::span<const std::pair<char, TColor>> palette) {
  TVpPicture picture;
  if (rows.empty() || rows.front().empty()) return picture;
  picture.Width_ = static_cast<int>(rows.front().size());
  picture.Height_ = static_cast<int>(rows.size());
  picture.Pixels_.reserve(static_cast<size_t>(picture.Width_ * picture.Height_));
  for (std::string_view row : rows) {
    if (static_cast<int>(row.size()) != picture.Width_) throw std::invalid_argument("picture rows differ in length");
    for (char c : row) {
      std::optional<TColor> colour;
      for (const auto& [key, value] : palette)
        if (key == c) colour = value;
      picture.Pixels_.push_back(colour);
    }
  }
  return picture;
}

std::unique_ptr<TBitmap> TVpPicture::MakeBitmap(TCanvas& canvas) const {
  std::unique_ptr<TBitmap> bitmap = canvas.CreateBitmap(Width_, Height_);
  TCanvas& target = bitmap->Canvas();
  target.Brush.Style = bsSolid;
  target.Brush.Color = kTransparentKey;
  target.FillRect(Rect(0, 0, Width_, Height_));
  // One fill per run of equal pixels along a row.
  for (int y = 0; y < Height_; ++y) {
    int x = 0;
    while (x < Width_) {
      const std::optional<TColor> colour = Pixel(x, y);
      int end = x + 1;
      while (end < Width_ && Pixel(end, y) == colour) ++end;
      if (colour) {
        target.Brush.Color = *colour;
        target.FillRect(Rect(x, y, end, y + 1));
      }
      x = end;
    }
  }
  bitmap->TransparentColor = kTransparentKey;
  return bitmap;
}

TVpPicture StandardAlarmPicture() {
  // A bell.
  static constexpr std::array<std::string_view, 16> rows = {
      "................", ".......KK.......", "......KYYK......", ".....KYWYOK.....",
      "....KYWYYYOK....", "....KYWYYYOK....", "....KYWYYYOK....", "....KYYYYYOK....",
      "...KYWYYYYYOK...", "...KYYYYYYYOK...", "..KYYYYYYYYYOK..", "..KOOOOOOOOOOK..",
      ".KKKKKKKKKKKKKK.", "......KOOK......", ".......KK.......", "................",
  };
  static constexpr std::array<std::pair<char, TColor>, 4> palette = {
      {{'K', clBlack}, {'Y', clYellow}, {'O', clOlive}, {'W', clWhite}}};
  return TVpPicture::FromRows(rows, palette);
}

TVpPicture StandardRecurringPicture() {
  // Two arrows chasing each other round a circle.
  static constexpr std::array<std::string_view, 16> rows = {
      "................", ".....BBBBBB.....", "...BBBBBBBBBB.B.", "..BBB......BBBB.",
      ".BBB........BBB.", ".BB........BBBB.", ".BB.............", ".BB.............",
      ".............BB.", ".............BB.", ".BBBB........BB.", ".BBB........BBB.",
      ".BBBB......BBB..", ".B.BBBBBBBBBB...", ".....BBBBBB.....", "................",
  };
  static constexpr std::array<std::pair<char, TColor>, 1> palette = {{{'B', clNavy}}};
  return TVpPicture::FromRows(rows, palette);
}
