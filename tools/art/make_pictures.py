#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's pictures into data/art/ (and the desktop icons into data/icons/).

Run with Debian's python3 and python3-pil:  /usr/bin/python3 tools/art/make_pictures.py
Every picture is drawn from shapes and fonts alone, with fixed random seeds,
so a run gives the same files again.
"""
import math
import pathlib
import random
import sys

from PIL import Image

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from artlib import *  # noqa: E402,F401,F403
import pixelart  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parent.parent.parent
ART = ROOT / "data" / "art"
# Pictures for paper only, which no window shows and which have no "@2x" twins.
PRINT = ROOT / "data" / "print"
ICONS = ROOT / "data" / "icons" / "hicolor"


# ---------------------------------------------------------------- main menu

def castle(canvas, x0, ground):
    """A castle on a crag: a keep, two towers with pointed roofs and a wall."""
    crag = [(x0 - 30, ground + 40), (x0 - 14, ground + 6), (x0 - 4, ground - 2), (x0 + 20, ground - 6),
            (x0 + 70, ground - 4), (x0 + 92, ground + 4), (x0 + 110, ground + 40)]
    canvas.polygon(crag)
    # Wall with battlements.
    canvas.polygon([(x0, ground), (x0, ground - 18), (x0 + 80, ground - 18), (x0 + 80, ground)])
    for bx in range(0, 80, 6):
        canvas.polygon([(x0 + bx, ground - 18), (x0 + bx, ground - 22), (x0 + bx + 3, ground - 22),
                        (x0 + bx + 3, ground - 18)])
    # Keep.
    canvas.polygon([(x0 + 28, ground), (x0 + 28, ground - 44), (x0 + 52, ground - 44), (x0 + 52, ground)])
    for bx in range(0, 24, 6):
        canvas.polygon([(x0 + 28 + bx, ground - 44), (x0 + 28 + bx, ground - 49), (x0 + 31 + bx, ground - 49),
                        (x0 + 31 + bx, ground - 44)])
    # Towers with conical roofs and pennants.
    for tx, th, tw in ((x0 - 2, 36, 13), (x0 + 70, 30, 13), (x0 + 40, 58, 8)):
        canvas.polygon([(tx, ground), (tx, ground - th), (tx + tw, ground - th), (tx + tw, ground)])
        canvas.polygon([(tx - 2, ground - th), (tx + tw / 2, ground - th - tw * 1.6), (tx + tw + 2, ground - th)])
        top = ground - th - tw * 1.6
        canvas.line([(tx + tw / 2, top), (tx + tw / 2, top - 7)], 0.8)
        canvas.polygon([(tx + tw / 2, top - 7), (tx + tw / 2 + 7, top - 5), (tx + tw / 2, top - 3.5)])


def castle_windows(canvas, x0, ground):
    for wx, wy in ((x0 + 37, ground - 34), (x0 + 43, ground - 34), (x0 + 3, ground - 26), (x0 + 74, ground - 21),
                   (x0 + 43, ground - 48), (x0 + 38, ground - 12)):
        canvas.polygon([(wx, wy + 4), (wx, wy + 1), (wx + 1, wy), (wx + 2, wy + 1), (wx + 2, wy + 4)])


def main_picture():
    size = (325, 220)
    w, h = size
    # Dusk: deep red above, a golden glow at the horizon.
    img = vertical_gradient(size, [(0, (34, 8, 22)), (70, (96, 20, 30)), (125, (190, 84, 42)), (150, (238, 160, 72))])
    # Stars in the dark upper sky.
    rnd = random.Random(11)
    stars = Canvas(size)
    for _ in range(45):
        x, y = rnd.uniform(0, w), rnd.uniform(0, 60) ** 1.15
        r = rnd.choice((0.35, 0.45, 0.6))
        stars.ellipse((x - r, y - r, x + r, y + r))
    paint(img, (255, 236, 200), stars.mask())
    # The moon, with a soft halo.
    mx, my, mr = 196, 84, 50
    halo = Canvas(size).ellipse((mx - mr - 14, my - mr - 14, mx + mr + 14, my + mr + 14)).mask()
    halo = halo.filter(blur(8))
    paint(img, (250, 190, 110), halo.point(lambda v: v * 6 // 10))
    moon = Canvas(size).ellipse((mx - mr, my - mr, mx + mr, my + mr)).mask()
    paint_gradient(img, (255, 236, 170), (246, 196, 104), moon, (my - mr, my + mr))
    # Faint markings on the moon.
    marks = Canvas(size)
    for cx, cy, r in ((180, 70, 10), (212, 96, 13), (204, 62, 6), (186, 104, 7)):
        marks.ellipse((cx - r, cy - r * 0.8, cx + r, cy + r * 0.8))
    paint(img, (236, 180, 96), ImageChops.multiply(marks.mask().filter(blur(2)), moon)
          .point(lambda v: v // 2))
    # Far mountains, then near ridges, each darker.
    far = Canvas(size).polygon([(0, 150), (22, 128), (40, 136), (66, 112), (92, 134), (118, 124), (150, 140),
                                (176, 120), (206, 138), (236, 126), (262, 142), (296, 118), (325, 132),
                                (325, 220), (0, 220)])
    paint(img, (112, 44, 46), far.mask())
    mid = Canvas(size).polygon([(0, 166), (30, 150), (58, 160), (90, 146), (128, 162), (160, 152), (196, 166),
                                (230, 156), (262, 164), (325, 150), (325, 220), (0, 220)])
    paint(img, (66, 22, 30), mid.mask())
    # The castle on its crag, dark against the glow, with lit windows.
    keep = Canvas(size)
    castle(keep, 222, 150)
    paint(img, (30, 10, 16), keep.mask())
    lights = Canvas(size)
    castle_windows(lights, 222, 150)
    paint(img, (255, 214, 90), lights.mask())
    # The dragon across the moon, heading for the castle.
    far_wing, body, eye = dragon_layers(size, 0.74, 92, 52, angle=-6)
    paint(img, (44, 14, 20), far_wing)
    paint(img, NIGHT, body)
    ribs = dragon_ribs(size, 0.74, 92, 52, angle=-6, width=0.6)
    paint(img, (60, 20, 26), ImageChops.multiply(ribs, body))
    glow = Canvas(size).ellipse((eye[0] - 1.2, eye[1] - 1, eye[0] + 1.2, eye[1] + 1)).mask()
    paint(img, (255, 190, 60), glow)
    # Foreground: a dark hill with grass tufts; the version text sits on it, bottom left.
    hill = Canvas(size).polygon(bezier([(0, 176), (60, 168), (130, 178), (200, 200), (260, 214), (325, 206)], 60)
                                + [(325, 220), (0, 220)])
    ridge = bezier([(0, 176), (60, 168), (130, 178), (200, 200), (260, 214), (325, 206)], 300)
    for gx, gy in ridge[2:-2:9]:
        gx += rnd.uniform(-2, 2)
        for lean in rnd.sample((-2.5, -1.2, 0.0, 1.4, 2.6), rnd.choice((1, 2, 3))):
            hill.line([(gx, gy + 2), (gx + lean, gy - rnd.uniform(2.0, 4.5))], 0.7)
    paint(img, (14, 5, 8), hill.mask())
    frame(img, (0, 0, 321, 217))
    return to_palette(img)


def frame(img, box, outer=(20, 6, 10), inner=GOLD):
    """A thin gold frame inside a dark edge, within box (right and bottom exclusive),
    each ring one picture unit wide."""
    x0, y0, x1, y1 = (px(v) for v in box)
    d = ImageDraw.Draw(img)
    w = px(1)
    for ring, colour in enumerate((outer, inner, outer)):
        d.rectangle((x0 + ring * w, y0 + ring * w, x1 - 1 - ring * w, y1 - 1 - ring * w), outline=colour, width=w)


# ---------------------------------------------------------------- splash

def splash_picture():
    size = (467, 313)
    w, h = size
    img = parchment(size, seed=21)
    ornate_border(img, (12, 12, w - 13, h - 13))
    # The dragon, dark red edged with gold, wings spread over the name.
    s, dx, dy = 0.9, 233 - 91 * 0.9, 64
    far_wing, body, eye = dragon_layers(size, s, dx, dy)
    paint(img, (90, 60, 30), ImageChops.offset(grow(body, 2), px(3), px(3)).filter(blur(2))
          .point(lambda v: v * 2 // 5))
    paint(img, GOLD, grow(far_wing, 1))
    paint(img, (84, 10, 14), far_wing)
    paint(img, GOLD, grow(body, 1))
    paint(img, BLOOD, body)
    paint(img, (160, 40, 34), ImageChops.multiply(dragon_ribs(size, s, dx, dy, width=0.9), body))
    paint(img, GOLD_LIGHT, Canvas(size).ellipse((eye[0] - 1.6, eye[1] - 1.2, eye[0] + 1.6, eye[1] + 1.2)).mask())
    # The name, a rule, what the program is, and the request to wait.
    fancy_text(img, (w / 2, 222), "Karták II", SERIF_BOLD, 50)
    rule = Canvas(size)
    divider(rule, w / 2, 252, 150)
    paint(img, GOLD_DARK, rule.mask())
    paint(img, INK, text_mask(size, (w / 2, 266), "osobní deník pro hru Dračí Doupě", SERIF_ITALIC, 14, anchor="mm"))
    paint(img, BLOOD, text_mask(size, (w / 2, 288), "Načítám, počkejte prosím…", SERIF_CONDENSED_BOLD_ITALIC, 14,
                                anchor="mm"))
    return to_palette(img)


# ---------------------------------------------------------------- About

def about_picture():
    size = (400, 252)
    # Only 385 x 252 of it shows in the About window; the rest is plain paper.
    shown = 385
    img = parchment(size, seed=33)
    ornate_border(img, (8, 8, shown - 9, 243))
    # The program's shield, as in its icon, on the left.
    emblem = app_icon_rgba(px(168))
    shadow = Image.new("RGBA", emblem.size, (0, 0, 0, 0))
    shadow.paste((90, 60, 30, 255), (0, 0), emblem.getchannel("A").point(lambda a: a * 2 // 5))
    shadow = shadow.filter(blur(2))
    img.paste(shadow, (px(20), px(44)), shadow)
    img.paste(emblem, (px(16), px(40)), emblem)
    # The name and what the program is, on the right.
    cx = 272
    fancy_text(img, (cx, 64), "Karták II", SERIF_BOLD, fit_font_size("Karták II", SERIF_BOLD, 196, 40))
    rule = Canvas(size)
    divider(rule, cx, 92, 92)
    paint(img, GOLD_DARK, rule.mask())
    for y, line in ((112, "generátor osobních deníků"), (130, "pro hru Dračí Doupě")):
        paint(img, INK, text_mask(size, (cx, y), line, SERIF_ITALIC, 14, anchor="mm"))
    # A small dragon below, flying towards the shield.
    s, dx, dy = 0.44, cx + 91 * 0.44, 164
    far_wing, body, eye = dragon_layers(size, s, dx, dy, flip=True)
    paint(img, (90, 60, 30), ImageChops.offset(grow(body, 1), px(2), px(2)).filter(blur(1.5))
          .point(lambda v: v * 2 // 5))
    paint(img, GOLD, grow(far_wing, 1))
    paint(img, (84, 10, 14), far_wing)
    paint(img, GOLD, grow(body, 1))
    paint(img, BLOOD, body)
    return to_15bit(img)


# ---------------------------------------------------------------- notice banner

def hammer(canvas, x, y, scale=1.0, angle=0.0, part="all"):
    """A small hammer, head up, its handle's end at (x, y)."""
    handle = [(-1.3, 0), (-1.3, -15), (1.3, -15), (1.3, 0)]
    head = [(-6, -20), (5, -20), (7, -18.5), (7, -15.5), (5, -14), (-6, -14), (-7.5, -17)]
    shapes = {"handle": [handle], "head": [head], "all": [handle, head]}[part]
    for shape in shapes:
        canvas.polygon(transform(shape, scale, x, y, angle=angle))


def notice_picture():
    size = (266, 49)
    w, h = size
    img = Image.new("RGBA", pixel_size(size), (0, 0, 0, 0))
    # A ribbon: the middle band, with swallow-tailed ends folded behind it.
    top, bottom = 9, 40
    ends = Canvas(size)
    for sign, x_in, x_out in ((-1, 34, 3), (1, w - 34, w - 3)):
        ends.polygon([(x_in, top + 5), (x_out, top + 5), (x_out - sign * 9, (top + bottom) / 2 + 2.5),
                      (x_out, bottom + 5), (x_in, bottom + 5)])
    folds = Canvas(size)
    for x_in, x_edge in ((34, 26), (w - 34, w - 26)):
        folds.polygon([(x_edge, bottom), (x_in, bottom), (x_in, bottom + 5)])
    band = Canvas(size).polygon([(26, top), (w - 26, top), (w - 26, bottom), (26, bottom)])
    ends_mask, band_mask = ends.mask(), band.mask()
    paint(img, INK, grow(ends_mask, 1))
    # Hazard stripes on the ends: this part of the program is still being built.
    stripes = Canvas(size)
    for x in range(-60, w + 60, 10):
        stripes.polygon([(x, 0), (x + 5, 0), (x + 5 - h, h), (x - h, h)])
    paint(img, GOLD, ends_mask)
    paint(img, CRIMSON, ImageChops.multiply(ends_mask, stripes.mask()))
    paint(img, (60, 20, 16), folds.mask())
    paint(img, INK, grow(band_mask, 1))
    paint_gradient(img, (250, 238, 204), (222, 196, 146), band_mask, (top, bottom))
    rule = Canvas(size)
    rule.polygon([(29, top + 3), (w - 29, top + 3), (w - 29, top + 4), (29, top + 4)])
    rule.polygon([(29, bottom - 4), (w - 29, bottom - 4), (w - 29, bottom - 3), (29, bottom - 3)])
    paint(img, GOLD_DARK, rule.mask())
    # The words, between two hammers.
    paint(img, BLOOD, text_mask(size, (w / 2, (top + bottom) / 2 + 1), "Ve vývoji", SERIF_BOLD, 21, anchor="mm"))
    for x, angle in ((48, -28), (w - 48, 28)):
        handle, head = Canvas(size), Canvas(size)
        hammer(handle, x, bottom - 5, 1.0, angle, "handle")
        hammer(head, x, bottom - 5, 1.0, angle, "head")
        paint(img, INK, grow(handle.mask(), 1))
        paint(img, INK, grow(head.mask(), 1))
        paint(img, (150, 90, 40), handle.mask())
        paint_gradient(img, (220, 224, 232), (120, 126, 140), head.mask(), (top, bottom))
    return to_palette_transparent(img)


# ---------------------------------------------------------------- sheet title

def sheet_title_rgba():
    size = (277, 53)
    w, h = size
    img = Image.new("RGBA", pixel_size(size), (0, 0, 0, 0))
    text = "Osobní deník"
    font_size = fit_font_size(text, SERIF_BOLD_ITALIC, 214, 34)
    fancy_text(img, (w / 2, 24), text, SERIF_BOLD_ITALIC, font_size, top=(196, 46, 40), bottom=(110, 12, 16),
                     edge=GOLD, edge_width=1.4, shadow=(1, 2), shadow_alpha=120)
    # A gold rule with diamonds underneath.
    rule = Canvas(size)
    divider(rule, w / 2, 46, 118, width=1.3)
    paint(img, INK, grow(rule.mask(), 1).point(lambda v: v * 3 // 5))
    paint(img, GOLD, rule.mask())
    return img


def sheet_title_picture():
    return to_palette_transparent(sheet_title_rgba())


def sheet_title_print():
    """The title for the printed sheet: full colour laid on white paper, since the page is
    white and a palette's hard transparency would fray the soft edges."""
    img = sheet_title_rgba()
    paper = Image.new("RGBA", img.size, (255, 255, 255, 255))
    return Image.alpha_composite(paper, img).convert("RGB")


# ---------------------------------------------------------------- application icon

def app_icon_rgba(pixels, emblem="K"):
    """The shield with two crossed swords behind it, drawn at pixels x pixels with
    a transparent background. Shapes are laid out on a 100 x 100 grid."""
    with drawing_scale(1):
        return _app_icon(pixels, emblem)


def app_icon_swords():
    """The two swords' parts on the icon's 100 x 100 grid: hilts low at the sides,
    points out past the shield's upper corners."""
    blade, fuller, guard, grip, pommel = sword_shapes(88)
    swords = []
    for dx, angle in ((74, -45), (26, 45)):
        place = dict(scale=1, dx=dx, dy=74, angle=angle)
        swords.append({name: transform(part, **place)
                       for name, part in (("blade", blade), ("fuller", fuller), ("guard", guard),
                                          ("grip", grip), ("pommel", pommel))})
    return swords


def app_icon_shield():
    """The shield's outline, its dark rim and its red field on the 100 x 100 grid."""
    outer = shield_outline(50, 14, 60, 76)
    return outer, scale_about(outer, (50, 50), 0.86), scale_about(outer, (50, 50), 0.78)


def _app_icon(px, emblem):
    size = (px, px)
    k = px / 100
    img = Image.new("RGBA", pixel_size(size), (0, 0, 0, 0))

    def mask(shapes, width=None):
        c = Canvas(size, 8 if px < 64 else 4)
        for shape in shapes:
            c.polygon([(x * k, y * k) for x, y in shape])
        return c.mask()

    swords = app_icon_swords()
    for sw in swords:
        whole = mask([sw["blade"], sw["guard"], sw["grip"], sw["pommel"]])
        paint(img, INK, grow(whole, 1) if px >= 32 else whole)
        paint(img, (196, 202, 214), mask([sw["blade"]]))
        paint(img, (240, 244, 250), mask([sw["fuller"]]))
        paint(img, GOLD, mask([sw["guard"], sw["pommel"]]))
        paint(img, (110, 62, 28), mask([sw["grip"]]))
    outer, rim, field = app_icon_shield()
    paint(img, INK, grow(mask([outer]), 1) if px >= 32 else mask([outer]))
    paint_gradient(img, GOLD_LIGHT, GOLD_DARK, mask([outer]), (int(14 * k), int(90 * k)))
    paint(img, INK, mask([rim]))
    paint_gradient(img, (206, 44, 38), (104, 12, 16), mask([field]), (int(14 * k), int(86 * k)))
    if emblem == "dragon":
        c = Canvas(size, 8 if px < 64 else 4)
        draw_dragon(c, 0.26 * k, 24 * k, 30 * k)
        paint(img, GOLD_LIGHT, c.mask())
    else:
        c = Canvas(size, 8)
        c.text((50 * k, 47 * k), "K", SERIF_BOLD, 42 * k, anchor="mm")
        paint(img, GOLD_LIGHT, c.mask())
    return img


def app_icon():
    return to_palette_transparent(app_icon_rgba(px(32)))


def app_icon_svg():
    """The application icon as SVG: the same shapes on the same 100 x 100 grid, the
    K taken from the font's own outline, so it matches the PNGs at every size."""
    from fontTools.pens.svgPathPen import SVGPathPen
    from fontTools.pens.transformPen import TransformPen
    from fontTools.ttLib import TTFont

    def points(shape):
        return " ".join(f"{x:.2f},{y:.2f}" for x, y in shape)

    def polygon(shape, fill, stroke=None):
        edge = f' stroke="{stroke}" stroke-width="0.8" stroke-linejoin="round"' if stroke else ""
        return f'  <polygon points="{points(shape)}" fill="{fill}"{edge}/>'

    def rgb(colour):
        return "#%02x%02x%02x" % colour

    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100" viewBox="0 0 100 100">',
           "  <title>Karták II</title>",
           "  <defs>",
           f'    <linearGradient id="gold" gradientUnits="userSpaceOnUse" x1="0" y1="14" x2="0" y2="90">'
           f'<stop offset="0" stop-color="{rgb(GOLD_LIGHT)}"/><stop offset="1" stop-color="{rgb(GOLD_DARK)}"/>'
           "</linearGradient>",
           f'    <linearGradient id="field" gradientUnits="userSpaceOnUse" x1="0" y1="14" x2="0" y2="86">'
           f'<stop offset="0" stop-color="{rgb((206, 44, 38))}"/><stop offset="1" stop-color="{rgb((104, 12, 16))}"/>'
           "</linearGradient>",
           "  </defs>"]
    for sw in app_icon_swords():
        for part in ("blade", "guard", "grip", "pommel"):
            out.append(polygon(sw[part], rgb(INK), rgb(INK)))
        out.append(polygon(sw["blade"], rgb((196, 202, 214))))
        out.append(polygon(sw["fuller"], rgb((240, 244, 250))))
        out.append(polygon(sw["guard"], rgb(GOLD)))
        out.append(polygon(sw["pommel"], rgb(GOLD)))
        out.append(polygon(sw["grip"], rgb((110, 62, 28))))
    outer, rim, field = app_icon_shield()
    out.append(polygon(outer, "url(#gold)", rgb(INK)))
    out.append(polygon(rim, rgb(INK)))
    out.append(polygon(field, "url(#field)"))
    # The K as the raster icons set it: DejaVu Serif Bold, 42 units, its middle at (50, 47).
    font = TTFont(SERIF_BOLD)
    glyphs = font.getGlyphSet()
    name = font.getBestCmap()[ord("K")]
    scale = 42 / font["head"].unitsPerEm
    ascent, descent = font["hhea"].ascent, font["hhea"].descent
    left = 50 - glyphs[name].width * scale / 2
    baseline = 47 + (ascent + descent) / 2 * scale
    pen = SVGPathPen(glyphs, ntos=lambda v: f"{v:.2f}")
    glyphs[name].draw(TransformPen(pen, (scale, 0, 0, -scale, left, baseline)))
    out.append(f'  <path d="{pen.getCommands()}" fill="{rgb(GOLD_LIGHT)}"/>')
    out += ["</svg>", ""]
    return "\n".join(out)


HICOLOR_SIZES = (16, 22, 24, 32, 48, 64, 128, 256, 512)


def desktop_icons():
    """app.ico for Windows (16, 32 and 48 px) and the hicolor theme's icons for Linux:
    PNGs from 16 to 512 px (16 px placed pixel by pixel) and the SVG."""
    small = pixelart.shield_16().image()
    sizes = {16: small, 32: app_icon_rgba(32), 48: app_icon_rgba(48)}
    sizes[48].save(ART / "app.ico", sizes=[(n, n) for n in sizes], append_images=[sizes[16], sizes[32]])
    print("data/art/app.ico  16, 32, 48")
    for n in HICOLOR_SIZES:
        folder = ICONS / f"{n}x{n}" / "apps"
        folder.mkdir(parents=True, exist_ok=True)
        (small if n == 16 else app_icon_rgba(n)).save(folder / "kartak2.png")
        print(f"data/icons/hicolor/{n}x{n}/apps/kartak2.png  RGBA")
    folder = ICONS / "scalable" / "apps"
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "kartak2.svg").write_text(app_icon_svg(), encoding="utf-8")
    print("data/icons/hicolor/scalable/apps/kartak2.svg")


# ---------------------------------------------------------------- output

def check_and_save(image, name, size, folder=ART):
    size = pixel_size(size)
    assert image.size == size, (name, image.size, size)
    path = folder / name
    if image.mode == "P":
        save_palette(image, path)
    else:
        image.save(path)
    if folder == ART and "@2x" not in name:
        store_uncompressed(path)
    print(f"data/{folder.name}/{name}  {image.size[0]}x{image.size[1]}  {image.mode}")


def pixel_picture(icon):
    """A 16 x 16 icon placed pixel by pixel, as a palette picture at the current scale."""
    return to_palette_transparent(icon.image(px(1)))


def twice(name):
    """The name of a picture's twin at twice the size, which Qt picks on screens
    with two device pixels to a pixel."""
    stem, dot, suffix = name.rpartition(".")
    return f"{stem}@2x{dot}{suffix}"


# Every picture is made at its size and at twice its size ("@2x").
PICTURES = {
    "main.png": (main_picture, (325, 220)),
    "splash.png": (splash_picture, (467, 313)),
    "about.png": (about_picture, (400, 252)),
    "notice.png": (notice_picture, (266, 49)),
    "sheet_title.png": (sheet_title_picture, (277, 53)),
    "app.png": (app_icon, (32, 32)),
    "icon_melee.png": (lambda: pixel_picture(pixelart.sword()), (16, 16)),
    "icon_ranged1.png": (lambda: pixel_picture(pixelart.bow()), (16, 16)),
    "icon_ranged2.png": (lambda: pixel_picture(pixelart.crossbow()), (16, 16)),
    "icon_armour.png": (lambda: pixel_picture(pixelart.armour()), (16, 16)),
    "glyph_copy.png": (lambda: pixel_picture(pixelart.clipboard()), (16, 16)),
    "glyph_save.png": (lambda: pixel_picture(pixelart.floppy()), (16, 16)),
    "glyph_tip.png": (lambda: pixel_picture(pixelart.bulb()), (16, 16)),
    "glyph_back.png": (lambda: pixel_picture(pixelart.arrow_back()), (16, 16)),
}


# Pictures for paper, drawn at a scale that gives at least 300 dpi at their printed size:
# the title is printed 110 mm wide, so five times 277 pixels give 320 dpi.
PRINT_PICTURES = {
    "sheet_title.png": (sheet_title_print, (277, 53), 5),
}


def main(names):
    ART.mkdir(parents=True, exist_ok=True)
    for name, (make, size) in PICTURES.items():
        if names and name not in names:
            continue
        check_and_save(make(), name, size)
        with drawing_scale(2):
            check_and_save(make(), twice(name), size)
    PRINT.mkdir(parents=True, exist_ok=True)
    for name, (make, size, scale) in PRINT_PICTURES.items():
        if names and "print/" + name not in names:
            continue
        with drawing_scale(scale):
            check_and_save(make(), name, size, PRINT)
    if not names or "icons" in names:
        desktop_icons()
    write_designer_qrc()
    return 0


def write_designer_qrc():
    """data/art/art.qrc lists the pictures for Qt Designer, which the forms name as
    their resource file. The build does not use it: data/CMakeLists.txt adds the
    same files under the same ":/art/" paths itself."""
    files = sorted(p.name for p in ART.iterdir() if p.suffix in (".png", ".bmp", ".ico"))
    lines = ["<!DOCTYPE RCC>", "<RCC version=\"1.0\">", "<qresource prefix=\"/art\">"]
    lines += [f"    <file>{name}</file>" for name in files]
    lines += ["</qresource>", "</RCC>", ""]
    (ART / "art.qrc").write_text("\n".join(lines), encoding="utf-8")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
