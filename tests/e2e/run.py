#!/usr/bin/env python3
"""run.py [BUILD-FOLDER]: one whole game of the built tessary in a private Xvfb with real
keys (xdotool) and console commands; then its start-up without the map. Nothing skips."""
import ctypes, os, re, select, shutil, struct, subprocess, sys, tempfile, time  # noqa: E401

TIMEOUT = 20.0 * float(os.environ.get("TESSARY_E2E_SLOW", "1"))
PROMPT = "matrix-admin: "  # the console's prompt: its answer follows on the same line
Failure = type("Failure", (Exception,), {})
lines = lambda *values: "".join("%s\n" % v for v in values)  # noqa: E731
floor = lambda cells: lines(*("".join(cells.get((x, y), "3") for x in range(100))  # noqa: E731
                              for y in range(100)))
blade = lambda name, price, mod: lines(price, 3, mod, name, *[0] * 12)  # noqa: E731
read = lambda path: open(path, "rb").read() if os.path.exists(path) else b""  # noqa: E731


def prepare(build, root, files, **settings):
    """The built images and font and the text `files` in root/data; the
    game's environment, with SDL and X settings only from `settings`."""
    shutil.copytree(os.path.join(build, "data"), os.path.join(root, "data"),
                    ignore=shutil.ignore_patterns("*.qor", ".*"))
    for name, text in files.items():
        with open(os.path.join(root, "data", name), "w", encoding="latin-1") as f:
            f.write(text)
    return dict({k: v for k, v in os.environ.items() if not k.startswith(
        ("SDL_", "DISPLAY", "XAUTHORITY", "WAYLAND"))}, SDL_AUDIODRIVER="dummy", **settings)


class Player:
    """Runs the game on its own Xvfb, reads its lines from a terminal (so
    they come as written) and answers them with keys and console commands."""

    def __init__(self, build, root, env):
        self.root, self.out, self.cursor, self.game = root, b"", 0, None
        number, write_end = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                      "640x480x24", "-nolisten", "tcp"], pass_fds=(write_end,),
                                     stderr=subprocess.DEVNULL)
        os.close(write_end)
        ready = select.select([number], [], [], TIMEOUT)[0]
        self.display = ":" + os.read(number, 64).decode().strip() if ready else ""
        self.terminal, slave = os.openpty()
        self.game = subprocess.Popen([os.path.join(build, "tessary")], cwd=root, stdout=slave,
                                     stdin=subprocess.PIPE, env=dict(
                                         env, DISPLAY=self.display, SDL_VIDEODRIVER="x11"))
        os.close(slave)

    def lines(self):
        return self.out.decode("latin-1").replace("\r", "").split("\n")[:-1]

    def fail(self, message):
        raise Failure("%s\n--- its last lines ---\n%s" % (message, "\n".join(self.lines()[-40:])))

    def until(self, done, what, timeout=TIMEOUT):
        """Reads the game's output until `done()`, failing after `timeout`."""
        deadline = time.monotonic() + timeout
        while True:
            if self.terminal is not None and select.select([self.terminal], [], [], 0.05)[0]:
                try:
                    chunk = os.read(self.terminal, 65536)
                except OSError:  # the terminal's far end is closed: the game has ended
                    chunk = b""
                self.out += chunk
                self.terminal = self.terminal if chunk else os.close(self.terminal)
            if done():
                return
            if time.monotonic() > deadline:
                self.fail("%s within %.0f s" % (what, timeout))
            time.sleep(0.05 if self.terminal is None else 0)

    def expect(self, *wanted, next=False, timeout=TIMEOUT):
        """Waits for lines past the cursor, in turn, that are `wanted` after any
        prompt (or match it, a pattern), each the very next if `next`."""
        def seen(wanted):
            for index, line in enumerate(self.lines()[self.cursor:], self.cursor):
                if line.rsplit(PROMPT, 1)[-1] == wanted or (
                        isinstance(wanted, re.Pattern) and wanted.match(line)):
                    if next and index != self.cursor:
                        self.fail("%r, not %r" % (wanted, self.lines()[self.cursor:index]))
                    self.cursor = index + 1
                    return True
            if self.terminal is None:
                self.fail("the game ended before writing %r" % (wanted,))
        for one in wanted:
            self.until(lambda: seen(one), "no line %r" % (one,), timeout)
        return self.lines()[self.cursor - 1]

    def xdotool(self, *args):
        done = subprocess.run(["xdotool"] + list(args), env=dict(os.environ, DISPLAY=self.display),
                              capture_output=True, timeout=TIMEOUT)
        return done.stdout.decode() if done.returncode == 0 else self.fail(done.stderr.decode())

    def key(self, *names, next=None, tries=1):
        """Presses keys, then waits for the very next line to be `next`; again
        while it does not come (keys reaching a screen not yet waiting are lost)."""
        for trial in range(tries - 1, -1, -1):
            self.xdotool("key", "--delay", "30", *names)
            try:
                return next and self.expect(next, next=True, timeout=3 if trial else TIMEOUT)
            except Failure:
                if not trial:
                    raise

    def walk(self, *legs):
        """For each (arrow key, x, y), holds the key until the hero, asked with
        Return, says he stands on (x, y)."""
        for key, x, y in legs:
            self.xdotool("keydown", key)
            self.until(lambda: self.key("Return") or self.expect(re.compile("You = ")) ==
                       "You = (%d,%d)" % (x, y), "holding %s, no (%d,%d)" % (key, x, y))
            self.xdotool("keyup", key)

    def roaming_screenshot(self, close_notices=False):
        """Presses F4 until roaming saves screenshot.bmp without the word
        "Screenshot" a notice says first; closes the notices if asked."""
        path = os.path.join(self.root, "screenshot.bmp")
        whole = lambda bmp: len(bmp) > 6 and len(bmp) == struct.unpack_from("<I", bmp, 2)[0]  # noqa
        for _ in range(10):
            os.path.exists(path) and os.remove(path)
            start = len(self.lines())
            self.key("F4")
            self.until(lambda: whole(read(path)), "no whole screenshot.bmp", 3)
            self.until(lambda: True, "")  # takes up the word if it was written
            if "Screenshot" not in self.lines()[start:]:
                return read(path)
            self.key("space") if close_notices else self.fail("a notice, not roaming")
        self.fail("notices kept coming")

    def close_window(self):
        """WM_DELETE_WINDOW, as a window manager's close button sends it."""
        window = int(self.xdotool("search", "--name", "^Tessary$").split()[0])
        x11, void = ctypes.CDLL("libX11.so.6"), ctypes.c_void_p
        x11.XOpenDisplay.restype = x11.XInternAtom.restype = void
        x11.XInternAtom.argtypes = [void, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [void, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, void]
        display = x11.XOpenDisplay(self.display.encode())
        atom = lambda name: x11.XInternAtom(display, name, 0)  # noqa: E731
        # An XClientMessageEvent (type 33, sent, format 32) in an XEvent of 24 longs.
        event = struct.pack("@iLiPLLi5l", 33, 0, 1, display, window, atom(b"WM_PROTOCOLS"), 32,
                            atom(b"WM_DELETE_WINDOW"), 0, 0, 0, 0)
        x11.XSendEvent(display, window, 0, 0, event.ljust(24 * ctypes.sizeof(void), b"\0"))
        x11.XSync(void(display), 0)


def smoke(build, root):
    # The hero starts at (25, 19); the quest giver stands at (2, 2), the shopkeeper
    # at (5, 2), a gremlin at (12, 2) before the stairs. Walls stop each walk.
    player = Player(build, root, prepare(build, root, {
        "map.qor": floor({(25, 3): "1", (2, 4): "1", (3, 2): "1", (3, 7): "1", (7, 6): "1",
                          (6, 2): "1", (12, 3): "1", (11, 1): "1", (13, 2): "6"}),
        "map1.qor": floor({(14, 2): "1"}), "npcs1.qor": "",
        "npcs.qor": lines(1, 1, 0, 0, 1, "Stapler Gremlin", "Grr!", 12, 2, 4),
        "quests.qor": lines(3, 6, 0, "Fetch the stapler", 1),
        "shopdata.qor": blade("Blade of Doom", 1000, 20) + blade("Rusty blade", 200, 3)}))
    try:
        player.expect("Fonts loaded. OK")  # and the window is up
        player.xdotool("search", "--sync", "--onlyvisible", "--name", "^Tessary$")
        player.key("space", next="Welcome to the game...", tries=5)  # the title
        if player.roaming_screenshot()[18:26] != struct.pack("<ii", 640, 480):
            player.fail("screenshot.bmp is no 640 x 480 frame")
        # The quest giver, and his errand done on the spot.
        player.walk(("Up", 25, 4), ("Left", 3, 4), ("Up", 3, 3))
        player.expect("NPC found relative to player: (-1,-1)", "Returned Fetch the stapler")
        player.key("space")
        player.xdotool("keydown", "Down")
        player.expect("Quest Fetch the stapler completed", "Solved a quest")
        player.xdotool("keyup", "Down")
        player.key("space", next="Displayed quest completion screen")
        # The shop: both blades bought, each "Purchased!" closed, the last in hand.
        player.walk(("Right", 6, 6), ("Up", 6, 3))
        player.expect("NPC found relative to player: (-1,-1)", next=True)
        player.key("space")
        player.key("Down", next="I think you're at pos 1", tries=5)
        player.key("Up", next="I think you are at position 0 on screen")
        player.key("Return", "space", next="Bought blade, mod of 20")
        player.key("Down", next="I think you're at pos 1")
        player.key("Return", "space", next="Bought blade, mod of 3")
        player.key("Escape")
        player.roaming_screenshot()
        # The character menu, newest first: the second row is the Blade of Doom.
        player.key("Escape", "Down", next="Screenpos:1")
        player.key("Return", "space")
        # A fight: a blade of 20 cannot miss, and the gremlin has 1 HP.
        player.walk(("Right", 11, 3))
        player.expect("NPC found relative to player: (1,-1)", next=True)
        player.key("space")
        player.expect("Drew enemy HP/MP/etc")
        player.key("z")
        player.roaming_screenshot(close_notices=True)
        # Up the stairs, through where the gremlin stood, against the wall above.
        player.walk(("Up", 11, 2))
        player.xdotool("keydown", "Right")
        player.expect("Loaded map file...")
        player.walk(("Right", 13, 2))
        # The console: the Blade of Doom in hand, on the floor above.
        player.key("grave")
        for command, answers in (("stats", ("Weapon Modifier: 20", "Floor: 1")), ("exit", ())):
            player.until(lambda: player.out.endswith(PROMPT.encode()), "no console prompt")
            player.cursor = len(player.lines())
            player.game.stdin.write(command.encode() + b"\n")
            player.game.stdin.flush()
            player.expect(*(re.compile(".*%s$" % answer) for answer in answers))
        player.expect("Exiting...", next=True)
        player.close_window()
        player.until(lambda: player.terminal is None and player.game.poll() is not None, "no end")
        if player.game.returncode != 0 or player.lines()[-1] != "Goodbye...":
            player.fail("no normal end with \"Goodbye...\"")
        if b"Had 2 NPC's at 640x480 resolution\n" not in read(root + "/performance.txt"):
            player.fail("performance.txt does not count the 2 NPCs of the top floor")
    finally:
        player.game.kill()
        player.xvfb.kill()


def missing_file(build, root):
    env = prepare(build, root, {"npcs.qor": "", "quests.qor": "", "shopdata.qor": ""},
                  SDL_VIDEODRIVER="dummy")
    done = subprocess.run([os.path.join(build, "tessary")], cwd=root, env=env,
                          capture_output=True, timeout=TIMEOUT)
    if not re.match(rb"Tessary by \S.*\n(.*\n)*Loading map\.\.\.\n$", done.stdout) or \
            done.returncode != 1 or done.stderr != b"Map data/map.qor not found..\n":
        raise Failure("no start-up lines, status 1 and \"Map data/map.qor not found..\": %s" % done)


def main():
    build, failed = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build"), 0
    for check in (smoke, missing_file):
        with tempfile.TemporaryDirectory(prefix="tessary-e2e-") as root:
            try:
                check(build, root)
                print("PASS", check.__name__, flush=True)
            except Exception as failure:  # a fault of the run itself fails it too
                failed = print("FAIL %s: %s" % (check.__name__, failure), flush=True) or 1
    return failed


if __name__ == "__main__":
    sys.exit(main())
