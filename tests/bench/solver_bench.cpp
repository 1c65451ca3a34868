// The solver on each level of the bank: the solution's length, the states
// explored, the mean branching on the solution's path and the bytes the
// search held at its largest, beside the time of a whole solve.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "app/archive.h"
#include "levels/level_bank.h"
#include "media/media.h"
#include "solver/solver.h"

namespace {

KindCells BankLevel(int level) {
  static bool loaded = false;
  if (!loaded) {
    MediaInit();
    RegisterArchive();
    LoadLevelBank();
    loaded = true;
  }
  KindCells cells;
  for (int c = 0; c < GRID_CELLS; ++c) {
    cells[c] = static_cast<int8_t>(LevelCellByte(level, c % GRID_COLUMNS, c / GRID_COLUMNS) - 1);
  }
  return cells;
}

void BM_SolveBankLevel(benchmark::State& state) {
  const KindCells board = BankLevel(static_cast<int>(state.range(0)));
  T_SOLVER solver;
  const SolverBudget budget;
  for (auto _ : state) {
    solver.Start(board, budget);
    benchmark::DoNotOptimize(solver.RunToEnd());
  }
  state.counters["solved"] = solver.Status() == SolveStatus::Solved ? 1 : 0;
  state.counters["length"] = static_cast<double>(solver.Solution().size());
  state.counters["states"] = static_cast<double>(solver.StatesExplored());
  state.counters["branching"] = solver.MeanBranching();
  state.counters["peak_MB"] = static_cast<double>(solver.PeakBytes()) / (1024.0 * 1024.0);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["process_peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_SolveBankLevel)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
