// Drawing a board: quarters, shadows, the blink and end of exploding
// blocks, captions, highlights and the order of a whole board screen.
#include <cmath>

#include "board/board_draw.h"
#include "levels/level_lifecycle.h"
#include "tests/board/draw_fixture.h"

namespace {

using board_test::DrawCall;
using board_test::DrawKind;
using board_test::DrawTest;

TEST_F(DrawTest, LoneBlockIsFourCornerQuartersOfHalfACell) {
  T_BLOCK* b = T_BLOCK::addBlock(3, 2, 2);
  b->ShapeBlock();
  b->Draw();
  const std::vector<DrawCall> d = DrawsOf(Tiles);
  ASSERT_EQ(d.size(), 4u);
  const int frames[4] = {20, 21, 23, 22};
  const float xs[4] = {288, 336, 336, 288};
  const float ys[4] = {192, 192, 240, 240};
  for (int q = 0; q < 4; q++) {
    EXPECT_EQ(d[q].Kind, DrawKind::Stretched);
    EXPECT_EQ(d[q].Frame, frames[q]);
    EXPECT_FLOAT_EQ(d[q].X, xs[q]);
    EXPECT_FLOAT_EQ(d[q].Y, ys[q]);
    EXPECT_FLOAT_EQ(d[q].W, 48);
    EXPECT_FLOAT_EQ(d[q].H, 48);
  }
}

TEST_F(DrawTest, ShadowIsShiftedEightPixelsAtEveryBlockSize) {
  BlockSize = 56;
  HalfCell = 28;
  T_BLOCK* b = T_BLOCK::addBlock(1, 1, 4);
  b->ShapeBlock();
  b->DrawShadow();
  const std::vector<DrawCall> d = DrawsOf(ShadowStrip);
  ASSERT_EQ(d.size(), 4u);
  EXPECT_FLOAT_EQ(d[0].X, 64);
  EXPECT_FLOAT_EQ(d[0].Y, 64);
  EXPECT_FLOAT_EQ(d[2].X, 92);
  EXPECT_FLOAT_EQ(d[2].W, 28);
  EXPECT_EQ(d[2].Frame, 23);
}

// Visible or not for each remaining time of a 300 ms countdown.
TEST_F(DrawTest, ExplodingBlockBlinksEvery64MsAndEndsWhenTimeIsUp) {
  T_BLOCK* b = T_BLOCK::addBlock(0, 0, 1);  // style 1: with sparkles
  b->ShapeBlock();
  b->Timer = 100300;
  for (int left = 300; left >= 1; left--) {
    Frame.Now = 100300 - left;
    Restart();
    T_BLOCK::DrawAll();
    const bool hidden = (left >= 256) || (left >= 128 && left <= 191) || left <= 63;
    EXPECT_EQ(DrawsOf(Tiles).size(), hidden ? 0u : 4u) << left << " ms left";
    EXPECT_EQ(DrawsOf(ShadowStrip).size(), hidden ? 0u : 4u) << left << " ms left";
    ASSERT_EQ(Blocks.size(), 1u) << left << " ms left";
  }
  ASSERT_EQ(Particles.size(), 3u);
  Frame.Now = 100300;
  T_BLOCK::DrawAll();
  EXPECT_TRUE(Blocks.empty());
  EXPECT_GRIDS_CONSISTENT();
  // Its sparkles fly on alone, placed on the board where they were.
  ASSERT_EQ(Particles.size(), 3u);
  for (auto& p : Particles) {
    EXPECT_EQ(p->Owner, nullptr);
    EXPECT_EQ(p->Mode, 100);
    EXPECT_EQ(p->Size, 1);  // the kind of the block
  }
}

TEST_F(DrawTest, ABlockWhoseTimeWasMissedStillEndsInTheNextDrawing) {
  board_test::PlaceRows({"00", "1."});
  BlockAt(0, 0)->Timer = 100010;
  BlockAt(1, 0)->Timer = 100010;
  Frame.Now = 100500;
  T_BLOCK::DrawAll();
  ASSERT_EQ(Blocks.size(), 1u);
  EXPECT_EQ(Blocks.front()->Kind, 1);
  EXPECT_GRIDS_CONSISTENT();
}

TEST_F(DrawTest, ShadowsOffDrawsNoShadowButStillBlinksAndEnds) {
  ShadowsOn = false;
  T_BLOCK* b = T_BLOCK::addBlock(5, 5, 3);
  b->ShapeBlock();
  b->Timer = 100300;
  Frame.Now = 100300 - 200;  // shown
  T_BLOCK::DrawAll();
  EXPECT_EQ(DrawsOf(Tiles).size(), 4u);
  Restart();
  Frame.Now = 100300 - 150;  // hidden
  T_BLOCK::DrawAll();
  EXPECT_EQ(DrawsOf(Tiles).size(), 0u);
  Frame.Now = 100300;
  T_BLOCK::DrawAll();
  EXPECT_TRUE(Blocks.empty());
  EXPECT_TRUE(DrawsOf(ShadowStrip).empty());
  EXPECT_GRIDS_CONSISTENT();
}

TEST_F(DrawTest, BlockWithoutImageIsNotDrawn) {
  StyleImage[2] = nullptr;
  T_BLOCK::addBlock(0, 0, 2)->ShapeBlock();
  T_BLOCK::DrawAll();
  EXPECT_TRUE(DrawsOf(Tiles).empty());
}

// A caption bar of four same-kind cells (a fifth does not count) shrinks a
// long caption as a whole into 4 x 96 less a margin of 16 pixels each side.
TEST_F(DrawTest, LongCaptionShrinksWholeIntoItsBar) {
  board_test::PlaceRows({".....", "00000"});
  T_BLOCK* head = BlockAt(0, 1);
  const std::string caption(120, 'W');
  head->SetMenu(caption, 3);
  for (int x = 1; x < 5; x++) BlockAt(x, 1)->SetMenu("!", 3);
  T_BLOCK::DrawAll();
  const std::vector<DrawCall> t = InkTexts();
  ASSERT_EQ(t.size(), 1u);  // "!" cells carry no text
  EXPECT_EQ(t[0].Text, caption);
  EXPECT_FLOAT_EQ(t[0].X, 16);
  SelectFont(nullptr);
  const int width = StringWidth(caption);
  ASSERT_GT(width, 352);
  EXPECT_NEAR(t[0].ScaleX, 352.0 / width, 1e-5);
  EXPECT_NEAR(t[0].W, 352, 0.5);
  EXPECT_FLOAT_EQ(t[0].ScaleY, t[0].ScaleX);
  EXPECT_NEAR(t[0].Y, 96 + (96 - FontHeight() * t[0].ScaleY) / 2, 0.5);
  EXPECT_EQ(t[0].R, CAPTION_DARK);  // style 0 has dark captions
}

// Letters at full strength over a halo of the other shade: eight copies two
// pixels round them at 96-pixel blocks.
TEST_F(DrawTest, ShortCaptionIsCentredOnItsOwnCellOverAHaloOfTheOtherShade) {
  board_test::PlaceRows({"41", "00"});  // the kind 1 on the right is no part of the bar
  BlockAt(0, 0)->SetMenu("Go", 2);
  BlockAt(0, 1)->SetMenu("Go", 3);
  T_BLOCK::DrawAll();
  const std::vector<DrawCall> t = InkTexts();
  const std::vector<DrawCall> all = Texts();
  ASSERT_EQ(t.size(), 2u);
  ASSERT_EQ(all.size(), 18u);
  SelectFont(nullptr);
  const int w = StringWidth("Go");
  EXPECT_EQ(t[0].X, std::round(16 + (64 - w) / 2.0f));
  EXPECT_FLOAT_EQ(t[0].ScaleX, 1);
  EXPECT_FLOAT_EQ(t[0].Alpha, 1);
  for (size_t c = 0; c < 2; ++c) {
    const bool light = c == 0;  // style 4 has light captions, style 0 dark ones
    EXPECT_EQ(t[c].R, light ? 255 : CAPTION_DARK);
    for (size_t i = 0; i < 8; ++i) {
      const DrawCall& halo = all[9 * c + i];
      EXPECT_EQ(halo.R, light ? CAPTION_DARK : 255);
      EXPECT_FLOAT_EQ(halo.Alpha, CAPTION_HALO_ALPHA);
      EXPECT_LE(std::fabs(halo.X - t[c].X), 2);
      EXPECT_LE(std::fabs(halo.Y - t[c].Y), 2);
      EXPECT_GT(std::fabs(halo.X - t[c].X) + std::fabs(halo.Y - t[c].Y), 0);
    }
  }
  // The drawing state is handed back clean.
  Restart();
  FillRect(0, 0, 1, 1);
  ASSERT_EQ(media_test::RecordedDraws().size(), 1u);
  EXPECT_FLOAT_EQ(media_test::RecordedDraws()[0].Alpha, 1);
  EXPECT_FLOAT_EQ(media_test::RecordedDraws()[0].ScaleX, 1);
}

TEST_F(DrawTest, HoveredCaptionTrembles) {
  board_test::PlaceRows({"22", "33"});
  BlockAt(0, 0)->SetMenu("Play", 4);
  BlockAt(0, 1)->SetMenu("Quit", 5);
  HoveredMenu = 5;
  T_BLOCK::DrawAll();
  const std::vector<DrawCall> t = InkTexts();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].Text, "Play");
  EXPECT_EQ(t[1].Text, "Quit");
  EXPECT_EQ(t[2].Text, "Quit");
  EXPECT_LE(std::fabs(t[2].X - t[1].X), 1);
  EXPECT_LE(std::fabs(t[2].Y - t[1].Y), 1);
  // A caption that belongs to no entry never trembles.
  Restart();
  ClearBoard();
  T_BLOCK::addBlock(0, 0, 2)->SetMenu("Title", -1);
  HoveredMenu = -1;
  T_BLOCK::DrawAll();
  EXPECT_EQ(InkTexts().size(), 1u);
}

TEST_F(DrawTest, HighlightPulsesOverTheSelection) {
  board_test::PlaceRows({"11", "0."});
  T_BLOCK::InitRecursiveSelect();
  BlockAt(0, 0)->RecursiveSelect();
  const struct {
    int64_t Now;
    float Alpha;
  } samples[] = {{0, 0.8f},
                 {512, 0.8f + 0.2f * std::sin(90 * M_PI / 180)},
                 // 1000 ms is 175.86 degrees, taken as a whole 175.
                 {1000, 0.8f + 0.2f * std::sin(175 * M_PI / 180)},
                 {2048 + 1024, 0.8f}};
  for (auto s : samples) {
    Frame.Now = s.Now;
    Restart();
    T_BLOCK::DrawSelectedBlocks();
    const std::vector<DrawCall> d = DrawsOf(HighlightStrip);
    ASSERT_EQ(d.size(), 8u);  // two selected blocks, four quarters each
    EXPECT_NEAR(d[0].Alpha, s.Alpha, 0.0005) << s.Now;
    EXPECT_EQ(d[0].Blend, BLEND_ADDITIVE);
    EXPECT_EQ(d[0].Frame, 20);
    EXPECT_EQ(d[1].Frame, 1);
  }
}

// Blocks, owned particles and highlights slide up with the exit scroll;
// free particles and fragments stay put; everything comes in its order.
TEST_F(DrawTest, BoardScreenOrderAndExitScroll) {
  LevelBannerEnd = 0;
  T_BLOCK* sparkly = T_BLOCK::addBlock(2, 2, 0);  // style 0: sparkles
  sparkly->ShapeBlock();
  sparkly->FlagSelect = 1;
  T_FX::ExplodeSelectedBlocks(0, 0, 0);
  Fragments.front()->Timer = 0;
  Fragments.front()->X = Fragments.front()->Y = 600;  // well apart from the rest
  T_BLOCK* dying = T_BLOCK::addBlock(5, 5, 1);  // style 1 sparkles, set free below
  dying->Timer = 1;
  T_PARTICLE::ExplodeParticle(dying);
  RemoveBlock(dying);
  ExitScrollOn = true;
  ExitScrollStart = Frame.Now - 1;
  ExitScrollOffset = -50;
  DrawPlay();
  EXPECT_EQ(ExitScrollOffset, -75);

  const auto& all = media_test::RecordedDraws();
  std::vector<std::string> order;
  for (const DrawCall& c : all) {
    std::string what;
    const bool fragment = c.X >= 600;
    if (c.Img == ShadowStrip) what = fragment ? "fragment shadow" : "shadow";
    if (c.Img == HighlightStrip) what = "highlight";
    if (c.Img == Tiles && c.Frame == 28) what = c.X >= 470 ? "free particle" : "owned particle";
    if (c.Img == Tiles && c.Frame != 28) what = fragment ? "fragment" : "block";
    if (what.empty() || (!order.empty() && order.back() == what)) continue;
    order.push_back(what);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"shadow", "block", "owned particle", "highlight", "free particle",
                                             "fragment shadow", "fragment"}));
  // The block at row 2 moved up by 75 pixels; its fragment did not.
  const std::vector<DrawCall> tiles = DrawsOf(Tiles);
  EXPECT_FLOAT_EQ(tiles[0].Y, 192 - 75);
  EXPECT_FLOAT_EQ(tiles.back().Y, 600 + 48);
  // Drawing goes on at the screen offset afterwards.
  Restart();
  FillRect(0, 0, 1, 1);
  EXPECT_FLOAT_EQ(media_test::RecordedDraws()[0].Y, 0);
}

TEST_F(DrawTest, ScrollWaitsForItsStartTime) {
  T_BLOCK::addBlock(0, 1, 2)->ShapeBlock();
  ExitScrollOn = true;
  ExitScrollStart = Frame.Now + 1000;
  ExitScrollOffset = 0;
  DrawPlay();
  EXPECT_EQ(ExitScrollOffset, 0);
  EXPECT_FLOAT_EQ(DrawsOf(Tiles)[0].Y, 96);
}

TEST_F(DrawTest, ParticlesOffHidesParticlesButNotFragments) {
  T_BLOCK* b = T_BLOCK::addBlock(2, 2, 0);
  b->FlagSelect = 1;
  T_FX::ExplodeSelectedBlocks(0, 0, 0);
  Fragments.front()->Timer = 0;
  ParticlesOn = false;
  DrawPlay();
  for (const DrawCall& c : DrawsOf(Tiles)) EXPECT_NE(c.Frame, 28);
  EXPECT_EQ(DrawsOf(Tiles).size(), 8u);  // the block and its fragment
}

}  // namespace
