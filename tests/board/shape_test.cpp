// The shape table file and the shaping of blocks from their neighbours.
#include <cstring>

#include "app/archive.h"
#include "media/media.h"
#include "media/media_test.h"
#include "tests/board/board_fixture.h"

namespace {

using board_test::BoardTest;
using board_test::RuleFrames;

std::vector<int> FramesOf(const T_BLOCK* b) { return {b->Frame[0], b->Frame[1], b->Frame[2], b->Frame[3]}; }

TEST(ShapeRule, WorkedExamples) {
  EXPECT_EQ(RuleFrames(0), (std::vector<int>{20, 21, 23, 22}));
  EXPECT_EQ(RuleFrames(255), (std::vector<int>{24, 25, 27, 26}));
  EXPECT_EQ(RuleFrames(5), (std::vector<int>{16, 8, 3, 22}));
  EXPECT_EQ(RuleFrames(20), (std::vector<int>{20, 1, 12, 18}));
  EXPECT_EQ(RuleFrames(28), (std::vector<int>{20, 1, 27, 18}));
  EXPECT_EQ(RuleFrames(2), RuleFrames(0));
}

TEST(ShapeTableFile, HoldsTheJoiningRuleForEveryMask) {
  RegisterArchive();
  size_t length = 0;
  if (!EmbeddedData("Data/TabFrame3.bin", &length)) GTEST_SKIP() << "shape table not in the archive yet";
  ASSERT_EQ(length, 1024u);
  std::memset(ShapeTable, 0, sizeof ShapeTable);
  media_test::RecordMessages(true);
  media_test::RecordedMessages().clear();
  LoadShapeTable("incbin::Data/TabFrame3.bin");
  EXPECT_TRUE(media_test::RecordedMessages().empty());
  for (int m = 0; m < 256; m++) {
    const std::vector<int> loaded = {ShapeTable[m][0], ShapeTable[m][1], ShapeTable[m][2], ShapeTable[m][3]};
    EXPECT_EQ(loaded, RuleFrames(m)) << "mask " << m;
  }
}

TEST(ShapeTableFile, MissingFileIsReportedAndLeavesTheTableAlone) {
  std::memset(ShapeTable, 0, sizeof ShapeTable);
  media_test::RecordMessages(true);
  media_test::RecordedMessages().clear();
  LoadShapeTable("incbin::Data/NoSuchTable.bin");
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "error reading incbin::Data/NoSuchTable.bin");
  for (int m = 0; m < 256; m++) {
    for (int q = 0; q < 4; q++) ASSERT_EQ(ShapeTable[m][q], 0) << m;
  }
}

TEST_F(BoardTest, NeighbourMaskBits) {
  board_test::PlaceRows({
      "000",
      "010",
      "000",
  });
  // Same kind all round the middle of a ring of another kind: nothing matches.
  EXPECT_EQ(NeighbourMask(1, 1, 1), 0);
  EXPECT_EQ(NeighbourMask(1, 1, 0), 255);
  EXPECT_EQ(NeighbourMask(0, 0, 0), 4 | 16);  // the middle is another kind
  EXPECT_EQ(NeighbourMask(2, 0, 0), 16 | 64);
  EXPECT_EQ(NeighbourMask(1, 2, 0), 2 | 4 | 64 | 128);
}

TEST_F(BoardTest, CornerBlockWithEastAndSouthNeighbours) {
  board_test::PlaceRows({"00", "0."});
  EXPECT_EQ(FramesOf(BlockAt(0, 0)), (std::vector<int>{20, 1, 12, 18}));
  EXPECT_EQ(FramesOf(BlockAt(1, 0)), RuleFrames(64 | 32));
  EXPECT_EQ(FramesOf(BlockAt(0, 1)), RuleFrames(1 | 2));
}

TEST_F(BoardTest, SquareOfFourJoinsEveryInnerCorner) {
  board_test::PlaceRows({"....", ".22.", ".22."});
  EXPECT_EQ(FramesOf(BlockAt(1, 1)), (std::vector<int>{20, 1, 27, 18}));
  EXPECT_EQ(FramesOf(BlockAt(2, 2)), RuleFrames(1 | 64 | 128));
}

TEST_F(BoardTest, DiagonalNeighbourAloneLeavesALoneBlock) {
  board_test::PlaceRows({".3", "3."});
  EXPECT_EQ(FramesOf(BlockAt(0, 1)), (std::vector<int>{20, 21, 23, 22}));
  EXPECT_EQ(FramesOf(BlockAt(1, 0)), (std::vector<int>{20, 21, 23, 22}));
}

TEST_F(BoardTest, ColumnNineNeverJoinsColumnZero) {
  for (int y = 0; y < 8; y++) T_BLOCK::addBlock(0, y, 4);
  T_BLOCK* edge = T_BLOCK::addBlock(9, 3, 4);
  T_BLOCK::ShapeAllBlocks();
  EXPECT_EQ(NeighbourMask(9, 3, 4) & (2 | 4 | 8), 0);
  EXPECT_EQ(FramesOf(edge), (std::vector<int>{20, 21, 23, 22}));
  // And column 0 does not see column 9 on its west side.
  EXPECT_EQ(NeighbourMask(0, 3, 4) & (32 | 64 | 128), 0);
}

TEST_F(BoardTest, ShapeBlockAlsoRestoresThePixelPosition) {
  T_BLOCK* b = T_BLOCK::addBlock(4, 6, 1);
  BlockSize = 74;
  b->ShapeBlock();
  EXPECT_EQ(b->X, 4 * 74);
  EXPECT_EQ(b->Y, 6 * 74);
}

}  // namespace
