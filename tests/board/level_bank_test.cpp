// The level bank: record layout, placing a level on the board, labels.
#include "app/archive.h"
#include "levels/level_bank.h"
#include "media/media.h"
#include "media/media_test.h"
#include "tests/board/board_fixture.h"

namespace {

class LevelBankTest : public board_test::BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    RegisterArchive();
    size_t length = 0;
    if (!EmbeddedData("Data/lite2.lvl", &length) || !EmbeddedData("Data/TabFrame3.bin", &length)) {
      GTEST_SKIP() << "level bank or shape table not in the archive yet";
    }
    LoadShapeTable("incbin::Data/TabFrame3.bin");
    LoadLevelBank();
  }
};

TEST_F(LevelBankTest, FiveLevelsWithTheirIdsAndNoRecordLinks) {
  EXPECT_EQ(BufferSize(LevelBank), 2020);
  ASSERT_EQ(LevelCount, 5);
  const int ids[5] = {24, 126, 199, 407, 271};
  for (int n = 0; n < 5; n++) {
    EXPECT_EQ(LevelId(n), ids[n]);
    EXPECT_EQ(RecordLink(n), 0);
  }
}

TEST_F(LevelBankTest, RecordLinksAreWrittenInPlaceAsSixteenBits) {
  SetRecordLink(3, 0x1234);
  EXPECT_EQ(RecordLink(3), 0x1234);
  EXPECT_EQ(PeekUInt8(LevelBank, 3 * 404 + 2), 0x34);
  EXPECT_EQ(PeekUInt8(LevelBank, 3 * 404 + 3), 0x12);
  EXPECT_EQ(LevelId(3), 407);  // the neighbouring id is untouched
  EXPECT_EQ(RecordLink(2), 0);
  SetRecordLink(3, 0);
  // Outside the bank nothing is read or written.
  SetRecordLink(5, 7);
  EXPECT_EQ(RecordLink(5), 0);
  EXPECT_EQ(LevelCellByte(-1, 0, 0), 0);
  EXPECT_EQ(LevelCellByte(0, 10, 0), 0);
}

TEST_F(LevelBankTest, FirstLevelCellsMatchItsPicture) {
  const char* rows[8] = {
      "..365.....", "..5.633.1.", "11...3..2.", ".4211.342.",
      ".6641..4..", "..4..6....", "5.5.2.....", ".2.26.53..",
  };
  for (int y = 0; y < 8; y++) {
    for (int x = 0; x < 10; x++) {
      const int expected = rows[y][x] == '.' ? 0 : rows[y][x] - '0';
      EXPECT_EQ(LevelCellByte(0, x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(LevelBankTest, LoadLevelPlacesPiecesInRowMajorOrder) {
  LoadLevel(0);
  ASSERT_EQ(Blocks.size(), 34u);
  EXPECT_TRUE(Blocks.front()->CheckIn(2, 0));
  EXPECT_EQ(Blocks.front()->Kind, 2);
  EXPECT_TRUE(Blocks.back()->CheckIn(7, 7));
  EXPECT_EQ(Blocks.back()->Kind, 2);
  int previous = -1;
  for (auto& b : Blocks) {
    const int order = b->YMap * 10 + b->XMap;
    EXPECT_GT(order, previous);
    previous = order;
    EXPECT_EQ(b->Kind, LevelCellByte(0, b->XMap, b->YMap) - 1);
  }
  EXPECT_GRIDS_CONSISTENT();
  const std::vector<int> a = {BlockAt(5, 1)->Frame[0], BlockAt(5, 1)->Frame[1], BlockAt(5, 1)->Frame[2],
                              BlockAt(5, 1)->Frame[3]};
  EXPECT_EQ(a, (std::vector<int>{20, 1, 12, 18}));
  const std::vector<int> b = {BlockAt(6, 1)->Frame[0], BlockAt(6, 1)->Frame[1], BlockAt(6, 1)->Frame[2],
                              BlockAt(6, 1)->Frame[3]};
  EXPECT_EQ(b, (std::vector<int>{0, 21, 23, 13}));
}

TEST_F(LevelBankTest, PlacedFramesEqualTheRecordFrameBytesInEveryLevel) {
  const size_t pieces[5] = {34, 50, 60, 70, 65};
  for (int n = 0; n < LevelCount; n++) {
    LoadLevel(n);
    EXPECT_EQ(Blocks.size(), pieces[n]) << "level " << n;
    EXPECT_GRIDS_CONSISTENT();
    for (int y = 0; y < 8; y++) {
      for (int x = 0; x < 10; x++) {
        const T_BLOCK* b = BlockAt(x, y);
        for (int q = 0; q < 4; q++) {
          const int expected = b ? b->Frame[q] : 0;
          ASSERT_EQ(LevelFrameByte(n, x, y, q), expected) << "level " << n << " cell " << x << "," << y << " q" << q;
        }
      }
    }
  }
}

TEST_F(LevelBankTest, LoadLevelReplacesTheBoardAndIgnoresBadNumbers) {
  LoadLevel(4);
  const size_t count = Blocks.size();
  LoadLevel(5);
  LoadLevel(-1);
  EXPECT_EQ(Blocks.size(), count);
  LoadLevel(0);
  EXPECT_EQ(Blocks.size(), 34u);
  EXPECT_GRIDS_CONSISTENT();
}

TEST(LevelLabels, FiveLabelsAndNothingElse) {
  EXPECT_EQ(LevelLabel(1), "11");
  EXPECT_EQ(LevelLabel(2), "82");
  EXPECT_EQ(LevelLabel(3), "113");
  EXPECT_EQ(LevelLabel(4), "273");
  EXPECT_EQ(LevelLabel(5), "428");
  EXPECT_EQ(LevelLabel(6), "");
  EXPECT_EQ(LevelLabel(0), "");
  EXPECT_EQ(LevelLabel(-3), "");
}

}  // namespace
