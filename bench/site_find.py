#!/usr/bin/env python3
"""Find in site over a generated site of 5,000 HTML files (about 100 MB), beside grep in the same run: a
literal search beside `grep -rn -F` and a regular expression beside `grep -rn -E`, each printing every
match with its file and line (about 100,000 matches); Extended Replace's Preview of those matches, against
the 1 s target; then the undo of a replace that changed every file, beside `cp -r` of the same files. Best
of three."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
tool = os.path.join(build, "bench", "bench_site_find")
work = tempfile.mkdtemp(prefix="quillon-bench-find-")
site = os.path.join(work, "site")
line = b"<p>Some text of the page, <b>alpha</b> and more words to fill the line out.</p>\r\n"
filler = b"<p>Nothing to find on this line, only words that fill a page of a site.</p>\r\n"
page = (line + filler * 11) * 20 + b"<p>end</p>\r\n"  # about 20 KB, 20 matches
for i in range(5000):
    sub = os.path.join(site, f"d{i % 50}")
    os.makedirs(sub, exist_ok=True)
    with open(os.path.join(sub, f"page{i}.html"), "wb") as f:
        f.write(page)
os.sync()


def best(cmd):
    """Best of three, the matches written to a file: GNU grep stops at the first match when its output is
    /dev/null, which would time no search at all."""
    times = []
    for _ in range(3):
        with open(os.path.join(work, "matches"), "wb") as out:
            start = time.perf_counter()
            subprocess.run(cmd, check=True, stdout=out, stderr=subprocess.DEVNULL)
            times.append(time.perf_counter() - start)
    return min(times)


results = []
for label, ours, theirs, name in (
        ("literal", [tool, "find", "alpha", site], ["grep", "-rn", "-F", "alpha", site], "grep -rn -F"),
        ("regular expression", [tool, "find", "--regex", "<b>al[a-z]+</b>", site],
         ["grep", "-rn", "-E", "<b>al[a-z]+</b>", site], "grep -rn -E")):
    results.append((f"find in site, {label}, 100,000 matches", best(ours), best(theirs), name))

# Extended Replace's Preview of the 100,000 matches, from the click to the painted list, offscreen.
preview_times = []
for _ in range(3):
    data = os.path.join(work, "preview-data")
    os.makedirs(data, exist_ok=True)
    out = subprocess.run([os.path.join(build, "bench", "bench_preview_shown"), data, site], check=True,
                         capture_output=True, text=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    seconds, count = out.stdout.split()
    assert count == "100000", count
    preview_times.append(float(seconds))
results.append(("preview of 100,000 matches shown", min(preview_times), 1.0, "the 1 s target"))

undo_times, cp_times, removal_times = [], [], []
for _ in range(3):
    copy = os.path.join(work, "copy")
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(site, copy)
    data = os.path.join(work, "data") + "/"
    shutil.rmtree(data, ignore_errors=True)
    os.makedirs(data)
    os.sync()
    out = subprocess.run([tool, "replace-undo", "alpha", "beta", data, copy], check=True, capture_output=True,
                         text=True).stdout.split()
    assert out[1] == "5000", out
    undo_times.append(float(out[0]))
    removal_times.append(float(out[2]))
    target = os.path.join(work, "cp")
    shutil.rmtree(target, ignore_errors=True)
    os.sync()
    start = time.perf_counter()
    subprocess.run(["cp", "-r", site, target], check=True)
    os.sync()  # the undo makes its files durable; so must the copy it is set beside
    cp_times.append(time.perf_counter() - start)
results.append(("undo of a site-wide replace, 5,000 files", min(undo_times), min(cp_times), "cp -r + sync"))
shutil.rmtree(work, ignore_errors=True)

for label, ours, theirs, name in results:
    print(f"{label}: {ours:.3f} s, {name} {theirs:.3f} s ({ours / theirs:.2f} x)")
print(f"(the undone journal's copies are deleted after the undo, unwaited for: {min(removal_times):.3f} s)")
for label, ours, theirs, name in results:
    report(label, ours, theirs, name)
