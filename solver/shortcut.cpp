#include "solver/shortcut.h"

#include <algorithm>

#include "solver/shorten.h"

void T_SHORTCUTS::Start(const KindCells& board, const std::vector<SolverMove>& moves, const ShortcutLimits& limits) {
  Board = board;
  Best = moves;
  Limits = limits;
  From = 0;
  SweepStart = moves.size();
  Used = 0;
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
    T_SHORTENER shortener;
    shortener.Start(Board, Best);
    while (!shortener.Run(INT64_MAX)) {
    }
    Best = shortener.Moves();
    Done = Best.size() >= SweepStart;
    From = 0;
    SweepStart = Best.size();
  }
  return Done;
}
