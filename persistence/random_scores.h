// The records of random levels, kept apart from the bank levels' best
// scores in a file of their own: how many random levels were won, the last
// won time and the best time of each difficulty tier.
#pragma once

#include <string>

#include "solver/random_level.h"

// "PLRS", wins, last time, then a best time per tier: 16-bit little-endian
// counts and whole seconds (0: no time yet).
constexpr int RANDOM_SCORES_SIZE = 4 + 2 + 2 + 2 * RANDOM_TIERS;

struct T_RANDOM_SCORES {
  int Wins = 0;
  int LastTime = 0;
  int BestTime[RANDOM_TIERS] = {};
};

extern T_RANDOM_SCORES RandomScores;

// "pLiMo_Random_Scores.bin" in the user data folder.
std::string RandomScoresPath();
// Reads the file; a missing or malformed file gives empty records. A file
// that exists but is not a whole records file (unreadable, another size,
// another kind) is never replaced: wins of this run stay in memory.
void LoadRandomScores();
// Counts a win of a random level of `tier` in `seconds` and saves; returns
// the tier's best time before this win (0: none).
int RecordRandomWin(int tier, int seconds);
// Writes the records atomically; a failed save keeps the file on disk. False
// (and the player told once) for a file kept as it is.
bool SaveRandomScores();
