// The drawing state as seen in the back buffer and in the recorded calls,
// images and strips, screen captures.
#include <gtest/gtest.h>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

using media_test::ReadPixel;

namespace {

uint8_t Red(uint32_t p) { return p >> 24; }
uint8_t Green(uint32_t p) { return (p >> 16) & 0xFF; }
uint8_t Blue(uint32_t p) { return (p >> 8) & 0xFF; }

class Drawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_support::OpenTestDisplay(200, 100));
    SetBlendMode(BLEND_SOLID);
    SetClearColour(0, 0, 0);
    ClearClipArea();
  }
  void TearDown() override { media_test::StopRecording(); }
};

// A picture written as PNG through the media layer's own encoder would hide
// decoding faults; this is a hand-made 4 x 2 RGBA PNG instead (two cells of
// 2 x 2: red and green on the left, blue and white on the right, top row
// opaque, bottom row half transparent).
std::string TinyStripPng();

TEST_F(Drawing, OpenDisplayStartsAFreshState) {
  SetDrawColour(10, 20, 30);
  SetDrawAlpha(0.25f);
  SetDrawScale(2, 2);
  SetDrawOrigin(5, 5);
  SetClipArea(1, 1, 2, 2);
  ASSERT_TRUE(test_support::OpenTestDisplay(200, 100));
  media_test::StartRecording();
  FillRect(3, 4, 10, 10);
  ClearClipArea();
  const auto& calls = media_test::RecordedDraws();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].R, 255);
  EXPECT_EQ(calls[0].Alpha, 1.0f);
  EXPECT_EQ(calls[0].Blend, BLEND_MASK);
  EXPECT_EQ(calls[0].X, 3);
  EXPECT_EQ(calls[0].W, 10);
  EXPECT_EQ(calls[1].ClipW, 200);
  EXPECT_EQ(calls[1].ClipH, 100);
  // The fresh display is black.
  EXPECT_EQ(ReadPixel(150, 50), 0x000000FFu);
}

TEST_F(Drawing, SolidFillIgnoresAlpha) {
  SetDrawColour(255, 0, 0);
  SetDrawAlpha(0.1f);
  FillRect(10, 10, 5, 5);
  EXPECT_EQ(ReadPixel(12, 12), 0xFF0000FFu);
  EXPECT_EQ(ReadPixel(16, 12), 0x000000FFu);
}

TEST_F(Drawing, AlphaBlendMixesWithTheBackground) {
  SetDrawColour(0, 0, 200);
  FillRect(0, 0, 50, 50);
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(200, 0, 0);
  SetDrawAlpha(0.5f);
  FillRect(0, 0, 50, 50);
  uint32_t p = ReadPixel(20, 20);
  EXPECT_NEAR(Red(p), 100, 2);
  EXPECT_NEAR(Blue(p), 100, 2);
}

TEST_F(Drawing, AdditiveAddsAndSaturates) {
  SetDrawColour(100, 200, 0);
  FillRect(0, 0, 50, 50);
  SetBlendMode(BLEND_ADDITIVE);
  SetDrawColour(100, 100, 100);
  SetDrawAlpha(1.0f);
  FillRect(0, 0, 50, 50);
  uint32_t p = ReadPixel(20, 20);
  EXPECT_NEAR(Red(p), 200, 1);
  EXPECT_EQ(Green(p), 255);
  EXPECT_NEAR(Blue(p), 100, 1);
  SetDrawAlpha(0.5f);
  FillRect(0, 0, 50, 50);
  EXPECT_NEAR(Red(ReadPixel(20, 20)), 250, 2);
}

TEST_F(Drawing, ClipAreaLimitsClearingAndDrawing) {
  SetClearColour(0, 255, 0);
  SetClipArea(20, 10, 30, 40);
  ClearClipArea();
  EXPECT_EQ(ReadPixel(20, 10), 0x00FF00FFu);
  EXPECT_EQ(ReadPixel(49, 49), 0x00FF00FFu);
  EXPECT_EQ(ReadPixel(19, 10), 0x000000FFu);
  EXPECT_EQ(ReadPixel(50, 20), 0x000000FFu);
  EXPECT_EQ(ReadPixel(25, 50), 0x000000FFu);
  // The origin moves drawing but not the clip area.
  SetDrawOrigin(100, 0);
  SetDrawColour(255, 255, 255);
  FillRect(-100, 0, 200, 100);
  EXPECT_EQ(ReadPixel(10, 10), 0x000000FFu);
  EXPECT_EQ(ReadPixel(30, 30), 0xFFFFFFFFu);
  EXPECT_EQ(ReadPixel(60, 30), 0x000000FFu);
}

TEST_F(Drawing, RecordedCallsCarryAbsolutePositionsAndScaledSizes) {
  media_test::StartRecording();
  SetDrawOrigin(10, 20);
  SetDrawScale(2, 0.5f);
  SetDrawColour(1, 2, 3);
  SetBlendMode(BLEND_ADDITIVE);
  FillRect(5, 6, 8, 10);
  const auto& calls = media_test::RecordedDraws();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Kind, media_test::DrawKind::Fill);
  EXPECT_EQ(calls[0].X, 15);
  EXPECT_EQ(calls[0].Y, 26);
  EXPECT_EQ(calls[0].W, 16);
  EXPECT_EQ(calls[0].H, 5);
  EXPECT_EQ(calls[0].B, 3);
  EXPECT_EQ(calls[0].Blend, BLEND_ADDITIVE);
  media_test::StopRecording();
  FillRect(0, 0, 1, 1);
  EXPECT_EQ(media_test::RecordedDraws().size(), 1u);
  media_test::StartRecording();
  EXPECT_TRUE(media_test::RecordedDraws().empty());
}

TEST_F(Drawing, StripsAreCutLeftToRightThenTopToBottom) {
  test_support::TempDir dir;
  ASSERT_TRUE(test_support::WriteWholeFile(dir.File("strip.png"), TinyStripPng()));
  // Cells of 1 x 1 in a 4 x 2 picture: cell k at (k % 4, k / 4).
  Image* strip = LoadSpriteStrip(dir.File("strip.png"), 1, 1, 2, 5);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(ImageWidth(strip), 1);
  EXPECT_EQ(ImageHeight(strip), 1);
  EXPECT_EQ(ImageFrames(strip), 5);
  SetDrawScale(4, 4);
  for (int frame = 0; frame < 5; frame++) DrawSprite(strip, frame * 10.0f, 0, frame);
  // Frame 0 = cell 2 (blue), frame 1 = cell 3 (white), frame 2 = cell 4
  // (second row, first column: red, half transparent, drawn solid).
  EXPECT_EQ(ReadPixel(1, 1), 0x0000FFFFu);
  EXPECT_EQ(ReadPixel(11, 1), 0xFFFFFFFFu);
  EXPECT_EQ(ReadPixel(21, 1), 0xFF0000FFu);
  EXPECT_EQ(ReadPixel(31, 1), 0x00FF00FFu);
  // Asking for more cells than the picture holds fails.
  EXPECT_EQ(LoadSpriteStrip(dir.File("strip.png"), 1, 1, 4, 5), nullptr);
  EXPECT_EQ(LoadSpriteStrip(dir.File("strip.png"), 0, 1, 0, 1), nullptr);
  FreeImage(strip);
}

TEST_F(Drawing, SpriteTintAlphaAndScale) {
  test_support::TempDir dir;
  ASSERT_TRUE(test_support::WriteWholeFile(dir.File("strip.png"), TinyStripPng()));
  Image* strip = LoadSpriteStrip(dir.File("strip.png"), 2, 2, 1, 1);  // blue / white over blue / white
  ASSERT_NE(strip, nullptr);
  SetDrawColour(255, 128, 0);
  SetDrawScale(10, 10);
  SetDrawOrigin(50, 0);
  DrawSprite(strip, 0, 0, 0);  // 20 x 20 at (50, 0)
  EXPECT_EQ(Green(ReadPixel(50 + 17, 2)), 128);  // white tinted
  EXPECT_EQ(Red(ReadPixel(50 + 17, 2)), 255);
  EXPECT_EQ(ReadPixel(50 + 2, 2), 0x000000FFu);  // blue times (255,128,0) = black
  EXPECT_EQ(ReadPixel(50 + 21, 2), 0x000000FFu);  // outside the scaled frame
  // Alpha multiplies the picture's own alpha (the bottom row is half).
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(255, 255, 255);
  SetDrawAlpha(0.5f);
  SetDrawOrigin(0, 0);
  SetDrawScale(1, 1);
  DrawSpriteStretched(strip, 100, 50, 40, 40, 0);
  EXPECT_NEAR(Red(ReadPixel(135, 55)), 128, 3);  // white at 0.5
  EXPECT_NEAR(Red(ReadPixel(135, 85)), 64, 3);   // white at 0.5 x 0.5
  FreeImage(strip);
}

TEST_F(Drawing, MissingOrBrokenPicturesGiveNothing) {
  test_support::TempDir dir;
  EXPECT_EQ(LoadSprite(dir.File("none.png")), nullptr);
  ASSERT_TRUE(test_support::WriteWholeFile(dir.File("bad.png"), "\x89PNG not really"));
  EXPECT_EQ(LoadSprite(dir.File("bad.png")), nullptr);
  ASSERT_TRUE(test_support::WriteWholeFile(dir.File("bad.jpg"), "\xFF\xD8\xFF garbage"));
  EXPECT_EQ(LoadSprite(dir.File("bad.jpg")), nullptr);
  EXPECT_EQ(LoadSprite("incbin::Data/no_such_picture.png"), nullptr);
  EXPECT_EQ(ImageWidth(nullptr), 0);
}

TEST_F(Drawing, CaptureCopiesTheScreenAndIgnoresTheOrigin) {
  SetDrawColour(10, 200, 30);
  FillRect(60, 40, 4, 4);
  Image* capture = CreateCaptureImage(8, 8);
  ASSERT_NE(capture, nullptr);
  SetDrawOrigin(-1000, -1000);  // must not move the capture
  CaptureScreen(capture, 58, 38);
  SetDrawOrigin(0, 0);
  SetDrawScale(4, 4);
  SetDrawColour(255, 255, 255);
  DrawSprite(capture, 100, 0, 0);  // 32 x 32
  // Nearest sampling: the captured block keeps sharp edges.
  EXPECT_EQ(ReadPixel(100 + 7, 8), 0x000000FFu);
  EXPECT_EQ(ReadPixel(100 + 8, 8), 0x0AC81EFFu);
  EXPECT_EQ(ReadPixel(100 + 23, 23), 0x0AC81EFFu);
  EXPECT_EQ(ReadPixel(100 + 24, 23), 0x000000FFu);
  // A capture partly off the display takes what lies on it and leaves the
  // rest of the image as it was.
  SetDrawScale(1, 1);
  SetDrawColour(255, 0, 0);
  FillRect(0, 0, 4, 4);
  CaptureScreen(capture, -4, -4);
  SetDrawColour(255, 255, 255);
  DrawSprite(capture, 150, 50, 0);
  EXPECT_EQ(ReadPixel(150 + 4, 50 + 4), 0xFF0000FFu);  // screen (0, 0)
  EXPECT_EQ(ReadPixel(150 + 3, 50 + 3), 0x0AC81EFFu);  // the earlier capture
  EXPECT_EQ(ReadPixel(150 + 1, 50 + 1), 0x000000FFu);
  FreeImage(capture);
}

TEST_F(Drawing, BackBufferSavedAsPng) {
  SetDrawColour(255, 0, 0);
  FillRect(0, 0, 200, 100);
  test_support::TempDir dir;
  ASSERT_TRUE(media_test::SaveBackBufferPNG(dir.File("shot.png")));
  Image* shot = LoadSprite(dir.File("shot.png"));
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(ImageWidth(shot), 200);
  EXPECT_EQ(ImageHeight(shot), 100);
  FreeImage(shot);
}

// ---------------------------------------------------------------------------
// A minimal PNG writer (stored deflate blocks) so the decoder is tested on
// bytes it did not produce itself.
uint32_t Crc(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string Chunk(const std::string& type, const std::string& data) {
  return Be32(static_cast<uint32_t>(data.size())) + type + data + Be32(Crc(type + data));
}

std::string TinyStripPng() {
  const uint32_t top[4] = {0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0xFFFFFFFF};
  std::string raw;
  for (int y = 0; y < 2; y++) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < 4; x++) {
      uint32_t p = top[x];
      raw += Be32(y == 0 ? p : (p & 0xFFFFFF00u) | 0x80);
    }
  }
  // zlib stream with one stored block, then Adler-32.
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  std::string z = "\x78\x01";
  const uint16_t len = static_cast<uint16_t>(raw.size());
  z += '\x01';
  z.push_back(static_cast<char>(len & 0xFF));
  z.push_back(static_cast<char>(len >> 8));
  z.push_back(static_cast<char>(~len & 0xFF));
  z.push_back(static_cast<char>((~len >> 8) & 0xFF));
  z += raw + Be32((b << 16) | a);
  std::string ihdr = Be32(4) + Be32(2) + std::string("\x08\x06\x00\x00\x00", 5);
  return std::string("\x89PNG\r\n\x1A\n", 8) + Chunk("IHDR", ihdr) + Chunk("IDAT", z) + Chunk("IEND", "");
}

}  // namespace
