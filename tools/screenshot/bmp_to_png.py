#!/usr/bin/env python3
"""Turns the 24-bit BMP that capture_window writes into a PNG for the README.

    python3 tools/screenshot/bmp_to_png.py IN.bmp OUT.png
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from rgb_png import write_rgb_png  # noqa: E402  (the tools folder, put on the path above)


def main(source, target):
    data = open(source, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        sys.exit("expected a 24-bit BMP")
    stride = (width * 3 + 3) & ~3
    bottom_up = height > 0
    height = abs(height)
    rows = []
    for y in range(height):
        row_at = offset + stride * (height - 1 - y if bottom_up else y)
        row = bytearray(data[row_at:row_at + width * 3])
        row[0::3], row[2::3] = row[2::3], row[0::3]  # BGR to RGB
        rows.append(bytes(row))
    write_rgb_png(target, width, height, rows)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
