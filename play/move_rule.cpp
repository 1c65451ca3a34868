#include "play/move_rule.h"

#include "board/block.h"

namespace {

bool OnGrid(int x, int y) { return x >= 0 && x < GRID_COLUMNS && y >= 0 && y < GRID_ROWS; }

}  // namespace

KindCells KindCellsOfBoard() {
  KindCells cells;
  for (int y = 0; y < GRID_ROWS; ++y) {
    for (int x = 0; x < GRID_COLUMNS; ++x) cells[y * GRID_COLUMNS + x] = static_cast<int8_t>(KindGrid[x][y]);
  }
  return cells;
}

CellSet ShapeCells(const KindCells& cells, int cell) {
  CellSet shape;
  if (cell < 0 || cell >= GRID_CELLS || cells[cell] < 0) return shape;
  const int kind = cells[cell];
  int stack[GRID_CELLS];
  int top = 0;
  stack[top++] = cell;
  shape.set(cell);
  static const int DX[4] = {1, -1, 0, 0};
  static const int DY[4] = {0, 0, 1, -1};
  while (top > 0) {
    const int c = stack[--top];
    const int x = c % GRID_COLUMNS, y = c / GRID_COLUMNS;
    for (int d = 0; d < 4; ++d) {
      const int nx = x + DX[d], ny = y + DY[d];
      if (!OnGrid(nx, ny)) continue;
      const int n = ny * GRID_COLUMNS + nx;
      if (!shape.test(n) && cells[n] == kind) {
        shape.set(n);
        stack[top++] = n;
      }
    }
  }
  return shape;
}

bool ShapeStepBlocked(const KindCells& cells, const CellSet& shape, int dx, int dy) {
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (!shape.test(c)) continue;
    const int x = c % GRID_COLUMNS + dx, y = c / GRID_COLUMNS + dy;
    if (!OnGrid(x, y)) return true;
    const int to = y * GRID_COLUMNS + x;
    if (cells[to] != -1 && !shape.test(to)) return true;
  }
  return false;
}

bool KindComplete(const KindCells& cells, const CellSet& shape, int kind) {
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (cells[c] == kind && !shape.test(c)) return false;
  }
  return true;
}

StepResult StepShape(KindCells& cells, int cell, int dx, int dy) {
  const CellSet shape = ShapeCells(cells, cell);
  if (shape.none() || ShapeStepBlocked(cells, shape, dx, dy)) return StepResult::Refused;
  const int8_t kind = cells[cell];
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (shape.test(c)) cells[c] = -1;
  }
  const int offset = dy * GRID_COLUMNS + dx;
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (shape.test(c)) cells[c + offset] = kind;
  }
  const CellSet after = ShapeCells(cells, cell + offset);
  if (KindComplete(cells, after, kind)) {
    for (int c = 0; c < GRID_CELLS; ++c) {
      if (after.test(c)) cells[c] = -1;
    }
    return StepResult::Completed;
  }
  return after.count() != shape.count() ? StepResult::Merged : StepResult::Moved;
}
