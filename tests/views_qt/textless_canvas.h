#pragma once

#include "platform/canvas.h"

// A canvas that passes everything to another canvas except text, which it measures but leaves
// out: pictures compared pixel by pixel across rotations differ only in how glyphs are turned.
class TTextlessCanvas : public TCanvas {
 public:
  explicit TTextlessCanvas(TCanvas& inner) : Inner_(inner) {}

  void FillRect(const TRect& r) override { Sync().FillRect(r); }
  void Rectangle(const TRect& r) override { Sync().Rectangle(r); }
  void Ellipse(const TRect& r) override { Sync().Ellipse(r); }
  void RoundRect(const TRect& r, int w, int h) override { Sync().RoundRect(r, w, h); }
  void Polygon(std::span<const TPoint> points) override { Sync().Polygon(points); }
  void MoveTo(int x, int y) override {
    PenPos_ = {x, y};
    Sync().MoveTo(x, y);
  }
  void LineTo(int x, int y) override {
    PenPos_ = {x, y};
    Sync().LineTo(x, y);
  }
  void Polyline(std::span<const TPoint> points) override { Sync().Polyline(points); }
  void TextOut(int, int, std::string_view) override {}
  int TextWidth(std::string_view text) override { return Sync().TextWidth(text); }
  int TextHeight(std::string_view text) override { return Sync().TextHeight(text); }
  int AverageCharWidth() override { return Sync().AverageCharWidth(); }
  void DrawFocusRect(const TRect& r) override { Sync().DrawFocusRect(r); }
  void SetClipRect(const std::optional<TRect>& r) override { Inner_.SetClipRect(r); }
  std::optional<TRect> ClipRect() const override { return Inner_.ClipRect(); }
  int PixelsPerInch() const override { return Inner_.PixelsPerInch(); }
  std::unique_ptr<TBitmap> CreateBitmap(int width, int height) override { return Inner_.CreateBitmap(width, height); }
  void StretchDraw(const TRect& dest, const TBitmap& bitmap) override { Sync().StretchDraw(dest, bitmap); }

 private:
  TCanvas& Sync() {
    Inner_.Pen = Pen;
    Inner_.Brush = Brush;
    Inner_.Font = Font;
    return Inner_;
  }

  TCanvas& Inner_;
};
