// A clean board for each test: empty lists and grids, the 96-pixel layout,
// identity colour styles, shadows and particles on and a fixed clock.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/settings.h"
#include "board/block.h"
#include "board/shape_table.h"
#include "board/tile_styles.h"
#include "effects/effects.h"
#include "play/play_input.h"

namespace board_test {

// RuleFrames(mask): the frames of the four quarters for a neighbour mask,
// worked out from the joining rule itself rather than read from the table
// file. GridMismatch(): every listed block stands in both grids on its cell
// and every other cell is empty; returns the first mismatch, "" when none.
// PlaceRows(rows): a digit d is a block of kind d, anything else an empty
// cell; the blocks are shaped afterwards.
inline std::vector<int> RuleFrames(int mask) {
  // Per quarter: vertical, horizontal and diagonal bit, then the frames for
  // neither, vertical only, vertical + diagonal, horizontal only,
  // horizontal + diagonal, both, both + diagonal.
  struct Quarter {
    int V, H, D;
    int F[7];
  };
  static const Quarter QUARTERS[4] = {
      {1, 64, 128, {20, 16, 14, 0, 9, 7, 24}},
      {1, 4, 2, {21, 17, 15, 1, 6, 8, 25}},
      {16, 4, 8, {23, 19, 5, 3, 10, 12, 27}},
      {16, 64, 32, {22, 18, 4, 2, 13, 11, 26}},
  };
  std::vector<int> out;
  for (const Quarter& q : QUARTERS) {
    const bool v = mask & q.V, h = mask & q.H, d = mask & q.D;
    int column;
    if (!v && !h) {
      column = 0;
    } else if (v && !h) {
      column = d ? 2 : 1;
    } else if (!v && h) {
      column = d ? 4 : 3;
    } else {
      column = d ? 6 : 5;
    }
    out.push_back(q.F[column]);
  }
  return out;
}

inline void FillShapeTableFromRule() {
  for (int m = 0; m < 256; m++) {
    const std::vector<int> f = RuleFrames(m);
    for (int q = 0; q < 4; q++) ShapeTable[m][q] = static_cast<uint8_t>(f[q]);
  }
}

inline std::string GridMismatch() {
  bool stood[10][8] = {};
  for (auto& b : Blocks) {
    const std::string at = "(" + std::to_string(b->XMap) + ", " + std::to_string(b->YMap) + ")";
    if (b->XMap < 0 || b->XMap > 9 || b->YMap < 0 || b->YMap > 7) return "block off the board at " + at;
    if (BlockGrid[b->XMap][b->YMap] != b.get()) return "block grid misses the block at " + at;
    if (KindGrid[b->XMap][b->YMap] != b->Kind) return "kind grid wrong at " + at;
    stood[b->XMap][b->YMap] = true;
  }
  for (int x = 0; x < 10; x++) {
    for (int y = 0; y < 8; y++) {
      if (stood[x][y]) continue;
      if (KindGrid[x][y] != -1 || BlockGrid[x][y] != nullptr) {
        return "empty cell not cleared at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      }
    }
  }
  return "";
}

inline void PlaceRows(const std::vector<std::string>& rows) {
  for (int y = 0; y < static_cast<int>(rows.size()); y++) {
    for (int x = 0; x < static_cast<int>(rows[y].size()); x++) {
      const char c = rows[y][x];
      if (c >= '0' && c <= '9') T_BLOCK::addBlock(x, y, c - '0');
    }
  }
  T_BLOCK::ShapeAllBlocks();
}

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearBoard();
    Fragments.clear();
    ClearBursts();
    BlockSize = 96;
    HalfCell = 48;
    ScreenWidth = 1024;
    ScreenHeight = 768;
    ScreenOffsetX = ScreenOffsetY = 0;
    ShadowsOn = true;
    ParticlesOn = true;
    ResetColourStyles();
    HoveredMenu = -1;
    ExitScrollOn = false;
    ExitScrollOffset = 0;
    Frame.Now = 100000;
    FillShapeTableFromRule();
  }
  void TearDown() override {
    ClearBoard();
    Fragments.clear();
    ClearBursts();
  }
};

}  // namespace board_test

#define EXPECT_GRIDS_CONSISTENT() EXPECT_EQ(board_test::GridMismatch(), "")
