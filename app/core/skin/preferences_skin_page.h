#pragma once

#include "app/core/settings/program_settings.h"

// What the preferences window asks of its "Skin" page: the page itself (file list, shifts,
// favourites) acts on the program's skin at once; the window only tells it when it shows, passes
// on the start-up state of "Don't use skin", and collects the skin keys on OK.
class TPreferencesSkinPage {
 public:
  virtual ~TPreferencesSkinPage() = default;

  // The window is about to show: the file list looks at the Skins folder again and the track
  // bars take the skin's current shifts.
  virtual void Showing() = 0;
  // Start-up sets "Don't use skin" from the settings; the option acts as when clicked.
  virtual void SetDontUseSkin(bool dontUse) = 0;
  // OK: the Skin section (DontUseSkin, SkinFileName, SkinColor, SkinBrightness) as it is now.
  virtual void WriteSettings(TProgramSettings& settings) const = 0;
};
