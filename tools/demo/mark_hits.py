#!/usr/bin/env python3
"""A picture of a PDF page with the words at the given positions marked, so a
reader sees at a glance that the right words on the right page were found.

  mark_hits.py PDF PAGE OUT.png [POSITION...]

PAGE counts from 1. A position is the number of the word on the page as the
index counts words: runs of letters and digits in reading order, a word split
by a hyphen at a line end counted once. The page is drawn by pdftoppm and
its words are located by pdftotext -bbox (both poppler); a page without a
text layer is drawn without marks. Prints the words marked, one per line.
"""

import html
import re
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw

DPI = 110
WORD = re.compile(r"[0-9A-Za-z\u00C0-\u00D6\u00D8-\u00F6\u00F8-\u017F]+")
BOX = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>')


def page_words(pdf, page):
    """The page's words in index order, each (text, [boxes in points])."""
    out = subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), "-bbox", pdf, "-"],
                         capture_output=True, text=True, check=True).stdout
    words = []
    carry = None  # the first part of a word split at a line end
    tokens = [(tuple(float(v) for v in m.groups()[:4]), html.unescape(m.group(5))) for m in BOX.finditer(out)]
    for index, (box, token) in enumerate(tokens):
        runs = list(WORD.finditer(token))
        for number, run in enumerate(runs):
            # Boxes of parts of a token, in proportion to their characters.
            x0, y0, x1, y1 = box
            width = (x1 - x0) / max(len(token), 1)
            part = (x0 + width * run.start(), y0, x0 + width * run.end(), y1)
            if carry is not None and number == 0:
                words.append((carry[0] + run.group(), carry[1] + [part]))
                carry = None
                continue
            last = number == len(runs) - 1
            next_starts_line = index + 1 < len(tokens) and tokens[index + 1][0][1] > y1
            if last and token.endswith("-") and run.end() == len(token) - 1 and next_starts_line:
                carry = (run.group(), [part])
                continue
            words.append((run.group(), [part]))
    if carry is not None:
        words.append(carry)
    return words


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    pdf, page, target = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    positions = [int(p) for p in sys.argv[4:]]
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["pdftoppm", "-r", str(DPI), "-f", str(page), "-l", str(page), "-png", "-singlefile",
                        pdf, folder + "/page"], check=True)
        image = Image.open(folder + "/page.png").convert("RGB")
    words = page_words(pdf, page)
    overlay = Image.new("RGBA", image.size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(overlay)
    scale = DPI / 72.0
    for position in positions:
        if position >= len(words):
            print("position %d: no such word on the page" % position)
            continue
        text, boxes = words[position]
        for x0, y0, x1, y1 in boxes:
            rect = [x0 * scale - 2, y0 * scale - 2, x1 * scale + 2, y1 * scale + 2]
            draw.rectangle(rect, fill=(255, 230, 0, 110), outline=(220, 40, 0, 255), width=2)
        print("position %d: %s" % (position, text))
    Image.alpha_composite(image.convert("RGBA"), overlay).convert("RGB").save(target)


if __name__ == "__main__":
    main()
