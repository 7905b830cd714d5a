#!/usr/bin/env python3
"""quillon-ftp against real FTP servers on 127.0.0.1, each with a temporary user and folder:
login, list, mkdir, cd, uploads of 0, 4096, 4097 bytes and 50 MB checked byte for byte on the server's
side, rename, delete, rmdir, quit.   usage: ftp_servers_test.py QUILLON_FTP pyftpdlib|vsftpd"""
import os
import socket
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, clean_up, report  # noqa: E402

tool, kind = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="quillon-ftp-")
os.chmod(work, 0o755)
server = FtpServer(kind, work)
port, user, password, home = server.port, server.user, server.password, server.home

failures = []


def ftp(*args, expect_ok=True, env=None, stdin=None, with_password=True):
    credentials = ["--user", user] + (["--password", password] if with_password else [])
    run = subprocess.run([tool, "--quiet", "--port", str(port)] + credentials + list(args),
                         capture_output=True, text=True, timeout=300, env=env, input=stdin)
    if (run.returncode == 0) != expect_ok:
        failures.append(f"{args}: exit {run.returncode}: {run.stderr.strip()}")
    return run.stdout


try:
    files = {}
    for name, size in (("empty.bin", 0), ("four.bin", 4096), ("fourplus.bin", 4097), ("big.bin", 50_000_000)):
        path = os.path.join(work, name)
        with open(path, "wb") as f:
            f.write(os.urandom(size) if size < 1_000_000 else (bytes(range(256)) * (size // 256 + 1))[:size])
        files[name] = path
    ftp("127.0.0.1", "mkdir", "site")
    ftp("--dir", "site", "127.0.0.1", "put", *files.values())
    for name, path in files.items():
        stored = os.path.join(home, "site", name)
        if not os.path.exists(stored) or open(stored, "rb").read() != open(path, "rb").read():
            failures.append(f"{name} differs on the server")
    listing = ftp("--dir", "site", "127.0.0.1", "ls")
    for name in files:
        if name not in listing:
            failures.append(f"{name} missing from the listing")
    ftp("--dir", "site", "127.0.0.1", "mv", "four.bin", "renamed.bin")
    if not os.path.exists(os.path.join(home, "site", "renamed.bin")):
        failures.append("rename did not happen")
    # Names with blanks, listed by the names the client parsed and renamed; the password kept off the
    # command line (from the environment, then from standard input).
    blank = os.path.join(work, "with space.txt")
    with open(blank, "wb") as f:
        f.write(b"blank")
    ftp("--dir", "site", "127.0.0.1", "put", blank, with_password=False, env=dict(os.environ, QUILLON_FTP_PASSWORD=password))
    ftp("--password-stdin", "--dir", "site", "127.0.0.1", "mkdir", "My Folder", with_password=False,
        stdin=password + "\n")
    # A name holding terminal control characters is printed with them escaped.
    # A link to a folder is listed among the folders.
    os.symlink("My Folder", os.path.join(home, "site", "linked"))
    evil = os.path.join(home, "site", "evil\x1b]0;title\x07\x1b[31mred.html")
    with open(evil, "wb") as f:
        f.write(b"x")
    listed = ftp("--dir", "site", "127.0.0.1", "ls", "--names")
    os.remove(evil)
    os.remove(os.path.join(home, "site", "linked"))
    if "\x1b" in listed or "\x07" in listed:
        failures.append("a control character from the server reached the terminal")
    names = listed.splitlines()
    for wanted in ("with space.txt", "My Folder/", "linked/", "renamed.bin", "evil\\x1B]0;title\\x07\\x1B[31mred.html"):
        if wanted not in names:
            failures.append(f"{wanted!r} not among the parsed names {names}")
    ftp("--dir", "site", "127.0.0.1", "mv", "with space.txt", "still with space.txt")
    if not os.path.exists(os.path.join(home, "site", "still with space.txt")):
        failures.append("a name with a blank was not renamed")
    ftp("--dir", "site", "127.0.0.1", "rm", "still with space.txt")
    ftp("--dir", "site", "127.0.0.1", "rmdir", "My Folder")
    # Two files that would land on one remote name are refused before anything is sent; a backslash is
    # part of a name, never a folder separator.
    os.makedirs(os.path.join(work, "news"))
    for rel in ("news/index.html", "index.html", "a\\b.html"):
        with open(os.path.join(work, rel), "wb") as f:
            f.write(rel.encode())
    ftp("--dir", "site", "127.0.0.1", "put", os.path.join(work, "index.html"), os.path.join(work, "news/index.html"),
        expect_ok=False)
    if os.path.exists(os.path.join(home, "site", "index.html")):
        failures.append("two files with one remote name were sent")
    ftp("--dir", "site", "127.0.0.1", "put", os.path.join(work, "a\\b.html"))
    if not os.path.exists(os.path.join(home, "site", "a\\b.html")):
        failures.append("a name holding a backslash was sent as another name")
    ftp("--dir", "site", "127.0.0.1", "rm", "a\\b.html")
    # A folder that does not exist fails the run before anything is stored in the login folder.
    ftp("--dir", "no-such-folder", "127.0.0.1", "put", blank, expect_ok=False)
    if os.path.exists(os.path.join(home, "with space.txt")):
        failures.append("a refused --dir still stored the file in the login folder")
    for name in ("renamed.bin", "empty.bin", "fourplus.bin", "big.bin"):
        ftp("--dir", "site", "127.0.0.1", "rm", name)
    ftp("127.0.0.1", "rmdir", "site")
    if os.path.exists(os.path.join(home, "site")):
        failures.append("rmdir did not remove the folder")
    ftp("127.0.0.1", "rm", "no-such-file", expect_ok=False)
    with socket.socket() as probe:  # and a login that is refused
        pass
    run = subprocess.run([tool, "--quiet", "--port", str(port), "--user", user, "--password", "wrong", "127.0.0.1", "ls"],
                         capture_output=True, text=True, timeout=60)
    if run.returncode == 0:
        failures.append("a wrong password logged in")
    if "wrong" in run.stdout + run.stderr:
        failures.append("the password was printed")
    # A password given as an argument is gone from the arguments others can read while the tool runs.
    with socket.socket() as silent:
        silent.bind(("127.0.0.1", 0))
        silent.listen()
        waiting = subprocess.Popen([tool, "--quiet", "--timeout", "20", "--port", str(silent.getsockname()[1]),
                                    "--password", "s3cret-in-args", "127.0.0.1", "ls"],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        held, _ = silent.accept()  # connected: the arguments were read long before; no greeting is sent
        time.sleep(0.2)
        with open(f"/proc/{waiting.pid}/cmdline", "rb") as f:
            shown = f.read()
        if b"--password" not in shown:
            failures.append("the tool ended before its arguments could be read")
        elif b"s3cret-in-args" in shown:
            failures.append("the password stays readable in the tool's arguments")
        held.close()
        waiting.kill()
        waiting.wait()
    # Options that are not numbers are refused before anything is sent (a time-out of "abc" is not "never").
    for bad in (["--timeout", "abc"], ["--timeout", "-1"], ["--port", "http"], ["--port", "70000"],
                ["--trust", "garbage"], ["--trust", "SHA256:AAAA"], ["--password", "a", "--password-stdin"],
                ["--mode", "sideways"], ["--protocol", "gopher"]):
        run = subprocess.run([tool, *bad, "127.0.0.1", "ls"], capture_output=True, text=True, timeout=60)
        if run.returncode != 2 or "usage" not in run.stderr:
            failures.append(f"{bad} was not refused")
finally:
    clean_up(server, work)
report(failures, f"{kind}: all steps passed")
