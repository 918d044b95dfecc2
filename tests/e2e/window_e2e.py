#!/usr/bin/env python3
"""The real program in a real (virtual) X server, typed at with real key events.

Types 5400101109971 (one digit from the keypad, one with Shift held), checks the drawn
control pixel by pixel and with a real decoder, checks that exactly one message box appears
and only after the thirteenth digit, then checks a fourteenth digit, Backspace and Delete.
"""

import sys

# Where Barcode1 sits in the window, and its size.
from x_server import (CONTROL_HEIGHT as HEIGHT, CONTROL_LEFT as LEFT, CONTROL_TOP as TOP,
                      CONTROL_WIDTH as WIDTH)
from x_session import XSession, expect

# The columns the symbol darkens for 5400101109971.
GUARDS = {15, 17, 61, 63, 107, 109}
DATA = {19, 23, 24, 26, 29, 30, 31, 33, 36, 37, 38, 41, 42, 45, 49, 50, 52, 54, 55, 58, 59,
        65, 66, 69, 70, 72, 73, 74, 77, 79, 80, 81, 83, 86, 87, 88, 90, 93, 97, 100, 101, 104,
        105}
LAST_DIGIT = {100, 101, 104, 105}


def dark_columns(shot, row=30):
    return {x for x in range(WIDTH) if shot.dark(LEFT + x, TOP + row)}


def blank(shot):
    return not any(shot.dark(LEFT + dx, TOP + dy) for dx in range(WIDTH) for dy in range(HEIGHT))


def white(shot):
    return all(shot.rgb(LEFT + dx, TOP + dy) == (255, 255, 255)
               for dx in range(WIDTH) for dy in range(HEIGHT))


def main(program):
    with XSession(program) as x:
        (main_window,) = x.wait_for_windows(1)
        x.focus(main_window)
        x.num_lock_on()

        # A key is checked once its effect shows: each of the first twelve digits changes
        # the picture. A box opens while the control paints, and the program maps it before
        # it shows the new picture, so by then a box would be there to find.
        shot = x.wait_for_picture(main_window, white)
        keys = ["5", "4", "KP_0", "0", "1", "0", "1", "1", "0", "shift+9", "9", "7"]
        for key in keys:
            before = shot
            x.key(key)
            shot = x.wait_for_picture(main_window, lambda s: s.pixels != before.pixels)
            expect(len(x.windows()) == 1, f"no box after {key}")
        twelve = (GUARDS - {107, 109}) | (DATA - LAST_DIGIT)
        shot = x.wait_for_picture(main_window, lambda s: dark_columns(s) == twelve)
        expect(dark_columns(shot) == twelve, "twelve digits drawn, no end guard")
        twelve_shot = shot

        x.key("1")
        windows = x.wait_for_windows(2)
        box = [w for w in windows if w != main_window]
        expect(len(box) == 1, "exactly one new window, the message box, after the 13th digit")
        x.focus(box[0])
        x.key("Return")
        x.wait_for_windows(1)
        x.focus(main_window)

        shot = x.wait_for_picture(main_window, lambda s: dark_columns(s) == GUARDS | DATA)
        expect(dark_columns(shot) == GUARDS | DATA, "the 95 modules of 5400101109971")
        bottom = TOP + HEIGHT
        expect(shot.dark(LEFT + 15, bottom - 8) and not shot.dark(LEFT + 15, bottom - 7),
               "guard bars end at row H - 8")
        expect(shot.dark(LEFT + 19, bottom - 16) and not shot.dark(LEFT + 19, bottom - 15),
               "data bars end at row H - 16")
        expect(any(shot.dark(LEFT + dx, TOP + dy) for dx in range(4, 9)
                   for dy in range(HEIGHT - 15, HEIGHT)),
               "the first digit is written left of the start guard")
        decoded = x.decode(shot)
        expect(decoded == ["5400101109971"], f"zbarimg reads {decoded}")

        # A 14th digit changes nothing, which gives nothing to wait for; the program takes
        # keys in order, so once the Backspace typed after it shows, the digit was handled.
        x.key("5")
        x.key("BackSpace")
        shot = x.wait_for_picture(main_window, lambda s: s.pixels == twelve_shot.pixels)
        expect(len(x.windows()) == 1, "neither a 14th digit nor Backspace shows a box")
        expect(shot.pixels == twelve_shot.pixels,
               "a 14th digit changes nothing: Backspace after it shows twelve digits again")
        expect(dark_columns(shot) == twelve, "Backspace removes the 13th digit")

        x.key("1")
        windows = x.wait_for_windows(2)
        box = [w for w in windows if w != main_window]
        expect(len(box) == 1, "typing the 13th digit again shows the box again")
        x.focus(box[0])
        x.key("Return")
        x.wait_for_windows(1)
        x.focus(main_window)

        x.key("Delete")
        expect(blank(x.wait_for_picture(main_window, blank)), "Delete clears the control")
        expect(len(x.windows()) == 1, "Delete shows no box")

        x.close_and_expect_a_clean_exit(main_window)


if __name__ == "__main__":
    main(sys.argv[1])
