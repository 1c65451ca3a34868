#include "levels/level_par.h"

#include <cstdint>

namespace {

// The solver's solution length for each bank level, worked out by
// tests/levels/level_par_test.cpp (which prints a new table when the solver
// changes its answers).
const std::vector<int> BANK_PAR = {48, 67, 78, 109, 57};

}  // namespace

int BankPar(int n) { return n >= 0 && n < static_cast<int>(BANK_PAR.size()) ? BANK_PAR[n] : 0; }

const std::vector<int>& BankParTable() { return BANK_PAR; }

int SolutionSteps(const std::vector<SolverMove>& solution) {
  int steps = 0;
  for (const SolverMove& m : solution) steps += (m.Dx != 0 || m.Dy != 0) ? 1 : 0;
  return steps;
}

int SolvePar(const KindCells& cells) {
  if (BoardEmpty(cells)) return 0;
  T_SOLVER solver;
  // Bounded by states only: the par must not depend on the machine's speed.
  SolverBudget budget;
  budget.MaxMilliseconds = INT64_MAX;
  solver.Start(cells, budget);
  if (solver.RunToEnd() != SolveStatus::Solved) return -1;
  return SolutionSteps(solver.Solution());
}
