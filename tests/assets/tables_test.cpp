// The shape table and the level bank hold what the shaping rule gives.
#include <gtest/gtest.h>

#include <array>

#include "tests/assets/asset_files.h"

namespace {

using Frames = std::array<int, 4>;

// Frame of each quarter indexed by vertical * 4 + horizontal * 2 + diagonal
// neighbour matching; with neither orthogonal neighbour the diagonal is
// ignored. Quarters clockwise from the top-left.
const int QUARTER_FRAMES[4][8] = {
    {20, 20, 0, 9, 16, 14, 7, 24},
    {21, 21, 1, 6, 17, 15, 8, 25},
    {23, 23, 3, 10, 19, 5, 12, 27},
    {22, 22, 2, 13, 18, 4, 11, 26},
};
// Neighbour bits (N = 0, clockwise) each quarter looks at: vertical,
// horizontal, diagonal.
const int QUARTER_BITS[4][3] = {{0, 6, 7}, {0, 2, 1}, {4, 2, 3}, {4, 6, 5}};

Frames RuleFrames(int mask) {
  Frames frames{};
  for (int q = 0; q < 4; q++) {
    const int v = (mask >> QUARTER_BITS[q][0]) & 1;
    const int h = (mask >> QUARTER_BITS[q][1]) & 1;
    const int d = (mask >> QUARTER_BITS[q][2]) & 1;
    frames[q] = QUARTER_FRAMES[q][v * 4 + h * 2 + d];
  }
  return frames;
}

struct Level {
  int Id;
  int Pieces;
  const char* Rows[8];
};

const Level LEVELS[5] = {
    {24, 34,
     {". . 3 6 5 . . . . .", ". . 5 . 6 3 3 . 1 .", "1 1 . . . 3 . . 2 .", ". 4 2 1 1 . 3 4 2 .",
      ". 6 6 4 1 . . 4 . .", ". . 4 . . 6 . . . .", "5 . 5 . 2 . . . . .", ". 2 . 2 6 . 5 3 . ."}},
    {126, 50,
     {"6 . 3 5 1 5 1 5 . .", "1 5 2 2 1 1 5 4 . .", "3 6 6 3 4 3 3 . 2 4", "6 . 5 . . 4 4 4 . 2",
      ". . 6 . . 1 4 6 . .", "3 . . 4 6 2 . 3 5 .", "2 . . 3 6 . . 1 . .", "4 . . . . 2 2 5 1 2"}},
    {199, 60,
     {"3 4 3 1 . . 3 3 . .", "3 . . 3 6 1 1 . 1 .", "3 4 6 1 5 . 6 6 5 1", "5 5 . 1 6 5 6 4 6 5",
      "1 4 6 5 3 5 4 1 5 .", "3 . 4 1 6 5 4 6 3 .", "1 . 1 . . 4 4 3 4 4", ". 4 5 . . 3 6 . 6 5"}},
    {407, 70,
     {"3 4 5 6 6 5 3 5 5 6", "4 6 4 6 6 6 6 4 6 3", "5 5 . 4 4 4 5 3 3 .", "5 5 . 6 6 3 3 3 4 .",
      ". 4 5 . 4 6 5 6 4 3", "3 5 6 6 3 4 3 5 3 .", "4 . 3 4 6 3 5 3 5 4", "3 . 4 . 4 5 3 5 4 6"}},
    {271, 65,
     {"4 1 4 1 1 1 3 . 1 5", "5 1 . . . 1 4 5 . 5", "1 4 5 5 5 . . 4 3 3", "5 3 5 4 1 1 3 3 4 4",
      ". 5 . 1 4 4 4 1 1 4", "3 3 . 1 3 4 3 3 . .", "5 3 . 4 4 5 . 3 4 5", "5 1 5 3 3 3 4 1 5 ."}},
};

int CellOf(const Level& level, int x, int y) {
  const char c = level.Rows[y][2 * x];
  return c == '.' ? 0 : c - '0';
}

int MaskOf(const Level& level, int x, int y) {
  static const int DX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  static const int DY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  int mask = 0;
  for (int bit = 0; bit < 8; bit++) {
    const int nx = x + DX[bit], ny = y + DY[bit];
    if (nx >= 0 && nx < 10 && ny >= 0 && ny < 8 && CellOf(level, nx, ny) == CellOf(level, x, y)) mask |= 1 << bit;
  }
  return mask;
}

int Byte(const std::string& bytes, size_t at) { return static_cast<uint8_t>(bytes[at]); }

}  // namespace

TEST(ShapeTableFile, HoldsTheRuleForAllMasks) {
  const std::string table = MemberFile("Data/TabFrame3.bin");
  ASSERT_EQ(table.size(), 1024u);
  for (int mask = 0; mask < 256; mask++) {
    const Frames expected = RuleFrames(mask);
    for (int q = 0; q < 4; q++) EXPECT_EQ(Byte(table, 4 * mask + q), expected[q]) << "mask " << mask << " quarter " << q;
  }
}

TEST(ShapeTableFile, KnownShapes) {
  const std::string table = MemberFile("Data/TabFrame3.bin");
  ASSERT_EQ(table.size(), 1024u);
  auto entry = [&](int mask) {
    return Frames{Byte(table, 4 * mask), Byte(table, 4 * mask + 1), Byte(table, 4 * mask + 2), Byte(table, 4 * mask + 3)};
  };
  EXPECT_EQ(entry(0), (Frames{20, 21, 23, 22}));    // a lone block
  EXPECT_EQ(entry(255), (Frames{24, 25, 27, 26}));  // surrounded
  EXPECT_EQ(entry(5), (Frames{16, 8, 3, 22}));      // north and east
  EXPECT_EQ(entry(20), (Frames{20, 1, 12, 18}));    // east and south, no south-east
  EXPECT_EQ(entry(2), (Frames{20, 21, 23, 22}));    // a diagonal alone does not join
  EXPECT_EQ(entry(28), (Frames{20, 1, 27, 18}));    // top-left of a 2 x 2 square
}

TEST(LevelBankFile, FiveRecordsWithIdsAndEmptyLinks) {
  const std::string bank = MemberFile("Data/lite2.lvl");
  ASSERT_EQ(bank.size(), 2020u);
  for (int n = 0; n < 5; n++) {
    const size_t base = 404 * n;
    EXPECT_EQ(Byte(bank, base) | (Byte(bank, base + 1) << 8), LEVELS[n].Id) << "level " << n;
    EXPECT_EQ(Byte(bank, base + 2) | (Byte(bank, base + 3) << 8), 0) << "record link of level " << n;
  }
}

TEST(LevelBankFile, CellGridsAreThePrintedLevels) {
  const std::string bank = MemberFile("Data/lite2.lvl");
  ASSERT_EQ(bank.size(), 2020u);
  for (int n = 0; n < 5; n++) {
    int pieces = 0;
    for (int y = 0; y < 8; y++)
      for (int x = 0; x < 10; x++) {
        const int cell = Byte(bank, 404 * n + 4 + 10 * y + x);
        EXPECT_EQ(cell, CellOf(LEVELS[n], x, y)) << "level " << n << " cell " << x << "," << y;
        pieces += cell != 0;
      }
    EXPECT_EQ(pieces, LEVELS[n].Pieces) << "level " << n;
  }
}

TEST(LevelBankFile, FrameBytesFollowTheShapeOfEachGrid) {
  const std::string bank = MemberFile("Data/lite2.lvl");
  ASSERT_EQ(bank.size(), 2020u);
  for (int n = 0; n < 5; n++)
    for (int y = 0; y < 8; y++)
      for (int x = 0; x < 10; x++) {
        const Frames expected = CellOf(LEVELS[n], x, y) == 0 ? Frames{0, 0, 0, 0} : RuleFrames(MaskOf(LEVELS[n], x, y));
        for (int q = 0; q < 4; q++)
          EXPECT_EQ(Byte(bank, 404 * n + 84 + 4 * (10 * y + x) + q), expected[q])
              << "level " << n << " cell " << x << "," << y << " quarter " << q;
      }
  // Two cells of the first level, worked out by hand.
  auto frames = [&](int x, int y) {
    const size_t at = 84 + 4 * (10 * y + x);
    return Frames{Byte(bank, at), Byte(bank, at + 1), Byte(bank, at + 2), Byte(bank, at + 3)};
  };
  EXPECT_EQ(frames(5, 1), (Frames{20, 1, 12, 18}));
  EXPECT_EQ(frames(6, 1), (Frames{0, 21, 23, 13}));
}
