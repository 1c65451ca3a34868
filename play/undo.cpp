#include "play/undo.h"

#include <cstdint>
#include <vector>

#include "app/assets.h"
#include "app/paths.h"
#include "board/block.h"
#include "media/media.h"
#include "play/play_input.h"

int UndoRecordCount = 0;

namespace {

using Record = uint8_t[UNDO_RECORD_SIZE];

// The highest cell byte: kind 5 + 1. Anything above names a kind that no
// colour has (invisible and never completing) and is read as an empty cell.
constexpr int HIGHEST_CELL_BYTE = 6;

// Histories longer than this (8 GB) are not a level played by a person:
// such a file is not resumed or counted.
constexpr int64_t MAX_UNDO_RECORDS = 100000000;

// Byte of one cell: 0 for an empty cell or a block that is vanishing (so an
// undo never brings an exploded block back), else the kind + 1.
int CellByte(int x, int y) {
  const T_BLOCK* block = BlockGrid[x][y];
  if (block == nullptr || block->Timer != 0) return 0;
  return block->Kind + 1;
}

void RecordBoard(Record bytes) {
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) bytes[y * 10 + x] = static_cast<uint8_t>(CellByte(x, y));
  }
}

bool IsEmptyRecord(const uint8_t* bytes) {
  for (int i = 0; i < UNDO_RECORD_SIZE; ++i) {
    if (bytes[i] > 0 && bytes[i] <= HIGHEST_CELL_BYTE) return false;
  }
  return true;
}

// Replaces the board by the record's blocks, shaped and unselected.
void PlaceRecord(const uint8_t* bytes) {
  // Any hold refers to blocks that are about to end.
  ReleaseGrab();
  ClearBoard();
  for (int i = 0; i < UNDO_RECORD_SIZE; ++i) {
    if (bytes[i] > 0 && bytes[i] <= HIGHEST_CELL_BYTE) T_BLOCK::addBlock(i % 10, i / 10, bytes[i] - 1);
  }
  T_BLOCK::ShapeAllBlocks();
}

// Reads record `index` of an open history; false when it is not all there.
bool ReadRecord(Stream* in, int64_t index, Record bytes) {
  SeekTo(in, index * UNDO_RECORD_SIZE);
  return ReadBytes(in, bytes, UNDO_RECORD_SIZE) == UNDO_RECORD_SIZE;
}

// Whole records in a history of this length, 0 for an absurd one.
int WholeRecords(int64_t length) {
  const int64_t count = length / UNDO_RECORD_SIZE;
  return count > MAX_UNDO_RECORDS ? 0 : static_cast<int>(count);
}

// A new history whose only record is `bytes`, written to a temporary file
// and renamed over the undo file.
bool WriteFreshHistory(const Record bytes) {
  Stream* out = OpenWrite(UndoPath);
  if (out == nullptr) return false;
  WriteBytes(out, bytes, UNDO_RECORD_SIZE);
  if (!CloseFile(out)) return false;
  UndoRecordCount = 1;
  return true;
}

}  // namespace

void PushUndo() {
  Record bytes;
  RecordBoard(bytes);
  const int64_t kept = static_cast<int64_t>(UndoRecordCount) * UNDO_RECORD_SIZE;
  Stream* file = UndoRecordCount > 0 ? OpenUpdate(UndoPath) : nullptr;
  // The file must hold the records the count says; one that was deleted,
  // shortened or replaced under the game (another copy of it, a person)
  // cannot be appended to: the history starts again from this board.
  if (file != nullptr && StreamLength(file) < kept) {
    CloseFile(file);
    file = nullptr;
  }
  if (file == nullptr) {
    UndoRecordCount = 0;
    if (!WriteFreshHistory(bytes)) ShowMessage("Can't write " + UndoPath);
    return;
  }
  // Bytes past the counted records (a torn record, records taken back by an
  // undo that could not shorten the file) are cut off first, so the file
  // always ends on the new record.
  bool ok = StreamLength(file) == kept || TruncateStream(file, kept);
  SeekTo(file, kept);
  ok = ok && WriteBytes(file, bytes, UNDO_RECORD_SIZE);
  if (!ok) {
    // A record that did not reach the file (a full disk) is cut back off,
    // so the file holds whole records only, and is not counted.
    TruncateStream(file, kept);
    CloseFile(file);
    ShowMessage("Can't write " + UndoPath);
    return;
  }
  CloseFile(file);
  UndoRecordCount += 1;
}

int UndoMove() {
  if (UndoRecordCount < 2) return 0;
  UndoRecordCount -= 1;
  const int64_t kept = static_cast<int64_t>(UndoRecordCount) * UNDO_RECORD_SIZE;

  Stream* file = OpenUpdate(UndoPath);
  if (file == nullptr) {
    ShowMessage("Can't read " + UndoPath);
    return 0;
  }
  Record bytes;
  if (StreamLength(file) < kept || !ReadRecord(file, UndoRecordCount - 1, bytes)) {
    ShowMessage(UndoPath + " size error !");
    CloseFile(file);
    return 0;
  }
  if (IsEmptyRecord(bytes)) {
    // Only the winning step leaves an empty board, and nothing follows it:
    // an empty record with records after it is damage, not a board to go
    // back to. The history starts again from the board as it is.
    CloseFile(file);
    ShowMessage(UndoPath + " size error !");
    ResetUndo();
    return 0;
  }
  // Shortening the file in place takes back the last record at once,
  // whatever the length of the history.
  if (!TruncateStream(file, kept)) {
    CloseFile(file);
    UndoRecordCount += 1;
    ShowMessage("Can't write " + UndoPath);
    return 0;
  }
  CloseFile(file);
  PlaceRecord(bytes);
  PlayEffect(UndoSound);
  return 1;
}

void LoadUndoRecord(Stream* stream) {
  Record bytes = {};
  ReadBytes(stream, bytes, UNDO_RECORD_SIZE);
  PlaceRecord(bytes);
}

void ResetUndo() {
  DeleteUndoFile();
  PushUndo();
}

int ResumeFromUndo() {
  Stream* in = OpenRead(UndoPath);
  if (in == nullptr) return 0;
  // Only whole records count: the bytes of a record torn by a crash or a
  // full disk are not a board.
  const int count = WholeRecords(StreamLength(in));
  Record bytes;
  const bool read = count > 0 && ReadRecord(in, count - 1, bytes);
  CloseFile(in);
  // An empty last board would be a level won without play.
  if (!read || IsEmptyRecord(bytes)) return 0;
  UndoRecordCount = count;
  PlaceRecord(bytes);
  return 1;
}

bool ReadFirstUndoRecord(uint8_t bytes[UNDO_RECORD_SIZE]) {
  Stream* in = OpenRead(UndoPath);
  if (in == nullptr) return false;
  const bool read = WholeRecords(StreamLength(in)) > 0 && ReadRecord(in, 0, bytes);
  CloseFile(in);
  return read;
}

bool UndoHistoryWon() {
  Stream* in = OpenRead(UndoPath);
  if (in == nullptr) return false;
  const int count = WholeRecords(StreamLength(in));
  Record bytes;
  const bool won = count > 1 && ReadRecord(in, count - 1, bytes) && IsEmptyRecord(bytes);
  CloseFile(in);
  return won;
}

void CountUndoRecords() {
  UndoRecordCount = 0;
  Stream* in = OpenRead(UndoPath);
  if (in == nullptr) return;
  UndoRecordCount = WholeRecords(StreamLength(in));
  CloseFile(in);
}

void DeleteUndoFile() {
  UndoRecordCount = 0;
  DeleteFileAt(UndoPath);
}
