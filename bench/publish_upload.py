#!/usr/bin/env python3
"""Uploads over loopback, each beside its reference client in the same run, medians of several runs:
FTP with passive data connections (vsftpd taking only passive ones) and FTPS beside curl, and SFTP (an sshd
of the run's own) beside OpenSSH's sftp in batch mode; one 200 MB file and 1,000 files of 4 KB each. quillon-ftp
uploads under temporary names as it does by default (three more commands a file); the rows marked "direct"
store straight under the names, as the reference clients do. Needs root (temporary users)."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
sys.path.insert(0, os.path.join(here, "..", "tests", "publish"))
from ratio import report  # noqa: E402
from ftp_fixture import FtpServer, certificate_fingerprint  # noqa: E402
from sftp_fixture import SshServer  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
tool = os.path.abspath(os.path.join(build, "bin", "quillon-ftp"))
work = tempfile.mkdtemp(prefix="quillon-pubbench-")
os.chmod(work, 0o755)
files = os.path.join(work, "files")
os.makedirs(files)
big = os.path.join(files, "big.bin")
with open(big, "wb") as f:
    f.write(os.urandom(1 << 20) * 200)
smalls = []
for i in range(1000):
    p = os.path.join(files, f"s{i:04d}.bin")
    with open(p, "wb") as f:
        f.write(os.urandom(4096))
    smalls.append(p)


def timed(cmd, env=None):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=900, env=env)
    return time.perf_counter() - start


def medians(ours, theirs, env=None):
    """Both commands in turn, after one warm-up run of each, so that neither gains from the order."""
    timed(ours, env)
    timed(theirs, env)
    times = [(timed(ours, env), timed(theirs, env)) for _ in range(runs)]
    return statistics.median(t[0] for t in times), statistics.median(t[1] for t in times)


results = []
ftp_work = os.path.join(work, "ftp")
os.makedirs(ftp_work)
ftp = FtpServer("vsftpd", ftp_work, passive_only=True)
try:
    login = ["--quiet", "--mode", "passive", "--port", str(ftp.port), "--user", ftp.user, "--password", ftp.password]
    curl = ["curl", "-s", "-u", f"{ftp.user}:{ftp.password}"]
    url = f"ftp://127.0.0.1:{ftp.port}/"
    for label, ours, theirs in (
            ("FTP passive, 200 MB", [tool, *login, "127.0.0.1", "put", big], [*curl, "-T", big, url]),
            ("FTP passive, 1,000 x 4 KB", [tool, *login, "127.0.0.1", "put", *smalls],
             [*curl, "-T", "{" + ",".join(smalls) + "}", url]),
            ("FTP passive direct, 1,000 x 4 KB", [tool, *login, "--no-temp-names", "127.0.0.1", "put", *smalls],
             [*curl, "-T", "{" + ",".join(smalls) + "}", url])):
        results.append((label, *medians(ours, theirs), "curl"))
    assert open(os.path.join(ftp.home, "big.bin"), "rb").read() == open(big, "rb").read()
finally:
    ftp.stop()

tls_work = os.path.join(work, "ftps")
os.makedirs(tls_work)
ftps = FtpServer("vsftpd", tls_work, passive_only=True, tls="explicit")
try:
    login = ["--quiet", "--protocol", "ftps", "--trust", certificate_fingerprint(ftps.cert), "--port", str(ftps.port),
             "--user", ftps.user, "--password", ftps.password]
    curl = ["curl", "-s", "--ssl-reqd", "-k", "-u", f"{ftps.user}:{ftps.password}"]
    url = f"ftp://127.0.0.1:{ftps.port}/"
    for label, ours, theirs in (
            # curl's run of 1,000 small files over TLS breaks off part-way against vsftpd: only the large one.
            ("FTPS, 200 MB", [tool, *login, "127.0.0.1", "put", big], [*curl, "-T", big, url]),):
        results.append((label, *medians(ours, theirs), "curl"))
    assert open(os.path.join(ftps.home, "big.bin"), "rb").read() == open(big, "rb").read()
finally:
    ftps.stop()

ssh_work = os.path.join(work, "ssh")
os.makedirs(ssh_work)
ssh = SshServer(ssh_work)
try:
    client = os.path.join(ssh_work, "client")
    os.makedirs(os.path.join(client, ".ssh"))
    key = os.path.join(client, ".ssh", "id_ed25519")
    subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", key], check=True)
    shutil.copy(key + ".pub", ssh.authorized)
    known = os.path.join(client, ".ssh", "known_hosts")
    env = dict(os.environ, HOME=client)
    env.pop("SSH_AUTH_SOCK", None)
    ours = [tool, "--quiet", "--protocol", "sftp", "--port", str(ssh.port), "--user", ssh.user, "--known-hosts",
            known, "--trust", ssh.fingerprint(), "127.0.0.1", "put"]
    batch_big, batch_small = os.path.join(ssh_work, "big.batch"), os.path.join(ssh_work, "small.batch")
    with open(batch_big, "w") as f:
        f.write(f"put {big}\n")
    with open(batch_small, "w") as f:
        f.write("".join(f"put {p}\n" for p in smalls))
    sftp = ["sftp", "-q", "-i", key, "-P", str(ssh.port), "-o", "StrictHostKeyChecking=no", "-o",
            f"UserKnownHostsFile={known}.openssh", "-b"]
    target = f"{ssh.user}@127.0.0.1"
    for label, mine, theirs in (
            ("SFTP, 200 MB", [*ours, big], [*sftp, batch_big, target]),
            ("SFTP, 1,000 x 4 KB", [*ours, *smalls], [*sftp, batch_small, target]),
            ("SFTP direct, 1,000 x 4 KB", [*ours[:-2], "--no-temp-names", "127.0.0.1", "put", *smalls],
             [*sftp, batch_small, target])):
        results.append((label, *medians(mine, theirs, env), "OpenSSH sftp"))
    assert open(os.path.join(ssh.home, "big.bin"), "rb").read() == open(big, "rb").read()
finally:
    ssh.stop()
    shutil.rmtree(work, ignore_errors=True)

for label, ours, theirs, reference in results:
    print(f"{label}: quillon-ftp {ours:.2f} s, {reference} {theirs:.2f} s ({theirs / ours * 100:.0f}% of its rate)")
for label, ours, theirs, reference in results:
    report("quillon-ftp, " + label, ours, theirs, reference)
