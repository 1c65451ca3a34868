// Hints on the play screen: "?" asks the solver for the next step from the
// board as it stands. A board on the last solution found (searched on its
// own from a level's start board, or for the last hint) gets that
// solution's next step at once, and so does a board a few steps off it (the
// way back onto it is searched at once); another board is searched, a slice
// per frame, for about a second of processor time at most, for an empty
// board or a way onto that solution. A virtual pointer shows the step (the
// pressed pointer drags the shape one cell and back) without moving
// anything, or a message says that the board has no way out any more and
// suggests undo, or that no hint was found.
#pragma once

#include <cstdint>
#include <string>

#include "solver/solver.h"

enum HintState { HINT_IDLE, HINT_SEARCHING, HINT_SHOWING };

struct T_HINT {
  HintState State = HINT_IDLE;
  SolverMove Move;        // the step shown
  int64_t ShowStart = 0;  // clock time the pointer appeared
  KindCells Board{};      // the board the hint is for
};
extern T_HINT Hint;

// States searched per frame for a hint the player waits for: a few
// milliseconds at most.
constexpr int64_t HINT_SLICE_STATES = 300;
// States searched per frame by the search started on its own at a level's
// start: it runs while the player plays, so it takes under a millisecond of
// each frame. On the fullest level the search, with its shortening, runs for
// about two minutes; a hint asked meanwhile answers once a first solution exists.
constexpr int64_t BACKGROUND_SLICE_STATES = 60;
constexpr int64_t HINT_SHOW_MS = 1600;
// Boards looked through for a short way back onto the last solution found,
// within the frame the hint is asked in.
constexpr int64_t HINT_RETURN_STATES = 1500;
// Processor time a hint searches for before it says it found nothing (the
// search from a level's start board is bounded by its states only).
extern int64_t HintSearchMs;
// The budget of a hint's own search: states enough for about a second of
// processor time, and HintSearchMs.
SolverBudget HintBudget();

// Starts a search from the board (the play screen's hint key).
void RequestHint();
// One frame: a slice of the search, the end of a hint shown, and a hint
// forgotten when the board changed under it.
void UpdateHint();
// The virtual pointer of a hint being shown.
void DrawHint();
// Forgets any hint, and any search from a level's start board.
void CancelHint();
// Forgets the last solution found too: the next hint searches afresh.
void ForgetHintSolution();
// The message when no step leads to an empty board any more, in the
// player's language (in English when the language file lacks it).
std::string NoSolutionText();
// The message when the search gave up without finding a step.
std::string NoHintText();
