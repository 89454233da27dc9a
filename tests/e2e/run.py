#!/usr/bin/env python3
"""run.py [BUILD-FOLDER]: one whole game of the built tessary in a private Xvfb with
real keys (xdotool) and console commands."""
import contextlib
import ctypes
import os
import pathlib
import re
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import time

TIMEOUT = 20.0 * float(os.environ.get("TESSARY_E2E_SLOW", "1"))


def lines(*values):
    """A data file of one value a line."""
    return "".join("%s\n" % value for value in values)


def floor(cells):
    """A 100 x 100 map of floor ('3') with the given {(x, y): code} cells."""
    rows = []
    for y in range(100):
        rows.append("".join(cells.get((x, y), "3") for x in range(100)))
    return lines(*rows)


def read(path):
    """The bytes of a file, or none while it is not there."""
    if not os.path.exists(path):
        return b""
    with open(path, "rb") as file:
        return file.read()


def whole_bmp(data):
    """True when a BMP holds as many bytes as its header says."""
    return len(data) > 6 and len(data) == struct.unpack_from("<I", data, 2)[0]


def start_xvfb(*options):
    """An Xvfb with `options` on a display of its choosing: the process and the
    DISPLAY it serves, empty when it did not say within the timeout."""
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", "1", "-nolisten", "tcp"] + list(options),
        stdin=subprocess.DEVNULL,
        stdout=subprocess.PIPE,
        stderr=subprocess.DEVNULL)
    display = ""
    if select.select([xvfb.stdout], [], [], TIMEOUT)[0]:
        display = ":" + xvfb.stdout.readline().decode().strip()
    return (xvfb, display)


class Player:
    """The game on its own Xvfb, in `root` with the built images and font and the text
    `files`; its lines read from a terminal (so they come as written)."""

    def __init__(self, build, root, files):
        shutil.copytree(
            os.path.join(build, "data"),
            os.path.join(root, "data"),
            ignore=shutil.ignore_patterns("*.qor", ".*"))
        for name, text in files.items():
            pathlib.Path(root, "data", name).write_bytes(text.encode("latin-1"))
        inherited = ("SDL_", "DISPLAY", "XAUTHORITY", "WAYLAND")
        env = {k: v for k, v in os.environ.items() if not k.startswith(inherited)}
        self.root = root
        self.out = b""
        self.cursor = 0
        (self.xvfb, self.display) = start_xvfb("-screen", "0", "640x480x24")
        (self.terminal, slave) = os.openpty()
        env["SDL_AUDIODRIVER"] = "dummy"
        env["SDL_VIDEODRIVER"] = "x11"
        env["DISPLAY"] = self.display
        self.game = subprocess.Popen(
            [os.path.join(build, "tessary")],
            cwd=root,
            stdout=slave,
            stdin=subprocess.PIPE,
            env=env)
        os.close(slave)

    def __enter__(self):
        return self

    def __exit__(self, *error):
        """Ends the game and its X server, whatever became of them."""
        for process in (self.game, self.xvfb):
            process.kill()
            process.wait()

    def lines(self):
        return self.out.decode("latin-1").replace("\r", "").split("\n")[:-1]

    def fail(self, message):
        last = "\n".join(self.lines()[-40:])
        raise AssertionError(message + "\n--- its last lines ---\n" + last)

    def read_terminal(self):
        """Takes up what the game wrote; the terminal closes when the game ends."""
        if self.terminal is None:
            time.sleep(0.05)
            return
        try:
            if select.select([self.terminal], [], [], 0.05)[0]:
                self.out += os.read(self.terminal, 65536)
        except OSError:
            os.close(self.terminal)
            self.terminal = None

    def until(self, done, what, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.read_terminal()
            if done():
                return
        self.fail("%s within %.0f s" % (what, timeout))

    def lines_after_cursor(self, wanted):
        """Numbers of the lines past the cursor ending in `wanted` (or matching it)."""
        found = []
        for number, line in enumerate(self.lines()):
            if number < self.cursor:
                continue
            if isinstance(wanted, str) and line.endswith(wanted):
                found.append(number)
            elif not isinstance(wanted, str) and wanted.match(line):
                found.append(number)
        return found

    def expect(self, wanted, timeout):
        """Waits for lines past the cursor ending in each of `wanted` (or matching)."""
        for one in wanted:
            self.until(lambda: self.lines_after_cursor(one), "no line %r" % (one,), timeout)
            self.cursor = self.lines_after_cursor(one)[0] + 1
        return self.lines()[self.cursor - 1]

    def xdotool(self, *args):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        done = subprocess.run(
            ["xdotool"] + list(args),
            env=env,
            capture_output=True,
            timeout=TIMEOUT)
        if done.returncode != 0:
            self.fail(done.stderr.decode())
        return done.stdout.decode()

    def key(self, names, *then):
        """Presses keys, then waits for the lines `then`."""
        self.xdotool("key", "--delay", "30", *names.split())
        return self.expect(then, TIMEOUT)

    def key_until_up(self, names, *then):
        """Presses keys until the lines `then` come: a screen not yet up loses keys."""
        for _ in range(4):
            self.xdotool("key", "--delay", "30", *names.split())
            with contextlib.suppress(AssertionError):
                return self.expect(then, 3)
        return self.key(names, *then)

    def walk(self, *legs):
        """Holds each arrow key until the hero, asked with Return, says he is at (x, y)."""
        for key, x, y in legs:
            self.xdotool("keydown", key)
            there = "You = (%d,%d)" % (x, y)
            self.until(
                lambda: self.key("Return", re.compile("You = ")) == there,
                "holding %s, no (%d,%d)" % (key, x, y),
                TIMEOUT)
            self.xdotool("keyup", key)

    def roaming_screenshot(self, close_notices):
        """F4 until screenshot.bmp comes without the "Screenshot" a notice says."""
        path = os.path.join(self.root, "screenshot.bmp")
        for _ in range(10):
            if os.path.exists(path):
                os.remove(path)
            start = len(self.lines())
            self.key("F4")
            self.until(lambda: whole_bmp(read(path)), "no whole screenshot.bmp", 3)
            self.read_terminal()  # takes up the word if it was written
            if "Screenshot" not in self.lines()[start:]:
                return read(path)
            if not close_notices:
                self.fail("a notice, not roaming")
            self.key("space")
        self.fail("notices kept coming")

    def close_window(self):
        """WM_DELETE_WINDOW, as a window manager's close button sends it."""
        window = int(self.xdotool("search", "--name", "^Tessary$").split()[0])
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        display = ctypes.c_void_p(x11.XOpenDisplay(self.display.encode()))
        protocols = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        delete = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        # An XClientMessageEvent (type 33, sent, format 32) in an XEvent of 24 longs.
        event = struct.pack(
            "@iLiPLLi5l", 33, 0, 1, display.value, window, protocols, 32, delete, 0, 0, 0, 0)
        x11.XSendEvent(display, ctypes.c_ulong(window), 0, 0, event.ljust(24 * 8, b"\0"))
        x11.XSync(display, 0)


def smoke_files():
    """The hero starts at (25, 19); the quest giver stands at (2, 2), the shopkeeper
    at (5, 2), a gremlin at (12, 2) before the stairs. Walls stop each walk."""
    walls = [(25, 3), (2, 4), (3, 2), (3, 7), (7, 6), (6, 2), (12, 3), (11, 1)]
    first_floor = {cell: "1" for cell in walls}
    first_floor[(13, 2)] = "6"
    no_flags = [0] * 12
    return {
        "map.qor": floor(first_floor),
        "map1.qor": floor({(14, 2): "1"}),
        "npcs1.qor": "",
        "npcs.qor": lines(1, 1, 0, 0, 1, "Stapler Gremlin", "Grr!", 12, 2, 4),
        "quests.qor": lines(3, 6, 0, "Fetch the stapler", 1),
        "shopdata.qor": lines(
            1000, 3, 20, "Blade of Doom", *no_flags, 200, 3, 3, "Rusty blade", *no_flags),
    }


def play(player, root):
    player.xdotool("search", "--sync", "--onlyvisible", "--name", "^Tessary$")
    player.key_until_up("space", "Welcome to the game...")  # the title
    if player.roaming_screenshot(False)[18:26] != struct.pack("<ii", 640, 480):
        player.fail("screenshot.bmp is no 640 x 480 frame")
    # The quest giver, and his errand done on the spot.
    player.walk(("Up", 25, 4), ("Left", 3, 4), ("Up", 3, 3))
    player.expect(["NPC found relative to player: (-1,-1)", "Returned Fetch the stapler"], TIMEOUT)
    player.key("space")
    player.xdotool("keydown", "Down")
    player.expect(["Quest Fetch the stapler completed", "Solved a quest"], TIMEOUT)
    player.xdotool("keyup", "Down")
    player.key("space", "Displayed quest completion screen")
    # The shop: both blades bought, each "Purchased!" closed, the last in hand.
    player.walk(("Right", 6, 6), ("Up", 6, 3))
    player.expect(["NPC found relative to player: (-1,-1)"], TIMEOUT)
    player.key("space")
    player.key_until_up("Down", "I think you're at pos 1")
    player.key(
        "Up Return space", "I think you are at position 0 on screen", "Bought blade, mod of 20")
    player.key("Down Return space", "I think you're at pos 1", "Bought blade, mod of 3")
    player.key("Escape")
    player.roaming_screenshot(False)
    # The character menu, newest first: the second row is the Blade of Doom.
    player.key("Escape Down", "Screenpos:1")
    player.key("Return space")
    # A fight: a blade of 20 cannot miss, and the gremlin has 1 HP.
    player.walk(("Right", 11, 3))
    player.expect(["NPC found relative to player: (1,-1)"], TIMEOUT)
    player.key("space", "Drew enemy HP/MP/etc")
    player.key("z")
    player.roaming_screenshot(True)
    # Up the stairs, through where the gremlin stood, against the wall above.
    player.walk(("Up", 11, 2), ("Right", 13, 2))
    # The console, reading standard input: the Blade of Doom in hand, one floor up.
    os.write(player.game.stdin.fileno(), b"stats\nexit\n")
    player.key("grave", "Weapon Modifier: 20", "Floor: 1", "Exiting...")
    player.close_window()
    player.until(
        lambda: player.terminal is None and player.game.poll() is not None, "no end", TIMEOUT)
    if player.game.returncode != 0:
        player.fail("closing the window ends the game with status 0")
    if player.lines()[-1] != "Goodbye...":
        player.fail("closing the window says \"Goodbye...\" last")
    if b"Had 2 NPC's at 640x480 resolution\n" not in read(root + "/performance.txt"):
        player.fail("performance.txt counts the 2 NPCs left")


def smoke(build, root):
    with Player(build, root, smoke_files()) as player:
        play(player, root)


if __name__ == "__main__":
    with tempfile.TemporaryDirectory(prefix="tessary-e2e-") as root:
        try:
            build = sys.argv[1] if len(sys.argv) > 1 else "build"
            smoke(os.path.abspath(build), root)
            print("PASS smoke")
            sys.stdout.flush()
        except Exception as failure:  # a fault of the run itself fails it too
            sys.exit("FAIL smoke: %s" % failure)
