// A new player's first run, through the real input path only: on a fresh
// user data folder the flag screen comes first, a click on a flag plays the
// tutorial, the main menu follows; "Play", a card of the level map, a level
// won, the victory screen, the map again, Escape, "Quit". Afterwards the
// files hold what that run should leave.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "levels/level_map.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "menus/tutorial.h"
#include "persistence/profile.h"
#include "play/undo.h"
#include "tests/support/headless_game.h"
#include "tests/support/level_solver.h"

namespace fs = std::filesystem;

namespace {

using test_support::Apply;
using test_support::Cells;
using test_support::Move;
using test_support::Solve;

class FirstStart : public HeadlessGameTest {
 protected:
  bool Ended = false;  // the frame loop asked to end

  // Runs frames until the condition holds, the loop ends or the limit is
  // reached; whether the condition holds.
  bool RunUntil(const std::function<bool()>& done, int limit, int step = 16) {
    for (int i = 0; i < limit && !done(); i++) {
      if (!HeadlessGameTest::Frames(1, step)) {
        Ended = true;
        break;
      }
    }
    return done();
  }
  void Frames(int count) { ASSERT_TRUE(HeadlessGameTest::Frames(count)); }
  // A click at game-screen pixel (x, y); a click that ends the program
  // (the quit entry) is recorded in `Ended`.
  void Click(int x, int y) {
    if (!ClickAt(x, y)) Ended = true;
  }
  void ClickCell(int x, int y) { Click(x * BlockSize + BlockSize / 2, y * BlockSize + BlockSize / 2); }

  void Play(const Move& m) { ASSERT_TRUE(DragOneCell(m.Cell, m.Dx, m.Dy)); }
  std::string UserFile(const std::string& name) const {
    std::ifstream in(Home / "pLiMo" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The value of "key" = value on its own line of the profile, as written.
  std::string ProfileValue(const std::string& key) const {
    const std::string text = UserFile("pLiMo_User_Profile.txt");
    const std::string head = "\"" + key + "\" = ";
    const size_t at = text.find(head);
    if (at == std::string::npos) return "";
    const size_t start = at + head.size();
    return text.substr(start, text.find_first_of(" \r\n", start) - start);
  }
};

TEST_F(FirstStart, FlagTutorialMenuLevelVictoryMapAndQuit) {
  FreshHome();
  Start();
  ASSERT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);
  Frames(3);

  // The English flag.
  const T_LANG* english = nullptr;
  for (const auto& language : Languages)
    if (language->code == "EN") english = language.get();
  ASSERT_NE(english, nullptr);
  const std::string englishFile = english->file;  // the language list ends with the run
  Click((english->x0 + english->x1) / 2, (english->y0 + english->y1) / 2);
  ASSERT_EQ(ScreenState, SCREEN_TUTORIAL);
  EXPECT_EQ(LanguageFile, englishFile);
  EXPECT_EQ(GetText("Play"), "Play");

  // The tutorial to its end, a click on the board for each of its texts.
  std::vector<std::string> texts;
  ASSERT_TRUE(RunUntil(
      [&] {
        if (ScreenState == SCREEN_TUTORIAL && TutorialWaiting) {
          texts.push_back(Tutorial.Text);
          Click(2 * BlockSize, 6 * BlockSize);
        }
        return ScreenState != SCREEN_TUTORIAL;
      },
      4000, 48));
  EXPECT_EQ(texts, (std::vector<std::string>{GetText("Tuto0"), GetText("Tuto1"), GetText("Tuto3"), GetText("Tuto2"),
                                             GetText("Tuto4"), GetText("Tuto6"), GetText("Tuto7")}));
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  ASSERT_NE(BlockAt(4, 3), nullptr);
  EXPECT_EQ(BlockAt(4, 3)->Text, "Play");

  // "Play": a quick click on its caption; the map opens once the explosion
  // has flown off.
  Frames(2);
  ClickCell(5, 3);
  ASSERT_TRUE(RunUntil([] { return ScreenState == SCREEN_LEVEL_MAP; }, 400));

  // The map slides into place; a tap on the first card zooms into play.
  Frames(120);
  int tapX = -1, tapY = -1;
  for (int y = 0; y < BOARD_ROWS * BlockSize && tapX < 0; y += 4)
    for (int x = 0; x < BOARD_COLUMNS * BlockSize && tapX < 0; x += 4)
      if (CardAt(x, y) == 0) tapX = x, tapY = y;
  ASSERT_GE(tapX, 0) << "no card of the first level on screen";
  Click(tapX + 20, tapY + 20);
  ASSERT_TRUE(RunUntil([] { return ScreenState == SCREEN_PLAY; }, 200));
  ASSERT_EQ(CurrentLevel, 0);
  ASSERT_EQ(BoardCells(), LevelCells(0));

  // The level, won by the solver's moves.
  const std::vector<Move> solution = Solve(LevelCells(0));
  ASSERT_FALSE(solution.empty());
  int moves = 0;
  for (const Move& m : solution) {
    Play(m);
    if (m.Dx != 0 || m.Dy != 0) moves++;
  }
  ASSERT_TRUE(RunUntil([] { return ScreenState == SCREEN_VICTORY; }, 300));
  const int64_t wonTime = LevelTimer;

  // A click leaves the victory screen for the map; Escape there goes back to
  // the main menu, whose "Quit" ends the program.
  Frames(30);
  Click(5 * BlockSize, 4 * BlockSize);
  ASSERT_TRUE(RunUntil([] { return ScreenState == SCREEN_LEVEL_MAP; }, 100));
  Frames(10);
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Frames(2);
  ClickCell(6, 6);
  ASSERT_FALSE(Ended);
  ASSERT_TRUE(RunUntil([&] { return Ended; }, 400));
  EXPECT_TRUE(QuitRequested);
  EXPECT_FALSE(CloseRequested());
  Shutdown();

  // The profile keeps the language and the level last played with its time;
  // the best scores hold the one won level; no saved game is left.
  EXPECT_EQ(ProfileValue("Language"), "\"pLiMo_text_EN.txt\"");  // kept by its name in the data folder
  int level = -2;
  int64_t timer = -1;
  UnpackLevelInfo(std::stoull(ProfileValue("Current Level Info")), level, timer);
  EXPECT_EQ(level, 0);
  EXPECT_EQ(timer, wonTime);
  const int seconds = static_cast<int>(wonTime / 1000);
  const int id = LevelId(0);
  const std::string expectedScores = {1, 0, 0, 0, static_cast<char>(id), static_cast<char>(id >> 8),
                                      static_cast<char>(moves), static_cast<char>(moves >> 8),
                                      static_cast<char>(seconds), static_cast<char>(seconds >> 8), 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(UserFile("pLiMo_Best_Scores.bin"), expectedScores);
  EXPECT_FALSE(fs::exists(Home / "pLiMo" / "pLiMo_Undo.bin"));
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

}  // namespace
