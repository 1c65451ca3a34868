// The side bar: eight icons down the right-hand strip of the game screen.
// Which icons a screen shows comes from its icon set; whether each one is
// hidden, shown, lit or blinking follows the game's state every frame.
#pragma once

#include <cstdint>

constexpr int SIDE_BAR_SLOTS = 8;

// Icon indices: frame Index - 1 of the icon strips.
enum IconIndex {
  ICON_NONE = 0,
  ICON_MENU = 1,
  ICON_HELP = 2,
  ICON_MUSIC = 3,
  ICON_SOUND = 4,
  ICON_EXIT = 5,
  ICON_UNDO = 6,
  ICON_TIME = 7,
  ICON_RESTART = 8,
  ICON_BACK = 9,
  ICON_VIEW = 10,
  ICON_LAST = 11,
};

// Icon states.
enum IconState { ICON_HIDDEN = 0, ICON_SHOWN = 1, ICON_LIT = 2, ICON_BLINKING = 3 };

// Icon sets, slot 0 (top) to slot 7.
inline constexpr int ICON_SET_PLAY[SIDE_BAR_SLOTS] = {6, 0, 8, 0, 7, 0, 1, 3};
inline constexpr int ICON_SET_MAIN_MENU[SIDE_BAR_SLOTS] = {0, 0, 11, 0, 0, 0, 0, 3};
// Options, display, quality, screen-mode menus, style screen, credits,
// level map and the language screen opened from the options.
inline constexpr int ICON_SET_SUB_SCREEN[SIDE_BAR_SLOTS] = {9, 0, 11, 0, 0, 0, 0, 3};
inline constexpr int ICON_SET_TUTORIAL[SIDE_BAR_SLOTS] = {6, 0, 11, 0, 0, 0, 1, 3};
inline constexpr int ICON_SET_VICTORY[SIDE_BAR_SLOTS] = {0, 0, 0, 0, 0, 0, 1, 3};
inline constexpr int ICON_SET_LANGUAGE_FIRST[SIDE_BAR_SLOTS] = {0, 0, 0, 0, 0, 0, 0, 3};

class T_ICON {
 public:
  int Index = 0;      // which picture and action; 0 = empty slot
  int State = 0;      // an IconState
  int64_t Timer = 0;  // 0 whenever icons are loaded
};

extern T_ICON SideBarIcons[SIDE_BAR_SLOTS];
extern int HoveredSlot;               // -1 none
extern int64_t RestartConfirmEnd;     // 0 none: the RESTART icon blinks until then
extern int64_t MusicDoubleClickEnd;   // 0 none: switching music on before then skips a track

constexpr int64_t RESTART_CONFIRM_MS = 2000;
constexpr int64_t MUSIC_DOUBLE_CLICK_MS = 500;

void InitSideBar();
// Loads an icon set: eight icon indices, slot 0 at the top.
void LoadSideBarIcons(const int* iconSet);
void UpdateIconStates();
// Hover and clicks; runs every frame before the screen's own input.
void DoSideBar();
// Runs every frame after the screen's content.
void DrawSideBar();
// On the play screen the empty slots show the level (its number on a golden
// badge), the moves made and the time: a caption in pale blue over a white
// value, scaled by InfoScale with the block size.
constexpr int INFO_LEVEL_SLOT = 1, INFO_MOVES_SLOT = 3, INFO_TIME_SLOT = 5;
constexpr int INFO_CAPTION[3] = {168, 190, 232};
constexpr int INFO_PADDING = 4;  // each side of a line inside the bar
float InfoScale();
// The level time (and the time left to beat the record) inside the TIME icon.
void DrawTimeCounter(int x, int y);
// Minutes and seconds of a time as four digits: mm at x + 5, x + 15 and ss
// at x + 30, x + 40.
void DrawTimeDigits(int64_t milliseconds, int x, int y);
