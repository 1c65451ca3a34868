// The user profile: a commented text file of settings and the level in
// progress, read once at start-up and written at the end of the program and
// when a colour style changes.
#pragma once

#include <cstdint>
#include <string>

extern int64_t TotalPlayTime;  // play time of the earlier runs, ms
extern int64_t RunStartTime;   // clock when this run's start-up ended

// Reads the profile. Without a file every value stays as it is; values that
// would break the game fall back to their defaults.
void LoadProfile(const std::string& path);
// Writes the profile (atomically: the previous one stays when it fails).
void SaveProfile(const std::string& path);
// Display quality 0 automatic, 1 low details, 2 high details, with its four
// drawing switches; other values change only the number.
void SetDisplayQuality(int quality);
// Start-up, once the level bank is loaded: forgets the saved game when the
// profile comes from another generation of the game or names no level of the
// bank.
void CheckSavedGame();

// "Current Level Info": the current level (-1 .. 8190) and the level timer
// in one unsigned number.
uint64_t PackLevelInfo(int level, int64_t timer);
void UnpackLevelInfo(uint64_t packed, int& level, int64_t& timer);
// The comment of the "Total Time" line: "D days, H hours and M minutes."
std::string TotalTimeComment(int64_t milliseconds);
