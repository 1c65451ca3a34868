// The millisecond clock (with the hand-set clock of tests) and the random
// number generator, which starts from a fixed state and is never reseeded.
#include <chrono>
#include <cmath>
#include <random>

#include "media/internal.h"

namespace {

bool manualClock = false;
int64_t manualTime = 0;
int64_t realClockShift = 0;  // added to the real clock by tests

std::mt19937& Generator() {
  static std::mt19937 generator(20240611u);
  return generator;
}

// Uniform in [0, 1) from 24 random bits: exact in a float, never 1.
float Unit() { return static_cast<float>(Generator()() >> 8) * (1.0f / 16777216.0f); }

}  // namespace

int64_t Milliseconds() {
  if (manualClock) return manualTime;
  static const auto start = std::chrono::steady_clock::now();
  auto elapsed = std::chrono::steady_clock::now() - start;
  // Starts a little above 0 so that a time read at start-up is never the
  // "not running" value 0 of the game's timers. 64 bits: a run of any length
  // keeps counting up.
  return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()) + 1 +
         realClockShift;
}

float RandomFloat(float min, float max) {
  float value = min + (max - min) * Unit();
  // Rounding may land on max when the range is wide; keep it half-open.
  if (max > min && value >= max) value = std::nextafter(max, min);
  return value;
}

int RandomInt(int min, int max) {
  if (min > max) std::swap(min, max);
  std::uniform_int_distribution<int> distribution(min, max);
  return distribution(Generator());
}

namespace media_test {

void SetClock(int64_t milliseconds) {
  manualClock = true;
  manualTime = milliseconds;
}

void AdvanceClock(int64_t milliseconds) {
  if (!manualClock) SetClock(Milliseconds());
  manualTime += milliseconds;
}

void UseRealClock() { manualClock = false; }

void ShiftRealClock(int64_t milliseconds) { realClockShift += milliseconds; }

}  // namespace media_test
