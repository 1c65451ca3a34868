// A known solution given to a search, and the refining of a found solution:
// the answer is never longer than what was known, a way that comes onto the
// known solution sooner cuts its detour, and every answer empties the board;
// a shortcut onto a later board of a solution, or a kind finished sooner.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "solver/refine.h"
#include "solver/shortcut.h"
#include "solver/solver.h"

namespace {

// Two pieces of one kind in opposite corners: fifteen steps join them.
KindCells Corners() {
  KindCells cells;
  cells.fill(-1);
  cells[0] = 0;
  cells[GRID_CELLS - 1] = 0;
  return cells;
}

// The piece from the top-left corner: `before` first, then nine steps right,
// five down, `detour`, and the step down that joins the two.
std::vector<SolverMove> Way(const std::vector<SolverMove>& before, const std::vector<SolverMove>& detour) {
  KindCells board = Corners();
  std::vector<SolverMove> moves;
  auto play = [&](SolverMove m) {
    for (int c = 0; c < GRID_CELLS - 1; ++c) {
      if (board[c] >= 0) {
        m.Cell = c;
        break;
      }
    }
    moves.push_back(m);
    board = ApplyMove(board, m);
  };
  for (SolverMove m : before) play(m);
  for (int i = 0; i < 9; ++i) play({0, 1, 0});
  for (int i = 0; i < 5; ++i) play({0, 0, 1});
  for (SolverMove m : detour) play(m);
  play({0, 0, 1});
  return moves;
}

size_t EmptiesAfter(const KindCells& start, const std::vector<SolverMove>& moves) {
  KindCells board = start;
  size_t played = 0;
  for (const SolverMove& m : moves) {
    const std::vector<SolverMove> open = OpenMoves(board);
    bool isOpen = false;
    for (const SolverMove& o : open) isOpen = isOpen || ApplyMove(board, o) == ApplyMove(board, m);
    if (!isOpen) return SIZE_MAX;
    board = ApplyMove(board, m);
    ++played;
  }
  return BoardEmpty(board) ? played : SIZE_MAX;
}

TEST(KnownSolution, TheAnswerIsNeverLongerAndAWayOntoItSoonerCutsItsDetour) {
  const SolverMove down{0, 0, 1}, up{0, 0, -1}, left{0, -1, 0}, right{0, 1, 0};
  const struct {
    const char* name;
    std::vector<SolverMove> known;
    int64_t states;  // of the search's own budget
    size_t length;
  } rows[] = {
      {"the shortest known way is kept when the search finds nothing", Way({}, {}), 1, 15},
      {"a detour back to the start: one step reaches the known way sooner", Way({down, up}, {}), 1, 15},
      {"a detour the search does not reach stays, and nothing longer comes", Way({}, {left, right}), 1, 17},
      {"the search's own shorter way wins", Way({}, {left, right}), 100000, 15},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(EmptiesAfter(Corners(), row.known), SIZE_MAX);
    SolverBudget budget;
    budget.MaxStates = row.states;
    budget.Beam = 0;
    budget.Shorten = false;
    budget.RefineStates = 0;
    T_SOLVER solver;
    solver.Start(Corners(), budget);
    solver.SetReference(row.known);
    ASSERT_EQ(solver.RunToEnd(), SolveStatus::Solved);
    EXPECT_EQ(solver.Solution().size(), row.length);
    EXPECT_EQ(EmptiesAfter(Corners(), solver.Solution()), row.length);
  }
}

// A solution known from another board: a way onto any of its boards ends
// the search (the beam's and the best-first one alike) long before its own
// budget would have found an answer, and that answer empties the board.
TEST(KnownSolution, AWayOntoASolutionFromAnotherBoardEndsTheSearch) {
  const std::vector<SolverMove> known = Way({}, {});
  std::vector<KindCells> boards;
  KindCells board = Corners();
  for (const SolverMove& m : known) {
    boards.push_back(board);
    board = ApplyMove(board, m);
  }
  const KindCells off = ApplyMove(Corners(), {GRID_CELLS - 1, -1, 0});  // the far piece a step left
  for (int beam : {0, 300}) {
    SCOPED_TRACE(beam);
    SolverBudget budget;
    budget.MaxStates = 2;
    budget.Beam = beam;
    budget.RefineStates = 0;
    T_SOLVER solver;
    solver.Start(off, budget);
    EXPECT_EQ(solver.RunToEnd(), SolveStatus::GaveUp);
    solver.Start(off, budget);
    solver.SetGoalPath(boards, known);
    ASSERT_EQ(solver.RunToEnd(), SolveStatus::Solved);
    EXPECT_LE(EmptiesAfter(off, solver.Solution()), known.size() + 1);
  }
}

TEST(KnownSolution, RefiningShortensADetourInTheTailAndKeepsAShortestWay) {
  const SolverMove left{0, -1, 0}, right{0, 1, 0};
  const struct {
    const char* name;
    std::vector<SolverMove> given;
    size_t length;
  } rows[] = {
      {"shortest already", Way({}, {}), 15},
            {"a detour near the end", Way({}, {left, right}), 15},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(EmptiesAfter(Corners(), row.given), SIZE_MAX);
    T_REFINER refiner;
    refiner.Start(Corners(), row.given, SolverBudget{});
    EXPECT_TRUE(refiner.Run(INT64_MAX));
    EXPECT_EQ(refiner.Moves().size(), row.length);
    EXPECT_EQ(EmptiesAfter(Corners(), refiner.Moves()), row.length);
  }
}

// While the found solution is being made shorter, the one known so far is
// whole (a hint waiting on the search answers with it).
TEST(KnownSolution, WhileRefiningTheSolutionKnownSoFarEmptiesTheBoard) {
  const KindCells corners = Corners();
  T_SOLVER solver;
  solver.Start(corners);
  int knownWhileSearching = 0;
  while (solver.Run(1) == SolveStatus::Searching) {
    if (!solver.SolutionKnown()) continue;
    ++knownWhileSearching;
    EXPECT_EQ(EmptiesAfter(corners, solver.Solution()), solver.Solution().size());
  }
  EXPECT_GT(knownWhileSearching, 0);
  EXPECT_TRUE(solver.SolutionKnown());
  EXPECT_EQ(EmptiesAfter(corners, solver.Solution()), 15u);
}

// The corners, and a second kind at the bottom left whose two pieces one
// step right would join. The given solution takes its piece up first and
// joins the two only near the end, with three steps.
TEST(Shortcuts, AShorterWayOntoALaterBoardOrAKindFinishedSoonerIsTaken) {
  const SolverMove left{0, -1, 0}, right{0, 1, 0};
  KindCells twoKinds = Corners();
  twoKinds[70] = twoKinds[72] = 1;
  std::vector<SolverMove> late = {{70, 0, -1}};
  for (int x = 0; x < 9; ++x) late.push_back({x, 1, 0});
  for (int y = 0; y < 5; ++y) late.push_back({9 + 10 * y, 0, 1});
  late.insert(late.end(), {{60, 1, 0}, {61, 0, 1}, {59, 0, 1}});
  const struct {
    const char* name;
    KindCells board;
    std::vector<SolverMove> given;
    size_t from;
    bool shorter;
    size_t length;
  } rows[] = {
      {"shortest already", Corners(), Way({}, {}), 0, false, 15},
      {"a detour onto a later board", Corners(), Way({}, {left, right}), 12, true, 15},
      {"a kind finished sooner, its later moves dropped", twoKinds, late, 0, true, 16},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(EmptiesAfter(row.board, row.given), SIZE_MAX);
    std::vector<SolverMove> moves = row.given;
    int64_t used = 0;
    EXPECT_EQ(ShortcutAt(row.board, moves, row.from, ShortcutLimits{}, used), row.shorter);
    EXPECT_EQ(moves.size(), row.length);
    EXPECT_EQ(EmptiesAfter(row.board, moves), row.length);
    EXPECT_LE(used, ShortcutLimits{}.States);  // one search, within its states
  }
}

// A sweep run a few states a frame ends where one run in one go ends: a
// level's par must not depend on how fast its frames come.
TEST(Shortcuts, ASweepInSlicesEndsWithTheSameShortestSolutionAsOneRun) {
  const SolverMove left{0, -1, 0}, right{0, 1, 0}, up{0, 0, -1}, down{0, 0, 1};
  const std::vector<SolverMove> given = Way({right, left}, {left, right, up, down});
  T_SHORTCUTS sliced, whole;
  sliced.Start(Corners(), given, ShortcutLimits{});
  whole.Start(Corners(), given, ShortcutLimits{});
  int slices = 0;
  while (!sliced.Run(1) && slices < 100000) ++slices;
  ASSERT_TRUE(whole.Run(INT64_MAX / 2));
  EXPECT_GT(slices, 1);
  EXPECT_EQ(EmptiesAfter(Corners(), whole.Moves()), 15u);
  EXPECT_EQ(EmptiesAfter(Corners(), sliced.Moves()), 15u);
  EXPECT_EQ(sliced.StatesUsed(), whole.StatesUsed());
}

// The whole solver, shortcuts on or off, in one go or at 60 states a frame
// as a level's own search runs: shortcuts never lengthen a solution, and
// the sliced search ends with the par the one-go search gives.
TEST(Shortcuts, TheWholeSearchSlicedAsInPlayGivesTheSameParAndShortcutsNeverLengthenIt) {
  KindCells board = Corners();
  board[9] = board[70] = board[44] = 1;
  board[35] = board[62] = 2;
  auto solve = [&](int64_t shortcutStates, int64_t slice) {
    SolverBudget budget;
    budget.ShortcutStates = shortcutStates;
    T_SOLVER solver;
    solver.Start(board, budget);
    while (solver.Run(slice) == SolveStatus::Searching) {
    }
    EXPECT_EQ(solver.Status(), SolveStatus::Solved);
    return solver.Solution();
  };
  const std::vector<SolverMove> without = solve(0, INT64_MAX), whole = solve(300, INT64_MAX), sliced = solve(300, 60);
  EXPECT_NE(EmptiesAfter(board, whole), SIZE_MAX);
  EXPECT_LE(whole.size(), without.size());
  EXPECT_EQ(sliced.size(), whole.size());
  EXPECT_EQ(EmptiesAfter(board, sliced), sliced.size());
}

}  // namespace
