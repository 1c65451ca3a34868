// The daily level and its records: one level per date whatever the game's
// random numbers did, and one record per day in a file of its own.
#include "app/paths.h"
#include "levels/daily.h"
#include "media/media.h"
#include "persistence/daily_scores.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(Daily, DatesAreWrittenInTheCivilCalendar) {
  const struct {
    int64_t Day;
    const char* Text;
  } cases[] = {{0, "1970-01-01"}, {11016, "2000-02-29"}, {20797, "2026-12-10"}, {47541, "2100-03-01"}};
  for (const auto& c : cases) EXPECT_EQ(DayText(c.Day), c.Text);
}

TEST(Daily, OneSolvableLevelPerDateWhateverTheSharedRandomNumbersDid) {
  const int64_t day = 20797;
  const KindCells first = DailyLevel(day).Cells;
  EXPECT_GT(DailyLevel(day).Length, 0);
  const KindCells next = DailyLevel(day + 1).Cells;
  EXPECT_NE(next, first);
  for (int i = 0; i < 100; ++i) RandomInt(0, 1000);
  // Asked again after another day, so that it is generated afresh.
  EXPECT_EQ(DailyLevel(day).Cells, first);
  EXPECT_NE(DailySeed(day), DailySeed(day + 1));
}

class DailyScores : public ::testing::Test {
 protected:
  test_support::TempDir Dir;
  std::string SavedFolder;
  void SetUp() override {
    SavedFolder = UserDataFolder;
    UserDataFolder = Dir.Path();
  }
  void TearDown() override { UserDataFolder = SavedFolder; }
  static std::string Entry(uint32_t day, int seconds, int moves) {
    std::string e;
    for (int i = 0; i < 4; ++i) e.push_back(static_cast<char>(day >> (8 * i)));
    e += {static_cast<char>(seconds), static_cast<char>(seconds >> 8), static_cast<char>(moves), static_cast<char>(moves >> 8)};
    return e;
  }
};

TEST_F(DailyScores, ADaysWinTouchesNoOtherDayNorAnyOtherFile) {
  LoadDailyScores();
  test_support::WriteWholeFile(Dir.File("pLiMo_Best_Scores.bin"), "bank");
  EXPECT_EQ(RecordDailyWin(20797, 75, 38), 0);
  EXPECT_EQ(RecordDailyWin(20798, 90, 40), 0);
  EXPECT_EQ(RecordDailyWin(20797, 80, 30), 75);  // slower: the best stays
  EXPECT_EQ(RecordDailyWin(20797, 60, 41), 75);
  LoadDailyScores();
  EXPECT_EQ(DailyRecordOf(20797).BestTime, 60);
  EXPECT_EQ(DailyRecordOf(20797).Moves, 41);
  EXPECT_EQ(DailyRecordOf(20798).BestTime, 90);
  EXPECT_EQ(DailyRecordOf(20799).BestTime, 0);
  EXPECT_EQ(test_support::ReadWholeFile(Dir.File("pLiMo_Best_Scores.bin")), "bank");
  EXPECT_EQ(test_support::ReadWholeFile(DailyScoresPath()),
            "PLDS" + Entry(20797, 60, 41) + Entry(20798, 90, 40));
}

TEST_F(DailyScores, ADamagedFileCostsOnlyItsDamagedEntries) {
  const struct {
    std::string File;
    int Kept;  // of days 20800, 20801, 20802
  } cases[] = {
      {"PLDS" + Entry(20800, 5, 5) + Entry(20801, 6, 6) + Entry(20802, 7, 7), 3},
      {"PLDS" + Entry(20800, 5, 5) + Entry(5, 6, 6) + Entry(20802, 7, 7), 2},           // day out of range
      {"PLDS" + Entry(20800, 5, 5) + Entry(20801, 0, 6) + Entry(20802, 7, 7), 2},       // no time
      {"PLDS" + Entry(20801, 5, 5) + Entry(20800, 6, 6) + Entry(20802, 7, 7), 2},       // out of order
      {"PLDS" + Entry(20800, 5, 5) + Entry(20801, 6, 6) + Entry(20802, 7, 7).substr(0, 5), 2},  // cut short
      {"PLDX" + Entry(20800, 5, 5), 0},
      {"", 0},
      {std::string(100000, 'x'), 0},
  };
  for (const auto& c : cases) {
    test_support::WriteWholeFile(DailyScoresPath(), c.File);
    LoadDailyScores();
    int kept = 0;
    for (int64_t day = 20800; day <= 20802; ++day) kept += DailyRecordOf(day).BestTime > 0;
    EXPECT_EQ(kept, c.Kept) << c.File.size();
  }
  // A file far too large to be ours is never written over.
  RecordDailyWin(20803, 9, 9);
  EXPECT_EQ(test_support::ReadWholeFile(DailyScoresPath()).size(), 100000u);
}

}  // namespace
