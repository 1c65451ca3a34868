#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in a
# normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

bash tools/setup.sh --tests build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build-test --output-on-failure -j "$jobs"

bash tools/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DPLIMO_SANITIZE=ON -DPLIMO_BENCHMARKS=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
