// The solver against the game itself: every bank level solved, and each
// solution played through the real input path, frame by frame, agreeing with
// the play input after every move and ending in a win.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "app/display.h"
#include "app/main_loop.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "play/move_rule.h"
#include "play/play_input.h"
#include "solver/shorten.h"
#include "solver/solver.h"
#include "tests/support/headless_game.h"

namespace {

KindCells LevelBoard(int level) {
  KindCells cells;
  for (int c = 0; c < GRID_CELLS; ++c) {
    cells[c] = static_cast<int8_t>(LevelCellByte(level, c % GRID_COLUMNS, c / GRID_COLUMNS) - 1);
  }
  return cells;
}

KindCells Board(std::initializer_list<const char*> rows) {
  KindCells cells;
  cells.fill(-1);
  int y = 0;
  for (const char* row : rows) {
    for (int x = 0; x < GRID_COLUMNS; ++x) cells[y * GRID_COLUMNS + x] = static_cast<int8_t>(row[x] == '.' ? -1 : row[x] - '1');
    ++y;
  }
  return cells;
}

class SolverInGame : public HeadlessGameTest {
 protected:
  void Play(const SolverMove& m) {
    ASSERT_TRUE(DragOneCell(m.Cell, m.Dx, m.Dy));
  }
  void PlaceLevel(int level) {
    CurrentLevel = level;
    LoadLevel(level);
    StartLevel(1);
    ASSERT_TRUE(Frames(1));
    ASSERT_EQ(ScreenState, SCREEN_PLAY);
    ASSERT_EQ(KindCellsOfBoard(), LevelBoard(level));
  }
};

TEST_F(SolverInGame, EveryBankLevelIsSolvedAndItsSolutionWinsThroughThePlayInput) {
  Start();
  ASSERT_EQ(LevelCount, 5);
  for (int level = 0; level < LevelCount; ++level) {
    SCOPED_TRACE(level);
    T_SOLVER solver;
    // The state budget alone decides: sanitizer builds and busy machines
    // search several times slower than the game does.
    SolverBudget budget;
    budget.MaxMilliseconds = std::numeric_limits<int64_t>::max();
    solver.Start(LevelBoard(level), budget);
    ASSERT_EQ(solver.RunToEnd(), SolveStatus::Solved);
    ASSERT_FALSE(solver.Solution().empty());

    PlaceLevel(level);
    KindCells expected = LevelBoard(level);
    int move = 0;
    for (const SolverMove& m : solver.Solution()) {
      const std::vector<SolverMove> open = OpenMoves(expected);
      ASSERT_TRUE(std::any_of(open.begin(), open.end(), [&](const SolverMove& o) {
        return ApplyMove(expected, o) == ApplyMove(expected, m);
      })) << "move " << move;
      Play(m);
      expected = ApplyMove(expected, m);
      ASSERT_EQ(KindCellsOfBoard(), expected) << "after move " << move;
      ++move;
    }
    ASSERT_TRUE(Blocks.empty());
    for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
    EXPECT_NE(ScreenState, SCREEN_PLAY) << "the win was not taken";
  }
  Shutdown();
}

// Every shape in every direction on boards met along a bank solution: the
// solver's step and the play input's step give the same board, refusals
// included.
TEST_F(SolverInGame, TheSolversStepIsThePlayInputsStepInEveryDirection) {
  Start();
  T_SOLVER solver;
  SolverBudget budget;  // bounded by states alone: a sanitized build is slower
  budget.MaxMilliseconds = std::numeric_limits<int64_t>::max();
  solver.Start(LevelBoard(1), budget);
  ASSERT_EQ(solver.RunToEnd(), SolveStatus::Solved);
  KindCells board = LevelBoard(1);
  int compared = 0, refused = 0;
  for (size_t i = 0; i < solver.Solution().size(); i += 7) {
    for (size_t j = i > 0 ? i - 7 : 0; j < i; ++j) board = ApplyMove(board, solver.Solution()[j]);
    for (int cell = 0; cell < GRID_CELLS; ++cell) {
      if (board[cell] < 0) continue;
      for (int d = 0; d < 4; ++d) {
        KindCells mine = board;
        const StepResult result = StepShape(mine, cell, DIR_DX[d], DIR_DY[d]);
        refused += result == StepResult::Refused;
        // The same step on the game's board, through the play input's own step.
        ClearBoard();
        for (int c = 0; c < GRID_CELLS; ++c) {
          if (board[c] >= 0) T_BLOCK::addBlock(c % 10, c / 10, board[c]);
        }
        GrabbedBlock = BlockAt(cell % 10, cell / 10);
        T_BLOCK::InitRecursiveSelect();
        GrabbedBlock->RecursiveSelect();
        const int moved = TryMoveGroup(DIR_DX[d], DIR_DY[d]);
        ASSERT_EQ(moved == 0, result == StepResult::Refused) << "cell " << cell << " dir " << d;
        // Completed blocks are counting down; they are gone for the solver.
        for (auto& b : Blocks) {
          if (b->Timer != 0) b->Kind = -1;
        }
        RebuildGrids();
        ASSERT_EQ(KindCellsOfBoard(), mine) << "cell " << cell << " dir " << d;
        ReleaseGrab();
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 200);
  EXPECT_GT(refused, 50);
  ClearBoard();
  Shutdown();
}

TEST(Solver, ShapesMergeOnContactAndAWholeKindLeaves) {
  KindCells b = Board({"1.1.......", "..........", "..........", "..........",
                       "..........", "..........", "..........", "2.......22"});
  EXPECT_EQ(StepShape(b, 0, 1, 0), StepResult::Completed);
  EXPECT_EQ(b[0], -1);
  EXPECT_EQ(b[2], -1);
  EXPECT_EQ(StepShape(b, 70, -1, 0), StepResult::Refused);
  EXPECT_EQ(StepShape(b, 70, 1, 0), StepResult::Moved);
  EXPECT_EQ(StepShape(b, 71, 1, 0), StepResult::Moved);
  EXPECT_EQ(StepShape(b, 72, 1, 0), StepResult::Moved);
  EXPECT_EQ(StepShape(b, 73, 1, 0), StepResult::Moved);
  EXPECT_EQ(StepShape(b, 74, 1, 0), StepResult::Moved);
  EXPECT_EQ(StepShape(b, 75, 1, 0), StepResult::Moved);
  EXPECT_EQ(StepShape(b, 76, 1, 0), StepResult::Completed);
  EXPECT_TRUE(BoardEmpty(b));
}

TEST(Solver, AWholeKindAtTheStartIsTakenByAPress) {
  T_SOLVER solver;
  solver.Start(Board({"1.........", "..........", "..........", "..........",
                      "..........", "..........", "..........", ".........."}));
  ASSERT_EQ(solver.RunToEnd(), SolveStatus::Solved);
  ASSERT_EQ(solver.Solution().size(), 1u);
  EXPECT_EQ(solver.Solution()[0].Dx, 0);
  EXPECT_EQ(solver.Solution()[0].Dy, 0);
}

// A found solution keeps only the moves it needs: a shape moved away and
// back, or moved twice where once does, loses those moves, and what is left
// still empties the board. A plan that does not play as given stays as it is.
TEST(Solver, AFoundSolutionKeepsOnlyTheMovesItNeeds) {
  const KindCells board = Board({"1.1.......", "..........", "2.2.......", "..........",
                                 "..........", "..........", "..........", ".........."});
  const struct {
    const char* name;
    std::vector<SolverMove> given;
    size_t kept;
  } rows[] = {
      {"shortest already", {{0, 1, 0}, {20, 1, 0}}, 2},
      {"a shape away and back", {{20, 0, 1}, {0, 1, 0}, {30, 0, -1}, {20, 1, 0}}, 2},
      {"moved twice where once does", {{22, 1, 0}, {20, 1, 0}, {21, 1, 0}, {0, 1, 0}}, 2},
      {"not a solution", {{5, 1, 0}}, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    T_SHORTENER shortener;
    shortener.Start(board, row.given);
    EXPECT_TRUE(shortener.Run(1000));
    const std::vector<SolverMove> kept = shortener.Moves();
    ASSERT_EQ(kept.size(), row.kept);
    KindCells after = board;
    for (const SolverMove& m : kept) after = ApplyMove(after, m);
    EXPECT_EQ(BoardEmpty(after), row.kept != 1);
  }
}

TEST(Solver, ABoardWithNoWayOutIsProvedSoAndABudgetGivesUpCleanly) {
  // A full board in two kinds, each piece alone: nothing can move.
  KindCells full;
  for (int c = 0; c < GRID_CELLS; ++c) full[c] = static_cast<int8_t>((c % 10 + c / 10) % 2);
  T_SOLVER solver;
  solver.Start(full);
  EXPECT_EQ(solver.RunToEnd(), SolveStatus::NoSolution);
  EXPECT_TRUE(solver.Solution().empty());

  // Two pieces far apart need several steps: one state is not enough.
  const KindCells far = Board({"1.........", "..........", "..........", "..........",
                               "..........", "..........", "..........", ".........1"});
  solver.Start(far, SolverBudget{1, 1000});
  EXPECT_EQ(solver.RunToEnd(), SolveStatus::GaveUp);
  EXPECT_TRUE(solver.Solution().empty());
  // In slices, the same search comes out where a whole run does.
  solver.Start(far);
  int slices = 0;
  while (solver.Run(2) == SolveStatus::Searching) ++slices;
  EXPECT_EQ(solver.Status(), SolveStatus::Solved);
  EXPECT_GT(slices, 1);
  EXPECT_EQ(solver.Solution().size(), 15u);
}

}  // namespace
