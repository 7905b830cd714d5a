#!/usr/bin/env python3
"""Opening a 20,000-page project five levels deep, shown fully expanded, then saving it, through the real
main window. Each figure is a whole quillon-drive run minus a run that only starts and stops."""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
pages = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
work = tempfile.mkdtemp(prefix="quillon-bench-")
prog = os.path.join(work, "prog")
os.makedirs(os.path.join(prog, "projects"))
with open(os.path.join(prog, "OPTIONS.INI"), "w") as f:
    f.write("[Help]\r\nShowTips=0\r\n")

outline, links = [], []
level = 1
for i in range(pages):
    outline.append("\t" * (level - 1) + f"Page number {i} of the big site")
    links.append(f"/srv/www/site/section{i % 97}/page{i}.html")
    level = level + 1 if level < 5 and i % 3 != 2 else (1 if i % 11 == 0 else max(1, level - 1))
out = os.path.join(prog, "projects", "big.out")
with open(out, "wb") as f:
    f.write(("\r\n".join(outline) + "\r\n").encode())
with open(out[:-3] + "fil", "wb") as f:
    f.write(("\r\n".join(links) + "\r\n").encode())
drive = os.path.join(build, "bin", "quillon-drive")


def timed(text):
    path = os.path.join(work, "s.qd")
    with open(path, "w") as f:
        f.write(text)
    best = None
    for _ in range(3):
        start = time.perf_counter()
        subprocess.run([drive, "--program-dir", prog, path], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return best


base = timed("dump\n")
opened = timed(f'file "{out}"\ncommand Open1Click\nwait-idle\n')
saved = timed(f'file "{out}"\ncommand Open1Click\nwait-idle\ncommand SaveAs1Click\n'.replace(
    "command SaveAs1Click", f'file "{out}"\ncommand SaveAs1Click'))
print(f"{pages} pages: open and show expanded {opened - base:.3f} s; save {saved - opened:.3f} s "
      f"(start/stop alone {base:.3f} s)")
report(f"project of {pages} pages, open and show expanded", opened - base)
report(f"project of {pages} pages, save", saved - opened)
