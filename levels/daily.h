// The daily level: one level a day, the same for every player, drawn by the
// random level generator from a seed made of the day's number (UTC), at a
// middling tier. It does not touch the game's shared random numbers.
#pragma once

#include <cstdint>
#include <string>

#include "solver/random_level.h"

constexpr int DAILY_TIER = RANDOM_TIERS / 2;

// "2026-12-10" for a day number (days since 1970-01-01).
std::string DayText(int64_t day);
// The seed of a day's level.
uint32_t DailySeed(int64_t day);
// The level of a day (generated once, then kept until another day is asked).
const RandomLevel& DailyLevel(int64_t day);
