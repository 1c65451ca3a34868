// The undo history file: records, undo through the temporary file, resume.
#include "tests/play/board_fixture.h"

namespace {

using Undo = BoardFixture;
using Rows = std::vector<std::string>;

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

TEST_F(Undo, AResumeReadsTheLastEightyBytesWhateverTheLength) {
  std::vector<uint8_t> bytes(250, 0);
  bytes[169] = 4;    // just before the last 80 bytes: ignored
  bytes[170] = 2;    // cell (0, 0)
  bytes[249] = 5;    // cell (9, 7)
  WriteBytes(UndoPath, bytes);
  EXPECT_EQ(ResumeFromUndo(), 1);
  EXPECT_EQ(UndoRecordCount, 3);
  Rows expected(8, "..........");
  expected[0][0] = '2';
  expected[7][9] = '5';
  EXPECT_EQ(BoardRows(), expected);

  CountUndoRecords();
  EXPECT_EQ(UndoRecordCount, 3);
}

TEST_F(Undo, AResumeFailsSilentlyWithoutAWholeRecord) {
  Place(START);
  EXPECT_EQ(ResumeFromUndo(), 0);
  WriteBytes(UndoPath, std::vector<uint8_t>(79, 1));
  EXPECT_EQ(ResumeFromUndo(), 0);
  EXPECT_EQ(BoardRows(), START);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(Undo, ATemporaryFileThatCannotBeCreatedChangesNothing) {
  Place(START);
  ResetUndo();
  PointerFrame(0, 0, true, true);
  PointerFrame(1, 0, false, true);
  PointerFrame(1, 0, false, false);
  ASSERT_EQ(UndoRecordCount, 2);
  const std::vector<uint8_t> before = ReadBytes(UndoPath);
  const Rows board = BoardRows();

  fs::create_directory(UndoPath + "_t");
  EXPECT_EQ(UndoMove(), 0);
  EXPECT_EQ(UndoRecordCount, 2);
  EXPECT_EQ(BoardRows(), board);
  EXPECT_EQ(ReadBytes(UndoPath), before);
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "Can't write " + UndoPath + "_t");

  // Once the way is clear the same undo works.
  fs::remove(UndoPath + "_t");
  EXPECT_EQ(UndoMove(), 1);
  EXPECT_EQ(BoardRows()[0], "11........");
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

}  // namespace
