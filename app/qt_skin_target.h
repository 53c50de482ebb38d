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
  QPalette DesktopPalette_;
  QString DesktopStyle_;
};
