// Key presses that arrive within one frame, however long: each acts once,
// in the order made, through the real frame loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/block.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "play/play_input.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"
#include "tests/support/level_solver.h"

namespace {

class KeyOrder : public HeadlessGameTest {
 protected:
  // The first level in keyboard play, the cursor shown.
  void StartFirstLevel() {
    Start();
    ASSERT_TRUE(Frames(2));
    ASSERT_TRUE(PressKey(KEY_ENTER));
    ASSERT_EQ(ScreenState, SCREEN_PLAY);
    if (KeyboardMode == 0) {
      ASSERT_TRUE(PressKey(KEY_ENTER));
    }
    ASSERT_EQ(KeyboardMode, 1);
  }
  static void Tap(int key) {
    media_test::InjectKeyDown(key);
    media_test::InjectKeyUp(key);
  }
  // Presses that walk the cursor from where it is to (x, y).
  static void CursorKeys(int& cx, int& cy, int x, int y) {
    for (; cx < x; cx++) Tap(KEY_RIGHT);
    for (; cx > x; cx--) Tap(KEY_LEFT);
    for (; cy < y; cy++) Tap(KEY_DOWN);
    for (; cy > y; cy--) Tap(KEY_UP);
  }
};

TEST_F(KeyOrder, TenPressesInOneFrameMakeTenSteps) {
  StartFirstLevel();
  KeyboardCursorX = KeyboardCursorY = 0;
  const int keys[] = {KEY_RIGHT, KEY_RIGHT, KEY_DOWN, KEY_RIGHT, KEY_DOWN,
                      KEY_RIGHT, KEY_LEFT,  KEY_DOWN, KEY_RIGHT, KEY_RIGHT};
  for (int key : keys) Tap(key);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(KeyboardCursorX, 5);
  EXPECT_EQ(KeyboardCursorY, 3);
  Shutdown();
}

TEST_F(KeyOrder, EnterThenAnArrowInOneFrameGrabsThenMoves) {
  StartFirstLevel();
  // A shape that has room to step right.
  T_BLOCK* block = nullptr;
  for (const auto& b : Blocks) {
    T_BLOCK::InitRecursiveSelect();
    b->RecursiveSelect();
    const bool free = !GroupBlocked(1, 0);
    T_BLOCK::InitRecursiveSelect();
    if (free) {
      block = b.get();
      break;
    }
  }
  ASSERT_NE(block, nullptr);
  const int x = block->XMap, y = block->YMap, records = UndoRecordCount;
  KeyboardCursorX = x;
  KeyboardCursorY = y;
  Tap(KEY_ENTER);
  Tap(KEY_RIGHT);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(KeyboardMode, 2);
  EXPECT_EQ(GrabbedBlock, block);
  EXPECT_EQ(block->XMap, x + 1);
  EXPECT_EQ(block->YMap, y);
  EXPECT_EQ(UndoRecordCount, records + 1);
  Shutdown();
}

// The whole first level played by keys, all the presses of a move (the
// cursor's walk, the grab, the step, the letting go) in one frame.
TEST_F(KeyOrder, TheFirstLevelSolvedByKeysEachMoveInOneFrameIsWon) {
  StartFirstLevel();
  test_support::Cells g = LevelCells(0);
  const std::vector<test_support::Move> solution = test_support::Solve(g);
  ASSERT_FALSE(solution.empty());
  int cx = KeyboardCursorX, cy = KeyboardCursorY;
  for (const test_support::Move& m : solution) {
    ASSERT_TRUE(m.Dx != 0 || m.Dy != 0) << "a move the keyboard makes by a step";
    const int colour = g[m.Cell];
    CursorKeys(cx, cy, m.Cell % 10, m.Cell / 10);
    Tap(KEY_ENTER);
    Tap(m.Dx > 0 ? KEY_RIGHT : m.Dx < 0 ? KEY_LEFT : m.Dy > 0 ? KEY_DOWN : KEY_UP);
    cx += m.Dx;
    cy += m.Dy;
    g = test_support::Apply(g, m);
    // A colour that explodes lets go by itself; otherwise Enter lets go.
    if (std::count(g.begin(), g.end(), colour) > 0) Tap(KEY_ENTER);
    ASSERT_TRUE(Frames(1));
    // The pieces of an exploded colour vanish before the next move.
    for (int i = 0; i < 40 && std::any_of(Blocks.begin(), Blocks.end(), [](const auto& b) { return b->Timer != 0; });
         i++)
      ASSERT_TRUE(Frames(1));
    ASSERT_EQ(BoardCells(), g);
  }
  for (int i = 0; i < 200 && ScreenState == SCREEN_PLAY; i++) ASSERT_TRUE(Frames(1));
  EXPECT_EQ(ScreenState, SCREEN_VICTORY);
  Shutdown();
}

}  // namespace
