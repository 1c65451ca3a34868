#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in a
# normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the browser version in headless Chromium (a step of its own; skip it
# with --no-browser).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"
browser=1
[ "${1:-}" = "--no-browser" ] && browser=0
began=$(date +%s)
step() { echo "== $1: $(( $(date +%s) - began )) s since the start"; }

# Line tables are all the debug information a failing test's trace needs:
# they take a third less compile time than the full set.
bash tools/setup.sh --tests build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
step "normal build"
ctest --test-dir build-test --output-on-failure -j "$jobs" -E '^browser_play$'
step "normal tests"

# -O1, as the sanitizers' own documentation advises: the checks stay, the
# game-length tests (hints and solutions of every level) take much less time.
bash tools/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O1" \
  -DCMAKE_C_FLAGS_DEBUG="-g1 -O1" -DPLIMO_SANITIZE=ON -DPLIMO_BENCHMARKS=OFF
step "sanitizer build"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
step "sanitizer tests"

# The browser version: Emscripten and Chromium, then the test that builds
# build-web/ and plays it (registered once emcmake and chromium are found).
if [ "$browser" = 1 ]; then
  start=$(date +%s)
  bash tools/install_packages.sh emscripten libstb-dev chromium python3-websocket python3-pil
  cmake -S . -B build-test >/dev/null
  cmake --build build-test -j "$jobs" --target web_reference
  step "browser build"
  ctest --test-dir build-test --output-on-failure -R '^browser_play$' --no-tests=error
  echo "browser step: $(( $(date +%s) - start )) s"
  step "browser test"
fi
