#!/usr/bin/env python3
"""A scanned corpus with known text, for measuring OCR in tarvek-index.

  make_scans.py OUT PAGES [DPI]

Slovak sentences of the sample texts (full of diacritics) are shuffled into
PAGES pages, two to a file, and written three ways:

  OUT/text/    PDF files with a text layer (the reference)
  OUT/clean/   the same pages as clean scans at DPI (default 300)
  OUT/noisy/   as grainy scans lying 1.2 degrees askew, with dust
  OUT/truth.tsv  file name, page (from 1), the page's words
"""

import os
import random
import re
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "standins", "samples"))

import make_samples  # noqa: E402
import pdfwriter  # noqa: E402
import scanner  # noqa: E402
import texts_sk  # noqa: E402

WORDS_PER_PAGE = 110


def sentences():
    found = []
    for _, _, pages in texts_sk.DOCUMENTS:
        for page in pages:
            found += [s.strip() + "." for s in page.split(".") if s.strip()]
    return found


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit("usage: make_scans.py OUT PAGES [DPI]")
    out, pages, dpi = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]) if len(sys.argv) == 4 else 300
    rng = random.Random(2026)
    pool = sentences()
    texts = []
    for _ in range(pages):
        page, words = [], 0
        while words < WORDS_PER_PAGE:
            sentence = rng.choice(pool)
            page.append(sentence)
            words += len(sentence.split())
        texts.append(" ".join(page))
    for folder in ("text", "clean", "noisy"):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
    truth = []
    for number in range(0, pages, 2):
        name = "sken%04d.pdf" % (number // 2)
        chunk = texts[number:number + 2]
        text_pdf = os.path.join(out, "text", name)
        pdfwriter.write_pdf(text_pdf, [make_samples.layout(p) for p in chunk], "Sken %d" % (number // 2))
        pdfwriter.write_pages(os.path.join(out, "clean", name), scanner.scan(text_pdf, dpi=dpi), "Sken")
        pdfwriter.write_pages(os.path.join(out, "noisy", name),
                              scanner.scan(text_pdf, dpi=dpi, angle=1.2, noise=30, seed=number), "Sken")
        for page, text in enumerate(chunk, start=1):
            truth.append("%s\t%d\t%s" % (name, page, " ".join(make_samples.WORD.findall(text))))
    with open(os.path.join(out, "truth.tsv"), "w", encoding="utf-8") as f:
        f.write("\n".join(truth) + "\n")


if __name__ == "__main__":
    main()
