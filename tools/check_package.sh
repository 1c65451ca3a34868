#!/usr/bin/env bash
# Builds the Debian package of a build folder with CPack and checks it: the
# file list (dpkg-deb -c), the dependencies found by dpkg-shlibdeps, then an
# install into a throw-away root with `dpkg --root`, and a purge that must
# leave nothing behind; lintian, where it is installed, must report no error,
# no warning and no missing hardening (tags of the information level). Exits 77 (skipped) when
# cpack, dpkg or the file program (CPack's dependency scan needs it) is
# missing.
#   bash tools/check_package.sh [build folder, default build] [application id]
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
for tool in cpack dpkg dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool not installed: skipped"; exit 77; }
done
id=${2:-$(sed -n 's/^PLIMO_APP_ID:STRING=//p' "$build/CMakeCache.txt")}
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
  ./usr/games/plimo
  ./usr/share/applications/$id.desktop
  ./usr/share/metainfo/$id.metainfo.xml
  ./usr/share/icons/hicolor/48x48/apps/$id.png
  ./usr/share/icons/hicolor/256x256/apps/$id.png
  ./usr/share/plimo/plimo-help.html
  ./usr/share/man/man6/plimo.6.gz
  ./usr/share/doc/plimo/copyright
  ./usr/share/doc/plimo/changelog.gz
  ./usr/share/doc/plimo/licences/fonts/README.md
)
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in "${expected[@]}"; do
  grep -qx -- "$f" <<<"$listing" || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libsdl2 <<<"$depends" || fail "Depends lacks SDL2: $depends"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "not in section games"
[ "$(dpkg-deb -f "$deb" Recommends)" = xdg-utils ] || fail "does not recommend xdg-utils"

if command -v lintian >/dev/null 2>&1; then
  # The hardening tags are of the information level, shown with -I.
  report=$(lintian --display-info --tag-display-limit 0 "$deb" 2>&1 || true)
  tags=$(grep -E '^[EW]: |hardening' <<<"$report" || true)
  [ -z "$tags" ] || fail "lintian: $tags"
  echo "lintian: no error, no warning, no missing hardening"
else
  echo "lintian not installed: package not linted"
fi

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
[ -x "$root/usr/games/plimo" ] || fail "the program is not executable"
dpkg_root --purge plimo >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg --purge"; }
left=$(find "$root" -mindepth 1 -path "$root/var" -prune -o -print)
[ -z "$left" ] || fail "left behind after purge: $left"
echo "installed and purged cleanly"
