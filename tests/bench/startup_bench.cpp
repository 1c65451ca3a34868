// Start-up time to the first presented frame, and the CPU time of one frame
// of the main menu with its particles, on SDL's offscreen video driver.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/main_loop.h"
#include "app/settings.h"
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
    // Frames are not held to the display rate: the timing is the frame's own work.
    media_test::SetUnpacedFrames(true);
  }
  ~HeadlessGame() {
    media_test::SetUnpacedFrames(false);
    std::filesystem::remove_all(Home);
  }
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
  // A player who chose English before: the start opens the main menu.
  LanguageFile = (game.Home / "pLiMo" / "pLiMo_text_EN.txt").string();
  StartUp();
  int clock = 0;
  // Pictures left to decode are decoded one per frame; get them all done
  // before timing.
  for (int i = 0; i < 150; i++) {
    media_test::SetClock(clock += 16);
    RunFrame();
  }
  for (auto _ : state) {
    media_test::SetClock(clock += 16);
    RunFrame();
  }
  state.counters["particles"] = ParticlesOn ? 1 : 0;
  Shutdown();
  LanguageFile.clear();
}
BENCHMARK(BM_MainMenuFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
