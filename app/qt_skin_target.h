#pragma once

#include <QPalette>
#include <QString>

#include "app/core/skin/skin_engine.h"

// The skin on the desktop: every window of the program takes the skin's palette (and its widget
// style) at once through the application; the desktop's own palette and style, remembered when
// this is made, come back when the skin goes.
class TQtSkinTarget : public TSkinTarget {
 public:
  // Needs the application object.
  TQtSkinTarget();

  void ApplySkin(const TSkinPalette& palette, const std::string& style) override;
  void RestoreDesktopLook() override;

 private:
  // Switches the application to the named widget style, with the skin's frames while a skin is
  // on; an unknown name keeps the current style.
  void SetStyle(const QString& name, bool skinned);

  QPalette DesktopPalette_;
  QString DesktopStyle_;
  QString Style_;  // the style in use, and whether it has the skin's frames
  bool Skinned_ = false;
};
