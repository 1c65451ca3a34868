// Every screen id of the running game: where each request leads, what
// Escape does on each screen, and choices cut short by another switch.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/display.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "board/block.h"
#include "effects/effects.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "levels/random_play.h"
#include "localisation/languages.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "menus/text_box.h"
#include "play/play_input.h"
#include "tests/support/headless_game.h"

namespace {

class Screens : public HeadlessGameTest {
 protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    ScreenMode = 0;
    DisplayQuality = 0;
    Start();
    ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  }
  void TearDown() override {
    Shutdown();
    ScreenMode = 0;
    HeadlessGameTest::TearDown();
  }
  static bool HasCaption(const std::string& text) {
    for (const auto& b : Blocks)
      if (b->Text == text) return true;
    return false;
  }
  // Starts a choice with a quick click on the entry's caption and leaves
  // its explosion running.
  void ClickWithoutWaiting(const std::string& key) {
    const T_BLOCK* caption = MenuCaption(key);
    ASSERT_NE(caption, nullptr) << key;
    PointerToCell(caption->XMap, caption->YMap);
    media_test::InjectButtonDown(BUTTON_LEFT);
    ASSERT_TRUE(Frames(1));
    media_test::InjectButtonUp(BUTTON_LEFT);
    ASSERT_TRUE(Frames(1));
    ASSERT_NE(PendingAction, 0);
  }
};

TEST_F(Screens, ScreenModeRequestsReopenTheDisplayAndComeBackToTheScreenMenu) {
  SetScreen(REQ_CENTRED);
  EXPECT_EQ(ScreenState, SCREEN_MODE_MENU);
  EXPECT_EQ(PreviousState, REQ_CENTRED);
  EXPECT_EQ(ScreenMode, 1);
  EXPECT_EQ(ScreenOffsetX, (1920 - 1024) / 2);
  EXPECT_TRUE(HasCaption("-"));

  SetScreen(REQ_BEST_FIT);
  EXPECT_EQ(ScreenState, SCREEN_MODE_MENU);
  EXPECT_EQ(ScreenMode, 2);
  EXPECT_EQ(BlockSize, 134);  // 1080 / 8, made even
  EXPECT_FALSE(HasCaption("-"));
  EXPECT_FALSE(HasCaption("+"));

  SetScreen(REQ_WINDOWED);
  EXPECT_EQ(ScreenState, SCREEN_MODE_MENU);
  EXPECT_EQ(ScreenMode, 0);
  EXPECT_EQ(ScreenOffsetX, 0);
  EXPECT_EQ(BlockSize, 96);
  EXPECT_TRUE(HasCaption("+"));
  EXPECT_EQ(ReturnState, SCREEN_DISPLAY_MENU);
}

TEST_F(Screens, BlockSizeEntriesStepTheSizeAndRebuildTheMenuAtEitherEnd) {
  SetScreen(SCREEN_MODE_MENU);
  // Chosen by a click on the "+" caption, as a player does.
  ASSERT_TRUE(ClickCaption("+"));
  EXPECT_EQ(ScreenState, SCREEN_MODE_MENU);
  EXPECT_EQ(BlockSize, 128);
  for (const auto& b : Blocks) EXPECT_EQ(b->X, b->XMap * 128) << "the menu is built at the new size";
  SetScreen(REQ_LARGER_BLOCKS);
  EXPECT_EQ(BlockSize, 150);
  SetScreen(REQ_LARGER_BLOCKS);
  EXPECT_EQ(BlockSize, 150);
  EXPECT_EQ(ScreenState, SCREEN_MODE_MENU);
  EXPECT_TRUE(HasCaption("+"));

  for (int i = 0; i < 6; ++i) SetScreen(REQ_SMALLER_BLOCKS);
  EXPECT_EQ(BlockSize, 56);
  EXPECT_EQ(ScreenWidth, 640);
  EXPECT_EQ(ScreenState, SCREEN_MODE_MENU);
}

TEST_F(Screens, QualityRequestsSetTheSwitchesAndRebuildTheQualityMenu) {
  SetScreen(REQ_QUALITY_LOW);
  EXPECT_EQ(ScreenState, SCREEN_QUALITY_MENU);
  EXPECT_EQ(DisplayQuality, 1);
  EXPECT_FALSE(ShadowsOn);
  EXPECT_FALSE(ParticlesOn);
  EXPECT_TRUE(HasCaption(GetText("High")));

  SetScreen(REQ_QUALITY_HIGH);
  const size_t blocks = Blocks.size();
  SetScreen(REQ_QUALITY_HIGH);
  EXPECT_EQ(ScreenState, SCREEN_QUALITY_MENU);
  EXPECT_EQ(DisplayQuality, 2);
  EXPECT_TRUE(ShadowsOn);
  EXPECT_TRUE(ParticlesOn);
  EXPECT_EQ(Blocks.size(), blocks);
  EXPECT_EQ(ReturnState, SCREEN_DISPLAY_MENU);
}

TEST_F(Screens, EachScreenSetsItsReturnState) {
  const std::vector<std::pair<int, int>> returns = {
      {SCREEN_OPTIONS_MENU, SCREEN_MAIN_MENU}, {SCREEN_STYLE, SCREEN_OPTIONS_MENU},
      {SCREEN_CREDITS, SCREEN_OPTIONS_MENU},   {SCREEN_DISPLAY_MENU, SCREEN_OPTIONS_MENU},
      {SCREEN_MODE_MENU, SCREEN_DISPLAY_MENU}, {SCREEN_QUALITY_MENU, SCREEN_DISPLAY_MENU},
      {SCREEN_LANGUAGE, SCREEN_OPTIONS_MENU},  {SCREEN_LANGUAGE_FIRST, SCREEN_MAIN_MENU},
      {REQ_LEVEL_MAP, SCREEN_MAIN_MENU},       {SCREEN_MAIN_MENU, SCREEN_MAIN_MENU},
  };
  for (const auto& [id, expected] : returns) {
    ReturnState = -1;
    SetScreen(id);
    EXPECT_EQ(ReturnState, expected) << "screen " << id;
  }
  // The tutorial returns to where it was opened from.
  SetScreen(SCREEN_OPTIONS_MENU);
  SetScreen(SCREEN_TUTORIAL);
  EXPECT_EQ(ReturnState, SCREEN_OPTIONS_MENU);
  // The victory screen keeps the return state it found.
  SetScreen(SCREEN_VICTORY);
  EXPECT_EQ(ReturnState, SCREEN_OPTIONS_MENU);
}

TEST_F(Screens, TheCreditsScreenTakesItsTextAndLeavesTheBoardAlone) {
  SetScreen(SCREEN_OPTIONS_MENU);
  const size_t blocks = Blocks.size();
  SetScreen(SCREEN_CREDITS);
  EXPECT_EQ(CreditsText, GetText("Credits Text"));
  EXPECT_FALSE(CreditsText.empty());
  EXPECT_EQ(Blocks.size(), blocks);
  ASSERT_TRUE(Frames(2));
  EXPECT_EQ(ScreenState, SCREEN_CREDITS);
}

TEST_F(Screens, EscapeLeadsToTheMainMenuExceptOnTheFlagScreens) {
  const int toMainMenu[] = {SCREEN_PLAY,         SCREEN_OPTIONS_MENU, SCREEN_LEVEL_MAP,   SCREEN_STYLE,
                            SCREEN_CREDITS,      SCREEN_DISPLAY_MENU, SCREEN_MODE_MENU,   SCREEN_QUALITY_MENU,
                            SCREEN_VICTORY,      SCREEN_TUTORIAL};
  for (int id : toMainMenu) {
    if (id == SCREEN_PLAY) {
      NextLevel();
    } else {
      SetScreen(id);
    }
    ASSERT_TRUE(PressKey(KEY_ESCAPE)) << "screen " << id;
    EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU) << "screen " << id;
  }
  SetScreen(SCREEN_LANGUAGE);
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  EXPECT_EQ(ScreenState, SCREEN_OPTIONS_MENU);

  SetScreen(SCREEN_LANGUAGE_FIRST);
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  EXPECT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);

  SetScreen(SCREEN_MAIN_MENU);
  EXPECT_FALSE(PressKey(KEY_ESCAPE));
}

// A choice cut short: Escape, the side bar's BACK icon or R while the chosen
// entry explodes must not leave its action to fire on the next screen.
TEST_F(Screens, EscapeDuringAChoiceDropsIt) {
  ASSERT_TRUE(ClickMenuEntry("Options"));
  ClickWithoutWaiting("Credits");
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_EQ(PendingAction, 0);
  ASSERT_TRUE(Frames(120));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_FALSE(ExitScrollOn);
}

TEST_F(Screens, TheSideBarDuringAChoiceDropsIt) {
  ASSERT_TRUE(ClickMenuEntry("Options"));
  ClickWithoutWaiting("Display");
  // BACK is the top slot of the options menu's side bar.
  media_test::InjectPointerMove(ScreenOffsetX + 10 * BlockSize + 20, ScreenOffsetY + BlockSize / 2);
  media_test::InjectButtonDown(BUTTON_LEFT);
  media_test::InjectButtonUp(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  ASSERT_TRUE(Frames(120));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_EQ(PendingAction, 0);
}

TEST_F(Screens, RestartDuringAChoicePlaysTheLevelWithoutSlidingIt) {
  CurrentLevel = 1;
  ClickWithoutWaiting("Options");
  ASSERT_TRUE(Frames(70));  // the board has begun to slide away
  ASSERT_LT(ExitScrollOffset, 0);
  media_test::InjectTypedChar('r');
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_FALSE(ExitScrollOn);

  ASSERT_TRUE(Frames(120));
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(ExitScrollOffset, 0);
  EXPECT_EQ(BoardLevel, 1);
}

TEST_F(Screens, RandomModePlacesAGeneratedLevelAndAMenuBoardNeverRecordsAWin) {
  for (int n = 0; n < LevelCount; ++n) SetRecordLink(n, 4 + 12 * n);
  CurrentLevel = 2;
  ASSERT_TRUE(PressKey(KEY_ENTER));
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  // The level is made over the next frames.
  for (int i = 0; i < 2000 && MakingRandomLevel(); ++i) ASSERT_TRUE(Frames(1));
  EXPECT_EQ(CurrentLevel, -1);
  EXPECT_TRUE(RandomLevelOnBoard());
  for (const auto& b : Blocks) EXPECT_EQ(b->Menu, -1) << "no menu block is played";
  EXPECT_EQ(KindCellsOfBoard(), CurrentRandomLevel.Cells);
}

}  // namespace
