#!/usr/bin/env python3
"""Uploads to vsftpd over loopback: one 200 MB file and 1,000 files of 4 KB, with quillon-ftp beside curl in
active mode, medians of several runs in the same session. Needs root (a temporary user for vsftpd)."""
import os
import pwd
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ratio import report  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
tool = os.path.join(build, "bin", "quillon-ftp")
work = tempfile.mkdtemp(prefix="quillon-ftpbench-")
os.chmod(work, 0o755)
home = os.path.join(work, "home")
os.makedirs(home)
user, password = "qbench%d" % os.getpid(), "bench-pass-1"
subprocess.run(["useradd", "-M", "-d", home, "-s", "/bin/sh", user], check=True)
subprocess.run(["chpasswd"], input=f"{user}:{password}\n", text=True, check=True)
pw = pwd.getpwnam(user)
os.chown(home, pw.pw_uid, pw.pw_gid)
with socket.socket() as s:
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
empty = os.path.join(work, "empty")
os.makedirs(empty)
conf = os.path.join(work, "vsftpd.conf")
with open(conf, "w") as f:
    f.write(f"listen=YES\nlisten_address=127.0.0.1\nlisten_port={port}\nbackground=NO\nanonymous_enable=NO\n"
            f"local_enable=YES\nwrite_enable=YES\npasv_enable=NO\nport_enable=YES\nconnect_from_port_20=NO\n"
            f"pam_service_name=vsftpd\nsecure_chroot_dir={empty}\nseccomp_sandbox=NO\nuserlist_enable=NO\n"
            f"check_shell=NO\nxferlog_enable=NO\nmax_per_ip=0\nmax_clients=0\n")
server = subprocess.Popen(["vsftpd", conf], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(0.5)

big = os.path.join(work, "big.bin")
with open(big, "wb") as f:
    f.write(os.urandom(1 << 20) * 200)
small_dir = os.path.join(work, "small")
os.makedirs(small_dir)
smalls = []
for i in range(1000):
    p = os.path.join(small_dir, f"s{i:04d}.bin")
    with open(p, "wb") as f:
        f.write(os.urandom(4096))
    smalls.append(p)


def timed(cmd):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
    return time.perf_counter() - start


ours_big, curl_big, ours_small, curl_small = [], [], [], []
login = ["--port", str(port), "--user", user, "--password", password]
url = f"ftp://127.0.0.1:{port}/"
curl = ["curl", "-s", "--ftp-port", "127.0.0.1", "-u", f"{user}:{password}"]
try:
    for _ in range(runs):
        ours_big.append(timed([tool, "--quiet", *login, "127.0.0.1", "put", big]))
        curl_big.append(timed([*curl, "-T", big, url]))
        ours_small.append(timed([tool, "--quiet", *login, "127.0.0.1", "put", *smalls]))
        curl_small.append(timed([*curl, "-T", "{" + ",".join(smalls) + "}", url]))
    assert open(os.path.join(home, "big.bin"), "rb").read() == open(big, "rb").read()
finally:
    server.terminate()
    server.wait()
    subprocess.run(["userdel", user], check=False)
    shutil.rmtree(work, ignore_errors=True)

mb = 200 * 1.048576
ob, cb = statistics.median(ours_big), statistics.median(curl_big)
osm, csm = statistics.median(ours_small), statistics.median(curl_small)
print(f"200 MB: quillon-ftp {mb / ob:.0f} MB/s, curl {mb / cb:.0f} MB/s ({cb / ob * 100:.0f}% of curl's rate)")
print(f"1,000 x 4 KB: quillon-ftp {1000 / osm:.0f} files/s, curl {1000 / csm:.0f} files/s")
report("quillon-ftp, 200 MB", ob, cb, "curl")
report("quillon-ftp, 1,000 x 4 KB", osm, csm, "curl")
