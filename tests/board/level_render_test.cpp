// Each of the five levels drawn headlessly at block size 96 with the real
// tile art, saved as a PNG under the build folder for people to look at,
// and checked pixel by pixel: pieces cover their cells, shadows fall only
// next to pieces, other empty cells keep the background.
#include "app/archive.h"
#include "board/board_draw.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "tests/board/draw_fixture.h"

namespace {

constexpr uint32_t BACKGROUND = 0x808080FF;  // mid grey, opaque

class LevelRenderTest : public board_test::BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    RegisterArchive();
    size_t length = 0;
    for (const char* member : {"Data/lite2.lvl", "Data/TabFrame3.bin", "Data/pLiMo_fx_shadows.png"}) {
      if (!EmbeddedData(member, &length)) GTEST_SKIP() << member << " not in the archive yet";
    }
    for (int c = 0; c < COLOUR_SLOTS; c++) {
      if (!EmbeddedData(TILE_STYLE_FILES[c], &length)) GTEST_SKIP() << TILE_STYLE_FILES[c] << " not in the archive yet";
    }
    ASSERT_TRUE(test_support::OpenTestDisplay(1024, 768));
    LoadTileStyles();
    LoadShapeTable("incbin::Data/TabFrame3.bin");
    LoadLevelBank();
    ASSERT_EQ(LevelCount, 5);
    LevelBannerEnd = 0;
    ParticlesOn = false;  // keeps the picture the same from run to run
  }

  void DrawBoard(bool shadows) {
    ShadowsOn = shadows;
    SetDrawOrigin(0, 0);
    SetClipArea(0, 0, 1024, 768);
    SetClearColour(128, 128, 128);
    ClearClipArea();
    DrawPlay();
  }
};

// Pixels of a cell every 4 pixels across and down.
std::vector<uint32_t> CellSamples(int cx, int cy) {
  std::vector<uint32_t> out;
  for (int y = cy * 96 + 1; y < cy * 96 + 96; y += 4) {
    for (int x = cx * 96 + 1; x < cx * 96 + 96; x += 4) out.push_back(media_test::ReadPixel(x, y));
  }
  return out;
}

bool Occupied(int x, int y) { return x >= 0 && x < 10 && y >= 0 && y < 8 && KindGrid[x][y] != -1; }

TEST_F(LevelRenderTest, EveryLevelDrawsPiecesShadowsAndEmptyCells) {
  for (int n = 0; n < LevelCount; n++) {
    LoadLevel(n);
    DrawBoard(false);
    std::vector<std::vector<uint32_t>> plain;
    for (int c = 0; c < 80; c++) plain.push_back(CellSamples(c % 10, c / 10));
    DrawBoard(true);
    const std::string png = (board_test::TestOutputFolder() / ("level-" + LevelLabel(n + 1) + ".png")).string();
    EXPECT_TRUE(media_test::SaveBackBufferPNG(png)) << png;

    int piecesCovered = 0, shadowed = 0;
    for (int cy = 0; cy < 8; cy++) {
      for (int cx = 0; cx < 10; cx++) {
        const int px = cx * 96 + 48, py = cy * 96 + 48;
        if (Occupied(cx, cy)) {
          piecesCovered += media_test::ReadPixel(px, py) != BACKGROUND;
          continue;
        }
        // An empty cell: untouched unless a piece stands left of, above or
        // diagonally above-left of it (where its shadow may fall).
        const bool shadowReach = Occupied(cx - 1, cy) || Occupied(cx, cy - 1) || Occupied(cx - 1, cy - 1);
        const std::vector<uint32_t> now = CellSamples(cx, cy);
        const std::vector<uint32_t>& before = plain[cy * 10 + cx];
        if (!shadowReach) {
          for (size_t i = 0; i < now.size(); i++) {
            ASSERT_EQ(now[i], BACKGROUND) << "level " << n << " cell " << cx << "," << cy << " sample " << i;
            ASSERT_EQ(before[i], BACKGROUND) << "level " << n << " cell " << cx << "," << cy << " sample " << i;
          }
        }
        shadowed += now != before;
      }
    }
    EXPECT_EQ(piecesCovered, static_cast<int>(Blocks.size())) << "level " << n;
    EXPECT_GT(shadowed, 0) << "level " << n << ": no shadow fell beside any piece";
  }
}

}  // namespace

namespace {

TEST_F(LevelRenderTest, EveryStyleStripHasItsFramesAndSpareSlotsStayEmpty) {
  size_t length = 0;
  for (int s = 0; s < STYLE_COUNT; s++) {
    if (!EmbeddedData(TILE_STYLE_FILES[s], &length)) continue;  // art still to come
    ASSERT_NE(StyleImage[s], nullptr) << TILE_STYLE_FILES[s];
    EXPECT_EQ(ImageFrames(StyleImage[s]), 30) << TILE_STYLE_FILES[s];
    EXPECT_EQ(ImageWidth(StyleImage[s]), 48);
    EXPECT_EQ(ImageHeight(StyleImage[s]), 48);
  }
  for (int s = STYLE_COUNT; s < STYLE_SLOTS; s++) EXPECT_EQ(StyleImage[s], nullptr);
  ASSERT_NE(ShadowStrip, nullptr);
  EXPECT_EQ(ImageFrames(ShadowStrip), 28);
  if (EmbeddedData("Data/pLiMo_fx_highlight.png", &length)) {
    ASSERT_NE(HighlightStrip, nullptr);
    EXPECT_EQ(ImageFrames(HighlightStrip), 28);
  }
}

}  // namespace
