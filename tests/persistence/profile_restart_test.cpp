// Quitting and starting the program again: the settings and the level in
// progress come back from the profile, and the saved board resumes as its
// level with its timer running on.
#include <sys/stat.h>

#include <filesystem>
#include <functional>
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
#include "tests/support/test_support.h"

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

// A player file damaged or replaced in turn: each case starts the game,
// draws frames and ends it; the damaged file costs only its own values, and
// a file the game could not read is still on disk as it was.
TEST_F(ProfileRestart, HostilePlayerFilesCostOnlyTheirOwnValues) {
  const auto data = [this](const std::string& name) { return (Home / "pLiMo" / name).string(); };
  const auto write = [](const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  };
  const auto sparse = [&](const std::string& path) {
    write(path, "\"Music Flag\" = 0\r\n");
    std::filesystem::resize_file(path, uintmax_t{4} << 30);
  };
  const auto fits = [] {
    return Wanted.Width >= BOARD_COLUMNS * Wanted.BlockSize + SIDE_BAR_WIDTH &&
           Wanted.Height >= BOARD_ROWS * Wanted.BlockSize && Wanted.Width <= DesktopWidth &&
           Wanted.Height <= DesktopHeight && Wanted.BlockSize >= 56;
  };
  const std::string outside = (Home / "victim.bin").string();
  std::string victim;
  for (int i = 0; i < 1000; ++i) victim += static_cast<char>(1 + i % 6);
  constexpr size_t ANY_ONE = 99;  // at most one message
  struct Case {
    const char* Name;
    std::function<void()> Prepare;
    std::function<bool()> Holds;     // after the start and some frames
    std::function<bool()> OnDisk;    // after the end of the program
    size_t Messages;
  };
  std::vector<Case> cases = {
      {"a sparse 4 GiB profile", [&] { sparse(ProfilePath); },
       [] { return ScreenState == SCREEN_MAIN_MENU && MusicFlag; },
       [&] { return std::filesystem::file_size(ProfilePath) == uintmax_t{4} << 30; }, 1},
      {"a profile naming a sparse 4 GiB language file",
       [&] {
         sparse(data("pLiMo_text_XX.txt"));
         write(ProfilePath, "\"Language\" = \"" + data("pLiMo_text_XX.txt") + "\"\r\n");
       },
       [] { return ScreenState == SCREEN_LANGUAGE_FIRST && LanguageCount == 15; }, [] { return true; }, 1},
      {"a sparse 4 GiB copy of a shipped language", [&] { sparse(data("pLiMo_text_EN.txt")); },
       [] { return ScreenState == SCREEN_MAIN_MENU || ScreenState == SCREEN_LANGUAGE_FIRST; },
       [] { return true; }, ANY_ONE},
      {"a total time at the 64-bit edge", [&] { write(ProfilePath, "\"Total Time\" = 9223372036854775807\r\n"); },
       [] { return TotalPlayTime == 0; }, [] { return true; }, 0},
      {"a level number of 2^31", [&] { write(ProfilePath, "\"Current Level Num\" = 2147483648\r\n"); },
       [] { return CurrentLevel == -1; }, [] { return true; }, 0},
      {"a folder in place of the profile", [&] { std::filesystem::create_directory(ProfilePath); },
       [] { return ScreenState == SCREEN_MAIN_MENU; }, [&] { return std::filesystem::is_directory(ProfilePath); }, 1},
      {"a pipe in place of the profile", [&] { ASSERT_EQ(mkfifo(ProfilePath.c_str(), 0644), 0); },
       [] { return ScreenState == SCREEN_MAIN_MENU; }, [&] { return std::filesystem::is_fifo(ProfilePath); }, 1},
      {"320 x 200 at block size 96",
       [&] { write(ProfilePath, "\"Resolution X\" = 320\r\n\"Resolution Y\" = 200\r\n\"Block Size\" = 96\r\n"); },
       fits, [] { return true; }, 0},
      {"block size 2",
       [&] { write(ProfilePath, "\"Resolution X\" = 1024\r\n\"Resolution Y\" = 768\r\n\"Block Size\" = 2\r\n"); },
       fits, [] { return true; }, 0},
      {"a link in place of the undo file",
       [&] {
         write(outside, victim);
         std::filesystem::create_symlink(outside, UndoPath);
         write(ProfilePath, "\"Version\" = \"L1.3.4\"\r\n\"Current Level Info\" = 256\r\n");
       },
       [this] {
         // Play the level, make a move's worth of frames and take it back.
         if (!PressKey(KEY_ENTER) || ScreenState != SCREEN_PLAY) return false;
         media_test::InjectButtonDown(BUTTON_RIGHT);
         media_test::InjectButtonUp(BUTTON_RIGHT);
         return Frames(3);
       },
       [&] { return test_support::ReadWholeFile(outside) == victim; }, 1},
  };
  // Root reads a file without permissions anyway: the folder and the pipe
  // above stand for it there.
  if (geteuid() != 0) {
    cases.push_back({"a profile without read permission",
                     [&] {
                       write(ProfilePath, "\"Music Flag\" = 1\r\n");
                       std::filesystem::permissions(ProfilePath, std::filesystem::perms::none);
                     },
                     [] { return ScreenState == SCREEN_MAIN_MENU; },
                     [&] {
                       std::filesystem::permissions(ProfilePath, std::filesystem::perms::owner_all);
                       return test_support::ReadWholeFile(ProfilePath) == "\"Music Flag\" = 1\r\n";
                     },
                     1});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    SetUp();
    std::filesystem::create_directories(Home / "pLiMo");
    BuildUserPaths();
    c.Prepare();
    Start();
    EXPECT_TRUE(Frames(5));
    EXPECT_TRUE(c.Holds());
    EXPECT_TRUE(Frames(5));
    Shutdown();
    EXPECT_TRUE(c.OnDisk());
    if (c.Messages == ANY_ONE) {
      EXPECT_LE(media_test::RecordedMessages().size(), 1u);
    } else {
      EXPECT_EQ(media_test::RecordedMessages().size(), c.Messages);
    }
    TearDown();
  }
}

}  // namespace
