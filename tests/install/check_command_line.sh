#!/usr/bin/env bash
# The program's command line, run for real: --help and --version print on
# stdout and end with 0 without opening a window; anything else prints the
# usage on stderr and ends with 2.
#   bash check_command_line.sh PROGRAM
set -uo pipefail
program=$1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# No display: a program that tried to open its window would fail instead.
export SDL_VIDEODRIVER=none DISPLAY= WAYLAND_DISPLAY=

run() { "$program" "$@" >"$out" 2>"$err"; echo $?; }
[ "$(run --help)" = 0 ] && grep -q '^Usage: plimo' "$out" && [ ! -s "$err" ] || fail "--help"
[ "$(run --version)" = 0 ] && grep -qx 'pLiMo lite [0-9.]*' "$out" && [ ! -s "$err" ] || fail "--version"
for bad in --bogus -h "--help extra" file.txt; do
  # shellcheck disable=SC2086
  [ "$(run $bad)" = 2 ] && grep -q '^Usage: plimo' "$err" && [ ! -s "$out" ] || fail "'$bad' is not refused with status 2"
done
echo "command line as documented"
