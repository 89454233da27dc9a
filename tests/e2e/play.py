"""Playing the game from outside: where the hero stands, walking with held
arrow keys, single steps, screenshots, and the checks of a normal end."""

import os
import re
import time

import bmp
import driver

POSITION = re.compile(r"^You = \((-?\d+),(-?\d+)\)$")
FOUND = re.compile(r"^NPC found relative to player: \((-?\d+),(-?\d+)\)$")
QUEST_LINE = re.compile(r"^Returned (.*)$")

QUEST_GIVER = (2, 2)
SHOPKEEPER = (5, 2)
START = (25, 19)

PERFORMANCE = [
    re.compile(r"^QorProfiler 2\.0$"),
    re.compile(r"^====$"),
    re.compile(r"^Did (\d+) frames in (\d+\.\d{6}) seconds$"),
    re.compile(r"^Had (\d+) NPC's at 640x480 resolution$"),
    re.compile(r"^Avg\. FPS: (-?(\d+\.\d{6}|inf|nan))$"),
]


def atoi(text):
    """A number read the way the game reads its files: leading blanks, a
    sign, digits up to the first other character; none reads as 0."""
    match = re.match(r"\s*([+-]?\d+)", text)
    return int(match.group(1)) if match else 0


class Floor:
    """What the scenario knows of the floor the hero is on: who stands where,
    in the order of the NPC list (quest giver, shopkeeper, then the file)."""

    def __init__(self, people=()):
        self.people = [QUEST_GIVER, SHOPKEEPER] + list(people)

    def around(self, x, y):
        return [(px - x, py - y) for (px, py) in self.people
                if abs(px - x) <= 1 and abs(py - y) <= 1]


def where(game, floor):
    """Presses Return and reads the hero's position from the game's answer.
    Anyone standing next to him talks: each conversation is checked against
    what the floor says and closed with a key. Returns ((x, y), the lines the
    quest giver said)."""
    game.key("Return")
    match = game.expect(POSITION)
    x, y = int(match.group(1)), int(match.group(2))
    said = []
    for offset in floor.around(x, y):
        if (x + offset[0], y + offset[1]) == SHOPKEEPER:
            game.fail("the hero stands next to the shopkeeper at (%d,%d)" % (x, y))
        found = game.expect(FOUND)
        if (int(found.group(1)), int(found.group(2))) != offset:
            game.fail("%r, but the NPC next to the hero stands at %s" % (found.string, offset))
        if (x + offset[0], y + offset[1]) == QUEST_GIVER:
            said.append(game.expect(QUEST_LINE).group(1))
        game.key("space")
    return (x, y), said


def walk(game, key, target, floor, timeout=driver.DEFAULT_TIMEOUT):
    """Holds an arrow key until the hero reaches `target`, asking for his
    position as he goes; the maps stop him there with a wall or someone in
    the way, so holding on a moment longer cannot carry him further. Returns
    what the quest giver said at the last question."""
    deadline = time.monotonic() + timeout * game.patience
    with game.held(key):
        while True:
            position, said = where(game, floor)
            if position == target:
                return said
            if time.monotonic() > deadline:
                game.fail("holding %s, the hero got to %s, not to %s" % (key, position, target))


def step(game, key, expected, floor, tries=5):
    """One step: the arrow held for a moment, then the position checked (a
    press too short for any pass of the game to see is tried again)."""
    before, _ = where(game, floor)
    for _ in range(tries):
        game.tap(key)
        position, said = where(game, floor)
        if position == expected:
            return said
        if position != before:
            game.fail("a step %s from %s went to %s, not %s" % (key, before, position, expected))
    game.fail("the hero did not step %s from %s" % (key, before))


def screenshot(game, workdir, key="F4", after=None):
    """Presses F4 and waits for the game to write screenshot.bmp; returns the
    picture. `after` is a line to wait for instead of the file alone (the
    waiting screens announce "Screenshot")."""
    path = os.path.join(workdir, "screenshot.bmp")
    if os.path.exists(path):
        os.remove(path)
    game.key(key)
    if after:
        game.expect(after)
    deadline = time.monotonic() + driver.DEFAULT_TIMEOUT * game.patience
    while True:
        try:
            with open(path, "rb") as f:
                return bmp.Bitmap(f.read())
        except (OSError, bmp.BmpError):
            pass  # not written yet, or still being written
        if time.monotonic() > deadline:
            game.fail("no complete screenshot.bmp was written")
        time.sleep(0.05)


def near(colour, wanted, tolerance=10):
    """Colours compared as a 16-bit screen keeps them (5 or 6 bits a channel)."""
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


def expect_area(game, picture, x0, y0, x1, y1, wanted, what):
    """Every pixel of the rectangle (x0, y0)-(x1, y1), inclusive, in `wanted`."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            colour = picture.pixel(x, y)
            if not near(colour, wanted):
                game.fail("%s: pixel (%d,%d) is %s, expected about %s" % (what, x, y, colour, wanted))


def expect_normal_end(game, workdir, npc_count):
    """A normal end: status 0, "Goodbye..." as the last line, and the profile
    in its five lines with the NPC count of the last floor."""
    game.expect_exit(0)
    lines = game.lines()
    if not lines or lines[-1] != "Goodbye...":
        game.fail("the last line is %r, not \"Goodbye...\"" % (lines[-1] if lines else None))
    path = os.path.join(workdir, "performance.txt")
    if not os.path.exists(path):
        game.fail("no performance.txt")
    with open(path, encoding="latin-1") as f:
        text = f.read()
    report = text.split("\n")
    if len(report) != 6 or report[-1] != "":
        game.fail("performance.txt is not five lines:\n" + text)
    for line, pattern in zip(report, PERFORMANCE):
        if not pattern.match(line):
            game.fail("performance.txt line %r does not match /%s/" % (line, pattern.pattern))
    frames = int(PERFORMANCE[2].match(report[2]).group(1))
    if frames < 1:
        game.fail("performance.txt counts %d frames" % frames)
    npcs = int(PERFORMANCE[3].match(report[3]).group(1))
    if npcs != npc_count:
        game.fail("performance.txt counts %d NPCs, expected %d" % (npcs, npc_count))


def expect_direct_end(game, workdir, status=0):
    """An end through exit(): the status, and neither the profile nor the
    goodbye."""
    game.expect_exit(status)
    if "Goodbye..." in game.lines():
        game.fail("\"Goodbye...\" was printed")
    if os.path.exists(os.path.join(workdir, "performance.txt")):
        game.fail("performance.txt was written")


def stats(game):
    """Opens the developer console with the backquote key, reads the hero's
    statistics with "stats" and goes back to the game with "exit". Returns
    them by name: HP, MP, Strength, Agility, Weapon Modifier, Healing
    Potions, Gold, Keys, Floor (as the console writes the values)."""
    game.key("grave")
    game.expect(re.compile(r"matrix-admin: $"))
    game.type("stats\n")
    game.expect_next("Player:")
    game.expect_next("---")
    values = {}
    for _ in range(7):
        line = game.expect(re.compile(r".")).string
        for name, value in re.findall(r"([A-Z][A-Za-z ]*?): (\S+)", line):
            values[name] = value
    game.expect(re.compile(r"matrix-admin: $"))
    game.type("exit\n")
    game.expect_next("Exiting...")
    return values


def expect_stats(game, **wanted):
    """Checks some of the hero's statistics (names with _ for spaces)."""
    values = stats(game)
    for name, value in wanted.items():
        key = name.replace("_", " ")
        if values.get(key) != str(value):
            game.fail("the console's stats show %s: %s, expected %s" % (key, values.get(key), value))
    return values
