// The sub-screens' dressing at every block size: a title ribbon over rows no
// menu entry uses, the style screen's instruction and marked colour cells,
// and flags that lift under the pointer while staying clear of the logo.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/display.h"
#include "levels/level_lifecycle.h"
#include "levels/victory.h"
#include "localisation/languages.h"
#include "menus/ribbon.h"
#include "menus/screens.h"
#include "menus/text_box.h"
#include "tests/support/headless_game.h"
#include "tests/support/test_support.h"

namespace {

using media_test::DrawCall;
using media_test::DrawKind;

class SubScreens : public HeadlessGameTest {
 protected:
  static const DrawCall* TextCall(const std::vector<DrawCall>& calls, const std::string& text) {
    for (const DrawCall& c : calls)
      if (c.Kind == DrawKind::Text && c.Text == text && c.R == 255) return &c;
    return nullptr;
  }
};

bool Overlap(float l1, float t1, float r1, float b1, float l2, float t2, float r2, float b2) {
  return l1 < r2 && l2 < r1 && t1 < b2 && t2 < b1;
}

TEST_F(SubScreens, EachHasItsTitleOnARibbonOverRowsNoEntryUses) {
  Start();
  for (const Resolution& r : RESOLUTIONS) {
    AtResolution(r);
    for (const int screen : {SCREEN_OPTIONS_MENU, SCREEN_DISPLAY_MENU, SCREEN_QUALITY_MENU, SCREEN_MODE_MENU,
                             SCREEN_STYLE}) {
      SCOPED_TRACE(testing::Message() << r.BlockSize << " px, screen " << screen);
      SetScreen(screen);
      ASSERT_TRUE(Frames(3));
      const auto calls = RecordedFrame();
      const std::string title = ScreenTitle(screen);
      ASSERT_FALSE(title.empty());
      const T_RIBBON rib = TitleRibbon(title, RibbonCentreY());
      const float B = static_cast<float>(BlockSize);
      const float left = static_cast<float>(rib.X - rib.Tail), right = static_cast<float>(rib.X + rib.W + rib.Tail);
      const float top = static_cast<float>(rib.Y), bottom = static_cast<float>(rib.Y + rib.H + rib.H / 3);
      const DrawCall* text = TextCall(calls, title);
      ASSERT_NE(text, nullptr);
      EXPECT_GE(text->X, rib.X);
      EXPECT_LE(text->X + text->W, rib.X + rib.W);
      EXPECT_GE(text->Y, rib.Y);
      EXPECT_LE(text->Y + text->H, rib.Y + rib.H + 1);
      // Inside the style screen's ring of blocks, below the options menu's
      // button row, and over no block.
      EXPECT_GE(left, B);
      EXPECT_LE(right, 9 * B);
      EXPECT_GT(top, screen == SCREEN_OPTIONS_MENU ? B : 0);
      for (const auto& b : Blocks) {
        const float x = static_cast<float>(b->XMap) * B, y = static_cast<float>(b->YMap) * B;
        EXPECT_FALSE(Overlap(left, top, right, bottom, x, y, x + B, y + B)) << b->XMap << ", " << b->YMap;
      }
      // White on the band, read back: at least 7:1.
      const uint32_t band = media_test::ReadPixel(rib.X + 2, rib.Y + rib.H / 2);
      EXPECT_GE(test_support::PixelContrast(0xFFFFFFFF, band), 7.0);
      if (screen != SCREEN_STYLE) continue;
      // The instruction between the ribbon and the colour cells (in Chinese
      // too, whose line has no space to break at), and a golden rim round
      // each of the six cells.
      const std::string help = GetText("Style Help");
      int lines = 0;
      for (const DrawCall& c : calls) {
        std::string line = c.Text;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        if (c.Kind != DrawKind::Text || c.R != 255 || line.size() < 3 || help.find(line) == std::string::npos) continue;
        lines++;
        EXPECT_GE(c.Y, bottom);
        EXPECT_LE(c.Y + c.H, 4 * B);
        EXPECT_GE(c.X, B);
        EXPECT_LE(c.X + c.W, 9 * B);
      }
      EXPECT_GE(lines, 1);
      for (int j = 0; j < 6; ++j) {
        const float cellLeft = static_cast<float>(2 + j) * B, cellTop = 4 * B;
        const bool rimmed = std::any_of(calls.begin(), calls.end(), [&](const DrawCall& c) {
          return c.Kind == DrawKind::Fill && c.R == BUTTON_RED && c.G == BUTTON_GREEN && c.B == BUTTON_BLUE &&
                 c.X < cellLeft && c.X + c.W > cellLeft + B && c.Y < cellTop + B / 2 && c.Y + c.H > cellTop + B / 2;
        });
        EXPECT_TRUE(rimmed) << "colour cell " << j;
      }
    }
  }
}

// Flags start below the "lite" tag of the picture, the hovered one is drawn
// lifted over a shadow, and its language's name stays on the screen below
// the flags, at every resolution.
TEST_F(SubScreens, FlagsKeepClearOfTheLogoAndLiftUnderThePointer) {
  Start();
  for (const Resolution& r : RESOLUTIONS) {
    AtResolution(r);
    SCOPED_TRACE(r.BlockSize);
    SetScreen(SCREEN_LANGUAGE);
    ASSERT_TRUE(Frames(2));
    ASSERT_FALSE(Languages.empty());
    const T_LANG& flag = *Languages[3];
    for (const auto& l : Languages) EXPECT_GE(l->y0, 0.305 * 8 * BlockSize + 12);
    media_test::InjectPointerMove(ScreenOffsetX + (flag.x0 + flag.x1) / 2, ScreenOffsetY + (flag.y0 + flag.y1) / 2);
    ASSERT_TRUE(Frames(1));
    const auto calls = RecordedFrame();
    ASSERT_EQ(HoveredLanguage, &flag);
    const DrawCall* picture = nullptr;
    const DrawCall* name = nullptr;
    for (const DrawCall& c : calls) {
      if (c.Img == flag.bitmap) picture = &c;
      if (c.Kind == DrawKind::Text && c.Text == flag.name && c.R == 255) name = &c;
    }
    ASSERT_NE(picture, nullptr);
    EXPECT_LT(picture->Y - ScreenOffsetY, flag.y0);  // lifted
    const bool shadow = std::any_of(calls.begin(), calls.end(), [&](const DrawCall& c) {
      return c.Kind == DrawKind::Fill && c.R == 0 && c.Y - ScreenOffsetY > flag.y0 && c.X - ScreenOffsetX > flag.x0;
    });
    EXPECT_TRUE(shadow);
    ASSERT_NE(name, nullptr);
    EXPECT_GT(name->Y - ScreenOffsetY, Languages.back()->y1);
    EXPECT_LE(name->Y - ScreenOffsetY + name->H, ScreenHeight);
  }
}

// In every language at the smallest screen: the victory card holds its
// lines and its buttons' captions, the style screen's instruction stays on
// one line inside the ring of styles, and the editor's two foot lines fit
// the board's width.
TEST_F(SubScreens, EveryLanguagesTextsFitTheVictoryCardAndTheEditorsFoot) {
  Start();
  AtResolution(RESOLUTIONS[RESOLUTION_ROWS - 1]);
  ASSERT_EQ(BlockSize, 56);
  ScanLanguages();
  ASSERT_EQ(Languages.size(), 15u);
  std::vector<std::string> files;
  for (const auto& l : Languages) files.push_back(l->file);
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    ASSERT_EQ(LoadLanguage(file), 1);
    CurrentLevel = 0;
    WonTime = 61000;
    RecordTime = 65000;  // a new record: the most lines
    BuildVictoryScreen();
    SetScreen(SCREEN_VICTORY);
    auto calls = RecordedFrame();
    const T_VICTORY_CARD card = VictoryCard(static_cast<int>(VictoryLines.size()));
    std::vector<std::string> texts = {NextLevelCaption(), LevelMapCaption()};
    for (const auto& line : VictoryLines) texts.push_back(line->Text);
    for (const std::string& text : texts) {
      const auto drawn = std::find_if(calls.begin(), calls.end(), [&](const DrawCall& c) {
        return c.Kind == DrawKind::Text && c.Text == text && (c.R != 0 || c.G != 0 || c.B != 0);
      });
      ASSERT_NE(drawn, calls.end()) << text;
      EXPECT_GE(drawn->X, card.X) << text;
      EXPECT_LE(drawn->X + drawn->W, card.X + card.W) << text;
      EXPECT_GE(drawn->Y, card.Y) << text;
      EXPECT_LE(drawn->Y + drawn->H, card.Y + card.H) << text;
    }
    SetScreen(SCREEN_STYLE);
    calls = RecordedFrame();
    const DrawCall* instruction = TextCall(calls, GetText("Style Help"));
    ASSERT_NE(instruction, nullptr);
    EXPECT_GE(instruction->X, BlockSize);
    EXPECT_LE(instruction->X + instruction->W, 9 * BlockSize);
    SetScreen(SCREEN_EDITOR);
    calls = RecordedFrame();
    const DrawCall* help = TextCall(calls, GetText("Editor Help"));
    ASSERT_NE(help, nullptr);
    EXPECT_GE(help->X, 0);
    EXPECT_LE(help->X + help->W, BOARD_COLUMNS * BlockSize);
  }
}

}  // namespace
