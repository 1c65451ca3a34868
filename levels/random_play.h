// A random level on the board: generated for the player's tier, placed as
// level -1, placed again on a restart, and its win kept in the random
// levels' own records.
#pragma once

#include <string>

#include "solver/random_level.h"

// The board level of a random level's board (menus and other boards are -1).
constexpr int RANDOM_BOARD = -2;

extern RandomLevel CurrentRandomLevel;

// The tier of the next random level: one up for each random level won.
int RandomTier();
// The tier of the random level won last (0 before any win): the tier whose
// record the Random card shows beside the last time.
int LastWonRandomTier();
// A random level is made a slice per frame, so that the screen keeps
// drawing meanwhile: after the last bank level the board stays empty and
// says so, and the level starts (its timer with it) once its board is
// placed; the map's random card shows the words over the map and zooms
// into the level once it is made.
constexpr int64_t RANDOM_SLICE_UNITS = 25;  // a few milliseconds of work at the top tiers
// Starts making a level from a fresh seed for the player's tier; the board
// stays as it is.
void StartRandomLevelMaker();
// Starts making a level on an emptied board that belongs to no level.
void StartMakingRandomLevel();
bool MakingRandomLevel();
void StopMakingRandomLevel();
// One frame's slice of the making; true in the frame the level is made,
// then MadeRandomLevel() holds it.
bool RunRandomLevelMaker();
const RandomLevel& MadeRandomLevel();
// The units of work spent on the level being (or last) made.
int64_t RandomLevelWorkDone();
// One frame's slice; true when the level was made and placed (the caller
// starts it).
bool MakeRandomLevelSlice();
// The words over the board while a level is made.
void DrawRandomLevelMaking();
// Places the level as the random level in play and keeps it in the file.
void PlaceAndKeepRandomLevel(const RandomLevel& level);
// Places the given level's cells on the board as the random level.
void PlaceRandomCells(const RandomLevel& level);
// Only the level's cells on the board, which stays no level's (a picture of
// a level chosen but not started).
void ShowRandomCells(const RandomLevel& level);
// The random level in play is also kept in "pLiMo_Random_Level.bin" (its
// tier, seed and starting cells), so that a level resumed after the program
// was closed is still that random level.
std::string RandomLevelPath();
// On a resumed board of level -1: when the history starts from the kept
// random level, the board is that random level again (its tier and record
// time come back) and the answer is true; otherwise it stays a board of no
// level.
bool ResumeRandomLevel();
// True when the board holds the random level (placed, not replaced since).
bool RandomLevelOnBoard();
// After the win of a random level: counts it and saves the records; sets
// the record time to the tier's best before this win.
void RandomLevelWon(int64_t wonTimeMs);
