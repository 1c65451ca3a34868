#include "solver/solver.h"

#include <algorithm>
#include <ctime>
#include <queue>

namespace {

// Directions of a step: right, down, left, up.
const int STEP_DX[4] = {1, 0, -1, 0};
const int STEP_DY[4] = {0, 1, 0, -1};
constexpr int8_t PRESS = 4;  // the move that takes hold of a whole kind

// A board packed three bits a cell (kind + 1), 21 cells a word.
struct Key {
  uint64_t W[4] = {0, 0, 0, 0};
  bool operator==(const Key& o) const {
    return W[0] == o.W[0] && W[1] == o.W[1] && W[2] == o.W[2] && W[3] == o.W[3];
  }
};

Key Pack(const KindCells& b) {
  Key k;
  for (int c = 0; c < GRID_CELLS; ++c) k.W[c / 21] |= static_cast<uint64_t>(b[c] + 1) << (3 * (c % 21));
  return k;
}

KindCells Unpack(const Key& k) {
  KindCells b;
  for (int c = 0; c < GRID_CELLS; ++c) b[c] = static_cast<int8_t>(((k.W[c / 21] >> (3 * (c % 21))) & 7) - 1);
  return b;
}

uint64_t Hash(const Key& k) {
  uint64_t h = 0x9E3779B97F4A7C15ull;
  for (uint64_t w : k.W) {
    h ^= w + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    h *= 0xBF58476D1CE4E5B9ull;
  }
  return h ^ (h >> 31);
}

// The shapes of a board: a label per cell (-1 empty) and each shape's kind.
struct Shapes {
  int8_t Label[GRID_CELLS];
  int8_t Kind[GRID_CELLS];
  int8_t First[GRID_CELLS];  // a cell of each shape
  int Count = 0;
};

Shapes FindShapes(const KindCells& b) {
  Shapes s;
  std::fill(std::begin(s.Label), std::end(s.Label), int8_t{-1});
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (b[c] < 0 || s.Label[c] >= 0) continue;
    const CellSet shape = ShapeCells(b, c);
    for (int i = c; i < GRID_CELLS; ++i) {
      if (shape.test(i)) s.Label[i] = static_cast<int8_t>(s.Count);
    }
    s.Kind[s.Count] = b[c];
    s.First[s.Count] = static_cast<int8_t>(c);
    ++s.Count;
  }
  return s;
}

// The first shape whose kind has no other shape, or -1.
int WholeKindShape(const Shapes& s) {
  int perKind[8] = {};
  for (int i = 0; i < s.Count; ++i) ++perKind[s.Kind[i] & 7];
  for (int i = 0; i < s.Count; ++i) {
    if (perKind[s.Kind[i] & 7] == 1) return i;
  }
  return -1;
}

// An estimate of the steps left for one kind: a step for each join of two
// of its shapes, and the gaps to close between them along a minimum
// spanning tree of the gaps (a kind already whole needs its press).
int EstimateKind(const KindCells& b, int kind) {
  int cellX[GRID_CELLS], cellY[GRID_CELLS], cellShape[GRID_CELLS], m = 0;
  int label[GRID_CELLS];
  std::fill(std::begin(label), std::end(label), -1);
  int n = 0;
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (b[c] != kind) continue;
    if (label[c] < 0) {
      const CellSet shape = ShapeCells(b, c);
      for (int i = c; i < GRID_CELLS; ++i) {
        if (shape.test(i)) label[i] = n;
      }
      ++n;
    }
    cellX[m] = c % GRID_COLUMNS;
    cellY[m] = c / GRID_COLUMNS;
    cellShape[m] = label[c];
    ++m;
  }
  if (n <= 1) return n;
  static thread_local int gap[GRID_CELLS][GRID_CELLS];
  for (int i = 0; i < n; ++i) std::fill(gap[i], gap[i] + n, 1000);
  for (int i = 0; i < m; ++i) {
    for (int j = i + 1; j < m; ++j) {
      const int p = cellShape[i], q = cellShape[j];
      if (p == q) continue;
      const int d = std::abs(cellX[i] - cellX[j]) + std::abs(cellY[i] - cellY[j]) - 1;
      if (d < gap[p][q]) gap[p][q] = gap[q][p] = d;
    }
  }
  // Prim's tree over the shapes.
  int total = n - 1;
  int best[GRID_CELLS];
  bool in[GRID_CELLS] = {};
  in[0] = true;
  for (int i = 1; i < n; ++i) best[i] = gap[0][i];
  for (int added = 1; added < n; ++added) {
    int next = -1;
    for (int i = 1; i < n; ++i) {
      if (!in[i] && (next < 0 || best[i] < best[next])) next = i;
    }
    total += best[next];
    in[next] = true;
    for (int i = 1; i < n; ++i) {
      if (!in[i]) best[i] = std::min(best[i], gap[next][i]);
    }
  }
  return total;
}

constexpr int KINDS = 7;  // what a packed cell can hold

}  // namespace

std::vector<SolverMove> OpenMoves(const KindCells& board) {
  std::vector<SolverMove> moves;
  const Shapes s = FindShapes(board);
  // Taking away a whole kind only frees cells, so it is the one move worth
  // making when it is open.
  const int whole = WholeKindShape(s);
  if (whole >= 0) return {SolverMove{s.First[whole], 0, 0}};
  for (int i = 0; i < s.Count; ++i) {
    const CellSet shape = ShapeCells(board, s.First[i]);
    for (int d = 0; d < 4; ++d) {
      if (!ShapeStepBlocked(board, shape, STEP_DX[d], STEP_DY[d])) {
        moves.push_back({s.First[i], STEP_DX[d], STEP_DY[d]});
      }
    }
  }
  return moves;
}

KindCells ApplyMove(KindCells board, const SolverMove& move) {
  if (move.Dx == 0 && move.Dy == 0) {
    const CellSet shape = ShapeCells(board, move.Cell);
    if (shape.any() && KindComplete(board, shape, board[move.Cell])) {
      for (int c = 0; c < GRID_CELLS; ++c) {
        if (shape.test(c)) board[c] = -1;
      }
    }
    return board;
  }
  StepShape(board, move.Cell, move.Dx, move.Dy);
  return board;
}

bool BoardEmpty(const KindCells& board) {
  return std::all_of(board.begin(), board.end(), [](int8_t k) { return k < 0; });
}

struct T_SOLVER::Search {
  struct Node {
    Key Board;
    int32_t Parent;
    int8_t Cell;
    int8_t Dir;  // 0..3 a step, PRESS a press, -1 the start
    int16_t Steps;
    uint8_t H[KINDS];  // the estimate of each kind
  };
  struct Open {
    int32_t F, H, Node;
    bool operator<(const Open& o) const { return F != o.F ? F > o.F : H > o.H; }
  };
  std::vector<Node> Nodes;
  std::vector<int32_t> Table;  // open addressing: node index + 1, 0 empty
  std::priority_queue<Open> Queue;
  SolverBudget Budget;
  // Processor time spent inside Run so far: the frames between slices do
  // not count against the search.
  std::clock_t Spent = 0;

  // The index of the node holding `key`, adding it when new; `added` says which.
  int32_t Find(const Key& key, bool& added) {
    if ((Nodes.size() + 1) * 2 > Table.size()) Grow();
    const size_t mask = Table.size() - 1;
    for (size_t i = Hash(key) & mask;; i = (i + 1) & mask) {
      if (Table[i] == 0) {
        Table[i] = static_cast<int32_t>(Nodes.size()) + 1;
        Nodes.push_back(Node{key, -1, 0, -1, 0, {}});
        added = true;
        return Table[i] - 1;
      }
      if (Nodes[Table[i] - 1].Board == key) {
        added = false;
        return Table[i] - 1;
      }
    }
  }
  void Grow() {
    std::vector<int32_t> bigger(std::max<size_t>(Table.size() * 2, 1 << 12), 0);
    const size_t mask = bigger.size() - 1;
    for (size_t n = 0; n < Nodes.size(); ++n) {
      size_t i = Hash(Nodes[n].Board) & mask;
      while (bigger[i] != 0) i = (i + 1) & mask;
      bigger[i] = static_cast<int32_t>(n) + 1;
    }
    Table.swap(bigger);
  }
  int64_t Bytes() const {
    return static_cast<int64_t>(Nodes.capacity() * sizeof(Node) + Table.capacity() * sizeof(int32_t) +
                                Queue.size() * sizeof(Open));
  }
};

T_SOLVER::T_SOLVER() = default;
T_SOLVER::~T_SOLVER() = default;

int64_t T_SOLVER::StatesStored() const { return S ? static_cast<int64_t>(S->Nodes.size()) : 0; }

void T_SOLVER::Start(const KindCells& board, SolverBudget budget) {
  S = std::make_unique<Search>();
  S->Budget = budget;
  Moves.clear();
  Expanded = 0;
  Peak = 0;
  Branching = 0;
  StatusNow = SolveStatus::Searching;
  bool added = false;
  const int32_t root = S->Find(Pack(board), added);
  int h = 0;
  for (int kind = 0; kind < KINDS; ++kind) {
    S->Nodes[root].H[kind] = static_cast<uint8_t>(std::min(255, EstimateKind(board, kind)));
    h += S->Nodes[root].H[kind];
  }
  S->Queue.push({0, h, root});
}

SolveStatus T_SOLVER::Run(int64_t states) {
  if (StatusNow != SolveStatus::Searching) return StatusNow;
  Search& s = *S;
  const std::clock_t sliceStart = std::clock();
  for (int64_t done = 0; done < states; ++done) {
    if (s.Queue.empty()) {
      StatusNow = SolveStatus::NoSolution;
      break;
    }
    if (Expanded >= s.Budget.MaxStates ||
        ((Expanded & 255) == 0 &&
         (s.Spent + std::clock() - sliceStart) * 1000 / CLOCKS_PER_SEC > s.Budget.MaxMilliseconds)) {
      StatusNow = SolveStatus::GaveUp;
      break;
    }
    const int32_t at = s.Queue.top().Node;
    s.Queue.pop();
    const KindCells board = Unpack(s.Nodes[at].Board);
    if (BoardEmpty(board)) {
      Finish(at);
      break;
    }
    ++Expanded;
    const int16_t steps = static_cast<int16_t>(s.Nodes[at].Steps + 1);
    for (const SolverMove& m : OpenMoves(board)) {
      const KindCells next = ApplyMove(board, m);
      bool added = false;
      const int32_t child = s.Find(Pack(next), added);
      if (!added) continue;
      Search::Node& node = s.Nodes[child];
      node.Parent = at;
      node.Cell = static_cast<int8_t>(m.Cell);
      node.Dir = PRESS;
      for (int d = 0; d < 4; ++d) {
        if (m.Dx == STEP_DX[d] && m.Dy == STEP_DY[d] && (m.Dx != 0 || m.Dy != 0)) node.Dir = static_cast<int8_t>(d);
      }
      node.Steps = steps;
      // Only the kind that moved changed.
      const int kind = board[m.Cell];
      std::copy(s.Nodes[at].H, s.Nodes[at].H + KINDS, node.H);
      node.H[kind] = static_cast<uint8_t>(std::min(255, EstimateKind(next, kind)));
      int h = 0;
      for (int k = 0; k < KINDS; ++k) h += node.H[k];
      s.Queue.push({steps + s.Budget.Weight * h, h, child});
    }
    if ((Expanded & 1023) == 0) Peak = std::max(Peak, s.Bytes());
  }
  Peak = std::max(Peak, s.Bytes());
  s.Spent += std::clock() - sliceStart;
  if (StatusNow != SolveStatus::Searching) S.reset();
  return StatusNow;
}

void T_SOLVER::Finish(int32_t goal) {
  Search& s = *S;
  for (int32_t at = goal; s.Nodes[at].Parent >= 0; at = s.Nodes[at].Parent) {
    const Search::Node& n = s.Nodes[at];
    SolverMove m{n.Cell, 0, 0};
    if (n.Dir != PRESS) {
      m.Dx = STEP_DX[n.Dir];
      m.Dy = STEP_DY[n.Dir];
    }
    Moves.push_back(m);
  }
  std::reverse(Moves.begin(), Moves.end());
  // The branching along the way: how many moves each board on it offered.
  KindCells board = Unpack(s.Nodes[0].Board);
  int64_t open = 0;
  for (const SolverMove& m : Moves) {
    open += static_cast<int64_t>(OpenMoves(board).size());
    board = ApplyMove(board, m);
  }
  Branching = Moves.empty() ? 0.0 : static_cast<double>(open) / static_cast<double>(Moves.size());
  StatusNow = SolveStatus::Solved;
}
