#!/usr/bin/python3
"""The editing window as a screen reader sees it through AT-SPI: the real program, on an X server and a
D-Bus session of the test's own, opens a page; the test finds the editing window by its name in the
accessibility tree and reads the page's text, its length in characters, the caret offset and a line back,
moves the caret through AT-SPI and waits for the caret-moved event.

Run as: dbus-run-session -- xvfb-run -a atspi_reads_editor.py QUILLON
Exit 77 (skipped) when the accessibility bus cannot be reached."""

import ctypes
import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# Two-, three- and four-byte characters before the caret's place, so bytes, UTF-16 units and characters
# all part; CR LF line ends as the program writes them.
PAGE = "<html>\r\n<p>caf\u00e9 \u20ac \U0001F600 na\u00efve</p>\r\n<b>end</b>\r\n</html>\r\n"


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def find_editor(pid, deadline):
    """The accessible named "Page source" in the application with the program's process id."""
    while time.time() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            try:
                if app is None or app.get_process_id() != pid:
                    continue
                found = search(app, 0)
                if found is not None:
                    return found
            except GLib.Error:
                continue
        time.sleep(0.3)
    return None


def search(node, depth):
    if depth > 40:
        return None
    try:
        if node.get_name() == "Page source" and node.get_role() == Atspi.Role.TEXT:
            return node
        count = node.get_child_count()
    except GLib.Error:
        return None
    for i in range(count):
        child = node.get_child_at_index(i)
        if child is not None:
            found = search(child, depth + 1)
            if found is not None:
                return found
    return None


def wait_for_text(editor, deadline):
    while time.time() < deadline:
        if Atspi.Text.get_character_count(editor) == len(PAGE):
            return
        time.sleep(0.2)


def caret_event_after(editor, move):
    """Moves the caret with `move` and returns the offset the first caret-moved event reports."""
    seen = []
    loop = GLib.MainLoop()

    def on_event(event):
        if event.source == editor or event.source.get_name() == "Page source":
            seen.append(event.detail1)
            loop.quit()

    listener = Atspi.EventListener.new(on_event)
    listener.register("object:text-caret-moved")
    move()
    # The event may already have come in while the call that moved the caret waited for its answer.
    if not seen:
        GLib.timeout_add(10000, loop.quit)
        loop.run()
    listener.deregister("object:text-caret-moved")
    return seen[0] if seen else None


def events_after(editor, kinds, act, wanted):
    """Runs `act` and gathers (kind, detail1, text) of the editor's events of `kinds`, until `wanted` of
    them or 10 seconds."""
    seen = []
    loop = GLib.MainLoop()

    def on_event(event):
        if event.source.get_name() == "Page source":
            text = event.any_data if isinstance(event.any_data, str) else ""
            seen.append((event.type, event.detail1, text))
            if len(seen) >= wanted:
                loop.quit()

    listener = Atspi.EventListener.new(on_event)
    for kind in kinds:
        listener.register(kind)
    act()
    if len(seen) < wanted:
        GLib.timeout_add(10000, loop.quit)
        loop.run()
    for kind in kinds:
        listener.deregister(kind)
    return seen


def type_keys(text):
    """Types `text` (letters) into the window with the keyboard's focus, as key presses from the X server
    (the XTest extension, as a keyboard would)."""
    x11 = ctypes.CDLL("libX11.so.6")
    xtst = ctypes.CDLL("libXtst.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XStringToKeysym.restype = ctypes.c_ulong
    x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
    x11.XKeysymToKeycode.restype = ctypes.c_ubyte
    x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
    display = x11.XOpenDisplay(None)
    if not display:
        fail("no X display to type on")
    for ch in text:
        code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(ch.encode()))
        xtst.XTestFakeKeyEvent(display, code, 1, 0)
        xtst.XTestFakeKeyEvent(display, code, 0, 0)
        x11.XFlush(display)
        time.sleep(0.05)
    x11.XCloseDisplay(display)


def main():
    program = sys.argv[1]
    if Atspi.init() not in (0, 1):
        print("SKIP: the accessibility bus cannot be reached")
        sys.exit(77)
    home = tempfile.mkdtemp(prefix="quillon-atspi-")
    try:
        with open(os.path.join(home, "OPTIONS.INI"), "wb") as f:
            f.write(b"[Help]\r\nShowTips=0\r\n")
        page = os.path.join(home, "page.htm")
        with open(page, "wb") as f:
            f.write(PAGE.encode("utf-8"))
        env = dict(os.environ, QUILLON_PROGRAM_DIR=home, HOME=home, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        proc = subprocess.Popen([program, page], env=env)
        try:
            deadline = time.time() + 60
            editor = find_editor(proc.pid, deadline)
            if editor is None:
                fail("no \"Page source\" text object in the program's accessibility tree")
            wait_for_text(editor, deadline)
            count = Atspi.Text.get_character_count(editor)
            if count != len(PAGE):
                fail("character count %d, the page has %d characters: %r" % (count, len(PAGE), Atspi.Text.get_text(editor, 0, -1)))
            text = Atspi.Text.get_text(editor, 0, -1)
            if text != PAGE:
                fail("text read back %r, the page is %r" % (text, PAGE))
            if Atspi.Text.get_caret_offset(editor) != 0:
                fail("the caret of a page just opened is at %d" % Atspi.Text.get_caret_offset(editor))

            # After the emoji: eleven characters into the second line.
            after_emoji = PAGE.index("\U0001F600") + 1
            reported = caret_event_after(editor, lambda: Atspi.Text.set_caret_offset(editor, after_emoji))
            if reported != after_emoji:
                fail("caret-moved event reported %r, the caret went to %d" % (reported, after_emoji))
            if Atspi.Text.get_caret_offset(editor) != after_emoji:
                fail("caret read back at %d, set to %d" % (Atspi.Text.get_caret_offset(editor), after_emoji))
            # The call Qt's bridge answers (the newer by-granularity one it does not know).
            line = Atspi.Text.get_text_at_offset(editor, after_emoji, Atspi.TextBoundaryType.LINE_START)
            second = PAGE.split("\r\n")[1] + "\r\n"
            if line.content != second or line.start_offset != PAGE.index("<p>"):
                fail("line at the caret %r from %d" % (line.content, line.start_offset))
            piece = Atspi.Text.get_text(editor, after_emoji - 1, after_emoji + 3)
            if piece != "\U0001F600 na":
                fail("text around the caret %r" % piece)

            # Typed text is announced with its place and the caret's move, with the page coloured as it
            # is typed (the default). A click in the window gives it the keyboard (there is no window
            # manager to); the caret then goes back.
            box = Atspi.Component.get_extents(editor, Atspi.CoordType.SCREEN)
            Atspi.generate_mouse_event(box.x + box.width // 2, box.y + box.height - 10, "b1c")
            time.sleep(0.5)
            Atspi.Text.set_caret_offset(editor, after_emoji)
            time.sleep(0.3)
            inserted = events_after(editor, ["object:text-changed:insert", "object:text-caret-moved"],
                                    lambda: type_keys("xy"), 2 + 1)
            inserts = [(d1, text) for kind, d1, text in inserted if kind.startswith("object:text-changed")]
            if not inserts or inserts[0] != (after_emoji, "x"):
                fail("typing announced %r" % inserted)
            if not any(kind == "object:text-caret-moved" and d1 == after_emoji + 1 for kind, d1, _ in inserted):
                fail("typing moved the caret without saying so: %r" % inserted)
        finally:
            proc.terminate()
            try:
                proc.wait(10)
            except subprocess.TimeoutExpired:
                proc.kill()
    finally:
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    main()
