// The life of a level: fresh and resumed starts, restart, the next level,
// the win, the record time, the timer and the banner.
#include "levels/random_play.h"
#include "tests/play/board_fixture.h"

namespace {

using LevelLifecycle = BoardFixture;

int BlockCount() { return static_cast<int>(Blocks.size()); }

TEST_F(LevelLifecycle, NextLevelStartsTheFirstLevelWithoutARecord) {
  SetRecordLink(0, 4);
  SetRecordLink(2, 16);
  Frame.Now = 70000;
  NextLevel();
  EXPECT_EQ(CurrentLevel, 1);
  EXPECT_EQ(BlockCount(), 50);
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(MusicTrack, 2);
  EXPECT_EQ(UndoRecordCount, 1);
  EXPECT_EQ(ReadBytes(UndoPath).size(), 80u);
  EXPECT_EQ(LevelTimer, 0);
  EXPECT_EQ(LevelStartTime, 70000);
  EXPECT_EQ(LevelBannerEnd, 72000);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

// Random mode places a generated level as level -1, never plays on whatever
// board was shown (a menu), and times it afresh from the message's dismissal.
TEST_F(LevelLifecycle, WithEveryLevelWonRandomModePlacesAGeneratedLevelFreshly) {
  for (int n = 0; n < LevelCount; ++n) SetRecordLink(n, 4 + 12 * n);
  Place({"12........", "..........", "..........", "..........",
         "..........", "..........", "..........", "........21"});
  CurrentLevel = 3;
  LevelTimer = 9000;
  ScreenState = SCREEN_MAIN_MENU;
  // The player reads the message for 20 s; that wait is not play time.
  Frame.Now = 70000;
  media_test::SetClock(90000);
  NextLevel();
  // The level is made a slice per frame on an empty board; the play screen
  // starts it once placed.
  EXPECT_TRUE(Blocks.empty());
  Frame.Now = 90000;
  while (MakingRandomLevel()) {
    if (MakeRandomLevelSlice()) StartLevel(1);
  }
  EXPECT_EQ(LevelStartTime, 90000);
  EXPECT_EQ(LevelBannerEnd, 92000);
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "All levels are played, Random mode activated");
  EXPECT_EQ(CurrentLevel, -1);
  EXPECT_TRUE(RandomLevelOnBoard());
  EXPECT_EQ(KindCellsOfBoard(), CurrentRandomLevel.Cells);
  EXPECT_NE(BoardRows()[7], "........21");
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(LevelTimer, 0);
  EXPECT_EQ(UndoRecordCount, 1);
}

TEST_F(LevelLifecycle, RestartPlacesTheLevelAgainAndIsIgnoredWithoutALevel) {
  Place({"1.........", "..........", "..........", "..........",
         "..........", "..........", "..........", ".........1"});
  RestartLevel();
  EXPECT_EQ(BlockCount(), 2);
  EXPECT_FALSE(fs::exists(UndoPath));

  CurrentLevel = 2;
  RestartLevel();
  EXPECT_EQ(BlockCount(), 60);
  EXPECT_EQ(UndoRecordCount, 1);
  EXPECT_EQ(ScreenState, SCREEN_PLAY);

  // The 'r' key does the same from the play input.
  PointerFrame(8, 1, true, true);
  PointerFrame(9, 1, false, true);
  ASSERT_EQ(UndoRecordCount, 2);
  PlayKey({'R', 'r'});
  EXPECT_EQ(UndoRecordCount, 1);
  EXPECT_EQ(DraggingFlag, 0);
  EXPECT_EQ(BoardRows()[1], "3..3611.1.");
}

TEST_F(LevelLifecycle, AResumeGoesOnFromTheSavedTimerAndKeepsTheHistory) {
  CurrentLevel = 0;
  LoadLevel(0);
  ResetUndo();
  PushUndo();
  ASSERT_EQ(UndoRecordCount, 2);
  LevelTimer = 65000;
  ScreenState = SCREEN_MAIN_MENU;
  Frame.Now = 500000;  // time spent on the menu does not count
  StartLevel(0);
  EXPECT_EQ(LevelStartTime, 435000);
  EXPECT_EQ(UndoRecordCount, 2);
  Frame.Now += 20;
  UpdatePlay();
  EXPECT_EQ(LevelTimer, 65020);
}

TEST_F(LevelLifecycle, TheRecordTimeIsTheBestTimeOrElseTheLastTime) {
  BestScores.Bytes = {1, 0, 0, 0, 24, 0, 3, 0, 40, 0, 0, 0, 0, 0, 0, 0,
                      126, 0, 3, 0, 40, 0, 0, 0, 30, 0, 0, 0};
  BestScoreCount = 2;
  SetRecordLink(0, 4);
  SetRecordLink(1, 16);
  CurrentLevel = 0;
  LoadRecordTime();
  EXPECT_EQ(RecordTime, 40000);
  CurrentLevel = 1;
  LoadRecordTime();
  EXPECT_EQ(RecordTime, 30000);
  CurrentLevel = 2;
  LoadRecordTime();
  EXPECT_EQ(RecordTime, 0);
}

TEST_F(LevelLifecycle, AWinRecordsTheTimeDeletesTheHistoryAndEndsTheSavedGame) {
  CurrentLevel = 0;
  LoadLevel(0);
  ResetUndo();
  for (int i = 0; i < 11; ++i) PushUndo();
  ClearBoard();
  T_BLOCK::addBlock(4, 4, 2)->Timer = Frame.Now + 100;  // still blinking
  CheckLevelWon();
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(UndoRecordCount, 12);

  ClearBoard();
  KeyboardMode = 2;
  MusicFlag = true;
  MusicTrack = 2;
  LevelStartTime = Frame.Now - 10700;
  UpdatePlay();
  EXPECT_EQ(WonTime, 10700);
  EXPECT_EQ(ScreenState, SCREEN_VICTORY);
  EXPECT_EQ(MusicTrack, 0);  // the victory jingle
  EXPECT_EQ(KeyboardMode, 1);
  EXPECT_EQ(UndoRecordCount, 0);
  EXPECT_FALSE(fs::exists(UndoPath));
  EXPECT_EQ(LevelStartTime, 0);
  EXPECT_EQ(ReadBytes(BestScoresPath),
            (std::vector<uint8_t>{1, 0, 0, 0, 24, 0, 11, 0, 10, 0, 0, 0, 0, 0, 0, 0}));

  // With the saved game gone, the first Enter on the menu starts the first
  // level without a record.
  ScreenState = SCREEN_MAIN_MENU;
  KeyboardMode = 0;
  PlayKey({KEY_ENTER, KEY_ENTER});
  EXPECT_EQ(CurrentLevel, 1);
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(KeyboardMode, 1);
}

TEST_F(LevelLifecycle, AWinOnABoardThatIsNoBankLevelRecordsNothing) {
  CurrentLevel = -1;
  UndoRecordCount = 3;
  CheckLevelWon();
  EXPECT_EQ(UndoRecordCount, 0);
  EXPECT_FALSE(fs::exists(BestScoresPath));
  EXPECT_EQ(BestScoreCount, 0);

  // A board that claims the current level but was not placed from the bank
  // (a menu played as a level) leaves the level's record alone.
  CurrentLevel = 2;
  SetScreen(SCREEN_MAIN_MENU);
  ASSERT_EQ(BoardLevel, -1);
  BeginLevel(1);
  ClearBoard();
  CheckLevelWon();
  EXPECT_EQ(ScreenState, SCREEN_VICTORY);
  EXPECT_FALSE(fs::exists(BestScoresPath));
  EXPECT_EQ(RecordLink(2), 0);

  // A resumed board is the saved board of the current level: its win counts.
  LoadLevel(2);
  ResetUndo();
  SetScreen(SCREEN_MAIN_MENU);
  ASSERT_EQ(ResumeFromUndo(), 1);
  StartLevel(0);
  ClearBoard();
  CheckLevelWon();
  EXPECT_TRUE(fs::exists(BestScoresPath));
  EXPECT_NE(RecordLink(2), 0);
}

TEST_F(LevelLifecycle, TheBannerFadesOverTwoSecondsAndNeedsALevel) {
  ASSERT_TRUE(OpenDisplay(1024, 768, false));
  auto bannerTexts = [] {
    media_test::StartRecording();
    DrawLevelBanner();
    media_test::StopRecording();
    std::vector<media_test::DrawCall> texts;
    for (const auto& call : media_test::RecordedDraws())
      if (call.Kind == media_test::DrawKind::Text) texts.push_back(call);
    return texts;
  };
  CurrentLevel = 3;
  Frame.Now = 1000;
  BeginLevel(1);
  auto texts = bannerTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Text, "273");
  EXPECT_EQ(texts[0].R, 0);
  EXPECT_FLOAT_EQ(texts[0].Alpha, 1.0f);
  EXPECT_EQ(texts[1].R, 255);
  EXPECT_FLOAT_EQ(texts[1].X + 20, texts[0].X);
  EXPECT_FLOAT_EQ(texts[1].ScaleX, 5.0f);

  // With the banner font the number is drawn at its own size, unscaled
  // (sharp), as tall as the large font five times over.
  Font* const large = LoadTrueTypeFont(std::string(EMBEDDED_PREFIX) + "Data/a2.ttf", LargeFontPixels());
  BannerFont = LoadTrueTypeFont(std::string(EMBEDDED_PREFIX) + "Data/a2.ttf", BANNER_FONT_TIMES * LargeFontPixels());
  ASSERT_NE(BannerFont, nullptr);
  texts = bannerTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_FLOAT_EQ(texts[1].ScaleX, 1.0f);
  SelectFont(large);
  EXPECT_NEAR(texts[1].H, BANNER_FONT_TIMES * FontHeight(), BANNER_FONT_TIMES * 2);
  SelectFont(nullptr);
  FreeFont(BannerFont);
  FreeFont(large);
  BannerFont = nullptr;

  Frame.Now = 2000;
  texts = bannerTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_FLOAT_EQ(texts[1].Alpha, 0.5f);

  Frame.Now = 3001;
  EXPECT_TRUE(bannerTexts().empty());
  EXPECT_EQ(LevelBannerEnd, 0);

  CurrentLevel = -1;
  Frame.Now = 5000;
  BeginLevel(1);
  EXPECT_TRUE(bannerTexts().empty());
}

}  // namespace
