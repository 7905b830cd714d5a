#!/usr/bin/env python3
"""`cmake --install` into a scratch prefix, then the installed program and tools are run as a user would:
they must read the shipped files from PREFIX/share/quillon, write only into the user's data folder, seed it
on first start and never overwrite what the user has there.

usage: installed_layout_test.py BUILD_DIR
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile


# A fresh data folder starts with the tip of the day; turning it off writes OPTIONS.INI.
TIPS = "dialog TTipsForm\n  set CheckShowTips 0\n  click ButtonOk\nend\n"


def files_under(root):
    found = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            found[os.path.relpath(path, root)] = os.lstat(path).st_mtime_ns
    return found


def run(args, env, stdin=None):
    return subprocess.run(args, env=env, input=stdin, capture_output=True, timeout=120)


def main():
    build = sys.argv[1]
    failures = []

    def check(condition, what):
        if not condition:
            failures.append(what)

    with tempfile.TemporaryDirectory(prefix="quillon-install-") as scratch:
        prefix = os.path.join(scratch, "usr")
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True, capture_output=True)
        share = os.path.join(prefix, "share")
        for path in ["bin/quillon", "bin/quillon-drive", "bin/quillon-ftp", "bin/quillon-spell",
                     "bin/quillon-check", "share/man/man1/quillon-check.1", "share/quillon/help/welcome.out", "share/quillon/spell/spell.cfg",
                     "share/quillon/spell/american.dct", "share/quillon/icons/LICENSE",
                     "share/applications/quillon.desktop", "share/icons/hicolor/scalable/apps/quillon.svg",
                     "share/man/man1/quillon-drive.1", "share/man/man1/quillon-ftp.1",
                     "share/man/man1/quillon-spell.1"]:
            check(os.path.exists(os.path.join(prefix, path)), "not installed: " + path)
        # The browser module and the engine check it needs go together, when the module is built at all.
        if os.path.exists(os.path.join(build, "bin", "libquillon_browser.so")):
            for path in ["lib/quillon/libquillon_browser.so", "lib/quillon/quillon-browser-check"]:
                check(os.path.exists(os.path.join(prefix, path)), "not installed: " + path)
        if shutil.which("desktop-file-validate"):
            result = run(["desktop-file-validate", os.path.join(share, "applications/quillon.desktop")], os.environ)
            check(result.returncode == 0, "desktop file: " + result.stdout.decode() + result.stderr.decode())

        home = os.path.join(scratch, "home")
        os.makedirs(home)
        env = {k: v for k, v in os.environ.items() if k not in ("QUILLON_PROGRAM_DIR", "XDG_DATA_HOME")}
        env["HOME"] = home
        data = os.path.join(home, ".local/share/quillon")
        before = files_under(prefix)

        # The spell tool finds the shipped dictionary; the first start seeds the user's configuration.
        result = run([os.path.join(prefix, "bin/quillon-spell"), "suggest", "recieve"], env)
        check(result.stdout.decode().startswith("recieve: receive"),
              "installed quillon-spell: " + result.stdout.decode() + result.stderr.decode())
        with open(os.path.join(share, "quillon/spell/spell.cfg"), "rb") as f:
            shipped = f.read()
        seeded = os.path.join(data, "spell/spell.cfg")
        check(os.path.isfile(seeded) and open(seeded, "rb").read() == shipped, "spell.cfg not seeded")

        # The program opens the shipped help project and writes its settings into the data folder.
        script = TIPS + "command WelcometoQuillonPro1Click\ndump\n"
        result = run([os.path.join(prefix, "bin/quillon-drive"), "-"], env, script.encode())
        transcript = result.stdout.decode()
        check(result.returncode == 0, "installed quillon-drive failed: " + transcript + result.stderr.decode())
        dumps = [json.loads(line[5:]) for line in transcript.splitlines() if line.startswith("DUMP ")]
        check(bool(dumps) and os.path.join(share, "quillon/help/welcome.brn") == dumps[-1].get("documentPath"),
              "help page not read from the shared folder: " + transcript)
        for name in ["OPTIONS.INI", "projects", "backup"]:
            check(os.path.exists(os.path.join(data, name)), "not in the data folder: " + name)
        check(files_under(prefix) == before, "the installed program wrote under its prefix")

        # A user's own configuration survives every later start.
        with open(seeded, "wb") as f:
            f.write(b"[default]\r\nID=1\r\nsoUpcase=1\r\n")
        run([os.path.join(prefix, "bin/quillon-spell"), "suggest", "teh"], env)
        check(open(seeded, "rb").read() == b"[default]\r\nID=1\r\nsoUpcase=1\r\n", "spell.cfg overwritten")

        # XDG_DATA_HOME moves the data folder; QUILLON_PROGRAM_DIR makes one folder of everything.
        env_xdg = dict(env, XDG_DATA_HOME=os.path.join(scratch, "xdg"))
        run([os.path.join(prefix, "bin/quillon-spell"), "suggest", "teh"], env_xdg)
        check(os.path.isfile(os.path.join(scratch, "xdg/quillon/spell/spell.cfg")), "XDG_DATA_HOME not honoured")
        env_one = dict(env, QUILLON_PROGRAM_DIR=os.path.join(scratch, "one"))
        run([os.path.join(prefix, "bin/quillon-drive"), "-"], env_one, (TIPS + "dump\n").encode())
        check(os.path.isfile(os.path.join(scratch, "one/OPTIONS.INI")), "QUILLON_PROGRAM_DIR not used")

    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
