#include "platform/wav_file.h"

#include <algorithm>

namespace {

std::uint32_t Le32(std::string_view b, size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t Le16(std::string_view b, size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

std::optional<TWavSound> Refuse(std::string* error, const char* why) {
  if (error != nullptr) *error = why;
  return std::nullopt;
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

std::optional<TWavSound> ReadWav(std::string_view bytes, std::string* error) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
    return Refuse(error, "not a WAVE file");

  std::optional<TWavSound> sound;
  bool haveFormat = false;
  std::uint16_t bits = 0;
  size_t at = 12;
  while (bytes.size() - at >= 8) {
    const std::string_view id = bytes.substr(at, 4);
    const std::uint64_t size = Le32(bytes, at + 4);
    const size_t body = at + 8;
    const size_t available = bytes.size() - body;
    if (id == "fmt ") {
      if (size < 16 || size > available) return Refuse(error, "damaged format chunk");
      std::uint16_t tag = Le16(bytes, body);
      TWavSound s;
      s.Channels = Le16(bytes, body + 2);
      s.SampleRate = static_cast<int>(Le32(bytes, body + 4));
      s.BytesPerFrame = Le16(bytes, body + 12);
      bits = Le16(bytes, body + 14);
      if (tag == kFormatExtensible && size >= 40) tag = Le16(bytes, body + 24);
      if (tag == kFormatPcm && bits == 8) s.Format = TWavSound::sfUnsigned8;
      else if (tag == kFormatPcm && bits == 16) s.Format = TWavSound::sfSigned16;
      else if (tag == kFormatPcm && bits == 24) s.Format = TWavSound::sfSigned24;
      else if (tag == kFormatPcm && bits == 32) s.Format = TWavSound::sfSigned32;
      else if (tag == kFormatFloat && bits == 32) s.Format = TWavSound::sfFloat32;
      else return Refuse(error, "unsupported sample format");
      if (s.Channels < 1 || s.Channels > 8) return Refuse(error, "unsupported channel count");
      if (s.SampleRate < 1 || s.SampleRate > 384000) return Refuse(error, "unsupported sample rate");
      if (s.BytesPerFrame != s.Channels * (bits / 8)) return Refuse(error, "inconsistent frame size");
      sound = s;
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return Refuse(error, "sound data before its format");
      // A data size running past the end (a file cut short) plays what is there.
      const size_t length = static_cast<size_t>(std::min<std::uint64_t>(size, available));
      sound->Samples = bytes.substr(body, length - length % static_cast<size_t>(sound->BytesPerFrame));
      return sound;
    }
    if (size > available) break;
    at = body + static_cast<size_t>(size) + (size & 1);  // chunks are padded to even sizes
    if (at > bytes.size()) break;
  }
  return Refuse(error, haveFormat ? "no sound data" : "no format chunk");
}
