#include "menus/editor.h"

#include <algorithm>
#include <vector>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/main_loop.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_code.h"
#include "levels/level_par.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "persistence/custom_levels.h"

KindCells EditorCells = [] {
  KindCells empty;
  empty.fill(-1);
  return empty;
}();
int EditorCursorX = 0, EditorCursorY = 0;

namespace {

constexpr int KINDS = 6;
constexpr size_t UNDO_KEPT = 500;

std::vector<KindCells> History;
std::string Message;
// The par found by the last test run of the board as it is now; -1: none.
int TestedPar = -1;

void ShowCells() {
  ClearBoard();
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (EditorCells[c] >= 0) T_BLOCK::addBlock(c % GRID_COLUMNS, c / GRID_COLUMNS, EditorCells[c]);
  }
  T_BLOCK::ShapeAllBlocks();
}

void SetCell(int cell, int kind) {
  if (cell < 0 || cell >= GRID_CELLS || EditorCells[cell] == kind) return;
  if (History.size() >= UNDO_KEPT) History.erase(History.begin());
  History.push_back(EditorCells);
  EditorCells[cell] = static_cast<int8_t>(kind);
  TestedPar = -1;
  Message.clear();
  SaveEditorDraft(EditorCells);
  ShowCells();
}

// The next colour, then empty after the last.
void TurnCell(int cell) { SetCell(cell, EditorCells[cell] + 1 >= KINDS ? -1 : EditorCells[cell] + 1); }

void Undo() {
  if (History.empty()) return;
  EditorCells = History.back();
  History.pop_back();
  TestedPar = -1;
  Message.clear();
  SaveEditorDraft(EditorCells);
  ShowCells();
}

void TestRun() {
  if (BoardEmpty(EditorCells)) {
    Message = GetText("Editor Empty");
    return;
  }
  TestedPar = SolvePar(EditorCells);
  Message = TestedPar >= 0 ? GetText("Editor Solvable") + " " + std::to_string(TestedPar)
                           : GetText("Editor Unsolvable");
}

void Save() {
  if (TestedPar < 0) TestRun();
  if (TestedPar < 0) return;
  Message = AddCustomLevel(EditorCells, TestedPar) ? GetText("Editor Saved") : GetText("Editor Not Saved");
}

}  // namespace

void EnterEditor() {
  ScreenState = SCREEN_EDITOR;
  LoadSideBarIcons(ICON_SET_SUB_SCREEN);
  ReturnState = SCREEN_MAIN_MENU;
  BoardLevel = -1;
  LoadEditorDraft(EditorCells);
  History.clear();
  TestedPar = -1;
  Message.clear();
  ShowCells();
}

void EditLevelCells(const KindCells& cells) {
  SetScreen(SCREEN_EDITOR);
  History.push_back(EditorCells);
  EditorCells = cells;
  SaveEditorDraft(EditorCells);
  ShowCells();
}

void UpdateEditor() {
  if (Frame.LeftHit && PointerInBoard()) {
    TurnCell(GRID_COLUMNS * (Frame.PointerY / BlockSize) + Frame.PointerX / BlockSize);
    Frame.LeftHit = 0;
  }
  if (Frame.RightHit) Undo();
}

void EditorKey(const KeyPress& press) {
  const int key = press.Key;
  EditorCursorX = std::clamp(EditorCursorX + (key == KEY_RIGHT) - (key == KEY_LEFT), 0, GRID_COLUMNS - 1);
  EditorCursorY = std::clamp(EditorCursorY + (key == KEY_DOWN) - (key == KEY_UP), 0, GRID_ROWS - 1);
  const int cursor = GRID_COLUMNS * EditorCursorY + EditorCursorX;
  if (key == KEY_ENTER || key == KEY_SPACE) TurnCell(cursor);
  if (key >= '0' && key <= '0' + KINDS) SetCell(cursor, key - '0' - 1);
  if (key == 'U' || key == KEY_BACKSPACE) Undo();
  const bool test = key == 'T' || key == 'R';
  if (key == 'S' || (test && TestedPar >= 0)) {
    Save();
  } else if (test) {
    TestRun();
  }
}

void DrawEditor() {
  const float cell = static_cast<float>(BlockSize);
  SetBlendMode(BLEND_ALPHA);
  // The grid, faint, so that empty cells can be aimed at.
  SetDrawColour(255, 255, 255);
  SetDrawAlpha(0.15f);
  for (int x = 1; x < GRID_COLUMNS; ++x) FillRect(cell * static_cast<float>(x), 0, 1, cell * GRID_ROWS);
  for (int y = 1; y < GRID_ROWS; ++y) FillRect(0, cell * static_cast<float>(y), cell * GRID_COLUMNS, 1);
  // The keyboard's cursor.
  SetDrawAlpha(0.35f);
  FillRect(cell * static_cast<float>(EditorCursorX), cell * static_cast<float>(EditorCursorY), cell, cell);
  SetDrawAlpha(1);
  SelectFont(SmallFont);
  const int h = FontHeight();
  const std::string lines[2] = {Message.empty() ? GetText("Code") + " " + LevelCode(EditorCells) : Message,
                                GetText("Editor Help")};
  for (int i = 0; i < 2; ++i) {
    const float y = cell * GRID_ROWS - static_cast<float>((h + 6) * (2 - i));
    SetDrawColour(0, 0, 0);
    SetDrawAlpha(0.6f);
    FillRect(0, y - 3, cell * GRID_COLUMNS, static_cast<float>(h + 6));
    SetDrawAlpha(1);
    SetDrawColour(255, 255, 255);
    DrawString(lines[i], 10, y);
  }
  SelectFont(nullptr);
}

const std::string& EditorMessage() { return Message; }
