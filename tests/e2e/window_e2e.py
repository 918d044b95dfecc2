#!/usr/bin/env python3
"""The real program in a real (virtual) X server, typed at with real key events.

Types 5400101109971 (one digit from the keypad, one with Shift held), checks the drawn
control pixel by pixel and with a real decoder, checks that exactly one message box appears
and only after the thirteenth digit, then checks a fourteenth digit, Backspace and Delete.
"""

import sys
import time

from x_session import XSession

# Where Barcode1 sits in the window, and the columns its symbol darkens for 5400101109971.
LEFT, TOP = 72, 16
GUARDS = {15, 17, 61, 63, 107, 109}
DATA = {19, 23, 24, 26, 29, 30, 31, 33, 36, 37, 38, 41, 42, 45, 49, 50, 52, 54, 55, 58, 59,
        65, 66, 69, 70, 72, 73, 74, 77, 79, 80, 81, 83, 86, 87, 88, 90, 93, 97, 100, 101, 104,
        105}
LAST_DIGIT = {100, 101, 104, 105}
SETTLE = 0.15  # seconds for the program to handle a key


def dark_columns(shot, row=30):
    return {x for x in range(115) if shot.dark(LEFT + x, TOP + row)}


def expect(condition, message):
    if not condition:
        raise AssertionError(message)
    print("ok:", message)


def main(program):
    with XSession(program) as x:
        (main_window,) = x.wait_for_windows(1)
        x.focus(main_window)
        x.num_lock_on()

        keys = ["5", "4", "KP_0", "0", "1", "0", "1", "1", "0", "shift+9", "9", "7"]
        for key in keys:
            x.key(key)
            time.sleep(SETTLE)
            expect(len(x.windows()) == 1, f"no box after {key}")
        twelve = (GUARDS - {107, 109}) | (DATA - LAST_DIGIT)
        shot = x.wait_for_picture(main_window, lambda s: dark_columns(s) == twelve)
        expect(dark_columns(shot) == twelve, "twelve digits drawn, no end guard")

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
        expect(shot.dark(LEFT + 15, TOP + 73) and not shot.dark(LEFT + 15, TOP + 74),
               "guard bars end at row H - 8")
        expect(shot.dark(LEFT + 19, TOP + 65) and not shot.dark(LEFT + 19, TOP + 66),
               "data bars end at row H - 16")
        expect(any(shot.dark(LEFT + dx, TOP + dy) for dx in range(4, 9) for dy in range(66, 81)),
               "the first digit is written left of the start guard")
        decoded = x.decode(shot)
        expect(decoded == ["5400101109971"], f"zbarimg reads {decoded}")
        symbol = shot

        x.key("5")
        time.sleep(SETTLE)
        expect(len(x.windows()) == 1, "a 14th digit shows no box")
        expect(x.screenshot(main_window).pixels == symbol.pixels, "a 14th digit changes nothing")

        x.key("BackSpace")
        shot = x.wait_for_picture(main_window, lambda s: dark_columns(s) == twelve)
        expect(dark_columns(shot) == twelve, "Backspace removes the 13th digit")
        time.sleep(SETTLE)
        expect(len(x.windows()) == 1, "Backspace shows no box")

        x.key("1")
        windows = x.wait_for_windows(2)
        expect(True, "typing the 13th digit again shows the box again")
        x.focus([w for w in windows if w != main_window][0])
        x.key("Return")
        x.wait_for_windows(1)
        x.focus(main_window)

        x.key("Delete")
        blank = lambda s: not any(s.dark(LEFT + dx, TOP + dy) for dx in range(115) for dy in range(81))
        expect(blank(x.wait_for_picture(main_window, blank)), "Delete clears the control")
        time.sleep(SETTLE)
        expect(len(x.windows()) == 1, "Delete shows no box")

        x.close_window(main_window)
        try:
            code = x.app.wait(timeout=20)
        except Exception:
            raise AssertionError("closing the window did not end the program")
        expect(code == 0, f"closing the window ends the program (exit code {code})")
        log = x.program_log()
        expect("ERROR" not in log and "runtime error" not in log,
               "no sanitizer report" + ("" if "ERROR" not in log else ":\n" + log))


if __name__ == "__main__":
    main(sys.argv[1])
