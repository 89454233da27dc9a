"""Reading the game's screenshots: Windows BMP files as SDL writes them
(24 or 32 bits per pixel, or 16 and 32 with bit fields; rows bottom-up or
top-down)."""

import struct


class BmpError(Exception):
    pass


class Bitmap:
    def __init__(self, data):
        if len(data) < 54 or data[:2] != b"BM":
            raise BmpError("not a BMP file (%d bytes)" % len(data))
        offset = struct.unpack_from("<I", data, 10)[0]
        header_size, width, height, planes, bpp, compression = struct.unpack_from("<IiiHHI", data, 14)
        if bpp not in (16, 24, 32) or compression not in (0, 3):
            raise BmpError("unsupported BMP: %d bits per pixel, compression %d" % (bpp, compression))
        if compression == 3:
            # The masks follow a 40-byte header, or sit inside a larger one.
            masks = struct.unpack_from("<III", data, 14 + 40)
        elif bpp == 16:
            masks = (0x7C00, 0x03E0, 0x001F)
        else:
            masks = (0xFF0000, 0x00FF00, 0x0000FF)
        self.width = width
        self.height = abs(height)
        self.bottom_up = height > 0
        self.bpp = bpp
        self.masks = masks
        self.stride = (width * bpp // 8 + 3) & ~3
        self.offset = offset
        self.data = data
        if offset + self.stride * self.height > len(data):
            raise BmpError("BMP file cut short")

    def pixel(self, x, y):
        """The (red, green, blue) of pixel (x, y), each scaled to 0..255."""
        row = self.height - 1 - y if self.bottom_up else y
        at = self.offset + row * self.stride + x * (self.bpp // 8)
        if self.bpp == 24 and self.masks == (0xFF0000, 0x00FF00, 0x0000FF):
            b, g, r = self.data[at:at + 3]
            return (r, g, b)
        raw = int.from_bytes(self.data[at:at + self.bpp // 8], "little")
        return tuple(_channel(raw, mask) for mask in self.masks)


def _channel(raw, mask):
    if mask == 0:
        return 0
    shift = (mask & -mask).bit_length() - 1
    top = mask >> shift
    return ((raw & mask) >> shift) * 255 // top


def read(path):
    with open(path, "rb") as f:
        return Bitmap(f.read())
