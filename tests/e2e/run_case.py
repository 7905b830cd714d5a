#!/usr/bin/env python3
"""Runs one quillon-drive script in a fresh program directory and checks its transcript.

Lines of the script that start with "#!" are read here (the driver sees them as comments):
  #! file NAME "CONTENT"      write a file into the program directory before the run (escapes as in scripts;
                              "@@N@@" anywhere in it stands for N bytes of filler)
  #! exit N                   the driver's expected exit status (default 0)
  #! expect LINE              a transcript line that must appear, in order after the previous one
  #! dump N {"member": ...}   members that the Nth DUMP line (from 1) must hold; objects match on the members given
  #! dialogdump N {...}       the same for the Nth DIALOGDUMP line
  #! file-is NAME "CONTENT"   after the run, the file must hold exactly these bytes
  #! no-file NAME             after the run, the file must not exist
  #! mode-is NAME MODE         after the run, the file's permission bits (octal) must be MODE
  #! fifo NAME                make a named pipe (with no writer) in the program directory before the run
  #! pdf-text NAME "TEXT"      the PDF file NAME, read back as text, holds this line (after the lines of
                              earlier pdf-text checks of the same file)
  #! pdf-indented NAME "TEXT"  the same, and the line starts further right than the line found before it
  #! chmod NAME MODE           set a file's permission bits (octal) before the run
  #! symlink NAME TARGET       make a symbolic link NAME pointing to TARGET before the run
  #! drive-alone              run a copy of quillon-drive from a folder without the embedded-browser module
  #! browser-check N "TEXT"   run a copy of quillon-drive beside the embedded-browser module and an engine
                              check that prints TEXT on standard error and exits with status N
  #! as-root                  the case needs the real browser engine run as root with its sandbox on:
                              skipped (status 77) otherwise
File names may hold \\xHH escapes. "@DIR@" anywhere stands for the program directory, without its trailing slash; "@UDIR@" for it in upper case;
"@TODAY@" for today's date as backup folders are named (M_D_YYYY).
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unicodedata

ESCAPES = {"r": b"\r", "n": b"\n", "t": b"\t", "\\": b"\\", '"': b'"'}


def unquote(text: str) -> bytes:
    if not (text.startswith('"') and text.endswith('"')):
        return text.encode()
    out = bytearray()
    body = text[1:-1].encode()
    i = 0
    while i < len(body):
        c = body[i:i + 1]
        if c == b"\\":
            e = chr(body[i + 1])
            if e == "x":
                out += bytes([int(body[i + 2:i + 4], 16)])
                i += 4
                continue
            out += ESCAPES[e]
            i += 2
            continue
        out += c
        i += 1
    return bytes(out)


def in_prog(prog: str, name: str) -> bytes:
    """A file of the program directory; the name may hold \\xHH escapes for bytes that are not UTF-8."""
    return os.path.join(os.fsencode(prog), unquote('"' + name + '"') if "\\" in name else os.fsencode(name))


def matches(actual, expected) -> bool:
    """Objects match on the members given; everything else must be equal."""
    if isinstance(expected, dict):
        return isinstance(actual, dict) and all(k in actual and matches(actual[k], v) for k, v in expected.items())
    return actual == expected


def check_dumps(kind, lines, wanted):
    """The members each numbered dump line must hold, as problems found."""
    problems = []
    for n, members in wanted.items():
        if n > len(lines):
            problems.append(f"no {kind} number {n}")
            continue
        for key, value in members.items():
            if not matches(lines[n - 1].get(key), value):
                problems.append(f"{kind} {n} {key}: {json.dumps(lines[n - 1].get(key))}, expected {json.dumps(value)}")
    return problems


def check_pdf(path, name, wanted):
    """The PDF's text lines, leading and trailing blanks aside, must hold the wanted lines in order."""
    if not os.path.exists(path):
        return [f"PDF {name} is missing"]
    text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, check=True).stdout.decode("utf-8", "replace")
    # Compared as a reader sees them: ligatures as letters, runs of blanks as one.
    text = unicodedata.normalize("NFKC", text)
    raw = text.replace("\f", "\n").splitlines()
    lines = [" ".join(line.split()) for line in raw]
    indent = [len(line) - len(line.lstrip()) for line in raw]
    at, previous = 0, None
    for want, indented in wanted:
        want = " ".join(want.split())
        while at < len(lines) and lines[at] != want:
            at += 1
        if at == len(lines):
            return [f"PDF {name} lacks (in order) {want!r}; it reads {lines!r}"]
        if indented and (previous is None or indent[at] <= indent[previous]):
            return [f"PDF {name}: {want!r} is not indented further than the line before it; it reads {raw!r}"]
        previous = at
        at += 1
    return []


def main() -> int:
    drive, script = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="quillon-e2e-")
    prog = os.path.join(work, "prog")
    env = dict(os.environ)
    os.makedirs(prog)
    # Like an installed program directory: the data that ships beside the executables.
    for folder in ("help", "spell"):
        shipped = os.path.join(os.path.dirname(os.path.abspath(drive)), folder)
        if os.path.isdir(shipped):
            shutil.copytree(shipped, os.path.join(prog, folder))
    try:
        with open(script, encoding="utf-8") as f:
            source = (f.read().replace("@UDIR@", prog.upper()).replace("@DIR@", prog)
                      .replace("@TODAY@", "{0.tm_mon}_{0.tm_mday}_{0.tm_year}".format(time.localtime())))
        expected_exit, expects, dumps, file_checks, absent, modes = 0, [], {}, [], [], []
        pdf_checks = {}
        dialog_dumps = {}
        for line in source.splitlines():
            if not line.startswith("#! "):
                continue
            verb, _, rest = line[3:].partition(" ")
            if verb == "file":
                name, _, content = rest.partition(" ")
                path = in_prog(prog, name)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                # @@N@@ anywhere: N bytes of filler
                data = re.sub(rb"@@(\d+)@@", lambda m: b"x" * int(m.group(1)), unquote(content))
                with open(path, "wb") as out:
                    out.write(data)
            elif verb == "exit":
                expected_exit = int(rest)
            elif verb == "expect":
                expects.append(rest)
            elif verb == "dump":
                n, _, members = rest.partition(" ")
                dumps.setdefault(int(n), {}).update(json.loads(members))
            elif verb == "dialogdump":
                n, _, members = rest.partition(" ")
                dialog_dumps.setdefault(int(n), {}).update(json.loads(members))
            elif verb == "file-is":
                name, _, content = rest.partition(" ")
                file_checks.append((name, unquote(content)))
            elif verb == "symlink":
                name, _, target = rest.partition(" ")
                path = os.path.join(prog, name)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                os.symlink(target, path)
            elif verb == "chmod":
                name, _, mode = rest.partition(" ")
                os.chmod(in_prog(prog, name), int(mode, 8))
            elif verb in ("pdf-text", "pdf-indented"):
                name, _, content = rest.partition(" ")
                pdf_checks.setdefault(name, []).append((unquote(content).decode("utf-8"), verb == "pdf-indented"))
            elif verb == "no-file":
                absent.append(rest)
            elif verb == "mode-is":
                name, _, mode = rest.partition(" ")
                modes.append((name, int(mode, 8)))
            elif verb == "drive-alone":
                alone = os.path.join(work, "alone")
                os.makedirs(alone)
                shutil.copy2(drive, alone)
                drive = os.path.join(alone, os.path.basename(drive))
            elif verb == "browser-check":
                status, _, text = rest.partition(" ")
                alone = os.path.join(work, "alone")
                os.makedirs(alone)
                module = os.path.join(os.path.dirname(drive), "libquillon_browser.so")
                if not os.path.exists(module):
                    print("the embedded-browser module is not built")
                    return 77
                shutil.copy2(module, alone)
                shutil.copy2(drive, alone)
                drive = os.path.join(alone, os.path.basename(drive))
                check = os.path.join(alone, "quillon-browser-check")
                with open(check, "wb") as out:
                    out.write(b"#!/bin/sh\ncat >&2 <<'END'\n" + unquote(text) + b"\nEND\nexit " +
                              status.encode() + b"\n")
                os.chmod(check, 0o755)
            elif verb == "as-root":
                if os.geteuid() != 0 or not os.path.exists(
                        os.path.join(os.path.dirname(drive), "quillon-browser-check")):
                    print("needs the browser engine and root")
                    return 77
                env.pop("QTWEBENGINE_DISABLE_SANDBOX", None)
                env["QTWEBENGINE_CHROMIUM_FLAGS"] = "--disable-gpu"
            elif verb == "fifo":
                path = os.path.join(prog, rest)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                os.mkfifo(path)
            else:
                raise SystemExit(f"unknown #! line: {line}")
        script_path = os.path.join(work, "case.qd")
        with open(script_path, "w", encoding="utf-8") as f:
            f.write(source)

        run = subprocess.run([drive, "--program-dir", prog, script_path], capture_output=True, timeout=120, env=env)
        transcript = run.stdout.decode("utf-8", "replace").splitlines()
        problems = []
        if run.returncode != expected_exit:
            problems.append(f"exit status {run.returncode}, expected {expected_exit}")
        at = 0
        for want in expects:
            while at < len(transcript) and transcript[at] != want:
                at += 1
            if at == len(transcript):
                problems.append(f"missing (in order): {want}")
                break
            at += 1
        dump_lines = [json.loads(t[5:]) for t in transcript if t.startswith("DUMP ")]
        dialog_lines = [json.loads(t.split(" ", 2)[2]) for t in transcript if t.startswith("DIALOGDUMP ")]
        problems += check_dumps("DUMP", dump_lines, dumps)
        problems += check_dumps("DIALOGDUMP", dialog_lines, dialog_dumps)
        for name, content in file_checks:
            path = in_prog(prog, name)
            if not os.path.exists(path):
                problems.append(f"file {name} is missing")
            elif open(path, "rb").read() != content:
                problems.append(f"file {name} holds {open(path, 'rb').read()!r}, expected {content!r}")
        for name, wanted in pdf_checks.items():
            problems += check_pdf(os.path.join(prog, name), name, wanted)
        for name in absent:
            if os.path.exists(in_prog(prog, name)):
                problems.append(f"file {name} exists")
        for name, mode in modes:
            path = in_prog(prog, name)
            actual = os.stat(path).st_mode & 0o7777 if os.path.exists(path) else None
            if actual != mode:
                problems.append(f"file {name} has mode {actual and oct(actual)}, expected {oct(mode)}")
        if problems:
            print("\n".join(transcript))
            print(run.stderr.decode("utf-8", "replace")[-2000:], file=sys.stderr)
            print("\n".join("FAIL: " + p for p in problems))
            return 1
        return 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
