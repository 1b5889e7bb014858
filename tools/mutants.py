#!/usr/bin/env python3
"""Plants the faults listed in tools/mutants.txt one at a time, rebuilds the
test programs each one names in a tree of its own (build/mutants, configured
like build/native), runs them, and restores the file. A fault no test catches
survived. The last line is "N faults planted, M survived".

    tools/mutants.py [--wine] [--only TEXT] [--check] [LIST]

--wine also plants the faults whose tests run under Wine (tree: win32, built
in build/mutants-win32, or in build/mutants-win64 for 64-bit Wine on a machine
that cannot run 32-bit programs); without it they are skipped. --only plants the faults
whose name holds TEXT. --check only checks that every fault's old text is
found exactly once.
"""

import argparse
import json
import os
import signal
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TREES = {
    "native": {
        "dir": ROOT / "build" / "mutants",
        "configure": ["-DCMAKE_BUILD_TYPE=Debug"],
        "timeout": 300,
    },
    "win32": {
        "dir": ROOT / "build" / "mutants-win32",
        "configure": ["-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake"],
        "timeout": 900,
    },
}
FIELDS = ("fault", "file", "tree", "tests", "old", "new")

# Where 32-bit programs cannot run, the Wine faults are tested on the 64-bit
# check tree under 64-bit Wine, as make test-win32 does.
if subprocess.run([str(ROOT / "tools" / "runs-32bit.sh")], stderr=subprocess.DEVNULL).returncode != 0:
    TREES["win32"]["dir"] = ROOT / "build" / "mutants-win64"
    TREES["win32"]["configure"] = ["-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake"]


class ListError(Exception):
    pass


def parse_list(path):
    """The faults of the list, each a dict of FIELDS; see tools/mutants.txt."""
    faults, current = [], {}
    lines = path.read_text(encoding="utf-8").split("\n")
    i = 0

    def finish():
        if not current:
            return
        missing = [f for f in ("fault", "file", "tests", "old", "new") if f not in current]
        if missing:
            raise ListError(f"{path}: fault {current.get('fault', '?')!r} lacks {', '.join(missing)}")
        current.setdefault("tree", "native")
        if current["tree"] not in TREES:
            raise ListError(f"{path}: fault {current['fault']!r}: unknown tree {current['tree']!r}")
        faults.append(dict(current))
        current.clear()

    while i < len(lines):
        line = lines[i]
        i += 1
        if line.startswith("#"):
            continue
        if not line.strip():
            finish()
            continue
        name, sep, value = line.partition(":")
        if not sep or name.strip() not in FIELDS:
            raise ListError(f"{path}:{i}: expected one of {', '.join(FIELDS)}, got {line!r}")
        name, value = name.strip(), value[1:] if value.startswith(" ") else value
        if name == "fault" and current:
            finish()
        if value.startswith("<<") and name in ("old", "new"):
            tag, body = value[2:].strip(), []
            while i < len(lines) and lines[i] != tag:
                body.append(lines[i])
                i += 1
            if i == len(lines):
                raise ListError(f"{path}: {name} of {current.get('fault', '?')!r} never ends with {tag}")
            i += 1
            value = "\n".join(body)
        current[name] = value
    finish()
    return faults


def refusal(fault):
    """Why the fault cannot be planted, or None."""
    path = ROOT / fault["file"]
    if not path.is_file():
        return f"no file {fault['file']}"
    count = path.read_text(encoding="utf-8").count(fault["old"])
    if count != 1:
        return f"its old text is found {count} times in {fault['file']}, not once"
    if fault["old"] == fault["new"]:
        return "its new text is its old text"
    return None


# A planted file is noted here first, so that a run killed outright is undone
# by the next one.
def journal_path():
    return TREES["native"]["dir"] / "planted.json"


def restore_from_journal():
    journal = journal_path()
    if not journal.exists():
        return
    noted = json.loads(journal.read_text(encoding="utf-8"))
    Path(noted["path"]).write_bytes(bytes.fromhex(noted["original"]))
    journal.unlink()
    print(f"restored {noted['path']} from an earlier run")


def run(command, timeout=None, quiet=True):
    """Exit code of the command; 124 when it ran out of time."""
    try:
        done = subprocess.run(command, cwd=ROOT, timeout=timeout, stdout=subprocess.PIPE if quiet else None,
                              stderr=subprocess.STDOUT if quiet else None)
        return done.returncode
    except subprocess.TimeoutExpired:
        return 124


def configure(tree):
    spec = TREES[tree]
    if run(["cmake", "-S", ".", "-B", str(spec["dir"])] + spec["configure"]) != 0:
        raise SystemExit(f"cannot configure {spec['dir']}")


def split_test(test):
    program, _, pattern = test.partition(":")
    return program, pattern


def build(tree, tests, jobs):
    targets = sorted({split_test(t)[0] for t in tests})
    return run(["cmake", "--build", str(TREES[tree]["dir"]), "-j", str(jobs), "--target"] + targets) == 0


def test_passes(tree, test):
    """True iff the test program (with its filter) passes in the tree."""
    spec, (program, pattern) = TREES[tree], split_test(test)
    if tree == "win32":
        command = ["tools/with-display.sh", "ctest", "--test-dir", str(spec["dir"]), "--no-tests=error", "-R",
                   f"^{program}$"]
        if pattern:
            raise SystemExit(f"{test}: Wine test programs run whole, without a filter")
    else:
        found = [p for p in spec["dir"].rglob(program) if p.is_file() and os.access(p, os.X_OK)]
        if not found:
            raise SystemExit(f"no test program {program} in {spec['dir']}")
        command = [str(found[0])] + ([f"--gtest_filter={pattern}"] if pattern else [])
    return run(command, timeout=spec["timeout"]) == 0


def plant_and_test(fault, jobs):
    """'caught', 'survived' or 'did not build'. The file is restored on every way out."""
    path = ROOT / fault["file"]
    original = path.read_bytes()
    text = original.decode("utf-8")
    journal = journal_path()
    journal.parent.mkdir(parents=True, exist_ok=True)
    journal.write_text(json.dumps({"path": str(path), "original": original.hex()}), encoding="utf-8")
    try:
        path.write_bytes(text.replace(fault["old"], fault["new"], 1).encode("utf-8"))
        tests = fault["tests"].split()
        if not build(fault["tree"], tests, jobs):
            return "did not build"
        for test in tests:
            if not test_passes(fault["tree"], test):
                return "caught"
        return "survived"
    finally:
        path.write_bytes(original)
        journal.unlink(missing_ok=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("list", nargs="?", default=str(ROOT / "tools" / "mutants.txt"))
    parser.add_argument("--wine", action="store_true", help="also the faults whose tests run under Wine")
    parser.add_argument("--only", default="", help="only the faults whose name holds this text")
    parser.add_argument("--check", action="store_true", help="only check the list")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    args = parser.parse_args()

    # Ctrl-C and a polite kill both unwind through the restoring finally.
    def interrupted(*_):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, interrupted)
    signal.signal(signal.SIGHUP, interrupted)
    restore_from_journal()
    try:
        faults = [f for f in parse_list(Path(args.list)) if args.only in f["fault"]]
    except ListError as error:
        raise SystemExit(str(error))

    refused, chosen = [], []
    for fault in faults:
        why = refusal(fault)
        if why:
            refused.append((fault, why))
        elif fault["tree"] == "win32" and not args.wine:
            print(f"skipped  {fault['fault']} (its tests run under Wine: --wine)")
        else:
            chosen.append(fault)
    for fault, why in refused:
        print(f"REFUSED  {fault['fault']}: {why}")
    if args.check:
        print(f"{len(faults)} faults listed, {len(refused)} refused")
        return 1 if refused else 0

    # The unplanted code must pass, or every fault would look caught.
    for tree in sorted({f["tree"] for f in chosen}):
        configure(tree)
        tests = sorted({t for f in chosen if f["tree"] == tree for t in f["tests"].split()})
        if not build(tree, tests, args.jobs):
            raise SystemExit(f"the {tree} test programs do not build without a fault")
        failing = [t for t in tests if not test_passes(tree, t)]
        if failing:
            raise SystemExit(f"these fail without a fault: {', '.join(failing)}")

    survivors = []
    for fault in chosen:
        outcome = plant_and_test(fault, args.jobs)
        print(f"{outcome:8} {fault['fault']} ({fault['tests']})", flush=True)
        if outcome != "caught":
            survivors.append((fault, outcome))
    if survivors:
        print("\nNo test caught:")
        for fault, outcome in survivors:
            print(f"  {fault['fault']}: {fault['file']}" + (" (did not build)" if outcome != "survived" else ""))
    print(f"{len(chosen)} faults planted, {len(survivors)} survived")
    return 1 if survivors or refused else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        print("interrupted; the planted file is restored")
        sys.exit(130)
