#include "platform/qt/desktop_sound_player.h"

#include <alsa/asoundlib.h>
#include <QApplication>
#include <memory>
#include <string>

#include "platform/file_reader.h"
#include "platform/wav_file.h"

namespace {

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

snd_pcm_format_t AlsaFormat(TWavSound::TSampleFormat format) {
  switch (format) {
    case TWavSound::sfUnsigned8: return SND_PCM_FORMAT_U8;
    case TWavSound::sfSigned16: return SND_PCM_FORMAT_S16_LE;
    case TWavSound::sfSigned24: return SND_PCM_FORMAT_S24_3LE;
    case TWavSound::sfSigned32: return SND_PCM_FORMAT_S32_LE;
    case TWavSound::sfFloat32: return SND_PCM_FORMAT_FLOAT_LE;
  }
  return SND_PCM_FORMAT_S16_LE;
}

// The file's bytes, shared with the playing thread; nothing when it cannot be read.
std::shared_ptr<std::string> ReadSoundFile(const std::string& path) {
  try {
    if (auto bytes = ReadWholeFile(path)) return std::make_shared<std::string>(std::move(*bytes));
  } catch (const EFileReadError&) {}
  return nullptr;
}

// Plays the sound to its end, or until stop is set.
void Play(const TWavSound& sound, const std::atomic<bool>& stop) {
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) return;
  if (snd_pcm_set_params(pcm, AlsaFormat(sound.Format), SND_PCM_ACCESS_RW_INTERLEAVED,
                         static_cast<unsigned>(sound.Channels), static_cast<unsigned>(sound.SampleRate), 1,
                         100000) < 0) {
    snd_pcm_close(pcm);
    return;
  }
  const char* data = sound.Samples.data();
  snd_pcm_uframes_t frames = sound.Samples.size() / static_cast<size_t>(sound.BytesPerFrame);
  constexpr snd_pcm_uframes_t kChunk = 4096;
  while (frames > 0 && !stop) {
    const snd_pcm_sframes_t done = snd_pcm_writei(pcm, data, std::min(frames, kChunk));
    if (done < 0) {
      if (snd_pcm_recover(pcm, static_cast<int>(done), 1) < 0) break;
      continue;
    }
    data += static_cast<size_t>(done) * static_cast<size_t>(sound.BytesPerFrame);
    frames -= static_cast<snd_pcm_uframes_t>(done);
  }
  if (stop) snd_pcm_drop(pcm);
  else snd_pcm_drain(pcm);
  snd_pcm_close(pcm);
}

}  // namespace

TDesktopSoundPlayer::TDesktopSoundPlayer() { snd_lib_error_set_handler(IgnoreAlsaMessage); }

TDesktopSoundPlayer::~TDesktopSoundPlayer() { Stop(); }

void TDesktopSoundPlayer::Stop() {
  std::lock_guard guard(Lock_);
  StopRequested_ = true;
  if (Worker_.joinable()) Worker_.join();
  StopRequested_ = false;
}

bool TDesktopSoundPlayer::PlayAsync(const std::string& wavPath) {
  auto bytes = ReadSoundFile(wavPath);
  if (!bytes) return false;
  const auto sound = ReadWav(*bytes);
  if (!sound) return false;
  Stop();
  std::lock_guard guard(Lock_);
  Worker_ = std::thread([this, bytes, sound = *sound] { Play(sound, StopRequested_); });
  return true;
}

bool TDesktopSoundPlayer::PlaySync(const std::string& wavPath) {
  const auto bytes = ReadSoundFile(wavPath);
  if (!bytes) return false;
  const auto sound = ReadWav(*bytes);
  if (!sound) return false;
  Stop();
  const std::atomic<bool> never{false};
  Play(*sound, never);
  return true;
}

void TDesktopSoundPlayer::Beep() { QApplication::beep(); }
