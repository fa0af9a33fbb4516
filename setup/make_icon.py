#!/usr/bin/env python3
"""Draws the installer's icon (a handheld with four tiles on its screen and a
green arrow going into it) and writes setup.ico with a 32x32 and a 16x16
image in the 16-colour VGA palette, each with its transparency mask."""

import struct
import sys

PALETTE = [  # the standard 16 colours, index -> RGB
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, GREY, DARK, RED, LIME, YELLOW, BLUE, WHITE, TEAL = 0, 2, 7, 8, 9, 10, 11, 12, 15, 6
CLEAR = None


def blank(size):
    return [[CLEAR] * size for _ in range(size)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def frame(img, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y1][x] = colour
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = colour


def large():
    img = blank(32)
    rect(img, 4, 2, 21, 29, GREY)          # body
    frame(img, 4, 2, 21, 29, BLACK)
    rect(img, 7, 5, 18, 20, BLACK)         # screen bezel
    tiles = [(8, 6, RED), (13, 6, YELLOW), (8, 13, BLUE), (13, 13, GREEN)]
    for x, y, colour in tiles:
        rect(img, x, y, x + 4, y + 6, colour)
    for x in (9, 13, 17):                  # buttons
        rect(img, x - 1, 24, x, 26, DARK)
    # Arrow into the device from the right.
    rect(img, 24, 6, 27, 16, LIME)
    for i in range(6):
        rect(img, 20 + i, 17 + i, 31 - i, 17 + i, LIME)
    frame(img, 24, 6, 27, 16, GREEN)
    return img


def small():
    img = blank(16)
    rect(img, 2, 1, 11, 14, GREY)
    frame(img, 2, 1, 11, 14, BLACK)
    rect(img, 4, 3, 9, 9, BLACK)
    rect(img, 4, 3, 6, 5, RED)
    rect(img, 7, 3, 9, 5, YELLOW)
    rect(img, 4, 7, 6, 9, BLUE)
    rect(img, 7, 7, 9, 9, GREEN)
    rect(img, 5, 12, 8, 12, DARK)
    rect(img, 12, 2, 14, 7, LIME)
    for i in range(3):
        rect(img, 11 + i, 8 + i, 15 - i, 8 + i, LIME)
    return img


def encode(img):
    size = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 0, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(img):              # bottom-up
        pixels = [0 if c is CLEAR else c for c in row]
        data = bytes((pixels[i] << 4) | pixels[i + 1] for i in range(0, size, 2))
        xor_rows.append(data + b'\0' * (-len(data) % 4))
        bits = 0
        mask = bytearray()
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is CLEAR else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        and_rows.append(bytes(mask) + b'\0' * (-len(mask) % 4))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def main(path):
    images = [(32, encode(large())), (16, encode(small()))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'setup.ico')
