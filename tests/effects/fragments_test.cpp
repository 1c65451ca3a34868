// Fragments of a completed kind: one per selected block, waiting out the
// blink, thrown along the last step, falling off the game screen.
#include "media/media_test.h"
#include "tests/board/board_fixture.h"

namespace {

using board_test::BoardTest;

void SelectAll() {
  for (auto& b : Blocks) b->FlagSelect = 1;
}

TEST_F(BoardTest, OneFragmentPerSelectedBlockAtItsPlace) {
  board_test::PlaceRows({"11.", "..2"});
  BlockAt(0, 0)->RecursiveSelect();
  T_FX::ExplodeSelectedBlocks(300, 1, 0);
  ASSERT_EQ(Fragments.size(), 2u);
  const T_FX& f = *Fragments.back();
  EXPECT_EQ(f.X, 96);
  EXPECT_EQ(f.Y, 0);
  EXPECT_FLOAT_EQ(f.fX, 96);
  EXPECT_EQ(f.Timer, 100300);
  EXPECT_EQ(f.BitmapPtr, KindImage(1));
}

TEST_F(BoardTest, CompletionWithoutAStepOnlySpreadsTheFragments) {
  for (int x = 0; x < 10; x++) {
    for (int y = 0; y < 8; y++) T_BLOCK::addBlock(x, y, 2);
  }
  SelectAll();
  for (int round = 0; round < 5; round++) T_FX::ExplodeSelectedBlocks(300, 0, 0);
  ASSERT_EQ(Fragments.size(), 400u);
  float minX = 99, maxX = -99, minY = 99, maxY = -99;
  for (auto& f : Fragments) {
    minX = std::min(minX, f->vX);
    maxX = std::max(maxX, f->vX);
    minY = std::min(minY, f->vY);
    maxY = std::max(maxY, f->vY);
  }
  EXPECT_GE(minX, -2.0f);
  EXPECT_LT(maxX, 2.0f);
  EXPECT_GE(minY, -3.0f);
  EXPECT_LT(maxY, 2.0f);
  // Four hundred draws do fill the ranges.
  EXPECT_LT(minX, -1.5f);
  EXPECT_GT(maxX, 1.5f);
  EXPECT_LT(minY, -2.5f);
}

TEST_F(BoardTest, AStepThrowsFragmentsItsWay) {
  for (int x = 0; x < 10; x++) T_BLOCK::addBlock(x, 0, 3);
  SelectAll();
  for (int round = 0; round < 10; round++) T_FX::ExplodeSelectedBlocks(300, -1, 1);
  float minX = 99, maxX = -99, maxY = -99;
  for (auto& f : Fragments) {
    minX = std::min(minX, f->vX);
    maxX = std::max(maxX, f->vX);
    maxY = std::max(maxY, f->vY);
    EXPECT_GE(f->vY, -3.0f);
  }
  EXPECT_GE(minX, -10.0f);
  EXPECT_LT(maxX, 2.0f);
  EXPECT_LT(minX, -6.0f);  // pushed left by up to 8
  EXPECT_GT(maxY, 6.0f);   // pushed down by up to 8
}

TEST_F(BoardTest, FragmentWaitsThenFallsUnderGravityAndLeaves) {
  T_BLOCK::addBlock(4, 7, 0)->FlagSelect = 1;
  T_FX::ExplodeSelectedBlocks(300, 0, 0);
  T_FX& f = *Fragments.front();
  f.vX = 1.5f;
  f.vY = -1.0f;
  Frame.Now = 100300;  // not yet past its time
  T_FX::DoBlocksExplosion();
  EXPECT_EQ(f.Timer, 100300);
  Frame.Now = 100301;
  T_FX::DoBlocksExplosion();  // released, does not move in this frame
  EXPECT_EQ(f.Timer, 0);
  EXPECT_FLOAT_EQ(f.fX, 384);
  T_FX::DoBlocksExplosion();
  EXPECT_FLOAT_EQ(f.fX, 385.5f);
  EXPECT_FLOAT_EQ(f.fY, 671);
  EXPECT_FLOAT_EQ(f.vY, -0.8f);
  EXPECT_EQ(f.X, 385);
  EXPECT_EQ(f.Y, 671);
  int frames = 0;
  while (!Fragments.empty() && frames < 1000) {
    T_FX::DoBlocksExplosion();
    frames++;
  }
  EXPECT_TRUE(Fragments.empty());
  EXPECT_GT(frames, 20);  // it had a whole block size below the screen to fall
}

TEST_F(BoardTest, FragmentsLeaveOverEveryEdge) {
  const struct {
    float vX, vY;
  } throws[] = {{-30, 0}, {30, 0}, {0, -60}};
  for (auto t : throws) {
    auto f = std::make_unique<T_FX>();
    f->fX = f->fY = 400;
    f->vX = t.vX;
    f->vY = t.vY;
    Fragments.push_back(std::move(f));
  }
  for (int i = 0; i < 60; i++) T_FX::DoBlocksExplosion();
  EXPECT_TRUE(Fragments.empty());
}

TEST_F(BoardTest, ClearBoardKeepsFragmentsFlying) {
  T_BLOCK::addBlock(1, 1, 5)->FlagSelect = 1;
  T_FX::ExplodeSelectedBlocks(0, 0, 0);
  ClearBoard();
  EXPECT_EQ(Fragments.size(), 1u);
}

}  // namespace
