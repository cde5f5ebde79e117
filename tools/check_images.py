#!/usr/bin/python3
"""Checks the committed pictures' containers, which the C++ decoder does not see.

    /usr/bin/python3 tools/check_images.py

The program icon must hold 32x32 and 16x16 images in both 8-bit (palette) and
32-bit colour, each readable and with a clear background around the key; the
refresh picture must be a palette picture with transparency, the other three
RGBA. Exit 1 with one line per fault.
"""
import os
import struct
import sys

from PIL import Image, IcoImagePlugin

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
PICTURES = {"refresh.png": ((30, 12), "P"), "settings.png": ((32, 16), "RGBA"),
            "close.png": ((42, 14), "RGBA"), "help.png": ((32, 16), "RGBA")}
ICON_ENTRIES = {(32, 8), (16, 8), (32, 32), (16, 32)}


def check_icon(faults):
    path = os.path.join(RES, "quillpad.ico")
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind) != (0, 1):
        faults.append("quillpad.ico: not an icon file")
        return
    found = set()
    for i in range(count):
        w, h, colours, _, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        if offset + size > len(data):
            faults.append("quillpad.ico: image %d runs past the end" % i)
            continue
        # The directory and the bitmap header inside must agree.
        hdr_size, bw, bh, _, hdr_bpp = struct.unpack_from("<IiiHH", data, offset)
        if (hdr_size, bw, bh, hdr_bpp) != (40, w, 2 * h, bpp):
            faults.append("quillpad.ico: image %d header %s disagrees with %dx%d %d-bit"
                          % (i, (hdr_size, bw, bh, hdr_bpp), w, h, bpp))
        found.add((w, bpp))
    if found != ICON_ENTRIES:
        faults.append("quillpad.ico: images %s, expected %s" % (sorted(found), sorted(ICON_ENTRIES)))
    with open(path, "rb") as f:
        ico = IcoImagePlugin.IcoFile(f)
        for i in range(len(ico.entry)):
            img = ico.frame(i).convert("RGBA")
            corner, middle = img.getpixel((0, 0))[3], img.getpixel((img.width // 2, img.height // 2))[3]
            if corner != 0 or middle != 255:
                faults.append("quillpad.ico: image %d (%dx%d) alpha %d at the corner, %d in the middle"
                              % (i, img.width, img.height, corner, middle))


def check_pictures(faults):
    for name, (size, mode) in PICTURES.items():
        img = Image.open(os.path.join(RES, name))
        if img.size != size or img.mode != mode:
            faults.append("%s: %s %s, expected %s %s" % (name, img.size, img.mode, size, mode))
        if mode == "P" and "transparency" not in img.info:
            faults.append("%s: palette without transparency" % name)


def main():
    faults = []
    check_icon(faults)
    check_pictures(faults)
    for fault in faults:
        print("check_images: " + fault)
    if faults:
        sys.exit(1)
    print("check_images: icon and %d pictures as expected" % len(PICTURES))


if __name__ == "__main__":
    main()
