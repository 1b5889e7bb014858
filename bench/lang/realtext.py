#!/usr/bin/env python3
"""Measures the lemmatizer of tarvek-query, and Recoll's stemmer, on real
text: LibreOffice's help and Debian's fortune cookies (see README.md).

  realtext.py WORK TARVEK_BIN_DIR DATA_FOLDER LANG...

Per language it cuts the texts into pages of consecutive words, picks pages
with a fixed seed, holds some word forms out (replaced by a filler word),
writes the pages as PDF files (ten pages a file for tarvek, one a file for
Recoll, which finds files, not pages), analyses every distinct word with
hunspell, types a sample of the words and prints a Markdown table; the
misses go to WORK/real-misses-LANG.txt.
"""

import collections
import concurrent.futures
import gettext
import glob
import html.parser
import os
import random
import re
import shutil
import subprocess
import sys
import unicodedata

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "standins", "samples"))
import pdfwriter  # noqa: E402
import recoll  # noqa: E402
import tarvek  # noqa: E402
from tarvek import run  # noqa: E402

SEED = 20261209
STORY_PAGES = 100  # at most; help (or else messages) makes up the rest
WORDS_A_PAGE, PAGES_A_FILE = 320, 10
# Lines from the top line's baseline down to the page's bottom edge; the
# indexer reads no text below it.
LINES_A_PAGE = pdfwriter.TOP // pdfwriter.LEADING + 1
TYPED = 300  # sample of typed words, spread over frequency classes
HELD_OUT = 40
DERIVED = 50  # derived words typed besides the sample
FILLER = "qxqzq"
LEMMAS, EXACT = "0x01a0", "0x0120"
HUNSPELL = {"sk": "sk_SK", "en": "en_US", "cs": "cs_CZ", "fr": "fr_FR", "de": "de_DE", "hu": "hu_HU",
            "pl": "pl_PL", "it": "it_IT", "es": "es_ES"}
HELP = "/usr/share/libreoffice/help/%s/text"
FORTUNES = "/usr/share/games/fortunes"
# Fortune files of prose and verse by people, not pictures or lists of jargon.
STORIES = {"cs": [f for f in glob.glob(FORTUNES + "/cs/*") if "." not in os.path.basename(f)
                  and not f.endswith("klasik-sk")],
           "sk": [FORTUNES + "/cs/klasik-sk"],
           "en": [FORTUNES + "/" + n for n in ("literature", "wisdom", "people", "humorists", "love",
                                               "platitudes", "politics", "pratchett", "work", "education")]}
for _lang in ("de", "it", "pl"):
    STORIES[_lang] = [f for f in glob.glob("%s/%s/*" % (FORTUNES, _lang))
                      if "." not in os.path.basename(f) and "ascii" not in f and not os.path.islink(f)]
STORIES["es"] = glob.glob(FORTUNES + "/es/*.fortunes")
# Where a language has no help of its own: messages of these catalogues.
MESSAGES = ["apt", "bash", "binutils", "coreutils", "dpkg", "findutils", "gettext-tools", "glib20", "gnupg2",
            "grep", "gsettings-desktop-schemas", "gtk20", "gtk20-properties", "libc", "sed", "shadow", "wget"]
TOTAL_PAGES = 300
# Suffix flags of dictionaries without morphology that make another word
# (en_US: -ive, -ion, -ions, -th, -ly, -ness, -able, -ment, -ers, -ings;
# de_DE: -bar), read from the .aff files' rules.
DERIVING_SUFFIX_FLAGS = {"en": "VNXHYPBLZJ", "de": "B"}
INFLECTING_PREFIXES = {"cs": ("ne", "nej", "nejne"), "sk": ("ne", "naj", "najne"), "pl": ("nie", "naj", "nienaj")}
GOALS = ["≥ 97 %", "≥ 99 %", "-", "≥ 95 %", "≥ 95 %", "-", "-"]


class TextOfHtml(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.parts, self.skip = [], 0

    def handle_starttag(self, tag, attrs):
        self.skip += tag in ("script", "style", "head")

    def handle_endtag(self, tag):
        self.skip -= tag in ("script", "style", "head") and self.skip > 0

    def handle_data(self, data):
        if not self.skip:
            self.parts.append(data)


def help_texts(lang):
    folder = HELP % ("en-US" if lang == "en" else lang)
    # Debian's Slovak help package is a link to the Czech help.
    if os.path.basename(os.path.dirname(os.path.realpath(folder))) != os.path.basename(os.path.dirname(folder)):
        return
    for path in sorted(glob.glob(os.path.join(folder, "**", "*.html"), recursive=True)):
        parser = TextOfHtml()
        with open(path, encoding="utf-8", errors="replace") as f:
            parser.feed(f.read())
        yield " ".join(parser.parts)


def story_texts(lang):
    for path in sorted(STORIES.get(lang, [])):
        if os.path.isfile(path):
            with open(path, encoding="utf-8", errors="replace") as f:
                yield f.read().replace("\n%\n", "\n")


def message_texts(lang):
    """The translated messages of Debian's base programs, a text per
    catalogue, printf directives left out."""
    for name in MESSAGES:
        path = "/usr/share/locale/%s/LC_MESSAGES/%s.mo" % (lang, name)
        if os.path.exists(path):
            with open(path, "rb") as f:
                catalogue = gettext.GNUTranslations(f)._catalog
            messages = [str(catalogue[k]) for k in sorted(catalogue, key=str) if k]
            yield re.sub(r"%[-+ #0-9.*'lhjztqL]*[a-zA-Z%]|\\[nt]", " ", "\n".join(messages))


def as_printed(text):
    """The text as a page shows it. The fortunes embolden and underline by
    overstriking (I\bI, _\bI): the letter struck last is the one seen.
    Other control characters draw nothing, and the indexer's text has none:
    left in, they would split a word the indexer reads whole (I\bI as i, i)
    and put every later word of the page a place late."""
    while "\x08" in text:
        struck = re.sub(r"[^\x08]\x08", "", text)
        if struck == text:
            break
        text = struck
    return re.sub(r"[\x00-\x08\x0e-\x1f]", "", text)


def pick_pages(texts, count, rng):
    """Pages of WORDS_A_PAGE consecutive words of one text; count of them
    picked at random, in the order of the texts."""
    pages = []
    for text in texts:
        words = as_printed(unicodedata.normalize("NFC", text)).split()
        pages += [words[i:i + WORDS_A_PAGE] for i in range(0, len(words) - WORDS_A_PAGE + 1, WORDS_A_PAGE)]
    return [pages[i] for i in sorted(rng.sample(range(len(pages)), min(count, len(pages))))]


_fold_cache = {}


def fold(ch):
    """The letters the indexer makes of one character (platform Cp1250
    foldToCp1250): itself where code page 1250 has it, else its base
    letter(s), else '?'."""
    if ch not in _fold_cache:
        try:
            ch.encode("cp1250")
            out = ch
        except UnicodeEncodeError:
            special = {"œ": "oe", "Œ": "OE", "æ": "ae", "Æ": "AE", "ø": "o", "Ø": "O", "ı": "i"}
            base = "".join(c for c in unicodedata.normalize("NFKD", ch) if not unicodedata.combining(c))
            # Letters with a case only: the indexer keeps no ª º.
            letter = unicodedata.category(ch) in ("Lu", "Ll")
            out = special.get(ch, base if letter and base.isascii() else "?")
        _fold_cache[ch] = out
    return _fold_cache[ch]


def is_word_char(ch):
    # Word bytes of the index: ASCII letters and digits, and the letters of
    # code page 1250 (U+00C0-U+017F but × ÷).
    return all(c.isascii() and c.isalnum() or ("\u00c0" <= c <= "\u017f" and c not in "×÷") for c in fold(ch))


def words_of(text):
    word, out = [], []
    for ch in text + " ":
        if is_word_char(ch):
            word.append(ch)
        elif word:
            out.append("".join(word))
            word = []
    return out


def lines_of(words):
    """Lines of at most 75 characters (a longer one runs past the page's
    edge, where no reader takes its text), none ending in a hyphen (which a
    reader joins to the next line's word)."""
    lines, line = [], []
    for w in words:
        if line and len(" ".join(line + [w])) > 75 and not line[-1].endswith("-"):
            lines.append(" ".join(line))
            line = []
        line.append(w)
    return lines + [" ".join(line)]


def in_code_page(ch, encoding):
    """ch where the code page has it, else what the indexer would fold it to
    (or a space)."""
    try:
        ch.encode(encoding)
        return ch
    except UnicodeEncodeError:
        base = fold(ch) if encoding == "cp1250" else unicodedata.normalize("NFKD", ch)
        return "".join(c for c in base if c != "?" and c.encode(encoding, "ignore")) or " "


def printable(pages):
    """(code page, pages) for one file: code page 1250 unless 1252 keeps more
    of its letters; what the chosen one lacks is folded."""
    text = "".join(l for p in pages for l in p)
    encoding = max(("cp1250", "cp1252"), key=lambda e: sum(in_code_page(c, e) == c for c in text))
    return encoding, [["".join(in_code_page(c, encoding) for c in l) for l in p] for p in pages]


def prefixes_of(lang):
    """{flag: prefix strings} of the PFX rules of the language's .aff file."""
    with open("/usr/share/hunspell/%s.aff" % HUNSPELL[lang], "rb") as f:
        raw = f.read()
    m = re.search(rb"^SET\s+(\S+)", raw, re.M)
    prefixes = collections.defaultdict(set)
    for line in raw.decode(m.group(1).decode() if m else "utf-8", "replace").splitlines():
        fields = line.split()
        if len(fields) >= 4 and fields[0] == "PFX" and fields[2] not in ("Y", "N"):
            prefixes[fields[1]].add(fields[3].split("/")[0].replace("0", ""))
    return prefixes


def analyse(lang, words):
    """({word: set of lemma keys}, set of derived words) by hunspell -m. A
    reading by inflection gives its st:. A reading with a prefix (sp:, a
    bare prefix morpheme or a prefix flag before st:) gives prefix + st:, so
    that the derived word meets its own forms but not its root; one with a
    derivational suffix (ds:, or a suffix flag DERIVING_SUFFIX_FLAGS names) st:
    and the suffix; one of compound parts (pa:)
    the parts but the last, and the last one's st:. Unknown words are their
    own lemma."""
    prefixes = prefixes_of(lang)
    result = subprocess.run(["hunspell", "-i", "UTF-8", "-d", HUNSPELL[lang], "-m"],
                            input=("\n".join(words) + "\n").encode(), capture_output=True)
    lemmas, derived = collections.defaultdict(set), set()
    # Some dictionaries give fields of their own 8-bit code page.
    for line in result.stdout.decode("utf-8", "replace").splitlines():
        fields = line.split()
        if len(fields) < 2 or not any(f.startswith("st:") for f in fields):
            continue
        word, fields = fields[0].lower(), fields[1:]
        key, is_derived = lemma_key(lang, word, fields, prefixes)
        lemmas[word].add(key)
        if is_derived:
            derived.add(word)
    return lemmas, derived


def lemma_key(lang, word, fields, prefixes):
    stems = [f[3:].lower() for f in fields if f.startswith("st:")]
    parts = [f[3:].lower() for f in fields if f.startswith("pa:")]
    if len(parts) > 1:
        return "".join(parts[:-1]) + stems[-1], True
    first_stem = next(i for i, f in enumerate(fields) if f.startswith("st:"))
    prefix = ""
    for f in fields[:first_stem] + [f for f in fields[first_stem:] if f.startswith("sp:")]:
        if f.startswith("fl:"):
            # The flag's prefix that the word begins with.
            prefix += max((p for p in prefixes.get(f[3:], ()) if word.startswith((prefix + p).lower())),
                          key=len, default="")
        elif f.startswith("sp:"):
            prefix += f[3:]
        elif ":" not in f:
            prefix += f
    # Negation and the superlative are inflections in Czech, Slovak and Polish.
    if prefix in INFLECTING_PREFIXES.get(lang, ()):
        prefix = ""
    suffixes = sorted(f for f in fields if f.startswith("ds:") or
                      f.startswith("fl:") and fields.index(f) > first_stem and
                      f[3:] in DERIVING_SUFFIX_FLAGS.get(lang, ()))
    key = prefix.lower() + stems[0]
    return ("%s|%s" % (key, " ".join(suffixes)) if suffixes else key), bool(prefix or suffixes)


class Collection:
    def __init__(self, lang, rng):
        story_pages = pick_pages(story_texts(lang), STORY_PAGES, rng)
        help_pages = pick_pages(help_texts(lang), TOTAL_PAGES - len(story_pages), rng)
        message_pages = pick_pages(message_texts(lang), TOTAL_PAGES - len(story_pages) - len(help_pages), rng)
        self.sources = (len(help_pages), len(message_pages), len(story_pages))
        self.pages, self.encodings = [], []
        # A page of long unbroken words (dotted names) can run past the
        # page's bottom; what it cannot show is not on it.
        pages = [lines_of(p)[:LINES_A_PAGE] for p in help_pages + message_pages + story_pages]
        for first in range(0, len(pages), PAGES_A_FILE):
            encoding, group = printable(pages[first:first + PAGES_A_FILE])
            self.pages += group
            self.encodings.append(encoding)
        counts = collections.Counter()
        spelling = collections.defaultdict(collections.Counter)
        for lines in self.pages:
            for w in words_of(" ".join(lines)):
                counts[w.lower()] += 1
                spelling[w.lower()][w] += 1
        # Each word analysed in lower case and as most often written (Praha).
        usual = {w: s.most_common(1)[0][0] for w, s in spelling.items()}
        known, self.derived = analyse(lang, sorted(set(counts) | set(usual.values())))
        self.lemmas = {w: known.get(w) or known.get(usual[w].lower()) or {w} for w in counts}
        # Words hunspell relates to no other: unknown, or only a lemma of
        # their own (en_US lists did, men and bigger so, de_DE ist and gesucht).
        self.unrelated = {w for w, keys in self.lemmas.items() if keys == {w}}
        # Held out: forms whose lemma has other forms in the text.
        forms = collections.defaultdict(set)
        for w, keys in self.lemmas.items():
            for k in keys:
                forms[k].add(w)
        candidates = sorted(w for w, keys in self.lemmas.items() if w.isalpha() and len(w) > 2
                            and w not in keys and all(len(forms[k]) > 1 for k in keys))
        self.absent = set(rng.sample(candidates, min(HELD_OUT, len(candidates))))
        self.pages = [[re.sub(r"\w+", lambda m: FILLER if m.group(0).lower() in self.absent else m.group(0), line)
                       for line in lines] for lines in self.pages]
        self.where = collections.defaultdict(set)  # word -> page numbers
        # In page order too: tarvek-query tells each hit by its word's place.
        self.page_word_lists = [[w.lower() for w in words_of(" ".join(lines))] for lines in self.pages]
        self.page_words = [set(words) for words in self.page_word_lists]
        for n, words in enumerate(self.page_words):
            for w in words:
                self.where[w].add(n)
        self.counts = {w: c for w, c in counts.items() if w not in self.absent}
        self.lemma_pages = collections.defaultdict(set)
        for w, pages in self.where.items():
            for k in self.lemmas.get(w, {w}):
                self.lemma_pages[k] |= pages

    def expected(self, typed):
        return set().union(*(self.lemma_pages[k] for k in self.lemmas[typed]))

    def sample(self, rng):
        """TYPED words of letters, as many from each frequency class
        (1-3, 4-15, 16-63, 64 and more occurrences)."""
        classes = collections.defaultdict(list)
        for w, c in sorted(self.counts.items()):
            if w.isalpha() and len(w) > 1:
                classes[min(4, (c.bit_length() + 1) // 2)].append(w)
        share = TYPED // max(1, len(classes))
        return sorted(w for k in sorted(classes) for w in rng.sample(classes[k], min(share, len(classes[k]))))

    def derived_sample(self, rng, typed):
        """The derived words among the typed ones, and DERIVED more."""
        # Words, not symbols: hunspell reads kg, ms and nl as unit prefixes.
        rest = sorted(w for w in self.derived if w in self.counts and w.isalpha() and len(w) > 3 and w not in typed)
        return sorted(set(typed) & self.derived | set(rng.sample(rest, min(DERIVED, len(rest)))))

    def write(self, folder):
        for kind in ("tarvek", "recoll"):
            os.makedirs(os.path.join(folder, kind))
        self.file_page = {}
        for first in range(0, len(self.pages), PAGES_A_FILE):
            group = self.pages[first:first + PAGES_A_FILE]
            name = "p%04d.pdf" % first
            encoding = self.encodings[first // PAGES_A_FILE]
            pdfwriter.write_pdf(os.path.join(folder, "tarvek", name), group, name, encoding=encoding)
            for i, lines in enumerate(group):
                self.file_page[(name, i + 1)] = first + i
                single = "p%04d.pdf" % (first + i)
                pdfwriter.write_pdf(os.path.join(folder, "recoll", single), [lines], single,
                                    encoding=encoding)


class Tarvek:
    def __init__(self, bin_dir, data, work, pdf, lang, col):
        self.col = col
        self.index = tarvek.Index(bin_dir, data, os.path.join(work, "index", "real"), pdf, lang, "Real " + lang)
        self.hits = {}  # (word, flags) -> {page: the words of its hits}

    def query(self, word, flags):
        hits = {}
        for name, number, places in self.index.hits(word, flags):
            page = self.col.file_page[(name, number)]
            words = self.col.page_word_lists[page]
            hits[page] = {words[p] for p in places if p < len(words)}
        self.hits[(word, flags)] = hits
        return set(hits)


class Recoll(recoll.Index):
    def query(self, word, flags=None):
        return {int(u.rsplit("/p", 1)[-1][:4]) for u in self.urls(word)}


class Tally:
    """Micro-averaged: pages expected and found of them, pages found and right."""

    def __init__(self):
        self.expected = self.hit = self.found = self.right = 0
        # Wrong pages found only through words folded onto another spelling
        # (à is indexed as a), and only through words hunspell relates to
        # nothing: the ground truth cannot judge those joins.
        self.folded = self.unjudged = 0
        self.misses = []

    def add(self, typed, expected, found, col, right=None, hits=None):
        right = expected if right is None else right
        self.expected += len(expected)
        self.hit += len(expected & found)
        self.found += len(found)
        self.right += len(found & right)
        if expected - found or found - right:
            keys = col.lemmas.get(typed.lower(), {typed})
            missed = {w for n in expected - found for w in col.page_words[n] if col.lemmas.get(w, {w}) & keys}
            if hits is not None:
                for n in found - right:
                    through = {w for w in hits.get(n, ()) if not col.lemmas.get(w, {w}) & keys}
                    if through and all(beyond_cp1250(w) for w in through):
                        self.folded += 1
                    elif through and through <= col.unrelated:
                        self.unjudged += 1
            if hits is not None:  # the words the hits on the wrong pages are
                wrong = sorted({w for n in found - right for w in hits.get(n, ())},
                               key=lambda w: (-len(col.where[w]), w))[:8]
            else:  # not told: likely ones are those all of whose pages were found
                wrong = sorted({w for n in found - right for w in col.page_words[n] if col.where[w] <= found
                                and not col.lemmas.get(w, {w}) & keys}, key=lambda w: (-len(col.where[w]), w))[:6]
            self.misses.append("%s [%s]: %d of %d pages missed (%s); %d wrong (%s)" % (
                typed, " ".join(sorted(keys)), len(expected - found), len(expected), " ".join(sorted(missed)),
                len(found - right), " ".join(sorted(wrong))))

    def recall(self):
        return "%.1f %%" % (100.0 * self.hit / self.expected) if self.expected else "-"

    def precision(self):
        return "%.1f %%" % (100.0 * self.right / self.found) if self.found else "-"

    def judged_precision(self):
        """Leaving out the wrong pages the ground truth cannot judge."""
        judged = self.found - self.folded - self.unjudged
        return "%.1f %%" % (100.0 * self.right / judged) if judged else "-"


def beyond_cp1250(word):
    return any(fold(c) != c for c in word)


def measure(col, ask, typed, derived):
    t = {k: Tally() for k in ("lemmas", "exact", "absent", "derived", "written", "folded")}
    jobs = {}
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        def later(word, flags):
            jobs.setdefault((word, flags), pool.submit(ask, word, flags))
        for w in typed:
            later(w, LEMMAS)
            later(w, EXACT)
        for w in sorted(col.absent) + derived:
            later(w, LEMMAS)
        odd = sorted(w for w in col.where if w.isalpha() and beyond_cp1250(w))
        for w in odd:
            later(w, EXACT)
            later("".join(fold(c) for c in w), EXACT)
        found = {k: f.result() for k, f in jobs.items()}
    told = getattr(ask.__self__, "hits", None)  # Recoll tells no places

    def hits(word, flags):
        return None if told is None else told.get((word, flags), {})
    for w in typed:
        expected = col.expected(w)
        t["lemmas"].add(w, expected, found[(w, LEMMAS)], col, hits=hits(w, LEMMAS))
        t["exact"].add(w, expected, found[(w, EXACT)], col)
    for w in derived:
        t["derived"].add(w, set(), found[(w, LEMMAS)], col, col.expected(w), hits(w, LEMMAS))
    for w in sorted(col.absent):
        t["absent"].add(w, col.expected(w), found[(w, LEMMAS)], col, hits=hits(w, LEMMAS))
    for w in odd:
        t["written"].add(w, col.where[w], found[(w, EXACT)], col)
        t["folded"].add("".join(fold(c) for c in w), col.where[w], found[("".join(fold(c) for c in w), EXACT)], col)
    return t, len(odd)


def main():
    work, bin_dir, data = (os.path.abspath(a) for a in sys.argv[1:4])
    summary = []
    for lang in sys.argv[4:]:
        rng = random.Random("%d %s" % (SEED, lang))
        col = Collection(lang, rng)
        typed = col.sample(rng)
        derived = col.derived_sample(rng, typed)
        lang_work = os.path.join(work, "real-" + lang)
        shutil.rmtree(lang_work, ignore_errors=True)
        pdf = os.path.join(lang_work, "pdf")
        col.write(pdf)
        tarvek = Tarvek(bin_dir, data, lang_work, os.path.join(pdf, "tarvek"), lang, col)
        recoll = Recoll(lang_work, os.path.join(pdf, "recoll"), lang)
        t, odd = measure(col, tarvek.query, typed, derived)
        r, _ = measure(col, recoll.query, typed, derived)
        stem = "Recoll (%s)" % recoll.stemmer if recoll.stemmer else "Recoll (no stemmer)"
        print("\n### %s: %d pages (%d help, %d messages, %d fortunes), %d distinct words, %d typed, %d derived typed, "
              "%d held out, %d with letters beyond code page 1250\n" % (
                  lang, len(col.pages), *col.sources, len(col.where), len(typed), len(derived),
                  len(col.absent), odd))
        rows = [("page recall with lemmas (0x01a0)", t["lemmas"].recall(), r["lemmas"].recall()),
                ("precision with lemmas", t["lemmas"].precision(), r["lemmas"].precision()),
                ("exact form (0x0120) recall", t["exact"].recall(), "-"),
                ("typed forms absent from the text: recall", t["absent"].recall(), r["absent"].recall()),
                ("derived words: precision", t["derived"].precision(), r["derived"].precision()),
                ("letters beyond code page 1250: pages found typed as written / folded",
                 "%s / %s" % (t["written"].recall(), t["folded"].recall()),
                 "%s / %s" % (r["written"].recall(), r["folded"].recall())),
                ("precision, leaving out the wrong pages found only through folded words (%d) or words hunspell "
                 "relates to no other (%d)" % (t["lemmas"].folded, t["lemmas"].unjudged),
                 t["lemmas"].judged_precision(), "-")]
        print("| Measure | goal | tarvek | %s |" % stem)
        print("|---|---|---|---|")
        for goal, (name, ours, theirs) in zip(GOALS, rows):
            print("| %s | %s | %s | %s |" % (name, goal, ours, theirs))
        summary.append("| %s | %d | %s |" % (lang, len(col.pages), " | ".join(
            "%s (%s)" % (ours, theirs) for _, ours, theirs in rows[:2] + rows[3:5]) + " | " + rows[2][1] +
            " | %s (%d, %d)" % (rows[-1][1], t["lemmas"].folded, t["lemmas"].unjudged)))
        with open(os.path.join(work, "real-misses-%s.txt" % lang), "w", encoding="utf-8") as f:
            for side, tallies in (("tarvek", t), ("recoll", r)):
                for name, tally in tallies.items():
                    f.write("## %s %s (%d)\n%s\n" % (side, name, len(tally.misses), "\n".join(tally.misses)))
        sys.stdout.flush()
    print("\n### All languages: tarvek (Recoll)\n")
    print("| Language | pages | recall with lemmas | precision | absent typed forms | derived words: precision "
          "| exact form recall | precision judged (pages left out: folded, unrelated) |")
    print("|---|---|---|---|---|---|---|---|")
    print("| goal | - | %s |" % " | ".join(GOALS[:2] + GOALS[3:5] + ["-", "-"]))
    print("\n".join(summary))


if __name__ == "__main__":
    main()
