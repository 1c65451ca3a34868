#!/usr/bin/env bash
# The game in a web browser: installs what the browser build needs (Debian's
# emscripten and the stb headers), builds build-web/index.html with
# plimo.js and plimo.wasm (the game's archive inside), then serves that
# folder at http://localhost:8000/ until Ctrl+C.
#   bash tools/web.sh                 build and serve
#   bash tools/web.sh --port 8080     serve on another port
#   bash tools/web.sh --build-only    build, do not serve
set -euo pipefail
cd "$(dirname "$0")/.."

serve=1
port=8000
while [ $# -gt 0 ]; do
  case "$1" in
    --build-only) serve=0 ;;
    --port) port="$2"; shift ;;
    *) echo "usage: bash tools/web.sh [--build-only] [--port N]" >&2; exit 2 ;;
  esac
  shift
done

bash tools/install_packages.sh emscripten libstb-dev cmake make python3

# Emscripten's tools run on node and need its Debian modules (acorn), also
# when another node comes first on the PATH.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build-web -j "$(nproc)"

if [ "$serve" = 1 ]; then
  echo "pLiMo lite: open http://localhost:$port/ in a web browser (Ctrl+C stops)."
  exec python3 -m http.server --bind 127.0.0.1 --directory build-web "$port"
fi
