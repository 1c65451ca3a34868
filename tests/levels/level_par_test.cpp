// Par: the bank's table is the solver's solution length of each level.
#include <string>

#include "app/archive.h"
#include "levels/level_bank.h"
#include "levels/level_par.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelPar, BankTableIsTheSolversSolutionLength) {
  RegisterArchive();
  LoadLevelBank();
  ASSERT_EQ(static_cast<int>(BankParTable().size()), LevelCount);
  std::string table;
  bool same = true;
  for (int n = 0; n < LevelCount; ++n) {
    KindCells cells{};
    for (int c = 0; c < GRID_CELLS; ++c) cells[c] = static_cast<int8_t>(LevelCellByte(n, c % 10, c / 10) - 1);
    const int par = SolvePar(cells);
    EXPECT_GT(par, 0) << "level " << n;
    same = same && par == BankPar(n);
    table += (n ? ", " : "") + std::to_string(par);
  }
  EXPECT_TRUE(same) << "new table for levels/level_par.cpp: {" << table << "}";
  EXPECT_EQ(BankPar(-1), 0);
  EXPECT_EQ(BankPar(LevelCount), 0);
}

}  // namespace
