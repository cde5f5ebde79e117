"""Tooltips of numerals, emoticons, symbols and the "more" block.

Short descriptions derived from the Unicode names ("LEFTWARDS ARROW" -> "left
arrow", "GRINNING FACE" -> "grinning", "ROMAN NUMERAL ONE THOUSAND" -> "Roman
numeral One Thousand"); HAND holds what a name alone would not tell a user.
"""
import unicodedata

# Whole-word replacements that turn a name into everyday words.
WORDS = {
    "LEFTWARDS": "left",
    "RIGHTWARDS": "right",
    "UPWARDS": "up",
    "DOWNWARDS": "down",
    "LEFT-POINTING": "left",
    "RIGHT-POINTING": "right",
    "LOW-9": "low",
}

HAND = {
    # "more" block
    0x00A0: "non-breaking space",
    0x00AB: "left double angle quotation mark, guillemet",
    0x00BB: "right double angle quotation mark, guillemet",
    0x0192: "florin, f with hook",
    0x00B6: "pilcrow, paragraph sign",
    0x00B5: "micro sign (mu)",
    0x00AA: "feminine ordinal indicator (superscript a)",
    0x00BA: "masculine ordinal indicator (superscript o)",
    0x2022: "bullet (list mark)",
    0x00B7: "middle dot, interpunct",
    0x007C: "vertical line, pipe",
    0x00A4: "currency sign (generic)",
    0x0060: "grave accent, backtick",
    0x00AF: "macron (overline accent)",
    # Roman numerals whose names are cryptic
    0x2183: "Roman numeral reversed One Hundred (Claudian antisigma)",
    0x2180: "Roman numeral One Thousand, C D form",
    # Emoticons that predate the emoji names
    0x263A: "smiley, happy face",
    0x263B: "black smiley, filled happy face",
    0x2639: "frowning, sad face",
    0x1F47D: "alien (extraterrestrial)",
    # Other symbols
    0x0027: "apostrophe, single quote",
    0x223C: "tilde operator, similar to",
    0x22BB: "xor, exclusive or",
    0x22BC: "nand, not and",
    0x22BD: "nor, not or",
    0x2206: "increment, Laplace operator (delta)",
    0x2207: "nabla, del",
    0x220F: "n-ary product (capital pi)",
    0x2211: "n-ary summation (capital sigma)",
    0x2217: "asterisk operator, convolution",
    0x2032: "prime, minutes, feet",
    0x2033: "double prime, seconds, inches",
    0x2135: "alef symbol, transfinite cardinal",
    0x2111: "imaginary part, black-letter I",
    0x2118: "Weierstrass p, script P",
    0x211C: "real part, black-letter R",
    0x22EE: "vertical ellipsis",
    0x22C5: "dot operator, multiplication dot",
    0x2295: "circled plus, direct sum",
    0x2297: "circled times, tensor product",
    0x22A4: "down tack, top",
    0x22A5: "up tack, perpendicular, bottom",
    0x03D1: "theta symbol (script theta)",
    0x03D2: "upsilon with hook symbol",
    0x03D6: "pi symbol (variant pi)",
    0x203E: "overline",
    0x25CA: "lozenge",
    0x2318: "place of interest sign, command key",
    0x21B4: "right arrow with corner down, line feed",
    0x21B5: "down arrow with corner left, carriage return",
    0x2196: "up left arrow, north west",
    0x2197: "up right arrow, north east",
    0x2198: "down right arrow, south east",
    0x2199: "down left arrow, south west",
}


def _words(cp):
    return [WORDS.get(w, w.lower()) for w in unicodedata.name(chr(cp)).split()]


def symbol(cp):
    """Everyday words of a symbol's name: "left arrow", "fraction one half"."""
    words = _words(cp)
    if words[:2] == ["vulgar", "fraction"]:
        words = words[1:]
    if words[-1] == "suit":  # card suits: "black spade suit" -> "spade suit (black)"
        return "%s suit (%s)" % (" ".join(words[1:-1]), words[0])
    return " ".join(words)


def numeral(cp):
    """"Roman numeral One Thousand", "small Roman numeral Five"."""
    words = unicodedata.name(chr(cp)).split()
    small = words[0] == "SMALL"
    value = " ".join(w.capitalize() for w in words[3 if small else 2:])
    return ("small " if small else "") + "Roman numeral " + value


def emoticon(cp):
    """Emoji names without the word "face": "grinning", "cat with tears of joy"."""
    words = unicodedata.name(chr(cp)).lower().split()
    if words[0] != "face" and "face" in words:
        words.remove("face")
    return " ".join(words)
