#!/usr/bin/env python3
"""make demo: the story a user lives, through the real windows under Wine.

In a fresh Wine prefix (build/demo/wineprefix) the installer tarvinst.exe
from build/medium installs the plug-in into a stand-in viewer registered as
Acrobat Reader 6.0; the viewer then loads it, the index manager adds the two
sample indexes through the system's open-file dialog, and searches run from
the search dialog: a Slovak word with lemmatisation and Fuzzy Dia, an English
phrase, a NEAR query and a word found only on scanned pages, each over both
indexes; the results are sorted and stepped through page by page into the
next file and back; last a search in the previous results and a query re-run
from the history popup.

Prints a transcript with every step marked done or FAILED, writes a picture
of every dialog it met and of every page it showed (the sample PDF page with
the highlighted words marked) to build/demo/, with build/demo/index.html
showing them in order. Exits non-zero when any step did not happen as
expected. Needs `make samples win32 medium` (the Makefile sees to it, with
the 64-bit check tree where 32-bit programs cannot run).
"""

import html
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
# The tree and the Wine runner: the 32-bit ones, or where 32-bit programs
# cannot run, the 64-bit check tree under 64-bit Wine (the Makefile chooses).
WIN32 = os.path.join(ROOT, os.environ.get("TARVEK_DEMO_TREE", os.path.join("build", "win32")))
WINE_RUN = os.path.join(ROOT, os.environ.get("TARVEK_DEMO_WINE", os.path.join("tools", "wine-run.sh")))
MEDIUM = os.path.join(ROOT, "build", "medium")
SAMPLES = os.path.join(ROOT, "build", "samples")
OUT = os.path.join(ROOT, "build", "demo")
PREFIX = os.path.join(OUT, "wineprefix")
VIEWER_FOLDER = "C:\\Program Files\\Reader 6.0\\"
RESULTS = "TarvekPDF Search - Výsledky hľadania"
MEDIUM_FILES = ["tarvinst.exe", "TARVINST.INF", "LICENCIA.TXT", "ZaZiruDA.exe", "PLUGIN/query.API",
                "PLUGIN/vovar_av.dll", "PLUGIN/NOTICE.txt"] + \
    ["PLUGIN/ling_%s.tld" % language for language in ("sk", "en", "cs", "fr", "de", "hu", "pl", "it", "es")]


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def in_prefix(windows):
    """The Linux path of a C:\\ path inside the demo's prefix."""
    return os.path.join(PREFIX, "drive_c", *windows[3:].rstrip("\\").split("\\"))


class Refusal(Exception):
    """Something the demo needs is missing; the message says what and how to get it."""


class Story:
    def __init__(self):
        self.failed = 0
        self.pictures = []  # (caption, file name in OUT)

    def step(self, title, ok, lines=()):
        print("[%s] %s" % ("done" if ok else "FAILED", title))
        for line in lines:
            print("       " + line)
        if not ok:
            self.failed += 1

    def picture(self, caption, name):
        if os.path.exists(os.path.join(OUT, name)):
            self.pictures.append((caption, name))


def wine(*args, log=None):
    """Runs a Windows program in the demo's prefix; its output lines."""
    command = [WINE_RUN, "--prefix", PREFIX] + list(args)
    with open(os.path.join(OUT, "wine.log"), "a") as errors:
        result = subprocess.run(command, stdout=subprocess.PIPE, stderr=errors, cwd=ROOT)
    text = result.stdout.decode("utf-8", "replace").replace("\r", "")
    if log:
        with open(os.path.join(OUT, log), "w", encoding="utf-8") as f:
            f.write(text)
    return text.splitlines()


def preflight():
    missing = [name for name in MEDIUM_FILES if not os.path.isfile(os.path.join(MEDIUM, name))]
    if missing:
        raise Refusal("the installation medium build/medium is incomplete (missing %s): run `make medium`"
                      % ", ".join(missing))
    for name in ("vzorky_sk.sbi", "vzorky_sk.sbf", "samples_en.sbi", "samples_en.sbf"):
        if not os.path.isfile(os.path.join(SAMPLES, name)):
            raise Refusal("the sample indexes are missing (%s): run `make samples`" % name)
    if not shutil.which("wine"):
        raise Refusal("Wine is not installed: run `tools/install-deps.sh` (Debian packages wine, wine32:i386)")


def fresh_prefix():
    # Always a new prefix: nothing a failed earlier run left can break this one.
    shutil.rmtree(PREFIX, ignore_errors=True)
    for name in os.listdir(OUT) if os.path.isdir(OUT) else []:
        if name.endswith((".png", ".script", ".out", ".html")):
            os.remove(os.path.join(OUT, name))
    os.makedirs(OUT, exist_ok=True)
    open(os.path.join(OUT, "wine.log"), "w").close()
    if os.path.exists(os.path.join(OUT, ".complete")):
        os.remove(os.path.join(OUT, ".complete"))
    if wine("cmd", "/c", "echo", "ready") != ["ready"]:
        shutil.rmtree(PREFIX, ignore_errors=True)
        raise Refusal("Wine cannot start (see build/demo/wine.log): run `tools/install-deps.sh`, and check "
                      "that `wine cmd /c echo ready` works")


def write_script(name, lines):
    path = os.path.join(OUT, name)
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    return windows_path(path)


def shot(name):
    return "shot " + windows_path(os.path.join(OUT, name))


def install(story):
    """Step 1: a viewer installation registered in the prefix, and tarvinst.exe through every page."""
    program = in_prefix(VIEWER_FOLDER + "AcroRd32.exe")
    os.makedirs(os.path.dirname(program), exist_ok=True)
    shutil.copy(os.path.join(WIN32, "standins", "viewer", "viewer.exe"), program)
    wine("reg", "add", "HKCU\\Software\\Adobe\\Acrobat Reader\\6.0\\InstallPath", "/ve", "/d", VIEWER_FOLDER, "/f")
    script = write_script("install.script", [
        "wait Uvítanie", shot("01-installer-welcome.png"), 'click "Ďalej >"',
        'wait "Výber cieľového adresára"', "dump", shot("02-installer-target.png"), 'click "Ďalej >"',
        'wait "Licenčná zmluva"', 'click "Súhlasím s uvedenou licenčnou zmluvou"',
        shot("03-installer-licence.png"), "click Inštalovať", 'wait ""', "wait Tarvinst 60", "dump",
        shot("04-installer-done.png"), "click #1", "exit 20"])
    out = wine(os.path.join(WIN32, "standins", "driver", "driver.exe"), "--script", script,
               windows_path(os.path.join(MEDIUM, "tarvinst.exe")), log="install.out")
    target = [l.strip() for l in out if "Acrobat Reader 6.00" in l]
    installed = os.listdir(in_prefix(VIEWER_FOLDER + "Plug_ins\\Tarvek\\")) if os.path.isdir(
        in_prefix(VIEWER_FOLDER + "Plug_ins\\Tarvek\\")) else []
    ok = any('"Inštalácia úspešne ukončená!"' in l for l in out) and "exited 0" in out and "query.API" in installed
    story.step("1. tarvinst.exe installs the plug-in from build/medium into the stand-in viewer "
               "(Acrobat Reader 6.0)", ok,
               ["target page: " + (target[0] if target else "(no viewer listed)"),
                "installed in %sPlug_ins\\Tarvek\\: %s" % (VIEWER_FOLDER, ", ".join(sorted(installed)))] +
               [l for l in out if "úspešne" in l])
    for caption, name in (("Installer: Uvítanie", "01-installer-welcome.png"),
                          ("Installer: Výber cieľového adresára", "02-installer-target.png"),
                          ("Installer: Licenčná zmluva", "03-installer-licence.png"),
                          ("Installer: the final message", "04-installer-done.png")):
        story.picture(caption, name)
    return ok


def copy_samples():
    target = in_prefix("C:\\Vzorky\\")
    shutil.rmtree(target, ignore_errors=True)
    shutil.copytree(os.path.join(SAMPLES, "pdf"), os.path.join(target, "pdf"))
    for name in os.listdir(SAMPLES):
        if name.endswith((".sbi", ".sbf")):
            shutil.copy(os.path.join(SAMPLES, name), target)


def search(query, operator=None, near=None, toggles=(), scope=None, picture=None):
    """Script lines that fill the open search dialog and search."""
    lines = []
    if operator:
        lines.append('type #1204 "%s"' % operator)
    if near:
        lines.append("type #1206 %s" % near)
    lines.append('type #1202 "%s"' % query)
    lines += ['click "%s"' % t for t in toggles]
    if scope:
        lines.append('click "%s"' % scope)
    lines.append("dump")
    if picture:
        lines.append(shot(picture))
    lines += ["click Hľadať", 'wait "%s" 20' % RESULTS, "dump", "columns #1301"]
    return lines


def reopen_search():
    return ["click &Hľadanie...", "wait Vyhľadanie"]


def viewer_script():
    step = lambda name: "echo step " + name  # noqa: E731
    return [
        step("2"), "menus",
        step("3"), "menu VELT:Search", "wait Vyhľadanie", "click &Indexy...", 'wait "Správa indexov"',
        "click &Pridať...", "openfile C:\\Vzorky\\vzorky_sk.sbi", 'wait "Správa indexov"',
        "click &Pridať...", "openfile C:\\Vzorky\\samples_en.sbi", 'wait "Správa indexov"', "dump",
        shot("05-index-manager.png"), "click &Koniec", "wait Vyhľadanie",
        "click #1218",  # "Vš&etky": both indexes
        "dump",
        step("4a")] + search("rieke", toggles=("Lematizátor", "Fuzzy Dia"), picture="06-search-dialog.png") + [
        shot("07-results-slovak.png"),
        step("5"), "header #1301 Výskytov", "dump", shot("08-results-sorted.png"),
        "click Zobraziť", "log", "docshot " + windows_path(os.path.join(OUT, "doc-1.png")),
        'click "Nasl. strana"', "log", "docshot " + windows_path(os.path.join(OUT, "doc-2.png")),
        'click "Nasl. strana"', "log", "docshot " + windows_path(os.path.join(OUT, "doc-3.png")),
        'click "Nasl. strana"', "log", "docshot " + windows_path(os.path.join(OUT, "doc-4.png")),
        'click "Pred. strana"', "log", "docshot " + windows_path(os.path.join(OUT, "doc-5.png")),
        step("4b")] + reopen_search() + search("kitchen garden", operator="NEXT (fráza)",
                                               toggles=("Lematizátor", "Fuzzy Dia")) + [
        shot("09-results-phrase.png"),
        step("4c")] + reopen_search() + search("compost spring", operator="NEAR (blízko)", near="5") + [
        shot("10-results-near.png"),
        step("6a")] + reopen_search() + search("garden", operator="AND (a zároveň)", scope="Pred. hľad.") + [
        shot("11-results-previous.png"),
        step("4d")] + reopen_search() + search("nájomca") + [shot("12-results-scanned.png"),
        step("4e")] + reopen_search() + search("včelárovi", toggles=("Lematizátor",)) + [
        shot("14-results-lemmas.png"),
        step("6b")] + reopen_search() + [
        "click HISTORY", "popup", 'choose "rieke"', "dump", shot("13-search-from-history.png"),
        "click Hľadať", 'wait "%s" 20' % RESULTS, "dump",
        step("end")]


def split_steps(lines):
    steps, current = {}, None
    for line in lines:
        if line.startswith("echo step "):
            current = line[len("echo step "):]
            steps[current] = []
        elif current:
            steps[current].append(line)
    return steps


def results_of(lines):
    """The summary line and the rows of the results dialog's last dump in `lines`."""
    summary, rows = None, []
    for index, line in enumerate(lines):
        if line == 'dialog "%s"' % RESULTS:
            summary, rows = None, []
            for follow in lines[index + 1:]:
                if not follow.startswith("  "):
                    break
                if follow.startswith("  Static #1300 "):
                    summary = re.sub(r'^  Static #1300 "(.*)" enabled$', r"\1", follow)
                elif follow.startswith("    item "):
                    rows.append(follow.strip()[len('item "'):].rstrip('"').replace(' selected', '').rstrip('"'))
    return summary, rows


def header_of(lines):
    return " | ".join(re.sub(r'^column \d+ "(.*)" width.*$', r"\1", l) for l in lines if l.startswith("column "))


def sample_pdf(name):
    for folder, _, files in os.walk(os.path.join(SAMPLES, "pdf")):
        if name in files:
            return os.path.join(folder, name)
    return None


def pages_shown(story, lines, first_number):
    """Every page the viewer showed (its `selection` log lines), drawn with its words marked."""
    shown = []
    for line in lines:
        match = re.match(r'^selection "(.*)" page (\d+) entries (.*) highlighted$', line)
        if not match:
            continue
        name, page, entries = match.group(1), int(match.group(2)), match.group(3)
        positions = [entry.split(":")[0] for entry in entries.split(",") if entry]
        number = first_number + len(shown)
        picture = "page-%02d.png" % number
        pdf = sample_pdf(name)
        words = []
        if pdf:
            marked = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "demo", "mark_hits.py"), pdf,
                                     str(page + 1), os.path.join(OUT, picture)] + positions,
                                    capture_output=True, text=True)
            words = [re.sub(r"^position (\d+): ", r"\1 ", w) for w in marked.stdout.splitlines()]
            story.picture("Page %d of %s with the hits marked (positions %s)" % (page + 1, name, ", ".join(positions)),
                          picture)
        shown.append((name, page + 1, positions, words))
    return shown


def report(story, steps):
    def check(key, title, expect_rows=None, extra=None):
        lines = steps.get(key, [])
        summary, rows = results_of(lines)
        ok = bool(summary) and bool(rows) and (expect_rows is None or any(expect_rows in r for r in rows))
        detail = ["summary: " + (summary or "(no results dialog)")]
        if header_of(lines):
            detail.append("columns: " + header_of(lines))
        detail += ["  " + r for r in rows]
        if extra:
            ok, more = extra(lines, ok)
            detail += more
        story.step(title, ok, detail)
        return lines

    lines = steps.get("2", [])
    menus = [l for l in lines if "VELT:" in l and (l.startswith("menu") or l.startswith("tool") or "item" in l)]
    story.step("2. The viewer starts and loads the installed plug-in", 'menu VELT:fIDXSubmenu "&TarvekPDF"' in lines,
               [l.strip() for l in menus][:12])

    lines = steps.get("3", [])
    listed = [l.strip() for l in lines if l.startswith('    item "') and ("Vzorky" in l or "Samples" in l)]
    story.step('3. "&Indexy..." adds the two sample indexes through the open-file dialog',
               any("Vzorky (SK)" in l for l in listed) and any("Samples (EN)" in l for l in listed),
               [l for l in lines if l.startswith("openfile")] + listed[-2:])
    story.picture("Index manager with both sample indexes", "05-index-manager.png")

    check("4a", '4. Slovak "rieke" with Le&matizátor and Fuzzy &Dia over both indexes', "rieka.pdf")
    story.picture("Search dialog: rieke, lemmatisation, Fuzzy Dia", "06-search-dialog.png")
    story.picture("Results of rieke", "07-results-slovak.png")

    def stepped(lines, ok):
        shown = pages_shown(story, lines, 1)
        files = [name for name, _, _, _ in shown]
        detail = ["page shown: %s page %d, words %s" % (n, p, "; ".join(w) or ", ".join(pos))
                  for n, p, pos, w in shown]
        detail += ["beep at the end of the hits" for l in lines if l.startswith("beep")]
        good = len(shown) >= 4 and len(set(files)) >= 2 and shown[-1][:2] == shown[-3][:2]
        return good, detail

    check("5", '5. Sorted by "Výskytov", "&Zobraziť" shows the first hit page, "&Nasl. strana" steps into the next '
               'file and "&Pred. strana" back', "rieka.pdf", stepped)
    story.picture("Results sorted by Výskytov", "08-results-sorted.png")
    for index in range(1, 6):
        story.picture("The viewer's document window, step %d" % index, "doc-%d.png" % index)

    check("4b", '6. English phrase "kitchen garden" with "NEXT (fráza)"', "garden.pdf")
    story.picture("Results of the phrase kitchen garden", "09-results-phrase.png")
    check("4c", '7. "compost spring" with "NEAR (blízko)", distance 5', "garden.pdf")
    story.picture("Results of compost NEAR spring", "10-results-near.png")
    check("6a", '8. "garden" in the previous results ("Pred. hľad.")', "garden.pdf")
    story.picture("Results of garden in the previous results", "11-results-previous.png")
    check("4d", '9. "nájomca", a word found only on scanned pages (read by OCR when indexing)', "zmluva_sken.pdf")
    story.picture("Results of nájomca: the scanned contract", "12-results-scanned.png")
    check("4e", '10. Slovak "včelárovi" with Le&matizátor: a form on no page finds "Včelár" through the Slovak '
                'dictionary compiled into ling_sk.tld', "vcelarstvo.pdf")
    story.picture("Results of včelárovi: the forms of its lemma", "14-results-lemmas.png")

    def from_history(lines, ok):
        popup = [l.strip() for l in lines if l.startswith("popup") or l.startswith("  item")]
        return ok and any('"rieke"' in l for l in popup), ["history popup: " + " / ".join(popup)]

    check("6b", '11. "rieke" re-run from the history popup', "rieka.pdf", from_history)
    story.picture("Search dialog filled from the history popup", "13-search-from-history.png")


def write_index(story):
    parts = ["<!DOCTYPE html><html><head><meta charset='utf-8'><title>TarvekPDF Search demo</title>",
             "<style>body{font-family:sans-serif;margin:2em}figure{margin:2em 0}img{border:1px solid #999;"
             "max-width:100%}figcaption{font-weight:bold;margin-bottom:.5em}</style></head><body>",
             "<h1>TarvekPDF Search: the demo, step by step</h1>",
             "<p>Every dialog the demo met, in order, and every page it showed with the highlighted words "
             "marked on the real PDF page. The transcript is in <a href='transcript.txt'>transcript.txt</a>.</p>"]
    for caption, name in story.pictures:
        parts.append("<figure><figcaption>%s</figcaption><img src='%s' alt='%s'></figure>"
                     % (html.escape(caption), name, html.escape(caption)))
    parts.append("</body></html>")
    with open(os.path.join(OUT, "index.html"), "w", encoding="utf-8") as f:
        f.write("\n".join(parts))


def main():
    story = Story()
    try:
        preflight()
        print("== A fresh Wine prefix in build/demo/wineprefix")
        fresh_prefix()
    except Refusal as refusal:
        print("make demo: " + str(refusal), file=sys.stderr)
        return 2
    print("== The story, through the real windows")
    if install(story):
        copy_samples()
        out = wine(in_prefix(VIEWER_FOLDER + "AcroRd32.exe"), "--script",
                   write_script("viewer.script", viewer_script()), log="viewer.out")
        report(story, split_steps(out))
    write_index(story)
    print("== Pictures: build/demo/*.png, shown in order by build/demo/index.html; the viewer's own output: "
          "build/demo/viewer.out")
    if story.failed:
        print("make demo: %d step(s) did not happen as expected" % story.failed, file=sys.stderr)
        return 1
    open(os.path.join(OUT, ".complete"), "w").close()
    print("All steps done. `make viewer` opens this viewer with the installed plug-in on your display.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
