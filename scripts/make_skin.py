#!/usr/bin/env python3
"""Writes the example menu skin: three 24-bit BMP files for the program folder.

menuforeground.bmp  behind unselected items (its top-left pixel fills the rest)
menubackground.bmp  behind the selected item
menutitle.bmp       the strip on the left of the top-level menu (its width is the strip's)

Usage: make_skin.py [output folder]   (default: docs/skin beside this script's folder)
Only the standard library is used.
"""
import math
import os
import struct
import sys


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y counted from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # BMP rows run bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - width * 3)
        rows.append(bytes(row))
    image = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + image)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


HEIGHT = 280
NIGHT_TOP = (24, 30, 64)
NIGHT_BOTTOM = (44, 70, 128)


def foreground(x, y):
    # A night sky: deep blue growing lighter downwards, with a few stars.
    colour = mix(NIGHT_TOP, NIGHT_BOTTOM, y / (HEIGHT - 1))
    if (x * 7 + y * 13) % 97 == 0 and y > 8:
        colour = mix(colour, (255, 255, 220), 0.55)
    return colour


def background(x, y):
    # The selected item: a warm orange band, lighter towards the right.
    base = mix((200, 96, 24), (240, 160, 64), x / 319)
    return mix(base, (255, 200, 120), 0.15 * math.sin(y / 6.0) ** 2)


def title(x, y):
    # The strip: dusk purple with a moon near the bottom.
    colour = mix((48, 24, 72), (120, 56, 120), y / (HEIGHT - 1))
    cx, cy, r = 11, HEIGHT - 26, 7
    d = math.hypot(x - cx, y - cy)
    if d <= r and math.hypot(x - cx - 3, y - cy + 2) > r - 1:
        colour = (250, 236, 170)
    elif d <= r + 1.2:
        colour = mix(colour, (250, 236, 170), 0.35)
    return colour


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "docs", "skin")
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "menuforeground.bmp"), 320, HEIGHT, foreground)
    write_bmp(os.path.join(out, "menubackground.bmp"), 320, HEIGHT, background)
    write_bmp(os.path.join(out, "menutitle.bmp"), 24, HEIGHT, title)


if __name__ == "__main__":
    main()
