#!/usr/bin/env python3
"""Kills the program at random moments while it rewrites many pages, a hard-linked page, and the FTP
profile pair.

    python3 tests/crash/kill_during_site_tools.py build [KILLS]

Three kinds of run, in turn, each killed (SIGKILL) after a random delay within the time a whole run takes:
- site-wide replace over 120 pages: after the kill every page holds exactly its old or its new bytes, and
  Undo Last Site Replace (itself killed part-way every other time, then run again) puts every page back;
- the save of a page that has a second hard link: once the page has been opened again, both names hold the
  same bytes, old or new, and are still one file;
- adding an FTP host profile: once the FTP screen has been opened again, FTP.INI and FTP.DAT name the same
  profiles, both old or both new.
After the last trial, once every kind has run whole again, no temporary file is left."""
import glob
import os
import random
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import crash_support  # noqa: E402
from crash_support import read  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
kills = int(sys.argv[2]) if len(sys.argv) > 2 else 30
drive = os.path.join(build, "bin", "quillon-drive")
work = tempfile.mkdtemp(prefix="quillon-crash-tools-")
prog = os.path.join(work, "prog")
site = os.path.join(work, "site")
os.makedirs(prog)
os.makedirs(site)
with open(os.path.join(prog, "OPTIONS.INI"), "wb") as f:
    f.write(b"[Help]\r\nShowTips=0\r\n")

page_count = 120
pages = [os.path.join(site, f"p{i}.html") for i in range(page_count)]
old_page = b"<P>old words on an old page</P>\r\n" * 6000
new_page = old_page.replace(b"old", b"new")
for path in pages:
    with open(path, "wb") as f:
        f.write(old_page)
linked = os.path.join(site, "linked.html")
alias = os.path.join(site, "alias.html")
with open(linked, "wb") as f:
    f.write(b"<P>a line of the linked page</P>\r\n" * (8_000_000 // 35))
os.link(linked, alias)
profiles = 3000
ini = os.path.join(prog, "FTP.INI")
dat = os.path.join(prog, "FTP.DAT")
with open(ini, "wb") as f:
    f.write(b"".join(b"[P%d]\r\nProfile=P%d\r\nHost=h%d.example\r\nUser=u\r\nPassword=\r\n" % (i, i, i)
                     for i in range(profiles)))
with open(dat, "wb") as f:
    f.write(b"".join(b"P%d\r\n" % i for i in range(profiles)))
os.chmod(ini, 0o600)
os.chmod(dat, 0o600)


def script(name, text):
    return crash_support.script(work, name, text)


def replace_script(name, find, replacement):
    adds = "".join(f'  file "{p}"\n  click ButtonAddFile\n' for p in pages)
    return script(name, f"dialog TFormBigReplace\n  set RadioFiles 1\n  set EditFind {find}\n"
                        f"  set EditReplace {replacement}\n  set CheckBackup 0\n{adds}  answer Yes\n"
                        f"  click ButtonReplaceAll\n  click ButtonExit\nend\ncommand BitBtnReplaceAllClick\n")


to_new = replace_script("to_new.qd", "old", "new")
to_old = replace_script("to_old.qd", "new", "old")
save_linked = script("linked.qd", f'file "{linked}"\ncommand OpenHTMLFile1Click\nkey Ctrl+End\ntype "x"\n'
                                  f'command SaveHTMLFile1Click\n')
open_linked = script("open_linked.qd", f'file "{linked}"\ncommand OpenHTMLFile1Click\n')
undo = script("undo.qd", "answer Yes\nanswer OK\ncommand UndoLastSiteReplace1Click\n")
open_ftp = script("open_ftp.qd", "dialog TFormFTP\n  click BitBtnClose\nend\ncommand FTP1Click\n")
added = [0]


def profile_script():
    added[0] += 1
    return script("profile.qd", f"dialog TFormFTP\n  set EditProfile Added{added[0]}\n  set EditHost a.example\n"
                                f"  click ButtonAddHost\n  click BitBtnClose\nend\ncommand FTP1Click\n")


def run(path, kill_after=None):
    return crash_support.run(drive, prog, path, kill_after)


def temporaries():
    return sorted(set(glob.glob(os.path.join(site, ".*"))) | set(glob.glob(os.path.join(site, "*.new"))) |
                  set(glob.glob(os.path.join(site, "*.bak"))) | set(glob.glob(os.path.join(prog, ".*"))))


def profile_state():
    names = read(dat).split(b"\r\n")[:-1]
    sections = [line[1:-1] for line in read(ini).split(b"\r\n") if line.startswith(b"[")]
    return names, sections


problems = []
times = {"replace": run(to_new), "linked": run(save_linked), "profile": run(profile_script())}
if any(read(p) != new_page for p in pages):
    problems.append("an uninterrupted replace did not rewrite every page")
if len(profile_state()[0]) != profiles + 1:
    problems.append("an uninterrupted run did not add its FTP profile")
run(to_old)
times["undo"] = run(undo)  # puts back the pages the last run changed: new again
if any(read(p) != new_page for p in pages):
    problems.append("an uninterrupted undo did not put back every page")
run(to_old)
if read(linked) != read(alias) or not read(linked).endswith(b"x"):
    problems.append("an uninterrupted save of the linked page did not reach both names")
started = time.perf_counter()
for trial in range(kills):
    kind = ("replace", "linked", "profile")[trial % 3]
    delay = random.uniform(0.3, 1.1) * times[kind]
    if kind == "replace":
        run(to_new, delay)
        for path in pages:
            if read(path) not in (old_page, new_page):
                problems.append(f"trial {trial}: {os.path.basename(path)} is neither old nor new")
        # The journal of the killed run undoes what it did, even when the undo is itself cut short.
        if any(read(path) == new_page for path in pages):
            if trial % 2:
                run(undo, random.uniform(0.2, 1.0) * times["undo"])
            # An undo that got to its end before the kill is done: another would undo the run before.
            if any(read(path) != old_page for path in pages):
                run(undo)
            if any(read(path) != old_page for path in pages):
                problems.append(f"trial {trial}: the undo of a killed replace left pages changed")
        run(to_old)
    elif kind == "linked":
        before = read(linked)
        run(save_linked, delay)
        run(open_linked)  # opening the page finishes a save that was cut short
        now, other = read(linked), read(alias)
        if now != other:
            problems.append(f"trial {trial}: the two names of the linked page differ")
        if now not in (before, before + b"x"):
            problems.append(f"trial {trial}: the linked page is neither old nor new ({len(now)} bytes)")
        if os.stat(linked).st_ino != os.stat(alias).st_ino:
            problems.append(f"trial {trial}: the linked page is no longer one file")
    else:
        before = profile_state()
        run(profile_script(), delay)
        run(open_ftp)  # opening the FTP screen finishes a write of the pair that was cut short
        names, sections = profile_state()
        if sorted(names) != sorted(sections):
            problems.append(f"trial {trial}: FTP.DAT names {len(names)} profiles, FTP.INI {len(sections)}")
        if len(names) not in (len(before[0]), len(before[0]) + 1):
            problems.append(f"trial {trial}: {len(names)} profiles after the kill, {len(before[0])} before")
run(to_new)
run(save_linked)
run(profile_script())
summary = (f"{kills} kills in {time.perf_counter() - started:.0f} s (whole runs: replace {times['replace']:.2f} s, "
           f"undo {times['undo']:.2f} s, "
           f"linked save {times['linked']:.2f} s, profile {times['profile']:.2f} s)")
crash_support.finish(problems, temporaries(), summary, work)
