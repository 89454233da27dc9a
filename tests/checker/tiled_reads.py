#!/usr/bin/env python3
"""Tiled itself reads the floors tessary-check exports: its JSON of each floor
holds the cells of the map file and the records of the NPC and quest files,
and the maps Tiled saves import back to the very same files.

usage: tiled_reads.py TESSARY-CHECK DATA GFX WORK"""
import filecmp
import json
import os
import shutil
import subprocess
import sys

check, data, gfx, work = sys.argv[1:5]
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
shutil.rmtree(work, ignore_errors=True)
subprocess.run([check, "--gfx", gfx, "--export-tiled", data, work + "/out"], check=True)
shutil.copytree(work + "/out", work + "/saved")


def lines(name):
    with open(os.path.join(data, name), encoding="latin-1", newline="") as f:
        return f.read().replace("\r\n", "\n").split("\n")


def records(name, size):
    text = lines(name)
    for i in range(0, len(text) - size + 1, size):
        x, y = text[i:i + 2] if size == 5 else text[i + 7:i + 9]
        if x in ("", "0") and y in ("", "0"):
            break  # the null record ends the file
        yield text[i:i + size]


def objects(layer):
    return [(o["x"] // 48, o["y"] // 48, {p["name"]: p["value"] for p in o["properties"]})
            for o in layer["objects"]]


checks = failures = 0
for n in range(6):
    suffix = str(n) if n else ""
    tmx, out = "%s/out/floor%d.tmx" % (work, n), "%s/floor%d.json" % (work, n)
    subprocess.run(["tiled", "--export-map", "json", tmx, out], env=env, check=True)
    subprocess.run(["tiled", "--export-map", "tmx", tmx, "%s/saved/floor%d.tmx" % (work, n)],
                   env=env, check=True)
    layers = {layer["name"]: layer for layer in json.load(open(out))["layers"]}
    cells = [ord(c) - ord("0") + 1 for row in lines("map%s.qor" % suffix)[:100] for c in row]
    npcs = [(int(r[7]), int(r[8]), {"hit points": int(r[0]), "maximum hit points": int(r[1]),
                                    "magic points": int(r[2]), "maximum magic points": int(r[3]),
                                    "hostile": int(r[4]) > 0, "name": r[5], "line": r[6],
                                    "character number": int(r[9])})
            for r in records("npcs%s.qor" % suffix, 10)]
    quests = [(int(r[0]), int(r[1]), {"text": r[3], "key reward": int(r[4]) > 0})
              for r in records("quests.qor", 5) if int(r[2]) == n]
    for what, got, want in (("cells", layers["floor"]["data"], cells),
                            ("characters", objects(layers["characters"]), npcs),
                            ("errands", objects(layers["errands"]), quests)):
        checks += 1
        if got != want:
            print("floor %d: Tiled reads other %s than the data files hold" % (n, what))
            failures += 1

back = work + "/back"
os.mkdir(back)
subprocess.run([check, "--import-tiled", work + "/saved", back], check=True)
for name in sorted(os.listdir(back)):
    checks += 1
    if not filecmp.cmp(os.path.join(back, name), os.path.join(data, name), shallow=False):
        print("%s: the maps Tiled saved do not give it back byte for byte" % name)
        failures += 1
print("%d passed, %d failed" % (checks - failures, failures))
sys.exit(1 if failures else 0)
