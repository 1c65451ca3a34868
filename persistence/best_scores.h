// The best-scores records: per won level its last time, best time and the
// moves of the best run, in one small file of 12-byte records keyed by
// level id. A level's record link holds the offset of its record.
#pragma once

#include "media/media.h"

constexpr int BEST_SCORES_HEADER = 4;
constexpr int BEST_SCORES_RECORD = 12;

extern ByteBuffer BestScores;  // the whole file
extern int BestScoreCount;

// Reads the file and links every record to its level. Only a missing file
// means no records: a file that exists but cannot be read (or is far too
// large to be one) is kept as it is and never overwritten.
void LoadBestScores();
// Creates or updates the current level's record after a win and sets the
// record time to the level's previous record.
void RecordWin();
// Writes the records; a failed save leaves the file on disk as it was. A
// file that could not be read is not written; the player is told once.
bool SaveBestScores();

// Fields of the record at a record link (an offset into BestScores).
int RecordLevelId(int link);
int RecordMoves(int link);
int RecordLastTime(int link);  // whole seconds
int RecordBestTime(int link);  // whole seconds; 0 while won only once
