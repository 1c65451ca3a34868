// Pictures are decoded when first needed, yet the first frame of a screen
// already shows every picture it draws.
#include <gtest/gtest.h>

#include <vector>

#include "app/assets.h"
#include "app/display.h"
#include "board/block.h"
#include "board/tile_styles.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "tests/support/headless_game.h"

namespace {

class FirstFrameTest : public HeadlessGameTest {};

std::vector<uint32_t> PixelGrid() {
  std::vector<uint32_t> pixels;
  for (int y = 5; y < 8 * BlockSize; y += 37)
    for (int x = 5; x < 10 * BlockSize + 64; x += 41) pixels.push_back(media_test::ReadPixel(x, y));
  return pixels;
}

TEST_F(FirstFrameTest, PlayScreenShowsItsPicturesInItsFirstFrame) {
  Start();
  ParticlesOn = false;  // a board that stands still
  // Nothing of the play screen has been drawn yet.
  ASSERT_FALSE(media_test::ImageDecoded(PlayBackground));
  ASSERT_FALSE(media_test::ImageDecoded(StyleImage[37]));
  LoadLevel(3);
  StartLevel(1);
  ASSERT_TRUE(Frames(1));
  EXPECT_TRUE(media_test::ImageDecoded(PlayBackground));
  const std::vector<uint32_t> first = PixelGrid();

  // Every picture decoded in the frames' spare time, then the same screen
  // drawn again from scratch.
  for (int i = 0; i < 200 && !media_test::ImageDecoded(StyleImage[37]); i++) Frames(1);
  EXPECT_TRUE(media_test::ImageDecoded(StyleImage[37]));
  media_test::PushWindowExposed();
  ASSERT_TRUE(Frames(2));
  EXPECT_EQ(PixelGrid(), first);
  Shutdown();
}

TEST_F(FirstFrameTest, OnlyTheFirstScreensPicturesAreDecodedAtStart) {
  Start();
  EXPECT_TRUE(media_test::ImageDecoded(BumperPicture));  // the loading screen
  for (Image* later : {MapBackground, PlayBackground, StyleBackground, TutorialBackground, VictoryPicture})
    EXPECT_FALSE(media_test::ImageDecoded(later));
  // Sizes and frames are known before the pixels.
  EXPECT_EQ(ImageWidth(MapBackground), 960);
  EXPECT_EQ(ImageHeight(MapBackground), 768);
  EXPECT_EQ(ImageFrames(StyleImage[20]), 30);
  EXPECT_EQ(ImageWidth(StyleImage[20]), 48);
  Shutdown();
}

}  // namespace
