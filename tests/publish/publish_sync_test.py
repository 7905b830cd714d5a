#!/usr/bin/env python3
"""quillon-ftp sync against a real server on 127.0.0.1 (pyftpdlib, vsftpd, or an sshd of the test's own):
a first publish of a tree of folders, a dry run that sends nothing, a second publish after edits that sends
only the edited files (an edit of the same size included), a file changed on the server reported and left
alone unless forced, deletions only when asked, and a run killed part-way then finished by the next one,
the server equal to the local folder byte for byte.   usage: publish_sync_test.py QUILLON_FTP KIND"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, report, write_bytes  # noqa: E402

tool, kind = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="quillon-sync-")
os.chmod(work, 0o755)
if kind == "sftp":
    from sftp_fixture import SshServer  # noqa: E402
    server = SshServer(work)
    known = os.path.join(work, "known_hosts")
    login = ["--protocol", "sftp", "--known-hosts", known, "--trust", server.fingerprint()]
else:
    server = FtpServer(kind, work, passive_only=(kind == "vsftpd"))
    login = []
site = os.path.join(work, "site")
record = os.path.join(work, "site.rec")
failures = []


def remote_root():
    return os.path.join(server.home, "www")


def sync(*extra, expect=0, remote="www", local=None, with_record=True, env_extra=None):
    env = dict(os.environ, QUILLON_FTP_PASSWORD=server.password, **(env_extra or {}))
    run = subprocess.run([tool, "--quiet", "--port", str(server.port), "--user", server.user, *login, "127.0.0.1",
                          "sync", local or site, remote, *(["--record", record] if with_record else []), *extra],
                         capture_output=True, timeout=300, env=env)
    if expect is not None and run.returncode != expect:
        failures.append(f"sync {extra}: exit {run.returncode}, expected {expect}: {run.stderr.decode(errors='replace')[-800:]}")
    return sorted(line for line in run.stdout.decode("utf-8", "replace").splitlines() if " " in line
                  and line.split(" ")[0] in ("new", "changed", "conflict", "delete"))


def server_write(name, data):
    """Writes a file into the server's folder as the server's user would own it."""
    path = os.path.join(remote_root(), name)
    with open(path, "wb") as f:
        f.write(data)
    owner = os.stat(remote_root())
    os.chown(path, owner.st_uid, owner.st_gid)


def tree(root, skip_hidden=True):
    """Every file under root by relative path, with its bytes."""
    found = {}
    for folder, dirs, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            found[os.path.relpath(path, root)] = open(path, "rb").read()
    return found


def published():
    """What the local site should look like on the server: everything but the excluded names."""
    return {p: b for p, b in tree(site).items()
            if not any(part.startswith(".") or part.endswith((".bak", ".tmp", "~")) for part in p.split("/"))}


def same_tree(what):
    remote = tree(remote_root()) if os.path.isdir(remote_root()) else {}
    if remote != published():
        extra = sorted(set(remote) - set(published()))
        missing = sorted(set(published()) - set(remote))
        differ = sorted(p for p in remote if p in published() and remote[p] != published()[p])
        failures.append(f"{what}: the server differs: extra {extra}, missing {missing}, different {differ}")


try:
    files = {
        "index.html": b"<P>home</P>\r\n",
        "My Folder/a b#c 'q'.html": b"<P>blanks</P>\r\n",
        "caf\u00e9.html": b"<P>accent</P>\r\n",
        "img/x.gif": bytes(range(256)) * 40,
        "sub/deeper/p.html": b"<P>deep</P>\r\n",
        "empty.txt": b"",
        ".hidden": b"secret",
        "old.bak": b"backup",
        "sub/.git/config": b"[core]",
    }
    for path, data in files.items():
        os.makedirs(os.path.dirname(os.path.join(site, path)), exist_ok=True)
        write_bytes(site, path, data)

    plan = sync("--dry-run")
    if plan != sorted("new " + p for p in published()):
        failures.append(f"dry run planned {plan}")
    if os.path.exists(remote_root()) and tree(remote_root()):
        failures.append("the dry run sent files")

    if sync() != sorted("new " + p for p in published()):
        failures.append("the first publish did not send every file")
    same_tree("first publish")
    if sync() != []:
        failures.append("a publish with nothing changed planned something")

    # Same size, other bytes (its time moved on); a longer file; a file only touched is not sent.
    write_bytes(site, "index.html", b"<P>HOME</P>\r\n")
    os.utime(os.path.join(site, "index.html"), (time.time() + 5, time.time() + 5))
    write_bytes(site, "sub/deeper/p.html", b"<P>deeper and longer</P>\r\n")
    os.utime(os.path.join(site, "img/x.gif"), (time.time() + 9, time.time() + 9))
    if sync() != ["changed index.html", "changed sub/deeper/p.html"]:
        failures.append("the second publish did not send exactly the two edited files")
    same_tree("second publish")

    # Someone changes a page on the server: reported, left alone, exit status 3; sent only when forced.
    time.sleep(1.1)
    server_write("caf\u00e9.html", b"<P>edited on the server, longer</P>\r\n")
    if sync(expect=3) != ["conflict caf\u00e9.html"]:
        failures.append("a file changed on the server was not reported as a conflict")
    if open(os.path.join(remote_root(), "caf\u00e9.html"), "rb").read() != b"<P>edited on the server, longer</P>\r\n":
        failures.append("a file changed on the server was overwritten unasked")
    sync("--force")
    same_tree("forced publish")

    # A file removed locally: deleted only with --delete, not beyond --max-delete.
    os.remove(os.path.join(site, "empty.txt"))
    sync()
    if not os.path.exists(os.path.join(remote_root(), "empty.txt")):
        failures.append("a file was deleted on the server without --delete")
    sync("--delete", "--max-delete", "0", expect=1)
    if not os.path.exists(os.path.join(remote_root(), "empty.txt")):
        failures.append("--max-delete 0 still deleted")
    if sync("--delete") != ["delete empty.txt"]:
        failures.append("--delete did not plan the deletion")
    same_tree("publish with deletions")
    server_write(".htaccess", b"server's own")
    sync("--delete")
    if not os.path.exists(os.path.join(remote_root(), ".htaccess")):
        failures.append("a hidden file of the server's was deleted")
    os.remove(os.path.join(remote_root(), ".htaccess"))

    # A local folder that is empty or missing never empties the server; a missing one is a failure.
    empty = os.path.join(work, "empty-site")
    os.makedirs(empty)
    sync("--delete", local=empty)
    sync("--delete", local=os.path.join(work, "no-such-folder"), expect=1)
    same_tree("after publishing an empty and a missing folder")
    # A link out of the site folder is never followed onto the server.
    secret = os.path.join(work, "private")
    os.makedirs(secret)
    write_bytes(secret, "shadow", b"secret")
    os.symlink(secret, os.path.join(site, "private"))
    os.symlink(os.path.join(secret, "shadow"), os.path.join(site, "pw.html"))
    sync()
    if os.path.exists(os.path.join(remote_root(), "pw.html")) or os.path.exists(os.path.join(remote_root(), "private")):
        failures.append("a link out of the site folder was published")
    os.remove(os.path.join(site, "private"))
    os.remove(os.path.join(site, "pw.html"))
    # Without --record the record goes to the data folder, made when missing.
    data_home = os.path.join(work, "data", "deeper")
    sync("--dry-run", with_record=False, env_extra={"XDG_DATA_HOME": data_home})
    sync(with_record=False, env_extra={"XDG_DATA_HOME": data_home})
    if not os.path.isdir(os.path.join(data_home, "quillon", "publish")):
        failures.append("the record was not kept in the data folder")
    # A file given as the record that is not one is left as it is.
    notes = os.path.join(work, "notes.txt")
    with open(notes, "wb") as f:
        f.write(b"my own notes\n")
    env = dict(os.environ, QUILLON_FTP_PASSWORD=server.password)
    run = subprocess.run([tool, "--quiet", "--port", str(server.port), "--user", server.user, *login, "127.0.0.1",
                          "sync", site, "www", "--record", notes], capture_output=True, timeout=300, env=env)
    if run.returncode != 1 or open(notes, "rb").read() != b"my own notes\n":
        failures.append("a file that is no record was written over, or the run did not fail")

    # A damaged record: read what can be read, and never delete because of it.
    with open(record, "ab") as f:
        f.write(b"+\tgarbage line\r\n")
    sync()

    # Killed part-way through many files: the next run sends the rest; no file is left half-written.
    for n in range(300):
        write_bytes(os.path.join(site, "img"), f"many{n:03}.bin", os.urandom(20000 + n))
    env = dict(os.environ, QUILLON_FTP_PASSWORD=server.password)
    run = subprocess.Popen([tool, "--quiet", "--port", str(server.port), "--user", server.user, *login, "127.0.0.1",
                            "sync", site, "www", "--record", record],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    deadline = time.time() + 60
    while time.time() < deadline:
        if len([n for n in os.listdir(os.path.join(remote_root(), "img")) if n.startswith("many")]) >= 40:
            break
        time.sleep(0.01)
    run.send_signal(signal.SIGKILL)
    run.wait()
    sent_before = len([n for n in os.listdir(os.path.join(remote_root(), "img")) if n.startswith("many")])
    if sent_before >= 300:
        failures.append("the kill came too late to test anything")
    again = sync()
    if len(again) > 300 - sent_before + 2:
        failures.append(f"after the kill, {len(again)} files were sent again; {sent_before} had arrived before")
    leftovers = [n for n in os.listdir(os.path.join(remote_root(), "img")) if n.startswith(".")]
    if leftovers:
        failures.append(f"temporary files are left on the server: {leftovers[:5]}")
    same_tree("publish after a kill")
    if sync() != []:
        failures.append("a publish after the finished run still planned something")
    # A name the server keeps otherwise (not UTF-8, on a server that stores UTF-8 names) is never deleted
    # as "only on the server" in a run that sent it.
    write_bytes(site, b"lat\xe9.html".decode("latin-1"), b"latin name")
    weird = os.path.join(site, "lat\xe9.html".encode("latin-1").decode("utf-8", "surrogateescape"))
    os.rename(os.path.join(site, "lat\u00e9.html"), weird)
    sync("--delete", expect=None)
    sync("--delete", expect=None)
    on_server = os.listdir(remote_root())
    if not any(name.startswith("lat") for name in on_server):
        failures.append(f"a file with a name that is not UTF-8 was sent and then deleted: {on_server}")
    os.remove(weird)
finally:
    server.stop()
    shutil.rmtree(work, ignore_errors=True)
report(failures, f"{kind}: publishing what changed passed")
