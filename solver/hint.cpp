#include "solver/hint.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/pointer.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "menus/text_box.h"
#include "play/play_input.h"
#include "play/undo.h"

T_HINT Hint;
int64_t HintSearchMs = 1000;

namespace {

// The key of the message, and its English text for a language file of the
// player's own that does not carry it.
const char* const NO_SOLUTION_KEY = "No Solution";
const char* const NO_SOLUTION_ENGLISH = "No way out from here: undo a few moves";
const char* const NO_HINT_KEY = "No Hint";
const char* const NO_HINT_ENGLISH = "No hint found";

// The search asked for, or none.
std::unique_ptr<T_SOLVER> Search;
// The search started on its own from a level's start board, so that the
// first hints of a level answer at once, and the board it started from.
std::unique_ptr<T_SOLVER> Background;
KindCells BackgroundBoard{};
// The last solution found: the board before each of its steps, and the
// step. While the board stays on it, a hint shows its next step at once.
std::vector<KindCells> PathBoards;
std::vector<SolverMove> PathMoves;

void KeepPath(KindCells board, const std::vector<SolverMove>& moves) {
  PathBoards.clear();
  PathMoves = moves;
  for (const SolverMove& m : moves) {
    PathBoards.push_back(board);
    board = ApplyMove(board, m);
  }
}

int StepOnPath(const KindCells& board) {
  for (size_t i = 0; i < PathBoards.size(); ++i) {
    if (PathBoards[i] == board) return static_cast<int>(i);
  }
  return -1;
}

void ShowStep(const SolverMove& move) {
  Hint.Move = move;
  Hint.ShowStart = Frame.Now;
  Hint.State = HINT_SHOWING;
}

// A slice of the search from the level's start board while no hint is
// asked for; it starts once on a fresh level whose solution is not known.
void RunBackground(const KindCells& board) {
  if (!Background && UndoRecordCount <= 1 && board != BackgroundBoard && StepOnPath(board) < 0 &&
      !BoardEmpty(board)) {
    Background = std::make_unique<T_SOLVER>();
    BackgroundBoard = board;
    // Bounded by states only: it runs while the player thinks, and every
    // machine comes to the same solution.
    SolverBudget budget;
    budget.MaxMilliseconds = INT64_MAX;
    Background->Start(board, budget);
  }
  if (!Background) return;
  const SolveStatus status = Background->Run(BACKGROUND_SLICE_STATES);
  if (status == SolveStatus::Searching) return;
  if (status == SolveStatus::Solved) KeepPath(BackgroundBoard, Background->Solution());
  Background.reset();
}

}  // namespace

SolverBudget HintBudget() {
  SolverBudget budget;
  budget.MaxStates = 140000;
  budget.MaxMilliseconds = HintSearchMs;
  budget.Beam = 300;  // a narrower beam, to answer within the second
  budget.RefineStates = 0;
  budget.ShortcutStates = 0;
  return budget;
}

std::string NoSolutionText() { return GetTextOr(NO_SOLUTION_KEY, NO_SOLUTION_ENGLISH); }

std::string NoHintText() { return GetTextOr(NO_HINT_KEY, NO_HINT_ENGLISH); }

void RequestHint() {
  Hint.Board = KindCellsOfBoard();
  const int step = StepOnPath(Hint.Board);
  if (step >= 0) {
    ShowStep(PathMoves[step]);
    return;
  }
  // A few steps off the solution: the way back onto it, then the rest of it.
  std::vector<SolverMove> way;
  const int join = PathBoards.empty() ? -1 : WayToPath(Hint.Board, PathBoards, HINT_RETURN_STATES, way);
  if (join >= 0 && !way.empty()) {
    way.insert(way.end(), PathMoves.begin() + join, PathMoves.end());
    KeepPath(Hint.Board, way);
    ShowStep(PathMoves.front());
    return;
  }
  if (Background && BackgroundBoard == Hint.Board) {
    Search = std::move(Background);  // already under way from this board
    BackgroundBoard = {};
  } else {
    // The search runs in slices between frames, so it never holds a frame
    // up; it gives up after about a second of processor time.
    Search = std::make_unique<T_SOLVER>();
    Search->Start(Hint.Board, HintBudget());
    // A way onto the last solution found, however far, ends it at once.
    Search->SetGoalPath(PathBoards, PathMoves);
  }
  Hint.State = HINT_SEARCHING;
}

void ForgetHintSolution() {
  PathBoards.clear();
  PathMoves.clear();
  Background.reset();
  BackgroundBoard = {};
}

void CancelHint() {
  Search.reset();
  if (Background) BackgroundBoard = {};  // interrupted: it starts again on that board
  Background.reset();
  Hint.State = HINT_IDLE;
}

void UpdateHint() {
  if (Hint.State == HINT_IDLE) {
    RunBackground(KindCellsOfBoard());
    return;
  }
  // A move, an undo or a new level makes the hint stale.
  if (KindCellsOfBoard() != Hint.Board) {
    CancelHint();
    return;
  }
  if (Hint.State == HINT_SHOWING) {
    if (Frame.Now - Hint.ShowStart >= HINT_SHOW_MS) Hint.State = HINT_IDLE;
    return;
  }
  SolveStatus status = Search->Run(HINT_SLICE_STATES);
  // The player waits: a whole solution known while the search still makes
  // it shorter (one taken over from the level's start) answers now.
  if (status == SolveStatus::Searching && Search->SolutionKnown()) status = SolveStatus::Solved;
  if (status == SolveStatus::Searching) return;
  if (status == SolveStatus::Solved) KeepPath(Hint.Board, Search->Solution());
  Search.reset();
  Hint.State = HINT_IDLE;
  switch (status) {
    case SolveStatus::Searching: return;
    case SolveStatus::Solved:
      if (!PathMoves.empty()) ShowStep(PathMoves.front());  // an empty board has nothing to show
      return;
    case SolveStatus::NoSolution: ShowBoardMessage(NoSolutionText()); return;
    case SolveStatus::GaveUp: ShowBoardMessage(NoHintText()); return;
  }
}

void DrawHint() {
  if (Hint.State != HINT_SHOWING || BlockSize <= 0) return;
  // Out one cell in the first half, back in the second; pressed meanwhile.
  const int64_t t = Frame.Now - Hint.ShowStart;
  const int64_t half = HINT_SHOW_MS / 2;
  const int64_t along = t < half ? t : HINT_SHOW_MS - t;
  const int x0 = (Hint.Move.Cell % 10) * BlockSize + HalfCell;
  const int y0 = (Hint.Move.Cell / 10) * BlockSize + HalfCell;
  const int x = x0 + static_cast<int>(Hint.Move.Dx * BlockSize * along / half);
  const int y = y0 + static_cast<int>(Hint.Move.Dy * BlockSize * along / half);
  DrawPointerAt(PressedPointerImage, x, y);
}
