// The level bank: the embedded level file kept whole in memory as records of
// 404 bytes (id, record link, 80 cell bytes, 320 frame bytes).
#include "levels/level_bank.h"

#include "app/display.h"
#include "board/block.h"

ByteBuffer LevelBank;
int LevelCount = 0;
int BoardLevel = -1;

namespace {

constexpr int LINK_OFFSET = 2;
constexpr int CELLS_OFFSET = 4;
constexpr int FRAMES_OFFSET = 84;

int RecordStart(int n) { return LEVEL_RECORD_SIZE * n; }
bool ValidLevel(int n) { return n >= 0 && n < LevelCount; }
bool ValidCell(int x, int y) { return x >= 0 && x < BOARD_COLUMNS && y >= 0 && y < BOARD_ROWS; }

}  // namespace

void LoadLevelBank() {
  std::unique_ptr<ByteBuffer> loaded = LoadBuffer(std::string(EMBEDDED_PREFIX) + "Data/lite2.lvl");
  LevelBank.Bytes = loaded ? std::move(loaded->Bytes) : std::vector<uint8_t>();
  // A trailing partial record is never read.
  LevelCount = BufferSize(LevelBank) / LEVEL_RECORD_SIZE;
}

void LoadLevel(int n) {
  if (!ValidLevel(n)) return;
  ClearBoard();
  for (int y = 0; y < BOARD_ROWS; y++) {
    for (int x = 0; x < BOARD_COLUMNS; x++) {
      const int v = LevelCellByte(n, x, y);
      if (v > 0) T_BLOCK::addBlock(x, y, v - 1);
    }
  }
  T_BLOCK::ShapeAllBlocks();
  BoardLevel = n;
}

std::string LevelLabel(int n) {
  static const char* const LABELS[] = {"11", "82", "113", "273", "428"};
  if (n < 1 || n > 5) return "";
  return LABELS[n - 1];
}

int LevelId(int n) { return ValidLevel(n) ? PeekUInt16(LevelBank, RecordStart(n)) : 0; }

int RecordLink(int n) { return ValidLevel(n) ? PeekUInt16(LevelBank, RecordStart(n) + LINK_OFFSET) : 0; }

void SetRecordLink(int n, int offset) {
  if (ValidLevel(n)) PokeUInt16(LevelBank, RecordStart(n) + LINK_OFFSET, offset);
}

int LevelCellByte(int n, int x, int y) {
  if (!ValidLevel(n) || !ValidCell(x, y)) return 0;
  return PeekUInt8(LevelBank, RecordStart(n) + CELLS_OFFSET + BOARD_COLUMNS * y + x);
}

int BankLevelWithCells(const uint8_t cells[80]) {
  for (int n = 0; n < LevelCount; ++n) {
    bool same = true;
    for (int i = 0; i < BOARD_COLUMNS * BOARD_ROWS && same; ++i)
      same = LevelCellByte(n, i % BOARD_COLUMNS, i / BOARD_COLUMNS) == cells[i];
    if (same) return n;
  }
  return -1;
}

int LevelFrameByte(int n, int x, int y, int quarter) {
  if (!ValidLevel(n) || !ValidCell(x, y) || quarter < 0 || quarter > 3) return 0;
  return PeekUInt8(LevelBank, RecordStart(n) + FRAMES_OFFSET + 4 * (BOARD_COLUMNS * y + x) + quarter);
}
