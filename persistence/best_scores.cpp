#include "persistence/best_scores.h"

#include <algorithm>
#include <utility>

#include "app/paths.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "persistence/kept_file.h"
#include "play/undo.h"

ByteBuffer BestScores;
int BestScoreCount = 0;

namespace {

// Record links are 16-bit: records beyond this offset cannot be linked.
constexpr int MAX_LINK = 0xFFFF;
// A file far larger than every record a link can reach is not ours.
constexpr int64_t MAX_FILE_BYTES = 1 << 20;
// Times are whole seconds of a level timer that stops at its cap.
constexpr int MAX_SECONDS = static_cast<int>(LEVEL_TIMER_CAP / 1000);

// A file that exists but could not be read is never overwritten, since the
// records in it are the player's; new records live in memory.
T_KEPT_FILE keptFile;

// A time no run can have set (below 0 or above the cap) would stand as a
// record no one beats: a best time is forgotten (the last time stands for
// it), a last time becomes the cap.
void RepairTimes(int r) {
  const int last = PeekInt32(BestScores, r + 4);
  const int best = PeekInt32(BestScores, r + 8);
  if (last < 0 || last > MAX_SECONDS) PokeUInt32(BestScores, r + 4, static_cast<uint32_t>(MAX_SECONDS));
  if (best < 0 || best > MAX_SECONDS) PokeUInt32(BestScores, r + 8, 0);
}

void StartEmpty() {
  BestScores.Bytes.assign(BEST_SCORES_HEADER, 0);
  PokeUInt16(BestScores, 0, 1);
  PokeUInt16(BestScores, 2, 0);
  BestScoreCount = 0;
}

}  // namespace

void LoadBestScores() {
  for (int n = 0; n < LevelCount; ++n) SetRecordLink(n, 0);
  const int64_t length = FileLength(BestScoresPath);
  std::unique_ptr<ByteBuffer> loaded =
      length >= 0 && length <= MAX_FILE_BYTES ? LoadBuffer(BestScoresPath) : nullptr;
  // Only a missing file means no records yet.
  keptFile.Loaded(BestScoresPath, loaded != nullptr);
  if (loaded == nullptr) {
    StartEmpty();
    return;
  }
  if (BufferSize(*loaded) < BEST_SCORES_HEADER) {
    StartEmpty();
    return;
  }
  BestScores = std::move(*loaded);
  BestScoreCount = (BufferSize(BestScores) - BEST_SCORES_HEADER) / BEST_SCORES_RECORD;
  for (int i = 0; i < BestScoreCount; ++i) {
    const int r = BEST_SCORES_HEADER + BEST_SCORES_RECORD * i;
    if (r > MAX_LINK) break;
    const int id = PeekUInt16(BestScores, r);
    for (int n = 0; n < LevelCount; ++n) {
      if (LevelId(n) == id) {
        SetRecordLink(n, r);
        RepairTimes(r);
        break;
      }
    }
  }
}

void RecordWin() {
  if (CurrentLevel < 0 || CurrentLevel >= LevelCount) return;
  const int seconds = static_cast<int>(WonTime / 1000);
  const int moves = std::clamp(UndoRecordCount - 1, 0, 0xFFFF);
  int r = RecordLink(CurrentLevel);
  if (r == 0) {
    RecordTime = 0;
    r = BEST_SCORES_HEADER + BEST_SCORES_RECORD * BestScoreCount;
    // A record that no level could link to would be lost; keep the file as it is.
    if (r > MAX_LINK) return;
    SetRecordLink(CurrentLevel, r);
    ResizeBuffer(BestScores, r + BEST_SCORES_RECORD);
    PokeUInt16(BestScores, r, LevelId(CurrentLevel));
    PokeUInt16(BestScores, r + 2, moves);
    PokeUInt32(BestScores, r + 4, static_cast<uint32_t>(seconds));
    PokeUInt32(BestScores, r + 8, 0);
    BestScoreCount += 1;
    return;
  }
  int best = RecordBestTime(r);
  if (best == 0) {
    best = RecordLastTime(r);
    PokeUInt32(BestScores, r + 8, static_cast<uint32_t>(best));
  }
  PokeUInt32(BestScores, r + 4, static_cast<uint32_t>(seconds));
  RecordTime = static_cast<int64_t>(best) * 1000;
  if (seconds < best) {
    PokeUInt32(BestScores, r + 8, static_cast<uint32_t>(seconds));
    PokeUInt16(BestScores, r + 2, moves);
  }
}

bool SaveBestScores() {
  if (!keptFile.MayWrite(BestScoresPath)) return false;
  return SaveBuffer(BestScores, BestScoresPath);
}

int RecordLevelId(int link) { return PeekUInt16(BestScores, link); }
int RecordMoves(int link) { return PeekUInt16(BestScores, link + 2); }
int RecordLastTime(int link) { return PeekInt32(BestScores, link + 4); }
int RecordBestTime(int link) { return PeekInt32(BestScores, link + 8); }
