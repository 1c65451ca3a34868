// A solver of boards: a best-first search over kind grids, each step of it one
// step of one shape under the play input's move rule. It runs in slices, so
// that the game can search a little in every frame, and gives up by a budget
// of states and of time. The solution found is then shortened, its
// tails are searched again and shortcuts along it are looked for, also in
// slices.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "play/move_rule.h"

struct SolverMove {
  int Cell = 0;        // a cell of the shape to take hold of
  int Dx = 0, Dy = 0;  // (0, 0): take hold of a shape whose kind is already whole
};

enum class SolveStatus { Searching, Solved, NoSolution, GaveUp };

struct SolverBudget {
  int64_t MaxStates = 1500000;
  int64_t MaxMilliseconds = 4000;
  // Weight of the estimate of the steps left against the steps made: above
  // 1 the search heads for the goal first and gives up the shortest
  // solution for speed.
  int Weight = 4;
  // Above 0: a beam search first, layer by layer of steps, keeping this
  // many boards of each layer (those the estimate likes best). Its
  // solutions are close to the shortest. When every board it kept leads
  // nowhere, the best-first search takes over within the same budget.
  int Beam = 1000;
  // Once a solution is found, the moves it does not need are dropped (a
  // few replays of it per state of the budget given to Run).
  bool Shorten = true;
  // Once shortened, the solution's tails are searched again from boards
  // along it, the last first, with at most this many states in all; a tail
  // search that comes onto a board of the solution sooner than the solution
  // did joins it there, and any shorter way found is kept (then shortened).
  int64_t RefineStates = 150000;
  // Last, shortcuts along the solution: from each board of it, a search of
  // at most this many states for a shorter way onto a later board of it
  // (0: none).
  int64_t ShortcutStates = 300;
};

class T_SHORTENER;
class T_REFINER;
class T_SHORTCUTS;

class T_SOLVER {
 public:
  T_SOLVER();
  ~T_SOLVER();
  // Forgets any search and starts one from the board given.
  void Start(const KindCells& board, SolverBudget budget = {});
  // A solution known for the board given to Start: the search keeps the
  // shortest of its own, the known one, and the ways that come onto a board
  // of the known one sooner and follow it from there; giving up, it answers
  // with the best of these.
  void SetReference(const std::vector<SolverMove>& moves);
  // A solution known from another board: `boards` are the boards before
  // each of its `moves`. A way found onto any of them ends the search at
  // once, followed by the rest of that solution.
  void SetGoalPath(const std::vector<KindCells>& boards, const std::vector<SolverMove>& moves);
  // Searches on for at most `states` expansions; the status after it.
  SolveStatus Run(int64_t states);
  // Runs to the end, budgets permitting.
  SolveStatus RunToEnd() { return Run(INT64_MAX); }
  SolveStatus Status() const { return StatusNow; }
  // True once a whole solution is known, also while the search goes on
  // making it shorter (Solution gives it meanwhile).
  bool SolutionKnown() const {
    return StatusNow == SolveStatus::Solved || Refiner || Shortcuts || (Refined && Shortener);
  }
  // The moves that empty the board, once solved.
  const std::vector<SolverMove>& Solution() const { return Moves; }
  // States expanded, those of the tail searches once they are done included.
  int64_t StatesExplored() const { return Expanded; }
  int64_t StatesStored() const;
  // Bytes held by the search at its largest (states, index and queue).
  int64_t PeakBytes() const { return Peak; }
  // Mean number of moves open from the states on the solution's path.
  double MeanBranching() const { return Branching; }

 private:
  struct Search;
  std::unique_ptr<Search> S;
  std::unique_ptr<T_SHORTENER> Shortener;  // after the search found a solution
  std::unique_ptr<T_REFINER> Refiner;      // after the first shortening
  std::unique_ptr<T_SHORTCUTS> Shortcuts;  // after refining
  bool Refined = false;
  SolverBudget Budget;
  std::vector<SolverMove> Reference;
  std::vector<SolverMove> GoalMoves;
  KindCells StartBoard{};
  SolveStatus StatusNow = SolveStatus::NoSolution;
  std::vector<SolverMove> Moves;
  int64_t Expanded = 0;
  int64_t Peak = 0;
  double Branching = 0;
  std::vector<SolverMove> WayTo(int32_t node) const;
  // The search ends: the way to `goal` (-1: none found), or a better way by
  // the known solution.
  void Finish(int32_t goal);
  // A way onto a board of the goal path: from `node` by `move`, then that
  // path from its step `join` on.
  void Join(int32_t node, const SolverMove& move, int join);
  // A solution is known: it is shortened, or the search is complete.
  void Conclude();
  void GiveUp(SolveStatus status);
  void Complete();
  // Refining is over: the shortcuts along the solution, then the end.
  void RefiningDone();
  void RunSearch(int64_t states);
  void RunBeam(int64_t states);
  void SearchBestFirst();
};

// The moves open from a board: a press on each shape whose kind is already
// whole, else one step of each shape in each direction that is not refused.
std::vector<SolverMove> OpenMoves(const KindCells& board);
// The board after a move (a refused step changes nothing).
KindCells ApplyMove(KindCells board, const SolverMove& move);
bool BoardEmpty(const KindCells& board);
// The shortest way from a board to a board of `path` (the boards of a
// solution, before each of its moves), searched breadth first through at
// most `limit` boards: the index of the board of `path` it reaches (of
// those found, the one with the fewest steps left in all), its moves in
// `way`; -1 when none was found.
int WayToPath(const KindCells& board, const std::vector<KindCells>& path, int64_t limit,
              std::vector<SolverMove>& way);
