#!/usr/bin/env python3
"""Draws the program's icon: the smiling face of the rest picture with a spark beside it.

One description of the shapes below gives every file: lettervonk.svg (the scalable icon),
icons/lettervonk-<size>.png at the sizes desktops ask for, lettervonk.ico (16 to 256 px) for
the Windows program and its installer, and icons/web/ for the browser build's manifest: 192 and
512 px, and a maskable 512 px one, the drawing shrunk into the middle of a filled square that a
launcher may cut to a circle or a rounded square. The web icons have a folder of their own so
that the desktop builds, which take every PNG in icons/, leave them out. Run it again after changing the drawing; the output is
committed beside it, and running it twice gives the same bytes.
"""
import math
import struct
import sys
import zlib
from pathlib import Path

PNG_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
WEB_SIZES = (192, 512)
MASKABLE_SIZE = 512
ICO_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
CANVAS = 256  # the SVG's units; every measure below is in them

DARK = (60, 40, 10)
YELLOW = (255, 214, 0)
ORANGE = (255, 122, 0)
DESKTOP = (58, 110, 165)  # the web page's background, #3a6ea5, behind the maskable icon

# A maskable icon's launcher keeps at least the circle of 40% of its size around the middle. The
# spark's tips reach 144 units from the middle (its outline included), so 0.7 keeps all of the
# drawing within that circle, 101 of its 102.4 units.
MASKABLE_ZOOM = 0.7

FACE_X, FACE_Y, FACE_RADIUS, OUTLINE = 118, 138, 108, 9
EYE_OFFSET_X, EYE_Y, EYE_RADIUS_X, EYE_RADIUS_Y = 36, 110, 12, 20
SMILE_Y, SMILE_RADIUS, SMILE_WIDTH = 126, 58, 17
SMILE_FROM, SMILE_TO = 25, 155  # degrees, measured clockwise from the right, so below the middle
SPARK_X, SPARK_Y, SPARK_OUTER, SPARK_INNER, SPARK_OUTLINE = 202, 54, 42, 12, 6


def spark_points():
    # A four-pointed star, pointing up, right, down and left.
    points = []
    for i in range(8):
        radius = SPARK_OUTER if i % 2 == 0 else SPARK_INNER
        angle = math.radians(-90 + 45 * i)
        points.append((SPARK_X + radius * math.cos(angle), SPARK_Y + radius * math.sin(angle)))
    return points


SPARK = spark_points()


# Signed distances, in canvas units: negative inside a shape, positive outside.
def disc(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def ellipse(x, y, cx, cy, rx, ry):
    # Close enough near the edge, which is all the smoothing needs.
    return (math.hypot((x - cx) / rx, (y - cy) / ry) - 1) * min(rx, ry)


def arc(x, y, cx, cy, r, width, start, end):
    angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
    if start <= angle <= end:
        return abs(math.hypot(x - cx, y - cy) - r) - width / 2
    ends = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))) for a in (start, end)]
    return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - width / 2


def polygon(x, y, points):
    inside = False
    nearest = math.inf
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            inside = not inside
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        nearest = min(nearest, math.hypot(x - ax - t * dx, y - ay - t * dy))
    return -nearest if inside else nearest


# The layers, back to front: colour and signed distance.
LAYERS = (
    (DARK, lambda x, y: disc(x, y, FACE_X, FACE_Y, FACE_RADIUS)),
    (YELLOW, lambda x, y: disc(x, y, FACE_X, FACE_Y, FACE_RADIUS - OUTLINE)),
    (DARK, lambda x, y: ellipse(x, y, FACE_X - EYE_OFFSET_X, EYE_Y, EYE_RADIUS_X, EYE_RADIUS_Y)),
    (DARK, lambda x, y: ellipse(x, y, FACE_X + EYE_OFFSET_X, EYE_Y, EYE_RADIUS_X, EYE_RADIUS_Y)),
    (DARK, lambda x, y: arc(x, y, FACE_X, SMILE_Y, SMILE_RADIUS, SMILE_WIDTH, SMILE_FROM, SMILE_TO)),
    (DARK, lambda x, y: polygon(x, y, SPARK) - SPARK_OUTLINE),
    (ORANGE, lambda x, y: polygon(x, y, SPARK)),
)


def render(size, zoom=1.0, background=None):
    """RGBA rows, top to bottom; edges smoothed by how far each pixel's centre is from them.

    zoom shrinks the drawing about the canvas's middle; background fills the square behind it.
    """
    scale = CANVAS / size / zoom
    middle = CANVAS / 2
    layers = LAYERS if background is None else ((background, lambda x, y: -math.inf),) + LAYERS
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            x, y = middle + ((px + 0.5) * CANVAS / size - middle) / zoom, middle + ((py + 0.5) * CANVAS / size - middle) / zoom
            colour, alpha = (0.0, 0.0, 0.0), 0.0
            for layer_colour, distance in layers:
                cover = max(0.0, min(1.0, 0.5 - distance(x, y) / scale))
                if cover == 0:
                    continue
                # Premultiplied "over".
                colour = tuple(c * (1 - cover) + lc * cover for c, lc in zip(colour, layer_colour))
                alpha = alpha * (1 - cover) + cover
            rgb = tuple(round(c / alpha) if alpha else 0 for c in colour)
            row.append((*rgb, round(alpha * 255)))
        rows.append(row)
    return rows


def png(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(rows):
    # An icon's bitmap: BGRA bottom-up, twice the height for the AND mask that follows it; the
    # mask is all zero because the alpha channel says what is transparent.
    size = len(rows)
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    return header + pixels + bytes(mask_row * size)


def ico(images):
    # Windows reads PNG only in the 256 px entry everywhere; the smaller ones stay bitmaps.
    entries, offset = [], 6 + 16 * len(images)
    blobs = []
    for size, rows in images:
        blob = png(rows) if size >= 256 else dib(rows)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset))
        offset += len(blob)
        blobs.append(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def svg():
    def start_end(angle):
        a = math.radians(angle)
        return FACE_X + SMILE_RADIUS * math.cos(a), SMILE_Y + SMILE_RADIUS * math.sin(a)

    (sx, sy), (ex, ey) = start_end(SMILE_FROM), start_end(SMILE_TO)
    points = " ".join(f"{x:.2f},{y:.2f}" for x, y in SPARK)
    hexes = {name: "#%02x%02x%02x" % colour for name, colour in
             (("dark", DARK), ("yellow", YELLOW), ("orange", ORANGE))}
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{CANVAS}" height="{CANVAS}" viewBox="0 0 {CANVAS} {CANVAS}">
  <circle cx="{FACE_X}" cy="{FACE_Y}" r="{FACE_RADIUS - OUTLINE / 2}" fill="{hexes['yellow']}" stroke="{hexes['dark']}" stroke-width="{OUTLINE}"/>
  <ellipse cx="{FACE_X - EYE_OFFSET_X}" cy="{EYE_Y}" rx="{EYE_RADIUS_X}" ry="{EYE_RADIUS_Y}" fill="{hexes['dark']}"/>
  <ellipse cx="{FACE_X + EYE_OFFSET_X}" cy="{EYE_Y}" rx="{EYE_RADIUS_X}" ry="{EYE_RADIUS_Y}" fill="{hexes['dark']}"/>
  <path d="M {sx:.2f} {sy:.2f} A {SMILE_RADIUS} {SMILE_RADIUS} 0 0 1 {ex:.2f} {ey:.2f}" fill="none" stroke="{hexes['dark']}" stroke-width="{SMILE_WIDTH}" stroke-linecap="round"/>
  <polygon points="{points}" fill="{hexes['orange']}" stroke="{hexes['dark']}" stroke-width="{2 * SPARK_OUTLINE}" stroke-linejoin="round" paint-order="stroke"/>
</svg>
"""


def main():
    if len(sys.argv) > 1:
        print(__doc__.strip())
        return
    here = Path(__file__).resolve().parent
    (here / "lettervonk.svg").write_text(svg())
    (here / "icons").mkdir(exist_ok=True)
    rendered = {size: render(size) for size in sorted(set(PNG_SIZES) | set(ICO_SIZES))}
    for size in PNG_SIZES:
        (here / "icons" / f"lettervonk-{size}.png").write_bytes(png(rendered[size]))
    (here / "lettervonk.ico").write_bytes(ico([(size, rendered[size]) for size in ICO_SIZES]))
    web = here / "icons" / "web"
    web.mkdir(exist_ok=True)
    for size in WEB_SIZES:
        (web / f"lettervonk-{size}.png").write_bytes(png(render(size)))
    (web / f"lettervonk-maskable-{MASKABLE_SIZE}.png").write_bytes(
        png(render(MASKABLE_SIZE, MASKABLE_ZOOM, DESKTOP)))


if __name__ == "__main__":
    main()
