#!/usr/bin/env python3
"""Writes the plug-in's four tool-button pictures: 16x16, 16 colours (4 bits
per pixel, the standard 16-colour palette). Run from resources/; the .bmp
files are committed, so the build does not need Python."""
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# One character per pixel: '.' is the button face (light grey), the others
# index the palette: k black, b navy, B blue, y yellow, w white, g dark grey.
COLOURS = {'.': 7, 'k': 0, 'b': 4, 'B': 12, 'y': 11, 'w': 15, 'g': 8}

PICTURES = {
    'ToolSearch.bmp': [  # a magnifying glass
        "................", "....kkkkk.......", "...kwwwwwk......", "..kwwBwwwwk.....",
        "..kwBwwwwwk.....", "..kwwwwwwwk.....", "..kwwwwwwwk.....", "..kwwwwwwwk.....",
        "...kwwwwwk......", "....kkkkkyk.....", "..........kyk...", "...........kyk..",
        "............kyk.", ".............kk.", "................", "................"],
    'ToolResults.bmp': [  # a list of found lines
        "................", ".kkkkkkkkkkkkk..", ".kwwwwwwwwwwwk..", ".kwBBwbbbbbbwk..",
        ".kwwwwwwwwwwwk..", ".kwBBwbbbbbwwk..", ".kwwwwwwwwwwwk..", ".kwBBwbbbbbbwk..",
        ".kwwwwwwwwwwwk..", ".kwBBwbbbbwwwk..", ".kwwwwwwwwwwwk..", ".kwBBwbbbbbbwk..",
        ".kwwwwwwwwwwwk..", ".kkkkkkkkkkkkk..", "................", "................"],
    'ToolPreviousHit.bmp': [  # an arrow up to the previous page
        "................", ".......k........", "......kBk.......", ".....kBBBk......",
        "....kBBBBBk.....", "...kBBBBBBBk....", "..kkkkBBBkkkk...", ".....kBBBk......",
        ".....kBBBk......", ".....kBBBk......", ".....kBBBk......", ".....kkkkk......",
        "................", "..ggggggggggg...", "................", "................"],
    'ToolNextHit.bmp': [  # an arrow down to the next page
        "................", "..ggggggggggg...", "................", ".....kkkkk......",
        ".....kBBBk......", ".....kBBBk......", ".....kBBBk......", ".....kBBBk......",
        "..kkkkBBBkkkk...", "...kBBBBBBBk....", "....kBBBBBk.....", ".....kBBBk......",
        "......kBk.......", ".......k........", "................", "................"],
}


def bitmap(rows):
    assert len(rows) == 16 and all(len(r) == 16 for r in rows)
    pixels = b''
    for row in reversed(rows):  # bottom-up
        values = [COLOURS[c] for c in row]
        pixels += bytes((values[i] << 4) | values[i + 1] for i in range(0, 16, 2))
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, 16, 16, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


if __name__ == '__main__':
    for name, rows in PICTURES.items():
        with open(name, 'wb') as f:
            f.write(bitmap(rows))
