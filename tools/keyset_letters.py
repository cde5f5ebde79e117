"""Tooltips of the letter sets (Latin, Cyrillic, Greek, Georgian, Armenian).

Most are derived from the Unicode character name: "LATIN CAPITAL LETTER A WITH
GRAVE" becomes "cap A grave". Polytonic Greek keeps the Greek names of its
marks and adds their plain meaning. Characters whose names do not read well
that way have their text written out in HAND.
"""
import unicodedata

SCRIPTS = ("LATIN", "CYRILLIC", "GREEK", "GEORGIAN", "ARMENIAN")

# Monotonic Greek marks in plain words.
GREEK_PLAIN = {"TONOS": "accent", "DIALYTIKA": "diaeresis"}

# Polytonic marks: Greek name -> plain meaning.
GREEK_MARKS = {
    "PSILI": "smooth",
    "DASIA": "rough",
    "VARIA": "grave",
    "OXIA": "acute",
    "TONOS": "acute",
    "PERISPOMENI": "circumflex",
    "YPOGEGRAMMENI": "iota subscript",
    "PROSGEGRAMMENI": "iota adscript",
    "VRACHY": "breve",
    "MACRON": "long",
    "DIALYTIKA": "diaeresis",
}

# Texts that the names do not give well.
HAND = {
    0x00DF: "sharp s, eszett",
    0x1E9E: "cap sharp S, cap eszett",
    0x02BB: "okina, glottal stop (turned comma)",
    0x02BC: "apostrophe, glottal stop (modifier letter)",
    0x20B7: "spesmilo sign (old Esperanto currency)",
    0x01F1: "cap DZ digraph",
    0x01F3: "dz digraph",
    0x0406: "cap dotted I, Ukrainian I",
    0x0456: "dotted i, Ukrainian i",
    0x0454: "Ukrainian ie",
    0x04A4: "cap En-Ghe ligature",
    0x04A5: "en-ghe ligature",
    # Greek punctuation and numeral signs.
    0x037E: "Greek question mark (erotimatiko)",
    0x0387: "ano teleia, Greek semicolon (raised dot)",
    0x0374: "keraia, Greek numeral sign",
    0x0375: "aristeri keraia, Greek lower numeral sign",
    0x03F5: "lunate epsilon",
    0x03F9: "cap lunate sigma",
    0x03F2: "lunate sigma",
    0x03FC: "rho with stroke (abbreviation sign)",
    0x03CF: "cap kai (Greek 'and' symbol)",
    0x03D7: "kai (Greek 'and' symbol)",
    0x03FE: "cap dotted lunate sigma",
    0x03FD: "cap reversed lunate sigma (antisigma)",
    0x03FF: "cap reversed dotted lunate sigma",
    0x037C: "dotted lunate sigma",
    0x037B: "reversed lunate sigma (antisigma)",
    0x037D: "reversed dotted lunate sigma",
    0x205A: "dicolon, two dot punctuation",
    0x205D: "tricolon, three dot punctuation",
    0x2059: "pentonkion, five dot punctuation",
    0x203F: "undertie (ligature tie below)",
    0x2E0F: "paragraphos (change of speaker)",
    0x2E10: "forked paragraphos",
    0x2E11: "reversed forked paragraphos",
    0x2E0E: "coronis (end of section)",
    # Georgian and Armenian signs.
    0x10FC: "nar, modifier letter (superscript)",
    0x10FB: "Georgian paragraph separator",
    0x0559: "left half ring (modifier letter)",
    0x055A: "Armenian apostrophe (apostrof)",
    0x055B: "Armenian emphasis mark (shesht)",
    0x055C: "Armenian exclamation mark (batsaganchakan)",
    0x055D: "Armenian comma (but)",
    0x055E: "Armenian question mark (hartsakan)",
    0x055F: "Armenian abbreviation mark (patiw)",
    0x0589: "Armenian full stop (verjaket)",
    0x058A: "Armenian hyphen (yentamna)",
    0x058F: "Armenian dram sign (currency)",
    0x058D: "right-facing Armenian eternity sign",
    0x058E: "left-facing Armenian eternity sign",
}


def _split_name(cp):
    """(capital, base words, marks, ligature) of a letter's Unicode name."""
    words = unicodedata.name(chr(cp)).split()
    if words and words[0] in SCRIPTS:
        words = words[1:]
    # Capitals with prosgegrammeni are titlecase letters (Lt); for us they are capitals.
    capital = unicodedata.category(chr(cp)) in ("Lu", "Lt")
    ligature = "LIGATURE" in words
    words = [w for w in words if w not in ("CAPITAL", "SMALL", "LETTER", "LIGATURE")]
    marks = []
    if "WITH" in words:
        at = words.index("WITH")
        marks = " ".join(words[at + 1:]).split(" AND ")
        words = words[:at]
    return capital, words, marks, ligature


def _base_text(cp, capital, words):
    latin = unicodedata.name(chr(cp)).startswith("LATIN")
    if not capital:
        return " ".join(w.lower() for w in words)
    # Short Latin names are letter sequences (AE, OE, IJ); the rest are names (Eth, Ghe).
    return " ".join(w if latin and len(w) <= 2 else w.capitalize() for w in words)


def plain_letter(cp):
    """Letter and marks in plain words: "cap A grave", "ghe upturn"."""
    capital, words, marks, ligature = _split_name(cp)
    text = _base_text(cp, capital, words)
    if "SMALL" in unicodedata.name(chr(cp)) and unicodedata.name(chr(cp)).startswith("GEORGIAN"):
        text = "nuskhuri " + text
    if ligature:
        text += " ligature"
    if marks:
        plain = [" ".join(GREEK_PLAIN.get(w, w.lower()) for w in m.split()) for m in marks]
        text += " " + " and ".join(plain)
    return ("cap " + text) if capital else text


def polytonic_letter(cp):
    """Letter with Greek mark names and their meaning: "cap Iota with psili and varia (smooth + grave)"."""
    capital, words, marks, _ = _split_name(cp)
    text = _base_text(cp, capital, words)
    if marks:
        greek = [m.lower() for m in marks]
        meaning = [GREEK_MARKS[m] for m in marks]
        listed = greek[0] if len(greek) == 1 else ", ".join(greek[:-1]) + " and " + greek[-1]
        text += " with %s (%s)" % (listed, " + ".join(meaning))
    return ("cap " + text) if capital else text


def is_letter(cp):
    name = unicodedata.name(chr(cp), "")
    return unicodedata.category(chr(cp)) in ("Lu", "Ll", "Lt") and name.split()[0] in SCRIPTS
