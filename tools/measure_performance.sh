#!/usr/bin/env bash
# Performance figures of a build (not tests: they depend on the machine).
#
#   bash tools/measure_performance.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR must be configured with -DPLIMO_BENCHMARKS=ON and hold the
# targets plimo, plimo_bench and plimo_startup_probe (default: build-bench).
# Prints, each as the median of RUNS cold starts (default 5):
#  - start-up to the first interactive frame, headless (offscreen video,
#    dummy audio), on the first start (flag screen) and with a profile
#    (main menu), with the peak resident memory after three seconds;
#  - in-process start-up time and the CPU time of one frame on the fullest board and on the main menu
#    (Google Benchmark, software renderer);
#  - under a virtual X display (when Xvfb is installed), the CPU share of
#    the real game in a window over ten seconds with the pointer still: the
#    flag screen, the main menu with its particles and the main menu with
#    low details, and the peak resident memory of each.
set -euo pipefail
BUILD=${1:-build-bench}
RUNS=${2:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
[ -x "$BUILD/plimo" ] || { echo "missing $BUILD/plimo" >&2; exit 2; }
PROBE=$BUILD/tests/plimo_startup_probe
BENCH=$BUILD/tests/plimo_bench
GAME=$BUILD/plimo
WORK=$(mktemp -d)
XVFB_PID=
GAME_PID=
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# A data folder: empty (first start) or with a profile that names a
# language (main menu) and the display quality.
data_folder() {  # name quality(-1 = none)
  local home=$WORK/$1
  rm -rf "$home"
  mkdir -p "$home/pLiMo"
  if [ "$2" -ge 0 ]; then
    printf '"Version" = "L1.3.4"\r\n"Language" = "%s"\r\n"Display Quality" = %s\r\n' \
      "$home/pLiMo/pLiMo_text_EN.txt" "$2" > "$home/pLiMo/pLiMo_User_Profile.txt"
  fi
  echo "$home"
}

startup() {  # label quality
  local out=$WORK/startup.txt
  : > "$out"
  for _ in $(seq "$RUNS"); do
    local home
    home=$(data_folder startup "$2")
    SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy XDG_DATA_HOME=$home "$PROBE" 180 >> "$out"
  done
  printf '%-34s first frame %6.1f ms  (CPU %6.1f ms)  peak RSS %6.1f MB\n' "$1" \
    "$(awk '{ print $2 }' "$out" | median)" "$(awk '{ print $4 }' "$out" | median)" \
    "$(awk '{ print $6 }' "$out" | median)"
}

if [ -x "$PROBE" ]; then
  echo "== start-up, headless, median of $RUNS cold starts"
  startup "first start (flag screen)" -1
  startup "main menu" 0
fi

if [ -x "$BENCH" ]; then
  echo "== CPU per frame (software renderer)"
  "$BENCH" --benchmark_filter='PlayFrame|MainMenuFrame|StartUp' --benchmark_repetitions="$RUNS" \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median' || true
fi

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

window_cpu() {  # label quality
  local home
  home=$(data_folder window "$2")
  DISPLAY=:$DISPLAY_NUMBER XDG_DATA_HOME=$home SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} "$GAME" &
  GAME_PID=$!
  sleep 3
  # The pointer rests outside the window (a hovered caption trembles).
  DISPLAY=:$DISPLAY_NUMBER xdotool mousemove 0 0 2> /dev/null || echo "(xdotool missing: the pointer stays where it is)"
  sleep 1
  local before after hz
  hz=$(getconf CLK_TCK)
  before=$(cpu_ticks "$GAME_PID")
  sleep 10
  after=$(cpu_ticks "$GAME_PID")
  printf '%-34s CPU %5.1f %% of a core  peak RSS %6.1f MB\n' "$1" \
    "$(echo "($after - $before) * 100 / ($hz * 10)" | bc -l)" \
    "$(awk '/VmHWM/ { print $2 / 1024 }' "/proc/$GAME_PID/status")"
  kill "$GAME_PID"
  wait "$GAME_PID" 2>/dev/null || true
  GAME_PID=
}

if command -v Xvfb > /dev/null; then
  DISPLAY_NUMBER=97
  Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
  XVFB_PID=$!
  sleep 1
  echo "== a window under a virtual X display, pointer still, 10 s"
  window_cpu "flag screen" -1
  window_cpu "main menu, particles" 0
  window_cpu "main menu, low details" 1
fi
