// The victory screen: its lines against the record, their slide and sway,
// the replay of the undo records, the confirm, and the win that leads here.
#include <array>
#include <cmath>

#include "app/assets.h"
#include "app/pointer.h"
#include "levels/random_play.h"
#include "levels/victory.h"
#include "persistence/random_scores.h"
#include "localisation/languages.h"
#include "media/media_test.h"
#include "menus/text_box.h"
#include "tests/play/board_fixture.h"
#include "tests/support/test_support.h"

namespace {

using media_test::DrawCall;
using media_test::DrawKind;

class Victory : public BoardFixture {
 protected:
  void SetUp() override {
    BoardFixture::SetUp();
    ScreenWidth = 1024;
    ScreenHeight = 768;
    BlockSize = 96;
    HalfCell = 48;
    LargeFont = nullptr;
    VictoryLines.clear();
    ScreenState = SCREEN_VICTORY;
  }
  void TearDown() override {
    media_test::StopRecording();
    VictoryLines.clear();
    BoardFixture::TearDown();
  }

  struct Line {
    int Y;
    std::string Text;
    int Colour;
  };
  static std::vector<Line> Lines() {
    std::vector<Line> out;
    for (const auto& l : VictoryLines) out.push_back({l->cY, l->Text, l->Color});
    return out;
  }
  static void Build(int level, int64_t won, int64_t record) {
    CurrentLevel = level;
    WonTime = won;
    RecordTime = record;
    BuildVictoryScreen();
  }
  // An undo file of `count` records; record k holds k + 1 pieces, so the
  // number of blocks on the board names the record on show.
  void WriteUndo(int count) {
    std::vector<uint8_t> bytes(80 * count, 0);
    for (int k = 0; k < count; ++k)
      for (int i = 0; i <= k; ++i) bytes[80 * k + 2 * i] = static_cast<uint8_t>(1 + k % 6);
    WriteBytes(UndoPath, bytes);
  }
  // The records shown, one entry per change of the board, over `ms` of
  // frames 16 ms apart; -1 stands for the empty board.
  static std::vector<int> Replay(int ms) {
    std::vector<int> shown;
    for (int t = 0; t < ms; t += 16) {
      Frame.Now += 16;
      UpdateVictoryScreen();
      const int record = static_cast<int>(Blocks.size()) - 1;
      if (shown.empty() || shown.back() != record) shown.push_back(record);
    }
    return shown;
  }
  static std::string Time(int64_t ms) { return FormatTime(ms / 1000); }
  // The loaded texts with the language named in Hebrew or in English.
  static void NameTheLanguage(const std::vector<T_LTEXT>& saved, bool hebrew) {
    Texts = saved;
    Texts.insert(Texts.begin(), T_LTEXT{"LLANGUAGE", hebrew ? "\u05EA\u05D9\u05E8\u05D1\u05E2" : "English"});
  }
};

TEST_F(Victory, AFirstWinIsWellDoneWithTheTimeOnly) {
  Build(0, 10700, 0);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Text, "- 11 -");
  EXPECT_EQ(lines[0].Colour, 0);
  EXPECT_EQ(lines[1].Text, GetText("Well Done"));
  EXPECT_EQ(lines[1].Colour, 2);
  EXPECT_EQ(lines[2].Text, GetText("Time") + Time(10700));
  EXPECT_EQ(lines[2].Colour, 0);
  // On the card: still, centred, one row after the other.
  const T_VICTORY_CARD card = VictoryCard(3);
  int row = 0;
  for (const auto& l : VictoryLines) {
    EXPECT_EQ(l->Mode, 1);
    EXPECT_EQ(l->Timer, 0);
    EXPECT_EQ(l->cY, card.FirstLine + row++ * card.LineStep);
    EXPECT_NEAR(l->cX + StringWidth(l->Text) * l->Scale / 2, card.X + card.W / 2.0, 1.0);
  }
}

TEST_F(Victory, AFasterWinIsANewRecordAndShowsTheOldOne) {
  Build(4, 9900, 10000);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].Text, "- 428 -");
  EXPECT_EQ(lines[1].Text, GetText("Congratulations"));
  EXPECT_EQ(lines[1].Colour, 3);
  EXPECT_EQ(lines[2].Text, GetText("New Record"));
  EXPECT_EQ(lines[2].Colour, 3);
  EXPECT_EQ(lines[3].Text, GetText("Time") + Time(9900));
  EXPECT_EQ(lines[4].Text, GetText("Old Record") + Time(10000));
  EXPECT_EQ(lines[4].Colour, 0);
}

TEST_F(Victory, ASlowerWinCanDoBetterAndShowsTheRecord) {
  Build(1, 10500, 10000);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].Text, GetText("Can Do Better"));
  EXPECT_EQ(lines[1].Colour, 2);
  EXPECT_EQ(lines[2].Text, GetText("Time") + Time(10500));
  EXPECT_EQ(lines[3].Text, GetText("Record") + Time(10000));
}

TEST_F(Victory, AnEqualTimeCanDoBetterWithTheOldRecordOnTheLastRow) {
  Build(1, 10000, 10000);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].Text, GetText("Can Do Better"));
  EXPECT_EQ(lines[3].Text, GetText("Old Record") + Time(10000));
}

TEST_F(Victory, WithoutALevelTheTitleIsTheRandomLevel) {
  Build(-1, 5000, 0);
  ASSERT_FALSE(VictoryLines.empty());
  EXPECT_EQ(VictoryLines.front()->Text, GetText("Random Level"));
}

// A random level won: the title counts the random wins, and its tier's
// best time before this win is the record, in the bank's lines. A board
// that is not a random level (a resumed one never marked) counts nothing.
TEST_F(Victory, ARandomLevelShowsItsWinsAndItsTiersRecord) {
  const T_RANDOM_SCORES saved = RandomScores;
  RandomScores = T_RANDOM_SCORES();
  RandomLevel level = GenerateRandomLevel(7, 0);
  PlaceRandomCells(level);
  RandomScores.BestTime[0] = 40;
  Build(-1, 52000, 0);
  RandomLevelWon(52000);
  Build(-1, 52000, RecordTime);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].Text, GetText("Random Level") + " #1");
  EXPECT_EQ(lines[1].Text, GetText("Can Do Better"));
  EXPECT_EQ(lines[3].Text, GetText("Record") + Time(40000));

  PlaceRandomCells(level);
  RandomLevelWon(31000);
  Build(-1, 31000, RecordTime);
  lines = Lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].Text, GetText("Random Level") + " #2");
  EXPECT_EQ(lines[2].Text, GetText("New Record"));
  EXPECT_EQ(lines[4].Text, GetText("Old Record") + Time(40000));
  EXPECT_EQ(RandomScores.BestTime[0], 31);

  BoardLevel = -1;
  Build(-1, 31000, 0);
  EXPECT_EQ(Lines()[0].Text, GetText("Random Level"));
  RandomScores = saved;
}

TEST_F(Victory, LinesSlideInFromTheRightThenSway) {
  // At these clock times the sway of a line on row 324 is at its middle
  // (sin 0) or at its right end (sin 90).
  const int64_t middle = 144 + 1440 * 20;
  const int64_t right = 504 + 1440 * 20;
  Frame.Now = middle - 1500;
  T_VICTORY_LINE* line = T_VICTORY_LINE::Add("Bravo", 3, 324, 0, 0);
  const int cX = line->cX;
  media_test::StartRecording();
  Frame.Now = middle;
  line->Draw();
  Frame.Now = middle + 3 * 1440;  // after the slide: swaying in mode 2
  line->Draw();
  Frame.Now = right + 3 * 1440;
  line->Draw();
  const auto& calls = media_test::RecordedDraws();
  ASSERT_EQ(calls.size(), 6u);  // shadow and text each time
  EXPECT_EQ(calls[0].R, 0);
  EXPECT_EQ(calls[0].X, cX + 512 + 4);
  EXPECT_EQ(calls[1].X, cX + 512);  // 1024 x 1500 / 3000 right of its place
  EXPECT_EQ(calls[1].Y, 324);
  EXPECT_EQ(calls[3].X, cX);
  EXPECT_EQ(line->Mode, 2);
  EXPECT_EQ(line->Timer, 0);
  EXPECT_EQ(calls[5].X, cX + 30);
}

TEST_F(Victory, ColoursPulseTogether) {
  T_VICTORY_LINE::Add("a", 1, 0, 0, 1);
  T_VICTORY_LINE::Add("b", 1, 0, 0, 2);
  T_VICTORY_LINE::Add("c", 1, 0, 0, 3);
  T_VICTORY_LINE::Add("d", 0, 0, 0, 7);
  media_test::StartRecording();
  Frame.Now = 360 * 100 + 90;  // sin 90
  for (const auto& l : VictoryLines) l->Draw();
  Frame.Now = 360 * 100 + 270;  // sin -90
  for (const auto& l : VictoryLines) l->Draw();
  std::vector<std::array<int, 3>> colours;
  for (const DrawCall& c : media_test::RecordedDraws())
    if (c.R + c.G + c.B > 0) colours.push_back({c.R, c.G, c.B});
  const std::vector<std::array<int, 3>> expected = {
      {255, 0, 0}, {64, 255, 0}, {255, 1, 0},   {255, 255, 255},
      {255, 0, 0}, {192, 255, 0}, {255, 255, 0}, {255, 255, 255}};
  EXPECT_EQ(colours, expected);
}

TEST_F(Victory, ReplayOfThreeRecordsRunsBackwardsPausesForwardsAndEmpty) {
  WriteUndo(3);
  Build(0, 1000, 0);
  ASSERT_EQ(ReplayCount, 3);
  RestartReplay();
  EXPECT_EQ(Replay(5000), (std::vector<int>{2, 1, 0, 1, 2, -1, 2, 1, 0, 1, 2, -1, 2, 1, 0}));
}

TEST_F(Victory, ReplayTimesFiftyMillisecondsAStepAndASecondAtEachTurn) {
  WriteUndo(4);
  Build(0, 1000, 0);
  RestartReplay();
  std::vector<std::pair<int, int>> runs;  // record, frames on show
  for (int t = 0; t < 3000; t += 16) {
    Frame.Now += 16;
    UpdateVictoryScreen();
    const int record = static_cast<int>(Blocks.size()) - 1;
    if (runs.empty() || runs.back().first != record) runs.push_back({record, 0});
    runs.back().second++;
  }
  ASSERT_GE(runs.size(), 8u);
  const int order[] = {3, 2, 1, 0, 1, 2, 3, -1};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(runs[i].first, order[i]) << i;
  // A step waits until its 50 ms have passed: 4 frames of 16 ms.
  EXPECT_EQ(runs[1].second, 4);
  // The start is shown for the pause and once more on the way forwards.
  EXPECT_EQ(runs[3].second, 63 + 4);
  EXPECT_EQ(runs[7].second, 63);
}

TEST_F(Victory, ReplayOfOneOrTwoRecords) {
  WriteUndo(1);
  Build(0, 1000, 0);
  RestartReplay();
  EXPECT_EQ(Replay(4500), (std::vector<int>{0, -1, 0, -1, 0}));
  WriteUndo(2);
  Build(0, 1000, 0);
  RestartReplay();
  EXPECT_EQ(Replay(4500), (std::vector<int>{1, 0, 1, -1, 1, 0, 1, -1, 1, 0}));
}

TEST_F(Victory, AMissingShortOrDamagedUndoFileGivesAnEmptyOrPartialReplay) {
  Place({"1.........", "..........", "..........", "..........",
         "..........", "..........", "..........", "........21"});
  Build(0, 1000, 0);  // no undo file
  EXPECT_EQ(ReplayCount, 0);
  RestartReplay();
  EXPECT_EQ(Replay(3000), (std::vector<int>{-1}));

  WriteBytes(UndoPath, std::vector<uint8_t>(79, 1));
  Build(0, 1000, 0);
  EXPECT_EQ(ReplayCount, 0);
  EXPECT_EQ(Replay(3000), (std::vector<int>{-1}));

  // Two whole records and a torn third; bytes that are no colour are left out.
  std::vector<uint8_t> bytes(200, 0);
  bytes[0] = 1;
  bytes[80] = 2;
  bytes[81] = 200;
  bytes[82] = 3;
  bytes[170] = 4;
  WriteBytes(UndoPath, bytes);
  Build(0, 1000, 0);
  EXPECT_EQ(ReplayCount, 2);
  RestartReplay();
  EXPECT_EQ(Replay(2500), (std::vector<int>{1, 0, 1, -1, 1, 0}));
  ShowReplayRecord(2);  // past the end: nothing is read
  EXPECT_TRUE(Blocks.empty());
  ShowReplayRecord(-1);
  EXPECT_TRUE(Blocks.empty());
}

TEST_F(Victory, AClickOrSpaceOpensTheMapAndEnterDoesNothing) {
  Build(0, 1000, 0);
  VictoryKey({KEY_ENTER, KEY_ENTER});
  EXPECT_EQ(ScreenState, SCREEN_VICTORY);
  VictoryKey({KEY_SPACE, ' '});
  EXPECT_EQ(ScreenState, SCREEN_LEVEL_MAP);

  ScreenState = SCREEN_VICTORY;
  Frame.LeftHit = 1;
  UpdateVictoryScreen();
  EXPECT_EQ(ScreenState, SCREEN_LEVEL_MAP);
}

// The card stands between the logo and the two foot lines at every block
// size, for every number of lines; its lines and its two buttons stay on
// it, side by side, the next level on the side a reader ends on.
TEST_F(Victory, TheCardFitsBetweenTheLogoAndTheFootLinesAtEveryBlockSize) {
  const std::vector<T_LTEXT> saved = Texts;
  struct Size {
    int Width, Height, Block;
  };
  for (const Size size : {Size{640, 448, 56}, Size{804, 592, 74}, Size{1024, 768, 96}, Size{1344, 1024, 128},
                          Size{1564, 1200, 150}}) {
    ScreenWidth = size.Width;
    ScreenHeight = size.Height;
    BlockSize = size.Block;
    HalfCell = size.Block / 2;
    for (const bool hebrew : {false, true}) {
      NameTheLanguage(saved, hebrew);
      for (int lines = 3; lines <= 5; ++lines) {
        SCOPED_TRACE(testing::Message() << size.Block << " px, " << lines << " lines, hebrew " << hebrew);
        const T_VICTORY_CARD c = VictoryCard(lines);
        const int B = size.Block;
        SelectFont(SmallFont);
        const int foot = 2 * (FontHeight() + 6);
        SelectFont(nullptr);
        EXPECT_GE(c.X, 0);
        EXPECT_LE(c.X + c.W, 10 * B);
        EXPECT_GE(c.Y, LogoHeight() - B / 5);
        EXPECT_LE(c.Y + c.H, 8 * B - foot);
        EXPECT_GE(c.LineStep, B / 2);  // rows stay legible
        EXPECT_LE(c.FirstLine + lines * c.LineStep, c.ButtonY - B * 2 / 5);
        const int left = std::min(c.MapX, c.NextX), right = std::max(c.MapX, c.NextX);
        EXPECT_GE(left - c.ButtonWidth / 2, c.X);
        EXPECT_LE(right + c.ButtonWidth / 2, c.X + c.W);
        EXPECT_GE(right - left, c.ButtonWidth);
        EXPECT_LE(c.ButtonY + B * 2 / 5, c.Y + c.H);
        EXPECT_EQ(c.NextX > c.MapX, !hebrew);
      }
    }
  }
  Texts = saved;
}

// A click on the card's "next level" button plays the next level, on its
// map button opens the map, anywhere else does what Space does; in either
// reading direction. The screen shows its card with both captions on it.
TEST_F(Victory, TheCardsButtonsLeadToTheNextLevelOrTheMap) {
  const std::vector<T_LTEXT> saved = Texts;
  struct Case {
    const char* Where;
    bool Hebrew;
    int Screen;
  };
  for (const Case& c : {Case{"next", false, SCREEN_PLAY}, Case{"map", false, SCREEN_LEVEL_MAP},
                        Case{"next", true, SCREEN_PLAY}, Case{"map", true, SCREEN_LEVEL_MAP},
                        Case{"elsewhere", false, SCREEN_LEVEL_MAP}}) {
    SCOPED_TRACE(testing::Message() << c.Where << (c.Hebrew ? " hebrew" : ""));
    NameTheLanguage(saved, c.Hebrew);
    SetRecordLink(0, 4);
    ScreenState = SCREEN_VICTORY;
    KeyboardMode = 0;
    Build(0, 1000, 0);
    const T_VICTORY_CARD card = VictoryCard(static_cast<int>(VictoryLines.size()));
    const std::string where = c.Where;
    Frame.PointerX = where == "next" ? card.NextX : where == "map" ? card.MapX : card.X + 2;
    Frame.PointerY = where == "elsewhere" ? card.Y + 2 : card.ButtonY;
    media_test::StartRecording();
    DrawVictoryScreen();
    media_test::StopRecording();
    int captions = 0;
    for (const DrawCall& d : media_test::RecordedDraws()) {
      if (d.Kind != DrawKind::Text || (d.Text != NextLevelCaption() && d.Text != LevelMapCaption())) continue;
      captions++;
      EXPECT_GE(d.X, card.X);
      EXPECT_LE(d.X + d.W, card.X + card.W);
      EXPECT_LE(d.Y + d.H, card.Y + card.H);
    }
    EXPECT_EQ(captions, 2);
    Frame.LeftHit = 1;
    UpdateVictoryScreen();
    Frame.LeftHit = 0;
    EXPECT_EQ(ScreenState, c.Screen);
    if (c.Screen == SCREEN_PLAY) {
      EXPECT_EQ(CurrentLevel, 1);
    }
  }
  Texts = saved;
}

TEST_F(Victory, WithTheKeyboardCursorSpaceStartsTheNextLevelWithoutARecord) {
  SetRecordLink(0, 4);
  Build(0, 1000, 0);
  KeyboardMode = 1;
  VictoryKey({KEY_SPACE, ' '});
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(CurrentLevel, 1);
  EXPECT_EQ(Blocks.size(), 50u);
}

TEST_F(Victory, AWinShowsTheVictoryScreenWithTheReplayAndDeletesTheUndoFile) {
  CurrentLevel = 0;
  LoadLevel(0);
  WriteUndo(3);
  UndoRecordCount = 3;
  ClearBoard();
  LevelTimer = 10700;
  KeyboardMode = 2;
  CheckLevelWon();
  EXPECT_EQ(ScreenState, SCREEN_VICTORY);
  EXPECT_EQ(KeyboardMode, 1);
  EXPECT_EQ(ReplayCount, 3);
  EXPECT_EQ(ReplayIndex, 2);
  EXPECT_EQ(ReplayDirection, 0);
  EXPECT_EQ(NextStepTime, 0);
  EXPECT_FALSE(fs::exists(UndoPath));
  EXPECT_EQ(UndoRecordCount, 0);
  EXPECT_NE(RecordLink(0), 0);
  ASSERT_EQ(VictoryLines.size(), 3u);
  EXPECT_EQ((*std::next(VictoryLines.begin()))->Text, GetText("Well Done"));
  EXPECT_EQ(ReadBytes(BestScoresPath).size(), 16u);
  // The replay starts from the last record.
  Frame.Now += 16;
  UpdateVictoryScreen();
  EXPECT_EQ(Blocks.size(), 3u);
}

TEST_F(Victory, TheHintPointerBlinksEvery512ms) {
  ASSERT_TRUE(test_support::OpenTestDisplay(64, 64));
  Image* saved[2] = {PointerImage, PressedPointerImage};
  PointerImage = CreateTargetImage(213, 256);
  PressedPointerImage = CreateTargetImage(213, 256);
  media_test::StartRecording();
  for (int64_t now : {1024, 1535, 1536, 2047, 2048}) {
    Frame.Now = now;
    DrawBlinkingPointer();
  }
  const auto& calls = media_test::RecordedDraws();
  ASSERT_EQ(calls.size(), 5u);
  const Image* expected[] = {PointerImage, PointerImage, PressedPointerImage, PressedPointerImage, PointerImage};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(calls[i].Img, expected[i]) << i;
    EXPECT_FLOAT_EQ(calls[i].X, 9 * 96 + 48 - 85 * PointerScale());
    EXPECT_FLOAT_EQ(calls[i].Y, 6 * 96 + 48 - 50 * PointerScale());
  }
  FreeImage(PointerImage);
  FreeImage(PressedPointerImage);
  PointerImage = saved[0];
  PressedPointerImage = saved[1];
}

}  // namespace
