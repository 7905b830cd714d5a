#!/usr/bin/env python3
"""The FTP client's own tests that need a real server (cancelled uploads, byte 255 in a name) run against
one started here on 127.0.0.1; the server's folder is checked afterwards.
usage: ftp_real_client_test.py QUILLON_CORE_TESTS pyftpdlib|vsftpd"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, clean_up, report  # noqa: E402

tests, kind = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="quillon-ftpreal-")
os.chmod(work, 0o755)
server = FtpServer(kind, work)
failures = []
try:
    env = dict(os.environ, QUILLON_FTP_REAL_PORT=str(server.port), QUILLON_FTP_REAL_USER=server.user,
               QUILLON_FTP_REAL_PASSWORD=server.password)
    run = subprocess.run([tests, "--gtest_filter=StarFtpOnARealServer.*"], env=env, capture_output=True,
                         text=True, timeout=300)
    if run.returncode != 0 or "[  PASSED  ] 1 test" not in run.stdout:
        failures.append("the client's tests failed:\n" + run.stdout[-3000:] + run.stderr[-2000:])
    names = sorted(os.listdir(os.fsencode(server.home)))
    if b"big.bin" in names:
        failures.append("a cancelled upload left big.bin on the server")
    # pyftpdlib reads every name as UTF-8, so a name that is not UTF-8 cannot reach it as it is.
    if kind != "pyftpdlib" and b"ff\xff\xf4x.html" not in names:
        failures.append(f"the name with byte 255 arrived as another name: {names}")
    small = os.path.join(server.home, "small.html")
    if not os.path.exists(small) or open(small, "rb").read() != b"<p>after the cancel</p>":
        failures.append("the upload after the cancels did not arrive whole")
finally:
    clean_up(server, work)
report(failures, f"{kind}: cancel and byte 255 hold")
