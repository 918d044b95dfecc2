#!/usr/bin/env python3
"""Makes the README's pictures: the window after typing a number, and its message box, at a
device pixel ratio of 2 for high-density screens (the control scales by whole pixels, so its
bars stay crisp).

Usage: screenshot.py <program> <folder>
"""

import subprocess
import sys
from pathlib import Path

from x_server import (CONTROL_HEIGHT, CONTROL_LEFT, CONTROL_TOP, CONTROL_WIDTH, WINDOW_HEIGHT,
                      WINDOW_WIDTH)
from x_session import XSession

SCALE = 2
NUMBER = "4006381333931"


def save_png(shot, path: Path):
    subprocess.run(["convert", "ppm:-", "-strip", f"png:{path}"], input=shot.ppm, check=True,
                   timeout=30)
    print(f"{path}: {shot.width} x {shot.height}")


def in_control(x, y):
    return (CONTROL_LEFT * SCALE <= x < (CONTROL_LEFT + CONTROL_WIDTH) * SCALE
            and CONTROL_TOP * SCALE <= y < (CONTROL_TOP + CONTROL_HEIGHT) * SCALE)


def window_shows(shot, background, control_colours) -> bool:
    """The window at its size, `background` all around the control, and in the control no
    colour but control_colours: nothing of another window over it, nothing left unpainted."""
    if (shot.width, shot.height) != (WINDOW_WIDTH * SCALE, WINDOW_HEIGHT * SCALE):
        return False
    return all(shot.rgb(x, y) in control_colours if in_control(x, y)
               else shot.rgb(x, y) == background
               for y in range(shot.height) for x in range(shot.width))


def box_done(session, box, background, shot) -> bool:
    """The box is painted (its corners in the window's background colour) and active, holding
    the keyboard focus that its OK button shows."""
    corners = [(0, 0), (shot.width - 1, 0), (0, shot.height - 1),
               (shot.width - 1, shot.height - 1)]
    return (all(shot.rgb(*corner) == background for corner in corners)
            and session.run("xdotool", "getwindowfocus").strip() == str(box))


def main(program: str, folder: str):
    out = Path(folder)
    out.mkdir(parents=True, exist_ok=True)
    white, black = (255, 255, 255), (0, 0, 0)
    with XSession(program, {"QT_SCALE_FACTOR": str(SCALE)}) as session:
        (window,) = session.wait_for_windows(1)
        # At rest: an empty white control on the window's background (neither white nor
        # black, so not a window still unpainted).
        shot = session.wait_for_picture(
            window, lambda s: s.rgb(0, 0) not in (white, black)
            and window_shows(s, s.rgb(0, 0), {white}))
        background = shot.rgb(0, 0)
        if background in (white, black) or not window_shows(shot, background, {white}):
            raise RuntimeError("the window did not show an empty control in time")

        session.focus(window)
        session.key(*NUMBER[:-1])
        session.key(NUMBER[-1])
        box = [w for w in session.wait_for_windows(2) if w != window][0]
        shot = session.wait_for_picture(box, lambda s: box_done(session, box, background, s))
        if not box_done(session, box, background, shot):
            raise RuntimeError("the message box was not painted and active in time")
        save_png(shot, out / "varnholt-message.png")

        session.focus(box)
        session.key("Return")
        session.wait_for_windows(1)
        # Repainted where the box was, and readable.
        done = lambda s: (window_shows(s, background, {white, black})
                          and session.decode(s) == [NUMBER])
        shot = session.wait_for_picture(window, done)
        if not done(shot):
            raise RuntimeError(f"the window did not show {NUMBER} in time")
        save_png(shot, out / "varnholt-window.png")
        session.close_window(window)
        session.app.wait(timeout=20)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
