#include "levels/shared_level.h"

#include "board/block.h"
#include "levels/daily.h"
#include "levels/level_bank.h"
#include "levels/level_code.h"
#include "levels/level_lifecycle.h"
#include "levels/level_par.h"
#include "levels/random_play.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/text_box.h"
#include "persistence/custom_levels.h"
#include "persistence/daily_scores.h"
#include "play/undo.h"

namespace {

SharedLevel NoSharedLevel() {
  SharedLevel level;
  level.Cells.fill(-1);
  return level;
}

}  // namespace

SharedLevel CurrentSharedLevel = NoSharedLevel();

void ForgetSharedLevel() { CurrentSharedLevel = NoSharedLevel(); }

namespace {

// The level becomes the one in play, with its record time, whatever the
// board shows (placed afresh, or resumed from its history).
void TakeSharedLevel(const SharedLevel& level) {
  CurrentSharedLevel = level;
  CurrentLevel = -1;
  BoardLevel = level.Board;
  RecordTime = 0;
  if (level.Board == DAILY_BOARD) RecordTime = static_cast<int64_t>(DailyRecordOf(level.Day).BestTime) * 1000;
  if (level.Board == CUSTOM_BOARD && level.Custom >= 0 && level.Custom < static_cast<int>(CustomLevels.size())) {
    RecordTime = static_cast<int64_t>(CustomLevels[level.Custom].BestTime) * 1000;
  }
}

SharedLevel DailySharedLevel(int64_t day) {
  const RandomLevel& daily = DailyLevel(day);
  SharedLevel level;
  level.Cells = daily.Cells;
  level.Board = DAILY_BOARD;
  level.Par = SolutionSteps(daily.Solution);
  level.Day = day;
  return level;
}

SharedLevel CustomSharedLevel(int i) {
  SharedLevel level;
  level.Cells = CustomLevels[i].Cells;
  level.Board = CUSTOM_BOARD;
  level.Par = CustomLevels[i].Par;
  level.Custom = i;
  return level;
}

// True when a history's first record is this board (cell bytes kind + 1).
bool StartsFrom(const KindCells& cells, const uint8_t start[UNDO_RECORD_SIZE]) {
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (cells[c] + 1 != start[c]) return false;
  }
  return !BoardEmpty(cells);
}

}  // namespace

void PlaceSharedLevel(const SharedLevel& level) {
  ClearBoard();
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (level.Cells[c] >= 0) T_BLOCK::addBlock(c % GRID_COLUMNS, c / GRID_COLUMNS, level.Cells[c]);
  }
  T_BLOCK::ShapeAllBlocks();
  TakeSharedLevel(level);
}

bool SharedLevelOnBoard() {
  return CurrentLevel == -1 && (BoardLevel == CODE_BOARD || BoardLevel == DAILY_BOARD || BoardLevel == CUSTOM_BOARD);
}

bool ResumeSharedLevel(const uint8_t start[UNDO_RECORD_SIZE]) {
  // A level made in the editor is found by its cells (its number changes
  // when an earlier one is deleted); then the code's or daily level last
  // placed in this run; then today's daily level.
  for (int i = 0; i < static_cast<int>(CustomLevels.size()); ++i) {
    if (StartsFrom(CustomLevels[i].Cells, start)) {
      TakeSharedLevel(CustomSharedLevel(i));
      return true;
    }
  }
  if (CurrentSharedLevel.Board != CUSTOM_BOARD && StartsFrom(CurrentSharedLevel.Cells, start)) {
    TakeSharedLevel(CurrentSharedLevel);
    return true;
  }
  const int64_t today = UtcDayNumber();
  if (StartsFrom(DailyLevel(today).Cells, start)) {
    TakeSharedLevel(DailySharedLevel(today));
    return true;
  }
  return false;
}

std::string OpenLevelCode(const std::string& text) {
  SharedLevel level;
  const CodeError error = ReadLevelCode(text, level.Cells);
  if (error == CodeError::Empty) return GetText("Code Empty");
  if (error != CodeError::None) return GetText("Code Bad");
  if (BoardEmpty(level.Cells)) return GetText("Code Empty Board");
  level.Par = SolvePar(level.Cells);
  if (level.Par < 0) return GetText("Code No Solution");
  level.Board = CODE_BOARD;
  PlaceSharedLevel(level);
  return "";
}

void PlaceDailyLevel(int64_t day) { PlaceSharedLevel(DailySharedLevel(day)); }

void PlaceCustomLevel(int i) {
  if (i >= 0 && i < static_cast<int>(CustomLevels.size())) PlaceSharedLevel(CustomSharedLevel(i));
}

void SharedLevelWon(int64_t wonTimeMs, int moves) {
  if (CurrentSharedLevel.Board == CUSTOM_BOARD) {
    RecordTime = static_cast<int64_t>(RecordCustomWin(CurrentSharedLevel.Custom, static_cast<int>(wonTimeMs / 1000))) * 1000;
  }
  if (CurrentSharedLevel.Board != DAILY_BOARD) return;
  const int previous = RecordDailyWin(CurrentSharedLevel.Day, static_cast<int>(wonTimeMs / 1000), moves);
  RecordTime = static_cast<int64_t>(previous) * 1000;
}

bool CurrentLevelCells(KindCells& cells) {
  if (SharedLevelOnBoard()) {
    cells = CurrentSharedLevel.Cells;
  } else if (RandomLevelOnBoard()) {
    cells = CurrentRandomLevel.Cells;
  } else if (CurrentLevel >= 0 && CurrentLevel < LevelCount) {
    for (int c = 0; c < GRID_CELLS; ++c) {
      cells[c] = static_cast<int8_t>(LevelCellByte(CurrentLevel, c % GRID_COLUMNS, c / GRID_COLUMNS) - 1);
    }
  } else {
    return false;
  }
  return true;
}

int CurrentLevelPar() {
  if (SharedLevelOnBoard()) return CurrentSharedLevel.Par;
  if (RandomLevelOnBoard()) return SolutionSteps(CurrentRandomLevel.Solution);
  return BankPar(CurrentLevel);
}

std::string SharedLevelTitle() {
  if (CurrentSharedLevel.Board == DAILY_BOARD) return GetText("Daily") + " " + DayText(CurrentSharedLevel.Day);
  if (CurrentSharedLevel.Board == CUSTOM_BOARD) return GetText("Editor") + " " + std::to_string(CurrentSharedLevel.Custom + 1);
  return GetText("Code Level");
}

std::string DailyResultLine(int64_t day, int moves, int64_t seconds) {
  // The same words in every language, so that results posted side by side
  // read alike (and a right-to-left language's line is not copied reversed).
  return "pLiMo daily " + DayText(day) + ": " + std::to_string(moves) + " moves, " + FormatTime(seconds);
}
