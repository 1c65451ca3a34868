// The shape table and the shaping of blocks from their same-kind neighbours.
#include "board/shape_table.h"

#include "app/display.h"
#include "board/block.h"
#include "media/media.h"

uint8_t ShapeTable[256][4] = {};

void LoadShapeTable(const std::string& path) {
  Stream* in = OpenRead(path);
  if (!in) {
    ShowMessage("error reading " + path);
    return;
  }
  for (int m = 0; m < 256; m++) {
    for (int q = 0; q < 4; q++) {
      const int v = ReadUInt8(in);
      // A short file leaves the missing entries at frame 0.
      ShapeTable[m][q] = static_cast<uint8_t>(v < 0 ? 0 : v);
    }
  }
  CloseFile(in);
}

int NeighbourMask(int x, int y, int kind) {
  // Bit order: N, NE, E, SE, S, SW, W, NW.
  static const int DX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  static const int DY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  int mask = 0;
  for (int bit = 0; bit < 8; bit++) {
    const int nx = x + DX[bit];
    const int ny = y + DY[bit];
    if (nx < 0 || nx >= BOARD_COLUMNS || ny < 0 || ny >= BOARD_ROWS) continue;
    if (KindGrid[nx][ny] == kind) mask |= 1 << bit;
  }
  return mask;
}

void T_BLOCK::ShapeBlock() {
  const int mask = NeighbourMask(XMap, YMap, Kind);
  for (int q = 0; q < 4; q++) Frame[q] = ShapeTable[mask][q];
  X = XMap * BlockSize;
  Y = YMap * BlockSize;
}

void T_BLOCK::ShapeAllBlocks() {
  for (auto& b : Blocks) b->ShapeBlock();
}
