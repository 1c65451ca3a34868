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
