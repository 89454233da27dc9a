#!/usr/bin/env python3
"""icons.py HICOLOR-FOLDER NAME: the installed icon at each size is the hero's art
scaled by whole pixels and centred, and the scalable one is that same art, pixel
for pixel. Exits with 1 and says which icon differs."""
import re
import struct
import sys
import zlib


def png_pixels(path):
    """The RGBA rows of an 8-bit RGBA PNG, as the art generator writes them."""
    data = open(path, "rb").read()
    chunks = {}
    at = 8
    while at < len(data):
        length = struct.unpack_from(">I", data, at)[0]
        kind = data[at + 4:at + 8]
        chunks[kind] = chunks.get(kind, b"") + data[at + 8:at + 8 + length]
        at += 12 + length
    header = struct.unpack_from(">IIBB", chunks[b"IHDR"])
    width = header[0]
    height = header[1]
    depth = header[2]
    colour = header[3]
    if depth != 8 or colour != 6:
        sys.exit("%s: not 8-bit RGBA" % path)
    raw = zlib.decompress(chunks[b"IDAT"])
    stride = width * 4
    rows = []
    prior = bytes(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind = raw[start]
        line = bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prior[i]
            c = prior[i - 4] if i >= 4 else 0
            p = a + b - c
            nearest = min((abs(p - a), 0, a), (abs(p - b), 1, b), (abs(p - c), 2, c))[2]
            line[i] = (line[i] + [0, a, b, (a + b) // 2, nearest][kind]) & 255
        rows.append([tuple(line[x * 4:x * 4 + 4]) for x in range(width)])
        prior = bytes(line)
    return rows


def svg_pixels(path):
    """The scalable icon drawn at one pixel per unit of its view box."""
    with open(
            path,
            encoding="utf-8") as file:
        text = file.read()
    box = re.search(r'viewBox="0 0 (\d+) (\d+)"', text)
    width = int(box.group(1))
    height = int(box.group(2))
    rows = [[(0, 0, 0, 0)] * width for _ in range(height)]
    for rect in re.finditer(r"<rect ([^>]*)/>", text):
        got = dict(re.findall(r'([\w-]+)="([^"]*)"', rect.group(1)))
        x = int(got["x"])
        y = int(got["y"])
        w = int(got["width"])
        colour = bytes.fromhex(got["fill"][1:])
        alpha = round(float(got.get("fill-opacity", "1")) * 255)
        for i in range(x, x + w):
            rows[y][i] = tuple(colour) + (alpha,)
    return rows


def main(folder, name):
    art = svg_pixels("%s/scalable/apps/%s.svg" % (folder, name))
    for size in (48, 64, 128, 256):
        icon = png_pixels("%s/%dx%d/apps/%s.png" % (folder, size, size, name))
        if len(icon) != size or len(icon[0]) != size:
            return "the %d px icon is %d x %d" % (size, len(icon[0]), len(icon))
        k = size // len(art[0])
        left = (size - len(art[0]) * k) // 2
        top = (size - len(art) * k) // 2
        for y in range(size):
            for x in range(size):
                inside = 0 <= x - left < len(art[0]) * k and 0 <= y - top < len(art) * k
                want = art[(y - top) // k][(x - left) // k] if inside else (0, 0, 0, 0)
                if icon[y][x] != want and not (icon[y][x][3] == want[3] == 0):
                    return "the %d px icon at (%d, %d) is %s, the scalable one %s" % (
                        size, x, y, icon[y][x], want)
    return None


if __name__ == "__main__":
    problem = main(sys.argv[1], sys.argv[2])
    if problem:
        sys.exit("icons: " + problem)
