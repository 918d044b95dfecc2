#!/usr/bin/env python3
"""Makes the README's picture of the widget in Qt Designer: Designer itself in a virtual X
server, with the built plugin on its plugin path, showing the form that the tests compile
with uic. The widget box is filtered to the group Varnholt, the bar code is selected, and the
property editor shows its members, the derived ones greyed out.

Designer is driven as a person would, by clicks and keys at the places its default layout
puts things (its settings start empty); the picture is checked before it is saved.

Usage: designer_screenshot.py <designer> <plugin folder> <form.ui> <picture.png>
"""

import subprocess
import sys
import tempfile
import time
from pathlib import Path

from x_session import Screenshot, XSession

WIDTH, HEIGHT = 1180, 760
INK = (0, 0, 160)  # the form's stored ForeColor
NUMBER = "4006381333931"  # the form's stored Value
# Row colours of the property editor's groups: QObject, QWidget, then the widget's own.
QOBJECT_ROWS = {(255, 230, 191), (255, 242, 222)}
QWIDGET_ROWS = {(255, 255, 191), (255, 255, 222)}
OWN_ROWS = {(191, 255, 191), (222, 255, 222)}

# Where Designer's default layout puts things, in a window of WIDTH x HEIGHT.
WIDGET_BOX_FILTER = (95, 91)
BOTTOM_DOCK_CLOSE = (1172, 521)  # the tabbed Resource Browser, Action and Signal/Slot Editors
RIGHT_DOCKS_EDGE = (920, 400)
RIGHT_DOCKS_EDGE_TO = 600
INSPECTOR_EDGE = (890, 381)
INSPECTOR_EDGE_TO = 200
GROUP_EXPANDER_X = 612  # in the property editor, once the right docks are widened
ROW_COLUMN = 624  # between the expanders and the names: only row colours
PROPERTY_ROWS_TOP = 280  # the property editor's rows, once the editor is raised
ROW_HEIGHT = 18


class DesignerSession(XSession):
    screen = f"{WIDTH}x{HEIGHT}x24"

    def __init__(self, designer: str, form: str, env_extra):
        super().__init__(designer, env_extra)
        self.form = form

    def program_command(self):
        return [self.program, self.form]

    def click(self, x, y):
        self.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", "1")
        time.sleep(0.3)

    def drag(self, start, end, steps=4):
        """Drags with the left button, in steps, as a hand does: a splitter follows each."""
        command = ["xdotool", "mousemove", "--sync", str(start[0]), str(start[1]),
                   "mousedown", "1"]
        for step in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * step // steps
            y = start[1] + (end[1] - start[1]) * step // steps
            command += ["sleep", "0.1", "mousemove", "--sync", str(x), str(y)]
        self.run(*command, "sleep", "0.1", "mouseup", "1")
        time.sleep(0.3)


def ink_box(shot: Screenshot):
    """The box around the pixels in the bar code's colour, or None."""
    xs, ys = [], []
    for y in range(shot.height):
        for x in range(shot.width):
            if shot.rgb(x, y) == INK:
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def rows_in(shot: Screenshot, x, colours):
    """How many pixel rows of the property editor's column x are in one of the colours."""
    return sum(1 for y in range(PROPERTY_ROWS_TOP, shot.height) if shot.rgb(x, y) in colours)


def group_rows(shot: Screenshot):
    """The y of each group header row in the property editor, top first: a grey bar, or the
    selection's colour once clicked."""
    header = {(159, 159, 159), (48, 140, 198)}
    found = []
    for y in range(PROPERTY_ROWS_TOP, shot.height):
        if shot.rgb(ROW_COLUMN, y) not in header:
            continue
        if found and y == found[-1][1] + 1:
            found[-1][1] = y
        else:
            found.append([y, y])
    return [(top + bottom) // 2 for top, bottom in found]


def main(designer: str, plugins: str, form: str, picture: str):
    with tempfile.TemporaryDirectory(prefix="varnholt-designer-") as settings:
        env = {"QT_PLUGIN_PATH": plugins, "XDG_CONFIG_HOME": settings}
        with DesignerSession(designer, form, env) as session:
            (window,) = session.wait_for_windows(1, timeout=60, name="Qt Designer")
            session.run("xdotool", "windowsize", "--sync", str(window), str(WIDTH), str(HEIGHT))
            shot = session.wait_for_picture(window, lambda s: ink_box(s) is not None, timeout=30)
            left, top, right, bottom = ink_box(shot)

            session.click(*WIDGET_BOX_FILTER)
            session.run("xdotool", "type", "--delay", "30", "Barcode")
            session.click((left + right) // 2, (top + bottom) // 2)  # selects the bar code
            for _ in range(3):
                session.click(*BOTTOM_DOCK_CLOSE)
            session.drag(RIGHT_DOCKS_EDGE, (RIGHT_DOCKS_EDGE_TO, RIGHT_DOCKS_EDGE[1]))
            session.drag(INSPECTOR_EDGE, (INSPECTOR_EDGE[0], INSPECTOR_EDGE_TO))
            # Folds QObject's group, then QWidget's, the second header once the first is
            # folded, so that the widget's own members show.
            for header in range(2):
                rows = group_rows(session.screenshot(window))
                if len(rows) <= header:
                    raise RuntimeError(f"the property editor shows {len(rows)} groups")
                session.click(GROUP_EXPANDER_X, rows[header])
            # The widget's first member, Value, as the current row.
            own = group_rows(session.screenshot(window))[2]
            session.click(GROUP_EXPANDER_X + 40, own + ROW_HEIGHT)

            shot = session.screenshot(window)
            failed = None
            # Eight members (one of them the current row, in the selection's colour), less
            # the lines between rows.
            if (rows_in(shot, ROW_COLUMN, QOBJECT_ROWS | QWIDGET_ROWS)
                    or rows_in(shot, ROW_COLUMN, OWN_ROWS) < 6 * ROW_HEIGHT):
                failed = "the property editor does not show the widget's members"
            elif session.decode(crop(shot, ink_box(shot))) != [NUMBER]:
                failed = "the form does not show the stored number"
            save_png(shot, Path(picture + ".failed.png") if failed else Path(picture))
            if failed:
                raise RuntimeError(failed)


def save_png(shot: Screenshot, path: Path):
    subprocess.run(["convert", "ppm:-", "-strip", f"png:{path}"], input=shot.ppm, check=True,
                   timeout=30)
    print(f"{path}: {shot.width} x {shot.height}")


def crop(shot: Screenshot, box) -> Screenshot:
    left, top, right, bottom = box
    ppm = subprocess.run(
        ["convert", "ppm:-", "-crop", f"{right - left + 1}x{bottom - top + 1}+{left}+{top}",
         "+repage", "ppm:-"], input=shot.ppm, capture_output=True, check=True, timeout=30).stdout
    return Screenshot(ppm)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    Path(sys.argv[4]).parent.mkdir(parents=True, exist_ok=True)
    main(*sys.argv[1:])
