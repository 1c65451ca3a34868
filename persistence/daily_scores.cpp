#include "persistence/daily_scores.h"

#include <algorithm>
#include <map>
#include <memory>

#include "app/paths.h"
#include "media/media.h"

namespace {

constexpr int HEADER = 4;
constexpr int ENTRY = 8;
constexpr int64_t FIRST_DAY = 20000;   // 2024-10-04: no daily level is older
constexpr int64_t LAST_DAY = 200000;   // far beyond any clock
constexpr int MOST = 0xFFFF;

std::map<int64_t, DailyRecord> Records;
// A file too large to be ours is kept as it is and never written over.
bool Untouchable = false;

uint32_t Peek(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(b[at + i]) << (8 * i);
  return v;
}

void Put(ByteBuffer& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.Bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool SaveDailyScores() {
  if (Untouchable) return false;
  ByteBuffer file;
  file.Bytes = {'P', 'L', 'D', 'S'};
  for (const auto& [day, r] : Records) {
    Put(file, static_cast<uint32_t>(day), 4);
    Put(file, static_cast<uint32_t>(r.BestTime), 2);
    Put(file, static_cast<uint32_t>(r.Moves), 2);
  }
  return SaveBuffer(file, DailyScoresPath());
}

}  // namespace

std::string DailyScoresPath() { return UserDataFolder + "/pLiMo_Daily_Scores.bin"; }

void LoadDailyScores() {
  Records.clear();
  Untouchable = false;
  const int64_t length = FileLength(DailyScoresPath());
  if (length < 0) return;
  if (length > HEADER + ENTRY * (DAILY_DAYS_KEPT + 1)) {
    Untouchable = true;
    return;
  }
  const std::unique_ptr<ByteBuffer> file = LoadBuffer(DailyScoresPath());
  if (!file) return;
  const std::vector<uint8_t>& b = file->Bytes;
  if (b.size() < HEADER || b[0] != 'P' || b[1] != 'L' || b[2] != 'D' || b[3] != 'S') return;
  int64_t previous = 0;
  for (size_t at = HEADER; at + ENTRY <= b.size(); at += ENTRY) {
    DailyRecord r;
    r.Day = Peek(b, at, 4);
    r.BestTime = static_cast<int>(Peek(b, at + 4, 2));
    r.Moves = static_cast<int>(Peek(b, at + 6, 2));
    if (r.Day < FIRST_DAY || r.Day > LAST_DAY || r.Day <= previous || r.BestTime == 0) continue;
    previous = r.Day;
    Records[r.Day] = r;
  }
}

DailyRecord DailyRecordOf(int64_t day) {
  const auto found = Records.find(day);
  if (found != Records.end()) return found->second;
  DailyRecord none;
  none.Day = day;
  return none;
}

int RecordDailyWin(int64_t day, int seconds, int moves) {
  if (day < FIRST_DAY || day > LAST_DAY) return 0;
  DailyRecord& r = Records[day];
  const int previous = r.BestTime;
  r.Day = day;
  // A win in 0 s still counts as a time: 1 s keeps 0 free for "none".
  const int kept = std::clamp(seconds, 1, MOST);
  if (previous == 0 || kept < previous) {
    r.BestTime = kept;
    r.Moves = std::clamp(moves, 0, MOST);
    while (static_cast<int>(Records.size()) > DAILY_DAYS_KEPT) Records.erase(Records.begin());
    SaveDailyScores();
  }
  return previous;
}
