"""The scenario registry and what a scenario gets to work with: fresh data
trees in temporary folders, the game started on a private X server or with
the dummy video driver, and clean-up of every process and folder it made."""

import os
import re
import shutil
import tempfile

import datatree
import driver

SCENARIOS = []

BANNER = re.compile(r"^Tessary by \S.*$")


def scenario(name, x=False, screens=(), needs=()):
    """Registers a scenario. `x`: it needs an X server. `screens`: game
    sources that must be built (a scenario of a screen still in the making
    is skipped, naming it). `needs`: "asan" (the sanitizer build) or
    "valgrind"."""

    def register(function):
        SCENARIOS.append({"name": name, "run": function, "x": x, "screens": screens,
                          "needs": needs})
        return function

    return register


class Skip(Exception):
    """The scenario cannot run here; the message says why."""


class Context:
    def __init__(self, repo, build, asan_build, keep=False):
        self.repo = repo
        self.build = build
        self.exe = os.path.join(build, "tessary")
        self.asan_exe = os.path.join(asan_build, "tessary") if asan_build else None
        self.font = os.path.join(build, "data", "font.ttf")
        self.keep = keep
        self.folders = []
        self.games = []
        self.xserver = None

    # ---- Data trees and working folders ----
    def folder(self):
        path = tempfile.mkdtemp(prefix="tessary-e2e-")
        self.folders.append(path)
        return path

    def tree(self):
        """A working folder with a complete data tree of known images."""
        return datatree.DataTree(self.folder(), self.font)

    # ---- The game ----
    def game(self, tree, x=True, exe=None, wrapper=(), env=None, patience=1.0):
        display = None
        if x:
            if self.xserver is None:
                self.xserver = driver.XServer()
            display = self.xserver.display
        root = tree.root if isinstance(tree, datatree.DataTree) else tree
        game = driver.Game(exe or self.exe, root, display, wrapper, env, patience)
        self.games.append(game)
        return game

    def start(self, tree, **options):
        """Starts the game on the X server and leaves the title screen with a
        key: the game is roaming when this returns."""
        game = self.game(tree, **options)
        game.step("banner and loading")
        first = game.expect(re.compile(r"."))
        if not BANNER.match(first.string):
            game.fail("the first line is %r, not the banner" % first.string)
        game.expect("Fonts loaded. OK", timeout=driver.DEFAULT_TIMEOUT * 3)
        game.step("title screen")
        game.find_window()
        # A key that reaches the X server before the new window has the
        # keyboard is lost; pressing again is harmless, as roaming ignores
        # the space bar.
        for attempt in range(5):
            game.key("space")
            try:
                game.expect("Welcome to the game...", timeout=3)
                return game
            except driver.Failure:
                if attempt == 4 or not game.running():
                    raise


    def cleanup(self):
        for game in self.games:
            game.stop()
        self.games = []
        if self.xserver:
            self.xserver.stop()
            self.xserver = None
        if not self.keep:
            for folder in self.folders:
                shutil.rmtree(folder, ignore_errors=True)
        self.folders = []

    def report(self):
        """The output of the game run last, for a failure message."""
        return self.games[-1].report() if self.games else ""


def screen_missing(repo, source):
    """True while a screen's source file is still a placeholder."""
    try:
        with open(os.path.join(repo, source), encoding="utf-8", errors="replace") as f:
            return "(not yet built)" in f.read()
    except OSError:
        return True
