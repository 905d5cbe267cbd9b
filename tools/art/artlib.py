# SPDX-License-Identifier: GPL-3.0-or-later
"""Drawing helpers shared by the picture script: colours, fonts, shapes and savers.

Shapes are described in picture coordinates (floats) and drawn into an
oversampled mask, then scaled down, which gives smooth edges. Every random
texture uses a fixed seed, so the pictures come out the same on every run.

Every picture can be drawn at a multiple of its size for screens with more
pixels to a point (drawing_scale(2) gives the "@2x" pictures): coordinates, line
widths, font sizes, blurs and offsets stay in picture units and the helpers here
turn them into pixels.
"""
import contextlib
import math
import random
import struct
import zlib

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

# The colours of the whole set: ink on parchment, dark red and gold.
INK = (46, 26, 16)
BLOOD = (120, 16, 18)
CRIMSON = (170, 32, 30)
GOLD = (214, 170, 66)
GOLD_LIGHT = (250, 222, 130)
GOLD_DARK = (136, 94, 28)
PARCHMENT = (238, 222, 182)
PARCHMENT_DARK = (196, 160, 108)
NIGHT = (18, 8, 12)

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
SERIF_BOLD = FONT_DIR + "DejaVuSerif-Bold.ttf"
SERIF_BOLD_ITALIC = FONT_DIR + "DejaVuSerif-BoldItalic.ttf"
SERIF_ITALIC = FONT_DIR + "DejaVuSerif-Italic.ttf"
SERIF_CONDENSED_BOLD = FONT_DIR + "DejaVuSerifCondensed-Bold.ttf"
SERIF_CONDENSED_BOLD_ITALIC = FONT_DIR + "DejaVuSerifCondensed-BoldItalic.ttf"
SERIF_CONDENSED_ITALIC = FONT_DIR + "DejaVuSerifCondensed-Italic.ttf"

OVERSAMPLE = 4

_scale = 1


@contextlib.contextmanager
def drawing_scale(scale):
    """Draws everything inside the block at scale pixels to a picture unit."""
    global _scale
    previous, _scale = _scale, scale
    try:
        yield
    finally:
        _scale = previous


def px(value):
    """A length in picture units as whole pixels at the current scale."""
    return int(round(value * _scale))


def pixel_size(size):
    """A picture's (width, height) in pixels at the current scale."""
    return (px(size[0]), px(size[1]))


def blur(radius):
    """A Gaussian blur of the given radius in picture units."""
    return ImageFilter.GaussianBlur(radius * _scale)


def font(path, size):
    return ImageFont.truetype(path, size)


# ---------------------------------------------------------------- geometry

def bezier(points, steps=40):
    """Points along a Bézier curve of any degree (de Casteljau)."""
    out = []
    for i in range(steps + 1):
        t = i / steps
        pts = list(points)
        while len(pts) > 1:
            pts = [((1 - t) * a[0] + t * b[0], (1 - t) * a[1] + t * b[1]) for a, b in zip(pts, pts[1:])]
        out.append(pts[0])
    return out


def tapered(path, widths):
    """A closed outline around a path whose width runs from widths[0] to widths[1]
    (or follows a function of t in 0..1 when widths is callable)."""
    n = len(path)
    left, right = [], []
    for i, (x, y) in enumerate(path):
        a = path[max(i - 1, 0)]
        b = path[min(i + 1, n - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length, dx / length
        t = i / (n - 1)
        w = widths(t) if callable(widths) else widths[0] + (widths[1] - widths[0]) * t
        left.append((x + nx * w / 2, y + ny * w / 2))
        right.append((x - nx * w / 2, y - ny * w / 2))
    return left + right[::-1]


def transform(points, scale=1.0, dx=0.0, dy=0.0, flip=False, angle=0.0, origin=(0.0, 0.0)):
    """Scales, optionally mirrors left-right, rotates about origin (degrees), then moves."""
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    out = []
    for x, y in points:
        x -= origin[0]
        y -= origin[1]
        if flip:
            x = -x
        x, y = x * c - y * s, x * s + y * c
        out.append((x * scale + dx, y * scale + dy))
    return out


def arc(cx, cy, rx, ry, start, end, steps=24):
    """Points on an elliptic arc, angles in degrees, 0 = right, 90 = down."""
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + ry * math.sin(math.radians(start + (end - start) * i / steps))) for i in range(steps + 1)]


# ---------------------------------------------------------------- masks

class Canvas:
    """An oversampled greyscale mask on which shapes are drawn in picture coordinates."""

    def __init__(self, size, oversample=OVERSAMPLE):
        self.size = pixel_size(size)
        self.k = oversample * _scale
        self.image = Image.new("L", (self.size[0] * oversample, self.size[1] * oversample), 0)
        self.draw = ImageDraw.Draw(self.image)

    def _pts(self, points):
        return [(x * self.k, y * self.k) for x, y in points]

    def polygon(self, points, fill=255):
        self.draw.polygon(self._pts(points), fill=fill)
        return self

    def ellipse(self, box, fill=255):
        x0, y0, x1, y1 = box
        self.draw.ellipse((x0 * self.k, y0 * self.k, x1 * self.k, y1 * self.k), fill=fill)
        return self

    def line(self, points, width, fill=255):
        self.draw.line(self._pts(points), fill=fill, width=max(1, int(round(width * self.k))), joint="curve")
        r = width / 2
        for x, y in (points[0], points[-1]):
            self.ellipse((x - r, y - r, x + r, y + r), fill)
        return self

    def text(self, xy, text, font_path, size, fill=255, anchor="la", stroke=0):
        f = ImageFont.truetype(font_path, int(round(size * self.k)))
        self.draw.text((xy[0] * self.k, xy[1] * self.k), text, font=f, fill=fill, anchor=anchor,
                       stroke_width=int(round(stroke * self.k)), stroke_fill=fill)
        return self

    def mask(self):
        return self.image.resize(self.size, Image.LANCZOS)


def grow(mask, pixels):
    """The mask widened by about the given number of picture units on every side."""
    out = mask
    for _ in range(px(pixels)):
        out = out.filter(ImageFilter.MaxFilter(3))
    return out


def paint(image, colour, mask):
    """Lays a flat colour onto an RGB or RGBA picture through a mask."""
    layer = Image.new(image.mode, image.size, colour if image.mode == "RGB" else colour + (255,))
    if image.mode == "RGBA":
        image.alpha_composite(Image.merge("RGBA", (*layer.split()[:3], mask)))
    else:
        image.paste(layer, (0, 0), mask)


def paint_gradient(image, top, bottom, mask, box=None):
    """Lays a vertical colour gradient onto a picture through a mask; box is the
    gradient's (top, bottom) in picture units."""
    y0, y1 = (0, image.size[1] / _scale) if box is None else box
    layer = vertical_gradient((image.size[0] / _scale, image.size[1] / _scale), [(y0, top), (y1, bottom)])
    if image.mode == "RGBA":
        image.alpha_composite(Image.merge("RGBA", (*layer.split(), mask)))
    else:
        image.paste(layer, (0, 0), mask)


def vertical_gradient(size, stops):
    """An RGB picture whose rows blend between (y, colour) stops, in picture units."""
    w, h = pixel_size(size)
    stops = [(y * _scale, c) for y, c in stops]
    column = Image.new("RGB", (1, h))
    for y in range(h):
        if y <= stops[0][0]:
            c = stops[0][1]
        elif y >= stops[-1][0]:
            c = stops[-1][1]
        else:
            for (ya, ca), (yb, cb) in zip(stops, stops[1:]):
                if ya <= y <= yb:
                    t = (y - ya) / max(1, yb - ya)
                    c = tuple(int(round(a + (b - a) * t)) for a, b in zip(ca, cb))
                    break
        column.putpixel((0, y), c)
    return column.resize((w, h))


def clouds(size, seed, scale, contrast=1.0):
    """Smooth random grey noise around 128, made from a few octaves of scaled-up noise.
    The octaves are the same at every drawing scale; only their cells grow."""
    rnd = random.Random(seed)
    w, h = size
    total = Image.new("L", pixel_size(size), 128)
    weight = 0.5
    cell = scale
    while cell >= 2:
        sw, sh = max(2, w // cell + 2), max(2, h // cell + 2)
        small = Image.new("L", (sw, sh))
        small.putdata([int(max(0, min(255, 128 + rnd.gauss(0, 60 * contrast)))) for _ in range(sw * sh)])
        big = small.resize((px(sw * cell), px(sh * cell)), Image.BICUBIC).crop((0, 0, px(w), px(h)))
        total = Image.blend(total, big, weight)
        weight *= 0.6
        cell //= 2
    return total


def parchment(size, seed=7, base=PARCHMENT, edge=PARCHMENT_DARK, vignette=0.85):
    """Old paper: a warm base with blotches, fibres and darker, burnt edges."""
    w, h = pixel_size(size)
    image = Image.new("RGB", (w, h), base)
    blotches = clouds(size, seed, 48, 1.4)
    dark = Image.new("RGB", (w, h), edge)
    # Blotches: darker where the noise is low.
    image = Image.composite(image, dark, blotches.point(lambda v: max(0, min(255, (v - 40) * 2))))
    # Fine grain.
    rnd = random.Random(seed + 1)
    grain = Image.new("L", (w, h))
    grain.putdata([int(128 + rnd.gauss(0, 10)) for _ in range(w * h)])
    image = ImageChops.add(image, Image.merge("RGB", [grain] * 3), 1.0, -128)
    # Edges: a radial darkening towards the corners.
    radial = Image.radial_gradient("L").resize((w, h), Image.BICUBIC)
    shade = radial.point(lambda v: max(0, min(255, int((v - 150) * 2.2 * vignette))))
    image = Image.composite(Image.new("RGB", (w, h), (120, 78, 38)), image, shade)
    return image


# ---------------------------------------------------------------- motifs

def dragon_wing_ribs(shoulder, elbow, wrist, tips):
    """The bones of a wing as polylines, to draw as fine lines over the membrane."""
    return [[shoulder, elbow, wrist]] + [[wrist, tip] for tip in tips]


NEAR_WING = ((100, 68), (90, 32), (112, 0), [(58, -32), (18, -4), (26, 34), (52, 58)])


def dragon_wing(shoulder, elbow, wrist, tips, end, pull=0.3):
    """A bat wing: arm bones, fingers from the wrist to the tips, and the membrane
    between them, scalloped towards the wrist. The membrane ends at end on the body."""
    parts = [tapered([shoulder, elbow], (8, 5)), tapered([elbow, wrist], (5, 3))]
    for tip in tips:
        parts.append(tapered([wrist, tip], (3, 0.8)))
    membrane = [shoulder, elbow, wrist, tips[0]]
    for a, b in zip(tips, tips[1:] + [end]):
        mx, my = (a[0] + b[0]) / 2, (a[1] + b[1]) / 2
        cx, cy = mx + (wrist[0] - mx) * pull, my + (wrist[1] - my) * pull
        membrane += bezier([a, (cx, cy), b], 12)[1:]
    parts.append(membrane)
    # The thumb claw at the wrist.
    parts.append([(wrist[0] - 2, wrist[1] + 2), (wrist[0] + 5, wrist[1] - 7), (wrist[0] + 3, wrist[1] + 3)])
    return parts


def dragon_shapes():
    """A flying dragon facing right in a box of about 200 x 150 (x from -8 to 190,
    y from -22 to 126). Returns (far wing outlines, near outlines, eye position)."""
    far = dragon_wing((114, 64), (118, 30), (134, -6), [(100, -40), (76, -30), (72, -4)], (108, 40), 0.25)
    parts = []
    # Body from the hips to the chest, with a belly.
    body = bezier([(56, 84), (80, 100), (110, 92), (124, 70)], 30)
    parts.append(tapered(body, lambda t: 15 + 11 * math.sin(math.pi * t)))
    # Neck rising to the head.
    neck = bezier([(116, 76), (138, 66), (132, 40), (152, 32)], 30)
    parts.append(tapered(neck, lambda t: 18 - 10 * t))
    # Head: skull, snout and an open jaw.
    parts.append([(145, 26), (154, 22), (163, 23), (172, 27), (185, 30), (188, 34), (176, 35),
                  (164, 36), (178, 41), (174, 44), (158, 42), (147, 39)])
    # Horns sweeping back.
    parts.append(tapered(bezier([(153, 25), (144, 18), (134, 16)], 12), (5, 0.6)))
    parts.append(tapered(bezier([(158, 24), (154, 14), (146, 6)], 12), (4.5, 0.6)))
    # Spines along the neck and back.
    for t in (0.2, 0.4, 0.6):
        x, y = neck[int(t * 30)]
        parts.append([(x - 5, y - 4), (x - 8, y - 12), (x + 2, y - 5)])
    # Tail curling down and back, ending in a spade.
    tail = bezier([(62, 84), (30, 74), (30, 112), (8, 114), (0, 96)], 50)
    parts.append(tapered(tail, lambda t: 14 * (1 - t) ** 1.2 + 1.5))
    parts.append([(0, 97), (-8, 93), (-3, 86), (2, 78), (6, 90)])
    # Hind leg folded under, with a thigh.
    parts.append(arc(74, 94, 12, 9, 0, 360, 24))
    parts.append(tapered(bezier([(74, 96), (86, 108), (76, 114), (84, 121)], 20), (10, 4)))
    parts.append([(80, 118), (92, 121), (90, 125), (78, 123)])
    # Foreleg reaching forward.
    parts.append(tapered(bezier([(114, 84), (126, 96), (130, 88), (138, 96)], 20), (9, 3)))
    parts.append([(136, 93), (144, 98), (141, 101), (133, 98)])
    # Near wing, swept up and back.
    parts += dragon_wing(*NEAR_WING, (86, 76))
    return far, parts, (167, 28)


def draw_dragon(canvas, scale=1.0, dx=0.0, dy=0.0, flip=False, angle=0.0, fill=255, which="all"):
    """Draws the dragon's outlines into a canvas; which is "far", "near" or "all"."""
    far, near, eye = dragon_shapes()
    parts = {"far": far, "near": near, "all": far + near}[which]
    for part in parts:
        canvas.polygon(transform(part, scale, dx, dy, flip, angle), fill)
    return transform([eye], scale, dx, dy, flip, angle)[0]


def dragon_ribs(size, scale, dx, dy, flip=False, angle=0.0, width=1.0):
    """A mask of the near wing's bones, drawn as lines of the given width in pixels."""
    canvas = Canvas(size)
    for line in dragon_wing_ribs(*NEAR_WING)[1:]:
        canvas.line(transform(line, scale, dx, dy, flip, angle), width)
    return canvas.mask()


def dragon_layers(size, scale, dx, dy, flip=False, angle=0.0):
    """Masks of the far wing and of the rest, and the eye position in the picture."""
    far = Canvas(size)
    draw_dragon(far, scale, dx, dy, flip, angle, which="far")
    near = Canvas(size)
    eye = draw_dragon(near, scale, dx, dy, flip, angle, which="near")
    return far.mask(), near.mask(), eye


def shield_outline(cx, top, width, height):
    """A heater shield: flat top with slightly raised corners, curved sides to a point."""
    half = width / 2
    pts = [(cx - half, top), (cx, top + height * 0.04), (cx + half, top)]
    pts += bezier([(cx + half, top), (cx + half, top + height * 0.55), (cx + half * 0.55, top + height * 0.85),
                   (cx, top + height)], 30)[1:]
    pts += bezier([(cx, top + height), (cx - half * 0.55, top + height * 0.85), (cx - half, top + height * 0.55),
                   (cx - half, top)], 30)[1:]
    return pts


def scale_about(points, centre, factor):
    return [(centre[0] + (x - centre[0]) * factor, centre[1] + (y - centre[1]) * factor) for x, y in points]


def sword_shapes(length=100.0):
    """A straight sword pointing up, hilt at the origin (0, 0), tip at (0, -length).
    Returns (blade, fuller, guard, grip, pommel) outlines."""
    bw = length * 0.055
    blade = [(-bw, 0), (-bw, -length * 0.86), (0, -length), (bw, -length * 0.86), (bw, 0)]
    fuller = [(-bw * 0.22, -length * 0.04), (-bw * 0.22, -length * 0.78), (bw * 0.22, -length * 0.78),
              (bw * 0.22, -length * 0.04)]
    gw, gh = length * 0.2, length * 0.035
    guard = [(-gw, -gh), (-gw * 1.1, -gh * 2.2), (-gw * 0.9, -gh * 0.4), (-bw * 1.4, gh), (bw * 1.4, gh),
             (gw * 0.9, -gh * 0.4), (gw * 1.1, -gh * 2.2), (gw, -gh)]
    grip = [(-bw * 0.7, gh), (-bw * 0.7, length * 0.2), (bw * 0.7, length * 0.2), (bw * 0.7, gh)]
    pr = length * 0.045
    pommel = arc(0, length * 0.2 + pr * 0.8, pr, pr, 0, 360, 20)
    return blade, fuller, guard, grip, pommel


# ---------------------------------------------------------------- text

def text_mask(size, xy, text, font_path, font_size, anchor="la", stroke=0):
    """A mask of the text; size in picture units, as for Canvas."""
    return Canvas(size).text(xy, text, font_path, font_size, anchor=anchor, stroke=stroke).mask()


def text_width(text, font_path, font_size):
    f = ImageFont.truetype(font_path, int(round(font_size * OVERSAMPLE)))
    box = f.getbbox(text)
    return (box[2] - box[0]) / OVERSAMPLE


def fit_font_size(text, font_path, width, start):
    size = start
    while size > 6 and text_width(text, font_path, size) > width:
        size -= 0.5
    return size


def fancy_text(img, xy, text, font_path, size, anchor="mm", top=GOLD_LIGHT, bottom=GOLD_DARK,
               edge=BLOOD, edge_width=2, shadow=(2, 2), shadow_alpha=110):
    """Title lettering: a vertical gradient inside a coloured edge, over a soft shadow."""
    units = (img.size[0] / _scale, img.size[1] / _scale)
    body = text_mask(units, xy, text, font_path, size, anchor=anchor)
    rim = text_mask(units, xy, text, font_path, size, anchor=anchor, stroke=edge_width)
    box = body.getbbox() or (0, 0, img.size[0], img.size[1])
    if shadow:
        moved = ImageChops.offset(rim, px(shadow[0]), px(shadow[1])).filter(blur(1.2))
        paint(img, INK, moved.point(lambda v: v * shadow_alpha // 255))
    paint(img, edge, rim)
    paint_gradient(img, top, bottom, body, (box[1] / _scale, box[3] / _scale))
    return box


def divider(canvas, cx, y, half, gap=0.0, diamond=4.0, width=1.2):
    """An ornamental rule: two lines ending in small diamonds, with a larger
    diamond in the middle (or a gap of the given half-width for text)."""
    for sign in (-1, 1):
        x0 = cx + sign * max(gap, diamond * 1.6)
        x1 = cx + sign * half
        canvas.line([(x0, y), (x1, y)], width)
        canvas.polygon([(x1 + sign * 4, y), (x1, y - 2.5), (x1 - sign * 4, y), (x1, y + 2.5)])
    if not gap:
        canvas.polygon([(cx - diamond, y), (cx, y - diamond), (cx + diamond, y), (cx, y + diamond)])
    return canvas


def ornate_border(img, box, seed=3):
    """A double rule in dark red and gold with small diamond corners, inside box."""
    x0, y0, x1, y1 = box
    units = (img.size[0] / _scale, img.size[1] / _scale)
    red = Canvas(units)
    gold = Canvas(units)
    red.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])
    red.polygon([(x0 + 2.5, y0 + 2.5), (x1 - 2.5, y0 + 2.5), (x1 - 2.5, y1 - 2.5), (x0 + 2.5, y1 - 2.5)], 0)
    gold.polygon([(x0 + 5, y0 + 5), (x1 - 5, y0 + 5), (x1 - 5, y1 - 5), (x0 + 5, y1 - 5)])
    gold.polygon([(x0 + 6.2, y0 + 6.2), (x1 - 6.2, y0 + 6.2), (x1 - 6.2, y1 - 6.2), (x0 + 6.2, y1 - 6.2)], 0)
    for cx, cy in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
        red.polygon([(cx - 7, cy), (cx, cy - 7), (cx + 7, cy), (cx, cy + 7)])
        gold.polygon([(cx - 3.5, cy), (cx, cy - 3.5), (cx + 3.5, cy), (cx, cy + 3.5)])
    paint(img, BLOOD, red.mask())
    paint(img, GOLD_DARK, gold.mask())


# ---------------------------------------------------------------- colour depth and saving

def to_palette(image, colours=256, dither=True):
    """An opaque picture reduced to an 8-bit palette of at most 256 colours."""
    rgb = image.convert("RGB")
    return rgb.quantize(colours, method=Image.MEDIANCUT,
                        dither=Image.FLOYDSTEINBERG if dither else Image.NONE)


def to_palette_transparent(image, colours=255, dither=False):
    """An RGBA picture reduced to an 8-bit palette with a per-entry alpha table.

    Fully transparent pixels share entry 0; the rest are quantised together with
    their alpha, so soft edges blend into whatever lies under the picture."""
    rgba = image.convert("RGBA")
    alpha = rgba.getchannel("A")
    # Hide the colour of invisible pixels so they don't steal palette entries.
    solid = Image.new("RGBA", rgba.size, (0, 0, 0, 0))
    clean = Image.composite(rgba, solid, alpha.point(lambda a: 255 if a >= 8 else 0))
    q = clean.quantize(colours, method=Image.FASTOCTREE, dither=Image.FLOYDSTEINBERG if dither else Image.NONE)
    palette = q.getpalette("RGBA")[: 4 * 256]
    entries = [tuple(palette[i:i + 4]) for i in range(0, len(palette), 4)]
    # Rebuild with entry 0 as the transparent colour.
    order = [i for i, e in enumerate(entries) if e[3] >= 8]
    used = set(q.getdata())
    order = [i for i in order if i in used]
    remap = {}
    new_entries = [(0, 0, 0, 0)]
    for i in order:
        remap[i] = len(new_entries)
        new_entries.append(entries[i])
    data = [remap.get(i, 0) for i in q.getdata()]
    out = Image.new("P", q.size)
    out.putdata(data)
    flat = []
    for e in new_entries:
        flat += e[:3]
    out.putpalette(flat)
    out.info["transparency"] = bytes(e[3] for e in new_entries)
    return out


def save_palette(image, path):
    """Saves a palette picture as an 8-bit PNG, keeping its transparency table."""
    assert image.mode == "P"
    params = {"optimize": False, "bits": 8}
    if "transparency" in image.info:
        params["transparency"] = image.info["transparency"]
    image.save(path, **params)


def store_uncompressed(path):
    """Rewrites a PNG with its rows unfiltered and stored without compression: the program
    decodes its window pictures at every start, and stored rows are the quickest to decode. The
    pixels stay the same."""
    data = path.read_bytes()
    chunks = []
    pos = 8
    while pos < len(data):
        (n,) = struct.unpack(">I", data[pos : pos + 4])
        chunks.append((data[pos + 4 : pos + 8], data[pos + 8 : pos + 8 + n]))
        pos += 12 + n
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    assert depth == 8 and interlace == 0, path
    step = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    stride = width * step
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, row = raw[at], bytearray(raw[at + 1 : at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = row[i - step] if i >= step else 0
            b = previous[i]
            c = previous[i - step] if i >= step else 0
            if kind == 1:
                row[i] = (row[i] + a) & 255
            elif kind == 2:
                row[i] = (row[i] + b) & 255
            elif kind == 3:
                row[i] = (row[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(b"\0" + bytes(row))
        previous = row

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    out, stored = data[:8], False
    for kind, body in chunks:
        if kind != b"IDAT":
            out += chunk(kind, body)
        elif not stored:
            out += chunk(b"IDAT", zlib.compress(b"".join(rows), 0))
            stored = True
    path.write_bytes(out)


def to_15bit(image):
    """Five bits per channel with ordered dithering, spread back over 0..255."""
    bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
    rgb = image.convert("RGB")
    w, h = rgb.size
    src = rgb.load()
    out = Image.new("RGB", rgb.size)
    dst = out.load()
    for y in range(h):
        row = bayer[y % 4]
        for x in range(w):
            threshold = (row[x % 4] + 0.5) / 16
            dst[x, y] = tuple(expand5(min(31, int(c * 31 / 255 + threshold))) for c in src[x, y])
    return out


def expand5(v):
    return (v << 3) | (v >> 2)
