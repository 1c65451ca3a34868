// Entry point shared by every benchmark of tests/bench.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
