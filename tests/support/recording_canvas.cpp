#include "tests/support/recording_canvas.h"

#include <cmath>

namespace {

size_t CodePoints(std::string_view text) {
  size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

int TRecordingCanvas::CharWidth() const { return static_cast<int>(std::lround(Font.Size * Ppi_ / 96.0)); }
int TRecordingCanvas::LineHeight() const { return static_cast<int>(std::lround(2.0 * Font.Size * Ppi_ / 96.0)); }

TCanvasOp& TRecordingCanvas::Record(TCanvasOp::TKind kind, const TRect& r) {
  TCanvasOp op;
  op.Kind = kind;
  op.Rect = r;
  op.Pen = Pen;
  op.Brush = Brush;
  op.Font = Font;
  op.Clip = Clip_;
  Ops_.push_back(std::move(op));
  return Ops_.back();
}

void TRecordingCanvas::Polygon(std::span<const TPoint> points) {
  Record(TCanvasOp::opPolygon, {}).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::LineTo(int x, int y) {
  Record(TCanvasOp::opLine, {}).Points = {PenPos_, TPoint{x, y}};
  PenPos_ = {x, y};
}

void TRecordingCanvas::Polyline(std::span<const TPoint> points) {
  Record(TCanvasOp::opPolyline, {}).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::TextOut(int x, int y, std::string_view text) {
  Record(TCanvasOp::opText, TRect{x, y, x + TextWidth(text), y + TextHeight(text)}).Text = text;
  PenPos_ = {x + TextWidth(text), y};
}

int TRecordingCanvas::TextWidth(std::string_view text) { return static_cast<int>(CodePoints(text)) * CharWidth(); }

int TRecordingCanvas::TextHeight(std::string_view) { return LineHeight(); }

std::unique_ptr<TBitmap> TRecordingCanvas::CreateBitmap(int width, int height) {
  return std::make_unique<TRecordingBitmap>(width, height, Ppi_);
}

void TRecordingCanvas::StretchDraw(const TRect& dest, const TBitmap&) { Record(TCanvasOp::opBitmap, dest); }

std::vector<TCanvasOp> TRecordingCanvas::OpsOf(TCanvasOp::TKind kind) const {
  std::vector<TCanvasOp> result;
  for (const auto& op : Ops_)
    if (op.Kind == kind) result.push_back(op);
  return result;
}

std::vector<std::string> TRecordingCanvas::Texts() const {
  std::vector<std::string> result;
  for (const auto& op : Ops_)
    if (op.Kind == TCanvasOp::opText) result.push_back(op.Text);
  return result;
}

const TCanvasOp* TRecordingCanvas::FindText(std::string_view text) const {
  for (const auto& op : Ops_)
    if (op.Kind == TCanvasOp::opText && op.Text == text) return &op;
  return nullptr;
}
