#!/usr/bin/env python3
"""The colouring pass on generated 10 MB and 50 MB pages (lines of 60-200 bytes, CR LF, realistic tags):
the core pass alone and the whole Color Tags Now in the window, beside grep -o '<[^>]*>' | wc -l."""
import os
import random
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
work = tempfile.mkdtemp(prefix="quillon-bench-")
rng = random.Random(7)
pieces = ['<A HREF="page{n}.html">', "</A>", '<IMG SRC="pic{n}.gif" WIDTH=32 HEIGHT=32>', "<B>", "</B>",
          '<FONT SIZE="+1">', "</FONT>", "<TD>", "</TD>", "<TR>", "</TR>", "<LI>", "<P>", "<BR>", "<H2>", "</H2>"]
words = "the site page link image table list item text more about our products news contact".split()


def make(path, size):
    with open(path, "wb") as f:
        written = 0
        while written < size:
            target = rng.randint(60, 200)
            line = ""
            while len(line) < target:
                line += rng.choice(pieces).format(n=rng.randint(1, 999)) if rng.random() < 0.45 else rng.choice(words) + " "
            data = (line + "\r\n").encode()
            f.write(data)
            written += len(data)


def best(cmd, runs=3, **kw):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)
        times.append(time.perf_counter() - start)
    return min(times)


prog = os.path.join(work, "prog")
os.makedirs(prog)
with open(os.path.join(prog, "OPTIONS.INI"), "w") as f:
    f.write("[Help]\r\nShowTips=0\r\n")
drive = os.path.join(build, "bin", "quillon-drive")
for mb in (10, 50):
    page = os.path.join(work, f"page{mb}.html")
    make(page, mb * 1_000_000)
    tags = int(subprocess.run(f"grep -o '<[^>]*>' {page} | wc -l", shell=True, capture_output=True, text=True).stdout)
    grep = best(["sh", "-c", f"grep -o '<[^>]*>' {page} | wc -l"])
    core = best([os.path.join(build, "bench", "bench_colour_pass"), page])
    scripts = {}
    for name, extra in (("open", ""), ("colour", "command BitBtnColorNowClick\n")):
        scripts[name] = os.path.join(work, f"{name}{mb}.qd")
        with open(scripts[name], "w") as f:
            f.write(f'file "{page}"\ncommand OpenHTMLFile1Click\n{extra}')
    opened = best([drive, "--program-dir", prog, scripts["open"]])
    coloured = best([drive, "--program-dir", prog, scripts["colour"]])
    print(f"{mb} MB, {tags} tags: grep {grep:.3f} s; core pass {core:.3f} s ({core / grep:.2f} x grep); "
          f"Color Tags Now in the window {coloured - opened:.3f} s")
    report(f"colouring pass, {mb} MB", core, grep, "grep -o")
