// Screen states: the one integer that says which screen is shown, the
// switch between screens and the builders of the board screens.
#pragma once

struct MenuTable;

enum ScreenId {
  SCREEN_PLAY = 0,
  SCREEN_MAIN_MENU = 1,
  SCREEN_OPTIONS_MENU = 3,
  SCREEN_LEVEL_MAP = 9,
  SCREEN_STYLE = 11,
  SCREEN_CREDITS = 12,
  REQ_LEVEL_MAP = 19,
  SCREEN_DISPLAY_MENU = 20,
  REQ_WINDOWED = 21,
  REQ_CENTRED = 22,
  REQ_BEST_FIT = 23,
  SCREEN_MODE_MENU = 24,
  SCREEN_QUALITY_MENU = 25,
  REQ_QUALITY_LOW = 27,
  REQ_QUALITY_HIGH = 28,
  SCREEN_VICTORY = 43,
  SCREEN_LANGUAGE_FIRST = 44,
  SCREEN_TUTORIAL = 45,
  SCREEN_LANGUAGE = 46,
  SCREEN_EDITOR = 47,
  REQ_SMALLER_BLOCKS = 48,
  REQ_LARGER_BLOCKS = 49,
  REQ_QUIT = 99,
};

extern int ScreenState;
extern int PreviousState;
extern int ReturnState;    // where the side bar's BACK icon leads
extern bool QuitRequested;  // set by the quit request; ends the frame loop

// Switches the screen state and builds the new screen. Any choice still
// pending from the screen left behind is dropped.
void SetScreen(int id);

// Builds a menu screen on the board from its table: one colour per entry
// (a handle and a caption bar of four blocks), then the plain blocks; sets
// the return state and the side-bar icons from the table.
void BuildMenu(const MenuTable& table);

// The style screen: the styles not in use stand in the outer ring, the six
// colours' styles in row 4, columns 2 to 7.
void BuildStyleScreen();
// After each step on the style screen: the styles standing in row 4,
// columns 2 to 7, become the styles of colours 0 to 5; a change is saved.
void StyleApplyStep();
// The style screen's wells under the six colour cells and its one line of
// instruction between the title ribbon and the wells; drawn before the blocks.
void DrawStyleScreenGuide();
