"""Side-bar icons, the digit strip, the side-bar background, the level-card
frames and the two pointer images."""
import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from common import font, save_png, rgb, smoothstep, rgba_image, PeriodicNoise, mix

SS = 4                       # supersampling factor of vector drawings
ICON = 64
WHITE = (255, 255, 255)
LIT = (150, 215, 255)
ICON_NAMES = ["menu", "help", "music", "sound", "exit", "undo", "time", "restart", "back", "view", "last"]
# Rows of the two time fields inside the TIME icon and the x of each digit.
TIME_ROWS = (19, 40)
FIT_ROWS = 52
DIGIT_X = (5, 15, 30, 40)
DIGIT_W, DIGIT_H = 10, 16


def _canvas(w, h):
    return Image.new("L", (w * SS, h * SS), 0)


def _fit_text(im, cx, top, text, max_w, size):
    """Bold text centred on cx, squeezed horizontally (never enlarged) to at
    most max_w pixels, as a narrow face would draw it."""
    f = font(size * SS)
    # A thin stroke round the glyphs keeps the rounded letters bold once the
    # icon is shrunk into its slot.
    box = f.getbbox(text, stroke_width=SS)
    w, h = box[2] - box[0], box[3] - box[1]
    glyphs = Image.new("L", (w, h), 0)
    ImageDraw.Draw(glyphs).text((-box[0], -box[1]), text, font=f, fill=255, stroke_width=SS, stroke_fill=255)
    narrow = min(w, int(max_w * SS * 0.9), int(w * 0.82))
    glyphs = glyphs.resize((narrow, h), Image.LANCZOS)
    im.paste(255, (int(cx * SS - narrow / 2), int(top * SS)), glyphs)


def _box(x0, y0, x1, y1):
    return [v * SS for v in (x0, y0, x1, y1)]


def _arrow_head(draw, tip, direction, size):
    x, y = tip
    dx, dy = direction
    px, py = -dy, dx
    pts = [(x, y), (x - dx * size + px * size * 0.7, y - dy * size + py * size * 0.7),
           (x - dx * size - px * size * 0.7, y - dy * size - py * size * 0.7)]
    draw.polygon([(a * SS, b * SS) for a, b in pts], fill=255)


def icon_mask(name):
    """Coverage (64 x 64, 0..1) of one icon picture."""
    im = _canvas(ICON, ICON)
    d = ImageDraw.Draw(im)
    if name == "menu":
        _fit_text(im, 32, 6, "MENU", 54, 17)
        for y in (32, 44):
            d.rounded_rectangle(_box(10, y, 54, y + 7), radius=3 * SS, fill=255)
    elif name == "help":
        f = font(46 * SS)
        w = d.textlength("?", font=f)
        d.text((32 * SS - w / 2, 4 * SS), "?", font=f, fill=255, stroke_width=2 * SS, stroke_fill=255)
    elif name == "music":
        d.ellipse(_box(12, 40, 27, 52), fill=255)
        d.ellipse(_box(36, 34, 51, 46), fill=255)
        d.rectangle(_box(23, 12, 27, 46), fill=255)
        d.rectangle(_box(47, 6, 51, 40), fill=255)
        d.polygon([(23 * SS, 12 * SS), (51 * SS, 6 * SS), (51 * SS, 14 * SS), (23 * SS, 20 * SS)], fill=255)
    elif name == "sound":
        d.rectangle(_box(8, 24, 18, 40), fill=255)
        d.polygon([(16 * SS, 24 * SS), (32 * SS, 10 * SS), (32 * SS, 54 * SS), (16 * SS, 40 * SS)], fill=255)
        for r in (9, 17):
            d.arc(_box(32 - r, 32 - r, 32 + r + 4, 32 + r), start=-50, end=50, fill=255, width=4 * SS)
    elif name == "exit":
        d.rectangle(_box(14, 6, 50, 58), fill=255)
        d.rectangle(_box(19, 11, 45, 58), fill=0)
        d.polygon([(19 * SS, 11 * SS), (38 * SS, 16 * SS), (38 * SS, 58 * SS), (19 * SS, 54 * SS)], fill=255)
        d.ellipse(_box(31, 33, 35, 37), fill=0)
    elif name == "undo":
        d.arc(_box(14, 6, 50, 40), start=200, end=80, fill=255, width=6 * SS)
        _arrow_head(d, (11, 27), (-0.2, 1.0), 9)
        _fit_text(im, 32, 42, "UNDO", 54, 16)
    elif name == "time":
        _fit_text(im, 32, 0, "TIME", 50, 16)
        for row in TIME_ROWS:
            # The separating marks between minutes and seconds: an
            # apostrophe after the minutes and a double quote after the
            # seconds, as times are written in the game.
            d.rectangle(_box(26, row + 1, 28, row + 6), fill=255)
            d.rectangle(_box(51, row + 1, 53, row + 6), fill=255)
            d.rectangle(_box(55, row + 1, 57, row + 6), fill=255)
    elif name == "restart":
        for gx in range(3):
            for gy in range(2):
                x0, y0 = 13 + gx * 13, 6 + gy * 13
                d.rounded_rectangle(_box(x0, y0, x0 + 10, y0 + 10), radius=2 * SS, fill=255)
        _fit_text(im, 32, 36, "RESTART", 58, 15)
    elif name == "back":
        _fit_text(im, 32, 4, "BACK", 54, 17)
        for x in (30, 48):
            d.polygon([(x * SS, 30 * SS), (x * SS, 56 * SS), ((x - 16) * SS, 43 * SS)], fill=255)
    elif name == "view":
        d.ellipse(_box(4, 18, 60, 46), fill=255)
        d.ellipse(_box(8, 22, 56, 42), fill=0)
        d.ellipse(_box(21, 19, 43, 45), fill=255)
        d.ellipse(_box(28, 26, 36, 38), fill=0)
    elif name == "last":
        for i in range(4):
            for j in range(i + 1):
                x0, y0 = 10 + i * 11, 32 - j * 9
                d.rounded_rectangle(_box(x0, y0, x0 + 9, y0 + 7), radius=1 * SS, fill=255)
        _fit_text(im, 32, 42, "LAST", 54, 16)
    small = im.resize((ICON, ICON), Image.LANCZOS)
    if name != "time":
        # Drawn (block size - 48) / 2 below the top of its slot, an icon must
        # end by row FIT_ROWS to stay inside the slot at block size 56; the
        # time icon keeps the rows where the game writes its digits.
        small = small.resize((FIT_ROWS, FIT_ROWS), Image.LANCZOS)
        framed = Image.new("L", (ICON, ICON), 0)
        framed.paste(small, ((ICON - FIT_ROWS) // 2, 0))
        small = framed
    return np.asarray(small, dtype=np.float64) / 255.0


def _time_fields(lit):
    """Dark rounded fields behind the two rows of digits of the TIME icon so
    the white digits stay readable."""
    im = _canvas(ICON, ICON)
    d = ImageDraw.Draw(im)
    for row in TIME_ROWS:
        d.rounded_rectangle(_box(DIGIT_X[0] - 2, row - 2, DIGIT_X[1] + DIGIT_W + 1, row + DIGIT_H + 1), radius=3 * SS, fill=255)
        d.rounded_rectangle(_box(DIGIT_X[2] - 2, row - 2, DIGIT_X[3] + DIGIT_W + 1, row + DIGIT_H + 1), radius=3 * SS, fill=255)
    return np.asarray(im.resize((ICON, ICON), Image.LANCZOS), dtype=np.float64) / 255.0


def icon_cell(name, colour):
    mask = icon_mask(name)
    shadow = np.asarray(Image.fromarray((mask * 255).astype(np.uint8)).filter(ImageFilter.GaussianBlur(1.6)),
                        dtype=np.float64) / 255.0
    shadow = np.pad(shadow, ((1, 0), (1, 0)))[:ICON, :ICON]
    col = np.asarray(colour, dtype=np.float64) / 255.0
    # A gentle top-to-bottom shading makes the flat pictures look pressed out.
    grad = np.linspace(1.0, 0.86, ICON)[:, None] * np.ones((1, ICON))
    c = col[None, None, :] * grad[..., None] * mask[..., None]
    a = mask + (1 - mask) * shadow * 0.75
    if name == "time":
        fields = _time_fields(colour == LIT)
        fa = fields * 0.55
        c = c * (1 - fa * (1 - mask))[..., None]
        a = np.maximum(a, fa)
        glow = col * 0.18
        c = c + (glow[None, None, :] * fields[..., None] * (1 - mask)[..., None])
    out = np.where(a[..., None] > 0, c / np.maximum(a, 1e-6)[..., None], 0.0)
    return rgba_image(out, a)


def icon_strip(colour):
    strip = Image.new("RGBA", (ICON * len(ICON_NAMES), ICON), (0, 0, 0, 0))
    for i, n in enumerate(ICON_NAMES):
        strip.paste(icon_cell(n, colour), (i * ICON, 0))
    return strip


def digit_strip():
    """Digits 0..9 in white, 10 x 16 each; the game tints them."""
    strip = Image.new("RGBA", (DIGIT_W * 10, DIGIT_H), (0, 0, 0, 0))
    f = font(15 * SS)
    for i in range(10):
        # Each digit is drawn alone and squeezed into its 10 x 16 cell with
        # a one-pixel margin, keeping the strokes bold at this small size.
        box = f.getbbox(str(i))
        w, h = box[2] - box[0], box[3] - box[1]
        glyph = Image.new("L", (w, h), 0)
        ImageDraw.Draw(glyph).text((-box[0], -box[1]), str(i), font=f, fill=255)
        glyph = glyph.resize(((DIGIT_W - 1) * SS, (DIGIT_H - 3) * SS), Image.LANCZOS)
        im = Image.new("L", (DIGIT_W * SS, DIGIT_H * SS), 0)
        im.paste(glyph, (SS // 2, int(1.5 * SS)))
        a = im.resize((DIGIT_W, DIGIT_H), Image.LANCZOS)
        cell = Image.merge("RGBA", (Image.new("L", a.size, 255),) * 3 + (a,))
        strip.paste(cell, (i * DIGIT_W, 0))
    return strip


def side_bar():
    """64 x 768: a dark blue panel with a lit left edge and faint grooves
    between the eight slots, behind white icons."""
    w, h = 64, 768
    y = np.arange(h)[:, None] * np.ones((1, w))
    x = np.ones((h, 1)) * np.arange(w)[None, :]
    noise = PeriodicNoise(901, period=64).fbm([(8, 1.0), (16, 0.5), (32, 0.3)])
    top, bottom = rgb("#2b3d6b"), rgb("#1a2442")
    c = mix(top, bottom, y / h)
    c = c * (0.94 + 0.1 * noise(x, y % 64))[..., None]
    edge = np.exp(-x / 2.0) * 0.35 - np.exp(-(63 - x) / 2.0) * 0.25
    c = c + edge[..., None]
    groove = np.zeros((h, w))
    for k in range(1, 8):
        groove += np.exp(-((y - 96 * k) / 0.8) ** 2) * 0.22 - np.exp(-((y - 96 * k - 1.5) / 0.8) ** 2) * 0.10
    inset = smoothstep(3.0, 8.0, x) * smoothstep(3.0, 8.0, 63 - x)
    c = c * (1 - groove * inset)[..., None]
    return rgba_image(c, np.ones((h, w)))


def card_frame(highlighted):
    """260 x 220 frame around a 200 x 160 level picture; the picture area
    stays transparent."""
    W, H = 260, 220
    yy, xx = np.mgrid[0:H, 0:W] + 0.5

    def rbox(x0, y0, x1, y1, r):
        qx = np.maximum(np.maximum(x0 + r - xx, xx - (x1 - r)), 0)
        qy = np.maximum(np.maximum(y0 + r - yy, yy - (y1 - r)), 0)
        inside = np.minimum(np.maximum(np.maximum(x0 + r - xx, xx - (x1 - r)),
                                       np.maximum(y0 + r - yy, yy - (y1 - r))), 0)
        return np.hypot(qx, qy) + inside - r

    outer = rbox(8, 8, 252, 212, 22)
    inner = rbox(30, 30, 230, 190, 0.01)
    ring = np.maximum(outer, -inner)
    cover = np.clip(0.5 - ring, 0, 1)
    t = np.maximum(-ring, 0)
    # Rounded rim: light from the top left on both the outer and the
    # inner edge.
    gx = np.gradient(ring, axis=1)
    gy = np.gradient(ring, axis=0)
    n = np.hypot(gx, gy) + 1e-9
    k = np.clip(1 - t / 9.0, 0, 1) ** 2 * 1.8
    nx, ny = gx / n * k, gy / n * k
    light = np.array([-0.45, -0.65, 1.0])
    light /= np.linalg.norm(light)
    ndl = (nx * light[0] + ny * light[1] + light[2]) / np.sqrt(nx * nx + ny * ny + 1)
    shade = 0.55 + 0.45 * np.clip(ndl, 0, 1) / light[2]
    if highlighted:
        base = mix(rgb("#ffd23f"), rgb("#ff9f1c"), (yy - 8) / 204)
    else:
        base = mix(rgb("#f7f4ee"), rgb("#c9d3e6"), (yy - 8) / 204)
    spec = 0.5 * np.clip(ndl, 0, 1) ** 30
    c = base * shade[..., None] + spec[..., None]
    # Dots along the frame like the studs of a board.
    dots = np.zeros((H, W))
    for px in np.linspace(30, 230, 6):
        for py in (19, 201):
            dots = np.maximum(dots, smoothstep(3.5, 2.0, np.hypot(xx - px, yy - py)))
    for py in np.linspace(60, 160, 3):
        for px in (19, 241):
            dots = np.maximum(dots, smoothstep(3.5, 2.0, np.hypot(xx - px, yy - py)))
    c = mix(c, c * 0.72, dots)
    # Soft shadow under the frame and a glow around the highlighted one.
    sh = np.clip(0.5 - rbox(12, 14, 256, 218, 24), 0, 1)
    sh_img = Image.fromarray((sh * 255).astype(np.uint8)).filter(ImageFilter.GaussianBlur(4))
    sha = np.asarray(sh_img, dtype=np.float64) / 255.0 * 0.45
    sha = sha * (inner > 0)
    if highlighted:
        glow = np.clip(1 - np.maximum(outer, 0) / 8.0, 0, 1) * (outer > 0) * 0.8
        glow_col = rgb("#fff2a8")
        a_bg = np.maximum(sha, glow)
        bg = np.where((glow > sha)[..., None], glow_col, 0.0)
    else:
        a_bg = sha
        bg = np.zeros((H, W, 3))
    a = cover + (1 - cover) * a_bg
    col = (c * cover[..., None] + bg * ((1 - cover) * a_bg)[..., None]) / np.maximum(a, 1e-6)[..., None]
    return rgba_image(col, a)


HAND_SCALE = 0.6   # the hand's size in the 213 x 256 image, about the hot spot
HOT_SPOT = (85, 50)


def _hand_parts(pressed):
    """Rounded pieces of a pointing hand in image pixels (not supersampled):
    (kind, box, radius), drawn at full size and shrunk by HAND_SCALE about the
    fingertip, which stays on the hot spot (85, 50)."""
    tip_y = 44 if not pressed else 47
    parts = [
        ("rr", (70, tip_y, 100, 150), 15),          # index finger
        ("rr", (97, 104, 123, 158), 13),            # middle finger (folded)
        ("rr", (120, 112, 145, 162), 12),           # ring finger
        ("rr", (142, 122, 164, 166), 11),           # little finger
        ("rr", (68, 126, 166, 214), 30),            # palm
        ("poly", [(74, 170), (40, 132), (34, 120), (42, 110), (56, 116), (86, 150)], 0),  # thumb
        ("el", (30, 106, 54, 132), 0),              # thumb tip
        ("rr", (84, 198, 156, 232), 8),             # cuff
    ]
    return [(kind, _shrink(geo), r * HAND_SCALE) for kind, geo, r in parts]


def _shrink(geo):
    hx, hy = HOT_SPOT
    if isinstance(geo, list):
        return [(hx + (x - hx) * HAND_SCALE, hy + (y - hy) * HAND_SCALE) for x, y in geo]
    x0, y0, x1, y1 = geo
    return (hx + (x0 - hx) * HAND_SCALE, hy + (y0 - hy) * HAND_SCALE,
            hx + (x1 - hx) * HAND_SCALE, hy + (y1 - hy) * HAND_SCALE)


def _draw_parts(draw, parts, grow, fill):
    for kind, geo, r in parts:
        if kind == "rr":
            x0, y0, x1, y1 = geo
            draw.rounded_rectangle(_box(x0 - grow, y0 - grow, x1 + grow, y1 + grow), radius=(r + grow) * SS, fill=fill)
        elif kind == "el":
            x0, y0, x1, y1 = geo
            draw.ellipse(_box(x0 - grow, y0 - grow, x1 + grow, y1 + grow), fill=fill)
        else:
            pts = [(x * SS, y * SS) for x, y in geo]
            draw.polygon(pts, fill=fill)
            if grow:
                draw.line(pts + [pts[0]], fill=fill, width=int(2 * grow * SS), joint="curve")


def pointer(pressed):
    """213 x 256 pointing hand; the pressed one has tap rings round the
    fingertip. The hot spot (85, 50) is the fingertip. The hand is small and
    ringed by a thin dark outline so it reads on light tiles without covering
    much of them."""
    W, H = 213, 256
    hot = HOT_SPOT
    img = Image.new("RGBA", (W * SS, H * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    if pressed:
        for r, a in ((14, 230), (22, 150)):
            box = _box(hot[0] - r, hot[1] - r, hot[0] + r, hot[1] + r)
            d.ellipse(box, outline=(20, 40, 80, a), width=5 * SS)
            inner = [box[0] + SS, box[1] + SS, box[2] - SS, box[3] - SS]
            d.ellipse(inner, outline=(140, 210, 255, a), width=3 * SS)
    parts = _hand_parts(pressed)
    _draw_parts(d, parts, 1.6, (20, 22, 32, 255))
    _draw_parts(d, parts, 0, (255, 255, 255, 255))
    # Creases between the folded fingers and on the cuff.
    for line in ((100, 135, 100, 152), (123, 140, 123, 160), (145, 146, 145, 163), (86, 204, 154, 204)):
        d.line(_box(*_shrink(line)), fill=(140, 150, 172, 255), width=int(1.5 * SS))
    hand = img.rotate(-10, resample=Image.BICUBIC, center=(hot[0] * SS, hot[1] * SS))
    hand = hand.resize((W, H), Image.LANCZOS)
    arr = np.asarray(hand, dtype=np.float64) / 255.0
    # Shading: a little darker towards the lower right of the glove.
    yy, xx = np.mgrid[0:H, 0:W]
    shade = 1.0 - 0.18 * np.clip((xx - 82) / 54.0 + (yy - 93) / 84.0, 0, 1)
    arr[..., :3] *= shade[..., None]
    # Soft shadow behind the hand.
    alpha = Image.fromarray((arr[..., 3] * 255).astype(np.uint8)).filter(ImageFilter.GaussianBlur(3))
    sh = np.zeros((H, W))
    sh[4:, 4:] = (np.asarray(alpha, dtype=np.float64) / 255.0)[:-4, :-4] * 0.3
    a = arr[..., 3] + (1 - arr[..., 3]) * sh
    col = arr[..., :3] * (arr[..., 3] / np.maximum(a, 1e-6))[..., None]
    return rgba_image(col, a)


def main():
    return [
        save_png(icon_strip(WHITE), "pLiMo_icones_normales.png"),
        save_png(icon_strip(LIT), "pLiMo_icones_light.png"),
        save_png(digit_strip(), "pLiMo_chiffres_10x16.png"),
        save_png(side_bar(), "menu_barre_vide.png"),
        save_png(card_frame(False), "pLiMo_sprite_plateau.png"),
        save_png(card_frame(True), "pLiMo_sprite_plateau_highlighted.png"),
        save_png(pointer(False), "souris_curseur_1.png"),
        save_png(pointer(True), "souris_curseur_2.png"),
    ]


if __name__ == "__main__":
    for p in main():
        print(p)
