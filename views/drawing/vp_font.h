#pragma once

#include <functional>
#include <string>

#include "platform/assign_if_changed.h"
#include "platform/canvas.h"

// A font that tells its owner when it changes: a control repaints, a view's attributes object
// reloads. The owner passes what to run when it creates the font.
class TVpFont {
 public:
  explicit TVpFont(std::function<void()> onChange = {}) : OnChange_(std::move(onChange)) {}
  TVpFont(const TVpFont&) = delete;
  TVpFont& operator=(const TVpFont&) = delete;

  // The font as the canvas takes it.
  const TFont& Font() const { return Font_; }
  // Takes over every property of the given font.
  void Assign(const TFont& font) { Store(Font_, font); }

  const std::string& Name() const { return Font_.Name; }
  void SetName(std::string value) { Store(Font_.Name, std::move(value)); }
  int Size() const { return Font_.Size; }
  void SetSize(int value) { Store(Font_.Size, value); }
  TColor Color() const { return Font_.Color; }
  void SetColor(TColor value) { Store(Font_.Color, value); }
  TFontStyles Style() const { return Font_.Style; }
  void SetStyle(TFontStyles value) { Store(Font_.Style, value); }
  int Orientation() const { return Font_.Orientation; }
  void SetOrientation(int value) { Store(Font_.Orientation, value); }
  TFontPitch Pitch() const { return Font_.Pitch; }
  void SetPitch(TFontPitch value) { Store(Font_.Pitch, value); }

 private:
  template <class T>
  void Store(T& field, T value) {
    if (AssignIfChanged(field, std::move(value)) && OnChange_) OnChange_();
  }

  std::function<void()> OnChange_;
  TFont Font_;
};
