#include "menus/editor.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/main_loop.h"
#include "board/block.h"
#include "levels/level_bank.h"
#include "levels/level_code.h"
#include "levels/level_par.h"
#include "levels/share_screens.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "persistence/custom_levels.h"
#include "solver/solver.h"

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
// The test run under way, a slice of it in each frame so that the editor
// keeps drawing; and whether the level is saved when it finds a solution.
std::unique_ptr<T_SOLVER> Tester;
bool SaveWhenTested = false;
// States a test run searches per frame: a few milliseconds.
constexpr int64_t TEST_SLICE_STATES = 1000;

// Any test run under way stops: the board it was for changed.
void StopTestRun() {
  Tester.reset();
  SaveWhenTested = false;
  TestedPar = -1;
  Message.clear();
}

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
  StopTestRun();
  SaveEditorDraft(EditorCells);
  ShowCells();
}

// The next colour, then empty after the last.
void TurnCell(int cell) { SetCell(cell, EditorCells[cell] + 1 >= KINDS ? -1 : EditorCells[cell] + 1); }

void Undo() {
  if (History.empty()) return;
  EditorCells = History.back();
  History.pop_back();
  StopTestRun();
  SaveEditorDraft(EditorCells);
  ShowCells();
}

void Save() {
  Message = AddCustomLevel(EditorCells, TestedPar) ? GetText("Editor Saved") : GetText("Editor Not Saved");
}

// A slice of the test run; its answer once it ends (a level waiting to be
// saved is saved when it has a solution).
void RunTest() {
  if (!Tester) return;
  const SolveStatus status = Tester->Run(TEST_SLICE_STATES);
  if (status == SolveStatus::Searching) return;
  TestedPar = status == SolveStatus::Solved ? SolutionSteps(Tester->Solution()) : -1;
  Tester.reset();
  Message = TestedPar >= 0 ? GetText("Editor Solvable") + " " + std::to_string(TestedPar)
                           : GetText("Editor Unsolvable");
  if (SaveWhenTested && TestedPar >= 0) Save();
  SaveWhenTested = false;
}

// Starts the test run (its first slice at once: a small board answers
// within the key's frame).
void TestRun(bool save) {
  if (Tester) {
    SaveWhenTested = SaveWhenTested || save;
    return;
  }
  if (BoardEmpty(EditorCells)) {
    Message = GetText("Editor Empty");
    return;
  }
  Tester = std::make_unique<T_SOLVER>();
  // Bounded by states only, as the par of a level: every machine finds
  // the same par.
  SolverBudget budget;
  budget.MaxMilliseconds = INT64_MAX;
  Tester->Start(EditorCells, budget);
  SaveWhenTested = save;
  Message = GetTextOr("Editor Testing", "Testing...");
  RunTest();
}

}  // namespace

void EnterEditor() {
  ScreenState = SCREEN_EDITOR;
  LoadSideBarIcons(ICON_SET_SUB_SCREEN);
  ReturnState = SCREEN_MAIN_MENU;
  BoardLevel = -1;
  LoadEditorDraft(EditorCells);
  History.clear();
  StopTestRun();
  ShowCells();
}

void EditLevelCells(const KindCells& cells) {
  SetScreen(SCREEN_EDITOR);
  History.push_back(EditorCells);
  EditorCells = cells;
  StopTestRun();
  SaveEditorDraft(EditorCells);
  ShowCells();
}

void UpdateEditor() {
  RunTest();
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
  if ((key == 'S' || test) && TestedPar >= 0) {
    Save();
  } else if (key == 'S' || test) {
    TestRun(key == 'S');
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
  // The code (or the last message) above the keys' help, each narrowed to
  // the board's width when a language's words run longer.
  DrawFootLine(Message.empty() ? GetText("Code") + " " + LevelCode(EditorCells) : Message, 2);
  DrawFootLine(GetText("Editor Help"), 1);
}

const std::string& EditorMessage() { return Message; }
