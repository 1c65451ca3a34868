// Shortcuts along a solution: from each board of it, a search for a shorter
// way onto a board of it a little further on. The way may also finish some
// kinds on its own and come back onto the solution for the others, the
// solution's later moves of those kinds then dropped. Each search is a
// best-first search with at most a few hundred states, guided by a bound of
// the steps left: each kind's cells move a cell a step at most, so the
// steps of a kind to a later board of the solution are at least the
// farthest any of its cells must go. Sweeps along the solution, each
// followed by a shortening, go on until one finds nothing shorter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "solver/solver.h"

struct ShortcutLimits {
  int64_t States = 300;  // states of one search
  int Weight = 3;        // of the bound against the steps made: above 1, quicker and less thorough
  int Window = 30;       // moves of the solution looked ahead of the board searched from
};

// One search from the board before moves[from]: true when it found a
// shorter solution, then in `moves`. `used` grows by the states expanded.
bool ShortcutAt(const KindCells& board, std::vector<SolverMove>& moves, size_t from, const ShortcutLimits& limits,
                int64_t& used);

class T_SHORTENER;

class T_SHORTCUTS {
 public:
  T_SHORTCUTS();
  ~T_SHORTCUTS();
  // Starts from a solution of `board`.
  void Start(const KindCells& board, const std::vector<SolverMove>& moves, const ShortcutLimits& limits);
  // Searches from boards along the solution until about `states` states
  // are used (a search of ShortcutLimits::States is never cut short, a few
  // milliseconds at most); true once done.
  bool Run(int64_t states);
  // The shortest solution so far.
  const std::vector<SolverMove>& Moves() const { return Best; }
  int64_t StatesUsed() const { return Used; }

 private:
  KindCells Board{};
  std::vector<SolverMove> Best;
  ShortcutLimits Limits;
  size_t From = 0;        // the board the next search starts from
  size_t SweepStart = 0;  // the solution's length when the sweep began
  int64_t Used = 0;
  bool Done = true;
  std::unique_ptr<T_SHORTENER> Shortener;  // at the end of a sweep
};
