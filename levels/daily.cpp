#include "levels/daily.h"

#include <string>

std::string DayText(int64_t day) {
  // Days to the civil calendar (proleptic Gregorian), eras of 400 years.
  const int64_t z = day + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  auto two = [](int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  return std::to_string(y) + "-" + two(m) + "-" + two(d);
}

uint32_t DailySeed(int64_t day) {
  // A fixed mix of the day, so that neighbouring days get unrelated seeds.
  uint64_t z = static_cast<uint64_t>(day) * 0x9E3779B97F4A7C15ull + 0x706C694D6Full;
  z = (z ^ (z >> 31)) * 0xBF58476D1CE4E5B9ull;
  return static_cast<uint32_t>(z ^ (z >> 29));
}

const RandomLevel& DailyLevel(int64_t day) {
  static int64_t cachedDay = -1;
  static RandomLevel cached;
  if (day != cachedDay) {
    cached = GenerateRandomLevel(DailySeed(day), DAILY_TIER);
    cachedDay = day;
  }
  return cached;
}
