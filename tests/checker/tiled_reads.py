#!/usr/bin/env python3
"""usage: tiled_reads.py TESSARY-CHECK DATA GFX WORK: Tiled itself opens the floors
tessary-check exports and saves them again, and what it saved imports back byte for
byte: a cell or a character Tiled read wrongly would come back changed."""
import filecmp, os, shutil, subprocess, sys  # noqa: E401

check, data, gfx, work = sys.argv[1:5]
shutil.rmtree(work, ignore_errors=True)
subprocess.run([check, "--gfx", gfx, "--export-tiled", data, work + "/out"], check=True)
os.mkdir(work + "/saved"), os.mkdir(work + "/back")
for n in range(6):
    subprocess.run(["tiled", "--export-map", "tmx", "%s/out/floor%d.tmx" % (work, n),
                    "%s/saved/floor%d.tmx" % (work, n)], check=True,
                   env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
subprocess.run([check, "--import-tiled", work + "/saved", work + "/back"], check=True)
names = sorted(os.listdir(work + "/back"))
failures = ["%s: the maps Tiled saved do not give it back byte for byte" % name for name in names
            if not filecmp.cmp(os.path.join(work, "back", name), os.path.join(data, name),
                               shallow=False)]
sys.exit("\n".join(failures) or (None if names else "nothing imported"))
