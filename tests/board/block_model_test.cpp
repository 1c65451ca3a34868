// The block list and the two grids stay in step through every operation;
// blocks know their cell, pixels and tile style.
#include "tests/board/board_fixture.h"

#include "media/media_test.h"

namespace {

using board_test::BoardTest;

TEST_F(BoardTest, AddBlockFillsEveryFieldAndBothGrids) {
  T_BLOCK* b = T_BLOCK::addBlock(3, 5, 2);
  ASSERT_EQ(Blocks.size(), 1u);
  EXPECT_EQ(Blocks.front().get(), b);
  EXPECT_EQ(b->XMap, 3);
  EXPECT_EQ(b->YMap, 5);
  EXPECT_EQ(b->X, 3 * 96);
  EXPECT_EQ(b->Y, 5 * 96);
  EXPECT_EQ(b->Menu, -1);
  EXPECT_EQ(b->Text, "");
  EXPECT_EQ(b->Timer, 0);
  EXPECT_EQ(b->FlagSelect, 0);
  EXPECT_EQ(BlockAt(3, 5), b);
  EXPECT_EQ(KindGrid[3][5], 2);
  EXPECT_TRUE(b->CheckIn(3, 5));
  EXPECT_FALSE(b->CheckIn(5, 3));
  EXPECT_GRIDS_CONSISTENT();
}

TEST_F(BoardTest, BlockAtIsNullOffTheBoardAndOnEmptyCells) {
  T_BLOCK::addBlock(0, 0, 1);
  T_BLOCK::addBlock(9, 7, 1);
  EXPECT_EQ(BlockAt(-1, 3), nullptr);
  EXPECT_EQ(BlockAt(10, 0), nullptr);
  EXPECT_EQ(BlockAt(0, 8), nullptr);
  EXPECT_EQ(BlockAt(0, -1), nullptr);
  EXPECT_EQ(BlockAt(4, 4), nullptr);
  EXPECT_NE(BlockAt(0, 0), nullptr);
  EXPECT_NE(BlockAt(9, 7), nullptr);
}

TEST_F(BoardTest, RebuildGridsFollowsMovedBlocksAndEmptiesVacatedCells) {
  board_test::PlaceRows({"00.1", ".0.1"});
  EXPECT_GRIDS_CONSISTENT();
  T_BLOCK* grabbed = BlockAt(0, 0);
  T_BLOCK::InitRecursiveSelect();
  grabbed->RecursiveSelect();
  grabbed->SetSelectedCoorsOffset(0, 1);
  // Moving the selection leaves the grids behind until they are rebuilt.
  EXPECT_EQ(KindGrid[0][0], 0);
  RebuildGrids();
  EXPECT_GRIDS_CONSISTENT();
  EXPECT_EQ(BlockAt(0, 0), nullptr);
  EXPECT_EQ(BlockAt(0, 1), grabbed);
  EXPECT_EQ(grabbed->Y, 96);
  EXPECT_EQ(KindGrid[1][2], 0);

  Blocks.clear();
  RebuildGrids();
  EXPECT_GRIDS_CONSISTENT();
}

TEST_F(BoardTest, ClearBoardEmptiesBlocksParticlesAndGridsButKeepsFragments) {
  T_BLOCK* b = T_BLOCK::addBlock(2, 2, 0);  // style 0 carries sparkles
  EXPECT_EQ(Particles.size(), 3u);
  b->FlagSelect = 1;
  T_FX::ExplodeSelectedBlocks(300, 0, 0);
  GrabbedBlock = b;
  ClearBoard();
  EXPECT_TRUE(Blocks.empty());
  EXPECT_TRUE(Particles.empty());
  EXPECT_EQ(Fragments.size(), 1u);
  EXPECT_EQ(GrabbedBlock, nullptr);
  EXPECT_GRIDS_CONSISTENT();
}

TEST_F(BoardTest, RemoveBlockLeavesNothingPointingAtTheBlock) {
  T_BLOCK* keep = T_BLOCK::addBlock(1, 1, 3);
  T_BLOCK* gone = T_BLOCK::addBlock(2, 1, 0);
  const size_t keptParticles = Particles.size() - 3;
  GrabbedBlock = gone;
  RemoveBlock(gone);
  EXPECT_EQ(Blocks.size(), 1u);
  EXPECT_EQ(Blocks.front().get(), keep);
  EXPECT_EQ(GrabbedBlock, nullptr);
  EXPECT_EQ(Particles.size(), keptParticles);
  for (auto& p : Particles) EXPECT_NE(p->Owner, gone);
  EXPECT_GRIDS_CONSISTENT();
}

TEST_F(BoardTest, DeleteSelectedBlocksDropsTheSelectionAndItsParticles) {
  board_test::PlaceRows({"00..", "..11"});
  T_BLOCK::InitRecursiveSelect();
  BlockAt(0, 0)->RecursiveSelect();
  T_BLOCK::DeleteSelectedBlocks();
  ASSERT_EQ(Blocks.size(), 2u);
  for (auto& b : Blocks) EXPECT_EQ(b->Kind, 1);
  for (auto& p : Particles) EXPECT_EQ(p->Owner->Kind, 1);
  EXPECT_EQ(Particles.size(), 6u);
  EXPECT_GRIDS_CONSISTENT();
}

TEST_F(BoardTest, PosAllBlocksFollowsABlockSizeChange) {
  T_BLOCK* corner = T_BLOCK::addBlock(9, 7, 2);
  T_BLOCK::addBlock(0, 0, 2);
  BlockSize = 56;
  T_BLOCK::PosAllBlocks();
  EXPECT_EQ(corner->X, 9 * 56);
  EXPECT_EQ(corner->Y, 7 * 56);
  EXPECT_EQ(Blocks.back()->X, 0);
}

TEST_F(BoardTest, SetMenuSetsCaptionAndEntry) {
  T_BLOCK* b = T_BLOCK::addBlock(1, 2, 0);
  b->SetMenu("Play", 5);
  EXPECT_EQ(b->Text, "Play");
  EXPECT_EQ(b->Menu, 5);
}

TEST_F(BoardTest, ColourKindsFollowTheColourStylesAndOtherKindsNameAStyle) {
  ColourStyles[2] = 30;
  ColourStyles[1] = 5;
  EXPECT_EQ(StyleOfKind(2), 30);
  EXPECT_EQ(StyleOfKind(7), 1);  // whatever colour 1 shows
  EXPECT_EQ(StyleOfKind(0), 0);
  EXPECT_EQ(StyleOfKind(6 + 37), 37);
  // The FX mode comes from the resolved style when the block is created.
  EXPECT_EQ(T_BLOCK::addBlock(0, 0, 2)->FXMode, 2);  // style 30: bubbles
  EXPECT_EQ(T_BLOCK::addBlock(1, 0, 7)->FXMode, 1);  // style 1: sparkles
  EXPECT_EQ(T_BLOCK::addBlock(2, 0, 8)->FXMode, 0);  // style 2: none
  ResetColourStyles();
  for (int c = 0; c < COLOUR_SLOTS; c++) EXPECT_EQ(ColourStyles[c], c);
}

TEST_F(BoardTest, KindsBeyondTheStyleTablesHaveNoImageNorParticles) {
  EXPECT_EQ(KindImage(6 + STYLE_SLOTS), nullptr);
  EXPECT_EQ(KindFXMode(6 + STYLE_SLOTS + 5), 0);
  EXPECT_EQ(KindImage(-1), nullptr);
  ColourStyles[3] = 200;  // a damaged profile value
  EXPECT_EQ(KindFXMode(3), 0);
  EXPECT_EQ(KindLightText(3), 0);
  EXPECT_EQ(T_BLOCK::addBlock(4, 4, 3)->FXMode, 0);
}

TEST(TileStyles, AttributeTablesMatchTheStyleList) {
  EXPECT_EQ(StyleFXMode[19], 0);
  EXPECT_EQ(StyleLightText[19], 1);
  EXPECT_EQ(StyleFXMode[30], 2);
  EXPECT_EQ(StyleLightText[30], 0);
  EXPECT_EQ(StyleFXMode[2], 0);
  std::vector<int> withFx[4];
  for (int s = 0; s < STYLE_SLOTS; s++) withFx[StyleFXMode[s]].push_back(s);
  EXPECT_EQ(withFx[1], (std::vector<int>{0, 1, 10, 13}));
  EXPECT_EQ(withFx[2], (std::vector<int>{4, 6, 30}));
  EXPECT_EQ(withFx[3], (std::vector<int>{3, 5, 18}));
  std::vector<int> light;
  for (int s = 0; s < STYLE_SLOTS; s++) {
    if (StyleLightText[s]) light.push_back(s);
  }
  EXPECT_EQ(light, (std::vector<int>{4, 8, 12, 13, 14, 15, 18, 19, 26, 29, 34}));
  EXPECT_STREQ(TILE_STYLE_FILES[0], "Data/pLiMo_tiles_sucre_orge_rouge_1.png");
  EXPECT_STREQ(TILE_STYLE_FILES[37], "Data/pLiMo_tiles_chocolat_blanc.png");
}

}  // namespace
