// The program itself where no display can be seen, and a held Escape key.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "menus/screens.h"
#include "tests/support/headless_game.h"
#include "tests/support/test_support.h"

namespace {

struct GameRun {
  int Status = -1;
  std::string Output;
};

// Runs the game program with the given environment changes; gives up
// after 20 s (a game running unseen would never end).
GameRun RunGame(const std::string& environment) {
  GameRun run;
  const std::string program = test_support::BinaryDir() + "/plimo";
  test_support::TempDir data;
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_DATA_HOME=" + data.Path() +
                              " " + environment + " timeout 20 " + program + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[256];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.Output.append(buffer, n);
  const int status = pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(NoDisplay, TheGameSaysWhyItCannotStartAndEndsWithAFailure) {
  if (!std::filesystem::exists(test_support::BinaryDir() + "/plimo")) GTEST_SKIP() << "no game program built";
  for (const std::string environment : {"", "SDL_VIDEODRIVER=offscreen", "SDL_VIDEODRIVER=dummy"}) {
    const GameRun run = RunGame(environment);
    EXPECT_NE(run.Status, 0) << environment;
    EXPECT_NE(run.Status, 124) << environment << ": still running after 20 s";
    EXPECT_NE(run.Output.find("pLiMo cannot start: "), std::string::npos) << environment << ": " << run.Output;
  }
}

using HeldEscape = HeadlessGameTest;

TEST_F(HeldEscape, RepeatsOfAHeldEscapeDoNotLeaveScreenAfterScreen) {
  Start();
  CurrentLevel = 0;
  LoadLevel(0);
  StartLevel(1);
  ASSERT_TRUE(Frames(2));
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  // Held for half a second: one press, then the platform's auto-repeat.
  media_test::InjectKeyDown(KEY_ESCAPE);
  ASSERT_TRUE(Frames(1));
  for (int i = 0; i < 15; ++i) {
    media_test::InjectKeyRepeat(KEY_ESCAPE);
    ASSERT_TRUE(Frames(2)) << "the game ended";
  }
  media_test::InjectKeyUp(KEY_ESCAPE);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Shutdown();
}

}  // namespace
