#!/usr/bin/env python3
"""The window's context menu in the real program, in a real (virtual) X server.

With an incomplete number the menu's entries do nothing. Then types 5400101109971,
right-clicks the control and chooses Copy: the clipboard, read by xclip as another program
reads it, offers image/svg+xml and image/png, the PNG scans as the number with zbarimg and
the SVG is titled with it. Then right-clicks, chooses Save As, types a file name into the
dialog and presses Return: the file written scans as the number.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

# Where Barcode1 sits in the window, and its size.
from x_server import (CONTROL_HEIGHT as HEIGHT, CONTROL_LEFT as LEFT, CONTROL_TOP as TOP,
                      CONTROL_WIDTH as WIDTH)
from x_session import MapWatcher, XSession, expect

NUMBER = "5400101109971"
SVG_TITLE = "{http://www.w3.org/2000/svg}title"
DIALOG_NAME = "^Save Bar Code As"


def scan(path):
    """What zbarimg reads in an image file."""
    result = subprocess.run(["zbarimg", "-q", "--raw", path], capture_output=True, timeout=30)
    return result.stdout.decode().split()


class Menu:
    """Opens the window's context menu with a right click and picks an entry by its
    underlined letter, as a user does from the keyboard once the menu is up."""

    def __init__(self, x: XSession, watcher: MapWatcher, window):
        self.x, self.watcher, self.window = x, watcher, window

    def choose(self, letter):
        watcher = self.watcher
        watcher.sync()
        before = set(watcher.mapped)
        self.x.run("xdotool", "mousemove", "--window", str(self.window),
                   str(LEFT + WIDTH // 2), str(TOP + HEIGHT // 2), "click", "3")
        watcher.wait(lambda w: w.mapped - before, 10, "the context menu opens")
        (menu,) = watcher.mapped - before
        self.x.key(letter)
        if menu in watcher.mapped:
            # A disabled entry leaves the menu open: close it as a user would.
            time.sleep(0.5)
            if menu in watcher.mapped:
                self.x.key("Escape")
        watcher.wait(lambda w: menu not in w.mapped, 10, "the context menu closes")


def clipboard(x: XSession, target):
    result = subprocess.run(["xclip", "-selection", "clipboard", "-t", target, "-o"],
                            env=x.env, capture_output=True, timeout=30)
    return result.stdout if result.returncode == 0 else None


def wait_for(condition, what, timeout=10.0):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise TimeoutError(f"{what}: still not so after {timeout} s")
        time.sleep(0.05)


def type_number(x: XSession, main_window, number):
    for digit in number[:-1]:
        x.key(digit)
    x.key(number[-1])
    # The 13th digit opens the form's message box; it is closed with Return.
    windows = x.wait_for_windows(2)
    (box,) = [w for w in windows if w != main_window]
    x.focus(box)
    x.key("Return")
    x.wait_for_windows(1)
    x.focus(main_window)


def main(program):
    work = tempfile.mkdtemp(prefix="varnholt-menu-")
    # No session bus: what the program meets does not depend on the desktop it runs on.
    env = {"DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(work, "no-bus")}
    with XSession(program, env) as x, MapWatcher(x) as watcher:
        (main_window,) = x.wait_for_windows(1)
        x.focus(main_window)
        menu = Menu(x, watcher, main_window)

        # An incomplete number: neither entry does anything.
        x.key("5")
        menu.choose("c")
        time.sleep(0.5)  # time for a copy, which would claim the clipboard
        expect(clipboard(x, "TARGETS") is None, "Copy of an incomplete number copies nothing")
        menu.choose("a")
        time.sleep(0.5)
        expect(x.windows(DIALOG_NAME) == [], "Save As of an incomplete number opens no dialog")
        x.key("BackSpace")

        type_number(x, main_window, NUMBER)

        menu.choose("c")
        def offered():
            return (clipboard(x, "TARGETS") or b"").decode().split()

        wait_for(lambda: "image/png" in offered(), "the clipboard offers a PNG")
        targets = offered()
        expect("image/svg+xml" in targets and "image/png" in targets,
               f"Copy offers image/svg+xml and image/png ({' '.join(targets)})")
        png = os.path.join(work, "clipboard.png")
        with open(png, "wb") as out:
            out.write(clipboard(x, "image/png") or b"")
        expect(scan(png) == [NUMBER], f"zbarimg reads the copied PNG as {scan(png)}")
        svg = ElementTree.fromstring(clipboard(x, "image/svg+xml") or b"<none/>")
        title = svg.find(SVG_TITLE)
        expect(title is not None and title.text == NUMBER, "the copied SVG is titled with the "
               f"number ({None if title is None else title.text})")

        saved = os.path.join(work, "label.png")
        menu.choose("a")
        (dialog,) = x.wait_for_windows(1, name=DIALOG_NAME)
        x.focus(dialog)
        # The name field has the focus and holds a suggested name; replace it.
        x.key("ctrl+a")
        x.run("xdotool", "type", "--delay", "20", saved)
        x.key("Return")
        x.wait_for_windows(0, name=DIALOG_NAME)
        wait_for(lambda: os.path.exists(saved), "Save As writes the file")
        expect(scan(saved) == [NUMBER], f"zbarimg reads the saved PNG as {scan(saved)}")
        expect(sorted(os.listdir(work)) == ["clipboard.png", "label.png"],
               "Save As leaves nothing else behind")

        x.close_and_expect_a_clean_exit(main_window)
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main(sys.argv[1])
