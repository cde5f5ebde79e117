#!/usr/bin/python3
"""Checks the committed pictures' containers, which the C++ decoder does not see.

    /usr/bin/python3 tools/check_images.py

The program icon must hold 32x32 and 16x16 images in both 8-bit (palette) and
32-bit colour and the 20, 24 and 48 sizes of scaled displays in 32-bit colour,
each readable and with a clear background around the key; the refresh pictures
must be palette pictures with transparency, the other three RGBA, at 100 % and
at 120, 144 and 192 DPI in the sizes the program cuts them to; and rerunning
tools/draw_images.py must reproduce every committed file byte for byte. Exit 1
with one line per fault.
"""
import filecmp
import os
import struct
import subprocess
import sys
import tempfile

from PIL import Image, IcoImagePlugin

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
# name: (images side by side, width and height of one at 100 %, mode)
STRIPS = {"refresh": (2, 15, 12, "P"), "settings": (2, 16, 16, "RGBA"), "close": (3, 14, 14, "RGBA"),
          "help": (2, 16, 16, "RGBA")}


def scaled(n, dpi):
    return (2 * n * dpi + 96) // 192


PICTURES = {}
for _name, (_count, _w, _h, _mode) in STRIPS.items():
    for _dpi in (96, 120, 144, 192):
        _file = _name + (".png" if _dpi == 96 else "-%d.png" % _dpi)
        PICTURES[_file] = ((_count * scaled(_w, _dpi), scaled(_h, _dpi)), _mode)
ICON_ENTRIES = {(32, 8), (16, 8), (32, 32), (16, 32), (20, 32), (24, 32), (48, 32)}


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


def check_reproduced(faults):
    with tempfile.TemporaryDirectory() as out:
        tool = os.path.join(os.path.dirname(os.path.abspath(__file__)), "draw_images.py")
        subprocess.run([sys.executable, tool, "--out", out], check=True)
        for name in sorted(os.listdir(out)):
            committed = os.path.join(RES, name)
            if not os.path.exists(committed) or not filecmp.cmp(committed, os.path.join(out, name), shallow=False):
                faults.append("%s: the generator draws it differently from the committed file" % name)


def main():
    faults = []
    check_icon(faults)
    check_pictures(faults)
    check_reproduced(faults)
    for fault in faults:
        print("check_images: " + fault)
    if faults:
        sys.exit(1)
    print("check_images: icon and %d pictures as expected" % len(PICTURES))


if __name__ == "__main__":
    main()
