// Keyboard, buttons, wheel, pointer and typed characters through the same
// event handling as real input.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <utility>
#include <vector>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

namespace {

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_support::OpenTestDisplay(320, 200));
    media_test::ResetInput();
  }
  void TearDown() override { media_test::ResetInput(); }
};

using Presses = std::vector<std::pair<int, int>>;  // key, character

Presses TakePresses() {
  Presses out;
  for (const KeyPress& p : TakeKeyPresses()) out.emplace_back(p.Key, p.Char);
  return out;
}

TEST_F(Input, KeyPressesComeOutOnceInTheOrderMade) {
  media_test::InjectKeyDown(KEY_LEFT);
  media_test::InjectKeyUp(KEY_LEFT);
  media_test::InjectKeyDown(KEY_RIGHT);
  media_test::InjectKeyDown(KEY_LEFT);
  EXPECT_TRUE(IsKeyDown(KEY_LEFT));
  EXPECT_EQ(TakePresses(), (Presses{{KEY_LEFT, 0}, {KEY_RIGHT, 0}, {KEY_LEFT, 0}}));
  EXPECT_EQ(TakePresses(), Presses{});  // taken once
  EXPECT_TRUE(IsKeyDown(KEY_LEFT));     // still held
  media_test::InjectKeyUp(KEY_LEFT);
  EXPECT_FALSE(IsKeyDown(KEY_LEFT));
}

TEST_F(Input, LettersDigitsAndNamedKeysUseTheirCodes) {
  const int keys[] = {'A', 'Z', '0', '9', KEY_ENTER, KEY_ESCAPE, KEY_SPACE, KEY_PAGE_UP, KEY_PAGE_DOWN,
                      KEY_END, KEY_HOME, KEY_UP, KEY_DOWN, KEY_BACKSPACE, KEY_F1};
  for (int key : keys) {
    media_test::InjectKeyDown(key);
    media_test::InjectKeyUp(key);
  }
  const std::vector<KeyPress> presses = TakeKeyPresses();
  ASSERT_EQ(presses.size(), std::size(keys));
  for (size_t i = 0; i < presses.size(); i++) EXPECT_EQ(presses[i].Key, keys[i]);
  EXPECT_FALSE(IsKeyDown(100000));
  EXPECT_FALSE(IsKeyDown(-5));
}

// A key and the character it types are one press; a character typed with
// no key of its own (a shifted "+", an input method) is a press alone.
TEST_F(Input, TypedCharactersJoinTheirKeyPress) {
  media_test::InjectKeyDown(KEY_SPACE);
  media_test::InjectTypedChar(' ');
  media_test::InjectKeyDown('R');
  media_test::InjectTypedChar('r');
  media_test::InjectKeyUp('R');
  media_test::InjectTypedChar('+');
  media_test::InjectKeyDown(KEY_BACKSPACE);  // keys that type their own character
  media_test::InjectTypedChar(0x4E2D);       // outside ASCII
  media_test::InjectKeyDown(KEY_ENTER);
  media_test::InjectKeyDown(KEY_ESCAPE);
  media_test::InjectKeyDown(KEY_LEFT);  // types nothing
  EXPECT_EQ(TakePresses(), (Presses{{KEY_SPACE, ' '},
                                    {'R', 'r'},
                                    {0, '+'},
                                    {KEY_BACKSPACE, 8},
                                    {0, 0x4E2D},
                                    {KEY_ENTER, 13},
                                    {KEY_ESCAPE, 27},
                                    {KEY_LEFT, 0}}));
}

TEST_F(Input, ClearKeyboardForgetsPressesAndHeldKeys) {
  media_test::InjectKeyDown('R');
  media_test::InjectTypedChar('r');
  ClearKeyboard();
  EXPECT_FALSE(IsKeyDown('R'));
  EXPECT_EQ(TakePresses(), Presses{});
}

TEST_F(Input, ButtonsPointerAndWheel) {
  media_test::InjectPointerMove(120, 45);
  int x = 0, y = 0;
  PointerPosition(x, y);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 45);
  media_test::InjectButtonDown(BUTTON_LEFT);
  media_test::InjectButtonUp(BUTTON_LEFT);
  media_test::InjectButtonDown(BUTTON_LEFT);
  media_test::InjectButtonDown(BUTTON_RIGHT);
  EXPECT_TRUE(IsButtonDown(BUTTON_LEFT));
  EXPECT_EQ(ButtonHits(BUTTON_LEFT), 2);
  EXPECT_EQ(ButtonHits(BUTTON_LEFT), 0);
  EXPECT_EQ(ButtonHits(BUTTON_RIGHT), 1);
  media_test::InjectWheel(3);
  media_test::InjectWheel(-1);
  EXPECT_EQ(WheelPosition(), 2);
  EXPECT_EQ(WheelPosition(), 2);  // cumulative, not consumed
  media_test::InjectButtonDown(BUTTON_RIGHT);
  ClearButtons();
  EXPECT_FALSE(IsButtonDown(BUTTON_LEFT));
  EXPECT_FALSE(IsButtonDown(BUTTON_RIGHT));
  EXPECT_EQ(ButtonHits(BUTTON_RIGHT), 0);
  EXPECT_EQ(WheelPosition(), 0);
  EXPECT_EQ(ButtonHits(7), 0);
}

TEST_F(Input, CloseRequestsAndReset) {
  EXPECT_FALSE(CloseRequested());
  media_test::InjectCloseRequest();
  EXPECT_TRUE(CloseRequested());
  media_test::InjectKeyDown('Q');
  media_test::ResetInput();
  EXPECT_FALSE(CloseRequested());
  EXPECT_EQ(TakePresses(), Presses{});
}

TEST_F(Input, PresentFrameKeepsInjectedInput) {
  media_test::InjectKeyDown(KEY_SPACE);
  media_test::InjectTypedChar('x');
  PresentFrame();  // gathers platform events; injected ones are already in
  EXPECT_EQ(TakePresses(), (Presses{{KEY_SPACE, 'x'}}));
}

TEST_F(Input, AHeldEscapeTypesOnceAndAHeldBackspaceRepeats) {
  media_test::InjectKeyDown(KEY_ESCAPE);
  for (int i = 0; i < 5; i++) media_test::InjectKeyRepeat(KEY_ESCAPE);
  media_test::InjectKeyUp(KEY_ESCAPE);
  media_test::InjectKeyDown(KEY_BACKSPACE);
  for (int i = 0; i < 3; i++) media_test::InjectKeyRepeat(KEY_BACKSPACE);
  media_test::InjectKeyUp(KEY_BACKSPACE);
  EXPECT_EQ(TakePresses(), (Presses{{KEY_ESCAPE, 27},
                                    {KEY_BACKSPACE, 8},
                                    {0, KEY_BACKSPACE},
                                    {0, KEY_BACKSPACE},
                                    {0, KEY_BACKSPACE}}));
}

TEST(Clock, TheRealClockDoesNotWrapAfterTwentyFiveDays) {
  media_test::UseRealClock();
  const int64_t before = Milliseconds();
  const int64_t days25 = int64_t{25} * 24 * 3600 * 1000;
  media_test::ShiftRealClock(days25);
  const int64_t after = Milliseconds();
  media_test::ShiftRealClock(-days25);
  EXPECT_GT(after, int64_t{0x7FFFFFFF});
  EXPECT_GE(after - before, days25);
  EXPECT_LT(after - before, days25 + 5000);
}

TEST(Clock, ManualClockAndRealClock) {
  media_test::SetClock(5000);
  EXPECT_EQ(Milliseconds(), 5000);
  media_test::AdvanceClock(16);
  EXPECT_EQ(Milliseconds(), 5016);
  media_test::UseRealClock();
  const int a = Milliseconds();
  EXPECT_GT(a, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(25));
  EXPECT_GE(Milliseconds() - a, 25);
  EXPECT_LT(Milliseconds() - a, 5000);
}

TEST(Random, RangesAndUniformity) {
  int counts[5] = {};
  for (int i = 0; i < 50000; i++) {
    int v = RandomInt(-2, 2);
    ASSERT_GE(v, -2);
    ASSERT_LE(v, 2);
    counts[v + 2]++;
  }
  for (int c : counts) EXPECT_NEAR(c, 10000, 600);
  EXPECT_EQ(RandomInt(7, 7), 7);
  double sum = 0;
  for (int i = 0; i < 50000; i++) {
    float f = RandomFloat(1.0f, 3.0f);
    ASSERT_GE(f, 1.0f);
    ASSERT_LT(f, 3.0f);
    sum += f;
  }
  EXPECT_NEAR(sum / 50000, 2.0, 0.02);
  // A tiny range can never round up to its end.
  for (int i = 0; i < 10000; i++) ASSERT_LT(RandomFloat(1.0f, std::nextafter(1.0f, 2.0f)), std::nextafter(1.0f, 2.0f));
}

}  // namespace
