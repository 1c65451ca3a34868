// The selection: the shape of a grabbed block found by a flood fill, moved
// as one unit, and the completion test of its kind.
#include "app/display.h"
#include "app/frame_input.h"
#include "board/block.h"
#include "effects/effects.h"

void T_BLOCK::InitRecursiveSelect() {
  for (auto& b : Blocks) b->FlagSelect = 0;
}

void T_BLOCK::RecursiveSelect() {
  ShapeBlock();
  FlagSelect = 1;
  // East, west, south, north; depth first.
  static const int DX[4] = {1, -1, 0, 0};
  static const int DY[4] = {0, 0, 1, -1};
  for (int d = 0; d < 4; d++) {
    T_BLOCK* next = BlockAt(XMap + DX[d], YMap + DY[d]);
    if (next && next->FlagSelect == 0 && next->Kind == Kind) next->RecursiveSelect();
  }
}

int T_BLOCK::CountSelected() {
  int n = 0;
  for (auto& b : Blocks) n += b->FlagSelect != 0;
  return n;
}

void T_BLOCK::SelectAllSameColor(int kind) {
  for (auto& b : Blocks) {
    if (b->Kind == kind) b->FlagSelect = 1;
  }
}

int T_BLOCK::CheckCompleteBlock() const {
  for (auto& b : Blocks) {
    if (b->FlagSelect == 0 && b->Kind == Kind) return 0;
  }
  return 1;
}

void T_BLOCK::SetSelectedCoorsOffset(int dx, int dy) {
  for (auto& b : Blocks) {
    if (b->FlagSelect == 0) continue;
    b->XMap += dx;
    b->YMap += dy;
    b->X = b->XMap * BlockSize;
    b->Y = b->YMap * BlockSize;
  }
}

void T_BLOCK::SetSelectedBlocksTimer(int64_t delay) {
  for (auto& b : Blocks) {
    if (b->FlagSelect != 0) b->Timer = ::Frame.Now + delay;
  }
}

void T_BLOCK::DeleteSelectedBlocks() {
  for (auto it = Blocks.begin(); it != Blocks.end();) {
    T_BLOCK* b = (it++)->get();
    if (b->FlagSelect != 0) RemoveBlock(b);
  }
}
