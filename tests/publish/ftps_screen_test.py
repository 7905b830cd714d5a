#!/usr/bin/env python3
"""The FTP screen over FTP with TLS, driven through quillon-drive against vsftpd with a certificate made for
the test: the certificate shown and trusted for the profile (its fingerprint kept in FTP.INI), two files
uploaded and checked byte for byte on the server; then a connection that finds the certificate trusted and
asks nothing.   usage: ftps_screen_test.py QUILLON_DRIVE RUN_CASE"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, clean_up, report, run_case, secure_screen_case  # noqa: E402

drive, runner = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="quillon-ftpsdlg-")
os.chmod(work, 0o755)
server = FtpServer("vsftpd", work, passive_only=True, tls="explicit")
# The question names the certificate's dates, so it is answered without being compared word for word.
path = secure_screen_case(work, server, 1)
failures = []
try:
    run_case(runner, drive, path, failures)
    for name, data in (("a.html", b"<P>page a</P>\r\n"), ("c.txt", b"x" * 70000)):
        stored = os.path.join(server.home, name)
        if not os.path.exists(stored):
            failures.append(f"{name} is not on the server")
        elif name == "a.html" and open(stored, "rb").read() != data:
            failures.append(f"{name} differs on the server")
finally:
    clean_up(server, work)
report(failures, "the FTP screen over FTPS passed")
