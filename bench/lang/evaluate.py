#!/usr/bin/env python3
"""Measures the lemmatizer and the synonyms of tarvek-query, and Recoll's
stemmer, on the hand-written word lists of this folder (see README.md).

  evaluate.py WORK TARVEK_BIN_DIR DATA_FOLDER LANG...

For each language it writes one single-page PDF file per distinct word of the
list (the word among filler words), leaving out every fourth form of each
lemma so that those are typed but absent; indexes the files with tarvek-index
and recollindex; queries every form and prints the figures as Markdown, and
the misses into WORK/misses-LANG.txt.
"""

import os
import random
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "standins", "samples"))
import pdfwriter  # noqa: E402
import recoll  # noqa: E402
import tarvek  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
# Snowball stemmers Recoll (Xapian) has for the languages of the list.
LEMMAS, SYNONYMS, BOTH = "0x01a0", "0x1120", "0x11a0"
# The goals, in the order of the rows printed.
GOALS = {"sk": ["≥ 97 %", "≥ 98 %", "≥ 95 %", "0", "≥ 75 %", "-", "≥ 90 %", "≥ 90 %"],
         "other": ["≥ 90 %", "≥ 98 %", "-", "0", "-", "-", "≥ 90 %", "≥ 90 %"]}


def parse(path):
    """Returns {section: [entries]}: regular and irregular entries are word
    lists (lemma first), lookalike entries (lemma, words), synonym entries
    (forms, synonym forms)."""
    lists = {"regular": [], "irregular": [], "lookalike": [], "synonyms": []}
    section = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            if line.startswith("["):
                section = line.strip("[]")
            elif section == "lookalike":
                lemma, words = line.split(":", 1)
                lists[section].append((lemma.strip(), words.split()))
            elif section == "synonyms":
                left, right = line.split("|")
                lists[section].append((left.split(), right.split()))
            else:
                lists[section].append(line.split())
    return lists


def held_out(group):
    # Every fourth form (never the lemma) is typed but left out of the collection.
    return [w for i, w in enumerate(group) if i % 4 == 3]


def filler(rng):
    syllables = ["qa", "qe", "qi", "qo", "xu", "xa", "xe", "zq", "qy"]
    return "".join(rng.choice(syllables) for _ in range(rng.randint(2, 4)))


class Collection:
    """The pages: one file per distinct word, and who owns each word."""

    def __init__(self, lists):
        self.groups = []  # (kind, words)
        for kind in ("regular", "irregular"):
            self.groups += [(kind, g) for g in lists[kind]]
        for left, right in lists["synonyms"]:
            self.groups += [("synonym", left), ("synonym", right)]
        for _, words in lists["lookalike"]:
            self.groups += [("trap", [w]) for w in words]
        # A word belongs to the lemmas (first words) of the lines it is on:
        # lines of one lemma in two sections are one lemma.
        self.owners = {}  # lower-case word -> lemmas
        self.traps = set()
        absent, present = set(), set()
        for kind, words in self.groups:
            for w in words:
                self.owners.setdefault(w.lower(), set()).add(words[0].lower())
            if kind == "trap":
                self.traps.add(words[0].lower())
            if kind in ("regular", "irregular"):
                absent |= {w.lower() for w in held_out(words)}
                present |= {w.lower() for w in words if w not in held_out(words)}
            else:
                present |= {w.lower() for w in words}
        self.absent = absent - present
        self.spelling = {}
        for _, words in self.groups:
            for w in words:
                self.spelling.setdefault(w.lower(), w)
        self.words = sorted(w for w in self.owners if w not in self.absent)
        self.file_of = {w: "w%04d.pdf" % i for i, w in enumerate(self.words)}
        self.word_of = {f: w for w, f in self.file_of.items()}

    def write(self, folder):
        os.makedirs(folder)
        rng = random.Random(20261208)
        for w in self.words:
            text = [filler(rng) for _ in range(40)]
            text[rng.randrange(5, 35)] = self.spelling[w]
            lines = [" ".join(text[i:i + 10]) for i in range(0, 40, 10)]
            pdfwriter.write_pdf(os.path.join(folder, self.file_of[w]), [lines], self.file_of[w])

    def pages(self, group):
        return {w.lower() for w in self.groups[group][1]} - self.absent


class Tarvek:
    def __init__(self, bin_dir, data, work, pdf, lang):
        self.index = tarvek.Index(bin_dir, data, os.path.join(work, "tarvek", "words"), pdf, lang, "Words " + lang)

    def query(self, word, flags):
        return {name for name, _, _ in self.index.hits(word, flags)}


class Recoll(recoll.Index):
    def query(self, word):
        return {u.rsplit("/", 1)[-1] for u in self.urls(word)}


class Tally:
    """Micro-averaged recall and precision over the queries of one kind."""

    def __init__(self):
        self.hit = self.expected = self.right = self.found = 0
        self.misses = []
        self.wrong = set()  # words of other lemmas found

    def add(self, typed, expected, found, owners, col):
        words = {col.word_of[f] for f in found}
        others = expected - {typed}  # the typed form's own page proves nothing
        self.expected += len(others)
        self.hit += len(others & words)
        self.found += len(words)
        wrong = {w for w in words if not (col.owners[w] & owners)}
        self.right += len(words) - len(wrong)
        self.wrong |= wrong
        if others - words or wrong:
            self.misses.append("%s: missed %s; wrong %s" % (
                typed, " ".join(sorted(others - words)) or "-", " ".join(sorted(wrong)) or "-"))

    def recall(self):
        return "%.1f %%" % (100.0 * self.hit / self.expected) if self.expected else "-"

    def precision(self):
        return precision(self)


def precision(*tallies):
    found = sum(t.found for t in tallies)
    return "%.1f %%" % (100.0 * sum(t.right for t in tallies) / found) if found else "-"


def measure_lemmas(col, ask):
    """ask(word) -> set of files. Returns tallies: regular forms present,
    regular forms absent, irregular forms."""
    tallies = {"present": Tally(), "absent": Tally(), "irregular": Tally()}
    for n, (kind, words) in enumerate(col.groups):
        if kind not in ("regular", "irregular"):
            continue
        expected = col.pages(n)
        for w in words:
            typed = w.lower()
            key = "irregular" if kind == "irregular" else ("absent" if typed in col.absent else "present")
            tallies[key].add(typed, expected, ask(typed), col.owners[typed], col)
    return tallies


def measure_synonyms(col, lists, ask):
    """Synonyms alone: each form of the word must find the synonym's lemma
    page. With lemmas as well: every form of the synonym, each typed form."""
    alone, both = Tally(), Tally()
    for left, right in lists["synonyms"]:
        target = {w.lower() for w in right}
        for w in left:
            typed = w.lower()
            a = {col.word_of[f] for f in ask(typed, SYNONYMS)}
            alone.expected += 1
            alone.hit += right[0].lower() in a
            if right[0].lower() not in a:
                alone.misses.append("%s -> %s" % (typed, right[0]))
            b = {col.word_of[f] for f in ask(typed, BOTH)}
            both.expected += len(target)
            both.hit += len(target & b)
            if target - b:
                both.misses.append("%s -> missed %s" % (typed, " ".join(sorted(target - b))))
    return alone, both


def main():
    work, bin_dir, data = sys.argv[1:4]
    for lang in sys.argv[4:]:
        lists = parse(os.path.join(HERE, lang + ".txt"))
        col = Collection(lists)
        lang_work = os.path.join(work, lang)
        shutil.rmtree(lang_work, ignore_errors=True)
        pdf = os.path.join(lang_work, "pdf")
        col.write(pdf)
        tarvek = Tarvek(bin_dir, data, lang_work, pdf, lang)
        recoll = Recoll(lang_work, pdf, lang)

        t = measure_lemmas(col, lambda w: tarvek.query(w, LEMMAS))
        r = measure_lemmas(col, recoll.query)
        alone, both = measure_synonyms(col, lists, tarvek.query)
        stem = "Recoll (%s)" % recoll.stemmer if recoll.stemmer else "Recoll (no stemmer)"
        lemmas = len(lists["regular"]) + len(lists["irregular"])
        print("\n### %s: %d lemmas, %d pages, %d forms typed but absent, %d look-alike traps, %d synonym pairs\n" % (
            lang, lemmas, len(col.words), len(col.absent), sum(len(w) for _, w in lists["lookalike"]),
            len(lists["synonyms"])))
        traps = {w for w in col.traps if col.owners[w] == {w}}
        trapped = [len(traps & set().union(*(x.wrong for x in side.values()))) for side in (t, r)]
        goal = GOALS["sk" if lang == "sk" else "other"]
        rows = [
            ("lemma recall, regular forms", t["present"].recall(), r["present"].recall()),
            ("precision, regular forms (present and absent)", precision(t["present"], t["absent"]),
             precision(r["present"], r["absent"])),
            ("recall, typed forms absent from the collection", t["absent"].recall(), r["absent"].recall()),
            ("look-alike traps found (of %d)" % len(traps), trapped[0], trapped[1]),
            ("irregular and suppletive forms: recall", t["irregular"].recall(), r["irregular"].recall()),
            ("irregular and suppletive forms: precision", t["irregular"].precision(), r["irregular"].precision()),
        ]
        if lists["synonyms"]:
            rows += [("synonym pairs, synonyms alone", alone.recall(), "-"),
                     ("synonym pairs, with lemmas (inflected on both sides)", both.recall(), "-")]
        print("| Measure | goal | tarvek | %s |" % stem)
        print("|---|---|---|---|")
        for n, (name, ours, theirs) in enumerate(rows):
            print("| %s | %s | %s | %s |" % (name, goal[n] if n < len(goal) else "-", ours, theirs))
        with open(os.path.join(work, "misses-%s.txt" % lang), "w", encoding="utf-8") as f:
            for name, tally in [("tarvek " + k, v) for k, v in t.items()] + [
                    ("recoll " + k, v) for k, v in r.items()] + [("synonyms alone", alone), ("synonyms+lemmas", both)]:
                f.write("## %s (%d)\n%s\n" % (name, len(tally.misses), "\n".join(tally.misses)))
        sys.stdout.flush()


if __name__ == "__main__":
    main()
