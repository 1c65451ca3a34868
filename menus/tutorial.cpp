#include "menus/tutorial.h"

#include <cmath>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "app/pointer.h"
#include "board/block.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "menus/text_box.h"

TutorialPlayer Tutorial;
bool TutorialWaiting = false;

namespace {

constexpr int TUTORIAL_MUSIC = 3;
constexpr int64_t DRAG_STEP_MS = 500;
constexpr double MS_PER_PIXEL = 2.0;
constexpr int64_t TEXT_SLIDE_MS = 1000;
constexpr int64_t BLINK_BIT = 512;  // the waiting pointer blinks every 512 ms

// The side bar's UNDO icon (slot 0) is left to the script on this screen.
void SetUndoIcon(int state) { SideBarIcons[0].State = state; }

int CellCentre(int cell) { return cell * BlockSize + BlockSize / 2; }

// The text panel rests at the foot of the board, on rows 6 and 7 where no
// piece ever goes, left of the middle: the hand hangs below its tip, rests
// on cell (9, 6) and points at pieces in rows 1 to 4, so the ways it takes
// between them pass above and to the right of the panel.
int TextRestBottom() { return BOARD_ROWS * BlockSize - BlockSize / 8; }
int TextStartBottom() { return (BOARD_ROWS + 2) * BlockSize; }  // below the screen

bool OnBoard(int x, int y) { return x >= 0 && x < 10 && y >= 0 && y < 8; }

// Reads the next value of the script; past its end the script reads as
// TUTORIAL_END, so a short script ends instead of running off.
const TutorialValue& NextValue() {
  static const TutorialValue end(TUTORIAL_END);
  if (Tutorial.Position >= TUTORIAL_SCRIPT_LENGTH) return end;
  return TUTORIAL_SCRIPT[Tutorial.Position++];
}

int NextNumber() { return NextValue().Number; }

std::string NextKey() {
  const TutorialValue& value = NextValue();
  return value.Key ? value.Key : std::string();
}

// A step that stays where the pointer is, for ms milliseconds.
void StayStill(int64_t ms, int pressed) {
  Tutorial.StartX = Tutorial.TargetX = Tutorial.PointerX;
  Tutorial.StartY = Tutorial.TargetY = Tutorial.PointerY;
  Tutorial.StepStart = Frame.Now;
  Tutorial.StepDuration = ms;
  Tutorial.Pressed = pressed;
}

void MoveTo(int x, int y, int press) {
  Tutorial.StartX = Tutorial.PointerX;
  Tutorial.StartY = Tutorial.PointerY;
  Tutorial.TargetX = CellCentre(x);
  Tutorial.TargetY = CellCentre(y);
  Tutorial.Pressed = press;
  Tutorial.StepStart = Frame.Now;
  if (press != 0) {
    Tutorial.StepDuration = DRAG_STEP_MS;
  } else {
    const double dx = Tutorial.TargetX - Tutorial.StartX;
    const double dy = Tutorial.TargetY - Tutorial.StartY;
    Tutorial.StepDuration = static_cast<int64_t>(MS_PER_PIXEL * std::sqrt(dx * dx + dy * dy));
  }
}

// A scripted undo: the block on (x0, y0) jumps back to (x1, y1) while the
// UNDO icon is lit. The target must be a free cell of the board: a block
// moved onto another would leave two blocks on one cell.
void UndoStep(int x0, int y0, int x1, int y1) {
  PlayEffect(ClickSound);
  SetUndoIcon(ICON_LIT);
  T_BLOCK* block = BlockAt(x0, y0);
  if (block == nullptr || !OnBoard(x1, y1) || BlockAt(x1, y1) != nullptr) return;
  KindGrid[x1][y1] = block->Kind;
  BlockGrid[x1][y1] = block;
  KindGrid[x0][y0] = -1;
  BlockGrid[x0][y0] = nullptr;
  block->XMap = x1;
  block->YMap = y1;
  block->X = x1 * BlockSize;
  block->Y = y1 * BlockSize;
  T_BLOCK::ShapeAllBlocks();
}

void ShowText(const std::string& key) {
  Tutorial.Text = GetText(key);
  TutorialWaiting = true;
  Tutorial.TextBottom = TextStartBottom();
  Tutorial.TextShownTime = Frame.Now;
  PlayEffect(MapScrollSound);
}

// Carries out one instruction. Returns whether the virtual button went down
// in this frame.
bool RunInstruction() {
  switch (NextNumber()) {
    case TUTORIAL_MOVE: {
      const int x = NextNumber();
      const int y = NextNumber();
      const int press = NextNumber();
      MoveTo(x, y, press);
      return press != 0;
    }
    case TUTORIAL_WAIT: StayStill(NextNumber(), 0); return false;
    case TUTORIAL_TEXT: ShowText(NextKey()); return false;
    case TUTORIAL_HOLD: StayStill(NextNumber(), 1); return true;
    case TUTORIAL_UNDO_STEP: {
      const int x0 = NextNumber(), y0 = NextNumber(), x1 = NextNumber(), y1 = NextNumber();
      UndoStep(x0, y0, x1, y1);
      return false;
    }
    case TUTORIAL_UNDO_ICON_OFF: SetUndoIcon(ICON_SHOWN); return false;
    case TUTORIAL_END: SetScreen(SCREEN_MAIN_MENU); return false;
    default: return false;
  }
}

}  // namespace

int TutorialPanelLeft() { return BlockSize / 8; }
int TutorialPanelRight() { return 11 * BlockSize / 2; }
int TutorialPanelTop() { return 25 * BlockSize / 4; }
int TutorialPanelHeight() { return TextRestBottom() - TutorialPanelTop(); }

int Lerp(int a, int b, int64_t total, int64_t elapsed) {
  return static_cast<int>(a + (static_cast<int64_t>(b) - a) * elapsed / total);
}

void StartTutorial() {
  Tutorial = TutorialPlayer();
  Tutorial.Position = 0;
  Tutorial.PointerX = CellCentre(3);
  Tutorial.PointerY = CellCentre(9);  // below the board
  Tutorial.Running = true;
  TutorialWaiting = false;
  SelectMusicTrack(TUTORIAL_MUSIC);
}

void StopTutorial() {
  Tutorial.Running = false;
  TutorialWaiting = false;
}

bool TutorialActive() { return Tutorial.Running && ScreenState == SCREEN_TUTORIAL; }

void ContinueTutorial() { TutorialWaiting = false; }

void ScaleTutorialPointer(int oldBlockSize) {
  if (!Tutorial.Running || oldBlockSize <= 0 || oldBlockSize == BlockSize) return;
  for (int* v : {&Tutorial.PointerX, &Tutorial.PointerY, &Tutorial.StartX, &Tutorial.StartY, &Tutorial.TargetX,
                 &Tutorial.TargetY})
    *v = static_cast<int>(static_cast<int64_t>(*v) * BlockSize / oldBlockSize);
}

void PlayTutorial() {
  if (!TutorialActive()) return;
  const int64_t now = Frame.Now;

  if (TutorialWaiting) {
    // The text slides up from the bottom edge during one second; the play
    // input keeps the player's own pointer meanwhile.
    const int64_t shown = now - Tutorial.TextShownTime;
    if (now <= Tutorial.TextShownTime + TEXT_SLIDE_MS) {
      Tutorial.TextBottom = Lerp(TextStartBottom(), TextRestBottom(), TEXT_SLIDE_MS, shown);
    } else {
      Tutorial.TextBottom = TextRestBottom();
      Tutorial.TextShownTime = 0;
    }
    return;
  }

  Tutorial.TextBottom = TextRestBottom();
  bool pressedNow = false;
  if (now < Tutorial.StepStart + Tutorial.StepDuration) {
    const int64_t elapsed = now - Tutorial.StepStart;
    Tutorial.PointerX = Lerp(Tutorial.StartX, Tutorial.TargetX, Tutorial.StepDuration, elapsed);
    Tutorial.PointerY = Lerp(Tutorial.StartY, Tutorial.TargetY, Tutorial.StepDuration, elapsed);
  } else {
    pressedNow = RunInstruction();
    if (ScreenState != SCREEN_TUTORIAL) return;  // the script ended
  }

  // The play input sees only the virtual pointer and button while a scene
  // runs: a click the player made in the side bar has been handled there and
  // must not reach the board at the virtual pointer.
  Frame.PointerX = Tutorial.PointerX;
  Frame.PointerY = Tutorial.PointerY;
  Frame.LeftHit = pressedNow ? 1 : 0;
  Frame.LeftDown = Tutorial.Pressed != 0;
}

void DrawTutorialText() {
  if (!TutorialActive() || Tutorial.Text.empty()) return;
  const int height = TextBoxHeight(TutorialPanelLeft(), TutorialPanelRight(), TutorialPanelHeight(), Tutorial.Text);
  DrawTextBox(TutorialPanelLeft(), Tutorial.TextBottom - height, TutorialPanelRight(), TutorialPanelHeight(),
              Tutorial.Text);
}

void DrawTutorialPointer() {
  if (!TutorialActive()) return;
  const bool blink = TutorialWaiting && Frame.Now - Tutorial.TextShownTime > TEXT_SLIDE_MS &&
                     (Frame.Now & BLINK_BIT) != 0;
  Image* image = (Tutorial.Pressed != 0 || blink) ? PressedPointerImage : PointerImage;
  DrawPointerAt(image, Tutorial.PointerX, Tutorial.PointerY);
}
