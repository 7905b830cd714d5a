#!/usr/bin/env python3
"""Analyze Site and the site link listing over a generated project of 5,000 pages (about 100 MB, 30 links
and 10 images a page), through the real dialog, beside `grep -oh 'href="[^"]*"' | sort -u` over the same
files in the same run. Best of three each."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
work = tempfile.mkdtemp(prefix="quillon-bench-analysis-")
site = os.path.join(work, "site")
os.makedirs(site)
PAGES = 5000
filler = b"<p>Words of the page that fill it out to its size, with nothing to find in them at all.</p>\r\n"
paths = []
for i in range(PAGES):
    parts = []
    for k in range(30):
        parts.append(b'<p><a href="page%d.html">link %d</a></p>\r\n' % ((i + k) % PAGES, k))
    for k in range(10):
        parts.append(b'<p><img src="images/pic%d.gif" alt="pic"></p>\r\n' % ((i + k) % 200))
    body = b"".join(parts)
    page = b"<html><head><title>Page %d</title></head><body>\r\n" % i + body
    page += filler * ((20000 - len(page)) // len(filler))
    path = os.path.join(site, f"page{i}.html")
    with open(path, "wb") as f:
        f.write(page)
    paths.append(path)
total = sum(os.path.getsize(p) for p in paths)
prog = os.path.join(work, "prog")
os.makedirs(os.path.join(prog, "projects"))
with open(os.path.join(prog, "OPTIONS.INI"), "wb") as f:
    f.write(b"[Help]\r\nShowTips=0\r\n")
with open(os.path.join(prog, "projects", "Bench.out"), "wb") as f:
    f.write(b"".join(b"Page %d\r\n" % i for i in range(PAGES)))
with open(os.path.join(prog, "projects", "Bench.fil"), "wb") as f:
    f.write(b"".join(p.encode() + b"\r\n" for p in paths))
drive = os.path.join(build, "bin", "quillon-drive")


def script(name, body):
    path = os.path.join(work, name)
    with open(path, "w") as f:
        f.write(f'file "{prog}/projects/Bench.out"\ncommand Open1Click\n'
                f"dialog TFormLoadSize\n{body}  click ButtonClose1\nend\ncommand GetPageLoadingData1Click\n")
    return path


def timed(cmd, shell=False):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, shell=shell, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


idle = script("idle.qd", "")
analyse = script("analyse.qd", "  click ButtonAnalyzeSite1\n")
links = script("links.qd", "  click ButtonAnalyzeSite2\n")
best = lambda fn: min(fn() for _ in range(3))
base = best(lambda: timed([drive, "--program-dir", prog, idle]))
ours_analyse = best(lambda: timed([drive, "--program-dir", prog, analyse])) - base
ours_links = best(lambda: timed([drive, "--program-dir", prog, links])) - base
grep = best(lambda: timed(f"cd {site} && grep -oh 'href=\"[^\"]*\"' *.html | sort -u > /dev/null", shell=True))
print(f"{PAGES} pages, {total / 1e6:.0f} MB: grep | sort -u {grep:.2f} s; Analyze Site {ours_analyse:.2f} s "
      f"({ours_analyse / grep:.2f} x); site link listing {ours_links:.2f} s ({ours_links / grep:.2f} x)")
report(f"Analyze Site, {PAGES} pages", ours_analyse, grep, "grep | sort -u")
report(f"site link listing, {PAGES} pages", ours_links, grep, "grep | sort -u")
shutil.rmtree(work)
