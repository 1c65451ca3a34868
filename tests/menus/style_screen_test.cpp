// The style screen: the ring of unused styles, the colours' row, and the
// apply step that gives a colour the style moved into its cell.
#include <set>

#include "board/tile_styles.h"
#include "tests/play/board_fixture.h"

namespace {

class StyleScreen : public BoardFixture {
 protected:
  void SetUp() override {
    BoardFixture::SetUp();
    ResetColourStyles();
    SoundFlag = false;
  }
  void TearDown() override {
    ResetColourStyles();
    BoardFixture::TearDown();
  }
  // The outer ring's cells, clockwise from the top-left corner.
  static std::vector<std::pair<int, int>> Ring() {
    std::vector<std::pair<int, int>> cells;
    for (int x = 0; x < 10; ++x) cells.emplace_back(x, 0);
    for (int y = 1; y < 8; ++y) cells.emplace_back(9, y);
    for (int x = 8; x >= 0; --x) cells.emplace_back(x, 7);
    for (int y = 6; y >= 1; --y) cells.emplace_back(0, y);
    return cells;
  }
  static void Drag(int fromX, int fromY, int toX, int toY) {
    PointerFrame(fromX, fromY, true, true);
    PointerFrame(toX, toY, false, true);
    PointerFrame(toX, toY, false, false);
  }
};

TEST_F(StyleScreen, SixDistinctStylesStandInRowFourAndTheOthersFillTheRing) {
  const int chosen[COLOUR_SLOTS] = {37, 3, 20, 0, 11, 5};
  std::copy(std::begin(chosen), std::end(chosen), ColourStyles);
  SetScreen(SCREEN_STYLE);
  ASSERT_EQ(ScreenState, SCREEN_STYLE);
  EXPECT_EQ(ReturnState, SCREEN_OPTIONS_MENU);
  ASSERT_EQ(Blocks.size(), 38u);

  for (int j = 0; j < COLOUR_SLOTS; ++j) {
    ASSERT_NE(BlockAt(2 + j, 4), nullptr);
    EXPECT_EQ(BlockAt(2 + j, 4)->Kind - 6, chosen[j]);
  }
  int style = 0;
  for (const auto& [x, y] : Ring()) {
    while (std::count(std::begin(chosen), std::end(chosen), style)) ++style;
    ASSERT_NE(BlockAt(x, y), nullptr) << x << "," << y;
    EXPECT_EQ(BlockAt(x, y)->Kind - 6, style) << x << "," << y;
    ++style;
  }
  while (std::count(std::begin(chosen), std::end(chosen), style)) ++style;
  EXPECT_EQ(style, STYLE_COUNT) << "every other style found its place in the ring";
}

TEST_F(StyleScreen, ColoursSharingAStyleLeaveNoOverlapAndNothingCompletes) {
  const int shared[COLOUR_SLOTS] = {4, 4, 4, 4, 4, 4};
  std::copy(std::begin(shared), std::end(shared), ColourStyles);
  SetScreen(SCREEN_STYLE);
  ASSERT_EQ(Blocks.size(), 38u);
  std::set<std::pair<int, int>> cells;
  for (const auto& b : Blocks) cells.insert({b->XMap, b->YMap});
  EXPECT_EQ(cells.size(), 38u);
  EXPECT_EQ(BlockAt(2, 4)->Kind, 10);
  EXPECT_EQ(BlockAt(3, 4), nullptr);

  // A single style block moved around never explodes.
  Drag(1, 1, 1, 2);
  EXPECT_TRUE(Fragments.empty());
}

TEST_F(StyleScreen, AStyleMovedIntoAColoursCellBecomesThatColoursStyle) {
  SetScreen(SCREEN_STYLE);
  // The default styles 0..5 stand in row 4; move colour 0's block up and out.
  Drag(2, 4, 2, 3);
  EXPECT_EQ(BlockAt(2, 3)->Kind, 6);
  EXPECT_EQ(ColourStyles[0], 0) << "an empty cell keeps the colour's style";

  EXPECT_FALSE(fs::exists(ProfilePath));

  // The ring's block at (0, 4) goes right twice into colour 0's cell; the
  // change is saved in the profile at once.
  const int style = BlockAt(0, 4)->Kind - 6;
  Drag(0, 4, 1, 4);
  EXPECT_EQ(ColourStyles[0], 0);
  EXPECT_FALSE(fs::exists(ProfilePath));
  Drag(1, 4, 2, 4);
  EXPECT_EQ(ColourStyles[0], style);
  for (int j = 1; j < COLOUR_SLOTS; ++j) EXPECT_EQ(ColourStyles[j], j);
  const std::vector<uint8_t> saved = ReadBytes(ProfilePath);
  const std::string text(saved.begin(), saved.end());
  EXPECT_NE(text.find("\"User Style\" = " + std::to_string(style) + ",1,2,3,4,5\r\n"), std::string::npos);

  // Moving inside the board away from row 4 changes and saves nothing.
  fs::remove(ProfilePath);
  Drag(2, 3, 2, 2);
  EXPECT_EQ(ColourStyles[0], style);
  EXPECT_FALSE(fs::exists(ProfilePath));
}

}  // namespace
