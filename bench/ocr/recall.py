#!/usr/bin/env python3
"""Word recall of an index against the corpus's truth: for every page and
every word on it (excluded words aside), is the page among the hits of a
query for the word as written? Printed exactly and with Fuzzy Dia.

  recall.py CORPUS INDEX.sbi TARVEK_QUERY
"""

import collections
import re
import subprocess
import sys

TOPIC = re.compile(r"^topic \d+: .*\\(sken\d+\.pdf) page (\d+):")
AND, FUZZY_DIA = 0x0120, 0x2120


def pages_found(query_tool, index, word, flags):
    out = subprocess.run([query_tool, index, "--flags", "0x%04x" % flags, word],
                         capture_output=True, text=True).stdout
    return {(m.group(1), int(m.group(2))) for m in map(TOPIC.match, out.splitlines()) if m}


def main():
    corpus, index, query_tool = sys.argv[1:4]
    excluded = set(subprocess.run([query_tool, index, "--excluded"], capture_output=True,
                                  text=True).stdout.split())
    pages_of = collections.defaultdict(set)  # lower-case word -> pages it is on
    for line in open(corpus + "/truth.tsv", encoding="utf-8"):
        name, page, words = line.rstrip("\n").split("\t")
        for word in words.split():
            if word.lower() not in excluded:
                pages_of[word.lower()].add((name, int(page)))
    total = sum(len(p) for p in pages_of.values())
    for label, flags in (("exact", AND), ("Fuzzy Dia", FUZZY_DIA)):
        found = sum(len(pages & pages_found(query_tool, index, word, flags)) for word, pages in pages_of.items())
        print("%s\t%d\t%d\t%.1f%%" % (label, found, total, 100.0 * found / total))


if __name__ == "__main__":
    main()
