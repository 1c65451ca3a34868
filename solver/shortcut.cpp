#include "solver/shortcut.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "solver/shorten.h"

T_SHORTCUTS::T_SHORTCUTS() = default;
T_SHORTCUTS::~T_SHORTCUTS() = default;

void T_SHORTCUTS::Start(const KindCells& board, const std::vector<SolverMove>& moves, const ShortcutLimits& limits) {
  Board = board;
  Best = moves;
  Limits = limits;
  From = 0;
  SweepStart = moves.size();
  Used = 0;
  Shortener.reset();
  Done = Best.size() < 2 || limits.States <= 0;
}

bool T_SHORTCUTS::Run(int64_t states) {
  while (!Done && states > 0) {
    if (From + 1 < Best.size()) {
      const int64_t before = Used;
      // A shortcut found: the next search starts from the same board.
      if (!ShortcutAt(Board, Best, From, Limits, Used)) ++From;
      states -= std::max<int64_t>(1, Used - before);
      continue;
    }
    // The end of a sweep: a shortcut may leave moves the rest does not need
    // any more, and those dropped open new shortcuts.
    if (!Shortener) {
      Shortener = std::make_unique<T_SHORTENER>();
      Shortener->Start(Board, Best);
    }
    // A few replays of the solution a state, as after the search.
    if (!Shortener->Run(states > INT64_MAX / 4 ? INT64_MAX : states * 4)) return false;
    Best = Shortener->Moves();
    Shortener.reset();
    Done = Best.size() >= SweepStart;
    From = 0;
    SweepStart = Best.size();
  }
  return Done;
}
