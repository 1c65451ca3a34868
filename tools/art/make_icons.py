#!/usr/bin/python3
"""Writes the desktop icons installed with the game: three shaped blocks of
the game's own first tile styles (a red bar of two cells joined, a blue and
an orange block under it), rendered at each size of the hicolor theme into
dist/icons/hicolor/<size>x<size>/apps/. Deterministic like every generator
here; the icons are committed, so neither the build nor the tests run this."""
import os
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import ROOT, encode_png  # noqa: E402
from screens import block_picture  # noqa: E402

# Installed under the application id a packager chooses (cmake/Install.cmake).
ICON_NAME = "plimo"
SIZES = (48, 64, 128, 256)
# Tile styles by cell: 0 red barley sugar, 2 mandarin, 3 blue dots.
GRID = [[0, 0],
        [3, 2]]


def icon(size):
    """The icon at `size` pixels, the blocks drawn at that size rather than
    scaled, so that the small icons keep sharp outlines."""
    cell = (size * 45 // 100) // 2 * 2
    shadow = max(3, cell // 10)
    blocks = block_picture(GRID, cell, (2 * cell + shadow, 2 * cell + shadow))
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    offset = (size - (2 * cell + shadow)) // 2 + shadow // 2
    img.alpha_composite(blocks, (offset, offset))
    return img


def icon_path(size):
    return os.path.join(ROOT, "dist", "icons", "hicolor", "%dx%d" % (size, size), "apps", ICON_NAME + ".png")


def main():
    written = []
    for size in SIZES:
        path = icon_path(size)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(encode_png(icon(size)))
        written.append(path)
    return written


if __name__ == "__main__":
    for p in main():
        print(os.path.relpath(p))
