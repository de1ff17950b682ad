#!/usr/bin/env python3
"""Draws the images of the applet's Sound and About pages and writes them into applet/:
TestBeep.ico (icon 1010, 32 x 32, 16 colours: a loudspeaker with sound waves),
Link.cur (cursor 1030, 32 x 32 monochrome: a pointing hand, hot spot on the fingertip) and
Logo.bmp (bitmap 1036, 174 x 79, 24 bits: the maker's mark on white, which the picture control
leaves transparent). Run once; the outputs are committed."""

import math
import struct
from pathlib import Path

from iconfile import CLEAR, SIZE, image_4bit, write_ico

# The 16 colours of the standard palette, in palette order.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, SILVER, GREY, BLUE, WHITE = (0, 0, 0), (0, 0, 128), (192, 192, 192), \
    (128, 128, 128), (0, 0, 255), (255, 255, 255)


def inside(polygon, x, y):
    """Whether the pixel centre (x + .5, y + .5) lies inside the polygon (even-odd rule)."""
    px, py = x + 0.5, y + 0.5
    result = False
    for (x0, y0), (x1, y1) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y0 > py) != (y1 > py) and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
            result = not result
    return result


def fill_polygon(img, polygon, colour):
    for y in range(len(img)):
        for x in range(len(img[0])):
            if inside(polygon, x, y):
                img[y][x] = colour


def outline_polygon(img, polygon, colour):
    """Sets the pixels of the filled polygon that touch a pixel outside it."""
    h, w = len(img), len(img[0])
    for y in range(h):
        for x in range(w):
            if inside(polygon, x, y) and any(not inside(polygon, x + dx, y + dy)
                                             for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                img[y][x] = colour


def speaker_icon():
    img = [[CLEAR] * SIZE for _ in range(SIZE)]
    body = [(3, 12), (10, 12), (10, 20), (3, 20)]
    cone = [(10, 12), (17, 5), (17, 27), (10, 20)]
    for shape, face in ((body, GREY), (cone, SILVER)):
        fill_polygon(img, shape, face)
        outline_polygon(img, shape, BLACK)
    for radius, colour in ((6, BLUE), (10, BLUE), (14, NAVY)):
        for y in range(SIZE):
            for x in range(SIZE):
                dx, dy = x + 0.5 - 15.5, y + 0.5 - 16
                if dx > 0 and abs(dy) <= dx * 1.1 and abs(math.hypot(dx, dy) - radius) <= 0.8:
                    img[y][x] = colour
    return img


# The pointing hand, one row per line: '#' outline (black), '.' inside (white), blank clear.
HAND = """
      ##
     #..#
     #..#
     #..#
     #..#
     #..###
     #..#..###
     #..#..#..##
 ### #..#..#..#.#
 #..##........#.#
 #...#..........#
  #..#..........#
  #.............#
   #............#
   #............#
    #..........#
    #..........#
     #........#
     #........#
     ##########
"""
HOT_SPOT = (6, 1)


def hand_rows():
    lines = HAND.strip("\n").split("\n")
    return [line.ljust(SIZE)[:SIZE] for line in lines] + [" " * SIZE] * (SIZE - len(lines))


def write_cursor(path):
    rows = hand_rows()
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    xor, mask = [], []
    for line in reversed(rows):
        xor_bits = mask_bits = 0
        for ch in line:
            xor_bits = (xor_bits << 1) | (1 if ch == "." else 0)
            mask_bits = (mask_bits << 1) | (1 if ch == " " else 0)
        xor.append(xor_bits.to_bytes(4, "big"))
        mask.append(mask_bits.to_bytes(4, "big"))
    data = header + palette + b"".join(xor) + b"".join(mask)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, *HOT_SPOT, len(data), 6 + 16)
    path.write_bytes(struct.pack("<HHH", 0, 2, 1) + entry + data)


LOGO_SIZE = (174, 79)
# 5 x 7 capitals for the mark's name.
LETTERS = {
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
}
INK = (24, 60, 140)
ACCENT = (230, 120, 20)
SCREEN = (60, 150, 220)
# Not white in one component only: the picture must paint it, not see through it.
NEAR_WHITE = (255, 255, 254)


def logo():
    w, h = LOGO_SIZE
    img = [[WHITE] * w for _ in range(h)]
    # The mark: a touch screen in a frame with a target on it and a near-white glare.
    frame = [(6, 8), (70, 8), (70, 58), (6, 58)]
    fill_polygon(img, frame, INK)
    fill_polygon(img, [(10, 12), (66, 12), (66, 54), (10, 54)], SCREEN)
    fill_polygon(img, [(12, 14), (30, 14), (20, 26), (12, 26)], NEAR_WHITE)
    for y in range(h):
        for x in range(w):
            r = math.hypot(x + 0.5 - 38, y + 0.5 - 33)
            if abs(r - 12) <= 1.0 or abs(r - 5) <= 1.0 or (r <= 16 and (x == 38 or y == 33)):
                img[y][x] = WHITE
    fill_polygon(img, [(30, 60), (46, 60), (50, 70), (26, 70)], INK)
    # The name in block capitals, scale 2, with an accent bar beneath.
    x0, y0, scale = 78, 24, 2
    for i, letter in enumerate("BREVANTO"):
        for row, bits in enumerate(LETTERS[letter]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    for dy in range(scale):
                        for dx in range(scale):
                            img[y0 + row * scale + dy][x0 + i * 12 + col * scale + dx] = INK
    fill_polygon(img, [(78, 44), (170, 44), (170, 48), (78, 48)], ACCENT)
    return img


def write_bitmap(path, img):
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) // 4 * 4
    rows = b"".join(b"".join(struct.pack("<BBB", b, g, r) for r, g, b in img[y]).ljust(stride, b"\0")
                    for y in reversed(range(h)))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    path.write_bytes(header + info + rows)


if __name__ == "__main__":
    applet = Path(__file__).resolve().parents[2] / "applet"
    write_ico(applet / "TestBeep.ico", [image_4bit(speaker_icon(), PALETTE)])
    write_cursor(applet / "Link.cur")
    write_bitmap(applet / "Logo.bmp", logo())
