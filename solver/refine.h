// Refining a solution: its tails are searched again, from boards along it,
// the last first. Each tail search knows the tail it replaces, so it ends
// with the shorter of the two, or with a way that comes onto a board of the
// tail sooner and follows it from there. Runs in slices of states.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "solver/solver.h"

class T_REFINER {
 public:
  // Starts from a solution of `board`; the searches share budget.RefineStates
  // and use the rest of the budget as it is.
  void Start(const KindCells& board, const std::vector<SolverMove>& moves, const SolverBudget& budget);
  // At most about `states` states of tail searches; true once done.
  bool Run(int64_t states);
  // The shortest solution so far.
  const std::vector<SolverMove>& Moves() const { return Best; }
  // Where the tail search starts next (boards before that step).
  size_t NextFrom() const { return From; }
  int64_t StatesUsed() const { return Used; }

 private:
  KindCells Board{};
  std::vector<SolverMove> Best;
  SolverBudget Budget;
  int64_t Left = 0;        // states left for all the tail searches
  int64_t Used = 0;
  size_t From = 0;         // the step the tail being searched starts at
  bool Done = true;
  std::unique_ptr<T_SOLVER> Tail;
  void StartTail();
};
