// The best-scores file: records created and updated by wins, linked to
// their levels by level id, written whole after every win.
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

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

Bytes Record32(int id, int moves, int32_t last, int32_t best) {
  Bytes r = {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(moves), 0};
  for (int32_t v : {last, best})
    for (int i = 0; i < 4; i++) r.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  return r;
}

// A win with a file that exists but cannot be read: the record is kept in
// memory, the file is not touched, and the player is told once.
void ExpectKeptAsItIs(const std::function<void()>& check) {
  LoadBestScores();
  EXPECT_EQ(BestScoreCount, 0);
  CurrentLevel = 0;
  WonTime = 10700;
  UndoRecordCount = 12;
  RecordWin();
  EXPECT_FALSE(SaveBestScores());
  EXPECT_EQ(RecordLink(0), 4);
  EXPECT_EQ(RecordLastTime(RecordLink(0)), 10);
  WonTime = 9000;
  RecordWin();
  EXPECT_FALSE(SaveBestScores());
  EXPECT_EQ(RecordBestTime(RecordLink(0)), 9);
  check();
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_NE(media_test::RecordedMessages()[0].find(BestScoresPath), std::string::npos);
  media_test::RecordedMessages().clear();
}

TEST_F(BestScoresFile, AFileThatExistsButCannotBeReadIsNeverReplaced) {
  // A pipe (nothing to read, and reading must not wait on it).
  ASSERT_EQ(mkfifo(BestScoresPath.c_str(), 0644), 0);
  ExpectKeptAsItIs([] { EXPECT_TRUE(fs::is_fifo(BestScoresPath)); });
  fs::remove(BestScoresPath);

  // A sparse file of 2 GiB: far too large to be a best-scores file.
  {
    std::ofstream(BestScoresPath) << "x";
    fs::resize_file(BestScoresPath, uintmax_t{1} << 31);
  }
  ExpectKeptAsItIs([] { EXPECT_EQ(fs::file_size(BestScoresPath), uintmax_t{1} << 31); });
  fs::remove(BestScoresPath);

  // A file without read permission (root reads it anyway).
  if (geteuid() != 0) {
    WriteBytes(BestScoresPath, {1, 0, 0, 0});
    fs::permissions(BestScoresPath, fs::perms::none);
    ExpectKeptAsItIs([] { EXPECT_EQ(fs::file_size(BestScoresPath), 4u); });
    fs::permissions(BestScoresPath, fs::perms::owner_read | fs::perms::owner_write);
    fs::remove(BestScoresPath);
  }

  // Only a missing file means no records: the next run writes it.
  LoadBestScores();
  Win(0, 10700, 12);
  EXPECT_EQ(ReadBytes(BestScoresPath).size(), 16u);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(BestScoresFile, TimesNoRunCanHaveSetDoNotStand) {
  Bytes file = {1, 0, 0, 0};
  for (const Bytes& r : {Record32(24, 5, 40, -3), Record32(126, 5, -7, 0), Record32(199, 5, 40, 7000),
                         Record32(999, 5, -1, -1)})
    file.insert(file.end(), r.begin(), r.end());
  WriteBytes(BestScoresPath, file);
  LoadBestScores();
  // A negative best is forgotten: the last time stands for it, and a win
  // in less time is the new record.
  EXPECT_EQ(RecordBestTime(RecordLink(0)), 0);
  Win(0, 30000, 3);
  EXPECT_EQ(RecordBestTime(RecordLink(0)), 30);
  EXPECT_EQ(RecordTime, 40000);
  // A negative last time becomes the timer's cap, which any win beats.
  EXPECT_EQ(RecordLastTime(RecordLink(1)), 5999);
  Win(1, 600000, 3);
  EXPECT_EQ(RecordBestTime(RecordLink(1)), 600);
  // A best time above the cap is forgotten too.
  EXPECT_EQ(RecordBestTime(RecordLink(2)), 0);
  EXPECT_EQ(RecordLastTime(RecordLink(2)), 40);
  // A record of a level the bank does not have is kept as it was.
  const Bytes saved = ReadBytes(BestScoresPath);
  ASSERT_EQ(saved.size(), 52u);
  EXPECT_EQ(Bytes(saved.begin() + 40, saved.end()), Record32(999, 5, -1, -1));
}

}  // namespace
