#!/usr/bin/env python3
"""quillon-ftp over FTP with TLS against a real server with a certificate made for the test: refused with
the certificate's description until its fingerprint is trusted; uploads (control and data encrypted, the
data connections resuming the control connection's TLS session, as vsftpd demands) compared byte for byte;
a certificate that changes later refused naming both fingerprints; a server without TLS never gets the
password in clear.   usage: ftps_test.py QUILLON_FTP pyftpdlib|vsftpd explicit|implicit"""
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, certificate_fingerprint, clean_up, free_port, make_certificate, report  # noqa

tool, kind, mode = sys.argv[1], sys.argv[2], sys.argv[3]
work = tempfile.mkdtemp(prefix="quillon-ftps-")
os.chmod(work, 0o755)
server = FtpServer(kind, work, passive_only=True, tls=mode)
protocol = "ftps" if mode == "explicit" else "ftps-implicit"
failures = []


def ftp(*args, trust=None, expect_ok=True, port=None):
    cmd = [tool, "--timeout", "10", "--protocol", protocol, "--port", str(port or server.port), "--user", server.user,
           "--password", server.password] + (["--trust", trust] if trust else []) + ["127.0.0.1", *args]
    run = subprocess.run(cmd, capture_output=True, text=True, timeout=120, stdin=subprocess.DEVNULL)
    if (run.returncode == 0) != expect_ok:
        failures.append(f"{args} trust={trust}: exit {run.returncode}: {run.stderr.strip()[-600:]}")
    return run


try:
    fingerprint = certificate_fingerprint(server.cert)
    refused = ftp("ls", expect_ok=False)
    if fingerprint not in refused.stderr or "PASS" in refused.stderr:
        failures.append(f"an unknown certificate was not refused before the login: {refused.stderr[-600:]!r}")
    files = {}
    for name, size in (("empty.bin", 0), ("odd.bin", 4097), ("big.bin", 8_000_000)):
        files[name] = os.path.join(work, name)
        with open(files[name], "wb") as f:
            f.write(os.urandom(size))
    ftp("put", *files.values(), trust=fingerprint)
    for name, path in files.items():
        stored = os.path.join(server.home, name)
        if not os.path.exists(stored) or open(stored, "rb").read() != open(path, "rb").read():
            failures.append(f"{name} differs on the server")
    listing = ftp("ls", "--names", trust=fingerprint).stdout.splitlines()
    if "odd.bin" not in listing:
        failures.append(f"the listing over TLS lacks odd.bin: {listing}")
    # Another certificate where one was trusted: refused, naming both.
    other = os.path.join(work, "other.pem")
    make_certificate(other, "127.0.0.1")
    changed = ftp("ls", trust=certificate_fingerprint(other), expect_ok=False)
    if fingerprint not in changed.stderr or certificate_fingerprint(other) not in changed.stderr:
        failures.append(f"a changed certificate was not refused naming both: {changed.stderr[-600:]!r}")
finally:
    clean_up(server, work)

# A server that answers AUTH TLS with a refusal: the client leaves without sending USER or PASS.
if mode == "explicit":
    port = free_port()
    seen = []
    listener = socket.create_server(("127.0.0.1", port))

    def plain_server():
        conn, _ = listener.accept()
        conn.sendall(b"220 no TLS here\r\n")
        data = b""
        conn.settimeout(5)
        try:
            while True:
                chunk = conn.recv(4096)
                if not chunk:
                    break
                data += chunk
                if b"AUTH" in data and b"\r\n" in data:
                    conn.sendall(b"500 AUTH not understood\r\n")
                    data += b"|"
        except OSError:
            pass
        seen.append(data)
        conn.close()

    thread = threading.Thread(target=plain_server)
    thread.start()
    run = ftp("ls", port=port, expect_ok=False)
    thread.join(10)
    listener.close()
    if not seen or b"USER" in seen[0] or b"PASS" in seen[0]:
        failures.append(f"credentials went to a server without TLS: {seen!r}")
    if "TLS" not in run.stderr:
        failures.append(f"the refusal of TLS was not said: {run.stderr[-300:]!r}")

# Servers that break off or stall inside the TLS handshake: a clear error within the time-out, no hang.
def hostile(behaviour):
    port = free_port()
    listener = socket.create_server(("127.0.0.1", port))

    def serve():
        conn, _ = listener.accept()
        if mode == "explicit":
            conn.sendall(b"220 ready\r\n")
            conn.recv(4096)
            conn.sendall(b"234 go ahead\r\n")
        if behaviour == "close":
            conn.recv(4096)  # the ClientHello, then nothing
            conn.close()
        else:
            time.sleep(6)
            conn.close()

    thread = threading.Thread(target=serve)
    thread.start()
    started = time.perf_counter()
    cmd = [tool, "--timeout", "2", "--protocol", protocol, "--port", str(port), "--user", "u", "--password", "p",
           "127.0.0.1", "ls"]
    run = subprocess.run(cmd, capture_output=True, text=True, timeout=60, stdin=subprocess.DEVNULL)
    took = time.perf_counter() - started
    thread.join(10)
    listener.close()
    if run.returncode != 1 or took > 5 or "quillon-ftp:" not in run.stderr:
        failures.append(f"a server that {behaviour}s in the handshake: exit {run.returncode} after {took:.1f} s: "
                        f"{run.stderr[-300:]!r}")
    if "PASS" in run.stderr:
        failures.append(f"the password went out to a server that {behaviour}s in the handshake")


for behaviour in ("close", "stall"):
    hostile(behaviour)
report(failures, f"{kind} ({mode} TLS): all steps passed")
