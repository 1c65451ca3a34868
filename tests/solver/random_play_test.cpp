// Random levels in the running game: after the last bank level the game
// places a generated level as level -1; it is won by playing it, its win is
// kept in the random levels' own file, and the bank's records stay as they
// were. The next one is a tier harder; a restart places the same board.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/main_loop.h"
#include "app/paths.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "levels/level_map.h"
#include "levels/random_play.h"
#include "levels/victory.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "persistence/best_scores.h"
#include "persistence/random_scores.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"

namespace {

class RandomPlay : public HeadlessGameTest {
 protected:
  void Play(const SolverMove& m) {
    ASSERT_TRUE(DragOneCell(m.Cell, m.Dx, m.Dy));
  }
  std::vector<uint8_t> FileBytes(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
  // Every bank level won once, saved: the next level is a random one.
  // The step after the last bank level, with the frames that make the
  // random level.
  void NextLevelMade() {
    NextLevel();
    for (int i = 0; i < 2000 && MakingRandomLevel(); ++i) ASSERT_TRUE(Frames(1));
  }
  void WinEveryBankLevel() {
    for (int n = 0; n < LevelCount; ++n) {
      CurrentLevel = n;
      LoadLevel(n);
      LevelTimer = 30000 + 1000 * n;
      RecordWin();
    }
    ASSERT_TRUE(SaveBestScores());
  }
};

TEST_F(RandomPlay, AfterTheBankARandomLevelIsPlacedWonAndRecordedApart) {
  Start();
  WinEveryBankLevel();
  const std::vector<uint8_t> bankRecords = FileBytes(BestScoresPath);
  ASSERT_FALSE(bankRecords.empty());

  NextLevelMade();
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(CurrentLevel, -1);
  EXPECT_TRUE(RandomLevelOnBoard());
  EXPECT_EQ(CurrentRandomLevel.Tier, 0);
  EXPECT_EQ(KindCellsOfBoard(), CurrentRandomLevel.Cells);

  // A few moves, then R: the same board again.
  Play(CurrentRandomLevel.Solution[0]);
  EXPECT_NE(KindCellsOfBoard(), CurrentRandomLevel.Cells);
  media_test::InjectTypedChar('r');
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(KindCellsOfBoard(), CurrentRandomLevel.Cells);
  EXPECT_TRUE(RandomLevelOnBoard());

  for (const SolverMove& m : CurrentRandomLevel.Solution) Play(m);
  ASSERT_TRUE(Blocks.empty());
  for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
  EXPECT_NE(ScreenState, SCREEN_PLAY);
  ASSERT_FALSE(VictoryLines.empty());
  EXPECT_EQ(VictoryLines.front()->Text, GetText("Random Level") + " #1");

  EXPECT_EQ(RandomScores.Wins, 1);
  EXPECT_GT(RandomScores.BestTime[0], 0);
  EXPECT_EQ(FileBytes(BestScoresPath), bankRecords) << "the bank's records were touched";
  const std::vector<uint8_t> randomFile = FileBytes(RandomScoresPath());
  ASSERT_EQ(randomFile.size(), static_cast<size_t>(RANDOM_SCORES_SIZE));
  EXPECT_EQ(randomFile[4], 1);
  EXPECT_EQ(BestScoreCount, LevelCount);
  for (int n = 0; n < LevelCount; ++n) EXPECT_NE(RecordLink(n), 0);

  // The next random level is a tier up, and the records come back after a
  // restart of the program.
  NextLevelMade();
  EXPECT_EQ(CurrentRandomLevel.Tier, 1);
  Shutdown();
  RandomScores = T_RANDOM_SCORES();
  Start();
  EXPECT_EQ(RandomScores.Wins, 1);
  EXPECT_EQ(RandomTier(), 1);
  Shutdown();
}

// A level of the highest tiers is made over frames after the bank: each
// frame does a bounded slice of the work, the empty board says that a level
// is being made and wins nothing, and the level's timer starts at its board.
// Sliced or not, a seed gives the same level.
TEST_F(RandomPlay, AtTheHighestTiersALevelIsMadeOverFramesAndTimedFromItsBoard) {
  for (int tier : {RANDOM_TIERS - 2, RANDOM_TIERS - 1}) {
    T_RANDOM_LEVEL_MAKER maker;
    maker.Start(7, tier);
    int slices = 0;
    constexpr int64_t units = 10;
    for (int64_t before = 0; !maker.Run(units); before = maker.WorkDone(), ++slices) {
      ASSERT_LE(maker.WorkDone() - before, units);
      ASSERT_LT(slices, 100000);
    }
    const RandomLevel whole = GenerateRandomLevel(7, tier);
    EXPECT_EQ(maker.Level().Cells, whole.Cells);
    EXPECT_EQ(maker.Level().Attempt, whole.Attempt);
    EXPECT_GT(slices, 2) << "tier " << tier << " was made within three slices";
  }

  Start();
  WinEveryBankLevel();
  RandomScores.Wins = RANDOM_TIERS - 1;
  NextLevel();
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  int frames = 0;
  bool said = false;
  while (MakingRandomLevel() && frames < 2000) {
    EXPECT_TRUE(Blocks.empty());
    media_test::StartRecording();
    ASSERT_TRUE(Frames(1));
    media_test::StopRecording();
    for (const auto& c : media_test::RecordedDraws()) said = said || c.Text == "Making a new level...";
    EXPECT_EQ(ScreenState, SCREEN_PLAY) << "the empty board was taken for a win";
    ++frames;
  }
  ASSERT_FALSE(MakingRandomLevel());
  EXPECT_GT(frames, 2);
  EXPECT_TRUE(said) << "nothing said that a level is being made";
  EXPECT_TRUE(RandomLevelOnBoard());
  EXPECT_EQ(CurrentRandomLevel.Tier, RANDOM_TIERS - 1);
  EXPECT_EQ(KindCellsOfBoard(), CurrentRandomLevel.Cells);
  EXPECT_EQ(LevelTimer, 0) << "the time spent making the level was counted";
  ASSERT_TRUE(Frames(10));
  EXPECT_EQ(LevelTimer, 10 * 16);
  Shutdown();
}

// The card after the bank's on the level map: a tap, or Enter with the
// keyboard's choice on it, zooms into a new random level placed as level -1
// that the solver can empty.
TEST_F(RandomPlay, TheMapsLastCardOpensASolvableRandomLevel) {
  Start();
  auto openMap = [this] {
    ASSERT_TRUE(ClickMenuEntry("Play"));
    ASSERT_EQ(ScreenState, SCREEN_LEVEL_MAP);
    ASSERT_TRUE(Frames(200));  // the map slides in and rests
  };
  auto expectRandomLevelInPlay = [this] {
    for (int i = 0; i < 200 && ScreenState != SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
    ASSERT_EQ(ScreenState, SCREEN_PLAY);
    EXPECT_EQ(CurrentLevel, -1);
    EXPECT_TRUE(RandomLevelOnBoard());
    EXPECT_EQ(KindCellsOfBoard(), CurrentRandomLevel.Cells);
    EXPECT_EQ(CurrentRandomLevel.Tier, RandomTier());
    T_SOLVER solver;
    SolverBudget budget;
    budget.MaxStates = 200000;
    budget.MaxMilliseconds = INT64_MAX;
    solver.Start(KindCellsOfBoard(), budget);
    EXPECT_EQ(solver.RunToEnd(), SolveStatus::Solved);
  };

  openMap();
  const int card = LevelCount;  // the card after the bank's
  ASSERT_TRUE(IsRandomCard(card));
  ASSERT_EQ(card, LevelCount);
  int x = 0, y = 0;
  CardPosition(card, x, y);
  media_test::InjectPointerMove(ScreenOffsetX + x + CardWidth() / 2, ScreenOffsetY + y + CardHeight() / 2);
  ASSERT_TRUE(Frames(1));
  media_test::InjectButtonDown(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  media_test::InjectButtonUp(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  EXPECT_TRUE(ZoomEnd > 0 || MakingRandomLevel()) << "the tap chose nothing";
  expectRandomLevelInPlay();
  const KindCells first = CurrentRandomLevel.Cells;

  // Back to the map; the keyboard's choice starts on the first card and
  // Right walks it to the random one.
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  openMap();
  media_test::InjectPointerMove(ScreenOffsetX + 10 * BlockSize + 10, ScreenOffsetY + 10);  // on the side bar
  ASSERT_TRUE(PressKey(KEY_ENTER));
  EXPECT_EQ(MapKeyCard, 0);
  EXPECT_EQ(ZoomEnd, 0);
  for (int i = 0; i < LevelCount; ++i) ASSERT_TRUE(PressKey(KEY_RIGHT));
  EXPECT_EQ(MapKeyCard, card);
  ASSERT_TRUE(PressKey(KEY_ENTER));
  expectRandomLevelInPlay();
  EXPECT_NE(CurrentRandomLevel.Cells, first) << "a second random level from the same seed";
  Shutdown();
}

// At the highest tier the random card's level is made over frames, each a
// bounded slice, with the map drawn and the making said over it; the zoom
// and the level's timer start only once it is made. Escape during the
// making leaves nothing behind: no level started or kept, the map usable.
TEST_F(RandomPlay, AtTheHighestTierTheRandomCardMakesItsLevelOverFramesAndEscapeStopsIt) {
  Start();
  RandomScores.Wins = RANDOM_TIERS - 1;
  const int card = LevelCount;
  ASSERT_TRUE(IsRandomCard(card));
  auto chooseRandomCard = [&] {
    ASSERT_TRUE(ClickMenuEntry("Play"));
    ASSERT_TRUE(Frames(200));
    ASSERT_TRUE(TapCard(card));
    ASSERT_TRUE(MakingRandomLevel());
  };

  chooseRandomCard();
  ASSERT_TRUE(Frames(3));
  ASSERT_TRUE(MakingRandomLevel());
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  EXPECT_FALSE(MakingRandomLevel());
  ASSERT_TRUE(Frames(100));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_FALSE(RandomLevelOnBoard());
  EXPECT_FALSE(std::filesystem::exists(RandomLevelPath()));

  chooseRandomCard();
  int frames = 0;
  bool said = false;
  for (int64_t before = RandomLevelWorkDone(); MakingRandomLevel() && frames < 2000; ++frames) {
    EXPECT_EQ(ZoomEnd, 0) << "the zoom started before its level was made";
    media_test::StartRecording();
    ASSERT_TRUE(Frames(1));
    media_test::StopRecording();
    for (const auto& c : media_test::RecordedDraws()) said = said || c.Text == "Making a new level...";
    ASSERT_EQ(ScreenState, SCREEN_LEVEL_MAP);
    EXPECT_LE(RandomLevelWorkDone() - before, RANDOM_SLICE_UNITS) << "frame " << frames;
    before = RandomLevelWorkDone();
  }
  ASSERT_FALSE(MakingRandomLevel());
  EXPECT_GT(frames, 2);
  EXPECT_TRUE(said) << "nothing said that a level is being made";
  EXPECT_EQ(ZoomEnd, Frame.Now + ZOOM_MS);
  EXPECT_EQ(KindCellsOfBoard(), MadeRandomLevel().Cells);
  ASSERT_TRUE(WaitForPlay());
  EXPECT_TRUE(RandomLevelOnBoard());
  EXPECT_EQ(CurrentRandomLevel.Tier, RANDOM_TIERS - 1);
  EXPECT_EQ(KindCellsOfBoard(), CurrentRandomLevel.Cells);
  EXPECT_EQ(GenerateRandomLevel(CurrentRandomLevel.Seed, CurrentRandomLevel.Tier).Cells, CurrentRandomLevel.Cells);
  EXPECT_EQ(LevelTimer, 0) << "the making or the zoom was timed";
  ASSERT_TRUE(Frames(10));
  EXPECT_EQ(LevelTimer, 10 * 16);
  Shutdown();
}

// A random level left half played is still that random level when the
// program starts again and the player resumes it: same tier, same start
// for R, and its win counts in the random records. A kept level that does
// not match the history's start marks nothing.
TEST_F(RandomPlay, ARandomLevelResumedAfterARestartIsStillRandom) {
  Start();
  WinEveryBankLevel();
  RandomScores.Wins = 2;  // in memory only: the file has no win yet
  NextLevelMade();
  ASSERT_TRUE(RandomLevelOnBoard());
  const RandomLevel level = CurrentRandomLevel;
  ASSERT_EQ(level.Tier, 2);
  ASSERT_GT(level.Solution.size(), 1u);
  Play(level.Solution[0]);
  const KindCells afterOneMove = KindCellsOfBoard();
  Shutdown();

  auto restartAndResume = [this] {
    CurrentRandomLevel = RandomLevel();
    BoardLevel = -1;
    RandomScores = T_RANDOM_SCORES();
    Start();
    ASSERT_NE(ScreenState, SCREEN_PLAY);
    ASSERT_TRUE(PressKey(KEY_ENTER));  // resume the saved level
    ASSERT_EQ(ScreenState, SCREEN_PLAY);
    EXPECT_EQ(CurrentLevel, -1);
  };

  // The kept level altered: the history does not start from it.
  std::vector<uint8_t> kept = FileBytes(RandomLevelPath());
  ASSERT_EQ(kept.size(), 89u);
  std::vector<uint8_t> altered = kept;
  altered[9 + level.Solution[0].Cell] ^= 1;
  {
    std::ofstream out(RandomLevelPath(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(altered.data()), static_cast<std::streamsize>(altered.size()));
  }
  restartAndResume();
  EXPECT_FALSE(RandomLevelOnBoard());
  EXPECT_EQ(KindCellsOfBoard(), afterOneMove);
  Shutdown();

  {
    std::ofstream out(RandomLevelPath(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(kept.data()), static_cast<std::streamsize>(kept.size()));
  }
  restartAndResume();
  ASSERT_TRUE(RandomLevelOnBoard());
  EXPECT_EQ(KindCellsOfBoard(), afterOneMove);
  EXPECT_EQ(CurrentRandomLevel.Tier, 2) << "the tier must be the level's, not the records' (0)";
  EXPECT_EQ(CurrentRandomLevel.Cells, level.Cells);
  EXPECT_EQ(CurrentRandomLevel.Seed, level.Seed);
  // R places the random level's start again, still as the random level.
  media_test::InjectTypedChar('r');
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(KindCellsOfBoard(), level.Cells);
  ASSERT_TRUE(RandomLevelOnBoard());

  for (const SolverMove& m : level.Solution) Play(m);
  ASSERT_TRUE(Blocks.empty());
  for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ScreenState, SCREEN_VICTORY);
  EXPECT_EQ(RandomScores.Wins, 1);
  EXPECT_GT(RandomScores.BestTime[2], 0);
  EXPECT_EQ(RandomScores.BestTime[0], 0);
  LoadRandomScores();
  EXPECT_EQ(RandomScores.Wins, 1) << "the win was not saved";
  EXPECT_EQ(VictoryLines.front()->Text, GetText("Random Level") + " #1");
  Shutdown();
}

TEST_F(RandomPlay, ADamagedRecordsFileIsNeverReplacedAndAMissingOneIsWritten) {
  Start();
  // Records of 3 wins, a last time of 50 s and a best of 50 s in tier 2.
  std::string whole = "PLRS";
  for (int v : {3, 50, 0, 0, 50}) whole += {static_cast<char>(v), 0};
  whole.resize(RANDOM_SCORES_SIZE, '\0');
  struct Damaged {
    const char* Name;
    std::string Bytes;  // empty: a folder stands in place of the file
  };
  const std::vector<Damaged> cases = {
      {"cut short", "PLRS"}, {"one byte too long", whole + "x"}, {"another kind of file", "XLRS" + whole.substr(4)},
      {"a folder in its place", ""}};
  for (const Damaged& c : cases) {
    SCOPED_TRACE(c.Name);
    std::filesystem::remove_all(RandomScoresPath());
    if (c.Bytes.empty()) {
      std::filesystem::create_directory(RandomScoresPath());
    } else {
      std::ofstream(RandomScoresPath(), std::ios::binary) << c.Bytes;
    }
    media_test::RecordedMessages().clear();
    LoadRandomScores();
    EXPECT_EQ(RandomScores.Wins, 0);
    // Wins of this run count in memory; the file stays as it was, and the
    // player is told once.
    EXPECT_EQ(RecordRandomWin(3, 40), 0);
    EXPECT_EQ(RecordRandomWin(3, 20), 40);
    EXPECT_EQ(RandomScores.Wins, 2);
    EXPECT_EQ(media_test::RecordedMessages().size(), 1u);
    if (c.Bytes.empty()) {
      EXPECT_TRUE(std::filesystem::is_directory(RandomScoresPath()));
    } else {
      const std::vector<uint8_t> bytes = FileBytes(RandomScoresPath());
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.Bytes);
    }
  }
  // Only a missing file means no records yet: the next win writes it.
  std::filesystem::remove_all(RandomScoresPath());
  LoadRandomScores();
  EXPECT_EQ(RecordRandomWin(3, 40), 0);
  EXPECT_EQ(RecordRandomWin(3, 55), 40);
  LoadRandomScores();
  EXPECT_EQ(RandomScores.Wins, 2);
  EXPECT_EQ(RandomScores.BestTime[3], 40);
  std::ofstream(RandomScoresPath(), std::ios::binary) << whole;
  LoadRandomScores();
  EXPECT_EQ(RandomScores.Wins, 3);
  EXPECT_EQ(RandomScores.BestTime[2], 50);
  Shutdown();
}

TEST_F(RandomPlay, AKeptLevelWithNoPieceIsNotARandomLevel) {
  // A kept level and a history that both start from an empty board.
  std::filesystem::create_directories(Home / "pLiMo");
  std::ofstream(Home / "pLiMo" / "pLiMo_Random_Level.bin", std::ios::binary)
      << "PLRL" + std::string(5, '\0') + std::string(80, '\0');
  std::ofstream(Home / "pLiMo" / "pLiMo_Undo.bin", std::ios::binary)
      << std::string(80, '\0') + std::string(79, '\0') + '\1';
  Start();
  ASSERT_TRUE(PressKey(KEY_ENTER));  // resume the saved board
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_FALSE(RandomLevelOnBoard());
  // Placing the level again gives no win to record.
  media_test::InjectTypedChar('r');
  ASSERT_TRUE(Frames(60));
  EXPECT_EQ(RandomScores.Wins, 0);
  EXPECT_FALSE(std::filesystem::exists(RandomScoresPath()));
  Shutdown();
}

}  // namespace
