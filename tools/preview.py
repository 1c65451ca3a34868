#!/usr/bin/python3
"""Renders preview sheets of the game's pictures into build/preview/ (not
committed): every tile style as shapes of several forms drawn the way the
board draws them (quarters chosen by the shape rule, shadows 8 px below
right, the additive highlight on a held shape), the icons, the flags, the
screens and level 0 on the play background."""
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "art"))

from common import DATA, ROOT, font  # noqa: E402
from quarters import neighbour_mask, frames_for_mask  # noqa: E402
from styles import STYLES, archive_name  # noqa: E402

OUT = os.path.join(ROOT, "build", "preview")
COLS, ROWS = 10, 8
LANGUAGES = ["French", "English", "Dutch", "Portuguese", "Espanol", "Polish", "Deutsch",
             "Hungarian", "Italiano", "Chinese", "Hebrew", "Bulgarian", "Swedish",
             "Suid-Afrika", "Romanian"]


def level_grid(n):
    """Colour slots (-1 empty) of record n of the shipped level bank, [y][x]."""
    with open(os.path.join(DATA, "lite2.lvl"), "rb") as f:
        record = f.read()[404 * n:404 * (n + 1)]
    return [[record[4 + 10 * y + x] - 1 for x in range(COLS)] for y in range(ROWS)]


def load(name):
    path = os.path.join(DATA, name)
    return Image.open(path).convert("RGBA") if os.path.exists(path) else None


def strip_frames(img, cell_w=48, cell_h=48):
    return [img.crop((i * cell_w, 0, (i + 1) * cell_w, cell_h)) for i in range(img.width // cell_w)]


class Strips:
    def __init__(self):
        self.styles = [strip_frames(load(archive_name(s[0]))) for s in STYLES]
        self.shadow = strip_frames(load("pLiMo_fx_shadows.png"))
        self.highlight = strip_frames(load("pLiMo_fx_highlight.png"))


def add_image(dst, src, pos, alpha=1.0):
    """Additive drawing: destination + source colour x source alpha x alpha."""
    x, y = pos
    region = dst.crop((x, y, x + src.width, y + src.height))
    d = np.asarray(region, dtype=np.float64)
    s = np.asarray(src, dtype=np.float64)
    a = s[..., 3:4] / 255.0 * alpha
    d[..., :3] = np.minimum(255.0, d[..., :3] + s[..., :3] * a)
    dst.paste(Image.fromarray(d.astype(np.uint8), "RGBA"), (x, y))


def draw_board(canvas, grid, style_of, strips, bs, origin=(0, 0), selected=None, shadows=True):
    """grid[y][x]: kind or -1. Draws like the game: all shadows, then all
    blocks, then the highlight of the selected kind."""
    h = bs // 2
    ox, oy = origin
    cells = [(x, y) for y in range(len(grid)) for x in range(len(grid[0])) if grid[y][x] >= 0]
    frames = {c: frames_for_mask(neighbour_mask(grid, *c)) for c in cells}
    offs = [(0, 0), (h, 0), (h, h), (0, h)]

    def quarters(strip, shift, blend):
        for (x, y) in cells:
            if strip is None:
                continue
            fr_list = strip(grid[y][x])
            if fr_list is None:
                continue
            for f, (qx, qy) in zip(frames[(x, y)], offs):
                q = fr_list[f].resize((h, h), Image.BILINEAR)
                pos = (ox + x * bs + qx + shift, oy + y * bs + qy + shift)
                if blend == "add":
                    add_image(canvas, q, pos, 0.8)
                else:
                    canvas.alpha_composite(q, pos)

    if shadows:
        quarters(lambda k: strips.shadow, 8, "alpha")
    quarters(lambda k: strips.styles[style_of(k)], 0, "alpha")
    if selected is not None:
        sel_grid = [[k if k == selected else -1 for k in row] for row in grid]
        cells_sel = [(x, y) for (x, y) in cells if grid[y][x] == selected]
        for (x, y) in cells_sel:
            for f, (qx, qy) in zip(frames_for_mask(neighbour_mask(sel_grid, x, y)), offs):
                q = strips.highlight[f].resize((h, h), Image.BILINEAR)
                add_image(canvas, q, (ox + x * bs + qx, oy + y * bs + qy), 0.8)


# Shapes of several forms on a 12 x 5 panel; kind 0 everywhere, kind 1 is
# the selected ring.
FORMS = [
    [(0, 0)],                                       # lone block
    [(2, 0), (3, 0), (4, 0)],                       # bar
    [(6, 0), (7, 1)],                               # diagonal pair: two shapes
    [(9, 0), (9, 1), (9, 2), (10, 2)],              # L
    [(0, 2), (1, 2), (0, 3), (1, 3)],               # 2 x 2 square
    [(7, 3), (8, 3), (8, 4), (9, 4), (11, 0), (11, 1)],  # zigzag + short column
]
RING = [(x, y) for x in range(3, 6) for y in range(2, 5) if (x, y) != (4, 3)]


def style_panel(strips, s, bs, background):
    w, h = 12 * bs, 5 * bs
    panel = background.resize((w, h)).convert("RGBA") if background else Image.new("RGBA", (w, h), (225, 225, 220, 255))
    grid = [[-1] * 12 for _ in range(5)]
    for form in FORMS:
        for x, y in form:
            grid[y][x] = 0
    for x, y in RING:
        grid[y][x] = 1
    draw_board(panel, grid, lambda k: s, strips, bs, selected=1)
    d = ImageDraw.Draw(panel)
    light = STYLES[s][2]
    caption = "%d %s" % (s, STYLES[s][0])
    f = font(max(12, bs // 3))
    # A caption on the bar, as menu captions are drawn on blocks.
    d.text((2 * bs + 10, bs // 2 - f.size // 2), caption, font=f,
           fill=(255, 255, 255, 180) if light else (0, 0, 0, 180))
    return panel


def sheet_styles(strips, background):
    bs = 48
    per_sheet = 10
    paths = []
    for start in range(0, len(STYLES), per_sheet):
        idx = list(range(start, min(start + per_sheet, len(STYLES))))
        cols = 2
        rows = (len(idx) + 1) // 2
        sheet = Image.new("RGBA", (cols * (12 * bs + 8), rows * (5 * bs + 8)), (60, 60, 60, 255))
        for i, s in enumerate(idx):
            sheet.alpha_composite(style_panel(strips, s, bs, background),
                                  ((i % cols) * (12 * bs + 8), (i // cols) * (5 * bs + 8)))
        p = os.path.join(OUT, "styles_%02d.png" % (start // per_sheet))
        sheet.save(p)
        paths.append(p)
    # The six default colours side by side at full size.
    sheet = Image.new("RGBA", (6 * 3 * 96, 3 * 96), (0, 0, 0, 255))
    if background:
        sheet.paste(background.resize((6 * 3 * 96, 3 * 96 * 768 // 960)).crop((0, 0, 6 * 3 * 96, 3 * 96)))
    grid = [[-1] * 18 for _ in range(3)]
    for k in range(6):
        for x, y in ((0, 0), (1, 0), (0, 1), (1, 2)):
            grid[y][k * 3 + x] = k
    draw_board(sheet, grid, lambda k: k, strips, 96)
    p = os.path.join(OUT, "default_colours.png")
    sheet.save(p)
    sheet.convert("L").save(os.path.join(OUT, "default_colours_grey.png"))
    paths.append(p)
    return paths


def sheet_level0(strips, background):
    grid = level_grid(0)
    board = Image.new("RGBA", (1024, 768), (0, 0, 0, 255))
    if background:
        board.paste(background.resize((960, 768)), (0, 0))
    bar = load("menu_barre_vide.png")
    if bar:
        board.paste(bar, (960, 0))
    draw_board(board, grid, lambda k: k, strips, 96, selected=2)
    icons = load("pLiMo_icones_normales.png")
    lit = load("pLiMo_icones_light.png")
    digits = load("pLiMo_chiffres_10x16.png")
    if icons and lit:
        frames = strip_frames(icons, 64, 64)
        lit_frames = strip_frames(lit, 64, 64)
        for slot, index in enumerate((6, 0, 8, 0, 7, 0, 1, 3)):
            if index:
                img = lit_frames[index - 1] if index == 3 else frames[index - 1]
                y = slot * 96 + (96 - 48) // 2
                board.alpha_composite(img, (960, y))
                if index == 7 and digits:
                    dfr = strip_frames(digits, 10, 16)
                    for row, value in ((19, 83), (40, 27)):
                        m, s = value // 60, value % 60
                        for dx, dgt in ((5, m // 10), (15, m % 10), (30, s // 10), (40, s % 10)):
                            board.alpha_composite(dfr[dgt], (960 + dx, y + row))
    p = os.path.join(OUT, "level0.png")
    board.save(p)
    return [p]


def sheet_ui():
    paths = []
    sheet = Image.new("RGBA", (1408, 900), (40, 44, 52, 255))
    d = ImageDraw.Draw(sheet)
    y = 10
    for name in ("pLiMo_icones_normales.png", "pLiMo_icones_light.png"):
        img = load(name)
        if img:
            sheet.alpha_composite(img.resize((img.width * 2, img.height * 2), Image.NEAREST), (0, y))
        y += 140
    dig = load("pLiMo_chiffres_10x16.png")
    if dig:
        sheet.alpha_composite(dig.resize((400, 64), Image.NEAREST), (0, y))
    y += 80
    x = 0
    for name in ("souris_curseur_1.png", "souris_curseur_2.png"):
        img = load(name)
        if img:
            sheet.alpha_composite(img, (x, y))
            d.ellipse((x + 85 - 3, y + 50 - 3, x + 85 + 3, y + 50 + 3), outline=(255, 0, 0, 255))
            d.rectangle((x, y, x + 212, y + 255), outline=(120, 120, 120, 255))
        x += 230
    for name in ("pLiMo_sprite_plateau.png", "pLiMo_sprite_plateau_highlighted.png"):
        img = load(name)
        if img:
            sheet.alpha_composite(img, (x, y))
        x += 280
    bar = load("menu_barre_vide.png")
    if bar:
        sheet.alpha_composite(bar.resize((32, 384)), (1360, 420))
    p = os.path.join(OUT, "ui.png")
    sheet.save(p)
    paths.append(p)

    flags = [load(n + ".png") for n in LANGUAGES]
    flags = [f for f in flags if f is not None]
    if flags:
        fs = Image.new("RGBA", (5 * 120, 3 * 95), (90, 90, 90, 255))
        for i, f in enumerate(flags):
            fs.alpha_composite(f, ((i % 5) * 120 + 10, (i // 5) * 95 + 10))
        p = os.path.join(OUT, "flags.png")
        fs.save(p)
        paths.append(p)
    return paths


def sheet_screens(strips):
    paths = []
    names = ["pLiMo_screen_fond.jpg", "pLiMo_screen_picots.jpg", "pLiMo_screen_menus.jpg",
             "pLiMo_screen_style.jpg", "pLiMo_tuto.jpg", "pLiMo_screen_bumper_lite.png"]
    sheet = Image.new("RGBA", (3 * 480, 2 * 384), (0, 0, 0, 255))
    for i, n in enumerate(names):
        img = load(n)
        if img:
            img = img.copy()
            d = ImageDraw.Draw(img)
            f = font(56)
            if n.endswith("fond.jpg"):
                d.text((40, 700), "Credits text in white", font=f, fill=(255, 255, 255, 255))
            elif n.endswith("bumper_lite.png"):
                w = d.textlength("Loading...", font=f)
                d.text(((960 - w) // 2, 384 - 10), "Loading...", font=f, fill=(0, 0, 0, 102))
            else:
                d.text((40, 700), "Captions in black", font=f, fill=(0, 0, 0, 178))
            sheet.paste(img.resize((480, 384), Image.LANCZOS), ((i % 3) * 480, (i // 3) * 384))
    p = os.path.join(OUT, "screens.png")
    sheet.save(p)
    paths.append(p)

    fond = load("pLiMo_screen_fond.jpg")
    bravo = load("pLiMo_sprite_bravo.png")
    if fond and bravo:
        v = fond.copy()
        grid = level_grid(0)
        draw_board(v, grid, lambda k: k, strips, 96)
        v.alpha_composite(bravo)
        d = ImageDraw.Draw(v)
        f = font(60)
        for i, line in enumerate(["- 11 -", "", "Well Done !", "Time: 1'23\""]):
            w = d.textlength(line, font=f)
            d.text(((960 - w) // 2 + 4, 324 + 60 * i + 4), line, font=f, fill=(0, 0, 0, 255))
            d.text(((960 - w) // 2, 324 + 60 * i), line, font=f, fill=(255, 255, 0, 255))
        p = os.path.join(OUT, "victory.png")
        v.save(p)
        paths.append(p)
    return paths


def sheet_closeups(strips, background):
    """Every style at the reference block size, an L of three cells and a
    lone cell, with a caption as menus draw it."""
    paths = []
    per = 20
    for start in range(0, len(STYLES), per):
        sheet = Image.new("RGBA", (5 * 300, 4 * 200), (0, 0, 0, 255))
        for i, s in enumerate(range(start, min(start + per, len(STYLES)))):
            tile = background.resize((960, 768)).crop((0, 0, 300, 200)).convert("RGBA") if background else \
                Image.new("RGBA", (300, 200), (220, 220, 220, 255))
            grid = [[0, 0, -1], [0, -1, 0]]
            draw_board(tile, grid, lambda k: s, strips, 96)
            d = ImageDraw.Draw(tile)
            f = font(22)
            light = STYLES[s][2]
            d.text((10, 34), "%d %s" % (s, STYLES[s][0][:10]), font=f,
                   fill=(255, 255, 255, 178) if light else (0, 0, 0, 178))
            sheet.alpha_composite(tile, ((i % 5) * 300, (i // 5) * 200))
        p = os.path.join(OUT, "closeup_%d.png" % (start // per))
        sheet.save(p)
        paths.append(p)
    return paths


def sheet_particles(strips, background):
    """Frame 28 (particle, drawn additively over a piece of its style at the
    scales the game uses) and frame 29 (whole-cell miniature at 20 px, as on
    flat level thumbnails) of every style."""
    sheet = Image.new("RGBA", (19 * 80, 2 * 200), (70, 70, 70, 255))
    for s in range(len(STYLES)):
        x, y = (s % 19) * 80, (s // 19) * 200
        tile = Image.new("RGBA", (80, 200), (70, 70, 70, 255))
        cell = Image.new("RGBA", (96, 96), (0, 0, 0, 0))
        for f, (qx, qy) in zip((24, 25, 27, 26), ((0, 0), (48, 0), (48, 48), (0, 48))):
            cell.alpha_composite(strips.styles[s][f], (qx, qy))
        tile.alpha_composite(cell.crop((8, 8, 88, 88)), (0, 0))
        p = strips.styles[s][28]
        for i, scale in enumerate((0.6, 0.4, 0.2)):
            size = int(48 * scale)
            add_image(tile, p.resize((size, size), Image.BILINEAR), (4 + i * 26, 30 - size // 2 + 10))
        add_image(tile, p, (16, 90))
        tile.alpha_composite(strips.styles[s][29].resize((20, 20), Image.BILINEAR), (10, 160))
        tile.alpha_composite(strips.styles[s][29].resize((20, 20), Image.BILINEAR), (30, 160))
        tile.alpha_composite(strips.styles[s][29], (30, 140))
        sheet.alpha_composite(tile, (x, y))
    p = os.path.join(OUT, "particles_miniatures.png")
    sheet.save(p)
    return [p]


def sheet_menu_and_styles(strips):
    """A menu made of captioned bars on the menu background, and every
    style as blocks on the style background."""
    paths = []
    menus = load("pLiMo_screen_menus.jpg")
    if menus:
        img = menus.copy()
        grid = [[-1] * 10 for _ in range(8)]
        entries = [(1, "Play", 0), (3, "Options", 7), (5, "Credits", 15), (7, "Quit", 29)]
        for row, _, style in entries:
            for x in range(3, 7):
                grid[row - 1][x] = style
        draw_board(img, grid, lambda k: k, strips, 96)
        d = ImageDraw.Draw(img)
        f = font(60)
        for row, text, style in entries:
            w = d.textlength(text, font=f)
            x = (4 * 96 - 20 - w) / 2 + 3 * 96 + 10
            y = (row - 1) * 96 + (96 - 70) // 2
            colour = (255, 255, 255, 178) if STYLES[style][2] else (0, 0, 0, 178)
            d.text((x, y), text, font=f, fill=colour)
        p = os.path.join(OUT, "menu.png")
        img.save(p)
        paths.append(p)
    style_bg = load("pLiMo_screen_style.jpg")
    if style_bg:
        img = style_bg.copy()
        grid = [[-1] * 10 for _ in range(8)]
        for s in range(38):
            grid[(s // 10) * 2][s % 10] = s
        draw_board(img, grid, lambda k: k, strips, 96)
        p = os.path.join(OUT, "style_screen.png")
        img.save(p)
        paths.append(p)
    return paths


def sheet_language():
    """The language screen: flags in rows of nine over the loading picture,
    the hovered language's name in white near the bottom."""
    bumper = load("pLiMo_screen_bumper_lite.png")
    flags = [(n, load(n + ".png")) for n in LANGUAGES]
    flags = [(n, f) for n, f in flags if f is not None]
    if not bumper or not flags:
        return []
    img = bumper.copy()
    rows = [flags[:9], flags[9:]]
    top = (768 - 80 * len(rows)) // 2 + 40
    for r, row in enumerate(rows):
        x0 = (960 - 105 * len(row)) // 2
        for i, (_, f) in enumerate(row):
            img.alpha_composite(f.resize((101, 76)), (x0 + 105 * i, top + 80 * r))
    d = ImageDraw.Draw(img)
    f = font(56)
    name = "Deutsch"
    w = d.textlength(name, font=f)
    y = 768 - 60 - 20
    d.text(((960 - w) // 2 + 4, y), name, font=f, fill=(0, 0, 0, 128))
    d.text(((960 - w) // 2, y), name, font=f, fill=(255, 255, 255, 255))
    p = os.path.join(OUT, "language_screen.png")
    img.save(p)
    return [p]


def sheet_map(strips):
    """The level map: cards on the map background with thumbnails of
    level 0 drawn from quarters (detailed) and from miniatures (flat)."""
    fond = load("pLiMo_screen_fond.jpg")
    card = load("pLiMo_sprite_plateau.png")
    card_hi = load("pLiMo_sprite_plateau_highlighted.png")
    if not (fond and card and card_hi):
        return []
    img = fond.copy()
    grid = level_grid(0)
    d = ImageDraw.Draw(img)
    for n, (x, y) in enumerate(((20, 204), (260, 204), (500, 204), (740, 204), (20, 404))):
        img.alpha_composite(card_hi if n == 1 else card, (x - 30, y - 30))
        for cy in range(8):
            for cx in range(10):
                k = grid[cy][cx]
                if k < 0:
                    continue
                if n % 2 == 0:
                    fr = frames_for_mask(neighbour_mask(grid, cx, cy))
                    for f, (qx, qy) in zip(fr, ((0, 0), (10, 0), (10, 10), (0, 10))):
                        img.alpha_composite(strips.styles[k][f].resize((10, 10), Image.BILINEAR),
                                            (x + 20 * cx + qx, y + 20 * cy + qy))
                else:
                    img.alpha_composite(strips.styles[k][29].resize((20, 20), Image.BILINEAR),
                                        (x + 20 * cx, y + 20 * cy))
        f = font(60)
        label = ["11", "82", "113", "273", "428"][n]
        w = d.textlength(label, font=f)
        d.text((x + 100 - w // 2 + 4, y + 80 - 35 + 4), label, font=f, fill=(0, 0, 0, 255))
        d.text((x + 100 - w // 2, y + 80 - 35), label, font=f, fill=(255, 255, 255, 255))
    d.text((30, 700), "Credits and web row in white", font=font(30), fill=(255, 255, 255, 255))
    p = os.path.join(OUT, "level_map.png")
    img.save(p)
    return [p]


def main():
    os.makedirs(OUT, exist_ok=True)
    strips = Strips()
    picots = load("pLiMo_screen_picots.jpg")
    paths = sheet_styles(strips, picots)
    paths += sheet_level0(strips, picots)
    paths += sheet_ui()
    paths += sheet_screens(strips)
    paths += sheet_closeups(strips, picots)
    paths += sheet_map(strips)
    paths += sheet_particles(strips, picots)
    paths += sheet_menu_and_styles(strips)
    paths += sheet_language()
    for p in paths:
        print(p)


if __name__ == "__main__":
    main()
