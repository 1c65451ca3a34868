// The payoff of an explosion drawn with the real tile art: the pieces swell
// and flash in a tint of their colour, then a ring and shards of that colour
// fly and fade, and the fragments shrink and fade as they fall.
#include <algorithm>

#include "app/archive.h"
#include "media/media_test.h"
#include "tests/board/board_fixture.h"
#include "tests/support/test_support.h"

namespace {

using media_test::DrawCall;
using media_test::DrawKind;

class Burst : public board_test::BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    RegisterArchive();
    size_t length = 0;
    for (int c = 0; c < COLOUR_SLOTS; c++) {
      if (!EmbeddedData(TILE_STYLE_FILES[c], &length)) GTEST_SKIP() << TILE_STYLE_FILES[c] << " not in the archive yet";
    }
    ASSERT_TRUE(test_support::OpenTestDisplay(1024, 768));
    LoadTileStyles();
  }
  void TearDown() override {
    media_test::StopRecording();
    BoardTest::TearDown();
  }
  // The draws of one frame of `draw`.
  template <typename Draw>
  static std::vector<DrawCall> Record(Draw draw) {
    media_test::StartRecording();
    draw();
    media_test::StopRecording();
    return media_test::RecordedDraws();
  }
  static int Fills(const std::vector<DrawCall>& calls, int r, int g, int b) {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const DrawCall& c) {
      return c.Kind == DrawKind::Fill && c.R == r && c.G == g && c.B == b;
    }));
  }
};

// For every colour: its own shade (red stripes are red, the lime is green,
// the mandarine orange), the swollen piece and its tinted flash while it
// blinks, the ring and shards only once it has vanished, and nothing left
// a second later.
TEST_F(Burst, AnExplosionPaysOffInTheShapesOwnColour) {
  struct Case {
    int Kind;
    int Strong, Weak;  // channels: the first is well above the second
  };
  for (const Case c : {Case{0, 0, 1}, Case{1, 1, 2}, Case{2, 0, 2}, Case{3, -1, -1}, Case{4, -1, -1},
                       Case{5, -1, -1}}) {
    SCOPED_TRACE(c.Kind);
    ClearBoard();
    ClearBursts();
    const std::string k(1, static_cast<char>('0' + c.Kind));
    board_test::PlaceRows({"..........", "." + k + k + ".......", "." + k + "........"});
    Record([] { T_BLOCK::DrawAll(); });  // decodes the style's strip
    int rgb[3];
    KindColour(c.Kind, rgb[0], rgb[1], rgb[2]);
    EXPECT_FALSE(rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255);
    if (c.Strong >= 0) {
      EXPECT_GT(rgb[c.Strong], rgb[c.Weak] + 40);
    }

    for (auto& b : Blocks) b->FlagSelect = 1;
    const int64_t start = Frame.Now;
    T_FX::ExplodeSelectedBlocks(300, 0, -1);
    BurstSelectedBlocks(300);
    T_BLOCK::SetSelectedBlocksTimer(300);

    // Shown (300 - 96 = 204 has bit 64): each piece swells past its cell.
    Frame.Now = start + 96;
    auto calls = Record([] { T_BLOCK::DrawAll(); });
    const float grown = static_cast<float>(96 + 2 * std::max(1, 96 / 20));
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&](const DrawCall& d) {
      return d.Kind == DrawKind::Stretched && std::abs(2 * d.W - grown) < 0.5f;
    }));
    EXPECT_TRUE(Record([] { DrawBursts(); }).empty());  // nothing before the pieces vanish
    // Hidden (300 - 140 = 160 lacks bit 64): the flash, a tint of the colour.
    Frame.Now = start + 140;
    calls = Record([] { T_BLOCK::DrawAll(); });
    EXPECT_EQ(Fills(calls, (3 * rgb[0] + 255) / 4, (3 * rgb[1] + 255) / 4, (3 * rgb[2] + 255) / 4), 3 * 3);

    for (Frame.Now = start + 16; Frame.Now < start + 380; Frame.Now += 16) DoBursts();
    calls = Record([] { DrawBursts(); });
    EXPECT_GE(Fills(calls, rgb[0], rgb[1], rgb[2]), 16 + 3);  // the ring's dots and some shards
    for (; Frame.Now < start + 1300; Frame.Now += 16) DoBursts();
    EXPECT_TRUE(Shards.empty());
    EXPECT_TRUE(Rings.empty());
    EXPECT_TRUE(Record([] { DrawBursts(); }).empty());
  }
}

// A released fragment starts at three quarters of a cell round the centre of
// its cell and gets smaller and fainter every frame until it is no longer
// drawn; it stays in the list until it has left the screen.
TEST_F(Burst, FragmentsShrinkAndFadeAsTheyFall) {
  board_test::PlaceRows({"..........", "....0....."});
  for (auto& b : Blocks) b->FlagSelect = 1;
  T_FX::ExplodeSelectedBlocks(0, 0, 0);
  Frame.Now += 16;
  T_FX::DoBlocksExplosion();  // released
  float lastSide = 1e9f, lastAlpha = 2;
  int drawnFrames = 0;
  for (int frame = 0; frame < 200 && !Fragments.empty(); frame++) {
    T_FX::DoBlocksExplosion();
    if (Fragments.empty()) break;
    const T_FX& f = *Fragments.front();
    const auto calls = Record([] { T_FX::DrawAll(); });
    const auto fragment = std::find_if(calls.begin(), calls.end(), [](const DrawCall& d) { return d.Img != ShadowStrip; });
    if (fragment == calls.end()) continue;
    drawnFrames++;
    const float side = 2 * fragment->W;
    if (drawnFrames == 1) {
      EXPECT_LE(side, 0.75f * 96 + 4);
      EXPECT_NEAR(fragment->X + side / 2, f.X + 48, 1.0f);
    }
    EXPECT_LE(side, lastSide);
    EXPECT_LT(fragment->Alpha, lastAlpha);
    lastSide = side;
    lastAlpha = fragment->Alpha;
  }
  EXPECT_GT(drawnFrames, 10);
  EXPECT_LT(lastSide, 0.5f * 96);
  EXPECT_TRUE(Fragments.empty());  // left the screen in the end
}

}  // namespace
