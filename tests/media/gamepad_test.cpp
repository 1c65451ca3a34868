// Game controllers arrive as the keyboard: injected controller events must
// come out as the key presses, held keys and typed characters of the keys they
// stand for, with held arrows repeating on the media clock.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

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
};

using Presses = std::vector<std::pair<int, int>>;  // key, character

Presses Taken() {
  Presses out;
  for (const KeyPress& p : TakeKeyPresses()) out.emplace_back(p.Key, p.Char);
  return out;
}

Presses One(int key, int typed = 0) { return {{key, typed}}; }

TEST_F(Gamepad, ButtonsArriveAsTheKeysTheyStandFor) {
  Tap(PAD_A);
  Tap(PAD_START);
  EXPECT_EQ(Taken(), (Presses{{KEY_ENTER, KEY_ENTER}, {KEY_ENTER, KEY_ENTER}}));

  Tap(PAD_B);
  EXPECT_EQ(Taken(), One(KEY_ESCAPE, KEY_ESCAPE));

  Tap(PAD_X);
  Tap(PAD_Y);
  Tap(PAD_LEFT_SHOULDER);
  Tap(PAD_RIGHT_SHOULDER);
  EXPECT_EQ(Taken(), (Presses{{'U', 'u'}, {'R', 'r'}, {0, '-'}, {0, '+'}}));

  // Buttons that stand for nothing type nothing.
  Tap(PAD_BACK);
  Tap(PAD_GUIDE);
  Tap(PAD_RIGHT_STICK);
  EXPECT_EQ(Taken(), Presses{});
}

TEST_F(Gamepad, AButtonHeldIsAKeyHeld) {
  InjectPadButton(3, PAD_A, true);
  EXPECT_TRUE(IsKeyDown(KEY_ENTER));
  InjectPadButton(3, PAD_A, false);
  EXPECT_FALSE(IsKeyDown(KEY_ENTER));
  EXPECT_EQ(Taken(), One(KEY_ENTER, KEY_ENTER));  // one press, not one per event
}

TEST_F(Gamepad, AHeldDpadRepeatsLikeAHeldKey) {
  InjectPadButton(3, PAD_DPAD_RIGHT, true);
  EXPECT_EQ(Taken(), One(KEY_RIGHT));  // the first step at once
  EXPECT_TRUE(IsKeyDown(KEY_RIGHT));
  PollAt(399);
  EXPECT_EQ(Taken(), Presses{});  // not before the delay
  PollAt(400);
  EXPECT_EQ(Taken(), One(KEY_RIGHT));
  PollAt(480);
  EXPECT_EQ(Taken(), Presses{});
  PollAt(510);
  EXPECT_EQ(Taken(), One(KEY_RIGHT));
  // After a long stall one step, not a burst.
  PollAt(5000);
  EXPECT_EQ(Taken(), One(KEY_RIGHT));

  InjectPadButton(3, PAD_DPAD_RIGHT, false);
  EXPECT_FALSE(IsKeyDown(KEY_RIGHT));
  PollAt(9000);
  EXPECT_EQ(Taken(), Presses{});
}

TEST_F(Gamepad, TheStickHasADeadZoneAndFollowsItsLongerAxis) {
  InjectPadStick(3, 10000, -6000);  // resting a little off centre
  EXPECT_EQ(Taken(), Presses{});
  InjectPadStick(3, 20000, 9000);
  EXPECT_EQ(Taken(), One(KEY_RIGHT));
  EXPECT_EQ(Taken(), Presses{});
  // Falling back towards the centre keeps the arrow until the release point,
  // so a stick held near the threshold does not stutter.
  InjectPadStick(3, 14000, 0);
  EXPECT_TRUE(IsKeyDown(KEY_RIGHT));
  EXPECT_EQ(Taken(), Presses{});
  InjectPadStick(3, 11000, 0);
  EXPECT_FALSE(IsKeyDown(KEY_RIGHT));
  // Up and a little left: up only.
  InjectPadStick(3, -9000, -32768);
  EXPECT_EQ(Taken(), One(KEY_UP));
  EXPECT_EQ(Taken(), Presses{});
  // Swinging round to the left lets go of up once up falls under the
  // release point; left is a new arrow.
  InjectPadStick(3, -32768, -3000);
  EXPECT_FALSE(IsKeyDown(KEY_UP));
  EXPECT_EQ(Taken(), One(KEY_LEFT));
  InjectPadStick(3, 0, 0);
  EXPECT_FALSE(IsKeyDown(KEY_LEFT));
}

TEST_F(Gamepad, AnArrowHeldTwiceIsLetGoWhenBothLetGo) {
  InjectPadButton(3, PAD_DPAD_DOWN, true);
  InjectPadStick(3, 0, 30000);
  InjectPadButton(4, PAD_DPAD_DOWN, true);  // a second pad
  EXPECT_EQ(Taken(), One(KEY_DOWN));
  InjectPadButton(3, PAD_DPAD_DOWN, false);
  InjectPadStick(3, 0, 0);
  EXPECT_TRUE(IsKeyDown(KEY_DOWN));
  InjectPadButton(4, PAD_DPAD_DOWN, false);
  EXPECT_FALSE(IsKeyDown(KEY_DOWN));
  EXPECT_EQ(Taken(), Presses{});
}

TEST_F(Gamepad, PlugAndUnplug) {
  EXPECT_FALSE(GamepadArrived());
  InjectPadAdded(7);
  EXPECT_TRUE(GamepadArrived());
  EXPECT_FALSE(GamepadArrived());  // told once

  // A pad pulled out while holding an arrow lets go of it and stops repeating.
  InjectPadButton(7, PAD_DPAD_LEFT, true);
  EXPECT_EQ(Taken(), One(KEY_LEFT));
  InjectPadRemoved(7);
  EXPECT_FALSE(IsKeyDown(KEY_LEFT));
  PollAt(2000);
  EXPECT_EQ(Taken(), Presses{});
  EXPECT_FALSE(GamepadArrived());
}

}  // namespace
