#!/usr/bin/env python3
"""Runs every benchmark against one build and prints one table: each measurement beside its reference.

    python3 bench/run_all.py build            # all of them
    python3 bench/run_all.py build spell ftp  # those whose file name holds one of the words

A benchmark that fails, or that needs what this machine lacks (root for the FTP ones), is listed with its
reason and the others go on. Each benchmark's own lines are shown as it runs.
"""
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
build = sys.argv[1] if len(sys.argv) > 1 else "build"
words = sys.argv[2:]
NEEDS_ROOT = {"ftp_upload.py", "ftp_screen.py", "publish_upload.py", "publish.py"}

scripts = sorted(f for f in os.listdir(here)
                 if f.endswith(".py") and f not in ("run_all.py", "ratio.py") and (not words or any(w in f for w in words)))
rows, problems = [], []
for script in scripts:
    if script in NEEDS_ROOT and os.geteuid() != 0:
        problems.append((script, "needs root"))
        continue
    print(f"== {script}", flush=True)
    run = subprocess.run([sys.executable, os.path.join(here, script), build], capture_output=True, text=True)
    for line in run.stdout.splitlines():
        if line.startswith("RATIO\t"):
            _, what, ours, ref, ref_name = line.split("\t")
            rows.append((what, float(ours), float(ref) if ref else None, ref_name))
        else:
            print("   " + line)
    if run.returncode != 0:
        problems.append((script, (run.stderr.strip().splitlines() or ["exit status %d" % run.returncode])[-1]))

width = max([len(r[0]) for r in rows] + [11])
print()
print(f"{'measurement':<{width}}  {'ours (s)':>9}  {'ref (s)':>9}  {'ratio':>6}  reference")
for what, ours, ref, ref_name in rows:
    ratio = f"{ours / ref:6.2f}" if ref else "     -"
    ref_text = f"{ref:9.3f}" if ref is not None else "        -"
    print(f"{what:<{width}}  {ours:9.3f}  {ref_text}  {ratio}  {ref_name}")
for script, reason in problems:
    print(f"not measured: {script}: {reason}")
sys.exit(1 if any(reason != "needs root" for _, reason in problems) else 0)
