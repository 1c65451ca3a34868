#include "play/move_rule.h"

#include <bit>

#include "board/block.h"

namespace {

constexpr CellMask ColumnMask(int x) {
  CellMask m = 0;
  for (int y = 0; y < GRID_ROWS; ++y) m |= CellMask{1} << (y * GRID_COLUMNS + x);
  return m;
}
constexpr CellMask ALL_CELLS = (CellMask{1} << GRID_CELLS) - 1;
constexpr CellMask LEFT_COLUMN = ColumnMask(0);
constexpr CellMask RIGHT_COLUMN = ColumnMask(GRID_COLUMNS - 1);
constexpr CellMask TOP_ROW = (CellMask{1} << GRID_COLUMNS) - 1;
constexpr CellMask BOTTOM_ROW = TOP_ROW << (GRID_CELLS - GRID_COLUMNS);

CellMask MaskOfKind(const KindCells& cells, int kind) {
  CellMask m = 0;
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (cells[c] == kind) m |= CellBit(c);
  }
  return m;
}

CellMask MaskOfSet(const CellSet& set) {
  CellMask m = 0;
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (set.test(c)) m |= CellBit(c);
  }
  return m;
}

CellSet SetOfMask(CellMask m) {
  CellSet set;
  for (; m != 0; m &= m - 1) set.set(LowestCell(m));
  return set;
}

CellMask Occupied(const KindCells& cells) {
  CellMask m = 0;
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (cells[c] >= 0) m |= CellBit(c);
  }
  return m;
}

}  // namespace

int LowestCell(CellMask cells) {
  const uint64_t low = static_cast<uint64_t>(cells);
  return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(static_cast<uint64_t>(cells >> 64));
}

int CellCount(CellMask cells) {
  return std::popcount(static_cast<uint64_t>(cells)) + std::popcount(static_cast<uint64_t>(cells >> 64));
}

CellMask MaskShape(CellMask kindCells, int cell) {
  CellMask shape = kindCells & CellBit(cell);
  for (CellMask last = 0; shape != last;) {
    last = shape;
    shape |= ((shape << 1) & ~LEFT_COLUMN) | ((shape >> 1) & ~RIGHT_COLUMN) | (shape << GRID_COLUMNS) |
             (shape >> GRID_COLUMNS);
    shape &= kindCells;
  }
  return shape;
}

CellMask MaskShift(CellMask shape, int dx, int dy) {
  if (dx > 0) shape = (shape & ~RIGHT_COLUMN) << 1;
  if (dx < 0) shape = (shape & ~LEFT_COLUMN) >> 1;
  if (dy > 0) shape = (shape & ~BOTTOM_ROW) << GRID_COLUMNS;
  if (dy < 0) shape = (shape & ~TOP_ROW) >> GRID_COLUMNS;
  return shape & ALL_CELLS;
}

bool MaskStepBlocked(CellMask shape, CellMask occupied, int dx, int dy) {
  const CellMask moved = MaskShift(shape, dx, dy);
  if (CellCount(moved) != CellCount(shape)) return true;  // a cell would leave the board
  return (moved & occupied & ~shape) != 0;
}

StepResult MaskStep(CellMask& kindCells, CellMask shape, int dx, int dy) {
  const CellMask moved = MaskShift(shape, dx, dy);
  kindCells = (kindCells & ~shape) | moved;
  const CellMask after = MaskShape(kindCells, LowestCell(moved));
  if (after == kindCells) {
    kindCells = 0;
    return StepResult::Completed;
  }
  return after != moved ? StepResult::Merged : StepResult::Moved;
}

KindCells KindCellsOfBoard() {
  KindCells cells;
  for (int y = 0; y < GRID_ROWS; ++y) {
    for (int x = 0; x < GRID_COLUMNS; ++x) cells[y * GRID_COLUMNS + x] = static_cast<int8_t>(KindGrid[x][y]);
  }
  return cells;
}

CellSet ShapeCells(const KindCells& cells, int cell) {
  if (cell < 0 || cell >= GRID_CELLS || cells[cell] < 0) return CellSet();
  return SetOfMask(MaskShape(MaskOfKind(cells, cells[cell]), cell));
}

bool ShapeStepBlocked(const KindCells& cells, const CellSet& shape, int dx, int dy) {
  return MaskStepBlocked(MaskOfSet(shape), Occupied(cells), dx, dy);
}

bool KindComplete(const KindCells& cells, const CellSet& shape, int kind) {
  return (MaskOfKind(cells, kind) & ~MaskOfSet(shape)) == 0;
}

StepResult StepShape(KindCells& cells, int cell, int dx, int dy) {
  if (cell < 0 || cell >= GRID_CELLS || cells[cell] < 0) return StepResult::Refused;
  const int8_t kind = cells[cell];
  CellMask kindCells = MaskOfKind(cells, kind);
  const CellMask shape = MaskShape(kindCells, cell);
  if (MaskStepBlocked(shape, Occupied(cells), dx, dy)) return StepResult::Refused;
  const StepResult result = MaskStep(kindCells, shape, dx, dy);
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (cells[c] == kind) cells[c] = -1;
  }
  for (CellMask m = kindCells; m != 0; m &= m - 1) cells[LowestCell(m)] = kind;
  return result;
}
