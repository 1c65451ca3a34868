// Shortening a solution found by the search: moves that the rest of it does
// not need are dropped, one at a time or two at a time, for as long as one
// can be. The solution is replayed by pieces rather than cells (a move takes
// hold of the shape that holds a given piece), so that a dropped move does
// not change which shape the later moves take hold of. A trial is kept when
// every move of it is still open and the board ends empty.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/solver.h"

class T_SHORTENER {
 public:
  // Starts from a solution of `board` (every move open, the board empty at
  // its end).
  void Start(const KindCells& board, const std::vector<SolverMove>& moves);
  // At most `trials` replays of the solution with moves left out; true once
  // no single move and no pair of moves can be dropped any more.
  bool Run(int64_t trials);
  bool Done() const { return Finished; }
  // The shortest solution so far (always a whole solution of the board).
  std::vector<SolverMove> Moves() const;

 private:
  // A move by piece: the piece is the cell it stood on in the start board.
  struct PieceMove {
    int8_t Piece;
    int8_t Dx, Dy;  // (0, 0): take hold of a shape whose kind is already whole
  };
  KindCells Start_{};
  std::vector<PieceMove> Plan;
  std::vector<SolverMove> Given;  // kept as given when it does not replay
  size_t First = 0, Second = 0;  // the trial to make next: drop First, then First and Second
  bool Dropped = false;          // a move was dropped since the sweep began
  bool Finished = true;
  // The plan without the moves at `a` and `b` (SIZE_MAX: none), into `out`
  // when the board ends empty with every move open.
  bool Replay(size_t a, size_t b, std::vector<PieceMove>* out) const;
};
