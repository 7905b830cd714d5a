#!/usr/bin/env python3
"""Keystroke-to-paint latency in the editing window (median and worst of 200 keys typed at random places;
10 on the single line, where each key takes seconds) for a 1 MB page, a 50 MB page and a 20 MB page on one
line, word wrap on as the program starts, with colouring as you type on and off, beside
a bare QsciScintilla in the same run (targets: 16 ms per key, 50 ms on the single line). Also the
program's memory beside the file's size (target: below 4 times)."""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
tool = os.path.join(build, "bench", "bench_typing")
work = tempfile.mkdtemp(prefix="quillon-bench-typing-")
row = b"<tr><td class=\"c\"><a href=\"page.html#x\">a link</a></td><td><b>bold</b> and text</td></tr>"
pages = {
    "1 MB": row + b"\r\n",
    "50 MB": row + b"\r\n",
    "20 MB on one line": row,
}
sizes = {"1 MB": 1_000_000, "50 MB": 50_000_000, "20 MB on one line": 20_000_000}
keys = {"1 MB": 200, "50 MB": 200, "20 MB on one line": 10}
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
for name, unit in pages.items():
    path = os.path.join(work, name.replace(" ", "_") + ".html")
    with open(path, "wb") as f:
        f.write(unit * (sizes[name] // len(unit) + 1))
    size_mb = os.path.getsize(path) / 1e6
    results = {}
    for mode in ("bare", "off", "on"):
        out = subprocess.run([tool, path, mode, str(keys[name])], check=True, capture_output=True, text=True, env=env).stdout.split()
        median, worst, rss_kb, _ = float(out[0]), float(out[1]), int(out[2]), int(out[3])
        results[mode] = (median, worst, rss_kb)
        print(f"{name}, {mode:4}: median {median:.2f} ms, worst {worst:.2f} ms, memory {rss_kb / 1024:.0f} MB "
              f"({rss_kb / 1024 / size_mb:.1f} x the file)")
    for mode in ("off", "on"):
        report(f"typing, {name}, colouring as you type {mode}, worst key", results[mode][1] / 1000,
               results["bare"][1] / 1000, "bare QsciScintilla")
    os.unlink(path)
os.rmdir(work)
