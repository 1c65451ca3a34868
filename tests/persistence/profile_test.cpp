// The user profile: the exact file written, the packed level value, the
// total play time, a save that cannot write, reading it back, and the sound
// values that damaged or hand-edited profiles get.
#include <sys/resource.h>

#include <csignal>
#include <functional>
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
    ScreenWidth = 1024;
    ScreenHeight = 768;
    BlockSize = 96;
    BorderFix = false;
    SetDisplayQuality(0);
    DesktopWidth = 1920;
    DesktopHeight = 1080;
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
  // Loads a profile made of these bytes.
  void Load(const std::string& bytes) {
    ASSERT_TRUE(WriteWholeFile(ProfilePath, bytes));
    LoadProfile(ProfilePath);
  }
  static bool DefaultResolution() {
    return Wanted.Width == 1024 && Wanted.Height == 768 && Wanted.BlockSize == 96 && ScreenWidth == 1024 &&
           ScreenHeight == 768 && BlockSize == 96;
  }
  static bool IdentityStyles() {
    for (int i = 0; i < COLOUR_SLOTS; ++i)
      if (ColourStyles[i] != i) return false;
    return true;
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
      "\"Language\" = \"pLiMo_text_FR.txt\"\r\n"
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
  // The disk is full: no file may grow past 16 bytes.
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &small);
  SaveProfile(ProfilePath);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
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

TEST_F(Profile, ASavedProfileReadsBackEveryValue) {
  TotalPlayTime = 123456789;
  const int styles[] = {37, 5, 4, 3, 2, 1};
  std::copy(std::begin(styles), std::end(styles), ColourStyles);
  MusicFlag = false;
  LanguageFile = UserDataFolder + "/pLiMo_text_NL.txt";
  ASSERT_TRUE(WriteWholeFile(LanguageFile, "{ Dutch\r\n"));
  ScreenMode = 1;
  Wanted = {1344, 1024, 128};
  BorderFix = true;
  SetDisplayQuality(2);
  CurrentLevel = 4;
  LevelTimer = 5999000;
  media_test::SetClock(500000);
  SaveProfile(ProfilePath);

  // Everything in memory goes elsewhere, then comes back from the file.
  TotalPlayTime = 0;
  ResetColourStyles();
  MusicFlag = true;
  LanguageFile.clear();
  ScreenMode = 0;
  Wanted = {640, 448, 56};
  BorderFix = false;
  SetDisplayQuality(1);
  CurrentLevel = -1;
  LevelTimer = 0;
  StoredVersionTag = "none";
  LoadProfile(ProfilePath);
  EXPECT_EQ(TotalPlayTime, 123456789);
  EXPECT_EQ(std::vector<int>(ColourStyles, ColourStyles + 6), std::vector<int>(styles, styles + 6));
  EXPECT_FALSE(MusicFlag);
  EXPECT_EQ(LanguageFile, UserDataFolder + "/pLiMo_text_NL.txt");
  EXPECT_EQ(ScreenMode, 1);
  EXPECT_EQ(Wanted.Width, 1344);
  EXPECT_EQ(Wanted.Height, 1024);
  EXPECT_EQ(Wanted.BlockSize, 128);
  EXPECT_EQ(BlockSize, 128);
  EXPECT_TRUE(BorderFix);
  EXPECT_EQ(DisplayQuality, 2);
  EXPECT_TRUE(ShadowsOn && ParticlesOn);
  EXPECT_EQ(CurrentLevel, 4);
  EXPECT_EQ(LevelTimer, 5999000);
  EXPECT_EQ(StoredVersionTag, "L1.3.4");
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(Profile, WithoutAFileEveryValueStaysAsItIs) {
  MusicFlag = false;
  LanguageFile = "somewhere/pLiMo_text_EN.txt";
  Wanted = {640, 448, 56};
  CurrentLevel = 3;
  LoadProfile(ProfilePath);
  EXPECT_FALSE(MusicFlag);
  EXPECT_EQ(LanguageFile, "somewhere/pLiMo_text_EN.txt");
  EXPECT_EQ(Wanted.BlockSize, 56);
  EXPECT_EQ(CurrentLevel, 3);
}

TEST_F(Profile, AProfileOfOneLineChangesOnlyThatValue) {
  Load("\"Music Flag\" = 0 { 0/1");
  EXPECT_FALSE(MusicFlag);
  EXPECT_TRUE(DefaultResolution());
  EXPECT_TRUE(IdentityStyles());
  EXPECT_EQ(CurrentLevel, -1);
  EXPECT_TRUE(LanguageFile.empty());
}

TEST_F(Profile, OldLevelKeysAndUnknownKeysAndLinesWithoutAKey) {
  Load("\"Current Level Num\" = 3\n\"Current Level Timer\" = 42000\n\"Current Game Type\" = 1\n"
       "\"Nonsense\" = 5\nMusic Flag = 0\n   { comment\n\n");
  EXPECT_EQ(CurrentLevel, 2);
  EXPECT_EQ(LevelTimer, 42000);
  EXPECT_TRUE(MusicFlag);  // an unquoted key is skipped
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(Profile, AKeyWithoutEqualsIsReportedOnceAndTheOtherLinesAreRead) {
  Load("\"Music Flag\" 0\r\n\"Screen Mode\" 1\r\n\"Border Fix\" = 1\r\n");
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "Missing '=' in user profile !");
  EXPECT_TRUE(MusicFlag);
  EXPECT_EQ(ScreenMode, 0);
  EXPECT_TRUE(BorderFix);
}

TEST_F(Profile, ALanguagePathKeepsItsBytesWhateverTheFileEncoding) {
  // Written one byte per character and read back the same way...
  LanguageFile = UserDataFolder + "/caf\xc3\xa9/pLiMo_text_FR.txt";
  fs::create_directories(UserDataFolder + "/caf\xc3\xa9");
  ASSERT_TRUE(WriteWholeFile(LanguageFile, "{ French\r\n"));
  SaveProfile(ProfilePath);
  const std::string path = LanguageFile;
  LanguageFile.clear();
  LoadProfile(ProfilePath);
  EXPECT_EQ(LanguageFile, path);
  // ...and a profile saved by an editor as UTF-8 with a mark gives the same.
  LanguageFile.clear();
  Load("\xef\xbb\xbf{ edited\r\n\"Language\" = \"" + path + "\"\r\n");
  EXPECT_EQ(LanguageFile, path);
}

// One damaged or hand-edited profile and what must hold after reading it.
struct DamagedCase {
  const char* Name;
  std::string Bytes;
  std::function<bool()> Holds;
};

// The total written by a save, with this run's time added, stays a sane count.
bool SavedTotalIsSmall() {
  media_test::SetClock(500000 + 60000);
  SaveProfile(ProfilePath);
  const std::string text = ReadWholeFile(ProfilePath);
  const size_t at = text.find("\"Total Time\" = ");
  return at != std::string::npos && text.compare(at + 15, 6, "60000 ") == 0;
}

TEST_F(Profile, DamagedProfilesGetSoundValues) {
  static const char BINARY[] = "\x00\xff\x01\"\x02\x80=\x13\r\r\x00\"\"=\"\xfe\n\x00\"Block Size\x00\" = 7\n";
  const auto resolution = [](const std::string& x, const std::string& y, const std::string& bs) {
    return "\"Resolution X\" = " + x + "\n\"Resolution Y\" = " + y + "\n\"Block Size\" = " + bs + "\n";
  };
  const auto levelInfo = [](uint64_t packed) { return "\"Current Level Info\" = " + std::to_string(packed) + "\n"; };
  const std::vector<DamagedCase> cases = {
      {"block size 0", resolution("1024", "768", "0"), DefaultResolution},
      {"negative block size", resolution("1024", "768", "-96"), DefaultResolution},
      {"odd block size", resolution("1024", "768", "95"), DefaultResolution},
      {"block size beyond the desktop", resolution("1024", "768", "400"), DefaultResolution},
      {"resolution 0", resolution("0", "0", "96"), DefaultResolution},
      {"negative resolution", resolution("-1024", "768", "96"), DefaultResolution},
      {"absurd resolution", resolution("99999", "768", "96"), DefaultResolution},
      {"32-bit wrapped resolution", resolution("4294967295", "768", "96"), DefaultResolution},
      {"largest table row on a smaller desktop", resolution("1564", "1200", "150"),
       [] { return Wanted.Width == 1564 && Wanted.Height == 1200 && BlockSize == 150; }},
      {"a size of its own that fits", resolution("1244", "944", "118"),
       [] { return Wanted.Width == 1244 && BlockSize == 118; }},
      {"a board wider than the screen", resolution("320", "200", "96"), DefaultResolution},
      {"cells too small for the side bar", resolution("1024", "768", "2"), DefaultResolution},
      {"a block size whose board size overflows", resolution("1024", "768", "2147483646"), DefaultResolution},
      {"screen mode out of range", "\"Screen Mode\" = 3\n", [] { return ScreenMode == 0; }},
      {"screen mode -1 as stored", "\"Screen Mode\" = 4294967295\n", [] { return ScreenMode == 0; }},
      {"display quality out of range", "\"Display Quality\" = 9\n",
       [] { return DisplayQuality == 0 && ShadowsOn && ParticlesOn && DetailedThumbnailsOn; }},
      {"fewer than six styles", "\"User Style\" = 5,4,3\n", IdentityStyles},
      {"a style the game does not have", "\"User Style\" = 5,4,3,2,1,38\n", IdentityStyles},
      {"styles that are not numbers", "\"User Style\" = a,b,c,d,e,f\n", IdentityStyles},
      {"six good styles", "\"User Style\" = 5, 4 ,3,2,1,37 { comment\n",
       [] { return ColourStyles[0] == 5 && ColourStyles[5] == 37; }},
      {"level below -1", "\"Current Level Num\" = 4294967295\n", [] { return CurrentLevel == -1; }},
      {"level timer above the cap", levelInfo(PackLevelInfo(2, 6000000)),
       [] { return CurrentLevel == 2 && LevelTimer == 0; }},
      {"level timer far above the cap", levelInfo(~uint64_t{0} - 255),
       [] { return LevelTimer == 0; }},
      {"negative total time", "\"Total Time\" = 18446744073709551615\n", [] { return TotalPlayTime == 0; }},
      {"total time at the 64-bit edge", "\"Total Time\" = 9223372036854775807\n",
       [] { return TotalPlayTime == 0 && SavedTotalIsSmall(); }},
      {"level number 2^31", "\"Current Level Num\" = 2147483648\n", [] { return CurrentLevel == -1; }},
      {"language file that does not exist", "\"Language\" = \"/nowhere/pLiMo_text_XX.txt\"\n",
       [] { return LanguageFile.empty(); }},
      {"no line ends", "\"Music Flag\" = 0 \"Screen Mode\" = 1 \"Border Fix\" = 1" + std::string(60000, ' '),
       [] { return !MusicFlag && ScreenMode == 0 && !BorderFix; }},
      {"binary bytes", std::string(BINARY, sizeof(BINARY) - 1) + "\"Music Flag\" = 0\n",
       [] { return !MusicFlag && DefaultResolution(); }},
  };
  for (const DamagedCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SetUp();
    Load(c.Bytes);
    EXPECT_TRUE(c.Holds());
    EXPECT_TRUE(media_test::RecordedMessages().empty());
    TearDown();
  }
}

TEST_F(Profile, AHugeFileIsNotAProfile) {
  {
    std::ofstream out(ProfilePath, std::ios::binary);
    out << "\"Music Flag\" = 0\r\n";
  }
  fs::resize_file(ProfilePath, 100u * 1024 * 1024);
  LoadProfile(ProfilePath);
  EXPECT_TRUE(MusicFlag);
  EXPECT_TRUE(DefaultResolution());
  fs::remove(ProfilePath);
}

TEST_F(Profile, ASavedGameOfAnotherGenerationOrLevelIsForgotten) {
  const std::vector<uint8_t> record(80, 1);
  const auto check = [&](const std::string& version, int level, bool undoKept, int expectedLevel) {
    WriteBytes(UndoPath, record);
    StoredVersionTag = version;
    CurrentLevel = level;
    CheckSavedGame();
    EXPECT_EQ(fs::exists(UndoPath), undoKept) << version << " " << level;
    EXPECT_EQ(CurrentLevel, expectedLevel) << version << " " << level;
  };
  check("L1.3.4", 2, true, 2);
  check("L0.9", 4, true, 4);    // same first letter: nothing changes
  check("P1.3.4", 2, false, -1);
  check("", 2, false, -1);
  check("L1.3.4", LevelCount, true, -1);  // no such level in the bank
  check("L1.3.4", -1, true, -1);
}

}  // namespace
