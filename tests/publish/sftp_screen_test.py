#!/usr/bin/env python3
"""The FTP screen over SFTP, driven through quillon-drive against an sshd of the test's own: a profile with
the SFTP protocol, the unknown host key shown with its fingerprint and trusted, two files uploaded (checked
byte for byte on the server), the listing, disconnect; then a connection that finds the key known and asks
nothing.   usage: sftp_screen_test.py QUILLON_DRIVE RUN_CASE"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import report, run_case, secure_screen_case  # noqa: E402
from sftp_fixture import SshServer  # noqa: E402

drive, runner = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="quillon-sftpdlg-")
os.chmod(work, 0o755)
server = SshServer(work)
os.environ["HOME"] = os.path.join(work, "client")
os.makedirs(os.environ["HOME"])
os.environ.pop("SSH_AUTH_SOCK", None)
fingerprint = server.fingerprint()
question = ("The server is not known yet. Its host key is:\\r\\n\\r\\nED25519  " + fingerprint +
            "\\r\\n\\r\\nCompare it with the one your host gave you. Trust this key and connect?")
path = secure_screen_case(work, server, 3, question)
failures = []
try:
    run_case(runner, drive, path, failures)
    for name, data in (("a.html", b"<P>page a</P>\r\n"), ("c.txt", None)):
        stored = os.path.join(server.home, name)
        if not os.path.exists(stored):
            failures.append(f"{name} is not on the server")
        elif data is not None and open(stored, "rb").read() != data:
            failures.append(f"{name} differs on the server")
    if not os.path.exists(os.path.join(os.environ["HOME"], ".ssh", "known_hosts")):
        failures.append("the trusted host key was not added to known_hosts")
finally:
    server.stop()
    os.system(f"rm -rf '{work}'")
report(failures, "the FTP screen over SFTP passed")
