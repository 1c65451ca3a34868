// Touch points folded into the frame's pointer values.
#include <gtest/gtest.h>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

namespace {

struct Frame {
  int X = -1, Y = -1;
  int LeftHit = 0;
  bool LeftDown = false;
};

Frame Poll(Frame mouse = Frame()) {
  PollTouch(mouse.X, mouse.Y, mouse.LeftHit, mouse.LeftDown);
  return mouse;
}

class Touch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_support::OpenTestDisplay(640, 480));
    InitTouch();
    media_test::ResetInput();
  }
  void TearDown() override { media_test::ResetInput(); }
};

TEST_F(Touch, NoFingerLeavesTheMouseValues) {
  Frame mouse;
  mouse.X = 3;
  mouse.LeftHit = 1;
  Frame f = Poll(mouse);
  EXPECT_EQ(f.X, 3);
  EXPECT_EQ(f.LeftHit, 1);
  EXPECT_FALSE(TouchMode);
}

TEST_F(Touch, TapGivesOneHitThenHeldThenRelease) {
  media_test::InjectTouchDown(0, 100.7f, 50.2f);
  Frame f = Poll();
  EXPECT_TRUE(TouchMode);
  EXPECT_EQ(f.LeftHit, 1);
  EXPECT_FALSE(f.LeftDown);
  EXPECT_EQ(f.X, 100);  // truncated
  EXPECT_EQ(f.Y, 50);

  media_test::InjectTouchMove(0, 200.0f, 123.0f);
  f = Poll();
  EXPECT_EQ(f.LeftHit, 0);
  EXPECT_TRUE(f.LeftDown);
  EXPECT_EQ(f.X, 200);
  EXPECT_EQ(f.Y, 123);

  f = Poll();  // still held, not moved
  EXPECT_TRUE(f.LeftDown);
  EXPECT_EQ(f.X, 200);

  media_test::InjectTouchMove(0, 204.0f, 125.0f);
  media_test::InjectTouchUp(0);
  f = Poll();
  EXPECT_EQ(f.LeftHit, 0);
  EXPECT_FALSE(f.LeftDown);
  EXPECT_EQ(f.X, 204);  // released where the finger left
  EXPECT_EQ(f.Y, 125);
  EXPECT_TRUE(TouchMode);  // only a mouse click ends touch mode
  // Afterwards the mouse values stand, and the pointer stayed at that place.
  f = Poll();
  EXPECT_EQ(f.X, -1);
  int x, y;
  PointerPosition(x, y);
  EXPECT_EQ(x, 204);
  EXPECT_EQ(y, 125);
}

TEST_F(Touch, HitIsAtTheFirstPositionEvenAfterMovingBeforeThePoll) {
  media_test::InjectTouchDown(0, 10, 20);
  media_test::InjectTouchMove(0, 300, 300);
  Frame f = Poll();
  EXPECT_EQ(f.LeftHit, 1);
  EXPECT_EQ(f.X, 10);
  EXPECT_EQ(f.Y, 20);
  f = Poll();
  EXPECT_EQ(f.X, 300);
}

TEST_F(Touch, QuickTapBetweenTwoPollsStillClicks) {
  media_test::InjectTouchDown(0, 40, 60);
  media_test::InjectTouchUp(0);
  Frame f = Poll();
  EXPECT_EQ(f.LeftHit, 1);
  EXPECT_EQ(f.X, 40);
  // The release comes with the next poll, at the same place: a tap.
  f = Poll();
  EXPECT_EQ(f.LeftHit, 0);
  EXPECT_FALSE(f.LeftDown);
  EXPECT_EQ(f.X, 40);
  EXPECT_EQ(f.Y, 60);
  f = Poll();
  EXPECT_EQ(f.X, -1);
}

TEST_F(Touch, OnlyTheFirstFingerMovesAndPresses) {
  media_test::InjectTouchDown(0, 100, 100);
  Poll();
  media_test::InjectTouchDown(1, 500, 400);
  media_test::InjectTouchMove(1, 510, 410);
  Frame f = Poll();
  EXPECT_EQ(f.LeftHit, 0);
  EXPECT_TRUE(f.LeftDown);
  EXPECT_EQ(f.X, 100);
  // The first finger leaves: the second one stays secondary.
  media_test::InjectTouchUp(0);
  Poll();
  f = Poll();
  EXPECT_FALSE(f.LeftDown);
  EXPECT_EQ(f.LeftHit, 0);
  EXPECT_EQ(f.X, -1);
  // With every finger up, the next one down is primary again.
  media_test::InjectTouchUp(1);
  Poll();
  media_test::InjectTouchDown(1, 7, 8);
  f = Poll();
  EXPECT_EQ(f.LeftHit, 1);
  EXPECT_EQ(f.X, 7);
}

TEST_F(Touch, MouseEventsMadeUpFromTouchAreNotCounted) {
  media_test::InjectPointerMove(33, 44);
  media_test::InjectTouchDown(0, 300, 200);
  media_test::InjectMouseFromTouch(300, 200, true);
  media_test::InjectMouseFromTouch(300, 200, false);
  int x, y;
  PointerPosition(x, y);
  EXPECT_EQ(x, 33);
  EXPECT_EQ(y, 44);
  EXPECT_EQ(ButtonHits(BUTTON_LEFT), 0);
  EXPECT_FALSE(IsButtonDown(BUTTON_LEFT));
  Frame f = Poll();
  EXPECT_EQ(f.LeftHit, 1);  // the finger's one press
}

TEST_F(Touch, FingersDoNotMoveTheMousePointer) {
  media_test::InjectPointerMove(33, 44);
  media_test::InjectTouchDown(0, 300, 200);
  int x, y;
  PointerPosition(x, y);
  EXPECT_EQ(x, 33);
  EXPECT_EQ(ButtonHits(BUTTON_LEFT), 0);
}

}  // namespace
