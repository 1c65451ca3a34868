// The undo history file: records, undo, resume, and what a deleted,
// replaced, torn, huge or damaged file must not do.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include "tests/play/board_fixture.h"
#include "tests/support/test_support.h"

namespace {

class Undo : public BoardFixture {
 protected:
  // Three steps of the lone 2 down column 2: records 0..3.
  static void ThreeSteps() {
    PointerFrame(2, 2, true, true);
    PointerFrame(2, 3, false, true);
    PointerFrame(2, 4, false, true);
    PointerFrame(2, 5, false, true);
    PointerFrame(2, 5, false, false);
  }
};
using Rows = std::vector<std::string>;
using test_support::WithFileSizeLimit;

const Rows START = {"11........", "..........", "..2.......", "..........",
                    "..........", "..........", "..........", "1........6"};

TEST_F(Undo, AFreshStartHoldsOneRecordThatCannotBeUndone) {
  Place(START);
  ResetUndo();
  EXPECT_EQ(UndoRecordCount, 1);
  std::vector<uint8_t> bytes = ReadBytes(UndoPath);
  ASSERT_EQ(bytes.size(), 80u);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1], 1);
  EXPECT_EQ(bytes[22], 2);
  EXPECT_EQ(bytes[79], 6);
  EXPECT_EQ(UndoMove(), 0);
  EXPECT_EQ(UndoRecordCount, 1);
  EXPECT_EQ(ReadBytes(UndoPath).size(), 80u);
}

TEST_F(Undo, TwoStepsAndTwoUndosBringBackTheStart) {
  Place(START);
  ResetUndo();
  PointerFrame(0, 0, true, true);
  PointerFrame(0, 1, false, true);
  PointerFrame(0, 2, false, true);
  PointerFrame(0, 2, false, false);
  ASSERT_EQ(UndoRecordCount, 3);
  ASSERT_EQ(ReadBytes(UndoPath).size(), 240u);

  EXPECT_EQ(UndoMove(), 1);
  EXPECT_EQ(BoardRows()[1], "11........");
  EXPECT_EQ(ReadBytes(UndoPath).size(), 160u);
  EXPECT_FALSE(fs::exists(UndoPath + "_t"));
  EXPECT_EQ(UndoMove(), 1);
  EXPECT_EQ(BoardRows(), START);
  EXPECT_EQ(ReadBytes(UndoPath).size(), 80u);
  EXPECT_EQ(UndoMove(), 0);
  EXPECT_EQ(BoardRows(), START);
  EXPECT_EQ(T_BLOCK::CountSelected(), 0);
  EXPECT_FALSE(fs::exists(UndoPath + "_t"));
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(Undo, ABlockInItsExplosionCountdownIsRecordedAsEmpty) {
  Place(START);
  ResetUndo();
  // The lone 2 explodes in the frame after it is grabbed.
  PointerFrame(2, 2, true, true);
  PointerFrame(2, 2, false, true);
  ASSERT_NE(BlockAt(2, 2)->Timer, 0);
  PushUndo();
  std::vector<uint8_t> bytes = ReadBytes(UndoPath);
  ASSERT_EQ(bytes.size(), 160u);
  EXPECT_EQ(bytes[22], 2);
  EXPECT_EQ(bytes[80 + 22], 0);
  EXPECT_EQ(bytes[80 + 0], 1);

  // Undo takes the explosion back; the record after it has no 2.
  PushUndo();
  EXPECT_EQ(UndoMove(), 1);
  EXPECT_EQ(BoardRows()[2], "..........");
  EXPECT_EQ(UndoMove(), 1);
  EXPECT_EQ(BoardRows()[2], "..2.......");
}

TEST_F(Undo, AResumeReadsTheLastWholeRecordAndIgnoresATornOne) {
  // Three whole records and 10 bytes of a fourth that a crash or a full
  // disk cut short: those bytes are not a board.
  std::vector<uint8_t> bytes(250, 0);
  bytes[0] = 1;
  bytes[159] = 4;    // the end of record 1: ignored
  bytes[160] = 2;    // record 2, cell (0, 0)
  bytes[239] = 5;    // record 2, cell (9, 7)
  bytes[245] = 3;    // the torn fourth record
  WriteBytes(UndoPath, bytes);
  EXPECT_EQ(ResumeFromUndo(), 1);
  EXPECT_EQ(UndoRecordCount, 3);
  Rows expected(8, "..........");
  expected[0][0] = '2';
  expected[7][9] = '5';
  EXPECT_EQ(BoardRows(), expected);

  CountUndoRecords();
  EXPECT_EQ(UndoRecordCount, 3);

  // The next step cuts the torn bytes off and follows record 2.
  PushUndo();
  EXPECT_EQ(UndoRecordCount, 4);
  std::vector<uint8_t> after = ReadBytes(UndoPath);
  ASSERT_EQ(after.size(), 320u);
  EXPECT_EQ(after[240], 2);
  EXPECT_EQ(after[245], 0);
}

TEST_F(Undo, AResumeFailsSilentlyWithoutAWholeRecord) {
  Place(START);
  EXPECT_EQ(ResumeFromUndo(), 0);
  WriteBytes(UndoPath, std::vector<uint8_t>(79, 1));
  EXPECT_EQ(ResumeFromUndo(), 0);
  EXPECT_EQ(BoardRows(), START);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(Undo, AnUndoShortensTheFileInPlaceWithoutATemporaryFile) {
  Place(START);
  ResetUndo();
  PointerFrame(0, 0, true, true);
  PointerFrame(1, 0, false, true);
  PointerFrame(1, 0, false, false);
  ASSERT_EQ(UndoRecordCount, 2);
  // Whatever stands at the old temporary name plays no part.
  fs::create_directory(UndoPath + "_t");
  EXPECT_EQ(UndoMove(), 1);
  EXPECT_EQ(BoardRows(), START);
  EXPECT_EQ(ReadBytes(UndoPath).size(), 80u);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(UserDataFolder)) entries += entry.path() != UndoPath + "_t";
  EXPECT_EQ(entries, 1);
}

TEST_F(Undo, MissingOrShortFilesAreReportedAndTheBoardStays) {
  Place(START);
  UndoRecordCount = 3;
  EXPECT_EQ(UndoMove(), 0);
  EXPECT_EQ(UndoRecordCount, 2);  // the next record overwrites the lost one
  EXPECT_EQ(BoardRows(), START);

  WriteBytes(UndoPath, std::vector<uint8_t>(80, 2));
  UndoRecordCount = 3;
  EXPECT_EQ(UndoMove(), 0);
  EXPECT_EQ(BoardRows(), START);
  EXPECT_EQ(ReadBytes(UndoPath).size(), 80u);

  ASSERT_EQ(media_test::RecordedMessages().size(), 2u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "Can't read " + UndoPath);
  EXPECT_EQ(media_test::RecordedMessages()[1], UndoPath + " size error !");
}

TEST_F(Undo, AnUnwritableHistoryIsReportedAndNotCounted) {
  Place(START);
  fs::create_directory(UndoPath);
  PushUndo();
  EXPECT_EQ(UndoRecordCount, 0);
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "Can't write " + UndoPath);
}

TEST_F(Undo, APushAfterAnUndoOverwritesTheTakenBackRecord) {
  Place(START);
  ResetUndo();
  PointerFrame(0, 0, true, true);
  PointerFrame(0, 1, false, true);
  PointerFrame(0, 1, false, false);
  ASSERT_EQ(UndoMove(), 1);
  PointerFrame(0, 0, true, true);
  PointerFrame(1, 0, false, true);
  PointerFrame(1, 0, false, false);
  std::vector<uint8_t> bytes = ReadBytes(UndoPath);
  ASSERT_EQ(bytes.size(), 160u);
  EXPECT_EQ(bytes[80 + 1], 1);
  EXPECT_EQ(bytes[80 + 2], 1);
  EXPECT_EQ(bytes[80 + 10], 0);
}


const Rows TWO_PAIRS = {"11........", "..........", "..2.......", "..........",
                        "..........", "..........", "..........", "........22"};

TEST_F(Undo, AHistoryDeletedOrShortenedUnderTheGameStartsAgainFromTheBoard) {
  for (int shortened = 0; shortened < 2; ++shortened) {
    Place(TWO_PAIRS);
    ResetUndo();
    ThreeSteps();
    ASSERT_EQ(UndoRecordCount, 4);
    if (shortened) {
      // Another copy of the game took the file back to one record.
      std::vector<uint8_t> bytes = ReadBytes(UndoPath);
      bytes.resize(80);
      WriteBytes(UndoPath, bytes);
    } else {
      fs::remove(UndoPath);  // another copy won the level and deleted it
    }
    // One more step: a history of the board as it is, not records 0..2
    // made of zero bytes.
    PointerFrame(2, 5, true, true);
    PointerFrame(3, 5, false, true);
    PointerFrame(3, 5, false, false);
    EXPECT_EQ(UndoRecordCount, 1);
    std::vector<uint8_t> bytes = ReadBytes(UndoPath);
    ASSERT_EQ(bytes.size(), 80u);
    EXPECT_EQ(bytes[53], 2);
    // Undo cannot reach an empty board, so nothing is won.
    EXPECT_EQ(UndoMove(), 0);
    EXPECT_EQ(Blocks.size(), 5u);
    EXPECT_EQ(BoardRows()[5], "...2......");
  }
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(Undo, AnUndoNeverLandsOnAnEmptyBoardThatWasNotTheWinningStep) {
  Place(START);
  // A history whose middle records are zero bytes (a sparse or damaged
  // file): record 0 and the last record are boards, record 1 is empty.
  std::vector<uint8_t> bytes(240, 0);
  bytes[0] = 1;
  bytes[160] = 1;
  bytes[161] = 1;
  WriteBytes(UndoPath, bytes);
  ASSERT_EQ(ResumeFromUndo(), 1);
  ASSERT_EQ(UndoRecordCount, 3);
  EXPECT_EQ(UndoMove(), 0);
  EXPECT_EQ(BoardRows()[0], "11........");
  // The damaged history was replaced by one of the board as it is.
  EXPECT_EQ(UndoRecordCount, 1);
  EXPECT_EQ(ReadBytes(UndoPath).size(), 80u);
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], UndoPath + " size error !");

  // Nor does a resume bring back an empty last board: that would be a
  // level won without play.
  WriteBytes(UndoPath, std::vector<uint8_t>(160, 0));
  EXPECT_EQ(ResumeFromUndo(), 0);
  EXPECT_EQ(BoardRows()[0], "11........");
}

TEST_F(Undo, CellBytesAboveTheSixColoursAreEmptyCells) {
  std::vector<uint8_t> bytes(80, 0);
  bytes[0] = 7;    // no colour has kind 6: it would be invisible and unwinnable
  bytes[1] = 255;
  bytes[2] = 6;    // kind 5, the last colour
  WriteBytes(UndoPath, bytes);
  ASSERT_EQ(ResumeFromUndo(), 1);
  EXPECT_EQ(Blocks.size(), 1u);
  EXPECT_EQ(BoardRows()[0], "..6.......");
}

TEST_F(Undo, AWriteInterruptedByAFullDiskLeavesOnlyWholeRecords) {
  Place(START);
  ResetUndo();
  // 4,096 bytes hold 51 records and 16 bytes of a 52nd.
  WithFileSizeLimit(4096, [] {
    for (int i = 0; i < 55; ++i) PushUndo();
  });
  EXPECT_EQ(UndoRecordCount, 51);
  EXPECT_EQ(ReadBytes(UndoPath).size(), 51u * 80u);
  EXPECT_EQ(media_test::RecordedMessages().size(), 5u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "Can't write " + UndoPath);

  // The next start counts and resumes whole records, and play goes on.
  CountUndoRecords();
  EXPECT_EQ(UndoRecordCount, 51);
  ClearBoard();
  ASSERT_EQ(ResumeFromUndo(), 1);
  EXPECT_EQ(BoardRows(), START);
  PushUndo();
  EXPECT_EQ(UndoRecordCount, 52);
  EXPECT_EQ(ReadBytes(UndoPath).size(), 52u * 80u);
}

TEST_F(Undo, AStepHeldByThePointerAndMadeWithAKeyIsOneRecord) {
  Place(TWO_PAIRS);
  ResetUndo();
  // Hold the lone 2, press the right arrow, release.
  PointerFrame(2, 2, true, true);
  Frame.LeftDown = true;
  PlayKey({KEY_RIGHT, 0});
  UpdatePlay();
  PointerFrame(2, 2, false, true);
  PointerFrame(2, 2, false, false);
  EXPECT_EQ(BoardRows()[2], "...2......");
  EXPECT_EQ(UndoRecordCount, 2);
  std::vector<uint8_t> bytes = ReadBytes(UndoPath);
  ASSERT_EQ(bytes.size(), 160u);
  EXPECT_EQ(bytes[80 + 23], 2);
  // The pointer still holds the shape and drags it from where it stands.
  PointerFrame(3, 2, true, true);
  PointerFrame(3, 3, false, true);
  PointerFrame(3, 3, false, false);
  EXPECT_EQ(BoardRows()[3], "...2......");
  EXPECT_EQ(UndoRecordCount, 3);
}

// A sparse history file of `records` records whose first and last records
// are boards.
void WriteSparseHistory(const std::string& path, int64_t records, const std::vector<uint8_t>& first,
                        const std::vector<uint8_t>& last) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(pwrite(fd, first.data(), 80, 0), 80);
  ASSERT_EQ(ftruncate(fd, static_cast<off_t>(records * 80)), 0);
  ASSERT_EQ(pwrite(fd, last.data(), 80, static_cast<off_t>((records - 1) * 80)), 80);
  close(fd);
}

TEST_F(Undo, HistoriesBeyondTwoGigabytesAreCountedInSixtyFourBits) {
  std::vector<uint8_t> first(80, 0), last(80, 0), before(80, 0);
  first[0] = 1;
  last[79] = 3;
  before[78] = 3;
  const int64_t records = (int64_t{1} << 31) / 80 + 100;  // past 2 GiB
  WriteSparseHistory(UndoPath, records, first, last);
  {
    int fd = open(UndoPath.c_str(), O_WRONLY);
    ASSERT_EQ(pwrite(fd, before.data(), 80, static_cast<off_t>((records - 2) * 80)), 80);
    close(fd);
  }
  ASSERT_EQ(ResumeFromUndo(), 1);
  EXPECT_EQ(UndoRecordCount, records);
  EXPECT_EQ(BoardRows()[7], ".........3");

  // A step lands after the last record, not on record 0.
  PushUndo();
  EXPECT_EQ(static_cast<int64_t>(fs::file_size(UndoPath)), (records + 1) * 80);
  {
    std::ifstream in(UndoPath, std::ios::binary);
    EXPECT_EQ(in.get(), 1);
  }
  // Two undos are immediate, however long the history.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(UndoMove(), 1);
  EXPECT_EQ(UndoMove(), 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_EQ(BoardRows()[7], "........3.");
  EXPECT_EQ(static_cast<int64_t>(fs::file_size(UndoPath)), (records - 1) * 80);
  fs::remove(UndoPath);
}

TEST_F(Undo, AnAbsurdlyLongHistoryIsNeitherCountedNorResumed) {
  std::vector<uint8_t> board(80, 0);
  board[0] = 1;
  WriteSparseHistory(UndoPath, int64_t{200000000}, board, board);  // 16 GB
  CountUndoRecords();
  EXPECT_EQ(UndoRecordCount, 0);
  EXPECT_EQ(ResumeFromUndo(), 0);
  fs::remove(UndoPath);
}

}  // namespace
