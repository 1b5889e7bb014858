"""Indexing a folder of PDF files with tarvek-index and asking tarvek-query,
for the lemmatizer's measurements (evaluate.py, realtext.py)."""

import os
import re
import subprocess
import sys


def run(command, env=None, ok=(0,)):
    result = subprocess.run(command, capture_output=True, text=True, env=env)
    if result.returncode not in ok:
        sys.exit("failed: %s\n%s%s" % (" ".join(command), result.stdout, result.stderr))
    return result


class Index:
    """An index of the PDF files of one folder, in one language."""

    def __init__(self, bin_dir, data, base, pdf, lang, name):
        self.bin_dir, self.data, self.base = bin_dir, data, base
        os.makedirs(os.path.dirname(base), exist_ok=True)
        run([os.path.join(bin_dir, "tarvek-index"), "--language", lang, "--name", name, pdf, base])

    def hits(self, word, flags):
        """[(file name, page, [places of the hits' words])] of a query; a
        query the engine refuses (status 2) finds nothing."""
        out = run([os.path.join(self.bin_dir, "tarvek-query"), self.base + ".sbi", "--flags", flags,
                   "--data", self.data, word], ok=(0, 2)).stdout
        found = []
        for line in out.splitlines():
            m = re.match(r"topic \d+: (.+) page (\d+):(.*)", line)
            if m:
                found.append((re.split(r"[\\/]", m.group(1))[-1], int(m.group(2)),
                              [int(p) for p in m.group(3).split()]))
        return found
