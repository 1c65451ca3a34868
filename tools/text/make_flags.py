#!/usr/bin/python3
"""Draws the fifteen language flags as 100 x 75 RGBA PNG files.

Each flag is drawn four times larger and scaled down for smooth edges, then
gets rounded corners and a faint outline so that white parts still show on
a light background.
"""
import math
import os
import sys

from PIL import Image, ImageDraw

WIDTH, HEIGHT = 100, 75
SUPER = 4
W, H = WIDTH * SUPER, HEIGHT * SUPER
CORNER = 5 * SUPER


def horizontal(draw, colours, shares=None):
    shares = shares or [1] * len(colours)
    total, top = sum(shares), 0.0
    for colour, share in zip(colours, shares):
        bottom = top + H * share / total
        draw.rectangle([0, round(top), W, round(bottom)], fill=colour)
        top = bottom


def vertical(draw, colours, shares=None):
    shares = shares or [1] * len(colours)
    total, left = sum(shares), 0.0
    for colour, share in zip(colours, shares):
        right = left + W * share / total
        draw.rectangle([round(left), 0, round(right), H], fill=colour)
        left = right


def star_points(cx, cy, outer, inner, angle, points=5):
    """A star whose first tip points at angle (radians, 0 = up, clockwise)."""
    out = []
    for i in range(points * 2):
        r = outer if i % 2 == 0 else inner
        a = angle + i * math.pi / points
        out.append((cx + r * math.sin(a), cy - r * math.cos(a)))
    return out


def french(d):
    vertical(d, [(0, 35, 149), (255, 255, 255), (237, 41, 57)])


def english(d):
    # The Union Flag, laid out on its 60 x 30 design grid.
    sx, sy = W / 60, H / 30
    blue, red, white = (1, 33, 105), (200, 16, 46), (255, 255, 255)
    d.rectangle([0, 0, W, H], fill=blue)

    def p(x, y):
        return (x * sx, y * sy)

    for a, b in (((0, 0), (60, 30)), ((0, 30), (60, 0))):
        d.line([p(*a), p(*b)], fill=white, width=round(6 * sy * 1.15))
    # The red saltire is counterchanged: in each arm it lies on one side of
    # the diagonal, the broad white uppermost next to the hoist.
    for corner in ((0, 0), (0, 30), (60, 30), (60, 0)):
        cx, cy = 30, 15
        dx, dy = corner[0] - cx, corner[1] - cy
        length = math.hypot(dx, dy)
        nx, ny = dy / length * 2, -dx / length * 2
        d.polygon([p(cx, cy), p(*corner), p(corner[0] + nx, corner[1] + ny), p(cx + nx, cy + ny)], fill=red)
    d.rectangle([p(25, 0), p(35, 30)], fill=white)
    d.rectangle([p(0, 10), p(60, 20)], fill=white)
    d.rectangle([p(27, 0), p(33, 30)], fill=red)
    d.rectangle([p(0, 12), p(60, 18)], fill=red)


def dutch(d):
    horizontal(d, [(174, 28, 40), (255, 255, 255), (33, 70, 139)])


def portuguese(d):
    vertical(d, [(0, 102, 0), (255, 0, 0)], [2, 3])
    cx, cy, r = W * 0.4, H * 0.5, H * 0.26
    yellow = (255, 221, 0)
    d.ellipse([cx - r, cy - r, cx + r, cy + r], outline=yellow, width=round(H * 0.035))
    d.line([cx - r, cy, cx + r, cy], fill=yellow, width=round(H * 0.025))
    d.arc([cx - r, cy - r * 0.45, cx + r, cy + r * 0.45], 0, 180, fill=yellow, width=round(H * 0.025))
    # The shield: red border, white field with five blue shields.
    sw, sh = r * 0.95, r * 1.1
    top = cy - sh * 0.55
    d.rounded_rectangle([cx - sw / 2, top, cx + sw / 2, top + sh], radius=sw * 0.35, fill=(255, 0, 0))
    iw, ih = sw * 0.62, sh * 0.66
    itop = cy - ih * 0.55
    d.rounded_rectangle([cx - iw / 2, itop, cx + iw / 2, itop + ih], radius=iw * 0.35, fill=(255, 255, 255))
    dot = iw * 0.13
    for ox, oy in ((0, -0.28), (-0.28, 0), (0, 0), (0.28, 0), (0, 0.28)):
        x, y = cx + ox * iw, itop + ih * 0.48 + oy * ih
        d.ellipse([x - dot, y - dot, x + dot, y + dot], fill=(0, 41, 128))


def spanish(d):
    red, yellow = (170, 21, 27), (241, 191, 0)
    horizontal(d, [red, yellow, red], [1, 2, 1])
    # A simplified coat of arms: crown, quartered shield and the two pillars.
    cx, cy = H * 0.5, H * 0.52
    s = H * 0.2
    for px in (cx - s * 1.05, cx + s * 1.05):
        d.rectangle([px - s * 0.12, cy - s * 0.8, px + s * 0.12, cy + s * 0.8], fill=(200, 200, 200), outline=red)
    d.polygon([(cx - s * 0.6, cy - s * 1.15), (cx - s * 0.6, cy - s * 1.55), (cx - s * 0.3, cy - s * 1.3),
               (cx, cy - s * 1.6), (cx + s * 0.3, cy - s * 1.3), (cx + s * 0.6, cy - s * 1.55),
               (cx + s * 0.6, cy - s * 1.15)], fill=(200, 150, 0), outline=red)
    d.rounded_rectangle([cx - s * 0.65, cy - s, cx + s * 0.65, cy + s], radius=s * 0.5, fill=red,
                        outline=(120, 10, 20), width=SUPER)
    d.rectangle([cx, cy - s * 0.95, cx + s * 0.6, cy], fill=(230, 230, 230))
    d.rectangle([cx - s * 0.6, cy, cx, cy + s * 0.6], fill=yellow)


def polish(d):
    horizontal(d, [(255, 255, 255), (220, 20, 60)])


def deutsch(d):
    horizontal(d, [(0, 0, 0), (221, 0, 0), (255, 206, 0)])


def hungarian(d):
    horizontal(d, [(205, 42, 62), (255, 255, 255), (67, 111, 77)])


def italiano(d):
    vertical(d, [(0, 146, 70), (255, 255, 255), (206, 43, 55)])


def chinese(d):
    d.rectangle([0, 0, W, H], fill=(238, 28, 37))
    # On a 30 x 20 grid: the large star, and four small stars each pointing
    # one tip at the large star's centre.
    sx, sy = W / 30, H / 20
    yellow = (255, 255, 0)
    d.polygon(star_points(5 * sx, 5 * sy, 3 * sy, 3 * sy * 0.382, 0), fill=yellow)
    for x, y in ((10, 2), (12, 4), (12, 7), (10, 9)):
        angle = math.atan2(5 * sx - x * sx, -(5 * sy - y * sy))
        d.polygon(star_points(x * sx, y * sy, 1 * sy, 1 * sy * 0.382, angle), fill=yellow)


def hebrew(d):
    white, blue = (255, 255, 255), (0, 56, 184)
    d.rectangle([0, 0, W, H], fill=white)
    d.rectangle([0, H * 0.1, W, H * 0.25], fill=blue)
    d.rectangle([0, H * 0.75, W, H * 0.9], fill=blue)
    cx, cy, r = W / 2, H / 2, H * 0.2
    for start in (0, math.pi):
        triangle = [(cx + r * math.sin(start + k * 2 * math.pi / 3), cy - r * math.cos(start + k * 2 * math.pi / 3))
                    for k in range(3)]
        d.polygon(triangle, outline=blue, width=round(H * 0.035))


def bulgarian(d):
    horizontal(d, [(255, 255, 255), (0, 150, 110), (214, 38, 18)])


def swedish(d):
    d.rectangle([0, 0, W, H], fill=(0, 106, 167))
    yellow = (254, 204, 0)
    d.rectangle([W * 5 / 16, 0, W * 7 / 16, H], fill=yellow)
    d.rectangle([0, H * 4 / 10, W, H * 6 / 10], fill=yellow)


def south_african(d):
    horizontal(d, [(224, 60, 49), (0, 35, 149)])
    mid = H / 2
    k = mid / (W * 0.4)  # slope of the pall's arms

    def pall(half):
        # The Y-shaped band: two arms from the hoist corners joining into a
        # horizontal band; half is its half-width.
        o = half * math.sqrt(1 + k * k)
        outer_x = (mid - half + o) / k
        inner_x = (mid - o) / k
        return [(0, -o), (outer_x, mid - half), (W, mid - half), (W, mid + half), (outer_x, mid + half),
                (0, H + o), (0, H - o), (inner_x, mid), (0, o)]

    def triangle(inset):
        o = inset * math.sqrt(1 + k * k)
        return [(0, o), ((mid - o) / k, mid), (0, H - o)]

    d.polygon(pall(H / 6), fill=(255, 255, 255))
    d.polygon(pall(H / 10), fill=(0, 122, 77))
    d.polygon(triangle(H / 10), fill=(255, 182, 18))
    d.polygon(triangle(H / 10 + H / 15), fill=(0, 0, 0))


def romanian(d):
    vertical(d, [(0, 43, 127), (252, 209, 22), (206, 17, 38)])


FLAGS = {
    "French.png": french, "English.png": english, "Dutch.png": dutch,
    "Portuguese.png": portuguese, "Espanol.png": spanish, "Polish.png": polish,
    "Deutsch.png": deutsch, "Hungarian.png": hungarian, "Italiano.png": italiano,
    "Chinese.png": chinese, "Hebrew.png": hebrew, "Bulgarian.png": bulgarian,
    "Swedish.png": swedish, "Suid-Afrika.png": south_african, "Romanian.png": romanian,
}


def finish(flag):
    """Rounded corners and a faint dark outline, then the final size."""
    mask = Image.new("L", (W, H), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, W - 1, H - 1], radius=CORNER, fill=255)
    outline = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    ImageDraw.Draw(outline).rounded_rectangle([0, 0, W - 1, H - 1], radius=CORNER,
                                              outline=(0, 0, 0, 70), width=SUPER)
    flag = Image.alpha_composite(flag, outline)
    flag.putalpha(mask)
    return flag.resize((WIDTH, HEIGHT), Image.LANCZOS)


def draw_flag(painter):
    flag = Image.new("RGBA", (W, H), (255, 255, 255, 255))
    painter(ImageDraw.Draw(flag))
    return finish(flag)


def main(data_dir):
    for name, painter in FLAGS.items():
        draw_flag(painter).save(os.path.join(data_dir, name), optimize=True)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "Data"))
