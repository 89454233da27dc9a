#!/usr/bin/env python3
"""The end-to-end run: the built game played from outside, as a player meets it.

    run.py [--build build] [--keep]

Two checks, each printing PASS or FAIL (the step, and what the game wrote):
a whole game in a private X server with real key presses and the developer
console on standard input; the start-up lines and status 1 when a data file is
missing. A missing Xvfb or xdotool, or a screen that does not answer, is a
failure."""

import argparse
import os
import re
import shutil
import sys
import tempfile
import time
import traceback

sys.dont_write_bytecode = True  # leave no caches in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from driver import (POSITION, Failure, Game, XServer, blade_record, data_tree,  # noqa: E402
                    environment, map_text, npc_record, pixel, quest_record, write)

BANNER = re.compile(r"^Tessary by \S")
DUMMY = {"SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy"}

# The smoke run's floors. The hero starts at (25, 19); the quest giver stands
# at (2, 2) and the shopkeeper at (5, 2) on every floor. Walls stop each held
# walk exactly where the next thing happens, and no walk passes anyone by.
FLOOR0 = {(25, 3): "1",  # up from the start to (25, 4)
          (2, 4): "1",   # left to (3, 4)
          (3, 2): "1",   # up to (3, 3), beside the quest giver
          (3, 7): "1",   # down to the errand's cell (3, 6)
          (7, 6): "1",   # right to (6, 6)
          (6, 2): "1",   # up to (6, 3), beside the shopkeeper
          (12, 3): "1",  # right to (11, 3), beside the gremlin at (12, 2)
          (11, 1): "1",  # up to (11, 2)
          (13, 2): "6"}  # right through the beaten gremlin's cell: the stairs
FLOOR1 = {(14, 2): "1"}  # the hero arrives at (13, 2) and stays there
STATS = ["Player:", "---", "HP: 60/60", "MP: 50/50", "Strength: 1 Agility: 1 Weapon Modifier: 20",
         "Healing Potions: 2", "Gold: %d" % (100000 + 40 - 1000 - 200), "Keys: 1", "Floor: 1"]

# Start-up with the map missing: every line up to the map, then the message.
STARTUP = ["Loading shop...", "Loading item", "Item loaded, adding", "Probably a null item.",
           "Shop initialized", "QuestMaster()", "Loaded Quest , (0,0,0)", "invalid",
           "Loading sprites and tiles", "Loading shop items icons", "Loaded shop icons"] + \
    ["Item %d is existant" % i for i in range(14)] + \
    ["Surfaces loaded...", "Loading NPCs!", "Opening file", "Opened file",
     "Panic mode: Null NPC probably received", "NPC load complete", "Sprites and tiles loaded.",
     "Loading map..."]


def walk(game, key, target):
    """Holds an arrow key until the hero stands on `target`, asking where he
    is with Return as he goes (a wall stops him there)."""
    deadline = time.monotonic() + 20
    with game.held(key):
        while True:
            game.key("Return")
            position = tuple(int(n) for n in game.expect(POSITION).groups())
            if position == target:
                return
            if time.monotonic() > deadline:
                game.fail("holding %s, the hero got to %s, not to %s" % (key, position, target))


def press_until(game, key, line, tries=5):
    """Presses a key until the game answers with `line`: a key that reaches a
    notice while it closes is lost with it."""
    for _ in range(tries):
        game.key(key)
        try:
            return game.expect(line, next=True, timeout=3)
        except Failure:
            if game.proc.poll() is not None:
                raise
    game.fail("%d presses of %s and no %r" % (tries, key, line))


def roaming_screenshot(game, close_notices=False):
    """The roaming frame through F4. With `close_notices`, every notice that
    takes the key instead is closed with Space; otherwise one is a failure."""
    for _ in range(10):
        bitmap, notice = game.screenshot()
        if not notice:
            return bitmap
        if not close_notices:
            game.fail("a notice is up instead of the roaming screen")
        game.key("space")
    game.fail("notices kept coming")


def smoke(build, root):
    data_tree(build, root)
    write(root, "data/map.qor", map_text(FLOOR0))
    write(root, "data/map1.qor", map_text(FLOOR1))
    write(root, "data/npcs.qor", npc_record("Stapler Gremlin", 12, 2, 1, 1, "Grr!", 4))
    write(root, "data/npcs1.qor", "")
    write(root, "data/quests.qor", quest_record(3, 6, 0, "Fetch the stapler", 1))
    write(root, "data/shopdata.qor",
          blade_record("Blade of Doom", 1000, 20) + blade_record("Rusty blade", 200, 3))
    with XServer() as x, Game(os.path.join(build, "tessary"), root,
                              environment(DISPLAY=x.display, SDL_VIDEODRIVER="x11",
                                          SDL_AUDIODRIVER="dummy")) as game:
        game.step = "banner, loading and the title screen"
        game.expect(BANNER, next=True)
        game.expect("Fonts loaded. OK")
        game.find_window()
        press_until(game, "space", "Welcome to the game...")  # the window may not have the keys yet

        game.step = "F4 while roaming"
        bitmap = roaming_screenshot(game)
        hp, mp = pixel(bitmap, 25, 20), pixel(bitmap, 200, 20)
        if bitmap[18:26] != (640).to_bytes(4, "little") + (480).to_bytes(4, "little") \
                or abs(hp[0] - 100) > 10 or hp[1:] != (0, 0) or mp != (0, mp[1], 0):
            game.fail("screenshot.bmp is not the frame with the full bars (%s, %s)" % (hp, mp))

        game.step = "walk to the quest giver and talk"
        walk(game, "Up", (25, 4))
        walk(game, "Left", (3, 4))
        walk(game, "Up", (3, 3))
        game.expect("NPC found relative to player: (-1,-1)", next=True)
        game.expect("Returned Fetch the stapler")
        game.key("space")

        game.step = "the errand"
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
        for at, line in ((0, "Bought blade, mod of 20"), (1, "Bought blade, mod of 3")):
            if at:
                game.key("Down")
                game.expect("I think you're at pos 1", next=True)
            game.key("Return", "space")  # buys, and closes "Purchased!"
            game.expect(line, next=True)
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
    data_tree(build, root)
    for name in ("npcs.qor", "quests.qor", "shopdata.qor"):
        write(root, "data/" + name, "")
    with Game(os.path.join(build, "tessary"), root, environment(**DUMMY)) as game:
        game.step = "start without data/map.qor"
        status = game.wait_exit()
        lines = game.lines()
        if not lines or not BANNER.match(lines[0]) or lines[1:] != STARTUP:
            game.fail("the start-up lines are not the banner and %r" % STARTUP)
        if status != 1 or game.stderr() != "Map data/map.qor not found..\n":
            game.fail("no status 1 with \"Map data/map.qor not found..\"")


def main():
    repo = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(repo, "build"))
    parser.add_argument("--keep", action="store_true", help="keep the working folders in /tmp")
    args = parser.parse_args()
    build = os.path.abspath(args.build)  # the game runs in folders of its own
    if not os.access(os.path.join(build, "tessary"), os.X_OK):
        print("FAIL: no game at %s/tessary: build it first" % build)
        return 1
    failed = 0
    for check in (smoke, missing_file):
        root = tempfile.mkdtemp(prefix="tessary-e2e-")
        begun = time.monotonic()
        try:
            check(build, root)
            print("PASS %s (%.1f s)" % (check.__name__, time.monotonic() - begun), flush=True)
        except Failure as failure:
            failed += 1
            print("FAIL %s: %s" % (check.__name__, failure), flush=True)
        except Exception:  # a fault of the run itself still names the check
            failed += 1
            print("FAIL %s:\n%s" % (check.__name__, traceback.format_exc()), flush=True)
        finally:
            if not args.keep:
                shutil.rmtree(root, ignore_errors=True)
    print("end-to-end: %d of 3 checks failed" % failed)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
