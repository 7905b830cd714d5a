#!/usr/bin/env python3
"""Replace All of "a" by "bc" in a 10 MB document with 500,000 matches, beside sed 's/a/bc/g', same run.

Two figures for us: the core pass file to file (as sed works), and the whole command in the real window
(open, Replace All through the dialog, save), less a run that only opens and saves."""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
work = tempfile.mkdtemp(prefix="quillon-bench-")
src = os.path.join(work, "doc.html")
chunk = b"<p>a xyz uvwst</p>\r\n"  # one match per 20-byte line: 500,000 in 10 MB
with open(src, "wb") as f:
    f.write(chunk * 500_000)


def best(cmd, **kw):
    times = []
    for _ in range(5):
        start = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)
        times.append(time.perf_counter() - start)
    return min(times)


sed_out = os.path.join(work, "sed.html")
ours_out = os.path.join(work, "ours.html")
sed = best(["sh", "-c", f"sed 's/a/bc/g' {src} > {sed_out}"])
core = best([os.path.join(build, "bench", "bench_replace_all"), "a", "bc", src, ours_out])
assert open(sed_out, "rb").read() == open(ours_out, "rb").read(), "results differ from sed"

prog = os.path.join(work, "prog")
os.makedirs(prog)
with open(os.path.join(prog, "OPTIONS.INI"), "w") as f:
    f.write("[Help]\r\nShowTips=0\r\n")
drive = os.path.join(build, "bin", "quillon-drive")
win_out = os.path.join(work, "win.html")
plain = os.path.join(work, "plain.qd")
with open(plain, "w") as f:
    f.write(f'file "{src}"\ncommand OpenHTMLFile1Click\nfile "{win_out}"\ncommand SaveHTMLFileAs1Click\n')
replace = os.path.join(work, "replace.qd")
with open(replace, "w") as f:
    f.write(f'file "{src}"\ncommand OpenHTMLFile1Click\ncommand Replace1Click\nwindow ReplaceDialog1\n'
            f'  set EditFind a\n  set EditReplace bc\n  set CheckMatchCase 1\n  click ButtonReplaceAll\nend\n'
            f'file "{win_out}"\ncommand SaveHTMLFileAs1Click\n')
base = best([drive, "--program-dir", prog, plain])
whole = best([drive, "--program-dir", prog, replace])
assert open(win_out, "rb").read() == open(sed_out, "rb").read(), "window result differs from sed"
print(f"10 MB, 500,000 matches: sed {sed:.3f} s; Quillon core pass {core:.3f} s ({core / sed:.2f} x sed); "
      f"in the window {whole - base:.3f} s ({(whole - base) / sed:.2f} x sed)")
report("Replace All, 10 MB, core", core, sed, "sed")
report("Replace All, 10 MB, in the window", whole - base, sed, "sed")
