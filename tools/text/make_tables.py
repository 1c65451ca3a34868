#!/usr/bin/python3
"""Writes the shape table Data/TabFrame3.bin and the level bank Data/lite2.lvl."""
import os
import struct
import sys

from shape_rule import frames_for_mask, neighbour_mask, shape_table_bytes

RECORD_SIZE = 404
COLUMNS, ROWS = 10, 8

# The five shipped levels: level id and the cell grid, rows top to bottom.
# A digit is a piece of colour slot digit - 1, "." an empty cell.
LEVELS = (
    (24, """
        . . 3 6 5 . . . . .
        . . 5 . 6 3 3 . 1 .
        1 1 . . . 3 . . 2 .
        . 4 2 1 1 . 3 4 2 .
        . 6 6 4 1 . . 4 . .
        . . 4 . . 6 . . . .
        5 . 5 . 2 . . . . .
        . 2 . 2 6 . 5 3 . .
    """),
    (126, """
        6 . 3 5 1 5 1 5 . .
        1 5 2 2 1 1 5 4 . .
        3 6 6 3 4 3 3 . 2 4
        6 . 5 . . 4 4 4 . 2
        . . 6 . . 1 4 6 . .
        3 . . 4 6 2 . 3 5 .
        2 . . 3 6 . . 1 . .
        4 . . . . 2 2 5 1 2
    """),
    (199, """
        3 4 3 1 . . 3 3 . .
        3 . . 3 6 1 1 . 1 .
        3 4 6 1 5 . 6 6 5 1
        5 5 . 1 6 5 6 4 6 5
        1 4 6 5 3 5 4 1 5 .
        3 . 4 1 6 5 4 6 3 .
        1 . 1 . . 4 4 3 4 4
        . 4 5 . . 3 6 . 6 5
    """),
    (407, """
        3 4 5 6 6 5 3 5 5 6
        4 6 4 6 6 6 6 4 6 3
        5 5 . 4 4 4 5 3 3 .
        5 5 . 6 6 3 3 3 4 .
        . 4 5 . 4 6 5 6 4 3
        3 5 6 6 3 4 3 5 3 .
        4 . 3 4 6 3 5 3 5 4
        3 . 4 . 4 5 3 5 4 6
    """),
    (271, """
        4 1 4 1 1 1 3 . 1 5
        5 1 . . . 1 4 5 . 5
        1 4 5 5 5 . . 4 3 3
        5 3 5 4 1 1 3 3 4 4
        . 5 . 1 4 4 4 1 1 4
        3 3 . 1 3 4 3 3 . .
        5 3 . 4 4 5 . 3 4 5
        5 1 5 3 3 3 4 1 5 .
    """),
)


def parse_grid(text):
    rows = [line.split() for line in text.strip().splitlines()]
    if len(rows) != ROWS or any(len(r) != COLUMNS for r in rows):
        raise ValueError("a level grid must be 10 columns by 8 rows")
    grid = [[0 if c == "." else int(c) for c in row] for row in rows]
    if any(not 0 <= v <= 6 for row in grid for v in row):
        raise ValueError("cell values are 0..6")
    return grid


def level_record(level_id, grid):
    record = bytearray(struct.pack("<HH", level_id, 0))  # the record link starts at 0
    for row in grid:
        record.extend(row)
    for y in range(ROWS):
        for x in range(COLUMNS):
            if grid[y][x] == 0:
                record.extend((0, 0, 0, 0))
            else:
                record.extend(frames_for_mask(neighbour_mask(grid, x, y)))
    assert len(record) == RECORD_SIZE
    return bytes(record)


def level_bank_bytes():
    return b"".join(level_record(level_id, parse_grid(text)) for level_id, text in LEVELS)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(data_dir):
    write(os.path.join(data_dir, "TabFrame3.bin"), shape_table_bytes())
    write(os.path.join(data_dir, "lite2.lvl"), level_bank_bytes())


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "Data"))
