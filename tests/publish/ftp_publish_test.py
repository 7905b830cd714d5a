#!/usr/bin/env python3
"""quillon-ftp against a real server that takes only passive data connections: uploads in Auto and Passive
compared byte for byte on the server, Active refused with a reason; an upload replaces the live file only
once it is whole, and a transfer killed at random moments leaves the live file old or new, never partial,
with no temporary file left after the next upload.   usage: ftp_publish_test.py QUILLON_FTP pyftpdlib|vsftpd"""
import os
import random
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, bytes_or_none, clean_up, report, write_bytes  # noqa: E402

tool, kind = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="quillon-publish-")
os.chmod(work, 0o755)
server = FtpServer(kind, work, passive_only=True)
home = server.home
failures = []


def command(*args, mode="auto"):
    return [tool, "--quiet", "--port", str(server.port), "--user", server.user, "--password", server.password,
            "--mode", mode, *args]


def ftp(*args, mode="auto", expect_ok=True):
    run = subprocess.run(command(*args, mode=mode), capture_output=True, text=True, timeout=300)
    if (run.returncode == 0) != expect_ok:
        failures.append(f"{mode} {args}: exit {run.returncode}: {run.stderr.strip()}")
    return run


def local(name, data):
    return write_bytes(work, name, data)


def on_server(name):
    return bytes_or_none(home, name)


def temporaries():
    return [n for n in os.listdir(home) if n.endswith(".quillon-upload")]


try:
    sizes = {"empty.bin": 0, "odd.bin": 4097, "big.bin": 5_000_000}
    files = {n: local(n, os.urandom(s)) for n, s in sizes.items()}
    for mode in ("auto", "passive"):
        ftp("127.0.0.1", "put", *files.values(), mode=mode)
        for name, path in files.items():
            if on_server(name) != open(path, "rb").read():
                failures.append(f"{mode}: {name} differs on the server")
    refused = ftp("127.0.0.1", "put", files["odd.bin"], mode="active", expect_ok=False)
    if "quillon-ftp:" not in refused.stderr:
        failures.append(f"an active upload refused by the server gave no reason: {refused.stderr!r}")
    if temporaries():
        failures.append(f"temporary files left after whole uploads: {temporaries()}")

    # Replacing a live page: old or new whole at every moment of a killed run, never a mix or a part.
    old, new = os.urandom(40_000_000), os.urandom(40_000_000)
    with open(os.path.join(home, "live.bin"), "wb") as f:
        f.write(old)
    os.chmod(os.path.join(home, "live.bin"), 0o666)
    new_path = local("live.bin", new)
    started = time.perf_counter()
    ftp("127.0.0.1", "put", new_path)
    whole = time.perf_counter() - started
    if on_server("live.bin") != new:
        failures.append("the live file was not replaced by a whole upload")
    for trial in range(12):
        source = local("live.bin", old if trial % 2 else new)
        before = on_server("live.bin")
        process = subprocess.Popen(command("127.0.0.1", "put", source), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        time.sleep(random.uniform(0.05, 1.0) * whole)
        process.send_signal(signal.SIGKILL)
        process.wait()
        time.sleep(0.2)  # the server finishes with the broken connection
        now = on_server("live.bin")
        if now not in (old, new):
            failures.append(f"trial {trial}: the live file is {len(now or b'')} bytes, neither old nor new")
        if now != before and now != open(source, "rb").read():
            failures.append(f"trial {trial}: the live file changed to something that was not sent")
    ftp("127.0.0.1", "put", local("live.bin", new))
    if on_server("live.bin") != new or temporaries():
        failures.append(f"after a whole upload: live file right {on_server('live.bin') == new}, "
                        f"temporaries {temporaries()}")
    # IPv6: a server on ::1, reached by its address with EPSV and with EPRT (active).
    if kind == "pyftpdlib":
        os.makedirs(os.path.join(work, "six"))
        six = FtpServer(kind, os.path.join(work, "six"), host="::1")
        try:
            for mode in ("auto", "active"):
                run = subprocess.run([tool, "--quiet", "--port", str(six.port), "--user", six.user, "--password",
                                      six.password, "--mode", mode, "::1", "put", files["odd.bin"]],
                                     capture_output=True, text=True, timeout=120)
                stored = os.path.join(six.home, "odd.bin")
                if run.returncode != 0 or open(stored, "rb").read() != open(files["odd.bin"], "rb").read():
                    failures.append(f"IPv6 {mode}: exit {run.returncode}: {run.stderr.strip()}")
                if os.path.exists(stored):
                    os.remove(stored)
        finally:
            six.stop()
    # A server that renames nothing (pyftpdlib without the rename permission): the upload fails, the live
    # page stays as it was, and the new copy is removed.
    if kind == "pyftpdlib":
        os.makedirs(os.path.join(work, "norename"))
        stiff = FtpServer(kind, os.path.join(work, "norename"), passive_only=True, perm="elradwMT")
        try:
            with open(os.path.join(stiff.home, "page.html"), "wb") as f:
                f.write(b"<p>the live page</p>")
            run = subprocess.run([tool, "--quiet", "--port", str(stiff.port), "--user", stiff.user, "--password",
                                  stiff.password, "127.0.0.1", "put", local("page.html", b"<p>new</p>")],
                                 capture_output=True, text=True, timeout=120)
            if run.returncode != 1:
                failures.append(f"an upload to a server that renames nothing did not fail: {run.returncode}")
            if open(os.path.join(stiff.home, "page.html"), "rb").read() != b"<p>the live page</p>":
                failures.append("a server that renames nothing lost its live page")
            if [n for n in os.listdir(stiff.home) if n.startswith(".page.html.")]:
                failures.append(f"hidden copies left: {os.listdir(stiff.home)}")
        finally:
            stiff.stop()
    # Without temporary names the file goes straight to its name.
    ftp("--no-temp-names", "127.0.0.1", "put", files["odd.bin"])
    if on_server("odd.bin") != open(files["odd.bin"], "rb").read():
        failures.append("--no-temp-names did not upload the file")
finally:
    clean_up(server, work)
report(failures, f"{kind}, passive only: all steps passed")
