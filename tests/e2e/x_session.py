"""A virtual X server with the real program in it, driven by real X key events.

Used by the end-to-end tests: starts Xvfb on a free display, starts the program, finds its
windows, types with xdotool, takes screenshots with ImageMagick, and closes the window the
way a window manager does. Everything it starts is stopped again on exit.
"""

import ctypes
import os
import subprocess
import tempfile
import time


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
    def __init__(self, program: str, env_extra=None):
        self.program = program
        self.env_extra = env_extra or {}
        self.processes = []
        self.log = tempfile.NamedTemporaryFile(prefix="varnholt-", suffix=".log", delete=False)

    # --- start and stop -------------------------------------------------------------------
    def __enter__(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x480x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(xvfb)
        os.close(write_end)
        with os.fdopen(read_end) as display_number:
            number = display_number.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=":" + number, **self.env_extra)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.setdefault("XDG_RUNTIME_DIR", tempfile.mkdtemp(prefix="varnholt-runtime-"))
        self.app = subprocess.Popen([self.program], env=self.env, stdout=self.log,
                                    stderr=subprocess.STDOUT)
        self.processes.append(self.app)
        return self

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.log.close()
        return False

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
        x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                   ctypes.c_long, ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        if not display:
            raise RuntimeError("cannot open the X display")

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                        ("pad", ctypes.c_long * 24)]

        event = ClientMessage()
        event.type = 33  # ClientMessage
        event.window = window
        event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.format = 32
        event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.data[1] = 0  # CurrentTime
        x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
        x11.XFlush(display)
        x11.XCloseDisplay(display)
