#include "persistence/random_scores.h"

#include <algorithm>
#include <memory>

#include "app/paths.h"
#include "media/media.h"
#include "persistence/kept_file.h"

T_RANDOM_SCORES RandomScores;

namespace {

constexpr int MAX_COUNT = 0xFFFF;

T_KEPT_FILE keptFile;

int Peek16(const ByteBuffer& b, int at) { return b.Bytes[at] | (b.Bytes[at + 1] << 8); }
void Put16(ByteBuffer& b, int value) {
  value = std::clamp(value, 0, MAX_COUNT);
  b.Bytes.push_back(static_cast<uint8_t>(value));
  b.Bytes.push_back(static_cast<uint8_t>(value >> 8));
}

}  // namespace

std::string RandomScoresPath() { return UserDataFolder + "/pLiMo_Random_Scores.bin"; }

void LoadRandomScores() {
  RandomScores = T_RANDOM_SCORES();
  // Only the file's own size is read: anything else is not this file.
  const std::string path = RandomScoresPath();
  const std::unique_ptr<ByteBuffer> file = FileLength(path) == RANDOM_SCORES_SIZE ? LoadBuffer(path) : nullptr;
  const bool ours = file && file->Bytes.size() == static_cast<size_t>(RANDOM_SCORES_SIZE) &&
                    file->Bytes[0] == 'P' && file->Bytes[1] == 'L' && file->Bytes[2] == 'R' && file->Bytes[3] == 'S';
  // A damaged or unreadable file keeps the player's wins: it is never replaced.
  keptFile.Loaded(path, ours);
  if (!ours) return;
  RandomScores.Wins = Peek16(*file, 4);
  RandomScores.LastTime = Peek16(*file, 6);
  for (int t = 0; t < RANDOM_TIERS; ++t) RandomScores.BestTime[t] = Peek16(*file, 8 + 2 * t);
}

int RecordRandomWin(int tier, int seconds) {
  tier = std::clamp(tier, 0, RANDOM_TIERS - 1);
  seconds = std::clamp(seconds, 0, MAX_COUNT);
  const int previous = RandomScores.BestTime[tier];
  RandomScores.Wins = std::min(RandomScores.Wins + 1, MAX_COUNT);
  RandomScores.LastTime = seconds;
  // A win in 0 s still counts as a time: 1 s keeps 0 free for "none".
  const int kept = std::max(seconds, 1);
  if (previous == 0 || kept < previous) RandomScores.BestTime[tier] = kept;
  SaveRandomScores();
  return previous;
}

bool SaveRandomScores() {
  if (!keptFile.MayWrite(RandomScoresPath())) return false;
  ByteBuffer file;
  file.Bytes = {'P', 'L', 'R', 'S'};
  Put16(file, RandomScores.Wins);
  Put16(file, RandomScores.LastTime);
  for (int t = 0; t < RANDOM_TIERS; ++t) Put16(file, RandomScores.BestTime[t]);
  return SaveBuffer(file, RandomScoresPath());
}
