#include "tests/support/level_solver.h"

#include <algorithm>
#include <deque>
#include <map>

namespace test_support {

namespace {

const int DX[4] = {1, 0, -1, 0};
const int DY[4] = {0, 1, 0, -1};

}  // namespace

std::vector<Shape> ShapesOf(const Cells& g, int colour) {
  std::vector<Shape> shapes;
  std::array<bool, 80> seen{};
  for (int i = 0; i < 80; ++i) {
    if (g[i] != colour || seen[i]) continue;
    Shape shape;
    std::vector<int> stack{i};
    seen[i] = true;
    while (!stack.empty()) {
      const int j = stack.back();
      stack.pop_back();
      shape.push_back(j);
      for (int d = 0; d < 4; ++d) {
        const int x = j % 10 + DX[d], y = j / 10 + DY[d];
        if (x < 0 || x > 9 || y < 0 || y > 7) continue;
        const int k = y * 10 + x;
        if (g[k] == colour && !seen[k]) {
          seen[k] = true;
          stack.push_back(k);
        }
      }
    }
    std::sort(shape.begin(), shape.end());
    shapes.push_back(shape);
  }
  return shapes;
}

namespace {

void RemoveColour(Cells& g, int colour) {
  for (int& c : g) c = c == colour ? 0 : c;
}

// One step of a shape: refused at the edges and on any cell held outside
// the shape; a colour that ends up as one shape leaves the board.
std::optional<Cells> Step(const Cells& g, const Shape& shape, int dx, int dy) {
  const int colour = g[shape[0]];
  Cells next = g;
  for (int j : shape) next[j] = 0;
  for (int j : shape) {
    const int x = j % 10 + dx, y = j / 10 + dy;
    if (x < 0 || x > 9 || y < 0 || y > 7) return std::nullopt;
    const int k = y * 10 + x;
    if (g[k] != 0 && !std::binary_search(shape.begin(), shape.end(), k)) return std::nullopt;
    next[k] = colour;
  }
  if (ShapesOf(next, colour).size() == 1) RemoveColour(next, colour);
  return next;
}

// Breadth-first search over the places of one shape, the rest of the board
// standing still, until the shape joins another shape of its colour.
std::optional<std::vector<Move>> PathToMerge(const Cells& g, const Shape& start) {
  const int colour = g[start[0]];
  struct Node {
    Cells Board;
    Shape Where;
  };
  std::map<Shape, std::pair<Shape, Move>> from;
  from[start] = {Shape{}, Move{-1, 0, 0}};
  std::deque<Node> queue{{g, start}};
  while (!queue.empty()) {
    const Node node = queue.front();
    queue.pop_front();
    for (int d = 0; d < 4; ++d) {
      std::optional<Cells> next = Step(node.Board, node.Where, DX[d], DY[d]);
      if (!next) continue;
      Shape moved;
      for (int j : node.Where) moved.push_back(j + DY[d] * 10 + DX[d]);
      if (from.count(moved)) continue;
      from[moved] = {node.Where, Move{node.Where[0], DX[d], DY[d]}};
      bool merged = (*next)[moved[0]] != colour;  // the colour exploded
      for (const Shape& s : ShapesOf(*next, colour)) {
        if (std::binary_search(s.begin(), s.end(), moved[0])) merged = merged || s.size() > moved.size();
      }
      if (merged) {
        std::vector<Move> path;
        for (Shape at = moved; at != start; at = from[at].first) path.push_back(from[at].second);
        std::reverse(path.begin(), path.end());
        return path;
      }
      queue.push_back({*next, moved});
    }
  }
  return std::nullopt;
}

}  // namespace

Cells Apply(Cells g, const Move& m) {
  const int colour = g[m.Cell];
  for (const Shape& s : ShapesOf(g, colour)) {
    if (!std::binary_search(s.begin(), s.end(), m.Cell)) continue;
    if (m.Dx == 0 && m.Dy == 0) {
      RemoveColour(g, colour);
      return g;
    }
    return *Step(g, s, m.Dx, m.Dy);
  }
  return g;
}

// Greedy: always the shortest way for any shape to join another of its
// colour; a colour already in one shape is grabbed and explodes.
std::vector<Move> Solve(Cells g) {
  std::vector<Move> solution;
  while (std::any_of(g.begin(), g.end(), [](int c) { return c != 0; })) {
    std::optional<std::vector<Move>> best;
    for (int colour = 1; colour <= 6; ++colour) {
      const std::vector<Shape> shapes = ShapesOf(g, colour);
      if (shapes.size() == 1) best = std::vector<Move>{{shapes[0][0], 0, 0}};
      for (const Shape& shape : shapes.size() > 1 ? shapes : std::vector<Shape>{}) {
        auto path = PathToMerge(g, shape);
        if (path && (!best || path->size() < best->size())) best = path;
      }
      if (best && best->size() == 1 && (*best)[0].Dx == 0 && (*best)[0].Dy == 0) break;
    }
    if (!best) return {};
    for (const Move& m : *best) {
      g = Apply(g, m);
      solution.push_back(m);
    }
  }
  return solution;
}


}  // namespace test_support
