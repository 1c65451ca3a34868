// A small solver for the test programs that play a level through the real
// input path: the greedy shortest way for any shape to join another of its
// colour, repeated until the board is empty.
#pragma once

#include <array>
#include <optional>
#include <vector>

namespace test_support {

// Cells hold 0 for empty or colour + 1, row-major.
using Cells = std::array<int, 80>;
using Shape = std::vector<int>;  // sorted cell indices

struct Move {
  int Cell;    // a cell of the shape to press
  int Dx, Dy;  // (0, 0): press and hold a shape whose colour is complete
};

// The shapes of one colour, each sorted.
std::vector<Shape> ShapesOf(const Cells& g, int colour);
// The board after a move.
Cells Apply(Cells g, const Move& m);
// The moves that clear the board; empty when the solver finds none.
std::vector<Move> Solve(Cells g);

}  // namespace test_support
