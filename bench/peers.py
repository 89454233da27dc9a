#!/usr/bin/env python3
"""Tessary's first frame beside its peers': from the exec of each game to the
first picture it shows, on a desktop-like 1280 x 960 Xvfb with openbox.

Every game is started on a fresh display, and the screen Xvfb keeps in XWD
form is read every few milliseconds at a grid of points: the first frame is
the first read where the points show four colours or more (a drawn picture,
not a bare or single-coloured window; a windowed peer's title bar counts as
drawn, which can only favour the peer). Each game is started three times; the
median and the spread are printed. The peers are Debian's packages of games
of the same kind (`scripts/deps.sh bench` installs them); a peer that is not
installed is named and skipped.

    peers.py EXECUTABLE FOLDER   (FOLDER holds data/; Tessary runs there)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wholegame import Display, end

STARTS = 3
LIMIT_S = 30.0
GRID = (32, 24)
DRAWN_COLOURS = 4
# Name, command; Tessary's is filled in from the command line.
PEERS = [
    ("FreeDink", ["/usr/games/freedink", "--nosound"]),
    ("FLARE", ["/usr/games/flare"]),
    ("FreedroidRPG", ["/usr/games/freedroidRPG"]),
]


def colours_on_screen(display):
    """How many colours the grid's points of the display's screen show."""
    points = []
    for gy in range(GRID[1]):
        y = (2 * gy + 1) * display.height // (2 * GRID[1])
        for gx in range(GRID[0]):
            points.append(((2 * gx + 1) * display.width // (2 * GRID[0]), y))
    return len(set(display.screen_pixels(points) or []))


def first_frame_ms(command, folder, home):
    """Milliseconds from the exec to the first drawn picture, or None."""
    display = Display(1280, 960, "openbox")
    env = dict(display.env, HOME=home)
    start = time.monotonic()
    game = subprocess.Popen(command, cwd=folder, env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while time.monotonic() - start < LIMIT_S:
            if colours_on_screen(display) >= DRAWN_COLOURS:
                return 1000.0 * (time.monotonic() - start)
            time.sleep(0.003)
        return None
    finally:
        end(game)
        display.stop()


def measure(name, command, folder):
    times = []
    with tempfile.TemporaryDirectory(prefix="tessary-peer-home-") as home:
        for _ in range(STARTS):
            ms = first_frame_ms(command, folder, home)
            if ms is None:
                print("%-14s showed no picture within %.0f s" % (name, LIMIT_S))
                return None
            times.append(ms)
    times.sort()
    print("%-14s first frame %6.0f ms (median of %d; %.0f to %.0f)" %
          (name, times[len(times) // 2], STARTS, times[0], times[-1]))
    return times[len(times) // 2]


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    for tool in ("Xvfb", "openbox", "xprop"):
        if not shutil.which(tool):
            sys.exit("peers.py: %s is missing (scripts/deps.sh installs it)" % tool)
    executable = os.path.abspath(sys.argv[1])
    folder = os.path.abspath(sys.argv[2])
    with open("/proc/loadavg") as f:
        print("1280 x 960 with openbox; load average %s" % f.read().split()[0])
    ours = measure("Tessary", [executable], folder)
    fastest = None
    for name, command in PEERS:
        if not os.path.exists(command[0]):
            print("%-14s not installed (scripts/deps.sh bench)" % name)
            continue
        ms = measure(name, command, folder)
        if ms is not None and (fastest is None or ms < fastest):
            fastest = ms
    if ours is not None and fastest is not None:
        verdict = "met" if ours < fastest else "NOT met"
        print("Tessary's first frame below the fastest peer's: %s (%.0f against %.0f ms)" %
              (verdict, ours, fastest))
        return 0 if ours < fastest else 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
