// The tutorial: a script of instructions played on the real board. A virtual
// pointer and button take the place of the player's while a scene runs, so
// the pieces are dragged by the ordinary play input; between scenes a text
// waits for a click on the board or a typed character.
#pragma once

#include <cstdint>
#include <string>

// Operation codes of the script.
enum TutorialOp {
  TUTORIAL_END = 0,
  TUTORIAL_MOVE = 1,            // x, y, press: pointer to the centre of cell (x, y)
  TUTORIAL_WAIT = 2,            // ms, button up
  TUTORIAL_TEXT = 3,            // text key; waits for the player
  TUTORIAL_HOLD = 4,            // ms, button held
  TUTORIAL_UNDO_STEP = 5,       // x0, y0, x1, y1: a scripted undo of one block
  TUTORIAL_UNDO_ICON_OFF = 6,   // the UNDO icon back to normal
};

// One value of the script: a number, or a text key when Key is set.
struct TutorialValue {
  int Number = 0;
  const char* Key = nullptr;
  constexpr TutorialValue(int number) : Number(number) {}
  constexpr TutorialValue(const char* key) : Key(key) {}
};

// The shipped script (tutorial_script.cpp).
extern const TutorialValue TUTORIAL_SCRIPT[];
extern const int TUTORIAL_SCRIPT_LENGTH;  // in values

// Player state, one instance.
struct TutorialPlayer {
  bool Running = false;
  int PointerX = 0, PointerY = 0;  // the virtual pointer, board pixels
  int StartX = 0, StartY = 0;      // step start position
  int TargetX = 0, TargetY = 0;    // step target position
  int Pressed = 0;                 // the virtual button, kept during a step
  int64_t StepStart = 0;
  int64_t StepDuration = 0;
  std::string Text;                // the current scene's text
  int TextBottom = 0;              // the text panel's lower edge, pixels
  int64_t TextShownTime = 0;
  int Position = 0;                // the next value of the script
};
extern TutorialPlayer Tutorial;

// True while a text is shown and the player must continue.
extern bool TutorialWaiting;

// Called right after the tutorial board is built.
void StartTutorial();
// Ends the tutorial without touching the board (the next screen rebuilds it).
void StopTutorial();
// True while the tutorial runs on its own screen.
bool TutorialActive();
// One frame of the script; runs before the play input, which then sees the
// virtual pointer and button (or the real ones while a text waits).
void PlayTutorial();
// Ends the wait for the player (a click on the board or a typed character).
void ContinueTutorial();
// After a change of block size: the virtual pointer and its step keep their
// places on the board's cells, so a scene goes on as it would have.
void ScaleTutorialPointer(int oldBlockSize);
// The text box of the current scene, drawn with the board.
void DrawTutorialText();
// The virtual pointer, drawn with the overlays.
void DrawTutorialPointer();
// The text panel's edges and greatest height: it rests BlockSize / 8 from
// the bottom-left corner of the board and reaches up to TutorialPanelTop().
int TutorialPanelLeft();
int TutorialPanelRight();
int TutorialPanelTop();
int TutorialPanelHeight();

// a + (b - a) * elapsed / total in 64-bit integers, truncating toward zero.
int Lerp(int a, int b, int64_t total, int64_t elapsed);
