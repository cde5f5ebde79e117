#!/usr/bin/python3
"""Draws the program icon and the panel's button pictures into resources/.

Rerun after changing the art: /usr/bin/python3 tools/draw_images.py
    --preview DIR   also writes enlarged previews on light and dark panels
    --out DIR       writes into DIR instead of resources/ (to compare with the committed files)

Each button picture is drawn at 100 % (name.png) and again at 125, 150 and 200 % display scale
(name-120.png, name-144.png, name-192.png, for those DPIs), from the same shapes: every
coordinate is scaled, so the larger pictures are as sharp as the small ones. A picture's size at
a scale follows the program's rule, round(size * dpi / 96) with halves rounded up. The icon holds
the small-icon sizes of those scales too.

Shapes are drawn as coverage masks at SS times the final size and averaged down,
so edges are antialiased by their true coverage; geometry sits on whole and half
pixels where it matters, so that the tiny pictures stay crisp. The output depends
only on this script and Pillow, so reruns reproduce the committed files.
"""
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "resources")
SS = 16
DPIS = (96, 120, 144, 192)
# The scale the pictures are being drawn for, as a DPI; set by draw_at().
SCALE_DPI = 96


def scaled(n):
    """A whole-pixel size at the current scale, by the program's rounding rule."""
    return (2 * n * SCALE_DPI + 96) // 192
QUESTION_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


# ---- drawing helpers ------------------------------------------------------------

class Mask:
    """A coverage mask of w x h pixels at 100 %, drawn in those pixel coordinates; it holds the
    picture at the current scale."""

    def __init__(self, w, h):
        self.w, self.h = scaled(w), scaled(h)
        # Per axis, so that shapes fill the rounded size exactly.
        self.kx, self.ky = self.w / w * SS, self.h / h * SS
        self.img = Image.new("L", (self.w * SS, self.h * SS), 0)
        self.draw = ImageDraw.Draw(self.img)

    def polygon(self, pts, on=True):
        self.draw.polygon([(x * self.kx, y * self.ky) for x, y in pts], fill=255 if on else 0)

    def circle(self, cx, cy, r, on=True):
        box = [(cx - r) * self.kx, (cy - r) * self.ky, (cx + r) * self.kx - 1, (cy + r) * self.ky - 1]
        self.draw.ellipse(box, fill=255 if on else 0)

    def rounded(self, x0, y0, x1, y1, r, on=True):
        box = [x0 * self.kx, y0 * self.ky, x1 * self.kx - 1, y1 * self.ky - 1]
        self.draw.rounded_rectangle(box, radius=r * self.ky, fill=255 if on else 0)

    def segment(self, p, q, width, on=True):
        """A straight bar from p to q with square ends."""
        dx, dy = q[0] - p[0], q[1] - p[1]
        n = math.hypot(dx, dy)
        ox, oy = -dy / n * width / 2, dx / n * width / 2
        self.polygon([(p[0] + ox, p[1] + oy), (q[0] + ox, q[1] + oy),
                      (q[0] - ox, q[1] - oy), (p[0] - ox, p[1] - oy)], on)

    def alpha(self):
        return self.img.resize((self.w, self.h), Image.BOX)


def gradient(w, h, top, bottom, y0=0.0, y1=None):
    """A vertical colour ramp from `top` at y0 to `bottom` at y1 (pixel rows at 100 %)."""
    y1 = h if y1 is None else y1
    k = scaled(h) / h
    w, h, y0, y1 = scaled(w), scaled(h), y0 * k, y1 * k
    img = Image.new("RGBA", (w, h))
    for y in range(h):
        t = min(1.0, max(0.0, (y + 0.5 - y0) / max(1e-6, y1 - y0)))
        c = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        img.paste(c + (255,), (0, y, w, y + 1))
    return img


def layer(canvas, paint, mask):
    """Paints `paint` (a colour or an RGBA image) through `mask` onto `canvas`."""
    w, h = canvas.size
    if isinstance(paint, tuple):
        paint = Image.new("RGBA", (w, h), paint[:3] + (255,))
    top = paint.copy()
    alpha = mask.alpha() if isinstance(mask, Mask) else mask
    if len(paint.getbands()) == 4:
        alpha = Image.composite(paint.getchannel("A"), Image.new("L", (w, h), 0), alpha)
    top.putalpha(alpha)
    return Image.alpha_composite(canvas, top)


def blank(w, h):
    return Image.new("RGBA", (scaled(w), scaled(h)), (0, 0, 0, 0))


# ---- refresh: two arrows chasing each other round a circle -----------------------

def refresh_arrows(colour):
    w, h = 15, 12
    cx, cy, r, stroke = 7.5, 6.0, 3.9, 1.5
    head_half, head_len = 2.3, 3.0
    m = Mask(w, h)
    for start in (185.0, 5.0):
        end = start + 105.0
        steps = 48
        outer, inner = [], []
        for i in range(steps + 1):
            a = math.radians(start + (end - start) * i / steps)
            outer.append((cx + (r + stroke / 2) * math.cos(a), cy + (r + stroke / 2) * math.sin(a)))
            inner.append((cx + (r - stroke / 2) * math.cos(a), cy + (r - stroke / 2) * math.sin(a)))
        m.polygon(outer + inner[::-1])
        # Arrowhead at the clockwise end, pointing along the circle.
        a = math.radians(end)
        bx, by = cx + r * math.cos(a), cy + r * math.sin(a)
        tx, ty = -math.sin(a), math.cos(a)
        nx, ny = math.cos(a), math.sin(a)
        m.polygon([(bx + nx * head_half, by + ny * head_half),
                   (bx + tx * head_len, by + ty * head_len),
                   (bx - nx * head_half, by - ny * head_half)])
    return layer(blank(w, h), colour, m)


def to_palette(img):
    """An RGBA picture as a palette picture with a tRNS entry per colour."""
    step = 1
    while True:
        colours = {}
        for px in img.getdata():
            a = min(255, round(px[3] / step) * step)
            key = (0, 0, 0, 0) if a == 0 else px[:3] + (a,)
            colours.setdefault(key, len(colours))
        if len(colours) <= 256:
            break
        step += 1
    keys = sorted(colours, key=lambda k: (k[3] != 0, k))
    index = {k: i for i, k in enumerate(keys)}
    out = Image.new("P", img.size)
    out.putpalette([c for k in keys for c in k[:3]])
    data = []
    for px in img.getdata():
        a = min(255, round(px[3] / step) * step)
        data.append(index[(0, 0, 0, 0) if a == 0 else px[:3] + (a,)])
    out.putdata(data)
    out.info["transparency"] = bytes(k[3] for k in keys)
    return out


# ---- settings: a cog wheel -------------------------------------------------------

def cog(top, bottom):
    w = h = 16
    cx, cy = 8.0, 8.0
    teeth, r_tip, r_root, r_hole = 8, 7.4, 5.3, 2.2
    m = Mask(w, h)
    pts = []
    for i in range(teeth):
        c = 2 * math.pi * i / teeth + math.pi / teeth
        for da, rr in ((-0.30, r_root), (-0.17, r_tip), (0.17, r_tip), (0.30, r_root)):
            pts.append((cx + rr * math.cos(c + da), cy + rr * math.sin(c + da)))
    m.polygon(pts)
    m.circle(cx, cy, r_root + 0.05)
    m.circle(cx, cy, r_hole, on=False)
    return layer(blank(w, h), gradient(w, h, top, bottom, 1, 15), m)


# ---- close: a diagonal cross -----------------------------------------------------

def cross(colour):
    w = h = 14
    m = Mask(w, h)
    lo, hi, width = 3.5, 10.5, 2.1
    m.segment((lo, lo), (hi, hi), width)
    m.segment((hi, lo), (lo, hi), width)
    return layer(blank(w, h), colour, m)


# ---- help: a white question mark on a round badge --------------------------------

def question_mask(w, h, cx, top, height):
    """The bold question mark, scaled to `height` pixels, centred on cx."""
    big = 400
    font = ImageFont.truetype(QUESTION_FONT, big)
    x0, y0, x1, y1 = font.getbbox("?")
    m = Mask(w, h)
    scale = height * m.ky / (y1 - y0)
    glyph = Image.new("L", (x1 - x0, y1 - y0), 0)
    ImageDraw.Draw(glyph).text((-x0, -y0), "?", font=font, fill=255)
    glyph = glyph.resize((round((x1 - x0) * scale), round(height * m.ky)), Image.LANCZOS)
    m.img.paste(glyph, (round(cx * m.kx - glyph.width / 2), round(top * m.ky)))
    return m


def badge(top, bottom, rim):
    w = h = 16
    disc, inner = Mask(w, h), Mask(w, h)
    disc.circle(8.0, 8.0, 7.5)
    inner.circle(8.0, 8.0, 6.6)
    img = layer(blank(w, h), rim, disc)
    img = layer(img, gradient(w, h, top, bottom, 1.5, 14.5), inner)
    return layer(img, (255, 255, 255), question_mask(w, h, 8.0, 3.0, 10.0))


# ---- the program icon: a quill on a keycap ---------------------------------------

def keycap(size):
    s = size / 32.0
    img = blank(size, size)
    body, face = Mask(size, size), Mask(size, size)
    # The cap's skirt shows below and around its top face, as on a real key.
    body.rounded(1 * s, 4 * s, 28 * s, 31 * s, 4.5 * s)
    face.rounded(3 * s, 5 * s, 26 * s, 26 * s, 3.5 * s)
    outline = Mask(size, size)
    outline.rounded(0.5 * s if size > 16 else 0.5, 3.5 * s, 28.5 * s, 31.5 * s, 5 * s)
    img = layer(img, (70, 76, 90), outline)
    img = layer(img, gradient(size, size, (196, 202, 214), (150, 157, 172), 4 * s, 31 * s), body)
    img = layer(img, gradient(size, size, (255, 255, 255), (222, 227, 236), 5 * s, 26 * s), face)
    return img


def quill_masks(size):
    """Vane, shaft and nib of a feather lying from the key's lower left to the top right."""
    s = size / 32.0
    nib = (6.0 * s, 26.0 * s)
    tip = (31.0 * s, 1.0 * s)
    ux, uy = tip[0] - nib[0], tip[1] - nib[1]
    length = math.hypot(ux, uy)
    ux, uy = ux / length, uy / length
    vx, vy = uy, -ux  # across the quill, towards its upper left

    def at(u, v, bend=0.10):
        # The quill curves gently, as a feather does.
        v += bend * length * math.sin(math.pi * u / length) * (u / length)
        return (nib[0] + ux * u + vx * v, nib[1] + uy * u + vy * v)

    vane_start = 0.30 * length
    wide_left, wide_right = (4.6 if size > 16 else 4.2) * s, (3.0 if size > 16 else 3.2) * s
    left, right = [], []
    steps = 40
    for i in range(steps + 1):
        t = i / steps
        u = vane_start + (length - vane_start) * t
        shape = math.sin(math.pi * t ** 0.75) ** 0.9
        left.append(at(u, wide_left * shape))
        right.append(at(u, -wide_right * shape))
    vane = Mask(size, size)
    vane.polygon(left + right[::-1])
    if size > 16:
        # Two splits in the vane, where the barbs part.
        for u0, side in ((0.52, 1), (0.74, -1)):
            u = u0 * length
            w = (wide_left if side > 0 else wide_right) * 1.3
            vane.polygon([at(u, side * w), at(u + 0.5 * s, side * 0.3 * s),
                          at(u - 1.6 * s, side * w)], on=False)
    shaft, barrel = Mask(size, size), Mask(size, size)
    shaft_width = 1.1 * s if size > 16 else 1.0
    pts = [at(0.18 * length + (length * 0.78) * i / 20, 0) for i in range(21)]
    for i, (p, q) in enumerate(zip(pts, pts[1:])):
        (barrel if i < 3 else shaft).segment(p, q, shaft_width * (1.3 if i < 3 else 1.0))
    point = Mask(size, size)
    nib_width = (2.4 if size > 16 else 2.8) * s
    point.polygon([at(0, 0), at(0.20 * length, nib_width / 2), at(0.20 * length, -nib_width / 2)])
    return vane, shaft, barrel, point


def program_icon(size):
    img = keycap(size)
    vane, shaft, barrel, point = quill_masks(size)
    # A soft shadow of the feather on the key face.
    shadow = Image.new("RGBA", (size, size), (30, 40, 70, 255))
    shade = Image.new("L", (size, size), 0)
    off = max(1, size // 32)
    shade.paste(vane.alpha().point(lambda a: a * 45 // 255), (off, off))
    img = layer(img, shadow, shade)
    img = layer(img, gradient(size, size, (40, 92, 190), (16, 44, 118), 0, size * 0.8), vane)
    # The shaft shows light on the vane and as a horn-coloured barrel below it.
    img = layer(img, (120, 104, 86), barrel)
    img = layer(img, (232, 238, 250), shaft)
    img = layer(img, (34, 30, 28), point)
    return img


def bmp_entry(img, palette_mode):
    """One icon image: a BITMAPINFOHEADER bitmap of double height plus its AND mask."""
    w, h = img.size
    px = list(img.getdata())
    mask_row = ((w + 31) // 32) * 4
    and_mask = bytearray(mask_row * h)
    if palette_mode:
        # No alpha here: mostly covered pixels become solid, the rest transparent.
        solid = Image.new("RGB", (w, h), (0, 0, 0))
        solid.paste(img.convert("RGB"), mask=img.getchannel("A").point(lambda a: 255 if a >= 128 else 0))
        pal = solid.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        colours = pal.getpalette()[:255 * 3]
        colours += [0] * (256 * 3 - len(colours))
        index = list(pal.getdata())
        row_bytes = (w + 3) // 4 * 4
        bits = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray()
            for x in range(w):
                row.append(255 if px[y * w + x][3] < 128 else index[y * w + x])
            bits += row + bytes(row_bytes - w)
        table = b"".join(bytes((colours[i * 3 + 2], colours[i * 3 + 1], colours[i * 3], 0))
                         for i in range(256))
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, len(bits) + len(and_mask), 0, 0, 256, 0)
        body = table + bits
    else:
        bits = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[y * w + x]
                bits += bytes((b, g, r, a))
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(bits) + len(and_mask), 0, 0, 0, 0)
        body = bits
    for y in range(h):
        for x in range(w):
            if px[y * w + x][3] < 128:
                row = h - 1 - y
                and_mask[row * mask_row + x // 8] |= 0x80 >> (x % 8)
    return header + body + bytes(and_mask)


def write_ico(path, images):
    """images: (picture, palette?) pairs; Pillow's ICO writer has no 8-bit entries."""
    entries = [(img, bmp_entry(img, pal), 8 if pal else 32) for img, pal in images]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for img, data, bpp in entries:
        w, h = img.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data, _ in entries)
    with open(path, "wb") as f:
        f.write(out)


# ---- assembling the pictures -----------------------------------------------------

def strip(parts):
    w = sum(p.width for p in parts)
    out = Image.new("RGBA", (w, parts[0].height), (0, 0, 0, 0))
    x = 0
    for p in parts:
        out.paste(p, (x, 0))
        x += p.width
    return out


def pictures():
    grey_cog = cog((140, 140, 146), (92, 92, 98))
    blue_cog = cog((70, 150, 245), (24, 92, 200))
    return {
        "refresh.png": to_palette(strip([refresh_arrows((20, 58, 150)), refresh_arrows((255, 255, 255))])),
        "settings.png": strip([grey_cog, blue_cog]),
        "close.png": strip([cross((0, 0, 0)), cross((255, 255, 255)), cross((222, 36, 36))]),
        "help.png": strip([badge((150, 150, 156), (104, 104, 110), (88, 88, 94)),
                           badge((72, 152, 246), (26, 94, 204), (20, 76, 172))]),
    }


def preview(dirname, named, icons):
    """Each picture on the light and dark panel colours, 8 times enlarged."""
    os.makedirs(dirname, exist_ok=True)
    for name, img in named.items():
        img = img.convert("RGBA")
        rows = [Image.alpha_composite(Image.new("RGBA", img.size, bg + (255,)), img)
                for bg in ((204, 204, 204), (170, 170, 190), (0, 0, 0))]
        sheet = Image.new("RGBA", (img.width, img.height * 3))
        for i, r in enumerate(rows):
            sheet.paste(r, (0, i * img.height))
        sheet.resize((sheet.width * 8, sheet.height * 8), Image.NEAREST).save(
            os.path.join(dirname, "preview-" + name.replace(".ico", ".png")))
    for img in icons:
        flat = Image.alpha_composite(Image.new("RGBA", img.size, (40, 110, 170, 255)), img)
        flat.resize((img.width * 8, img.height * 8), Image.NEAREST).save(
            os.path.join(dirname, "preview-icon%d.png" % img.width))


def draw_at(dpi):
    """The button pictures at one scale, named as the resource script names them."""
    global SCALE_DPI
    SCALE_DPI = dpi
    try:
        named = pictures()
    finally:
        SCALE_DPI = 96
    if dpi == 96:
        return named
    return {name.replace(".png", "-%d.png" % dpi): img for name, img in named.items()}


# The small-icon sizes at 100, 125, 150 and 200 % and the large ones at 100 % and 150 %.
ICON_SIZES = (32, 16, 20, 24, 48)


def main():
    args = sys.argv[1:]
    out = RES
    if "--out" in args:
        out = args[args.index("--out") + 1]
    os.makedirs(out, exist_ok=True)
    named = {}
    for dpi in DPIS:
        named.update(draw_at(dpi))
    for name, img in named.items():
        img.save(os.path.join(out, name), optimize=False)
    icons = [program_icon(size) for size in ICON_SIZES]
    # The 8-bit entries, for old displays, only at the two classic sizes.
    write_ico(os.path.join(out, "quillpad.ico"),
              [(icons[0], False), (icons[1], False), (icons[0], True), (icons[1], True)] +
              [(img, False) for img in icons[2:]])
    if "--preview" in args:
        preview(args[args.index("--preview") + 1], named, icons)


if __name__ == "__main__":
    main()
