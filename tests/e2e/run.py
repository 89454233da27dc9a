#!/usr/bin/env python3
"""run.py [BUILD-FOLDER]: one whole game of the built tessary in a private Xvfb with
real keys (xdotool) and console commands."""
import contextlib, ctypes, os, pathlib, re, select, shutil, struct  # noqa: E401
import subprocess, sys, tempfile, time  # noqa: E401

TIMEOUT = 20.0 * float(os.environ.get("TESSARY_E2E_SLOW", "1"))
lines = lambda *values: "".join("%s\n" % v for v in values)  # noqa: E731
floor = lambda cells: lines(*("".join(cells.get((x, y), "3") for x in range(100))  # noqa: E731
                              for y in range(100)))
read = lambda path: open(path, "rb").read() if os.path.exists(path) else b""  # noqa: E731


class Player:
    """The game on its own Xvfb, in `root` with the built images and font and the text
    `files`; its lines read from a terminal (so they come as written)."""

    def __init__(self, build, root, files):
        shutil.copytree(os.path.join(build, "data"), os.path.join(root, "data"),
                        ignore=shutil.ignore_patterns("*.qor", ".*"))
        for name, text in files.items():
            pathlib.Path(root, "data", name).write_text(text, encoding="latin-1")
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("SDL_", "DISPLAY", "XAUTHORITY", "WAYLAND"))}
        self.root, self.out, self.cursor = root, b"", 0
        self.xvfb = subprocess.Popen("Xvfb -displayfd 1 -screen 0 640x480x24 -nolisten tcp".split(),
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        ready = select.select([self.xvfb.stdout], [], [], TIMEOUT)[0]
        self.display = ":" + self.xvfb.stdout.readline().decode().strip() if ready else ""
        self.terminal, slave = os.openpty()
        self.game = subprocess.Popen([os.path.join(build, "tessary")], cwd=root, stdout=slave,
                                     stdin=subprocess.PIPE, env=dict(
                                         env, SDL_AUDIODRIVER="dummy", SDL_VIDEODRIVER="x11",
                                         DISPLAY=self.display))
        os.close(slave)

    def lines(self):
        return self.out.decode("latin-1").replace("\r", "").split("\n")[:-1]

    def fail(self, message):
        raise AssertionError(message + "\n--- its last lines ---\n" + "\n".join(self.lines()[-40:]))

    def until(self, done, what, timeout=TIMEOUT):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                ready = select.select([self.terminal] if self.terminal else [], [], [], 0.05)[0]
                self.out += os.read(self.terminal, 65536) if ready else b""
            except OSError:  # the terminal's far end is closed: the game has ended
                self.terminal = os.close(self.terminal)
            if done():
                return
        self.fail("%s within %.0f s" % (what, timeout))

    def expect(self, *wanted, timeout=TIMEOUT):
        """Waits for lines past the cursor ending in each `wanted` (or matching, a pattern)."""
        for one in wanted:
            hit = lambda ln: ln.endswith(one) if isinstance(one, str) else one.match(ln)  # noqa
            found = lambda: [i for i, ln in enumerate(self.lines()) if i >= self.cursor and hit(ln)]
            self.until(found, "no line %r" % (one,), timeout)
            self.cursor = found()[0] + 1
        return self.lines()[self.cursor - 1]

    def xdotool(self, *args):
        done = subprocess.run(["xdotool"] + list(args), env=dict(os.environ, DISPLAY=self.display),
                              capture_output=True, timeout=TIMEOUT)
        return done.stdout.decode() if done.returncode == 0 else self.fail(done.stderr.decode())

    def key(self, names, *then, tries=1):
        """Presses keys until the lines `then` come (a screen not yet up loses keys)."""
        for trial in range(tries, 0, -1):
            self.xdotool("key", "--delay", "30", *names.split())
            with contextlib.suppress(*[AssertionError] * (trial > 1)):
                return self.expect(*then, timeout=3 if trial > 1 else TIMEOUT)

    def walk(self, *legs):
        """Holds each arrow key until the hero, asked with Return, says he is at (x, y)."""
        for key, x, y in legs:
            self.xdotool("keydown", key)
            self.until(lambda: self.key("Return", re.compile("You = ")) == "You = (%d,%d)" % (x, y),
                       "holding %s, no (%d,%d)" % (key, x, y))
            self.xdotool("keyup", key)

    def roaming_screenshot(self, close_notices=False):
        """F4 until screenshot.bmp comes without the "Screenshot" a notice says."""
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
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        display = ctypes.c_void_p(x11.XOpenDisplay(self.display.encode()))
        atom = lambda name: x11.XInternAtom(display, name, 0)  # noqa: E731
        # An XClientMessageEvent (type 33, sent, format 32) in an XEvent of 24 longs.
        event = struct.pack("@iLiPLLi5l", 33, 0, 1, display.value, window, atom(b"WM_PROTOCOLS"),
                            32, atom(b"WM_DELETE_WINDOW"), 0, 0, 0, 0)
        x11.XSendEvent(display, ctypes.c_ulong(window), 0, 0, event.ljust(24 * 8, b"\0"))
        x11.XSync(display, 0)


def smoke(build, root):
    # The hero starts at (25, 19); the quest giver stands at (2, 2), the shopkeeper
    # at (5, 2), a gremlin at (12, 2) before the stairs. Walls stop each walk.
    player = Player(build, root, {
        "map.qor": floor({(25, 3): "1", (2, 4): "1", (3, 2): "1", (3, 7): "1", (7, 6): "1",
                          (6, 2): "1", (12, 3): "1", (11, 1): "1", (13, 2): "6"}),
        "map1.qor": floor({(14, 2): "1"}), "npcs1.qor": "",
        "npcs.qor": lines(1, 1, 0, 0, 1, "Stapler Gremlin", "Grr!", 12, 2, 4),
        "quests.qor": lines(3, 6, 0, "Fetch the stapler", 1),
        "shopdata.qor": lines(1000, 3, 20, "Blade of Doom", *[0] * 12, 200, 3, 3, "Rusty blade",
                              *[0] * 12)})
    try:
        player.xdotool("search", "--sync", "--onlyvisible", "--name", "^Tessary$")
        player.key("space", "Welcome to the game...", tries=5)  # the title
        if player.roaming_screenshot()[18:26] != struct.pack("<ii", 640, 480):
            player.fail("screenshot.bmp is no 640 x 480 frame")
        # The quest giver, and his errand done on the spot.
        player.walk(("Up", 25, 4), ("Left", 3, 4), ("Up", 3, 3))
        player.expect("NPC found relative to player: (-1,-1)", "Returned Fetch the stapler")
        player.key("space")
        player.xdotool("keydown", "Down")
        player.expect("Quest Fetch the stapler completed", "Solved a quest")
        player.xdotool("keyup", "Down")
        player.key("space", "Displayed quest completion screen")
        # The shop: both blades bought, each "Purchased!" closed, the last in hand.
        player.walk(("Right", 6, 6), ("Up", 6, 3))
        player.expect("NPC found relative to player: (-1,-1)")
        player.key("space")
        player.key("Down", "I think you're at pos 1", tries=5)
        player.key("Up Return space", "I think you are at position 0 on screen",
                   "Bought blade, mod of 20")
        player.key("Down Return space", "I think you're at pos 1", "Bought blade, mod of 3")
        player.key("Escape")
        player.roaming_screenshot()
        # The character menu, newest first: the second row is the Blade of Doom.
        player.key("Escape Down", "Screenpos:1")
        player.key("Return space")
        # A fight: a blade of 20 cannot miss, and the gremlin has 1 HP.
        player.walk(("Right", 11, 3))
        player.expect("NPC found relative to player: (1,-1)")
        player.key("space", "Drew enemy HP/MP/etc")
        player.key("z")
        player.roaming_screenshot(close_notices=True)
        # Up the stairs, through where the gremlin stood, against the wall above.
        player.walk(("Up", 11, 2), ("Right", 13, 2))
        # The console, reading standard input: the Blade of Doom in hand, one floor up.
        os.write(player.game.stdin.fileno(), b"stats\nexit\n")
        player.key("grave", "Weapon Modifier: 20", "Floor: 1", "Exiting...")
        player.close_window()
        player.until(lambda: player.terminal is None and player.game.poll() is not None, "no end")
        if player.game.returncode != 0 or player.lines()[-1] != "Goodbye..." or \
                b"Had 2 NPC's at 640x480 resolution\n" not in read(root + "/performance.txt"):
            player.fail("no status 0, \"Goodbye...\" and performance.txt with the 2 NPCs")
    finally:
        player.game.kill(), player.xvfb.kill()


if __name__ == "__main__":
    with tempfile.TemporaryDirectory(prefix="tessary-e2e-") as root:
        try:
            smoke(os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build"), root)
            print("PASS smoke", flush=True)
        except Exception as failure:  # a fault of the run itself fails it too
            sys.exit("FAIL smoke: %s" % failure)
