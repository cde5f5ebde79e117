"""HTML entity names of the keys.

HTML 4.01's name first; else HTML5's name when it has exactly one; else a fixed
choice for the few characters with several HTML5 names; else none. Some keys
carry no name on purpose (EXCEPTIONS), and some sets carry none at all.
"""
import html.entities

# Characters with several HTML5 names and none in HTML 4.01: the name we use.
CHOSEN = {
    0x0131: "imath",
    0x005B: "lbrack",
    0x005D: "rbrack",
    0x007B: "lbrace",
    0x007D: "rbrace",
    0x0060: "grave",
    0x007C: "vert",
}

# Sets whose keys carry no entity names: Georgian, Armenian, Ogham, Roman Numerals, Emoticons.
SETS_WITHOUT = {14, 15, 16, 19, 20}
RUNIC_SET = 17
RUNIC_WITH_NAME = 0x22EE

# (set, position) -> code point of keys left without a name.
EXCEPTIONS = {
    (3, 73): 0x0173, (3, 75): 0x017C,
    (4, 25): 0x010F,
    (5, 19): 0x0130,
    (6, 36): 0x013C, (6, 75): 0x016B,
    (9, 15): 0x040C, (9, 34): 0x045C,
    (10, 36): 0x045C,
    (11, 10): 0x0415,
    (13, 69): 0x03F5, (13, 163): 0x039D, (13, 305): 0x03DC, (13, 324): 0x03DD,
    (18, 38): 0x0127, (18, 61): 0x014B, (18, 128): 0x2193, (18, 129): 0x2191,
    (18, 130): 0x2192, (18, 131): 0x2197, (18, 132): 0x2198, (18, 133): 0x2016,
    (21, 38): 0x2235, (21, 48): 0x2034, (21, 62): 0x221F, (21, 64): 0x22A4,
    (21, 66): 0x2225, (21, 82): 0x2195, (21, 83): 0x2196, (21, 84): 0x2197,
    (21, 85): 0x2198, (21, 86): 0x2199, (21, 87): 0x21BA, (21, 88): 0x21BB,
}


def _html5_names(cp):
    char = chr(cp)
    return sorted(name[:-1] for name, value in html.entities.html5.items()
                  if value == char and name.endswith(";"))


def entity_name(cp):
    """The name by the rules alone, "" when there is none."""
    if cp in html.entities.codepoint2name:
        return html.entities.codepoint2name[cp]
    names = _html5_names(cp)
    if len(names) == 1:
        return names[0]
    return CHOSEN.get(cp, "")


def key_entity_name(set_number, position, cp):
    """The name a key of the fuller edition carries; set_number 0 is the "more" block."""
    if set_number in SETS_WITHOUT:
        return ""
    if set_number == RUNIC_SET and cp != RUNIC_WITH_NAME:
        return ""
    if (set_number, position) in EXCEPTIONS:
        if EXCEPTIONS[(set_number, position)] != cp:
            raise ValueError("exception list out of step at set %d position %d" % (set_number, position))
        return ""
    return entity_name(cp)
