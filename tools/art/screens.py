"""The 960 x 768 pictures: five backgrounds, the loading/language picture
and the victory overlay."""
import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from common import (rgb, mix, smoothstep, clamp01, rgba_image, save_png, save_jpeg,
                    font, PeriodicNoise)
from quarters import neighbour_mask, frames_for_mask
from styles import STYLES
from tiles import quarter_image, shadow_strip

W, H = 960, 768
CELL = 96
YY, XX = np.mgrid[0:H, 0:W] + 0.5


def vignette(strength):
    r = np.hypot((XX - W / 2) / (W / 2), (YY - H / 2) / (H / 2))
    return 1.0 - strength * smoothstep(0.5, 1.45, r)


def soft_noise(seed, cells=((6, 1.0), (12, 0.5), (24, 0.25))):
    n = PeriodicNoise(seed, period=960).fbm(list(cells))
    return n(XX, YY * 960 / 768 * 0.8)


def dot_grid(c, at_centres, radius, depth):
    """Small pressed-in dots every cell: at the cell corners or centres."""
    off = CELL / 2 if at_centres else 0.0
    lx = (XX - off + CELL / 2) % CELL - CELL / 2
    ly = (YY - off + CELL / 2) % CELL - CELL / 2
    r = np.hypot(lx, ly)
    dot = smoothstep(radius + 0.8, radius - 0.8, r)
    rim_light = smoothstep(radius + 1.6, radius, np.hypot(lx - 1.0, ly - 1.0)) * (1 - dot)
    c = c * (1 - depth * dot)[..., None]
    return c + (rim_light * depth * 0.6)[..., None]


def play_background():
    """Warm ivory floor with a faint dot at every cell corner, sunk inside a
    caramel rim like a tray; the rim's inner edge casts a soft shadow."""
    n = soft_noise(301)
    c = mix(rgb("#fbf0e8"), rgb("#f3ddd2"), YY / H)
    c = c * (0.97 + 0.05 * n)[..., None]
    c = dot_grid(c, False, 3.2, 0.14)
    c = c * vignette(0.12)[..., None]
    rim, radius = 11.0, 18.0
    # Distance inside the tray's rounded inner edge (negative on the rim).
    dx = np.maximum(np.maximum(rim + radius - XX, XX - (W - rim - radius)), 0)
    dy = np.maximum(np.maximum(rim + radius - YY, YY - (H - rim - radius)), 0)
    inside = radius - np.hypot(dx, dy)
    c = c * (1 - 0.22 * np.exp(-np.maximum(inside, 0) / 7.0))[..., None]
    # The rim: caramel lit from the top left, rounded (lighter along its
    # middle), with a thin light line where it meets the floor.
    edge = np.minimum(np.minimum(XX, W - XX), np.minimum(YY, H - YY))
    wood = mix(rgb("#e0b17a"), rgb("#bf8a52"), clamp01(0.5 + 0.5 * (YY - XX * 0.8) / H))
    wood = wood * (0.80 + 0.30 * np.sin(np.pi * clamp01(edge / rim)) ** 0.7)[..., None]
    wood = wood + (0.18 * smoothstep(1.6, 0.0, np.abs(inside + 1.2)))[..., None]
    on_rim = smoothstep(0.8, -0.8, inside)
    return c * (1 - on_rim)[..., None] + wood * on_rim[..., None]


def menu_background():
    """Soft pastel diagonal gradient with a faint pattern of rounded squares."""
    n = soft_noise(311)
    t = clamp01((XX / W) * 0.6 + (YY / H) * 0.4)
    c = mix(rgb("#d9f0ee"), rgb("#e8dcf3"), t)
    lx = (XX + 24) % 48 - 24
    ly = (YY + 24) % 48 - 24
    q = np.maximum(np.abs(lx), np.abs(ly))
    motif = smoothstep(14.0, 13.0, q) * smoothstep(11.0, 12.0, q)
    c = c * (1 - 0.035 * motif)[..., None] * (0.97 + 0.05 * n)[..., None]
    return c * vignette(0.2)[..., None]


def style_background():
    """Neutral mid grey with fine diagonal lines: lets light and dark styles
    both stand out."""
    n = soft_noise(321)
    c = mix(rgb("#b9bec6"), rgb("#a4aab4"), YY / H)
    lines = 0.5 + 0.5 * np.sin((XX + YY) * 2 * np.pi / 12.0)
    c = c * (0.985 + 0.03 * lines)[..., None] * (0.97 + 0.05 * n)[..., None]
    c = dot_grid(c, False, 2.5, 0.10)
    return c * vignette(0.2)[..., None]


def tutorial_background():
    """Fresh light green-yellow with a faint cell grid."""
    n = soft_noise(331)
    c = mix(rgb("#eef7d8"), rgb("#d5ecc9"), YY / H)
    gx = np.abs((XX + CELL / 2) % CELL - CELL / 2)
    gy = np.abs((YY + CELL / 2) % CELL - CELL / 2)
    grid = smoothstep(1.2, 0.2, np.minimum(gx, gy))
    c = c * (1 - 0.06 * grid)[..., None] * (0.97 + 0.05 * n)[..., None]
    c = dot_grid(c, False, 3.0, 0.12)
    return c * vignette(0.18)[..., None]


def map_background():
    """Deep blue evening sky with soft lights: white credits and light cards
    stand out on it."""
    n = soft_noise(341, ((3, 1.0), (6, 0.5), (12, 0.25)))
    c = mix(rgb("#27336b"), rgb("#10162f"), YY / H)
    c = c + (np.array([0.10, 0.04, 0.12]) * smoothstep(0.45, 0.8, n)[..., None])
    rng = np.random.RandomState(342)
    for _ in range(26):
        x, y = rng.rand() * W, rng.rand() * H
        r = 20 + rng.rand() * 70
        a = 0.03 + 0.05 * rng.rand()
        tint = rgb(["#6fb7ff", "#ff8fc6", "#ffd37a", "#8ff0c8"][rng.randint(4)])
        blob = smoothstep(r, r * 0.75, np.hypot(XX - x, YY - y)) * a
        c = c + tint * blob[..., None]
    for _ in range(160):
        x, y = rng.rand() * W, rng.rand() * H
        s = rng.rand()
        glow = np.exp(-(np.hypot(XX - x, YY - y) / (0.5 + 1.0 * s)) ** 2) * (0.3 + 0.5 * s)
        c = c + glow[..., None]
    return c * vignette(0.25)[..., None]


def _image(c):
    return Image.fromarray((clamp01(c) * 255 + 0.5).astype(np.uint8), "RGB")


def block_picture(grid, cell, size):
    """Shaped blocks of a grid (grid[y][x] = tile style or -1) at `cell`
    pixels a cell, with their shadows, on a transparent picture of `size`."""
    q = cell // 2
    rows, cols = len(grid), len(grid[0])
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    shadow = shadow_strip()
    shadows = [shadow.crop((f * 48, 0, f * 48 + 48, 48)).resize((q, q), Image.LANCZOS) for f in range(28)]
    offs = [(0, 0), (q, 0), (q, q), (0, q)]
    cells = [(cx, cy) for cy in range(rows) for cx in range(cols) if grid[cy][cx] >= 0]
    sh = max(3, cell // 10)
    for cx, cy in cells:
        for f, (ox, oy) in zip(frames_for_mask(neighbour_mask(grid, cx, cy)), offs):
            img.alpha_composite(shadows[f], (cx * cell + ox + sh, cy * cell + oy + sh))
    for cx, cy in cells:
        mat = STYLES[grid[cy][cx]][3]
        for f, (ox, oy) in zip(frames_for_mask(neighbour_mask(grid, cx, cy)), offs):
            img.alpha_composite(quarter_image(mat, f, q), (cx * cell + ox, cy * cell + oy))
    return img


# The top band of the victory overlay holding the logo alone: the game loads
# it again as a 960 x 256 strip frame to draw the logo on other screens.
LOGO_BAND = 256


def gold_logo_layers(top=60, size=170):
    """The game's logo: 'pLiMo' in big friendly golden letters with a dark
    outline and a warm glow, centred, its letters' top at `top`. Returns
    (cover, colour) layers to lay down in order."""
    text = "pLiMo"
    f = font(size)
    m = Image.new("L", (W, H), 0)
    d = ImageDraw.Draw(m)
    box = d.textbbox((0, 0), text, font=f)
    d.text(((W - (box[2] - box[0])) / 2 - box[0], top - box[1]), text, font=f, fill=255)
    body = np.asarray(m, dtype=np.float64) / 255.0
    outline = np.asarray(m.filter(ImageFilter.MaxFilter(9)), dtype=np.float64) / 255.0
    glow = np.asarray(m.filter(ImageFilter.MaxFilter(9)).filter(ImageFilter.GaussianBlur(14)), dtype=np.float64) / 255.0
    grad = mix(rgb("#fff59a"), rgb("#ff9a1a"), clamp01((YY - top - 20) / 150))
    shine = smoothstep(0.0, 1.0, 1 - np.abs((YY - top - 35) / 30.0)) * 0.35
    return [(np.clip(glow * 0.8, 0, 1), rgb("#fff3b0")), (outline, rgb("#5a2a00")),
            (body, clamp01(grad + shine[..., None]))]


def bumper():
    """Loading and language picture: the title high up, a light calm middle
    where "Loading..." and the flags go, and a deeper bottom for the white
    name of the hovered language."""
    n = soft_noise(351)
    c = mix(rgb("#fdf6e9"), rgb("#f1e6f7"), smoothstep(0, H * 0.6, YY))
    c = mix(c, rgb("#5b4b8a"), smoothstep(H * 0.72, H * 0.98, YY))
    c = c * (0.98 + 0.04 * n)[..., None]
    # Light rays from behind the title.
    ang = np.arctan2(YY - 120, XX - W / 2)
    rays = (0.5 + 0.5 * np.cos(ang * 14)) * smoothstep(620, 80, np.hypot(XX - W / 2, YY - 120))
    c = c + (0.05 * rays)[..., None] * (1 - smoothstep(H * 0.6, H * 0.75, YY))[..., None]
    img = _image(c * vignette(0.15)[..., None]).convert("RGBA")
    # The logo stays in the top 240 px: at the smaller block sizes the
    # flags of the language screen come up to just below it.
    logo = np.zeros((H, W)), np.zeros((H, W, 3))
    for cover, colour in gold_logo_layers(top=40, size=160):
        a, col = logo
        col = col * (a * (1 - cover))[..., None] + colour * cover[..., None]
        na = cover + a * (1 - cover)
        logo = na, col / np.maximum(na, 1e-6)[..., None]
    img.alpha_composite(rgba_image(logo[1], logo[0]))
    # The "lite" tag under the logo's last letters.
    d = ImageDraw.Draw(img)
    f = font(30)
    tag = "lite"
    tw = d.textlength(tag, font=f)
    x0 = W // 2 + 150
    d.rounded_rectangle((x0 - 12, 190, x0 + tw + 12, 230), radius=18, fill=(255, 120, 60, 255),
                        outline=(120, 40, 20, 255), width=3)
    d.text((x0, 191), tag, font=f, fill=(255, 255, 255, 255))
    return img


def bravo():
    """Victory overlay: the game's title over a field of stars; the rest is
    transparent so the replayed board shows through."""
    a = np.zeros((H, W))
    col = np.zeros((H, W, 3))
    rng = np.random.RandomState(361)
    palette = [rgb(h) for h in ("#fff6a8", "#ffd34d", "#ffffff", "#8fd3ff", "#ff9fd0")]

    def put(cover, colour):
        nonlocal a, col
        colour = np.broadcast_to(colour, col.shape) if np.ndim(colour) == 1 else colour
        col = col * (a * (1 - cover))[..., None] + colour * cover[..., None]
        na = cover + a * (1 - cover)
        col = col / np.maximum(na, 1e-6)[..., None]
        a = na

    def clear_middle(x, y):
        # The result lines are written over the middle: stars stay rare there.
        # None in the logo's band: the menus draw that band as the logo.
        return y < LOGO_BAND + 12 or (230 < y < 690 and 120 < x < 840)

    # The field: many small twinkles over the whole picture...
    for _ in range(260):
        x, y = rng.rand() * W, rng.rand() * H
        if clear_middle(x, y) and (y < LOGO_BAND + 12 or rng.rand() < 0.93):
            continue
        r = np.hypot(XX - x, YY - y)
        size = 0.8 + rng.rand() * 1.8
        put(np.clip(np.exp(-(r / size) ** 2) * (0.5 + 0.5 * rng.rand()), 0, 1), palette[rng.randint(len(palette))])
    # ... and fewer, bigger five-pointed stars.
    for _ in range(60):
        x, y = rng.rand() * W, rng.rand() * H * 0.95
        if clear_middle(x, y) and (y < LOGO_BAND + 12 or rng.rand() < 0.85):
            continue
        rad = 5 + rng.rand() * 14
        lx, ly = XX - x, YY - y
        r = np.hypot(lx, ly)
        ang = np.arctan2(ly, lx) + rng.rand() * 6.28
        prof = 0.45 + 0.55 * ((0.5 + 0.5 * np.cos(5 * ang)) ** 2.2)
        cover = smoothstep(rad * prof + 1.0, rad * prof - 1.0, r)
        halo = np.exp(-(r / (rad * 1.4)) ** 2) * 0.35
        colour = palette[rng.randint(len(palette))]
        put(np.clip(halo, 0, 1), colour)
        put(cover, colour)
    # The title, the game's one logo, in the top band.
    for cover, colour in gold_logo_layers():
        put(cover, colour)
    return rgba_image(col, a)


def main():
    return [
        save_jpeg(_image(map_background()), "pLiMo_screen_fond.jpg"),
        save_jpeg(_image(play_background()), "pLiMo_screen_picots.jpg"),
        save_jpeg(_image(menu_background()), "pLiMo_screen_menus.jpg"),
        save_jpeg(_image(style_background()), "pLiMo_screen_style.jpg"),
        save_jpeg(_image(tutorial_background()), "pLiMo_tuto.jpg"),
        save_png(bumper(), "pLiMo_screen_bumper_lite.png"),
        save_png(bravo(), "pLiMo_sprite_bravo.png"),
    ]


if __name__ == "__main__":
    for p in main():
        print(p)
