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
P = (RULES["START_X"], RULES["START_Y"])
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
# Each floor is drawn by hand in its top-left corner, the rest of the grid
# solid stone. The sage's study always holds Mr. Questy at (2,2) and Mr. Shoppy
# at (5,2), but its shape, its door and the rooms round it differ from floor to
# floor. The player arrives on a floor where he left the one below (the start
# is (25,19)), and the floor's stairs lie behind a one-cell gate its guard
# holds, then a door the second errand's key opens, then one cell of floor.
# Every errand's target lies beside a prop of its own shape (at most twelve
# stone or crate cells, free on all sides) that a player would call by the
# errand's name.

def stair_tunnel(f, gate, step, ground):
    """From the guard's gate, `step` on: the locked door, a cell of ground and
    the stairs. Returns the stairs' cell, the next floor's landing."""
    (x, y), (dx, dy) = gate, step
    f.put(x, y, ground)
    f.put(x + dx, y + dy, LOCKED)
    f.put(x + 2 * dx, y + 2 * dy, ground)
    f.put(x + 3 * dx, y + 3 * dy, STAIRS)
    return (x + 3 * dx, y + 3 * dy)


def guard(f, at, name, line, character, hp):
    f.npc(at[0], at[1], name, line, character, hp=hp, hostile=True)


def stone_square(f, x, y, ground):
    """A stone block on a square of `ground`, centred on (x, y): a statue, a
    bust, a sundial."""
    f.fill(x - 1, y - 1, x + 1, y + 1, ground)
    f.put(x, y, WALL)


def ring(f, x, y, inside):
    """A ring of stone round one cell of `inside`, centred on (x, y): a well,
    a planter, a fountain."""
    f.fill(x - 1, y - 1, x + 1, y + 1, WALL)
    f.put(x, y, inside)


# ---------------------------------------------------------------------------
# Floor 0: the Gatehouse Gardens. A flagstone path runs from the study door
# east, south, and east past the start to the gate in the garden wall, where
# the Moss Slime sits; low garden walls keep it between two walled gardens,
# each entered by a side path: the well and the sundial north of it, the tool
# crates south.

def gardens():
    f = Floor()
    f.fill(1, 1, 8, 6, '4')               # the study
    f.put(9, 4, '2')
    f.fill(10, 1, 36, 28, '0')            # the lawns
    f.fill(15, 1, 15, 17, WALL)           # the garden walls
    f.fill(15, 17, 36, 17, WALL)
    f.fill(15, 21, 36, 21, WALL)
    f.fill(10, 4, 13, 4, '4')             # the path: east from the study door,
    f.fill(13, 4, 13, 19, '4')            # south,
    f.fill(13, 19, 36, 19, '4')           # and east past the start to the gate
    f.fill(14, 12, 17, 12, '4')           # a side path to the well
    f.fill(29, 12, 29, 18, '4')           # one to the sundial
    f.fill(28, 20, 28, 22, '4')           # and one to the tool crates
    gate = (37, 19)
    stairs = stair_tunnel(f, gate, (1, 0), '4')
    ring(f, 19, 12, '4')                  # the well
    stone_square(f, 29, 10, '4')          # the sundial
    f.fill(27, 24, 29, 24, CRATE)         # the tool crates
    f.npc(24, 18, "Old Pell the Gardener", "Arrows walk, Return talks. Path W, N, W to Questy's door.", 3)
    f.npc(26, 20, "Sentry Oda", "The Gatehouse Gardens. Stairs: along the path E, the gate.", 1)
    f.npc(22, 20, "Herald Ambry", "At dawn the Red Hood took our tower and barred the stairs.", 1)
    f.npc(7, 5, "Porter Lim", "By Mr. Shoppy, Return: Up/Down pick, Return buys, Esc out.", 3)
    f.npc(11, 2, "Sentry Corin", "Esc shows your sheet, Space shuts it. Esc ON it quits!", 1)
    f.npc(34, 18, "Old Tamm", "Fights: z strikes, x drinks a potion, c casts, v mana.", 3)
    f.npc(34, 20, "Sentry Bel", "Esc in a fight ends the whole game. Never press it there!", 1)
    guard(f, gate, "Moss Slime", "Blorp. The gate is MINE. Blorp.", 4, 30)
    f.quest(17, 12, "Draw water at the well, E of the path")
    f.quest(28, 23, "Take the gate key from the crates, S", key=True)
    f.quest(29, 11, "Read the sundial on the east lawn")
    return f, stairs


# ---------------------------------------------------------------------------
# Floor 1: the Storerooms. A plank store hall under long shelves of crates,
# the study in its north-west corner, the stairs behind a gate in its south
# wall.

def storerooms():
    f = Floor()
    f.fill(1, 1, 6, 4, '4')               # the study
    f.put(3, 5, '2')
    f.fill(1, 6, 42, 23, '3')             # the store hall
    for y in (10, 14):                    # the long shelves of crates
        f.fill(10, y, 34, y, CRATE)
    f.fill(10, 18, 17, 18, CRATE)
    f.fill(24, 18, 34, 18, CRATE)
    f.fill(3, 6, 3, 23, '4')              # the flagstone way from the study door
    f.fill(3, 20, 40, 20, '4')            # east along the aisle to the landing
    gate = (5, 24)
    stairs = stair_tunnel(f, gate, (0, 1), '3')
    f.fill(14, 7, 17, 7, CRATE)           # the short row of crates
    f.fill(20, 22, 22, 22, WALL)          # the oven, open to the north
    f.fill(20, 21, 20, 21, WALL)
    f.fill(22, 21, 22, 21, WALL)
    f.put(21, 21, '4')
    f.fill(38, 7, 39, 8, CRATE)           # the flour stack
    f.npc(41, 19, "Porter Hob", "The Storerooms. Questy: aisle W, then N. Stairs: SW gate.", 3)
    f.npc(41, 21, "Herald Ambry", "The Hood hid its loot here, behind the dead it woke.", 1)
    f.npc(7, 7, "Sentry Corin", "On your sheet, Up/Down pick gear and Return wears it.", 1)
    f.npc(7, 22, "Old Tamm", "In a fight c opens your spells: 1-9 cast, Esc shuts it.", 3)
    guard(f, gate, "Rattlebones", "Clack clack. Nobody gets to the stairs.", 6, 60)
    f.quest(15, 8, "Count the short row of crates, E")
    f.quest(21, 21, "Fetch the key left in the oven, SE", key=True)
    f.quest(37, 8, "Take flour from the far crate stack, E")
    return f, stairs


# ---------------------------------------------------------------------------
# Floor 2: the Pillared Hall. A flagstone hall on stone pillars wraps round a
# plank-floored study; a plank aisle runs from the landing to the study door
# and on to the gate in the east wall.

def pillared_hall():
    f = Floor()
    f.fill(1, 1, 10, 3, '3')              # the study
    f.put(11, 2, '2')
    f.fill(12, 1, 40, 30, '4')            # the hall
    f.fill(1, 5, 11, 30, '4')
    f.fill(12, 2, 20, 2, '3')             # the aisle: from the study door,
    f.fill(20, 2, 20, 27, '3')            # south,
    f.fill(5, 27, 20, 27, '3')            # west to the landing,
    f.fill(21, 20, 40, 20, '3')           # and east to the gate
    gate = (41, 20)
    stairs = stair_tunnel(f, gate, (1, 0), '4')
    ring(f, 27, 8, '0')                   # the planter
    f.fill(30, 15, 32, 15, WALL)          # the altar
    stone_square(f, 9, 13, '3')           # the statue
    f.scatter(14, 5, 38, 29, 1, 1, 6, 6, WALL, '4')   # the pillars
    f.scatter(2, 7, 10, 29, 1, 1, 6, 6, WALL, '4')
    f.npc(6, 26, "Sentry Ilka", "The Pillared Hall. Questy: aisle E, N, W. Stairs: fork E.", 1)
    f.npc(4, 28, "Herald Ambry", "The Hood's priests raised a weeping ghost to hold the hall.", 1)
    guard(f, gate, "The Weeping Sheet", "Whooo... stay, and weep with me...", 9, 80)
    f.quest(27, 10, "Water the planter in the hall, E")
    f.quest(31, 16, "Take the key from the altar, SE", key=True)
    f.quest(9, 14, "Polish the statue south of the study")
    return f, stairs


# ---------------------------------------------------------------------------
# Floor 3: the Maze. Lanes of flagstones between blocks of stone, opening
# into three squares; the stairs lie behind a gate in its south wall.

def maze():
    f = Floor()
    f.fill(1, 1, 6, 5, '3')               # the study
    f.put(3, 6, '2')
    f.fill(8, 1, 46, 6, '4')
    f.fill(1, 7, 46, 31, '4')
    f.fill(7, 1, 7, 5, WALL)
    squares = [(15, 8), (20, 8), (15, 13), (20, 13), (35, 3), (40, 3), (35, 8), (40, 8),
               (25, 23), (30, 23), (25, 28), (30, 28)]
    blocks = [(bx, by) for bx in range(10, 41, 5) for by in range(3, 31, 5)
              if (bx, by) not in squares and not (bx <= 10 and by <= 8)]
    for bx, by in blocks:
        f.fill(bx, by, bx + 3, by + min(3, 30 - by), WALL)
        # Some blocks join the next one east or south into longer walls.
        turn = (bx // 5 + by // 5) % 3
        if turn == 0 and (bx + 5, by) in blocks:
            f.fill(bx + 4, by, bx + 4, by + min(3, 30 - by), WALL)
        if turn == 1 and (bx, by + 5) in blocks:
            f.fill(bx, by + 4, bx + 3, by + 4, WALL)
    gate = (2, 32)
    stairs = stair_tunnel(f, gate, (0, 1), '4')
    f.fill(19, 11, 19, 13, WALL)          # the standing stone
    f.put(39, 7, CRATE)                   # the lost crate
    ring(f, 29, 27, '0')                  # the dry well
    f.npc(45, 19, "Sentry Varn", "The Maze. Questy: lanes W to the NW corner. Stairs: SW.", 1)
    f.npc(45, 21, "Herald Ambry", "Brask, our own sentry, sold the maze to the Hood for gold.", 1)
    guard(f, gate, "Turncoat Sentry Brask", "The cult pays better. En garde!", 1, 100)
    f.quest(20, 12, "Chalk the standing stone, SE of here")
    f.quest(40, 7, "Take the key from the lost crate, E", key=True)
    f.quest(29, 29, "Look into the dry well, far SE")
    return f, stairs


# ---------------------------------------------------------------------------
# Floor 4: the Long Gallery. One plank gallery winds up from the landing in
# the south-west, east, north, west and north again to the study; the busts
# and benches stand in its top length, the stairs behind a gate at its east
# end.

def long_gallery():
    f = Floor()
    f.fill(1, 1, 7, 4, '4')               # the study
    f.put(8, 3, '2')
    f.fill(1, 31, 34, 36, '3')            # the gallery's five lengths
    f.fill(30, 19, 34, 30, '3')
    f.fill(9, 19, 34, 23, '3')
    f.fill(9, 6, 13, 18, '3')
    f.fill(9, 1, 34, 5, '3')
    f.fill(2, 33, 32, 33, '4')            # a flagstone runner along each length
    f.fill(32, 21, 32, 33, '4')
    f.fill(11, 21, 32, 21, '4')
    f.fill(11, 3, 11, 21, '4')
    f.fill(9, 3, 14, 3, '4')
    for x in range(4, 34, 6):             # paintings in crates along the walls
        f.put(x, 36, CRATE)
    for x in range(12, 30, 6):
        f.put(x, 23, CRATE)
    gate = (35, 3)
    stairs = stair_tunnel(f, gate, (1, 0), '3')
    stone_square(f, 18, 3, '4')           # the bust
    f.fill(25, 2, 27, 2, WALL)            # the bench
    f.fill(25, 3, 27, 3, '4')
    f.fill(10, 12, 10, 13, CRATE)         # the crates of frames
    f.npc(3, 32, "Sentry Lusk", "The Long Gallery. At its top: Questy W, the stairs E.", 1)
    f.npc(3, 35, "Herald Ambry", "The Acolytes burn our paintings to feed the Hood's beacon.", 1)
    guard(f, gate, "Cinder Acolyte", "The Red Hood sees you. Burn!", 7, 120)
    f.quest(18, 4, "Dust the bust in the gallery, E")
    f.quest(11, 13, "Mend the crates of frames, S of here", key=True)
    f.quest(26, 3, "Sit on the bench at the gallery's end")
    return f, stairs


# ---------------------------------------------------------------------------
# Floor 5: the Roof. Turf under the sky round a plank hut, a flagstone walk
# from the landing to the hut's door, chimneys; the Hierarch of the Red Hood
# holds the gate to the beacon stair, where the freed tell how it ends.

def roof():
    f = Floor()
    f.fill(1, 1, 6, 3, '3')               # the study, a hut on the roof
    f.put(3, 4, '2')
    f.fill(8, 1, 44, 4, '0')
    f.fill(1, 5, 44, 30, '0')
    f.fill(7, 1, 7, 4, WALL)
    f.fill(3, 5, 3, 6, '4')               # the walk: from the hut door,
    f.fill(3, 6, 38, 6, '4')              # east,
    f.fill(38, 3, 38, 6, '4')             # and north to the landing
    f.fill(22, 7, 22, 30, '4')            # the walk south to the beacon gate
    f.fill(3, 7, 3, 12, '4')              # side walks to the sundial,
    f.fill(14, 7, 14, 20, '4')            # the woodpile
    f.fill(15, 20, 16, 20, '4')
    f.fill(30, 7, 30, 19, '4')            # and the great chimney stack
    for x, y in [(10, 12), (34, 11), (12, 24), (36, 22), (40, 16)]:   # chimneys
        f.fill(x, y, x + 1, y + 1, WALL)
    stone_square(f, 5, 11, '4')           # the sundial
    f.fill(27, 18, 28, 19, WALL)          # the great chimney stack
    f.fill(16, 17, 16, 19, CRATE)         # the woodpile, a cross of crates
    f.fill(15, 18, 17, 18, CRATE)
    # Behind the Hierarch: the beacon landing, where the freed wait.
    f.fill(19, 32, 25, 34, '4')
    gate = (22, 31)
    f.put(*gate, '4')
    stairs = stair_tunnel(f, (22, 34), (0, 1), '4')
    f.npc(40, 3, "Roof Gardener Sefa", "The Roof. Questy: walk W to the hut. The beacon gate: S.", 3)
    f.npc(36, 3, "Herald Ambry", "The Hierarch means to light the beacon and call the Hood.", 1)
    f.npc(20, 33, "Freed Captive Tamsin", "The Hierarch is beaten! The Red Hood flees the tower.", 3)
    f.npc(24, 33, "Lookout Brann", "Climb the beacon stair and light it: Tessary is free!", 1)
    guard(f, gate, "Hierarch Vossk of the Red Hood",
          "I am the Red Hood. The beacon burns for ME.", 5, 180)
    f.quest(5, 12, "Read the sundial south of the hut")
    f.quest(29, 19, "Sweep the great chimney stack, SE", key=True)
    f.quest(16, 20, "Fetch wood from the woodpile, SE")
    return f, stairs


def floors():
    """The six floors in order; each one's stairs land the player on free
    ground of the next."""
    built = []
    landing = P
    for make in (gardens, storerooms, pillared_hall, maze, long_gallery, roof):
        f, stairs = make()
        assert f.cells[landing[1]][landing[0]] not in (WALL, CRATE, STAIRS, LOCKED), make
        built.append(f)
        landing = stairs
    return built


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
    for number, floor in enumerate(floors()):
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
