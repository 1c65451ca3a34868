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

// Byte of one cell: 0 for an empty cell or a block that is vanishing (so an
// undo never brings an exploded block back), else the kind + 1.
int CellByte(int x, int y) {
  const T_BLOCK* block = BlockGrid[x][y];
  if (block == nullptr || block->Timer != 0) return 0;
  return block->Kind + 1;
}

// Replaces the board by the record's blocks, shaped and unselected.
void PlaceRecord(const uint8_t* bytes) {
  // Any hold refers to blocks that are about to end.
  ReleaseGrab();
  ClearBoard();
  for (int i = 0; i < UNDO_RECORD_SIZE; ++i) {
    if (bytes[i] > 0) T_BLOCK::addBlock(i % 10, i / 10, bytes[i] - 1);
  }
  T_BLOCK::ShapeAllBlocks();
}

std::string TemporaryPath() { return UndoPath + "_t"; }

// Writes the bytes to the temporary file and moves it over the undo file in
// one rename, so a failure at any point leaves the undo file untouched.
bool ReplaceUndoFile(const std::vector<uint8_t>& bytes) {
  const std::string temporary = TemporaryPath();
  Stream* out = OpenWrite(temporary);
  if (out == nullptr) return false;
  for (uint8_t b : bytes) WriteUInt8(out, b);
  if (!CloseFile(out) || !RenameFileTo(temporary, UndoPath)) {
    DeleteFileAt(temporary);
    return false;
  }
  return true;
}

}  // namespace

void PushUndo() {
  Stream* file = OpenUpdate(UndoPath);
  if (file == nullptr) file = OpenWrite(UndoPath);
  if (file == nullptr) {
    ShowMessage("Can't write " + UndoPath);
    return;
  }
  SeekTo(file, UndoRecordCount * UNDO_RECORD_SIZE);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) WriteUInt8(file, CellByte(x, y));
  }
  // A record that did not reach the disk is not counted.
  if (!CloseFile(file)) {
    ShowMessage("Can't write " + UndoPath);
    return;
  }
  UndoRecordCount += 1;
}

int UndoMove() {
  if (UndoRecordCount < 2) return 0;
  UndoRecordCount -= 1;
  const int keptBytes = UndoRecordCount * UNDO_RECORD_SIZE;

  Stream* in = OpenRead(UndoPath);
  if (in == nullptr) {
    ShowMessage("Can't read " + UndoPath);
    return 0;
  }
  if (StreamLength(in) < keptBytes) {
    ShowMessage(UndoPath + " size error !");
    CloseFile(in);
    return 0;
  }
  std::vector<uint8_t> kept(keptBytes);
  for (int i = 0; i < keptBytes; ++i) kept[i] = static_cast<uint8_t>(ReadUInt8(in));
  CloseFile(in);

  if (!ReplaceUndoFile(kept)) {
    // The history is still whole on disk: keep the board and the count.
    UndoRecordCount += 1;
    ShowMessage("Can't write " + TemporaryPath());
    return 0;
  }
  PlaceRecord(kept.data() + keptBytes - UNDO_RECORD_SIZE);
  PlayEffect(UndoSound);
  return 1;
}

void LoadUndoRecord(Stream* stream) {
  Record bytes;
  for (int i = 0; i < UNDO_RECORD_SIZE; ++i) {
    const int b = ReadUInt8(stream);
    bytes[i] = static_cast<uint8_t>(b < 0 ? 0 : b);
  }
  PlaceRecord(bytes);
}

void ResetUndo() {
  DeleteUndoFile();
  PushUndo();
}

int ResumeFromUndo() {
  Stream* in = OpenRead(UndoPath);
  if (in == nullptr) return 0;
  const int length = StreamLength(in);
  if (length < UNDO_RECORD_SIZE) {
    CloseFile(in);
    return 0;
  }
  UndoRecordCount = length / UNDO_RECORD_SIZE;
  SeekTo(in, length - UNDO_RECORD_SIZE);
  LoadUndoRecord(in);
  CloseFile(in);
  return 1;
}

void CountUndoRecords() {
  UndoRecordCount = 0;
  Stream* in = OpenRead(UndoPath);
  if (in == nullptr) return;
  const int length = StreamLength(in);
  if (length >= UNDO_RECORD_SIZE) UndoRecordCount = length / UNDO_RECORD_SIZE;
  CloseFile(in);
}

void DeleteUndoFile() {
  UndoRecordCount = 0;
  DeleteFileAt(UndoPath);
}
