"""The memory check: one game under valgrind's memcheck, in a real X server,
from loading through the title, roaming, a conversation and a screenshot to
a normal end by closing the window. Valgrind must find no invalid access and
no memory definitely lost."""

import os
import re

import play
from datatree import Grid, npc_record, quest_record, shop_record
from play import expect_normal_end
from suite import scenario

HERE = os.path.dirname(os.path.abspath(__file__))
ERRORS = re.compile(r"ERROR SUMMARY: (\d+) errors")
DEFINITELY_LOST = re.compile(r"definitely lost: ([\d,]+) bytes")


@scenario("memory: a game under valgrind, loading to a normal end", x=True, needs=("valgrind",))
def memcheck(context):
    tree = context.tree()
    grid = Grid().set(25, 18, "7")
    tree.write("data/map.qor", grid.text())
    tree.write("data/npcs.qor", npc_record("Clerk", 26, 20, dialogue="Forms, forms, forms."))
    tree.write("data/quests.qor", quest_record(9, 7, 0, "Fetch the stapler"))
    tree.write("data/shopdata.qor", shop_record("Sword", 100, icon=3, weapon=5))
    log = os.path.join(tree.root, "valgrind.log")
    wrapper = ["valgrind", "--tool=memcheck", "--leak-check=full",
               "--errors-for-leak-kinds=definite", "--show-leak-kinds=definite",
               "--error-exitcode=99", "--num-callers=30", "--child-silent-after-fork=yes",
               "--suppressions=" + os.path.join(HERE, "valgrind.supp"), "--log-file=" + log]
    game = context.start(tree, wrapper=wrapper, patience=6.0)

    game.step("talk to the clerk next to the hero")
    game.key("Return")
    game.expect(play.POSITION)
    game.expect(play.FOUND)
    game.key("space")
    game.step("walk into a locked door")
    with game.held("Up"):
        game.expect("Not enough keys")
    game.step("F4 while roaming")
    play.screenshot(game, tree.root)

    game.step("close the window")
    game.close_window()
    expect_normal_end(game, tree.root, npc_count=3)

    game.step("valgrind's report")
    with open(log, encoding="utf-8", errors="replace") as f:
        report = f.read()
    errors = ERRORS.findall(report)
    lost = DEFINITELY_LOST.findall(report)
    clean_leaks = "All heap blocks were freed" in report or (lost and set(lost) == {"0"})
    if not errors or set(errors) != {"0"} or not clean_leaks:
        game.fail("valgrind found problems:\n" + report[-20000:])
