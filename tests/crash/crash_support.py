"""What the crash tests share: runs of quillon-drive that may be killed part-way, and whole-file reads."""
import shutil
import signal
import subprocess
import sys
import time


def run(drive, prog, script, kill_after=None):
    """Runs a script in the program directory; with kill_after, sends SIGKILL once that many seconds have
    passed. Returns how long the run took."""
    start = time.perf_counter()
    p = subprocess.Popen([drive, "--program-dir", prog, script], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if kill_after is None:
        p.wait()
    else:
        try:
            p.wait(timeout=kill_after)
        except subprocess.TimeoutExpired:
            p.send_signal(signal.SIGKILL)
            p.wait()
    return time.perf_counter() - start


def read(path):
    with open(path, "rb") as f:
        return f.read()


def script(work, name, text):
    """Writes a script into the work folder and returns its path."""
    path = f"{work}/{name}"
    with open(path, "w") as f:
        f.write(text)
    return path


def finish(problems, temporaries, summary, work):
    """Adds any temporary file left to the problems, prints the summary and every problem, removes the work
    folder when all held (kept for a look otherwise) and exits with 1 on a problem."""
    if temporaries:
        problems.append(f"temporary files left: {temporaries}")
    print(summary)
    for p in problems:
        print("FAIL:", p)
    if not problems:
        shutil.rmtree(work)
    sys.exit(1 if problems else 0)
