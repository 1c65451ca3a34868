// The block list, the kind and block grids, and the operations that create,
// place and locate blocks.
#include "board/block.h"

#include "app/display.h"
#include "board/tile_styles.h"
#include "effects/effects.h"
#include "play/play_input.h"

BlockList Blocks;
int KindGrid[10][8] = {};
T_BLOCK* BlockGrid[10][8] = {};

namespace {

bool OnBoard(int x, int y) { return x >= 0 && x < BOARD_COLUMNS && y >= 0 && y < BOARD_ROWS; }

// The grids start out empty: -1 everywhere, set before main() runs.
struct EmptyGridsAtStart {
  EmptyGridsAtStart() { ClearGrids(); }
} emptyGridsAtStart;

}  // namespace

T_BLOCK* T_BLOCK::addBlock(int x, int y, int kind) {
  auto owned = std::make_unique<T_BLOCK>();
  T_BLOCK* block = owned.get();
  block->XMap = x;
  block->YMap = y;
  block->Kind = kind;
  block->FXMode = KindFXMode(kind);
  block->X = x * BlockSize;
  block->Y = y * BlockSize;
  Blocks.push_back(std::move(owned));
  if (block->FXMode != 0) T_PARTICLE::AddParticles(block, block->FXMode, 3);
  if (OnBoard(x, y)) {
    KindGrid[x][y] = kind;
    BlockGrid[x][y] = block;
  }
  return block;
}

bool T_BLOCK::CheckIn(int x, int y) const { return XMap == x && YMap == y; }

void T_BLOCK::SetMenu(const std::string& text, int menuId) {
  Text = text;
  Menu = menuId;
}

void T_BLOCK::PosAllBlocks() {
  for (auto& b : Blocks) {
    b->X = b->XMap * BlockSize;
    b->Y = b->YMap * BlockSize;
  }
}

T_BLOCK* BlockAt(int x, int y) { return OnBoard(x, y) ? BlockGrid[x][y] : nullptr; }

void ClearGrids() {
  for (int x = 0; x < BOARD_COLUMNS; x++) {
    for (int y = 0; y < BOARD_ROWS; y++) {
      KindGrid[x][y] = -1;
      BlockGrid[x][y] = nullptr;
    }
  }
}

void RebuildGrids() {
  ClearGrids();
  for (auto& b : Blocks) {
    if (!OnBoard(b->XMap, b->YMap)) continue;
    KindGrid[b->XMap][b->YMap] = b->Kind;
    BlockGrid[b->XMap][b->YMap] = b.get();
  }
}

void ClearBoard() {
  Particles.clear();
  Blocks.clear();
  ClearGrids();
  // Nothing on the board can be held any more.
  GrabbedBlock = nullptr;
}

void RemoveBlock(T_BLOCK* block) {
  if (!block) return;
  // No particle, grid cell or grab may keep pointing at a block that ends.
  T_PARTICLE::RemoveParticle(block);
  for (int x = 0; x < BOARD_COLUMNS; x++) {
    for (int y = 0; y < BOARD_ROWS; y++) {
      if (BlockGrid[x][y] == block) {
        BlockGrid[x][y] = nullptr;
        KindGrid[x][y] = -1;
      }
    }
  }
  if (GrabbedBlock == block) GrabbedBlock = nullptr;
  for (auto it = Blocks.begin(); it != Blocks.end(); ++it) {
    if (it->get() == block) {
      Blocks.erase(it);
      return;
    }
  }
}
