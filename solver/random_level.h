// Random levels: boards drawn from a seed, kept only when the solver proves
// them solvable and their difficulty falls in the band of the wanted tier.
#pragma once

#include <cstdint>
#include <vector>

#include "play/move_rule.h"
#include "solver/solver.h"

// The tiers go from easy (0) up; the tier of a random level is the number of
// random levels won, capped at the last.
constexpr int RANDOM_TIERS = 12;

struct RandomLevel {
  KindCells Cells;
  uint32_t Seed = 0;
  int Tier = 0;
  int Attempt = 0;                // the draw of the seed that was kept
  int Length = 0;                 // steps of the solver's solution
  double Branching = 0;           // mean moves open along it
  int Rating = 0;                 // the difficulty, from length and branching
  std::vector<SolverMove> Solution;
};

// How hard a solved board is: the solution's length, weighed up by the
// choices met on the way.
int DifficultyRating(int length, double branching);
// The ratings a tier accepts, both bounds included.
void DifficultyBand(int tier, int& low, int& high);
// The level of a seed and tier: the same pair always gives the same board.
// Always solvable (the solver found the solution that comes with it); in the
// tier's band unless no draw of the seed reached it, then the closest draw.
RandomLevel GenerateRandomLevel(uint32_t seed, int tier);

// The same level made a slice at a time, so that the screen keeps drawing
// while it is made: each Run does at most the given units of work (a state
// the solver looks at, or a draw refused), and the level is the same
// however the work is sliced.
class T_RANDOM_LEVEL_MAKER {
 public:
  void Start(uint32_t seed, int tier);
  // True once the level is made.
  bool Run(int64_t units);
  bool Done() const { return Finished; }
  // Gives up the level being made.
  void Stop() { Finished = true; Solving = false; }
  // The units of work done since the start.
  int64_t WorkDone() const { return Work; }
  const RandomLevel& Level() const { return Best; }

 private:
  uint64_t Stream = 0;  // the state of the seed's draws
  int64_t Work = 0;
  int Tier = 0, Low = 0, High = 0, Attempt = 0;
  bool Solving = false, Found = false, Finished = true;
  KindCells Cells{};
  T_SOLVER Solver;
  RandomLevel Best;
  void Finish();
};
