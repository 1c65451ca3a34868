// A whole level played through the real input path: the program starts, and
// every move is a press, a pointer move and a release injected frame by
// frame. The moves come from the tests' small solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/display.h"
#include "app/main_loop.h"
#include "app/paths.h"
#include "app/settings.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"
#include "tests/support/level_solver.h"

namespace fs = std::filesystem;

namespace {

using test_support::Apply;
using test_support::Cells;
using test_support::Move;
using test_support::Solve;

// ------------------------------------------------------------ the program
class Playthrough : public HeadlessGameTest {
 protected:
  void Frames(int count) { ASSERT_TRUE(HeadlessGameTest::Frames(count)); }
  void PointerToCell(int cell) {
    media_test::InjectPointerMove(ScreenOffsetX + (cell % 10) * BlockSize + BlockSize / 2,
                                  ScreenOffsetY + (cell / 10) * BlockSize + BlockSize / 2);
  }
  void PressEnter() { ASSERT_TRUE(PressKey(KEY_ENTER)); }
  // Press on the shape, move the pointer one cell, release; after a colour
  // completes, wait until its blocks have vanished.
  void Play(const Move& m) {
    const size_t before = Blocks.size();
    PointerToCell(m.Cell);
    media_test::InjectButtonDown(BUTTON_LEFT);
    Frames(1);
    PointerToCell(m.Cell + m.Dy * 10 + m.Dx);
    Frames(1);
    media_test::InjectButtonUp(BUTTON_LEFT);
    Frames(1);
    if (std::any_of(Blocks.begin(), Blocks.end(), [](const auto& b) { return b->Timer != 0; })) Frames(25);
    ASSERT_LE(Blocks.size(), before);
  }
  std::vector<uint8_t> FileBytes(const std::string& name) const {
    std::ifstream in(Home / "pLiMo" / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(Playthrough, TheSolverFindsAWayThroughTheFirstLevel) {
  Start();
  const Cells start = LevelCells(0);
  const std::vector<Move> solution = Solve(start);
  ASSERT_FALSE(solution.empty());
  Cells g = start;
  for (const Move& m : solution) g = Apply(g, m);
  EXPECT_EQ(g, Cells{});
  Shutdown();
}

TEST_F(Playthrough, AWholeLevelFromTheFirstEnterToTheWin) {
  Start();
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Frames(2);
  const int enterClock = Clock + 16;
  PressEnter();
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  ASSERT_EQ(CurrentLevel, 0);
  ASSERT_EQ(BoardCells(), LevelCells(0));

  const std::vector<Move> solution = Solve(LevelCells(0));
  ASSERT_FALSE(solution.empty());
  int steps = 0;
  Cells expected = LevelCells(0);
  for (const Move& m : solution) {
    Play(m);
    expected = Apply(expected, m);
    ASSERT_EQ(BoardCells(), expected) << "after move " << steps;
    if (m.Dx != 0 || m.Dy != 0) ++steps;
    ASSERT_EQ(UndoRecordCount, steps + 1);
  }
  ASSERT_TRUE(Blocks.empty());
  for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) Frames(1);
  ASSERT_EQ(ScreenState, SCREEN_VICTORY);

  const int seconds = (Clock - enterClock) / 1000;
  const std::vector<uint8_t> expectedScores = {
      1, 0, 0, 0, 24, 0, static_cast<uint8_t>(steps), static_cast<uint8_t>(steps >> 8),
      static_cast<uint8_t>(seconds), static_cast<uint8_t>(seconds >> 8), 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(FileBytes("pLiMo_Best_Scores.bin"), expectedScores);
  EXPECT_FALSE(fs::exists(Home / "pLiMo" / "pLiMo_Undo.bin"));
  EXPECT_EQ(UndoRecordCount, 0);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
  Shutdown();
}

TEST_F(Playthrough, AfterARestartOfTheProgramEnterBringsBackTheLastBoard) {
  Start();
  PressEnter();
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  const std::vector<Move> solution = Solve(LevelCells(0));
  ASSERT_GE(solution.size(), 3u);
  for (int i = 0; i < 3; ++i) Play(solution[i]);
  const Cells board = BoardCells();
  ASSERT_NE(board, LevelCells(0));
  Shutdown();

  Start();
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_EQ(UndoRecordCount, 4);
  PressEnter();
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(BoardCells(), board);
  EXPECT_EQ(UndoRecordCount, 4);

  // The history came along: three undos lead back to the level's start.
  for (int i = 0; i < 3; ++i) {
    media_test::InjectTypedChar('u');
    Frames(1);
  }
  EXPECT_EQ(BoardCells(), LevelCells(0));
  EXPECT_EQ(UndoRecordCount, 1);
  Shutdown();
}

}  // namespace
