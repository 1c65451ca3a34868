// CPU time of one frame of play (input step and drawing) on the fullest
// board: level "273" with 70 pieces, particles on, an explosion in flight.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/main_loop.h"
#include "app/settings.h"
#include "board/block.h"
#include "effects/effects.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "media/media_test.h"

namespace {

constexpr int FULLEST_LEVEL = 3;
constexpr int WARM_UP_FRAMES = 150;

// Every block of the board throws a fragment, the blocks themselves stay.
void ThrowFragments() {
  Fragments.clear();
  for (auto& b : Blocks) b->FlagSelect = 1;
  T_FX::ExplodeSelectedBlocks(0, 1, 0);
  T_BLOCK::InitRecursiveSelect();
}

void BM_PlayFrameFullBoardExplosionInFlight(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  media_test::AllowHeadlessVideo(true);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::filesystem::path home = std::filesystem::temp_directory_path() / "plimo-play-bench";
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home);
  media_test::SetUserAppDataFolder(home.string());
  int clock = 100000;
  media_test::SetClock(clock);
  // Frames are not held to the display rate: the timing is the frame's own work.
  media_test::SetUnpacedFrames(true);
  StartUp();
  ParticlesOn = true;
  CurrentLevel = FULLEST_LEVEL;
  LoadLevel(FULLEST_LEVEL);
  StartLevel(1);
  // Pictures left to decode are decoded one per frame; get them all done
  // before timing.
  for (int i = 0; i < WARM_UP_FRAMES; i++) {
    media_test::SetClock(clock += 16);
    RunFrame();
  }
  ThrowFragments();
  const size_t fragments = Fragments.size();
  for (auto _ : state) {
    // Fragments leave the screen within a second or two; throw new ones
    // outside the timing so that every timed frame has a full explosion.
    if (Fragments.size() < fragments) {
      state.PauseTiming();
      ThrowFragments();
      state.ResumeTiming();
    }
    media_test::SetClock(clock += 16);
    RunFrame();
  }
  state.counters["blocks"] = static_cast<double>(Blocks.size());
  state.counters["particles"] = static_cast<double>(Particles.size());
  Shutdown();
  media_test::SetUnpacedFrames(false);
  std::filesystem::remove_all(home);
}
BENCHMARK(BM_PlayFrameFullBoardExplosionInFlight)->Unit(benchmark::kMicrosecond);

}  // namespace
