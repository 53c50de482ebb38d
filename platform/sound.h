#pragma once

#include <string>

// Sound output. Every operation does nothing, quietly, when the machine has no sound device;
// the result tells whether the sound could be played.
class TSoundPlayer {
 public:
  virtual ~TSoundPlayer() = default;
  // Starts a WAV file and returns at once; a sound still playing is stopped first.
  virtual bool PlayAsync(const std::string& wavPath) = 0;
  // Whether a sound started by PlayAsync is still playing; a caller that waits for its end asks
  // this from a timer, so the user interface keeps running meanwhile.
  virtual bool Playing() const = 0;
  // The desktop's default alert sound.
  virtual void Beep() = 0;
};
