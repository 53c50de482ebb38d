#include "app/core/skin/skin_engine.h"

#include <algorithm>

#include "app/core/skin/skin_colors.h"

std::string TSkinEngine::LoadSkin(const std::string& path) {
  FilePath_ = path;
  std::string error;
  if (path.empty()) Skin_.reset();
  else {
    try {
      Skin_ = ReadSkinFile(path);
    } catch (const ESkinFileError& e) {
      Skin_.reset();
      error = e.what();
    }
  }
  Apply();
  return error;
}

void TSkinEngine::DropSkin() {
  Skin_.reset();
  Apply();
}

void TSkinEngine::SetHueShift(int shift) {
  shift = std::clamp(shift, 0, kHighestHueShift);
  if (shift == HueShift_) return;
  HueShift_ = shift;
  if (Skin_) Apply();
}

void TSkinEngine::SetBrightnessShift(int shift) {
  shift = std::clamp(shift, kLowestBrightnessShift, kHighestBrightnessShift);
  if (shift == BrightnessShift_) return;
  BrightnessShift_ = shift;
  if (Skin_) Apply();
}

void TSkinEngine::Apply() {
  if (Target_ == nullptr) return;
  if (Skin_) Target_->ApplySkin(ShiftedPalette(Skin_->Colors, HueShift_, BrightnessShift_), Skin_->Style);
  else if (Skinned_) Target_->RestoreDesktopLook();
  Skinned_ = Skin_.has_value();
}
