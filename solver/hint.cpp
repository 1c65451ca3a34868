#include "solver/hint.h"

#include <limits>
#include <memory>
#include <string>

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/pointer.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "play/play_input.h"

T_HINT Hint;

namespace {

constexpr int64_t MESSAGE_MS = 2500;
// The key of the message, and its English text for a language file of the
// player's own that does not carry it.
const char* const NO_SOLUTION_KEY = "No Solution";
const char* const NO_SOLUTION_ENGLISH = "No way out from here: undo a few moves";

// The search under way, or none.
std::unique_ptr<T_SOLVER> Search;

void ShowMessageText(const std::string& text) {
  Message.Text = text;
  Message.CentreX = 5 * BlockSize;
  Message.CentreY = 4 * BlockSize;
  Message.StartTime = Frame.Now;
  Message.EndTime = Frame.Now + MESSAGE_MS;
  Message.Scale = 1.0f;
  Message.Light = 1;
  Message.OnPanel = true;
}

}  // namespace

std::string NoSolutionText() {
  std::string text = GetText(NO_SOLUTION_KEY);
  if (text.empty() || text[0] == '@') text = NO_SOLUTION_ENGLISH;
  return text;
}

void RequestHint() {
  Hint.Board = KindCellsOfBoard();
  SolverBudget budget;
  // Bounded by states only: the search runs in slices between frames, so
  // it never holds a frame up, and a slow machine gets the same hint.
  budget.MaxStates = 300000;
  budget.MaxMilliseconds = std::numeric_limits<int64_t>::max();
  Search = std::make_unique<T_SOLVER>();
  Search->Start(Hint.Board, budget);
  Hint.State = HINT_SEARCHING;
}

void CancelHint() {
  Search.reset();
  Hint.State = HINT_IDLE;
}

void UpdateHint() {
  if (Hint.State == HINT_IDLE) return;
  // A move, an undo or a new level makes the hint stale.
  if (KindCellsOfBoard() != Hint.Board) {
    CancelHint();
    return;
  }
  if (Hint.State == HINT_SHOWING) {
    if (Frame.Now - Hint.ShowStart >= HINT_SHOW_MS) Hint.State = HINT_IDLE;
    return;
  }
  const SolveStatus status = Search->Run(HINT_SLICE_STATES);
  if (status == SolveStatus::Searching) return;
  const bool stepFound = status == SolveStatus::Solved && !Search->Solution().empty();
  if (stepFound) Hint.Move = Search->Solution().front();
  Search.reset();
  if (status == SolveStatus::Solved && !stepFound) {
    Hint.State = HINT_IDLE;  // an empty board: nothing left to show
    return;
  }
  switch (status) {
    case SolveStatus::Searching: return;
    case SolveStatus::Solved:
      Hint.ShowStart = Frame.Now;
      Hint.State = HINT_SHOWING;
      return;
    case SolveStatus::NoSolution: {
      ShowMessageText(NoSolutionText());
      Hint.State = HINT_IDLE;
      return;
    }
    case SolveStatus::GaveUp: Hint.State = HINT_IDLE; return;
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
