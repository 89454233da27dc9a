#!/usr/bin/env python3
"""check.py [BUILD] [BUILD-WEB]: the browser build played against the desktop build.

The same steps (real keys: the title, the first floor's guide, a walk, the
character menu, a console command, F4) are played by the desktop game in a
private Xvfb and by the page in headless Chromium (drive.mjs). The page's log
must hold the desktop's standard output line for line, its F4 must offer
screenshot.bmp for download, and its first roaming frame must have the
desktop screenshot's pixels wherever no text is drawn."""
import base64
import json
import os
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
from run import Player, TIMEOUT

# Prompts the console prints before it reads; a terminal shows the answer's
# output on the same line, the page gives the prompt a line of its own.
PROMPTS = ("matrix-admin: ", "x:", "y:", "how much:")
# Where the first roaming frame draws text (the HUD's HP and MP numbers):
# left, top, width, height. The browser's font rasterizer is its own.
TEXT_BOXES = ((30, 10, 64, 32), (145, 10, 64, 32))
# Pixels that may be a step off the desktop's: the few half-transparent ones.
MAX_ROUNDED = 64

# The hero starts at (25, 19) between the guide, Old Pell (24, 18), and the
# sentry (26, 20); both talk, each notice closed with Space. The walk west
# along the garden path ends at the garden's west wall, at (10, 19) with
# nobody beside it, however long the key is held past it.
STEPS = [
    {"press": "Space", "retry": True, "until": ["Welcome to the game..."]},
    {"capture": True},
    {"press": "Enter", "until": ["You = (25,19)", "NPC found relative to player: (-1,-1)"]},
    {"press": "Space", "until": ["NPC found relative to player: (1,1)"]},
    {"press": "Space"},
    {"hold": "ArrowLeft", "ms": 2500},
    {"press": "Enter", "until": ["You = (10,19)"]},
    {"press": "Escape"},
    {"press": "Space"},
    {"press": "Backquote"},
    {"console": "stats", "until": ["Floor: 0"]},
    {"console": "exit", "until": ["Exiting..."]},
    {"download": "screenshot.bmp", "key": "F4"},
    {"press": "Escape"},
    {"download": "performance.txt", "key": "Escape"},
    {"ended": "The game has ended."},
]
XDOTOOL_KEYS = {"Space": "space", "Enter": "Return", "Escape": "Escape", "F4": "F4",
                "Backquote": "grave", "ArrowLeft": "Left"}


def fail(message):
    sys.exit("web check: " + message)


def progress(lines):
    """Standard output without the console's prompts."""
    kept = []
    for line in lines:
        for prompt in PROMPTS:
            while line.startswith(prompt):
                line = line[len(prompt):]
        if line:
            kept.append(line)
    return kept


def press_desktop(player, step):
    """A key press of the steps; a screen that may not be up yet is pressed until it answers."""
    key = XDOTOOL_KEYS[step["press"]]
    until = step.get("until", [])
    if step.get("retry"):
        player.key_until_up(key, *until)
    else:
        player.key(key, *until)


def play_desktop(build, root):
    files = {path.name: path.read_text(encoding="latin-1") for path in (ROOT / "data").glob("*.qor")}
    frame = None
    with Player(build, root, files) as player:
        player.xdotool("search", "--sync", "--onlyvisible", "--name", "^Tessary$")
        for step in STEPS:
            if "press" in step:
                press_desktop(player, step)
            elif "hold" in step:
                player.xdotool("keydown", XDOTOOL_KEYS[step["hold"]])
                time.sleep(step["ms"] / 1000)
                player.xdotool("keyup", XDOTOOL_KEYS[step["hold"]])
            elif "console" in step:
                player.game.stdin.write((step["console"] + "\n").encode())
                player.game.stdin.flush()
                player.expect(step["until"], TIMEOUT)
            elif "capture" in step:
                frame = player.roaming_screenshot(False)
            elif "download" in step:
                player.key(XDOTOOL_KEYS[step["key"]])
            elif "ended" in step:
                player.until(lambda: player.game.poll() is not None, "the game did not end", TIMEOUT)
        player.until(lambda: player.terminal is None, "the game's output did not end", TIMEOUT)
        return player.lines(), frame


def play_web(web, out):
    server = subprocess.Popen(
        [sys.executable, str(ROOT / "scripts" / "serve-web.py"), web, "0"],
        stdout=subprocess.PIPE)
    try:
        first = server.stdout.readline().decode()
        if "http://" not in first:
            fail("the server of %s did not start" % web)
        url = first[first.index("http://"):].split()[0]
        steps = os.path.join(out, "steps.json")
        pathlib.Path(steps).write_text(json.dumps(STEPS))
        result = os.path.join(out, "page.json")
        done = subprocess.run(
            ["node", str(HERE / "drive.mjs"), url, steps, result],
            cwd=HERE,
            timeout=TIMEOUT * 10)
        if done.returncode != 0 or not os.path.exists(result):
            fail("the page could not be driven (node exited with %d)" % done.returncode)
        return json.loads(pathlib.Path(result).read_text())
    finally:
        server.kill()
        server.wait()


def bmp_pixels(bmp):
    """(width, height, rows of (r, g, b)) of a 24-bit bottom-up BMP as SDL writes it."""
    offset = struct.unpack_from("<I", bmp, 10)[0]
    width = struct.unpack_from("<i", bmp, 18)[0]
    height = struct.unpack_from("<i", bmp, 22)[0]
    bits = struct.unpack_from("<H", bmp, 28)[0]
    if bits != 24:
        fail("the desktop screenshot has %d bits a pixel, not 24" % bits)
    pitch = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(height):
        row = bmp[offset + (height - 1 - y) * pitch:][:width * 3]
        rows.append([(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]) for x in range(width)])
    return width, height, rows


def as_16_bits(pixel):
    """A colour as the desktop's 16-bit screen (5, 6 and 5 bits) holds it and SDL reads it back."""
    return (pixel[0] >> 3) * 255 // 31, (pixel[1] >> 2) * 255 // 63, (pixel[2] >> 3) * 255 // 31


def in_text(x, y):
    return any(left <= x < left + w and top <= y < top + h for left, top, w, h in TEXT_BOXES)


def one_step_apart(a, b):
    """Colours at most one step of the 16-bit screen apart in each channel."""
    return all(abs(x - y) <= limit for x, y, limit in zip(a, b, (8, 5, 8)))


def compare_frames(desktop_bmp, frame):
    (width, height, rows) = bmp_pixels(desktop_bmp)
    if (frame["width"], frame["height"]) != (width, height):
        fail("the canvas is %dx%d, the desktop frame %dx%d" % (frame["width"], frame["height"], width, height))
    rgba = base64.b64decode(frame["rgba"])
    differing = []
    rounded = 0
    for y in range(height):
        for x in range(width):
            at = (y * width + x) * 4
            canvas = as_16_bits(rgba[at:at + 3])
            desktop = rows[y][x]
            if in_text(x, y) or canvas == desktop:
                continue
            # The browser blends a half-transparent picture pixel with its own
            # rounding: one step off, on a handful of pixels, is that.
            if one_step_apart(canvas, desktop):
                rounded += 1
            else:
                differing.append((x, y, canvas, desktop))
    if differing:
        (x, y, canvas, desktop) = differing[0]
        fail("%d pixels of the first roaming frame differ from the desktop's, the first at (%d, %d): "
             "canvas %s, desktop %s" % (len(differing), x, y, canvas, desktop))
    if rounded > MAX_ROUNDED:
        fail("%d pixels of the first roaming frame are a step off the desktop's" % rounded)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    web = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "build-web")
    for tool in ("/usr/bin/chromium", shutil.which("node"), shutil.which("Xvfb"), shutil.which("xdotool")):
        if not tool or not os.path.exists(tool):
            fail("a tool the check needs is missing: %s" % tool)
    with tempfile.TemporaryDirectory() as root:
        (desktop_lines, desktop_frame) = play_desktop(build, root)
        page = play_web(web, root)
    if page["failure"]:
        fail(page["failure"] + "\n--- the page's log ---\n" +
             "\n".join("%s: %s" % (line["stream"], line["text"]) for line in page["log"][-40:]))
    errors = [line["text"] for line in page["log"] if line["stream"] == "pageerror"]
    if errors:
        fail("the page had errors: %s" % errors)
    page_lines = progress(line["text"] for line in page["log"] if line["stream"] == "stdout")
    wanted = progress(desktop_lines)
    if page_lines != wanted:
        for i, (a, b) in enumerate(zip(page_lines + [None] * len(wanted), wanted + [None] * len(page_lines))):
            if a != b:
                fail("the page's log differs from the desktop's output at line %d: page %r, desktop %r"
                     % (i + 1, a, b))
    download = page["downloads"].get("screenshot.bmp")
    if not download or not download["link"] or download["size"] != len(desktop_frame):
        fail("F4 offered no whole screenshot.bmp for download: %s" % download)
    report = page["downloads"].get("performance.txt")
    if not report or not report["link"] or report["size"] == 0:
        fail("the end of the game offered no performance.txt for download: %s" % report)
    if page["ended"] != STEPS[-1]["ended"]:
        fail("the page said %r at the end of the game" % page["ended"])
    compare_frames(desktop_frame, page["frame"])
    print("web check: %d progress lines and the first roaming frame match the desktop's" % len(wanted))


if __name__ == "__main__":
    main()
