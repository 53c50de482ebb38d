#pragma once

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/sound.h"

// Plays WAV files on the default ALSA device; the alert sound is the desktop's bell. With no sound
// device, or a file that is not a playable WAV, it plays nothing and says so through the result.
class TDesktopSoundPlayer : public TSoundPlayer {
 public:
  TDesktopSoundPlayer();
  ~TDesktopSoundPlayer() override;
  bool PlayAsync(const std::string& wavPath) override;
  bool Playing() const override { return Playing_; }
  void Beep() override;

 private:
  void Stop();

  std::mutex Lock_;
  std::thread Worker_;
  std::atomic<bool> StopRequested_{false};
  std::atomic<bool> Playing_{false};
};
