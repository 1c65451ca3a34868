// The levels players made in the editor, in a file of their own
// ("pLiMo_Custom_Levels.bin"): "PLCL", then 86-byte entries, each the 80
// cells row by row (kind + 1, 0 empty), the par, the best time and the last
// time in whole seconds (16 bits each, little-endian; 0: not won yet). An
// entry with a cell byte above 6 or a par above 2000 is left out alone; a
// partial entry at the end is ignored. At most CUSTOM_LEVELS_KEPT levels.
// The editor's draft is "pLiMo_Editor_Draft.bin": "PLED" and the 80 cells.
#pragma once

#include <string>
#include <vector>

#include "play/move_rule.h"

constexpr int CUSTOM_LEVELS_KEPT = 200;

struct CustomLevel {
  KindCells Cells{};
  int Par = 0;
  int BestTime = 0;
  int LastTime = 0;
};

extern std::vector<CustomLevel> CustomLevels;

std::string CustomLevelsPath();
std::string EditorDraftPath();
void LoadCustomLevels();
bool SaveCustomLevels();
// Adds a level (false when the list is full or the file could not be written).
bool AddCustomLevel(const KindCells& cells, int par);
void DeleteCustomLevel(int i);
// A win of custom level i; returns its best time before this win (0: none).
int RecordCustomWin(int i, int seconds);
// The draft: false when there is none (or it is damaged).
bool LoadEditorDraft(KindCells& cells);
void SaveEditorDraft(const KindCells& cells);
