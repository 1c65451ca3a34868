// Levels that players share: a level opened from its code and the daily
// level. Both are played as the random level is (no bank level is current);
// the daily level's wins go to its own records, one per day.
#pragma once

#include <cstdint>
#include <string>

#include "play/move_rule.h"

constexpr int CODE_BOARD = -3;   // the board level of a level opened from a code
constexpr int DAILY_BOARD = -4;  // the board level of a daily level
constexpr int CUSTOM_BOARD = -5; // the board level of a level made in the editor

struct SharedLevel {
  KindCells Cells{};
  int Board = CODE_BOARD;
  int Par = 0;
  int64_t Day = 0;  // the daily level's day
  int Custom = -1;  // the number of a level made in the editor
};

extern SharedLevel CurrentSharedLevel;

// No shared level placed yet (a start of the program).
void ForgetSharedLevel();

// Places the level on the board (the current level becomes -1); the caller
// starts it.
void PlaceSharedLevel(const SharedLevel& level);
// On a resumed board that is neither a bank level nor the kept random
// level: when its history starts from a level made in the editor, the code's
// or daily level last placed in this run, or today's daily level, that level
// is in play again with its records, and the answer is true.
bool ResumeSharedLevel(const uint8_t start[80]);
// True when the board holds the shared level (placed, not replaced since).
bool SharedLevelOnBoard();
// Reads a code and, when it names a board the solver can empty, places it
// and returns ""; otherwise places nothing and returns the text of the
// message that says why.
std::string OpenLevelCode(const std::string& text);
// Places level i made in the editor.
void PlaceCustomLevel(int i);
// Places the daily level of a day.
void PlaceDailyLevel(int64_t day);
// After the win of a shared level (the daily one is recorded for its day);
// sets the record time to the day's best before this win.
void SharedLevelWon(int64_t wonTimeMs, int moves);

// The starting board of the level on the board or just won (bank, random
// or shared); false for none.
bool CurrentLevelCells(KindCells& cells);
// Its par; 0 when unknown.
int CurrentLevelPar();
// The victory screen's title of a shared level.
std::string SharedLevelTitle();
// The daily result to share: "pLiMo daily 2026-12-10: 38 moves, 1'12\"".
std::string DailyResultLine(int64_t day, int moves, int64_t seconds);
