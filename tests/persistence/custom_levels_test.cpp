// The editor's levels and draft: a damaged file costs only its damaged
// entries, and a file far too large to be ours is never written over.
#include "app/paths.h"
#include "persistence/custom_levels.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

std::string Entry(uint8_t cell, int par) {
  std::string e(80, '\0');
  e[0] = e[2] = static_cast<char>(cell);
  return e + std::string{static_cast<char>(par), static_cast<char>(par >> 8), 5, 0, 6, 0};
}

TEST(CustomLevels, ADamagedFileCostsOnlyItsDamagedEntries) {
  test_support::TempDir dir;
  const std::string saved = UserDataFolder;
  UserDataFolder = dir.Path();
  const struct {
    std::string File;
    size_t Kept;
  } cases[] = {
      {"PLCL" + Entry(1, 1) + Entry(2, 1), 2},
      {"PLCL" + Entry(7, 1) + Entry(2, 1), 1},                 // a byte that is no cell
      {"PLCL" + Entry(1, 5000) + Entry(2, 1), 1},              // a par beyond any board
      {"PLCL" + Entry(0, 1) + Entry(2, 1), 1},                 // an empty board
      {"PLCL" + Entry(1, 1) + Entry(2, 1).substr(0, 40), 1},   // cut short
      {"PLCX" + Entry(1, 1), 0},
      {std::string(100000, 'x'), 0},
  };
  for (const auto& c : cases) {
    test_support::WriteWholeFile(CustomLevelsPath(), c.File);
    LoadCustomLevels();
    EXPECT_EQ(CustomLevels.size(), c.Kept) << c.File.size();
  }
  KindCells cells;
  cells.fill(-1);
  EXPECT_FALSE(AddCustomLevel(cells, 1));
  EXPECT_EQ(test_support::ReadWholeFile(CustomLevelsPath()).size(), 100000u);
  // A damaged draft leaves the cells as they were.
  test_support::WriteWholeFile(EditorDraftPath(), "PLED" + std::string(79, '\1') + "\x09");
  cells.fill(2);
  EXPECT_FALSE(LoadEditorDraft(cells));
  EXPECT_EQ(cells[0], 2);
  UserDataFolder = saved;
}

}  // namespace
