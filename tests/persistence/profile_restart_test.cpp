// Quitting and starting the program again: the settings and the level in
// progress come back from the profile, and the saved board resumes as its
// level with its timer running on.
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/display.h"
#include "app/music.h"
#include "app/paths.h"
#include "board/tile_styles.h"
#include "levels/level_lifecycle.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "persistence/best_scores.h"
#include "persistence/profile.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"

namespace {

class ProfileRestart : public HeadlessGameTest {
 protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    MusicFlag = true;
    ScreenMode = 0;
    BorderFix = false;
    SetDisplayQuality(0);
  }
  void TearDown() override {
    ScreenMode = 0;
    SetDisplayQuality(0);
    HeadlessGameTest::TearDown();
  }
  static std::vector<int> Styles() { return std::vector<int>(ColourStyles, ColourStyles + COLOUR_SLOTS); }
};

TEST_F(ProfileRestart, QuitAndStartAgainBringsBackSettingsAndTheLevelInProgress) {
  Start();
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  media_test::InjectTypedChar('m');
  media_test::InjectTypedChar('-');
  ASSERT_TRUE(Frames(2));
  ASSERT_FALSE(MusicFlag);
  ASSERT_EQ(Wanted.BlockSize, 74);
  const std::string language = UserDataFolder + "/pLiMo_text_FR.txt";
  LanguageFile = language;
  const std::vector<int> styles = {3, 4, 5, 0, 1, 2};
  std::copy(styles.begin(), styles.end(), ColourStyles);
  ScreenMode = 1;
  SetDisplayQuality(1);

  // Enter on the main menu starts the first level; play for a while.
  ASSERT_TRUE(PressKey(KEY_ENTER));
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  ASSERT_EQ(CurrentLevel, 0);
  ASSERT_TRUE(Frames(20, 500));
  PushUndo();
  // An earlier win of this level gives it a record of 40 s.
  WonTime = 40000;
  RecordWin();
  ASSERT_TRUE(SaveBestScores());
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  const int64_t timer = LevelTimer;
  ASSERT_GT(timer, 9000);
  ASSERT_FALSE(PressKey(KEY_ESCAPE));
  Shutdown();

  // Nothing of the first run stays in memory.
  MusicFlag = true;
  LanguageFile.clear();
  ResetColourStyles();
  ScreenMode = 0;
  SetDisplayQuality(0);

  Start();
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_EQ(LanguageFile, language);
  EXPECT_FALSE(MusicFlag);
  EXPECT_EQ(Styles(), styles);
  EXPECT_EQ(ScreenMode, 1);
  EXPECT_EQ(Wanted.Width, 804);
  EXPECT_EQ(Wanted.Height, 592);
  EXPECT_EQ(BlockSize, 74);
  EXPECT_EQ(DisplayQuality, 1);
  EXPECT_FALSE(ShadowsOn);
  EXPECT_EQ(CurrentLevel, 0);
  EXPECT_EQ(LevelTimer, timer);
  EXPECT_EQ(UndoRecordCount, 2);

  // Time on the menu does not count; Enter resumes the level as itself.
  ASSERT_TRUE(Frames(5, 1000));
  ASSERT_TRUE(PressKey(KEY_ENTER));
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(CurrentLevel, 0);
  EXPECT_EQ(LevelBannerEnd, Clock + 2000);
  EXPECT_EQ(RecordTime, 40000);
  EXPECT_EQ(LevelStartTime, Clock - timer);
  ASSERT_TRUE(Frames(1, 1000));
  EXPECT_EQ(LevelTimer, timer + 1000);
  EXPECT_EQ(SideBarIcons[4].Index, ICON_TIME);
  EXPECT_EQ(SideBarIcons[4].State, ICON_SHOWN);
  EXPECT_EQ(SideBarIcons[2].State, ICON_SHOWN);  // RESTART

  // R places the level again.
  media_test::InjectTypedChar('r');
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(UndoRecordCount, 1);
  EXPECT_EQ(LevelTimer, 0);
  EXPECT_EQ(CurrentLevel, 0);
  Shutdown();
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(ProfileRestart, AProfileNamingALanguageFileThatIsGoneStartsOnTheFlagScreen) {
  std::filesystem::create_directories(Home / "pLiMo");
  std::ofstream(Home / "pLiMo" / "pLiMo_User_Profile.txt", std::ios::binary)
      << "\"Language\" = \"" << (Home / "pLiMo" / "pLiMo_text_XX.txt").string() << "\"\r\n\"Music Flag\" = 0\r\n";
  Start();
  EXPECT_TRUE(LanguageFile.empty());
  EXPECT_FALSE(MusicFlag);
  EXPECT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);
  EXPECT_EQ(ReturnState, SCREEN_TUTORIAL);
  Shutdown();
}

// A "{" starts a comment and a double quote ends a string in the profile:
// neither may cut the language path when the data folder's path holds them.
TEST_F(ProfileRestart, ALanguageKeptInAFolderNamedWithBraceAndQuoteComesBack) {
  std::filesystem::create_directories(Home / "x{4}\"q");
  media_test::SetUserAppDataFolder((Home / "x{4}\"q").string());
  Start();
  LanguageFile = UserDataFolder + "/pLiMo_text_FR.txt";
  Shutdown();
  LanguageFile.clear();
  Start();
  EXPECT_EQ(LanguageFile, UserDataFolder + "/pLiMo_text_FR.txt");
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Shutdown();
}

}  // namespace
