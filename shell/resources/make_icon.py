#!/usr/bin/env python3
"""Draws the game's icon, Quenlark.ico: a small board of tiles, 32x32 and
16x16 pixels, 16 colours each. Run it again after changing the picture."""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, RED, YELLOW, BLUE, GREEN = 0, 9, 11, 12, 2

# A 4 x 4 board; the yellow group in the top-left corner is selected.
BOARD = [
    [YELLOW, YELLOW, BLUE, RED],
    [GREEN, YELLOW, BLUE, BLUE],
    [RED, GREEN, GREEN, YELLOW],
    [RED, RED, BLUE, GREEN],
]
SELECTED = {(0, 0), (1, 0), (1, 1)}


def draw(size):
    """Pixels (palette indices), top row first."""
    cell = size // 4
    pixels = [[BLACK] * size for _ in range(size)]

    def outline(left, top, right, bottom):
        for x in range(left, right):
            pixels[top][x] = BLACK
            pixels[bottom - 1][x] = BLACK
        for y in range(top, bottom):
            pixels[y][left] = BLACK
            pixels[y][right - 1] = BLACK

    for row in range(4):
        for column in range(4):
            # Tiles share their one-pixel border with the next, as in the game.
            left, top = column * cell, row * cell
            right, bottom = min(left + cell + 1, size), min(top + cell + 1, size)
            for y in range(top, bottom):
                for x in range(left, right):
                    pixels[y][x] = BOARD[row][column]
            outline(left, top, right, bottom)
            if (column, row) in SELECTED and cell >= 8:
                outline(left + 2, top + 2, right - 2, bottom - 2)
    return pixels


def image(size):
    """BITMAPINFOHEADER, palette, 4-bit colour rows and 1-bit mask rows, bottom-up."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    pixels = draw(size)
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour = b""
    for row in reversed(pixels):
        packed = bytes((row[x] << 4) | row[x + 1] for x in range(0, size, 2))
        colour += packed.ljust(colour_stride, b"\0")
    mask = b"\0" * (mask_stride * size)  # every pixel opaque
    return header + palette + colour + mask


def main(path):
    images = [image(32), image(16)]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in zip((32, 16), images):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as out:
        out.write(directory + entries + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Quenlark.ico")
