"""Frame 28 of a tile strip: the particle a style's blocks carry. Particles
are drawn with additive blending, so black and transparent add nothing."""
import numpy as np

from common import rgb, smoothstep, rgba_image, mix

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


def hue_of(tint):
    """The tile's own hue at full strength: style tints are pale, so the
    distance from white is stretched until the strongest channel departs
    from it by 0.55 (a white tint stays white)."""
    c = rgb(tint)
    depth = (1.0 - c).max()
    if depth < 1e-6:
        return c
    return np.clip(1.0 - (1.0 - c) * (0.55 / depth), 0, 1)


GLINT_CORE = 5.0     # radius in pixels at which the core falls to half
GLINT_ALPHA = 0.5


def glint(tint):
    """A small glint in the tile's hue: a soft round core about 10 px across
    and four short fading rays, at most half opaque, so the drops and stars
    that fall over the board stay light and never cover the pieces."""
    x, y = _grid()
    r = np.hypot(x, y)
    core = np.exp(-np.log(2.0) * (r / GLINT_CORE) ** 2)
    rays = (np.exp(-np.abs(x) / 1.0) * np.exp(-(y / 9.0) ** 2) +
            np.exp(-np.abs(y) / 1.0) * np.exp(-(x / 9.0) ** 2)) * 0.45
    level = np.clip(core + rays, 0, 1) * GLINT_ALPHA
    # White-hot in the middle, the tile's hue towards the edge.
    colour = mix(hue_of(tint) * np.ones(level.shape + (3,)), np.ones(3), 0.5 * np.exp(-(r / 2.5) ** 2))
    return rgba_image(colour, level)


def glow(tint):
    """A small soft light for styles without particles of their own."""
    x, y = _grid()
    r = np.hypot(x, y)
    level = np.clip(np.exp(-(r / 9.0) ** 2) + 0.3 * np.exp(-(r / 18.0) ** 2), 0, 1)
    colour = np.clip(rgb(tint) * 0.7 + 0.3, 0, 1) * np.ones(level.shape + (3,))
    return rgba_image(colour, level)


BY_FX_MODE = {0: glow, 1: sparkle, 2: bubble, 3: glint}


def particle(fx_mode, tint):
    return BY_FX_MODE[fx_mode](tint)
