// The desktop side of the browser test: a new player's way through the
// game, played headless on the desktop build with the input the browser
// test then gives the browser version. Writes into $PLIMO_WEB_REFERENCE:
// the screens to compare (<name>.png), the input to give (script.txt) and
// the player's files to compare (<name>.bin: the best scores after the win,
// the undo history after a finger's move).
#include <cstdlib>
#include <fstream>
#include <functional>

#include "board/block.h"
#include "effects/effects.h"
#include "levels/level_code.h"
#include "levels/level_lifecycle.h"
#include "levels/level_map.h"
#include "solver/random_level.h"
#include "tests/support/headless_game.h"

namespace fs = std::filesystem;

namespace {

constexpr int FULLEST_LEVEL = 3;

class BrowserReference : public HeadlessGameTest {
 protected:
  fs::path Out;
  std::ofstream Script;

  void SetUp() override {
    HeadlessGameTest::SetUp();
    const char* out = std::getenv("PLIMO_WEB_REFERENCE");
    if (!out) GTEST_SKIP() << "PLIMO_WEB_REFERENCE names no folder";
    Out = out;
    fs::create_directories(Out);
    Script.open(Out / "script.txt");
    // The browser's window in the test: the same desktop size.
    media_test::SetDesktopSize(1280, 800);
  }
  // Frames until the condition holds (at most `limit`); the browser waits
  // as long.
  bool RunUntil(const std::function<bool()>& done, int limit) {
    int frames = 0;
    for (; frames < limit && !done(); frames++)
      if (!Frames(1)) return false;
    Script << "wait " << frames * 16 << "\n";
    return done();
  }
  // The screen as drawn now, to compare with the browser's.
  void Shot(const char* name) {
    ASSERT_TRUE(media_test::SaveBackBufferPNG((Out / (std::string(name) + ".png")).string()));
    Script << "shot " << name << "\n";
  }
  // A key pressed and released, in both games.
  void Key(int key, const char* name) {
    ASSERT_TRUE(PressKey(key));
    Script << "key " << name << "\n";
  }
  void Click(int x, int y) {
    ASSERT_TRUE(ClickAt(x, y));
    Script << "click " << ScreenOffsetX + x << " " << ScreenOffsetY + y << "\n";
  }
  void Wait(int ms) {
    ASSERT_TRUE(Frames(ms / 16));
    Script << "wait " << ms << "\n";
  }
  // A player's file as it is now, for the browser's to be compared with.
  void Keep(const char* file, const char* name) {
    fs::copy_file(Home / "pLiMo" / file, Out / (std::string(name) + ".bin"), fs::copy_options::overwrite_existing);
    Script << "file " << file << " " << name << "\n";
  }
  // The keyboard cursor walked to a cell, one arrow at a time.
  void CursorTo(int x, int y) {
    while (KeyboardCursorX < x) Key(KEY_RIGHT, "ArrowRight");
    while (KeyboardCursorX > x) Key(KEY_LEFT, "ArrowLeft");
    while (KeyboardCursorY < y) Key(KEY_DOWN, "ArrowDown");
    while (KeyboardCursorY > y) Key(KEY_UP, "ArrowUp");
  }
  // One solver move with the keys: the cursor on the shape, Enter takes
  // hold of it, an arrow moves it, Enter lets go.
  void KeyMove(const test_support::Move& m) {
    CursorTo(m.Cell % 10, m.Cell / 10);
    Key(KEY_ENTER, "Enter");
    if (m.Dx > 0) Key(KEY_RIGHT, "ArrowRight");
    if (m.Dx < 0) Key(KEY_LEFT, "ArrowLeft");
    if (m.Dy > 0) Key(KEY_DOWN, "ArrowDown");
    if (m.Dy < 0) Key(KEY_UP, "ArrowUp");
    if (KeyboardMode == 2) Key(KEY_ENTER, "Enter");
    // A completed colour explodes: until its blocks are gone and their
    // fragments have landed, then a few frames more, so that a browser
    // whose frames come later is as far on at the next key.
    ASSERT_TRUE(RunUntil(Settled, 300));
    Wait(160);
  }
  static bool Settled() {
    return Fragments.empty() &&
           std::none_of(Blocks.begin(), Blocks.end(), [](const auto& block) { return block->Timer != 0; });
  }
  // The first shape, in reading order, with empty cells beside it, moved
  // one cell that way.
  static test_support::Move FirstFreeMove(const test_support::Cells& board) {
    for (int colour = 1; colour <= 6; colour++)
      for (const test_support::Shape& shape : test_support::ShapesOf(board, colour))
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
          const bool free = std::all_of(shape.begin(), shape.end(), [&](int cell) {
            const int tx = cell % 10 + dx, ty = cell / 10 + dy;
            return tx >= 0 && tx < 10 && ty >= 0 && ty < 8 &&
                   (board[ty * 10 + tx] == 0 || std::count(shape.begin(), shape.end(), ty * 10 + tx) > 0);
          });
          if (free) return {shape.front(), dx, dy};
        }
    return {-1, 0, 0};
  }
};

TEST_F(BrowserReference, NewPlayerFlagsTutorialMenuFirstLevelWinReloadTouch) {
  FreshHome();
  Start();
  ASSERT_EQ(ScreenState, SCREEN_LANGUAGE_FIRST);
  Wait(3000);  // the flags are decoded in the frames' spare time
  Shot("flags");
  const T_LANG* english = nullptr;
  for (const auto& language : Languages)
    if (language->code == "EN") english = language.get();
  ASSERT_NE(english, nullptr);
  Click((english->x0 + english->x1) / 2, (english->y0 + english->y1) / 2);
  ASSERT_EQ(ScreenState, SCREEN_TUTORIAL);
  Wait(500);
  Key(KEY_ESCAPE, "Escape");
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Wait(2000);
  Shot("menu");

  Key(KEY_ENTER, "Enter");
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  ASSERT_EQ(CurrentLevel, 0);
  Wait(2000);
  Shot("level");
  const std::vector<test_support::Move> solution = test_support::Solve(LevelCells(0));
  ASSERT_FALSE(solution.empty());
  for (const test_support::Move& m : solution) KeyMove(m);
  ASSERT_TRUE(RunUntil([] { return ScreenState == SCREEN_VICTORY; }, 300));
  Wait(1000);
  Shot("victory");
  Keep("pLiMo_Best_Scores.bin", "scores");
  Shutdown();

  // A reload: the menu in the chosen language; "Play" opens the map with the
  // level won, Escape goes back, Enter starts the next level.
  Start();
  Script << "reload\n";
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Wait(1000);
  Click(5 * BlockSize + BlockSize / 2, 3 * BlockSize + BlockSize / 2);
  ASSERT_TRUE(RunUntil([] { return ScreenState == SCREEN_LEVEL_MAP; }, 400));
  Wait(3000);
  Shot("map");
  // A still screen: once the map has settled, two seconds left alone show
  // no new frame; the browser must show no more than the desktop.
  Wait(1000);
  {
    const long shown = media_test::PresentedFrames();
    ASSERT_TRUE(Frames(125));
    Script << "still " << media_test::PresentedFrames() - shown << "\n";
  }
  // "How to play" below the cards opens the help page (in a page: a tab).
  media_test::RecordedWebPages().clear();
  Click(BOARD_COLUMNS * BlockSize / 2, WebRowTop() + BlockSize / 2);
  ASSERT_EQ(media_test::RecordedWebPages().size(), 1u);
  Script << "helptab\n";
  Key(KEY_ESCAPE, "Escape");
  Wait(1000);
  Key(KEY_ENTER, "Enter");
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  ASSERT_EQ(CurrentLevel, 1);
  Wait(2000);
  // A finger drags a shape one cell.
  const test_support::Move first = FirstFreeMove(LevelCells(1));
  ASSERT_GE(first.Cell, 0);
  const int x = first.Cell % 10, y = first.Cell / 10;
  const auto centre = [](int cell) { return cell * BlockSize + BlockSize / 2; };
  Script << "touch " << ScreenOffsetX + centre(x) << " " << ScreenOffsetY + centre(y) << " "
         << ScreenOffsetX + centre(x + first.Dx) << " " << ScreenOffsetY + centre(y + first.Dy) << "\n";
  ASSERT_TRUE(DragOneCell(first.Cell, first.Dx, first.Dy));
  EXPECT_EQ(BoardCells(), test_support::Apply(LevelCells(1), first));
  Keep("pLiMo_Undo.bin", "undo");
  Shutdown();

  // The fullest board ("273", 70 pieces): its history of one move, put into
  // the browser's storage, resumes it after a reload; the browser then
  // times its frames there.
  Start();
  CurrentLevel = FULLEST_LEVEL;
  LoadLevel(FULLEST_LEVEL);
  StartLevel(1);
  const test_support::Move move = FirstFreeMove(LevelCells(FULLEST_LEVEL));
  ASSERT_GE(move.Cell, 0);
  ASSERT_TRUE(DragOneCell(move.Cell, move.Dx, move.Dy));
  fs::copy_file(Home / "pLiMo" / "pLiMo_Undo.bin", Out / "fullest.bin", fs::copy_options::overwrite_existing);
  Shutdown();
  fs::copy_file(Out / "fullest.bin", Home / "pLiMo" / "pLiMo_Undo.bin", fs::copy_options::overwrite_existing);
  Script << "put pLiMo_Undo.bin fullest\nreload\n";
  Start();
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  Wait(1000);
  Key(KEY_ENTER, "Enter");
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  ASSERT_EQ(CurrentLevel, FULLEST_LEVEL);
  Wait(2000);
  Shot("fullest");
  Script << "frametimes\n";

  // A level code pasted on the map opens its level (in a page the text
  // comes with the paste event of Ctrl+V).
  Key(KEY_ESCAPE, "Escape");
  ASSERT_TRUE(RunUntil([] { return ScreenState == SCREEN_MAIN_MENU; }, 200));
  Wait(1000);
  Click(5 * BlockSize + BlockSize / 2, 3 * BlockSize + BlockSize / 2);
  ASSERT_TRUE(RunUntil([] { return ScreenState == SCREEN_LEVEL_MAP; }, 400));
  Wait(2000);
  const std::string code = LevelCode(GenerateRandomLevel(99, 3).Cells);
  ASSERT_TRUE(SetClipboardText(code));
  ASSERT_TRUE(PasteKeys());
  Script << "paste " << code << "\n";
  ASSERT_TRUE(RunUntil([] { return ScreenState == SCREEN_PLAY; }, 200));
  Wait(2000);
  Shot("pasted");
  Shutdown();
}

}  // namespace
