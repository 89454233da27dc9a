"""The machinery of the end-to-end run: a private X server (Xvfb), the game as
a child process whose standard output comes through a pseudo terminal (line by
line, as a player's terminal shows it), real key presses from xdotool, the
close request a window manager sends, the developer console's commands on
standard input, and the small data tree each run plays on.

Every wait is bounded; a failure names the step it happened in and shows what
the game wrote."""

import contextlib
import ctypes
import ctypes.util
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import termios
import time

# Seconds a single wait may take; TESSARY_E2E_SLOW=3 triples it on a slow machine.
TIMEOUT = 20.0 * float(os.environ.get("TESSARY_E2E_SLOW", "1"))
# The console's prompt has no line feed: its answer follows on the same line.
PROMPT = "matrix-admin: "


class Failure(Exception):
    """A step that did not go as expected; the message says which and why."""


def environment(**settings):
    """The caller's environment without any display or SDL setting, plus `settings`."""
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("SDL_", "DISPLAY", "XAUTHORITY", "WAYLAND"))}
    env.update(settings)
    return env


class XServer:
    """A private Xvfb on a free display number, which Xvfb picks and reports."""

    def __enter__(self):
        for tool in ("Xvfb", "xdotool"):
            if not shutil.which(tool):
                raise Failure("%s is not installed (scripts/deps.sh installs it)" % tool)
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x480x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + TIMEOUT
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            if select.select([read_end], [], [], 0.2)[0]:
                chunk = os.read(read_end, 64)
                if not chunk:
                    break
                number += chunk
        os.close(read_end)
        if not number.endswith(b"\n"):
            self.__exit__()
            raise Failure("Xvfb did not answer with its display number")
        self.display = ":" + number.decode().strip()
        return self

    def __exit__(self, *_):
        self.proc.terminate()
        self.proc.wait()


class Game:
    """One run of the built game in `workdir` with the environment `env`."""

    def __init__(self, exe, workdir, env):
        self.workdir = workdir
        self.display = env.get("DISPLAY")
        self.step = "start the game"
        self.out = b""
        self.err = b""
        self.cursor = 0  # index of the first output line not yet matched
        self.window = None
        master, slave = os.openpty()
        attributes = termios.tcgetattr(slave)
        attributes[1] &= ~termios.OPOST  # keep line feeds as they are
        attributes[3] &= ~(termios.ECHO | termios.ICANON)
        termios.tcsetattr(slave, termios.TCSANOW, attributes)
        self.proc = subprocess.Popen([exe], cwd=workdir, env=env, stdin=subprocess.PIPE,
                                     stdout=slave, stderr=subprocess.PIPE, start_new_session=True)
        os.close(slave)
        self.master = master
        self.streams = {master: "out", self.proc.stderr.fileno(): "err"}

    def __enter__(self):
        return self

    def __exit__(self, *_):
        if self.proc.poll() is None:
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait()
        self.proc.stdin.close()
        self.proc.stderr.close()
        os.close(self.master)

    # ---- What the game writes ----
    def _read(self, timeout):
        ready = select.select(list(self.streams), [], [], timeout)[0] if self.streams else []
        for fd in ready:
            try:
                chunk = os.read(fd, 65536)
            except OSError:  # the terminal's far end is closed: the game has ended
                chunk = b""
            if not chunk:
                del self.streams[fd]
            elif self.streams[fd] == "out":
                self.out += chunk
            else:
                self.err += chunk
        if not self.streams:
            time.sleep(timeout)

    def lines(self):
        """The complete lines of standard output so far."""
        return self.out.decode("latin-1").split("\n")[:-1]

    def stderr(self):
        return self.err.decode("latin-1")

    def fail(self, message):
        with open(os.path.join(self.workdir, "output.txt"), "wb") as f:  # for --keep
            f.write(self.out)
        shown = self.lines()[-40:] + [self.out.decode("latin-1").split("\n")[-1]]
        raise Failure("step '%s': %s\n--- standard output, the end ---\n%s\n"
                      "--- standard error ---\n%s--- status %s ---" % (
                          self.step, message, "\n".join(shown), self.stderr(),
                          self.proc.poll()))

    def expect(self, wanted, next=False, timeout=TIMEOUT):
        """Waits for an output line past the cursor that is `wanted` (a string:
        the whole line after any console prompt in it; a compiled pattern:
        found in it) and moves the cursor past it. `next`: it must be the very
        line at the cursor. Returns the line, or the match of the pattern."""
        deadline = time.monotonic() + timeout
        while True:
            lines = self.lines()
            for index in range(self.cursor, len(lines)):
                line = lines[index]
                found = (line if line.rsplit(PROMPT, 1)[-1] == wanted else None) \
                    if isinstance(wanted, str) else wanted.search(line)
                if found:
                    if next and index != self.cursor:
                        self.fail("expected %r next, but first came %r" % (
                            wanted, lines[self.cursor:index]))
                    self.cursor = index + 1
                    return found
            if self.proc.poll() is not None and not self.streams:
                self.fail("the game ended before writing %r" % (wanted,))
            if time.monotonic() > deadline:
                self.fail("no line %r within %.0f s" % (wanted, timeout))
            self._read(0.1)

    def wait_exit(self, timeout=TIMEOUT):
        """Waits for the game to end, reading what it writes; returns its status."""
        deadline = time.monotonic() + timeout
        while self.proc.poll() is None or self.streams:
            if time.monotonic() > deadline:
                self.fail("the game did not end within %.0f s" % timeout)
            self._read(0.1)
        return self.proc.returncode

    # ---- Standard input: the developer console ----
    def answer(self, text, question=PROMPT):
        """Waits until the game's output ends with `question` (the console
        waits on that line), then types `text` and a line feed."""
        deadline = time.monotonic() + TIMEOUT
        while not self.out.endswith(question.encode()):
            if time.monotonic() > deadline or self.proc.poll() is not None:
                self.fail("the console did not ask %r" % question)
            self._read(0.1)
        self.cursor = len(self.lines())  # the answer's output follows on that line
        self.proc.stdin.write(text.encode() + b"\n")
        self.proc.stdin.flush()

    # ---- The window and the keyboard ----
    def xdotool(self, *args):
        done = subprocess.run(["xdotool"] + list(args), env=environment(DISPLAY=self.display),
                              capture_output=True, timeout=TIMEOUT)
        if done.returncode != 0:
            self.fail("xdotool %s failed: %s" % (" ".join(args), done.stderr.decode()))
        return done.stdout.decode()

    def find_window(self):
        """Waits for the game's window, titled "Tessary"."""
        if self.window is None:
            self.window = self.xdotool("search", "--sync", "--name", "^Tessary$").split()[0]
        return self.window

    def key(self, *names):
        """Presses and releases each key in turn (xdotool's key names)."""
        self.xdotool("key", "--delay", "30", *names)

    @contextlib.contextmanager
    def held(self, name):
        """Holds a key down while the statements of a with block run."""
        self.xdotool("keydown", name)
        try:
            yield
        finally:
            self.xdotool("keyup", name)

    def close_window(self):
        """Asks the window to close as a window manager's close button does: a
        WM_DELETE_WINDOW client message, which SDL turns into a quit request.
        xdotool has no command for it, so it goes through libX11 directly."""
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_char_p]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        display = x11.XOpenDisplay(self.display.encode())
        if not display:
            self.fail("cannot open the display %s" % self.display)
        window = int(self.find_window())
        protocols = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        delete = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        # An XClientMessageEvent (type 33, sent, format 32, laid out as C lays
        # it out) in an XEvent of 24 longs.
        event = struct.pack("@iLiPLLi5l", 33, 0, 1, display, window, protocols, 32,
                            delete, 0, 0, 0, 0).ljust(24 * ctypes.sizeof(ctypes.c_long), b"\0")
        sent = x11.XSendEvent(display, window, 0, 0, event)
        x11.XSync(display, 0)
        x11.XCloseDisplay(ctypes.c_void_p(display))
        if not sent:
            self.fail("the close request could not be sent")

    def screenshot(self, tries=5):
        """Presses F4 until the game writes screenshot.bmp; returns the file's
        bytes and whether a notice took the key (a notice says "Screenshot",
        the roaming screen saves its frame without a word). A press that
        reaches a screen as it closes is lost, so it is tried again."""
        path = os.path.join(self.workdir, "screenshot.bmp")
        for _ in range(tries):
            if os.path.exists(path):
                os.remove(path)
            start = len(self.lines())
            self.key("F4")
            deadline = time.monotonic() + 3
            while time.monotonic() < deadline:
                self._read(0.05)
                try:
                    with open(path, "rb") as f:
                        bitmap = f.read()
                except OSError:
                    continue
                # Complete once it holds the size its header gives.
                if len(bitmap) > 6 and len(bitmap) == struct.unpack_from("<I", bitmap, 2)[0]:
                    self._read(0)
                    return bitmap, "Screenshot" in self.lines()[start:]
        self.fail("%d presses of F4 and no screenshot.bmp" % tries)


def pixel(bitmap, x, y):
    """The (red, green, blue) of a pixel of a 24 or 32 bit BMP file."""
    offset, = struct.unpack_from("<I", bitmap, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", bitmap, 18)
    if bits not in (24, 32):
        raise Failure("screenshot.bmp has %d bits per pixel" % bits)
    row = height - 1 - y if height > 0 else y
    at = offset + row * ((width * bits // 8 + 3) & ~3) + x * bits // 8
    blue, green, red = bitmap[at:at + 3]
    return red, green, blue


def data_tree(build, root):
    """A working folder whose data tree holds the built game's images and font
    but none of its text data: each check writes the floors it plays on."""
    shutil.copytree(os.path.join(build, "data"), os.path.join(root, "data"),
                    ignore=shutil.ignore_patterns("*.qor", ".*"))


def write(root, relative, text):
    with open(os.path.join(root, relative), "w", encoding="latin-1") as f:
        f.write(text)


def map_text(cells):
    """A 100 x 100 floor of office tiles ('3') with `cells` ({(x, y): code}) set."""
    return "".join("".join(cells.get((x, y), "3") for x in range(100)) + "\n" for y in range(100))


def npc_record(name, x, y, hp, hostile, dialogue, character):
    """Ten lines: HP, maximum HP, MP, maximum MP, hostile, name, line, x, y, character."""
    return "%d\n%d\n0\n0\n%d\n%s\n%s\n%d\n%d\n%d\n" % (hp, hp, hostile, name, dialogue, x, y,
                                                      character)


def quest_record(x, y, floor, text, reward_key):
    """Five lines: x, y, floor, text, whether a key is the reward."""
    return "%d\n%d\n%d\n%s\n%d\n" % (x, y, floor, text, reward_key)


def blade_record(name, price, modifier):
    """Sixteen lines: price, icon, weapon modifier, name, healing, scroll, the
    seven spells taught, key, mana, armour class."""
    return "".join("%s\n" % v for v in [price, 3, modifier, name] + [0] * 12)


POSITION = re.compile(r"^You = \((-?\d+),(-?\d+)\)$")
