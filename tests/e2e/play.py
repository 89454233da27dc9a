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


def back_in_roaming(game, tries=10):
    """Waits until roaming reads the keyboard again after a waiting screen
    was closed. Keys that reach a waiting screen while it empties its queue
    after the key that closed it are lost, F4 aside: that one it still
    answers with "Screenshot". In roaming F4 saves the frame without a word;
    so F4 is pressed until a screenshot comes with no word."""
    for _ in range(tries):
        start = len(game.lines())
        screenshot(game)
        if "Screenshot" not in game.lines()[start:]:
            return
    game.fail("no roaming frame after %d tries" % tries)


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
    if said or floor.around(x, y):
        back_in_roaming(game)
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


def screenshot(game, after=None, tries=5):
    """Presses F4 and waits for the game to write screenshot.bmp; returns the
    picture. `after` is the line the waiting screens say first ("Screenshot").
    F4 is pressed again when nothing comes: a screen that was just left may
    have taken it along with the key that closed it."""
    path = os.path.join(game.workdir, "screenshot.bmp")
    for _ in range(tries):
        if os.path.exists(path):
            os.remove(path)
        game.key("F4")
        deadline = time.monotonic() + 3 * game.patience
        try:
            if after:
                game.expect(after, timeout=3)
            while time.monotonic() < deadline:
                try:
                    with open(path, "rb") as f:
                        return bmp.Bitmap(f.read())
                except (OSError, bmp.BmpError):
                    time.sleep(0.05)  # not written yet, or still being written
        except driver.Failure:
            if not game.running():
                raise
    game.fail("%d presses of F4 and no complete screenshot.bmp" % tries)


def press_until(game, key, line, tries=5):
    """Presses a key until the game answers with `line`: for a screen that
    comes up silently after a waiting screen, whose end may swallow the
    first press."""
    for _ in range(tries):
        game.key(key)
        try:
            return game.expect(line, timeout=3)
        except driver.Failure:
            if not game.running():
                raise
    game.fail("%d presses of %s and no %r" % (tries, key, line))


def open_shop(game):
    """Closes the shopkeeper's greeting and waits for his shop, which says
    nothing until a key moves its highlight; then Up brings the highlight
    back to the first good. The shop must hold two goods or more."""
    game.key("space")
    press_until(game, "Down", "I think you're at pos 1")
    game.key("Up")
    game.expect_next("I think you are at position 0 on screen")


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


def expect_normal_end(game, npc_count):
    """A normal end: status 0, "Goodbye..." as the last line, and the profile
    in its five lines with the NPC count of the last floor."""
    game.expect_exit(0)
    lines = game.lines()
    if not lines or lines[-1] != "Goodbye...":
        game.fail("the last line is %r, not \"Goodbye...\"" % (lines[-1] if lines else None))
    path = os.path.join(game.workdir, "performance.txt")
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


def expect_direct_end(game, status=0):
    """An end through exit(): the status, and neither the profile nor the
    goodbye."""
    game.expect_exit(status)
    if "Goodbye..." in game.lines():
        game.fail("\"Goodbye...\" was printed")
    if os.path.exists(os.path.join(game.workdir, "performance.txt")):
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
