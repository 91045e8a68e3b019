#!/usr/bin/env python3
"""Writes orvane.ico: a listener (black) with six speakers (red) around it on
white, at 16, 32 and 48 pixels, 32-bit colour. Run it again only to change the
picture; the .ico it writes is committed."""
import math
import struct
import sys

SPEAKER_ANGLES = (-30, 30, -55, 55, -120, 120)  # degrees from straight ahead


def pixels(size):
    """Rows top to bottom of (b, g, r, a)."""
    white, grey, red, black = (255, 255, 255, 255), (96, 96, 96, 255), (40, 40, 220, 255), (0, 0, 0, 255)
    centre = (size - 1) / 2
    radius = size * 0.38
    dot = max(1.0, size / 16)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            colour = white
            if x in (0, size - 1) or y in (0, size - 1):
                colour = grey
            if math.hypot(x - centre, y - centre) <= dot:
                colour = black
            for angle in SPEAKER_ANGLES:
                sx = centre + radius * math.sin(math.radians(angle))
                sy = centre - radius * math.cos(math.radians(angle))
                if math.hypot(x - sx, y - sy) <= dot:
                    colour = red
            row.append(colour)
        rows.append(row)
    return rows


def image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(p) for row in reversed(pixels(size)) for p in row)
    mask_row = ((size + 31) // 32) * 4
    return header + colour + bytes(mask_row * size)


def main(path):
    sizes = (16, 32, 48)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "orvane.ico")
