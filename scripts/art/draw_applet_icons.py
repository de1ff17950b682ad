#!/usr/bin/env python3
"""Draws the applet's two icons (32 x 32) and writes them as .ico files:
applet/Panelo.ico (8-bit and 24-bit images: a touch monitor with a calibration target) and
applet/DrawTest.ico (8-bit: a grid with a traced stroke). Run once; the icons are committed."""

import math
from pathlib import Path

from iconfile import CLEAR, SIZE, image_8bit, image_24bit, write_ico


def blank():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def circle(img, cx, cy, r, colour, width=1.0):
    for y in range(SIZE):
        for x in range(SIZE):
            if abs(math.hypot(x - cx, y - cy) - r) <= width / 2:
                img[y][x] = colour


def line(img, points, colour, width=1.5):
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 4) + 1
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            for dy in range(-2, 3):
                for dx in range(-2, 3):
                    px, py = round(x + dx / 2), round(y + dy / 2)
                    if 0 <= px < SIZE and 0 <= py < SIZE and math.hypot(px - x, py - y) <= width / 2:
                        img[py][px] = colour


def applet_icon():
    img = blank()
    frame, screen, stand = (64, 64, 72), (5, 174, 230), (112, 112, 120)
    rect(img, 2, 3, 29, 23, frame)
    rect(img, 4, 5, 27, 21, screen)
    rect(img, 13, 24, 18, 26, stand)
    rect(img, 8, 27, 23, 28, stand)
    yellow = (255, 255, 0)
    circle(img, 15.5, 13, 5, yellow, 1.2)
    circle(img, 15.5, 13, 2, yellow, 1.2)
    for i in range(8, 24):
        img[13][i] = yellow
    for j in range(6, 21):
        img[j][15] = yellow
    return img


def drawtest_icon():
    img = blank()
    paper, grid, ink = (10, 36, 106), (90, 150, 220), (255, 64, 64)
    rect(img, 2, 2, 29, 29, paper)
    for k in range(2, 30, 6):
        for t in range(2, 30):
            img[k][t] = grid
            img[t][k] = grid
    rect(img, 2, 29, 29, 29, grid)
    rect(img, 29, 2, 29, 29, grid)
    line(img, [(5, 24), (10, 12), (15, 20), (21, 7), (26, 15)], ink, 2.2)
    return img


if __name__ == "__main__":
    applet = Path(__file__).resolve().parents[2] / "applet"
    write_ico(applet / "Panelo.ico", [image_8bit(applet_icon()), image_24bit(applet_icon())])
    write_ico(applet / "DrawTest.ico", [image_8bit(drawtest_icon())])
