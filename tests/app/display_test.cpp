// Screen layout: the resolution table, the first-start fit, block-size steps
// and the full-screen best fit.
#include <gtest/gtest.h>

#include "app/display.h"
#include "media/media.h"
#include "media/media_test.h"

namespace {

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MediaInit());
    ScreenMode = 0;
    BorderFix = false;
    Wanted = {1024, 768, 96};
    FontPath = "";
  }
  void TearDown() override {
    media_test::SetDesktopSize(0, 0);
    LargeFont = TextFont = SmallFont = BannerFont = nullptr;
    LevelPicture = nullptr;
    MediaQuit();
  }
  void SetDesktop(int w, int h) {
    media_test::SetDesktopSize(w, h);
    DesktopSize(DesktopWidth, DesktopHeight);
  }
};

TEST_F(DisplayTest, BestFitOnFullHdUsesAnEvenBlockSizeCentredOnTheDesktop) {
  SetDesktop(1920, 1080);
  ScreenMode = 2;
  SetupDisplay();
  EXPECT_EQ(BlockSize, 134);  // 1080 / 8 = 135, made even
  EXPECT_EQ(HalfCell, 67);
  EXPECT_EQ(ScreenWidth, 1404);
  EXPECT_EQ(ScreenHeight, 1072);
  EXPECT_EQ(ScreenOffsetX, 258);
  EXPECT_EQ(ScreenOffsetY, 4);
  EXPECT_EQ(LargeFontPixels(), 82);
  EXPECT_EQ(TextFontPixels(), 61);
  // The wanted resolution is not touched by best fit, so going back to a
  // window gives the window asked for.
  EXPECT_EQ(Wanted.Width, 1024);
  ScreenMode = 0;
  SetupDisplay();
  EXPECT_EQ(ScreenWidth, 1024);
  EXPECT_EQ(BlockSize, 96);
  EXPECT_EQ(ScreenOffsetX, 0);
}

// Best fit keeps the whole game screen on the desktop both ways: on a
// desktop narrower than 10 cells and the side bar at height / 8, the width
// decides the block size.
TEST_F(DisplayTest, BestFitKeepsTheWholeGameScreenOnTheDesktop) {
  struct Case {
    int DesktopW, DesktopH, Block, OffsetX, OffsetY;
  };
  const Case cases[] = {
      {1280, 1024, 120, 8, 32},  // 1024 / 8 = 128 would be 1344 wide
      {1920, 1080, 134, 258, 4},
      {1024, 768, 96, 0, 0},
      {800, 600, 72, 8, 12},     // (800 - 64) / 10 = 73, made even
      {1600, 1200, 150, 18, 0},
  };
  for (const Case& c : cases) {
    SetDesktop(c.DesktopW, c.DesktopH);
    ScreenMode = 2;
    SetupDisplay();
    EXPECT_EQ(BlockSize, c.Block) << c.DesktopW << " x " << c.DesktopH;
    EXPECT_EQ(ScreenWidth, 10 * c.Block + 64);
    EXPECT_EQ(ScreenHeight, 8 * c.Block);
    EXPECT_EQ(ScreenOffsetX, c.OffsetX);
    EXPECT_EQ(ScreenOffsetY, c.OffsetY);
    EXPECT_LE(ScreenWidth, c.DesktopW);
    EXPECT_LE(ScreenHeight, c.DesktopH);
  }
}

TEST_F(DisplayTest, CentredFullScreenPlacesTheWantedScreenInTheMiddle) {
  SetDesktop(1920, 1080);
  ScreenMode = 1;
  SetupDisplay();
  EXPECT_EQ(ScreenWidth, 1024);
  EXPECT_EQ(ScreenOffsetX, (1920 - 1024) / 2);
  EXPECT_EQ(ScreenOffsetY, (1080 - 768) / 2);
  EXPECT_EQ(LargeFontPixels(), 60);
  EXPECT_EQ(TextFontPixels(), 45);
}

TEST_F(DisplayTest, FirstStartFitsTheWantedResolutionToSmallDesktops) {
  SetDesktop(800, 600);
  FitResolutionToDesktop();
  // 804 x 592 is not strictly narrower than 800, so the smallest row wins.
  EXPECT_EQ(Wanted.Width, 640);
  EXPECT_EQ(Wanted.Height, 448);
  EXPECT_EQ(Wanted.BlockSize, 56);

  Wanted = {1024, 768, 96};
  SetDesktop(1024, 768);
  FitResolutionToDesktop();
  EXPECT_EQ(Wanted.BlockSize, 96);

  Wanted = {1024, 768, 96};
  SetDesktop(1000, 700);
  FitResolutionToDesktop();
  EXPECT_EQ(Wanted.BlockSize, 74);

  Wanted = {1024, 768, 96};
  SetDesktop(320, 200);
  FitResolutionToDesktop();
  EXPECT_EQ(Wanted.BlockSize, 56);
}

TEST_F(DisplayTest, BlockSizeStepsWalkTheTableAndStopAtItsEnds) {
  Wanted = RESOLUTIONS[0];
  EXPECT_FALSE(StepBlockSize(+1));
  EXPECT_EQ(Wanted.BlockSize, 150);
  EXPECT_TRUE(StepBlockSize(-1));
  EXPECT_EQ(Wanted.BlockSize, 128);

  Wanted = RESOLUTIONS[4];
  EXPECT_FALSE(StepBlockSize(-1));
  EXPECT_EQ(Wanted.BlockSize, 56);
  EXPECT_TRUE(StepBlockSize(+1));
  EXPECT_EQ(Wanted.Width, 804);
  EXPECT_EQ(Wanted.BlockSize, 74);

  // A height the table does not know (an edited profile) blocks both ways.
  Wanted = {1000, 700, 80};
  EXPECT_FALSE(StepBlockSize(+1));
  EXPECT_FALSE(StepBlockSize(-1));
  EXPECT_EQ(Wanted.BlockSize, 80);
}

TEST_F(DisplayTest, WindowedDisplayClipsToTheGameScreenUnlessTheBorderFixIsOn) {
  SetDesktop(1920, 1080);
  Wanted = RESOLUTIONS[3];
  SetupDisplay();
  EXPECT_EQ(ScreenWidth, 804);
  EXPECT_EQ(HalfCell, 37);
  ASSERT_NE(LevelPicture, nullptr);
  EXPECT_EQ(ImageWidth(LevelPicture), 740);
  EXPECT_EQ(ImageHeight(LevelPicture), 592);

  media_test::StartRecording();
  SetClearColour(0, 0, 0);
  ClearClipArea();
  BorderFix = true;
  ApplyClipArea();
  ClearClipArea();
  media_test::StopRecording();
  const auto& draws = media_test::RecordedDraws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].ClipW, 804);
  EXPECT_EQ(draws[0].ClipH, 592);
  EXPECT_EQ(draws[1].ClipW, 1920);
  EXPECT_EQ(draws[1].ClipH, 1080);
}

}  // namespace
