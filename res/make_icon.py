#!/usr/bin/env python3
"""Builds a 16-colour Windows icon file from pixel files drawn in text.

Usage: make_icon.py PALETTE OUT_ICO IMAGE...

PALETTE lists 16 lines "<character> RRGGBB"; each IMAGE is a square of
characters, one per pixel, '.' for a transparent pixel. The icon holds the
images in the order given.
"""

import struct
import sys


class IconError(Exception):
    pass


def read_palette(path):
    palette = []
    with open(path, encoding="utf-8") as source:
        for line in source:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            character, colour = line.split()
            if len(character) != 1 or character == "." or len(colour) != 6:
                raise IconError(f"{path}: bad palette line '{line}'")
            palette.append((character, int(colour, 16)))
    if len(palette) != 16 or len({c for c, _ in palette}) != 16:
        raise IconError(f"{path}: needs 16 distinct colours")
    return palette


def read_image(path, indices):
    with open(path, encoding="utf-8") as source:
        rows = [line.rstrip("\n") for line in source if line.strip() and not line.startswith("#")]
    size = len(rows)
    if size not in (16, 32, 48) or any(len(row) != size for row in rows):
        raise IconError(f"{path}: not a square of 16, 32 or 48 pixels")
    for row in rows:
        for character in row:
            if character != "." and character not in indices:
                raise IconError(f"{path}: '{character}' is not in the palette")
    return rows


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def image_data(rows, palette, indices):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    colours = b"".join(struct.pack("<BBBB", rgb & 0xFF, (rgb >> 8) & 0xFF, rgb >> 16, 0) for _, rgb in palette)
    colour_rows = []
    mask_rows = []
    for row in reversed(rows):  # bottom-up, as bitmaps are stored
        nibbles = [0 if c == "." else indices[c] for c in row]
        colour_rows.append(padded(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))))
        bits = bytearray((size + 7) // 8)
        for x, character in enumerate(row):
            if character == ".":
                bits[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(padded(bytes(bits)))
    return header + colours + b"".join(colour_rows) + b"".join(mask_rows)


def main(argv):
    if len(argv) < 4:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    try:
        palette = read_palette(argv[1])
        indices = {character: index for index, (character, _) in enumerate(palette)}
        images = [read_image(path, indices) for path in argv[3:]]
        datas = [image_data(rows, palette, indices) for rows in images]
        out = struct.pack("<HHH", 0, 1, len(images))
        offset = 6 + 16 * len(images)
        for rows, data in zip(images, datas):
            size = len(rows)
            out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(data), offset)
            offset += len(data)
        with open(argv[2], "wb") as target:
            target.write(out + b"".join(datas))
    except (IconError, OSError, ValueError) as error:
        print(f"make_icon: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
