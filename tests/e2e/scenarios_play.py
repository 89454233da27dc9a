"""Scenarios played in a real X server with real key presses: the title,
the roaming screen and its HUD, walls and doors, the quest giver and an
errand, the stairs of the whole building, a fight, the shop and the
character menu, the developer console, and the ways the game ends."""

import re

import datatree
import driver
import play
from datatree import Grid, npc_record, quest_record, shop_record
from play import Floor, START, expect_area, expect_direct_end, expect_normal_end, step, walk, where
from suite import scenario

HP_COLOUR = (100, 0, 0)
MP_COLOUR = (0, 100, 0)


@scenario("start: banner, title, F4 screenshot of the HUD, window closed while roaming", x=True)
def start_and_screenshot(context):
    tree = context.tree()
    game = context.start(tree)
    game.step("F4 while roaming")
    picture = play.screenshot(game)
    if (picture.width, picture.height) != (640, 480):
        game.fail("the screenshot is %dx%d" % (picture.width, picture.height))
    # A new hero: a full HP bar over x 20 to 139 with "60" at (30, 10), a full
    # MP bar over x 145 to 244 with "50" at (145, 10), both rows 10 to 30.
    expect_area(game, picture, 20, 10, 29, 30, HP_COLOUR, "HP bar left of its number")
    expect_area(game, picture, 58, 10, 139, 30, HP_COLOUR, "HP bar right of its number")
    expect_area(game, picture, 172, 10, 244, 30, MP_COLOUR, "MP bar right of its number")
    for x, y, what in ((142, 20, "between the bars"), (246, 20, "right of the MP bar"),
                       (80, 32, "below the HP bar"), (200, 32, "below the MP bar")):
        colour = picture.pixel(x, y)
        if play.near(colour, HP_COLOUR) or play.near(colour, MP_COLOUR):
            game.fail("%s, pixel (%d,%d) has a bar's colour %s" % (what, x, y, colour))
    if not any(play.near(picture.pixel(x, 20), (255, 255, 255)) for x in range(30, 56)):
        game.fail("no white HP number in the HP bar")
    tile = datatree.colour_of("data/gfx/tiles/03.png")
    expect_area(game, picture, 272, 250, 319, 260, tile, "the floor left of the hero")
    # The hero in the middle, facing up, left or down (never right at start).
    hero = picture.pixel(344, 264)
    if not any(play.near(hero, datatree.colour_of("data/gfx/sprites/pc/%d.png" % h))
               for h in range(3)):
        game.fail("the middle of the screen shows %s, not the hero" % (hero,))
    # Two healing potions in the item strip, no keys or mana potions.
    potion = datatree.colour_of("data/gfx/items/0.png")
    expect_area(game, picture, 16, 426, 50, 460, potion, "first healing potion")
    expect_area(game, picture, 65, 426, 99, 460, potion, "second healing potion")
    for y, what in ((340, "key row"), (390, "mana potion row")):
        if not play.near(picture.pixel(20, y), tile):
            game.fail("the %s shows %s, not the floor" % (what, picture.pixel(20, y)))

    game.step("close the window while roaming")
    game.close_window()
    expect_normal_end(game, npc_count=2)


@scenario("title: closing the window ends the game at once", x=True)
def close_on_title(context):
    tree = context.tree()
    game = context.game(tree)
    game.expect("Fonts loaded. OK", timeout=driver.DEFAULT_TIMEOUT * 3)
    game.step("close the window on the title screen")
    game.find_window()
    game.close_window()
    expect_direct_end(game)
    if "Welcome to the game..." in game.lines():
        game.fail("the title screen was left as by a key")


def walled_map():
    """An office floor: a wall two cells right of the hero's start, a locked
    door above the cell before it, and a wall behind the door."""
    grid = Grid()
    grid.set(28, 19, "1")
    grid.set(27, 18, "7")
    grid.set(27, 17, "1")
    return grid


@scenario("walking: into a wall, a locked door without and with a key", x=True)
def wall_and_door(context):
    tree = context.tree()
    tree.write("data/map.qor", walled_map().text())
    game = context.start(tree)
    floor = Floor()

    game.step("walk right into the wall")
    walk(game, "Right", (27, 19), floor)
    # Held on against the wall: he stays, and nothing is said.
    with game.held("Right"):
        position, _ = where(game, floor)
        position, _ = where(game, floor)
    if position != (27, 19):
        game.fail("the wall let the hero through to %s" % (position,))
    said = [line for line in game.lines() if "door" in line]
    if said:
        game.fail("walking into a wall printed %r" % said)

    game.step("walk up into the locked door without a key")
    with game.held("Up"):
        for _ in range(2):  # every pass against the door tries it again
            game.expect_next("Detecting door")
            game.expect_next("Not enough keys")
    position, _ = where(game, floor)
    if position != (27, 19):
        game.fail("the locked door let the hero through to %s" % (position,))

    game.step("keys from the cheat key k")
    with game.held("k"):
        game.expect("CHEATER!!!!!!! Key added")
    # Each pass with k held adds one key for one gold, and says so.
    values = play.stats(game)
    added = game.lines().count("CHEATER!!!!!!! Key added")
    if values.get("Keys") != str(added) or values.get("Gold") != str(100000 - added):
        game.fail("%d keys added, but the console's stats show %s keys and %s gold" % (
            added, values.get("Keys"), values.get("Gold")))

    game.step("walk up into the door with a key")
    with game.held("Up"):
        game.expect_sequence([re.compile("^Detecting door$"), "Opening door."])
    game.step("through the opened door")
    walk(game, "Up", (27, 18), floor)
    game.step("the door used up one key")
    play.expect_stats(game, Keys=added - 1)


def quest_map():
    """Walls that lead the hero from his start to the quest giver's corner,
    from there to the errand's cell, and a locked door behind it."""
    grid = Grid()
    grid.set(25, 3, "1")   # stops him at (25, 4) going up
    grid.set(2, 4, "1")    # stops him at (3, 4) going left
    grid.set(3, 8, "1")    # stops him at (3, 7) going down
    grid.set(10, 7, "1")   # the errand's cell (9, 7) ends the way right
    grid.set(9, 8, "7")    # a locked door below it
    grid.set(9, 9, "1")
    grid.set(2, 7, "1")    # the way back: stops him at (3, 7) going left
    grid.set(3, 2, "1")    # and at (3, 3) going up
    return grid


@scenario("quests: the quest giver's errand, solved, with its reward key", x=True)
def quest_errand(context):
    tree = context.tree()
    tree.write("data/map.qor", quest_map().text())
    tree.write("data/quests.qor",
               quest_record(9, 7, 0, "Fetch the stapler", reward_key=1) +
               quest_record(40, 40, 1, "Upstairs errand") +
               quest_record(12, 30, 0, "Water the plant"))
    game = context.start(tree)
    floor = Floor()

    game.step("walk to the quest giver")
    walk(game, "Up", (25, 4), floor)
    walk(game, "Left", (3, 4), floor)
    said = step(game, "Up", (3, 3), floor)
    if said != ["Fetch the stapler"]:
        game.fail("the quest giver said %r, not the first errand of floor 0" % said)
    if "Fetch the stapler (9,7)" not in game.lines():
        game.fail("the errand's target was not printed")

    game.step("talk to him again before solving it")
    position, said = where(game, floor)
    if said != ["Fetch the stapler"]:
        game.fail("the second talk gave %r, not the same errand" % said)

    game.step("walk to the errand's cell")
    walk(game, "Down", (3, 7), floor)
    with game.held("Right"):
        game.expect("Quest Fetch the stapler completed")
        game.expect_next("Solved a quest")
    game.key("space")
    game.expect_next("Displayed quest completion screen")
    position, _ = where(game, floor)
    if position != (9, 7):
        game.fail("the errand was solved with the hero at %s" % (position,))
    game.step("the reward: 40 gold and a key")
    play.expect_stats(game, Gold=100040, Keys=1)

    game.step("the reward key opens the door")
    with game.held("Down"):
        game.expect_sequence(["Detecting door", "Opening door."])

    game.step("the quest giver's next errand")
    walk(game, "Left", (3, 7), floor)
    said = walk(game, "Up", (3, 3), floor)
    if said != ["Water the plant"]:
        game.fail("after the errand the quest giver said %r" % said)


@scenario("stairs: a floor whose map or NPC file is missing", x=True)
def stairs_to_missing_floor(context):
    for missing, message in (("data/map1.qor", "Map data/map1.qor not found..\n"),
                             ("data/npcs1.qor", "NPC file data/npcs1.qor missing\n")):
        tree = context.tree()
        tree.write("data/map.qor", Grid().set(27, 19, "6").text())
        tree.write("data/map1.qor", Grid().text())
        tree.write("data/npcs1.qor", "")
        tree.remove(missing)
        game = context.start(tree)
        game.step("climb the stairs to a floor without " + missing)
        with game.held("Right"):
            game.expect_exit(1)
        if game.stderr() != message:
            game.fail("standard error %r, expected %r" % (game.stderr(), message))
        game.stop()


# The building: on each floor the stairs lie two cells from where the hero
# arrives, to the right or below, turn about; a wall stops him from walking on
# in the direction he arrived. A guard stands next to each arrival cell, at an
# offset of its own, so each floor's NPC file shows in whom he meets.
GUARD_OFFSETS = [None, (-1, -1), (0, -1), (1, -1), (-1, 0), (-1, 1)]


def building():
    """The arrival cell, direction and stairs of each floor."""
    floors = []
    arrival = START
    for number in range(6):
        direction = (1, 0) if number % 2 == 0 else (0, 1)
        stairs = (arrival[0] + 2 * direction[0], arrival[1] + 2 * direction[1])
        floors.append((arrival, direction, stairs))
        arrival = stairs
    return floors


@scenario("the whole building: floor by floor up the stairs to the win", x=True)
def whole_building(context):
    tree = context.tree()
    floors = building()
    for number, (arrival, direction, stairs) in enumerate(floors):
        grid = Grid().set(stairs[0], stairs[1], "6")
        people = ""
        if number > 0:
            previous = floors[number - 1][1]
            grid.set(arrival[0] + previous[0], arrival[1] + previous[1], "1")
            dx, dy = GUARD_OFFSETS[number]
            people = npc_record("Guard of floor %d" % number, arrival[0] + dx, arrival[1] + dy,
                                dialogue="Floor %d." % number)
        suffix = "" if number == 0 else str(number)
        tree.write("data/map%s.qor" % suffix, grid.text())
        tree.write("data/npcs%s.qor" % suffix, people)
    game = context.start(tree)

    for number, (arrival, direction, stairs) in enumerate(floors):
        key = "Right" if direction == (1, 0) else "Down"
        floor = Floor()
        if number > 0:
            dx, dy = GUARD_OFFSETS[number]
            floor = Floor([(arrival[0] + dx, arrival[1] + dy)])
        game.step("floor %d: arrived" % number)
        position, _ = where(game, floor)
        if position != arrival:
            game.fail("the hero is at %s, not at %s" % (position, arrival))
        game.step("floor %d: up the stairs" % number)
        with game.held(key):
            game.expect("You won" if number == 5 else "Loaded map file...")
    expect_direct_end(game)
    if game.lines()[-1] != "You won":
        game.fail("\"You won\" is not the last line")


# ---- Fights ----
FIGHT_DRAWN = "Drew enemy HP/MP/etc"  # the last line of every fight pass's drawing
ENEMY_TURN = re.compile(r"^Enemy (hit you|missed)$")
BLUE_BOX = (0, 0, 200)
RED_BOX = (255, 0, 0)


def message_box(game):
    """F4 while a message box waits: it saves the screen and says so. Returns
    the box's colour (blue for news, red for bad news) and the picture."""
    picture = play.screenshot(game, after="Screenshot")
    colour = picture.pixel(320, 400)
    if play.near(colour, BLUE_BOX):
        return "blue", picture
    if play.near(colour, RED_BOX):
        return "red", picture
    game.fail("the message strip at (320,400) is %s, neither blue nor red" % (colour,))


def fight_to_victory(game, rounds=30):
    """Attacks with z until the enemy falls. The enemy has 1 HP, so a hit (a
    blue box) is the killing blow and a miss (a red box) gives the enemy its
    turn. Returns the number of attacks."""
    for attack in range(1, rounds + 1):
        game.step("attack %d: the player's turn" % attack)
        game.expect(FIGHT_DRAWN)
        game.key("z")
        colour, picture = message_box(game)
        # The pass drew the action bar and the enemy's line before the box.
        if not play.near(picture.pixel(320, 413), (200, 200, 200)):
            game.fail("no action bar behind the box: %s" % (picture.pixel(320, 413),))
        if not any(play.near(picture.pixel(x, y), (255, 0, 100))
                   for x in range(20, 200) for y in range(32, 48)):
            game.fail("no enemy line in the enemy's colour under the HUD")
        game.key("space")
        if colour == "blue":
            game.step("attack %d hit: the victory" % attack)
            game.expect(FIGHT_DRAWN)
            before = game.cursor
            colour, _ = message_box(game)
            turns = [l for l in game.lines()[before:game.cursor] if ENEMY_TURN.match(l)]
            if turns or colour != "blue":
                game.fail("a killing blow was followed by %r and a %s box" % (turns, colour))
            game.key("space")
            return attack
        game.step("attack %d missed: the enemy's turn" % attack)
        game.expect(FIGHT_DRAWN)
        game.expect_next(ENEMY_TURN)
        game.expect_next("Wrote string")
        message_box(game)
        game.key("space")
    game.fail("no victory after %d attacks" % rounds)


@scenario("fight: from the conversation to the victory over a weak enemy", x=True,
          screens=("src/combat/fight.cpp",))
def fight(context):
    tree = context.tree()
    x, y = START
    tree.write("data/npcs.qor",
               npc_record("Clerk", x - 1, y, dialogue="Not my department.") +
               npc_record("Stapler Gremlin", x + 1, y, hp=1, max_hp=1, hostile=1,
                          dialogue="Grr!", character=4))
    game = context.start(tree)

    game.step("talk to the clerk and the gremlin")
    game.key("Return")
    game.expect_next(re.compile(r"^You = \(25,19\)$"))
    game.expect_next("NPC found relative to player: (-1,0)")
    game.key("space")
    game.expect_next("NPC found relative to player: (1,0)")
    game.key("space")
    game.expect_next("Initializing fight...")
    game.expect_next("Fight engine activated, background 1")

    game.step("the fight screen")
    game.expect_sequence(["Initializing fight roll", "Initialized variables", "Blitted background",
                          "Drawing sprite 4", "Blitted sprite 4", "Drawing player HUD...",
                          "Drew player HUD, drawing enemy HUD.."])
    game.cursor -= 1  # the attack loop starts at this pass's end
    fight_to_victory(game)

    game.step("back to roaming: only the clerk is left to talk to")
    floor = Floor([(x - 1, y)])
    where(game, floor)
    where(game, floor)  # the second answer shows the first one is complete
    talks = [l for l in game.lines() if l == "NPC found relative to player: (1,0)"]
    if len(talks) != 1:
        game.fail("the gremlin still talks after its defeat")
    game.step("close the window")
    game.close_window()
    expect_normal_end(game, npc_count=3)


# ---- The shop and the character menu ----
def walk_to_shopkeeper(game):
    """From the start to (6, 3), diagonally below the shopkeeper, where the
    shopkeeper greets the hero; leaves his conversation open."""
    floor = Floor()
    walk(game, "Up", (25, 5), floor)
    walk(game, "Left", (6, 5), floor)
    step(game, "Up", (6, 4), floor)
    for _ in range(5):
        game.tap("Up")
        game.key("Return")
        match = game.expect(play.POSITION)
        if match.string == "You = (6,3)":
            game.expect_next("NPC found relative to player: (-1,-1)")
            return
        if match.string != "You = (6,4)":
            game.fail("walking to the shopkeeper the hero got to %s" % match.string)
    game.fail("the hero did not step up to the shopkeeper")


def shop_map():
    grid = Grid()
    grid.set(25, 4, "1")  # stops him at (25, 5) going up
    grid.set(5, 5, "1")   # stops him at (6, 5) going left
    return grid


def buy(game, bought_line):
    """Return on the highlighted good: the "Purchased!" box (blue), closed
    with a key, then the shop's line about it, if it has one."""
    game.key("Return")
    colour, _ = message_box(game)
    if colour != "blue":
        game.fail("buying showed a %s box, not \"Purchased!\"" % colour)
    game.key("space")
    if bought_line:
        game.expect_next(bought_line)


@scenario("shop: purchases, then the character menu, then Escape ends the game", x=True,
          screens=("src/shop/shopscreen.cpp", "src/world/charmenu.cpp"))
def shop_and_menu(context):
    tree = context.tree()
    tree.write("data/map.qor", shop_map().text())
    tree.write("data/shopdata.qor",
               shop_record("Rusty blade", 200, icon=3, weapon=3) +
               shop_record("Blade of Doom", 1000, icon=3, weapon=18) +
               shop_record("Iron armour", 500, icon=4, armour=7) +
               shop_record("Healing potion", 50, icon=0, healing=1) +
               shop_record("Door key", 100, icon=2, key=1))
    game = context.start(tree)

    game.step("the shopkeeper greets the hero and opens his shop")
    walk_to_shopkeeper(game)
    play.open_shop(game)
    game.step("buy two blades and armour")
    buy(game, "Bought blade, mod of 3")
    for position, line in ((1, "Bought blade, mod of 18"), (2, "Bought armor, AC of 7")):
        game.key("Down")
        game.expect_next("I think you're at pos %d" % position)
        buy(game, line)
    game.step("buy a healing potion and a key")
    game.key("Down")
    game.expect_next("I think you're at pos 3")
    buy(game, None)
    # A potion's purchase says nothing after its box, whose end may swallow
    # the next press.
    play.press_until(game, "Down", "I think you're at pos 4")
    buy(game, None)
    game.key("Up")
    game.expect_next("I think you are at position 3 on screen")

    game.step("leave the shop")
    game.key("Escape")
    # Back in roaming, F4 saves the frame: three potions and a key now.
    picture = play.screenshot(game)
    potion = datatree.colour_of("data/gfx/items/0.png")
    key = datatree.colour_of("data/gfx/items/2.png")
    expect_area(game, picture, 114, 426, 148, 460, potion, "the third healing potion")
    expect_area(game, picture, 16, 328, 50, 362, key, "the key")
    play.expect_stats(game, Weapon_Modifier=18, Healing_Potions=3, Keys=1,
                      Gold=100000 - 200 - 1000 - 500 - 50 - 100)

    game.step("the character menu: equip the oldest blade")
    game.key("Escape")
    # The list shows the newest first: armour, Blade of Doom, Rusty blade.
    for screen_row in (1, 2, 2):  # the third Down finds no older item
        game.key("Down")
        game.expect_next("Screenpos:%d" % screen_row)
    game.key("Return")
    game.key("space")
    play.expect_stats(game, Weapon_Modifier=3)

    game.step("Escape in the character menu ends the game")
    game.key("Escape")
    game.key("Up")
    game.expect_next("Screenpos:0")
    game.key("Escape")
    expect_normal_end(game, npc_count=2)


# ---- The developer console ----
HELP = ["Commands:", "exit\tmem\thelp", "tport\taddgold\taddkeys", "unlock\trelock\theal",
        "stats\taddheal\tdie", "clearnpc hack\tshop", "colours"]


def console_map():
    """Three locked doors in a row with an open one beside them, and a wall
    two cells above the first door."""
    grid = Grid()
    for x in (30, 31, 32):
        grid.set(x, 30, "7")
    grid.set(33, 30, "2")
    grid.set(30, 28, "1")
    return grid


def command(game, text):
    """Types a command line once the console waits with its prompt."""
    game.expect(re.compile(r"matrix-admin: $"))
    game.type(text + "\n")


@scenario("console: help, mem, stats, addgold, tport, unlock, relock, exit, back in the game",
          x=True, screens=("src/world/console.cpp",))
def console(context):
    tree = context.tree()
    tree.write("data/map.qor", console_map().text())
    game = context.start(tree)

    game.step("open the console with the backquote key")
    game.key("grave")
    command(game, "help")
    game.step("help")
    for line in HELP:
        game.expect_next(line)
    game.step("mem")
    command(game, "mem")
    game.expect_sequence(["Memory dump:", "# Characters: 2", "# Quests: 0", "# Items: 0"])
    game.step("a wrong command")
    command(game, "Exit")
    game.expect_next("Bad command")
    game.step("addgold, then stats")
    command(game, "addgold")
    game.expect(re.compile(r"how much:$"))
    game.type("-50\n")
    command(game, "stats")
    for line in ["Player:", "---", "HP: 60/60", "MP: 50/50",
                 "Strength: 1 Agility: 1 Weapon Modifier: 1", "Healing Potions: 2",
                 "Gold: 99950", "Keys: 0", "Floor: 0"]:
        game.expect_next(line)
    game.step("tport")
    command(game, "tport")
    game.expect(re.compile(r"x:$"))
    game.type("30\n")
    game.expect(re.compile(r"y:$"))
    game.type("31\n")
    game.expect(re.compile(r"Teleported\. Type 'exit' to return to game$"))
    game.step("unlock and relock")
    command(game, "unlock")
    game.expect_next("Unlocked 3 doors. Type 'exit' to return to game")
    command(game, "relock")
    game.expect_next("Locked 4 doors. Type 'exit' to return to game")
    command(game, "unlock")
    game.expect_next("Unlocked 4 doors. Type 'exit' to return to game")
    game.step("exit")
    command(game, "exit")
    game.expect_next("Exiting...")

    game.step("back in the game, where the console put the hero")
    floor = Floor()
    position, _ = where(game, floor)
    if position != (30, 31):
        game.fail("after tport the hero is at %s" % (position,))
    game.step("through the unlocked door")
    walk(game, "Up", (30, 29), floor)
    if any(line == "Detecting door" for line in game.lines()):
        game.fail("the unlocked door was still locked")

    game.step("the console again, left by the end of its input")
    game.key("grave")
    game.expect(re.compile(r"matrix-admin: $"))
    game.close_stdin()
    position, _ = where(game, floor)
    if position != (30, 29):
        game.fail("after the console the hero is at %s" % (position,))
    game.step("close the window")
    game.close_window()
    expect_normal_end(game, npc_count=2)


# ---- The other ways a game ends ----
def start_fight(context, enemy_hp):
    """A game whose hero has just talked to a hostile NPC next to him: the
    fight screen is up and waits for the player's action."""
    tree = context.tree()
    x, y = START
    tree.write("data/npcs.qor", npc_record("Auditor", x, y + 1, hp=enemy_hp, max_hp=enemy_hp,
                                           hostile=1, dialogue="Receipts, please."))
    game = context.start(tree)
    game.step("talk to the auditor")
    game.key("Return")
    game.expect("NPC found relative to player: (0,1)")
    game.key("space")
    game.expect("Fight engine activated, background 1")
    game.expect(FIGHT_DRAWN)
    return tree, game


@scenario("ends: Escape in a fight and the console's die end the game at once", x=True,
          screens=("src/combat/fight.cpp", "src/world/console.cpp"))
def direct_ends(context):
    tree, game = start_fight(context, enemy_hp=500)
    game.step("Escape at the choice of action")
    game.key("Escape")
    game.expect("Exiting...")
    expect_direct_end(game)

    tree = context.tree()
    game = context.start(tree)
    game.step("the console's die")
    game.key("grave")
    command(game, "die")
    game.expect_next("You really don't want to do that, do you?")
    expect_direct_end(game)


@scenario("window closed: dropped by a conversation, ends a fight's game after the pass",
          x=True, screens=("src/combat/fight.cpp",))
def window_closed_while_busy(context):
    tree = context.tree()
    x, y = START
    tree.write("data/npcs.qor", npc_record("Clerk", x - 1, y, dialogue="One moment, please."))
    game = context.start(tree)
    game.step("close the window while the clerk talks")
    game.key("Return")
    game.expect("NPC found relative to player: (-1,0)")
    game.close_window()
    game.key("space")
    game.step("the game goes on")
    play.back_in_roaming(game)
    where(game, Floor([(x - 1, y)]))
    game.close_window()
    expect_normal_end(game, npc_count=3)

    tree, game = start_fight(context, enemy_hp=500)
    game.step("close the window in the player's turn")
    game.close_window()
    expect_normal_end(game, npc_count=3)
