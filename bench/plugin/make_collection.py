#!/usr/bin/env python3
"""Writes the plug-in benchmark's collection: FILES PDF files of PAGES pages
(default 10,000 x 10) into OUT/pdf/NN/ (100 files a folder), small pages of
a dozen filler words plus the planted words each query class looks for:

  zriedka   on 1 % of the pages        (rare word)
  ťažkosť   on 2 % of the pages        (accented word)
  desatina  on 10 % of the pages       (10 % word)
  polovica  on half the pages          (word on half the pages)
  všade     on every page              (word in every file)

Deterministic (fixed seed). OUT/counts.tsv gives, per word, the pages and
files that hold it, for checking what a search found.
"""

import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "standins", "samples"))
import pdfwriter  # noqa: E402

PLANTED = [("zriedka", 0.01), ("ťažkosť", 0.02), ("desatina", 0.10), ("polovica", 0.5), ("všade", 1.0)]
FILLER = ["kniha", "strom", "voda", "most", "hora", "pole", "dom", "cesta", "les", "rieka", "mesto", "obec",
          "zem", "okno", "stena", "vietor", "slnko", "mraky", "kameň", "tráva", "jazero", "breh", "lúka", "vrch"]
WORDS_PER_PAGE = 12


def main():
    out = sys.argv[1]
    files = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    pages_per_file = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    rng = random.Random(20261208)
    pages_with = {word: 0 for word, _ in PLANTED}
    files_with = {word: 0 for word, _ in PLANTED}
    for f in range(files):
        folder = os.path.join(out, "pdf", "%02d" % (f // 100))
        os.makedirs(folder, exist_ok=True)
        pages = []
        seen = set()
        for _ in range(pages_per_file):
            words = rng.choices(FILLER, k=WORDS_PER_PAGE)
            for word, share in PLANTED:
                if rng.random() < share:
                    words.insert(rng.randrange(len(words) + 1), word)
                    pages_with[word] += 1
                    seen.add(word)
            pages.append([" ".join(words)])
        for word in seen:
            files_with[word] += 1
        pdfwriter.write_pdf(os.path.join(folder, "doc%05d.pdf" % f), pages, "Dokument %d" % f)
    with open(os.path.join(out, "counts.tsv"), "w", encoding="utf-8") as t:
        for word, _ in PLANTED:
            t.write("%s\t%d\t%d\n" % (word, pages_with[word], files_with[word]))


if __name__ == "__main__":
    main()
