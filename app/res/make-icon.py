#!/usr/bin/env python3
"""Draws the application icon, a sun, and writes Quenlit.ico beside itself: a 32x32 and a 16x16
image, 16 colours (4 bits per pixel) each, transparent around the sun. Run it again after changing
the picture and commit the icon it writes."""

import math
import struct
from pathlib import Path

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
OLIVE, YELLOW, WHITE = 3, 11, 15
TRANSPARENT = None
RAY_COUNT = 8


def sun_pixel(x, y, size):
    """The palette index of one pixel of the sun, or TRANSPARENT."""
    centre = (size - 1) / 2
    dx, dy = x - centre, y - centre
    distance = math.hypot(dx, dy)
    disc = size * 0.25
    if distance <= disc - 1:
        highlight = math.hypot(dx + disc * 0.35, dy + disc * 0.35) <= disc * 0.25
        return WHITE if highlight else YELLOW
    if distance <= disc:
        return OLIVE
    ray_start, ray_end = disc + size * 0.09, size / 2
    if ray_start <= distance <= ray_end:
        angle = math.atan2(dy, dx)
        step = 2 * math.pi / RAY_COUNT
        off_ray = abs((angle + step / 2) % step - step / 2) * distance
        if off_ray <= size / 28 + 0.35:
            return OLIVE
    return TRANSPARENT


def row_bytes(bits, width):
    """Bytes of one bitmap row, padded to a multiple of four."""
    return ((bits * width + 31) // 32) * 4


def image(size):
    """One icon image: header, palette, colour bitmap, transparency mask (rows bottom-up)."""
    pixels = [[sun_pixel(x, y, size) for x in range(size)] for y in range(size)]
    colour = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(row_bytes(4, size))
        for x, index in enumerate(row):
            if index is not TRANSPARENT:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colour += line
        bits = bytearray(row_bytes(1, size))
        for x, index in enumerate(row):
            if index is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(colour) + len(mask),
                         0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(colour) + bytes(mask)


def icon_file(sizes):
    images = [image(size) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(images)


if __name__ == "__main__":
    target = Path(__file__).resolve().parent / "Quenlit.ico"
    target.write_bytes(icon_file([32, 16]))
    print(f"wrote {target}")
