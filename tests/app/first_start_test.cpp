// A new player's first run, through the real input path only: on a fresh
// user data folder the flag screen comes first, a click on a flag plays the
// tutorial, the main menu follows, "Quit" ends the run. Afterwards the files
// hold what that run should leave.
#include <gtest/gtest.h>

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
#include "localisation/languages.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "menus/tutorial.h"
#include "persistence/profile.h"
#include "tests/support/headless_game.h"

namespace fs = std::filesystem;

namespace {

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
  void PointerAt(int x, int y) { media_test::InjectPointerMove(ScreenOffsetX + x, ScreenOffsetY + y); }
  // Press in one frame, release in the next: a click of the real mouse at
  // game-screen pixel (x, y).
  void Click(int x, int y) {
    PointerAt(x, y);
    media_test::InjectButtonDown(BUTTON_LEFT);
    Frames(1);
    media_test::InjectButtonUp(BUTTON_LEFT);
    if (!HeadlessGameTest::Frames(1)) Ended = true;
  }
  void ClickCell(int x, int y) { Click(x * BlockSize + BlockSize / 2, y * BlockSize + BlockSize / 2); }

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

TEST_F(FirstStart, FlagTutorialMainMenuAndQuit) {
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

  // "Quit" on the main menu ends the program as the last frame of a run.
  Frames(2);
  ClickCell(6, 6);
  ASSERT_FALSE(Ended);
  ASSERT_TRUE(RunUntil([&] { return Ended; }, 400));
  EXPECT_TRUE(QuitRequested);
  EXPECT_FALSE(CloseRequested());
  Shutdown();

  // The profile keeps the language; no level was played and nothing won.
  EXPECT_EQ(ProfileValue("Language"), "\"" + englishFile + "\"");
  int level = -2;
  int64_t timer = -1;
  UnpackLevelInfo(std::stoull(ProfileValue("Current Level Info")), level, timer);
  EXPECT_EQ(level, -1);
  EXPECT_EQ(timer, 0);
  EXPECT_FALSE(fs::exists(Home / "pLiMo" / "pLiMo_Best_Scores.bin"));
  EXPECT_FALSE(fs::exists(Home / "pLiMo" / "pLiMo_Undo.bin"));
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

}  // namespace
