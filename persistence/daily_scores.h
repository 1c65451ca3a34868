// The records of daily levels, one per day, in a file of their own
// ("pLiMo_Daily_Scores.bin"): "PLDS", then 8-byte entries in order of day,
// each the day (days since 1970-01-01, UTC; 32 bits), the best time in whole
// seconds (at least 1) and the moves of that run (16 bits each), all
// little-endian. An entry out of range or out of order is left out alone;
// a partial entry at the end is ignored. The newest DAILY_DAYS_KEPT days are
// kept.
#pragma once

#include <cstdint>
#include <string>

constexpr int DAILY_DAYS_KEPT = 4000;

struct DailyRecord {
  int64_t Day = 0;
  int BestTime = 0;  // whole seconds; 0: not won yet
  int Moves = 0;
};

std::string DailyScoresPath();
// Reads the file (again); a missing file means no records.
void LoadDailyScores();
// The record of a day (BestTime 0 when that day was never won).
DailyRecord DailyRecordOf(int64_t day);
// Counts a win of a day's level and saves when it is that day's best;
// returns the day's best time before this win (0: none).
int RecordDailyWin(int64_t day, int seconds, int moves);
