#include "solver/refine.h"

#include <algorithm>

namespace {

// Steps between the boards a tail search starts from.
constexpr size_t TAIL_STRIDE = 6;
// States one tail search may take: the tails near the start are nearly the
// whole search again, and rarely give way to a shorter one.
constexpr int64_t TAIL_STATES = 40000;

}  // namespace

void T_REFINER::Start(const KindCells& board, const std::vector<SolverMove>& moves, const SolverBudget& budget) {
  Board = board;
  Best = moves;
  Budget = budget;
  Left = budget.RefineStates;
  Used = 0;
  Tail.reset();
  Done = Best.size() <= TAIL_STRIDE || Left <= 0;
  From = Done ? 0 : Best.size() - TAIL_STRIDE;
}

void T_REFINER::StartTail() {
  KindCells board = Board;
  for (size_t i = 0; i < From; ++i) board = ApplyMove(board, Best[i]);
  SolverBudget budget = Budget;
  budget.MaxStates = std::min(TAIL_STATES, Left);
  budget.RefineStates = 0;
  budget.ShortcutStates = 0;
  budget.Shorten = true;
  Tail = std::make_unique<T_SOLVER>();
  Tail->Start(board, budget);
  Tail->SetReference(std::vector<SolverMove>(Best.begin() + static_cast<std::ptrdiff_t>(From), Best.end()));
}

bool T_REFINER::Run(int64_t states) {
  while (!Done && states > 0) {
    if (!Tail) StartTail();
    const int64_t before = Tail->StatesExplored();
    const SolveStatus status = Tail->Run(states);
    const int64_t used = std::max<int64_t>(1, Tail->StatesExplored() - before);
    states -= used;
    Left -= used;
    Used += used;
    if (status == SolveStatus::Searching) continue;
    // With the tail it replaces known, the search always ends solved, with
    // that tail at worst.
    const std::vector<SolverMove>& tail = Tail->Solution();
    if (status == SolveStatus::Solved && tail.size() < Best.size() - From) {
      Best.resize(From);
      Best.insert(Best.end(), tail.begin(), tail.end());
    }
    // A tail search that ran out of states: the longer tails before it
    // would too.
    const bool spent = Tail->StatesExplored() >= TAIL_STATES;
    Tail.reset();
    if (From <= TAIL_STRIDE || Left <= 0 || spent) {
      Done = true;
    } else {
      From -= TAIL_STRIDE;
    }
  }
  return Done;
}
