#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds into the folder given as $1 with the CMake options
# that follow. With --tests first, also installs what the tests of the asset
# tools need (Python with PIL and numpy, oggenc, zopflipng), the validators of the
# desktop entry and the AppStream file, and lintian for the Debian package.
# `file` is for CPack's dependency scan (`cpack -G DEB`). Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake pkg-config libsdl2-dev libpng-dev libjpeg-dev
  libvorbis-dev libogg-dev libfreetype-dev libgtest-dev libgmock-dev libbenchmark-dev file)

if [ "${1:-}" = "--tests" ]; then
  PACKAGES+=(python3 python3-pil python3-numpy vorbis-tools zopfli fonts-dejavu-core
    desktop-file-utils appstream lintian)
  shift
fi

bash tools/install_packages.sh "${PACKAGES[@]}"

build_dir="${1:-build}"
shift || true
cmake -S . -B "$build_dir" "$@"
cmake --build "$build_dir" -j "$(nproc)"
