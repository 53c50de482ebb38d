#include "views/contacts/contact_button_bar.h"

#include <cmath>

#include "views/contacts/contact_grid.h"
#include "views/drawing/drawing_helpers.h"

namespace {

constexpr int kMaxButtons = 27;

// The letter code where letter button k begins in a bar with the step.
int LetterEdge(int k, float step) { return static_cast<int>(std::nearbyint(k * static_cast<double>(step) + 97.0)); }

}  // namespace

std::vector<std::string> ContactButtonCaptions(int count) {
  std::vector<std::string> captions = {"123"};
  const float step = 26.0F / static_cast<float>(count - 1);
  for (int k = 0; k + 1 < count; ++k) {
    const char first = static_cast<char>(LetterEdge(k, step));
    const char last = static_cast<char>(LetterEdge(k + 1, step) - 1);
    if (last == first) captions.push_back({first});
    else if (last == first + 1) captions.push_back({first, last});
    else if (last == first + 2) captions.push_back({first, static_cast<char>(first + 1), last});
    else captions.push_back({first, '-', last});
  }
  return captions;
}

std::string ContactButtonSearchText(const std::string& caption) {
  if (caption == "123") return "0123456789";
  if (caption.size() == 3 && caption[1] == '-') {
    std::string letters;
    for (char c = caption[0]; c <= caption[2]; ++c) letters += c;
    return letters;
  }
  return caption;
}

TVpContactButtonBar::TVpContactButtonBar() : Font_([this] { Invalidate(); }) { LayOut(); }

TVpContactGrid* TVpContactButtonBar::ContactGrid() const { return GridAlive_.expired() ? nullptr : Grid_; }

void TVpContactButtonBar::SetContactGrid(TVpContactGrid* grid) {
  Grid_ = grid;
  GridAlive_ = grid != nullptr ? grid->Liveness() : std::weak_ptr<void>();
  if (grid != nullptr) Resize(Width_, grid->Height());
  Invalidate();
}

void TVpContactButtonBar::Resize(int width, int height) {
  Width_ = width;
  Height_ = height;
  LayOut();
}

void TVpContactButtonBar::LayOut() {
  const int B = BorderWidth_, BH = ButtonHeight_;
  std::vector<TRect> rects;
  for (int a = B; (a + BH + B < Height_ && rects.size() < kMaxButtons) || rects.size() < 3; a += BH + B)
    rects.push_back(Rect(B, a, Width_ - B, a + BH));
  const std::vector<std::string> captions = ContactButtonCaptions(static_cast<int>(rects.size()));
  Buttons_.clear();
  for (size_t i = 0; i < rects.size(); ++i) Buttons_.push_back({rects[i], captions[i]});
  Pressed_ = -1;
  Invalidate();
}

void TVpContactButtonBar::Paint(TCanvas& canvas) {
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = Color_;
  canvas.FillRect(Rect(0, 0, Width_, Height_));
  DrawBevelFrame(canvas, Rect(0, 0, Width_ - 1, Height_ - 1), clBlack, clBlack);
  canvas.Font = Font_.Font();
  for (size_t i = 0; i < Buttons_.size(); ++i) {
    const bool pressed = Down_ && static_cast<int>(i) == Pressed_;
    const TRect& r = Buttons_[i].Rect;
    canvas.Brush.Color = ButtonColor_;
    canvas.FillRect(r);
    if (DrawingStyle_ == ds3d) {
      DrawBevelFrame(canvas, r, pressed ? cl3DDkShadow : clBtnHighlight, pressed ? clBtnHighlight : cl3DDkShadow);
    } else {
      DrawBevelFrame(canvas, r, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnShadow);
    }
    const std::string& caption = Buttons_[i].Caption;
    const int shift = pressed ? 2 : 0;
    canvas.Brush.Style = bsClear;
    canvas.TextOut(r.Left + (r.Width() - canvas.TextWidth(caption)) / 2 + shift,
                   r.Top + (r.Height() - canvas.TextHeight(caption)) / 2 + shift, caption);
    canvas.Brush.Style = bsSolid;
  }
}

void TVpContactButtonBar::MouseDown(TMouseButton button, int x, int y) {
  if (button != mbLeft) return;
  for (size_t i = 0; i < Buttons_.size(); ++i)
    if (PointWithin({x, y}, Buttons_[i].Rect)) {
      Pressed_ = static_cast<int>(i);
      Down_ = true;
      SearchText_ = ContactButtonSearchText(Buttons_[i].Caption);
      Invalidate();
      break;
    }
  Search();
}

void TVpContactButtonBar::MouseUp(TMouseButton button, int, int) {
  if (button != mbLeft || !Down_) return;
  Down_ = false;
  Invalidate();
}

void TVpContactButtonBar::Search() {
  TVpContactGrid* grid = ContactGrid();
  if (grid == nullptr || SearchText_.empty()) return;
  if (grid->OnRequestFocus) grid->OnRequestFocus();
  for (char c : SearchText_)
    if (grid->SelectByName(std::string(1, c))) return;
}
