#!/usr/bin/python3
"""Draws the program icon and the panel's button pictures into resources/.

Rerun after changing the art: /usr/bin/python3 tools/draw_images.py
"""
import os
from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "resources")


def draw_icon(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    s = size / 32.0
    d.rounded_rectangle([1 * s, 4 * s, 31 * s, 28 * s], radius=4 * s, fill=(60, 60, 70, 255))
    for row in range(2):
        for col in range(3):
            x0 = (4 + col * 9) * s
            y0 = (7 + row * 10) * s
            d.rounded_rectangle([x0, y0, x0 + 7 * s, y0 + 7 * s], radius=1.5 * s, fill=(220, 220, 228, 255))
    return img


def main():
    os.makedirs(RES, exist_ok=True)
    big = draw_icon(32)
    big.save(os.path.join(RES, "quillpad.ico"), sizes=[(32, 32), (16, 16)])


if __name__ == "__main__":
    main()
