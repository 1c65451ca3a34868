// Start-up probe: one cold start of the whole game in this process, then a
// few seconds of frames. Prints the time from entering main to the end of
// the first frame of the first screen (presented and ready for input), the
// CPU time of the process by then, and the peak resident memory after the
// frames. Run it once per start (tools/measure_performance.sh does), with
// the video and audio drivers and the data folder chosen by the caller.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/main_loop.h"
#include "media/media_test.h"

namespace {

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

}  // namespace

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  const int frames = argc > 1 ? std::atoi(argv[1]) : 180;
  // The caller picks SDL's offscreen driver: nothing is shown, but it draws.
  media_test::AllowHeadlessVideo(true);
  if (!StartUp()) return 1;
  RunFrame();
  const double firstFrameMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const double cpuAtFirstFrame = CpuMs();
  for (int i = 0; i < frames && RunFrame(); i++) {
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("first_frame_ms %.1f cpu_ms %.1f peak_rss_mb %.1f\n", firstFrameMs, cpuAtFirstFrame,
              usage.ru_maxrss / 1024.0);
  Shutdown();
  return 0;
}
