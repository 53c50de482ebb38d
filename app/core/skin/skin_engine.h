#pragma once

#include <optional>
#include <string>

#include "app/core/skin/skin_file.h"

// What the skin engine draws on: the look of every window of the program at once.
class TSkinTarget {
 public:
  virtual ~TSkinTarget() = default;
  // Every window takes the palette, and the widget style when one is named (an unknown style
  // keeps the current one).
  virtual void ApplySkin(const TSkinPalette& palette, const std::string& style) = 0;
  // Every window takes the desktop's own palette and style again.
  virtual void RestoreDesktopLook() = 0;
};

// The program's skin: the skin file loaded last, re-coloured by a hue shift and a brightness
// shift; or no skin, when every window draws with the desktop's own look.
class TSkinEngine {
 public:
  static constexpr int kHighestHueShift = 255;
  static constexpr int kLowestBrightnessShift = -60;
  static constexpr int kHighestBrightnessShift = 20;

  // The look the engine drives; without one (headless) it only keeps its state.
  void SetTarget(TSkinTarget* target) { Target_ = target; }

  // Loads the skin file and makes it the current skin, with the current shifts; the path is
  // remembered either way. A file that cannot be read or is malformed leaves the program without
  // a skin; the error, naming the file and why, is returned (empty when the skin was loaded). An
  // empty path just leaves the program without a skin.
  std::string LoadSkin(const std::string& path);
  // Every window draws with the desktop's look; the file path and the shifts are kept.
  void DropSkin();

  // The shifts, each clamped to its range; a change re-colours the current skin at once.
  void SetHueShift(int shift);
  void SetBrightnessShift(int shift);
  void ResetHueShift() { SetHueShift(0); }
  void ResetBrightnessShift() { SetBrightnessShift(0); }

  const std::string& FilePath() const { return FilePath_; }
  int HueShift() const { return HueShift_; }
  int BrightnessShift() const { return BrightnessShift_; }
  bool HasSkin() const { return Skin_.has_value(); }
  // The current skin's name; empty without a skin.
  std::string SkinName() const { return Skin_ ? Skin_->Name : std::string(); }

 private:
  void Apply();

  TSkinTarget* Target_ = nullptr;
  bool Skinned_ = false;  // the target shows a skin, not the desktop's look
  std::optional<TSkin> Skin_;
  std::string FilePath_;
  int HueShift_ = 0;
  int BrightnessShift_ = 0;
};
