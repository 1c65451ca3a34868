// A whole level played through the real input path: the program starts, and
// every move is a press, a pointer move and a release injected frame by
// frame. The moves come from a small solver of the test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "app/display.h"
#include "app/main_loop.h"
#include "app/paths.h"
#include "app/settings.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"

namespace fs = std::filesystem;

namespace {

// ---------------------------------------------------------------- solver
// Cells hold 0 for empty or colour + 1, row-major.
using Cells = std::array<int, 80>;
using Shape = std::vector<int>;  // sorted cell indices

struct Move {
  int Cell;    // a cell of the shape to press
  int Dx, Dy;  // (0, 0): press and hold a shape whose colour is complete
};

const int DX[4] = {1, 0, -1, 0};
const int DY[4] = {0, 1, 0, -1};

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

// ------------------------------------------------------------ the program
class Playthrough : public HeadlessGameTest {
 protected:
  void Frames(int count) { ASSERT_TRUE(HeadlessGameTest::Frames(count)); }
  void PointerToCell(int cell) {
    media_test::InjectPointerMove(ScreenOffsetX + (cell % 10) * BlockSize + BlockSize / 2,
                                  ScreenOffsetY + (cell / 10) * BlockSize + BlockSize / 2);
  }
  void PressEnter() { ASSERT_TRUE(PressKey(KEY_ENTER)); }
  // Press on the shape, move the pointer one cell, release; after a colour
  // completes, wait until its blocks have vanished.
  void Play(const Move& m) {
    const size_t before = Blocks.size();
    PointerToCell(m.Cell);
    media_test::InjectButtonDown(BUTTON_LEFT);
    Frames(1);
    PointerToCell(m.Cell + m.Dy * 10 + m.Dx);
    Frames(1);
    media_test::InjectButtonUp(BUTTON_LEFT);
    Frames(1);
    if (std::any_of(Blocks.begin(), Blocks.end(), [](const auto& b) { return b->Timer != 0; })) Frames(25);
    ASSERT_LE(Blocks.size(), before);
  }
  static Cells LevelCells(int level) {
    Cells g{};
    for (int i = 0; i < 80; ++i) g[i] = LevelCellByte(level, i % 10, i / 10);
    return g;
  }
  static Cells BoardCells() {
    Cells g{};
    for (const auto& b : Blocks) g[b->YMap * 10 + b->XMap] = b->Kind + 1;
    return g;
  }
  std::vector<uint8_t> FileBytes(const std::string& name) const {
    std::ifstream in(Home / "pLiMo" / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(Playthrough, TheSolverFindsAWayThroughTheFirstLevel) {
  Start();
  const Cells start = LevelCells(0);
  const std::vector<Move> solution = Solve(start);
  ASSERT_FALSE(solution.empty());
  Cells g = start;
  for (const Move& m : solution) g = Apply(g, m);
  EXPECT_EQ(g, Cells{});
  Shutdown();
}

TEST_F(Playthrough, AWholeLevelFromTheFirstEnterToTheWin) {
  Start();
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Frames(2);
  const int enterClock = Clock + 16;
  PressEnter();
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  ASSERT_EQ(CurrentLevel, 0);
  ASSERT_EQ(BoardCells(), LevelCells(0));

  const std::vector<Move> solution = Solve(LevelCells(0));
  ASSERT_FALSE(solution.empty());
  int steps = 0;
  Cells expected = LevelCells(0);
  for (const Move& m : solution) {
    Play(m);
    expected = Apply(expected, m);
    ASSERT_EQ(BoardCells(), expected) << "after move " << steps;
    if (m.Dx != 0 || m.Dy != 0) ++steps;
    ASSERT_EQ(UndoRecordCount, steps + 1);
  }
  ASSERT_TRUE(Blocks.empty());
  for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) Frames(1);
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);

  const int seconds = (Clock - enterClock) / 1000;
  const std::vector<uint8_t> expectedScores = {
      1, 0, 0, 0, 24, 0, static_cast<uint8_t>(steps), static_cast<uint8_t>(steps >> 8),
      static_cast<uint8_t>(seconds), static_cast<uint8_t>(seconds >> 8), 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(FileBytes("pLiMo_Best_Scores.bin"), expectedScores);
  EXPECT_FALSE(fs::exists(Home / "pLiMo" / "pLiMo_Undo.bin"));
  EXPECT_EQ(UndoRecordCount, 0);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
  Shutdown();
}

TEST_F(Playthrough, AfterARestartOfTheProgramEnterBringsBackTheLastBoard) {
  Start();
  PressEnter();
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  const std::vector<Move> solution = Solve(LevelCells(0));
  ASSERT_GE(solution.size(), 3u);
  for (int i = 0; i < 3; ++i) Play(solution[i]);
  const Cells board = BoardCells();
  ASSERT_NE(board, LevelCells(0));
  Shutdown();

  Start();
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_EQ(UndoRecordCount, 4);
  PressEnter();
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(BoardCells(), board);
  EXPECT_EQ(UndoRecordCount, 4);

  // The history came along: three undos lead back to the level's start.
  for (int i = 0; i < 3; ++i) {
    media_test::InjectTypedChar('u');
    Frames(1);
  }
  EXPECT_EQ(BoardCells(), LevelCells(0));
  EXPECT_EQ(UndoRecordCount, 1);
  Shutdown();
}

}  // namespace
