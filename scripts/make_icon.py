#!/usr/bin/env python3
"""Draws the program's icon, the lurking eye of its artwork, into a Windows .ico file.

The picture is described as shapes on a 256-unit square and rendered at every size the icon
holds (16, 24, 32, 48 and 256 pixels) with 4 x 4 samples per pixel. The colours and the
proportions of the eye are those the program draws with GDI (src/ui/artwork_win.cpp).
Standard library only.  Usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
SAMPLES = 4

ACCENT = (82, 160, 196)
MARKS = (60, 110, 135)
PUPIL = (6, 8, 10)
WHITE = (255, 255, 255)
BAND_TOP = (30, 44, 56)
BAND_BOTTOM = (12, 16, 20)
BORDER = (54, 96, 118)

# The eye, in units of the 256-unit square. Without the sight marks (below 32 pixels) the
# eye fills more of the square.
CX, CY = 128.0, 128.0
CORNER = 44.0                      # the rounded square behind the eye


class Eye:
    def __init__(self, radius):
        self.radius = radius                          # half the width of the almond
        self.h = radius * 55 / 100                    # half its height
        self.big_r = (radius * radius + self.h * self.h) / (2 * self.h)
        self.iris = self.h * 75 / 100
        self.pupil = self.h * 32 / 100
        self.shine_r = self.h / 7 + 1
        self.shine = (CX + self.h / 4, CY - self.h / 4)
        gap = radius + radius / 6
        length = radius / 4
        self.marks = (
            (CX - gap - length, CY, CX - gap, CY),
            (CX + gap, CY, CX + gap + length, CY),
            (CX, CY - self.h - radius / 5 - length, CX, CY - self.h - radius / 5),
            (CX, CY + self.h + radius / 5, CX, CY + self.h + radius / 5 + length),
        )


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def rounded_square_distance(x, y):
    """Signed distance to the rounded square from 6 to 250 (negative inside)."""
    half = 122.0
    qx = abs(x - 128.0) - (half - CORNER)
    qy = abs(y - 128.0) - (half - CORNER)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - CORNER


def almond_distance(eye, x, y):
    """About the signed distance to the almond, where two large circles meet."""
    upper = math.hypot(x - CX, y - (CY - eye.h + eye.big_r)) - eye.big_r
    lower = math.hypot(x - CX, y - (CY + eye.h - eye.big_r)) - eye.big_r
    return max(upper, lower)


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def sample(eye, x, y, unit):
    """Colour and coverage (0 or 1) of one sample; unit: units per pixel."""
    edge = rounded_square_distance(x, y)
    if edge > 0:
        return (0, 0, 0), 0.0
    colour = mix(BAND_TOP, BAND_BOTTOM, y / 256.0)
    if edge > -max(4.0, 1.0 * unit):
        colour = BORDER
    # Pens keep at least about one pixel, so the eye stays whole at 16 pixels.
    outline = max(12.0, 1.1 * unit) / 2
    marks = unit <= 256.0 / 32
    if marks:
        for segment in eye.marks:
            if segment_distance(x, y, *segment) <= max(6.0, unit) / 2:
                colour = MARKS
    if abs(almond_distance(eye, x, y)) <= outline:
        colour = ACCENT
    # Small, the iris keeps a pixel of dark between itself and the outline.
    iris = min(eye.iris, eye.h - outline - 0.9 * unit)
    centre = math.hypot(x - CX, y - CY)
    if centre <= iris:
        colour = ACCENT
    if centre <= max(eye.pupil, min(0.6 * unit, iris * 0.6)):
        colour = PUPIL
    if marks and math.hypot(x - eye.shine[0], y - eye.shine[1]) <= eye.shine_r:
        colour = WHITE
    return colour, 1.0


def render(size):
    """Rows of (r, g, b, a) pixels, top row first."""
    unit = 256.0 / size
    eye = Eye(82.0 if size >= 32 else 104.0)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * unit
                    y = (py + (sy + 0.5) / SAMPLES) * unit
                    colour, cover = sample(eye, x, y, unit)
                    r += colour[0] * cover
                    g += colour[1] * cover
                    b += colour[2] * cover
                    a += cover
            n = SAMPLES * SAMPLES
            if a > 0:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def dib(rows):
    """A 32-bit bottom-up bitmap with its 1-bit mask, as an icon image holds it."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def icon(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for size, image in images:
        dimension = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dimension, dimension, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return directory + entries + data


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png(rows) if size >= 256 else dib(rows)))
    with open(sys.argv[1], "wb") as out:
        out.write(icon(images))


if __name__ == "__main__":
    main()
