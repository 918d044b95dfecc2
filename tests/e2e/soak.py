#!/usr/bin/env python3
"""Soak of the real window: thousands of random key presses, real X key events.

Draws a key sequence from a fixed seed (main-row digits, bare and with Shift, Ctrl or Alt;
keypad digits with Num Lock on; BackSpace; Delete; keys that must do nothing) and works out
from the sequence alone what the program has to do: the number it holds after each key and
the message boxes it opens. Then types the sequence into the running program. Keys that open
no box go in batches; a key that opens one is the last of its batch, and the box is awaited
and closed with Return before the next batch. Every CHECKPOINT keys and at the end the drawn
control is compared with the expected number, bar by bar and pixel by pixel, and read with
zbarimg. Every top-level window the server maps is counted, so a box nobody expected is
seen too. At the end the program must still run, close cleanly, and have opened exactly
the boxes expected.

With --valgrind the program runs under valgrind's memcheck, which must report no error.
"""

import argparse
import os
import random
import re
import shutil
import sys
import tempfile
import time

# Where Barcode1 sits in the window, and its size; and the window's.
from x_server import (CONTROL_HEIGHT as HEIGHT, CONTROL_LEFT as LEFT, CONTROL_TOP as TOP,
                      CONTROL_WIDTH as WIDTH, WINDOW_HEIGHT, WINDOW_WIDTH)
from x_session import MapWatcher, XSession

# The longest number the control takes.
FULL = 13

# --- the keys ---------------------------------------------------------------------------
DIGIT_KEYS = {}
for _d in range(10):
    for _name in (f"{_d}", f"KP_{_d}", f"shift+{_d}", f"ctrl+{_d}", f"alt+{_d}"):
        DIGIT_KEYS[_name] = str(_d)
# Keys the window ignores. None of them can close the window, change the keyboard's lock
# state or reach a box (no box is open while they are typed).
OTHER_KEYS = ([chr(c) for c in range(ord("a"), ord("z") + 1)] +
              [f"shift+{chr(c)}" for c in range(ord("a"), ord("z") + 1, 5)] +
              [f"F{n}" for n in range(1, 13)] +
              ["space", "KP_Decimal", "KP_Add", "KP_Subtract", "KP_Multiply", "KP_Divide",
               "minus", "equal", "period", "comma", "slash", "semicolon", "apostrophe",
               "bracketleft", "bracketright", "backslash", "grave",
               "Left", "Right", "Up", "Down", "Home", "End", "Prior", "Next", "Insert"])


class Model:
    """What the program must do, from the keys alone: digits append while the number has
    under 13 characters, BackSpace drops the last one, Delete empties it, anything else does
    nothing. Every edit repaints, and a repaint showing a 13-character number that differs
    from the one painted before opens a box."""

    def __init__(self):
        self.text = ""
        self.painted = ""
        self.boxes = 0

    def press(self, key) -> bool:
        """Applies one key; True when it opens a message box."""
        if key in DIGIT_KEYS:
            if len(self.text) >= FULL:
                return False  # the setter refuses a 14th character: no repaint
            return self._paint(self.text + DIGIT_KEYS[key])
        if key == "BackSpace":
            return bool(self.text) and self._paint(self.text[:-1])
        if key == "Delete":
            return self._paint("")
        return False

    def _paint(self, text) -> bool:
        self.text = text
        box = text != self.painted and len(text) == FULL
        self.painted = text
        self.boxes += box
        return box


def check_digit(twelve: str) -> str:
    total = sum(int(c) * (3 if i % 2 else 1) for i, c in enumerate(twelve))
    return str((10 - total % 10) % 10)


def key_sequence(count: int, seed: int):
    """Random keys, mostly digits so that the number keeps reaching 13 digits. At 12
    digits the next digit is the right check digit half of the time, so that many full
    numbers are valid and the decoder has something to read."""
    rng = random.Random(seed)
    model = Model()
    keys = []
    for _ in range(count):
        r = rng.random()
        if r < 0.62:
            digit = rng.randrange(10)
            if len(model.text) == FULL - 1 and rng.random() < 0.5:
                digit = int(check_digit(model.text))
            style = rng.choices(["", "KP_", "shift+", "ctrl+", "alt+"], [50, 25, 10, 8, 7])[0]
            key = f"{style}{digit}"
        elif r < 0.77:
            key = "BackSpace"
        elif r < 0.80:
            key = "Delete"
        else:
            key = rng.choice(OTHER_KEYS)
        model.press(key)
        keys.append(key)
    return keys


# --- what the control must show -----------------------------------------------------------
# EAN-13 as the standard has it: the left half's digits in code L or G, chosen by the first
# digit, the right half's in code R; guards 101, 01010, 101.
CODE_L = ["0001101", "0011001", "0010011", "0111101", "0100011",
          "0110001", "0101111", "0111011", "0110111", "0001011"]
CODE_R = ["".join("1" if b == "0" else "0" for b in code) for code in CODE_L]
CODE_G = [code[::-1] for code in CODE_R]
LEFT_SETS = ["LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
             "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"]
# The control draws module m at column 15 + m, bars from row 4 down to these rows
# (exclusive), and digit p's text 5 x 9 pixels from (TEXT_X[p], TEXT_TOP).
GUARD_BOTTOM, DATA_BOTTOM, BAR_TOP = HEIGHT - 7, HEIGHT - 15, 4
TEXT_TOP = HEIGHT - 15
TEXT_X = {1: 4, **{p: 6 * p + 8 for p in range(2, 8)}, **{p: 6 * p + 19 for p in range(8, 14)}}


def bars(text):
    """{column: exclusive bottom row} of the bars the control draws for `text`, which may
    have fewer than 13 digits: only the guards and digits up to its length."""
    result = {}
    n = len(text)
    if n >= 1:
        result.update({15: GUARD_BOTTOM, 17: GUARD_BOTTOM})
    for p in range(2, min(n, 7) + 1):
        i = p - 2
        code = (CODE_L if LEFT_SETS[int(text[0])][i] == "L" else CODE_G)[int(text[p - 1])]
        result.update({15 + 3 + 7 * i + k: DATA_BOTTOM for k in range(7) if code[k] == "1"})
    if n >= 8:
        result.update({15 + 46: GUARD_BOTTOM, 15 + 48: GUARD_BOTTOM})
    for p in range(8, n + 1):
        j = p - 8
        code = CODE_R[int(text[p - 1])]
        result.update({15 + 50 + 7 * j + k: DATA_BOTTOM for k in range(7) if code[k] == "1"})
    if n == FULL:
        result.update({15 + 92: GUARD_BOTTOM, 15 + 94: GUARD_BOTTOM})
    return result


class Pictures:
    """Checks screenshots of the main window against the expected number. The digits' text
    is checked against the glyphs the run has seen: each digit must always look the same,
    and no two digits alike."""

    def __init__(self):
        self.glyphs = {}

    def cell(self, shot, p):
        x0, y0 = LEFT + TEXT_X[p], TOP + TEXT_TOP
        return frozenset((dx, dy) for dx in range(5) for dy in range(9)
                         if shot.dark(x0 + dx, y0 + dy))

    def problems(self, shot, text):
        """What is wrong with the picture for `text`, as a list of sentences."""
        found = []
        if (shot.width, shot.height) != (WINDOW_WIDTH, WINDOW_HEIGHT):
            return [f"the window is {shot.width}x{shot.height}, "
                    f"not {WINDOW_WIDTH}x{WINDOW_HEIGHT}"]
        expected = set()
        for column, bottom in bars(text).items():
            expected.update((column, row) for row in range(BAR_TOP, bottom))
        glyphs = dict(self.glyphs)
        for p, digit in enumerate(text, start=1):
            seen = self.cell(shot, p)
            if not seen:
                found.append(f"no text for digit {p}")
                continue
            if digit in glyphs and glyphs[digit] != seen:
                found.append(f"digit {p} ({digit}) does not look as {digit} did before")
            elif digit not in glyphs:
                like = [d for d, g in glyphs.items() if g == seen]
                if like:
                    found.append(f"digit {p} ({digit}) looks like {like[0]}")
                glyphs[digit] = seen
            expected.update((TEXT_X[p] + dx, TEXT_TOP + dy) for dx, dy in glyphs[digit])
        wrong = []
        for y in range(HEIGHT):
            for x in range(WIDTH):
                colour = shot.rgb(LEFT + x, TOP + y)
                want = (0, 0, 0) if (x, y) in expected else (255, 255, 255)
                if colour != want:
                    wrong.append((x, y))
        if wrong:
            columns = sorted({x for x, _ in wrong})
            found.append(f"{len(wrong)} control pixels differ, in columns {columns[:20]}")
        background = shot.rgb(0, 0)
        outside = sum(1 for y in range(shot.height) for x in range(shot.width)
                      if not (LEFT <= x < LEFT + WIDTH and TOP <= y < TOP + HEIGHT)
                      and shot.rgb(x, y) != background)
        if outside:
            found.append(f"{outside} pixels around the control are not the background")
        return found

    def learn(self, shot, text):
        for p, digit in enumerate(text, start=1):
            self.glyphs.setdefault(digit, self.cell(shot, p))


# --- the run ------------------------------------------------------------------------------
class ValgrindSession(XSession):
    def __init__(self, program, valgrind_log, suppressions, env_extra=None):
        super().__init__(program, env_extra)
        self.valgrind_log = valgrind_log
        self.suppressions = suppressions

    def program_command(self):
        return ["valgrind", "--tool=memcheck", "--leak-check=full", "--error-exitcode=97",
                "--num-callers=40", "--gen-suppressions=all", "--vgdb=no", "-v",
                f"--suppressions={self.suppressions}", f"--log-file={self.valgrind_log}",
                self.program]


class Failure(AssertionError):
    pass


def resident(pid):
    """The program's resident memory, for the log only (under valgrind, valgrind's)."""
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return "resident " + " ".join(line.split()[1:])
    except OSError:
        pass
    return "resident ?"


def drive(x, watcher, keys, expected_after, boxes_at, args, work):
    """Types the keys, closes the boxes, checks the pictures; returns the program's exit
    code, the number of boxes seen and the program's output."""
    slow = 30 if args.valgrind else 1
    pictures = Pictures()
    boxes_seen = 0
    (main_window,) = x.wait_for_windows(1, timeout=10 * slow)
    boxes = lambda w: [v for v in w.ever_mapped if v != main_window]

    def check_picture(text, where):
        shot = x.wait_for_picture(main_window, lambda s: not pictures.problems(s, text),
                                  timeout=10 * slow)
        problems = pictures.problems(shot, text)
        if problems:
            path = os.path.join(work, f"at-{where}.ppm")
            with open(path, "wb") as out:
                out.write(shot.ppm)
            watcher.sync()
            if len(boxes(watcher)) != boxes_seen:
                problems.append(f"{len(boxes(watcher))} message boxes opened so far, "
                                f"{boxes_seen} expected")
            raise Failure(f"after {where} keys the window should show '{text}' "
                          f"({len(text)} digits): " + "; ".join(problems) +
                          f" (screenshot: {path})")
        pictures.learn(shot, text)
        if len(text) == FULL:
            decoded = x.decode(shot)
            if check_digit(text[:12]) == text[12]:
                if decoded != [text]:
                    raise Failure(f"after {where} keys zbarimg reads {decoded}, not {text}")
            elif text in decoded:
                raise Failure(f"after {where} keys zbarimg reads {text}, whose check "
                              "digit is wrong")
        if x.app.poll() is not None:
            raise Failure(f"the program ended after {where} keys:\n" + x.program_log())

    x.focus(main_window)
    x.num_lock_on()
    check_picture("", 0)

    batch = []
    for index, key in enumerate(keys):
        batch.append(key)
        opens_box = boxes_at and boxes_at[0] == index
        checkpoint = (index + 1) % args.checkpoint == 0 or index + 1 == len(keys)
        if not (opens_box or checkpoint):
            continue
        x.key(*batch, delay_ms=args.delay_ms)
        batch = []
        if opens_box:
            boxes_at.pop(0)
            watcher.wait(lambda w: len(boxes(w)) > boxes_seen, 20 * slow,
                         f"the message box after key {index + 1} ({key})")
            boxes_seen += 1
            if len(boxes(watcher)) != boxes_seen:
                raise Failure(f"{len(boxes(watcher))} message boxes opened by key "
                              f"{index + 1}, {boxes_seen} expected")
            box = boxes(watcher)[-1]
            title = x.run("xdotool", "getwindowname", str(box)).strip()
            if title != "Varnholt":
                raise Failure(f"the box after key {index + 1} is titled {title!r}")
            x.focus(box)
            x.key("Return")
            watcher.wait(lambda w: w.mapped == {main_window}, 20 * slow,
                         f"the box of key {index + 1} to close")
            x.focus(main_window)
        if checkpoint:
            check_picture(expected_after[index], index + 1)
            print(f"  {index + 1} keys: '{expected_after[index]}', "
                  f"{boxes_seen} boxes so far, {resident(x.app.pid)}", flush=True)

    if x.app.poll() is not None:
        raise Failure("the program ended during the soak:\n" + x.program_log())
    x.close_window(main_window)
    try:
        code = x.app.wait(timeout=30 * slow)
    except Exception:
        raise Failure("closing the window did not end the program")
    # Every box the program opened is recorded once it has ended.
    watcher.sync()
    seen = len(boxes(watcher))
    log = x.program_log()

    return code, seen, log


def soak(args):
    keys = key_sequence(args.keys, args.seed)
    model = Model()
    expected_after = []
    boxes_at = []
    for index, key in enumerate(keys):
        if model.press(key):
            boxes_at.append(index)
        expected_after.append(model.text)
    print(f"soak: {len(keys)} keys, seed {args.seed}, {len(boxes_at)} message boxes expected"
          f"{' (under valgrind)' if args.valgrind else ''}", flush=True)

    work = tempfile.mkdtemp(prefix="varnholt-soak-")
    valgrind_log = os.path.join(work, "valgrind.log")
    # No session bus: otherwise libdbus, asked by Qt's accessibility bridge, forks to
    # start one, and what the program meets would depend on the desktop it runs on.
    env = {"DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(work, "no-bus")}
    if args.valgrind:
        session = ValgrindSession(args.program, valgrind_log, args.suppressions, env)
    else:
        session = XSession(args.program, env)
    started = time.monotonic()
    with session, MapWatcher(session) as watcher:
        code, seen, log = drive(session, watcher, keys, expected_after, boxes_at, args, work)

    duration = time.monotonic() - started
    print(f"soak: {len(keys)} keys, seed {args.seed}: {model.boxes} boxes expected, "
          f"{seen} seen, {duration:.1f} s", flush=True)
    if seen != model.boxes:
        raise Failure(f"{seen} message boxes appeared, {model.boxes} expected")
    if "ERROR" in log or "runtime error" in log:
        raise Failure("the program reported errors:\n" + log)
    if args.valgrind:
        report_valgrind(valgrind_log, code)
    elif code != 0:
        raise Failure(f"the program ended with exit code {code}:\n{log}")
    # Kept only when something failed.
    shutil.rmtree(work, ignore_errors=True)


def report_valgrind(path, code):
    with open(path, errors="replace") as log:
        text = log.read()
    summary = re.findall(r"ERROR SUMMARY: .*", text)
    leaks = re.findall(r"(?:definitely|indirectly|possibly) lost: .*", text)
    used = re.findall(r"used_suppression:\s+(\d+) (\S+)", text)
    print("valgrind:", summary[-1] if summary else "no summary", flush=True)
    for line in leaks:
        print("valgrind:", line)
    for count, name in used:
        print(f"valgrind: suppressed {count} x {name}")
    if code != 0 or not summary or not summary[-1].startswith("ERROR SUMMARY: 0 errors"):
        raise Failure(f"valgrind found errors (exit code {code}); its log: {path}\n" +
                      errors_of(text))


def errors_of(text, limit=400):
    """A valgrind log without its -v chatter (the lines marked --pid--)."""
    lines = [line for line in text.splitlines() if not re.match(r"--\d+--", line)]
    return "\n".join(lines[-limit:])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("program")
    parser.add_argument("--keys", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=1303)
    parser.add_argument("--checkpoint", type=int, default=100,
                        help="compare the window with the expected number every this many keys")
    parser.add_argument("--delay-ms", type=int, default=2, help="between keys of a batch")
    parser.add_argument("--valgrind", action="store_true")
    parser.add_argument("--suppressions",
                        default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                             "valgrind.supp"))
    args = parser.parse_args()
    try:
        soak(args)
    except (Failure, TimeoutError, RuntimeError) as failure:
        print("FAIL:", failure, file=sys.stderr)
        return 1
    print("ok: the window took every key as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
