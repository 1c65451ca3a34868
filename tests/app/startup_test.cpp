// The whole program without a screen: start-up, frames with injected input,
// the global keys, the music fade and shutdown.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "app/archive.h"
#include "app/archive_members.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/main_loop.h"
#include "app/music.h"
#include "app/paths.h"
#include "app/settings.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"

namespace fs = std::filesystem;

namespace {

class StartUpTest : public HeadlessGameTest {
 protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    MusicFlag = true;
    ScreenMode = 0;
    BorderFix = false;
    CustomCursor = false;
  }
  std::set<std::string> DataFiles() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(Home / "pLiMo")) names.insert(entry.path().filename().string());
    return names;
  }
};

TEST_F(StartUpTest, HeadlessRunCopiesTheLanguagesShowsTheMainMenuAndSavesOnlyTheProfile) {
  Start();
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_TRUE(Frames(30));

  std::set<std::string> expected;
  for (int i = 0; i < ARCHIVE_MEMBER_COUNT; i++) {
    const std::string name = ARCHIVE_MEMBERS[i].Name;
    const bool languageCopy = name.rfind("Data/pLiMo_text_", 0) == 0 ||
                              (i >= 3 && i < 33 && name.size() > 4 && name.substr(name.size() - 4) == ".png");
    if (languageCopy && ARCHIVE_MEMBERS[i].Start) expected.insert(name.substr(5));
  }
  expected.insert(COPIES_RECORD_FILE);  // what was written into each copy
  EXPECT_EQ(DataFiles(), expected);

  // Escape on the main menu ends the loop; shutting down writes the profile
  // but no undo history and no best scores.
  EXPECT_FALSE(PressKey(KEY_ESCAPE));
  Shutdown();
  expected.insert("pLiMo_User_Profile.txt");
  EXPECT_EQ(DataFiles(), expected);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(StartUpTest, FirstStartOnASmallDesktopFitsTheWindow) {
  media_test::SetDesktopSize(800, 600);
  FreshHome();
  Start();
  EXPECT_EQ(ScreenWidth, 640);
  EXPECT_EQ(ScreenHeight, 448);
  EXPECT_EQ(BlockSize, 56);
  Shutdown();
}

TEST_F(StartUpTest, CountsWholeUndoRecordsOfTheSavedHistory) {
  fs::create_directories(Home / "pLiMo");
  std::ofstream(Home / "pLiMo" / "pLiMo_Undo.bin", std::ios::binary) << std::string(79, '\1');
  Start();
  EXPECT_EQ(UndoRecordCount, 0);
  Shutdown();

  std::ofstream(Home / "pLiMo" / "pLiMo_Undo.bin", std::ios::binary) << std::string(161, '\1');
  Start();
  EXPECT_EQ(UndoRecordCount, 2);
  Shutdown();
}

TEST_F(StartUpTest, MusicKeySilencesAtOnceAndFadesBackInOverThreeSeconds) {
  Start();
  ASSERT_TRUE(MusicFlag);
  media_test::InjectTypedChar('m');
  Frames(1);
  EXPECT_FALSE(MusicFlag);
  EXPECT_FLOAT_EQ(media_test::ChannelVolume(MusicChannel), 0.0f);

  media_test::InjectTypedChar('M');
  Frames(1);
  const int fadeStart = Clock;
  EXPECT_TRUE(MusicFlag);
  EXPECT_EQ(MusicTrack, 1);
  EXPECT_NEAR(media_test::ChannelVolume(MusicChannel), 0.0f, 1e-6);
  Frames(1, 1500);
  EXPECT_NEAR(media_test::ChannelVolume(MusicChannel), 0.15f, 1e-3);
  Frames(1, fadeStart + 3000 - Clock);
  EXPECT_NEAR(media_test::ChannelVolume(MusicChannel), 0.3f, 1e-6);
  Frames(1, 1000);
  EXPECT_NEAR(media_test::ChannelVolume(MusicChannel), 0.3f, 1e-6);
  Shutdown();
}

TEST_F(StartUpTest, BlockSizeKeysReopenTheDisplayOnlyWhenTheSizeChanges) {
  Start();
  ASSERT_EQ(BlockSize, 96);
  media_test::InjectTypedChar('-');
  Frames(1);
  EXPECT_EQ(BlockSize, 74);
  EXPECT_EQ(ScreenWidth, 804);
  media_test::InjectTypedChar('+');
  Frames(1);
  EXPECT_EQ(BlockSize, 96);
  Shutdown();
}

TEST_F(StartUpTest, EscapeOnAnotherScreenReturnsToTheMainMenu) {
  Start();
  SetScreen(SCREEN_OPTIONS_MENU);
  EXPECT_TRUE(PressKey(KEY_ESCAPE));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);

  SetScreen(SCREEN_LANGUAGE_FIRST);
  EXPECT_TRUE(PressKey(KEY_ESCAPE));
  EXPECT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);
  Shutdown();
}

TEST_F(StartUpTest, AClosedWindowEndsTheLoop) {
  Start();
  EXPECT_TRUE(Frames(2));
  media_test::InjectCloseRequest();
  EXPECT_FALSE(Frames(1));
  Shutdown();
}

TEST_F(StartUpTest, AUserDataFolderThatCannotBeCreatedStopsTheStart) {
  std::ofstream(Home / "blocker") << "a file, not a folder";
  media_test::SetUserAppDataFolder((Home / "blocker").string());
  EXPECT_FALSE(StartUp());
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "Error creating user data directory: " + (Home / "blocker").string() + "/pLiMo");
}

}  // namespace
