// The tutorial's script: one list of values, an operation code followed by
// its operands, one scene per line. Each scene begins with its text and ends
// with the pointer back on cell (9, 6); cell (10, 0) is the side bar's UNDO
// icon. Every scene plays on the board the previous ones left behind,
// starting from the "Tutorial" menu table's blocks.
#include "menus/tutorial.h"

namespace {

constexpr int MOVE = TUTORIAL_MOVE, WAIT = TUTORIAL_WAIT, TEXT = TUTORIAL_TEXT, HOLD = TUTORIAL_HOLD,
              UNDO = TUTORIAL_UNDO_STEP, UNDO_OFF = TUTORIAL_UNDO_ICON_OFF, END = TUTORIAL_END;
constexpr int UP = 0, DOWN = 1;  // the virtual button during a move

}  // namespace

// clang-format off
const TutorialValue TUTORIAL_SCRIPT[] = {
    // Welcome.
    MOVE, 9, 6, UP, TEXT, "Tuto0",
    // A shape is dragged one cell at a time, in four directions.
    TEXT, "Tuto1", MOVE, 5, 4, UP, WAIT, 300, HOLD, 300, MOVE, 6, 4, DOWN, MOVE, 7, 4, DOWN, MOVE, 8, 4, DOWN, MOVE, 7, 4, DOWN, MOVE, 6, 4, DOWN, MOVE, 5, 4, DOWN, MOVE, 6, 3, UP, WAIT, 300, HOLD, 300, MOVE, 7, 3, DOWN, MOVE, 7, 4, DOWN, MOVE, 6, 4, DOWN, MOVE, 6, 3, DOWN, MOVE, 9, 6, UP,
    // Pieces of one colour that touch merge into one shape.
    TEXT, "Tuto3", MOVE, 5, 2, UP, WAIT, 300, HOLD, 300, MOVE, 5, 3, DOWN, MOVE, 4, 3, DOWN, MOVE, 4, 2, DOWN, MOVE, 5, 2, DOWN, MOVE, 3, 1, UP, WAIT, 300, HOLD, 300, MOVE, 3, 2, DOWN, MOVE, 3, 2, UP, MOVE, 5, 2, UP, WAIT, 300, HOLD, 300, MOVE, 4, 2, DOWN, MOVE, 4, 2, UP, MOVE, 5, 1, UP, WAIT, 300, HOLD, 300, MOVE, 5, 2, DOWN, MOVE, 5, 2, UP, WAIT, 300, MOVE, 6, 3, UP, WAIT, 300, HOLD, 300, MOVE, 7, 3, DOWN, MOVE, 8, 3, DOWN, MOVE, 9, 6, UP,
    // Undo takes steps back.
    TEXT, "Tuto2", MOVE, 10, 0, UP, WAIT, 500, UNDO, 8, 3, 7, 3, HOLD, 200, UNDO_OFF, WAIT, 1000, UNDO, 7, 3, 6, 3, HOLD, 200, UNDO_OFF, WAIT, 200, UNDO, 5, 2, 5, 1, HOLD, 200, UNDO_OFF, WAIT, 200, MOVE, 9, 6, UP,
    // A colour whose pieces all form one shape explodes.
    TEXT, "Tuto4", MOVE, 8, 2, UP, WAIT, 300, HOLD, 300, MOVE, 8, 3, DOWN, MOVE, 8, 4, DOWN, MOVE, 8, 4, UP, MOVE, 8, 1, UP, WAIT, 300, HOLD, 300, MOVE, 8, 2, DOWN, MOVE, 8, 3, DOWN, MOVE, 7, 3, DOWN, MOVE, 7, 4, DOWN, MOVE, 6, 4, DOWN, MOVE, 5, 4, DOWN, MOVE, 5, 3, DOWN, MOVE, 5, 3, UP, MOVE, 9, 6, UP,
    // The board is cleared colour by colour.
    TEXT, "Tuto6", MOVE, 1, 1, UP, WAIT, 300, HOLD, 300, MOVE, 1, 2, DOWN, MOVE, 2, 2, DOWN, MOVE, 2, 3, DOWN, MOVE, 3, 3, DOWN, MOVE, 4, 3, DOWN, MOVE, 5, 3, DOWN, MOVE, 6, 3, DOWN, MOVE, 6, 3, UP, MOVE, 5, 1, UP, WAIT, 300, HOLD, 300, MOVE, 4, 1, DOWN, MOVE, 4, 1, UP, MOVE, 6, 1, UP, WAIT, 300, HOLD, 300, MOVE, 5, 1, DOWN, MOVE, 5, 2, DOWN, MOVE, 5, 3, DOWN, MOVE, 5, 3, UP, MOVE, 1, 3, UP, WAIT, 300, HOLD, 300, MOVE, 2, 3, DOWN, MOVE, 2, 2, DOWN, MOVE, 3, 2, DOWN, MOVE, 3, 3, DOWN, MOVE, 4, 3, DOWN, MOVE, 4, 3, UP, MOVE, 9, 6, UP,
    // Goodbye: the pointer leaves below the board and the main menu follows.
    TEXT, "Tuto7", MOVE, 8, 9, UP, END,
};
// clang-format on

const int TUTORIAL_SCRIPT_LENGTH = static_cast<int>(sizeof(TUTORIAL_SCRIPT) / sizeof(TUTORIAL_SCRIPT[0]));
