#!/usr/bin/env python3
"""Writes the two feedback cues as PCM WAV files (standard library only).

right.wav: mono, 22050 Hz, 16 bits, 1258 samples (2516 bytes): a short bright two-tone chime.
wrong.wav: mono, 11025 Hz, 8 bits, 2152 samples (2152 bytes): a low, soft buzz.
"""
import math
import struct
import sys
import wave


def envelope(i, n, attack):
    return min(1.0, i / attack) * (1.0 - i / n) ** 1.5


def right(path):
    rate, n = 22050, 1258
    frames = bytearray()
    for i in range(n):
        t = i / rate
        freq = 1318.5 if i < n * 0.45 else 1760.0  # E6 then A6
        v = 0.6 * math.sin(2 * math.pi * freq * t) + 0.15 * math.sin(4 * math.pi * freq * t)
        frames += struct.pack("<h", int(26000 * v * envelope(i, n, 40)))
    write(path, rate, 2, frames)


def wrong(path):
    rate, n = 11025, 2152
    frames = bytearray()
    for i in range(n):
        t = i / rate
        # A square-ish wave at 110 Hz, softened by its first harmonics only.
        v = sum(math.sin(2 * math.pi * 110 * k * t) / k for k in (1, 3, 5, 7))
        frames.append(128 + int(80 * v * envelope(i, n, 60)))
    write(path, rate, 1, frames)


def write(path, rate, width, frames):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(width)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    right(f"{out}/right.wav")
    wrong(f"{out}/wrong.wav")
