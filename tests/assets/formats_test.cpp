// The header readers accept the forms they describe and reject broken ones,
// so the asset checks that rely on them can fail.
#include <gtest/gtest.h>

#include "tests/assets/formats.h"

namespace {

std::string Be32(uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}
std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Le16(uint32_t v) { return {char(v), char(v >> 8)}; }

std::string Png(uint32_t width, uint32_t height, int colourType) {
  return std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height) + char(8) +
         char(colourType) + std::string(3, '\0') + Be32(0);
}

std::string Wave(int format, int channels, int bits, uint32_t dataBytes) {
  std::string fmt = "fmt " + Le32(16) + Le16(format) + Le16(channels) + Le32(44100) +
                    Le32(44100 * channels * bits / 8) + Le16(channels * bits / 8) + Le16(bits);
  std::string data = "data" + Le32(dataBytes) + std::string(dataBytes, '\0');
  if (dataBytes & 1) data += '\0';
  return "RIFF" + Le32(4 + fmt.size() + data.size()) + "WAVE" + fmt + data;
}

std::string OggVorbis(int channels) {
  std::string id = std::string("\x01vorbis") + Le32(0) + char(channels) + Le32(44100) + Le32(0) + Le32(128000) +
                   Le32(0) + char(0xB8) + char(1);
  std::string page = std::string("OggS") + char(0) + char(2) + std::string(8, '\0') + Le32(1) + Le32(0) + Le32(0) +
                     char(1) + char(id.size());
  return page + id;
}

}  // namespace

TEST(PngHeader, ReadsSizeAndAlpha) {
  const PictureHeader rgba = ReadPngHeader(Png(100, 75, 6));
  ASSERT_TRUE(rgba.Ok) << rgba.Error;
  EXPECT_EQ(rgba.Width, 100);
  EXPECT_EQ(rgba.Height, 75);
  EXPECT_TRUE(rgba.Alpha);
  EXPECT_FALSE(ReadPngHeader(Png(100, 75, 2)).Alpha) << "RGB without alpha";
  EXPECT_FALSE(ReadPngHeader(Png(100, 75, 6).substr(0, 20)).Ok) << "cut short";
  std::string wrongChunk = Png(100, 75, 6);
  wrongChunk.replace(12, 4, "IDAT");
  EXPECT_FALSE(ReadPngHeader(wrongChunk).Ok);
}

TEST(JpegHeader, FindsTheFrameAfterOtherSegments) {
  const std::string app0 = std::string("\xFF\xE0", 2) + char(0) + char(4) + "JF";
  const std::string sof = std::string("\xFF\xC2", 2) + char(0) + char(11) + char(8) + char(3) + char(0) + char(3) +
                          char(0xC0) + std::string(6, '\0');  // height 768, width 960
  const std::string jpeg = std::string("\xFF\xD8", 2) + app0 + sof;
  const PictureHeader header = ReadJpegHeader(jpeg);
  ASSERT_TRUE(header.Ok) << header.Error;
  EXPECT_EQ(header.Width, 960);
  EXPECT_EQ(header.Height, 768);
  EXPECT_FALSE(header.Alpha);
  EXPECT_FALSE(ReadJpegHeader(std::string("\xFF\xD8", 2) + app0).Ok) << "no frame";
  EXPECT_FALSE(ReadJpegHeader(Png(1, 1, 6)).Ok);
}

TEST(WaveHeader, ReadsPcmFormat) {
  const WaveHeader header = ReadWaveHeader(Wave(1, 2, 16, 400));
  ASSERT_TRUE(header.Ok) << header.Error;
  EXPECT_EQ(header.Format, 1);
  EXPECT_EQ(header.Channels, 2);
  EXPECT_EQ(header.BitsPerSample, 16);
  EXPECT_EQ(header.DataBytes, 400u);
  EXPECT_EQ(ReadWaveHeader(Wave(1, 1, 8, 101)).BitsPerSample, 8);
  std::string truncated = Wave(1, 1, 16, 400);
  truncated.resize(truncated.size() - 10);
  EXPECT_FALSE(ReadWaveHeader(truncated).Ok) << "file shorter than its RIFF size";
  EXPECT_FALSE(ReadWaveHeader(OggVorbis(2)).Ok);
}

TEST(VorbisHeader, ReadsChannels) {
  const VorbisHeader stereo = ReadVorbisHeader(OggVorbis(2));
  ASSERT_TRUE(stereo.Ok) << stereo.Error;
  EXPECT_EQ(stereo.Channels, 2);
  EXPECT_EQ(stereo.SampleRate, 44100);
  EXPECT_EQ(ReadVorbisHeader(OggVorbis(1)).Channels, 1);
  std::string notVorbis = OggVorbis(2);
  notVorbis.replace(28 + 1, 6, "opus__");
  EXPECT_FALSE(ReadVorbisHeader(notVorbis).Ok);
  EXPECT_FALSE(ReadVorbisHeader(Wave(1, 2, 16, 4)).Ok);
}

TEST(Utf8, DecodesUpToThreeBytesAndRejectsTheRest) {
  std::vector<uint32_t> out;
  ASSERT_TRUE(DecodeUtf8("a\xC3\xA9\xE4\xB8\xAD", out));
  EXPECT_EQ(out, (std::vector<uint32_t>{'a', 0xE9, 0x4E2D}));
  EXPECT_EQ(EncodeUtf8(0x4E2D), "\xE4\xB8\xAD");
  EXPECT_EQ(EncodeUtf8(0xE9), "\xC3\xA9");
  EXPECT_FALSE(DecodeUtf8("\xE9", out)) << "Latin-1 byte";
  EXPECT_FALSE(DecodeUtf8("\xC3", out)) << "cut short";
  EXPECT_FALSE(DecodeUtf8("\xC0\xAF", out)) << "overlong";
  EXPECT_FALSE(DecodeUtf8("\xED\xA0\x80", out)) << "surrogate";
  EXPECT_FALSE(DecodeUtf8("\xF0\x9F\x98\x80", out)) << "outside 16 bits";
}
