#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-2-Clause
"""Draws data/sattrail.png, the program's 32 x 32 icon: a sky plot with a satellite's trail.

Plain Python (zlib and struct), so redrawing needs nothing installed: ./data/make-icon.py
"""
import math
import struct
import zlib
from pathlib import Path

SIZE = 32
SAMPLES = 4  # supersampling per axis, for smooth edges
CENTRE = SIZE / 2
RADIUS = 15.0


def shape_colour(x, y):
    """The colour (r, g, b, a) of the point x, y of the icon, or None outside it."""
    dx, dy = x - CENTRE, y - CENTRE
    r = math.hypot(dx, dy)
    if r > RADIUS:
        return None
    # Satellites: used ones green, one tracked but unused amber.
    for sx, sy, colour in ((22.5, 9.0, (60, 200, 90)), (9.0, 20.5, (60, 200, 90)),
                           (20.0, 23.0, (245, 180, 40))):
        if math.hypot(x - sx, y - sy) <= 2.6:
            return colour + (255,)
    # The trail of the first satellite across the sky: fading dots along an arc.
    for i in range(1, 7):
        angle = math.radians(-40 - 14 * i)
        tx = CENTRE + 10.5 * math.cos(angle) - 1.5
        ty = CENTRE + 10.5 * math.sin(angle) + 3.5
        if math.hypot(x - tx, y - ty) <= 1.7 - 0.12 * i:
            shade = 255 - 20 * i
            return (shade, shade, 255, 255)
    # Rim, elevation rings and the cross of the four directions.
    if r > RADIUS - 1.3:
        return (200, 215, 235, 255)
    if abs(r - RADIUS * 2 / 3) < 0.45 or abs(r - RADIUS / 3) < 0.45:
        return (90, 120, 170, 255)
    if abs(dx) < 0.4 or abs(dy) < 0.4:
        return (70, 95, 140, 255)
    return (20, 35, 75, 255)


def pixel(px, py):
    total = [0.0, 0.0, 0.0, 0.0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            colour = shape_colour(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
            if colour is None:
                continue
            alpha = colour[3] / 255.0
            for c in range(3):
                total[c] += colour[c] * alpha
            total[3] += alpha
    n = SAMPLES * SAMPLES
    if total[3] == 0:
        return (0, 0, 0, 0)
    return tuple(round(total[c] / total[3]) for c in range(3)) + (round(255 * total[3] / n),)


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
Path(__file__).with_name("sattrail.png").write_bytes(png(SIZE, SIZE, rows))
