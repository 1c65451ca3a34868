"""Texture building blocks sampled in cell coordinates (0..96 per cell, every
one repeating after 96 px or a divisor of it so that shapes of any size show
one continuous texture)."""
import numpy as np

from common import smoothstep


def band(u, period, width, aa=0.8):
    """1 on bands `width` wide repeating every `period` along u, else 0."""
    dist = np.abs(((u / period + 0.5) % 1.0) - 0.5) * period
    return smoothstep(width / 2 + aa, width / 2 - aa, dist)


def phase(u, period):
    """Position 0..1 inside the current period along u."""
    return (u / period) % 1.0


def grid_dist(bx, by, period, stagger=False):
    """Distance to the centre of the nearest grid point (centres at half a
    period); with stagger every other row is shifted by half a period."""
    row = np.floor(by / period)
    shift = (row % 2) * (period / 2) if stagger else 0.0
    lx = ((bx - shift) % period) - period / 2
    ly = (by % period) - period / 2
    return np.hypot(lx, ly), lx, ly


def dome(dist, radius, height, soft=1.0):
    """A round bump: height at the centre falling to 0 at `radius`."""
    t = np.clip(1.0 - (dist / radius) ** 2, 0.0, 1.0)
    return height * np.sqrt(t) * smoothstep(radius + soft, radius - soft, dist)


def diamond_dist(bx, by, period):
    """L1 distance to the centre of the nearest cell of a grid turned 45 deg."""
    lx = (bx % period) - period / 2
    ly = (by % period) - period / 2
    return (np.abs(lx) + np.abs(ly)) / (period / 2)


def star(bx, by, period, radius, stagger=True, points=5, sharp=2.2, offset=(0.0, 0.0)):
    """Coverage of stars placed on a (staggered) grid."""
    _, lx, ly = grid_dist(bx - offset[0], by - offset[1], period, stagger)
    r = np.hypot(lx, ly)
    ang = np.arctan2(ly, lx) + np.pi / 2
    prof = 0.42 + 0.58 * ((0.5 + 0.5 * np.cos(points * ang)) ** sharp)
    return smoothstep(radius * prof + 0.8, radius * prof - 0.8, r)


def scales(bx, by, width, rows):
    """Overlapping round scales: returns (distance from the visible scale's
    centre / its radius, 0..1) so the caller can shade rim and body."""
    h = 96.0 / rows
    r = width * 0.62
    best = np.full(np.shape(bx), 9.0)
    # Lower rows lie on top: look at the candidate rows from top to bottom.
    base_row = np.floor(by / h)
    for k in (-1, 0, 1, 2):
        j = base_row + k
        shift = (j % 2) * (width / 2)
        cy = j * h - h * 0.2
        lx = ((bx - shift) % width) - width / 2
        dist = np.hypot(lx, by - cy) / r
        covered = (dist < 1.0) & (by >= cy)
        best = np.where(covered, dist, best)
    return np.minimum(best, 1.0)


def square_pillow(bx, by, period, bevel, gap=0.0):
    """Raised squares of `period` with a flat top: 0 at the seams, 1 inside."""
    lx = bx % period
    ly = by % period
    e = np.minimum(np.minimum(lx, period - lx), np.minimum(ly, period - ly)) - gap
    return np.clip(e / bevel, 0.0, 1.0)
