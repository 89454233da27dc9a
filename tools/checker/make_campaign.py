#!/usr/bin/env python3
"""Writes the campaign of Tessary Tower into data/: six floors (map, NPCs),
the quests and the shop's goods.

The committed .qor files are what the game reads; this script is how they were
made, so a floor can be reworked by editing its function here and running

    python3 tools/checker/make_campaign.py [data folder]

then checking the result with tessary-check (and --render to look at it).

Cell codes: '0' grass, '1' wall, '2' open door, '3' floor, '4' carpet,
'5' obstacle (furniture, hedges, shelves), '6' stairs, '7' locked door.
Every floor keeps (2,2) and (5,2) free for the quest giver and the shopkeeper,
in the office at its top left corner.
"""
import os
import sys

SIZE = 100


class Floor:
    def __init__(self, fill='1'):
        self.cells = [[fill] * SIZE for _ in range(SIZE)]
        self.npcs = []
        self.quests = []

    def fill(self, x0, y0, x1, y1, code):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.cells[y][x] = code

    def put(self, x, y, code):
        self.cells[y][x] = code

    def frame(self, x0, y0, x1, y1, code):
        for x in range(x0, x1 + 1):
            self.cells[y0][x] = code
            self.cells[y1][x] = code
        for y in range(y0, y1 + 1):
            self.cells[y][x0] = code
            self.cells[y][x1] = code

    def grid(self, x0, y0, x1, y1, w, h, sx, sy, code='5'):
        """Blocks of w x h, every sx columns and sy rows (desks, shelves, beds)."""
        for y in range(y0, y1 + 1, sy):
            for x in range(x0, x1 + 1, sx):
                self.fill(x, y, min(x + w - 1, x1), min(y + h - 1, y1), code)

    def stamp(self, x0, y0, art, legend):
        """Draws a picture written as text; characters not in the legend are skipped."""
        for dy, row in enumerate(art):
            for dx, ch in enumerate(row):
                if ch in legend:
                    self.cells[y0 + dy][x0 + dx] = legend[ch]

    def office(self):
        """The quest giver's and the shopkeeper's office, the same on every floor."""
        self.fill(1, 1, 9, 6, '4')
        self.put(8, 1, '5')  # the shop's counter plant
        self.put(9, 1, '5')

    def npc(self, x, y, name, line, character, hp=20, hostile=False, mp=0):
        assert len(name) <= 59 and len(line) <= 59, name
        assert character not in (0, 2, 8), name
        self.npcs.append((hp, hp, mp, mp, 1 if hostile else 0, name, line, x, y, character))

    def quest(self, x, y, text, key=False):
        assert len(text) <= 39, text
        self.quests.append((x, y, text, 1 if key else 0))


# ---------------------------------------------------------------------------
# Floor 0: the lobby, and the garden around the tower.
# Stairs up at (55,57) and (56,57), in the stairwell behind the service door.

def ground_floor():
    f = Floor()
    # The garden: everything south and east of the building, inside the fence.
    f.fill(62, 1, 98, 98, '0')
    f.fill(1, 62, 61, 98, '0')
    # Gravel paths around the tower and to the gate.
    f.fill(62, 1, 64, 64, '3')
    f.fill(1, 62, 64, 64, '3')
    f.fill(80, 64, 82, 98, '3')
    f.fill(24, 64, 26, 80, '3')
    # Hedges, a maze of them in the south-west corner.
    f.frame(4, 68, 40, 96, '5')
    f.fill(22, 68, 28, 68, '0')   # its gate
    f.fill(24, 68, 26, 68, '3')
    f.grid(8, 69, 36, 80, 1, 9, 7, 20)
    f.grid(11, 85, 36, 95, 1, 8, 7, 20)
    f.fill(8, 82, 36, 82, '5')
    f.fill(18, 82, 20, 82, '0')
    # The fountain.
    f.stamp(44, 74, ["..555..",
                     ".55555.",
                     "5555555",
                     ".55555.",
                     "..555.."], {'5': '5'})
    # Flower beds and trees in the east garden.
    f.grid(70, 6, 96, 56, 2, 2, 8, 10)
    f.grid(88, 68, 96, 96, 1, 1, 4, 4)
    f.grid(66, 70, 76, 94, 3, 1, 5, 6)

    # Inside the tower.
    f.office()
    f.put(10, 4, '2')
    f.fill(11, 3, 58, 5, '3')          # north hall
    f.fill(24, 6, 26, 9, '3')          # down to the lobby
    f.fill(14, 10, 40, 28, '4')        # lobby
    for x, y in ((18, 14), (18, 23), (35, 14), (35, 23)):
        f.fill(x, y, x + 1, y + 1, '5')  # pillars
    f.fill(21, 12, 29, 12, '5')        # reception desk
    f.fill(42, 10, 58, 18, '3')        # security office
    f.put(41, 14, '2')
    f.grid(45, 12, 56, 16, 3, 1, 5, 4)
    f.fill(42, 21, 58, 28, '3')        # mailroom
    f.put(41, 25, '2')
    f.grid(44, 22, 57, 22, 2, 1, 3, 1)  # pigeonholes along the wall
    f.fill(49, 25, 51, 26, '5')        # the sorting table
    f.fill(14, 31, 36, 44, '4')        # cafe
    f.fill(24, 29, 26, 30, '2')        # double doors
    f.grid(16, 33, 34, 42, 2, 2, 5, 4)
    f.fill(24, 45, 26, 60, '3')        # corridor to the garden doors
    f.fill(24, 61, 26, 61, '2')        # glass doors
    f.fill(1, 8, 11, 58, '3')          # west wing: cloakroom and toilets
    f.put(10, 4, '2')
    f.fill(12, 8, 12, 58, '1')
    f.fill(1, 7, 9, 7, '1')
    f.put(5, 7, '2')
    f.grid(2, 12, 10, 56, 3, 2, 4, 6)
    f.put(12, 20, '2')
    f.fill(13, 20, 13, 20, '3')
    # The stairwell, entered only from the garden by the service door.
    f.fill(48, 50, 60, 60, '3')
    f.put(55, 57, '6')
    f.put(56, 57, '6')
    f.fill(49, 51, 51, 52, '5')        # mops and buckets
    f.put(54, 61, '7')
    f.put(54, 62, '3')

    # The people of the ground floor.
    f.npc(8, 5, "Doris, Receptionist", "Sign in, sign out, sign your soul away.", 5)
    f.npc(30, 20, "Lost Intern", "Is this the way to the coffee machine?", 3)
    f.npc(53, 14, "Guard Barnaby", "I guard this desk. Nobody has stolen it yet.", 7)
    f.npc(32, 36, "Barista Fern", "One oat latte, extra existential dread.", 6)
    f.npc(56, 27, "Postmaster Quill", "Every letter is junk mail if you try.", 9)
    f.npc(70, 62, "Window Cleaner Stan", "I see everything. Everything.", 1)
    f.npc(86, 60, "Gardener Ambrose", "The roses bite. Only the roses.", 9)
    f.npc(72, 80, "Goose of Ill Intent", "HONK. (It means what you fear it means.)", 4,
          hp=18, hostile=True)
    f.npc(90, 30, "Feral Lawnmower", "VRRRM! It has tasted freedom. And ankles.", 7,
          hp=26, hostile=True)
    f.npc(34, 90, "Hedge Maze Minotaur", "I am a tiny minotaur. Do not mock me.", 5,
          hp=38, hostile=True)

    f.quest(48, 79, "Throw a coin into the fountain.")
    f.quest(53, 23, "Fetch the spare key from the mailroom.", key=True)
    f.quest(94, 94, "Count the garden gnomes. All of them.")
    f.quest(20, 88, "Find the centre of the hedge maze.")
    return f


def upper_floor():
    """An upper floor's skeleton: the office and the north corridor."""
    f = Floor()
    f.office()
    f.put(5, 7, '2')
    return f


# ---------------------------------------------------------------------------
# Floor 1: Accounts and Sales, open-plan offices.
# Arrival at (55,57)/(56,57); stairs up at (90,90)/(91,90) behind the fire door.

def offices_floor():
    f = upper_floor()
    f.fill(1, 8, 97, 10, '3')          # north corridor
    f.fill(44, 11, 46, 97, '3')        # the long corridor south
    f.fill(1, 84, 97, 86, '3')         # south corridor
    f.fill(12, 12, 42, 40, '4')        # cubicle farm A
    f.fill(26, 11, 28, 11, '2')
    f.grid(14, 14, 40, 38, 2, 1, 4, 3)
    f.fill(48, 12, 70, 26, '4')        # the Synergy Room
    f.put(59, 11, '2')
    f.fill(52, 17, 66, 20, '5')
    f.fill(74, 12, 97, 26, '3')        # printer room
    f.put(85, 11, '2')
    f.grid(76, 14, 96, 14, 2, 1, 4, 1)
    f.grid(76, 20, 96, 20, 2, 1, 6, 1)
    f.fill(48, 30, 70, 46, '3')        # break room
    f.put(47, 38, '2')
    f.fill(50, 31, 60, 31, '5')        # kitchenette
    f.grid(52, 36, 68, 44, 2, 2, 5, 4)
    f.fill(74, 30, 97, 60, '4')        # the regional manager's corner office
    f.put(73, 45, '2')
    f.fill(72, 45, 72, 45, '3')
    f.fill(71, 44, 71, 46, '3')
    f.put(71, 45, '3')
    f.fill(82, 40, 90, 41, '5')        # the big desk
    f.fill(48, 50, 60, 60, '3')        # stairwell landing
    f.put(47, 55, '2')
    f.fill(12, 44, 42, 80, '4')        # cubicle farm B
    f.put(43, 62, '2')
    f.grid(14, 46, 40, 78, 2, 1, 4, 3)
    f.fill(48, 64, 80, 80, '3')        # sales floor
    f.put(47, 72, '2')
    f.grid(52, 66, 78, 78, 3, 1, 6, 4)
    f.fill(12, 88, 42, 97, '3')        # filing room
    f.put(27, 87, '2')
    f.grid(14, 90, 40, 96, 1, 5, 3, 7)
    f.fill(84, 88, 97, 97, '3')        # the fire stairs
    f.put(90, 87, '7')
    f.put(90, 90, '6')
    f.put(91, 90, '6')
    f.fill(2, 11, 8, 80, '3')          # west corridor by the windows
    f.put(5, 11, '3')
    f.fill(9, 30, 11, 30, '3')
    f.put(11, 30, '2')

    f.npc(30, 22, "Gus from Accounts", "I counted the beans twice. One is missing.", 3)
    f.npc(60, 45, "Dave from IT", "Have you tried turning yourself off and on?", 6)
    f.npc(86, 50, "Karen, Regional Manager", "I'd like to speak to the manager. Oh. It's me.", 5)
    f.npc(70, 68, "Sleepy Salesman", "Zzz... always be closing... zzz...", 1)
    f.npc(5, 60, "Motivational Poster", "HANG IN THERE. (A cat is losing its grip.)", 9)
    f.npc(94, 24, "Printer Jam Elemental", "PC LOAD LETTER. PC LOAD LETTER!", 7,
          hp=72, hostile=True)
    f.npc(67, 14, "Middle Manager Todd", "Let's circle back... to your FACE!", 4,
          hp=95, hostile=True)
    f.npc(16, 76, "Possessed Stapler", "Ka-CHUNK. Ka-CHUNK. Ka-CHUNK.", 3,
          hp=60, hostile=True)

    f.quest(88, 18, "Unjam the printer. Gently.")
    f.quest(40, 39, "Borrow a stapler from Accounts.")
    f.quest(95, 58, "Water the manager's plastic plant.", key=True)
    f.quest(60, 25, "Attend the meeting. Say nothing.")
    return f


# ---------------------------------------------------------------------------
# Floor 2: the library and the archives.
# Arrival at (90,90)/(91,90); stairs up at (10,90)/(11,90) behind the vault door.

def library_floor():
    f = upper_floor()
    f.fill(1, 8, 97, 10, '3')          # north corridor
    f.fill(94, 11, 97, 84, '3')        # east corridor
    f.fill(80, 86, 97, 97, '4')        # arrival hall
    f.fill(94, 85, 96, 85, '2')
    f.fill(12, 14, 90, 50, '4')        # the grand reading hall
    f.fill(50, 11, 52, 13, '2')
    f.fill(91, 30, 93, 30, '2')
    for x in range(16, 88, 6):         # bookshelves with reading lanes
        f.fill(x, 16, x + 1, 28, '5')
        f.fill(x, 36, x + 1, 48, '5')
    f.fill(1, 54, 93, 56, '3')         # the middle corridor
    f.fill(94, 54, 94, 56, '3')
    f.fill(30, 51, 32, 53, '2')
    f.fill(16, 62, 60, 97, '3')        # the stacks
    f.fill(36, 57, 38, 61, '3')
    f.put(37, 61, '2')
    for y in range(64, 96, 3):         # dense shelving, one gap per row
        f.fill(18, y, 58, y, '5')
        f.put(20 + (y * 7) % 37, y, '3')
        f.put(21 + (y * 7) % 37, y, '3')
    f.fill(2, 84, 14, 97, '3')         # the vault with the stairs
    f.put(15, 90, '7')
    f.put(10, 90, '6')
    f.put(11, 90, '6')
    f.fill(66, 62, 90, 80, '4')        # the restricted section (optional)
    f.put(78, 57, '3')
    f.put(78, 58, '3')
    f.put(78, 59, '3')
    f.put(78, 60, '3')
    f.put(78, 61, '7')
    f.grid(68, 64, 88, 78, 1, 3, 4, 5)
    f.fill(64, 84, 76, 97, '3')        # the map room
    f.fill(77, 90, 79, 90, '2')
    f.grid(66, 86, 74, 95, 2, 2, 4, 4)
    f.fill(2, 11, 8, 52, '3')          # reading nooks by the west windows
    f.fill(9, 30, 11, 30, '2')

    f.npc(88, 15, "Archivist Mildred", "Everything is filed. Especially you.", 5)
    f.npc(70, 70, "Ghost of a Memo", "Per my last message... I am dead.", 9)
    f.npc(40, 32, "Speed Reader", "Readallthebooks. Understoodnone.", 1)
    f.npc(5, 40, "Sleeping Scholar", "Five more chapters, mum...", 3)
    f.npc(70, 92, "Cartographer Lin", "Here be dragons. Also the toilets.", 6)
    f.npc(24, 44, "Overdue Librarian", "Shhh! Shhh forever!", 7, hp=150, hostile=True)
    f.npc(56, 90, "Paper Golem", "I am made of your unread emails.", 4,
          hp=175, hostile=True)
    f.npc(84, 20, "Bookworm (an actual worm)", "Om nom nom. Chapter three was dry.", 3,
          hp=120, hostile=True)

    f.quest(45, 32, "Return a book 40 years overdue.")
    f.quest(57, 96, "Find the Index of Indexes.", key=True)
    f.quest(86, 48, "Dust the atlas nobody opens.")
    f.quest(74, 96, "Fold the map back. Correctly.")
    return f


# ---------------------------------------------------------------------------
# Floor 3: research and development.
# Arrival at (10,90)/(11,90); stairs up at (90,10)/(91,10) behind two doors.

def lab_floor():
    f = upper_floor()
    f.fill(1, 8, 70, 10, '3')          # north corridor
    f.fill(2, 84, 20, 97, '3')         # arrival hall
    f.fill(10, 11, 12, 83, '3')        # west corridor
    f.fill(14, 14, 40, 38, '3')        # chemistry
    f.put(13, 26, '2')
    f.grid(16, 16, 38, 36, 6, 1, 8, 5)
    f.fill(14, 42, 40, 70, '3')        # biology
    f.put(13, 56, '2')
    f.grid(16, 44, 38, 50, 2, 2, 4, 6)
    f.fill(44, 14, 70, 40, '4')        # physics, with its accelerator ring
    f.fill(56, 11, 58, 13, '2')
    f.frame(50, 20, 64, 34, '5')
    f.fill(57, 34, 57, 34, '4')
    f.fill(44, 44, 70, 70, '3')        # the clean room
    f.fill(41, 56, 43, 56, '2')
    f.grid(48, 48, 66, 66, 2, 2, 6, 6)
    f.fill(13, 74, 76, 76, '3')        # south corridor
    f.put(13, 75, '2')
    f.fill(74, 34, 76, 97, '3')        # east corridor
    f.fill(78, 34, 97, 60, '3')        # the specimen hall
    f.put(77, 47, '7')
    f.grid(82, 38, 94, 56, 3, 3, 6, 6)
    f.fill(80, 2, 97, 32, '3')         # the containment room with the stairs
    f.put(88, 33, '7')
    f.fill(80, 12, 86, 12, '5')
    f.fill(92, 12, 97, 12, '5')
    f.put(90, 10, '6')
    f.put(91, 10, '6')
    f.fill(44, 80, 70, 97, '3')        # the break room
    f.fill(56, 77, 58, 79, '2')

    f.npc(30, 20, "Dr. Ada Boffin", "Science! Mostly explosions, but science!", 5)
    f.npc(34, 68, "Lab Assistant Igor-ish", "Yes, master. No, I don't know why either.", 1)
    f.npc(60, 90, "Safety Officer Prue", "Goggles on. Dignity optional.", 6)
    f.npc(18, 94, "Test Subject 12", "They said there would be cake.", 9)
    f.npc(17, 60, "Lab Rat the Size of a Dog", "Squeak. (Menacingly.)", 3,
          hp=210, hostile=True)
    f.npc(68, 16, "Unpaid Intern Clone #7", "We are legion. We are unpaid.", 4,
          hp=235, hostile=True)
    f.npc(66, 94, "Sentient Coffee Machine", "DECAF? You DARE say that to me?", 7,
          hp=280, hostile=True)
    f.npc(95, 58, "Mutant Houseplant", "Photosynthesise THIS!", 9, hp=255, hostile=True)

    f.quest(20, 66, "Feed the lab rats. Do not name them.")
    f.quest(57, 33, "Calibrate the particle accelerator.", key=True)
    f.quest(69, 69, "Fetch a keycard from the clean room.", key=True)
    f.quest(38, 15, "Label the unlabelled beaker.")
    return f


# ---------------------------------------------------------------------------
# Floor 4: the facilities: canteen, kitchen, servers, gym and dormitory.
# Arrival at (90,10)/(91,10); stairs up at (50,50)/(51,50) in the core.

def facilities_floor():
    f = upper_floor()
    f.fill(1, 8, 82, 10, '3')          # north corridor
    f.fill(84, 2, 97, 20, '3')         # arrival hall
    f.put(83, 9, '2')
    f.fill(49, 11, 51, 41, '3')        # corridor to the core
    f.fill(12, 13, 46, 40, '4')        # canteen
    f.fill(47, 26, 48, 26, '2')
    f.grid(15, 16, 43, 37, 4, 2, 7, 5)
    f.fill(53, 13, 80, 31, '3')        # kitchen
    f.put(52, 22, '2')
    f.fill(55, 14, 78, 14, '5')        # stoves
    f.grid(58, 19, 76, 27, 5, 1, 8, 4)
    f.fill(62, 35, 80, 40, '3')        # walk-in freezer (optional)
    f.put(66, 33, '7')
    f.put(66, 34, '3')
    f.put(66, 32, '3')
    f.fill(42, 42, 59, 59, '3')        # the ring around the core
    f.frame(45, 45, 56, 56, '1')
    f.put(50, 45, '7')
    f.put(50, 50, '6')
    f.put(51, 50, '6')
    f.fill(12, 44, 38, 90, '3')        # server hall
    f.fill(39, 50, 41, 50, '3')
    f.put(39, 50, '2')
    f.grid(15, 47, 35, 88, 1, 8, 4, 11)
    f.fill(62, 62, 97, 97, '4')        # gym
    f.fill(60, 55, 61, 55, '3')
    f.fill(62, 55, 64, 61, '3')
    f.put(63, 61, '2')
    f.grid(66, 66, 94, 94, 3, 2, 7, 7)
    f.fill(42, 63, 58, 97, '3')        # dormitory
    f.fill(50, 60, 50, 62, '3')
    f.put(50, 62, '2')
    f.grid(44, 66, 56, 94, 3, 2, 5, 6)

    f.npc(20, 38, "Dinner Lady Bev", "Chips or chips? Choose wisely.", 5)
    f.npc(36, 70, "Sysadmin Ravi", "It's always DNS. Even when it isn't.", 6)
    f.npc(92, 66, "Yoga Instructor Sol", "Breathe in. Breathe out. Now fight.", 1)
    f.npc(54, 96, "Night Porter Ned", "I sleep in the day. Like a proper vampire.", 9)
    f.npc(78, 36, "Frozen Intern", "B-b-brrr... is it Friday yet?", 3)
    f.npc(74, 17, "Chef Cleaver", "You call THAT a souffle?!", 7, hp=380, hostile=True)
    f.npc(20, 86, "Overheated Server Rack", "ERROR 418: I AM A TEAPOT. AND ANGRY.", 4,
          hp=420, hostile=True)
    f.npc(94, 96, "Gym Bro Maximus", "Do you even lift, bro? LET ME SHOW YOU.", 3,
          hp=350, hostile=True)
    f.npc(40, 15, "Mystery Meat", "*wobbles aggressively*", 9, hp=320, hostile=True)

    f.quest(78, 30, "Taste the soup. Survive.", key=True)
    f.quest(26, 60, "Reboot server rack 42.")
    f.quest(90, 90, "Lift something heavy in the gym.")
    f.quest(45, 96, "Find the missing left sock.")
    return f


# ---------------------------------------------------------------------------
# Floor 5: the executive suite and the roof garden.
# Arrival at (50,50)/(51,50); the stairs to the helipad at (94,94)/(95,94)
# win the game.

def executive_floor():
    f = upper_floor()
    f.fill(1, 8, 97, 10, '3')          # north corridor
    f.fill(49, 11, 51, 39, '3')        # grand stair hall
    f.fill(40, 40, 60, 60, '4')        # the atrium
    f.grid(42, 42, 58, 58, 1, 1, 16, 16)
    f.fill(1, 40, 36, 98, '0')         # the roof garden
    f.fill(37, 48, 39, 52, '2')
    f.frame(4, 44, 33, 95, '5')        # its hedge border, with gaps
    f.fill(4, 60, 4, 64, '0')
    f.fill(18, 95, 22, 95, '0')
    f.fill(33, 48, 33, 52, '0')
    f.fill(18, 44, 22, 44, '0')
    f.grid(10, 52, 28, 88, 2, 2, 6, 6)
    f.fill(62, 12, 97, 38, '4')        # the boardroom
    f.put(61, 24, '2')
    f.fill(52, 24, 60, 24, '3')
    f.fill(66, 22, 92, 26, '5')
    f.fill(40, 14, 46, 36, '3')        # trophy room
    f.put(47, 25, '2')
    f.put(48, 25, '3')
    f.grid(41, 16, 45, 34, 1, 1, 4, 3)
    f.fill(61, 49, 62, 51, '3')        # to the executive wing
    f.fill(63, 42, 97, 58, '3')        # executive lounge
    f.grid(66, 45, 94, 55, 2, 2, 7, 5)
    f.fill(62, 64, 97, 97, '4')        # the CEO's office
    f.put(80, 63, '7')
    f.put(80, 62, '3')
    f.put(80, 61, '3')
    f.put(80, 60, '3')
    f.put(80, 59, '3')
    f.fill(70, 72, 86, 74, '5')        # the CEO's desk, larger than some flats
    f.put(94, 94, '6')
    f.put(95, 94, '6')
    f.fill(40, 64, 58, 97, '3')        # secretaries' pool
    f.fill(49, 61, 51, 63, '2')
    f.grid(42, 66, 56, 94, 2, 1, 5, 4)

    f.npc(45, 92, "Intern of the Month", "I got a certificate! It's unpaid too.", 1)
    f.npc(90, 44, "Butler Jeeves-ish", "Your cucumber sandwich, sir. Or a sword?", 6)
    f.npc(8, 48, "Window Cleaner Stan", "Told you. I see EVERYTHING. Even up here.", 1)
    f.npc(64, 14, "Executive Assistant Vex", "The CEO is in a meeting. With your doom.", 5,
          hp=500, hostile=True)
    f.npc(30, 92, "Rooftop Gargoyle", "GRRR. Pigeons are MY job.", 9, hp=460, hostile=True)
    f.npc(96, 30, "Board Member Flint", "Profits are up. You are down.", 7,
          hp=560, hostile=True)
    f.npc(78, 80, "The CEO, Mr. Tessary", "Synergy! Leverage! VIOLENCE!", 4,
          hp=800, hostile=True)

    f.quest(19, 70, "Water the CEO's bonsai. Do not prune.")
    f.quest(94, 36, "Borrow the boardroom pen. Forever.", key=True)
    f.quest(45, 35, "Polish the trophy nobody won.")
    f.quest(6, 96, "Tell the pigeons the roof is closed.")
    return f


FLOORS = [ground_floor, offices_floor, library_floor, lab_floor, facilities_floor,
          executive_floor]


# ---------------------------------------------------------------------------
# The shop, the same on every floor; each good is in stock once.
# Item icons, as our art draws them: 0 healing potion, 1 red scroll, 2 key,
# 3 short sword, 4 dagger, 5 long sword, 6 rune blade, 7 leather armour,
# 8 chain mail, 9 plate, 10 shield, 11 blue scroll, 12 green scroll,
# 13 mana potion. Red scrolls burn, blue ones zap and shake, green ones heal.

def goods():
    def good(price, icon, name, weapon=0, armour=0, heal=0, spell=0, key=0, mana=0):
        assert len(name) <= 18, name
        spells = [1 if spell == k + 1 else 0 for k in range(7)]
        return [price, icon, weapon, name, heal, 1 if spell else 0] + spells + [key, mana, armour]
    return [
        good(400, 0, "Healing Potion", heal=1),
        good(900, 0, "Healing Potion XL", heal=1),
        good(600, 13, "Mana Potion", mana=1),
        good(1200, 13, "Mana Potion XL", mana=1),
        good(2500, 2, "Brass Key", key=1),
        good(5000, 2, "Skeleton Key", key=1),
        good(3000, 4, "Letter Opener", weapon=3),
        good(12000, 3, "Office Sabre", weapon=6),
        good(28000, 5, "Katana of Synergy", weapon=10),
        good(52000, 6, "Excalibur Mk II", weapon=15),
        good(4000, 7, "Leather Jerkin", armour=3),
        good(13000, 8, "Chainmail Cardigan", armour=6),
        good(27000, 9, "Cabinet Plate", armour=9),
        good(50000, 10, "Boardroom Shield", armour=12),
        good(1500, 12, "Heal I Scroll", spell=1),
        good(2500, 1, "Fire I Scroll", spell=2),
        good(4000, 11, "Mr. Zappy Scroll", spell=3),
        good(6000, 11, "Earth Scroll", spell=4),
        good(9000, 1, "Meteor Scroll", spell=5),
        good(12000, 1, "Death Hand Scroll", spell=6),
        good(10000, 12, "Full Heal Scroll", spell=7),
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
