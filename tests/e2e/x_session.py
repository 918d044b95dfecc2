"""A virtual X server with the real program in it, driven by real X key events.

Used by the end-to-end tests: starts Xvfb on a free display, starts the program, finds its
windows, types with xdotool, takes screenshots with ImageMagick, and closes the window the
way a window manager does. Everything it starts is stopped again on exit, and also when
starting fails part-way.
"""

import ctypes
import os
import select
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from x_server import Connection, program_environment, start_xvfb, stop


def expect(condition, message):
    """One check of an end-to-end script: stops the script with `message` when it fails,
    and says that it held when it does."""
    if not condition:
        raise AssertionError(message)
    print("ok:", message)


class Screenshot:
    """A 24-bit RGB picture, read from a binary PPM."""

    def __init__(self, ppm: bytes):
        parts = []
        position = 0
        while len(parts) < 4:
            while ppm[position:position + 1].isspace():
                position += 1
            end = position
            while not ppm[end:end + 1].isspace():
                end += 1
            parts.append(ppm[position:end])
            position = end
        if parts[0] != b"P6" or parts[3] != b"255":
            raise ValueError("not an 8-bit binary PPM")
        self.width, self.height = int(parts[1]), int(parts[2])
        self.pixels = ppm[position + 1:]
        self.ppm = ppm

    def rgb(self, x: int, y: int):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def dark(self, x: int, y: int) -> bool:
        return sum(self.rgb(x, y)) < 3 * 128


class XSession:
    # The virtual screen's size and depth; a subclass may need a larger one.
    screen = "640x480x24"

    def __init__(self, program: str, env_extra=None):
        self.program = program
        self.env_extra = env_extra or {}

    # --- start and stop -------------------------------------------------------------------
    def __enter__(self):
        self.processes = []
        self.runtime_dir = None
        self.log = tempfile.NamedTemporaryFile(prefix="varnholt-", suffix=".log", delete=False)
        try:
            self._start()
        except BaseException:
            # A with block's __exit__ only runs once __enter__ has returned.
            self._stop(failed=True)
            raise
        return self

    def _start(self):
        xvfb, display = start_xvfb(screen=self.screen)
        self.processes.append(xvfb)
        self.env = program_environment(display, self.env_extra)
        if "XDG_RUNTIME_DIR" not in self.env:
            self.runtime_dir = tempfile.mkdtemp(prefix="varnholt-runtime-")
            self.env["XDG_RUNTIME_DIR"] = self.runtime_dir
        self.app = subprocess.Popen(self.program_command(), env=self.env, stdout=self.log,
                                    stderr=subprocess.STDOUT)
        self.processes.append(self.app)

    def __exit__(self, *exc):
        self._stop(failed=exc[0] is not None)
        return False

    def _stop(self, failed):
        for process in reversed(self.processes):
            stop(process)
        self.log.close()
        if self.runtime_dir is not None:
            shutil.rmtree(self.runtime_dir, ignore_errors=True)
        # The program's output is kept only when something went wrong and there is some.
        if failed and os.path.getsize(self.log.name) > 0:
            print(f"the program's output is in {self.log.name}", file=sys.stderr)
        else:
            os.unlink(self.log.name)

    def program_command(self):
        """The command line that starts the program; a subclass may wrap it (in valgrind)."""
        return [self.program]

    def program_log(self) -> str:
        with open(self.log.name, errors="replace") as log:
            return log.read()

    # --- X tools --------------------------------------------------------------------------
    def run(self, *command, check=True) -> str:
        result = subprocess.run(command, env=self.env, capture_output=True, text=True,
                                timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError(f"{command} failed: {result.stderr}")
        return result.stdout

    def windows(self, name="^Varnholt$"):
        """Visible windows whose name matches, oldest first."""
        out = self.run("xdotool", "search", "--onlyvisible", "--name", name, check=False)
        return [int(w) for w in out.split()]

    def wait_for_windows(self, count, timeout=10.0, name="^Varnholt$"):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.windows(name)
            if len(found) == count:
                return found
            if self.app.poll() is not None:
                raise RuntimeError("the program ended:\n" + self.program_log())
            time.sleep(0.05)
        raise TimeoutError(f"expected {count} windows, found {self.windows(name)}")

    def wait_for_picture(self, window, matches, timeout=10.0):
        """The first screenshot of `window` for which `matches` holds; the program repaints
        in its own time, so a picture is awaited rather than taken once."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.screenshot(window)
            if matches(shot) or time.monotonic() > deadline:
                return shot
            time.sleep(0.05)

    def focus(self, window):
        self.run("xdotool", "windowfocus", "--sync", str(window))

    def key(self, *keys, delay_ms=20):
        self.run("xdotool", "key", "--delay", str(delay_ms), *keys)

    def num_lock_on(self):
        """Switches Num Lock on (keypad digits then give digits) and checks that it is."""
        if not self._num_lock():
            self.key("Num_Lock")
        if not self._num_lock():
            raise RuntimeError("Num Lock would not switch on")

    def _num_lock(self) -> bool:
        for line in self.run("xset", "q").splitlines():
            if "Num Lock:" in line:
                return line.split("Num Lock:")[1].split()[0] == "on"
        raise RuntimeError("xset q shows no Num Lock state")

    def screenshot(self, window) -> Screenshot:
        ppm = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"], env=self.env,
                             capture_output=True, timeout=30, check=True).stdout
        return Screenshot(ppm)

    def decode(self, shot: Screenshot, scale=3, border=40):
        """What zbarimg reads in the screenshot, scaled up without smoothing."""
        png = subprocess.run(
            ["convert", "ppm:-", "-scale", f"{scale * 100}%", "-bordercolor", "white",
             "-border", str(border), "png:-"],
            input=shot.ppm, capture_output=True, timeout=30, check=True).stdout
        result = subprocess.run(["zbarimg", "-q", "--raw", "-"], input=png,
                                capture_output=True, timeout=30)
        return result.stdout.decode().split()

    def close_window(self, window):
        """Asks the window to close, as a window manager's close button does."""
        with Connection(self.env["DISPLAY"]) as connection:
            connection.close_window(window)

    def close_and_expect_a_clean_exit(self, window):
        """Closes the program's main window and checks that the program then ends with
        status 0 and that its output holds no sanitizer report."""
        self.close_window(window)
        try:
            code = self.app.wait(timeout=20)
        except subprocess.TimeoutExpired:
            raise AssertionError("closing the window did not end the program")
        expect(code == 0, f"closing the window ends the program (exit code {code})")
        log = self.program_log()
        expect("ERROR" not in log and "runtime error" not in log,
               "no sanitizer report" + ("" if "ERROR" not in log else ":\n" + log))


class MapWatcher:
    """Watches which top-level windows the X server maps and unmaps, from a connection of its
    own. A message box is a new top-level window, so the watcher sees every box the program
    opens, also one that something other than the test closed again at once.

    Use as a context manager inside an XSession; `mapped` holds the windows mapped now,
    `ever_mapped` every window mapped since the watcher started, in order.
    """

    _DESTROY_NOTIFY, _UNMAP_NOTIFY, _MAP_NOTIFY = 17, 18, 19
    _SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

    def __init__(self, session: XSession):
        self.session = session
        self.mapped = set()
        self.ever_mapped = []
        self._changed = threading.Condition()
        self._stop = False
        self._sync_asked = 0
        self._sync_done = 0
        self._error = None
        self._ready = threading.Event()
        self._thread = threading.Thread(target=self._watch, daemon=True)

    def __enter__(self):
        self._thread.start()
        self._ready.wait(timeout=10)
        if self._error:
            raise self._error
        if not self._ready.is_set():
            raise RuntimeError("the window watcher did not start")
        return self

    def __exit__(self, *exc):
        self._stop = True
        self._thread.join(timeout=10)
        return False

    def sync(self, timeout=30.0):
        """Returns once every map and unmap the server did before this call is recorded."""
        with self._changed:
            self._sync_asked += 1
            asked = self._sync_asked
        self.wait(lambda w: w._sync_done >= asked, timeout, "the window watcher's round trip",
                  program_runs=False)

    def wait(self, condition, timeout, what, program_runs=True):
        """Waits until condition(watcher) holds; fails early if the program ends meanwhile
        (unless it need not run)."""
        deadline = time.monotonic() + timeout
        with self._changed:
            while not condition(self):
                if self._error:
                    raise self._error
                left = deadline - time.monotonic()
                if left <= 0:
                    raise TimeoutError(f"{what}: still not so after {timeout} s "
                                       f"(mapped windows: {sorted(self.mapped)})")
                if program_runs and self.session.app.poll() is not None:
                    raise RuntimeError(f"the program ended while waiting for {what}:\n"
                                       + self.session.program_log())
                self._changed.wait(min(left, 0.1))

    def _watch(self):
        try:
            connection = Connection(self.session.env["DISPLAY"])
        except Exception as error:  # handed to the waiting thread
            self._error = error
            self._ready.set()
            return
        x11, display = connection.x11, connection.display
        try:
            x11.XSelectInput(display, connection.root, self._SUBSTRUCTURE_NOTIFY_MASK)
            x11.XSync(display, 0)
            self._ready.set()
            # An XEvent is a union of 24 longs; the window these events concern follows the
            # type, serial, send_event, display and event (or parent) fields.
            event = (ctypes.c_long * 24)()
            fd = x11.XConnectionNumber(display)
            while not self._stop:
                select.select([fd], [], [], 0.02)
                asked = self._sync_asked
                if asked > self._sync_done:
                    # A round trip: the events the server sent before it are then queued.
                    x11.XSync(display, 0)
                while x11.XPending(display):
                    x11.XNextEvent(display, event)
                    kind = event[0] & 0xFFFFFFFF
                    window = event[5] & 0xFFFFFFFFFFFFFFFF
                    with self._changed:
                        if kind == self._MAP_NOTIFY:
                            self.mapped.add(window)
                            if window not in self.ever_mapped:
                                self.ever_mapped.append(window)
                        elif kind in (self._UNMAP_NOTIFY, self._DESTROY_NOTIFY):
                            self.mapped.discard(window)
                        self._changed.notify_all()
                if asked > self._sync_done:
                    with self._changed:
                        self._sync_done = asked
                        self._changed.notify_all()
        except Exception as error:
            self._error = error
        finally:
            connection.close()
