#!/usr/bin/env python3
"""Spelling: (a) check throughput on over 2 million words of Debian documentation (man pages as text) beside
aspell and hunspell, and on the same text as Latin-1 with accented words; (b) time per suggestion list
(median and worst) over the codespell sample and over 1,000 words of 30 to 200 letters; (c) top-1 and top-5
accuracy on a seeded sample of 2,000 codespell misspellings whose correction is one lower-case word of our
dictionary, beside aspell and hunspell. Needs aspell, aspell-en, hunspell, hunspell-en-us, codespell and
man-db (bench only)."""
import gzip
import glob
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
spell = os.path.join(build, "bin", "quillon-spell")
prog = os.path.join(build, "bin")
work = tempfile.mkdtemp(prefix="quillon-spellbench-")

# (a) A text of at least 2 million words from the installed manual pages.
text_path = os.path.join(work, "text.txt")
words = 0
with open(text_path, "w") as out:
    for page in sorted(glob.glob("/usr/share/man/man*/*.gz")):
        try:
            raw = gzip.open(page).read().decode("utf-8", "replace")
        except OSError:
            continue
        lines = [l for l in raw.splitlines() if not l.startswith(".") and not l.startswith("'")]
        chunk = "\n".join(lines)
        out.write(chunk + "\n")
        words += len(chunk.split())
        if words > 2_100_000:
            break
print(f"text: {words} words from manual pages")


def timed(cmd, **kw):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)
    return time.perf_counter() - start


ours = min(timed([spell, "--program-dir", prog, "check", text_path]) for _ in range(3))
line = f"check: quillon-spell {words / ours / 1e6:.2f} M words/s"
if shutil.which("aspell"):
    a = min(timed(["aspell", "--lang=en_US", "list"], stdin=open(text_path)) for _ in range(3))
    line += f"; aspell {words / a / 1e6:.2f} M words/s"
if shutil.which("hunspell"):
    h = timed(["hunspell", "-d", "en_US", "-l", text_path])
    line += f"; hunspell {words / h / 1e6:.2f} M words/s"
print(line)
if shutil.which("hunspell"):
    report("spell check, manual pages", ours, h, "hunspell -l")

# The same text as a Latin-1 page, every tenth word given an accented neighbour.
latin1_path = os.path.join(work, "latin1.txt")
with open(text_path, encoding="utf-8") as f, open(latin1_path, "wb") as out:
    for n, word in enumerate(f.read().split(" ")):
        out.write((word + (" caf\u00e9 Z\u00fcrich" if n % 10 == 0 else "") + " ").encode("latin-1", "replace"))
latin = min(timed([spell, "--program-dir", prog, "check", latin1_path]) for _ in range(3))
print(f"check, Latin-1 page: quillon-spell {words * 1.2 / latin / 1e6:.2f} M words/s")

# (b') Long words: 1,000 of 30 to 200 letters, misspellings of nothing.
rng = random.Random(7)
long_words = ["".join(rng.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randint(30, 200)))
              for _ in range(1000)]
run = subprocess.run([spell, "--program-dir", prog, "--times", "suggest", *long_words], capture_output=True,
                     text=True, check=True)
long_ms = [float(t) for t in run.stderr.split()]
print(f"suggestions, 1,000 words of 30-200 letters: median {statistics.median(long_ms):.3f} ms, "
      f"worst {max(long_ms):.1f} ms")

# (c) The codespell sample.
dictionary = "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt"
known = set(l.strip() for l in open("/usr/share/dict/american-english", encoding="utf-8"))
pairs = []
for l in open(dictionary, encoding="utf-8"):
    wrong, _, rights = l.strip().partition("->")
    right = rights.split(",")[0].strip()
    if "," in rights.rstrip(","):
        continue  # one correction only
    if right.islower() and right.isalpha() and right in known and wrong not in known and wrong.isalpha():
        pairs.append((wrong, right))
random.Random(2026).shuffle(pairs)
sample = pairs[:2000]
wrongs = [w for w, _ in sample]

start = time.perf_counter()
run = subprocess.run([spell, "--program-dir", prog, "--times", "suggest", *wrongs], capture_output=True, text=True,
                     check=True)
total = time.perf_counter() - start
times_ms = [float(t) for t in run.stderr.split()]
ours_lists = {}
for l in run.stdout.splitlines():
    w, _, rest = l.partition(": ")
    ours_lists[w] = [s for s in rest.split(", ") if s]


def score(lists):
    top1 = sum(1 for w, r in sample if lists.get(w, [])[:1] == [r])
    top5 = sum(1 for w, r in sample if r in lists.get(w, [])[:5])
    return 100 * top1 / len(sample), 100 * top5 / len(sample)


print(f"suggestions: median {statistics.median(times_ms):.2f} ms per word, 90th percentile "
      f"{sorted(times_ms)[int(len(times_ms) * 0.9)]:.1f} ms, worst {max(times_ms):.1f} ms (the first word builds "
      f"the indexes), {len(sample)} words in {total:.2f} s with the start")
o1, o5 = score(ours_lists)
line = f"accuracy: quillon-spell top-1 {o1:.1f}% top-5 {o5:.1f}%"


def ispell_lists(cmd):
    out = subprocess.run(cmd, input="\n".join(wrongs) + "\n", capture_output=True, text=True).stdout
    lists = {}
    for l in out.splitlines():
        if l.startswith("&"):
            head, _, rest = l.partition(": ")
            lists[head.split()[1]] = [s.strip() for s in rest.split(",")]
        elif l.startswith("#"):
            lists[l.split()[1]] = []
    return lists


if shutil.which("aspell"):
    a1, a5 = score(ispell_lists(["aspell", "--lang=en_US", "-a"]))
    line += f"; aspell {a1:.1f}% / {a5:.1f}%"
if shutil.which("hunspell"):
    h1, h5 = score(ispell_lists(["hunspell", "-d", "en_US", "-a"]))
    line += f"; hunspell {h1:.1f}% / {h5:.1f}%"
print(line)
shutil.rmtree(work, ignore_errors=True)
