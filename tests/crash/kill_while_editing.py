#!/usr/bin/env python3
"""Kills the program with SIGKILL at random moments while a page is being edited, and starts it again.

    python3 tests/crash/kill_while_editing.py build [KILLS]

Recovery copies are kept every second here ([Editor] RecoverySeconds=1) and a key is typed every 0.3 s.
After each kill:
- a copy left on disk is whole, and holds the page with some of the typed keys, never anything else;
- a copy is left when the kill came well after the interval had passed with edits;
- the next start offers it, and Recover gives the window exactly its bytes, modified, while the file on
  disk is untouched;
and a run that ends normally leaves no copy behind."""
import glob
import hashlib
import json
import os
import random
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import crash_support  # noqa: E402
from crash_support import read  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
kills = int(sys.argv[2]) if len(sys.argv) > 2 else 30
drive = os.path.join(build, "bin", "quillon-drive")
work = tempfile.mkdtemp(prefix="quillon-crash-edit-")
prog = os.path.join(work, "prog")
os.makedirs(prog)
with open(os.path.join(prog, "OPTIONS.INI"), "wb") as f:
    f.write(b"[Help]\r\nShowTips=0\r\n[Editor]\r\nRecoverySeconds=1\r\n")
page = os.path.join(work, "page.html")
original = b"<p>start</p>\r\n"
with open(page, "wb") as f:
    f.write(original)
recovery = os.path.join(prog, "recovery")
keys = 20
edit = crash_support.script(work, "edit.qd", f'file "{page}"\ncommand OpenHTMLFile1Click\n' +
                            'type "a"\nsleep 300\n' * keys)
recover = crash_support.script(work, "recover.qd", "dialog TFormRecover\n  click ButtonRecover\nend\nsleep 100\ndump\n")


def copies():
    return sorted(glob.glob(os.path.join(recovery, "*.copy")))


def page_of(copy_bytes):
    head, _, body = copy_bytes.partition(b"\r\n\r\n")
    fields = dict(line.split(b"\t", 1) for line in head.split(b"\r\n")[1:] if b"\t" in line)
    whole = fields.get(b"size") == str(len(body)).encode() and fields.get(b"sha256") == hashlib.sha256(body).hexdigest().encode()
    return body if whole else None


problems = []
# How long a start and the page's opening take here (longer on a loaded machine): a copy is owed only for
# edits made well after that.
open_only = crash_support.script(work, "open.qd", f'file "{page}"\ncommand OpenHTMLFile1Click\n')
opening = max(crash_support.run(drive, prog, open_only) for _ in range(3))
whole_run = crash_support.run(drive, prog, edit)
if copies():
    problems.append("a run that ended normally left a copy: %s" % copies())
offered = 0
started = time.perf_counter()
for trial in range(kills):
    kill_after = random.uniform(0.3, whole_run)
    took = crash_support.run(drive, prog, edit, kill_after)
    left = copies()
    if took < kill_after:  # the run ended before the kill: a normal end, which leaves no copy
        if left:
            problems.append(f"trial {trial}: a run that ended normally left a copy")
        continue
    if len(left) > 1:
        problems.append(f"trial {trial}: {len(left)} copies for one page")
    if not left:
        # Owed for edits well after the start, and not in the run's last second, when the script has ended
        # and the program is leaving normally (which drops the copy).
        if opening + 2.5 < kill_after < whole_run - 1.0:
            problems.append(f"trial {trial}: no copy after {kill_after:.1f} s of edits")
        continue
    kept = page_of(read(left[0]))
    if kept is None:
        problems.append(f"trial {trial}: the copy is not whole")
        continue
    typed = len(kept) - len(original)
    if kept != b"a" * typed + original or typed < 1:
        problems.append(f"trial {trial}: the copy holds {kept[:60]!r}")
        continue
    run = subprocess.run([drive, "--program-dir", prog, recover], capture_output=True, timeout=60)
    dumps = [json.loads(line[5:]) for line in run.stdout.decode().splitlines() if line.startswith("DUMP ")]
    if not dumps or dumps[-1]["text"] != kept.decode() or not dumps[-1]["documentModified"]:
        problems.append(f"trial {trial}: Recover did not give the copy's bytes: {run.stdout.decode()[-300:]}")
    if read(page) != original:
        problems.append(f"trial {trial}: the page on disk changed")
    if copies() or glob.glob(os.path.join(recovery, "*claimed*")):
        problems.append(f"trial {trial}: a copy is left after Recover and a normal end: {os.listdir(recovery)}")
    offered += 1
summary = f"{kills} kills in {time.perf_counter() - started:.0f} s, {offered} copies recovered (a whole run {whole_run:.1f} s)"
crash_support.finish(problems, [], summary, work)
