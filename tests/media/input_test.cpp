// Keyboard, buttons, wheel, pointer and typed characters through the same
// event handling as real input.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

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

TEST_F(Input, KeyHitsCountPressesOncePerCall) {
  media_test::InjectKeyDown(KEY_LEFT);
  media_test::InjectKeyUp(KEY_LEFT);
  media_test::InjectKeyDown(KEY_LEFT);
  EXPECT_TRUE(IsKeyDown(KEY_LEFT));
  EXPECT_EQ(KeyHits(KEY_LEFT), 2);
  EXPECT_EQ(KeyHits(KEY_LEFT), 0);  // a second call in the same frame
  EXPECT_TRUE(IsKeyDown(KEY_LEFT));  // still held
  media_test::InjectKeyUp(KEY_LEFT);
  EXPECT_FALSE(IsKeyDown(KEY_LEFT));
  EXPECT_EQ(KeyHits(KEY_RIGHT), 0);
}

TEST_F(Input, LettersDigitsAndNamedKeysUseTheirCodes) {
  const int keys[] = {'A', 'Z', '0', '9', KEY_ENTER, KEY_ESCAPE, KEY_SPACE, KEY_PAGE_UP, KEY_PAGE_DOWN,
                      KEY_END, KEY_HOME, KEY_UP, KEY_DOWN, KEY_BACKSPACE};
  for (int key : keys) {
    media_test::InjectKeyDown(key);
    media_test::InjectKeyUp(key);
  }
  for (int key : keys) EXPECT_EQ(KeyHits(key), 1) << key;
  EXPECT_EQ(KeyHits('a'), 0);  // letters are tested by their upper-case code
  EXPECT_EQ(KeyHits(-5), 0);
  EXPECT_EQ(KeyHits(100000), 0);
  EXPECT_FALSE(IsKeyDown(100000));
}

TEST_F(Input, TypedCharactersComeOutInOrderOnePerCall) {
  media_test::InjectTypedChar('h');
  media_test::InjectKeyDown(KEY_BACKSPACE);  // a key that types a character
  media_test::InjectTypedChar(0x4E2D);       // a character outside ASCII
  media_test::InjectKeyDown(KEY_ENTER);
  media_test::InjectKeyDown(KEY_ESCAPE);
  media_test::InjectKeyDown(KEY_LEFT);  // types nothing
  EXPECT_EQ(NextTypedChar(), 'h');
  EXPECT_EQ(NextTypedChar(), 8);
  EXPECT_EQ(NextTypedChar(), 0x4E2D);
  EXPECT_EQ(NextTypedChar(), 13);
  EXPECT_EQ(NextTypedChar(), 27);
  EXPECT_EQ(NextTypedChar(), 0);
}

TEST_F(Input, ClearKeyboardForgetsPressesAndCharacters) {
  media_test::InjectKeyDown('R');
  media_test::InjectTypedChar('r');
  ClearKeyboard();
  EXPECT_EQ(KeyHits('R'), 0);
  EXPECT_FALSE(IsKeyDown('R'));
  EXPECT_EQ(NextTypedChar(), 0);
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
  EXPECT_EQ(KeyHits('Q'), 0);
}

TEST_F(Input, PresentFrameKeepsInjectedInput) {
  media_test::InjectKeyDown(KEY_SPACE);
  media_test::InjectTypedChar('x');
  PresentFrame();  // gathers platform events; injected ones are already in
  EXPECT_EQ(KeyHits(KEY_SPACE), 1);
  EXPECT_EQ(NextTypedChar(), 'x');
}

TEST_F(Input, AHeldEscapeTypesOnceAndAHeldBackspaceRepeats) {
  media_test::InjectKeyDown(KEY_ESCAPE);
  for (int i = 0; i < 5; i++) media_test::InjectKeyRepeat(KEY_ESCAPE);
  media_test::InjectKeyUp(KEY_ESCAPE);
  media_test::InjectKeyDown(KEY_BACKSPACE);
  for (int i = 0; i < 3; i++) media_test::InjectKeyRepeat(KEY_BACKSPACE);
  media_test::InjectKeyUp(KEY_BACKSPACE);
  EXPECT_EQ(NextTypedChar(), KEY_ESCAPE);
  for (int i = 0; i < 4; i++) EXPECT_EQ(NextTypedChar(), KEY_BACKSPACE);
  EXPECT_EQ(NextTypedChar(), 0);
  EXPECT_EQ(KeyHits(KEY_ESCAPE), 1);
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
