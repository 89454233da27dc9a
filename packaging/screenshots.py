#!/usr/bin/env python3
"""screenshots.py [BUILD-FOLDER]: takes the software centre's screenshots from the
real game, built in BUILD-FOLDER (default build), with the campaign in data/: it
plays on a private Xvfb, reads the X server's screen and writes it as PNG files
into packaging/screenshots/. Run it again when the look of the game changes."""
import ctypes
import glob
import os
import pathlib
import struct
import sys
import tempfile
import time
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from run import Player, TIMEOUT


def png(width, height, rows):
    """An RGB PNG of the rows of RGB bytes, with no time in it."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + \
            struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def grab(display, width=640, height=480):
    """The X server's screen as a PNG, read with XGetImage (32 bits a pixel, BGRX)."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XGetImage.restype = ctypes.c_void_p
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XDestroyImage.argtypes = [ctypes.c_void_p]
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + \
        [ctypes.c_uint] * 2 + [ctypes.c_ulong, ctypes.c_int]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    screen = x11.XOpenDisplay(display.encode())
    image = x11.XGetImage(screen, x11.XDefaultRootWindow(screen), 0, 0, width, height, ~0 & 0xffffffff, 2)
    # XImage: the data pointer at 16, bytes_per_line at 44 and bits_per_pixel at 48.
    data = ctypes.c_void_p.from_address(image + 16).value
    stride = ctypes.c_int.from_address(image + 44).value
    bits = ctypes.c_int.from_address(image + 48).value
    pixels = ctypes.string_at(data, stride * height)
    x11.XDestroyImage(image)
    x11.XCloseDisplay(screen)
    if bits != 32:
        raise ValueError("the X server's screen has %d bits a pixel" % bits)
    rows = []
    for y in range(height):
        bgrx = pixels[y * stride:y * stride + width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3] = bgrx[2::4]
        rgb[1::3] = bgrx[1::4]
        rgb[2::3] = bgrx[0::4]
        rows.append(bytes(rgb))
    return png(width, height, rows)


def take(build, root, out):
    files = {os.path.basename(p): pathlib.Path(p).read_text(encoding="latin-1")
             for p in glob.glob(os.path.join(os.path.dirname(out), "..", "data", "*.qor"))}
    shots = {}
    with Player(build, root, files) as player:
        player.xdotool("search", "--sync", "--onlyvisible", "--name", "^Tessary$")
        player.expect(["HUDController()"], TIMEOUT)  # the title is up, waiting for a key
        time.sleep(1)
        shots["title"] = grab(player.display)
        player.key_until_up("space", "Welcome to the game...")
        player.roaming_screenshot(False)  # once it answers F4, the floor is drawn
        shots["floor"] = grab(player.display)
        # The gardener and the sentry stand beside the hero's first cell.
        player.key("Return", "NPC found relative to player: (-1,-1)")
        time.sleep(1)
        shots["talk"] = grab(player.display)
    os.makedirs(out, exist_ok=True)
    for name, picture in shots.items():
        pathlib.Path(out, name + ".png").write_bytes(picture)
        print("wrote", os.path.join(out, name + ".png"))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory(prefix="tessary-screenshots-") as root:
        take(os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build"), root,
             os.path.join(here, "screenshots"))
