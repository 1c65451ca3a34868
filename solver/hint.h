// Hints on the play screen: "?" asks the solver for the next step from the
// board as it stands. The search runs a slice per frame; when it ends, a
// virtual pointer shows the step (the pressed pointer drags the shape one
// cell and back) without moving anything, or a message says that the board
// has no way out any more and suggests undo.
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

// States searched per frame: a few milliseconds at most.
constexpr int64_t HINT_SLICE_STATES = 300;
constexpr int64_t HINT_SHOW_MS = 1600;

// Starts a search from the board (the play screen's hint key).
void RequestHint();
// One frame: a slice of the search, the end of a hint shown, and a hint
// forgotten when the board changed under it.
void UpdateHint();
// The virtual pointer of a hint being shown.
void DrawHint();
// Forgets any hint.
void CancelHint();
// The message when no step leads to an empty board any more, in the
// player's language (in English when the language file lacks it).
std::string NoSolutionText();
