#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds into the folder given as $1 with the CMake options
# that follow. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake pkg-config libsdl2-dev libpng-dev libjpeg-dev
  libvorbis-dev libogg-dev libfreetype-dev libgtest-dev libgmock-dev libbenchmark-dev)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

build_dir="${1:-build}"
shift || true
cmake -S . -B "$build_dir" "$@"
cmake --build "$build_dir" -j "$(nproc)"
