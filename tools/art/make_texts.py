#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the program's text files (data/*.ktd) from the UTF-8 sources in texts/.

The program reads them as Windows-1250 with CR LF line ends, so every line,
the last one included, is encoded to cp1250 and ended by CR LF.
"""
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
DATA = HERE.parent.parent / "data"

# source file -> file the program reads
FILES = {
    "about.txt": "about.ktd",
    "Beta.txt": "Beta.ktd",
    "tips.txt": "tips.ktd",
}

# Bytes that have no character in Windows-1250.
UNDEFINED = {0x81, 0x83, 0x88, 0x90, 0x98}


def encode(text: str) -> bytes:
    lines = text.replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    data = b"".join(line.rstrip("\r").encode("cp1250") + b"\r\n" for line in lines)
    bad = UNDEFINED.intersection(data)
    if bad:
        raise ValueError(f"undefined Windows-1250 bytes {sorted(bad)}")
    return data


def check_tips(text: str) -> None:
    lines = text.rstrip("\n").split("\n")
    if lines[-1] != "0" or "0" in lines[:-1]:
        raise ValueError("tips must end with the single line 0")
    if len(lines) - 1 < 25:
        raise ValueError("fewer than 25 tips")
    for line in lines[:-1]:
        if not line.strip() or len(line) > 90:
            raise ValueError(f"tip empty or too long for the tip window: {line!r}")


def main() -> int:
    for source, target in FILES.items():
        text = (HERE / "texts" / source).read_text(encoding="utf-8")
        if target == "tips.ktd":
            check_tips(text)
        (DATA / target).write_bytes(encode(text))
        print(f"data/{target}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
