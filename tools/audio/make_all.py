"""Regenerates every sound effect and music track of Data/ from the
generators in this folder, then prints the measurements of the results and
fails when a music loop misses its brightness, length or seam targets.

    python3 tools/audio/make_all.py [--quiet]

Needs numpy and the vorbis-tools encoder (oggenc). The output is the same
byte for byte on every run: all noise is seeded and each Ogg stream has a
fixed serial number.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from debian_python import ensure_numpy  # noqa: E402
ensure_numpy()

import analyse  # noqa: E402
from audio_io import write_ogg, write_wav  # noqa: E402
import effects  # noqa: E402
import music  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(HERE))
EFFECT_QUALITY = 5
MUSIC_QUALITY = 3


def save(name, signal, serial, quality):
    """Writes next to the target first and then renames, so an interrupted
    run never leaves a half-written asset behind."""
    path = os.path.join(ROOT, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    partial = path + '.partial'
    if serial is None:
        write_wav(partial, signal)
    else:
        write_ogg(partial, signal, serial, quality)
    os.replace(partial, path)


def main():
    quiet = '--quiet' in sys.argv[1:]
    for name, builder, role, serial in effects.EFFECTS:
        save(name, effects.render(builder, role), serial, EFFECT_QUALITY)
        if not quiet:
            print('wrote', name)
    for name, builder, _loops, serial in music.TRACKS:
        save(name, builder(), serial, MUSIC_QUALITY)
        if not quiet:
            print('wrote', name)
    rows = analyse.all_rows()
    if not quiet:
        analyse.print_rows(rows)
    looping = {name for name, _b, loops, _s in music.TRACKS if loops}
    failed = False
    for row in rows:
        if row['file'] in looping:
            for problem in analyse.loop_problems(row):
                print('%s: %s' % (row['file'], problem), file=sys.stderr)
                failed = True
    if failed:
        sys.exit('the music misses its targets')


if __name__ == '__main__':
    main()
