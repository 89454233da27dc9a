"""The shipped campaign, as the build lays it out in data/: the game loads
every file of it without a complaint, and each of the six floors has stairs
that lead up, to the win past the last floor. The developer console brings
the hero next to each floor's stairs; a step onto them climbs."""

import os
import re

import driver
import play
from suite import Skip, scenario

BLOCKING = set(b"157")
STEPS = {"Right": (1, 0), "Left": (-1, 0), "Down": (0, 1), "Up": (0, -1)}


def floor_file(kind, number):
    return "data/%s%s.qor" % (kind, "" if number == 0 else number)


def read_map(path):
    """The cells of a map file as the loader reads a well-formed one."""
    with open(path, "rb") as f:
        rows = f.read().split(b"\n")
    return [row[:100] for row in rows[:100]]


def read_people(path):
    """The cells where the NPC file puts someone, and the two the game adds."""
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\n")
    people = {play.QUEST_GIVER, play.SHOPKEEPER}
    for start in range(0, len(lines) - 9, 10):
        x, y = (play.atoi(lines[start + 7]), play.atoi(lines[start + 8]))
        if (x, y) == (0, 0):
            break
        people.add((x, y))
    return people


def way_up(cells, people):
    """A free cell next to the floor's stairs and the arrow key that steps
    from it onto them: ((x, y), key)."""
    for y, row in enumerate(cells):
        for x, code in enumerate(row):
            if code != ord("6") or (x, y) in people:
                continue
            for key, (dx, dy) in STEPS.items():
                fx, fy = x - dx, y - dy
                if not (0 <= fx < 100 and 0 <= fy < 100 and fx < len(cells[fy])):
                    continue
                if cells[fy][fx] in BLOCKING or cells[fy][fx] == ord("6") or (fx, fy) in people:
                    continue
                return (fx, fy), key
    return None


def teleport(game, x, y):
    game.key("grave")
    game.expect(re.compile(r"matrix-admin: $"))
    game.type("tport\n%d\n%d\n" % (x, y))
    game.expect(re.compile(r"Teleported\. Type 'exit' to return to game$"))
    game.expect(re.compile(r"matrix-admin: $"))
    game.type("exit\n")
    game.expect_next("Exiting...")


@scenario("the shipped campaign: it loads cleanly, and every floor's stairs lead up to the win",
          x=True, screens=("src/world/console.cpp",))
def shipped_campaign(context):
    data = os.path.join(context.build, "data")
    if not os.path.exists(os.path.join(data, "gfx", "title.png")):
        raise Skip("the build has not drawn the game's pictures into %s" % data)
    folder = context.folder()
    os.symlink(data, os.path.join(folder, "data"))
    game = context.start(folder)
    if game.stderr():
        game.fail("loading the campaign wrote to standard error")
    for number in range(6):
        cells = read_map(os.path.join(folder, floor_file("map", number)))
        people = read_people(os.path.join(folder, floor_file("npcs", number)))
        found = way_up(cells, people)
        game.step("floor %d: find the stairs" % number)
        if not found:
            game.fail("%s has no stairs that can be stepped onto" % floor_file("map", number))
        (x, y), key = found
        game.step("floor %d: to (%d,%d), then %s onto the stairs" % (number, x, y, key))
        teleport(game, x, y)
        for _ in range(5):
            game.tap(key)
            if number == 5:
                try:
                    game.expect("You won", timeout=2)
                    break
                except driver.Failure:
                    if not game.running():
                        raise
                    continue
            floor = play.stats(game).get("Floor")
            if floor == str(number + 1):
                break
            if floor != str(number):
                game.fail("one step took the hero from floor %d to floor %s" % (number, floor))
        else:
            game.fail("the hero did not climb")
    play.expect_direct_end(game)
