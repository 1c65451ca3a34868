#include "solver/random_level.h"

#include <algorithm>
#include <limits>
#include <cstdlib>

namespace {

// A small generator of its own (splitmix64), so that a seed gives the same
// board on every platform and the game's shared generator is not disturbed.
struct SeedStream {
  uint64_t State;
  uint64_t Next() {
    uint64_t z = (State += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
};

constexpr int DRAWS = 80;  // boards tried for one seed before settling

// Kinds and pieces per kind of a tier: more of both as the tiers go up.
void TierShape(int tier, int& kinds, int& pieces) {
  kinds = std::min(6, 2 + tier / 2);
  pieces = std::min(8, 3 + (tier + 1) / 2);
}

// A board with every kind in two shapes at least, so that each needs moves.
bool DrawBoard(SeedStream& rng, int tier, KindCells& cells) {
  int kinds = 0, pieces = 0;
  TierShape(tier, kinds, pieces);
  cells.fill(-1);
  int order[GRID_CELLS];
  for (int c = 0; c < GRID_CELLS; ++c) order[c] = c;
  for (int c = GRID_CELLS - 1; c > 0; --c) std::swap(order[c], order[rng.Below(c + 1)]);
  int next = 0;
  for (int kind = 0; kind < kinds; ++kind) {
    const int count = pieces + rng.Below(2);
    for (int i = 0; i < count; ++i) cells[order[next++]] = static_cast<int8_t>(kind);
  }
  for (int kind = 0; kind < kinds; ++kind) {
    for (int c = 0; c < GRID_CELLS; ++c) {
      if (cells[c] != kind) continue;
      if (KindComplete(cells, ShapeCells(cells, c), kind)) return false;
      break;
    }
  }
  return true;
}

int Distance(int rating, int low, int high) {
  return rating < low ? low - rating : rating > high ? rating - high : 0;
}

}  // namespace

int DifficultyRating(int length, double branching) {
  return static_cast<int>(length * (1.0 + branching / 20.0));
}

void DifficultyBand(int tier, int& low, int& high) {
  tier = std::clamp(tier, 0, RANDOM_TIERS - 1);
  // Around what boards of the tier's size come out at when drawn at random
  // (fitted on draws), so that a few draws find one.
  const double centre = 15.0 + 5.0 * tier + 1.3 * tier * tier;
  low = static_cast<int>(centre * 0.7);
  high = static_cast<int>(centre * 1.35);
}

RandomLevel GenerateRandomLevel(uint32_t seed, int tier) {
  tier = std::clamp(tier, 0, RANDOM_TIERS - 1);
  int low = 0, high = 0;
  DifficultyBand(tier, low, high);
  SeedStream rng{(static_cast<uint64_t>(seed) << 8) ^ static_cast<uint64_t>(tier)};
  RandomLevel best;
  bool found = false;
  T_SOLVER solver;
  SolverBudget budget;
  // Bounded by states only: a time limit would make the same seed give
  // another level on a slower or busier machine.
  budget.MaxStates = 8000;
  budget.Beam = 0;  // the best-first search: quick on these small boards
  budget.MaxMilliseconds = std::numeric_limits<int64_t>::max();
  for (int attempt = 0; attempt < DRAWS; ++attempt) {
    KindCells cells;
    if (!DrawBoard(rng, tier, cells)) continue;
    solver.Start(cells, budget);
    if (solver.RunToEnd() != SolveStatus::Solved) continue;
    RandomLevel level;
    level.Cells = cells;
    level.Seed = seed;
    level.Tier = tier;
    level.Attempt = attempt;
    level.Solution = solver.Solution();
    level.Length = static_cast<int>(level.Solution.size());
    level.Branching = solver.MeanBranching();
    level.Rating = DifficultyRating(level.Length, level.Branching);
    if (!found || Distance(level.Rating, low, high) < Distance(best.Rating, low, high)) {
      best = level;
      found = true;
    }
    if (Distance(level.Rating, low, high) == 0) break;
  }
  if (!found) {
    // Two pieces of one kind side by side but one cell apart: always solvable.
    best.Cells.fill(-1);
    best.Cells[0] = best.Cells[2] = 0;
    best.Seed = seed;
    best.Tier = tier;
    best.Solution = {SolverMove{0, 1, 0}};
    best.Length = 1;
    best.Rating = DifficultyRating(1, 0);
  }
  return best;
}
