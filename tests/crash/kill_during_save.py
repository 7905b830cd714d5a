#!/usr/bin/env python3
"""Kills the program at random moments while it saves a 30 MB document and a 60,000-page project.

    python3 tests/crash/kill_during_save.py build [KILLS]

Each trial runs quillon-drive on a script that changes the document or the project and saves it, and
kills it (SIGKILL) after a random delay within the time a whole run takes. After every kill the program is
run once more (it opens the project, which finishes an interrupted save), and then:
- the document holds exactly its old or its new bytes;
- the project's outline and link files are both old or both new, with one link per page;
and after the last trial, once the program has saved into both folders again, no temporary file is left.
About 25 seconds for 50 kills on two cores; CI runs it."""
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
kills = int(sys.argv[2]) if len(sys.argv) > 2 else 50
drive = os.path.join(build, "bin", "quillon-drive")
work = tempfile.mkdtemp(prefix="quillon-crash-")
prog = os.path.join(work, "prog")
os.makedirs(os.path.join(prog, "projects"))
with open(os.path.join(prog, "OPTIONS.INI"), "wb") as f:
    f.write(b"[Help]\r\nShowTips=0\r\n")
site = os.path.join(work, "site")
os.makedirs(site)
doc = os.path.join(site, "page.html")
with open(doc, "wb") as f:
    f.write(b"<P>a line of the page</P>\r\n" * (30_000_000 // 27))
with open(os.path.join(site, "added.html"), "wb") as f:
    f.write(b"<P>added</P>\r\n")
out = os.path.join(prog, "projects", "big.out")
fil = os.path.join(prog, "projects", "big.fil")
pages = 60_000
with open(out, "wb") as f:
    f.write(b"".join(b"Page %d\r\n" % i for i in range(pages)))
with open(fil, "wb") as f:
    f.write(b"".join(b"%s/p%d.html\r\n" % (site.encode(), i) for i in range(pages)))


def script(name, text):
    return crash_support.script(work, name, text)


save_doc = script("doc.qd", f'file "{doc}"\ncommand OpenHTMLFile1Click\ntype "x"\ncommand SaveHTMLFile1Click\n')
save_project = script("project.qd",
                      f'file "{out}"\ncommand Open1Click\ndialog TFormNewName\n  set EditTitle "Added"\n'
                      f'  set EditLink "{site}/added.html"\n  click BitBtnOK\nend\ncommand Button1Click\n'
                      f'command Save1Click\n')
reopen = script("reopen.qd", f'file "{out}"\ncommand Open1Click\n')
sweep = script("sweep.qd", f'file "{doc}"\ncommand OpenHTMLFile1Click\ntype "y"\ncommand SaveHTMLFile1Click\n'
                           f'file "{out}"\ncommand Open1Click\ncommand Save1Click\n')


def run(path, kill_after=None):
    return crash_support.run(drive, prog, path, kill_after)


def temporaries():
    return glob.glob(os.path.join(site, ".*")) + glob.glob(os.path.join(prog, "projects", ".*")) + \
        glob.glob(os.path.join(prog, ".*.tmp"))


def project_state():
    o, l = read(out), read(fil)
    return o.count(b"\r\n"), l.count(b"\r\n")


problems = []
# Whole runs first: they must save, and they give the time within which the kills fall.
before_doc, before_project = read(doc), project_state()
doc_time = run(save_doc)
proj_time = run(save_project)
if read(doc) != b"x" + before_doc or project_state() != (before_project[0] + 1, before_project[1] + 1):
    problems.append("an uninterrupted run did not save")
started = time.perf_counter()
inside = 0  # kills that left a new temporary behind: they fell inside a write
for trial in range(kills):
    # Every other kill of each kind falls in the last part of a run, where the save is.
    late = trial % 4 >= 2
    if trial % 2 == 0:
        before, seen = read(doc), set(temporaries())
        run(save_doc, random.uniform(0.6 if late else 0, 1.1) * doc_time)
        inside += bool(set(temporaries()) - seen)
        now = read(doc)
        if now not in (before, b"x" + before):
            problems.append(f"trial {trial}: the document is neither old nor new ({len(now)} bytes)")
    else:
        before, seen = project_state(), set(temporaries())
        run(save_project, random.uniform(0.6 if late else 0, 1.1) * proj_time)
        inside += bool(set(temporaries()) - seen)
        run(reopen)  # the program runs again: an interrupted save is finished
        outs, links = project_state()
        if outs != links or outs not in (before[0], before[0] + 1):
            problems.append(f"trial {trial}: outline {outs} pages, link file {links} links (before {before})")
run(sweep)
summary = (f"{kills} kills in {time.perf_counter() - started:.0f} s, {inside} of them inside a write (a document save "
           f"run {doc_time:.2f} s, a project save run {proj_time:.2f} s)")
crash_support.finish(problems, temporaries(), summary, work)
