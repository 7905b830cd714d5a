#!/usr/bin/env python3
"""quillon-check against a small site of its own with every kind of finding (compared line for line with
the expected findings), a project's pages, hostile pages and links, and external links answered by a web
server of the test's own on 127.0.0.1 (200, 301, 404, 500, HEAD refused, garbage, and one that stalls)."""
import http.server
import json
import os
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time

check = sys.argv[1]
here = os.path.dirname(os.path.abspath(__file__))
work = tempfile.mkdtemp(prefix="quillon-check-")
failures = []


def expect(what, ok):
    if not ok:
        failures.append(what)
        print("FAILED:", what)


def run(*args, cwd=work, timeout=120):
    return subprocess.run([check, *args], cwd=cwd, capture_output=True, timeout=timeout)


try:
    site = os.path.join(work, "site")
    shutil.copytree(os.path.join(here, "site"), site)

    # Every kind of finding, in the order of the pages and of the places in them.
    r = run("--folder", "site", "--all")
    with open(os.path.join(here, "expected_folder.txt"), "rb") as f:
        expected = f.read()
    expect("the folder check gives exactly the expected findings", r.stdout == expected)
    if r.stdout != expected:
        print(r.stdout.decode(errors="replace"))
    expect("findings give exit status 1", r.returncode == 1)
    problems = [l for l in expected.decode().splitlines() if ": page weight: " not in l and ": external link: " not in l]
    r = run("--folder", "site")
    expect("without --all only the problems are printed", r.stdout.decode().splitlines() == problems)

    # The same pages as a project: only its pages are checked, orphans start from them and the index.
    with open(os.path.join(work, "SITE.out"), "wb") as f:
        f.write(b"Home\r\nAbout\r\n")
    with open(os.path.join(work, "SITE.fil"), "wb") as f:
        f.write((site + "/index.html\r\n" + site + "/about.html\r\n").encode())
    r = run("--project", "SITE.out", "--format", "csv")
    rows = r.stdout.decode().split("\r\n")
    expect("csv starts with its header", rows[0] == "page,line,column,kind,target,detail,problem")
    pages = {row.split(",")[0] for row in rows[1:] if row and ",orphan," not in row}
    expect("a project check reports its own pages only: %s" % pages,
           pages == {site + "/index.html", site + "/about.html", site + "/css/site.css"})
    expect("the orphan page is an orphan in the project too", any("orphan.html" in row and ",orphan," in row for row in rows))

    # A clean site exits 0; bad usage and unreadable sites exit 2.
    clean = os.path.join(work, "clean")
    os.makedirs(clean)
    with open(os.path.join(clean, "index.html"), "wb") as f:
        f.write(b'<html><body><img src="a.png" alt="A"><a href="#x" id="x">x</a></body></html>\r\n')
    with open(os.path.join(clean, "a.png"), "wb") as f:
        f.write(b"png")
    r = run("--folder", clean)
    expect("a clean site exits 0 and prints nothing", r.returncode == 0 and r.stdout == b"")
    expect("no site named exits 2", run().returncode == 2)
    expect("both a project and a folder exit 2", run("--folder", clean, "--project", "x.out").returncode == 2)
    expect("an unknown format exits 2", run("--folder", clean, "--format", "xml").returncode == 2)
    expect("a missing folder exits 2", run("--folder", os.path.join(work, "nowhere")).returncode == 2)
    expect("a bad budget exits 2", run("--folder", clean, "--budget", "9,1").returncode == 2)

    # Page weight against the budget.
    with open(os.path.join(clean, "big.png"), "wb") as f:
        f.write(b"x" * (700 * 1024))
    with open(os.path.join(clean, "index.html"), "ab") as f:
        f.write(b'<img src="big.png" alt="big">\r\n')
    r = run("--folder", clean)
    expect("a 700 KB page is heavy: %r" % r.stdout,
           r.returncode == 1 and b"page weight: 701 KB (3 files; 3.6 s on mobile, 0.2 s on broadband; heavy, over 500 KB)" in r.stdout)
    r = run("--folder", clean, "--budget", "100,600")
    expect("over the second budget it is too heavy", b"too heavy, over 600 KB" in r.stdout)

    # Hostile pages: no crash, no hang, a finding, and the rest of the site still checked.
    hostile = os.path.join(work, "hostile")
    os.makedirs(os.path.join(hostile, "loop"))
    with open(os.path.join(hostile, "index.html"), "wb") as f:
        f.write(b'<a href="deep.html">d</a><a href="long.html">l</a><a href="out/passwd">o</a>'
                b'<a href="loop/">loop</a><a href="a.html">a</a>\r\n')
    with open(os.path.join(hostile, "deep.html"), "wb") as f:
        f.write(b"<div>" * 1_000_000)
    with open(os.path.join(hostile, "long.html"), "wb") as f:
        f.write(b"<p>" + b"word " * 20_000_000 + b'<a href="gone.html">x</a>')  # 100 MB on one line
    with open(os.path.join(hostile, "a.html"), "wb") as f:
        f.write(b'<a href="b.html">b</a>')
    with open(os.path.join(hostile, "b.html"), "wb") as f:
        f.write(b'<a href="a.html">a</a>')
    os.symlink("/etc", os.path.join(hostile, "out"))
    os.symlink("..", os.path.join(hostile, "loop", "up"))
    os.mkfifo(os.path.join(hostile, "fifo.html"))
    start = time.monotonic()
    r = run("--folder", hostile, timeout=300)
    out = r.stdout.decode(errors="replace")
    expect("the hostile site is checked to its end: %s" % r.stderr, r.returncode == 1 and b"quillon-check:" in r.stderr)
    expect("a page nested a million deep is reported", "deep.html:1:1: unreadable page: deep.html (Its elements nest more than 10000 deep.)" in out)
    expect("a link in a 100 MB line is found", "long.html:1:100000013: broken link: gone.html" in out)
    expect("a link out of the folder is reported", "outside the site: out/passwd" in out)
    expect("the pages linking in a circle are checked", "a.html" not in out.replace("index.html", ""))
    print("hostile site checked in %.1f s" % (time.monotonic() - start))

    # External links, against a server of the test's own.
    class Handler(http.server.BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def answer(self, body):
            if self.path == "/ok":
                self.send_response(200)
            elif self.path == "/moved":
                self.send_response(301)
                self.send_header("Location", "/ok")
            elif self.path == "/gone":
                self.send_response(404)
            elif self.path == "/error":
                self.send_response(500)
            elif self.path == "/nohead":
                self.send_response(405 if self.command == "HEAD" else 200)
            elif self.path == "/garbage":
                self.wfile.write(b"\x00\xffthis is no HTTP\r\n\r\n")
                return
            elif self.path == "/stall":
                time.sleep(20)
                return
            self.send_header("Content-Length", "2")
            self.end_headers()
            if body:
                self.wfile.write(b"ok")

        def do_HEAD(self):
            self.answer(False)

        def do_GET(self):
            self.answer(True)

    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True

    server = Server(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = "http://127.0.0.1:%d" % server.server_address[1]
    ext = os.path.join(work, "ext")
    os.makedirs(ext)
    with open(os.path.join(ext, "index.html"), "wb") as f:
        for name in ("ok", "moved", "gone", "error", "nohead", "garbage", "stall", "ok"):
            f.write(b'<a href="%s/%s">%s</a>\r\n' % (base.encode(), name.encode(), name.encode()))
    start = time.monotonic()
    r = run("--folder", ext, "--external", "--format", "json", "--all", timeout=120)
    took = time.monotonic() - start
    found = {f["target"].rsplit("/", 1)[1] + ":" + str(f["line"]): f for f in json.loads(r.stdout)["findings"]
             if f["kind"] != "page weight"}
    kinds = {k: (v["kind"], v["detail"]) for k, v in found.items()}
    expect("200 is a working link: %s" % kinds, kinds.get("ok:1", ("",))[0] == "external link")
    expect("a link written twice is reported at both places", kinds.get("ok:8", ("",))[0] == "external link")
    expect("301 is a redirect to where it leads", kinds.get("moved:2") == ("redirect", "it leads to %s/ok (200)" % base))
    expect("404 is broken", kinds.get("gone:3") == ("external link broken", "the server answered 404"))
    expect("500 is broken", kinds.get("error:4") == ("external link broken", "the server answered 500"))
    expect("a server refusing HEAD is asked with GET", kinds.get("nohead:5", ("",))[0] == "external link")
    expect("garbage is broken", kinds.get("garbage:6", ("",))[0] == "external link broken")
    expect("a stalling server times out", kinds.get("stall:7") == ("external link broken", "no answer within 10 s"))
    expect("links are asked at once, not one after another (%.1f s)" % took, took < 19)
    expect("broken external links give exit status 1", r.returncode == 1)
    server.shutdown()
finally:
    shutil.rmtree(work, ignore_errors=True)

if failures:
    print("%d failed" % len(failures))
    sys.exit(1)
print("all passed")
