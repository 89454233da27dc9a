#!/usr/bin/env python3
"""usage: tiled_reads.py TESSARY-CHECK DATA GFX WORK: Tiled itself opens the floors
tessary-check exports and saves them again, and what it saved imports back byte for
byte: a cell or a character Tiled read wrongly would come back changed."""
import filecmp
import os
import shutil
import subprocess
import sys


def run(command, env):
    """Runs a command; a failing one ends the check."""
    subprocess.run(
        command,
        check=True,
        env=env)


def main(check, data, gfx, work):
    shutil.rmtree(
        work,
        ignore_errors=True)
    run([check, "--gfx", gfx, "--export-tiled", data, work + "/out"], os.environ)
    os.mkdir(work + "/saved")
    os.mkdir(work + "/back")
    offscreen = dict(os.environ)
    offscreen["QT_QPA_PLATFORM"] = "offscreen"
    for n in range(6):
        exported = "%s/out/floor%d.tmx" % (work, n)
        saved = "%s/saved/floor%d.tmx" % (work, n)
        run(["tiled", "--export-map", "tmx", exported, saved], offscreen)
    run([check, "--import-tiled", work + "/saved", work + "/back"], os.environ)
    names = sorted(os.listdir(work + "/back"))
    if not names:
        return "nothing imported"
    failures = []
    for name in names:
        back = os.path.join(work, "back", name)
        shipped = os.path.join(data, name)
        same = filecmp.cmp(
            back,
            shipped,
            shallow=False)
        if not same:
            failures.append("%s: the maps Tiled saved do not give it back byte for byte" % name)
    return "\n".join(failures) or None


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]))
