#!/usr/bin/env python3
"""quillon-ftp over SFTP against an sshd of the test's own: an unknown host key refused with its fingerprint
until trusted, then known; uploads compared byte for byte on the server; the other commands; a login by key;
a wrong password; a changed host key refused with nothing sent; killed uploads that never leave a partial
live file.   usage: sftp_test.py QUILLON_FTP"""
import os
import random
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import bytes_or_none, report, write_bytes  # noqa: E402
from sftp_fixture import SshServer  # noqa: E402

tool = sys.argv[1]
work = tempfile.mkdtemp(prefix="quillon-sftp-")
os.chmod(work, 0o755)
server = SshServer(work)
client_home = os.path.join(work, "client")
os.makedirs(client_home)
known = os.path.join(client_home, ".ssh", "known_hosts")
env = dict(os.environ, HOME=client_home)
env.pop("SSH_AUTH_SOCK", None)
failures = []


def command(*args, password=True, trust=None):
    extra = ["--password", server.password] if password else []
    extra += ["--trust", trust] if trust else []
    return [tool, "--quiet", "--protocol", "sftp", "--port", str(server.port), "--user", server.user,
            "--known-hosts", known, *extra, "127.0.0.1", *args]


def sftp(*args, expect_ok=True, **kw):
    run = subprocess.run(command(*args, **kw), capture_output=True, text=True, timeout=300, env=env,
                         stdin=subprocess.DEVNULL)
    if (run.returncode == 0) != expect_ok:
        failures.append(f"{args}: exit {run.returncode}: {run.stderr.strip()}")
    return run


def local(name, data):
    return write_bytes(work, name, data)


def on_server(name):
    return bytes_or_none(server.home, name)


try:
    fingerprint = server.fingerprint()
    refused = sftp("ls", expect_ok=False)
    if fingerprint not in refused.stderr:
        failures.append(f"an unknown host key was refused without its fingerprint: {refused.stderr!r}")
    if os.path.exists(known):
        failures.append("an unknown key was written to known_hosts without being trusted")
    sftp("ls", trust="SHA256:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", expect_ok=False)
    sftp("ls", trust=fingerprint)
    if not os.path.exists(known) or "ssh-ed25519" not in open(known).read():
        failures.append("the trusted key is not in known_hosts")
    sftp("ls")  # known now

    files = {n: local(n, os.urandom(s)) for n, s in (("empty.bin", 0), ("odd.bin", 4097), ("big.bin", 20_000_000))}
    sftp("mkdir", "site")
    run = subprocess.run([tool, "--quiet", "--protocol", "sftp", "--port", str(server.port), "--user", server.user,
                          "--password", server.password, "--known-hosts", known, "--dir", "site", "127.0.0.1",
                          "put", *files.values()], capture_output=True, text=True, timeout=300, env=env)
    if run.returncode != 0:
        failures.append(f"put into site: {run.stderr.strip()}")
    for name, path in files.items():
        if on_server(os.path.join("site", name)) != open(path, "rb").read():
            failures.append(f"{name} differs on the server")
    if any(n.endswith(".quillon-upload") for n in os.listdir(os.path.join(server.home, "site"))):
        failures.append("a temporary file stayed after whole uploads")
    names = sftp("ls", "--names").stdout.splitlines()
    if "site/" not in names:
        failures.append(f"the folder is not listed as one: {names}")
    sftp("mv", "site/odd.bin", "site/renamed.bin")
    if on_server("site/renamed.bin") is None:
        failures.append("rename did not happen")
    for name in ("site/renamed.bin", "site/empty.bin", "site/big.bin"):
        sftp("rm", name)
    sftp("rmdir", "site")
    if os.path.exists(os.path.join(server.home, "site")):
        failures.append("rmdir did not remove the folder")
    wrong = subprocess.run(command("ls", password=False), capture_output=True, text=True, timeout=60, env=env,
                           stdin=subprocess.DEVNULL)
    if wrong.returncode == 0:
        failures.append("a login without password or key got in")

    # A login by key, without a password.
    os.makedirs(os.path.join(client_home, ".ssh"), exist_ok=True)
    key = os.path.join(client_home, ".ssh", "id_ed25519")
    subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", key], check=True)
    with open(server.authorized, "w") as f:
        f.write(open(key + ".pub").read())
    sftp("ls", password=False)

    # Replacing a live file: old or new whole after every kill.
    old, new = os.urandom(30_000_000), os.urandom(30_000_000)
    with open(os.path.join(server.home, "live.bin"), "wb") as f:
        f.write(old)
    os.chown(os.path.join(server.home, "live.bin"), server.uid, server.gid)
    started = time.perf_counter()
    sftp("put", local("live.bin", new))
    whole = time.perf_counter() - started
    for trial in range(8):
        source = local("live.bin", old if trial % 2 else new)
        process = subprocess.Popen(command("put", source), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   env=env)
        time.sleep(random.uniform(0.1, 1.0) * whole)
        process.send_signal(signal.SIGKILL)
        process.wait()
        time.sleep(0.2)
        if on_server("live.bin") not in (old, new):
            failures.append(f"trial {trial}: the live file is neither old nor new")
    sftp("put", local("live.bin", new))
    # The new file replaces the old in one step: watched closely through several uploads, the live name
    # never goes missing (a delete, then a rename, would leave a moment without it).
    small = local("small.html", b"<p>a page</p>\r\n" * 50)
    sftp("put", small)
    watched = os.path.join(server.home, "small.html")
    gone = []
    watching = [True]

    def watch():
        while watching[0]:
            if not os.path.exists(watched):
                gone.append(True)

    watcher = threading.Thread(target=watch)
    watcher.start()
    for _ in range(10):
        sftp("put", small)
    watching[0] = False
    watcher.join()
    if gone:
        failures.append("the live file went missing while a new one took its name")
    if on_server("live.bin") != new or any(n.endswith(".quillon-upload") for n in os.listdir(server.home)):
        failures.append("a whole upload after the kills did not leave the new file alone")

    # The server's key changes: refused with a warning naming the new key, and nothing is sent.
    server.new_host_key()
    server.restart()
    changed = sftp("put", files["odd.bin"], expect_ok=False, trust=server.fingerprint())
    if "WARNING" not in changed.stderr or server.fingerprint() not in changed.stderr:
        failures.append(f"a changed host key was not refused with a warning: {changed.stderr!r}")
    if on_server("odd.bin") is not None:
        failures.append("a file was sent to a server whose key changed")
finally:
    server.stop()
    subprocess.run(["rm", "-rf", work], check=False)

# A server that stalls after its banner, or closes before the key exchange: an error within the time-out.
for behaviour in ("stall", "close"):
    listener = socket.create_server(("127.0.0.1", 0))
    port = listener.getsockname()[1]

    def serve():
        conn, _ = listener.accept()
        conn.sendall(b"SSH-2.0-Stalling_1.0\r\n")
        if behaviour == "stall":
            time.sleep(6)
        conn.close()

    thread = threading.Thread(target=serve)
    thread.start()
    started = time.perf_counter()
    run = subprocess.run([tool, "--timeout", "2", "--protocol", "sftp", "--port", str(port), "--user", "u",
                          "--password", "p", "--known-hosts", known, "127.0.0.1", "ls"],
                         capture_output=True, text=True, timeout=60, env=env, stdin=subprocess.DEVNULL)
    took = time.perf_counter() - started
    thread.join(10)
    listener.close()
    if run.returncode != 1 or took > 5 or "quillon-ftp:" not in run.stderr:
        failures.append(f"a server that {behaviour}s: exit {run.returncode} after {took:.1f} s: {run.stderr[-300:]!r}")
report(failures, "sftp: all steps passed")
