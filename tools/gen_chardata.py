#!/usr/bin/python3
"""Writes src/find/char_data_generated.cpp: the character finder's table (names,
formal aliases, blocks, English keywords, HTML entity names) packed and
compressed with zlib.

Usage: gen_chardata.py [OUTPUT] [--stats]
Without OUTPUT the file in the source tree is rewritten. The output depends only
on Debian's unicode-data and unicode-cldr-core files, on the entity table of
tools/keyset_entities.py and on the hand tables below, so a rerun reproduces it
byte for byte. --stats prints the sizes of the parts.

Names Unicode gives by rule (ideographs named by their code point, Hangul
syllables) are not stored: the program computes them from the ranges and the
jamo short names written here.

Layout of the unpacked table (all numbers unsigned LEB128, texts a length and
UTF-8 bytes):
  magic "QPCHARS1"
  name words: count, then each front-coded against the one before (shared
    length, rest as text); sorted, upper-case ASCII
  blocks: count, then first, last, name
  ranges named by rule: count, then first, last, kind (0 prefix + "-" + hex,
    1 Hangul syllable), prefix text
  jamo short names: 19 leading, 21 vowel, 28 trailing texts
  capitalised words: count, texts (lower-case words a readable name keeps
    capitalised; a leading "=" marks a word kept all upper case)
  Latin letters folded to ASCII: count, then code point delta, text
  characters: count; then the columns, each in code point order:
    code point deltas; names; aliases; keywords; entity names
  where a name is a token count and tokens (word index * 4 + separator before
  it: 0 blank or start, 1 "-", 2 " -") and an alias list a count and names.
"""
import html.entities
import os
import re
import sys
import unicodedata
import xml.etree.ElementTree as ET
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import keyset_entities  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUTPUT = os.path.join(REPO, "src", "find", "char_data_generated.cpp")
UCD = "/usr/share/unicode"
CLDR = "/usr/share/unicode/cldr/common"

# Names of this form are given by rule: prefix, "-", the code point in hex.
RULE_PREFIXES = ("CJK UNIFIED IDEOGRAPH", "CJK COMPATIBILITY IDEOGRAPH", "TANGUT IDEOGRAPH",
                 "KHITAN SMALL SCRIPT CHARACTER", "NUSHU CHARACTER")
# UnicodeData's ranges, by the label in their "<..., First>" line.
RANGE_PREFIXES = {"CJK Ideograph": "CJK UNIFIED IDEOGRAPH", "Tangut Ideograph": "TANGUT IDEOGRAPH"}

# Words users say that no name, alias or keyword of the block holds ("rune" for the runic letters).
BLOCK_KEYWORDS = {"Runic": "rune"}

# First words of block names that are ordinary English, not the name of a script or people:
# a readable name writes them in lower case.
COMMON_WORDS = {
    "additional", "alchemical", "alphabetic", "ancient", "arabic-indic", "arrows", "basic", "block",
    "box", "chess", "combining", "common", "control", "counting", "currency", "dingbats", "domino",
    "early", "emoticons", "enclosed", "general", "geometric", "halfwidth", "high", "ideographic",
    "indic", "kana", "latin-1", "letterlike", "low", "mahjong", "mathematical", "miscellaneous",
    "modifier", "musical", "new", "number", "optical", "ornamental", "phonetic", "playing", "private",
    "shorthand", "small", "spacing", "specials", "supplemental", "symbols", "tags", "transport",
    "unified", "variation", "vertical",
}
# Names of scripts and peoples that do not start a block name.
PROPER_WORDS = {"coptic", "italic", "persian", "turkic", "aramaic", "hiragana", "katakana", "roman"}
# Kept all upper case.
ACRONYMS = {"cjk", "ipa", "apl", "ascii", "sos", "ok", "id", "atm", "cd", "dvd", "vs", "zwj", "zwnj",
            "bom", "lf", "cr", "nbsp"}
# Letters without a decomposition that still read as ASCII letters.
FOLD_EXTRA = {0x00DF: "ss", 0x1E9E: "ss", 0x00C6: "ae", 0x00E6: "ae", 0x0152: "oe", 0x0153: "oe",
              0x00D8: "o", 0x00F8: "o", 0x0110: "d", 0x0111: "d", 0x0141: "l", 0x0142: "l",
              0x0131: "i", 0x00D0: "d", 0x00F0: "d", 0x00DE: "th", 0x00FE: "th", 0x0126: "h",
              0x0127: "h", 0x0166: "t", 0x0167: "t", 0x014A: "ng", 0x014B: "ng"}


def read_unicode_data():
    """{cp: name} of the named characters, and [(first, last, label)] of the ranges."""
    names, ranges, first = {}, [], None
    with open(os.path.join(UCD, "UnicodeData.txt"), encoding="utf-8") as f:
        for line in f:
            fields = line.split(";")
            cp, name = int(fields[0], 16), fields[1]
            if name.endswith(", First>"):
                first = (cp, name[1:-len(", First>")])
            elif name.endswith(", Last>"):
                ranges.append((first[0], cp, first[1]))
            elif name == "<control>":
                names[cp] = ""
            else:
                names[cp] = name
    return names, ranges


def read_aliases():
    aliases = {}
    with open(os.path.join(UCD, "NameAliases.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                cp, alias, _ = line.split(";")
                aliases.setdefault(int(cp, 16), []).append(alias)
    return aliases


def read_blocks():
    blocks = []
    with open(os.path.join(UCD, "Blocks.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                span, name = line.split(";")
                lo, hi = span.split("..")
                blocks.append((int(lo, 16), int(hi, 16), name.strip()))
    return blocks


def read_jamo():
    short = {}
    with open(os.path.join(UCD, "Jamo.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                cp, name = line.split(";")
                short[int(cp, 16)] = name.strip()
    lead = [short[0x1100 + i] for i in range(19)]
    vowel = [short[0x1161 + i] for i in range(21)]
    trail = [""] + [short[0x11A8 + i] for i in range(27)]
    return lead, vowel, trail


def read_annotations():
    """{cp: [keyword, ...]}: the spoken name first unless it is the character's name."""
    keywords = {}
    for folder in ("annotations", "annotationsDerived"):
        root = ET.parse(os.path.join(CLDR, folder, "en.xml")).getroot()
        for node in root.iter("annotation"):
            text = node.get("cp", "").replace("\uFE0F", "")
            if len(text) != 1 or not node.text:
                continue
            words = [w.strip() for w in node.text.split("|")] if node.get("type") != "tts" else [node.text.strip()]
            entry = keywords.setdefault(ord(text), [])
            if node.get("type") == "tts":
                entry.insert(0, words[0])
            else:
                entry.extend(words)
    return keywords


def rule_ranges(names, ranges):
    """[(first, last, kind, prefix)] of names given by rule; the individually listed ones of
    that form leave `names`."""
    out = []
    for lo, hi, label in ranges:
        base = label.split(" Extension")[0].split(" Supplement")[0]
        if base == "Hangul Syllable":
            out.append((lo, hi, 1, "HANGUL SYLLABLE"))
        elif base in RANGE_PREFIXES:
            out.append((lo, hi, 0, RANGE_PREFIXES[base]))
    for cp in sorted(names):
        for prefix in RULE_PREFIXES:
            if names.get(cp) == "%s-%X" % (prefix, cp):
                del names[cp]
                if out and out[-1][2] == 0 and out[-1][3] == prefix and out[-1][1] == cp - 1:
                    out[-1] = (out[-1][0], cp, 0, prefix)
                else:
                    out.append((cp, cp, 0, prefix))
    return sorted(out)


def fold_table():
    """{cp: ASCII} for the Latin letters of U+00C0..U+024F and U+1E00..U+1EFF."""
    table = {}
    for cp in list(range(0xC0, 0x250)) + list(range(0x1E00, 0x1F00)):
        if cp in FOLD_EXTRA:
            table[cp] = FOLD_EXTRA[cp]
            continue
        base = unicodedata.normalize("NFD", chr(cp))[0]
        if base.isascii() and base.isalpha():
            table[cp] = base.lower()
    return table


def capitalised_words(blocks):
    words = set()
    for _, _, name in blocks:
        first = name.split()[0].lower()
        if first not in COMMON_WORDS:
            words.add(first)
    words |= PROPER_WORDS
    return sorted(words - ACRONYMS | {"=" + w for w in ACRONYMS})


class Writer:
    def __init__(self):
        self.out = bytearray()

    def num(self, n):
        while True:
            byte = n & 0x7F
            n >>= 7
            self.out.append(byte | (0x80 if n else 0))
            if not n:
                return

    def text(self, s):
        data = s.encode("utf-8")
        self.num(len(data))
        self.out += data


# What may stand between two words of a name; a token stores its index.
SEPARATORS = (" ", "-", " -", "- ")


def split_name(name):
    """[(word, separator index)]; the first word's separator is 0."""
    out = []
    for match in re.finditer(r"([ -]*)([^ -]+)", name):
        sep = match.group(1)
        if not out and sep == "":
            sep = " "
        if sep not in SEPARATORS:
            raise ValueError("name %r: words split by %r" % (name, sep))
        out.append((match.group(2), SEPARATORS.index(sep)))
    if join_name(out) != name:
        raise ValueError("name %r does not split cleanly" % name)
    return out


def join_name(toks):
    text = "".join(SEPARATORS[sep] + word for word, sep in toks)
    return text[1:] if text.startswith(" ") else text


def pack(names, aliases, blocks, rules, jamo, keywords):
    w = Writer()
    w.out += b"QPCHARS1"
    all_names = [n for n in names.values() if n] + [a for lst in aliases.values() for a in lst]
    words = sorted({word for n in all_names for word, _ in split_name(n)})
    index = {word: i for i, word in enumerate(words)}
    w.num(len(words))
    previous = ""
    for word in words:
        shared = 0
        while shared < min(len(word), len(previous)) and word[shared] == previous[shared]:
            shared += 1
        w.num(shared)
        w.text(word[shared:])
        previous = word
    w.num(len(blocks))
    for lo, hi, name in blocks:
        w.num(lo)
        w.num(hi)
        w.text(name)
    w.num(len(rules))
    for lo, hi, kind, prefix in rules:
        w.num(lo)
        w.num(hi)
        w.num(kind)
        w.text(prefix)
    for part in jamo:
        for short in part:
            w.text(short)
    caps = capitalised_words(blocks)
    w.num(len(caps))
    for word in caps:
        w.text(word)
    folds = fold_table()
    w.num(len(folds))
    last = 0
    for cp in sorted(folds):
        w.num(cp - last)
        w.text(folds[cp])
        last = cp
    cps = sorted(names)
    w.num(len(cps))
    last = 0
    for cp in cps:
        w.num(cp - last)
        last = cp

    def put_name(name):
        toks = split_name(name) if name else []
        w.num(len(toks))
        for word, sep in toks:
            w.num(index[word] * 4 + sep)

    for cp in cps:
        put_name(names[cp])
    for cp in cps:
        w.num(len(aliases.get(cp, [])))
        for alias in aliases.get(cp, []):
            put_name(alias)
    sizes = {"head": len(w.out)}
    for cp in cps:
        words_of = keywords.get(cp, [])
        w.num(len(words_of))
        for k in words_of:
            w.text(k)
    sizes["keywords"] = len(w.out) - sizes["head"]
    # entity_name scans the whole HTML5 table: ask only for characters that have a name there.
    with_names = {ord(v) for v in html.entities.html5.values() if len(v) == 1} | set(html.entities.codepoint2name)
    for cp in cps:
        w.text(keyset_entities.entity_name(cp) if cp > 0x20 and cp in with_names else "")
    return bytes(w.out), sizes


def build():
    names, ranges = read_unicode_data()
    aliases = read_aliases()
    blocks = read_blocks()
    rules = rule_ranges(names, ranges)
    keywords = read_annotations()
    for cp in list(keywords):
        if cp not in names:
            del keywords[cp]  # ideographs and the like: their names are computed
            continue
        name = (names[cp] or "").lower()
        keywords[cp] = [k for i, k in enumerate(keywords[cp]) if k.lower() != name and k not in keywords[cp][:i]]
    for lo, hi, block in blocks:
        if block in BLOCK_KEYWORDS:
            for cp in names:
                if lo <= cp <= hi:
                    keywords.setdefault(cp, []).append(BLOCK_KEYWORDS[block])
    for cp in aliases:
        if cp not in names:
            raise ValueError("alias for unnamed U+%04X" % cp)
    return pack(names, aliases, blocks, rules, read_jamo(), keywords)


def emit(data):
    packed = zlib.compress(data, 9)
    lines = [
        "// Generated by tools/gen_chardata.py from Debian's unicode-data and unicode-cldr-core;",
        "// do not edit by hand. Rerun: /usr/bin/python3 tools/gen_chardata.py",
        '#include "find/char_data.h"',
        "",
        "namespace qp {",
        "",
        "const size_t kCharDataSize = %d;" % len(data),
        "const size_t kCharDataPackedSize = %d;" % len(packed),
        "const unsigned char kCharDataPacked[] = {",
    ]
    for at in range(0, len(packed), 24):
        lines.append("    " + ",".join(str(b) for b in packed[at:at + 24]) + ",")
    lines += ["};", "", "}  // namespace qp", ""]
    return "\n".join(lines), packed


def main(argv):
    stats = "--stats" in argv
    paths = [a for a in argv if a != "--stats"]
    output = paths[0] if paths else DEFAULT_OUTPUT
    data, sizes = build()
    text, packed = emit(data)
    with open(output, "w", encoding="ascii", newline="\n") as f:
        f.write(text)
    if stats:
        print("unpacked %d bytes, packed %d bytes" % (len(data), len(packed)))
        print("keywords unpacked %d bytes, packed alone %d bytes" % (
            sizes["keywords"], len(zlib.compress(data[sizes["head"]:sizes["head"] + sizes["keywords"]], 9))))


if __name__ == "__main__":
    main(sys.argv[1:])
