#!/usr/bin/env python3
"""Uploads through the FTP screen (the real dialog, driven by quillon-drive) to vsftpd over loopback: 1,000
files of 4 KB and one 200 MB file, beside curl in the same run. The dialog's time is its run less a run that
only connects and closes; beside it, the sum of the transfer times the dialog logs for its files (the whole-run
difference carries the start-up's noise, a few tenths of a second). Needs root (for vsftpd's temporary user)."""
import json
import re
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "publish"))
from ftp_fixture import FtpServer  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
drive = os.path.join(build, "bin", "quillon-drive")
work = tempfile.mkdtemp(prefix="quillon-bench-ftpscreen-")
os.chmod(work, 0o755)
server = FtpServer("vsftpd", work)
small_dir = os.path.join(work, "small")
big_dir = os.path.join(work, "big")
os.makedirs(small_dir)
os.makedirs(big_dir)
for i in range(1000):
    with open(os.path.join(small_dir, f"f{i:04d}.bin"), "wb") as f:
        f.write(os.urandom(4096))
big = os.path.join(big_dir, "big.bin")
with open(big, "wb") as f:
    f.write((bytes(range(256)) * 4096) * 200)


def drive_run(folder, count, transfer):
    prog = os.path.join(work, "prog")
    shutil.rmtree(prog, ignore_errors=True)
    os.makedirs(prog)
    with open(os.path.join(prog, "OPTIONS.INI"), "wb") as f:
        f.write(b"[Help]\r\nShowTips=0\r\n")
    with open(os.path.join(prog, "DEFAULT.INI"), "wb") as f:
        f.write(f"[Start]\r\nLocation={folder}/\r\n".encode())
    rows = " ".join(str(i) for i in range(count))
    steps = (f"  set PageControl1 1\n  set PageControl2 2\n  select FileListBox1 {rows}\n  click BitBtnAddFile\n"
             f"  click ButtonTransfer\n  wait-idle\n  dump\n") if transfer else ""
    script = os.path.join(work, "run.qd")
    with open(script, "w") as f:
        f.write(f"dialog TFormFTP\n  set EditProfile B\n  set EditHost \"127.0.0.1:{server.port}\"\n"
                f"  set EditUser {server.user}\n  set EditPassword {server.password}\n  set CheckPassword 1\n"
                f"  click ButtonAddHost\n  select ListBoxHosts 0\n  click ListBoxHosts\n  click Button1\n  wait-idle\n"
                f"{steps}  click ButtonDisconnect\n  wait-idle\n  click BitBtnClose\nend\ncommand FTP1Click\n")
    start = time.perf_counter()
    run = subprocess.run([drive, "--program-dir", prog, script], capture_output=True, text=True,
                         env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    if run.returncode != 0:
        raise SystemExit("the FTP screen run failed:\n" + "\n".join(l[:300] for l in run.stdout.splitlines()
                                                                      if not l.startswith("DUMP"))[-3000:])
    elapsed = time.perf_counter() - start
    logged = 0.0
    for line in run.stdout.splitlines():
        if line.startswith("DIALOGDUMP TFormFTP "):
            text = json.loads(line.split(" ", 2)[2])["Log"]["text"]
            logged = sum(float(s) for s in re.findall(r"bytes transferred in ([0-9.]+) seconds", text))
    return elapsed, logged


def timed(cmd):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


curl = ["curl", "-s", "--ftp-port", "127.0.0.1", "-u", f"{server.user}:{server.password}"]
url = f"ftp://127.0.0.1:{server.port}/"
smalls = sorted(os.path.join(small_dir, n) for n in os.listdir(small_dir))
try:
    ours_small, ours_big, curl_small, curl_big, logged_small, logged_big = [], [], [], [], [], []
    for _ in range(3):
        base, _ = drive_run(small_dir, 0, False)
        run, logged = drive_run(small_dir, 1000, True)
        ours_small.append(run - base)
        logged_small.append(logged)
        run, logged = drive_run(big_dir, 1, True)
        ours_big.append(run - base)
        logged_big.append(logged)
        curl_small.append(timed([*curl, "-T", "{" + ",".join(smalls) + "}", url]))
        curl_big.append(timed([*curl, "-T", big, url]))
    sent = open(os.path.join(server.home, "big.bin"), "rb").read() == open(big, "rb").read()
finally:
    server.stop()
    shutil.rmtree(work, ignore_errors=True)
os_, cs = statistics.median(ours_small), statistics.median(curl_small)
ob, cb = statistics.median(ours_big), statistics.median(curl_big)
ls, lb = statistics.median(logged_small), statistics.median(logged_big)
print(f"1,000 x 4 KB: FTP screen {os_:.2f} s (its logged transfers {ls:.2f} s), curl {cs:.2f} s ({os_ / cs:.2f} x); "
      f"200 MB: FTP screen {ob:.2f} s (logged {lb:.2f} s), curl {cb:.2f} s ({lb / cb:.2f} x logged); "
      f"big file byte-exact: {sent}")
report("FTP screen, 1,000 x 4 KB", os_, cs, "curl")
report("FTP screen, 200 MB (logged transfer)", lb, cb, "curl")
