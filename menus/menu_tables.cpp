#include "menus/menu_tables.h"

#include <iterator>

#include "menus/screens.h"

namespace {

const MenuValue MAIN_MENU[] = {
    "MainMenu", 5,
    2, 3, 4, 3, "Play", REQ_LEVEL_MAP,
    1, 4, 3, 4, "Rules", SCREEN_TUTORIAL,
    2, 5, 4, 5, "Options", SCREEN_OPTIONS_MENU,
    3, 6, 5, 6, "Quit", REQ_QUIT,
    1, 7, 3, 7, "Editor", SCREEN_EDITOR,
    0,
    SCREEN_MAIN_MENU,
    0, 0, 11, 0, 0, 0, 0, 3,
};

const MenuValue OPTIONS_MENU[] = {
    "Options", 4,
    3, 3, 5, 3, "Style", SCREEN_STYLE,
    2, 4, 4, 4, "Language", SCREEN_LANGUAGE,
    1, 5, 3, 5, "Display", SCREEN_DISPLAY_MENU,
    2, 6, 4, 6, "Credits", SCREEN_CREDITS,
    0,
    SCREEN_MAIN_MENU,
    9, 0, 11, 0, 0, 0, 0, 3,
};

const MenuValue DISPLAY_MENU[] = {
    "Display", 2,
    2, 4, 4, 4, "Quality", SCREEN_QUALITY_MENU,
    3, 5, 5, 5, "Screen", SCREEN_MODE_MENU,
    0,
    SCREEN_OPTIONS_MENU,
    9, 0, 11, 0, 0, 0, 0, 3,
};

const MenuValue QUALITY_MENU[] = {
    "Quality", 2,
    3, 4, 5, 4, "High", REQ_QUALITY_HIGH,
    2, 5, 4, 5, "Low", REQ_QUALITY_LOW,
    0,
    SCREEN_DISPLAY_MENU,
    9, 0, 11, 0, 0, 0, 0, 3,
};

// "Center" and "Full" have their handles away from their bars: the choice
// is a small puzzle.
const MenuValue SCREEN_MENU[] = {
    "Screen", 3,
    1, 4, 3, 4, "Windowed", REQ_WINDOWED,
    3, 6, 4, 5, "Center", REQ_CENTRED,
    2, 5, 5, 6, "Full", REQ_BEST_FIT,
    0,
    SCREEN_DISPLAY_MENU,
    9, 0, 11, 0, 0, 0, 0, 3,
};

// The tutorial's board: no entries, 18 plain blocks in rows 1 to 4.
const MenuValue TUTORIAL[] = {
    "Tutorial", 0,
    18,
    1, 1, 3, 0, 1, 5,
    5, 1, 4, 1, 0, 1, 5,
    2, 2, 1, 5,
    5, 2, 4, 5, 1, 1, 0,
    1, 3, 3, 1, 5, 0,
    6, 3, 1, 0,
    2, 4, 1, 0,
    5, 4, 1, 5,
    SCREEN_MAIN_MENU,
    6, 0, 11, 0, 0, 0, 1, 3,
};

}  // namespace

const MenuTable MAIN_MENU_TABLE = {MAIN_MENU, std::size(MAIN_MENU)};
const MenuTable OPTIONS_MENU_TABLE = {OPTIONS_MENU, std::size(OPTIONS_MENU)};
const MenuTable DISPLAY_MENU_TABLE = {DISPLAY_MENU, std::size(DISPLAY_MENU)};
const MenuTable QUALITY_MENU_TABLE = {QUALITY_MENU, std::size(QUALITY_MENU)};
const MenuTable SCREEN_MENU_TABLE = {SCREEN_MENU, std::size(SCREEN_MENU)};
const MenuTable TUTORIAL_TABLE = {TUTORIAL, std::size(TUTORIAL)};

const MenuBlock BLOCK_SIZE_ENTRIES[BLOCK_SIZE_ENTRY_BLOCKS] = {
    {4, 3, 5, "", REQ_SMALLER_BLOCKS},
    {4, 7, 4, "-", REQ_SMALLER_BLOCKS},
    {5, 4, 6, "", REQ_LARGER_BLOCKS},
    {5, 8, 4, "+", REQ_LARGER_BLOCKS},
};
