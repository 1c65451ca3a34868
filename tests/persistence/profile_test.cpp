// The user profile: the exact file written, the packed level value, the
// total play time, and a save that cannot write.
#include <string>

#include "board/tile_styles.h"
#include "persistence/profile.h"
#include "tests/play/board_fixture.h"
#include "tests/support/test_support.h"

namespace {

using test_support::ReadWholeFile;
using test_support::WriteWholeFile;

class Profile : public BoardFixture {
 protected:
  void SetUp() override {
    BoardFixture::SetUp();
    media_test::SetClock(500000);
    RunStartTime = 500000;
    TotalPlayTime = 0;
    StoredVersionTag = VERSION_TAG;
    LanguageFile.clear();
    ResetColourStyles();
    MusicFlag = true;
    ScreenMode = 0;
    Wanted = {1024, 768, 96};
    BorderFix = false;
    SetDisplayQuality(0);
  }
  void TearDown() override {
    SetDisplayQuality(0);
    ParticlesOn = false;
    BoardFixture::TearDown();
  }
  // Line `n` (from 1) of the saved profile, without its CR LF.
  static std::string SavedLine(int n) {
    const std::string text = ReadWholeFile(ProfilePath);
    size_t start = 0;
    for (int i = 1; i < n; ++i) start = text.find("\r\n", start) + 2;
    return text.substr(start, text.find("\r\n", start) - start);
  }
};

TEST_F(Profile, SavesTheTwentyTwoLinesByteForByte) {
  TotalPlayTime = 3600000;
  media_test::SetClock(500000 + 61000);
  const int styles[] = {7, 1, 22, 3, 37, 0};
  std::copy(std::begin(styles), std::end(styles), ColourStyles);
  MusicFlag = false;
  LanguageFile = UserDataFolder + "/pLiMo_text_FR.txt";
  ScreenMode = 2;
  Wanted = {804, 592, 74};
  BorderFix = true;
  SetDisplayQuality(1);
  CurrentLevel = 2;
  LevelTimer = 65000;
  SaveProfile(ProfilePath);
  const std::string expected =
      "{ PLIMO user config\r\n"
      "\"Version\" = \"L1.3.4\"\r\n"
      "\r\n"
      "\"Total Time\" = 3661000     { 0 days, 1 hours and 1 minutes.\r\n"
      "\"User Style\" = 7,1,22,3,37,0\r\n"
      "\"Music Flag\" = 0 { 0/1\r\n"
      "\"Language\" = \"" + UserDataFolder + "/pLiMo_text_FR.txt\"\r\n"
      "\r\n"
      "\"Screen Mode\" = 2 { 0:windowed, 1:Full screen centered, 2:full screen best fit\r\n"
      "\r\n"
      "{ Good screen resolutions: 640x448:56, 804x592:74, 1024x768:96, 1344x1024:128, 1564x1200:150\r\n"
      "\r\n"
      "\"Resolution X\" = 804 { 10 * Block_Size + 64(SideBar)\r\n"
      "\"Resolution Y\" = 592 { 8 * Block_Size\r\n"
      "\"Block Size\" = 74 { should be an even number\r\n"
      "\"Border Fix\" = 1 { 0:no fix, 1:if you have residual pixels around the screen in fullscreen modes\r\n"
      "\r\n"
      "\"Display Quality\" = 1 { 0:automatic, 1:Low details, 2:High details\r\n"
      "\r\n"
      "{ Current game infos\r\n"
      "\"Current Level Info\" = 530580456 { don't modify this\r\n"
      "\r\n";
  EXPECT_EQ(ReadWholeFile(ProfilePath), expected);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(Profile, ThePackedLevelValueGoesBothWays) {
  struct Example {
    int Level;
    int64_t Timer;
    uint64_t Packed;
  };
  const Example examples[] = {{-1, 0, 0}, {0, 0, 256}, {2, 65000, 530580456}, {4, 5999000, 49142564248}};
  for (const Example& e : examples) {
    EXPECT_EQ(PackLevelInfo(e.Level, e.Timer), e.Packed) << e.Level;
    int level = 99;
    int64_t timer = -5;
    UnpackLevelInfo(e.Packed, level, timer);
    EXPECT_EQ(level, e.Level);
    EXPECT_EQ(timer, e.Timer);
  }
}

TEST_F(Profile, TotalTimeCountsTheRunOnceHoweverOftenItSaves) {
  TotalPlayTime = 90061000 - 30000;
  media_test::SetClock(500000 + 30000);
  SaveProfile(ProfilePath);
  EXPECT_EQ(SavedLine(4), "\"Total Time\" = 90061000     { 1 days, 1 hours and 1 minutes.");
  // A second save 10 s later adds those 10 s, not the run's time again.
  media_test::SetClock(500000 + 40000);
  SaveProfile(ProfilePath);
  EXPECT_EQ(SavedLine(4), "\"Total Time\" = 90071000     { 1 days, 1 hours and 1 minutes.");
  EXPECT_EQ(TotalPlayTime, 90061000 - 30000);
}

TEST_F(Profile, ASaveThatCannotWriteKeepsThePreviousProfile) {
  ASSERT_TRUE(WriteWholeFile(ProfilePath, "\"Music Flag\" = 0\r\n"));
  // The temporary file beside the profile cannot be created.
  fs::create_directories(ProfilePath + ".tmp~");
  SaveProfile(ProfilePath);
  EXPECT_EQ(ReadWholeFile(ProfilePath), "\"Music Flag\" = 0\r\n");
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "Error writing profile: " + ProfilePath);

  // Nor can a folder standing where the profile should be.
  const std::string folder = UserDataFolder + "/elsewhere";
  fs::create_directories(folder);
  SaveProfile(folder);
  EXPECT_EQ(media_test::RecordedMessages().size(), 2u);
}

TEST_F(Profile, DisplayQualitySetsItsFourSwitches) {
  SetDisplayQuality(1);
  EXPECT_FALSE(ShadowsOn || ParticlesOn || DetailedThumbnailsOn);
  EXPECT_TRUE(BackgroundImagesOn);
  SetDisplayQuality(7);  // not a quality: only the number changes
  EXPECT_EQ(DisplayQuality, 7);
  EXPECT_FALSE(ShadowsOn);
  SetDisplayQuality(2);
  EXPECT_TRUE(ShadowsOn && ParticlesOn && BackgroundImagesOn && DetailedThumbnailsOn);
  SetDisplayQuality(1);
  SetDisplayQuality(0);
  EXPECT_TRUE(ShadowsOn && ParticlesOn && BackgroundImagesOn && DetailedThumbnailsOn);
}

}  // namespace
