// Which level a game in progress is, across screens and restarts: leaving the
// map while a chosen card zooms, a program killed during a level or right
// at its win, and the records each win lands in.
#include <filesystem>
#include <functional>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/paths.h"
#include "levels/daily.h"
#include "levels/level_code.h"
#include "levels/level_lifecycle.h"
#include "levels/level_par.h"
#include "levels/random_play.h"
#include "levels/shared_level.h"
#include "menus/text_box.h"
#include "persistence/best_scores.h"
#include "persistence/custom_levels.h"
#include "persistence/daily_scores.h"
#include "persistence/random_scores.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"

namespace {

namespace fs = std::filesystem;
using test_support::Cells;
using test_support::Solve;

class LevelIdentity : public HeadlessGameTest {
 protected:
  // From the main menu to the level map, at rest.
  bool OpenMap() { return ClickMenuEntry("Play") && Frames(90); }
  // Level "11" chosen on the map and one move made in it.
  bool PlayOneMoveOfTheFirstLevel() {
    if (!OpenMap() || !TapCard(0) || !WaitForPlay()) return false;
    const test_support::Move m = Solve(LevelCells(0)).front();
    return DragOneCell(m.Cell, m.Dx, m.Dy) && Frames(50, 100);
  }
  void ExpectOnlyThisLevelRecorded(int level) {
    for (int n = 0; n < LevelCount; ++n) EXPECT_EQ(RecordLink(n) != 0, n == level) << "level " << n;
    EXPECT_EQ(RandomScores.Wins, 0);
  }
};

TEST_F(LevelIdentity, LeavingTheMapDuringAZoomKeepsTheGameInProgressAsItsOwnLevel) {
  enum Way { ESCAPE, BACK_ICON, LAST_ICON, QUIT };
  const struct {
    Way way;
    int card;  // 5: the random card
  } rows[] = {{ESCAPE, 1}, {BACK_ICON, 1}, {LAST_ICON, 1}, {QUIT, 1}, {ESCAPE, 5}, {QUIT, 5}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "way " << row.way << ", card " << row.card);
    fs::remove_all(Home / "pLiMo");
    Start();
    ASSERT_TRUE(Frames(2));
    ASSERT_TRUE(PlayOneMoveOfTheFirstLevel());
    const Cells board = BoardCells();
    ASSERT_TRUE(PressKey(KEY_ESCAPE));
    const int64_t timer = LevelTimer;
    ASSERT_TRUE(OpenMap());
    ASSERT_TRUE(TapCard(row.card));
    for (int i = 0; i < 2000 && MakingRandomLevel(); ++i) ASSERT_TRUE(Frames(1));
    ASSERT_NE(ZoomEnd, 0);
    ASSERT_TRUE(Frames(10));
    switch (row.way) {
      case ESCAPE:
        ASSERT_TRUE(PressKey(KEY_ESCAPE));
        ASSERT_TRUE(PressKey(KEY_ENTER));
        break;
      case BACK_ICON:
        ASSERT_TRUE(ClickSideBarSlot(0));
        ASSERT_EQ(ScreenState, SCREEN_LEVEL_MAP);
        ASSERT_TRUE(ClickSideBarSlot(2));
        break;
      case LAST_ICON: ASSERT_TRUE(ClickSideBarSlot(2)); break;
      case QUIT:
        media_test::InjectCloseRequest();
        ASSERT_FALSE(Frames(1));
        Shutdown();
        Start();
        ASSERT_TRUE(Frames(2));
        ASSERT_TRUE(PressKey(KEY_ENTER));
        break;
    }
    // The game left for the map goes on as "11", with its own timer.
    ASSERT_EQ(ScreenState, SCREEN_PLAY);
    EXPECT_EQ(CurrentLevel, 0);
    EXPECT_EQ(BoardCells(), board);
    EXPECT_NEAR(static_cast<double>(LevelTimer), static_cast<double>(timer), 50);
    EXPECT_FALSE(fs::exists(RandomLevelPath()));
    ASSERT_TRUE(PlayToTheWin());
    ExpectOnlyThisLevelRecorded(0);
    Shutdown();
  }
}

TEST_F(LevelIdentity, PlusOrMinusDuringTheZoomDrawsTheLevelPictureAgainAtTheNewSize) {
  Start();
  ASSERT_TRUE(Frames(2));
  ASSERT_TRUE(OpenMap());
  ASSERT_TRUE(TapCard(0));
  for (const int key : {'-', '+'}) {
    const int before = BlockSize;
    media_test::InjectTypedChar(key);
    ASSERT_TRUE(Frames(1));
    ASSERT_NE(BlockSize, before);
    ASSERT_NE(ZoomEnd, 0);
    ASSERT_EQ(ImageWidth(LevelPicture), BOARD_COLUMNS * BlockSize);
    // The play background and the level's pieces, not an empty picture.
    EXPECT_NE(media_test::ReadImagePixel(LevelPicture, 2, 2), 0u);
    const T_BLOCK& piece = *Blocks.front();
    EXPECT_NE(media_test::ReadImagePixel(LevelPicture, piece.XMap * BlockSize + BlockSize / 2,
                                         piece.YMap * BlockSize + BlockSize / 2),
              media_test::ReadImagePixel(LevelPicture, 2, 2));
  }
  ASSERT_TRUE(WaitForPlay());
  EXPECT_EQ(CurrentLevel, 0);
  Shutdown();
}

// A program killed during a level resumes at its next start as the level
// the history started as, whatever the profile (written at the end of the
// program) names; a history of no level plays unrecorded and says so once.
TEST_F(LevelIdentity, AGameResumedAfterAKillIsTheLevelItsHistoryStartedAs) {
  const std::string unrecorded = "Unknown level: its win is not recorded";
  const struct {
    const char* name;
    std::function<void()> play;  // leaves a history in the undo file
    int level;
  } rows[] = {
      {"a new player's first level",
       [&] {
         ASSERT_TRUE(PressKey(KEY_ENTER));
         ASSERT_EQ(CurrentLevel, 0);
         const test_support::Move m = Solve(LevelCells(0)).front();
         ASSERT_TRUE(DragOneCell(m.Cell, m.Dx, m.Dy));
       },
       0},
      {"a level started after the profile named another one",
       [&] {
         // "82" played for a minute, then a clean exit names it.
         ASSERT_TRUE(OpenMap());
         ASSERT_TRUE(TapCard(1));
         ASSERT_TRUE(WaitForPlay());
         ASSERT_TRUE(Frames(60, 1000));
         Shutdown();
         Start();
         ASSERT_TRUE(Frames(2));
         ASSERT_TRUE(PlayOneMoveOfTheFirstLevel());
       },
       0},
      {"a history that starts from no level",
       [&] {
         Cells cells{};
         cells[0] = cells[2] = 1;  // two pieces one step apart
         std::string record(80, '\0');
         for (int i = 0; i < 80; ++i) record[i] = static_cast<char>(cells[i]);
         ASSERT_TRUE(test_support::WriteWholeFile(UndoPath, record));
       },
       -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(Home / "pLiMo");
    Start();
    ASSERT_TRUE(Frames(2));
    row.play();
    Kill();

    Start();
    ASSERT_TRUE(Frames(2));
    ASSERT_TRUE(PressKey(KEY_ENTER));
    ASSERT_EQ(ScreenState, SCREEN_PLAY);
    EXPECT_EQ(CurrentLevel, row.level);
    EXPECT_LT(LevelTimer, 10000);
    EXPECT_EQ(Message.Text == unrecorded && Message.EndTime > Frame.Now, row.level == -1);
    // Told once: going to the menu and back says nothing again.
    const int64_t told = Message.StartTime;
    ASSERT_TRUE(PressKey(KEY_ESCAPE));
    ASSERT_TRUE(ClickSideBarSlot(2));
    ASSERT_EQ(ScreenState, SCREEN_PLAY);
    EXPECT_EQ(Message.StartTime, told);

    ASSERT_TRUE(PlayToTheWin());
    ExpectOnlyThisLevelRecorded(row.level);
    Shutdown();
  }
}

// Killed after the winning step (its empty board already in the history)
// and before the win was handled: the next start records the win, once.
TEST_F(LevelIdentity, AKillBetweenTheWinningStepAndTheWinIsRecordedOnceAtTheNextStart) {
  Start();
  ASSERT_TRUE(Frames(2));
  ASSERT_TRUE(PressKey(KEY_ENTER));
  const std::vector<test_support::Move> solution = Solve(LevelCells(0));
  ASSERT_FALSE(solution.empty());
  const test_support::Move last = solution.back();
  ASSERT_TRUE(last.Dx != 0 || last.Dy != 0);
  for (size_t i = 0; i + 1 < solution.size(); ++i)
    ASSERT_TRUE(DragOneCell(solution[i].Cell, solution[i].Dx, solution[i].Dy));
  const int moves = UndoRecordCount;  // with the winning step to come
  PointerToCell(last.Cell % 10, last.Cell / 10);
  media_test::InjectButtonDown(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  PointerToCell(last.Cell % 10 + last.Dx, last.Cell / 10 + last.Dy);
  ASSERT_TRUE(Frames(1));
  media_test::InjectButtonUp(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  ASSERT_TRUE(UndoHistoryWon());
  Kill();

  Start();
  EXPECT_FALSE(fs::exists(UndoPath));
  ExpectOnlyThisLevelRecorded(0);
  const int link = RecordLink(0);
  EXPECT_EQ(RecordMoves(link), moves);
  // The time played died with the program: the longest time stands for it.
  EXPECT_EQ(RecordLastTime(link), 5999);
  const std::string scores = test_support::ReadWholeFile(BestScoresPath);
  Kill();
  Start();
  EXPECT_EQ(test_support::ReadWholeFile(BestScoresPath), scores);
  Shutdown();
}

// The daily level, a level made in the editor and a code's level, killed
// during play or right at the win: at the next start the daily level and
// the editor's level are themselves again and their wins land in their own
// records (the day's, the level's); a code's level, which keeps no record,
// plays unrecorded and says so.
TEST_F(LevelIdentity, ASharedLevelResumedAfterAKillKeepsItsIdentityAndItsRecords) {
  enum Kind { DAILY, CUSTOM, CODE };
  KindCells made;
  made.fill(-1);
  made[0] = made[3] = 0;  // two pieces of each of two colours, apart
  made[50] = made[53] = 1;
  const RandomLevel coded = GenerateRandomLevel(99, 3);
  for (const bool atTheWin : {false, true}) {
    for (const Kind kind : {DAILY, CUSTOM, CODE}) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << (atTheWin ? ", killed at the win" : ""));
      fs::remove_all(Home / "pLiMo");
      Start();
      ASSERT_TRUE(Frames(2));
      ASSERT_TRUE(AddCustomLevel(made, SolvePar(made)));
      ASSERT_TRUE(OpenMap());
      int card = -1;
      for (int n = 0; n < MapCardCount(); ++n) {
        if ((kind == DAILY && IsDailyCard(n)) || (kind == CUSTOM && CustomCard(n) == 0)) card = n;
      }
      if (kind == CODE) {
        ASSERT_TRUE(SetClipboardText(LevelCode(coded.Cells)));
        ASSERT_TRUE(PasteKeys());
      } else {
        ASSERT_TRUE(TapCard(card));
      }
      ASSERT_TRUE(WaitForPlay());
      const test_support::Move m = Solve(BoardCells()).front();
      ASSERT_TRUE(DragOneCell(m.Cell, m.Dx, m.Dy));
      ASSERT_TRUE(Frames(50, 100));
      if (atTheWin) {
        // The history's last record is the empty board: the winning step
        // was written, its win not yet handled.
        std::string history = test_support::ReadWholeFile(UndoPath).substr(0, 80) + std::string(80, '\0');
        ASSERT_TRUE(test_support::WriteWholeFile(UndoPath, history));
      }
      Kill();

      Start();
      ASSERT_TRUE(Frames(2));
      if (!atTheWin) {
        ASSERT_TRUE(PressKey(KEY_ENTER));
        ASSERT_EQ(ScreenState, SCREEN_PLAY);
        EXPECT_EQ(BoardLevel, kind == DAILY ? DAILY_BOARD : kind == CUSTOM ? CUSTOM_BOARD : -1);
        EXPECT_EQ(Message.Text == "Unknown level: its win is not recorded" && Message.EndTime > Frame.Now,
                  kind == CODE);
        ASSERT_TRUE(PlayToTheWin());
      }
      EXPECT_FALSE(fs::exists(UndoPath));
      // The longest time stands for a game whose time died with the program.
      const int daily = DailyRecordOf(UtcDayNumber()).BestTime, custom = CustomLevels.at(0).BestTime;
      EXPECT_EQ(daily > 0, kind == DAILY);
      EXPECT_EQ(custom > 0, kind == CUSTOM);
      if (atTheWin) {
        EXPECT_EQ(std::max(daily, custom), kind == CODE ? 0 : 5999);
      }
      ExpectOnlyThisLevelRecorded(-1);
      Shutdown();
    }
  }
}

}  // namespace
