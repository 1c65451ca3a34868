// The level map and the victory screen in the running game, through the real
// input path: the main menu's "Play", a card chosen with the mouse or a
// finger, the zoom, a level played to its win, the victory screen and back
// to the map with the new time on the card.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/display.h"
#include "app/music.h"
#include "app/settings.h"
#include "board/block.h"
#include "levels/code_card.h"
#include "levels/daily.h"
#include "levels/level_bank.h"
#include "levels/level_code.h"
#include "levels/level_lifecycle.h"
#include "levels/level_map.h"
#include "levels/level_par.h"
#include "levels/shared_level.h"
#include "levels/share_screens.h"
#include "levels/victory.h"
#include "menus/editor.h"
#include "menus/screens.h"
#include "persistence/custom_levels.h"
#include "menus/text_box.h"
#include "play/undo.h"
#include "solver/random_level.h"
#include "tests/support/headless_game.h"
#include "tests/support/level_solver.h"

namespace {

using test_support::Cells;
using test_support::Move;

class MapGame : public HeadlessGameTest {
 protected:
  bool Play(const Move& m) { return DragOneCell(m.Cell, m.Dx, m.Dy); }
  std::vector<uint8_t> FileBytes(const std::string& name) const {
    std::ifstream in(Home / "pLiMo" / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
  // The texts drawn in white inside the card at (x, y) in one frame.
  std::vector<std::string> CardTexts(int n) {
    int x, y;
    CardCentre(n, x, y);
    media_test::StartRecording();
    EXPECT_TRUE(Frames(1));
    media_test::StopRecording();
    CardCentre(n, x, y);
    std::vector<std::string> texts;
    for (const auto& c : media_test::RecordedDraws()) {
      if (c.Kind == media_test::DrawKind::Text && c.R == 255 && c.X >= x - CardWidth() / 2 &&
          c.X < x + CardWidth() / 2 && c.Y >= y - CardHeight() / 2 - 8 && c.Y < y + CardHeight() / 2)
        texts.push_back(c.Text);
    }
    return texts;
  }
};

TEST_F(MapGame, PlayChooseACardWinAndComeBackToTheMapWithTheNewTime) {
  Start();
  ASSERT_EQ(ScreenState, SCREEN_MAIN_MENU);
  ASSERT_TRUE(Frames(2));
  ASSERT_TRUE(ClickMenuEntry("Play"));
  ASSERT_EQ(ScreenState, SCREEN_LEVEL_MAP);
  // The map slides up into place from below the screen.
  ASSERT_TRUE(Frames(90));
  EXPECT_NEAR(MapScroll, 182, 20);
  // The card shows its label until the level is won.
  EXPECT_EQ(CardTexts(0), std::vector<std::string>{"11"});
  // A click on the first card.
  int x, y;
  CardCentre(0, x, y);
  media_test::InjectPointerMove(x, y);
  media_test::InjectButtonDown(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  media_test::InjectButtonUp(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ZoomLevel, 0);
  ASSERT_NE(ZoomEnd, 0);
  const int startClock = Clock;
  ASSERT_TRUE(WaitForPlay());
  EXPECT_GE(Clock - startClock, 1000);
  ASSERT_EQ(BoardCells(), LevelCells(0));
  const int playClock = Clock;

  const std::vector<Move> solution = test_support::Solve(LevelCells(0));
  ASSERT_FALSE(solution.empty());
  int steps = 0;
  for (const Move& m : solution) {
    ASSERT_TRUE(Play(m));
    if (m.Dx != 0 || m.Dy != 0) ++steps;
  }
  for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ScreenState, SCREEN_VICTORY);
  const int seconds = static_cast<int>(WonTime / 1000);
  EXPECT_EQ(seconds, (Clock - playClock) / 1000);

  // The verdict of a first win, over the replay of the game just played.
  ASSERT_EQ(VictoryLines.size(), 3u);
  EXPECT_EQ(VictoryLines.front()->Text, "- 11 -");
  EXPECT_EQ((*std::next(VictoryLines.begin()))->Text, GetText("Well Done"));
  EXPECT_EQ(ReplayCount, steps + 1);
  // The replay runs backwards from the last record (an empty board when the
  // last step completed the last colour).
  ASSERT_TRUE(Frames(12));
  EXPECT_FALSE(Blocks.empty());
  EXPECT_EQ(FileBytes("pLiMo_Undo.bin").size(), 0u);
  const std::vector<uint8_t> scores = {
      1, 0, 0, 0, 24, 0, static_cast<uint8_t>(steps), static_cast<uint8_t>(steps >> 8),
      static_cast<uint8_t>(seconds), static_cast<uint8_t>(seconds >> 8), 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(FileBytes("pLiMo_Best_Scores.bin"), scores);

  ASSERT_TRUE(Frames(60));
  media_test::InjectPointerMove(400, 300);
  media_test::InjectButtonDown(BUTTON_LEFT);
  ASSERT_TRUE(Frames(1));
  media_test::InjectButtonUp(BUTTON_LEFT);
  ASSERT_EQ(ScreenState, SCREEN_LEVEL_MAP);
  const std::vector<std::string> expected = {GetText("Last Time") + " " + FormatTime(seconds), "11"};
  EXPECT_EQ(CardTexts(0), expected);
  Shutdown();
}

TEST_F(MapGame, WithTheKeyboardCursorSpaceOnTheVictoryScreenStartsTheNextLevel) {
  Start();
  ASSERT_TRUE(Frames(2));
  // Enter on the main menu starts the first level and shows the cursor.
  ASSERT_TRUE(PressKey(KEY_ENTER));
  ASSERT_EQ(ScreenState, SCREEN_PLAY);
  ASSERT_EQ(CurrentLevel, 0);
  for (const Move& m : test_support::Solve(LevelCells(0))) ASSERT_TRUE(Play(m));
  KeyboardMode = 1;  // the mouse moves switched it off; the player is back on the keys
  for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ScreenState, SCREEN_VICTORY);
  EXPECT_EQ(KeyboardMode, 1);
  ASSERT_TRUE(Frames(5));
  media_test::InjectKeyDown(KEY_SPACE);
  media_test::InjectTypedChar(' ');
  media_test::InjectKeyUp(KEY_SPACE);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(CurrentLevel, 1);
  EXPECT_EQ(BoardCells(), LevelCells(1));
  Shutdown();
}

TEST_F(MapGame, FingersScrollTheMapChooseACardAndMoveAShape) {
  Start();
  ASSERT_TRUE(Frames(2));
  SetScreen(REQ_LEVEL_MAP);
  MapScroll = 184;
  ScrollVelocity = 0;

  // A drag scrolls the map by the finger's way; a second finger changes
  // nothing.
  media_test::InjectTouchDown(0, 500, 600);
  ASSERT_TRUE(Frames(1));
  EXPECT_TRUE(TouchMode);
  EXPECT_EQ(MapDragging, 1);
  media_test::InjectTouchMove(0, 500, 560);
  media_test::InjectTouchDown(1, 100, 100);
  ASSERT_TRUE(Frames(1));
  media_test::InjectTouchMove(0, 500, 500);
  media_test::InjectTouchMove(1, 900, 700);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(MapScroll, 84);
  media_test::InjectTouchUp(1);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(MapDragging, 1);  // the second finger's lift ends nothing
  media_test::InjectTouchUp(0);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(MapDragging, 0);
  EXPECT_EQ(ZoomEnd, 0);  // a drag chooses no card
  EXPECT_EQ(HoveredCard, -1);

  // A tap chooses the card under the finger.
  ASSERT_TRUE(Frames(3));
  int x, y;
  CardCentre(0, x, y);
  media_test::InjectTouchDown(0, static_cast<float>(x), static_cast<float>(y));
  ASSERT_TRUE(Frames(1));
  media_test::InjectTouchUp(0);
  ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ZoomLevel, 0);
  media_test::InjectTouchDown(0, 500, 300);  // a second tap during the zoom
  ASSERT_TRUE(Frames(1));
  media_test::InjectTouchUp(0);
  ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ZoomLevel, 0);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_EQ(CurrentLevel, 0);

  // A drag moves a shape one cell.
  const std::vector<Move> solution = test_support::Solve(LevelCells(0));
  ASSERT_FALSE(solution.empty());
  const Move m = solution[0];
  ASSERT_TRUE(m.Dx != 0 || m.Dy != 0);
  const float half = static_cast<float>(BlockSize / 2);
  auto cx = [&](int cell) { return static_cast<float>(cell % 10 * BlockSize) + half; };
  auto cy = [&](int cell) { return static_cast<float>(cell / 10 * BlockSize) + half; };
  media_test::InjectTouchDown(0, cx(m.Cell), cy(m.Cell));
  ASSERT_TRUE(Frames(1));
  const int to = m.Cell + m.Dy * 10 + m.Dx;
  media_test::InjectTouchMove(0, cx(to), cy(to));
  media_test::InjectTouchDown(1, 20, 20);  // ignored
  ASSERT_TRUE(Frames(1));
  media_test::InjectTouchUp(0);
  media_test::InjectTouchUp(1);
  ASSERT_TRUE(Frames(2));
  EXPECT_EQ(BoardCells(), test_support::Apply(LevelCells(0), m));
  EXPECT_EQ(UndoRecordCount, 2);
  Shutdown();
}

// Sharing: the texts of the foot lines (drawn by the sharing code) in one frame.
class ShareGame : public MapGame {
 protected:
  std::vector<std::string> FrameTexts() {
    media_test::StartRecording();
    EXPECT_TRUE(Frames(1));
    media_test::StopRecording();
    std::vector<std::string> texts;
    for (const auto& c : media_test::RecordedDraws())
      if (c.Kind == media_test::DrawKind::Text) texts.push_back(c.Text);
    return texts;
  }
  bool Shows(const std::string& text) {
    const std::vector<std::string> texts = FrameTexts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
  void OpenMap() {
    Start();
    ASSERT_TRUE(Frames(2));
    ASSERT_TRUE(ClickMenuEntry("Play"));
    ASSERT_TRUE(Frames(90));
  }
  static KindCells Kinds(const Cells& g) {
    KindCells k{};
    for (int c = 0; c < 80; ++c) k[c] = static_cast<int8_t>(g[c] - 1);
    return k;
  }
  static Cells Bytes(const KindCells& k) {
    Cells g{};
    for (int c = 0; c < 80; ++c) g[c] = k[c] + 1;
    return g;
  }
  std::string ParLine(int moves) {
    const int par = CurrentLevelParForTest;
    std::string line = GetText("Par") + " " + std::to_string(par) + "   " + GetText("Moves") + " " + std::to_string(moves);
    if (moves < par) line += "   " + GetText("Par Beaten");
    if (moves == par) line += "   " + GetText("Par Matched");
    return line;
  }
  int CurrentLevelParForTest = 0;
  // Text typed as a keyboard types it: each key's press with its character.
  bool Type(const std::string& text) {
    for (const char c : text) {
      const int key = std::toupper(static_cast<unsigned char>(c));
      media_test::InjectKeyDown(key);
      media_test::InjectTypedChar(c);
      media_test::InjectKeyUp(key);
    }
    return Frames(1);
  }
};

TEST_F(ShareGame, CodesCopiedFromTheMapAndPastedCodesOpenTheirLevelOrAMessage) {
  OpenMap();
  // The card shows its par; the foot line the card's par and code; C copies it.
  int x, y;
  CardCentre(1, x, y);
  media_test::InjectPointerMove(x, y);
  const std::string code1 = LevelCode(Kinds(LevelCells(1)));
  const std::string par1 = GetText("Par") + " " + std::to_string(BankPar(1));
  EXPECT_TRUE(Shows(par1));
  EXPECT_TRUE(Shows(par1 + "   " + GetText("Code") + " " + code1 + "   " + GetText("Copy Hint") + "   " + GetText("Paste Hint")));
  ASSERT_TRUE(PressKey('C'));
  EXPECT_EQ(GetClipboardText(), code1);

  // Bad codes: a message, and the map stays as it was.
  KindCells jammed;
  for (int c = 0; c < 80; ++c) jammed[c] = static_cast<int8_t>((c % 10 + c / 10) % 2);
  std::string mistyped = code1;
  mistyped[5] = mistyped[5] == 'A' ? 'B' : 'A';
  const struct {
    std::string Clipboard, Message;
  } bad[] = {{mistyped, "Code Bad"}, {"", "Code Empty"}, {LevelCode(jammed), "Code No Solution"},
             {std::string(5000, 'Z'), "Code Bad"}};
  const int level = CurrentLevel;
  for (const auto& b : bad) {
    ASSERT_TRUE(SetClipboardText(b.Clipboard));
    ASSERT_TRUE(PasteKeys());
    EXPECT_EQ(ScreenState, SCREEN_LEVEL_MAP);
    EXPECT_EQ(ZoomEnd, 0);
    EXPECT_EQ(CurrentLevel, level);
    EXPECT_EQ(SharingNotice(), GetText(b.Message));
  }
  KindCells empty;
  empty.fill(-1);
  ASSERT_TRUE(SetClipboardText(LevelCode(empty)));
  ASSERT_TRUE(PasteKeys());
  EXPECT_TRUE(Shows(GetText("Code Empty Board")));

  // A good code, typed loosely: its level opens, is played to its win, and
  // the victory screen shows its code and par and copies the code.
  const RandomLevel shared = GenerateRandomLevel(99, 3);
  const std::string code = LevelCode(shared.Cells);
  std::string loose;
  for (char c : code) loose += static_cast<char>(std::tolower(c));
  ASSERT_TRUE(SetClipboardText(" " + loose + "\n"));
  ASSERT_TRUE(PasteKeys());
  ASSERT_TRUE(WaitForPlay());
  ASSERT_EQ(BoardCells(), Bytes(shared.Cells));
  for (const Move& m : test_support::Solve(Bytes(shared.Cells))) ASSERT_TRUE(Play(m));
  for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ScreenState, SCREEN_VICTORY);
  EXPECT_EQ(VictoryLines.front()->Text, GetText("Code Level"));
  CurrentLevelParForTest = SolvePar(shared.Cells);
  const std::vector<std::string> texts = FrameTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), GetText("Code") + " " + code + "   " + GetText("Copy Hint")), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), ParLine(ReplayCount - 1)), texts.end());
  ASSERT_TRUE(SetClipboardText("x"));
  ASSERT_TRUE(PressKey('C'));
  EXPECT_EQ(GetClipboardText(), code);
  // No record of the bank or of random levels was touched.
  EXPECT_TRUE(FileBytes("pLiMo_Best_Scores.bin").empty());
  EXPECT_TRUE(FileBytes("pLiMo_Random_Scores.bin").empty());
  Shutdown();
}

TEST_F(ShareGame, TheDailyCardPlaysTodaysLevelAndKeepsTheDaysRecordApart) {
  OpenMap();
  // The keyboard's choice walks to the daily card, after the random one.
  ASSERT_TRUE(PressKey(KEY_RIGHT));
  for (int i = 0; i < LevelCount + 1; ++i) ASSERT_TRUE(PressKey(KEY_RIGHT));
  ASSERT_TRUE(IsDailyCard(MapKeyCard));
  ASSERT_TRUE(PressKey(KEY_ENTER));
  ASSERT_TRUE(WaitForPlay());
  const int64_t today = Today();
  const RandomLevel& daily = DailyLevel(today);
  ASSERT_EQ(BoardCells(), Bytes(daily.Cells));
  const int playClock = Clock;
  for (const SolverMove& m : daily.Solution) ASSERT_TRUE(DragOneCell(m.Cell, m.Dx, m.Dy));
  for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ScreenState, SCREEN_VICTORY);
  const int seconds = (Clock - playClock) / 1000;
  const int moves = SolutionSteps(daily.Solution);
  EXPECT_EQ(VictoryLines.front()->Text, GetText("Daily") + " " + DayText(today));
  const std::string result = "pLiMo daily " + DayText(today) + ": " + std::to_string(moves) + " moves, " + FormatTime(seconds);
  CurrentLevelParForTest = moves;
  const std::vector<std::string> texts = FrameTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), result + "   " + GetText("Copy Hint")), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), ParLine(moves)), texts.end());
  ASSERT_TRUE(PressKey('C'));
  EXPECT_EQ(GetClipboardText(), result);
  // The day's own record; the bank's and the random levels' files untouched.
  const std::vector<uint8_t> record = FileBytes("pLiMo_Daily_Scores.bin");
  ASSERT_EQ(record.size(), 12u);
  EXPECT_EQ(record[4] | record[5] << 8 | record[6] << 16, today);
  EXPECT_EQ(record[8] | record[9] << 8, std::max(seconds, 1));
  EXPECT_EQ(record[10] | record[11] << 8, moves);
  EXPECT_TRUE(FileBytes("pLiMo_Best_Scores.bin").empty());
  EXPECT_TRUE(FileBytes("pLiMo_Random_Scores.bin").empty());
  Shutdown();
}

TEST_F(ShareGame, TheEditorRefusesAJamAndSavesASolvableLevelThatIsPlayedFromItsCard) {
  Start();
  ASSERT_TRUE(Frames(2));
  ASSERT_TRUE(ClickMenuEntry("Editor"));
  ASSERT_EQ(ScreenState, SCREEN_EDITOR);
  // A full board of two colours in a checkerboard, typed with the keys: no
  // move is open, so the test run finds nothing and the level is not saved.
  for (int y = 0; y < 8; ++y) {
    for (int i = 0; i < 10; ++i) {
      const int x = y % 2 ? 9 - i : i;  // along the row and back along the next
      ASSERT_TRUE(PressKey((x + y) % 2 ? '2' : '1'));
      if (i < 9) {
        ASSERT_TRUE(PressKey(y % 2 ? KEY_LEFT : KEY_RIGHT));
      }
    }
    ASSERT_TRUE(PressKey(KEY_DOWN));
  }
  KindCells jammed;
  for (int c = 0; c < 80; ++c) jammed[c] = static_cast<int8_t>((c % 10 + c / 10) % 2);
  ASSERT_EQ(EditorCells, jammed);
  ASSERT_TRUE(PressKey('T'));
  EXPECT_EQ(EditorMessage(), GetText("Editor Unsolvable"));
  ASSERT_TRUE(PressKey('S'));
  EXPECT_TRUE(FileBytes("pLiMo_Custom_Levels.bin").empty());
  // Undone change by change back to the empty board.
  for (int i = 0; i < 80; ++i) ASSERT_TRUE(PressKey('U'));
  EXPECT_TRUE(BoardEmpty(EditorCells));

  // Two pieces of the first colour by the mouse (a click turns a cell to
  // the next colour), two of the second by the keys (Enter turns the
  // cursor's cell, as the pad's A does).
  ASSERT_TRUE(ClickAt(BlockSize / 2, BlockSize / 2));
  ASSERT_TRUE(ClickAt(2 * BlockSize + BlockSize / 2, BlockSize / 2));
  // The cursor stands where the jam ended, at (0, 7).
  ASSERT_TRUE(PressKey(KEY_UP));
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(PressKey(KEY_ENTER));
  ASSERT_TRUE(PressKey(KEY_UP));
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(PressKey(KEY_ENTER));
  KindCells expected;
  expected.fill(-1);
  expected[0] = expected[2] = 0;
  expected[60] = expected[50] = 1;
  ASSERT_EQ(EditorCells, expected);
  // Every change is in the draft at once: a kill now loses nothing.
  std::vector<uint8_t> draft = {'P', 'L', 'E', 'D'};
  for (int8_t k : expected) draft.push_back(static_cast<uint8_t>(k + 1));
  EXPECT_EQ(FileBytes("pLiMo_Editor_Draft.bin"), draft);
  ASSERT_TRUE(PressKey('T'));
  const int par = SolvePar(expected);
  EXPECT_EQ(EditorMessage(), GetText("Editor Solvable") + " " + std::to_string(par));
  ASSERT_TRUE(PressKey('S'));
  EXPECT_EQ(EditorMessage(), GetText("Editor Saved"));
  EXPECT_EQ(FileBytes("pLiMo_Custom_Levels.bin").size(), 4u + 86u);

  // Back in the editor later, the draft is there.
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  ASSERT_TRUE(ClickMenuEntry("Editor"));
  EXPECT_EQ(EditorCells, expected);

  // Its card comes right after the bank's; played to its win, it keeps its
  // time.
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  ASSERT_TRUE(ClickMenuEntry("Play"));
  ASSERT_TRUE(Frames(90));
  ASSERT_TRUE(PressKey(KEY_RIGHT));
  for (int i = 0; i < LevelCount; ++i) ASSERT_TRUE(PressKey(KEY_RIGHT));
  ASSERT_EQ(CustomCard(MapKeyCard), 0);
  EXPECT_EQ(CardCode(MapKeyCard), LevelCode(expected));
  EXPECT_EQ(CardPar(MapKeyCard), par);
  ASSERT_TRUE(PressKey(KEY_ENTER));
  ASSERT_TRUE(WaitForPlay());
  ASSERT_EQ(BoardCells(), Bytes(expected));
  for (const Move& m : test_support::Solve(Bytes(expected))) ASSERT_TRUE(Play(m));
  for (int i = 0; i < 300 && ScreenState == SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
  ASSERT_EQ(ScreenState, SCREEN_VICTORY);
  EXPECT_EQ(VictoryLines.front()->Text, GetText("Editor") + " 1");
  EXPECT_GT(CustomLevels[0].BestTime, 0);
  const std::vector<uint8_t> file = FileBytes("pLiMo_Custom_Levels.bin");
  ASSERT_EQ(file.size(), 90u);
  EXPECT_EQ(file[86] | file[87] << 8, CustomLevels[0].BestTime);
  EXPECT_TRUE(FileBytes("pLiMo_Best_Scores.bin").empty());
  // D on its card deletes it.
  ASSERT_TRUE(Frames(60));
  ASSERT_TRUE(ClickAt(400, 300));
  ASSERT_EQ(ScreenState, SCREEN_LEVEL_MAP);
  ASSERT_TRUE(PressKey(KEY_RIGHT));
  for (int i = 0; i < LevelCount; ++i) ASSERT_TRUE(PressKey(KEY_RIGHT));
  ASSERT_EQ(CustomCard(MapKeyCard), 0);
  ASSERT_TRUE(PressKey('D'));
  EXPECT_TRUE(CustomLevels.empty());
  EXPECT_EQ(FileBytes("pLiMo_Custom_Levels.bin").size(), 4u);
  Shutdown();
}

TEST_F(ShareGame, TheCodeCardTakesATypedOrPastedCodeAndPlaysIt) {
  OpenMap();
  // The last card; Enter on it opens its entry, which takes every key: the
  // letters of the shortcuts (music, pointer, border) type, Backspace takes
  // back.
  ASSERT_TRUE(PressKey(KEY_RIGHT));
  while (!IsCodeCard(MapKeyCard)) ASSERT_TRUE(PressKey(KEY_RIGHT));
  ASSERT_TRUE(PressKey(KEY_ENTER));
  ASSERT_TRUE(CodeEntryOpen());
  EXPECT_TRUE(Shows(GetText("Code Entry Hint")));
  const bool music = MusicFlag, cursor = CustomCursor, border = BorderFix;
  ASSERT_TRUE(Type("mhx-9"));
  EXPECT_EQ(CodeEntryText(), "MHX9");
  EXPECT_EQ(MusicFlag, music);
  EXPECT_EQ(CustomCursor, cursor);
  EXPECT_EQ(BorderFix, border);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(PressKey(KEY_BACKSPACE));
  EXPECT_EQ(CodeEntryText(), "");

  // Codes that cannot be played: the message, the text kept for mending,
  // nothing placed.
  std::string mistyped = LevelCode(Kinds(LevelCells(1)));
  mistyped[3] = mistyped[3] == 'A' ? 'B' : 'A';
  KindCells jammed;
  for (int c = 0; c < 80; ++c) jammed[c] = static_cast<int8_t>((c % 10 + c / 10) % 2);
  const Cells board = BoardCells();
  for (const auto& [code, message] : {std::pair{mistyped, "Code Bad"}, {LevelCode(jammed), "Code No Solution"}}) {
    ASSERT_TRUE(Type(code));
    ASSERT_TRUE(PressKey(KEY_ENTER));
    EXPECT_EQ(SharingNotice(), GetText(message));
    EXPECT_EQ(CodeEntryText(), code);
    EXPECT_EQ(ScreenState, SCREEN_LEVEL_MAP);
    EXPECT_EQ(ZoomEnd, 0);
    EXPECT_EQ(BoardCells(), board);
    // Escape closes the entry and forgets its text; the map stays.
    ASSERT_TRUE(PressKey(KEY_ESCAPE));
    EXPECT_FALSE(CodeEntryOpen());
    ASSERT_EQ(ScreenState, SCREEN_LEVEL_MAP);
    ASSERT_TRUE(PressKey(KEY_ENTER));
    ASSERT_TRUE(CodeEntryOpen());
    EXPECT_EQ(CodeEntryText(), "");
  }

  // A click elsewhere closes it; a click on the card opens it, Ctrl+V
  // pastes into it and a click on it again plays the code.
  ASSERT_TRUE(ClickAt(BOARD_COLUMNS * BlockSize - 40, 600));  // below the last row
  EXPECT_FALSE(CodeEntryOpen());
  const int card = MapCardCount() - 1;
  ASSERT_TRUE(TapCard(card));
  ASSERT_TRUE(CodeEntryOpen());
  const RandomLevel shared = GenerateRandomLevel(77, 2);
  const std::string code = LevelCode(shared.Cells);
  std::string loose;
  for (char c : code) loose += static_cast<char>(std::tolower(c));
  ASSERT_TRUE(SetClipboardText(" " + loose + "\n"));
  // A quick Ctrl+V: Ctrl is let go before the frame reads the presses.
  media_test::InjectKeyDown(KEY_CONTROL);
  media_test::InjectKeyDown('V');
  media_test::InjectKeyUp('V');
  media_test::InjectKeyUp(KEY_CONTROL);
  ASSERT_TRUE(Frames(1));
  EXPECT_EQ(CodeEntryText(), code);
  ASSERT_TRUE(TapCard(card));
  ASSERT_TRUE(WaitForPlay());
  EXPECT_EQ(BoardCells(), Bytes(shared.Cells));
  EXPECT_EQ(BoardLevel, CODE_BOARD);
  EXPECT_FALSE(CodeEntryOpen());
  Shutdown();
}

}  // namespace
