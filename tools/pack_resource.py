#!/usr/bin/env python3
"""Packs a file for the resource script: its length as 4 bytes, little-endian, then the file
compressed with zlib at level 9. The program unpacks it with zlib's uncompress.

    python3 tools/pack_resource.py IN OUT
"""
import struct
import sys
import zlib


def main():
    src, dst = sys.argv[1], sys.argv[2]
    with open(src, "rb") as f:
        data = f.read()
    with open(dst, "wb") as f:
        f.write(struct.pack("<I", len(data)) + zlib.compress(data, 9))


if __name__ == "__main__":
    main()
