// Start-up time to the first presented frame, and the CPU time of one frame
// of the main menu, on SDL's offscreen video driver.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/main_loop.h"
#include "media/media_test.h"

namespace {

// Runs the game headless in a throw-away data folder.
struct HeadlessGame {
  std::filesystem::path Home = std::filesystem::temp_directory_path() / "plimo-bench";
  HeadlessGame() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    media_test::AllowHeadlessVideo(true);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::filesystem::remove_all(Home);
    std::filesystem::create_directories(Home);
    media_test::SetUserAppDataFolder(Home.string());
  }
  ~HeadlessGame() { std::filesystem::remove_all(Home); }
};

void BM_StartUpToFirstFrame(benchmark::State& state) {
  HeadlessGame game;
  for (auto _ : state) {
    StartUp();
    RunFrame();
    state.PauseTiming();
    Shutdown();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_MainMenuFrame(benchmark::State& state) {
  HeadlessGame game;
  StartUp();
  int clock = 0;
  for (auto _ : state) {
    media_test::SetClock(clock += 16);
    RunFrame();
  }
  Shutdown();
}
BENCHMARK(BM_MainMenuFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
