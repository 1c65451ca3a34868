"""The 38 tile styles: archive name, particle behaviour, caption colour and
the look of each one."""
import numpy as np

from common import rgb, mix, fill, smoothstep, PeriodicNoise, PeriodicWaves
from patterns import band, phase, grid_dist, dome, diamond_dist, star, scales, square_pillow
from tiles import Material

SQ2 = np.sqrt(2.0)


def _shape(bx):
    return np.shape(bx)


# --- candies --------------------------------------------------------------

def barley_sugar(colour, light, line):
    """Twisted stick candy: wide coloured ribbons and light ribbons turning
    diagonally, each ribbon shaded across as if it were round."""
    colour, light, line = rgb(colour), rgb(light), rgb(line)

    def pattern(bx, by):
        u = bx + by
        p = phase(u, 48.0)
        # Edges ramp over about 1.5 px across the diagonal ribbons.
        ribbon = smoothstep(0.01, 0.055, p) * smoothstep(0.54, 0.495, p)
        thin = band(u - 36.0, 48.0, 3.0, 1.6)
        # Only the coloured ribbons are shaded by the twist: the light ones
        # stay pure white.
        twist = (0.86 + 0.22 * np.sin(2 * np.pi * p * 2.0 - 0.6))[..., None]
        c = mix(light, colour * twist, ribbon)
        c = mix(c, line * twist, thin)
        return c, None
    return pattern


def plain(colour, noise_seed=None, amount=0.0, cells=((6, 1.0), (12, 0.6), (24, 0.3)), tint=None):
    colour = rgb(colour)
    tint = rgb(tint) if tint else colour * 0.8
    noise = PeriodicNoise(noise_seed).fbm(list(cells)) if noise_seed is not None else None

    def pattern(bx, by):
        if noise is None:
            return fill(_shape(bx), colour), None
        n = noise(bx, by)
        return mix(colour, tint, smoothstep(0.3, 0.75, n) * amount), None
    return pattern


def fizz(colour, dot, seed):
    colour, dot = rgb(colour), rgb(dot)
    rng = np.random.RandomState(seed)
    pts = rng.rand(26, 3) * [96, 96, 1]

    def pattern(bx, by):
        cov = np.zeros(_shape(bx))
        for px, py, s in pts:
            dx = (bx - px + 48) % 96 - 48
            dy = (by - py + 48) % 96 - 48
            r = 1.2 + 2.0 * s
            cov = np.maximum(cov, smoothstep(r + 0.8, r - 0.8, np.hypot(dx, dy)) * (0.35 + 0.5 * s))
        return mix(colour, dot, cov), None
    return pattern


def polka(base, dot, period, radius, stagger=True, raised=0.0):
    base, dot = rgb(base), rgb(dot)

    def pattern(bx, by):
        dist, _, _ = grid_dist(bx, by, period, stagger)
        cov = smoothstep(radius + 0.8, radius - 0.8, dist)
        h = dome(dist, radius, raised) if raised else None
        return mix(base, dot, cov), h
    return pattern


def gingham(base, tint, period=24.0, width=12.0):
    base, tint = rgb(base), rgb(tint)

    def pattern(bx, by):
        v = band(bx + period / 2, period, width, 0.6)
        h = band(by + period / 2, period, width, 0.6)
        thread = 0.04 * np.sin(bx * np.pi / 2.0) * np.sin(by * np.pi / 2.0)
        c = mix(base, tint, 0.5 * v + 0.5 * h + thread)
        return c, None
    return pattern


def marble(a, b, seed, contrast=1.0):
    a, b = rgb(a), rgb(b)
    noise = PeriodicWaves(seed, ((1.5, 3.2, 6, 1.0), (3.2, 6.5, 8, 0.55), (6.5, 12.5, 10, 0.3)), spread=0.13)

    def pattern(bx, by):
        n = noise(bx, by)
        v = 0.5 + 0.5 * np.sin((n * 9.0 + bx / 48.0 * np.pi) * 2.0)
        return mix(a, b, v * contrast), None
    return pattern


# --- materials with relief ---------------------------------------------------

def wood(light, dark, seed):
    light, dark = rgb(light), rgb(dark)
    warp = PeriodicNoise(seed).fbm([(4, 1.0), (8, 0.5)])
    fine = PeriodicNoise(seed + 1).fbm([(4, 1.0), (8, 0.6)])

    def pattern(bx, by):
        w = warp(bx, by)
        rings = phase(by + 4.0 * w + 1.2 * np.sin(bx * np.pi / 48.0), 12.0)
        late = smoothstep(0.70, 0.82, rings) * smoothstep(1.0, 0.92, rings)
        streak = fine(bx, by * 8.0)
        c = mix(light, dark, 0.12 + 0.7 * late + 0.35 * (streak - 0.5))
        return c, None
    return pattern


def bricks(brick, mortar, seed):
    brick, mortar = rgb(brick), rgb(mortar)
    noise = PeriodicNoise(seed).fbm([(12, 1.0), (24, 0.7), (48, 0.5)])
    rng = np.random.RandomState(seed)
    shades = rng.uniform(0.85, 1.1, size=(4, 2))

    def pattern(bx, by):
        row = np.floor(by / 24.0)
        shift = (row % 2) * 24.0
        lx = (bx + shift) % 48.0
        ly = by % 24.0
        col = np.floor(((bx + shift) % 96.0) / 48.0)
        e = np.minimum(np.minimum(lx, 48 - lx), np.minimum(ly, 24 - ly))
        body = smoothstep(1.3, 2.8, e)
        k = shades[(row % 4).astype(int), col.astype(int)]
        c = brick * (k * (0.88 + 0.24 * noise(bx, by)))[..., None]
        c = mix(mortar * (0.9 + 0.2 * noise(bx * 3, by * 3))[..., None], c, body)
        h = 2.2 * np.clip(e / 3.0, 0, 1)
        return c, h
    return pattern


def studs(colour, period=48.0, radius=12.5):
    colour = rgb(colour)

    def pattern(bx, by):
        dist, lx, ly = grid_dist(bx, by, period)
        top = smoothstep(radius + 0.7, radius - 0.7, dist)
        h = 4.0 * top + 0.3 * smoothstep(radius - 2.5, radius - 4.5, dist)
        ring = smoothstep(radius - 3.0, radius - 1.5, dist) * top
        c = mix(colour, colour * 1.25, ring * 0.5)
        # A little shadow to the lower right of each stud.
        sh = smoothstep(radius + 5.0, radius, np.hypot(lx - 3.0, ly - 3.0)) * (1 - top)
        c = c * (1.0 - 0.35 * sh)[..., None]
        return c, h
    return pattern


def chocolate(colour, period=48.0, bevel=5.0, groove=1.0):
    colour = rgb(colour)

    def pattern(bx, by):
        p = square_pillow(bx, by, period, bevel, groove)
        c = colour * (0.82 + 0.18 * p)[..., None]
        return c, 3.5 * p
    return pattern


def harlequin(a, b, line, period=24.0):
    a, b, line = rgb(a), rgb(b), rgb(line)

    def pattern(bx, by):
        u = (bx + by) / period
        v = (bx - by) / period
        parity = (np.floor(u) + np.floor(v)) % 2
        fu = np.abs(u - np.round(u)) * period / SQ2
        fv = np.abs(v - np.round(v)) * period / SQ2
        seam = smoothstep(1.4, 0.4, np.minimum(fu, fv))
        # Each diamond bulges a little: highest in its middle.
        h = 1.8 * np.clip(np.minimum(fu, fv) / 4.0, 0, 1)
        c = mix(a, b, parity)
        return mix(c, line, seam * 0.8), h
    return pattern


def dragon_scales(body, rim, seed):
    body, rim = rgb(body), rgb(rim)
    noise = PeriodicNoise(seed).fbm([(6, 1.0), (12, 0.5)])

    def pattern(bx, by):
        s = scales(bx, by, 24.0, 6)
        edge = smoothstep(0.72, 0.98, s)
        c = mix(body * (0.8 + 0.4 * noise(bx, by))[..., None], rim, edge)
        c = c * (1.15 - 0.35 * s)[..., None]
        return c, 2.5 * (1.0 - s * s)
    return pattern


def stars_on(base, star_colour, period, radius, second=None, noise_seed=None):
    base, star_colour = rgb(base), rgb(star_colour)
    noise = PeriodicNoise(noise_seed).fbm([(3, 1.0), (6, 0.5)]) if noise_seed is not None else None

    def pattern(bx, by):
        cov = star(bx, by, period, radius)
        c = fill(_shape(bx), base)
        if noise is not None:
            c = c * (0.8 + 0.4 * noise(bx, by))[..., None]
        if second:
            cov2 = star(bx, by, period, second, offset=(period / 2, period / 4), points=4, sharp=4)
            c = mix(c, star_colour * 0.8, cov2)
        return mix(c, star_colour, cov), 1.4 * cov
    return pattern


def night_sky(base, seed):
    base = rgb(base)
    rng = np.random.RandomState(seed)
    pts = rng.rand(30, 3)
    noise = PeriodicNoise(seed + 3).fbm([(3, 1.0), (6, 0.6)])

    def pattern(bx, by):
        c = base * (0.75 + 0.5 * noise(bx, by))[..., None]
        c = c + np.array([0.10, 0.05, 0.18]) * smoothstep(0.55, 0.8, noise(bx + 30, by))[..., None]
        for px, py, s in pts:
            dx = (bx - px * 96 + 48) % 96 - 48
            dy = (by - py * 96 + 48) % 96 - 48
            r = np.hypot(dx, dy)
            glow = np.exp(-(r / (0.6 + 1.3 * s)) ** 2) * (0.5 + 0.6 * s)
            c = c + glow[..., None] * np.array([0.95, 0.95, 1.0])
        return c, None
    return pattern


def craters(base, seed):
    base = rgb(base)
    rng = np.random.RandomState(seed)
    pts = rng.rand(9, 3)
    noise = PeriodicNoise(seed + 1).fbm([(8, 1.0), (16, 0.6), (32, 0.4)])

    def pattern(bx, by):
        h = 0.8 * noise(bx, by)
        for px, py, s in pts:
            dx = (bx - px * 96 + 48) % 96 - 48
            dy = (by - py * 96 + 48) % 96 - 48
            r = np.hypot(dx, dy)
            rad = 4.0 + 8.0 * s
            h = h - 2.2 * smoothstep(rad, rad * 0.3, r) + 1.2 * np.exp(-((r - rad) / 1.6) ** 2)
        c = base * (0.85 + 0.3 * noise(bx * 2, by * 2))[..., None]
        return c, h
    return pattern


def caustics(deep, light, seed):
    """Light nets on the floor of a pool: two layers of fine wavy cells."""
    deep, light = rgb(deep), rgb(light)
    n1 = PeriodicNoise(seed).fbm([(8, 1.0), (16, 0.3)])
    n2 = PeriodicNoise(seed + 1).fbm([(12, 1.0), (24, 0.3)])
    depth = PeriodicNoise(seed + 2).fbm([(3, 1.0), (6, 0.5)])

    def pattern(bx, by):
        a = np.abs(np.sin(n1(bx, by) * 14.0))
        b = np.abs(np.sin(n2(bx, by) * 12.0 + 1.0))
        lines = smoothstep(0.22, 0.0, a) * 0.55 + smoothstep(0.18, 0.0, b) * 0.35
        floor = deep * (0.85 + 0.3 * depth(bx, by))[..., None]
        return mix(floor, light, np.clip(lines, 0, 1)), None
    return pattern


def cola(dark, glow, seed):
    """Dark, clear cola: almost black with a warm red-brown glow in depth."""
    dark, glow = rgb(dark), rgb(glow)
    n = PeriodicWaves(seed, ((1.5, 3.2, 6, 1.0), (3.2, 6.5, 8, 0.5)), spread=0.15)

    def pattern(bx, by):
        v = smoothstep(0.35, 0.85, n(bx, by))
        return mix(dark, glow, v * 0.45), None
    return pattern


def flecks(base, colours, seed, count=40):
    base = rgb(base)
    cols = [rgb(c) for c in colours]
    rng = np.random.RandomState(seed)
    pts = rng.rand(count, 4)
    depth = PeriodicNoise(seed + 5).fbm([(3, 1.0), (6, 0.5)])

    def pattern(bx, by):
        c = base * (0.7 + 0.6 * depth(bx, by))[..., None]
        for px, py, s, k in pts:
            dx = (bx - px * 96 + 48) % 96 - 48
            dy = (by - py * 96 + 48) % 96 - 48
            ang = k * np.pi
            ex = dx * np.cos(ang) + dy * np.sin(ang)
            ey = -dx * np.sin(ang) + dy * np.cos(ang)
            r = np.hypot(ex / (1.0 + 2.5 * s), ey / (0.8 + 0.6 * s))
            cov = smoothstep(1.3, 0.6, r) * (0.5 + 0.5 * s)
            c = mix(c, cols[int(k * len(cols)) % len(cols)], cov)
        return c, None
    return pattern


def twill(base, line, period=6.0):
    base, line = rgb(base), rgb(line)

    def pattern(bx, by):
        t = band(bx - by, period, 2.2, 0.6)
        weave = 0.08 * np.sin(bx * np.pi / 3.0) * np.sin(by * np.pi / 3.0)
        stitch = band(bx + 12.0, 48.0, 1.4, 0.5) * band(by, 4.0, 2.0, 0.5) + \
            band(by + 12.0, 48.0, 1.4, 0.5) * band(bx, 4.0, 2.0, 0.5)
        c = mix(base, line, t * 0.55 + weave)
        c = mix(c, rgb("#d9a441"), np.clip(stitch, 0, 1) * 0.8)
        return c, None
    return pattern


def frost(base, crystal, seed):
    base, crystal = rgb(base), rgb(crystal)
    n1 = PeriodicNoise(seed).fbm([(8, 1.0), (16, 0.6), (32, 0.3)])

    def pattern(bx, by):
        a = np.abs(n1(bx, by) - 0.5)
        lines = smoothstep(0.035, 0.0, a)
        glint = smoothstep(0.62, 0.75, n1(bx * 2.0 + 11, by * 2.0))
        return mix(base, crystal, np.clip(lines * 0.7 + glint * 0.4, 0, 1)), None
    return pattern


def pores(base, seed, amount=0.6):
    base = rgb(base)
    n = PeriodicNoise(seed).fbm([(24, 1.0), (48, 0.7)])
    big = PeriodicNoise(seed + 1).fbm([(6, 1.0), (12, 0.5)])

    def pattern(bx, by):
        v = n(bx, by)
        hole = smoothstep(0.62, 0.70, v)
        c = base * (0.86 + 0.25 * big(bx, by) - amount * 0.55 * hole)[..., None]
        return c, -1.6 * hole + 0.6 * big(bx, by)
    return pattern


def quilted(base, seam, button, period=48.0):
    base, seam, button = rgb(base), rgb(seam), rgb(button)

    def pattern(bx, by):
        d = diamond_dist(bx, by, period)          # 0 centre .. 1 seam
        pillow = np.sqrt(np.clip(1.0 - d, 0, 1))
        c = base * (0.72 + 0.32 * pillow)[..., None]
        c = mix(c, seam, smoothstep(0.93, 1.0, d) * 0.6)
        # Buttons where the seams cross (the corners of the diamond cells).
        bdist, _, _ = grid_dist(bx + period / 2, by + period / 2, period)
        bcov = smoothstep(4.2, 3.2, bdist)
        c = mix(c, button, bcov)
        h = 5.0 * pillow - 3.0 * smoothstep(7.0, 2.0, bdist) + 2.0 * dome(bdist, 3.5, 1.0)
        return c, h
    return pattern


def tiles_glazed(base, grout, seed, period=48.0):
    base, grout = rgb(base), rgb(grout)
    rng = np.random.RandomState(seed)
    shades = rng.uniform(0.8, 1.2, size=(2, 2))
    n = PeriodicNoise(seed).fbm([(4, 1.0), (8, 0.5)])

    def pattern(bx, by):
        p = square_pillow(bx, by, period, 2.5, 1.0)
        ix = (np.floor(bx / period) % 2).astype(int)
        iy = (np.floor(by / period) % 2).astype(int)
        k = shades[iy, ix] * (0.9 + 0.2 * n(bx, by))
        c = mix(grout, base * k[..., None], p)
        # A fine motif in the middle of each tile.
        lx = bx % period - period / 2
        ly = by % period - period / 2
        motif = band(np.abs(lx) + np.abs(ly), 100.0, 2.2, 0.6) * 0 + \
            smoothstep(1.5, 0.5, np.abs(np.abs(lx) + np.abs(ly) - 12.0))
        c = mix(c, base * 1.8, motif * 0.6)
        return c, 1.5 * p
    return pattern


def treadplate(base, seed):
    base = rgb(base)
    n = PeriodicNoise(seed).fbm([(2, 1.0), (4, 0.5)])

    def pattern(bx, by):
        brushed = n(bx, by * 24.0)
        c = base * (0.85 + 0.3 * brushed)[..., None]
        h = np.zeros(_shape(bx))
        for ox, oy, ang in ((12, 12, 1), (36, 36, 1), (36, 12, -1), (12, 36, -1)):
            dx = (bx - ox + 24) % 48 - 24
            dy = (by - oy + 24) % 48 - 24
            u = (dx + ang * dy) / SQ2
            v = (dx - ang * dy) / SQ2
            r = np.hypot(u / 8.0, v / 2.2)
            h = h + dome(r, 1.0, 2.6, 0.12)
        c = c * (1.0 + 0.12 * h / 2.6)[..., None]
        return c, h
    return pattern


def hazard(yellow, black):
    yellow, black = rgb(yellow), rgb(black)

    def pattern(bx, by):
        s = band(bx + by, 32.0, 8.0, 1.0)
        return mix(black, yellow, s), 0.6 * s
    return pattern


def tape(base, light, seed):
    """Amber packing tape in strips 32 px wide laid across the block: each
    strip glows lighter where light passes through one layer, turns dark
    where the next strip overlaps it, shows a bright cut edge and faint
    lengthwise streaks, and traps a few air bubbles."""
    base, light = rgb(base), rgb(light)
    n = PeriodicNoise(seed).fbm([(2, 1.0), (4, 0.5)])
    glow = PeriodicWaves(seed + 1, ((1.5, 3.2, 5, 1.0),), spread=0.12)
    rng = np.random.RandomState(seed)
    bubbles = rng.rand(7, 3)

    def pattern(bx, by):
        ly = by % 32.0
        through = smoothstep(0.3, 0.8, glow(bx, by)) * smoothstep(7.0, 16.0, ly) * smoothstep(31.0, 24.0, ly)
        c = mix(base, light, 0.25 + 0.6 * through)
        c = c * (0.95 + 0.1 * n(bx, by * 24.0))[..., None]
        overlap = smoothstep(0.5, 1.5, ly) * smoothstep(7.5, 6.5, ly)
        c = c * (1.0 - 0.45 * overlap)[..., None]
        cut = np.exp(-((ly - 7.8) / 0.7) ** 2)
        c = mix(c, light * 1.4, cut * 0.75)
        h = 0.6 * cut - 0.5 * overlap
        for px, py, s in bubbles:
            dx = (bx - px * 96 + 48) % 96 - 48
            dy = (by - py * 96 + 48) % 96 - 48
            r = np.hypot(dx / (1.6 + 2.0 * s), dy / (1.0 + 1.2 * s))
            inside = smoothstep(1.15, 0.85, r)
            rim = np.exp(-((r - 1.0) / 0.18) ** 2)
            c = mix(c, light * 1.3, inside * 0.35 + rim * 0.6)
            h = h + 0.8 * inside
        return c, h
    return pattern


def mould(base, seed, period=48.0):
    base = rgb(base)

    def pattern(bx, by):
        lx = bx % period - period / 2
        ly = by % period - period / 2
        r = np.hypot(lx, ly)
        ang = np.arctan2(ly, lx)
        shell = 0.5 + 0.5 * np.cos(ang * 8.0)
        ridge = smoothstep(15.0, 14.0, r) * (0.6 + 0.4 * shell)
        rings = 0.5 + 0.5 * np.cos(r * np.pi / 4.0)
        h = 3.0 * ridge * (0.5 + 0.5 * rings) + 1.0 * square_pillow(bx, by, period, 4.0, 0.5)
        c = base * (0.85 + 0.15 * h / 4.0)[..., None]
        return c, h
    return pattern


def peel(colour, seed):
    colour = rgb(colour)
    n = PeriodicNoise(seed).fbm([(32, 1.0), (48, 0.8)])
    big = PeriodicNoise(seed + 1).fbm([(4, 1.0), (8, 0.5)])

    def pattern(bx, by):
        v = n(bx, by)
        c = colour * (0.92 + 0.16 * big(bx, by) - 0.12 * smoothstep(0.55, 0.7, v))[..., None]
        return c, 0.9 * v
    return pattern


def sugared(colour, deep, sugar, seed, count=150):
    """A sugared gum drop: clear red jelly, deeper where it is thick, under
    a coat of sugar grains that catch the light and stand up a little."""
    colour, deep, sugar = rgb(colour), rgb(deep), rgb(sugar)
    rng = np.random.RandomState(seed)
    grains = rng.rand(count, 3)
    depth = PeriodicNoise(seed + 1).fbm([(3, 1.0), (6, 0.5)])

    def pattern(bx, by):
        c = mix(colour, deep, smoothstep(0.3, 0.75, depth(bx, by)) * 0.7)
        cover = np.zeros(_shape(bx))
        for px, py, s in grains:
            dx = (bx - px * 96 + 48) % 96 - 48
            dy = (by - py * 96 + 48) % 96 - 48
            r = 0.7 + 0.9 * s
            cover = np.maximum(cover, smoothstep(r + 0.7, r - 0.5, np.hypot(dx, dy)) * (0.5 + 0.5 * s))
        return mix(c, sugar, cover * 0.85), 1.4 * cover
    return pattern


def coin_rubber(colour, seed, period=16.0, radius=5.0):
    """A rubber mat: small round coins standing out of a matte ground, a
    little dust settled between them."""
    colour = rgb(colour)
    mottle = PeriodicWaves(seed, ((2.5, 6.5, 8, 1.0),), spread=0.1)
    grain = PeriodicNoise(seed + 1).fbm([(48, 1.0), (96, 0.7)])

    def pattern(bx, by):
        dist, _, _ = grid_dist(bx, by, period, stagger=True)
        top = smoothstep(radius + 0.7, radius - 0.7, dist)
        ground = 1.0 - top
        c = colour * (0.94 + 0.12 * mottle(bx, by) - 0.16 * ground)[..., None]
        # A faint lighter lip around each coin's top.
        lip = smoothstep(radius - 2.2, radius - 0.8, dist) * top
        c = mix(c, colour * 1.18, lip * 0.5)
        return c, 2.2 * top + 0.35 * grain(bx, by)
    return pattern


def swirl(a, b, seed, amount=0.8, sharp=False):
    """Soft folds of a second shade, as in stirred butter or poured caramel."""
    a, b = rgb(a), rgb(b)
    n = PeriodicNoise(seed).fbm([(3, 1.0), (6, 0.5), (12, 0.25)])

    def pattern(bx, by):
        v = n(bx, by)
        s = 0.5 + 0.5 * np.sin(v * 16.0 + by * np.pi / 48.0)
        t = smoothstep(0.55, 0.95, s) if sharp else s * s
        return mix(a, b, t * amount), None
    return pattern


# --- the table -------------------------------------------------------------
# (file stem, FX mode, light text, material, particle tint)

def _m(pattern, **kw):
    return Material(pattern, **kw)


STYLES = [
    ("sucre_orge_rouge_1", 1, 0, _m(barley_sugar("#b01020", "#ffffff", "#b01020"), gloss=0.7, shine=30), "#fff0f0"),
    ("acide_1", 1, 0, _m(fizz("#b6f21f", "#effc9c", 11), gloss=0.65), "#f4ffb0"),
    ("mandarine", 0, 0, _m(peel("#ea7608", 21), gloss=0.45, shine=18), "#ffd29a"),
    ("trucmuche_3", 3, 0, _m(polka("#8fa6ff", "#f2f4ff", 24.0, 5.2, stagger=True, raised=1.2), gloss=0.6), "#dce6ff"),
    ("coca_2", 2, 1, _m(cola("#1c0803", "#701c0a", 31), gloss=0.9, shine=45, ambient=0.6), "#ffdcb0"),
    ("dark_pool_3", 3, 0, _m(caustics("#0a6a78", "#6fd8e0", 41), gloss=0.6), "#c8ffff"),
    ("menthe_glace_2", 2, 0, _m(frost("#52b89c", "#aee2d2", 51), gloss=0.7), "#f0fffb"),
    ("losanges", 0, 0, _m(harlequin("#eea018", "#ffdc88", "#a06808"), gloss=0.5), "#fff6cc"),
    ("dragon", 0, 1, _m(dragon_scales("#123d1d", "#8a6a1e", 61), gloss=0.55, shine=20, ambient=0.5), "#ffe9a0"),
    ("bois", 0, 0, _m(wood("#dcb07a", "#a66c36", 71), gloss=0.25, shine=12, sheen=0.08), "#fff0d0"),
    ("pomme_amour_1", 1, 0, _m(plain("#ff2a2a", 81, 0.5, tint="#c00e18"), gloss=1.0, shine=50, sheen=0.3), "#ffe0e0"),
    ("violine", 0, 0, _m(marble("#a346cc", "#c886e6", 91, 0.7), gloss=0.55), "#f4ddff"),
    ("lustucru", 0, 1, _m(twill("#25304e", "#3c4a70"), gloss=0.2, shine=10, sheen=0.08), "#d0dcff"),
    ("inclusion_1", 1, 1, _m(flecks("#2a1440", ["#f5c542", "#3fd6c0", "#ff6f91", "#ffffff"], 101), gloss=0.85, shine=45), "#fff2c0"),
    ("chocolat", 0, 1, _m(chocolate("#5a2c18"), gloss=0.35, shine=18, ambient=0.5), "#ffd9b0"),
    ("lego", 0, 1, _m(studs("#123878"), gloss=0.55, shine=30), "#cfe0ff"),
    ("vichy_parme", 0, 0, _m(gingham("#e8e8f8", "#8f86d8"), gloss=0.3, shine=14, sheen=0.1), "#f4eaff"),
    ("briques", 0, 0, _m(bricks("#d2643c", "#efe2cf", 121), gloss=0.15, shine=10, sheen=0.05), "#ffd0b8"),
    ("night_3", 3, 1, _m(night_sky("#141a46", 131), gloss=0.6, shine=30), "#dfe6ff"),
    ("radio_moon", 0, 1, _m(craters("#3a3d47", 141), gloss=0.25, shine=14, ambient=0.5, relief=1.4), "#e6eaff"),
    ("stellaire", 0, 0, _m(stars_on("#6fa6e8", "#ffe27a", 48.0, 13.0, second=5.0, noise_seed=151), gloss=0.55), "#fffbe0"),
    ("beurre", 0, 0, _m(swirl("#c8a85c", "#e0cc96", 161, 0.7), gloss=0.3, shine=10, sheen=0.12), "#fffbe0"),
    ("gomme_red", 0, 0, _m(sugared("#e83848", "#a80c20", "#ffe0e0", 171), gloss=0.3, shine=12, sheen=0.08, relief=0.8), "#ffe0e0"),
    ("pierre_ponce", 0, 0, _m(pores("#c9c4b8", 181), gloss=0.1, shine=8, sheen=0.04, relief=1.2), "#ffffff"),
    ("purple_dots", 0, 0, _m(polka("#f5eafc", "#6a1fa8", 16.0, 6.0, stagger=True), gloss=0.5), "#efdcff"),
    ("capitons", 0, 0, _m(quilted("#f3c6d1", "#b9788a", "#8f4a5e"), gloss=0.3, shine=14, relief=0.8), "#fff0f4"),
    ("carrelage", 0, 1, _m(tiles_glazed("#0c464c", "#0d2c30", 201), gloss=0.7, shine=40), "#d0ffff"),
    ("caramel", 0, 0, _m(swirl("#a85a18", "#d99444", 211, 0.55), gloss=0.9, shine=40, sheen=0.25), "#fff0c8"),
    ("metal_indus", 0, 0, _m(treadplate("#6e7884", 221), gloss=0.6, shine=22, ambient=0.45, relief=1.3), "#ffffff"),
    ("danger", 0, 1, _m(hazard("#a07800", "#141414"), gloss=0.4, shine=20), "#fff2a0"),
    ("menthe_verte_2", 2, 0, _m(plain("#3fcf7a", 241, 0.5, tint="#7fe8a8"), gloss=0.75, shine=35), "#e0ffe8"),
    ("caoutchouc", 0, 0, _m(coin_rubber("#a08a66", 251), gloss=0.08, shine=8, sheen=0.0, relief=0.9), "#fff8e0"),
    ("malabar", 0, 0, _m(marble("#ff8fc6", "#ffc2e0", 261, 0.7), gloss=0.75, shine=30), "#ffe6f3"),
    ("vichy_lemon", 0, 0, _m(gingham("#d8d89c", "#a8ac0c"), gloss=0.3, shine=14, sheen=0.1), "#fffbe0"),
    ("scotch", 0, 1, _m(tape("#3c1600", "#c07014", 281), gloss=0.9, shine=50, sheen=0.3), "#ffe0b0"),
    ("moule_choc", 0, 0, _m(mould("#a2603a", 291), gloss=0.4, shine=20), "#ffe6cc"),
    ("sucre_orge_vert", 0, 0, _m(barley_sugar("#2fae4a", "#ffffff", "#2fae4a"), gloss=0.7, shine=30), "#f0fff0"),
    ("chocolat_blanc", 0, 0, _m(chocolate("#e4d2ac"), gloss=0.35, shine=18), "#fffaf0"),
]
assert len(STYLES) == 38


def archive_name(stem):
    return "pLiMo_tiles_%s.png" % stem
