#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the generated data files: picture sizes and colour depths (and that
every picture has an "@2x" twin of twice its size showing the same), the
application icons, the text files' encoding and line ends, and the sounds' format
and length."""
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import wave
import zlib
import xml.etree.ElementTree as ET

from PIL import Image, ImageChops, ImageFilter, ImageStat

ROOT = pathlib.Path(__file__).resolve().parent.parent.parent
DATA = ROOT / "data"

# name -> (size, mode, transparent)
PICTURES = {
    "main.png": ((325, 220), "P", False),
    "about.png": ((400, 252), "RGB", False),
    "notice.png": ((266, 49), "P", True),
    "splash.png": ((467, 313), "P", False),
    "sheet_title.png": ((277, 53), "P", True),
    "app.png": ((32, 32), "P", True),
}
for name in ("icon_melee", "icon_ranged1", "icon_ranged2", "icon_armour",
             "glyph_copy", "glyph_save", "glyph_tip", "glyph_back"):
    PICTURES[name + ".png"] = ((16, 16), "P", True)


HICOLOR_SIZES = (16, 22, 24, 32, 48, 64, 128, 256, 512)


def twin_name(name):
    stem, dot, suffix = name.rpartition(".")
    return f"{stem}@2x{dot}{suffix}"


def difference(a, b):
    """The mean difference of two pictures of one size, 0 to 255, each laid on grey
    (so transparent pixels compare as equal) and softened a little, so that paper
    grain and dithering count for little and a shape out of place for much."""
    flat = []
    for im in (a, b):
        rgba = im.convert("RGBA")
        ground = Image.new("RGBA", rgba.size, (128, 128, 128, 255))
        flat.append(Image.alpha_composite(ground, rgba).convert("RGB").filter(ImageFilter.GaussianBlur(1.5)))
    return sum(ImageStat.Stat(ImageChops.difference(*flat)).mean) / 3


def stored_uncompressed(path):
    """Whether every row of the PNG is unfiltered and its data stored without compression."""
    data = path.read_bytes()
    width, height, _, colour = struct.unpack(">IIBB", data[16:26])
    idat, pos = b"", 8
    while pos < len(data):
        (n,) = struct.unpack(">I", data[pos : pos + 4])
        if data[pos + 4 : pos + 8] == b"IDAT":
            idat += data[pos + 8 : pos + 8 + n]
        pos += 12 + n
    # A zlib stream of stored deflate blocks: each block's header byte has type 00.
    if idat[1] & 0xC0 != 0 or idat[2] & 0x06 != 0:
        return False
    stride = 1 + width * {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    raw = zlib.decompress(idat)
    return all(raw[row * stride] == 0 for row in range(height))


def check_pictures(errors):
    pictures = dict(PICTURES)
    for name, (size, mode, transparent) in PICTURES.items():
        pictures[twin_name(name)] = ((size[0] * 2, size[1] * 2), mode, transparent)
    for name, (size, mode, transparent) in pictures.items():
        im = Image.open(DATA / "art" / name)
        if im.size != size or im.mode != mode:
            errors.append(f"{name}: {im.size} {im.mode}, want {size} {mode}")
        if name in PICTURES and not stored_uncompressed(DATA / "art" / name):
            errors.append(f"{name}: not stored unfiltered and uncompressed (store_uncompressed)")
        if mode == "P":
            colours = len(im.getcolors(256) or [])
            if not 0 < colours <= 256:
                errors.append(f"{name}: {colours} colours")
            if transparent != ("transparency" in im.info):
                errors.append(f"{name}: transparency {'missing' if transparent else 'unexpected'}")
        if name in ("about.png", "about@2x.png"):
            levels = {(v >> 3) << 3 | v >> 5 for v in range(256)}
            used = set()
            for band in im.split():
                used |= {v for v, n in enumerate(band.histogram()) if n}
            if not used <= levels:
                errors.append(f"{name}: channel values beyond 5 bits")
    # The printed title is the window's title drawn five times as large, on white.
    im = Image.open(DATA / "print" / "sheet_title.png")
    if im.size != (277 * 5, 53 * 5) or im.mode != "RGB":
        errors.append(f"print/sheet_title.png: {im.size} {im.mode}, want {(277 * 5, 53 * 5)} RGB")
    else:
        title = Image.open(DATA / "art" / "sheet_title.png").convert("RGBA")
        on_white = Image.alpha_composite(Image.new("RGBA", title.size, (255, 255, 255, 255)), title)
        off = difference(im.resize(title.size, Image.BOX), on_white)
        if off > 12:
            errors.append(f"print/sheet_title.png: shrunk, differs from sheet_title.png by {off:.1f}")
    # A twin halved must look like its picture: drawn from the same shapes, not another picture
    # or the same one shifted by a pixel or two. The application icon is drawn for each size, its
    # outlines one pixel wide at both, so its twin may differ more.
    for name, (size, _, _) in PICTURES.items():
        twin = Image.open(DATA / "art" / twin_name(name)).convert("RGBA")
        halved = twin.resize(size, Image.BOX)
        off = difference(halved, Image.open(DATA / "art" / name))
        if off > (12 if name == "app.png" else 3.5):
            errors.append(f"{twin_name(name)}: halved, differs from {name} by {off:.1f}")
    ico = Image.open(DATA / "art" / "app.ico")
    if sorted(ico.info.get("sizes", [])) != [(16, 16), (32, 32), (48, 48)]:
        errors.append(f"app.ico: sizes {ico.info.get('sizes')}")
    for n in HICOLOR_SIZES:
        im = Image.open(DATA / "icons" / "hicolor" / f"{n}x{n}" / "apps" / "kartak2.png")
        if im.size != (n, n) or im.mode != "RGBA":
            errors.append(f"hicolor {n}: {im.size} {im.mode}")
    check_svg_icon(errors)


def check_svg_icon(errors):
    svg = DATA / "icons" / "hicolor" / "scalable" / "apps" / "kartak2.svg"
    root = ET.parse(svg).getroot()
    if root.tag != "{http://www.w3.org/2000/svg}svg" or root.get("viewBox") != "0 0 100 100":
        errors.append("kartak2.svg: not an SVG with a 100 x 100 view box")
    # Drawn by an SVG renderer, the icon must look like the 256 px PNG.
    renderer = shutil.which("rsvg-convert")
    if not renderer:
        print("kartak2.svg: rsvg-convert (librsvg2-bin) missing, not drawn")
        return
    with tempfile.TemporaryDirectory() as folder:
        drawn = pathlib.Path(folder) / "icon.png"
        subprocess.run([renderer, "-w", "256", "-h", "256", str(svg), "-o", str(drawn)], check=True)
        png = DATA / "icons" / "hicolor" / "256x256" / "apps" / "kartak2.png"
        off = difference(Image.open(drawn), Image.open(png))
        if off > 4:
            errors.append(f"kartak2.svg: differs from the 256 px icon by {off:.1f}")


def check_texts(errors):
    for name in ("about.ktd", "Beta.ktd", "tips.ktd"):
        data = (DATA / name).read_bytes()
        if set(data) & {0x81, 0x83, 0x88, 0x90, 0x98}:
            errors.append(f"{name}: bytes undefined in Windows-1250")
        if not data.endswith(b"\r\n") or data.count(b"\n") != data.count(b"\r\n") \
                or data.count(b"\r") != data.count(b"\r\n"):
            errors.append(f"{name}: not CR LF throughout")
    tips = (DATA / "tips.ktd").read_bytes().decode("cp1250").split("\r\n")
    if tips[-2:] != ["0", ""] or len(tips) - 2 < 25:
        errors.append("tips.ktd: fewer than 25 tips or no closing 0 line")


def check_sounds(errors):
    for name in ("Problem.wav", "Success.wav"):
        with wave.open(str(DATA / name)) as w:
            if w.getnchannels() != 1 or w.getsampwidth() != 2 or w.getframerate() not in (22050, 44100):
                errors.append(f"{name}: not 16-bit mono PCM")
            if w.getnframes() / w.getframerate() > 0.4:
                errors.append(f"{name}: longer than 0.4 s")


def main():
    errors = []
    check_pictures(errors)
    check_texts(errors)
    check_sounds(errors)
    for e in errors:
        print(e)
    print("data files: " + ("FAILED" if errors else "all fine"))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
