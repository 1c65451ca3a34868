// A frame the same as the one on screen is neither drawn nor presented
// again; any change in what is drawn, an event or a capture shows the very
// next frame.
#include <gtest/gtest.h>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

namespace {

class StillFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_support::OpenTestDisplay(200, 100));
    media_test::ResetInput();
  }
  // One frame: a grey background and a red square at (x, 10); true when
  // it was presented.
  bool Frame(float x, int red = 255) {
    const long before = media_test::PresentedFrames();
    SetBlendMode(BLEND_SOLID);
    SetClearColour(40, 40, 40);
    ClearClipArea();
    SetDrawColour(red, 0, 0);
    FillRect(x, 10, 20, 20);
    PresentFrame();
    return media_test::PresentedFrames() == before + 1;
  }
};

TEST_F(StillFrames, OnlyFramesThatChangeArePresented) {
  EXPECT_TRUE(Frame(10));  // the first frame of a display is always shown
  EXPECT_FALSE(Frame(10));
  EXPECT_FALSE(Frame(10));
  // The screen still shows the last presented frame.
  EXPECT_EQ(media_test::ReadPixel(15, 15), 0xFF0000FFu);
  EXPECT_EQ(media_test::ReadPixel(100, 50), 0x282828FFu);

  EXPECT_TRUE(Frame(11));  // moved by a pixel
  EXPECT_EQ(media_test::ReadPixel(30, 15), 0xFF0000FFu);
  EXPECT_FALSE(Frame(11));
  EXPECT_TRUE(Frame(11, 254));  // another colour
  EXPECT_FALSE(Frame(11, 254));
}

TEST_F(StillFrames, EventsCapturesAndNewDisplaysShowTheNextFrame) {
  Frame(10);
  ASSERT_FALSE(Frame(10));
  // An event from the platform (the window uncovered, say).
  media_test::PushWindowExposed();
  EXPECT_TRUE(Frame(10));
  EXPECT_FALSE(Frame(10));

  Image* capture = CreateCaptureImage(20, 20);
  ASSERT_NE(capture, nullptr);
  CaptureScreen(capture, 0, 0);
  EXPECT_TRUE(Frame(10));
  EXPECT_FALSE(Frame(10));
  FreeImage(capture);

  ASSERT_TRUE(OpenDisplay(200, 100, false));
  EXPECT_TRUE(Frame(10));
}

}  // namespace
