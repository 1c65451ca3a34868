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
#include "app/main_loop.h"
#include "app/paths.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "levels/random_play.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "persistence/best_scores.h"
#include "persistence/random_scores.h"
#include "tests/support/headless_game.h"

namespace {

class RandomPlay : public HeadlessGameTest {
 protected:
  void PointerToCell(int cell) {
    media_test::InjectPointerMove(ScreenOffsetX + (cell % 10) * BlockSize + BlockSize / 2,
                                  ScreenOffsetY + (cell / 10) * BlockSize + BlockSize / 2);
  }
  void Play(const SolverMove& m) {
    PointerToCell(m.Cell);
    media_test::InjectButtonDown(BUTTON_LEFT);
    ASSERT_TRUE(Frames(1));
    PointerToCell(m.Cell + m.Dy * GRID_COLUMNS + m.Dx);
    ASSERT_TRUE(Frames(1));
    media_test::InjectButtonUp(BUTTON_LEFT);
    ASSERT_TRUE(Frames(1));
    for (int i = 0; i < 60 && std::any_of(Blocks.begin(), Blocks.end(), [](const auto& b) { return b->Timer != 0; }); ++i) {
      ASSERT_TRUE(Frames(1));
    }
  }
  std::vector<uint8_t> FileBytes(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
  // Every bank level won once, saved: the next level is a random one.
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

  NextLevel();
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
  NextLevel();
  EXPECT_EQ(CurrentRandomLevel.Tier, 1);
  Shutdown();
  RandomScores = T_RANDOM_SCORES();
  Start();
  EXPECT_EQ(RandomScores.Wins, 1);
  EXPECT_EQ(RandomTier(), 1);
  Shutdown();
}

TEST_F(RandomPlay, AMalformedRecordsFileGivesEmptyRecordsAndAWinRewritesIt) {
  Start();
  {
    std::ofstream out(RandomScoresPath(), std::ios::binary);
    out << "PLRS";  // cut short
  }
  LoadRandomScores();
  EXPECT_EQ(RandomScores.Wins, 0);
  EXPECT_EQ(RecordRandomWin(3, 40), 0);
  EXPECT_EQ(RecordRandomWin(3, 55), 40);
  EXPECT_EQ(RecordRandomWin(3, 20), 40);
  LoadRandomScores();
  EXPECT_EQ(RandomScores.Wins, 3);
  EXPECT_EQ(RandomScores.LastTime, 20);
  EXPECT_EQ(RandomScores.BestTime[3], 20);
  EXPECT_EQ(RandomScores.BestTime[2], 0);
  Shutdown();
}

}  // namespace
