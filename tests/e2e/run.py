#!/usr/bin/env python3
"""The end-to-end run: the built game played from outside, as a player meets it.

    run.py [BUILD-FOLDER]

A whole game in a private Xvfb with real key presses from xdotool and the
developer console on standard input; then the start-up with the map missing.
A missing Xvfb or xdotool, or a screen that does not answer, is a failure."""
import contextlib, ctypes, ctypes.util, os, re, select, shutil, signal, struct  # noqa: E401
import subprocess, sys, tempfile, termios, time  # noqa: E401

TIMEOUT = 20.0 * float(os.environ.get("TESSARY_E2E_SLOW", "1"))
PROMPT = "matrix-admin: "  # the console's prompt: its answer follows on the same line
POSITION = re.compile(r"^You = \((-?\d+),(-?\d+)\)$")
BANNER = re.compile(r"^Tessary by \S")


Failure = type("Failure", (Exception,), {})


def environment(**settings):
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("SDL_", "DISPLAY", "XAUTHORITY", "WAYLAND"))}
    return dict(env, **settings)


@contextlib.contextmanager
def xserver():  # a private Xvfb on the free display number it reports
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            raise Failure("%s is not installed (scripts/deps.sh installs it)" % tool)
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x480x24",
                             "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        if not select.select([read_end], [], [], TIMEOUT)[0]:
            raise Failure("Xvfb did not answer with its display number")
        yield ":" + os.read(read_end, 64).decode().strip()
    finally:
        os.close(read_end)
        proc.terminate()
        proc.wait()


class Game:
    def __init__(self, exe, workdir, env):
        self.workdir, self.display, self.step = workdir, env.get("DISPLAY"), "start the game"
        self.out, self.err, self.cursor, self.window = b"", b"", 0, None
        self.master, slave = os.openpty()
        attributes = termios.tcgetattr(slave)
        attributes[1] &= ~termios.OPOST  # keep line feeds as they are
        attributes[3] &= ~(termios.ECHO | termios.ICANON)
        termios.tcsetattr(slave, termios.TCSANOW, attributes)
        self.proc = subprocess.Popen([exe], cwd=workdir, env=env, stdin=subprocess.PIPE,
                                     stdout=slave, stderr=subprocess.PIPE, start_new_session=True)
        os.close(slave)
        self.streams = {self.master: "out", self.proc.stderr.fileno(): "err"}

    __enter__ = lambda self: self  # noqa: E731

    def __exit__(self, *_):
        if self.proc.poll() is None:
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait()
        os.close(self.master)

    def _read(self, timeout):
        for fd in select.select(list(self.streams), [], [], timeout)[0] if self.streams else []:
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
        return self.out.decode("latin-1").split("\n")[:-1]

    def fail(self, message):
        raise Failure("step '%s': %s\n--- standard output, the end ---\n%s\n--- standard error "
                      "---\n%s" % (self.step, message, "\n".join(self.lines()[-40:]),
                                   self.err.decode("latin-1")))

    def expect(self, wanted, next=False, timeout=TIMEOUT):
        """Waits for a line past the cursor that is `wanted` (a string: all of
        it after any prompt; a pattern: in it), the very next one if `next`."""
        deadline = time.monotonic() + timeout
        while True:
            lines = self.lines()
            for index in range(self.cursor, len(lines)):
                line = lines[index]
                found = wanted.search(line) if isinstance(wanted, re.Pattern) else \
                    line.rsplit(PROMPT, 1)[-1] == wanted
                if found:
                    if next and index != self.cursor:
                        self.fail("expected %r next, not %r" % (wanted, lines[self.cursor:index]))
                    self.cursor = index + 1
                    return found
            if self.proc.poll() is not None and not self.streams:
                self.fail("the game ended before writing %r" % (wanted,))
            if time.monotonic() > deadline:
                self.fail("no line %r within %.0f s" % (wanted, timeout))
            self._read(0.1)

    def wait_exit(self):
        deadline = time.monotonic() + TIMEOUT
        while self.proc.poll() is None or self.streams:
            if time.monotonic() > deadline:
                self.fail("the game did not end")
            self._read(0.1)
        return self.proc.returncode

    def answer(self, text):  # once the console asks
        deadline = time.monotonic() + TIMEOUT
        while not self.out.endswith(PROMPT.encode()):
            if time.monotonic() > deadline or self.proc.poll() is not None:
                self.fail("the console did not ask")
            self._read(0.1)
        self.cursor = len(self.lines())
        self.proc.stdin.write(text.encode() + b"\n")
        self.proc.stdin.flush()

    def xdotool(self, *args):
        done = subprocess.run(["xdotool"] + list(args), env=environment(DISPLAY=self.display),
                              capture_output=True, timeout=TIMEOUT)
        return done.stdout.decode() if done.returncode == 0 else self.fail(done.stderr.decode())

    key = lambda self, *names: self.xdotool("key", "--delay", "30", *names)  # noqa: E731

    @contextlib.contextmanager
    def held(self, name):
        self.xdotool("keydown", name)
        try:
            yield
        finally:
            self.xdotool("keyup", name)

    def close_window(self):
        """WM_DELETE_WINDOW, as a window manager's close button sends it."""
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = x11.XInternAtom.restype = ctypes.c_void_p
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_char_p]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        display = x11.XOpenDisplay(self.display.encode())
        atom = lambda name: x11.XInternAtom(display, name, 0)  # noqa: E731
        # An XClientMessageEvent (type 33, sent, format 32) in an XEvent of 24 longs.
        event = struct.pack("@iLiPLLi5l", 33, 0, 1, display, int(self.window),
                            atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW"), 0, 0, 0, 0)
        x11.XSendEvent(display, int(self.window), 0, 0,
                       event.ljust(24 * ctypes.sizeof(ctypes.c_long), b"\0"))
        x11.XSync(display, 0)

    def screenshot(self):
        """Presses F4 until screenshot.bmp is written whole; returns its bytes
        and whether a notice took the key (a notice says "Screenshot")."""
        path = os.path.join(self.workdir, "screenshot.bmp")
        for _ in range(5):  # a press that reaches a screen as it closes is lost
            if os.path.exists(path):
                os.remove(path)
            start = len(self.lines())
            self.key("F4")
            deadline = time.monotonic() + 3
            while time.monotonic() < deadline:
                self._read(0.05)
                bitmap = open(path, "rb").read() if os.path.exists(path) else b""
                if len(bitmap) > 6 and len(bitmap) == struct.unpack_from("<I", bitmap, 2)[0]:
                    self._read(0)
                    return bitmap, "Screenshot" in self.lines()[start:]
        self.fail("no screenshot.bmp")


def data_tree(build, root, files):
    """The built images and font, and the text data `files` ({name: text})."""
    shutil.copytree(os.path.join(build, "data"), os.path.join(root, "data"),
                    ignore=shutil.ignore_patterns("*.qor", ".*"))
    for name, text in files.items():
        with open(os.path.join(root, "data", name), "w", encoding="latin-1") as f:
            f.write(text)


lines = lambda *values: "".join("%s\n" % v for v in values)  # noqa: E731


# The hero starts at (25, 19); the quest giver stands at (2, 2) and the
# shopkeeper at (5, 2). Walls stop each held walk where the next thing happens.
FLOOR0 = {(25, 3): "1", (2, 4): "1", (3, 2): "1", (3, 7): "1", (7, 6): "1", (6, 2): "1",
          (12, 3): "1", (11, 1): "1", (13, 2): "6"}  # the stairs behind the gremlin at (12, 2)
STATS = ["Player:", "---", "HP: 60/60", "MP: 50/50", "Strength: 1 Agility: 1 Weapon Modifier: 20",
         "Healing Potions: 2", "Gold: %d" % (100000 + 40 - 1000 - 200), "Keys: 1", "Floor: 1"]


floor = lambda cells: lines(*("".join(cells.get((x, y), "3") for x in range(100))  # noqa: E731
                              for y in range(100)))


def walk(game, key, target):
    """Holds an arrow key until the hero, asked with Return, stands on `target`."""
    deadline = time.monotonic() + TIMEOUT
    with game.held(key):
        while True:
            game.key("Return")
            position = tuple(int(n) for n in game.expect(POSITION).groups())
            if position == target:
                return
            if time.monotonic() > deadline:
                game.fail("holding %s, the hero got to %s, not to %s" % (key, position, target))


def press_until(game, key, line):
    """Presses a key until the game answers (a notice closing loses keys)."""
    for _ in range(5):
        game.key(key)
        with contextlib.suppress(Failure):
            return game.expect(line, next=True, timeout=3)
    game.fail("no %r" % line)


def roaming_screenshot(game, close_notices=False):
    for _ in range(10):
        bitmap, notice = game.screenshot()
        if not notice:
            return bitmap
        if not close_notices:
            game.fail("a notice is up instead of the roaming screen")
        game.key("space")
    game.fail("notices kept coming")


def smoke(build, root):
    blade = lambda name, price, mod: lines(price, 3, mod, name, *[0] * 12)  # noqa: E731
    data_tree(build, root, {
        "map.qor": floor(FLOOR0), "map1.qor": floor({(14, 2): "1"}), "npcs1.qor": "",
        "npcs.qor": lines(1, 1, 0, 0, 1, "Stapler Gremlin", "Grr!", 12, 2, 4),
        "quests.qor": lines(3, 6, 0, "Fetch the stapler", 1),
        "shopdata.qor": blade("Blade of Doom", 1000, 20) + blade("Rusty blade", 200, 3)})
    with xserver() as display, Game(os.path.join(build, "tessary"), root, environment(
            DISPLAY=display, SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy")) as game:
        game.step = "the title screen"
        game.expect("Fonts loaded. OK")
        game.window = game.xdotool("search", "--sync", "--name", "^Tessary$").split()[0]
        press_until(game, "space", "Welcome to the game...")

        game.step = "F4 while roaming"
        if roaming_screenshot(game)[18:26] != struct.pack("<ii", 640, 480):
            game.fail("screenshot.bmp is no 640 x 480 frame")

        game.step = "the quest giver and his errand"
        walk(game, "Up", (25, 4))
        walk(game, "Left", (3, 4))
        walk(game, "Up", (3, 3))
        game.expect("NPC found relative to player: (-1,-1)", next=True)
        game.expect("Returned Fetch the stapler")
        game.key("space")
        with game.held("Down"):
            game.expect("Quest Fetch the stapler completed")
            game.expect("Solved a quest", next=True)
        game.key("space")
        game.expect("Displayed quest completion screen", next=True)

        game.step = "the shop: two blades bought"
        walk(game, "Right", (6, 6))
        walk(game, "Up", (6, 3))
        game.expect("NPC found relative to player: (-1,-1)", next=True)
        game.key("space")
        press_until(game, "Down", "I think you're at pos 1")
        game.key("Up")
        game.expect("I think you are at position 0 on screen", next=True)
        game.key("Return", "space")  # buys, and closes "Purchased!"
        game.expect("Bought blade, mod of 20", next=True)
        game.key("Down")
        game.expect("I think you're at pos 1", next=True)
        game.key("Return", "space")
        game.expect("Bought blade, mod of 3", next=True)
        game.key("Escape")
        roaming_screenshot(game)

        game.step = "the character menu: the older blade equipped"
        game.key("Escape", "Down")  # the newest first: the second row is the Blade of Doom
        game.expect("Screenpos:1", next=True)
        game.key("Return", "space")

        game.step = "a fight to victory"
        walk(game, "Right", (11, 3))
        game.expect("NPC found relative to player: (1,-1)", next=True)
        game.key("space")
        game.expect("Fight engine activated, background 1")
        game.expect("Drew enemy HP/MP/etc")
        game.key("z")  # a blade of 20 cannot miss, and the gremlin has 1 HP
        roaming_screenshot(game, close_notices=True)

        game.step = "up the stairs, past where the gremlin stood"
        walk(game, "Up", (11, 2))
        with game.held("Right"):
            game.expect("Loaded map file...")
        walk(game, "Right", (13, 2))

        game.step = "the console on standard input"
        game.key("grave")
        game.answer("stats")
        for line in STATS:
            game.expect(line, next=True)
        game.answer("exit")
        game.expect("Exiting...", next=True)

        game.step = "close the window"
        game.close_window()
        if game.wait_exit() != 0 or game.lines()[-1] != "Goodbye...":
            game.fail("no normal end with \"Goodbye...\"")
        with open(os.path.join(root, "performance.txt"), encoding="latin-1") as f:
            if "Had 2 NPC's at 640x480 resolution\n" not in f.read():
                game.fail("performance.txt does not count the 2 NPCs of the top floor")


def missing_file(build, root):
    data_tree(build, root, {"npcs.qor": "", "quests.qor": "", "shopdata.qor": ""})
    with Game(os.path.join(build, "tessary"), root,
              environment(SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")) as game:
        game.step = "start without data/map.qor"
        status = game.wait_exit()
        if not BANNER.match(game.lines()[0]) or game.lines()[-1] != "Loading map..." or \
                status != 1 or game.err != b"Map data/map.qor not found..\n":
            game.fail("no start-up lines, status 1 and \"Map data/map.qor not found..\"")


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    failed = 0
    for check in (smoke, missing_file):
        root = tempfile.mkdtemp(prefix="tessary-e2e-")
        try:
            check(build, root)
            print("PASS %s" % check.__name__, flush=True)
        except Exception as failure:  # a fault of the run itself fails it too
            failed += 1
            print("FAIL %s: %s" % (check.__name__, failure), flush=True)
        finally:
            shutil.rmtree(root, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
