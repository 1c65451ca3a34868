// The undo file of a game killed (kill -9) while it records moves.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "tests/play/board_fixture.h"

namespace {

using KilledMove = BoardFixture;

TEST_F(KilledMove, TheUndoFileHoldsOnlyWholeRecordsAfterAKillAtAnyMoment) {
  const std::vector<std::string> rows = {"1.2.......", "..........", "..........", "..........",
                                         "..........", "..........", "..........", "2........1"};
  Place(rows);
  ResetUndo();
  std::mt19937 random(9);
  int resumed = 0;
  for (int round = 0; round < 12; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The game, stepping as fast as it can: every push appends a record.
      for (;;) PushUndo();
    }
    usleep(1000 + random() % 20000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    // A kill inside a write that crosses a page of the file can leave the
    // start of a record behind the whole ones (seen: 16 bytes).
    const int64_t length = static_cast<int64_t>(fs::file_size(UndoPath));
    // The next start counts and resumes the whole records only ...
    CountUndoRecords();
    ASSERT_EQ(UndoRecordCount, length / 80) << "round " << round;
    ASSERT_EQ(ResumeFromUndo(), 1);
    EXPECT_EQ(BoardRows(), rows);
    resumed += UndoRecordCount;
    // ... and its next step cuts a torn tail off before its own record.
    const int64_t whole = UndoRecordCount;
    PushUndo();
    ASSERT_EQ(static_cast<int64_t>(fs::file_size(UndoPath)), (whole + 1) * 80) << "round " << round;
  }
  EXPECT_GT(resumed, 12);  // every round resumed more than its start board
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

}  // namespace
