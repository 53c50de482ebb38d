#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The playable part of a RIFF/WAVE file: its format and where its samples are.
struct TWavSound {
  enum TSampleFormat { sfUnsigned8, sfSigned16, sfSigned24, sfSigned32, sfFloat32 };
  TSampleFormat Format = sfSigned16;
  int Channels = 0;
  int SampleRate = 0;
  int BytesPerFrame = 0;
  std::string_view Samples;  // whole frames only, inside the bytes given to ReadWav
};

// Reads a WAVE file held in memory. Returns nothing, with the reason in *error, for anything that
// is not uncompressed PCM or IEEE-float sound with 1 to 8 channels at 1 Hz to 384 kHz.
std::optional<TWavSound> ReadWav(std::string_view bytes, std::string* error = nullptr);
