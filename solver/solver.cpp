#include "solver/solver.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <queue>
#include <unordered_map>

#include "solver/refine.h"
#include "solver/shortcut.h"
#include "solver/shorten.h"

namespace {

// Directions of a step: right, down, left, up.
const int STEP_DX[4] = {1, 0, -1, 0};
const int STEP_DY[4] = {0, 1, 0, -1};
constexpr int8_t PRESS = 4;  // the move that takes hold of a whole kind
constexpr int KINDS = 7;     // what a packed cell can hold
int JOIN_COST = 1;
// Children of one board a beam layer keeps at most.
constexpr int BEAM_CHILDREN = 2;
int BEAM_PATIENCE = 8;
// More steps than any board needs: the cost of a kind that cannot come back.
constexpr int SHORTCUT_FAR = 10000;

// Replays of a found solution worth one state of the search's budget.
constexpr int64_t SHORTEN_TRIALS_PER_STATE = 4;

// A board as three bit planes of its cells' kind + 1 (0 for empty): the low
// 64 cells of each plane in a word of its own, the 16 cells above in the
// fourth word.
struct Key {
  uint64_t W[4] = {0, 0, 0, 0};
  bool operator==(const Key& o) const {
    return W[0] == o.W[0] && W[1] == o.W[1] && W[2] == o.W[2] && W[3] == o.W[3];
  }
};

// A board as the cells of each kind.
struct Masks {
  CellMask Of[KINDS] = {};
  CellMask Occupied() const {
    CellMask m = 0;
    for (CellMask k : Of) m |= k;
    return m;
  }
};

Key Pack(const Masks& b) {
  CellMask plane[3] = {0, 0, 0};
  for (int kind = 0; kind < KINDS; ++kind) {
    for (int bit = 0; bit < 3; ++bit) {
      if ((kind + 1) & (1 << bit)) plane[bit] |= b.Of[kind];
    }
  }
  Key k;
  for (int bit = 0; bit < 3; ++bit) {
    k.W[bit] = static_cast<uint64_t>(plane[bit]);
    k.W[3] |= static_cast<uint64_t>(plane[bit] >> 64) << (16 * bit);
  }
  return k;
}

Masks Unpack(const Key& k) {
  CellMask plane[3];
  for (int bit = 0; bit < 3; ++bit) {
    plane[bit] = static_cast<CellMask>(k.W[bit]) | (static_cast<CellMask>((k.W[3] >> (16 * bit)) & 0xFFFF) << 64);
  }
  Masks b;
  for (int kind = 0; kind < KINDS; ++kind) {
    CellMask m = plane[0] | plane[1] | plane[2];
    for (int bit = 0; bit < 3; ++bit) m &= ((kind + 1) & (1 << bit)) ? plane[bit] : ~plane[bit];
    b.Of[kind] = m;
  }
  return b;
}

Masks MasksOf(const KindCells& cells) {
  Masks b;
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (cells[c] >= 0 && cells[c] < KINDS) b.Of[cells[c]] |= CellBit(c);
  }
  return b;
}

KindCells CellsOf(const Masks& b) {
  KindCells cells;
  cells.fill(-1);
  for (int kind = 0; kind < KINDS; ++kind) {
    for (CellMask m = b.Of[kind]; m != 0; m &= m - 1) cells[LowestCell(m)] = static_cast<int8_t>(kind);
  }
  return cells;
}

uint64_t Hash(const Key& k) {
  uint64_t h = 0x9E3779B97F4A7C15ull;
  for (uint64_t w : k.W) {
    h ^= w + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    h *= 0xBF58476D1CE4E5B9ull;
  }
  return h ^ (h >> 31);
}

// The shapes of one kind, at most a cell each.
int SplitShapes(CellMask kindCells, CellMask* shapes) {
  int n = 0;
  while (kindCells != 0) {
    shapes[n] = MaskShape(kindCells, LowestCell(kindCells));
    kindCells &= ~shapes[n];
    ++n;
  }
  return n;
}

// Cells within one step of `cells` (themselves included).
CellMask Grow(CellMask cells) {
  CellMask grown = cells;
  for (int d = 0; d < 4; ++d) grown |= MaskShift(cells, STEP_DX[d], STEP_DY[d]);
  return grown;
}

// An estimate of the steps left for one kind: a step for each join of two
// of its shapes, and the gaps to close between them along a minimum
// spanning tree of the gaps (a kind already whole needs its press).
int EstimateKind(CellMask kindCells, CellMask occupied) {
  (void)occupied;
  if (kindCells == 0) return 0;
  CellMask shapes[GRID_CELLS];
  const int n = SplitShapes(kindCells, shapes);
  if (n == 1) return 1;
  constexpr int FAR = 1000;
  int gap[GRID_CELLS][GRID_CELLS];
  // The gaps are symmetric: each shape grows only towards the shapes after
  // it, and only while some of them are not reached yet.
  for (int i = 0; i < n; ++i) gap[i][i] = 0;
  for (int i = 0; i + 1 < n; ++i) {
    CellMask pending = 0;
    for (int j = i + 1; j < n; ++j) {
      gap[i][j] = gap[j][i] = FAR;
      pending |= shapes[j];
    }
    CellMask reach = shapes[i];
    for (int r = 1; r < GRID_COLUMNS + GRID_ROWS && pending != 0; ++r) {
      reach = Grow(reach);
      if ((reach & pending) == 0) continue;
      for (int j = i + 1; j < n; ++j) {
        if (gap[i][j] == FAR && (reach & shapes[j]) != 0) {
          gap[i][j] = gap[j][i] = r - 1;
          pending &= ~shapes[j];
        }
      }
    }
  }
  int total = JOIN_COST * (n - 1);
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

int Estimate(const Masks& b) {
  const CellMask occupied = b.Occupied();
  int h = 0;
  for (int kind = 0; kind < KINDS; ++kind) h += EstimateKind(b.Of[kind], occupied);
  return h;
}

struct Child {
  Masks Board;
  int Kind;
  SolverMove Move;
};

// The moves open from a board with the board after each.
void Expand(const Masks& b, std::vector<Child>& out) {
  out.clear();
  const CellMask occupied = b.Occupied();
  CellMask shapes[KINDS][GRID_CELLS];
  int count[KINDS];
  for (int kind = 0; kind < KINDS; ++kind) count[kind] = SplitShapes(b.Of[kind], shapes[kind]);
  // Taking away a whole kind only frees cells, so it is the one move worth
  // making when it is open.
  for (int kind = 0; kind < KINDS; ++kind) {
    if (count[kind] != 1) continue;
    Child c{b, kind, SolverMove{LowestCell(b.Of[kind]), 0, 0}};
    c.Board.Of[kind] = 0;
    out.push_back(c);
    return;
  }
  // Shape by shape in the order of their first cells.
  std::pair<int, int> order[GRID_CELLS];  // first cell, kind
  CellMask shapeOf[GRID_CELLS];
  int shapeCount = 0;
  for (int kind = 0; kind < KINDS; ++kind) {
    for (int i = 0; i < count[kind]; ++i) {
      const int first = LowestCell(shapes[kind][i]);
      shapeOf[first] = shapes[kind][i];
      order[shapeCount++] = {first, kind};
    }
  }
  std::sort(order, order + shapeCount);
  for (int o = 0; o < shapeCount; ++o) {
    const int kind = order[o].second;
    const CellMask shape = shapeOf[order[o].first];
    for (int d = 0; d < 4; ++d) {
      if (MaskStepBlocked(shape, occupied, STEP_DX[d], STEP_DY[d])) continue;
      Child c{b, kind, SolverMove{LowestCell(shape), STEP_DX[d], STEP_DY[d]}};
      MaskStep(c.Board.Of[kind], shape, STEP_DX[d], STEP_DY[d]);
      out.push_back(c);
    }
  }
}

struct KeyHash {
  size_t operator()(const Key& k) const { return static_cast<size_t>(Hash(k)); }
};

}  // namespace

int WayToPath(const KindCells& board, const std::vector<KindCells>& path, int64_t limit,
              std::vector<SolverMove>& way) {
  std::unordered_map<Key, int, KeyHash> onPath;
  for (size_t i = 0; i < path.size(); ++i) onPath[Pack(MasksOf(path[i]))] = static_cast<int>(i);
  struct Reached {
    Key Board;
    int32_t Parent;
    SolverMove Move;
    int Depth;
  };
  const Key start = Pack(MasksOf(board));
  std::vector<Reached> reached = {{start, -1, {}, 0}};
  std::unordered_map<Key, int32_t, KeyHash> seen = {{start, 0}};
  std::vector<Child> children;
  int32_t best = -1;
  int bestJoin = 0, bestGain = 0;
  // Breadth first: each board is reached by its shortest way. The board of
  // the path kept is the one that leaves the fewest steps to go.
  for (size_t at = 0; at < reached.size() && static_cast<int64_t>(at) < limit; ++at) {
    // A few steps deeper than the first join found may still join further on.
    if (best >= 0 && reached[at].Depth > reached[best].Depth + 2) break;
    const auto joined = onPath.find(reached[at].Board);
    if (joined != onPath.end() && (best < 0 || joined->second - reached[at].Depth > bestGain)) {
      best = static_cast<int32_t>(at);
      bestJoin = joined->second;
      bestGain = joined->second - reached[at].Depth;
    }
    Expand(Unpack(reached[at].Board), children);
    for (const Child& c : children) {
      const Key key = Pack(c.Board);
      if (seen.emplace(key, static_cast<int32_t>(reached.size())).second) {
        reached.push_back({key, static_cast<int32_t>(at), c.Move, reached[at].Depth + 1});
      }
    }
  }
  way.clear();
  if (best < 0) return -1;
  for (int32_t at = best; reached[at].Parent >= 0; at = reached[at].Parent) way.push_back(reached[at].Move);
  std::reverse(way.begin(), way.end());
  return bestJoin;
}

namespace {

// Steps each cell of `from` needs at least to lie on `to`, and each cell of
// `to` to be reached from `from`, whatever stands in the way: one kind's
// cells move a cell a step at most, so these are lower bounds of the steps
// of that kind between the two boards.
int KindDistance(CellMask from, CellMask to) {
  if (from == to) return 0;
  if (to == 0) {
    // The kind must leave: its gaps closed, or a press when it is whole.
    const int h = EstimateKind(from, 0);
    CellMask shapes[GRID_CELLS];
    return std::max(1, h - JOIN_COST * (SplitShapes(from, shapes) - 1));
  }
  if (from == 0) return SHORTCUT_FAR;  // a kind gone never comes back
  int d = 0;
  for (CellMask reach = from; (to & ~reach) != 0; reach = Grow(reach)) ++d;
  int e = 0;
  for (CellMask reach = to; (from & ~reach) != 0; reach = Grow(reach)) ++e;
  return std::max(d, e);
}

}  // namespace

bool ShortcutAt(const KindCells& board, std::vector<SolverMove>& moves, size_t from, const ShortcutLimits& limits,
                int64_t& used) {
  // The boards of the solution from `from` on, before each move and
  // after the last, and the kind each move takes hold of.
  std::vector<Masks> path;
  std::vector<int> kindOf;
  KindCells cells = board;
  for (size_t k = 0; k < moves.size(); ++k) {
    if (k >= from) {
      path.push_back(MasksOf(cells));
      kindOf.push_back(cells[moves[k].Cell]);
    }
    cells = ApplyMove(cells, moves[k]);
  }
  path.push_back(MasksOf(cells));
  const int total = static_cast<int>(path.size()) - 1;  // moves from `from` to the end
  const int targets = std::min(limits.Window, total);          // path[0..targets]
  // left[j][k]: the solution's moves of kind k from path[j] on.
  std::vector<std::array<int, KINDS>> left(static_cast<size_t>(targets) + 1);
  {
    std::array<int, KINDS> count{};
    for (int j = total; j >= 0; --j) {
      if (j < total) ++count[kindOf[j]];
      if (j <= targets) left[j] = count;
    }
  }
  // The masks each kind takes along the window, each once: masks[k],
  // and the one of path[j] at at[k][j].
  std::array<std::vector<CellMask>, KINDS> masks;
  std::vector<std::array<int, KINDS>> at(static_cast<size_t>(targets) + 1);
  for (int j = 0; j <= targets; ++j) {
    for (int k = 0; k < KINDS; ++k) {
      if (masks[k].empty() || masks[k].back() != path[j].Of[k]) masks[k].push_back(path[j].Of[k]);
      at[j][k] = static_cast<int>(masks[k].size()) - 1;
    }
  }
  // costs[k][j]: at least the moves of kind k left by way of path[j]
  // (or by finishing the kind on its own), on the board being expanded.
  const int windowSize = targets + 1;
  std::vector<int> costs(static_cast<size_t>(KINDS) * windowSize), sums(windowSize), own(windowSize);
  std::vector<int> distance(static_cast<size_t>(windowSize));
  struct FinishMemo {
    CellMask Cells = 0;  // no kind is empty here
    int Steps = 0;
  };
  std::vector<FinishMemo> finishes(4096);
  auto kindCosts = [&](CellMask cellsOfKind, int kind, int* out) {
    if (cellsOfKind == 0) {
      for (int j = 0; j <= targets; ++j) out[j] = 0;
      return;
    }
    // The steps to finish a kind, kept by its cells: the boards of one
    // search share most of them.
    FinishMemo& memo = finishes[(static_cast<uint64_t>(cellsOfKind ^ (cellsOfKind >> 64)) * 0x9E3779B97F4A7C15ull) >> 52];
    if (memo.Cells != cellsOfKind) {
      memo.Cells = cellsOfKind;
      memo.Steps = KindDistance(cellsOfKind, 0);
    }
    const int finish = memo.Steps;
    for (size_t m = 0; m < masks[kind].size(); ++m) distance[m] = KindDistance(cellsOfKind, masks[kind][m]);
    for (int j = 0; j <= targets; ++j) out[j] = std::min(finish, distance[at[j][kind]] + left[j][kind]);
  };
  auto fill = [&](const Masks& b) {
    std::fill(sums.begin(), sums.end(), 0);
    for (int k = 0; k < KINDS; ++k) {
      kindCosts(b.Of[k], k, &costs[k * windowSize]);
      for (int j = 0; j <= targets; ++j) sums[j] += costs[k * windowSize + j];
    }
  };
  // The moves left when the board rejoins path[j] with some kinds gone
  // already (-1: it does not).
  auto rejoin = [&](const Masks& b, int j) {
    int n = 0;
    for (int k = 0; k < KINDS; ++k) {
      if (b.Of[k] == 0) continue;
      if (b.Of[k] != path[j].Of[k]) return -1;
      n += left[j][k];
    }
    return n;
  };
  struct Node {
    Key Board;
    int32_t Parent;
    SolverMove Move;
    int G;
  };
  std::vector<Node> nodes;
  std::unordered_map<Key, int32_t, KeyHash> seen;
  struct Open {
    int F, H;
    int32_t Node;
    bool operator<(const Open& o) const {
      return F != o.F ? F > o.F : H != o.H ? H > o.H : Node > o.Node;
    }
  };
  std::priority_queue<Open> queue;
  fill(path[0]);
  {
    const int h0 = *std::min_element(sums.begin(), sums.end());
    nodes.push_back({Pack(path[0]), -1, {}, 0});
    seen[nodes[0].Board] = 0;
    queue.push({limits.Weight * h0, h0, 0});
  }
  std::vector<Child> children;
  int32_t goal = -1;
  int goalJoin = 0;
  int bestTotal = total;  // the solution's own moves from `from`
  int64_t expanded = 0;
  while (!queue.empty() && expanded < limits.States) {
    const Open top = queue.top();
    queue.pop();
    const Node node = nodes[top.Node];
    if (top.F - limits.Weight * top.H != node.G) continue;  // reached sooner since
    if (node.G + top.H >= bestTotal) continue;  // nothing shorter by it
    ++expanded;
    const Masks b = Unpack(node.Board);
    fill(b);
    Expand(b, children);
    for (const Child& c : children) {
      const int g = node.G + 1;
      kindCosts(c.Board.Of[c.Kind], c.Kind, own.data());
      int h = SHORTCUT_FAR;
      for (int j = 0; j <= targets; ++j) h = std::min(h, sums[j] - costs[c.Kind * windowSize + j] + own[j]);
      if (g + h >= bestTotal) continue;
      const Key key = Pack(c.Board);
      const auto [it, added] = seen.emplace(key, static_cast<int32_t>(nodes.size()));
      if (!added) {
        if (nodes[it->second].G <= g) continue;
        nodes[it->second].G = g;
        nodes[it->second].Parent = top.Node;
        nodes[it->second].Move = c.Move;
      } else {
        nodes.push_back({key, top.Node, c.Move, g});
      }
      queue.push({g + limits.Weight * h, h, it->second});
      for (int j = 0; j <= targets; ++j) {
        const int rest = rejoin(c.Board, j);
        if (rest >= 0 && g + rest < bestTotal) {
          bestTotal = g + rest;
          goal = it->second;
          goalJoin = j;
        }
      }
    }
  }
  used += expanded;
  if (goal < 0) return false;
  std::vector<SolverMove> way;
  for (int32_t at = goal; nodes[at].Parent >= 0; at = nodes[at].Parent) way.push_back(nodes[at].Move);
  std::reverse(way.begin(), way.end());
  const Masks joined = Unpack(nodes[goal].Board);
  std::vector<SolverMove> shorter(moves.begin(), moves.begin() + static_cast<std::ptrdiff_t>(from));
  shorter.insert(shorter.end(), way.begin(), way.end());
  // The rest of the solution without the moves of the kinds gone.
  for (int p = goalJoin; p < total; ++p) {
    if (joined.Of[kindOf[p]] != 0) shorter.push_back(moves[from + static_cast<size_t>(p)]);
  }
  KindCells check = board;
  for (const SolverMove& m : shorter) check = ApplyMove(check, m);
  if (!BoardEmpty(check) || shorter.size() >= moves.size()) return false;
  moves.swap(shorter);
  return true;
}


std::vector<SolverMove> OpenMoves(const KindCells& board) {
  std::vector<Child> children;
  Expand(MasksOf(board), children);
  std::vector<SolverMove> moves;
  for (const Child& c : children) moves.push_back(c.Move);
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
  };
  struct Open {
    int32_t F, H, Node;
    bool operator<(const Open& o) const { return F != o.F ? F > o.F : H > o.H; }
  };
  static Open MakeOpen(int f, int h, int32_t node) { return Open{f, h, node}; }
  std::vector<Node> Nodes;
  std::vector<int32_t> Table;  // open addressing: node index + 1, 0 empty
  std::priority_queue<Open> Queue;
  std::vector<Child> Children;
  SolverBudget Budget;
  // The boards of a known solution (the step each comes before), and the
  // best way found onto one of them sooner than that solution comes there:
  // the board it left from, its move, the step it joins at and the length
  // of the whole way.
  std::unordered_map<Key, int, KeyHash> Known;
  // The boards of a solution from another board (the step each comes
  // before): reaching one ends the search.
  std::unordered_map<Key, int, KeyHash> Goals;
  int GoalStep(const Key& board) const {
    if (Goals.empty()) return -1;
    const auto on = Goals.find(board);
    return on == Goals.end() ? -1 : on->second;
  }
  int KnownLength = 0;
  int32_t SpliceFrom = -1;
  SolverMove SpliceMove;
  int SpliceJoin = 0;
  int SpliceLength = INT32_MAX;
  void NoteSplice(int32_t from, const Key& board, const SolverMove& move) {
    if (Known.empty()) return;
    const auto on = Known.find(board);
    if (on == Known.end()) return;
    const int length = Nodes[from].Steps + 1 + KnownLength - on->second;
    if (length >= SpliceLength) return;
    SpliceLength = length;
    SpliceFrom = from;
    SpliceMove = move;
    SpliceJoin = on->second;
  }
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
        Nodes.push_back(Node{key, -1, 0, -1, 0});
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
  bool Contains(const Key& key) const {
    if (Table.empty()) return false;
    const size_t mask = Table.size() - 1;
    for (size_t i = Hash(key) & mask; Table[i] != 0; i = (i + 1) & mask) {
      if (Nodes[Table[i] - 1].Board == key) return true;
    }
    return false;
  }

  // The beam: the boards of the layer being expanded, and the boards one
  // step further found so far, each once.
  struct Candidate {
    Key Board;
    int32_t Parent;
    int8_t Cell;
    int8_t Dir;
    int16_t H;
  };
  std::vector<int32_t> Layer;
  size_t LayerAt = 0;
  std::vector<Candidate> Next;
  std::vector<int32_t> NextTable;  // open addressing: candidate index + 1
  bool Cut = false;                // a layer lost boards to the beam's width
  int BestH = INT32_MAX;           // the lowest estimate a layer held so far
  int Stalled = 0;                 // layers since it last went down

  // False when the board is already a candidate of the next layer.
  bool AddCandidate(const Candidate& c) {
    if ((Next.size() + 1) * 2 > NextTable.size()) {
      NextTable.assign(std::max<size_t>(NextTable.size() * 2, 1 << 12), 0);
      const size_t mask = NextTable.size() - 1;
      for (size_t n = 0; n < Next.size(); ++n) {
        size_t i = Hash(Next[n].Board) & mask;
        while (NextTable[i] != 0) i = (i + 1) & mask;
        NextTable[i] = static_cast<int32_t>(n) + 1;
      }
    }
    const size_t mask = NextTable.size() - 1;
    for (size_t i = Hash(c.Board) & mask;; i = (i + 1) & mask) {
      if (NextTable[i] == 0) {
        NextTable[i] = static_cast<int32_t>(Next.size()) + 1;
        Next.push_back(c);
        return true;
      }
      if (Next[NextTable[i] - 1].Board == c.Board) return false;
    }
  }
  // Keeps the best of the next layer (lowest estimate, the first found on a
  // tie) as the layer to expand.
  void NextLayer(int width) {
    std::vector<int32_t> order(Next.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(i);
    auto better = [this](int32_t a, int32_t b) { return Next[a].H != Next[b].H ? Next[a].H < Next[b].H : a < b; };
    std::sort(order.begin(), order.end(), better);
    // At most a few children of each board: a layer filled with the
    // variations of one board leads into the same dead end as a whole.
    std::unordered_map<int32_t, int> kept;
    size_t keep = 0;
    for (int32_t i : order) {
      if (keep == static_cast<size_t>(width) || ++kept[Next[i].Parent] > BEAM_CHILDREN) {
        Cut = true;
        continue;
      }
      order[keep++] = i;
    }
    order.resize(keep);
    Layer.clear();
    LayerAt = 0;
    if (!order.empty() && Next[order.front()].H < BestH) {
      BestH = Next[order.front()].H;
      Stalled = 0;
    } else {
      ++Stalled;
    }
    for (int32_t i : order) {
      const Candidate& c = Next[i];
      bool added = false;
      const int32_t node = Find(c.Board, added);
      if (!added) continue;
      Nodes[node].Parent = c.Parent;
      Nodes[node].Cell = c.Cell;
      Nodes[node].Dir = c.Dir;
      Nodes[node].Steps = static_cast<int16_t>(Nodes[c.Parent].Steps + 1);
      Layer.push_back(node);
    }
    Next.clear();
    std::fill(NextTable.begin(), NextTable.end(), 0);
  }

  int64_t Bytes() const {
    return static_cast<int64_t>(Nodes.capacity() * sizeof(Node) + Table.capacity() * sizeof(int32_t) +
                                Queue.size() * sizeof(Open) + Next.capacity() * sizeof(Candidate) +
                                NextTable.capacity() * sizeof(int32_t) + Layer.capacity() * sizeof(int32_t));
  }
};

T_SOLVER::T_SOLVER() = default;
T_SOLVER::~T_SOLVER() = default;

void T_SOLVER::SearchBestFirst() {
  Search& s = *S;
  // The nodes go: a way found onto the known solution becomes part of it.
  if (s.SpliceFrom >= 0) {
    std::vector<SolverMove> better = WayTo(s.SpliceFrom);
    better.push_back(s.SpliceMove);
    better.insert(better.end(), Reference.begin() + s.SpliceJoin, Reference.end());
    SetReference(better);
  }
  const Key start = s.Nodes[0].Board;
  s.Nodes.clear();
  s.Table.clear();
  s.Layer = {};
  s.Next = {};
  s.NextTable = {};
  s.Budget.Beam = 0;
  bool added = false;
  const int32_t root = s.Find(start, added);
  s.Queue.push(Search::MakeOpen(0, Estimate(Unpack(start)), root));
}

int64_t T_SOLVER::StatesStored() const { return S ? static_cast<int64_t>(S->Nodes.size()) : 0; }

void T_SOLVER::Start(const KindCells& board, SolverBudget budget) {
  S = std::make_unique<Search>();
  S->Budget = budget;
  Budget = budget;
  Shortener.reset();
  Refiner.reset();
  Shortcuts.reset();
  Refined = false;
  Reference.clear();
  GoalMoves.clear();
  Moves.clear();
  Expanded = 0;
  Peak = 0;
  Branching = 0;
  StatusNow = SolveStatus::Searching;
  bool added = false;
  const Masks start = MasksOf(board);
  StartBoard = CellsOf(start);
  const int32_t root = S->Find(Pack(start), added);
  if (budget.Beam > 0) {
    S->Layer.push_back(root);
  } else {
    S->Queue.push(Search::MakeOpen(0, Estimate(start), root));
  }
}

static int8_t DirOf(const SolverMove& m) {
  for (int d = 0; d < 4; ++d) {
    if (m.Dx == STEP_DX[d] && m.Dy == STEP_DY[d] && (m.Dx != 0 || m.Dy != 0)) return static_cast<int8_t>(d);
  }
  return PRESS;
}

void T_SOLVER::RunBeam(int64_t states) {
  Search& s = *S;
  const std::clock_t sliceStart = std::clock();
  for (int64_t done = 0; done < states && StatusNow == SolveStatus::Searching && !Shortener; ++done) {
    if (Expanded >= s.Budget.MaxStates ||
        ((Expanded & 255) == 0 &&
         (s.Spent + std::clock() - sliceStart) * 1000 / CLOCKS_PER_SEC > s.Budget.MaxMilliseconds)) {
      GiveUp(SolveStatus::GaveUp);
      break;
    }
    if (s.LayerAt == s.Layer.size()) {
      s.NextLayer(s.Budget.Beam);
      Peak = std::max(Peak, s.Bytes());
      if (s.Layer.empty() && !s.Cut) GiveUp(SolveStatus::NoSolution);  // proved: nothing was left out
      else if (s.Layer.empty() || s.Stalled > BEAM_PATIENCE) {
        // Every board the beam kept leads nowhere, or its boards have
        // not come closer for many layers: go on with the best-first
        // search, which can come back from dead ends.
        SearchBestFirst();
        break;
      }
      continue;
    }
    const int32_t at = s.Layer[s.LayerAt++];
    const Masks board = Unpack(s.Nodes[at].Board);
    if (board.Occupied() == 0) {
      Finish(at);  // only an empty start board comes here
      break;
    }
    ++Expanded;
    const CellMask occupied = board.Occupied();
    int kindEstimate[KINDS], h0 = 0;
    for (int kind = 0; kind < KINDS; ++kind) h0 += kindEstimate[kind] = EstimateKind(board.Of[kind], occupied);
    Expand(board, s.Children);
    for (const Child& c : s.Children) {
      const Key key = Pack(c.Board);
      if (s.Contains(key)) continue;
      if (const int join = s.GoalStep(key); join >= 0) {
        Join(at, c.Move, join);
        break;
      }
      const int h = h0 - kindEstimate[c.Kind] + EstimateKind(c.Board.Of[c.Kind], occupied);
      const Search::Candidate candidate{key, at, static_cast<int8_t>(c.Move.Cell), DirOf(c.Move),
                                        static_cast<int16_t>(h)};
      if (!s.AddCandidate(candidate)) continue;
      s.NoteSplice(at, key, c.Move);
      if (c.Board.Occupied() == 0) {
        bool added = false;
        const int32_t goal = s.Find(key, added);
        s.Nodes[goal].Parent = at;
        s.Nodes[goal].Cell = candidate.Cell;
        s.Nodes[goal].Dir = candidate.Dir;
        Finish(goal);
        break;
      }
    }
  }
  Peak = std::max(Peak, s.Bytes());
  s.Spent += std::clock() - sliceStart;
  if (StatusNow != SolveStatus::Searching || Shortener) S.reset();
}


SolveStatus T_SOLVER::Run(int64_t states) {
  if (StatusNow == SolveStatus::Searching && S) RunSearch(states);
  // The solution found is shortened in slices too, then its tails are
  // searched again, and a better one is shortened once more.
  const int64_t trials = states > INT64_MAX / SHORTEN_TRIALS_PER_STATE ? INT64_MAX : states * SHORTEN_TRIALS_PER_STATE;
  while (Shortener || Refiner || Shortcuts) {
    if (Shortener) {
      if (!Shortener->Run(trials)) break;
      Moves = Shortener->Moves();
      Shortener.reset();
      if (!Refined && Budget.RefineStates > 0 && !Moves.empty()) {
        Refined = true;
        Refiner = std::make_unique<T_REFINER>();
        Refiner->Start(StartBoard, Moves, Budget);
      } else {
        RefiningDone();
      }
    } else if (Shortcuts) {
      if (!Shortcuts->Run(states)) break;
      if (Shortcuts->Moves().size() < Moves.size()) Moves = Shortcuts->Moves();
      Expanded += Shortcuts->StatesUsed();
      Shortcuts.reset();
      Complete();
    } else {
      if (!Refiner->Run(states)) break;
      const bool shorter = Refiner->Moves().size() < Moves.size();
      if (shorter) Moves = Refiner->Moves();
      Expanded += Refiner->StatesUsed();
      Refiner.reset();
      if (shorter) {
        Shortener = std::make_unique<T_SHORTENER>();
        Shortener->Start(StartBoard, Moves);
      } else {
        RefiningDone();
      }
    }
  }
  return StatusNow;
}

void T_SOLVER::RunSearch(int64_t states) {
  if (S->Budget.Beam > 0) {
    RunBeam(states);
    if (StatusNow != SolveStatus::Searching || Shortener || S->Budget.Beam > 0) return;
  }
  Search& s = *S;
  const std::clock_t sliceStart = std::clock();
  for (int64_t done = 0; done < states; ++done) {
    if (s.Queue.empty()) {
      GiveUp(SolveStatus::NoSolution);
      break;
    }
    if (Expanded >= s.Budget.MaxStates ||
        ((Expanded & 255) == 0 &&
         (s.Spent + std::clock() - sliceStart) * 1000 / CLOCKS_PER_SEC > s.Budget.MaxMilliseconds)) {
      GiveUp(SolveStatus::GaveUp);
      break;
    }
    const int32_t at = s.Queue.top().Node;
    s.Queue.pop();
    const Masks board = Unpack(s.Nodes[at].Board);
    if (board.Occupied() == 0) {
      Finish(at);
      break;
    }
    ++Expanded;
    const int16_t steps = static_cast<int16_t>(s.Nodes[at].Steps + 1);
    // Only the kind that moved changes its estimate.
    const CellMask occupied = board.Occupied();
    int kindEstimate[KINDS], h0 = 0;
    for (int kind = 0; kind < KINDS; ++kind) h0 += kindEstimate[kind] = EstimateKind(board.Of[kind], occupied);
    Expand(board, s.Children);
    bool joined = false;
    for (const Child& c : s.Children) {
      bool added = false;
      const Key key = Pack(c.Board);
      if (const int join = s.GoalStep(key); join >= 0) {
        Join(at, c.Move, join);
        joined = true;
        break;
      }
      s.NoteSplice(at, key, c.Move);
      const int32_t child = s.Find(key, added);
      if (!added) continue;
      Search::Node& node = s.Nodes[child];
      node.Parent = at;
      node.Cell = static_cast<int8_t>(c.Move.Cell);
      node.Dir = PRESS;
      for (int d = 0; d < 4; ++d) {
        if (c.Move.Dx == STEP_DX[d] && c.Move.Dy == STEP_DY[d] && (c.Move.Dx != 0 || c.Move.Dy != 0)) {
          node.Dir = static_cast<int8_t>(d);
        }
      }
      node.Steps = steps;
      const int h = h0 - kindEstimate[c.Kind] + EstimateKind(c.Board.Of[c.Kind], c.Board.Occupied());
      s.Queue.push(Search::MakeOpen(steps + s.Budget.Weight * h, h, child));
    }
    if (joined) break;
    if ((Expanded & 1023) == 0) Peak = std::max(Peak, s.Bytes());
  }
  Peak = std::max(Peak, s.Bytes());
  s.Spent += std::clock() - sliceStart;
  if (StatusNow != SolveStatus::Searching || Shortener) S.reset();
}

void T_SOLVER::SetReference(const std::vector<SolverMove>& moves) {
  if (!S) return;
  Reference = moves;
  S->Known.clear();
  S->KnownLength = static_cast<int>(moves.size());
  S->SpliceFrom = -1;
  S->SpliceLength = S->KnownLength;
  KindCells board = StartBoard;
  for (size_t k = 0; k < moves.size(); ++k) {
    S->Known[Pack(MasksOf(board))] = static_cast<int>(k);  // a board met twice: its later step
    board = ApplyMove(board, moves[k]);
  }
}

void T_SOLVER::SetGoalPath(const std::vector<KindCells>& boards, const std::vector<SolverMove>& moves) {
  if (!S) return;
  GoalMoves = moves;
  S->Goals.clear();
  for (size_t k = 0; k < boards.size() && k < moves.size(); ++k) {
    S->Goals[Pack(MasksOf(boards[k]))] = static_cast<int>(k);  // a board met twice: its later step
  }
}

std::vector<SolverMove> T_SOLVER::WayTo(int32_t node) const {
  std::vector<SolverMove> way;
  for (int32_t at = node; S->Nodes[at].Parent >= 0; at = S->Nodes[at].Parent) {
    const Search::Node& n = S->Nodes[at];
    SolverMove m{n.Cell, 0, 0};
    if (n.Dir != PRESS) {
      m.Dx = STEP_DX[n.Dir];
      m.Dy = STEP_DY[n.Dir];
    }
    way.push_back(m);
  }
  std::reverse(way.begin(), way.end());
  return way;
}

void T_SOLVER::GiveUp(SolveStatus status) {
  if (Reference.empty()) {
    StatusNow = status;
    return;
  }
  Finish(-1);  // the known solution, or a better way by it
}

void T_SOLVER::Finish(int32_t goal) {
  Search& s = *S;
  if (goal >= 0) Moves = WayTo(goal);
  if (!Reference.empty() && (goal < 0 || s.SpliceLength < static_cast<int>(Moves.size()))) {
    if (s.SpliceFrom >= 0) {
      Moves = WayTo(s.SpliceFrom);
      Moves.push_back(s.SpliceMove);
      Moves.insert(Moves.end(), Reference.begin() + s.SpliceJoin, Reference.end());
    } else if (goal < 0 || Reference.size() < Moves.size()) {
      Moves = Reference;
    }
  }
  Conclude();
}

void T_SOLVER::Join(int32_t node, const SolverMove& move, int join) {
  Moves = WayTo(node);
  Moves.push_back(move);
  Moves.insert(Moves.end(), GoalMoves.begin() + join, GoalMoves.end());
  Conclude();
}

void T_SOLVER::Conclude() {
  if (Budget.Shorten) {
    Shortener = std::make_unique<T_SHORTENER>();
    Shortener->Start(StartBoard, Moves);
    return;
  }
  Complete();
}

void T_SOLVER::RefiningDone() {
  if (Budget.ShortcutStates > 0 && !Moves.empty()) {
    Shortcuts = std::make_unique<T_SHORTCUTS>();
    ShortcutLimits limits;
    limits.States = Budget.ShortcutStates;
    Shortcuts->Start(StartBoard, Moves, limits);
    return;
  }
  Complete();
}

void T_SOLVER::Complete() {
  // The branching along the way: how many moves each board on it offered.
  KindCells board = StartBoard;
  int64_t open = 0;
  for (const SolverMove& m : Moves) {
    open += static_cast<int64_t>(OpenMoves(board).size());
    board = ApplyMove(board, m);
  }
  Branching = Moves.empty() ? 0.0 : static_cast<double>(open) / static_cast<double>(Moves.size());
  StatusNow = SolveStatus::Solved;
}
