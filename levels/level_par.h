// Par: the number of steps of the solver's solution of a level, counted as
// the game counts a player's moves. The bank's
// pars are worked out once and kept in a table; other levels are solved
// when they are made or opened.
#pragma once

#include <vector>

#include "play/move_rule.h"
#include "solver/solver.h"

// The par of bank level n (0-based); 0 for a level the table does not know.
int BankPar(int n);
// The bank's table, for the test that checks it against the solver.
const std::vector<int>& BankParTable();
// The steps of a solution: its moves less the presses on shapes whose kind
// is whole from the start, which the game does not count as moves.
int SolutionSteps(const std::vector<SolverMove>& solution);
// Solves a board with the solver's usual budget (a few seconds at most): the
// solution's steps, or -1 when none was found. An empty board has par 0.
int SolvePar(const KindCells& cells);
