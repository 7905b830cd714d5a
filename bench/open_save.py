#!/usr/bin/env python3
"""Opening and saving a 50 MB HTML file through the real main window, beside cp of the same file.

Time and peak memory of quillon-drive running open + save-as, minus a run that only starts and stops."""
import os
import resource
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
size_mb = int(sys.argv[2]) if len(sys.argv) > 2 else 50
work = tempfile.mkdtemp(prefix="quillon-bench-")
prog = os.path.join(work, "prog")
os.makedirs(prog)
with open(os.path.join(prog, "OPTIONS.INI"), "w") as f:
    f.write("[Help]\r\nShowTips=0\r\n")
big = os.path.join(work, "big.html")
line = b'<TR><TD><A HREF="page.html">A link</A></TD><TD><IMG SRC="x.gif" WIDTH=10></TD></TR>\r\n'
with open(big, "wb") as f:
    f.write(line * (size_mb * 1_000_000 // len(line)))
size = os.path.getsize(big)
drive = os.path.join(build, "bin", "quillon-drive")


def run(args, script=None):
    """Wall time and peak resident memory (bytes) of one child process."""
    start = time.perf_counter()
    pid = os.fork()
    if pid == 0:
        if script is not None:
            fd = os.open(script, os.O_RDONLY)
            os.dup2(fd, 0)
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.dup2(devnull, 2)
        os.execv(args[0], args)
    _, status, usage = os.wait4(pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit(f"{args} failed")
    return elapsed, usage.ru_maxrss * 1024


def script(text, name):
    path = os.path.join(work, name)
    with open(path, "w") as f:
        f.write(text)
    return path


out = os.path.join(work, "out.html")
empty = script("dump\n", "empty.qd")
work_script = script(f'file "{big}"\ncommand OpenHTMLFile1Click\nfile "{out}"\ncommand SaveHTMLFileAs1Click\n', "work.qd")
base_t, base_m = min(run([drive, "--program-dir", prog, empty]) for _ in range(3))
t, m = min(run([drive, "--program-dir", prog, work_script]) for _ in range(3))
assert open(out, "rb").read() == open(big, "rb").read(), "saved bytes differ"
cp_t, _ = min(run(["/bin/cp", big, os.path.join(work, "cp.html")]) for _ in range(3))
print(f"file {size / 1e6:.1f} MB: open + save {t - base_t:.3f} s (whole run {t:.3f} s, start/stop alone {base_t:.3f} s); "
      f"cp {cp_t:.3f} s")
report(f"open + save, {size / 1e6:.0f} MB page", t - base_t, cp_t, "cp")
print(f"peak memory {m / 1e6:.1f} MB = {m / size:.2f} x file size (start/stop alone {base_m / 1e6:.1f} MB)")
