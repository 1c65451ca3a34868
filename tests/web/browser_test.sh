#!/usr/bin/env bash
# The browser test (see web_tests.cmake): $1 the desktop reference program,
# $2 a scratch folder for its output and the browser's screens.
set -euo pipefail
reference="$1"
out="$2"
cd "$(dirname "$0")/../.."
rm -rf "$out"
mkdir -p "$out/desktop" "$out/browser"
bash tools/web.sh --build-only >"$out/web-build.log" 2>&1 || { tail -30 "$out/web-build.log"; exit 1; }
PLIMO_WEB_REFERENCE="$out/desktop" "$reference" --gtest_brief=1
/usr/bin/python3 tests/web/browser_play.py build-web "$out/desktop" "$out/browser"
