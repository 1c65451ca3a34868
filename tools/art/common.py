"""Shared helpers of the picture generators: deterministic PNG/JPEG output,
smooth steps, tileable noise and fonts."""
import io
import os
import shutil
import subprocess
import tempfile
import numpy as np
from PIL import Image, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
DATA = os.path.join(ROOT, "Data")


def data_path(name):
    return os.path.join(DATA, name)


def font(size):
    """The game's own font (Data/a2.ttf, rounded bold), so the lettering in
    pictures matches the captions the game writes. It is built before the
    pictures from the same fonts every time, so the output stays the same."""
    return ImageFont.truetype(data_path("a2.ttf"), size)


def clamp01(a):
    return np.clip(a, 0.0, 1.0)


def smoothstep(e0, e1, x):
    t = clamp01((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    """Blend colour arrays: t may be a scalar or an (H, W) field."""
    t = np.asarray(t, dtype=np.float64)
    if t.ndim == 2:
        t = t[..., None]
    return np.asarray(a, dtype=np.float64) * (1.0 - t) + np.asarray(b, dtype=np.float64) * t


def rgb(hexcode):
    h = hexcode.lstrip("#")
    return np.array([int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4)])


def fill(shape, colour):
    return np.broadcast_to(np.asarray(colour, dtype=np.float64), shape + (3,)).copy()


def to_uint8(a):
    return (clamp01(a) * 255.0 + 0.5).astype(np.uint8)


def rgba_image(colour, alpha):
    """colour (H, W, 3) and alpha (H, W) floats in 0..1 -> PIL RGBA."""
    arr = np.dstack([to_uint8(colour), to_uint8(alpha)])
    return Image.fromarray(arr, "RGBA")


def encode_png(img):
    """PNG bytes of a picture. Fully transparent pixels are zeroed so their
    invisible colour does not cost bytes; a palette is used when the picture
    has few enough colours to stay lossless."""
    img = img.convert("RGBA")
    arr = np.array(img)
    arr[arr[..., 3] == 0] = 0
    img = Image.fromarray(arr, "RGBA")
    colours = img.getcolors(256)
    if colours is not None:
        img = img.quantize(colors=len(colours), method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)
        if not np.array_equal(np.array(img.convert("RGBA")), arr):
            img = Image.fromarray(arr, "RGBA")
    out = io.BytesIO()
    img.save(out, "PNG", optimize=True)
    return squeeze_png(out.getvalue())


def squeeze_png(data):
    """The same picture recompressed by zopflipng (Debian's zopfli), which
    tries every row filter and a slower, tighter deflate: about a tenth off
    the pictures, which the browser build downloads. Kept only when it decodes
    to the same pixels and still carries an alpha channel (zopflipng drops it
    from opaque pictures; the game's pictures all keep one). zopflipng's
    output is the same for the same input."""
    tool = shutil.which("zopflipng")
    if tool is None:
        raise SystemExit("zopflipng not found: install the Debian package zopfli")
    with tempfile.TemporaryDirectory() as tmp:
        src, dst = os.path.join(tmp, "in.png"), os.path.join(tmp, "out.png")
        with open(src, "wb") as f:
            f.write(data)
        subprocess.run([tool, "-y", src, dst], check=True, stdout=subprocess.DEVNULL)
        if not os.path.exists(dst):  # nothing smaller found
            return data
        with open(dst, "rb") as f:
            squeezed = f.read()
    if len(squeezed) >= len(data) or not same_picture(data, squeezed):
        return data
    return squeezed


def same_picture(a, b):
    with Image.open(io.BytesIO(a)) as x, Image.open(io.BytesIO(b)) as y:
        if "A" not in y.getbands() and x.mode != y.mode:  # an alpha channel, not a transparent colour
            return False
        return x.size == y.size and np.array_equal(np.array(x.convert("RGBA")), np.array(y.convert("RGBA")))


def save_png(img, name):
    path = data_path(name)
    with open(path, "wb") as f:
        f.write(encode_png(img))
    return path


def save_jpeg(img, name, quality=85):
    path = data_path(name)
    img.convert("RGB").save(path, "JPEG", quality=quality, optimize=True, subsampling=0)
    return path


class PeriodicNoise:
    """Value noise that wraps around a square of `period` pixels, so a texture
    sampled with it tiles without seams."""

    def __init__(self, seed, period=96):
        self.rng = np.random.RandomState(seed)
        self.period = period

    def layer(self, cells):
        grid = self.rng.rand(cells, cells)

        def sample(x, y):
            fx = (np.asarray(x) % self.period) / self.period * cells
            fy = (np.asarray(y) % self.period) / self.period * cells
            ix = np.floor(fx).astype(int)
            iy = np.floor(fy).astype(int)
            tx = fx - ix
            ty = fy - iy
            tx = tx * tx * (3 - 2 * tx)
            ty = ty * ty * (3 - 2 * ty)
            ix0, iy0 = ix % cells, iy % cells
            ix1, iy1 = (ix + 1) % cells, (iy + 1) % cells
            a = grid[iy0, ix0] * (1 - tx) + grid[iy0, ix1] * tx
            b = grid[iy1, ix0] * (1 - tx) + grid[iy1, ix1] * tx
            return a * (1 - ty) + b * ty
        return sample

    def fbm(self, octaves):
        """octaves: list of (cells, weight); returns a sampler giving 0..1."""
        layers = [(self.layer(c), w) for c, w in octaves]
        total = sum(w for _, w in octaves)

        def sample(x, y):
            return sum(f(x, y) * w for f, w in layers) / total
        return sample


class PeriodicWaves:
    """Smooth noise made of plane waves whose wave vectors are whole
    multiples of 1/period, so it wraps around like PeriodicNoise but has no
    lattice: large soft blotches without the crosses that value noise shows
    along its grid lines. `bands` lists (lowest, highest frequency in waves
    per period, number of waves, weight). Values have mean 0.5 and a
    standard deviation of `spread`."""

    def __init__(self, seed, bands, period=96, spread=0.14):
        rng = np.random.RandomState(seed)
        waves = []
        for lo, hi, count, weight in bands:
            for _ in range(count):
                while True:
                    k = rng.randint(-hi, hi + 1, size=2)
                    if lo <= np.hypot(*k) <= hi:
                        break
                waves.append((k[0], k[1], rng.uniform(0, 2 * np.pi), weight))
        self.waves = waves
        self.period = period
        self.scale = spread / np.sqrt(sum(w * w for *_, w in waves) / 2.0)

    def __call__(self, x, y):
        total = 0.0
        for kx, ky, ph, w in self.waves:
            total = total + w * np.cos(2 * np.pi * (kx * np.asarray(x) + ky * np.asarray(y)) / self.period + ph)
        return 0.5 + self.scale * total
