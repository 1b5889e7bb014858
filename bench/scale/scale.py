#!/usr/bin/env python3
"""The scale benchmark: for each corpus (bench/recoll/make_corpus.py, 10
pages a file) indexes with tarvek-index and, unless --no-recoll, with
recollindex; measures wall and CPU time and peak memory of indexing, the
index size, the time of a query with no hit, of a rare word and of a word
on about half the pages (whole process, median of five), and of an update
after 1 % of the files changed. Prints one Markdown row per corpus.

  scale.py WORK TARVEK_BIN_DIR [--no-recoll] [--memory MB] [--jobs N] CORPUS...
"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "recoll"))
import make_corpus  # noqa: E402

RUNS = 5
NO_HIT = "qqxnikde"


def run(command, env=None):
    """Wall seconds and stdout of one process."""
    start = time.perf_counter()
    result = subprocess.run(command, capture_output=True, text=True, env=env)
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(command), result.stderr))
    return elapsed, result.stdout


def measured(command, env=None):
    """Like run, with CPU time and peak memory from GNU time."""
    start = time.perf_counter()
    result = subprocess.run(["/usr/bin/time", "-f", "TIME %U %S %M"] + command, capture_output=True, text=True,
                            env=env)
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(command), result.stderr))
    user, system, peak_kb = re.search(r"TIME (\S+) (\S+) (\d+)", result.stderr).groups()
    return elapsed, float(user) + float(system), int(peak_kb) / 1024.0, result.stdout


def median_time(command, env=None):
    times, output = [], ""
    for _ in range(RUNS):
        elapsed, output = run(command, env)
        times.append(elapsed)
    return statistics.median(times), output


def folder_size(path):
    return sum(os.path.getsize(os.path.join(folder, n)) for folder, _, names in os.walk(path) for n in names)


def half_word():
    """The background word whose expected share of pages is nearest one half."""
    import random
    rng = random.Random(20261207)
    words, weights = make_corpus.vocabulary(rng)
    total = sum(weights)
    share = [1 - (1 - w / total) ** make_corpus.WORDS_PER_PAGE for w in weights]
    best = min(range(len(words)), key=lambda i: abs(share[i] - 0.5))
    return words[best], share[best]


def change_one_percent(pdf, backup):
    """Copies file i+1 over file i for every hundredth file; returns the changed paths."""
    files = sorted(os.path.join(folder, n) for folder, _, names in os.walk(pdf) for n in names)
    changed = []
    os.makedirs(backup, exist_ok=True)
    for i in range(0, len(files) - 1, 100):
        shutil.copy2(files[i], os.path.join(backup, str(i)))
        shutil.copyfile(files[i + 1], files[i])
        changed.append((i, files[i]))
    return changed


def restore(changed, backup):
    for i, path in changed:
        shutil.copy2(os.path.join(backup, str(i)), path)
    shutil.rmtree(backup, ignore_errors=True)


def main():
    args = sys.argv[1:]
    work, bin_dir = args[0], args[1]
    recoll = "--no-recoll" not in args
    extra = []
    corpora = []
    i = 2
    while i < len(args):
        if args[i] in ("--memory", "--jobs"):
            extra += [args[i], args[i + 1]]
            i += 2
            continue
        if args[i] != "--no-recoll":
            corpora.append(args[i])
        i += 1
    word, share = half_word()
    rows = []
    for corpus in corpora:
        pdf = os.path.join(corpus, "pdf")
        rare_truth = set()
        with open(os.path.join(corpus, "truth.tsv"), encoding="utf-8") as f:
            for line in f:
                name, path, page = line.rstrip("\n").split("\t")
                if name == "rare":
                    rare_truth.add((path, int(page)))
        base = os.path.join(work, "tarvek-" + os.path.basename(corpus), "bench")
        shutil.rmtree(os.path.dirname(base), ignore_errors=True)
        os.makedirs(os.path.dirname(base))
        index = os.path.join(bin_dir, "tarvek-index")
        query = os.path.join(bin_dir, "tarvek-query")
        t_wall, t_cpu, t_peak, t_out = measured([index, "--name", "Bench", "--path-variable", "BENCH"] + extra +
                                                [pdf, base])
        pages = int(re.search(r"(\d+) pages", t_out).group(1))
        t_size = os.path.getsize(base + ".sbi") + os.path.getsize(base + ".sbf")
        t_none, _ = median_time([query, base + ".sbi", NO_HIT])
        t_rare, rare_out = median_time([query, base + ".sbi", "zriedka"])
        found = set()
        for line in rare_out.splitlines():
            m = re.match(r"topic \d+: (\S+) page (\d+):", line)
            if m:
                found.add(("/".join(m.group(1).split("\\")[-2:]), int(m.group(2))))
        exact = found == rare_truth
        t_half, half_out = median_time([query, base + ".sbi", word])
        half_pages = int(half_out.split()[0])

        r = {}
        if recoll:
            conf = os.path.join(work, "recoll-" + os.path.basename(corpus))
            shutil.rmtree(conf, ignore_errors=True)
            os.makedirs(conf)
            with open(os.path.join(conf, "recoll.conf"), "w") as f:
                f.write("topdirs = %s\nindexstemminglanguages =\nloglevel = 1\n" % pdf)
            env = dict(os.environ, RECOLL_CONFDIR=conf)
            r["wall"], r["cpu"], r["peak"], _ = measured(["recollindex", "-c", conf, "-z"], env)
            r["size"] = folder_size(os.path.join(conf, "xapiandb"))
            recollq = ["recollq", "-c", conf, "-b", "-n", "1000000"]
            r["none"], _ = median_time(recollq + [NO_HIT], env)
            r["rare"], _ = median_time(recollq + ["zriedka"], env)
            r["half"], _ = median_time(recollq + [word], env)

        backup = os.path.join(work, "backup-" + os.path.basename(corpus))
        changed = change_one_percent(pdf, backup)
        try:
            u_wall, u_cpu, u_peak, _ = measured([index, "--update"] + extra + [pdf, base])
            if recoll:
                r["update"], r["update_cpu"], _, _ = measured(["recollindex", "-c", conf], env)
        finally:
            restore(changed, backup)

        def ratio(a, b):
            return "%.2f" % (a / b) if b else "–"

        rows.append((pages, [
            "| %d | tarvek | %.1f | %.1f | %.0f | %.1f | %.3f | %.3f | %.3f | %.2f | %.2f | %s |" % (
                pages, t_wall, t_cpu, t_peak, t_size / 2**20, t_none, t_rare, t_half, u_wall, u_cpu,
                "exact" if exact else "NOT EXACT"),
        ] + ([
            "| %d | Recoll | %.1f | %.1f | %.0f | %.1f | %.3f | %.3f | %.3f | %.2f | %.2f | |" % (
                pages, r["wall"], r["cpu"], r["peak"], r["size"] / 2**20, r["none"], r["rare"], r["half"],
                r["update"], r["update_cpu"]),
            "| %d | ratio | %s | %s | %s | %s | %s | %s | %s | %s | %s | |" % (
                pages, ratio(t_wall, r["wall"]), ratio(t_cpu, r["cpu"]), ratio(t_peak, r["peak"]),
                ratio(t_size, r["size"]), ratio(t_none, r["none"]), ratio(t_rare, r["rare"]),
                ratio(t_half, r["half"]), ratio(u_wall, r["update"]), ratio(u_cpu, r["update_cpu"])),
        ] if recoll else [])))
        print("corpus %s: %d pages, %d changed files, word on half the pages: %s (%d pages), "
              "rebuild/update wall %.1f, CPU %.1f" % (corpus, pages, len(changed), word, half_pages, t_wall / u_wall,
                                                     t_cpu / u_cpu), flush=True)
        print("\n".join(rows[-1][1]), flush=True)

    print()
    print("| Pages | Tool | index wall s | index CPU s | peak MiB | index MiB | no hit s | rare s | half s "
          "| update 1 %% s | update CPU s | rare word |".replace("%%", "%"))
    print("|---|---|---|---|---|---|---|---|---|---|---|---|")
    for _, lines in rows:
        print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
