// The play input of every board screen: dragging, the keyboard, the move
// rule, menu choices made by exploding an entry.
#pragma once

#include <cstdint>
#include <string>

class T_BLOCK;
struct KeyPress;

extern T_BLOCK* GrabbedBlock;
extern int DraggingFlag;
extern int PressCellX, PressCellY;
extern int64_t PressTime;
extern int DragAnchorX, DragAnchorY;
extern int KeyboardMode;  // 0 off, 1 cursor shown, 2 a shape held
extern int KeyboardCursorX, KeyboardCursorY;
extern int HoveredMenu;    // -1 none
extern int PendingAction;  // 0 none
extern bool ExitScrollOn;
extern int64_t ExitScrollStart;
extern int ExitScrollOffset;
extern int SlideSoundChannel;

// The caption shown after a menu choice.
struct TransientMessage {
  std::string Text;
  int CentreX = 0, CentreY = 0;
  int64_t StartTime = 0, EndTime = 0;
  float Scale = 1.0f;
  int Light = 0;
  // A notice drawn on a text panel rather than a caption growing.
  bool OnPanel = false;
};
extern TransientMessage Message;

extern const int DIR_DX[4];  // right, down, left, up
extern const int DIR_DY[4];

void UpdatePlay();
// One key press on a board screen: arrows, Enter and Space, and on the play
// screen the undo, restart and hint keys.
void PlayKey(const KeyPress& press);
void KeyboardStep(int direction);
void UpdatePointerDrag();
int TryMoveGroup(int dx, int dy);
int GroupBlocked(int dx, int dy);
int CellBlocked(int x, int y);
void ChooseGrabbedMenu();
void StartMenuCaption(int menuId);
// Forgets any hold: no grabbed block, nothing selected, no drag.
void ReleaseGrab();
