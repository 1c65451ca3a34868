"""The quarter-frame rule that joins same-coloured neighbours into one shape.

A cell's neighbour mask has one bit per surrounding cell, clockwise from
north: N=1, NE=2, E=4, SE=8, S=16, SW=32, W=64, NW=128. Each quarter of the
cell looks at its vertical neighbour, its horizontal neighbour and the
diagonal between them, and picks one of seven frames.
"""

NORTH, NORTH_EAST, EAST, SOUTH_EAST = 1, 2, 4, 8
SOUTH, SOUTH_WEST, WEST, NORTH_WEST = 16, 32, 64, 128

# (vertical bit, horizontal bit, diagonal bit, frames) per quarter, in the
# order top-left, top-right, bottom-right, bottom-left. Frames are listed as
# neither, vertical only, vertical + diagonal, horizontal only,
# horizontal + diagonal, both, both + diagonal.
QUARTERS = (
    (NORTH, WEST, NORTH_WEST, (20, 16, 14, 0, 9, 7, 24)),
    (NORTH, EAST, NORTH_EAST, (21, 17, 15, 1, 6, 8, 25)),
    (SOUTH, EAST, SOUTH_EAST, (23, 19, 5, 3, 10, 12, 27)),
    (SOUTH, WEST, SOUTH_WEST, (22, 18, 4, 2, 13, 11, 26)),
)

# Grid offsets of the eight neighbours, in bit order.
NEIGHBOURS = ((0, -1), (1, -1), (1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1))


def quarter_frame(mask, vertical, horizontal, diagonal, frames):
    v = bool(mask & vertical)
    h = bool(mask & horizontal)
    d = bool(mask & diagonal)
    if not v and not h:
        return frames[0]  # the diagonal alone never counts
    if v and not h:
        return frames[2] if d else frames[1]
    if h and not v:
        return frames[4] if d else frames[3]
    return frames[6] if d else frames[5]


def frames_for_mask(mask):
    """The four quarter frames (top-left, top-right, bottom-right, bottom-left)."""
    return [quarter_frame(mask, *q) for q in QUARTERS]


def shape_table_bytes():
    out = bytearray()
    for mask in range(256):
        out.extend(frames_for_mask(mask))
    return bytes(out)


def neighbour_mask(grid, x, y):
    """Mask of the cells around (x, y) holding the same non-empty value.

    grid is a list of rows; cells off the grid never match and 0 is empty.
    """
    value = grid[y][x]
    mask = 0
    for bit, (dx, dy) in enumerate(NEIGHBOURS):
        nx, ny = x + dx, y + dy
        if 0 <= ny < len(grid) and 0 <= nx < len(grid[ny]) and grid[ny][nx] == value:
            mask |= 1 << bit
    return mask
