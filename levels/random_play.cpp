#include "levels/random_play.h"

#include <algorithm>
#include <memory>

#include "app/display.h"
#include "app/paths.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "persistence/random_scores.h"
#include "play/undo.h"

RandomLevel CurrentRandomLevel;

namespace {

// "PLRL", the tier, the seed (32 bits, little-endian), then a byte per cell
// as in the undo records: kind + 1, or 0 for an empty cell.
constexpr int HEADER_SIZE = 4 + 1 + 4;
constexpr int FILE_SIZE = HEADER_SIZE + GRID_CELLS;
constexpr int HIGHEST_CELL_BYTE = 6;  // kind 5 + 1

void SaveRandomLevelFile(const RandomLevel& level) {
  ByteBuffer file;
  file.Bytes = {'P', 'L', 'R', 'L', static_cast<uint8_t>(level.Tier)};
  for (int shift = 0; shift < 32; shift += 8) file.Bytes.push_back(static_cast<uint8_t>(level.Seed >> shift));
  for (int c = 0; c < GRID_CELLS; ++c) file.Bytes.push_back(static_cast<uint8_t>(level.Cells[c] + 1));
  // A failed save only costs the resumed level its records.
  SaveBuffer(file, RandomLevelPath());
}

}  // namespace

std::string RandomLevelPath() { return UserDataFolder + "/pLiMo_Random_Level.bin"; }

bool ResumeRandomLevel() {
  const std::unique_ptr<ByteBuffer> file = LoadBuffer(RandomLevelPath());
  if (!file || file->Bytes.size() != static_cast<size_t>(FILE_SIZE)) return false;
  const std::vector<uint8_t>& b = file->Bytes;
  if (b[0] != 'P' || b[1] != 'L' || b[2] != 'R' || b[3] != 'L' || b[4] >= RANDOM_TIERS) return false;
  uint8_t start[UNDO_RECORD_SIZE];
  if (!ReadFirstUndoRecord(start)) return false;
  RandomLevel level;
  level.Tier = b[4];
  level.Seed = static_cast<uint32_t>(b[5]) | (static_cast<uint32_t>(b[6]) << 8) |
               (static_cast<uint32_t>(b[7]) << 16) | (static_cast<uint32_t>(b[8]) << 24);
  for (int c = 0; c < GRID_CELLS; ++c) {
    const uint8_t cell = b[HEADER_SIZE + c];
    // The history must start from this very board, or it is another one's.
    if (cell != start[c] || cell > HIGHEST_CELL_BYTE) return false;
    level.Cells[c] = static_cast<int8_t>(cell - 1);
  }
  // A kept level with no piece is damage, not a level: its board plays
  // unrecorded instead of giving a win without a move.
  if (std::all_of(level.Cells.begin(), level.Cells.end(), [](int8_t cell) { return cell < 0; })) return false;
  CurrentRandomLevel = level;
  BoardLevel = RANDOM_BOARD;
  RecordTime = static_cast<int64_t>(RandomScores.BestTime[level.Tier]) * 1000;
  return true;
}

int RandomTier() { return std::min(RandomScores.Wins, RANDOM_TIERS - 1); }

int LastWonRandomTier() { return std::clamp(RandomScores.Wins - 1, 0, RANDOM_TIERS - 1); }

void ShowRandomCells(const RandomLevel& level) {
  ClearBoard();
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (level.Cells[c] >= 0) T_BLOCK::addBlock(c % GRID_COLUMNS, c / GRID_COLUMNS, level.Cells[c]);
  }
  T_BLOCK::ShapeAllBlocks();
  BoardLevel = -1;
}

void PlaceRandomCells(const RandomLevel& level) {
  ShowRandomCells(level);
  CurrentRandomLevel = level;
  CurrentLevel = -1;
  BoardLevel = RANDOM_BOARD;
  RecordTime = static_cast<int64_t>(RandomScores.BestTime[level.Tier]) * 1000;
}

void PlaceAndKeepRandomLevel(const RandomLevel& level) {
  PlaceRandomCells(level);
  SaveRandomLevelFile(CurrentRandomLevel);
}

namespace {
T_RANDOM_LEVEL_MAKER Maker;
}  // namespace

void StartRandomLevelMaker() { Maker.Start(static_cast<uint32_t>(RandomInt(1, 0x7FFFFFFF)), RandomTier()); }

void StartMakingRandomLevel() {
  ClearBoard();
  BoardLevel = -1;
  StartRandomLevelMaker();
}

bool MakingRandomLevel() { return !Maker.Done(); }

void StopMakingRandomLevel() { Maker.Stop(); }

bool RunRandomLevelMaker() { return MakingRandomLevel() && Maker.Run(RANDOM_SLICE_UNITS); }

const RandomLevel& MadeRandomLevel() { return Maker.Level(); }

int64_t RandomLevelWorkDone() { return Maker.WorkDone(); }

bool MakeRandomLevelSlice() {
  if (!RunRandomLevelMaker()) return false;
  PlaceAndKeepRandomLevel(MadeRandomLevel());
  return true;
}

void DrawRandomLevelMaking() {
  if (!MakingRandomLevel() || BlockSize <= 0) return;
  const float width = static_cast<float>(BlockSize * GRID_COLUMNS);
  SelectFont(SmallFont);
  const int h = FontHeight();
  const float y = static_cast<float>(BlockSize * GRID_ROWS / 2 - h / 2);
  SetBlendMode(BLEND_ALPHA);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(0.6f);
  FillRect(0, y - 6, width, static_cast<float>(h + 12));
  SetDrawAlpha(1);
  SetDrawColour(255, 255, 255);
  DrawString(GetTextOr("Making Level", "Making a new level..."), static_cast<float>(BlockSize) / 2, y);
  SelectFont(nullptr);
}

bool RandomLevelOnBoard() { return CurrentLevel == -1 && BoardLevel == RANDOM_BOARD; }

void RandomLevelWon(int64_t wonTimeMs) {
  const int previous = RecordRandomWin(CurrentRandomLevel.Tier, static_cast<int>(wonTimeMs / 1000));
  RecordTime = static_cast<int64_t>(previous) * 1000;
}
