// The life of a level: start, restart, resume, next, win, banner, timer.
#pragma once

#include <cstdint>

constexpr int64_t LEVEL_TIMER_CAP = 5999000;

extern int CurrentLevel;  // -1 none
extern int64_t LevelTimer;
extern int64_t LevelStartTime;
extern int64_t WonTime;
extern int64_t RecordTime;
extern int64_t LevelBannerEnd;

void BeginLevel(int fresh);
void StartLevel(int fresh);
void RestartLevel();
void NextLevel();
void RandomLevelStep();
void CheckLevelWon();
void LoadRecordTime();
void DrawLevelBanner();
// The banner's text for a level (nothing for -1) at the given opacity.
void DrawLevelLabel(int level, float alpha);
// At start-up: a history that ends on the empty board after at least one
// step is a level won before the program could record it (it ended between
// the winning step and the win). The win is recorded for the level the
// history belongs to, and the history is deleted, so it counts once.
void RecordWinLeftInHistory();
