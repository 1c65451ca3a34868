"""Frame 28 of a tile strip: the particle a style's blocks carry. Particles
are drawn with additive blending, so black and transparent add nothing."""
import numpy as np

from common import rgb, smoothstep, rgba_image

SIZE = 48


def _grid():
    c = (np.arange(SIZE) + 0.5) - SIZE / 2
    x, y = np.meshgrid(c, c)
    return x, y


def sparkle(tint):
    """A four-pointed twinkle with a soft halo (wandering sparkles)."""
    x, y = _grid()
    r = np.hypot(x, y)
    rays = np.exp(-np.abs(x) / 1.6) * np.exp(-(y / 17.0) ** 2) + \
        np.exp(-np.abs(y) / 1.6) * np.exp(-(x / 17.0) ** 2)
    diag = (np.exp(-np.abs(x - y) / 1.4) + np.exp(-np.abs(x + y) / 1.4)) * np.exp(-(r / 8.0) ** 2) * 0.5
    core = np.exp(-(r / 4.0) ** 2)
    halo = np.exp(-(r / 11.0) ** 2) * 0.35
    level = np.clip(rays + diag + core + halo, 0, 1)
    colour = np.clip(rgb(tint) * 0.6 + 0.4, 0, 1) * np.ones(level.shape + (3,))
    colour = colour * 0.6 + 0.4 * core[..., None]
    return rgba_image(colour, level)


def bubble(tint):
    """A round bubble: a bright thin skin, a faint body and a glint."""
    x, y = _grid()
    r = np.hypot(x, y)
    radius = 21.0
    skin = np.exp(-((r - radius) / 3.0) ** 2)
    body = smoothstep(radius, radius - 4.0, r) * (0.10 + 0.15 * (r / radius) ** 3)
    glint = np.exp(-(np.hypot(x + 8.0, y + 9.0) / 4.0) ** 2)
    level = np.clip(skin * 0.9 + body + glint, 0, 1)
    colour = np.clip(rgb(tint) * 0.5 + 0.5, 0, 1) * np.ones(level.shape + (3,))
    return rgba_image(colour, level)


def drop(tint):
    """A falling drop: round at the bottom, pointed at the top."""
    x, y = _grid()
    cy = 7.0
    rad = 14.0
    r = np.hypot(x, y - cy)
    # Above the round part the width narrows to a point at y = -20.
    top = np.clip((y + 20.0) / (cy + 20.0), 0, 1)
    half_width = rad * np.sqrt(np.clip(top, 0, 1)) ** 1.4
    inside_top = (y < cy) & (np.abs(x) < half_width)
    d_round = r - rad
    d_top = np.abs(x) - half_width
    d = np.where(y < cy, np.where(inside_top, d_top, np.maximum(d_top, 0.5)), d_round)
    cover = smoothstep(1.0, -1.0, d)
    inner = smoothstep(-1.0, -6.0, d)
    glint = np.exp(-(np.hypot(x + 5.0, y - 2.0) / 3.2) ** 2)
    level = np.clip(cover * (0.55 - 0.25 * inner) + glint, 0, 1)
    colour = np.clip(rgb(tint) * 0.6 + 0.4, 0, 1) * np.ones(level.shape + (3,))
    return rgba_image(colour, level)


def glow(tint):
    """A small soft light for styles without particles of their own."""
    x, y = _grid()
    r = np.hypot(x, y)
    level = np.clip(np.exp(-(r / 9.0) ** 2) + 0.3 * np.exp(-(r / 18.0) ** 2), 0, 1)
    colour = np.clip(rgb(tint) * 0.7 + 0.3, 0, 1) * np.ones(level.shape + (3,))
    return rgba_image(colour, level)


BY_FX_MODE = {0: glow, 1: sparkle, 2: bubble, 3: drop}


def particle(fx_mode, tint):
    return BY_FX_MODE[fx_mode](tint)
