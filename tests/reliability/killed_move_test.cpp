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
    const int64_t length = static_cast<int64_t>(fs::file_size(UndoPath));
    ASSERT_EQ(length % 80, 0) << "round " << round;
    // The next start counts and resumes the whole records.
    CountUndoRecords();
    ASSERT_EQ(UndoRecordCount, length / 80);
    ASSERT_EQ(ResumeFromUndo(), 1);
    EXPECT_EQ(BoardRows(), rows);
    resumed += UndoRecordCount;
  }
  EXPECT_GT(resumed, 12);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

}  // namespace
