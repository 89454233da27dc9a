"""The bad-data corpus: malformed map, NPC, quest and shop files of every
kind the loaders meet (binary junk, NUL bytes, huge lines, huge numbers,
negative coordinates, empty files, no final line feed, carriage returns),
each run through the game built with the address and undefined-behaviour
sanitizers. Each must load as the rules say and reach the title screen,
with nothing on standard error: no message and no sanitizer report.

A second pass plays on a few of the worst trees in a real X server: the
malformed floors and people are drawn, walked on and talked to."""

import random

import play
from datatree import npc_record, quest_record, shop_record
from scenarios_startup import Collector, run_with
from suite import scenario

SANITIZER_ENV = {
    # Leaks of a run that ends on the title screen are checked too; the
    # libraries of the X client side are valgrind's business (memory check).
    "ASAN_OPTIONS": "detect_leaks=1:abort_on_error=0:halt_on_error=1",
    "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1",
}
SANITIZER_ENV_X = {
    "ASAN_OPTIONS": "detect_leaks=0:abort_on_error=0:halt_on_error=1",
    "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1",
}


def junk(seed, size):
    """Reproducible binary junk, NUL bytes and line feeds included."""
    rng = random.Random(seed)
    return bytes(rng.randrange(256) for _ in range(size))


HUGE = b"9" * 1000000  # a line of a million digits
GOOD_ROW = b"3" * 100


def map_cases():
    rows = [GOOD_ROW] * 100
    return [
        ("binary junk", junk(1, 20000)),
        ("NUL bytes", b"\0" * 100 + b"\n" + b"3\0" * 50 + b"\n" + b"\0\n" * 98),
        ("one huge line", HUGE),
        ("lines of 1000 codes", (b"3" * 1000 + b"\n") * 100),
        ("empty file", b""),
        ("only line feeds", b"\n" * 300),
        ("no final line feed", b"\n".join(rows[:60])),
        ("carriage returns", b"\r\n".join(rows) + b"\r\n"),
        ("lone carriage returns", b"\r".join(rows)),
        ("codes outside 0 to 7", (bytes(range(32, 132)) + b"\n") * 100),
        ("101 lines", b"\n".join(rows + [b"1" * 100]) + b"\n"),
    ]


NPC_END = ("Panic mode: Null NPC probably received", "EOF detected. Returning..")


def npc_cases():
    """(name, contents, the line that must end the load or None for either)."""
    good = npc_record("Clerk", 30, 20).encode()
    return [
        ("empty file", b"", NPC_END[0]),
        ("binary junk", junk(2, 5000), None),
        ("NUL bytes", b"20\n20\n0\n0\n1\nBo\0b\nHi\0there\n26\n20\n1\n", NPC_END[0]),
        ("huge hit points line", HUGE + b"\n" + good, NPC_END[0]),
        ("huge name line", b"20\n20\n0\n0\n0\n" + b"N" * 100000 + b"\nHi\n30\n20\n1\n", NPC_END[0]),
        ("huge numbers", b"999\n999\n999\n999\n999\nBig\nBig\n999\n999\n999\n" +
         b"1234\n5678\n0\n0\n0\nCut\nCut\n30\n22\n1\n", NPC_END[0]),
        ("negative coordinates and characters",
         npc_record("Left out", -1, -1, character=-5).encode() +
         npc_record("Far out", -99, 500, character=99, hp=-20).encode(), NPC_END[0]),
        ("no final line feed", good.rstrip(b"\n"), NPC_END[1]),
        ("carriage returns", good.replace(b"\n", b"\r\n") * 2, NPC_END[0]),
        ("cut short in a record", good + b"20\n20\n0\n0\n1\nHalf\nDone\n31", NPC_END[1]),
        ("only line feeds", b"\n" * 500, NPC_END[0]),
        ("a 59-character name and line", npc_record("x" * 59, 40, 40, dialogue="y" * 59).encode(),
         NPC_END[0]),
    ]


QUEST_END = ("invalid", "pushing back on eof")


def quest_cases():
    good = quest_record(9, 7, 0, "Fetch the stapler").encode()
    return [
        ("empty file", b"", QUEST_END[0]),
        ("binary junk", junk(3, 5000), None),
        ("NUL bytes", b"9\n7\n0\nFetch\0the\0stapler\n1\n", QUEST_END[0]),
        ("huge text line", b"9\n7\n0\n" + b"T" * 100000 + b"\n1\n" + good, QUEST_END[0]),
        ("huge numbers", b"99999999999999999999\n7\n0\nBig\n1\n" + good, QUEST_END[0]),
        ("numbers at the limit", b"999999999\n-99999999\n-1\nFar\n999\n", QUEST_END[0]),
        ("negative coordinates", quest_record(-5, -7, 0, "Nowhere").encode(), QUEST_END[0]),
        ("no final line feed", good.rstrip(b"\n"), QUEST_END[1]),
        ("carriage returns", good.replace(b"\n", b"\r\n") * 3, QUEST_END[0]),
        ("cut short in a record", good + b"4\n4\n0", QUEST_END[1]),
        ("only line feeds", b"\n" * 500, QUEST_END[0]),
    ]


SHOP_END = "Probably a null item."


def shop_cases():
    good = shop_record("Sword", 100, icon=3, weapon=5).encode()
    return [
        ("empty file", b"", SHOP_END),
        ("binary junk", junk(4, 5000), None),
        ("NUL bytes", shop_record("Sw\0rd", 100, icon=3, weapon=5).encode(), SHOP_END),
        ("huge name line", b"100\n3\n5\n" + b"S" * 100000 + b"\n" + good, SHOP_END),
        ("huge numbers", b"99999999999999999999999\n" + good, SHOP_END),
        ("numbers at the limit", shop_record("Dear", 999999999999999999, icon=-1,
                                             weapon=-999999999, armour=999999999).encode(),
         SHOP_END),
        ("icons outside the table", shop_record("Odd", 10, icon=14, weapon=1).encode() +
         shop_record("Odder", 10, icon=-7, armour=2).encode(), SHOP_END),
        # The end of the file is met before a further record: no null item.
        ("no final line feed", good.rstrip(b"\n"), "!" + SHOP_END),
        ("carriage returns", good.replace(b"\n", b"\r\n") * 2, SHOP_END),
        ("cut short in a record", good + b"50\n1\n0\nHalf", "!" + SHOP_END),
        ("only line feeds", b"\n" * 500, SHOP_END),
    ]


def every_case():
    """(kind, file, case, contents, end): `end` is the line that must end the
    load, a tuple of lines one of which must, "!" and a line that must not be
    printed, or None when junk may end either way."""
    for name, contents in map_cases():
        yield "map", "data/map.qor", name, contents, "Loaded map file..."
    for name, contents, end in npc_cases():
        yield "NPC", "data/npcs.qor", name, contents, end or NPC_END
    for name, contents, end in quest_cases():
        yield "quest", "data/quests.qor", name, contents, end or QUEST_END
    for name, contents, end in shop_cases():
        yield "shop", "data/shopdata.qor", name, contents, end


@scenario("bad data: every malformed file loads under the sanitizers", needs=("asan",))
def loaders_corpus(context):
    tree = context.tree()
    collector = Collector()
    for kind, relative, name, contents, end in every_case():
        case = "%s file, %s" % (kind, name)
        game, reached, status = run_with(context, tree, relative, contents,
                                         exe=context.asan_exe, env=SANITIZER_ENV)
        collector.check(reached and status == 0, case,
                        "did not reach the title screen (status %s)" % status, game)
        collector.check(game.stderr() == "", case, "standard error is not empty", game)
        out = game.lines()
        if isinstance(end, str) and end.startswith("!"):
            collector.check(end[1:] not in out, case, "the loader printed %r" % end[1:], game)
        elif end:
            ends = end if isinstance(end, tuple) else (end,)
            collector.check(any(line in out for line in ends), case,
                            "the loader did not end with %s" % " or ".join(map(repr, ends)), game)
        game.stop()
    collector.finish("malformed files")


def bad_people(x, y):
    """NPCs around (x, y), none hostile, with names and lines no one should
    write: NUL bytes and binary junk, the longest allowed, an empty one, odd
    character numbers; one more stands outside the map."""
    return (npc_record("Nul\0name", x + 1, y, dialogue="Binary \x01\x02\xff\xfe", character=-3) +
            npc_record("n" * 59, x - 1, y + 1, dialogue="d" * 59, character=1234 % 1000) +
            npc_record("", x, y - 1, dialogue="", character=9) +
            npc_record("Outside", -1, -1, character=0))


@scenario("bad data: malformed floors and people played under the sanitizers", x=True,
          needs=("asan",))
def corpus_in_play(context):
    floors = [
        ("binary junk map", junk(5, 20000)),
        ("map of codes outside 0 to 7", (bytes(range(32, 132)) + b"\n") * 100),
        ("map of short lines and NUL bytes", b"3\0\n" * 100),
    ]
    for name, contents in floors:
        tree = context.tree()
        tree.write("data/map.qor", contents)
        tree.write("data/npcs.qor", bad_people(*play.START))
        tree.write("data/quests.qor", quest_record(-1, 5000, 0, "Q" * 39))
        tree.write("data/shopdata.qor", shop_record("Odd", 10, icon=-7, weapon=1))
        game = context.start(tree, exe=context.asan_exe, env=SANITIZER_ENV_X)
        game.step(name + ": talk to everyone around")
        game.key("Return")
        game.expect(play.POSITION)
        for _ in range(3):
            game.expect(play.FOUND)
            game.key("space")
        game.step(name + ": walk about and look")
        play.back_in_roaming(game)
        for key in ("Left", "Up", "Right", "Down"):
            game.tap(key, hold=0.3)
        play.screenshot(game)
        game.key("Return")
        game.expect(play.POSITION)
        game.step(name + ": close the window")
        # Whoever is still around may be talking; the close request is
        # dropped by a conversation, so keys end those first.
        for _ in range(3):
            game.key("space")
        game.close_window()
        if game.wait_exit() != 0 or game.stderr():
            game.fail("the game did not end cleanly (status %s)" % game.proc.returncode)
        game.stop()
