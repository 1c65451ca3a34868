#!/usr/bin/python3
"""Regenerates every picture of Data/ that the art tools own: tile strips,
shadow and highlight strips, icons, digits, side bar, level cards, pointer
images, backgrounds, the loading picture and the victory overlay; and the
desktop icons installed with the game (dist/icons/).
Deterministic: fixed seeds, no clock, so two runs give identical files."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import make_icons  # noqa: E402
import make_tiles  # noqa: E402
import screens  # noqa: E402
import ui  # noqa: E402


def main():
    written = make_tiles.main() + ui.main() + screens.main() + make_icons.main()
    for p in written:
        print(os.path.relpath(p))
    return written


if __name__ == "__main__":
    main()
