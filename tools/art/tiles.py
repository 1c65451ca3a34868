"""Renders the tile strips (30 cells of 48 x 48: the 28 quarter frames, the
particle and a whole-cell miniature) and the shadow and highlight strips."""
import numpy as np
from PIL import Image

from common import clamp01, smoothstep, rgba_image, save_png
from quarters import Q, QuarterField, FRAMES

STRIP_CELLS = 30
LIGHT = np.array([-0.42, -0.62, 1.0])
LIGHT = LIGHT / np.linalg.norm(LIGHT)
HALF = LIGHT + np.array([0.0, 0.0, 1.0])
HALF = HALF / np.linalg.norm(HALF)

_FIELDS = {}


def field(frame, size=Q):
    key = (frame, size)
    if key not in _FIELDS:
        _FIELDS[key] = QuarterField(frame, size)
    return _FIELDS[key]


class Material:
    """How a style's surface reacts to light. `pattern(bx, by)` returns the
    base colour (H, W, 3) and an optional relief height (H, W) in pixels."""

    def __init__(self, pattern, bevel=14.0, slope=2.0, gloss=0.55, shine=24.0,
                 ambient=0.55, rim=0.35, relief=1.0, sheen=0.18):
        self.pattern = pattern
        self.bevel = bevel      # width of the rounded rim in pixels
        self.slope = slope      # steepness of the rim
        self.gloss = gloss      # strength of the specular highlight
        self.shine = shine      # specular exponent
        self.ambient = ambient
        self.rim = rim          # darkening of the outermost pixels
        self.relief = relief    # scale of the pattern's relief
        self.sheen = sheen      # soft light band just inside the lit rim


def shade(material, f):
    """Colour and alpha of one quarter field."""
    base, height = material.pattern(f.bx, f.by)
    t = np.maximum(-f.d, 0.0)
    w = material.bevel
    k = clamp01(1.0 - t / w)
    s = material.slope * k * k
    nx = s * f.gx
    ny = s * f.gy
    if height is not None:
        e = 0.5
        hx = (material.pattern(f.bx + e, f.by)[1] - material.pattern(f.bx - e, f.by)[1]) / (2 * e)
        hy = (material.pattern(f.bx, f.by + e)[1] - material.pattern(f.bx, f.by - e)[1]) / (2 * e)
        # The relief fades into the rim so the outline stays clean.
        fade = smoothstep(1.0, 6.0, t) * material.relief
        nx = nx - hx * fade
        ny = ny - hy * fade
    nz = np.ones_like(nx)
    norm = np.sqrt(nx * nx + ny * ny + nz * nz)
    nx, ny, nz = nx / norm, ny / norm, nz / norm
    ndl = clamp01(nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2])
    diffuse = material.ambient + (1.0 - material.ambient) * ndl / LIGHT[2]
    ndh = clamp01(nx * HALF[0] + ny * HALF[1] + nz * HALF[2])
    spec = material.gloss * ndh ** material.shine
    # A thin sheen line just inside the rim on the lit side: the glossy
    # candy look. It depends only on the distance and the outline
    # direction, so it follows every shape without seams.
    facing = clamp01(-(f.gx * LIGHT[0] + f.gy * LIGHT[1]) / 0.75)
    band = np.exp(-((t - 4.5) / 1.8) ** 2) * facing * material.sheen
    colour = base * diffuse[..., None] + (spec + band)[..., None]
    edge = 1.0 - material.rim * (1.0 - smoothstep(0.0, 2.5, t))
    colour = colour * edge[..., None]
    return clamp01(colour), f.coverage


def quarter_image(material, frame, size=Q):
    colour, alpha = shade(material, field(frame, size))
    return rgba_image(colour, alpha)


def cell_image(material, frames=(20, 21, 23, 22), size=Q):
    """A whole cell of 2 x 2 quarters of `size` pixels each."""
    img = Image.new("RGBA", (2 * size, 2 * size), (0, 0, 0, 0))
    offs = [(0, 0), (size, 0), (size, size), (0, size)]
    for fr, (ox, oy) in zip(frames, offs):
        img.paste(quarter_image(material, fr, size), (ox, oy))
    return img


def miniature(material):
    """Frame 29: a lone block scaled to one 48 x 48 cell."""
    return cell_image(material).resize((Q, Q), Image.LANCZOS)


def strip_image(material, particle):
    strip = Image.new("RGBA", (Q * STRIP_CELLS, Q), (0, 0, 0, 0))
    for frame in range(28):
        strip.paste(quarter_image(material, frame), (frame * Q, 0))
    strip.paste(particle, (28 * Q, 0))
    strip.paste(miniature(material), (29 * Q, 0))
    return strip


def shadow_strip():
    """Soft dark shadow of every quarter, drawn 8 px below-right of a block."""
    strip = Image.new("RGBA", (Q * STRIP_CELLS, Q), (0, 0, 0, 0))
    for frame in range(28):
        f = field(frame)
        a = 0.42 * smoothstep(3.5, -5.0, f.d)
        strip.paste(rgba_image(np.zeros(f.d.shape + (3,)), a), (frame * Q, 0))
    return strip


def highlight_strip():
    """Added on top of a held shape: a bright rim that follows the outline
    and a faint glow over the inside. Black adds nothing."""
    strip = Image.new("RGBA", (Q * STRIP_CELLS, Q), (0, 0, 0, 0))
    tint = np.array([1.0, 0.97, 0.85])
    for frame in range(28):
        f = field(frame)
        t = -f.d
        rim = np.exp(-((t - 3.0) / 2.6) ** 2)
        glow = 0.14 * smoothstep(26.0, 6.0, t) + 0.05
        level = clamp01(rim * 0.95 + glow) * (t > -1.0)
        colour = tint * level[..., None]
        strip.paste(rgba_image(colour, f.coverage), (frame * Q, 0))
    return strip


def write_fx_strips():
    return [save_png(shadow_strip(), "pLiMo_fx_shadows.png"),
            save_png(highlight_strip(), "pLiMo_fx_highlight.png")]


def frame_case(frame):
    return FRAMES[frame]
