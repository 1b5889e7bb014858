#!/usr/bin/env python3
"""Checks that 32-bit Windows binaries import only functions an old Windows has.

Usage: tools/pe_imports.py [--list FILE] [--oldest VERSION] BINARY...

Reads each binary's import table with the MinGW objdump and looks every
imported function up in the reviewed list (tools/windows-imports.txt: DLL,
function, first Windows version). Prints every import that is missing from
the list or newer than VERSION (default 2000), with the binaries that import
it, and exits 1 when there is any; 0 when all are known and old enough.
"""

import argparse
import pathlib
import re
import subprocess
import sys

VERSIONS = ["95", "NT4", "98", "2000", "XP", "Vista", "7", "8", "8.1", "10", "11"]
OBJDUMP = "i686-w64-mingw32-objdump"

# objdump -p: "\tDLL Name: KERNEL32.dll", then one line per import:
# "\t<vma>\t <hint>  <name>" (an import by ordinal has no name).
DLL_LINE = re.compile(r"^\s*DLL Name:\s*(\S+)")
IMPORT_LINE = re.compile(r"^\t[0-9a-f]+\t\s*\d+\s+(\S+)\s*$")


def imports_of(binary):
    """The set of (DLL upper-cased, function) a PE file imports by name."""
    dump = subprocess.run([OBJDUMP, "-p", str(binary)], check=True, capture_output=True, text=True).stdout
    found, dll, in_imports = set(), None, False
    for line in dump.splitlines():
        if line.startswith("The Import Tables"):
            in_imports = True
        elif in_imports and line and not line[0].isspace():
            in_imports = False  # the next section of the dump
        if not in_imports:
            continue
        if match := DLL_LINE.match(line):
            dll = match.group(1).upper()
        elif dll and (match := IMPORT_LINE.match(line)):
            found.add((dll, match.group(1)))
    return found


def read_list(path):
    known = {}
    for number, line in enumerate(pathlib.Path(path).read_text().splitlines(), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        fields = line.split()
        if len(fields) != 3 or fields[2] not in VERSIONS:
            sys.exit(f"{path}:{number}: expected 'DLL function version' with a version of {VERSIONS}")
        known[(fields[0].upper(), fields[1])] = fields[2]
    return known


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--list", default=pathlib.Path(__file__).with_name("windows-imports.txt"))
    parser.add_argument("--oldest", default="2000", choices=VERSIONS)
    parser.add_argument("binaries", nargs="+")
    args = parser.parse_args()

    known = read_list(args.list)
    oldest = VERSIONS.index(args.oldest)
    users = {}
    for binary in args.binaries:
        for entry in imports_of(binary):
            users.setdefault(entry, []).append(pathlib.Path(binary).name)

    problems = []
    for (dll, function), binaries in sorted(users.items()):
        version = known.get((dll, function))
        if version is None:
            problems.append(f"{dll} {function}: not in {args.list}; look it up and list it ({', '.join(binaries)})")
        elif VERSIONS.index(version) > oldest:
            problems.append(f"{dll} {function}: needs Windows {version} ({', '.join(binaries)})")
    for problem in problems:
        print(problem)
    print(f"{len(users)} imports of {len(args.binaries)} binaries checked, {len(problems)} "
          f"{'problem' if len(problems) == 1 else 'problems'} for Windows {args.oldest}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
