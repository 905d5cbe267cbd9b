#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the generated data files: picture sizes and colour depths, the text
files' encoding and line ends, and the sounds' format and length."""
import pathlib
import sys
import wave

from PIL import Image

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


def check_pictures(errors):
    for name, (size, mode, transparent) in PICTURES.items():
        im = Image.open(DATA / "art" / name)
        if im.size != size or im.mode != mode:
            errors.append(f"{name}: {im.size} {im.mode}, want {size} {mode}")
        if mode == "P":
            colours = len(im.getcolors(256) or [])
            if not 0 < colours <= 256:
                errors.append(f"{name}: {colours} colours")
            if transparent != ("transparency" in im.info):
                errors.append(f"{name}: transparency {'missing' if transparent else 'unexpected'}")
        if name == "about.png":
            levels = {(v >> 3) << 3 | v >> 5 for v in range(256)}
            used = set()
            for band in im.split():
                used |= {v for v, n in enumerate(band.histogram()) if n}
            if not used <= levels:
                errors.append("about.png: channel values beyond 5 bits")
    ico = Image.open(DATA / "art" / "app.ico")
    if sorted(ico.info.get("sizes", [])) != [(16, 16), (32, 32), (48, 48)]:
        errors.append(f"app.ico: sizes {ico.info.get('sizes')}")
    for n in (48, 64, 128, 256):
        im = Image.open(DATA / "icons" / "hicolor" / f"{n}x{n}" / "apps" / "kartak2.png")
        if im.size != (n, n):
            errors.append(f"hicolor {n}: {im.size}")


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
