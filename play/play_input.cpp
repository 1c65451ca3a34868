#include "play/play_input.h"

#include <cstdlib>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/settings.h"
#include "board/block.h"
#include "board/tile_styles.h"
#include "effects/effects.h"
#include "levels/level_lifecycle.h"
#include "levels/random_play.h"
#include "media/media.h"
#include "menus/screens.h"
#include "play/move_rule.h"
#include "play/undo.h"
#include "solver/hint.h"

T_BLOCK* GrabbedBlock = nullptr;
int DraggingFlag = 0;
int PressCellX = 0, PressCellY = 0;
int64_t PressTime = 0;
int DragAnchorX = 0, DragAnchorY = 0;
int KeyboardMode = 0;
int KeyboardCursorX = 0, KeyboardCursorY = 0;
int HoveredMenu = -1;
int PendingAction = 0;
bool ExitScrollOn = false;
int64_t ExitScrollStart = 0;
int ExitScrollOffset = 0;
int SlideSoundChannel = 0;
TransientMessage Message;

const int DIR_DX[4] = {1, 0, -1, 0};
const int DIR_DY[4] = {0, 1, 0, -1};

namespace {

constexpr int64_t EXPLOSION_DELAY_MS = 300;
constexpr int64_t QUICK_CLICK_MS = 400;

bool OnBoard(int x, int y) { return x >= 0 && x < 10 && y >= 0 && y < 8; }

int Sign(int v) { return (v > 0) - (v < 0); }

// A grabbed block that has left the board (it vanished after its explosion,
// or the board was rebuilt) must not be touched again.
void ForgetVanishedGrab() {
  if (GrabbedBlock == nullptr) {
    DraggingFlag = 0;  // the board was cleared under the drag
    return;
  }
  for (const auto& block : Blocks) {
    if (block.get() == GrabbedBlock) return;
  }
  GrabbedBlock = nullptr;
  DraggingFlag = 0;
}

void SelectShapeOf(T_BLOCK* block) {
  T_BLOCK::InitRecursiveSelect();
  block->RecursiveSelect();
}

void ExplodeSelection(int dx, int dy) {
  T_FX::ExplodeSelectedBlocks(EXPLOSION_DELAY_MS, dx, dy);
  BurstSelectedBlocks(EXPLOSION_DELAY_MS);
  T_BLOCK::SetSelectedBlocksTimer(EXPLOSION_DELAY_MS);
}

// Counts UTF-8 characters, not bytes.
int CharacterCount(const std::string& text) {
  int count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

void PressBlockUnderPointer(int cx, int cy, bool onBoard) {
  KeyboardMode = 0;
  T_BLOCK* block = onBoard ? BlockAt(cx, cy) : nullptr;
  if (block == nullptr) return;
  GrabbedBlock = block;
  if (block->Timer != 0) return;
  PressCellX = DragAnchorX = block->XMap;
  PressCellY = DragAnchorY = block->YMap;
  PressTime = Frame.Now;
  SelectShapeOf(block);
  DraggingFlag = 1;
}

void UpdateHover(int cx, int cy, bool onBoard) {
  const T_BLOCK* block = onBoard ? BlockAt(cx, cy) : nullptr;
  if (block == nullptr) {
    HoveredMenu = -1;
    return;
  }
  if (block->Menu == 0) return;
  if (block->Text.empty()) {
    HoveredMenu = -1;
  } else if (HoveredMenu != block->Menu) {
    HoveredMenu = block->Menu;
    PlayEffect(HoverSound);
  }
}

// One frame of a held drag: a step towards the pointer, one cell at most.
void FollowPointer(int cx, int cy, int& dx, int& dy) {
  const int ox = cx - DragAnchorX;
  const int oy = cy - DragAnchorY;
  if (ox != 0 || oy != 0) {
    if (std::abs(ox) > std::abs(oy)) {
      dx = Sign(ox);
    } else {
      dy = Sign(oy);
    }
  }
  if (!TryMoveGroup(dx, dy)) {
    // After running into an obstacle the shape may be held by any block.
    T_BLOCK* under = BlockAt(cx, cy);
    if (under != nullptr && under->FlagSelect) {
      GrabbedBlock = under;
      DragAnchorX = cx;
      DragAnchorY = cy;
    }
    return;
  }
  if (GrabbedBlock == nullptr) return;
  // Only a step records a board; the anchor moves with it.
  if ((dx != 0 || dy != 0) && ScreenState == SCREEN_PLAY) PushUndo();
  DragAnchorX += dx;
  DragAnchorY += dy;
}

bool IsQuickCaptionClick() {
  const T_BLOCK* b = GrabbedBlock;
  return b != nullptr && ScreenState != SCREEN_PLAY && PendingAction == 0 &&
         b->XMap == PressCellX && b->YMap == PressCellY &&
         Frame.Now - PressTime < QUICK_CLICK_MS && !b->Text.empty() && b->Menu != -1;
}

void EndDrag(int dx, int dy) {
  if (IsQuickCaptionClick()) {
    PlayEffect(ClickSound);
    PlayEffect(ExplosionSound);
    T_BLOCK::SelectAllSameColor(GrabbedBlock->Kind);
    ExplodeSelection(dx, dy);
    ChooseGrabbedMenu();
  }
  T_BLOCK::InitRecursiveSelect();
  GrabbedBlock = nullptr;
}

void HideCustomCursor() {
  if (CustomCursor) {
    CustomCursor = false;
    ShowSystemPointer();
  }
}

void ConfirmKey() {
  HideCustomCursor();
  if (KeyboardMode == 0) {
    KeyboardMode = 1;
    if (ScreenState != SCREEN_PLAY) {
      if (ResumeFromUndo()) {
        StartLevel(0);
      } else {
        NextLevel();
      }
    }
  } else if (KeyboardMode == 1) {
    T_BLOCK* block = BlockAt(KeyboardCursorX, KeyboardCursorY);
    if (block == nullptr) {
      if (Fragments.empty()) UndoMove();
      return;
    }
    GrabbedBlock = block;
    if (block->Timer == 0) {
      SelectShapeOf(block);
      KeyboardMode = 2;
    }
  } else {
    T_BLOCK::InitRecursiveSelect();
    GrabbedBlock = nullptr;
    KeyboardMode = 1;
  }
}

// A game controller was connected: keyboard play on, as the first Enter
// turns it on, without Enter's other effects. Only board screens play with
// the cursor, so a pad connected elsewhere shows it on the next one.
void ShowCursorForNewGamepad() {
  if (!GamepadArrived()) return;
  HideCustomCursor();
  if (KeyboardMode == 0) KeyboardMode = 1;
}

bool IsUndoKey(int c) { return c == 'u' || c == 'U' || c == KEY_BACKSPACE; }

// An undo lets go of the shape the keyboard holds.
void UndoKey() {
  if (KeyboardMode != 0) {
    T_BLOCK::InitRecursiveSelect();
    GrabbedBlock = nullptr;
    KeyboardMode = 1;
  }
  UndoMove();
}

}  // namespace

int CellBlocked(int x, int y) {
  if (!OnBoard(x, y)) return 1;
  if (KindGrid[x][y] == -1) return 0;
  const T_BLOCK* block = BlockGrid[x][y];
  return (block == nullptr || !block->FlagSelect) ? 1 : 0;
}

int GroupBlocked(int dx, int dy) {
  CellSet selection;
  for (const auto& block : Blocks) {
    if (!block->FlagSelect) continue;
    if (!OnBoard(block->XMap, block->YMap)) {
      // A block off the grid is not in the kind grid: its target is checked alone.
      if (CellBlocked(block->XMap + dx, block->YMap + dy)) return 1;
      continue;
    }
    selection.set(block->YMap * 10 + block->XMap);
  }
  return ShapeStepBlocked(KindCellsOfBoard(), selection, dx, dy) ? 1 : 0;
}

int TryMoveGroup(int dx, int dy) {
  ForgetVanishedGrab();
  // A shape in its explosion countdown is on its way out and stays put.
  if (GrabbedBlock == nullptr || GrabbedBlock->Timer != 0) return 0;
  if (GroupBlocked(dx, dy)) return 0;
  GrabbedBlock->SetSelectedCoorsOffset(dx, dy);
  RebuildGrids();

  const int before = T_BLOCK::CountSelected();
  SelectShapeOf(GrabbedBlock);
  if (T_BLOCK::CountSelected() != before) PlayEffect(MergeSound);

  if ((dx != 0 || dy != 0) && SoundFlag &&
      (SlideSoundChannel == 0 || !IsChannelPlaying(SlideSoundChannel))) {
    SlideSoundChannel = PlayEffect(SlideSound);
  }

  if (ScreenState == SCREEN_STYLE) {
    // Nothing completes on the style screen: its steps choose styles.
    StyleApplyStep();
    return 1;
  }
  if (GrabbedBlock->CheckCompleteBlock()) {
    ExplodeSelection(dx, dy);
    PlayEffect(ExplosionSound);
    DraggingFlag = 0;
    if (KeyboardMode != 0) KeyboardMode = 1;
    if (ScreenState != SCREEN_PLAY && PendingAction == 0) ChooseGrabbedMenu();
  }
  return 1;
}

void KeyboardStep(int direction) {
  const int dx = DIR_DX[direction];
  const int dy = DIR_DY[direction];
  if (KeyboardMode == 1) {
    if (OnBoard(KeyboardCursorX + dx, KeyboardCursorY + dy)) {
      KeyboardCursorX += dx;
      KeyboardCursorY += dy;
    }
    return;
  }
  if (!TryMoveGroup(dx, dy)) return;
  // A shape also held by the pointer stays where the key put it: the drag
  // now counts from the pointer's cell, so the pointer does not pull the
  // shape back (nor record a step that did not happen).
  if (DraggingFlag != 0 && BlockSize > 0) {
    DragAnchorX = Frame.PointerX / BlockSize;
    DragAnchorY = Frame.PointerY / BlockSize;
  }
  // The cursor follows the shape; it never leaves the board.
  if (OnBoard(KeyboardCursorX + dx, KeyboardCursorY + dy)) {
    KeyboardCursorX += dx;
    KeyboardCursorY += dy;
  }
  if (ScreenState == SCREEN_PLAY) PushUndo();
}

void UpdatePointerDrag() {
  if (BlockSize <= 0) return;
  const int cx = Frame.PointerX / BlockSize;
  const int cy = Frame.PointerY / BlockSize;
  const bool onBoard = OnBoard(cx, cy);

  if (DraggingFlag == 0) {
    if (Frame.LeftHit) {
      PressBlockUnderPointer(cx, cy, onBoard);
    } else if (!TouchMode) {
      UpdateHover(cx, cy, onBoard);
    }
    return;
  }

  int dx = 0, dy = 0;
  if (!Frame.LeftDown) {
    DraggingFlag = 0;
  } else if (onBoard) {
    FollowPointer(cx, cy, dx, dy);
  }
  if (DraggingFlag == 0) EndDrag(dx, dy);
}

void PlayKey(const KeyPress& press) {
  ForgetVanishedGrab();
  ShowCursorForNewGamepad();
  switch (press.Key) {
    case KEY_RIGHT: KeyboardStep(0); break;
    case KEY_DOWN: KeyboardStep(1); break;
    case KEY_LEFT: KeyboardStep(2); break;
    case KEY_UP: KeyboardStep(3); break;
    case KEY_ENTER:
    case KEY_SPACE: ConfirmKey(); break;
    default: break;
  }
  if (press.Char == 'r' || press.Char == 'R') RestartLevel();
  if (ScreenState != SCREEN_PLAY) return;
  if (IsUndoKey(press.Char)) UndoKey();
  // A hint: the solver's next step from this board, shown by a pointer.
  if (press.Key == KEY_F1 || press.Char == '?') RequestHint();
}

void UpdatePlay() {
  ForgetVanishedGrab();
  ShowCursorForNewGamepad();
  if (ScreenState == SCREEN_PLAY && Frame.RightHit) UndoKey();

  if (ScreenState == SCREEN_PLAY) {
    UpdateHint();
  } else {
    CancelHint();
  }

  // While a random level is made the board is empty and its timer waits;
  // the level starts, timer and all, once its board is placed.
  const bool making = ScreenState == SCREEN_PLAY && MakingRandomLevel();
  if (making && MakeRandomLevelSlice()) StartLevel(1);
  if (making) LevelStartTime = Frame.Now;

  if (ScreenState == SCREEN_PLAY) {
    LevelTimer = Frame.Now - LevelStartTime;
    if (LevelTimer > LEVEL_TIMER_CAP) LevelTimer = LEVEL_TIMER_CAP;
  }

  if (Fragments.empty()) {
    ExitScrollOn = false;
    if (PendingAction == 0 && ScreenState == SCREEN_PLAY && !MakingRandomLevel()) CheckLevelWon();
    if (PendingAction != 0) {
      const int action = PendingAction;
      PendingAction = 0;
      SetScreen(action);
    }
  }

  UpdatePointerDrag();
  T_FX::DoBlocksExplosion();
  T_PARTICLE::DoParticles();
}

void ChooseGrabbedMenu() {
  if (GrabbedBlock == nullptr || GrabbedBlock->Menu == -1) return;
  StartMenuCaption(GrabbedBlock->Menu);
  PendingAction = GrabbedBlock->Menu;
  ExitScrollOn = true;
  ExitScrollStart = Frame.Now + 1000;
  ExitScrollOffset = 0;
}

void StartMenuCaption(int menuId) {
  for (const auto& block : Blocks) {
    if (block->Menu != menuId || block->Text.empty()) continue;
    Message.Text = block->Text;
    Message.CentreX = block->X + (CharacterCount(block->Text) == 1 ? HalfCell : 2 * BlockSize);
    Message.CentreY = block->Y + HalfCell;
    Message.StartTime = Frame.Now + 300;
    Message.EndTime = Frame.Now + 1300;
    Message.Scale = 1.0f;
    Message.Light = KindLightText(block->Kind);
    Message.OnPanel = false;
    return;
  }
}

void ReleaseGrab() {
  T_BLOCK::InitRecursiveSelect();
  GrabbedBlock = nullptr;
  DraggingFlag = 0;
  if (KeyboardMode == 2) KeyboardMode = 1;
}
