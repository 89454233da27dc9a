"""Data trees for end-to-end runs of the game.

A tree holds every file the game loads: images as solid-colour PNGs of known
colours (characters 48 x 48 with a transparent 8-pixel border, tiles 48 x 48),
the font copied from a built game, a map of all '3' cells and empty NPC,
quest and shop files. Scenarios then write the text data they play on.
"""

import os
import shutil
import struct
import zlib

# Folder of each row of the character table, and how many images it has
# (rows with one image use it for all four headings).
SPRITE_FOLDERS = ["pc", "npc0", "npc1", "npc2", "npc4", "npc5", "npc3", "npc6", "npc7", "npc8"]
SPRITE_FILE_COUNTS = [4, 4, 1, 4, 1, 4, 4, 4, 4, 1]

ICONS = ["data/icn/fight.png", "data/icn/defend.png", "data/icn/magick.png",
         "data/icn/heart.png", "data/icn/manap.png", "data/gfx/scrollup.png",
         "data/gfx/scrolldown.png", "data/gfx/shop.png", "data/gfx/soldout.png"]
FX = ["slash", "heal1", "fire1", "zappy", "earth", "meteor", "hand", "heal2", "scorn",
      "messiah", "rapture"]


def sprite_files():
    """Every character image, in the order the game loads its rows."""
    files = []
    for row, folder in enumerate(SPRITE_FOLDERS):
        for heading in range(SPRITE_FILE_COUNTS[row]):
            files.append("data/gfx/sprites/%s/%d.png" % (folder, heading))
    return files


def colour_of(relative):
    """The colour of an image of the tree: a hash of its path, with the top
    bits of each channel differing so images stay apart on a 16-bit screen
    and none comes near the HUD's pure reds and greens."""
    h = 2166136261
    for byte in relative.encode():
        h = ((h ^ byte) * 16777619) & 0xFFFFFFFF
    return ((h & 0xF8) | 0x04, ((h >> 8) & 0xFC) | 0x02, ((h >> 16) & 0xF8) | 0x84)


def png(width, height, colour, border=0):
    """A PNG of one colour, fully transparent within `border` of its edges."""
    r, g, b = colour
    inside = bytes((r, g, b, 255))
    outside = bytes((r, g, b, 0))
    rows = []
    for y in range(height):
        if y < border or y >= height - border:
            rows.append(b"\0" + outside * width)
        else:
            rows.append(b"\0" + outside * border + inside * (width - 2 * border) + outside * border)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 6)) + chunk(b"IEND", b""))


def jpeg(width, height, grey=160):
    """A baseline greyscale JPEG of one shade (the game decodes ".jpg" files
    as JPEG only): every 8 x 8 block holds its DC value alone."""
    dc = 8 * (grey - 128)
    size = abs(dc).bit_length()
    magnitude = dc if dc >= 0 else dc + (1 << size) - 1
    # DC codes "00" (no change) and "01" (size `size`); the AC table's one code "0" ends a block.
    blocks = ((width + 7) // 8) * ((height + 7) // 8)
    bits = "01" + format(magnitude, "0%db" % size) + "0" if size else "000"
    bits += "000" * (blocks - 1)
    bits += "1" * (-len(bits) % 8)
    scan = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8)).replace(b"\xff", b"\xff\x00")

    def segment(marker, data):
        return b"\xff" + bytes((marker,)) + struct.pack(">H", len(data) + 2) + data

    return (b"\xff\xd8" + segment(0xDB, b"\0" + b"\1" * 64) +
            segment(0xC0, struct.pack(">BHHB", 8, height, width, 1) + b"\x01\x11\x00") +
            segment(0xC4, b"\x00" + bytes([0, 2] + [0] * 14) + bytes((0, size))) +
            segment(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\0") +
            segment(0xDA, b"\x01\x01\x00\x00\x3f\x00") + scan + b"\xff\xd9")


class Grid:
    """A 100 x 100 map, cells[y][x], written as the game's map file."""

    def __init__(self, fill="3"):
        self.cells = [[fill] * 100 for _ in range(100)]

    def set(self, x, y, code):
        self.cells[y][x] = code
        return self

    def fill(self, x0, y0, x1, y1, code):
        """Sets every cell of the rectangle from (x0, y0) to (x1, y1), inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.cells[y][x] = code
        return self

    def text(self):
        return "".join("".join(row) + "\n" for row in self.cells)


def npc_record(name, x, y, hp=20, max_hp=20, hostile=0, dialogue="Hello.", character=1, mp=0,
               max_mp=0):
    """One record of an NPC file: ten lines."""
    return "%d\n%d\n%d\n%d\n%d\n%s\n%s\n%d\n%d\n%d\n" % (
        hp, max_hp, mp, max_mp, hostile, name, dialogue, x, y, character)


def quest_record(x, y, floor, text, reward_key=0):
    """One record of the quest file: five lines."""
    return "%d\n%d\n%d\n%s\n%d\n" % (x, y, floor, text, reward_key)


def shop_record(name, price, icon=0, weapon=0, armour=0, healing=0, scroll=0, teaches=(),
                key=0, mana=0):
    """One record of the shop file: sixteen lines, the armour class last."""
    flags = [1 if k in teaches else 0 for k in range(7)]
    lines = [price, icon, weapon, name, healing, scroll] + flags + [key, mana, armour]
    return "".join("%s\n" % v for v in lines)


class DataTree:
    """A working directory for one run of the game, with its data tree."""

    def __init__(self, root, font):
        self.root = root
        for relative in sprite_files():
            self.image(relative, 48, 48, border=8)
        for i in range(8):
            self.image("data/gfx/tiles/0%d.png" % i, 48, 48)
        for relative in ICONS:
            # The heart is small: the HP bar it overlaps stays visible.
            size = 16 if relative.endswith("heart.png") else 40
            self.image(relative, size, size)
        self.image("data/decor/grass.png", 640, 480)
        self.image("data/decor/inside.png", 640, 480)
        self.image("data/gfx/title.png", 640, 480)
        self.image("data/gfx/portrait.png", 120, 120)
        # The backdrop is a JPEG; a PNG under that name loads just as well.
        self.image("data/gfx/clouds.jpg", 100, 80)
        for name in FX:
            self.image("data/gfx/fx/%s.png" % name, 60, 60)
        for i in range(14):
            self.image("data/gfx/items/%d.png" % i, 40, 40)
        os.makedirs(self.path("data"), exist_ok=True)
        shutil.copyfile(font, self.path("data/font.ttf"))
        self.write("data/map.qor", Grid().text())
        for name in ("npcs.qor", "quests.qor", "shopdata.qor"):
            self.write("data/" + name, "")

    def path(self, relative):
        return os.path.join(self.root, relative)

    def image(self, relative, width, height, border=0):
        picture = jpeg(width, height) if relative.endswith(".jpg") else png(
            width, height, colour_of(relative), border)
        self.write(relative, picture)

    def write(self, relative, contents):
        full = self.path(relative)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        if isinstance(contents, str):
            contents = contents.encode("latin-1")
        with open(full, "wb") as out:
            out.write(contents)

    def remove(self, relative):
        os.remove(self.path(relative))

    def exists(self, relative):
        return os.path.exists(self.path(relative))

    def read(self, relative):
        with open(self.path(relative), "rb") as f:
            return f.read()
