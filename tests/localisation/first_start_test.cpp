// The first start of the game: the flag screen until a language is chosen,
// then the tutorial in that language.
#include <gtest/gtest.h>

#include <string>

#include "app/display.h"
#include "board/block.h"
#include "app/settings.h"
#include "localisation/languages.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "tests/support/headless_game.h"
#include "tests/support/test_support.h"

namespace {

class FirstStartTest : public HeadlessGameTest {
 protected:
  std::string UserFile(const std::string& name) const { return (Home / "pLiMo" / name).string(); }
  const T_LANG* Find(const std::string& code) const {
    for (const auto& language : Languages)
      if (language->code == code) return language.get();
    return nullptr;
  }
  // A click through the real input path, in game-screen pixels.
  void Click(int x, int y) {
    media_test::InjectPointerMove(x + ScreenOffsetX, y + ScreenOffsetY);
    Frames(1);
    media_test::InjectButtonDown(BUTTON_LEFT);
    Frames(1);
    media_test::InjectButtonUp(BUTTON_LEFT);
    Frames(1);
  }
};

TEST_F(FirstStartTest, FreshHomeOpensTheFlagsAndAFlagLeadsToTheTutorialInItsLanguage) {
  FreshHome();
  Start();
  ASSERT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);
  EXPECT_EQ(ReturnState, SCREEN_TUTORIAL);
  EXPECT_EQ(Languages.size(), 15u);
  EXPECT_EQ(GetText("Play"), "@PLAY");

  EXPECT_TRUE(PressKey(KEY_ESCAPE));  // ignored: there is nowhere to go back to
  EXPECT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);

  const T_LANG* hebrew = Find("HE");
  ASSERT_NE(hebrew, nullptr);
  Click((hebrew->x0 + hebrew->x1) / 2, (hebrew->y0 + hebrew->y1) / 2);
  EXPECT_EQ(ScreenState, SCREEN_TUTORIAL);
  EXPECT_EQ(LanguageFile, UserFile("pLiMo_text_HE.txt"));
  EXPECT_EQ(GetText("LCode"), "HE");
  EXPECT_NE(GetText("Play")[0], '@');
  EXPECT_TRUE(media_test::RecordedMessages().empty());

  // Back from the tutorial, the main menu.
  EXPECT_TRUE(PressKey(KEY_ESCAPE));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
}

TEST_F(FirstStartTest, ASavedLanguageThatCannotBeUsedBringsTheFlagsBack) {
  // A file that is gone.
  LanguageFile = UserFile("pLiMo_text_XX.txt");
  Start();
  EXPECT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);

  // A language whose "Play" the font cannot draw.
  ASSERT_TRUE(test_support::WriteWholeFile(UserFile("unreadable.txt"), "\n\"Play\" = \"\x01\x02\"\n"));
  LanguageFile = UserFile("unreadable.txt");
  Start();
  EXPECT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);
  EXPECT_EQ(ReturnState, SCREEN_TUTORIAL);
}

TEST_F(FirstStartTest, AFlagChosenFromTheOptionsReturnsThereWithCaptionsInThatLanguage) {
  Start();
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  SetScreen(SCREEN_OPTIONS_MENU);
  SetScreen(SCREEN_LANGUAGE);
  ASSERT_EQ(ReturnState, SCREEN_OPTIONS_MENU);
  const T_LANG* chinese = Find("CN");
  ASSERT_NE(chinese, nullptr);
  Click(chinese->x0, chinese->y0);
  EXPECT_EQ(ScreenState, SCREEN_OPTIONS_MENU);
  EXPECT_EQ(LanguageFile, UserFile("pLiMo_text_CN.txt"));
  const std::string style = GetText("Style");
  ASSERT_NE(style[0], '@');
  bool shown = false;
  for (const auto& block : Blocks) shown = shown || block->Text == style;
  EXPECT_TRUE(shown) << "the options menu shows " << style;
}

// The flags follow every change of the game screen, so each one stays on
// the board area and can be clicked; and the keys (a pad's d-pad and A)
// choose a flag as well as the pointer does.
TEST_F(FirstStartTest, AfterASizeChangeEveryFlagIsOnTheBoardAndTheKeysChooseOne) {
  FreshHome();
  Start();
  ASSERT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);
  for (const char* size : {"-", "-", "+"}) {
    media_test::InjectTypedChar(size[0]);
    ASSERT_TRUE(Frames(1));
    for (const auto& language : Languages) {
      EXPECT_LT(language->x1, BOARD_COLUMNS * BlockSize) << language->code << " at block size " << BlockSize;
      EXPECT_LT(language->y1, ScreenHeight) << language->code << " at block size " << BlockSize;
    }
  }
  // The last flag, clicked at its centre after the changes.
  ASSERT_GE(Languages.size(), 3u);
  const T_LANG* last = Languages.back().get();
  media_test::InjectPointerMove((last->x0 + last->x1) / 2 + ScreenOffsetX, (last->y0 + last->y1) / 2 + ScreenOffsetY);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(HoveredLanguage, last);

  // With the pointer off the flags: Right shows the choice on the first
  // flag, the next keys move it, Enter takes it.
  media_test::InjectPointerMove(2 + ScreenOffsetX, 2 + ScreenOffsetY);
  ASSERT_TRUE(Frames(1));
  ASSERT_EQ(HoveredLanguage, nullptr);
  const std::string second = Languages[1]->file;
  for (int key : {KEY_RIGHT, KEY_RIGHT, KEY_DOWN, KEY_UP, KEY_ENTER}) {
    media_test::InjectKeyDown(key);
    media_test::InjectKeyUp(key);
  }
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(LanguageFile, second);
  EXPECT_EQ(ScreenState, SCREEN_TUTORIAL);
  Shutdown();
}

}  // namespace
