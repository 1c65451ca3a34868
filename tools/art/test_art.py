#!/usr/bin/python3
"""Checks of the generated pictures in Data/: forms and sizes, seamless
joins of the quarter frames, caption contrast, the pointer hot spot, the
room left for the time digits, transparency where the game draws under or
through a picture, and that the generators reproduce the committed files."""
import io
import os
import random
import sys
import unittest

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import DATA, encode_png  # noqa: E402
from quarters import (FRAME_TABLE, FRAMES, INSET, TL, TR, BR, BL, frames_for_mask,  # noqa: E402
                      neighbour_mask, shape_table_bytes, corner_distance, to_corner)
from common import PeriodicNoise  # noqa: E402
from styles import STYLES, archive_name  # noqa: E402
import colour_check  # noqa: E402
import particles  # noqa: E402
import tiles  # noqa: E402
import ui  # noqa: E402
import make_icons  # noqa: E402

Q = 48
LIGHT_TEXT = {4, 8, 12, 13, 14, 15, 18, 19, 26, 29, 34}
FX = {0: 1, 1: 1, 10: 1, 13: 1, 4: 2, 6: 2, 30: 2, 3: 3, 5: 3, 18: 3}
PNG_FORMS = {
    "pLiMo_fx_shadows.png": (1440, 48), "pLiMo_fx_highlight.png": (1440, 48),
    "souris_curseur_1.png": (213, 256), "souris_curseur_2.png": (213, 256),
    "pLiMo_icones_normales.png": (704, 64), "pLiMo_icones_light.png": (704, 64),
    "pLiMo_chiffres_10x16.png": (100, 16), "menu_barre_vide.png": (64, 768),
    "pLiMo_sprite_plateau.png": (260, 220), "pLiMo_sprite_plateau_highlighted.png": (260, 220),
    "pLiMo_screen_bumper_lite.png": (960, 768), "pLiMo_sprite_bravo.png": (960, 768),
}
JPEGS = ["pLiMo_screen_fond.jpg", "pLiMo_screen_picots.jpg", "pLiMo_screen_menus.jpg",
         "pLiMo_screen_style.jpg", "pLiMo_tuto.jpg"]


def load(name):
    return Image.open(os.path.join(DATA, name))


def rgba(name):
    return np.asarray(load(name).convert("RGBA"), dtype=np.float64) / 255.0


def luminance(c):
    return 0.2126 * c[..., 0] + 0.7152 * c[..., 1] + 0.0722 * c[..., 2]


def relative_luminance(c):
    lin = np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)
    return 0.2126 * lin[..., 0] + 0.7152 * lin[..., 1] + 0.0722 * lin[..., 2]


def strip_frames(arr):
    return [arr[:, i * Q:(i + 1) * Q] for i in range(arr.shape[1] // Q)]


def all_owned_pngs():
    return [archive_name(s[0]) for s in STYLES] + list(PNG_FORMS)


class Forms(unittest.TestCase):
    def test_tile_strips_are_rgba_1440_by_48_with_archive_names(self):
        names = [archive_name(s[0]) for s in STYLES]
        self.assertEqual(len(set(names)), 38)
        self.assertEqual(names[0], "pLiMo_tiles_sucre_orge_rouge_1.png")
        self.assertEqual(names[37], "pLiMo_tiles_chocolat_blanc.png")
        for n in names:
            img = load(n)
            self.assertEqual(img.format, "PNG", n)
            self.assertEqual(img.size, (1440, 48), n)
            self.assertIn("A", img.convert("RGBA").getbands())
            # A palette picture must still carry transparency.
            self.assertTrue(img.mode == "RGBA" or "transparency" in img.info or "A" in img.getbands(), n)

    def test_other_pictures_have_their_sizes(self):
        for n, size in PNG_FORMS.items():
            img = load(n)
            self.assertEqual((img.format, img.size), ("PNG", size), n)
            self.assertTrue(img.mode == "RGBA" or "transparency" in img.info or "A" in img.getbands(), n)
        for n in JPEGS:
            img = load(n)
            self.assertEqual((img.format, img.size), ("JPEG", (960, 768)), n)

    def test_size_budget(self):
        total = sum(os.path.getsize(os.path.join(DATA, n)) for n in all_owned_pngs() + JPEGS)
        self.assertLess(total, 6 * 1024 * 1024)

    def test_fx_modes_of_the_table(self):
        for i, (_, fx, light, _, _) in enumerate(STYLES):
            self.assertEqual(fx, FX.get(i, 0), i)
            self.assertEqual(light, 1 if i in LIGHT_TEXT else 0, i)


class Geometry(unittest.TestCase):
    """The outline functions themselves, before any pixel is drawn."""

    def test_neighbouring_quarters_agree_on_their_border(self):
        # Along a shared border both quarters give the same distance to the
        # outline, for every pair that can meet in a shape.
        t = np.linspace(0.0, Q, 97)
        for grid in random_boards(40, 11):
            for y in range(8):
                for x in range(10):
                    if grid[y][x] < 0:
                        continue
                    f = frames_for_mask(neighbour_mask(grid, x, y))
                    joins = [(f[TL], f[TR], 1), (f[BL], f[BR], 1), (f[TL], f[BL], 0), (f[TR], f[BR], 0)]
                    if x < 9 and grid[y][x + 1] == grid[y][x]:
                        g = frames_for_mask(neighbour_mask(grid, x + 1, y))
                        joins += [(f[TR], g[TL], 1), (f[BR], g[BL], 1)]
                    if y < 7 and grid[y + 1][x] == grid[y][x]:
                        g = frames_for_mask(neighbour_mask(grid, x, y + 1))
                        joins += [(f[BL], g[TL], 0), (f[BR], g[TR], 0)]
                    for a, b, axis in joins:
                        da = quarter_distance(a, np.full_like(t, Q), t) if axis == 1 else \
                            quarter_distance(a, t, np.full_like(t, Q))
                        db = quarter_distance(b, np.zeros_like(t), t) if axis == 1 else \
                            quarter_distance(b, t, np.zeros_like(t))
                        # Deep inside a shape (30 px and more from the outline,
                        # where the shading is flat) each quarter only knows
                        # the outline nearest to it.
                        near = (np.abs(da) < 30) | (np.abs(db) < 30)
                        if near.any():
                            self.assertLess(np.abs(da - db)[near].max(), 1e-9, (a, b, axis))

    def test_fillets_stay_out_of_cells_the_shape_does_not_hold(self):
        # A bend is rounded inside the shape's own cells only: the cell on
        # the open side of the corner may belong to another shape.
        g = np.linspace(-Q, -0.01, 60)
        u, v = np.meshgrid(g, -g)
        self.assertGreaterEqual(corner_distance("vertical+diagonal", u, v).min(), 0.0)    # the side cell
        self.assertGreaterEqual(corner_distance("horizontal+diagonal", -u, -v).min(), 0.0)
        u, v = np.meshgrid(g, g)
        self.assertGreaterEqual(corner_distance("both", u, v).min(), 0.0)                  # the diagonal cell
        self.assertGreaterEqual(corner_distance("neither", u, v).min(), 0.0)


def quarter_distance(frame, x, y):
    pos, case = FRAMES[frame]
    u, v = to_corner(pos, x, y)
    return corner_distance(case, u, v)


class ShapeRule(unittest.TestCase):
    def test_examples(self):
        self.assertEqual(frames_for_mask(0), [20, 21, 23, 22])
        self.assertEqual(frames_for_mask(255), [24, 25, 27, 26])
        self.assertEqual(frames_for_mask(5), [16, 8, 3, 22])
        self.assertEqual(frames_for_mask(20), [20, 1, 12, 18])
        self.assertEqual(frames_for_mask(2), [20, 21, 23, 22])
        self.assertEqual(frames_for_mask(28), [20, 1, 27, 18])

    def test_matches_the_game_shape_table(self):
        # The quarter pictures are numbered as the game's shape table uses
        # them; when that table is present both must agree byte for byte.
        path = os.path.join(DATA, "TabFrame3.bin")
        if not os.path.exists(path):
            self.skipTest("Data/TabFrame3.bin not generated yet")
        with open(path, "rb") as f:
            self.assertEqual(f.read(), shape_table_bytes())

    def test_board_edges_never_match(self):
        grid = [[0] * 10 for _ in range(8)]
        self.assertEqual(neighbour_mask(grid, 9, 3) & (2 | 4 | 8), 0)
        self.assertEqual(neighbour_mask(grid, 0, 0), 4 | 8 | 16)


def join_error(a, b, axis):
    """Largest step of the alpha across the border between quarter a and
    quarter b (b to the right of a for axis 1, below for 0), beyond the
    steps one pixel inside each quarter: a slanted outline changes from row
    to row anyway, a seam changes at the border only."""
    if axis == 1:
        ea, eb, ia, ib = a[:, -1, 3], b[:, 0, 3], a[:, -2, 3], b[:, 1, 3]
    else:
        ea, eb, ia, ib = a[-1, :, 3], b[0, :, 3], a[-2, :, 3], b[1, :, 3]
    return (np.abs(ea - eb) - np.abs(ea - ia) - np.abs(eb - ib)).max()


def column_steps(img, axis):
    """Mean colour step between neighbouring columns (axis 1) or rows."""
    c = img[..., :3]
    return np.abs(np.diff(c, axis=axis)).mean(axis=(1 - axis, 2))


def random_boards(count, seed):
    rng = random.Random(seed)
    for _ in range(count):
        yield [[rng.choice((-1, 0, 0, 0, 1)) for _ in range(10)] for _ in range(8)]


INTERIOR = {TL: 24, TR: 25, BR: 27, BL: 26}


class Seams(unittest.TestCase):
    """Quarters that meet inside a shape must continue its outline, and the
    texture must follow the board, not the quarter."""

    @classmethod
    def setUpClass(cls):
        pairs = set()
        for grid in random_boards(60, 7):
            for y in range(8):
                for x in range(10):
                    if grid[y][x] < 0:
                        continue
                    f = frames_for_mask(neighbour_mask(grid, x, y))
                    pairs.add((f[TL], f[TR], 1))
                    pairs.add((f[BL], f[BR], 1))
                    pairs.add((f[TL], f[BL], 0))
                    pairs.add((f[TR], f[BR], 0))
                    if x < 9 and grid[y][x + 1] == grid[y][x]:
                        g = frames_for_mask(neighbour_mask(grid, x + 1, y))
                        pairs.add((f[TR], g[TL], 1))
                        pairs.add((f[BR], g[BL], 1))
                    if y < 7 and grid[y + 1][x] == grid[y][x]:
                        g = frames_for_mask(neighbour_mask(grid, x, y + 1))
                        pairs.add((f[BL], g[TL], 0))
                        pairs.add((f[BR], g[TR], 0))
        cls.pairs = sorted(pairs)

    def test_random_boards_reach_every_frame(self):
        used = {p[0] for p in self.pairs} | {p[1] for p in self.pairs}
        self.assertEqual(used, set(range(28)))

    def check_outline(self, name):
        frames = strip_frames(rgba(name))
        for a, b, axis in self.pairs:
            self.assertLess(join_error(frames[a], frames[b], axis), 0.15, "%s: frames %d|%d" % (name, a, b))

    def test_outlines_join(self):
        for s in STYLES:
            with self.subTest(style=s[0]):
                self.check_outline(archive_name(s[0]))
        self.check_outline("pLiMo_fx_shadows.png")
        self.check_outline("pLiMo_fx_highlight.png")

    def test_a_misplaced_quarter_is_caught(self):
        # A lone block's top-left corner (20) beside the top-right quarter of
        # a block joined upwards (17) leaves a step in the top edge.
        frames = strip_frames(rgba(archive_name(STYLES[1][0])))
        self.assertGreater(join_error(frames[20], frames[17], 1), 0.5)
        self.assertLess(join_error(frames[20], frames[21], 1), 0.15)

    def test_texture_follows_the_board(self):
        # Away from the outline every quarter shows exactly what the plain
        # interior quarter of its position shows.
        for s in STYLES:
            frames = strip_frames(rgba(archive_name(s[0])))
            for frame, (pos, _) in FRAMES.items():
                f = tiles.field(frame)
                deep = -f.d > s[3].bevel + 2
                diff = np.abs(frames[frame][..., :3] - frames[INTERIOR[pos]][..., :3])[deep]
                self.assertLess(diff.max() if diff.size else 0.0, 3 / 255, (s[0], frame))

    def test_every_pattern_repeats_with_the_cell(self):
        # A texture that does not repeat every 96 px shows a seam at every
        # cell border.
        rng = np.random.RandomState(3)
        bx = rng.uniform(0, 96, (16, 16))
        by = rng.uniform(0, 96, (16, 16))
        for s in STYLES:
            pattern = s[3].pattern
            c0, h0 = pattern(bx, by)
            for dx, dy in ((96, 0), (0, 96), (192, 96)):
                c1, h1 = pattern(bx + dx, by + dy)
                self.assertLess(np.abs(c0 - c1).max(), 1e-6, (s[0], dx, dy))
                if h0 is not None:
                    self.assertLess(np.abs(h0 - h1).max(), 1e-6, (s[0], dx, dy))

    def test_texture_continues_across_cells(self):
        # The step from one cell to the next is no larger than the largest
        # step inside a cell.
        for s in STYLES:
            frames = strip_frames(rgba(archive_name(s[0])))
            row = np.concatenate([frames[24], frames[25], frames[24]], axis=1)
            col = np.concatenate([frames[24], frames[26], frames[24]], axis=0)
            for img, axis in ((row, 1), (col, 0)):
                steps = column_steps(img, axis)
                border = steps[2 * Q - 1]
                inside = np.delete(steps[:2 * Q], [2 * Q - 1]).max()
                self.assertLessEqual(border, inside + 0.02, (s[0], axis))


class FrameMeaning(unittest.TestCase):
    """The corner of the cell a quarter touches is empty exactly when the
    quarter's case leaves it open; the frame numbers follow the table."""

    def corner_alpha(self, frame, pos):
        a = strip_frames(rgba(archive_name(STYLES[2][0])))[frame][..., 3]
        cy = 0 if pos in (TL, TR) else Q - 1
        cx = 0 if pos in (TL, BL) else Q - 1
        inner = a[Q // 2, Q // 2]
        # Midpoints of the two outer sides of the quarter.
        side_v = a[cy, Q // 2]       # on the horizontal cell side
        side_h = a[Q // 2, cx]       # on the vertical cell side
        return a[cy, cx], side_v, side_h, inner

    def test_cases(self):
        for pos, row in FRAME_TABLE.items():
            for case_index, frame in enumerate(row):
                corner, side_v, side_h, inner = self.corner_alpha(frame, pos)
                case = FRAMES[frame][1]
                self.assertEqual(inner, 1.0, frame)
                # The vertical neighbour opens the horizontal cell side.
                self.assertEqual(side_v > 0.5, case.startswith("vertical") or case.startswith("both"), frame)
                self.assertEqual(side_h > 0.5, case.startswith("horizontal") or case.startswith("both"), frame)
                # Only a quarter with all three neighbours fills its corner.
                if case == "both+diagonal":
                    self.assertEqual(corner, 1.0, frame)
                else:
                    self.assertLess(corner, 0.9, frame)

    def test_lone_block_keeps_a_gap_to_the_cell_border(self):
        mini = strip_frames(rgba(archive_name(STYLES[0][0])))
        for frame, pos in ((20, TL), (21, TR), (23, BR), (22, BL)):
            a = mini[frame][..., 3]
            outer_row = a[0] if pos in (TL, TR) else a[-1]
            outer_col = a[:, 0] if pos in (TL, BL) else a[:, -1]
            self.assertLess(max(outer_row.max(), outer_col.max()), 0.05, frame)
            # The inner sides are where the quarters of the cell meet.
            inner_row = a[-1] if pos in (TL, TR) else a[0]
            self.assertGreater(inner_row.max(), 0.99, frame)
        self.assertGreaterEqual(INSET, 2)


class Contrast(unittest.TestCase):
    def interior(self, s):
        frames = strip_frames(rgba(archive_name(STYLES[s][0])))
        return np.concatenate([frames[f][..., :3].reshape(-1, 3) for f in (24, 25, 26, 27)])

    def means(self):
        return [self.interior(s).mean(axis=0) for s in range(38)]

    def test_caption_colour_stays_legible(self):
        # Captions are black, or white at 70 % on light-text styles: the
        # contrast ratio between the caption over the tile and the tile's
        # average interior must reach 4.5 (the usual threshold for text).
        for s, mean in enumerate(self.means()):
            ratio = colour_check.caption_contrast(mean, s in LIGHT_TEXT)
            self.assertGreater(ratio, 4.5, (STYLES[s][0], ratio))

    def test_every_pair_of_styles_differs_in_mean_colour(self):
        labs = [colour_check.to_lab(m) for m in self.means()]
        for i in range(38):
            for j in range(i + 1, 38):
                d = colour_check.delta_e2000(labs[i], labs[j])
                self.assertGreaterEqual(d, 7.5, (STYLES[i][0], STYLES[j][0], d))

    def test_default_styles_differ_under_colour_blindness(self):
        means = self.means()[:6]
        for kind in colour_check.CVD:
            labs = [colour_check.to_lab(colour_check.simulate(m, kind)) for m in means]
            for i in range(6):
                for j in range(i + 1, 6):
                    d = colour_check.delta_e2000(labs[i], labs[j])
                    self.assertGreaterEqual(d, 5.0, (kind, i, j, d))

    def test_light_styles_leave_room_for_highlight_and_shadow(self):
        # The held highlight adds light and the shadow falls on the board:
        # a pale style must not be so close to white that neither shows
        # (strongly coloured ones such as lime may be lighter).
        for s, mean in enumerate(self.means()):
            lab = colour_check.to_lab(mean)
            if np.hypot(lab[1], lab[2]) < 40:
                self.assertLess(lab[0], 91.0, STYLES[s][0])
        board = rgba("pLiMo_screen_picots.jpg")[..., :3].reshape(-1, 3).mean(axis=0)
        for s, mean in enumerate(self.means()):
            d = colour_check.delta_e2000(colour_check.to_lab(mean), colour_check.to_lab(board))
            self.assertGreater(d, 8.0, (STYLES[s][0], d))

    def test_candy_ribbons_are_white_with_soft_edges(self):
        for s in (0, 36):
            c, _ = STYLES[s][3].pattern(*np.meshgrid(np.arange(0, 96, 0.25), np.arange(0, 4, 0.25)))
            white = c.min(axis=-1) > 0.999
            self.assertGreater(white.mean(), 0.3, s)
            # Between ribbon and white the colour passes through in-between
            # values over more than one pixel (sampled every quarter pixel).
            row = c[0, :, 1]
            steps = np.abs(np.diff(row))
            self.assertLess(steps.max(), 0.5, s)

    def test_default_colours_differ_without_hue(self):
        # Styles 0..5 must be told apart in grey alone: by mean lightness or
        # by the strength of their pattern.
        sig = []
        for s in range(6):
            lum = luminance(self.interior(s))
            sig.append((lum.mean(), lum.std()))
        for i in range(6):
            for j in range(i + 1, 6):
                dl = abs(sig[i][0] - sig[j][0])
                dp = abs(sig[i][1] - sig[j][1])
                self.assertTrue(dl > 0.08 or dp > 0.04, (i, j, sig[i], sig[j]))


class Effects(unittest.TestCase):
    def test_shadow_is_dark_and_translucent(self):
        a = rgba("pLiMo_fx_shadows.png")
        covered = a[..., 3] > 0
        self.assertTrue(covered.any())
        self.assertLess(a[..., :3][covered].max(), 0.01)
        self.assertLess(a[..., 3].max(), 0.6)

    def test_highlight_is_brightest_on_the_rim(self):
        frames = strip_frames(rgba("pLiMo_fx_highlight.png"))
        lone = frames[20]
        added = luminance(lone[..., :3]) * lone[..., 3]
        # Along the diagonal from the corner to the centre of the cell.
        diag = [added[i, i] for i in range(Q)]
        self.assertGreater(max(diag[8:20]), 3 * diag[-1])
        self.assertEqual(added[0, 0], 0.0)

    def test_particles_by_fx_mode(self):
        for s, (_, fx, _, _, _) in enumerate(STYLES):
            p = strip_frames(rgba(archive_name(STYLES[s][0])))[28]
            # Drawn additively: visible light, no light outside the round cell.
            self.assertLess(p[0, 0, 3], 0.05, s)
            if fx != 3:
                self.assertGreater((luminance(p[..., :3]) * p[..., 3]).max(), 0.5, s)
                continue
            # Drops and stars fall over the board all the time: a small
            # half-transparent glint about 10 px across, in the tile's hue.
            a = p[..., 3]
            self.assertGreater(a.max(), 0.4, s)
            self.assertLess(a.max(), 0.6, s)
            core = np.hypot(*np.nonzero(a >= a.max() / 2) - np.array([[23.5], [23.5]])).max() * 2 + 1
            self.assertGreater(core, 7, s)
            self.assertLess(core, 14, s)
            self.assertGreater((a > 0.05).sum(), 60, s)
            self.assertLess((a > 0.05).sum(), 400, s)
            lit = p[..., :3][a > 0.1].mean(axis=0)
            self.assertGreater(lit.max() - lit.min(), 0.3, (s, lit))
        bubble = np.asarray(particles.bubble("#ffffff"), dtype=np.float64)[..., 3] / 255.0
        # A bubble is a ring: its skin is brighter than its middle.
        self.assertGreater(bubble[24, 3], bubble[30, 24] + 0.3)


class Pointer(unittest.TestCase):
    def test_fingertip_at_hot_spot(self):
        for n in ("souris_curseur_1.png", "souris_curseur_2.png"):
            a = rgba(n)[..., 3]
            self.assertGreater(a[50, 85], 0.9, n)
            # Nothing of the hand lies far above or left of the tip.
            self.assertLess(a[:35, :].max() if n.endswith("1.png") else 0.0, 0.05, n)
            # Nothing is cut off at the borders of the image.
            border = np.concatenate([a[0], a[-1], a[:, 0], a[:, -1]])
            self.assertLess(border.max(), 0.05, n)
        for n in ("souris_curseur_1.png", "souris_curseur_2.png"):
            img = rgba(n)
            hand = img[..., 3] > 0.5
            ys, xs = np.nonzero(hand)
            # A small hand: about 80 x 120 px of the 213 x 256 picture.
            self.assertLess(xs.max() - xs.min(), 95, n)
            self.assertLess(ys.max() - ys.min(), 140, n)
            self.assertLess(hand.sum(), 7500, n)
            # A thin dark outline: the first solid pixel met from the left
            # on the palm's rows is dark, the glove a few pixels in is light.
            for row in (110, 130, 150):
                x = int(np.argmax(img[row, :, 3] > 0.9))
                self.assertLess(luminance(img[row, x, :3]), 0.35, (n, row))
                self.assertGreater(luminance(img[row, x + 5, :3]), 0.7, (n, row))
        ring = rgba("souris_curseur_2.png")[..., 3]
        rest = rgba("souris_curseur_1.png")[..., 3]
        # The pressed image shows tap rings above the fingertip.
        self.assertGreater(ring[50 - 22, 85], 0.5)
        self.assertLess(rest[50 - 22, 85], 0.05)


class Icons(unittest.TestCase):
    def test_time_icon_leaves_the_digit_rows_free(self):
        for n in ("pLiMo_icones_normales.png", "pLiMo_icones_light.png"):
            time_icon = strip_frames_w(rgba(n), 64)[6]
            bright = luminance(time_icon[..., :3]) * time_icon[..., 3]
            for row in ui.TIME_ROWS:
                for x in ui.DIGIT_X:
                    area = bright[row:row + ui.DIGIT_H, x:x + ui.DIGIT_W]
                    self.assertLess(area.max(), 0.35, (n, row, x))

    def test_every_icon_has_a_picture_and_lit_is_blue(self):
        normal = strip_frames_w(rgba("pLiMo_icones_normales.png"), 64)
        lit = strip_frames_w(rgba("pLiMo_icones_light.png"), 64)
        for i in range(11):
            self.assertGreater((normal[i][..., 3] > 0.9).sum(), 150, i)
            m = lit[i][..., 3] > 0.9
            r, g, b = (lit[i][..., k][m].mean() for k in range(3))
            self.assertGreater(b, r + 0.1, i)
            wm = normal[i][..., 3] > 0.9
            self.assertGreater(normal[i][..., 0][wm].mean(), 0.8, i)

    def test_icons_stay_inside_their_slot(self):
        # Icons are drawn (block size - 48) / 2 below the top of a slot; at
        # block size 56 anything below row 52 would spill into the next slot.
        # The time icon keeps the rows where the game writes the digits.
        for n in ("pLiMo_icones_normales.png", "pLiMo_icones_light.png"):
            for i, icon in enumerate(strip_frames_w(rgba(n), 64)):
                if ui.ICON_NAMES[i] != "time":
                    self.assertLess(icon[ui.FIT_ROWS:, :, 3].max(), 0.3, (n, i))
                self.assertLess(icon[61:, :, 3].max(), 0.3, (n, i))

    def test_digits_are_ten_distinct_white_glyphs(self):
        d = rgba("pLiMo_chiffres_10x16.png")
        cells = [d[:, i * 10:(i + 1) * 10, 3] for i in range(10)]
        for i in range(10):
            self.assertGreater(cells[i].sum(), 10, i)
            for j in range(i + 1, 10):
                self.assertGreater(np.abs(cells[i] - cells[j]).sum(), 5, (i, j))
        self.assertGreater(d[..., :3][d[..., 3] > 0.5].min(), 0.95)


def strip_frames_w(arr, w):
    return [arr[:, i * w:(i + 1) * w] for i in range(arr.shape[1] // w)]


class Screens(unittest.TestCase):
    def test_card_window_is_transparent_and_frame_solid(self):
        for n in ("pLiMo_sprite_plateau.png", "pLiMo_sprite_plateau_highlighted.png"):
            a = rgba(n)[..., 3]
            self.assertEqual(a[30:190, 30:230].max(), 0.0, n)
            self.assertEqual(a[18, 30:230].min(), 1.0, n)
            self.assertEqual(a[30:190, 18].min(), 1.0, n)

    def test_backgrounds_keep_caption_contrast(self):
        fond = luminance(rgba("pLiMo_screen_fond.jpg")[..., :3])
        self.assertLess(fond.mean(), 0.25)
        for n in JPEGS[1:]:
            lum = luminance(rgba(n)[..., :3])
            self.assertGreater(lum.mean(), 0.55, n)
            # Calm: no strong local features that compete with pieces.
            self.assertLess(lum.std(), 0.07, n)

    def test_loading_picture(self):
        b = rgba("pLiMo_screen_bumper_lite.png")
        self.assertEqual(b[..., 3].min(), 1.0)
        lum = luminance(b[..., :3])
        self.assertGreater(lum[360:420, 300:660].mean(), 0.8)   # "Loading..." in black
        self.assertLess(lum[690:740, 200:760].mean(), 0.5)      # hovered language name in white
        self.assertGreater(lum[20:230].std(), 0.1)              # the title is there
        # Below the title nothing but a calm background: the flags of the
        # language screen reach up to y = 247 at the smallest block size.
        self.assertLess(np.abs(np.diff(lum[245:540], axis=1)).max(), 0.06)

    def test_victory_overlay_lets_the_board_show(self):
        a = rgba("pLiMo_sprite_bravo.png")[..., 3]
        self.assertGreater((a == 0).mean(), 0.5)
        self.assertGreater(a[40:220].mean(), 0.2)               # the title
        # A field of stars below the title: light in every quarter of the
        # picture under its top band, outside the middle.
        for rows in (slice(256, 512), slice(512, 768)):
            for cols in (slice(0, 120), slice(840, 960)):
                self.assertGreater((a[rows, cols] > 0.5).sum(), 30, (rows, cols))
        # The top band holds the logo alone: the menus draw it as the logo.
        self.assertLess(a[0:256, 0:150].max(), 0.05)
        self.assertLess(a[0:256, 810:960].max(), 0.05)
        self.assertLess(a[300:680, 150:810].mean(), 0.05)        # the result lines


class ColourMeasures(unittest.TestCase):
    def test_delta_e2000_reference_pairs(self):
        # Published test pairs of the CIE 2000 formula.
        for a, b, d in (((50.0, 2.6772, -79.7751), (50.0, 0.0, -82.7485), 2.0425),
                        ((50.0, 2.5, 0.0), (73.0, 25.0, -18.0), 27.1492),
                        ((60.2574, -34.0099, 36.2677), (60.4626, -34.1751, 39.4387), 1.2644)):
            self.assertAlmostEqual(colour_check.delta_e2000(a, b), d, places=3)

    def test_simulated_dichromats_confuse_their_colours(self):
        red, green = np.array([0.8, 0.3, 0.2]), np.array([0.45, 0.45, 0.2])
        for kind in ("deuteranopia", "protanopia"):
            a = colour_check.to_lab(colour_check.simulate(red, kind))
            b = colour_check.to_lab(colour_check.simulate(green, kind))
            plain = colour_check.delta_e2000(colour_check.to_lab(red), colour_check.to_lab(green))
            self.assertLess(colour_check.delta_e2000(a, b), plain / 2, kind)
        white = np.ones(3)
        for kind in colour_check.CVD:
            self.assertLess(np.abs(colour_check.simulate(white, kind) - white).max(), 0.02, kind)

    def test_contrast_ratio(self):
        self.assertAlmostEqual(colour_check.contrast(np.ones(3), np.zeros(3)), 21.0, places=3)
        self.assertAlmostEqual(colour_check.caption_contrast(np.ones(3), True), 1.0, places=6)


class Helpers(unittest.TestCase):
    def test_png_palette_only_when_lossless(self):
        rng = np.random.RandomState(5)
        few = rng.randint(0, 4, (20, 30)) * 60
        img = Image.fromarray(np.dstack([few, few // 2, 255 - few, (few > 0) * 255]).astype(np.uint8), "RGBA")
        many = Image.fromarray(rng.randint(0, 256, (20, 30, 4)).astype(np.uint8), "RGBA")
        for src in (img, many):
            out = Image.open(io.BytesIO(encode_png(src))).convert("RGBA")
            a, b = np.asarray(src).copy(), np.asarray(out)
            a[a[..., 3] == 0] = 0
            self.assertTrue(np.array_equal(a, b))
        self.assertEqual(Image.open(io.BytesIO(encode_png(img))).mode, "P")
        self.assertEqual(Image.open(io.BytesIO(encode_png(many))).mode, "RGBA")

    def test_noise_wraps_around_its_period(self):
        n = PeriodicNoise(9, period=96).fbm([(3, 1.0), (8, 0.5)])
        x = np.linspace(0, 96, 50)
        self.assertLess(np.abs(n(x, x * 0.5) - n(x + 96, x * 0.5 + 192)).max(), 1e-12)
        self.assertGreater(np.ptp(n(x, x)), 0.1)

    def test_styles_look_different_from_each_other(self):
        # No two styles may be near copies: compare their average colour
        # and the strength of their pattern.
        sig = []
        for s in STYLES:
            frames = strip_frames(rgba(archive_name(s[0])))
            c = np.concatenate([frames[f][..., :3].reshape(-1, 3) for f in (24, 25, 26, 27)])
            sig.append(np.concatenate([c.mean(axis=0), [luminance(c).std() * 2]]))
        for i in range(len(sig)):
            for j in range(i + 1, len(sig)):
                self.assertGreater(np.abs(sig[i] - sig[j]).sum(), 0.08, (STYLES[i][0], STYLES[j][0]))


class Reproducible(unittest.TestCase):
    """The committed files are what the generators make, byte for byte."""

    def same(self, img, name):
        with open(os.path.join(DATA, name), "rb") as f:
            self.assertEqual(encode_png(img), f.read(), name)

    def test_tile_strips_regenerate_identically(self):
        for s in (0, 13, 29):
            stem, fx, _, material, tint = STYLES[s]
            self.same(tiles.strip_image(material, particles.particle(fx, tint)), archive_name(stem))

    def test_ui_pictures_regenerate_identically(self):
        self.same(ui.icon_strip(ui.WHITE), "pLiMo_icones_normales.png")
        self.same(ui.pointer(True), "souris_curseur_2.png")
        self.same(tiles.shadow_strip(), "pLiMo_fx_shadows.png")


class DesktopIcons(unittest.TestCase):
    """The icons installed for the application menu."""

    def test_each_size_is_square_with_a_clear_margin_and_solid_blocks(self):
        for size in make_icons.SIZES:
            with Image.open(make_icons.icon_path(size)) as f:
                img = np.array(f.convert("RGBA"))
            self.assertEqual(img.shape, (size, size, 4), size)
            alpha = img[..., 3]
            self.assertEqual(alpha[0, :].max(), 0, size)
            self.assertEqual(alpha[:, 0].max(), 0, size)
            # The blocks fill most of the icon: a small icon is not a speck.
            self.assertGreater((alpha > 200).mean(), 0.55, size)

    def test_icons_regenerate_identically(self):
        for size in (48, 256):
            with open(make_icons.icon_path(size), "rb") as f:
                self.assertEqual(encode_png(make_icons.icon(size)), f.read(), size)


if __name__ == "__main__":
    unittest.main()
