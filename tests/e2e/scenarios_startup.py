"""Start-up through the binary: the order of the loading lines, and every
file that loading needs, removed alone, with the game's exact message and
exit status (1 for the fatal ones; the tolerated ones reach the title).

These run with the dummy video driver: the title screen is as far as they
go, and a termination request (which SDL turns into a quit request) ends it
there with status 0."""

import subprocess

import datatree
import driver
import suite
from suite import scenario

# Row of the character table that each sprite folder fills.
FOLDER_ROWS = {"pc": 0, "npc0": 1, "npc1": 2, "npc2": 3, "npc4": 4, "npc5": 5, "npc3": 6,
               "npc6": 7, "npc7": 8, "npc8": 9}


def fatal_cases():
    """(file, exact message on standard error) for every fatal file."""
    cases = []
    for relative in datatree.sprite_files():
        folder, name = relative.split("/")[-2:]
        row, heading = FOLDER_ROWS[folder], int(name[0])
        if relative in ("data/gfx/sprites/pc/0.png", "data/gfx/sprites/npc0/0.png"):
            # The first images of rows 0 and 1 are checked by name; only the
            # second message has a line feed.
            message = relative + " missing" + ("\n" if folder == "npc0" else "")
        else:
            message = "Character %d, heading %d missing\n" % (row, heading)
        cases.append((relative, message))
    for i in range(8):
        relative = "data/gfx/tiles/0%d.png" % i
        cases.append((relative, relative + " missing!" + ("\n" if i >= 3 else "")))
    cases.append(("data/gfx/clouds.jpg", "data/gfx/clouds.jpg is missing\n"))
    for i, name in enumerate(("grass", "inside")):
        cases.append(("data/decor/%s.png" % name, "Fight scene background %d not located\n" % i))
    for i, name in enumerate(datatree.FX):
        cases.append(("data/gfx/fx/%s.png" % name, "missing %d fight fx\n" % i))
    cases.append(("data/font.ttf", "Could not load data/font.ttf\n"))
    cases.append(("data/gfx/title.png", "Oh no! The title screen image (title.png) is missing!\n"))
    cases.append(("data/map.qor", "Map data/map.qor not found..\n"))
    cases.append(("data/npcs.qor", "NPC file data/npcs.qor missing\n"))
    cases.append(("data/quests.qor", "Quest file data/quests.qor missing\n"))
    cases.append(("data/shopdata.qor", "File data/shopdata.qor missing\n"))
    return cases


def tolerated_cases():
    """(file, line that must appear on standard output) for every file the
    game starts without."""
    cases = [(relative, None) for relative in datatree.ICONS]
    cases.append(("data/gfx/portrait.png", None))
    for i in range(14):
        cases.append(("data/gfx/items/%d.png" % i, "Item load error, %d" % i))
    return cases


def run_to_title(context, tree, exe=None, env=None):
    """Runs the game with the dummy driver until it ends by itself or waits on
    the title screen; there it is asked to quit. Returns (game, reached title,
    exit status)."""
    game = context.game(tree, x=False, exe=exe, env=env)
    try:
        game.expect("Fonts loaded. OK", timeout=driver.DEFAULT_TIMEOUT * 2)
    except driver.Failure:
        if game.running():
            raise
    # The title screen waits for a key; nothing comes, so the game must still
    # be there a moment later.
    reached = False
    if game.running():
        try:
            game.proc.wait(0.3 * driver.SLOW)
        except subprocess.TimeoutExpired:
            reached = True
            game.terminate()
    status = game.wait_exit()
    return game, reached, status


def run_with(context, tree, relative, contents=None, **options):
    """run_to_title with one file of the tree replaced by `contents` (None:
    removed) for the run, and put back afterwards."""
    saved = tree.read(relative)
    if contents is None:
        tree.remove(relative)
    else:
        tree.write(relative, contents)
    try:
        return run_to_title(context, tree, **options)
    finally:
        tree.write(relative, saved)


class Collector:
    """Gathers the failures of many small cases into one report."""

    def __init__(self):
        self.problems = []

    def check(self, condition, case, message, game):
        if not condition:
            self.problems.append("%s: %s\n%s" % (case, message, game.report(last=8)))

    def finish(self, what):
        if self.problems:
            raise driver.Failure("%d of the %s failed:\n\n%s" % (
                len(self.problems), what, "\n\n".join(self.problems)))


@scenario("start-up: loading order with every file present")
def loading_order(context):
    tree = context.tree()
    game, reached, status = run_to_title(context, tree)
    game.step("loading lines")
    if not reached or status != 0:
        game.fail("the game did not reach the title screen (status %s)" % status)
    lines = game.lines()
    if not suite.BANNER.match(lines[0]):
        game.fail("the first line is %r, not the banner" % lines[0])
    # The fixed order of loading, as the game reports it.
    game.cursor = 1
    game.expect_sequence(["Loading shop...", "Shop initialized", "QuestMaster()",
                          "Loading sprites and tiles", "Loading shop items icons",
                          "Loaded shop icons"])
    for i in range(14):
        game.expect_next("Item %d is existant" % i)
    game.expect_next("Surfaces loaded...")
    game.expect_sequence(["Loading NPCs!", "Opening file", "Opened file",
                          "Panic mode: Null NPC probably received", "NPC load complete",
                          "Sprites and tiles loaded.", "Loading map...", "Loaded map file...",
                          "Map loaded.", "HUDController()", "Initializing font setup",
                          "Font init, loading fonts...", "Fonts loaded. OK"])
    if game.stderr():
        game.fail("standard error is not empty")


@scenario("start-up: every fatal file removed alone")
def fatal_files(context):
    tree = context.tree()
    collector = Collector()
    for relative, message in fatal_cases():
        game, reached, status = run_with(context, tree, relative)
        game.step("without " + relative)
        collector.check(status == 1, relative, "status %s, expected 1" % status, game)
        collector.check(game.stderr() == message, relative,
                        "standard error %r, expected %r" % (game.stderr(), message), game)
        out = game.lines()
        if relative in ("data/quests.qor", "data/shopdata.qor"):
            # Both are read before SDL and the window start.
            collector.check("Loading sprites and tiles" not in out, relative,
                            "the game went on to load images", game)
        if relative == "data/npcs.qor":
            collector.check(out[-2:] == ["Loading NPCs!", "Opening file"], relative,
                            "the NPC loader did not report it after \"Loading NPCs!\"", game)
        if relative != "data/gfx/title.png":
            collector.check("Fonts loaded. OK" not in out, relative, "loading went on", game)
        game.stop()
    collector.finish("fatal files")


@scenario("start-up: every tolerated file removed alone")
def tolerated_files(context):
    tree = context.tree()
    collector = Collector()
    for relative, line in tolerated_cases():
        game, reached, status = run_with(context, tree, relative)
        game.step("without " + relative)
        collector.check(reached and status == 0, relative,
                        "did not reach the title screen (status %s)" % status, game)
        collector.check(game.stderr() == "", relative, "standard error is not empty", game)
        out = game.lines()
        if line:
            index = int(line.split()[-1])
            collector.check(line in out and "Item %d is existant" % index not in out, relative,
                            "no %r for the missing icon" % line, game)
            others = [i for i in range(14) if i != index]
            collector.check(all("Item %d is existant" % i in out for i in others), relative,
                            "the other item icons were not all loaded", game)
        game.stop()
    collector.finish("tolerated files")


@scenario("start-up: no display for the video mode")
def no_display(context):
    tree = context.tree()
    # The X11 driver with a display that does not exist: no video mode.
    game = context.game(tree, x=False, env={"SDL_VIDEODRIVER": "x11", "DISPLAY": ":999"})
    game.step("start without a display")
    game.expect_exit(1)
    err = game.stderr()
    if not (err.startswith("CRITICAL: ") and err.endswith("\n") and err.count("\n") == 1):
        game.fail("standard error %r is not one CRITICAL line" % err)
