#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the two feedback sounds, data/Problem.wav and data/Success.wav.

Both are 16-bit PCM mono at 22050 Hz (the Qt sound player refuses 32-bit PCM)
and shorter than 0.4 s, so that a quick series of choices never piles them up.
"""
import math
import pathlib
import struct
import sys
import wave

RATE = 22050
PEAK = 0.7
DATA = pathlib.Path(__file__).resolve().parent.parent.parent / "data"


def envelope(t: float, length: float, attack: float, release: float) -> float:
    """Linear attack and release, so that no sound starts or stops with a click."""
    if t < 0 or t > length:
        return 0.0
    return min(1.0, t / attack, (length - t) / release)


def buzz(t: float, freq: float) -> float:
    """A soft-edged square-ish wave: the first odd harmonics of a low tone."""
    phase = 2 * math.pi * freq * t
    return (math.sin(phase) + math.sin(3 * phase) / 3 + math.sin(5 * phase) / 6) / 1.4


def problem(t: float) -> float:
    """Refusal: two short low buzzes, the second a little lower."""
    value = 0.0
    for start, freq in ((0.0, 155.0), (0.17, 130.0)):
        local = t - start
        value += envelope(local, 0.13, 0.008, 0.03) * buzz(local, freq)
    return 0.55 * value


def bell(t: float, freq: float) -> float:
    """A struck bell: the tone and a quiet overtone, both dying away."""
    if t < 0:
        return 0.0
    attack = min(1.0, t / 0.004)
    return attack * math.exp(-t * 9.0) * (math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(2 * math.pi * 2.76 * freq * t) * math.exp(-t * 20))


def success(t: float) -> float:
    """Confirmation: three bright notes rising (C6, E6, G6), each ringing into the next."""
    value = 0.0
    for start, freq in ((0.0, 1046.5), (0.07, 1318.5), (0.14, 1568.0)):
        value += bell(t - start, freq)
    return 0.33 * value * envelope(t, 0.36, 0.001, 0.06)


def write(name: str, signal, length: float) -> None:
    samples = [signal(i / RATE) for i in range(int(length * RATE))]
    # Both sounds peak at the same loudness, a little below full scale.
    scale = PEAK / max(abs(s) for s in samples)
    frames = b"".join(struct.pack("<h", int(round(s * scale * 32767))) for s in samples)
    with wave.open(str(DATA / name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)
    print(f"data/{name}")


def main() -> int:
    write("Problem.wav", problem, 0.32)
    write("Success.wav", success, 0.36)
    return 0


if __name__ == "__main__":
    sys.exit(main())
