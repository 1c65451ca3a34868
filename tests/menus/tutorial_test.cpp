// The tutorial played by the whole program, headless: the script's timing,
// the board each scene leaves for the next, and how the player's clicks and
// keys continue it or are kept off the board.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "app/paths.h"
#include "app/pointer.h"
#include "board/block.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "media/media_test.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "menus/tutorial.h"
#include "play/play_input.h"
#include "tests/support/headless_game.h"

namespace {

using Grid = std::vector<std::string>;  // rows 0..7, "." empty, digits kinds

// The board the "Tutorial" menu table builds.
const Grid TUTORIAL_BOARD = {
    "..........", ".015.1015.", "..5..5110.", ".150..0...",
    "..0..5....", "..........", "..........", "..........",
};

// What the board must be when each text appears: each scene starts from
// what the previous one left.
const std::map<std::string, Grid> BOARD_AT_TEXT = {
    {"Tuto0", TUTORIAL_BOARD},
    {"Tuto1", TUTORIAL_BOARD},
    // Scene 1 drags a 5 and a 0 around and back to where they were.
    {"Tuto3", TUTORIAL_BOARD},
    // Scene 3 merged the 5s into one shape, a 1 into the 1s and the 0 of
    // (6, 3) into the 0 of (8, 2).
    {"Tuto2", {"..........", ".01...015.", "..5551110.", ".1505...0.", "..0.......", "..........", "..........",
               ".........."}},
    // The undo scene put the 0 back on (6, 3) and the 1 back on (5, 1).
    {"Tuto4", {"..........", ".01..1015.", "..555.110.", ".1505.0...", "..0.......", "..........", "..........",
               ".........."}},
    // Scene 4 joined the last 5 to the others: all 5s exploded.
    {"Tuto6", {"..........", ".01..101..", "......11..", ".1.0..0...", "..0.....0.", "..........", "..........",
               ".........."}},
    // Scene 6 cleared the 0s, then the 1s.
    {"Tuto7", {"..........", "..........", "..........", "..........", "..........", "..........", "..........",
               ".........."}},
};

const char* const TEXT_ORDER[] = {"Tuto0", "Tuto1", "Tuto3", "Tuto2", "Tuto4", "Tuto6", "Tuto7"};

Grid KindRows() {
  Grid rows(8, std::string(10, '.'));
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 10; x++)
      if (KindGrid[x][y] >= 0) rows[y][x] = static_cast<char>('0' + KindGrid[x][y]);
  return rows;
}

std::string Show(const Grid& g) {
  std::string s;
  for (const auto& row : g) s += row + "\n";
  return s;
}

// Values taken by an instruction, its code included.
int InstructionSize(int code) {
  switch (code) {
    case TUTORIAL_MOVE: return 4;
    case TUTORIAL_WAIT:
    case TUTORIAL_TEXT:
    case TUTORIAL_HOLD: return 2;
    case TUTORIAL_UNDO_STEP: return 5;
    default: return 1;
  }
}

class TutorialTest : public HeadlessGameTest {
 protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    // The smallest game screen (block size 56) keeps the software-drawn
    // frames quick.
    media_test::SetDesktopSize(700, 500);
    Start();
    ASSERT_EQ(LoadLanguage(UserDataFolder + "/pLiMo_text_EN.txt"), 1);
  }
  void Frames(int count, int step = 16) { ASSERT_TRUE(HeadlessGameTest::Frames(count, step)); }

  // What choosing "Rules" does: the "Tutorial" table's board, then the
  // player starts.
  void OpenTutorial() {
    SetScreen(SCREEN_TUTORIAL);
    ASSERT_EQ(Show(KindRows()), Show(TUTORIAL_BOARD));
    ASSERT_TRUE(TutorialActive());
  }

  void Click(int x, int y) { ASSERT_TRUE(ClickAt(x, y)); }
  void ClickBoard() { Click(4 * BlockSize + 5, 6 * BlockSize + 5); }
  // Frames (32 ms apart) until a text waits for the player; the key of that
  // text, or "" when none came within the limit.
  std::string RunToText(int limit = 2000) {
    for (int i = 0; i < limit && ScreenState == SCREEN_TUTORIAL; i++) {
      if (TutorialWaiting) return TUTORIAL_SCRIPT[Tutorial.Position - 1].Key;
      Frames(1, 32);
    }
    return TutorialWaiting ? TUTORIAL_SCRIPT[Tutorial.Position - 1].Key : "";
  }
};

TEST(TutorialScript, HoldsTheSevenScenesIn122InstructionsEndingTheTutorial) {
  int instructions = 0;
  std::vector<std::string> texts;
  int position = 0;
  int last = -1;
  while (position < TUTORIAL_SCRIPT_LENGTH) {
    const TutorialValue& op = TUTORIAL_SCRIPT[position];
    ASSERT_EQ(op.Key, nullptr) << "a text where an operation code belongs, at value " << position;
    ASSERT_GE(op.Number, TUTORIAL_END);
    ASSERT_LE(op.Number, TUTORIAL_UNDO_ICON_OFF);
    if (op.Number == TUTORIAL_TEXT) {
      ASSERT_NE(TUTORIAL_SCRIPT[position + 1].Key, nullptr);
      texts.push_back(TUTORIAL_SCRIPT[position + 1].Key);
    }
    last = op.Number;
    position += InstructionSize(op.Number);
    instructions++;
  }
  EXPECT_EQ(position, TUTORIAL_SCRIPT_LENGTH);
  EXPECT_EQ(instructions, 122);
  EXPECT_EQ(last, TUTORIAL_END);
  EXPECT_EQ(texts, std::vector<std::string>(std::begin(TEXT_ORDER), std::end(TEXT_ORDER)));
}

TEST(TutorialLerp, TruncatesTowardZeroInSixtyFourBits) {
  EXPECT_EQ(Lerp(0, 10, 3, 1), 3);
  EXPECT_EQ(Lerp(10, 0, 3, 1), 7);  // 10 + (-10 / 3): -3, not -4
  EXPECT_EQ(Lerp(-5, 5, 4, 1), -3);  // -5 + 10 / 4
  EXPECT_EQ(Lerp(768, 490, 1000, 500), 629);
  EXPECT_EQ(Lerp(0, 2000000000, 1000, 999), 1998000000);  // would overflow in 32 bits
  EXPECT_EQ(Lerp(7, 7, 500, 250), 7);
}

TEST_F(TutorialTest, StartsBelowTheBoardWithTheTutorialMusicAndMovesAtTwoMillisecondsPerPixel) {
  OpenTutorial();
  const int bs = BlockSize;
  EXPECT_EQ(Tutorial.PointerX, 3 * bs + bs / 2);
  EXPECT_EQ(Tutorial.PointerY, 9 * bs + bs / 2);
  EXPECT_EQ(Tutorial.Position, 0);
  EXPECT_EQ(MusicTrack, 3);

  // The first frame reads "move 9, 6" and nothing more: 6 cells right and 3
  // up, 2 ms per pixel of the straight way, truncated.
  Frames(1);
  EXPECT_EQ(Tutorial.Position, 4);
  const int64_t start = Frame.Now;
  const double pixels = std::sqrt(45.0) * bs;
  EXPECT_EQ(Tutorial.StepDuration, static_cast<int64_t>(2.0 * pixels));
  if (bs == 96) {
    EXPECT_EQ(Tutorial.StepDuration, 1287);  // 1287.98 ms
  }
  EXPECT_EQ(Tutorial.StepStart, start);

  // Half way the pointer is half way, by whole pixels.
  const int64_t half = Tutorial.StepDuration / 2;
  Frames(1, static_cast<int>(half));
  EXPECT_EQ(Tutorial.PointerX, Lerp(3 * bs + bs / 2, 9 * bs + bs / 2, Tutorial.StepDuration, half));
  EXPECT_EQ(Tutorial.PointerY, Lerp(9 * bs + bs / 2, 6 * bs + bs / 2, Tutorial.StepDuration, half));
  // The play input saw the virtual pointer, with the button up.
  EXPECT_EQ(Frame.PointerX, Tutorial.PointerX);
  EXPECT_EQ(Frame.PointerY, Tutorial.PointerY);
  EXPECT_FALSE(Frame.LeftDown);

  // One millisecond before the end the step still runs; at its end the next
  // instruction (the first text) is read.
  Frames(1, static_cast<int>(start + Tutorial.StepDuration - 1 - Frame.Now));
  EXPECT_EQ(Tutorial.Position, 4);
  EXPECT_FALSE(TutorialWaiting);
  Frames(1, 1);
  EXPECT_EQ(Tutorial.Position, 6);
  EXPECT_TRUE(TutorialWaiting);
  EXPECT_EQ(Tutorial.Text, GetText("Tuto0"));
}

TEST_F(TutorialTest, DragsTakeHalfASecondWithTheVirtualButtonHeld) {
  OpenTutorial();
  ASSERT_EQ(RunToText(), "Tuto0");
  ClickBoard();
  ASSERT_EQ(RunToText(), "Tuto1");
  ClickBoard();
  // move 5, 4; wait 300; hold 300; then the first drag.
  while (Tutorial.Position < 6 + 2 + 4 + 2 + 2) Frames(1);
  EXPECT_EQ(Tutorial.StepDuration, 300);
  EXPECT_EQ(Tutorial.Pressed, 1);
  EXPECT_TRUE(Frame.LeftDown);
  ASSERT_NE(GrabbedBlock, nullptr);
  EXPECT_EQ(GrabbedBlock->XMap, 5);
  EXPECT_EQ(GrabbedBlock->YMap, 4);
  while (Tutorial.Position < 6 + 2 + 4 + 2 + 2 + 4) Frames(1);
  EXPECT_EQ(Tutorial.StepDuration, 500);
  EXPECT_EQ(Tutorial.TargetX, 6 * BlockSize + BlockSize / 2);
  EXPECT_TRUE(Frame.LeftDown);
  // The shape follows the pointer into the next cell during the drag.
  Frames(40);
  EXPECT_EQ(KindGrid[5][4], -1);
  EXPECT_EQ(KindGrid[6][4], 5);
}

TEST_F(TutorialTest, EveryTextFindsTheBoardItsSceneNeedsReadingOneInstructionPerFrame) {
  OpenTutorial();
  std::vector<std::string> texts;
  int frames = 0;
  int drags = 0, steps = 0;
  int stepsInDrag = -1;  // -1 while no drag runs
  while (ScreenState == SCREEN_TUTORIAL && frames < 20000) {
    if (TutorialWaiting) {
      const std::string key = TUTORIAL_SCRIPT[Tutorial.Position - 1].Key;
      texts.push_back(key);
      ASSERT_EQ(BOARD_AT_TEXT.count(key), 1u);
      EXPECT_EQ(Show(KindRows()), Show(BOARD_AT_TEXT.at(key))) << "board when " << key << " appears";
      // Clicks on the board while a scene runs do nothing to it: the
      // player's button is pressed on a piece and held for a while.
      ClickBoard();
      if (!TutorialWaiting) {
        PointerAt(2 * BlockSize + 10, 4 * BlockSize + 10);
        media_test::InjectButtonDown(BUTTON_LEFT);
        Frames(5);
        media_test::InjectButtonUp(BUTTON_LEFT);
      }
      continue;
    }
    const int before = Tutorial.Position;
    const int code = TUTORIAL_SCRIPT[before].Number;
    const T_BLOCK* held = GrabbedBlock;
    const int heldX = held ? held->XMap : 0, heldY = held ? held->YMap : 0;
    Frames(1, 32);  // a slow display: the script's timing is the clock's, not the frames'
    frames++;
    if (ScreenState != SCREEN_TUTORIAL) break;
    // The shape the virtual pointer holds took a step.
    const bool listed = std::any_of(Blocks.begin(), Blocks.end(), [&](const auto& b) { return b.get() == held; });
    if (held && listed && (held->XMap != heldX || held->YMap != heldY)) {
      EXPECT_EQ(std::abs(held->XMap - heldX) + std::abs(held->YMap - heldY), 1);
      steps++;
      if (stepsInDrag >= 0) stepsInDrag++;
    }
    const int read = Tutorial.Position - before;
    ASSERT_TRUE(read == 0 || read == InstructionSize(code)) << "frame " << frames << " read " << read << " values";
    if (read > 0) {
      // Every drag of the script moves its shape exactly one cell.
      if (stepsInDrag >= 0) {
        EXPECT_EQ(stepsInDrag, 1) << "the drag ending at value " << before;
      }
      stepsInDrag = -1;
      if (code == TUTORIAL_MOVE && TUTORIAL_SCRIPT[before + 3].Number == 1) {
        drags++;
        stepsInDrag = 0;
      }
    }
  }
  EXPECT_EQ(texts, std::vector<std::string>(std::begin(TEXT_ORDER), std::end(TEXT_ORDER)));
  EXPECT_EQ(drags, 44);
  EXPECT_EQ(steps, drags);
  // The script's end brings the main menu.
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_FALSE(TutorialActive());
}

TEST_F(TutorialTest, ClicksInTheSideBarDoNotContinueButAClickOnTheBoardOrAnyKeyDoes) {
  OpenTutorial();
  ASSERT_EQ(RunToText(), "Tuto0");
  // Slot 1 of the side bar is empty; slot 7 is the music icon.
  Click(BOARD_COLUMNS * BlockSize + 32, BlockSize + BlockSize / 2);
  Frames(30);
  EXPECT_TRUE(TutorialWaiting);
  EXPECT_EQ(Tutorial.Position, 6);
  // Just right of the board's last column is still the side bar.
  Click(BOARD_COLUMNS * BlockSize, 3 * BlockSize);
  EXPECT_TRUE(TutorialWaiting);

  // The first two texts come one after the other, each waiting for its own
  // click.
  ClickBoard();
  EXPECT_TRUE(TutorialWaiting);
  EXPECT_EQ(Tutorial.Position, 8);
  EXPECT_EQ(Tutorial.Text, GetText("Tuto1"));

  // A typed character continues like a click.
  media_test::InjectTypedChar('a');
  Frames(1);
  EXPECT_FALSE(TutorialWaiting);
  EXPECT_EQ(Tutorial.Position, 12);  // and the scene's first move was read

  // While the scene waits with the virtual pointer on the piece of (5, 4)
  // and its button up, a click on the side bar's music icon is the side
  // bar's alone: the play input does not take it for a press on that piece.
  while (Tutorial.Position < 14) Frames(1);
  ASSERT_EQ(Frame.PointerX / BlockSize, 5);
  ASSERT_EQ(Frame.PointerY / BlockSize, 4);
  PointerAt(BOARD_COLUMNS * BlockSize + 32, 7 * BlockSize + BlockSize / 2);
  media_test::InjectButtonDown(BUTTON_LEFT);
  Frames(1);
  EXPECT_EQ(GrabbedBlock, nullptr);
  EXPECT_EQ(T_BLOCK::CountSelected(), 0);
  media_test::InjectButtonUp(BUTTON_LEFT);
  Frames(1);
}

TEST_F(TutorialTest, TheTextSlidesUpForASecondWhileThePointerBlinksOnlyAfterIt) {
  OpenTutorial();
  ASSERT_EQ(RunToText(), "Tuto0");
  const int64_t shown = Tutorial.TextShownTime;
  ASSERT_EQ(shown, Frame.Now);
  const int start = 10 * BlockSize;  // below the screen
  EXPECT_EQ(Tutorial.TextBottom, start);
  const int rest = 8 * BlockSize - BlockSize / 8;

  Frames(1, 400);
  EXPECT_EQ(Tutorial.TextBottom, Lerp(start, rest, 1000, 400));
  Frames(1, 600);  // exactly one second: the last frame of the slide
  EXPECT_EQ(Tutorial.TextBottom, rest);
  media_test::StartRecording();
  Frames(1, 1);
  media_test::StopRecording();
  EXPECT_EQ(Tutorial.TextBottom, rest);
  // The text box is the English welcome, its lines inside the panel's padding.
  EXPECT_EQ(Tutorial.Text, GetText("Tuto0"));
  EXPECT_EQ(Tutorial.Text.rfind("Welcome to pLiMo", 0), 0u);
  float firstLine = -1, lastLineBottom = -1;
  for (const auto& call : media_test::RecordedDraws()) {
    if (call.Kind != media_test::DrawKind::Text || call.R != 255 || call.G != 255 || call.B != 255) continue;
    if (firstLine < 0) firstLine = call.Y;
    lastLineBottom = call.Y + call.H;
  }
  EXPECT_GE(firstLine, ScreenOffsetY + TutorialPanelTop() + BlockSize / 6);
  EXPECT_LE(lastLineBottom, ScreenOffsetY + rest - BlockSize / 6 + 1);  // inside the panel's padding

  // The pointer waits on cell (9, 6), hot spot (85, 50), and switches to the
  // pressed picture while bit 9 of the clock is set.
  auto drawnPointer = [&]() -> const media_test::DrawCall* {
    static media_test::DrawCall found;
    for (const auto& call : media_test::RecordedDraws()) {
      if (call.Img == PointerImage || call.Img == PressedPointerImage) found = call;
    }
    return media_test::RecordedDraws().empty() ? nullptr : &found;
  };
  for (int phase : {0, 512}) {
    // Next clock value with bit 9 equal to phase.
    int step = 1;
    while ((((Clock + step) & 512) != phase)) step++;
    media_test::StartRecording();
    Frames(1, step);
    media_test::StopRecording();
    const media_test::DrawCall* call = drawnPointer();
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->Img, phase ? PressedPointerImage : PointerImage) << "clock " << Clock;
    EXPECT_FLOAT_EQ(call->X, ScreenOffsetX + Tutorial.PointerX - 85 * PointerScale());
    EXPECT_FLOAT_EQ(call->Y, ScreenOffsetY + Tutorial.PointerY - 50 * PointerScale());
  }
}

TEST_F(TutorialTest, LeavingAndChoosingRulesAgainStartsOverOnAFreshBoard) {
  OpenTutorial();
  ASSERT_EQ(RunToText(), "Tuto0");
  ClickBoard();
  ASSERT_EQ(RunToText(), "Tuto1");
  ClickBoard();
  ASSERT_EQ(RunToText(), "Tuto3");
  ClickBoard();
  Frames(150);  // part of the merging scene
  ASSERT_NE(Show(KindRows()), Show(TUTORIAL_BOARD));

  // The side bar's MENU icon (slot 6) leaves for the main menu; the
  // tutorial draws nothing there.
  Click(BOARD_COLUMNS * BlockSize + 32, 6 * BlockSize + BlockSize / 2);
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_FALSE(TutorialActive());
  media_test::StartRecording();
  Frames(1);
  media_test::StopRecording();
  ASSERT_FALSE(media_test::RecordedDraws().empty());
  for (const auto& call : media_test::RecordedDraws()) {
    EXPECT_TRUE(call.Img != PointerImage && call.Img != PressedPointerImage);
    if (call.Kind == media_test::DrawKind::Text) {
      EXPECT_EQ(call.Text.find("limonites"), std::string::npos) << call.Text;
    }
  }

  // "Rules" on the main menu: a quick click on its caption; the tutorial
  // comes once the entry's explosion has flown off.
  ASSERT_NE(BlockAt(3, 4), nullptr);
  EXPECT_EQ(BlockAt(3, 4)->Text, GetText("Rules"));
  Click(4 * BlockSize + BlockSize / 2, 4 * BlockSize + BlockSize / 2);
  for (int i = 0; i < 400 && ScreenState != SCREEN_TUTORIAL; i++) Frames(1);
  ASSERT_EQ(ScreenState, SCREEN_TUTORIAL);
  EXPECT_EQ(ReturnState, SCREEN_MAIN_MENU);
  EXPECT_TRUE(TutorialActive());
  EXPECT_EQ(Tutorial.Position, 0);
  EXPECT_FALSE(TutorialWaiting);
  EXPECT_TRUE(Tutorial.Text.empty());
  EXPECT_EQ(Tutorial.PointerY, 9 * BlockSize + BlockSize / 2);
  EXPECT_EQ(Show(KindRows()), Show(TUTORIAL_BOARD));
  ASSERT_EQ(RunToText(), "Tuto0");

  // Escape leaves too, also while a text waits.
  ASSERT_TRUE(PressKey(KEY_ESCAPE));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
  EXPECT_FALSE(TutorialActive());
}

TEST_F(TutorialTest, TheUndoSceneLightsTheUndoIconForEachScriptedStep) {
  OpenTutorial();
  for (const char* key : {"Tuto0", "Tuto1", "Tuto3"}) {
    ASSERT_EQ(RunToText(), key);
    ClickBoard();
  }
  ASSERT_EQ(RunToText(), "Tuto2");
  EXPECT_EQ(SideBarIcons[0].Index, ICON_UNDO);
  EXPECT_EQ(SideBarIcons[0].State, ICON_SHOWN);
  ClickBoard();

  // Each undo lights the icon and moves one block back a cell; the icon
  // goes back to normal after 200 ms.
  struct Undo {
    int X0, Y0, X1, Y1;
  };
  const Undo undos[] = {{8, 3, 7, 3}, {7, 3, 6, 3}, {5, 2, 5, 1}};
  int lit = 0;
  int previous = ICON_SHOWN;
  for (int i = 0; i < 600 && !TutorialWaiting; i++) {
    Frames(1);
    const int state = SideBarIcons[0].State;
    if (state == ICON_LIT && previous != ICON_LIT) {
      ASSERT_LT(lit, 3);
      const Undo& u = undos[lit];
      EXPECT_EQ(KindGrid[u.X0][u.Y0], -1) << "undo " << lit;
      ASSERT_NE(BlockAt(u.X1, u.Y1), nullptr) << "undo " << lit;
      EXPECT_EQ(BlockAt(u.X1, u.Y1)->X, u.X1 * BlockSize);
      lit++;
    }
    previous = state;
  }
  EXPECT_EQ(lit, 3);
  EXPECT_EQ(SideBarIcons[0].State, ICON_SHOWN);
  EXPECT_EQ(TUTORIAL_SCRIPT[Tutorial.Position - 1].Key, std::string("Tuto4"));
}

// The key that continues a text does nothing else (Space used to start the
// first level as well), and the play keys pressed while a scene runs leave
// the demonstration alone: every text still finds the board its scene needs.
TEST_F(TutorialTest, KeysContinueTextsOnlyAndLeaveTheScenesAlone) {
  OpenTutorial();
  const int sceneKeys[] = {KEY_LEFT, KEY_RIGHT, KEY_DOWN, KEY_UP, KEY_ENTER, KEY_SPACE, 'R', 'U'};
  std::vector<std::string> texts;
  int frames = 0, pressed = 0;
  while (ScreenState == SCREEN_TUTORIAL && frames++ < 20000) {
    if (TutorialWaiting) {
      const std::string key = TUTORIAL_SCRIPT[Tutorial.Position - 1].Key;
      if (texts.empty() || texts.back() != key) texts.push_back(key);
      EXPECT_EQ(Show(KindRows()), Show(BOARD_AT_TEXT.at(key))) << "board when " << key << " appears";
      // Space as a keyboard types it: the key and its character.
      media_test::InjectKeyDown(KEY_SPACE);
      media_test::InjectTypedChar(' ');
      media_test::InjectKeyUp(KEY_SPACE);
      Frames(1);
      ASSERT_EQ(ScreenState, SCREEN_TUTORIAL) << "after Space on " << key;
      continue;
    }
    if (frames % 7 == 0) {
      const int k = sceneKeys[pressed++ % std::size(sceneKeys)];
      media_test::InjectKeyDown(k);
      if (k == 'R' || k == 'U') media_test::InjectTypedChar(k + 'a' - 'A');
      media_test::InjectKeyUp(k);
    }
    // A size change in the middle of a drag keeps the scene on its cells.
    if (frames == 40 || frames == 400) media_test::InjectTypedChar(frames == 40 ? '+' : '-');
    Frames(1, 32);
  }
  EXPECT_EQ(texts, std::vector<std::string>(std::begin(TEXT_ORDER), std::end(TEXT_ORDER)));
  EXPECT_EQ(ScreenState, SCREEN_MAIN_MENU);
}

}  // namespace
