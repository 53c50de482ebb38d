#include <gtest/gtest.h>

#include "platform/wav_file.h"

namespace {

std::string Le16(int v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
std::string Le32(long v) { return Le16(static_cast<int>(v & 0xFFFF)) + Le16(static_cast<int>((v >> 16) & 0xFFFF)); }

std::string Chunk(const std::string& id, const std::string& body, long declared = -1) {
  return id + Le32(declared < 0 ? static_cast<long>(body.size()) : declared) + body +
         (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string Format(int tag, int channels, int rate, int bits) {
  const int frame = channels * bits / 8;
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(static_cast<long>(rate) * frame) + Le16(frame) + Le16(bits);
}

std::string Wave(const std::string& chunks) {
  return "RIFF" + Le32(static_cast<long>(4 + chunks.size())) + "WAVE" + chunks;
}

TEST(WavFile, ReadsPcmAfterUnknownChunks) {
  const std::string samples(8, 'x');  // two stereo 16-bit frames
  const std::string bytes =
      Wave(Chunk("LIST", "odd") + Chunk("fmt ", Format(1, 2, 44100, 16)) + Chunk("data", samples));
  const auto sound = ReadWav(bytes);
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->Format, TWavSound::sfSigned16);
  EXPECT_EQ(sound->Channels, 2);
  EXPECT_EQ(sound->SampleRate, 44100);
  EXPECT_EQ(sound->BytesPerFrame, 4);
  EXPECT_EQ(sound->Samples, samples);
}

TEST(WavFile, AFileCutShortPlaysItsWholeFrames) {
  const std::string bytes = Wave(Chunk("fmt ", Format(1, 2, 8000, 16)) + "data" + Le32(1000) + "1234567");
  const auto sound = ReadWav(bytes);
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->Samples, "1234");
}

struct TBadWav {
  const char* Name;
  std::string Bytes;
  const char* Error;
};

class WavFileRefuses : public ::testing::TestWithParam<TBadWav> {};

TEST_P(WavFileRefuses, WithAReason) {
  std::string error;
  EXPECT_FALSE(ReadWav(GetParam().Bytes, &error));
  EXPECT_EQ(error, GetParam().Error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WavFileRefuses,
    ::testing::Values(TBadWav{"Empty", "", "not a WAVE file"},
                      TBadWav{"NotRiff", "RIFX\0\0\0\0WAVE", "not a WAVE file"},
                      TBadWav{"NoChunks", Wave(""), "no format chunk"},
                      TBadWav{"DataFirst", Wave(Chunk("data", "abcd") + Chunk("fmt ", Format(1, 1, 8000, 16))),
                              "sound data before its format"},
                      TBadWav{"Compressed", Wave(Chunk("fmt ", Format(2, 1, 8000, 4))), "unsupported sample format"},
                      TBadWav{"NoChannels", Wave(Chunk("fmt ", Format(1, 0, 8000, 16))), "unsupported channel count"},
                      TBadWav{"ZeroRate", Wave(Chunk("fmt ", Format(1, 1, 0, 16))), "unsupported sample rate"},
                      TBadWav{"ShortFormat", Wave(Chunk("fmt ", "abcd")), "damaged format chunk"},
                      TBadWav{"HugeFormatSize", Wave(Chunk("fmt ", Format(1, 1, 8000, 16), 0x7FFFFFFF)),
                              "damaged format chunk"},
                      TBadWav{"NoData", Wave(Chunk("fmt ", Format(1, 1, 8000, 16))), "no sound data"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
