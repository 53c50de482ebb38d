#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/enumerations.h"
#include "platform/assign_if_changed.h"
#include "platform/canvas.h"
#include "platform/input.h"
#include "views/drawing/vp_font.h"

class TVpContactGrid;

// One button of the bar: where it is and what it reads.
struct TVpContactButton {
  TRect Rect;
  std::string Caption;
};

// The captions of a bar of n buttons (at least 3): "123", then the 26 letters shared among the
// other n - 1 buttons. The step 26 / (n - 1) is held in single precision and each button's edge
// (k times the step plus "a") is worked out from it in double precision and rounded to the
// nearest letter code, halves to the even one.
std::vector<std::string> ContactButtonCaptions(int count);
// The first letters a button's press tries: the digits for "123", every letter of a range like
// "d-g", else the caption itself.
std::string ContactButtonSearchText(const std::string& caption);

// The contact button bar: a column of buttons beside a contact grid, a number button then letters
// or letter groups; pressing one makes the first contact whose last name begins with one of its
// characters active in the grid and scrolls it into view.
class TVpContactButtonBar {
 public:
  TVpContactButtonBar();

  // The grid the bar moves (or none); takes over the grid's height. A grid that goes away
  // unlinks itself.
  TVpContactGrid* ContactGrid() const;
  void SetContactGrid(TVpContactGrid* grid);

  // Negative values become 0.
  int BorderWidth() const { return BorderWidth_; }
  void SetBorderWidth(int value) { StoreLayout(BorderWidth_, std::max(value, 0)); }
  // Values below 18 become 18.
  int ButtonHeight() const { return ButtonHeight_; }
  void SetButtonHeight(int value) { StoreLayout(ButtonHeight_, std::max(value, 18)); }
  TColor ButtonColor() const { return ButtonColor_; }
  void SetButtonColor(TColor value) { Store(ButtonColor_, value); }
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Store(Color_, value); }
  TVpDrawingStyle DrawingStyle() const { return DrawingStyle_; }
  void SetDrawingStyle(TVpDrawingStyle value) { Store(DrawingStyle_, value); }
  TVpFont& Font() { return Font_; }

  int Width() const { return Width_; }
  int Height() const { return Height_; }
  // The client size changed: the buttons are laid out again.
  void Resize(int width, int height);
  const std::vector<TVpContactButton>& Buttons() const { return Buttons_; }
  int PressedButton() const { return Pressed_; }
  const std::string& SearchText() const { return SearchText_; }

  void Paint(TCanvas& canvas);
  // A left press on a button presses it and searches the grid with its characters; a press
  // between buttons repeats the last search.
  void MouseDown(TMouseButton button, int x, int y);
  void MouseUp(TMouseButton button, int x, int y);

  // Set by the hosting window: how a repaint is requested.
  std::function<void()> OnInvalidate;

 private:
  template <class T>
  void Store(T& field, T value) {
    if (AssignIfChanged(field, value)) Invalidate();
  }
  template <class T>
  void StoreLayout(T& field, T value) {
    if (AssignIfChanged(field, value)) LayOut();
  }
  void LayOut();
  void Invalidate() {
    if (OnInvalidate) OnInvalidate();
  }
  void Search();

  TVpContactGrid* Grid_ = nullptr;
  std::weak_ptr<void> GridAlive_;
  int BorderWidth_ = 2;
  int ButtonHeight_ = 18;
  TColor ButtonColor_ = clBtnFace;
  TColor Color_ = clWindow;
  TVpDrawingStyle DrawingStyle_ = ds3d;
  TVpFont Font_;
  int Width_ = 40;
  int Height_ = 280;
  std::vector<TVpContactButton> Buttons_;
  int Pressed_ = -1;
  bool Down_ = false;
  std::string SearchText_;
};
