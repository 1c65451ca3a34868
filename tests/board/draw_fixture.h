// Board tests that draw: a headless display, recorded draw calls and
// stand-in tile strips made on the spot (30 coloured 48 x 48 cells), so the
// drawing can be checked without the game's artwork.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/board/board_fixture.h"
#include "tests/support/test_support.h"

namespace board_test {

using media_test::DrawCall;
using media_test::DrawKind;

inline std::filesystem::path TestOutputFolder() {
  const char* bin = std::getenv("PLIMO_BINARY_DIR");
  std::filesystem::path dir = std::filesystem::path(bin ? bin : ".") / "test-tmp" / "board";
  std::filesystem::create_directories(dir);
  return dir;
}

// Paints a strip picture of 30 cells on the back buffer, saves it and loads
// it back as a strip, once per call (each call gives a distinct image).
inline Image* MakeStandInStrip(int count) {
  static std::string path;
  if (path.empty()) {
    if (!test_support::OpenTestDisplay(1440, 48)) return nullptr;
    SetBlendMode(BLEND_SOLID);
    for (int c = 0; c < 30; c++) {
      SetDrawColour(40 + c * 7, 200 - c * 5, 90 + (c % 5) * 30);
      FillRect(c * 48.0f, 0, 48, 48);
    }
    // One file per process: CTest runs the tests of this program side by
    // side, and a strip another process is still writing would not load.
    path = (TestOutputFolder() / ("stand-in-strip-" + std::to_string(getpid()) + ".png")).string();
    media_test::SaveBackBufferPNG(path);
  }
  return LoadSpriteStrip(path, 48, 48, 0, count);
}

class DrawTest : public BoardTest {
 protected:
  Image* Tiles = nullptr;  // shown by every style in these tests
  Image* SavedStyles[STYLE_SLOTS] = {};
  Image* SavedShadow = nullptr;
  Image* SavedHighlight = nullptr;

  void SetUp() override {
    BoardTest::SetUp();
    Tiles = MakeStandInStrip(30);
    std::copy(std::begin(StyleImage), std::end(StyleImage), std::begin(SavedStyles));
    SavedShadow = ShadowStrip;
    SavedHighlight = HighlightStrip;
    for (int s = 0; s < STYLE_COUNT; s++) StyleImage[s] = Tiles;
    ShadowStrip = MakeStandInStrip(28);
    HighlightStrip = MakeStandInStrip(28);
    ASSERT_NE(Tiles, nullptr);
    ASSERT_NE(ShadowStrip, nullptr);
    ASSERT_TRUE(test_support::OpenTestDisplay(1024, 768));
    LargeFont = nullptr;  // the built-in font
    SetDrawOrigin(0, 0);
    media_test::StartRecording();
  }
  void TearDown() override {
    media_test::StopRecording();
    std::copy(std::begin(SavedStyles), std::end(SavedStyles), std::begin(StyleImage));
    ShadowStrip = SavedShadow;
    HighlightStrip = SavedHighlight;
    BoardTest::TearDown();
  }

  static std::vector<DrawCall> DrawsOf(const Image* image) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : media_test::RecordedDraws()) {
      if (c.Img == image) out.push_back(c);
    }
    return out;
  }
  static std::vector<DrawCall> Texts() {
    std::vector<DrawCall> out;
    for (const DrawCall& c : media_test::RecordedDraws()) {
      if (c.Kind == DrawKind::Text) out.push_back(c);
    }
    return out;
  }
  // The captions' letters, without the halo copies drawn under them.
  static std::vector<DrawCall> InkTexts() {
    std::vector<DrawCall> out;
    for (const DrawCall& c : Texts()) {
      if (c.Alpha > CAPTION_HALO_ALPHA) out.push_back(c);
    }
    return out;
  }
  static void Restart() { media_test::StartRecording(); }
};

}  // namespace board_test
