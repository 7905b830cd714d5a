#!/usr/bin/env python3
"""Opening 100 pages of 1 MB each in tabs through the real main window, beside opening one.

Time and peak memory of quillon-drive opening N pages (File, Open, one after another), best of three; the
run that opens one page is the reference, so "linear" means the 100-page figures come to about 100 times
the one-page cost above a start that opens nothing."""
import os
import resource
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
count = int(sys.argv[2]) if len(sys.argv) > 2 else 100
work = tempfile.mkdtemp(prefix="quillon-bench-pages-")
drive = os.path.join(build, "bin", "quillon-drive")
line = b'<tr><td><a href="page.html#x">a link</a></td><td><b>bold</b> and text</td></tr>\r\n'
pages = []
for i in range(count):
    path = os.path.join(work, f"p{i}.html")
    with open(path, "wb") as f:
        f.write(line * (1_000_000 // len(line)))
    pages.append(path)
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")


def run(n):
    """Seconds and peak resident megabytes of a run that opens the first n pages."""
    best = None
    for _ in range(3):
        prog = tempfile.mkdtemp(dir=work)
        with open(os.path.join(prog, "OPTIONS.INI"), "wb") as f:
            f.write(b"[Help]\r\nShowTips=0\r\n[Editor]\r\nRestorePages=0\r\n")
        script = os.path.join(prog, "open.qd")
        with open(script, "w") as f:
            f.write("".join(f'file "{p}"\ncommand OpenHTMLFile1Click\n' for p in pages[:n]) + "wait-idle\n")
        start = time.perf_counter()
        child = subprocess.Popen([drive, "--program-dir", prog, script], env=env, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        seconds = time.perf_counter() - start
        if status != 0:
            sys.exit(f"quillon-drive failed opening {n} pages")
        result = (seconds, usage.ru_maxrss / 1024)
        best = result if best is None or result[0] < best[0] else best
    return best


empty = run(0)
one = run(1)
many = run(count)
print(f"start only: {empty[0]:.2f} s, {empty[1]:.0f} MB")
print(f"1 page: {one[0]:.2f} s, {one[1]:.0f} MB")
print(f"{count} pages: {many[0]:.2f} s, {many[1]:.0f} MB")
per_one = one[0] - empty[0]
per_many = (many[0] - empty[0]) / count
print(f"per page: {per_one * 1000:.1f} ms alone, {per_many * 1000:.1f} ms each of {count}; "
      f"memory per page {(one[1] - empty[1]):.1f} MB alone, {(many[1] - empty[1]) / count:.1f} MB each of {count}")
report(f"open {count} pages of 1 MB in tabs, per page", per_many, per_one, "opening one page")
