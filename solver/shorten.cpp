#include "solver/shorten.h"

#include <cstddef>

namespace {

constexpr int KINDS = 7;  // what a cell can hold
constexpr size_t NONE = SIZE_MAX;

// A board that knows its pieces: each piece is named by the cell it stood
// on at the start and keeps its name as its shape moves.
struct PieceBoard {
  CellMask Of[KINDS] = {};
  int8_t PieceAt[GRID_CELLS];
  int8_t CellOf[GRID_CELLS];
  int8_t KindOf[GRID_CELLS];

  explicit PieceBoard(const KindCells& cells) {
    for (int c = 0; c < GRID_CELLS; ++c) {
      const bool held = cells[c] >= 0 && cells[c] < KINDS;
      PieceAt[c] = CellOf[c] = held ? static_cast<int8_t>(c) : int8_t{-1};
      KindOf[c] = cells[c];
      if (held) Of[cells[c]] |= CellBit(c);
    }
  }
  CellMask Occupied() const {
    CellMask m = 0;
    for (CellMask k : Of) m |= k;
    return m;
  }
  void RemoveKind(int kind) {
    for (int p = 0; p < GRID_CELLS; ++p) {
      if (KindOf[p] != kind || CellOf[p] < 0) continue;
      PieceAt[CellOf[p]] = -1;
      CellOf[p] = -1;
    }
    Of[kind] = 0;
  }
  // The move of the shape holding the piece; false when refused (the piece
  // is gone, the step is blocked, or a press finds its kind not whole).
  bool Move(int piece, int dx, int dy) {
    if (piece < 0 || CellOf[piece] < 0) return false;
    const int kind = KindOf[piece];
    const CellMask shape = MaskShape(Of[kind], CellOf[piece]);
    if (dx == 0 && dy == 0) {
      if (shape != Of[kind]) return false;
      RemoveKind(kind);
      return true;
    }
    if (MaskStepBlocked(shape, Occupied(), dx, dy)) return false;
    int8_t moved[GRID_CELLS];
    int count = 0;
    for (CellMask m = shape; m != 0; m &= m - 1) {
      const int cell = LowestCell(m);
      moved[count++] = PieceAt[cell];
      PieceAt[cell] = -1;
    }
    for (int i = 0; i < count; ++i) {
      const int cell = CellOf[moved[i]] + dx + GRID_COLUMNS * dy;
      CellOf[moved[i]] = static_cast<int8_t>(cell);
      PieceAt[cell] = moved[i];
    }
    // A step that makes its kind whole takes the kind away.
    if (MaskStep(Of[kind], shape, dx, dy) == StepResult::Completed) RemoveKind(kind);
    return true;
  }
};

}  // namespace

void T_SHORTENER::Start(const KindCells& board, const std::vector<SolverMove>& moves) {
  Start_ = board;
  Plan.clear();
  Given.clear();
  PieceBoard b(board);
  for (const SolverMove& m : moves) {
    const int8_t piece = m.Cell >= 0 && m.Cell < GRID_CELLS ? b.PieceAt[m.Cell] : int8_t{-1};
    Plan.push_back(PieceMove{piece, static_cast<int8_t>(m.Dx), static_cast<int8_t>(m.Dy)});
    b.Move(piece, m.Dx, m.Dy);
  }
  First = Second = 0;
  Dropped = false;
  // A plan that does not replay as given is left as it is.
  Finished = !Replay(NONE, NONE, nullptr);
  if (Finished) Given = moves;
}

bool T_SHORTENER::Replay(size_t a, size_t b, std::vector<PieceMove>* out) const {
  PieceBoard board(Start_);
  if (out != nullptr) out->clear();
  for (size_t i = 0; i < Plan.size() && board.Occupied() != 0; ++i) {
    if (i == a || i == b) continue;
    if (!board.Move(Plan[i].Piece, Plan[i].Dx, Plan[i].Dy)) return false;
    if (out != nullptr) out->push_back(Plan[i]);
  }
  return board.Occupied() == 0;
}

bool T_SHORTENER::Run(int64_t trials) {
  std::vector<PieceMove> shorter;
  for (; trials > 0 && !Finished; --trials) {
    if (First >= Plan.size()) {
      // A sweep that dropped something may have opened new drops.
      Finished = !Dropped;
      First = Second = 0;
      Dropped = false;
      continue;
    }
    // Second == First: the move alone; above it, the pair.
    if (Replay(First, Second == First ? NONE : Second, &shorter)) {
      Plan.swap(shorter);
      Dropped = true;
      Second = First;
      continue;
    }
    if (++Second >= Plan.size()) Second = ++First;
  }
  return Finished;
}

std::vector<SolverMove> T_SHORTENER::Moves() const {
  if (!Given.empty()) return Given;
  std::vector<SolverMove> moves;
  PieceBoard board(Start_);
  for (const PieceMove& m : Plan) {
    if (board.Occupied() == 0) break;
    moves.push_back(SolverMove{board.CellOf[m.Piece < 0 ? 0 : m.Piece], m.Dx, m.Dy});
    board.Move(m.Piece, m.Dx, m.Dy);
  }
  return moves;
}
