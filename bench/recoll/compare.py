#!/usr/bin/env python3
"""Indexes the corpus with tarvek-index and recollindex, runs the benchmark
queries with tarvek-query and recollq, checks tarvek's pages against the
ground truth, and prints the figures as a Markdown table.

  compare.py WORK CORPUS TARVEK_BIN_DIR
"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_corpus import QUERIES  # noqa: E402

RUNS = 5


def timed(command, env=None):
    start = time.perf_counter()
    result = subprocess.run(command, capture_output=True, text=True, env=env)
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(command), result.stderr))
    return elapsed, result.stdout


def median_time(command, env=None):
    times, output = [], ""
    for _ in range(RUNS):
        elapsed, output = timed(command, env)
        times.append(elapsed)
    return statistics.median(times), output


def folder_size(path):
    total = 0
    for folder, _, names in os.walk(path):
        total += sum(os.path.getsize(os.path.join(folder, n)) for n in names)
    return total


def main():
    work, corpus, bin_dir = sys.argv[1:4]
    pdf = os.path.join(corpus, "pdf")
    truth = {name: set() for name in QUERIES}
    with open(os.path.join(corpus, "truth.tsv"), encoding="utf-8") as f:
        for line in f:
            name, path, page = line.rstrip("\n").split("\t")
            truth[name].add((path, int(page)))

    # Indexing.
    base = os.path.join(work, "tarvek", "bench")
    shutil.rmtree(os.path.dirname(base), ignore_errors=True)
    os.makedirs(os.path.dirname(base))
    tarvek_index_s, _ = timed([os.path.join(bin_dir, "tarvek-index"), "--name", "Bench", "--path-variable", "BENCH",
                               pdf, base])
    tarvek_size = os.path.getsize(base + ".sbi") + os.path.getsize(base + ".sbf")

    conf = os.path.join(work, "recoll-conf")
    shutil.rmtree(conf, ignore_errors=True)
    os.makedirs(conf)
    with open(os.path.join(conf, "recoll.conf"), "w") as f:
        f.write("topdirs = %s\nindexstemminglanguages =\nloglevel = 1\n" % pdf)
    env = dict(os.environ, RECOLL_CONFDIR=conf)
    recoll_index_s, _ = timed(["recollindex", "-c", conf, "-z"], env)
    recoll_size = folder_size(os.path.join(conf, "xapiandb"))

    # Queries.
    rows = []
    exact_all = True
    for name, (label, tarvek_args, recoll_query) in QUERIES.items():
        t_s, t_out = median_time([os.path.join(bin_dir, "tarvek-query"), base + ".sbi"] + tarvek_args)
        pages = set()
        for line in t_out.splitlines():
            m = re.match(r"topic \d+: (\S+) page (\d+):", line)
            if m:  # $BENCH\..\corpus\pdf\07\doc0712.pdf -> 07/doc0712.pdf
                pages.add(("/".join(m.group(1).split("\\")[-2:]), int(m.group(2))))
        r_s, r_out = median_time(["recollq", "-c", conf, "-b", "-n", "100000", recoll_query], env)
        files = {u[len("file://" + pdf) + 1:] for u in r_out.split() if u.startswith("file://")}
        exact = pages == truth[name]
        exact_all &= exact
        rows.append("| %s | `%s` | `%s` | %d | %s | %d | %d | %.3f | %.3f | %.2f |" % (
            label, " ".join(tarvek_args), recoll_query, len(truth[name]), "yes" if exact else "NO (%d found)" % len(pages),
            len({path for path, _ in truth[name]}), len(files),
            t_s, r_s, t_s / r_s))

    print("Indexing: tarvek-index %.1f s, recollindex %.1f s (ratio %.2f)" % (
        tarvek_index_s, recoll_index_s, tarvek_index_s / recoll_index_s))
    print("Index size: tarvek %.1f MiB (.sbi + .sbf), Recoll %.1f MiB (xapiandb) (ratio %.2f)" % (
        tarvek_size / 2**20, recoll_size / 2**20, tarvek_size / recoll_size))
    print()
    print("| Query | tarvek-query | recollq | truth pages | tarvek pages exact | truth files | recoll files "
          "| tarvek s | recollq s | ratio |")
    print("|---|---|---|---|---|---|---|---|---|---|")
    print("\n".join(rows))
    return 0 if exact_all else 1


if __name__ == "__main__":
    sys.exit(main())
