// Level codes: a board written as a short text of letters and digits that a
// player can read out or type in. The alphabet leaves out 0, 1, I, L and O
// so that no two of its characters look or sound alike; two check
// characters at the end catch any one mistyped character and any two
// neighbours swapped. Lower case is read as upper case; spaces and dashes
// are skipped.
#pragma once

#include <string>

#include "play/move_rule.h"

// No code of a 10 x 8 board is longer than this; longer texts are refused
// before they are read.
constexpr int LEVEL_CODE_MAX_LENGTH = 60;

enum class CodeError { None, Empty, TooLong, BadCharacter, BadCheck, BadBoard };

// The code of a board (kinds 0..5, -1 empty).
std::string LevelCode(const KindCells& cells);
// Reads a code; on any error `cells` is left as it was.
CodeError ReadLevelCode(const std::string& text, KindCells& cells);
