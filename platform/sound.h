#pragma once

#include <string>

// Sound output. Every operation does nothing, quietly, when the machine has no sound device;
// the result tells whether the sound could be played.
class TSoundPlayer {
 public:
  virtual ~TSoundPlayer() = default;
  // Starts a WAV file and returns at once; a sound still playing is stopped first.
  virtual bool PlayAsync(const std::string& wavPath) = 0;
  // Plays a WAV file to its end before returning.
  virtual bool PlaySync(const std::string& wavPath) = 0;
  // The desktop's default alert sound.
  virtual void Beep() = 0;
};
