// Random levels: the same seed gives the same board, every board comes with
// a solution that empties it, and its rating falls in its tier's band.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "solver/random_level.h"

namespace {

TEST(RandomLevel, TheSameSeedAndTierGiveTheSameBoardAndOthersDiffer) {
  const RandomLevel a = GenerateRandomLevel(1234, 2);
  const RandomLevel b = GenerateRandomLevel(1234, 2);
  EXPECT_EQ(a.Cells, b.Cells);
  EXPECT_EQ(a.Attempt, b.Attempt);
  std::set<KindCells> boards;
  for (uint32_t seed = 1; seed <= 6; ++seed) boards.insert(GenerateRandomLevel(seed, 2).Cells);
  EXPECT_EQ(boards.size(), 6u);
  EXPECT_NE(GenerateRandomLevel(1234, 3).Cells, a.Cells);
}

TEST(RandomLevel, EveryLevelIsSolvedByConstructionAndInItsBand) {
  int previousHigh = 0;
  for (int tier : {0, 1, 5, RANDOM_TIERS - 1}) {
    int low = 0, high = 0;
    DifficultyBand(tier, low, high);
    EXPECT_GT(high, previousHigh) << "the bands grow with the tiers";
    EXPECT_LE(low, high);
    previousHigh = high;
    for (uint32_t seed = 10; seed < 12; ++seed) {
      SCOPED_TRACE(testing::Message() << "tier " << tier << " seed " << seed);
      const RandomLevel level = GenerateRandomLevel(seed, tier);
      EXPECT_GE(level.Rating, low);
      EXPECT_LE(level.Rating, high);
      // The solution comes from the solver and empties the board move by
      // move under the play rule; and a fresh solve agrees it is solvable.
      KindCells board = level.Cells;
      for (const SolverMove& m : level.Solution) {
        const std::vector<SolverMove> open = OpenMoves(board);
        ASSERT_TRUE(std::any_of(open.begin(), open.end(), [&](const SolverMove& o) {
          return o.Cell == m.Cell && o.Dx == m.Dx && o.Dy == m.Dy;
        }));
        board = ApplyMove(board, m);
      }
      EXPECT_TRUE(BoardEmpty(board));
      // No kind is whole at the start: every kind needs moves.
      for (const SolverMove& m : OpenMoves(level.Cells)) EXPECT_TRUE(m.Dx != 0 || m.Dy != 0);
      std::printf("tier %d seed %u: rating %d (band %d..%d) length %d branching %.1f draw %d\n", tier, seed,
                  level.Rating, low, high, level.Length, level.Branching, level.Attempt);
    }
  }
}

}  // namespace
