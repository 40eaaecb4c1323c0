#!/usr/bin/env python3
"""Turns the 24-bit BMP that capture_window writes into a PNG for the README.

    python3 tools/screenshot/bmp_to_png.py IN.bmp OUT.png
"""
import struct
import sys
import zlib


def main(source, target):
    data = open(source, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        sys.exit("expected a 24-bit BMP")
    stride = (width * 3 + 3) & ~3
    bottom_up = height > 0
    height = abs(height)
    raw = bytearray()
    for y in range(height):
        row_at = offset + stride * (height - 1 - y if bottom_up else y)
        row = data[row_at:row_at + width * 3]
        raw.append(0)  # no filter
        for x in range(0, width * 3, 3):
            raw += bytes((row[x + 2], row[x + 1], row[x]))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(target, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
