#!/usr/bin/env bash
# Regenerates every file under Data/ from the generators in tools/: the shape
# table, the level bank, the language files, the font, the flags, then the
# pictures and the sounds. The outputs are committed, so neither the build nor
# the tests run this; it needs Debian's python3 with PIL, numpy and fontTools
# and the font packages named in licences/fonts/README.md.
set -euo pipefail
cd "$(dirname "$0")/.."
PY=/usr/bin/python3

PACKAGES=(python3-pil python3-numpy python3-fonttools fonts-comfortaa fonts-dejavu-core fonts-droid-fallback fonts-noto-core vorbis-tools zopfli)
bash tools/install_packages.sh "${PACKAGES[@]}"

mkdir -p Data
$PY tools/text/make_tables.py Data
$PY tools/text/make_languages.py Data
$PY tools/text/make_listing.py dist  # the desktop entry and the listing, from the same language modules
$PY tools/text/make_font.py Data   # after the language files: it keeps the characters they use
$PY tools/text/make_flags.py Data
for generator in tools/art/make_all.py tools/audio/make_all.py; do
  if [ -f "$generator" ]; then
    $PY "$generator"
  else
    echo "skipped $generator (not present)"
  fi
done
echo "Data/ regenerated: $(ls Data | wc -l) files"
