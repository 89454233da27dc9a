"""The memory check: one game under valgrind's memcheck, in a real X server,
from loading through the title, a fight won, a locked door, the console, the
shop and the character menu to a normal end. Valgrind must find no invalid
access and no memory definitely lost."""

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
    tree.write("data/map.qor", Grid().set(25, 18, "7").text())
    # Beaten before it can strike: the fight is won on its first pass.
    tree.write("data/npcs.qor", npc_record("Paper Tiger", 26, 20, hp=0, hostile=1,
                                           dialogue="Rawr."))
    tree.write("data/quests.qor", quest_record(9, 7, 0, "Fetch the stapler"))
    tree.write("data/shopdata.qor", shop_record("Sword", 100, icon=3, weapon=5) +
               shop_record("Shield", 100, icon=4, armour=5))
    log = os.path.join(tree.root, "valgrind.log")
    wrapper = ["valgrind", "--tool=memcheck", "--leak-check=full",
               "--errors-for-leak-kinds=definite", "--show-leak-kinds=definite",
               "--error-exitcode=99", "--num-callers=30", "--child-silent-after-fork=yes",
               "--suppressions=" + os.path.join(HERE, "valgrind.supp"), "--log-file=" + log]
    game = context.start(tree, wrapper=wrapper, patience=6.0)

    game.step("talk to the paper tiger and win the fight")
    game.key("Return")
    game.expect("NPC found relative to player: (1,1)")
    game.key("space")
    game.expect("Fight engine activated, background 1")
    game.expect("Drew enemy HP/MP/etc")
    play.screenshot(game, after="Screenshot")  # the victory's message
    game.key("space")
    game.step("walk into a locked door")
    with game.held("Up"):
        game.expect("Not enough keys")
    game.step("the console brings the hero to the shopkeeper")
    game.key("grave")
    game.expect(re.compile(r"matrix-admin: $"))
    game.type("tport\n5\n3\nexit\n")
    game.expect("Exiting...")
    game.step("buy a sword")
    game.key("Return")
    game.expect("NPC found relative to player: (0,-1)")
    play.open_shop(game)
    game.key("Return")
    play.screenshot(game, after="Screenshot")  # "Purchased!"
    game.key("space")
    game.expect_next("Bought blade, mod of 5")
    game.key("Escape")
    game.step("the character menu, and Escape ends the game")
    play.screenshot(game)  # back in roaming
    game.key("Escape")
    game.key("Down")
    game.expect_next("Screenpos:0")
    game.key("Escape")
    game.wait_exit()

    game.step("valgrind's report")
    with open(log, encoding="utf-8", errors="replace") as f:
        report = f.read()
    errors = ERRORS.findall(report)
    lost = DEFINITELY_LOST.findall(report)
    clean_leaks = "All heap blocks were freed" in report or (lost and set(lost) == {"0"})
    if not errors or set(errors) != {"0"} or not clean_leaks:
        game.fail("valgrind found problems:\n" + report[-20000:])
    game.step("a normal end")
    expect_normal_end(game, npc_count=2)
