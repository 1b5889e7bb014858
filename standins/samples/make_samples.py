#!/usr/bin/env python3
"""Writes the sample PDF collection into OUT:

  OUT/pdf/sk/*.pdf     Slovak documents
  OUT/pdf/en/*.pdf     English documents
  OUT/pdf/both/*.pdf   a leaflet that both indexes cover
  OUT/pdf/sk/sken/     scanned Slovak pages (picture only) and a document of
                       a text page and a scanned page (needs Pillow and
                       pdftoppm)
  OUT/words.tsv        per PDF page with a text layer: path (relative to
                       OUT), page (from 1), the words on the page in reading
                       order, UTF-8
  OUT/scanned.tsv      the same for the scanned pages: the words OCR should read
  OUT/bad/             input the indexer must cope with: a PDF without a
                       text layer, a file poppler cannot open, a PDF whose
                       scanned page is damaged, and a folder without PDF files

Long words that do not fit at a line end are split with a hyphen, as a
typesetter would; words.tsv lists them whole.
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import pdfwriter  # noqa: E402
import scanner  # noqa: E402
import texts_en  # noqa: E402
import texts_scanned  # noqa: E402
import texts_sk  # noqa: E402

LINE_CHARS = 78
# Letters of code page 1250 and digits: what the engine counts as word characters.
WORD = re.compile(r"[0-9A-Za-z\u00C0-\u00D6\u00D8-\u00F6\u00F8-\u017F]+")


def layout(paragraph):
    """Lines of at most LINE_CHARS characters; a long word may break with a hyphen."""
    lines, line = [], ""
    words = paragraph.split()
    i = 0
    while i < len(words):
        word = words[i]
        candidate = word if not line else line + " " + word
        if len(candidate) <= LINE_CHARS:
            line = candidate
            i += 1
            continue
        room = LINE_CHARS - len(line) - (1 if line else 0) - 1  # space and hyphen
        if word.isalpha() and len(word) >= 8 and room >= 3 and len(word) - room >= 2:
            lines.append((line + " " if line else "") + word[:room] + "-")
            words[i] = word[room:]
        else:
            lines.append(line)
        line = ""
    if line:
        lines.append(line)
    return lines


def write_document(out, folder, name, title, pages, truth):
    os.makedirs(os.path.join(out, folder), exist_ok=True)
    relative = "%s/%s.pdf" % (folder, name)
    pdfwriter.write_pdf(os.path.join(out, relative), [layout(p) for p in pages], title)
    for number, page in enumerate(pages, start=1):
        truth.append(page_truth(relative, number, page))


def page_truth(relative, number, text):
    return "%s\t%d\t%s" % (relative, number, " ".join(WORD.findall(text)))


def write_scanned(out, truth, scanned_truth):
    """A contract that exists only as a slightly skewed, grainy 200 dpi scan,
    and a report of one text page and one scanned page."""
    folder = os.path.join(out, "pdf/sk/sken")
    os.makedirs(folder, exist_ok=True)
    name, title, pages = texts_scanned.CONTRACT
    original = os.path.join(folder, name + ".orig.pdf")
    pdfwriter.write_pdf(original, [layout(p) for p in pages], title)
    pdfwriter.write_pages(os.path.join(folder, name + ".pdf"),
                          scanner.scan(original, dpi=200, angle=0.6, noise=12, seed=7), title)
    os.remove(original)
    for number, page in enumerate(pages, start=1):
        scanned_truth.append(page_truth("pdf/sk/sken/%s.pdf" % name, number, page))

    name, title, pages = texts_scanned.MIXED
    original = os.path.join(folder, name + ".orig.pdf")
    pdfwriter.write_pdf(original, [layout(pages[1])], title)
    scan = scanner.scan(original, dpi=200, angle=-0.4, noise=0, seed=3)
    os.remove(original)
    relative = "pdf/sk/sken/%s.pdf" % name
    pdfwriter.write_pages(os.path.join(out, relative), [("text", layout(pages[0]))] + scan, title)
    truth.append(page_truth(relative, 1, pages[0]))
    scanned_truth.append(page_truth(relative, 2, pages[1]))


def write_bad_input(out):
    bad = os.path.join(out, "bad")
    os.makedirs(os.path.join(bad, "nopdf"), exist_ok=True)
    pdfwriter.write_pdf(os.path.join(bad, "bez_textu.pdf"), [["-"], ["-"]], "Scan", text=False)
    with open(os.path.join(bad, "poskodeny.pdf"), "wb") as f:
        f.write(b"%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R\nthis file ends here")
    pdfwriter.write_pdf(os.path.join(bad, "dobry.pdf"), [["Jeden dobrý súbor medzi zlými."]], "Dobrý")
    # A text page, then a scanned page whose picture data is not a picture.
    pdfwriter.write_pages(os.path.join(bad, "zly_sken.pdf"),
                          [("text", ["Prvá strana je v poriadku."]), ("jpeg", (800, 1100, b"this is not a picture"))],
                          "Zlý sken")
    with open(os.path.join(bad, "nopdf", "readme.txt"), "w") as f:
        f.write("No PDF files here.\n")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_samples.py OUT")
    out = sys.argv[1]
    truth, scanned_truth = [], []
    for name, title, pages in texts_sk.DOCUMENTS:
        write_document(out, "pdf/sk", name, title, pages, truth)
    for name, title, pages in texts_en.DOCUMENTS:
        write_document(out, "pdf/en", name, title, pages, truth)
    name, title, pages = texts_en.BILINGUAL
    write_document(out, "pdf/both", name, title, pages, truth)
    write_scanned(out, truth, scanned_truth)
    write_bad_input(out)
    with open(os.path.join(out, "words.tsv"), "w", encoding="utf-8") as f:
        f.write("\n".join(truth) + "\n")
    with open(os.path.join(out, "scanned.tsv"), "w", encoding="utf-8") as f:
        f.write("\n".join(scanned_truth) + "\n")


if __name__ == "__main__":
    main()
