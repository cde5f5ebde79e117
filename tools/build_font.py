#!/usr/bin/python3
"""Builds the panel's private font "Tarsel Sans" Bold and its licence file.

    /usr/bin/python3 tools/build_font.py

Writes resources/TarselSans-Bold.ttf and resources/FONT-LICENSE.txt from the
fonts of Debian's fonts-dejavu-core, fonts-noto-core and fonts-symbola. The
font holds exactly the glyphs the panel shows: every key of every set and of
the "more" block, the tick and drop-down arrow, the combining-mark base U+F8FF
and the two spaces. The output depends only on the installed fonts, so a
rerun reproduces the committed file byte for byte.
"""
import contextlib
import math
import os
import sys
import time

from fontTools import subset
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import keyset_source  # noqa: E402

RES = os.path.join(HERE, "..", "resources")
OUT_FONT = os.path.join(RES, "TarselSans-Bold.ttf")
OUT_LICENSE = os.path.join(RES, "FONT-LICENSE.txt")

FONTS = "/usr/share/fonts/truetype/"
BASE_FONT = FONTS + "dejavu/DejaVuSans-Bold.ttf"
NOTO_SANS = FONTS + "noto/NotoSans-Bold.ttf"
NOTO_ARMENIAN = FONTS + "noto/NotoSansArmenian-Bold.ttf"
NOTO_SYMBOLS = FONTS + "noto/NotoSansSymbols-Bold.ttf"
NOTO_RUNIC = FONTS + "noto/NotoSansRunic-Regular.ttf"
SYMBOLA = FONTS + "ancient-scripts/Symbola_hint.ttf"
COPYRIGHT_FILES = {
    "dejavu": "/usr/share/doc/fonts-dejavu-core/copyright",
    "noto": "/usr/share/doc/fonts-noto-core/copyright",
    "symbola": "/usr/share/doc/fonts-symbola/copyright",
}

FAMILY = "Tarsel Sans"
STYLE = "Bold"
VERSION = "1.000"
# Fixed so that the build is reproducible.
FONT_DATE = timestampFromString("Mon Jan  1 00:00:00 2024")

TICK, DROP_ARROW, MARK_BASE, SPACE, NBSP = 0x2714, 0x25BC, 0xF8FF, 0x0020, 0x00A0
EXTRA_CODE_POINTS = (TICK, DROP_ARROW, MARK_BASE, SPACE, NBSP)

# Characters the base font lacks, by the font that supplies them and how they
# are fitted to the base: "cap" scales to the base's cap height, "rune" does the
# same and then emboldens the Regular-only outlines, "pictograph" matches the
# size and placement of the base's emoticons.
IMPORTS = [
    (NOTO_ARMENIAN, range(0x058D, 0x0590), "cap"),
    (NOTO_SANS, [0x20B7, 0x2E0E, 0x2E0F, 0x2E10, 0x2E11], "cap"),
    (NOTO_SYMBOLS, [0x2187, 0x2188], "cap"),
    (NOTO_RUNIC, range(0x16A0, 0x16F9), "rune"),
    (SYMBOLA, [0x1F33C, 0x1F41A, 0x1F426, 0x1F427, 0x1F47D, 0x1F480], "pictograph"),
]
EMOTICON_REFERENCE = 0x1F600  # present in both the base and the pictograph font
PLAIN_STEM = ord("l")  # a bare vertical stem in the base font
RUNE_STEM = 0x16C1     # ISAZ, a bare vertical stroke in the rune font


def needed_code_points():
    return sorted(set(keyset_source.all_code_points()) | set(EXTRA_CODE_POINTS))


def glyph_bounds(font, cp):
    glyf = font["glyf"]
    g = glyf[font.getBestCmap()[cp]]
    g.recalcBounds(glyf)
    return g.xMin, g.yMin, g.xMax, g.yMax


def cap_height(font):
    cmap = font.getBestCmap()
    if ord("H") in cmap:
        return glyph_bounds(font, ord("H"))[3]
    return font["OS/2"].sCapHeight


class Importer:
    """Adds glyphs to the base font under new names and maps them."""

    def __init__(self, base):
        self.base = base
        self.order = list(base.getGlyphOrder())
        self.names = set(self.order)
        os2, hhea = base["OS/2"], base["hhea"]
        # Imported glyphs are kept inside the base's own line so that importing
        # does not push the text down in the keys.
        self.top = max(os2.usWinAscent, hhea.ascent)
        self.bottom = -max(os2.usWinDescent, -hhea.descent)

    def add(self, cp, glyph, advance):
        name = "uni%04X" % cp if cp <= 0xFFFF else "u%05X" % cp
        while name in self.names:
            name += ".imp"
        glyph.recalcBounds(None)
        lsb = glyph.xMin if glyph.numberOfContours else 0
        self.base["glyf"].glyphs[name] = glyph
        self.base["hmtx"].metrics[name] = (int(round(advance)), lsb)
        for table in self.base["cmap"].tables:
            if table.isUnicode() and (table.format == 12 or cp <= 0xFFFF):
                table.cmap[cp] = name
        self.order.append(name)
        self.names.add(name)

    def finish(self):
        self.base.setGlyphOrder(self.order)
        self.base["glyf"].setGlyphOrder(self.order)

    def fit(self, scale, bounds):
        """Scale and vertical shift that keep a glyph within the base's line."""
        _, y_min, _, y_max = bounds
        height = (y_max - y_min) * scale
        limit = self.top - self.bottom
        if height > limit:
            scale *= limit / height
        shift = 0.0
        if y_max * scale > self.top:
            shift = self.top - y_max * scale
        elif y_min * scale < self.bottom:
            shift = self.bottom - y_min * scale
        return scale, shift


def outline_from(font, cp, transform):
    """The glyph of cp in font, decomposed and transformed, as a TrueType glyph."""
    glyph_set = font.getGlyphSet()
    rec = DecomposingRecordingPen(glyph_set)
    glyph_set[font.getBestCmap()[cp]].draw(rec)
    pen = TTGlyphPen(None)
    rec.replay(TransformPen(pen, transform))
    return pen.glyph()


def import_scaled(importer, path, cps, base_cap):
    src = TTFont(path)
    scale = base_cap / cap_height(src)
    for cp in cps:
        s, dy = importer.fit(scale, glyph_bounds(src, cp))
        glyph = outline_from(src, cp, (s, 0, 0, s, 0, dy))
        importer.add(cp, glyph, src["hmtx"][src.getBestCmap()[cp]][0] * s)
    return scale


def import_pictographs(importer, path, cps):
    src = TTFont(path)
    ref = glyph_bounds(importer.base, EMOTICON_REFERENCE)
    src_ref = glyph_bounds(src, EMOTICON_REFERENCE)
    scale = (ref[3] - ref[1]) / (src_ref[3] - src_ref[1])
    dy = ref[1] - src_ref[1] * scale
    ref_advance = importer.base["hmtx"][importer.base.getBestCmap()[EMOTICON_REFERENCE]][0]
    margin = ref[0]
    for cp in cps:
        x_min, _, x_max, _ = glyph_bounds(src, cp)
        width = (x_max - x_min) * scale
        # Centred on the emoticons' advance so that the keys centre them alike.
        advance = max(ref_advance, width + 2 * margin)
        dx = (advance - width) / 2 - x_min * scale
        importer.add(cp, outline_from(src, cp, (scale, 0, 0, scale, dx, dy)), advance)


@contextlib.contextmanager
def quiet_stderr():
    """fontforge prints its banner on import; keep the build output clean."""
    sys.stderr.flush()
    saved = os.dup(2)
    with open(os.devnull, "w") as null:
        os.dup2(null.fileno(), 2)
    try:
        yield
    finally:
        os.dup2(saved, 2)
        os.close(saved)


def import_runes(importer, cps, base_cap):
    """The rune font is Regular only: scale, then embolden to the base's stems."""
    with quiet_stderr():
        import fontforge
        import psMat
        src = fontforge.open(NOTO_RUNIC)
    src_tt = TTFont(NOTO_RUNIC)
    scale = base_cap / cap_height(src_tt)
    x0, _, x1, _ = glyph_bounds(importer.base, PLAIN_STEM)
    r0, _, r1, _ = glyph_bounds(src_tt, RUNE_STEM)
    gain = round((x1 - x0) - (r1 - r0) * scale)
    src.is_quadratic = False  # emboldening works on cubic outlines
    for cp in cps:
        g = src[src.findEncodingSlot(cp)]
        g.transform(psMat.scale(scale))
        advance = g.width + gain
        # Heights (baseline, cap height) stay; stems grow on both sides.
        g.changeWeight(gain, "LCG", 0, 0.9, "squish")
        g.transform(psMat.translate(gain / 2, 0))
        g.removeOverlap()
        g.correctDirection()
        g.round()
        pen = TTGlyphPen(None)
        g.draw(Cu2QuPen(pen, 1.0))
        importer.add(cp, pen.glyph(), advance)
    src.close()
    return gain


def make_mark_base(importer):
    """U+F8FF: a dotted circle at x-height on which a combining mark is shown.

    The base font's marks have no advance and centre themselves 512 units left
    of the pen, so a 1024-unit base puts the mark over the circle's middle."""
    advance, cx, cy = 1024, 512, 560
    ring, dot, dots = 380, 100, 8
    pen = TTGlyphPen(None)
    for i in range(dots):
        a = math.pi / 2 - 2 * math.pi * i / dots
        x, y = cx + ring * math.cos(a), cy + ring * math.sin(a)
        # A round dot from eight off-curve points, clockwise as TrueType wants.
        r = dot / math.cos(math.pi / 8)
        pts = [(round(x + r * math.cos(-k * math.pi / 4)), round(y + r * math.sin(-k * math.pi / 4)))
               for k in range(8)]
        pen.qCurveTo(*pts, None)
        pen.closePath()
    importer.add(MARK_BASE, pen.glyph(), advance)


def subset_font(font, cps):
    opts = subset.Options()
    opts.name_IDs = ["*"]
    opts.name_languages = ["*"]
    opts.notdef_outline = True
    opts.glyph_names = False
    opts.hinting = True
    opts.layout_features = []
    # Keys show single characters through GDI, which uses none of these.
    opts.drop_tables += ["FFTM", "GSUB", "GPOS", "GDEF", "kern"]
    opts.recalc_average_width = True
    opts.prune_unicode_ranges = True
    opts.recalc_timestamp = False
    sub = subset.Subsetter(opts)
    sub.populate(unicodes=cps)
    sub.subset(font)


def name_text(font, name_id):
    rec = font["name"].getName(name_id, 3, 1, 0x409)
    return rec.toUnicode().strip() if rec else ""


def set_names(font, sources):
    copyrights = []
    for src in sources:
        for line in name_text(src, 0).splitlines():
            if line.strip() and line.strip() not in copyrights:
                copyrights.append(line.strip())
    names = {
        0: "\n".join(copyrights),
        1: FAMILY,
        2: STYLE,
        3: "%s %s %s" % (FAMILY, STYLE, VERSION),
        4: "%s %s" % (FAMILY, STYLE),
        5: "Version " + VERSION,
        6: "%s-%s" % (FAMILY.replace(" ", ""), STYLE),
        13: (
            "This font is licensed under the SIL Open Font License, Version 1.1. "
            "It is derived from DejaVu Sans Bold (terms below), from Noto Sans, Noto Sans "
            "Armenian, Noto Sans Symbols and Noto Sans Runic (SIL Open Font License, "
            "Version 1.1) and from Symbola (free for any use). The full texts are in "
            "FONT-LICENSE.txt beside the program.\n\n" + name_text(sources[0], 13)
        ),
        14: name_text(sources[1], 14),
    }
    table = newTable("name")
    table.names = []
    for name_id, text in names.items():
        table.setName(text, name_id, 3, 1, 0x409)
    font["name"] = table


def set_style_and_metrics(font):
    os2, head, hhea = font["OS/2"], font["head"], font["hhea"]
    os2.usWeightClass = 700
    os2.fsSelection = (os2.fsSelection | 0x20) & ~0x41  # bold; not italic, not regular
    head.macStyle = (head.macStyle | 0x01) & ~0x02
    head.created = head.modified = FONT_DATE
    head.fontRevision = float(VERSION)
    glyf = font["glyf"]
    y_max = max(os2.usWinAscent, hhea.ascent)
    y_min = -max(os2.usWinDescent, -hhea.descent)
    for name in font.getGlyphOrder():
        g = glyf[name]
        g.recalcBounds(glyf)
        if g.numberOfContours:
            y_max, y_min = max(y_max, g.yMax), min(y_min, g.yMin)
    # GDI clips what lies outside the Windows ascent and descent.
    os2.usWinAscent, os2.usWinDescent = y_max, -y_min
    hhea.ascent, hhea.descent, hhea.lineGap = y_max, y_min, 0


def debian_license(path, name):
    """The 'License: name' paragraph of a Debian copyright file, unfolded."""
    # The name also heads one-line grants; the full text is the paragraph with a body.
    best, out, inside = [], [], False
    for line in open(path, encoding="utf-8").read().splitlines():
        if line == "License: " + name:
            inside, out = True, []
        elif inside and line.startswith(" "):
            out.append("" if line.strip() == "." else line[1:])
        else:
            inside = False
            best = out if len(out) > len(best) else best
    best = out if len(out) > len(best) else best
    if not best:
        sys.exit("build_font: no %s text in %s" % (name, path))
    return "\n".join(best).strip()


def symbola_terms(path):
    """Upstream copyright and licence lines of the Symbola copyright file."""
    text = open(path, encoding="utf-8").read()
    start = text.index("Upstream Author:")
    end = text.index("The Debian packaging is:")
    return "\n".join(line.strip() for line in text[start:end].strip().splitlines())


def license_text(sources):
    dejavu, noto_fonts = sources[0], sources[1:-1]
    rule = "=" * 72
    parts = [
        "Tarsel Sans Bold (TarselSans-Bold.ttf)",
        rule,
        "The font is licensed under the SIL Open Font License, Version 1.1, whose text is under 2.\n"
        "It was made from the fonts below; their notices and terms go with it.\n"
        "1. DejaVu Sans Bold (Debian package fonts-dejavu-core): most glyphs.\n"
        "2. Noto Sans Bold, Noto Sans Armenian Bold, Noto Sans Symbols Bold and\n"
        "   Noto Sans Runic Regular, emboldened (fonts-noto-core): U+058D..058F,\n"
        "   U+20B7, U+2187, U+2188, U+2E0E..2E11 and the runes U+16A0..16F8.\n"
        "3. Symbola (fonts-symbola): U+1F33C, U+1F41A, U+1F426, U+1F427, U+1F47D\n"
        "   and U+1F480.",
        "",
        "1. DejaVu Sans Bold",
        rule,
        name_text(dejavu, 0),
        "",
        name_text(dejavu, 13),
        "",
        "2. Noto fonts: SIL Open Font License, Version 1.1",
        rule,
        "\n".join(sorted({name_text(f, 0) for f in noto_fonts})),
        "",
        "This Font Software is licensed under the SIL Open Font License, Version 1.1.",
        "No Reserved Font Names are declared.",
        "",
        "SIL OPEN FONT LICENSE Version 1.1 - 26 February 2007",
        "",
        debian_license(COPYRIGHT_FILES["noto"], "OFL-1.1"),
        "",
        "3. Symbola",
        rule,
        symbola_terms(COPYRIGHT_FILES["symbola"]),
        "",
    ]
    return "\n".join(parts)


def main():
    started = time.monotonic()
    cps = needed_code_points()
    base = TTFont(BASE_FONT)
    base_cap = cap_height(base)
    have = set(base.getBestCmap())
    importer = Importer(base)
    scales, gain = [], 0
    for path, wanted, kind in IMPORTS:
        todo = [cp for cp in wanted if cp in cps and cp not in have]
        if not todo:
            continue
        if kind == "cap":
            scales.append(import_scaled(importer, path, todo, base_cap))
        elif kind == "rune":
            gain = import_runes(importer, todo, base_cap)
        else:
            import_pictographs(importer, path, todo)
    make_mark_base(importer)
    importer.finish()
    missing = [cp for cp in cps if cp not in base.getBestCmap()]
    if missing:
        sys.exit("build_font: no glyph for " + " ".join("U+%04X" % cp for cp in missing))

    subset_font(base, cps)
    sources = [TTFont(p) for p in (BASE_FONT, NOTO_SANS, NOTO_ARMENIAN, NOTO_SYMBOLS, NOTO_RUNIC, SYMBOLA)]
    set_names(base, sources)
    set_style_and_metrics(base)
    base.recalcTimestamp = False
    os.makedirs(RES, exist_ok=True)
    base.save(OUT_FONT)
    with open(OUT_LICENSE, "w", encoding="utf-8", newline="\n") as f:
        f.write(license_text(sources))

    print("build_font: %s: %d bytes, %d glyphs, %d code points, Noto scale %s, rune stems +%d, %.1f s"
          % (os.path.relpath(OUT_FONT), os.path.getsize(OUT_FONT), len(base.getGlyphOrder()),
             len(base.getBestCmap()), "/".join("%.4f" % s for s in sorted(set(scales))), gain,
             time.monotonic() - started))


if __name__ == "__main__":
    main()
