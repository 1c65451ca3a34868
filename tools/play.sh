#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh build -DCMAKE_BUILD_TYPE=Release -DPLIMO_TESTS=OFF
exec ./build/plimo
