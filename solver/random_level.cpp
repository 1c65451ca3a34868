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
  T_RANDOM_LEVEL_MAKER maker;
  maker.Start(seed, tier);
  maker.Run(std::numeric_limits<int64_t>::max());
  return maker.Level();
}

void T_RANDOM_LEVEL_MAKER::Start(uint32_t seed, int tier) {
  Tier = std::clamp(tier, 0, RANDOM_TIERS - 1);
  DifficultyBand(Tier, Low, High);
  Stream = (static_cast<uint64_t>(seed) << 8) ^ static_cast<uint64_t>(Tier);
  Attempt = 0;
  Work = 0;
  Solving = Found = Finished = false;
  Best = RandomLevel();
  Best.Seed = seed;
  Best.Tier = Tier;
}

bool T_RANDOM_LEVEL_MAKER::Run(int64_t units) {
  while (!Finished && units > 0) {
    if (!Solving) {
      if (Attempt == DRAWS) {
        Finish();
        break;
      }
      SeedStream rng{Stream};
      const bool drawn = DrawBoard(rng, Tier, Cells);
      Stream = rng.State;
      --units;
      ++Work;
      if (!drawn) {
        ++Attempt;
        continue;
      }
      SolverBudget budget;
      // Bounded by states only: a time limit would make the same seed give
      // another level on a slower or busier machine.
      budget.MaxStates = 8000;
      budget.Beam = 0;  // the best-first search: quick on these small boards
      // Its length rates the level as found: a seed keeps its level.
      budget.Shorten = false;
      budget.MaxMilliseconds = std::numeric_limits<int64_t>::max();
      Solver.Start(Cells, budget);
      Solving = true;
      continue;
    }
    const int64_t before = Solver.StatesExplored();
    const SolveStatus status = Solver.Run(units);
    const int64_t done = std::max<int64_t>(1, Solver.StatesExplored() - before);
    units -= done;
    Work += done;
    if (status == SolveStatus::Searching) continue;
    Solving = false;
    if (status == SolveStatus::Solved) {
      RandomLevel level;
      level.Cells = Cells;
      level.Seed = Best.Seed;
      level.Tier = Tier;
      level.Attempt = Attempt;
      level.Solution = Solver.Solution();
      level.Length = static_cast<int>(level.Solution.size());
      level.Branching = Solver.MeanBranching();
      level.Rating = DifficultyRating(level.Length, level.Branching);
      if (!Found || Distance(level.Rating, Low, High) < Distance(Best.Rating, Low, High)) {
        Best = level;
        Found = true;
      }
      if (Distance(level.Rating, Low, High) == 0) {
        Finish();
        break;
      }
    }
    ++Attempt;
  }
  return Finished;
}

void T_RANDOM_LEVEL_MAKER::Finish() {
  Finished = true;
  if (Found) return;
  // Two pieces of one kind side by side but one cell apart: always solvable.
  Best.Cells.fill(-1);
  Best.Cells[0] = Best.Cells[2] = 0;
  Best.Solution = {SolverMove{0, 1, 0}};
  Best.Length = 1;
  Best.Rating = DifficultyRating(1, 0);
}
