#!/usr/bin/env python3
"""Writes the search dialog's pictures as 24-bit bitmaps: the banner across
its top and the two states of the "HISTORY" button (released; pressed or
focused). Run from resources/; the .bmp files are committed, so the build
does not need Python."""
import struct

# 5x7 letters of the banner's title, one string per row, '#' = ink.
GLYPHS = {
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'a': [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    'r': [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    'v': [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'e': [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    'k': ["#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."],
    'P': ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    'D': ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    'F': ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    'S': [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    'c': [".....", ".....", ".###.", "#....", "#....", "#...#", ".###."],
    'h': ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    ' ': ["....."] * 7,
}


def write_bmp(name, pixels):
    """pixels: rows top to bottom of (r, g, b)."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(name, 'wb') as f:
        f.write(header + info + data)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def banner():
    width, height = 336, 46
    navy, blue = (16, 40, 96), (58, 110, 190)
    px = [[mix(navy, blue, x / (width - 1)) for x in range(width)] for _ in range(height)]
    # A thin gold rule along the bottom.
    for x in range(width):
        px[height - 3][x] = (230, 180, 40)
    # A page with text lines, a magnifying glass over it.
    for y in range(6, 38):
        for x in range(14, 40):
            px[y][x] = (250, 250, 245) if (x, y) != (39, 6) else px[y][x]
    for y in range(11, 36, 4):
        for x in range(18, 36 if y % 8 else 31):
            px[y][x] = (150, 160, 180)
    cx, cy = 38, 26
    for y in range(height):
        for x in range(width):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if 64 <= d2 <= 110:
                px[y][x] = (20, 20, 30)
            elif d2 < 64:
                px[y][x] = mix(px[y][x], (190, 220, 255), 0.55)
    for i in range(9):
        for w in range(3):
            x, y = cx + 7 + i + w, cy + 7 + i
            if x < width and y < height - 3:
                px[y][x] = (230, 180, 40)
    # The title in doubled 5x7 letters, with a shadow.
    text, scale, left, top = "TarvekPDF Search", 2, 66, 10
    for ink, dx in (((10, 20, 50), 1), ((255, 255, 255), 0)):
        x0 = left + dx
        for ch in text:
            for gy, row in enumerate(GLYPHS[ch]):
                for gx, c in enumerate(row):
                    if c == '#':
                        for sy in range(scale):
                            for sx in range(scale):
                                px[top + dx + gy * scale + sy][x0 + gx * scale + sx] = ink
            x0 += 6 * scale
    return px


def history(pressed):
    """A list of past queries with a drop-down arrow; the pressed state is
    sunk by one pixel on a darker face."""
    width, height = 20, 17
    face = (200, 200, 200) if pressed else (228, 228, 228)
    px = [[face] * width for _ in range(height)]
    off = 1 if pressed else 0
    paper, ink, arrow = (255, 255, 255), (30, 60, 140), (20, 20, 20)
    for y in range(2, 13):
        for x in range(2, 12):
            edge = y in (2, 12) or x in (2, 11)
            px[y + off][x + off] = (90, 90, 90) if edge else paper
    for y in (5, 7, 9):
        for x in range(4, 10):
            px[y + off][x + off] = ink
    for i in range(4):
        for x in range(13 + i, 20 - i):
            px[7 + i + off][x - 1 + off if x - 1 + off < width else width - 1] = arrow
    return px


write_bmp('SearchBanner.bmp', banner())
write_bmp('HistoryReleased.bmp', history(False))
write_bmp('HistoryPressed.bmp', history(True))
