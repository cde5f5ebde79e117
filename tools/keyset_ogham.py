"""Ogham tooltips: modern Irish name, Old Irish name, tree (or meaning), transliteration."""

TOOLTIPS = {
    # Aicme Beithe
    0x1681: "Beith, Beithe, birch, B",
    0x1682: "Luis, Luis, rowan, L",
    0x1683: "Fearn, Fern, alder, F (V)",
    0x1684: "Saille, Sail, willow, S",
    0x1685: "Nuin, Nin, ash, N",
    # Aicme hUatha
    0x1686: "Uath, hÚath, hawthorn, H",
    0x1687: "Dair, Dair, oak, D",
    0x1688: "Tinne, Tinne, holly, T",
    0x1689: "Coll, Coll, hazel, C (K)",
    0x168A: "Ceirt, Cert, apple, Q",
    # Aicme Muine
    0x168B: "Muin, Muin, vine, M",
    0x168C: "Gort, Gort, ivy, G",
    0x168D: "nGéadal, nGétal, broom, NG",
    0x168E: "Straif, Straif, blackthorn, Z (ST)",
    0x168F: "Ruis, Ruis, elder, R",
    # Aicme Ailme
    0x1690: "Ailm, Ailm, pine, A",
    0x1691: "Onn, Onn, gorse, O",
    0x1692: "Úr, Úr, heather, U",
    0x1693: "Eadhadh, Edad, aspen, E",
    0x1694: "Iodhadh, Idad, yew, I",
    # Forfeda
    0x1695: "Éabhadh, Ébad, elecampane, EA",
    0x1696: "Ór, Óir, spindle tree, OI",
    0x1697: "Uilleann, Uilen, honeysuckle, UI",
    0x1698: "Ifín, Pín, gooseberry, IA (P)",
    0x1699: "Eamhancholl, Emancoll, witch hazel, AE (X)",
    0x169A: "Peith, Peithe, dwarf elder, P",
    # Marks
    0x169B: "Eite, feather mark, start of text",
    0x169C: "Eite thuathail, reversed feather mark, end of text",
    0x1680: "Ogham space mark, stem line",
}
