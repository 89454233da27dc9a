#!/usr/bin/env python3
"""screenshots.py [BUILD-FOLDER]: takes the software centre's screenshots from the
real game, built in BUILD-FOLDER (default build), with the campaign in data/: it
plays on a private Xvfb, saves frames with F4 and writes them as PNG files into
packaging/screenshots/. Run it again when the look of the game changes."""
import glob, os, pathlib, struct, sys, tempfile, zlib  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from run import Player, read  # noqa: E402


def png_of_bmp(bmp):
    """A 24-bit bottom-up BMP, as SDL saves it, as an RGB PNG with no time in it."""
    start = struct.unpack_from("<I", bmp, 10)[0]
    width, height = struct.unpack_from("<ii", bmp, 18)
    bits = struct.unpack_from("<H", bmp, 28)[0]
    if bits != 24 or height <= 0:
        raise ValueError("not a 24-bit bottom-up BMP")
    stride = (width * 3 + 3) // 4 * 4
    raw = b""
    for y in range(height):
        row = bmp[start + (height - 1 - y) * stride:][:width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
        raw += b"\0" + bytes(rgb)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + \
            struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def notice_shot(player):
    """F4 on a screen that waits for a key: it says "Screenshot", then saves."""
    path = os.path.join(player.root, "screenshot.bmp")
    os.path.exists(path) and os.remove(path)
    player.key("F4", "Screenshot")
    whole = lambda bmp: len(bmp) > 6 and len(bmp) == struct.unpack_from("<I", bmp, 2)[0]  # noqa
    player.until(lambda: whole(read(path)), "no whole screenshot.bmp", 3)
    return read(path)


def take(build, root, out):
    files = {os.path.basename(p): pathlib.Path(p).read_text(encoding="latin-1")
             for p in glob.glob(os.path.join(os.path.dirname(out), "..", "data", "*.qor"))}
    player = Player(build, root, files)
    shots = {}
    try:
        player.xdotool("search", "--sync", "--onlyvisible", "--name", "^Tessary$")
        player.key("F4", "Screenshot", tries=5)  # the title, once it takes keys
        shots["title"] = notice_shot(player)
        player.key("space", "Welcome to the game...")
        shots["floor"] = player.roaming_screenshot()
        # The gardener and the sentry stand beside the hero's first cell.
        player.key("Return", "NPC found relative to player: (-1,-1)")
        shots["talk"] = notice_shot(player)
    finally:
        player.game.kill(), player.xvfb.kill()
    os.makedirs(out, exist_ok=True)
    for name, bmp in shots.items():
        pathlib.Path(out, name + ".png").write_bytes(png_of_bmp(bmp))
        print("wrote", os.path.join(out, name + ".png"))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory(prefix="tessary-screenshots-") as root:
        take(os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build"), root,
             os.path.join(here, "screenshots"))
