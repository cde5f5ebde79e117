#!/usr/bin/python3
"""Checks the committed private font against what the panel needs.

    /usr/bin/python3 tools/check_font.py [font.ttf]

Fails (exit 1, one line per fault) when a key's character or one of the extra
characters has no glyph, when a glyph that should show something is empty,
when the names or bold bits would make GDI pick it up as anything but
"Tarsel Sans" Bold, when a glyph would be clipped by the Windows ascent or
descent, or when its name still carries one that the source fonts' licences forbid.
"""
import os
import sys
import unicodedata

from fontTools.ttLib import TTFont

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import keyset_source  # noqa: E402

DEFAULT_FONT = os.path.join(HERE, "..", "resources", "TarselSans-Bold.ttf")
# The tick of the "on top" box, the drop-down arrow, the base for combining
# marks and the two spaces.
EXTRA_CODE_POINTS = (0x2714, 0x25BC, 0xF8FF, 0x0020, 0x00A0)
EMOTICON_SET = 20
# Names a derived font may not carry (Bitstream Vera and Arev terms; no Noto
# name on a modified version).
FORBIDDEN_IN_NAMES = ("bitstream", "vera", "arev", "noto")
FONT_NAME_IDS = (1, 3, 4, 6, 16, 17, 21, 22)


def name_text(font, name_id):
    rec = font["name"].getName(name_id, 3, 1, 0x409)
    return rec.toUnicode() if rec else None


def check_coverage(font, faults):
    cmap = font.getBestCmap()
    glyf = font["glyf"]
    for cp in sorted(set(keyset_source.all_code_points()) | set(EXTRA_CODE_POINTS)):
        if cmap.get(cp, ".notdef") == ".notdef":
            faults.append("U+%04X has no glyph" % cp)
            continue
        # Spaces are meant to be blank; every other key must show something.
        if unicodedata.category(chr(cp)) != "Zs" and glyf[cmap[cp]].numberOfContours == 0:
            faults.append("U+%04X maps to an empty glyph" % cp)
    emoticons = [cp for cp in keyset_source.set_code_points(EMOTICON_SET) if cp > 0]
    if not emoticons:
        faults.append("the emoticon set is empty")
    seen = {}
    for cp in emoticons:
        name = cmap.get(cp)
        if name is None:
            continue
        # Outlines that GDI can draw, one picture per face.
        if name == ".notdef" or glyf[name].numberOfContours == 0:
            faults.append("emoticon U+%04X has no outline of its own" % cp)
        elif name in seen:
            faults.append("emoticons U+%04X and U+%04X share glyph %s" % (seen[name], cp, name))
        seen.setdefault(name, cp)


def check_names_and_style(font, faults):
    expected = {1: "Tarsel Sans", 2: "Bold"}
    for name_id, text in expected.items():
        if name_text(font, name_id) != text:
            faults.append("name %d is %r, not %r" % (name_id, name_text(font, name_id), text))
    for name_id in FONT_NAME_IDS:
        text = (name_text(font, name_id) or "").lower()
        for word in FORBIDDEN_IN_NAMES:
            if word in text:
                faults.append("name %d contains %r" % (name_id, word))
    os2, head = font["OS/2"], font["head"]
    if os2.usWeightClass != 700:
        faults.append("weight class %d, not 700" % os2.usWeightClass)
    if not os2.fsSelection & 0x20 or os2.fsSelection & 0x41:
        faults.append("OS/2 fsSelection 0x%04X is not bold only" % os2.fsSelection)
    if not head.macStyle & 0x01 or head.macStyle & 0x02:
        faults.append("head macStyle 0x%04X is not bold only" % head.macStyle)


def check_extent(font, faults):
    os2, hhea, glyf = font["OS/2"], font["hhea"], font["glyf"]
    if (hhea.ascent, -hhea.descent) != (os2.usWinAscent, os2.usWinDescent):
        faults.append("hhea %d/%d differs from the Windows ascent/descent %d/%d"
                      % (hhea.ascent, hhea.descent, os2.usWinAscent, os2.usWinDescent))
    for name in font.getGlyphOrder():
        g = glyf[name]
        g.recalcBounds(glyf)
        if g.numberOfContours == 0:
            continue
        if g.yMax > os2.usWinAscent or -g.yMin > os2.usWinDescent:
            faults.append("glyph %s (%d..%d) is clipped by the ascent %d / descent %d"
                          % (name, g.yMin, g.yMax, os2.usWinAscent, os2.usWinDescent))


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_FONT
    font = TTFont(path)
    faults = []
    check_coverage(font, faults)
    check_names_and_style(font, faults)
    check_extent(font, faults)
    for fault in faults:
        print("check_font: " + fault)
    if faults:
        sys.exit(1)
    print("check_font: %s: %d code points, %d glyphs, all present"
          % (os.path.basename(path), len(font.getBestCmap()), len(font.getGlyphOrder())))


if __name__ == "__main__":
    main()
