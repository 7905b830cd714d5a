#!/usr/bin/env python3
"""Start-up time of the main window beside a bare Qt window with a QsciScintilla, alternating runs."""
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
progdir = tempfile.mkdtemp(prefix="quillon-bench-")
with open(os.path.join(progdir, "OPTIONS.INI"), "w") as f:
    f.write("[Help]\r\nShowTips=0\r\n")
env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"), QUILLON_PROGRAM_DIR=progdir)


def once(exe):
    start = time.perf_counter()
    subprocess.run([exe], env=env, check=True, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


bare, ours = [], []
for exe in ("bench_startup_bare", "bench_startup_quillon"):  # warm the page cache
    once(os.path.join(build, "bench", exe))
for _ in range(runs):
    bare.append(once(os.path.join(build, "bench", "bench_startup_bare")))
    ours.append(once(os.path.join(build, "bench", "bench_startup_quillon")))
b, q = statistics.median(bare), statistics.median(ours)
print(f"start-up, median of {runs}: bare QsciScintilla window {b * 1000:.1f} ms, Quillon Pro {q * 1000:.1f} ms, ratio {q / b:.2f}")
report("start-up to first paint", q, b, "bare QsciScintilla window")
