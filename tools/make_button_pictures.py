#!/usr/bin/env python3
"""Draws the check button's four 37 x 41 pictures as 8-bit palette BMP files,
and the same four at twice the size (NAME@2x.bmp, 74 x 82) for screens of two
device pixels to the point.

Usage: make_button_pictures.py OUTPUT_DIR

The pictures are committed under controls/pictures; run this again only to
change how they look. Standard library only.
"""
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 37, 41
SCALES = (1, 2)

# Palette slots. The shadow greys stay clear of 0x80, the grey of the focus line.
BLACK, GREY, WHITE, SHADOW_NEAR, SHADOW_FAR = range(5)
PALETTE = [(0, 0, 0), (0xBD, 0xBD, 0xBD), (0xFF, 0xFF, 0xFF), (0x63, 0x63, 0x63), (0x94, 0x94, 0x94)]


def in_disc(x, y, left, top):
    # A disc 28 columns wide and 30 rows high whose box starts at (left, top).
    cx, cy = left + 13.5, top + 14.5
    return ((x - cx) / 14.0) ** 2 + ((y - cy) / 15.0) ** 2 <= 1.0


def picture(background, pressed, scale):
    """The picture in device pixels: each one takes the colour found at its
    centre, in the coordinates of the 37 x 41 picture (where pixel (x, y) has
    its centre at (x, y)), so that scale 1 is the picture as designed and
    larger scales draw the same shapes with finer edges."""
    left, top = (5, 5) if pressed else (1, 0)
    pixels = [[background] * (WIDTH * scale) for _ in range(HEIGHT * scale)]
    for row in range(HEIGHT * scale):
        y = (row + 0.5) / scale - 0.5
        for column in range(WIDTH * scale):
            x = (column + 0.5) / scale - 0.5
            if in_disc(x, y, left, top):
                pixels[row][column] = BLACK
            elif not pressed and in_disc(x - 1, y - 1, left, top):
                pixels[row][column] = SHADOW_NEAR
            elif not pressed and in_disc(x - 2, y - 2, left, top):
                pixels[row][column] = SHADOW_FAR
    return pixels


def write_bmp(path, pixels):
    width, height = len(pixels[0]), len(pixels)
    stride = (width + 3) & ~3
    image = bytearray()
    for row in reversed(pixels):  # BMP rows run bottom-up
        image += bytes(row) + bytes(stride - width)
    palette = bytearray()
    for index in range(256):
        r, g, b = PALETTE[index] if index < len(PALETTE) else (0, 0, 0)
        palette += bytes((b, g, r, 0))
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(image), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(image), 3780, 3780, 256, 0)
    path.write_bytes(header + info + palette + image)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for name, background, pressed in (('BUTTON2A', GREY, False), ('BUTTON1A', WHITE, False),
                                      ('BUTTON2B', GREY, True), ('BUTTON1B', WHITE, True)):
        for scale in SCALES:
            suffix = '' if scale == 1 else '@%dx' % scale
            write_bmp(out / (name + suffix + '.bmp'), picture(background, pressed, scale))


if __name__ == '__main__':
    main()
