#!/usr/bin/env python3
"""usage: tiled_reads.py TESSARY-CHECK DATA GFX WORK: Tiled itself reads the floors
tessary-check exports (cells and characters), and what it saves imports back byte for byte."""
import filecmp, json, os, shutil, subprocess, sys  # noqa: E401

check, data, gfx, work = sys.argv[1:5]
shutil.rmtree(work, ignore_errors=True)
subprocess.run([check, "--gfx", gfx, "--export-tiled", data, work + "/out"], check=True)
os.mkdir(work + "/saved"), os.mkdir(work + "/back")
failures = []


def read(name, n):
    with open(os.path.join(data, name % (n or "")), encoding="latin-1", newline="") as f:
        return f.read().replace("\r\n", "\n").split("\n")


for n in range(6):
    for kind, to in ("json", work + "/floor.json"), ("tmx", "%s/saved/floor%d.tmx" % (work, n)):
        subprocess.run(["tiled", "--export-map", kind, "%s/out/floor%d.tmx" % (work, n), to],
                       check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    layers = {layer["name"]: layer for layer in json.load(open(work + "/floor.json"))["layers"]}
    cells = [ord(c) - ord("0") + 1 for row in read("map%s.qor", n)[:100] for c in row]
    if layers["floor"]["data"] != cells:
        failures.append("floor %d: Tiled reads other cells than the map file holds" % n)
    names = [p["value"] for o in layers["characters"]["objects"] for p in o["properties"]
             if p["name"] == "name"]
    if not names or names != read("npcs%s.qor", n)[5:10 * len(names):10]:
        failures.append("floor %d: Tiled reads other characters than the NPC file holds" % n)
subprocess.run([check, "--import-tiled", work + "/saved", work + "/back"], check=True)
for name in sorted(os.listdir(work + "/back")):
    if not filecmp.cmp(os.path.join(work, "back", name), os.path.join(data, name), shallow=False):
        failures.append("%s: the maps Tiled saved do not give it back byte for byte" % name)
sys.exit("\n".join(failures) or None)
