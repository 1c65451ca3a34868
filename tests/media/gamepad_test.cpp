// Game controllers arrive as the keyboard: injected controller events must
// come out as the key hits, held keys and typed characters of the keys they
// stand for, with held arrows repeating on the media clock.
#include <gtest/gtest.h>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

using namespace media_test;

namespace {

class Gamepad : public ::testing::Test {
 protected:
  int Clock = 50000;
  void SetUp() override {
    ASSERT_TRUE(test_support::OpenTestDisplay(320, 200));
    ResetInput();
    SetClock(Clock);
  }
  void TearDown() override {
    ResetInput();
    UseRealClock();
  }
  // Moves the clock on and lets the media layer poll, as a frame does.
  void PollAt(int ms) {
    SetClock(Clock + ms);
    PresentFrame();
  }
  static void Tap(PadButton button) {
    InjectPadButton(3, button, true);
    InjectPadButton(3, button, false);
  }
  static int ArrowHitsTotal() {
    return KeyHits(KEY_RIGHT) + KeyHits(KEY_DOWN) + KeyHits(KEY_LEFT) + KeyHits(KEY_UP);
  }
};

TEST_F(Gamepad, ButtonsArriveAsTheKeysTheyStandFor) {
  Tap(PAD_A);
  Tap(PAD_START);
  EXPECT_EQ(KeyHits(KEY_ENTER), 2);
  EXPECT_EQ(NextTypedChar(), KEY_ENTER);
  EXPECT_EQ(NextTypedChar(), KEY_ENTER);

  Tap(PAD_B);
  EXPECT_EQ(KeyHits(KEY_ESCAPE), 1);
  EXPECT_EQ(NextTypedChar(), KEY_ESCAPE);

  Tap(PAD_X);
  Tap(PAD_Y);
  Tap(PAD_LEFT_SHOULDER);
  Tap(PAD_RIGHT_SHOULDER);
  EXPECT_EQ(KeyHits('U'), 1);
  EXPECT_EQ(KeyHits('R'), 1);
  EXPECT_EQ(NextTypedChar(), 'u');
  EXPECT_EQ(NextTypedChar(), 'r');
  EXPECT_EQ(NextTypedChar(), '-');
  EXPECT_EQ(NextTypedChar(), '+');

  // Buttons that stand for nothing type nothing.
  Tap(PAD_BACK);
  Tap(PAD_GUIDE);
  Tap(PAD_RIGHT_STICK);
  EXPECT_EQ(NextTypedChar(), 0);
  EXPECT_EQ(KeyHits(KEY_ENTER) + KeyHits(KEY_ESCAPE) + ArrowHitsTotal(), 0);
}

TEST_F(Gamepad, AButtonHeldIsAKeyHeld) {
  InjectPadButton(3, PAD_A, true);
  EXPECT_TRUE(IsKeyDown(KEY_ENTER));
  InjectPadButton(3, PAD_A, false);
  EXPECT_FALSE(IsKeyDown(KEY_ENTER));
  EXPECT_EQ(KeyHits(KEY_ENTER), 1);  // one press, not one per event
}

TEST_F(Gamepad, AHeldDpadRepeatsLikeAHeldKey) {
  InjectPadButton(3, PAD_DPAD_RIGHT, true);
  EXPECT_EQ(KeyHits(KEY_RIGHT), 1);  // the first step at once
  EXPECT_TRUE(IsKeyDown(KEY_RIGHT));
  PollAt(399);
  EXPECT_EQ(KeyHits(KEY_RIGHT), 0);  // not before the delay
  PollAt(400);
  EXPECT_EQ(KeyHits(KEY_RIGHT), 1);
  PollAt(480);
  EXPECT_EQ(KeyHits(KEY_RIGHT), 0);
  PollAt(510);
  EXPECT_EQ(KeyHits(KEY_RIGHT), 1);
  // After a long stall one step, not a burst.
  PollAt(5000);
  EXPECT_EQ(KeyHits(KEY_RIGHT), 1);

  InjectPadButton(3, PAD_DPAD_RIGHT, false);
  EXPECT_FALSE(IsKeyDown(KEY_RIGHT));
  PollAt(9000);
  EXPECT_EQ(ArrowHitsTotal(), 0);
}

TEST_F(Gamepad, TheStickHasADeadZoneAndFollowsItsLongerAxis) {
  InjectPadStick(3, 10000, -6000);  // resting a little off centre
  EXPECT_EQ(ArrowHitsTotal(), 0);
  InjectPadStick(3, 20000, 9000);
  EXPECT_EQ(KeyHits(KEY_RIGHT), 1);
  EXPECT_EQ(ArrowHitsTotal(), 0);
  // Falling back towards the centre keeps the arrow until the release point,
  // so a stick held near the threshold does not stutter.
  InjectPadStick(3, 14000, 0);
  EXPECT_TRUE(IsKeyDown(KEY_RIGHT));
  EXPECT_EQ(ArrowHitsTotal(), 0);
  InjectPadStick(3, 11000, 0);
  EXPECT_FALSE(IsKeyDown(KEY_RIGHT));
  // Up and a little left: up only.
  InjectPadStick(3, -9000, -32768);
  EXPECT_EQ(KeyHits(KEY_UP), 1);
  EXPECT_EQ(ArrowHitsTotal(), 0);
  // Swinging round to the left lets go of up once up falls under the
  // release point; left is a new arrow.
  InjectPadStick(3, -32768, -3000);
  EXPECT_FALSE(IsKeyDown(KEY_UP));
  EXPECT_EQ(KeyHits(KEY_LEFT), 1);
  InjectPadStick(3, 0, 0);
  EXPECT_FALSE(IsKeyDown(KEY_LEFT));
}

TEST_F(Gamepad, AnArrowHeldTwiceIsLetGoWhenBothLetGo) {
  InjectPadButton(3, PAD_DPAD_DOWN, true);
  InjectPadStick(3, 0, 30000);
  InjectPadButton(4, PAD_DPAD_DOWN, true);  // a second pad
  EXPECT_EQ(KeyHits(KEY_DOWN), 1);
  InjectPadButton(3, PAD_DPAD_DOWN, false);
  InjectPadStick(3, 0, 0);
  EXPECT_TRUE(IsKeyDown(KEY_DOWN));
  InjectPadButton(4, PAD_DPAD_DOWN, false);
  EXPECT_FALSE(IsKeyDown(KEY_DOWN));
  EXPECT_EQ(KeyHits(KEY_DOWN), 0);
}

TEST_F(Gamepad, PlugAndUnplug) {
  EXPECT_FALSE(GamepadArrived());
  InjectPadAdded(7);
  EXPECT_TRUE(GamepadArrived());
  EXPECT_FALSE(GamepadArrived());  // told once

  // A pad pulled out while holding an arrow lets go of it and stops repeating.
  InjectPadButton(7, PAD_DPAD_LEFT, true);
  EXPECT_EQ(KeyHits(KEY_LEFT), 1);
  InjectPadRemoved(7);
  EXPECT_FALSE(IsKeyDown(KEY_LEFT));
  PollAt(2000);
  EXPECT_EQ(ArrowHitsTotal(), 0);
  EXPECT_FALSE(GamepadArrived());
}

}  // namespace
