// Drawing into an image instead of the display.
#include <gtest/gtest.h>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

using media_test::ReadImagePixel;
using media_test::ReadPixel;

namespace {

class TargetImage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_support::OpenTestDisplay(200, 100));
    SetBlendMode(BLEND_SOLID);
    SetClearColour(0, 0, 255);
    ClearClipArea();
  }
  void TearDown() override { media_test::StopRecording(); }
};

TEST_F(TargetImage, DrawingGoesIntoTheImageNotTheDisplay) {
  Image* image = CreateTargetImage(40, 30);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ImageWidth(image), 40);
  EXPECT_EQ(ImageFrames(image), 1);
  EXPECT_EQ(ReadImagePixel(image, 5, 5), 0u);  // starts transparent

  // The display's origin and clip do not apply inside the image.
  SetDrawOrigin(50, 20);
  SetClipArea(50, 20, 60, 60);
  BeginImageDrawing(image);
  SetDrawColour(255, 0, 0);
  FillRect(0, 0, 10, 10);
  SetDrawColour(0, 255, 0);
  FillRect(30, 20, 100, 100);  // clipped to the image
  EndImageDrawing();

  EXPECT_EQ(ReadImagePixel(image, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(ReadImagePixel(image, 9, 9), 0xFF0000FFu);
  EXPECT_EQ(ReadImagePixel(image, 39, 29), 0x00FF00FFu);
  EXPECT_EQ(ReadImagePixel(image, 20, 15), 0u);
  // The back buffer was not touched.
  EXPECT_EQ(ReadPixel(50, 20), 0x0000FFFFu);
  EXPECT_EQ(ReadPixel(0, 0), 0x0000FFFFu);

  // Origin and clip are back: a fill at (0, 0) lands at (50, 20) and is
  // clipped to the 60 x 60 area.
  SetDrawColour(255, 255, 255);
  FillRect(0, 0, 200, 200);
  EXPECT_EQ(ReadPixel(50, 20), 0xFFFFFFFFu);
  EXPECT_EQ(ReadPixel(109, 79), 0xFFFFFFFFu);
  EXPECT_EQ(ReadPixel(110, 80), 0x0000FFFFu);
  EXPECT_EQ(ReadPixel(49, 20), 0x0000FFFFu);

  // The image draws like any other.
  SetDrawOrigin(0, 0);
  SetClipArea(0, 0, 200, 100);
  DrawSprite(image, 100, 50, 0);
  EXPECT_EQ(ReadPixel(100, 50), 0xFF0000FFu);
  FreeImage(image);
}

TEST_F(TargetImage, OtherImagesAreNoTargetAndFreeingEndsTheDrawing) {
  Image* capture = CreateCaptureImage(10, 10);
  BeginImageDrawing(capture);  // not a target: drawing stays on the display
  SetDrawColour(255, 0, 0);
  FillRect(0, 0, 5, 5);
  EndImageDrawing();
  EXPECT_EQ(ReadPixel(2, 2), 0xFF0000FFu);
  EXPECT_EQ(ReadImagePixel(capture, 2, 2), 0u);
  FreeImage(capture);

  Image* image = CreateTargetImage(10, 10);
  ASSERT_NE(image, nullptr);
  BeginImageDrawing(image);
  FreeImage(image);
  SetDrawColour(0, 255, 0);
  FillRect(0, 0, 5, 5);
  EXPECT_EQ(ReadPixel(2, 2), 0x00FF00FFu);
  EXPECT_EQ(CreateTargetImage(0, 10), nullptr);
}

}  // namespace
