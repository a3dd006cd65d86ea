#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-2-Clause
"""Draws the program's icon, a sky plot with a satellite's trail, into the freedesktop
hicolor tree under OUTDIR: a scalable SVG and PNGs at 16 to 256 pixels.

Both come from the one geometry below, laid out on a 32 x 32 grid, so the SVG and every
PNG show the same picture. Plain Python (zlib and struct): nothing else to install.
Usage: make-icon.py OUTDIR
"""
import math
import struct
import sys
import zlib
from pathlib import Path

GRID = 32
CENTRE = GRID / 2
RADIUS = 15.0
RIM = 1.3  # width of the rim, inside RADIUS
RING_HALF_WIDTH = 0.45
CROSS_HALF_WIDTH = 0.4
SIZES = (16, 32, 48, 64, 128, 256)

SKY = (20, 35, 75)
CROSS = (70, 95, 140)
RINGS = (90, 120, 170)
RIM_COLOUR = (200, 215, 235)
# Satellites: used ones green, one tracked but unused amber.
SATELLITES = ((22.5, 9.0, (60, 200, 90)), (9.0, 20.5, (60, 200, 90)),
              (20.0, 23.0, (245, 180, 40)))
SATELLITE_RADIUS = 2.6


def trail():
    """The trail of the first satellite across the sky: fading dots along an arc."""
    for i in range(1, 7):
        angle = math.radians(-40 - 14 * i)
        shade = 255 - 20 * i
        yield (CENTRE + 10.5 * math.cos(angle) - 1.5, CENTRE + 10.5 * math.sin(angle) + 3.5,
               1.7 - 0.12 * i, (shade, shade, 255))


def colour_at(x, y):
    """The colour (r, g, b) of the grid point x, y, or None outside the icon. The order of
    the tests is the order of the layers, top first."""
    dx, dy = x - CENTRE, y - CENTRE
    r = math.hypot(dx, dy)
    if r > RADIUS:
        return None
    for sx, sy, colour in SATELLITES:
        if math.hypot(x - sx, y - sy) <= SATELLITE_RADIUS:
            return colour
    for tx, ty, radius, colour in trail():
        if math.hypot(x - tx, y - ty) <= radius:
            return colour
    if r > RADIUS - RIM:
        return RIM_COLOUR
    if abs(r - RADIUS * 2 / 3) < RING_HALF_WIDTH or abs(r - RADIUS / 3) < RING_HALF_WIDTH:
        return RINGS
    if abs(dx) < CROSS_HALF_WIDTH or abs(dy) < CROSS_HALF_WIDTH:
        return CROSS
    return SKY


def pixel(px, py, size):
    """One pixel of a size x size picture, supersampled for smooth edges."""
    samples = max(2, 128 // size)
    scale = GRID / size
    total = [0.0, 0.0, 0.0]
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            colour = colour_at((px + (sx + 0.5) / samples) * scale,
                               (py + (sy + 0.5) / samples) * scale)
            if colour is not None:
                hits += 1
                for c in range(3):
                    total[c] += colour[c]
    if hits == 0:
        return (0, 0, 0, 0)
    return tuple(round(v / hits) for v in total) + (round(255 * hits / samples**2),)


def png(size):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    rows = ([pixel(x, y, size) for x in range(size)] for y in range(size))
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def svg():
    def rgb(colour):
        return "#%02x%02x%02x" % colour

    inner = RADIUS - RIM
    shapes = [
        f'<circle cx="{CENTRE}" cy="{CENTRE}" r="{RADIUS}" fill="{rgb(SKY)}" stroke="none"/>',
        # The cross stops under the rim, as in the pixel drawing.
        f'<path d="M{CENTRE} {CENTRE - inner}V{CENTRE + inner}M{CENTRE - inner} {CENTRE}'
        f'H{CENTRE + inner}" stroke="{rgb(CROSS)}" stroke-width="{2 * CROSS_HALF_WIDTH}"/>',
    ]
    for radius in (RADIUS / 3, RADIUS * 2 / 3):
        shapes.append(f'<circle cx="{CENTRE}" cy="{CENTRE}" r="{radius:g}" fill="none" '
                      f'stroke="{rgb(RINGS)}" stroke-width="{2 * RING_HALF_WIDTH}"/>')
    shapes.append(f'<circle cx="{CENTRE}" cy="{CENTRE}" r="{RADIUS - RIM / 2:g}" fill="none" '
                  f'stroke="{rgb(RIM_COLOUR)}" stroke-width="{RIM}"/>')
    for tx, ty, radius, colour in reversed(list(trail())):
        shapes.append(f'<circle cx="{tx:.3f}" cy="{ty:.3f}" r="{radius:g}" fill="{rgb(colour)}"'
                      ' stroke="none"/>')
    for sx, sy, colour in SATELLITES:
        shapes.append(f'<circle cx="{sx}" cy="{sy}" r="{SATELLITE_RADIUS}" fill="{rgb(colour)}"'
                      ' stroke="none"/>')
    body = "\n  ".join(shapes)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{GRID}" height="{GRID}" '
            f'viewBox="0 0 {GRID} {GRID}">\n  {body}\n</svg>\n')


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-icon.py OUTDIR")
    apps = Path(sys.argv[1]) / "hicolor"
    (apps / "scalable/apps").mkdir(parents=True, exist_ok=True)
    (apps / "scalable/apps/sattrail.svg").write_text(svg())
    for size in SIZES:
        folder = apps / f"{size}x{size}/apps"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "sattrail.png").write_bytes(png(size))


if __name__ == "__main__":
    main()
