#!/usr/bin/env bash
# Builds the Debian package of a build folder with CPack and checks it: the
# file list (dpkg-deb -c), the dependencies found by dpkg-shlibdeps, then an
# install into a throw-away root with `dpkg --root`, and a purge that must
# leave nothing behind. Exits 77 (skipped) when cpack or dpkg is missing.
#   bash tools/check_package.sh [build folder, default build]
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
for tool in cpack dpkg dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool not installed: skipped"; exit 77; }
done
id=example.tilecraft.plimo
work="$build/test-tmp/debian_package"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

if ! (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"
  exit 1
fi
deb=$(echo "$work"/out/plimo_*.deb)
[ -f "$deb" ] || { echo "no package made"; cat "$work/cpack.log"; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

fail() { echo "FAIL: $*"; exit 1; }
expected=(
  ./usr/bin/plimo
  ./usr/share/applications/$id.desktop
  ./usr/share/metainfo/$id.metainfo.xml
  ./usr/share/icons/hicolor/48x48/apps/$id.png
  ./usr/share/icons/hicolor/256x256/apps/$id.png
  ./usr/share/plimo/plimo-help.html
  ./usr/share/man/man6/plimo.6
  ./usr/share/doc/plimo/licences/fonts/README.md
)
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in "${expected[@]}"; do
  grep -qx -- "$f" <<<"$listing" || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libsdl2 <<<"$depends" || fail "Depends lacks SDL2: $depends"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "not in section games"

# An empty dpkg database in a scratch root: the package's dependencies are
# not there, which --force-depends lets pass; the files are what is checked.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg_root() { dpkg --root="$root" --force-not-root --force-depends --log=/dev/null "$@"; }
dpkg_root -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
for f in "${expected[@]}"; do
  [ -f "$root/$f" ] || fail "$f not installed"
done
[ -x "$root/usr/bin/plimo" ] || fail "the program is not executable"
dpkg_root --purge plimo >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg --purge"; }
left=$(find "$root" -mindepth 1 -path "$root/var" -prune -o -print)
[ -z "$left" ] || fail "left behind after purge: $left"
echo "installed and purged cleanly"
