#!/usr/bin/env python3
"""Publishing what changed, beside lftp's mirror in the same run, over loopback against vsftpd taking only
passive data connections: a site of 5,000 files in 50 folders published first into an empty folder, then
again after 10 files changed (5 of them edits of the same size). quillon-ftp sync against
`lftp -e "mirror -R"` and `mirror -R --only-newer`; each tool publishes into a folder of its own. The second
run of quillon-ftp must send exactly the 10 changed files, and the server must then hold the site byte for
byte. Needs root (a temporary user) and lftp (apt-get install lftp).   usage: publish.py [BUILD_DIR]"""
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
sys.path.insert(0, os.path.join(here, "..", "tests", "publish"))
from ratio import report  # noqa: E402
from ftp_fixture import FtpServer  # noqa: E402

if not shutil.which("lftp"):
    sys.exit("publish.py needs lftp: apt-get install lftp")
build = sys.argv[1] if len(sys.argv) > 1 else "build"
tool = os.path.abspath(os.path.join(build, "bin", "quillon-ftp"))
work = tempfile.mkdtemp(prefix="quillon-publishbench-")
os.chmod(work, 0o755)
site = os.path.join(work, "site")
rng = random.Random(7)
paths = []
for folder in range(50):
    os.makedirs(os.path.join(site, f"section{folder:02d}"))
    for n in range(100):
        path = os.path.join(f"section{folder:02d}", f"page{n:03d}.html")
        with open(os.path.join(site, path), "wb") as f:
            f.write(os.urandom(rng.randint(1000, 8000)))
        paths.append(path)


def timed(cmd):
    start = time.perf_counter()
    run = subprocess.run(cmd, capture_output=True, timeout=3600)
    if run.returncode != 0:
        sys.exit(f"{cmd[0]} failed: {run.stderr.decode(errors='replace')[-2000:]}")
    return time.perf_counter() - start, run.stdout.decode(errors="replace")


server = FtpServer("vsftpd", work, passive_only=True)
try:
    ours = [tool, "--quiet", "--mode", "passive", "--port", str(server.port), "--user", server.user, "--password",
            server.password, "127.0.0.1", "sync", site, "www_q", "--record", os.path.join(work, "record")]
    os.makedirs(os.path.join(server.home, "www_q"))
    os.makedirs(os.path.join(server.home, "www_l"))
    for d in ("www_q", "www_l"):
        os.chown(os.path.join(server.home, d), os.stat(server.home).st_uid, os.stat(server.home).st_gid)

    def lftp(options):
        return ["lftp", "-u", f"{server.user},{server.password}", "-p", str(server.port), "-e",
                f"set ftp:passive-mode on; set ftp:ssl-allow no; set net:max-retries 1; "
                f"mirror -R {options} {site} www_l; quit", "127.0.0.1"]

    first_ours, _ = timed(ours)
    first_lftp, _ = timed(lftp(""))
    changed = rng.sample(paths, 10)
    later = time.time() + 120
    for i, path in enumerate(changed):
        full = os.path.join(site, path)
        data = open(full, "rb").read()
        data = bytes(b ^ 0xFF for b in data) if i < 5 else data + b"<!-- edited -->"
        with open(full, "wb") as f:
            f.write(data)
        os.utime(full, (later, later))
    second_ours, plan = timed(ours)
    second_lftp, _ = timed(lftp("--only-newer"))
    sent = sorted(line.split(" ", 1)[1] for line in plan.splitlines() if line.startswith(("new ", "changed ")))
    if sent != sorted(changed):
        sys.exit(f"the second publish sent {len(sent)} files, not the 10 changed ones")
    for path in paths:
        if open(os.path.join(server.home, "www_q", path), "rb").read() != open(os.path.join(site, path), "rb").read():
            sys.exit(f"{path} differs on the server")
finally:
    server.stop()
    shutil.rmtree(work, ignore_errors=True)

print(f"first publish, 5,000 files: quillon-ftp sync {first_ours:.2f} s, lftp mirror -R {first_lftp:.2f} s")
print(f"second publish, 10 changed: quillon-ftp sync {second_ours:.2f} s, lftp mirror -R --only-newer "
      f"{second_lftp:.2f} s; quillon-ftp sent exactly the 10 changed files, checked on the server")
report("quillon-ftp sync, first publish of 5,000 files", first_ours, first_lftp, "lftp mirror -R")
report("quillon-ftp sync, second publish, 10 changed", second_ours, second_lftp, "lftp mirror -R --only-newer")
