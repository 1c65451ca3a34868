"""Geometry of the 28 quarter frames that make up every block shape.

A board cell (96 px at the reference block size) is drawn as four 48 x 48
quarters. Each quarter looks at the three cells around its own corner of the
cell: the vertical neighbour, the horizontal neighbour and the diagonal one.
This module knows which frame number stands for which case and gives, for
every pixel of a quarter, the signed distance to the outline of the shape
(negative inside), computed in the quarter's own corner frame so that the
outlines of neighbouring quarters meet exactly."""
import numpy as np

Q = 48            # quarter side in pixels
CELL = 2 * Q      # cell side at the reference block size
INSET = 4.0       # gap from the cell edge to a free side of the shape
OUTER_R = 22.0    # radius of the rounded outer corners
# Radius of the concave fillet where a shape bends. It must stay below
# about 3.4 x INSET so the fillet never reaches into the diagonal cell,
# which may belong to another shape or be empty.
INNER_R = 12.0

# Quarter positions, clockwise from the top-left, as in a block's frames.
TL, TR, BR, BL = 0, 1, 2, 3
CASES = ("neither", "vertical", "vertical+diagonal", "horizontal",
         "horizontal+diagonal", "both", "both+diagonal")
FRAME_TABLE = {
    TL: (20, 16, 14, 0, 9, 7, 24),
    TR: (21, 17, 15, 1, 6, 8, 25),
    BR: (23, 19, 5, 3, 10, 12, 27),
    BL: (22, 18, 4, 2, 13, 11, 26),
}
# frame number -> (quarter position, case name)
FRAMES = {f: (pos, CASES[i]) for pos, row in FRAME_TABLE.items() for i, f in enumerate(row)}
assert sorted(FRAMES) == list(range(28))

# Neighbour bits: N, NE, E, SE, S, SW, W, NW.
DIRS = [(0, -1), (1, -1), (1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1)]
# (vertical bit, horizontal bit, diagonal bit) per quarter position.
QUARTER_BITS = {TL: (0, 6, 7), TR: (0, 2, 1), BR: (4, 2, 3), BL: (4, 6, 5)}


def case_of(vertical, horizontal, diagonal):
    if not vertical and not horizontal:
        return "neither"
    if vertical and not horizontal:
        return "vertical+diagonal" if diagonal else "vertical"
    if horizontal and not vertical:
        return "horizontal+diagonal" if diagonal else "horizontal"
    return "both+diagonal" if diagonal else "both"


def frames_for_mask(mask):
    """The four quarter frames (TL, TR, BR, BL) of a neighbour mask."""
    out = []
    for pos in (TL, TR, BR, BL):
        v, h, d = (bool(mask >> b & 1) for b in QUARTER_BITS[pos])
        out.append(FRAME_TABLE[pos][CASES.index(case_of(v, h, d))])
    return out


def shape_table_bytes():
    """The 1024-byte shape table: four frames per neighbour mask."""
    return bytes(f for m in range(256) for f in frames_for_mask(m))


def neighbour_mask(grid, x, y):
    """grid[y][x] holds a kind or -1; off-board and empty cells never match."""
    kind = grid[y][x]
    mask = 0
    for bit, (dx, dy) in enumerate(DIRS):
        nx, ny = x + dx, y + dy
        if 0 <= ny < len(grid) and 0 <= nx < len(grid[0]) and kind >= 0 and grid[ny][nx] == kind:
            mask |= 1 << bit
    return mask


def _rounded_quadrant(u, v, radius):
    """Signed distance to the quadrant u >= 0, v >= 0 whose corner is rounded."""
    qx = radius - u
    qy = radius - v
    outside = np.hypot(np.maximum(qx, 0.0), np.maximum(qy, 0.0))
    inside = np.minimum(np.maximum(qx, qy), 0.0)
    return outside + inside - radius


def corner_distance(case, u, v):
    """Signed distance in the corner frame: (0, 0) is the cell corner the
    quarter touches, u runs from it along the horizontal side into the cell,
    v along the vertical side."""
    m = INSET
    if case == "neither":
        return _rounded_quadrant(u - m, v - m, OUTER_R)
    if case == "vertical":
        return m - u + 0.0 * v
    if case == "horizontal":
        return m - v + 0.0 * u
    if case == "both":
        return -_rounded_quadrant(m - u, m - v, INNER_R)
    if case == "vertical+diagonal":
        return -_rounded_quadrant(m - u, v + m, INNER_R)
    if case == "horizontal+diagonal":
        return -_rounded_quadrant(u + m, m - v, INNER_R)
    return np.full(np.broadcast(u, v).shape, -1000.0)


def to_corner(pos, x, y):
    """Quarter pixel coordinates -> corner frame coordinates."""
    u = x if pos in (TL, BL) else Q - x
    v = y if pos in (TL, TR) else Q - y
    return u, v


class QuarterField:
    """Per-pixel geometry of one quarter frame: the signed distance `d`, the
    outward unit gradient (`gx`, `gy`) and the coordinates (`bx`, `by`) of the
    pixel centres inside the cell (0..96), where textures are sampled: a
    quarter of a given position always lands on the same half of a cell, so
    a texture that repeats every 96 px continues across quarters and cells."""

    def __init__(self, frame, size=Q):
        pos, case = FRAMES[frame]
        self.frame, self.pos, self.case = frame, pos, case
        scale = Q / size
        idx = (np.arange(size) + 0.5) * scale
        x, y = np.meshgrid(idx, idx)
        self.d = self._dist(x, y)
        e = 0.5
        gx = self._dist(x + e, y) - self._dist(x - e, y)
        gy = self._dist(x, y + e) - self._dist(x, y - e)
        n = np.hypot(gx, gy)
        n[n == 0] = 1.0
        self.gx, self.gy = gx / n, gy / n
        self.bx = x + (Q if pos in (TR, BR) else 0)
        self.by = y + (Q if pos in (BR, BL) else 0)
        self.coverage = np.clip(0.5 - self.d / scale, 0.0, 1.0)

    def _dist(self, x, y):
        u, v = to_corner(self.pos, x, y)
        return corner_distance(self.case, u, v)
