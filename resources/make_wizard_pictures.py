#!/usr/bin/env python3
"""Writes the installer's pictures: the wizard pages' picture (bitmap 1,
144x184, 16 colours) and the program icon (icon 1, 32x32, 16 colours), both
in the standard 16-colour palette. Run from resources/; the files are
committed, so the build does not need Python."""
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, TEAL, SILVER, GREY, RED, YELLOW, BLUE, CYAN, WHITE = 0, 4, 6, 7, 8, 9, 11, 12, 14, 15


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def box(pixels, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(len(pixels), y1)):
        for x in range(max(0, x0), min(len(pixels[0]), x1)):
            pixels[y][x] = colour


def disc(pixels, cx, cy, r, colour):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if 0 <= y < len(pixels) and 0 <= x < len(pixels[0]) and (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                pixels[y][x] = colour


def document_with_lens(pixels, x, y, scale):
    """A page with text lines and a magnifying glass over it."""
    s = scale
    box(pixels, x + 2 * s, y + 2 * s, x + 22 * s + 2 * s, y + 28 * s + 2 * s, GREY)  # shadow
    box(pixels, x, y, x + 22 * s, y + 28 * s, BLACK)
    box(pixels, x + s // 2 or 1, y + (s // 2 or 1), x + 22 * s - (s // 2 or 1), y + 28 * s - (s // 2 or 1), WHITE)
    for i in range(6):
        ly = y + (4 + 4 * i) * s
        box(pixels, x + 3 * s, ly, x + (19 - 3 * (i % 2)) * s, ly + max(1, s), NAVY)
    box(pixels, x + 3 * s, y + 8 * s, x + 10 * s, y + 8 * s + max(1, s), RED)  # a hit
    cx, cy, r = x + 17 * s, y + 19 * s, 6 * s
    disc(pixels, cx, cy, r, BLACK)
    disc(pixels, cx, cy, r - max(1, s), CYAN)
    for k in range(5 * s):
        box(pixels, cx + r - s + k, cy + r - s + k, cx + r + s + k, cy + r + s + k, YELLOW if k > s else BLACK)


def bmp4(pixels):
    height, width = len(pixels), len(pixels[0])
    stride = ((width + 1) // 2 + 3) & ~3
    rows = b''
    for row in reversed(pixels):
        data = bytes((row[x] << 4) | (row[x + 1] if x + 1 < width else 0) for x in range(0, width, 2))
        rows += data + b'\0' * (stride - len(data))
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(rows), 0, 0, 16, 16)
    return info, palette, rows


def write_bitmap(name, pixels):
    info, palette, rows = bmp4(pixels)
    offset = 14 + len(info) + len(palette)
    with open(name, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset) + info + palette + rows)


def write_icon(name, pixels):
    height, width = len(pixels), len(pixels[0])
    _, palette, rows = bmp4(pixels)
    mask = b'\0' * (((width + 31) // 32) * 4 * height)  # every pixel opaque
    info = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, 4, 0, len(rows) + len(mask), 0, 0, 16, 0)
    image = info + palette + rows + mask
    header = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', width, height, 16, 0, 1, 4, len(image), 22)
    with open(name, 'wb') as f:
        f.write(header + image)


picture = canvas(144, 184, TEAL)
for y in range(184):  # darker bands towards the bottom
    if y > 120 and y % 6 < 3:
        box(picture, 0, y, 144, y + 1, NAVY)
document_with_lens(picture, 28, 30, 3)
write_bitmap('WizardPicture.bmp', picture)

icon = canvas(32, 32, TEAL)
document_with_lens(icon, 3, 1, 1)
write_icon('Tarvinst.ico', icon)
