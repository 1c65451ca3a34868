// The whole game played with a game controller: injected controller events,
// frames of the real frame loop, the board and the undo file as the result.
#include <gtest/gtest.h>

#include <array>

#include "board/block.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "play/play_input.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"

using namespace media_test;

namespace {

using Board = std::array<int, 80>;

class GamepadPlay : public HeadlessGameTest {
 protected:
  static constexpr int PAD = 1;
  // A button pressed and let go, then one frame.
  void Tap(PadButton button) {
    InjectPadButton(PAD, button, true);
    InjectPadButton(PAD, button, false);
    ASSERT_TRUE(Frames(1));
  }
  // The keyboard cursor walked to a cell with the d-pad, one press a cell.
  void CursorTo(int x, int y) {
    while (KeyboardCursorX < x) Tap(PAD_DPAD_RIGHT);
    while (KeyboardCursorX > x) Tap(PAD_DPAD_LEFT);
    while (KeyboardCursorY < y) Tap(PAD_DPAD_DOWN);
    while (KeyboardCursorY > y) Tap(PAD_DPAD_UP);
  }
  // Takes hold of the first shape that has room to step (cursor and A) and
  // steps it with the d-pad. False when no shape could step.
  bool StepSomeShape() {
    const PadButton dpad[4] = {PAD_DPAD_RIGHT, PAD_DPAD_DOWN, PAD_DPAD_LEFT, PAD_DPAD_UP};
    for (const auto& block : Blocks) {
      const int bx = block->XMap, by = block->YMap;
      CursorTo(bx, by);
      EXPECT_EQ(KeyboardCursorX, bx);
      EXPECT_EQ(KeyboardCursorY, by);
      Tap(PAD_A);
      EXPECT_EQ(KeyboardMode, 2);
      for (int d = 0; d < 4; d++) {
        if (GroupBlocked(DIR_DX[d], DIR_DY[d])) continue;
        T_BLOCK* held = GrabbedBlock;
        Tap(dpad[d]);
        EXPECT_EQ(held->XMap, bx + DIR_DX[d]);
        EXPECT_EQ(held->YMap, by + DIR_DY[d]);
        EXPECT_EQ(KeyboardCursorX, bx + DIR_DX[d]);
        EXPECT_EQ(KeyboardCursorY, by + DIR_DY[d]);
        return true;
      }
      Tap(PAD_A);  // let go, try the next shape
      EXPECT_EQ(KeyboardMode, 1);
    }
    return false;
  }
  static Board Cells() {
    Board b;
    b.fill(-1);
    for (const auto& block : Blocks) b[block->YMap * 10 + block->XMap] = block->Kind;
    return b;
  }
};

TEST_F(GamepadPlay, ConnectingAPadShowsTheKeyboardCursorWithoutStartingALevel) {
  Start();
  ASSERT_TRUE(Frames(2));
  ASSERT_EQ(KeyboardMode, 0);
  CustomCursor = true;
  InjectPadAdded(PAD);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(KeyboardMode, 1);
  EXPECT_FALSE(CustomCursor);
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Shutdown();
}

TEST_F(GamepadPlay, APadConnectedOffTheBoardScreensShowsTheCursorOnTheNextOne) {
  Start();
  ASSERT_TRUE(Frames(2));
  SetScreen(SCREEN_LEVEL_MAP);
  InjectPadAdded(PAD);
  ASSERT_TRUE(Frames(2));
  EXPECT_EQ(KeyboardMode, 0);
  Tap(PAD_B);  // back to the main menu, a board screen
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(KeyboardMode, 1);
  Shutdown();
}

TEST_F(GamepadPlay, AStepByDpadAndAUndoneByXThenBLeaves) {
  Start();
  ASSERT_TRUE(Frames(2));
  Tap(PAD_A);  // as Enter on the main menu: the first level
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  ASSERT_EQ(CurrentLevel, 0);
  if (KeyboardMode == 0) Tap(PAD_A);
  ASSERT_EQ(KeyboardMode, 1);
  const Board start = Cells();
  const int recordsAtStart = UndoRecordCount;

  ASSERT_TRUE(StepSomeShape());
  EXPECT_NE(Cells(), start);
  EXPECT_EQ(UndoRecordCount, recordsAtStart + 1);

  Tap(PAD_X);
  EXPECT_EQ(Cells(), start);
  EXPECT_EQ(UndoRecordCount, recordsAtStart);
  EXPECT_EQ(KeyboardMode, 1);

  Tap(PAD_B);
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Shutdown();
}

TEST_F(GamepadPlay, HoldingTheStickWalksTheCursorAndYRestarts) {
  Start();
  ASSERT_TRUE(Frames(2));
  Tap(PAD_A);
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  if (KeyboardMode == 0) Tap(PAD_A);
  CursorTo(0, 0);

  InjectPadStick(PAD, 32767, 0);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(KeyboardCursorX, 1);
  ASSERT_TRUE(Frames(40));  // 640 ms held: the delay, then repeats
  EXPECT_GE(KeyboardCursorX, 3);
  InjectPadStick(PAD, 0, 0);
  const int letGo = KeyboardCursorX;
  ASSERT_TRUE(Frames(40));
  EXPECT_EQ(KeyboardCursorX, letGo);

  // A step, then Y: the level's first board again.
  const Board start = Cells();
  ASSERT_TRUE(StepSomeShape());
  ASSERT_NE(Cells(), start);
  Tap(PAD_Y);
  EXPECT_EQ(Cells(), start);
  Shutdown();
}

}  // namespace
