// The menu tables: each menu is a sequence of values read front to back by
// BuildMenu, and the side-bar icon sets of the screens that have no table.
#pragma once

#include <cstddef>

// One value of a menu table: a number, or a text when Text is not null.
struct MenuValue {
  int Number;
  const char* Text;
  constexpr MenuValue(int number) : Number(number), Text(nullptr) {}
  constexpr MenuValue(const char* text) : Number(0), Text(text) {}
};

// A menu table: name, entry count, entries (handle x, y, caption bar x, y,
// text key, action), extra block count, runs (x, y, length, kinds...),
// return state, eight side-bar icons.
struct MenuTable {
  const MenuValue* Values;
  size_t Count;
};

extern const MenuTable MAIN_MENU_TABLE;
extern const MenuTable OPTIONS_MENU_TABLE;
extern const MenuTable DISPLAY_MENU_TABLE;
extern const MenuTable QUALITY_MENU_TABLE;
extern const MenuTable SCREEN_MENU_TABLE;
extern const MenuTable TUTORIAL_TABLE;

// The block-size entries of the screen-mode menu: a handle and a one-block
// caption bar per entry, with literal captions.
struct MenuBlock {
  int Kind, X, Y;
  const char* Text;
  int Menu;
};
constexpr int BLOCK_SIZE_ENTRY_BLOCKS = 4;
extern const MenuBlock BLOCK_SIZE_ENTRIES[BLOCK_SIZE_ENTRY_BLOCKS];
