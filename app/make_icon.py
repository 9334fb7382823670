#!/usr/bin/env python3
"""Draws Lintally's application icon (a page of code lines with a tally) as a 64x64 PNG.

Usage: app/make_icon.py [output.png]   (default: app/lintally.png beside this script)
Only the standard library is used, so the icon can be redrawn on any machine.
"""
import os
import struct
import sys
import zlib

SIZE = 64
TRANSPARENT = (0, 0, 0, 0)
PAGE = (250, 250, 246, 255)
EDGE = (70, 90, 120, 255)
FOLD = (200, 210, 225, 255)
CODE = [(46, 125, 196, 255), (90, 160, 90, 255), (46, 125, 196, 255), (200, 120, 40, 255),
        (46, 125, 196, 255), (90, 160, 90, 255)]
TALLY = (200, 40, 40, 255)


def blank():
    return [[TRANSPARENT] * SIZE for _ in range(SIZE)]


def fill(img, x0, y0, x1, y1, color):
    for y in range(max(0, y0), min(SIZE, y1)):
        for x in range(max(0, x0), min(SIZE, x1)):
            img[y][x] = color


def draw_page(img):
    left, top, right, bottom, fold = 10, 4, 50, 60, 12
    fill(img, left, top, right, bottom, EDGE)
    fill(img, left + 2, top + 2, right - 2, bottom - 2, PAGE)
    # Dog-eared top right corner.
    for d in range(fold):
        for x in range(right - fold + d, right):
            img[top + d][x] = TRANSPARENT
        img[top + d][right - fold + d] = EDGE
        fill(img, right - fold, top + d, right - fold + d, top + d + 1, FOLD)
    fill(img, right - fold, top + fold - 1, right, top + fold + 1, EDGE)


def draw_code(img):
    lengths = [22, 16, 26, 12, 20, 24]
    indents = [0, 4, 4, 8, 4, 0]
    for i, (length, indent) in enumerate(zip(lengths, indents)):
        y = 20 + i * 6
        fill(img, 15 + indent, y, 15 + indent + length, y + 3, CODE[i])


def draw_tally(img):
    for i in range(4):
        x = 38 + i * 5
        fill(img, x, 40, x + 2, 62, TALLY)
    for t in range(22):
        x, y = 35 + t, 58 - t
        fill(img, x, y, x + 3, y + 2, TALLY)


def png_bytes(img):
    raw = b"".join(b"\x00" + b"".join(struct.pack("4B", *px) for px in row) for row in img)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "lintally.png")
    img = blank()
    draw_page(img)
    draw_code(img)
    draw_tally(img)
    with open(out, "wb") as f:
        f.write(png_bytes(img))


if __name__ == "__main__":
    main()
