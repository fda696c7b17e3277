#!/usr/bin/env python3
"""Writes the program icon as PNG files in the usual desktop sizes.

Usage: make_png_icons.py PALETTE OUT_DIR SIZE... -- IMAGE...

Reads the same pixel files as make_icon.py and writes OUT_DIR/SIZExSIZE.png for
each SIZE. Each PNG is the largest pixel image whose size divides SIZE, scaled up
by whole pixels (nearest neighbour), so the pixel art stays sharp: 48 comes
from the 16-pixel drawing, 64 and up from the 32-pixel one.
"""

import os
import struct
import sys
import zlib

from make_icon import IconError, read_image, read_palette


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_bytes(rows, colours, scale):
    """An 8-bit RGBA PNG of the pixel rows, each pixel drawn scale × scale."""
    size = len(rows) * scale
    lines = []
    for row in rows:
        pixels = b"".join(colours[character] * scale for character in row)
        lines.extend([b"\0" + pixels] * scale)  # filter type 0 on every line
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(b"".join(lines), 9)) + png_chunk(b"IEND", b""))


def source_for(size, images):
    fitting = [rows for rows in images if size % len(rows) == 0]
    if not fitting:
        raise IconError(f"no pixel image divides {size}")
    return max(fitting, key=len)


def main(argv):
    if "--" not in argv or argv.index("--") < 4 or argv.index("--") == len(argv) - 1:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    split = argv.index("--")
    try:
        palette = read_palette(argv[1])
        indices = {character: index for index, (character, _) in enumerate(palette)}
        colours = {character: struct.pack(">I", rgb << 8 | 0xFF) for character, rgb in palette}
        colours["."] = b"\0\0\0\0"
        images = [read_image(path, indices) for path in argv[split + 1:]]
        sizes = [int(size) for size in argv[3:split]]
        os.makedirs(argv[2], exist_ok=True)
        for size in sizes:
            rows = source_for(size, images)
            with open(os.path.join(argv[2], f"{size}x{size}.png"), "wb") as target:
                target.write(png_bytes(rows, colours, size // len(rows)))
    except (IconError, OSError, ValueError) as error:
        print(f"make_png_icons: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
