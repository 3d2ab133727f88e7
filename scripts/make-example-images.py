#!/usr/bin/env python3
"""Writes the small images that examples/textured.json uses.

Run from anywhere; the images go to examples/textures/ beside the scene.
Only the standard library is needed: PNG is zlib-compressed rows in CRC'd
chunks, TGA a fixed header followed by raw pixels.
"""

import math
import struct
import zlib
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "examples" / "textures"


def png(path, width, height, pixel, alpha=False):
    """pixel(x, y) gives (r, g, b) or (r, g, b, a) bytes; rows top first."""
    channels = 4 if alpha else 3
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        for x in range(width):
            rows.extend(pixel(x, y)[:channels])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9))
            + chunk(b"IEND", b""))
    path.write_bytes(data)


def tga_indexed(path, width, height, palette, index):
    """A colour-mapped TGA (image type 1): 24-bit map entries stored blue,
    green, red; 8-bit indices; top row first."""
    header = struct.pack("<BBBHHBHHHHBB", 0, 1, 1, 0, len(palette), 24, 0, 0, width, height, 8, 0x20)
    colour_map = b"".join(bytes((b, g, r)) for r, g, b in palette)
    pixels = bytes(index(x, y) for y in range(height) for x in range(width))
    path.write_bytes(header + colour_map + pixels)


def checker(x, y):
    return (230, 230, 230) if (x // 4 + y // 4) % 2 == 0 else (40, 60, 160)


def leaf(x, y):
    # A round green leaf whose edge fades out.
    d = math.hypot(x - 15.5, y - 15.5) / 16.0
    a = max(0, min(255, int((1.0 - d) * 2.0 * 255)))
    return (40 + x * 3, 150 + y * 2, 40, a)


def stone(x, y):
    v = (x * 37 + y * 91 + (x * y) % 23) % 64
    return (110 + v, 100 + v, 90 + v)


def face(mouth, eyes):
    def pixel(x, y):
        skin = (240, 200, 160)
        if eyes and y in (4, 5) and x in (4, 5, 10, 11):
            return (20, 20, 20)
        if not eyes and y == 5 and 3 <= x <= 12 and x not in (7, 8):
            return (20, 20, 20)
        if mouth == "flat" and y == 11 and 4 <= x <= 11:
            return (150, 40, 40)
        if mouth == "smile" and ((y == 11 and 5 <= x <= 10) or (y == 10 and x in (4, 11))):
            return (150, 40, 40)
        return skin
    return pixel


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    png(OUT / "checker.png", 16, 16, checker)
    png(OUT / "leaf_alpha.png", 32, 32, leaf, alpha=True)
    png(OUT / "stone_cmp.png", 32, 32, stone)
    png(OUT / "face_base.png", 16, 16, face("flat", True))
    png(OUT / "face_smile.png", 16, 16, face("smile", True))
    png(OUT / "face_blink.png", 16, 16, face("flat", False))
    palette = [(20, 20, 20), (240, 240, 240), (200, 40, 40)]
    for frame in range(3):
        # A red bar walking across a light ground.
        tga_indexed(OUT / f"walk{frame + 1:02d}.tga", 16, 16, palette,
                    lambda x, y, f=frame: 2 if 4 * f + 2 <= x < 4 * f + 6 and 4 <= y < 12 else (0 if y == 15 else 1))


if __name__ == "__main__":
    main()
