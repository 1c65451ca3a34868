// Sprites drawn at another size than their own are scaled once and copied
// afterwards, and quarter sets are drawn as one square: the pixels must be
// those of scaling and drawing each quarter at each draw.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

namespace {

constexpr int W = 320, H = 200;

struct Scene {
  Image* Strip;
  // Tile quarters of a 74-pixel board, particles at many scales, blends and
  // alphas, a sprite half off the display and one cut by the clip area.
  void Draw() const {
    SetClearColour(40, 60, 80);
    ClearClipArea();
    SetBlendMode(BLEND_ALPHA);
    for (int i = 0; i < 4; i++) DrawSpriteStretched(Strip, 10.0f + 37 * (i % 2), 10.0f + 37 * (i / 2), 37, 37, 20 + i);
    DrawSpriteStretched(Strip, 100, 10, 128, 64, 3);
    // Quarter sets, put together once: scaled, 1:1, half transparent, cut
    // by the display's edge.
    const int lone[4] = {20, 21, 23, 22}, shape[4] = {2, 7, 11, 16};
    DrawQuarters(Strip, 240, 5, 30, lone);
    DrawQuarters(Strip, 200, 40, 48, shape);
    SetDrawAlpha(0.5f);
    DrawQuarters(Strip, 10, 80, 30, lone);
    DrawQuarters(Strip, -20, 150, 24, shape);
    SetDrawAlpha(1.0f);
    SetBlendMode(BLEND_ADDITIVE);
    for (int i = 0; i < 12; i++) {
      const float scale = 0.15f + 0.11f * i;
      SetDrawScale(scale, scale);
      SetDrawAlpha(0.2f + 0.06f * i);
      DrawSprite(Strip, 20.5f + 23 * i, 120.25f, 28);
    }
    SetDrawScale(1.5f, 1.5f);
    SetDrawAlpha(1.0f);
    SetBlendMode(BLEND_ALPHA);
    DrawSprite(Strip, W - 30, H - 40, 5);
    SetClipArea(0, 0, 200, 150);
    DrawSprite(Strip, 180, 130, 6);
    SetClipArea(0, 0, W, H);
    SetDrawScale(1, 1);
  }
};

std::vector<uint32_t> Pixels() {
  std::vector<uint32_t> out;
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++) out.push_back(media_test::ReadPixel(x, y));
  return out;
}

int Channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

TEST(ScaledFrames, GiveThePixelsOfScalingAtEachDraw) {
  ASSERT_TRUE(test_support::OpenTestDisplay(W, H));
  Image* strip = LoadSpriteStrip(test_support::SourceDir() + "/Data/pLiMo_tiles_acide_1.png", 48, 48, 0, 30);
  ASSERT_NE(strip, nullptr);
  const Scene scene{strip};

  media_test::UseScaledFrames(false);
  scene.Draw();
  const std::vector<uint32_t> atEachDraw = Pixels();
  media_test::UseScaledFrames(true);
  // Twice: once making the scaled frames, once drawing the made ones.
  for (int pass = 0; pass < 2; pass++) {
    scene.Draw();
    const std::vector<uint32_t> once = Pixels();
    int worst = 0;
    size_t differing = 0;
    for (size_t i = 0; i < once.size(); i++) {
      int d = 0;
      for (int shift = 8; shift < 32; shift += 8)
        d = std::max(d, std::abs(Channel(once[i], shift) - Channel(atEachDraw[i], shift)));
      worst = std::max(worst, d);
      differing += d != 0;
    }
    EXPECT_LE(worst, 1) << "pass " << pass;
    EXPECT_LE(differing, once.size() / 100) << "pass " << pass;
  }
  // Something was drawn: the scene is not the clear colour everywhere.
  size_t drawn = 0;
  for (uint32_t p : atEachDraw) drawn += p != 0x283C50FFu;
  EXPECT_GT(drawn, static_cast<size_t>(W * H / 10));
  FreeImage(strip);
}

}  // namespace
