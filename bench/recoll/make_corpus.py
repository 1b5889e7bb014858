#!/usr/bin/env python3
"""Writes the benchmark corpus: FILES PDF files of PAGES pages of synthetic
text (default 2000 x 10) into OUT/pdf/, deterministically (fixed seed), and
the ground truth OUT/truth.tsv: for each benchmark query, every page that
holds it (query name, PDF path relative to OUT/pdf, page from 1).

Background words come from a Zipf-like vocabulary of made-up words; a few
planted words are put on chosen pages, among them pairs that stand close on
some pages and far apart on others, so phrase and NEAR queries have pages
they must not match.
"""

import os
import random
import sys
import unicodedata

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "standins", "samples"))
import pdfwriter  # noqa: E402

WORDS_PER_PAGE = 220
LINE_WORDS = 11
PLANTED = {"zriedka", "casto", "alfa", "beta", "gama", "delta", "modra", "hora", "kamen", "most",
           "tazkost", "ťažkosť"}

# name -> (description, how tarvek-query asks, how recollq asks)
QUERIES = {
    "rare": ("rare word", ["--flags", "0x0120", "zriedka"], "zriedka"),
    "frequent": ("frequent word", ["--flags", "0x0120", "casto"], "casto"),
    "and": ("AND", ["--flags", "0x0120", "alfa beta"], "alfa beta"),
    "or": ("OR", ["--flags", "0x0110", "gama delta"], "gama OR delta"),
    "phrase": ("phrase", ["--flags", "0x0140", "modra hora"], '"modra hora"'),
    "near": ("NEAR 3", ["--flags", "0x0153", "kamen most"], '"kamen most"po2'),
    "dia": ("accented word, Fuzzy Dia", ["--flags", "0x2120", "tazkost"], "tazkost"),
}


def fold(word):
    return "".join(c for c in unicodedata.normalize("NFD", word) if not unicodedata.combining(c))


def vocabulary(rng, size=6000):
    # No background word may meet a planted one, not even without diacritics.
    planted = {fold(w) for w in PLANTED}
    onsets = ["b", "c", "d", "f", "g", "h", "j", "k", "l", "m", "n", "p", "r", "s", "t", "v", "z",
              "č", "š", "ž", "ch", "st", "pr", "kr", "tr", "sl", "dr"]
    vowels = ["a", "e", "i", "o", "u", "y", "á", "é", "í", "ó", "ú", "ä", "ô"]
    words = set()
    while len(words) < size:
        word = "".join(rng.choice(onsets) + rng.choice(vowels) for _ in range(rng.randint(1, 3)))
        if word.endswith(("a", "o", "e")) and rng.random() < 0.3:
            word += rng.choice(["m", "n", "k", "v"])
        if fold(word) not in planted and len(word) >= 2:
            words.add(word)
    words = sorted(words)
    rng.shuffle(words)
    weights = [1.0 / (rank + 1) for rank in range(len(words))]
    return words, weights


def place(page, word, rng, at=None):
    at = rng.randrange(len(page)) if at is None else at
    page[at] = word
    return at


def plant(page, rng):
    r = rng.random()
    if r < 0.0004:
        place(page, "zriedka", rng)
    if rng.random() < 0.4:
        place(page, "casto", rng)
    r = rng.random()
    if r < 0.01:
        place(page, "alfa", rng)
        place(page, "beta", rng)
    elif r < 0.03:
        place(page, "alfa", rng)
    elif r < 0.05:
        place(page, "beta", rng)
    r = rng.random()
    if r < 0.005:
        place(page, "gama", rng)
    elif r < 0.01:
        place(page, "delta", rng)
    r = rng.random()
    if r < 0.005:  # the phrase
        at = rng.randrange(len(page) - 1)
        page[at], page[at + 1] = "modra", "hora"
    elif r < 0.01:  # both words, never side by side in that order
        page[10], page[100] = "hora", "modra"
    r = rng.random()
    if r < 0.005:  # within three words
        at = rng.randrange(len(page) - 4)
        page[at], page[at + rng.randint(1, 3)] = "kamen", "most"
    elif r < 0.01:  # far apart
        page[20], page[150] = "most", "kamen"
    r = rng.random()
    if r < 0.003:
        place(page, "ťažkosť", rng)
    elif r < 0.005:
        place(page, "tazkost", rng)


def matches(name, words):
    present = set(words)
    if name == "rare":
        return "zriedka" in present
    if name == "frequent":
        return "casto" in present
    if name == "and":
        return "alfa" in present and "beta" in present
    if name == "or":
        return "gama" in present or "delta" in present
    if name == "phrase":
        return any(a == "modra" and b == "hora" for a, b in zip(words, words[1:]))
    if name == "near":
        kamen = [i for i, w in enumerate(words) if w == "kamen"]
        most = [i for i, w in enumerate(words) if w == "most"]
        return any(abs(k - m) <= 3 for k in kamen for m in most)
    if name == "dia":
        return "tazkost" in present or "ťažkosť" in present
    raise ValueError(name)


def main():
    out = sys.argv[1]
    files = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
    pages_per_file = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    rng = random.Random(20261207)
    words, weights = vocabulary(rng)
    truth = []
    for f in range(files):
        relative = "%02d/doc%04d.pdf" % (f // 100, f)
        os.makedirs(os.path.join(out, "pdf", "%02d" % (f // 100)), exist_ok=True)
        pages = []
        for p in range(pages_per_file):
            page = rng.choices(words, weights, k=WORDS_PER_PAGE)
            plant(page, rng)
            for name in QUERIES:
                if matches(name, page):
                    truth.append("%s\t%s\t%d" % (name, relative, p + 1))
            pages.append([" ".join(page[i:i + LINE_WORDS]) for i in range(0, len(page), LINE_WORDS)])
        pdfwriter.write_pdf(os.path.join(out, "pdf", relative), pages, "Dokument %d" % f)
    with open(os.path.join(out, "truth.tsv"), "w", encoding="utf-8") as t:
        t.write("\n".join(truth) + "\n")


if __name__ == "__main__":
    main()
