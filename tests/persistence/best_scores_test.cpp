// The best-scores file: records created and updated by wins, linked to
// their levels by level id, written whole after every win.
#include "tests/play/board_fixture.h"

namespace {

using BestScoresFile = BoardFixture;
using Bytes = std::vector<uint8_t>;

void Win(int level, int64_t ms, int undoRecords) {
  CurrentLevel = level;
  WonTime = ms;
  UndoRecordCount = undoRecords;
  RecordWin();
  ASSERT_TRUE(SaveBestScores());
}

Bytes Record(int id, int moves, int last, int best) {
  return {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(moves), 0,
          static_cast<uint8_t>(last), 0, 0, 0, static_cast<uint8_t>(best), 0, 0, 0};
}

TEST_F(BestScoresFile, FirstSecondAndThirdWinOfALevel) {
  ASSERT_EQ(LevelId(0), 24);
  Win(0, 10700, 12);
  EXPECT_EQ(ReadBytes(BestScoresPath),
            (Bytes{0x01, 0x00, 0x00, 0x00, 0x18, 0x00, 0x0B, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(RecordTime, 0);
  EXPECT_EQ(RecordLink(0), 4);

  Win(0, 12200, 30);
  int link = RecordLink(0);
  EXPECT_EQ(RecordLastTime(link), 12);
  EXPECT_EQ(RecordBestTime(link), 10);
  EXPECT_EQ(RecordMoves(link), 11);
  EXPECT_EQ(RecordTime, 10000);

  Win(0, 9900, 8);
  EXPECT_EQ(RecordLastTime(link), 9);
  EXPECT_EQ(RecordBestTime(link), 9);
  EXPECT_EQ(RecordMoves(link), 7);
  EXPECT_EQ(RecordTime, 10000);

  // Equal to the best is not a new best.
  Win(0, 9999, 3);
  EXPECT_EQ(RecordBestTime(link), 9);
  EXPECT_EQ(RecordMoves(link), 7);
  EXPECT_EQ(RecordTime, 9000);
  EXPECT_EQ(ReadBytes(BestScoresPath).size(), 16u);

  // A new run of the program finds the same record linked again.
  SetRecordLink(0, 0);
  LoadBestScores();
  EXPECT_EQ(RecordLink(0), 4);
  EXPECT_EQ(RecordLastTime(RecordLink(0)), 9);
}

TEST_F(BestScoresFile, RecordsOfUnknownLevelsSurviveAndDuplicatesLinkTheLaterOne) {
  Bytes file = {1, 0, 0, 0};
  for (const Bytes& r : {Record(999, 5, 40, 0), Record(199, 9, 30, 20), Record(199, 8, 25, 0)})
    file.insert(file.end(), r.begin(), r.end());
  WriteBytes(BestScoresPath, file);
  LoadBestScores();
  EXPECT_EQ(BestScoreCount, 3);
  EXPECT_EQ(RecordLink(2), 28);
  for (int n : {0, 1, 3, 4}) EXPECT_EQ(RecordLink(n), 0) << n;

  Win(1, 61000, 41);
  Bytes expected = file;
  const Bytes added = Record(126, 40, 61, 0);
  expected.insert(expected.end(), added.begin(), added.end());
  EXPECT_EQ(ReadBytes(BestScoresPath), expected);
  EXPECT_EQ(RecordLink(1), 40);
}

TEST_F(BestScoresFile, PartialRecordsAreIgnoredAndCutOffByTheNextRecord) {
  Bytes file = {1, 0, 0, 0};
  const Bytes level0 = Record(24, 3, 50, 0);
  file.insert(file.end(), level0.begin(), level0.end());
  file.insert(file.end(), {7, 7, 7, 7, 7});
  WriteBytes(BestScoresPath, file);
  LoadBestScores();
  EXPECT_EQ(BestScoreCount, 1);
  EXPECT_EQ(RecordLink(0), 4);

  Win(3, 200000, 2);
  const Bytes bytes = ReadBytes(BestScoresPath);
  ASSERT_EQ(bytes.size(), 28u);
  EXPECT_EQ(Bytes(bytes.begin() + 16, bytes.end()), Record(407, 1, 200, 0));
}

TEST_F(BestScoresFile, AMissingOrTruncatedFileStartsEmpty) {
  LoadBestScores();
  EXPECT_EQ(BestScoreCount, 0);
  WriteBytes(BestScoresPath, {9, 9});
  LoadBestScores();
  EXPECT_EQ(BestScoreCount, 0);
  for (int n = 0; n < LevelCount; ++n) EXPECT_EQ(RecordLink(n), 0);
  Win(4, 5000, 1);
  const Bytes bytes = ReadBytes(BestScoresPath);
  ASSERT_EQ(bytes.size(), 16u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.end()), Record(271, 0, 5, 0));
}

}  // namespace
