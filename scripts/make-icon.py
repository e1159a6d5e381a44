#!/usr/bin/env python3
"""Draws the test program's icon, a processor chip, and writes it as a .ico file.

Sizes 16, 24, 32 and 48 at 4, 8 and 32 bits per pixel, and 256 at 32 bits (stored as PNG).
Usage: python3 scripts/make-icon.py testprog/res/TestZavit.ico
"""
import struct
import sys
import zlib

BODY = (40, 44, 52)        # package
PIN = (200, 200, 196)      # pins
DIE = (58, 120, 200)       # die
DIE_EDGE = (150, 196, 240)
MARK = (240, 240, 240)     # pin-1 mark

# 16-colour palette (the classic Windows one) and a 256-entry palette: those plus a colour cube.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE256 = (VGA16 + CUBE + [BODY, PIN, DIE, DIE_EDGE, MARK] + [(0, 0, 0)] * 256)[:256]


def shapes(u):
    """The chip in a unit square: a list of (rectangle x0, y0, x1, y1, colour), later ones on top."""
    items = []
    pins = 4
    for i in range(pins):
        c = 0.28 + i * (0.44 / (pins - 1))
        w = 0.035 + 0.5 / u  # pins stay visible at 16 px
        items += [(c - w, 0.06, c + w, 0.2, PIN), (c - w, 0.8, c + w, 0.94, PIN),
                  (0.06, c - w, 0.2, c + w, PIN), (0.8, c - w, 0.94, c + w, PIN)]
    items.append((0.17, 0.17, 0.83, 0.83, BODY))
    items.append((0.3, 0.3, 0.7, 0.7, DIE_EDGE))
    items.append((0.33, 0.33, 0.67, 0.67, DIE))
    items.append((0.22, 0.22, 0.22 + max(0.06, 1.5 / u), 0.22 + max(0.06, 1.5 / u), MARK))
    return items


def render(size):
    """RGBA rows, top first, 4x4 supersampled."""
    items = shapes(size)
    rows = []
    sub = 4
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(sub):
                for sx in range(sub):
                    px = (x + (sx + 0.5) / sub) / size
                    py = (y + (sy + 0.5) / sub) / size
                    colour = None
                    for x0, y0, x1, y1, c in items:
                        if x0 <= px < x1 and y0 <= py < y1:
                            colour = c
                    if colour:
                        acc[0] += colour[0]; acc[1] += colour[1]; acc[2] += colour[2]; acc[3] += 1
            n = acc[3]
            if n:
                row.append((acc[0] // n, acc[1] // n, acc[2] // n, 255 * n // (sub * sub)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def nearest(palette, colour):
    return min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))


def and_mask(rows):
    size = len(rows)
    stride = ((size + 31) // 32) * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def bitmap(rows, bpp):
    """A DIB as stored in an icon: header with doubled height, palette, XOR pixels, AND mask."""
    size = len(rows)
    palette = {4: VGA16, 8: PALETTE256}.get(bpp, [])
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0, len(palette), 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    stride = ((size * bpp + 31) // 32) * 4
    pixels = b""
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            if bpp == 32:
                line[x * 4:x * 4 + 4] = bytes((b, g, r, a))
                continue
            index = nearest(palette, (r, g, b)) if a >= 128 else 0
            if bpp == 8:
                line[x] = index
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += bytes(line)
    return header + pal + pixels + and_mask(rows)


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(path):
    images = []
    for size in (16, 24, 32, 48):
        rows = render(size)
        for bpp in (4, 8, 32):
            images.append((size, bpp, bitmap(rows, bpp)))
    images.append((256, 32, png(render(256))))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for size, bpp, blob in images:
        colours = {4: 16}.get(bpp, 0)
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
        data += blob
    with open(path, "wb") as out:
        out.write(directory + data)


if __name__ == "__main__":
    main(sys.argv[1])
