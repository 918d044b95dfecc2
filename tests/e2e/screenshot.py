#!/usr/bin/env python3
"""Makes the README's pictures: the window after typing a number, and its message box.

Usage: screenshot.py <program> <folder>
"""

import subprocess
import sys
import time
from pathlib import Path

from x_session import XSession


def save_png(shot, path: Path):
    subprocess.run(["convert", "ppm:-", "-strip", f"png:{path}"], input=shot.ppm, check=True,
                   timeout=30)


def main(program: str, folder: str):
    out = Path(folder)
    out.mkdir(parents=True, exist_ok=True)
    with XSession(program) as x:
        (window,) = x.wait_for_windows(1)
        x.focus(window)
        x.key(*"400638133393")
        x.key("1")
        box = [w for w in x.wait_for_windows(2) if w != window][0]
        time.sleep(0.3)
        save_png(x.screenshot(box), out / "varnholt-message.png")
        x.focus(box)
        x.key("Return")
        x.wait_for_windows(1)
        time.sleep(0.3)
        save_png(x.screenshot(window), out / "varnholt-window.png")
        x.close_window(window)
        x.app.wait(timeout=20)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
