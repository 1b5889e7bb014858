#!/usr/bin/env python3
"""The plug-in benchmark: searches through query.API in the stand-in viewer
under Wine, as a user does (script mode), and times each search from
"&Hľadať" to the filled and painted results dialog (the viewer's `timeclick`
command), beside tarvek-query for the same query. See bench/README.md.

  bench.py WORK INDEXER_BIN VIEWER_FOLDER [--sessions N] [--repeats N]
           [--only one|four] [--queries WORD,...]

WORK holds the collection and its indexes (made by run.sh), the viewer
folder used (a copy of VIEWER_FOLDER) and its Wine prefix.
"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
RESULTS = "TarvekPDF Search - Výsledky hľadania"
WARNING = "Varovanie"
QUERIES = [
    ("no hit", "qqxnikde"),
    ("rare word", "zriedka"),
    ("accented word", "ťažkosť"),
    ("10 % word", "desatina"),
    ("word on half the pages", "polovica"),
    ("word in every file", "všade"),
]
ONE = ["Bench"]
FOUR = ["Q1", "Q2", "Q3", "Q4"]


def windows(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def viewer(work, script):
    """Runs the viewer with this script; its output lines."""
    command = [os.path.join(ROOT, "tools", "wine-run.sh"), "--prefix", os.path.join(work, "wineprefix"),
               os.path.join(work, "viewer", "viewer.exe"), "--script", "-"]
    result = subprocess.run(command, input=script, capture_output=True, text=True, encoding="utf-8",
                            timeout=900)
    return result.stdout.splitlines()


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def add_indexes(work, paths):
    script = "menu VELT:Search\nwait Vyhľadanie 60\nclick Indexy...\nwait \"Správa indexov\" 30\n"
    for path in paths:
        script += "click Pridať...\nopenfile %s\nwait \"Správa indexov\" 30\n" % quoted(windows(path))
    script += "click Koniec\nwait Vyhľadanie 30\ndump\nclick Storno\nquit\n"
    output = viewer(work, script)
    if any(line.startswith(("timeout", "no open-file")) for line in output):
        sys.exit("adding the indexes failed:\n" + "\n".join(output))


def search_session(work, word, names, repeats, dump):
    """One viewer session: the search, then `repeats` more of the same query
    (through "&Hľadanie..." or, after the warning, the still open search
    dialog). Returns the times in ms, the memory lines and the dump."""
    select = "select #1220 " + " ".join(quoted(n) for n in names) + "\n"
    script = "menu VELT:Search\nwait Vyhľadanie 60\nmemory\n"
    for i in range(repeats + 1):
        script += "type #1202 %s\n%stimeclick Hľadať\n" % (quoted(word), select)
        script += "wait %s 300\n" % quoted(WARNING if word == QUERIES[0][1] else RESULTS)
        if i == 0 and dump:
            script += "dump\n"
        script += "memory\n"
        # Back to the search dialog, whichever answer came.
        script += "click OK\nclick Hľadanie...\nwait Vyhľadanie 30\n"
    script += "click Storno\nquit\n"
    output = viewer(work, script)
    times = [float(m.group(1)) for m in (re.match(r"time ([\d.]+) ms", l) for l in output) if m]
    memory = [l for l in output if l.startswith("memory ")]
    if len(times) != repeats + 1:
        sys.exit("a search was not timed:\n" + "\n".join(output[-40:]))
    return times, memory, output


def summary(output):
    for line in output:
        m = re.search(r"Nájdených (\d+) strán v (\d+) súboroch", line)
        if m:
            return int(m.group(1)), int(m.group(2))
    return 0, 0


def engine_time(query_bin, index, word):
    times = []
    for _ in range(5):
        start = time.perf_counter()
        subprocess.run([query_bin, index, word], capture_output=True, check=True)
        times.append(time.perf_counter() - start)
    return statistics.median(times) * 1000


def working_kb(line):
    # Wine leaves private bytes at 0; the working set tells what the process holds.
    return int(re.search(r"working (\d+) KB", line).group(1))


def main():
    args = sys.argv[1:]
    work, bin_dir, viewer_folder = args[0], args[1], args[2]
    sessions = int(args[args.index("--sessions") + 1]) if "--sessions" in args else 3
    repeats = int(args[args.index("--repeats") + 1]) if "--repeats" in args else 3
    only = args[args.index("--only") + 1] if "--only" in args else None
    words = args[args.index("--queries") + 1].split(",") if "--queries" in args else None

    # A fresh copy of the built viewer; the database beside the plug-in stays.
    target = os.path.join(work, "viewer")
    database = os.path.join(target, "Plug_ins", "Tarvek", "tarvek.idb")
    kept = open(database, "rb").read() if os.path.exists(database) else None
    shutil.rmtree(target, ignore_errors=True)
    shutil.copytree(viewer_folder, target)
    if kept is not None:
        open(database, "wb").write(kept)
    else:
        add_indexes(work, [os.path.join(work, "one", "Bench.sbi")] +
                    [os.path.join(work, "multi", "q%d" % k, "Q%d.sbi" % k) for k in range(1, 5)])

    query_bin = os.path.join(bin_dir, "tarvek-query")
    rows = []
    for label, names in (("one index, 10,000 files", ONE), ("four indexes of 8,000 files", FOUR)):
        if only and only != ("one" if names == ONE else "four"):
            continue
        indexes = [os.path.join(work, "one", "Bench.sbi")] if names == ONE else \
            [os.path.join(work, "multi", "q%d" % k, "Q%d.sbi" % k) for k in range(1, 5)]
        for name, word in QUERIES:
            if words and word not in words:
                continue
            firsts, warm, held = [], [], []
            found = None
            for s in range(sessions):
                times, memory, output = search_session(work, word, names, repeats, dump=(s == 0))
                firsts.append(times[0])
                warm += times[1:]
                if s == 0:
                    found = summary(output)
                    # After the last search, with its results dialog open,
                    # against the session's start.
                    held.append(working_kb(memory[-1]) - working_kb(memory[0]))
                    print("  " + word + ": " + "; ".join(memory), file=sys.stderr, flush=True)
            engine = sum(engine_time(query_bin, index, word) for index in indexes)
            row = "| %s | %s | %d | %d | %.0f | %.0f | %.0f | %.1f |" % (
                label, name, found[1], found[0], statistics.median(firsts), statistics.median(warm), engine,
                held[0] / 1024.0)
            print(row, flush=True)
            rows.append(row)
    print()
    print("| Indexes | Query | files | pages | first search ms | later searches ms | tarvek-query ms "
          "| working set grown MB |")
    print("|---|---|---|---|---|---|---|---|")
    print("\n".join(rows))


if __name__ == "__main__":
    main()
