// Selecting a shape by flood fill, merging and completion of a kind.
#include <algorithm>

#include "tests/board/board_fixture.h"

namespace {

using board_test::BoardTest;

std::vector<std::pair<int, int>> SelectedCells() {
  std::vector<std::pair<int, int>> cells;
  for (auto& b : Blocks) {
    if (b->FlagSelect) cells.emplace_back(b->XMap, b->YMap);
  }
  return cells;
}

void Grab(int x, int y) {
  T_BLOCK::InitRecursiveSelect();
  BlockAt(x, y)->RecursiveSelect();
}

TEST_F(BoardTest, CornerContactDoesNotJoinShapes) {
  board_test::PlaceRows({"0.", ".0"});
  Grab(0, 0);
  EXPECT_EQ(SelectedCells(), (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(T_BLOCK::CountSelected(), 1);
  EXPECT_EQ(BlockAt(0, 0)->CheckCompleteBlock(), 0);
}

TEST_F(BoardTest, LShapeIsSelectedWholeFromAnyOfItsBlocks) {
  // An L of four with a block of another kind in its bend and a block of the
  // same kind one cell away from its foot.
  board_test::PlaceRows({
      "0....",
      "01...",
      "00.0.",
  });
  const std::vector<std::pair<int, int>> l = {{0, 0}, {0, 1}, {0, 2}, {1, 2}};
  for (auto [x, y] : l) {
    Grab(x, y);
    auto cells = SelectedCells();
    EXPECT_EQ(cells.size(), 4u) << "from " << x << "," << y;
    for (auto c : l) EXPECT_NE(std::find(cells.begin(), cells.end(), c), cells.end());
    EXPECT_EQ(BlockAt(1, 1)->FlagSelect, 0);
    EXPECT_EQ(BlockAt(3, 2)->FlagSelect, 0);
  }
}

TEST_F(BoardTest, FillFromABlockReshapesTheWholeShape) {
  board_test::PlaceRows({"55"});
  // Spoil the frames, then select: every block reached is shaped again.
  for (auto& b : Blocks) std::fill(std::begin(b->Frame), std::end(b->Frame), 99);
  Grab(1, 0);
  EXPECT_EQ(BlockAt(0, 0)->Frame[0], 20);
  EXPECT_EQ(BlockAt(0, 0)->Frame[1], 1);
  EXPECT_EQ(BlockAt(1, 0)->Frame[0], 0);
}

TEST_F(BoardTest, SelectAllSameColorAddsOneKindOnly) {
  board_test::PlaceRows({"22.3", "...2", "3.22"});
  Grab(0, 0);
  BlockAt(3, 0)->FlagSelect = 1;  // something of another kind already held
  T_BLOCK::SelectAllSameColor(2);
  for (auto& b : Blocks) {
    if (b->Kind == 2) {
      EXPECT_EQ(b->FlagSelect, 1);
    }
  }
  EXPECT_EQ(BlockAt(3, 0)->FlagSelect, 1);
  EXPECT_EQ(BlockAt(0, 2)->FlagSelect, 0);
}

TEST_F(BoardTest, KindCompletesOnceAMoveJoinsItsLastBlock) {
  board_test::PlaceRows({"1..1", "...."});
  T_BLOCK* grabbed = BlockAt(0, 0);
  Grab(0, 0);
  EXPECT_EQ(grabbed->CheckCompleteBlock(), 0);
  for (int step = 0; step < 2; step++) {
    grabbed->SetSelectedCoorsOffset(1, 0);
    RebuildGrids();
    EXPECT_GRIDS_CONSISTENT();
    const int before = T_BLOCK::CountSelected();
    Grab(grabbed->XMap, grabbed->YMap);
    EXPECT_EQ(T_BLOCK::CountSelected(), step == 0 ? before : before + 1);
  }
  EXPECT_EQ(grabbed->XMap, 2);
  EXPECT_EQ(grabbed->CheckCompleteBlock(), 1);
}

TEST_F(BoardTest, ZeroOffsetChangesNothing) {
  board_test::PlaceRows({"44", ".4"});
  Grab(0, 0);
  std::vector<std::pair<int, int>> before = SelectedCells();
  BlockAt(0, 0)->SetSelectedCoorsOffset(0, 0);
  EXPECT_EQ(SelectedCells(), before);
  EXPECT_EQ(BlockAt(1, 1)->X, 96);
  EXPECT_GRIDS_CONSISTENT();
}

TEST_F(BoardTest, OffsetMovesTheWholeSelectionWhicheverBlockItIsCalledOn) {
  board_test::PlaceRows({"44.", ".4.", "..0"});
  Grab(1, 1);
  BlockAt(2, 2)->SetSelectedCoorsOffset(1, 1);  // called on an unselected block
  EXPECT_EQ(SelectedCells(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {2, 2}}));
  EXPECT_EQ(Blocks.front()->X, 96);
  EXPECT_EQ(Blocks.front()->Y, 96);
}

TEST_F(BoardTest, TimerIsSetOnTheSelectionOnly) {
  board_test::PlaceRows({"33", "2."});
  Grab(0, 0);
  T_BLOCK::SetSelectedBlocksTimer(300);
  EXPECT_EQ(BlockAt(0, 0)->Timer, 100300);
  EXPECT_EQ(BlockAt(1, 0)->Timer, 100300);
  EXPECT_EQ(BlockAt(0, 1)->Timer, 0);
}

}  // namespace
