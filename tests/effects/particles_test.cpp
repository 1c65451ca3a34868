// Particles of styled blocks: creation by FX mode, wandering, bubbles and
// drops, their release when the block explodes, and their drawing.
#include <algorithm>

#include "media/media_test.h"
#include "tests/board/draw_fixture.h"

namespace {

using board_test::BoardTest;
using board_test::DrawTest;

std::vector<T_PARTICLE*> ParticlesOf(const T_BLOCK* b) {
  std::vector<T_PARTICLE*> out;
  for (auto& p : Particles) {
    if (p->Owner == b) out.push_back(p.get());
  }
  return out;
}

bool Alive(const T_PARTICLE* p) {
  return std::any_of(Particles.begin(), Particles.end(), [p](auto& q) { return q.get() == p; });
}

int CountMode(int mode) {
  return static_cast<int>(std::count_if(Particles.begin(), Particles.end(), [mode](auto& p) { return p->Mode == mode; }));
}

TEST_F(BoardTest, EachFxStyleGivesThreeParticlesOfItsMode) {
  const T_BLOCK* sparkly = T_BLOCK::addBlock(0, 0, 0);  // style 0
  const T_BLOCK* bubbly = T_BLOCK::addBlock(2, 0, 4);   // style 4
  const T_BLOCK* drippy = T_BLOCK::addBlock(4, 0, 3);   // style 3
  const T_BLOCK* plain = T_BLOCK::addBlock(6, 0, 2);    // style 2
  EXPECT_EQ(Particles.size(), 9u);
  for (auto* p : ParticlesOf(sparkly)) {
    EXPECT_EQ(p->Mode, 1);
    EXPECT_GE(p->Scale, 0.2f);
    EXPECT_LT(p->Scale, 0.6f);
    EXPECT_EQ(p->Size, static_cast<int>(48 * p->Scale));
    EXPECT_GE(p->fX, 0);
    EXPECT_LT(p->fX, 96 - p->Size);
    EXPECT_FLOAT_EQ(p->Alpha, 1);
  }
  for (auto* p : ParticlesOf(bubbly)) {
    EXPECT_EQ(p->Mode, 2);
    EXPECT_EQ(p->Scale, 0);
  }
  for (auto* p : ParticlesOf(drippy)) EXPECT_EQ(p->Mode, 3);
  EXPECT_TRUE(ParticlesOf(plain).empty());
}

TEST_F(BoardTest, ParticlesOffCreatesNoneAndLaterBlocksOnlyGetThemWhenOn) {
  ParticlesOn = false;
  T_BLOCK* early = T_BLOCK::addBlock(0, 0, 0);
  EXPECT_TRUE(Particles.empty());
  ParticlesOn = true;
  T_PARTICLE::DoParticles();
  EXPECT_TRUE(ParticlesOf(early).empty());
  T_BLOCK::addBlock(5, 5, 0);
  EXPECT_EQ(Particles.size(), 3u);
}

TEST_F(BoardTest, NullBlockIsReportedAndAddsNothing) {
  media_test::RecordMessages(true);
  media_test::RecordedMessages().clear();
  T_PARTICLE::AddParticles(nullptr, 1, 3);
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "T_Block Ptr = Null dans AddParticles !!!! ????");
  EXPECT_TRUE(Particles.empty());
  // Particles off wins over the report.
  ParticlesOn = false;
  T_PARTICLE::AddParticles(nullptr, 1, 3);
  EXPECT_EQ(media_test::RecordedMessages().size(), 1u);
}

TEST_F(BoardTest, WanderingSparkleStaysInsideItsLoneCell) {
  T_BLOCK* lone = T_BLOCK::addBlock(4, 3, 0);
  T_BLOCK::addBlock(5, 3, 1);  // another kind next door does not let it in
  for (auto* p : ParticlesOf(lone)) {
    p->vX = 3.7f;  // fast, so it meets every wall many times
    p->vY = -2.9f;
  }
  bool bouncedX = false;
  for (int frame = 0; frame < 400; frame++) {
    T_PARTICLE::DoParticles();
    for (auto* p : ParticlesOf(lone)) {
      ASSERT_GE(p->fX, 0);
      ASSERT_LE(p->fX, 96 - p->Size);
      ASSERT_GE(p->fY, 0);
      ASSERT_LE(p->fY, 96 - p->Size);
      bouncedX = bouncedX || p->vX < 0;
    }
  }
  EXPECT_EQ(ParticlesOf(lone).size(), 3u);
  EXPECT_TRUE(bouncedX);
}

TEST_F(BoardTest, SparklePassesIntoItsShapeKeepingItsPlaceOnScreen) {
  board_test::PlaceRows({"00"});
  T_BLOCK* left = BlockAt(0, 0);
  T_BLOCK* right = BlockAt(1, 0);
  T_PARTICLE* p = ParticlesOf(left)[0];
  p->fX = 96 - p->Size - 0.5f;
  p->fY = 10;
  p->vX = 1;
  p->vY = 0;
  const float screenX = left->X + p->fX + 1;
  T_PARTICLE::DoParticles();
  EXPECT_EQ(p->Owner, right);
  EXPECT_FLOAT_EQ(right->X + p->fX, screenX);
  EXPECT_FLOAT_EQ(p->vX, 1);
  // Going on to the right it meets the end of the shape and turns back.
  for (int i = 0; i < 120; i++) T_PARTICLE::DoParticles();
  EXPECT_EQ(p->Owner, right);
  EXPECT_FLOAT_EQ(p->vX, -1);
}

TEST_F(BoardTest, DropSourceOnlyOnTheTopBlockOfItsColumn) {
  board_test::PlaceRows({"3", "3", "3"});  // placed top to bottom
  EXPECT_EQ(ParticlesOf(BlockAt(0, 0)).size(), 3u);
  EXPECT_TRUE(ParticlesOf(BlockAt(0, 1)).empty());
  EXPECT_TRUE(ParticlesOf(BlockAt(0, 2)).empty());
}

TEST_F(BoardTest, DropSourceMakesDropsAndGoesWhenCoveredBySameKind) {
  board_test::PlaceRows({"..", "3.", ".3"});
  T_BLOCK* source = BlockAt(0, 1);
  ASSERT_EQ(CountMode(3), 6);
  T_PARTICLE::DoParticles();  // Timer 0: every source drips at once
  EXPECT_EQ(CountMode(13), 6);
  for (auto* p : ParticlesOf(source)) {
    if (p->Mode == 3) {
      EXPECT_GE(p->Timer, Frame.Now + 2000);
    }
  }
  // The other kind-3 block is moved onto the cell above the source's block.
  T_BLOCK::InitRecursiveSelect();
  BlockAt(1, 2)->RecursiveSelect();
  BlockAt(1, 2)->SetSelectedCoorsOffset(-1, -2);
  RebuildGrids();
  ASSERT_EQ(KindGrid[0][0], 3);
  T_PARTICLE::DoParticles();
  int sources = 0;
  for (auto* p : ParticlesOf(source)) sources += p->Mode == 3;
  EXPECT_EQ(sources, 0);
  EXPECT_EQ(CountMode(3), 3);  // the moved block keeps its own, now on top
}

TEST_F(BoardTest, DropFallsThroughItsShapeAndEndsAtTheBottom) {
  board_test::PlaceRows({"3", "3"});
  T_BLOCK* top = BlockAt(0, 0);
  T_BLOCK* bottom = BlockAt(0, 1);
  T_PARTICLE::AddParticles(top, 13, 1);
  T_PARTICLE* drop = Particles.back().get();
  EXPECT_EQ(drop->Mode, 13);
  EXPECT_EQ(drop->fY, 0);
  EXPECT_GE(drop->vY, 0.02f);
  drop->vY = 5;
  bool reachedBottom = false;
  for (int i = 0; i < 60 && Alive(drop); i++) {
    T_PARTICLE::DoParticles();
    if (Alive(drop)) reachedBottom = reachedBottom || drop->Owner == bottom;
  }
  EXPECT_TRUE(reachedBottom);
  EXPECT_FALSE(Alive(drop));
}

TEST_F(BoardTest, BubbleSourceGrowsBubblesThatRiseAndEndAtTheTop) {
  board_test::PlaceRows({"4", "4"});
  T_BLOCK* lower = BlockAt(0, 1);
  ASSERT_EQ(CountMode(2), 6);
  Particles.remove_if([&](auto& p) { return p->Owner != lower; });
  T_PARTICLE::DoParticles();
  ASSERT_EQ(CountMode(12), 3);
  T_PARTICLE* bubble = nullptr;
  for (auto& p : Particles) {
    if (p->Mode == 12) bubble = p.get();
  }
  EXPECT_GE(bubble->Timer, Frame.Now + 1000);
  EXPECT_LE(bubble->Timer, Frame.Now + 1800);
  EXPECT_NEAR(bubble->vScale, bubble->ScaleDest * 16.666666f / (bubble->Timer - Frame.Now), 1e-6);
  // Growing in place.
  const float y = bubble->fY;
  T_PARTICLE::DoParticles();
  EXPECT_FLOAT_EQ(bubble->fY, y);
  EXPECT_GT(bubble->Scale, 0);
  // Rising once grown: through the upper block, then gone at its top.
  Frame.Now = bubble->Timer;
  Particles.remove_if([&](auto& p) { return p.get() != bubble; });
  bool wentUp = false;
  for (int i = 0; i < 400 && !Particles.empty(); i++) {
    T_PARTICLE::DoParticles();
    if (!Particles.empty()) wentUp = wentUp || bubble->Owner == BlockAt(0, 0);
  }
  EXPECT_TRUE(wentUp);
  EXPECT_TRUE(Particles.empty());
}

TEST_F(BoardTest, ExplodedBlockFreesItsParticlesAndDropsItsSources) {
  T_BLOCK* b = T_BLOCK::addBlock(2, 3, 4);  // bubble sources
  T_PARTICLE::AddParticles(b, 12, 2);
  T_PARTICLE::AddParticles(b, 1, 1);
  T_BLOCK* other = T_BLOCK::addBlock(7, 7, 0);
  const float fx = ParticlesOf(b).back()->fX;
  T_PARTICLE::ExplodeParticle(b);
  EXPECT_TRUE(ParticlesOf(b).empty());
  EXPECT_EQ(CountMode(2), 0);
  EXPECT_EQ(CountMode(100), 3);
  EXPECT_EQ(ParticlesOf(other).size(), 3u);
  for (auto& p : Particles) {
    if (p->Mode != 100) continue;
    EXPECT_EQ(p->Size, 4);
    EXPECT_GE(p->vX, -6);
    EXPECT_LT(p->vX, 6);
    EXPECT_GE(p->vY, -6);
    EXPECT_LT(p->vY, 2);
  }
  T_PARTICLE* freed = nullptr;
  for (auto& p : Particles) {
    if (p->Mode == 100) freed = p.get();
  }
  EXPECT_FLOAT_EQ(freed->fX, fx + 2 * 96);
  // Free particles fall off the screen and end.
  for (int i = 0; i < 300; i++) T_PARTICLE::DoParticles();
  EXPECT_EQ(CountMode(100), 0);
  EXPECT_EQ(ParticlesOf(other).size(), 3u);
}

TEST_F(BoardTest, RemoveParticleTakesOnlyThatBlocksParticles) {
  T_BLOCK* a = T_BLOCK::addBlock(0, 0, 0);
  T_BLOCK* b = T_BLOCK::addBlock(1, 1, 1);
  T_PARTICLE::RemoveParticle(a);
  EXPECT_TRUE(ParticlesOf(a).empty());
  EXPECT_EQ(ParticlesOf(b).size(), 3u);
}

TEST_F(DrawTest, FreeParticleOfKindSevenShowsStyleOne) {
  Image* styleOne = board_test::MakeStandInStrip(30);
  StyleImage[1] = styleOne;
  ColourStyles[1] = 9;  // colour 1 looks elsewhere; kind 7 must not follow it
  T_BLOCK* b = T_BLOCK::addBlock(3, 3, 7);
  ASSERT_EQ(b->FXMode, 1);
  T_PARTICLE::ExplodeParticle(b);
  RemoveBlock(b);
  Restart();
  T_PARTICLE::DrawAll(0);
  const std::vector<board_test::DrawCall> d = DrawsOf(styleOne);
  ASSERT_EQ(d.size(), 3u);
  for (const auto& c : d) {
    EXPECT_EQ(c.Frame, 28);
    EXPECT_EQ(c.Blend, BLEND_ADDITIVE);
    EXPECT_FLOAT_EQ(c.Alpha, 1);
  }
  Restart();
  T_PARTICLE::DrawAll(1);  // no owned particles left
  EXPECT_TRUE(DrawsOf(styleOne).empty());
}

TEST_F(DrawTest, OwnedParticleIsDrawnScaledAtItsOwnersPlace) {
  T_BLOCK* b = T_BLOCK::addBlock(2, 1, 0);
  T_PARTICLE& p = *Particles.front();
  p.fX = 10;
  p.fY = 20;
  p.Scale = 0.5f;
  p.Alpha = 0.25f;
  T_PARTICLE::DrawAll(1);
  const std::vector<board_test::DrawCall> d = DrawsOf(Tiles);
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0].Kind, board_test::DrawKind::Sprite);
  EXPECT_FLOAT_EQ(d[0].X, b->X + 10);
  EXPECT_FLOAT_EQ(d[0].Y, b->Y + 20);
  EXPECT_FLOAT_EQ(d[0].W, 24);
  EXPECT_NEAR(d[0].Alpha, 0.25f, 1e-6);
}

}  // namespace
