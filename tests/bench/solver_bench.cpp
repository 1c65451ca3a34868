// The solver on each level of the bank: the solution's length (moves, and
// steps without the presses), the states
// explored, the mean branching on the solution's path and the bytes the
// search held at its largest, beside the time of a whole solve; and the
// time to generate a random level of a tier.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <ctime>

#include "app/archive.h"
#include "levels/level_bank.h"
#include "levels/level_par.h"
#include "media/media.h"
#include "solver/hint.h"
#include "solver/random_level.h"
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
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    solver.Start(board, budget);
    benchmark::DoNotOptimize(solver.RunToEnd());
  }
  state.counters["solved"] = solver.Status() == SolveStatus::Solved ? 1 : 0;
  state.counters["length"] = static_cast<double>(solver.Solution().size());
  state.counters["steps"] = static_cast<double>(SolutionSteps(solver.Solution()));
  state.counters["states"] = static_cast<double>(solver.StatesExplored());
  state.counters["branching"] = solver.MeanBranching();
  state.counters["cpu_s"] = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  state.counters["peak_MB"] = static_cast<double>(solver.PeakBytes()) / (1024.0 * 1024.0);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["process_peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_SolveBankLevel)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

// A hint's own search (the solution kept forgotten) from every fifth board
// along the solver's solution of a bank level: the slowest one in states and
// processor time, and how many found no step.
void BM_HintAlongSolution(benchmark::State& state) {
  KindCells board = BankLevel(static_cast<int>(state.range(0)));
  T_SOLVER solver;
  solver.Start(board, SolverBudget{});
  solver.RunToEnd();
  const std::vector<SolverMove> solution = solver.Solution();
  int64_t slowestStates = 0;
  double slowestMs = 0;
  int asked = 0, missed = 0;
  for (auto _ : state) {
    for (size_t at = 0; at < solution.size(); ++at) {
      if (at % 5 == 0) {
        const std::clock_t start = std::clock();
        T_SOLVER hint;
        hint.Start(board, HintBudget());
        missed += hint.RunToEnd() == SolveStatus::Solved ? 0 : 1;
        ++asked;
        slowestMs = std::max(slowestMs, 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
        slowestStates = std::max(slowestStates, hint.StatesExplored());
      }
      board = ApplyMove(board, solution[at]);
    }
  }
  state.counters["asked"] = asked;
  state.counters["missed"] = missed;
  state.counters["slowest_states"] = static_cast<double>(slowestStates);
  state.counters["slowest_cpu_ms"] = slowestMs;
}
BENCHMARK(BM_HintAlongSolution)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

// A random level of a tier, from draw to proven solvable: the time a tap on
// the map's random card, or the step after the last bank level, takes.
void BM_GenerateRandomLevel(benchmark::State& state) {
  const int tier = static_cast<int>(state.range(0));
  uint32_t seed = 1;
  int attempts = 0, rating = 0, levels = 0;
  for (auto _ : state) {
    const RandomLevel level = GenerateRandomLevel(seed++, tier);
    attempts += level.Attempt + 1;
    rating += level.Rating;
    ++levels;
  }
  state.counters["draws"] = static_cast<double>(attempts) / levels;
  state.counters["rating"] = static_cast<double>(rating) / levels;
}
BENCHMARK(BM_GenerateRandomLevel)->Arg(0)->Arg(3)->Arg(6)->Arg(9)->Arg(11)->Unit(benchmark::kMillisecond)->Iterations(8);

}  // namespace

// A hint for a board that left the kept solution some moves ago, as a player
// who went their own way asks: from every fifth board along the solver's
// solution, six moves of a fixed pseudo-random choice, then the hint's way
// back (a few boards searched), else its own search, once with the kept
// solution as a goal and once alone. How many each left without a step.
void BM_HintOffSolution(benchmark::State& state) {
  const KindCells start = BankLevel(static_cast<int>(state.range(0)));
  T_SOLVER solver;
  solver.Start(start, SolverBudget{});
  solver.RunToEnd();
  const std::vector<SolverMove> solution = solver.Solution();
  std::vector<KindCells> path;
  KindCells board = start;
  for (const SolverMove& m : solution) {
    path.push_back(board);
    board = ApplyMove(board, m);
  }
  int asked = 0, wayBack = 0, missedWithPath = 0, missedAlone = 0;
  double slowestMs = 0;
  uint32_t seed = 12345;
  for (auto _ : state) {
    for (size_t at = 0; at < path.size(); at += 5) {
      KindCells off = path[at];
      for (int k = 0; k < 6; ++k) {
        const std::vector<SolverMove> open = OpenMoves(off);
        if (open.empty()) break;
        seed = seed * 1664525u + 1013904223u;
        off = ApplyMove(off, open[(seed >> 8) % open.size()]);
      }
      std::vector<SolverMove> way;
      if (BoardEmpty(off) || std::find(path.begin(), path.end(), off) != path.end()) continue;
      ++asked;
      if (WayToPath(off, path, HINT_RETURN_STATES, way) >= 0) {
        ++wayBack;
        continue;
      }
      for (bool withPath : {true, false}) {
        const std::clock_t begin = std::clock();
        T_SOLVER hint;
        hint.Start(off, HintBudget());
        if (withPath) hint.SetGoalPath(path, solution);
        const bool found = hint.RunToEnd() == SolveStatus::Solved;
        (withPath ? missedWithPath : missedAlone) += found ? 0 : 1;
        if (withPath) slowestMs = std::max(slowestMs, 1000.0 * static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC);
      }
    }
  }
  state.counters["asked"] = asked;
  state.counters["way_back"] = wayBack;
  state.counters["missed_with_path"] = missedWithPath;
  state.counters["missed_alone"] = missedAlone;
  state.counters["slowest_cpu_ms"] = slowestMs;
}
BENCHMARK(BM_HintOffSolution)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);
