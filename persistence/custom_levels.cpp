#include "persistence/custom_levels.h"

#include <algorithm>
#include <memory>

#include "app/paths.h"
#include "media/media.h"

std::vector<CustomLevel> CustomLevels;

namespace {

constexpr size_t HEADER = 4;
constexpr size_t ENTRY = GRID_CELLS + 6;
constexpr int HIGHEST_CELL_BYTE = 6;
constexpr int HIGHEST_PAR = 2000;
constexpr int MOST = 0xFFFF;

// A file too large to be ours is kept as it is and never written over.
bool Untouchable = false;

int Peek16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
void Put16(std::vector<uint8_t>& b, int v) {
  v = std::clamp(v, 0, MOST);
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

// Cell bytes to kinds; false when a byte is no cell.
bool ReadCells(const std::vector<uint8_t>& b, size_t at, KindCells& cells) {
  for (int c = 0; c < GRID_CELLS; ++c) {
    if (b[at + c] > HIGHEST_CELL_BYTE) return false;
    cells[c] = static_cast<int8_t>(b[at + c] - 1);
  }
  return true;
}

void PutCells(std::vector<uint8_t>& b, const KindCells& cells) {
  for (int8_t k : cells) b.push_back(static_cast<uint8_t>(std::clamp(k + 1, 0, HIGHEST_CELL_BYTE)));
}

// The file's bytes when it has the right mark and a size that can be ours.
std::unique_ptr<ByteBuffer> ReadMarked(const std::string& path, const char* mark, size_t largest) {
  const int64_t length = FileLength(path);
  if (length < static_cast<int64_t>(HEADER) || length > static_cast<int64_t>(largest)) return nullptr;
  std::unique_ptr<ByteBuffer> file = LoadBuffer(path);
  if (!file || file->Bytes.size() < HEADER || !std::equal(mark, mark + HEADER, file->Bytes.begin())) return nullptr;
  return file;
}

}  // namespace

std::string CustomLevelsPath() { return UserDataFolder + "/pLiMo_Custom_Levels.bin"; }
std::string EditorDraftPath() { return UserDataFolder + "/pLiMo_Editor_Draft.bin"; }

void LoadCustomLevels() {
  CustomLevels.clear();
  const size_t largest = HEADER + ENTRY * (CUSTOM_LEVELS_KEPT + 1);
  Untouchable = FileLength(CustomLevelsPath()) > static_cast<int64_t>(largest);
  const std::unique_ptr<ByteBuffer> file = ReadMarked(CustomLevelsPath(), "PLCL", largest);
  if (!file) return;
  const std::vector<uint8_t>& b = file->Bytes;
  for (size_t at = HEADER; at + ENTRY <= b.size() && CustomLevels.size() < CUSTOM_LEVELS_KEPT; at += ENTRY) {
    CustomLevel level;
    if (!ReadCells(b, at, level.Cells)) continue;
    level.Par = Peek16(b, at + GRID_CELLS);
    level.BestTime = Peek16(b, at + GRID_CELLS + 2);
    level.LastTime = Peek16(b, at + GRID_CELLS + 4);
    const bool empty = std::all_of(level.Cells.begin(), level.Cells.end(), [](int8_t k) { return k < 0; });
    if (level.Par > HIGHEST_PAR || empty) continue;
    CustomLevels.push_back(level);
  }
}

bool SaveCustomLevels() {
  if (Untouchable) return false;
  ByteBuffer file;
  file.Bytes = {'P', 'L', 'C', 'L'};
  for (const CustomLevel& level : CustomLevels) {
    PutCells(file.Bytes, level.Cells);
    Put16(file.Bytes, level.Par);
    Put16(file.Bytes, level.BestTime);
    Put16(file.Bytes, level.LastTime);
  }
  return SaveBuffer(file, CustomLevelsPath());
}

bool AddCustomLevel(const KindCells& cells, int par) {
  if (static_cast<int>(CustomLevels.size()) >= CUSTOM_LEVELS_KEPT || Untouchable) return false;
  CustomLevel level;
  level.Cells = cells;
  level.Par = std::clamp(par, 0, HIGHEST_PAR);
  CustomLevels.push_back(level);
  if (SaveCustomLevels()) return true;
  CustomLevels.pop_back();
  return false;
}

void DeleteCustomLevel(int i) {
  if (i < 0 || i >= static_cast<int>(CustomLevels.size())) return;
  CustomLevels.erase(CustomLevels.begin() + i);
  SaveCustomLevels();
}

int RecordCustomWin(int i, int seconds) {
  if (i < 0 || i >= static_cast<int>(CustomLevels.size())) return 0;
  CustomLevel& level = CustomLevels[i];
  const int previous = level.BestTime;
  level.LastTime = std::clamp(seconds, 0, MOST);
  const int kept = std::clamp(seconds, 1, MOST);
  if (previous == 0 || kept < previous) level.BestTime = kept;
  SaveCustomLevels();
  return previous;
}

bool LoadEditorDraft(KindCells& cells) {
  const std::unique_ptr<ByteBuffer> file = ReadMarked(EditorDraftPath(), "PLED", HEADER + GRID_CELLS);
  KindCells read{};
  if (!file || file->Bytes.size() != HEADER + GRID_CELLS || !ReadCells(file->Bytes, HEADER, read)) return false;
  cells = read;
  return true;
}

void SaveEditorDraft(const KindCells& cells) {
  ByteBuffer file;
  file.Bytes = {'P', 'L', 'E', 'D'};
  PutCells(file.Bytes, cells);
  // A failed save keeps the previous draft.
  SaveBuffer(file, EditorDraftPath());
}
