#!/usr/bin/env python3
"""Start-up of the demo window against a bare Qt window of the same size, in one Xvfb.

For each program: the time from starting the process to its first painted frame, and its
peak resident memory. Measured from outside, with nothing added to the programs: the script
watches the X server and takes the window's pixels (XGetImage) about every millisecond until
they equal the program's settled picture, which a calibration run takes first. The window is
then closed; peak memory is the peak resident size over the program's whole run, as wait4
reports it when the program has ended. The two programs take turns, several runs each; the
table shows medians and ratios. Exits with 1 when a target is missed.

Usage: startup.py VARNHOLT BARE_WINDOW [--runs N]
"""

import argparse
import ctypes
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

# The X helpers the end-to-end tests use.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir,
                                "tests", "e2e"))
from x_server import (CONTROL_HEIGHT, CONTROL_LEFT, CONTROL_TOP,  # noqa: E402
                      CONTROL_WIDTH, ERROR_HANDLER, IS_VIEWABLE, Z_PIXMAP, Connection,
                      XWindowAttributes, libx11, program_environment, start_xvfb, stop)
from x_server import WINDOW_HEIGHT as HEIGHT, WINDOW_WIDTH as WIDTH  # noqa: E402

# Targets: start-up at most this ratio of the bare window's, memory at most this much more.
START_RATIO_TARGET = 1.3
MEMORY_EXTRA_TARGET_MB = 8.0


class Display(Connection):
    """Our own connection to the X server, for finding the program's window and reading its
    pixels."""

    def __init__(self, name):
        # A window can go between finding it and reading it; Xlib's default handler would
        # end this script on the error that follows.
        self._ignore_errors = ERROR_HANDLER(lambda display, event: 0)
        libx11().XSetErrorHandler(self._ignore_errors)
        super().__init__(name)

    def viewable_window(self):
        """The one viewable top-level window of the program's size, or None."""
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not self.x11.XQueryTree(self.display, self.root, ctypes.byref(root),
                                   ctypes.byref(parent), ctypes.byref(children),
                                   ctypes.byref(count)):
            return None
        try:
            for i in range(count.value):
                attributes = XWindowAttributes()
                if (self.x11.XGetWindowAttributes(self.display, children[i],
                                                  ctypes.byref(attributes))
                        and attributes.map_state == IS_VIEWABLE
                        and (attributes.width, attributes.height) == (WIDTH, HEIGHT)):
                    return children[i]
        finally:
            if children:
                self.x11.XFree(children)
        return None

    def pixels(self, window):
        """The window's pixels as BGR0 bytes (the unused fourth byte zeroed), or None when
        it cannot be read."""
        image = self.x11.XGetImage(self.display, window, 0, 0, WIDTH, HEIGHT, ~0, Z_PIXMAP)
        if not image:
            return None
        try:
            if image.contents.bits_per_pixel != 32:
                raise RuntimeError("expected 32 bits a pixel from Xvfb's 24-bit screen")
            stride = image.contents.bytes_per_line
            raw = ctypes.string_at(image.contents.data, stride * HEIGHT)
        finally:
            self.x11.XDestroyImage(image)
        pixels = bytearray(b"".join(raw[y * stride:y * stride + 4 * WIDTH]
                                    for y in range(HEIGHT)))
        pixels[3::4] = bytes(WIDTH * HEIGHT)
        return bytes(pixels)


def pixel(bgr0, x, y):
    i = 4 * (y * WIDTH + x)
    return (bgr0[i + 2], bgr0[i + 1], bgr0[i])


def looks_right(rgb, with_control):
    """The settled picture: one background colour, and for the demo a white control in it."""
    background = pixel(rgb, 0, 0)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            inside = (with_control and CONTROL_LEFT <= x < CONTROL_LEFT + CONTROL_WIDTH
                      and CONTROL_TOP <= y < CONTROL_TOP + CONTROL_HEIGHT)
            if pixel(rgb, x, y) != ((255, 255, 255) if inside else background):
                return False
    return background != (255, 255, 255) and background != (0, 0, 0)


class Program:
    def __init__(self, name, path, with_control):
        self.name, self.path, self.with_control = name, path, with_control
        self.settled = None
        self.first_frame_ms, self.mapped_ms, self.peak_kb, self.cpu_ms = [], [], [], []


def run_once(display, env, program, timeout_s=30.0):
    """Starts the program, waits for its first frame, closes it and waits for it to end.
    Returns (ms to mapped, ms to first frame, peak kB, CPU ms over its life)."""
    started = time.monotonic()
    process = subprocess.Popen([program.path], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        window, mapped, frame = None, None, None
        while frame is None:
            now = time.monotonic()
            if now - started > timeout_s:
                raise TimeoutError(f"{program.name}: no finished frame after {timeout_s} s")
            if process.poll() is not None:
                raise RuntimeError(f"{program.name} ended with code {process.returncode}")
            if window is None:
                window = display.viewable_window()
                if window is not None:
                    mapped = now
            if window is not None:
                rgb = display.pixels(window)
                if rgb is not None and rgb == program.settled:
                    frame = time.monotonic()
                    break
            time.sleep(0.001)
        display.close_window(window)
        # The peak over the whole run, so whatever the program does after its first frame,
        # up to its end, counts too (ru_maxrss is in kB on Linux).
        _, status, usage = os.wait4(process.pid, 0)
        process.returncode = os.waitstatus_to_exitcode(status)
        if process.returncode != 0:
            raise RuntimeError(f"{program.name} ended with code {process.returncode}")
        cpu = (usage.ru_utime + usage.ru_stime) * 1000
        return (mapped - started) * 1000, (frame - started) * 1000, usage.ru_maxrss, cpu
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def calibrate(display, env, program, timeout_s=30.0):
    """The program's settled picture: the first picture of its window that looks as it
    should once painted."""
    process = subprocess.Popen([program.path], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + timeout_s
        while time.monotonic() < deadline:
            if process.poll() is not None:
                raise RuntimeError(f"{program.name} ended with code {process.returncode}")
            window = display.viewable_window()
            rgb = display.pixels(window) if window else None
            if rgb is not None and looks_right(rgb, program.with_control):
                program.settled = rgb
                display.close_window(window)
                process.wait(timeout=timeout_s)
                return
            time.sleep(0.01)
        raise TimeoutError(f"{program.name}'s window did not show the expected picture "
                           f"within {timeout_s} s")
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("varnholt")
    parser.add_argument("bare_window")
    parser.add_argument("--runs", type=int, default=15, help="timed runs of each program")
    args = parser.parse_args()

    programs = [Program("varnholt", args.varnholt, True),
                Program("bare window", args.bare_window, False)]
    work = tempfile.mkdtemp(prefix="varnholt-startup-")
    try:
        xvfb, display_name = start_xvfb()
        try:
            # The environment the tests use: no desktop session bus for Qt to talk to.
            env = program_environment(display_name, {
                "XDG_RUNTIME_DIR": work,
                "DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(work, "no-bus")})
            with Display(display_name) as display:
                for program in programs:
                    calibrate(display, env, program)
                    run_once(display, env, program)  # warm-up, not counted
                for run in range(args.runs):
                    # Take turns, each first every other run.
                    for program in programs if run % 2 == 0 else reversed(programs):
                        mapped, frame, peak, cpu = run_once(display, env, program)
                        program.mapped_ms.append(mapped)
                        program.first_frame_ms.append(frame)
                        program.peak_kb.append(peak)
                        program.cpu_ms.append(cpu)
        finally:
            stop(xvfb)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    missed = report(programs, args.runs)
    return 1 if missed else 0


def report(programs, runs):
    ours, bare = programs
    med = statistics.median
    print(f"\nMedians of {runs} runs each, taking turns in one Xvfb:")
    print(f"  {'':<28} {'varnholt':>10} {'bare window':>12} {'varnholt / bare':>16}")
    rows = [("window mapped (ms)", ours.mapped_ms, bare.mapped_ms),
            ("first painted frame (ms)", ours.first_frame_ms, bare.first_frame_ms),
            ("CPU time, whole run (ms)", ours.cpu_ms, bare.cpu_ms)]
    for label, a, b in rows:
        print(f"  {label:<28} {med(a):>10.1f} {med(b):>12.1f} {med(a) / med(b):>15.2f}x")
    a_mb, b_mb = med(ours.peak_kb) / 1024, med(bare.peak_kb) / 1024
    print(f"  {'peak resident memory (MB)':<28} {a_mb:>10.2f} {b_mb:>12.2f} "
          f"{a_mb - b_mb:>+13.2f} MB")

    start_ratio = med(ours.first_frame_ms) / med(bare.first_frame_ms)
    extra_mb = a_mb - b_mb
    print(f"\n  {'target':<44} {'value':>9}  result")
    missed = 0
    for what, value, met in [
            (f"first frame <= {START_RATIO_TARGET:g} x the bare window's",
             f"{start_ratio:.2f}x", start_ratio <= START_RATIO_TARGET),
            (f"peak memory <= the bare window's + {MEMORY_EXTRA_TARGET_MB:g} MB",
             f"{extra_mb:+.2f} MB", extra_mb <= MEMORY_EXTRA_TARGET_MB)]:
        print(f"  {what:<44} {value:>9}  {'met' if met else 'MISSED'}")
        missed += not met
    if missed:
        print(f"\n{missed} target(s) missed")
    return missed


if __name__ == "__main__":
    sys.exit(main())
