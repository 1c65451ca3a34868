// The move rule on a bare kind grid: the pieces of a shape, whether a step
// of it is refused, and one whole step with its merge and completion. The
// play input checks its steps with these and the solver searches with them,
// so both play by the same rule. The rule itself works on cell masks (a bit
// per cell), which the solver uses directly for speed.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

constexpr int GRID_COLUMNS = 10;
constexpr int GRID_ROWS = 8;
constexpr int GRID_CELLS = GRID_COLUMNS * GRID_ROWS;

// One kind per cell, row-major (cell = 10 * y + x), -1 for empty.
using KindCells = std::array<int8_t, GRID_CELLS>;
using CellSet = std::bitset<GRID_CELLS>;
// A bit per cell, bit `cell` for cell (cell % 10, cell / 10).
__extension__ typedef unsigned __int128 CellMask;

// The board's kind grid in row-major order.
KindCells KindCellsOfBoard();
// The shape holding `cell`: the cells of its kind joined to it through cell
// sides. Empty for an empty cell.
CellSet ShapeCells(const KindCells& cells, int cell);
// A step of (dx, dy) is refused when a cell of the shape would leave the
// board or enter a cell held outside the shape.
bool ShapeStepBlocked(const KindCells& cells, const CellSet& shape, int dx, int dy);
// True when no cell of the shape's kind lies outside the shape.
bool KindComplete(const KindCells& cells, const CellSet& shape, int kind);

// The outcome of one step of the shape holding `cell`.
enum class StepResult { Refused, Moved, Merged, Completed };
// Moves the shape one cell unless refused; a shape that then holds every
// piece of its kind leaves the board (its cells become empty).
StepResult StepShape(KindCells& cells, int cell, int dx, int dy);

// The same rule on masks. `kindCells` holds every cell of one kind,
// `occupied` every held cell of the board.
inline CellMask CellBit(int cell) { return CellMask{1} << cell; }
int LowestCell(CellMask cells);
int CellCount(CellMask cells);
// The cells of `kindCells` joined to `cell` through cell sides.
CellMask MaskShape(CellMask kindCells, int cell);
// The shape moved by (dx, dy), cells leaving the board dropped.
CellMask MaskShift(CellMask shape, int dx, int dy);
bool MaskStepBlocked(CellMask shape, CellMask occupied, int dx, int dy);
// One step of `shape` of the kind whose cells are `kindCells` (the step must
// not be refused): `kindCells` becomes the kind's cells after it, empty when
// the kind completed and left.
StepResult MaskStep(CellMask& kindCells, CellMask shape, int dx, int dy);
