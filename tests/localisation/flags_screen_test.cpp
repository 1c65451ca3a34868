// Layout, hover and choice on the flag screens.
#include <gtest/gtest.h>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/settings.h"
#include "localisation/languages.h"
#include "menus/screens.h"
#include "tests/localisation/language_fixture.h"

namespace {

class FlagsScreenTest : public LanguageTest {
 protected:
  void SetUp() override {
    LanguageTest::SetUp();
    Frame = FrameInput();
    TouchMode = false;
    LanguageFile.clear();
  }
  void TearDown() override {
    LanguageFile.clear();
    LanguageTest::TearDown();
  }
  // `count` languages without pictures, laid out at a block size.
  void LayOut(int count, int blockSize, int screenHeight) {
    Languages.clear();
    for (int i = 0; i < count; i++) {
      auto language = std::make_unique<T_LANG>();
      language->code = std::to_string(i);
      Languages.push_back(std::move(language));
    }
    BlockSize = blockSize;
    ScreenHeight = screenHeight;
    T_LANG::InitFlagsSelection();
  }
  void Pointer(int x, int y, bool hit) {
    Frame.PointerX = x;
    Frame.PointerY = y;
    Frame.LeftHit = hit ? 1 : 0;
    T_LANG::DoFlagsSelection();
  }
};

TEST_F(FlagsScreenTest, FifteenFlagsAtTheLargestBlocksMakeRowsOfNineAndSix) {
  LayOut(15, 96, 768);
  // 9 per row, 2 rows: y = (768 - 160 + 5) / 2 + 40 = 346.
  EXPECT_EQ(Languages[0]->x0, (960 - 945 + 5) / 2);
  EXPECT_EQ(Languages[0]->y0, 346);
  EXPECT_EQ(Languages[0]->x1 - Languages[0]->x0, 100);
  EXPECT_EQ(Languages[0]->y1 - Languages[0]->y0, 75);
  EXPECT_EQ(Languages[8]->x0, 10 + 8 * 105);
  EXPECT_EQ(Languages[9]->y0, 426);
  EXPECT_EQ(Languages[9]->x0, (960 - 630 + 5) / 2);  // the short row is centred by itself
  EXPECT_EQ(Languages[14]->x0, Languages[9]->x0 + 5 * 105);
}

TEST_F(FlagsScreenTest, FifteenFlagsAtTheSmallestBlocksMakeThreeRowsOfFive) {
  LayOut(15, 56, 448);
  // Centred as at the larger sizes ((448 - 240 + 5) / 2 + 40 = 146) the
  // first row would touch the logo's "lite" tag, whose foot lies at 30.5 %
  // of the board's height: it starts a lift and a margin below it.
  EXPECT_EQ(Languages[0]->y0, static_cast<int>(0.305f * 448) + 5 + 14);
  EXPECT_EQ(Languages[5]->y0, Languages[0]->y0 + 80);
  EXPECT_EQ(Languages[14]->y0, Languages[0]->y0 + 160);
  EXPECT_EQ(Languages[5]->x0, Languages[0]->x0);
  EXPECT_EQ(Languages[0]->x0, (560 - 525 + 5) / 2);
}

TEST_F(FlagsScreenTest, HoverIncludesTheLastPixelAndStaysWhileOverTheSideBar) {
  LayOut(3, 96, 768);
  const T_LANG& second = *Languages[1];
  Pointer(second.x1, second.y1, false);
  EXPECT_EQ(HoveredLanguage, Languages[1].get());
  Pointer(second.x1 + 1, second.y1, false);  // the gap between flags
  EXPECT_EQ(HoveredLanguage, nullptr);
  Pointer(second.x0, second.y0, false);
  Pointer(10 * 96 + 5, 10, true);  // side bar: no change, the click is not ours
  EXPECT_EQ(HoveredLanguage, Languages[1].get());
  EXPECT_TRUE(LanguageFile.empty());
}

TEST_F(FlagsScreenTest, NoLanguageMeansNothingToChoose) {
  LayOut(0, 96, 768);
  ScreenState = SCREEN_LANGUAGE_FIRST;
  Pointer(480, 384, true);
  EXPECT_EQ(HoveredLanguage, nullptr);
  EXPECT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);
  T_LANG::DrawFlagsSelection();  // draws nothing, and does not fail
}

TEST_F(FlagsScreenTest, ClickingAFlagLoadsItsLanguageAndGoesToTheReturnState) {
  CopyShipped("pLiMo_text_FR.txt");
  CopyShipped("French.png");
  CopyShipped("pLiMo_text_EN.txt");
  CopyShipped("English.png");
  ScanLanguagesIn(Dir.Path());
  BlockSize = 96;
  ScreenHeight = 768;
  T_LANG::InitFlagsSelection();
  ASSERT_EQ(Languages.size(), 2u);
  ASSERT_EQ(Languages[1]->code, "FR");

  ScreenState = SCREEN_LANGUAGE_FIRST;
  ReturnState = SCREEN_TUTORIAL;
  Pointer(Languages[1]->x0 + 50, Languages[1]->y0 + 30, true);
  EXPECT_EQ(LanguageFile, Dir.File("pLiMo_text_FR.txt"));
  EXPECT_EQ(GetText("Play"), "Jouer");
  EXPECT_EQ(ScreenState, SCREEN_TUTORIAL);
  EXPECT_EQ(ReturnState, SCREEN_MAIN_MENU);
}

TEST_F(FlagsScreenTest, AFileThatVanishedBeforeTheClickChangesNothing) {
  Write("pLiMo_text_X.txt", "\"LCode\" = \"X\"\n\"LLanguage\" = \"Ex\"\n\"LFlagFile\" = \"x.png\"\n");
  CopyShipped("English.png", "x.png");
  ScanLanguagesIn(Dir.Path());
  BlockSize = 96;
  ScreenHeight = 768;
  T_LANG::InitFlagsSelection();
  ASSERT_EQ(Languages.size(), 1u);
  std::filesystem::remove(Dir.File("pLiMo_text_X.txt"));
  T_LTEXT::AddText("Play", "kept");
  ScreenState = SCREEN_LANGUAGE;
  ReturnState = SCREEN_OPTIONS_MENU;
  Pointer(Languages[0]->x0, Languages[0]->y0, true);
  EXPECT_EQ(ScreenState, SCREEN_LANGUAGE);
  EXPECT_TRUE(LanguageFile.empty());
  EXPECT_EQ(GetText("Play"), "kept");
  EXPECT_EQ(media_test::RecordedMessages(), std::vector<std::string>{"Error opening file: " + Dir.File("pLiMo_text_X.txt")});
}

}  // namespace
