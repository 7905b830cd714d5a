#!/usr/bin/env python3
"""Extended Replace over a generated site of 5,000 HTML files (about 100 MB, about 20 matches a file),
through the real dialog, beside `sed -i` on a copy of the same files in the same run; then with the backup
on, beside `cp -r` plus `sed -i`. Each run starts from a fresh copy; the best of three is shown."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
work = tempfile.mkdtemp(prefix="quillon-bench-site-")
pristine = os.path.join(work, "pristine")
os.makedirs(pristine)
line = b"<p>Some text of the page, <b>alpha</b> and more words to fill the line out.</p>\r\n"  # 82 bytes
filler = b"<p>Nothing to find on this line, only words that fill a page of a site.</p>\r\n"
page = (line + filler * 11) * 20 + b"<p>end</p>\r\n"  # about 20 KB, 20 matches
FILES = 5000
for i in range(FILES):
    sub = os.path.join(pristine, f"d{i % 50}")
    os.makedirs(sub, exist_ok=True)
    with open(os.path.join(sub, f"page{i}.html"), "wb") as f:
        f.write(page)
paths = sorted(os.path.join(dp, n) for dp, _, names in os.walk(pristine) for n in names)
total = sum(os.path.getsize(p) for p in paths)


def fresh(name):
    target = os.path.join(work, name)
    shutil.rmtree(target, ignore_errors=True)
    shutil.copytree(pristine, target)
    # The fresh copy reaches the disk before the clock starts, so that a run which syncs (the backup is made
    # durable before any page is changed) does not also pay for writing out the copy just made.
    os.sync()
    return target


def timed(cmd):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


prog = os.path.join(work, "prog")
os.makedirs(os.path.join(prog, "projects"))
with open(os.path.join(prog, "OPTIONS.INI"), "wb") as f:
    f.write(b"[Help]\r\nShowTips=0\r\n")
drive = os.path.join(build, "bin", "quillon-drive")
idle = os.path.join(work, "idle.qd")
with open(idle, "w") as f:
    f.write("dump\n")


def ours(site, backup):
    rel = [os.path.join(site, os.path.relpath(p, pristine)) for p in paths]
    with open(os.path.join(prog, "projects", "Bench.out"), "wb") as f:
        f.write(b"".join(b"Page\r\n" for _ in rel))
    with open(os.path.join(prog, "projects", "Bench.fil"), "wb") as f:
        f.write(b"".join(p.encode() + b"\r\n" for p in rel))
    shutil.rmtree(os.path.join(prog, "backup"), ignore_errors=True)
    script = os.path.join(work, "run.qd")
    with open(script, "w") as f:
        f.write("dialog TFormBigReplace\n  set EditFind alpha\n  set EditReplace omega\n  set ComboProject 0\n"
                "  set CheckMatchCase 1\n" + (f"  set CheckBackup 1\n  set EditBackupDir b\n" if backup else "") +
                "  answer Yes\n  click ButtonReplaceAll\n  click ButtonExit\nend\ncommand BitBtnReplaceAllClick\n")
    return timed([drive, "--program-dir", prog, script]) - timed([drive, "--program-dir", prog, idle])


def best(fn, runs=3):
    return min(fn() for _ in range(runs))


def sed_run():
    site = fresh("sed")
    return timed(["sh", "-c", f"cd {site} && find . -name '*.html' -print0 | xargs -0 sed -i 's/alpha/omega/g'"])


def cp_sed_run():
    site = fresh("sed")
    dest = os.path.join(work, "cpcopy")
    shutil.rmtree(dest, ignore_errors=True)
    return timed(["sh", "-c", f"cp -r {site} {dest} && cd {site} && find . -name '*.html' -print0 | "
                              f"xargs -0 sed -i 's/alpha/omega/g'"])


sed = best(sed_run)
plain = best(lambda: ours(fresh("ours"), False))
expected = page.replace(b"alpha", b"omega")
assert all(open(os.path.join(work, "ours", os.path.relpath(p, pristine)), "rb").read() == expected for p in paths[:50])
cp_sed = best(cp_sed_run)
backed = best(lambda: ours(fresh("ours"), True))
copies = sum(len(names) for _, _, names in os.walk(os.path.join(prog, "backup", "b")))
assert copies == FILES + 1, f"{copies} copies"
print(f"{FILES} files, {total / 1e6:.0f} MB, 20 matches each: sed -i {sed:.2f} s; Extended Replace {plain:.2f} s "
      f"({plain / sed:.2f} x sed -i); with backup {backed:.2f} s beside cp -r + sed -i {cp_sed:.2f} s "
      f"({backed / cp_sed:.2f} x)")
report(f"Extended Replace, {FILES} files", plain, sed, "sed -i")
report(f"Extended Replace with backup, {FILES} files", backed, cp_sed, "cp -r + sed -i")
shutil.rmtree(work)
