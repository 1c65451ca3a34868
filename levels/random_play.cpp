#include "levels/random_play.h"

#include <algorithm>

#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "persistence/random_scores.h"

RandomLevel CurrentRandomLevel;

int RandomTier() { return std::min(RandomScores.Wins, RANDOM_TIERS - 1); }

void PlaceRandomCells(const RandomLevel& level) {
  CurrentRandomLevel = level;
  ClearBoard();
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (level.Cells[c] >= 0) T_BLOCK::addBlock(c % GRID_COLUMNS, c / GRID_COLUMNS, level.Cells[c]);
  }
  T_BLOCK::ShapeAllBlocks();
  CurrentLevel = -1;
  BoardLevel = RANDOM_BOARD;
  RecordTime = static_cast<int64_t>(RandomScores.BestTime[level.Tier]) * 1000;
}

void PlaceRandomLevel() {
  const uint32_t seed = static_cast<uint32_t>(RandomInt(1, 0x7FFFFFFF));
  PlaceRandomCells(GenerateRandomLevel(seed, RandomTier()));
}

bool RandomLevelOnBoard() { return CurrentLevel == -1 && BoardLevel == RANDOM_BOARD; }

void RandomLevelWon(int64_t wonTimeMs) {
  const int previous = RecordRandomWin(CurrentRandomLevel.Tier, static_cast<int>(wonTimeMs / 1000));
  RecordTime = static_cast<int64_t>(previous) * 1000;
}
