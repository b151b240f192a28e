#!/usr/bin/env python3
"""Draws Mereth's icons and writes them as 32x32, 16-colour .ico files.

Usage: icongen.py OUTDIR

The pictures are pixel art built from a few shapes, so a change to a shape is a
change here, and the committed .ico files are always this script's output.
"""

import math
import struct
import sys
from pathlib import Path

SIZE = 32

# The standard VGA palette, in the order Windows uses for 16-colour bitmaps.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, DARK_GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)


class Canvas:
    """A 32x32 grid of palette indices; None is transparent."""

    def __init__(self):
        self.px = [[None] * SIZE for _ in range(SIZE)]

    def set(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def hline(self, x0, x1, y, c):
        self.rect(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.rect(x, y0, x, y1, c)

    def disc(self, cx, cy, r, c):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        steps = round(max(abs(x1 - x0), abs(y1 - y0), 1))
        for i in range(steps + 1):
            self.set(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)


def draw_modem(cv, left_light, right_light, top=19):
    """A desktop modem: bevelled grey case with a dark front panel and status lights."""
    bottom = top + 10
    cv.rect(1, top, 30, bottom, BLACK)
    cv.rect(2, top + 1, 29, bottom - 1, SILVER)
    cv.hline(2, 29, top + 1, WHITE)
    cv.vline(2, top + 1, bottom - 1, WHITE)
    cv.hline(3, 29, bottom - 1, GREY)
    cv.vline(29, top + 2, bottom - 1, GREY)
    # front panel with the lights and a row of vents
    cv.rect(4, top + 5, 27, top + 7, GREY)
    for i, x in enumerate((6, 10, 14)):
        cv.rect(x, top + 5, x + 1, top + 6, left_light if i < 2 else right_light)
    for x in range(18, 27, 2):
        cv.vline(x, top + 5, top + 7, BLACK)
    # feet
    cv.rect(3, bottom + 1, 5, bottom + 1, BLACK)
    cv.rect(26, bottom + 1, 28, bottom + 1, BLACK)


def draw_handset(cv, x0, y0, length=18):
    """A telephone handset lying on its back: two cups joined by a curved grip."""
    x1 = x0 + length - 1
    # grip: an arch from cup to cup
    for x in range(x0 + 2, x1 - 1):
        t = (x - x0 - 2) / max(x1 - x0 - 4, 1)
        lift = round(2 * math.sin(math.pi * t))
        cv.rect(x, y0 - lift, x, y0 + 2 - lift, BLACK)
        cv.set(x, y0 - lift, GREY)
    # earpiece and mouthpiece
    for cx in (x0, x1 - 4):
        cv.rect(cx, y0 + 2, cx + 4, y0 + 5, BLACK)
        cv.hline(cx + 1, cx + 3, y0 + 3, GREY)
        cv.rect(cx - 1, y0 + 5, cx + 5, y0 + 5, BLACK)


def draw_clock(cv, cx, cy, r, hour=10, minute=10):
    """A clock face: black rim, white dial, hour ticks and two hands."""
    cv.disc(cx, cy, r + 0.2, BLACK)
    cv.disc(cx, cy, r - 0.9, WHITE)
    for k in range(12):
        a = math.radians(k * 30)
        tick = r - 2 if k % 3 else r - 2.5
        x, y = cx + tick * math.sin(a), cy - tick * math.cos(a)
        cv.set(round(x), round(y), NAVY if k % 3 == 0 else GREY)
    ha = math.radians((hour % 12) * 30 + minute * 0.5)
    ma = math.radians(minute * 6)
    cv.line(cx, cy, round(cx + (r * 0.45) * math.sin(ha)), round(cy - (r * 0.45) * math.cos(ha)),
            BLACK)
    cv.line(cx, cy, round(cx + (r * 0.75) * math.sin(ma)), round(cy - (r * 0.75) * math.cos(ma)),
            RED)
    cv.set(round(cx), round(cy), BLACK)


def modem_picture(left_light, right_light):
    cv = Canvas()
    draw_clock(cv, 23, 8, 7.5)
    draw_modem(cv, left_light, right_light)
    draw_handset(cv, 2, 12, 19)
    return cv


def about_picture():
    """The About box's second icon: a large clock with the handset across its foot."""
    cv = Canvas()
    draw_clock(cv, 15.5, 12.5, 12, hour=2, minute=50)
    draw_handset(cv, 4, 25, 24)
    return cv


ICONS = {
    "mereth.ico": lambda: modem_picture(GREEN, MAROON),
    "about.ico": about_picture,
    "online.ico": lambda: modem_picture(GREEN, RED),
    "idle.ico": lambda: modem_picture(DARK_GREEN, MAROON),
}


def encode_ico(cv):
    """One 32x32 4-bpp image: colour bitmap (transparent pixels black) and AND mask."""
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        row = cv.px[y]
        colour = bytearray()
        for x in range(0, SIZE, 2):
            hi, lo = row[x] or 0, row[x + 1] or 0
            colour.append(hi << 4 | lo)
        xor_rows.append(bytes(colour))
        mask = 0
        for x in range(SIZE):
            mask = mask << 1 | (1 if row[x] is None else 0)
        and_rows.append(mask.to_bytes(4, "big"))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    pixels = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    image = header + palette + pixels
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: icongen.py OUTDIR\n")
        return 2
    out = Path(argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for name, draw in ICONS.items():
        (out / name).write_bytes(encode_ico(draw()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
