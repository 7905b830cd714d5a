#!/usr/bin/env python3
"""Check Site over a generated site of 5,000 pages (links, anchors, images, a style sheet, orphans and
weight), beside `grep -roh 'href="[^"]*"' | sort -u` for the plain cost of listing the links, and beside
`linkchecker --no-robots` on the same folder when it is installed. Best of three."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
check = os.path.join(build, "bin", "quillon-check")
work = tempfile.mkdtemp(prefix="quillon-bench-check-")
site = os.path.join(work, "site")
pages = 5000
os.makedirs(os.path.join(site, "img"))
with open(os.path.join(site, "site.css"), "wb") as f:
    f.write(b"body { background: url(img/bg.png) }\r\n")
for name in ("bg", "logo"):
    with open(os.path.join(site, "img", name + ".png"), "wb") as f:
        f.write(b"x" * 4096)
for i in range(pages):
    folder = os.path.join(site, "d%d" % (i % 50))
    os.makedirs(folder, exist_ok=True)
    links = b"".join(b'<li><a href="../d%d/p%d.html#s%d">page %d</a></li>\r\n' % (j % 50, j, j % 3, j)
                     for j in ((i * 7 + k * 13) % pages for k in range(20)))
    body = b"<p>" + b"Words of the page that fill it out as real pages are filled. " * 20 + b"</p>\r\n"
    page = (b'<!DOCTYPE html>\r\n<html><head><meta charset="utf-8"><title>Page %d</title>\r\n'
            b'<link rel="stylesheet" href="../site.css"></head>\r\n<body>\r\n<h1 id="s0">Page</h1>\r\n'
            b'<img src="../img/logo.png" alt="logo">\r\n<ul>\r\n%s</ul>\r\n<h2 id="s1">More</h2>\r\n%s'
            b'<h2 id="s2">End</h2>\r\n</body></html>\r\n' % (i, links, body * 4))
    with open(os.path.join(folder, "p%d.html" % i), "wb") as f:
        f.write(page)
with open(os.path.join(site, "index.html"), "wb") as f:
    f.write(b"".join(b'<a href="d%d/p%d.html">%d</a>\r\n' % (j % 50, j, j) for j in range(pages)))
os.sync()


def best(cmd, shell=False, ok=(0,)):
    times = []
    for _ in range(3):
        start = time.perf_counter()
        r = subprocess.run(cmd, shell=shell, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
        assert r.returncode in ok, (cmd, r.returncode)
    return min(times)


ours = best([check, "--folder", site], ok=(0, 1))
listing = best("grep -roh 'href=\"[^\"]*\"' %s | sort -u > /dev/null" % site, shell=True)
results = [("check site, 5,000 pages", ours, listing, "grep -roh href | sort -u")]
if shutil.which("linkchecker"):
    start = time.perf_counter()
    subprocess.run(["linkchecker", "--no-robots", "--no-status", "-o", "none", os.path.join(site, "index.html")],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    results.append(("check site, 5,000 pages", ours, time.perf_counter() - start, "linkchecker --no-robots"))
else:
    print("linkchecker is not installed: apt-get install linkchecker to compare with it")
shutil.rmtree(work, ignore_errors=True)
for label, a, b, name in results:
    print(f"{label}: {a:.3f} s, {name} {b:.3f} s ({a / b:.2f} x)")
for label, a, b, name in results:
    report(label, a, b, name)
