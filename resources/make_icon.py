#!/usr/bin/env python3
"""Draws the program icon: a navy Q on a white disc with a green check mark.

Writes a Windows .ico holding one 32x32 image with 16 colours (4 bits per
pixel) and its transparency mask. Run it from anywhere; it writes
QuillmereCheck.ico beside itself, or to the path given as its argument.
The output depends on nothing but this script, so the icon in the
repository can always be made again byte for byte.
"""
import math
import os
import struct
import sys

SIZE = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
GREEN, NAVY, GRAY, LIME, WHITE = 2, 4, 8, 10, 15
TRANSPARENT = None


def segment_distance(px, py, ax, ay, bx, by):
    """Distance from point p to the segment a-b."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def polyline_distance(px, py, points):
    return min(segment_distance(px, py, *points[i], *points[i + 1]) for i in range(len(points) - 1))


def pixel(x, y):
    """The palette index of a pixel (x right, y down), or TRANSPARENT."""
    cx, cy = 15.5, 15.5
    px, py = x + 0.5, y + 0.5
    check = [(12.0, 21.0), (17.0, 27.0), (29.5, 11.0)]
    d_check = polyline_distance(px, py, check)
    if d_check <= 1.6:
        return LIME
    if d_check <= 2.7:
        return GREEN
    r = math.hypot(px - cx, py - cy)
    ring_cx, ring_cy = 14.5, 14.0
    q = math.hypot(px - ring_cx, py - ring_cy)
    tail = segment_distance(px, py, 18.0, 18.0, 24.0, 25.0)
    if 6.5 <= q <= 10.0 or tail <= 1.6:
        return NAVY
    if r <= 14.6:
        return WHITE
    if r <= 15.6:
        return GRAY
    return TRANSPARENT


def image():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    colour, mask = b"", b""
    for row in reversed(rows):  # bitmaps are stored bottom row first
        indices = [0 if p is TRANSPARENT else p for p in row]
        colour += bytes((indices[i] << 4) | indices[i + 1] for i in range(0, SIZE, 2))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is TRANSPARENT else 0)
        mask += struct.pack(">I", bits)
    return header + palette + colour + mask


def icon_file():
    data = image()
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(data), 6 + 16)
    return directory + entry + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "QuillmereCheck.ico")
    with open(out, "wb") as f:
        f.write(icon_file())


if __name__ == "__main__":
    main()
