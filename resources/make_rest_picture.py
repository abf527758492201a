#!/usr/bin/env python3
"""Draws the rest picture: a yellow smiling face on grey that lightens towards the middle.

Writes rest_picture.bmp (150 x 112, 24-bit, uncompressed), a format that both Qt and Win32 read
without help. Run it again after changing the drawing; the output is committed beside it.
"""
import math
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 150, 112
SUBSAMPLES = 4  # per axis, to smooth the edges

CENTRE_X, CENTRE_Y = WIDTH / 2, HEIGHT / 2
FACE_RADIUS = 44
OUTLINE = 2.2
EYE_RADIUS_X, EYE_RADIUS_Y = 5, 8
EYE_OFFSET_X, EYE_OFFSET_Y = 15, -12
SMILE_RADIUS, SMILE_WIDTH = 26, 4.5

DARK = (60, 40, 10)
YELLOW = (255, 214, 0)
YELLOW_LIGHT = (255, 240, 120)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def background(x, y):
    # Grey that lightens from the corners towards the middle.
    distance = math.hypot((x - CENTRE_X) / CENTRE_X, (y - CENTRE_Y) / CENTRE_Y) / math.sqrt(2)
    level = 235 - 120 * distance
    return (level, level, level)


def colour_at(x, y):
    dx, dy = x - CENTRE_X, y - CENTRE_Y
    r = math.hypot(dx, dy)
    if r > FACE_RADIUS:
        return background(x, y)
    if r > FACE_RADIUS - OUTLINE:
        return DARK
    for side in (-1, 1):
        ex, ey = dx - side * EYE_OFFSET_X, dy - EYE_OFFSET_Y
        if (ex / EYE_RADIUS_X) ** 2 + (ey / EYE_RADIUS_Y) ** 2 <= 1:
            return DARK
    # The smile: the lower part of a ring around a point a little above the middle.
    sy = dy + 4
    if sy > 6 and abs(math.hypot(dx, sy) - SMILE_RADIUS) <= SMILE_WIDTH / 2:
        return DARK
    # A soft highlight towards the top left makes the face round.
    light = max(0.0, 1 - math.hypot(dx + 14, dy + 16) / 40)
    return mix(YELLOW, YELLOW_LIGHT, light)


def pixel(x, y):
    total = [0.0, 0.0, 0.0]
    for sx in range(SUBSAMPLES):
        for sy in range(SUBSAMPLES):
            c = colour_at(x + (sx + 0.5) / SUBSAMPLES, y + (sy + 0.5) / SUBSAMPLES)
            for i in range(3):
                total[i] += c[i]
    return tuple(round(v / SUBSAMPLES**2) for v in total)


def bmp(width, height):
    row_size = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):  # BMP rows run bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        rows.append(bytes(row))
    image = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(image), 0, 0, 14 + len(info))
    return header + info + image


if __name__ == "__main__":
    if len(sys.argv) > 2 or (len(sys.argv) == 2 and sys.argv[1].startswith("-")):
        sys.exit(f"usage: {sys.argv[0]} [OUTPUT.bmp]\n{__doc__}")
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("rest_picture.bmp")
    out.write_bytes(bmp(WIDTH, HEIGHT))
