#!/usr/bin/env python3
"""Writes the campaign of Tessary Tower into data/: six floors (map, NPCs),
the quests and the shop's goods.

The committed .qor files are what the game reads; this script is how they were
made, so a floor can be reworked by editing its function here and running

    python3 tools/campaign/make_campaign.py [data folder]

then checking the result with tessary-check (and --render to look at it).

Cell codes, as the art draws them: '0' grass, '1' stone wall, '2' open door,
'3' plank floor, '4' flagstones, '5' crate, '6' stairs, '7' locked door.
Every floor keeps (2,2) and (5,2) free for the quest giver and the shopkeeper,
in the sage's study at its top left corner.
"""
import os
import random
import re
import sys

SIZE = 100


def game_rules():
    """The game's rule numbers, read from src/rules.h where they are named."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "rules.h")
    with open(path) as f:
        return {name: value.strip("'") if value.startswith("'") else int(value) for name, value
                in re.findall(r"const (?:int|char) (\w+) = ('.'|-?\d+);", f.read())}


RULES = game_rules()
WALL, CRATE = RULES["CELL_WALL"], RULES["CELL_OBSTACLE"]
STAIRS, LOCKED = RULES["CELL_STAIRS"], RULES["CELL_LOCKED_DOOR"]
RESERVED = (RULES["CHARACTER_PLAYER"], RULES["CHARACTER_QUEST_GIVER"],
            RULES["CHARACTER_SHOPKEEPER"])


class Floor:
    def __init__(self, fill=WALL):
        self.cells = [[fill] * SIZE for _ in range(SIZE)]
        self.npcs = []
        self.quests = []

    def fill(self, x0, y0, x1, y1, code):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.cells[y][x] = code

    def put(self, x, y, code):
        self.cells[y][x] = code

    def npc(self, x, y, name, line, character, hp=20, hostile=False, mp=0):
        assert len(name) <= 59 and len(line) <= 59, name
        assert character not in RESERVED, name
        self.npcs.append((hp, hp, mp, mp, 1 if hostile else 0, name, line, x, y, character))

    def quest(self, x, y, text, key=False):
        assert len(text) <= 39, text
        assert self.cells[y][x] not in (WALL, CRATE), text
        self.quests.append((x, y, text, 1 if key else 0))

    def scatter(self, x0, y0, x1, y1, w, h, sx, sy, code, base):
        """Blocks of w x h every sx columns and sy rows, each kept only where
        it stands on `base` with two cells of it all round, so aisles never
        narrow into pockets."""
        for y in range(y0, y1 + 1, sy):
            for x in range(x0, x1 + 1, sx):
                if all(self.cells[yy][xx] == base
                       for yy in range(y - 2, y + h + 2) for xx in range(x - 2, x + w + 2)
                       if 0 <= xx < SIZE and 0 <= yy < SIZE):
                    self.fill(x, y, x + w - 1, y + h - 1, code)


# ---------------------------------------------------------------------------
# Every floor has the same heart in its top-left corner: the sage's study with
# Mr. Questy at (2,2) and Mr. Shoppy at (5,2), the east room north of the
# landing hall, and the south hall below, where the errands are. Two cells
# take turns as landing and stairs, so that every landing is a short walk from
# the study:
#   P (25,19), in the south hall: the start, and the landing of floors 2 and 4;
#   Q (22,4), in the east room: the landing of floors 1, 3 and 5.
# The stairs stand in the other one, walled in, and are reached only from the
# far side of the floor through a one-cell passage held by a guard, with a
# locked door behind him that the second errand's key opens.
# Everything east of x 32 and south of y 26 is the floor's own country.

P = (RULES["START_X"], RULES["START_Y"])
Q = (22, 4)


def heart(f, landing_at_p):
    f.fill(1, 1, 12, 7, '4')            # the study
    f.fill(14, 1, 29, 7, '3')           # the east room
    f.fill(1, 9, 29, 23, '3')           # the south hall
    f.put(6, 8, '2')
    if landing_at_p:
        # The stairs in the east room; the way out is the south door.
        f.put(22, 4, STAIRS)
        f.fill(15, 24, 15, 26, '3')
        f.put(15, 24, '2')
        f.put(30, 4, LOCKED)
        f.fill(31, 4, 32, 4, '3')
        return (31, 4)
    # The stairs in a walled stairwell in the south hall; out through the east room.
    f.put(13, 4, '2')
    f.fill(22, 16, 29, 16, WALL)
    f.fill(22, 16, 22, 23, WALL)
    f.put(*P, STAIRS)
    f.put(30, 19, LOCKED)
    f.fill(31, 19, 32, 19, '3')
    f.fill(30, 3, 32, 3, '3')
    f.put(30, 3, '2')
    return (31, 19)


def guard(f, at, name, line, character, hp):
    f.npc(at[0], at[1], name, line, character, hp=hp, hostile=True)


# ---------------------------------------------------------------------------
# Floor 0: the Gatehouse Gardens. Lawns inside the tower's curtain wall, a
# ring of standing stones, a gravel path, and the garden wall that makes the
# walk go round by the south lawn.

def gardens():
    f = Floor()
    post = heart(f, True)
    f.fill(33, 1, 98, 98, '0')
    f.fill(1, 27, 32, 98, '0')
    f.fill(33, 27, 34, 74, WALL)          # the garden wall
    f.fill(16, 27, 16, 90, '4')          # the flagstone path south
    f.fill(16, 90, 90, 90, '4')          # and east along the south lawn
    f.fill(90, 8, 90, 90, '4')           # and north to the gatehouse
    f.fill(36, 8, 90, 8, '4')
    for x, y in [(52, 40), (60, 36), (68, 40), (70, 48), (68, 56), (60, 60), (52, 56),
                 (50, 48)]:              # the ring of standing stones
        f.fill(x, y, x + 1, y + 1, WALL)
    f.scatter(4, 32, 30, 86, 2, 2, 6, 6, CRATE, '0')     # the gardener's crates
    f.scatter(38, 66, 86, 86, 3, 1, 7, 5, CRATE, '0')
    # The heart: a planter, the well and the tool crates.
    f.fill(2, 19, 4, 21, '0')
    f.fill(9, 14, 10, 15, WALL)
    f.fill(17, 20, 19, 21, CRATE)
    f.npc(24, 18, "Old Pell the Gardener", "Arrows walk, Return talks, Esc: sheet. Go see Questy NW!",
          3)
    f.npc(26, 18, "Sentry Oda", "Gatehouse Gardens. Questy: NW. Stairs: out S, round lawn.",
          1)
    guard(f, post, "Moss Slime", "Blorp. The east door is MINE. Blorp.", 4, 40)
    f.quest(3, 20, "Pick herbs in the planter, SW of hall")
    f.quest(11, 15, "Draw water at the well south of me", key=True)
    f.quest(18, 19, "Count the tool crates in the south hall")
    return f


# ---------------------------------------------------------------------------
# Floor 1: the Storerooms. Plank floors stacked with crates in long rows, and
# a partition wall: go east past it, then back west to the stairwell.

def storerooms():
    f = Floor()
    post = heart(f, False)
    f.fill(33, 1, 98, 98, '3')
    f.fill(1, 27, 32, 98, '3')
    f.fill(33, 10, 84, 12, WALL)          # the partition
    for y in range(15, 97, 4):           # long rows of stacked crates
        f.fill(36, y, 95, y, CRATE)
        for x in range(44 + (y % 8), 92, 14):
            f.fill(x, y, x + 2, y, '3')
    f.scatter(36, 1, 96, 8, 3, 1, 6, 4, CRATE, '3')
    f.scatter(4, 30, 30, 96, 2, 4, 6, 7, CRATE, '3')
    f.fill(2, 10, 4, 12, CRATE)            # the flour sacks' crate
    f.fill(12, 19, 12, 21, WALL)          # the cold wall
    f.npc(23, 3, "Mop-Maid Hanne", "The Storerooms. Questy: W door. Stairs: go E, then back W.",
          5)
    guard(f, post, "Rattlebones", "Clack clack. Nobody gets to the stairs.", 6, 90)
    f.quest(5, 11, "Fetch flour by the crate, NW of hall")
    f.quest(13, 20, "Check the cold wall in the south hall", key=True)
    f.quest(20, 12, "Sweep the hall, east of the study door")
    return f


# ---------------------------------------------------------------------------
# Floor 2: the Pillared Hall. One vast flagstone hall on stone pillars, with
# a plank aisle down its middle and a wall that sends the walk round by the
# south.

def pillared_hall():
    f = Floor()
    post = heart(f, True)
    f.fill(33, 1, 98, 98, '4')
    f.fill(1, 27, 32, 98, '4')
    f.fill(33, 27, 34, 80, WALL)
    f.scatter(37, 2, 97, 97, 2, 2, 6, 6, WALL, '4')
    f.scatter(3, 30, 30, 97, 2, 2, 6, 6, WALL, '4')
    f.fill(64, 1, 65, 98, '3')           # the aisle
    f.fill(3, 9, 11, 9, '4')             # the mosaic by the study door
    f.fill(24, 9, 28, 11, '4')           # the dais
    f.fill(14, 12, 15, 13, WALL)          # a pillar in the hall
    f.npc(26, 18, "Sentry Ilka", "The Pillared Hall. Questy: NW. Stairs: out S, round hall.",
          1)
    guard(f, post, "The Weeping Sheet", "Whooo... stay, and weep with me...", 9, 150)
    f.quest(8, 10, "Polish the mosaic south of my door")
    f.quest(26, 10, "Dust the dais at the east end", key=True)
    f.quest(16, 12, "Mend the pillar south-east of me")
    return f


# ---------------------------------------------------------------------------
# Floor 3: the Maze. Stone walls in a maze without dead ends; a wall across
# its north keeps the stairwell's door at the far end of the walk.

def maze():
    f = Floor()
    post = heart(f, False)
    # Maze cells at odd coordinates from (33,1) to (97,97); walls between.
    cells = {}
    for j in range(49):
        for i in range(33):
            x, y = 33 + 2 * i, 1 + 2 * j
            if y in (9, 11, 13) and x < 85:
                continue                 # the north wall
            cells[(i, j)] = True
    opened = set()
    rng = random.Random(7)
    stack, seen = [(0, 1)], {(0, 1)}
    while stack:
        c = stack[-1]
        nexts = [(c[0] + dx, c[1] + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
        nexts = [n for n in nexts if n in cells and n not in seen]
        if not nexts:
            stack.pop()
            continue
        n = rng.choice(nexts)
        opened.add((c, n))
        seen.add(n)
        stack.append(n)
    # Braid: every cell with one way out gets a second.
    def ways(c):
        return [d for d in cells if (c, d) in opened or (d, c) in opened]
    for c in sorted(cells):
        if c in seen and len(ways(c)) == 1:
            around = [(c[0] + dx, c[1] + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
            around = [d for d in around if d in seen and (c, d) not in opened
                      and (d, c) not in opened]
            if around:
                opened.add((c, rng.choice(around)))
    for (i, j) in seen:
        f.put(33 + 2 * i, 1 + 2 * j, '4')
    for a, b in opened:
        f.put(33 + a[0] + b[0], 1 + a[1] + b[1], '4')
    f.fill(31, 19, 33, 19, '3')
    f.fill(31, 3, 33, 3, '3')
    f.fill(3, 10, 5, 12, '0')            # the moss bed
    f.fill(14, 18, 15, 19, WALL)          # the lost child's statue
    f.fill(18, 10, 19, 11, CRATE)          # the chalk crate
    f.npc(23, 3, "Sentry Varn", "The Maze. Questy: W door. Stairs: E into the maze, then W.", 1)
    guard(f, post, "Turncoat Sentry Brask", "The cult pays better. En garde!", 1, 230)
    f.quest(4, 13, "Scrape moss off the bed, S of study", key=True)
    f.quest(15, 20, "Wash the statue in the south hall")
    f.quest(20, 12, "Fetch chalk from the crate, SE of me")
    return f


# ---------------------------------------------------------------------------
# Floor 4: the Long Gallery. One winding plank gallery, five lengths of it,
# up from the south-east; the portraits are crates of paintings.

def long_gallery():
    f = Floor()
    post = heart(f, True)
    f.fill(1, 27, 32, 98, '3')
    f.fill(33, 1, 66, 98, '3')
    f.fill(33, 5, 34, 89, WALL)           # the gallery's west wall
    for k, y in enumerate(range(20, 100, 20)):
        f.fill(35, y, 66, y, WALL)
        if k % 2 == 0:
            f.fill(35, y, 38, y, '3')
        else:
            f.fill(63, y, 66, y, '3')
    f.fill(33, 1, 34, 4, '3')
    f.scatter(40, 3, 62, 97, 2, 1, 8, 6, CRATE, '3')
    f.scatter(4, 30, 30, 97, 3, 2, 8, 7, CRATE, '3')
    f.fill(2, 10, 3, 11, CRATE)            # the easel crate
    f.fill(10, 20, 11, 21, WALL)          # the plinth
    f.fill(20, 12, 21, 13, WALL)          # the bust
    f.npc(26, 18, "Duster Wenna", "The Long Gallery. Questy: NW. Stairs: out S, up the hall.", 5)
    guard(f, post, "Cinder Acolyte", "The Red Hood sees you. Burn!", 7, 330)
    f.quest(4, 10, "Fetch an easel by the west wall")
    f.quest(12, 20, "Dust the plinth in the south hall", key=True)
    f.quest(20, 11, "Turn the bust east of the study door")
    return f


# ---------------------------------------------------------------------------
# Floor 5: the Roof. Grass terraces under the open sky, flagstone walks and a
# parapet; the Hierarch of the Red Hood holds the beacon stair.

def roof():
    f = Floor()
    post = heart(f, False)
    f.fill(33, 1, 98, 98, '0')
    f.fill(1, 27, 32, 98, '0')
    f.fill(33, 10, 84, 12, WALL)          # the parapet between the terraces
    f.fill(40, 4, 96, 5, '4')            # the north walk
    f.fill(88, 6, 89, 94, '4')           # the east walk
    f.fill(36, 16, 89, 17, '4')          # the south walk back
    f.scatter(38, 22, 96, 96, 2, 2, 7, 7, WALL, '0')   # chimneys
    f.scatter(4, 30, 30, 96, 2, 2, 7, 7, WALL, '0')
    f.fill(2, 19, 4, 21, '0')            # the sundial lawn
    f.put(3, 20, WALL)                    # the sundial's stone
    f.fill(10, 10, 11, 11, CRATE)          # the signal crate
    f.fill(16, 14, 17, 15, WALL)          # the chimney stack
    f.npc(23, 3, "Roof Gardener Sefa", "The Roof. Questy: W door. Last stair: go E, then back W.",
          3)
    guard(f, post, "Hierarch Vossk of the Red Hood",
          "I am the Red Hood. The beacon burns for ME.", 7, 720)
    f.quest(4, 20, "Read the sundial in the SW lawn")
    f.quest(12, 10, "Light the signal crate, S of study", key=True)
    f.quest(18, 16, "Sweep the chimney stack in the hall")
    return f


FLOORS = [gardens, storerooms, pillared_hall, maze, long_gallery, roof]


# ---------------------------------------------------------------------------
# The shop, the same on every floor; each good is in stock once. Every good
# helps in a fight or opens a door; every potion heals or refreshes 15 points.
# Item icons, as our art draws them: 0 healing potion, 1 red scroll, 2 key,
# 3 short sword, 4 dagger, 5 long sword, 6 rune blade, 7 leather armour,
# 8 chain mail, 9 plate, 10 shield, 11 blue scroll, 12 green scroll,
# 13 mana potion.

def goods():
    def good(price, icon, name, weapon=0, armour=0, heal=0, spell=0, key=0, mana=0):
        assert len(name) <= 18, name
        spells = [1 if spell == k + 1 else 0 for k in range(7)]
        return [price, icon, weapon, name, heal, 1 if spell else 0] + spells + [key, mana, armour]
    return [
        good(400, 0, "Healing Potion", heal=1),
        good(500, 0, "Healing Draught", heal=1),
        good(600, 0, "Herbal Tonic", heal=1),
        good(600, 13, "Mana Potion", mana=1),
        good(800, 13, "Mana Draught", mana=1),
        good(2500, 2, "Brass Key", key=1),
        good(4000, 2, "Iron Key", key=1),
        good(3000, 4, "Dagger", weapon=3),
        good(14000, 3, "Short Sword", weapon=6),
        good(32000, 5, "Long Sword", weapon=10),
        good(62000, 6, "Rune Blade", weapon=15),
        good(5000, 7, "Leather Jerkin", armour=3),
        good(15000, 8, "Chain Mail", armour=6),
        good(34000, 9, "Plate Armour", armour=9),
        good(58000, 10, "Tower Shield", armour=12),
    ]


def write_floor(folder, number, floor):
    suffix = '' if number == 0 else str(number)
    with open(os.path.join(folder, 'map%s.qor' % suffix), 'w', newline='\n') as out:
        for row in floor.cells:
            out.write(''.join(row) + '\n')
    with open(os.path.join(folder, 'npcs%s.qor' % suffix), 'w', newline='\n') as out:
        for record in floor.npcs:
            for value in record:
                out.write('%s\n' % value)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', '..', 'data')
    quests = []
    for number, build in enumerate(FLOORS):
        floor = build()
        write_floor(folder, number, floor)
        for x, y, text, key in floor.quests:
            quests.append((x, y, number, text, key))
    with open(os.path.join(folder, 'quests.qor'), 'w', newline='\n') as out:
        for record in quests:
            for value in record:
                out.write('%s\n' % value)
    with open(os.path.join(folder, 'shopdata.qor'), 'w', newline='\n') as out:
        for record in goods():
            for value in record:
                out.write('%s\n' % value)


if __name__ == '__main__':
    main()
