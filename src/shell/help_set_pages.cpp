// The help pages that list the key sets and the output modes, built from their note tables.
#include <array>
#include <cstdint>
#include <string>

#include "keysets/catalogue.h"
#include "output/format.h"
#include "shell/help_html.h"

namespace qp::help {

namespace {

// ---- page 3: key sets -----------------------------------------------------------------------

struct SetNote {
  int set;           // fuller-edition number
  const char* html;  // what the set covers and which fonts show it
};

const std::array<SetNote, kKeySetCount> kSetNotes = {{
    {1, "<p>French, Spanish, Portuguese, Italian, Catalan, German, Dutch, Welsh, Irish and the other languages "
        "of Western Europe: the vowels with grave, acute, circumflex, tilde and diaeresis, c cedilla, "
        "n tilde, the ligatures &#339; and &#307;, Welsh w and y with their accents, and the German "
        "sharp s with its capital &#7838;. Every common font shows them.</p>"},
    {2, "<p>Danish, Norwegian, Swedish, Icelandic, Faroese, Finnish and the S&#225;mi languages: &#229;, "
        "&#230;, &#248;, &#240;, &#254;, eng, the S&#225;mi letters with caron and stroke, and the "
        "Western European vowels. Every common font shows them.</p>"},
    {3, "<p>Polish, Lithuanian, Latvian and Estonian: the ogonek letters (&#261;, &#281;, &#303;, "
        "&#371;), the dotted and acute consonants of Polish, l with stroke, the Latvian cedilla consonants "
        "and the long vowels with macron. Every common font shows them.</p>"},
    {4, "<p>Czech, Slovak, Hungarian, Romanian and Slovene: letters with caron (&#269;, &#345;, &#382;), the "
        "Hungarian double acute (&#337;, &#369;), Romanian a breve and the s and t with comma below "
        "(&#537;, &#539;) as well as the older cedilla forms. Every common font shows them.</p>"},
    {5, "<p>Croatian, Serbian and Bosnian in Latin letters, Albanian, Maltese, Turkish and Azerbaijani: "
        "&#273;, the Maltese dotted letters and h with stroke, the Turkish dotted and dotless i (&#304;, "
        "&#305;), g breve and the Azerbaijani schwa &#601;. Every common font shows them.</p>"},
    {6, "<p>Hawaiian, M&#257;ori, Samoan, Tongan, Tahitian, Fijian and other languages of the Pacific, and "
        "the Philippine and Indonesian languages: vowels with macron, the &#699;okina and the glottal "
        "stop sign, and letters with dot below. Most current fonts show them.</p>"},
    {7, "<p>Esperanto: &#265;, &#285;, &#293;, &#309;, &#349; and &#365; with their capitals, and the spesmilo "
        "currency sign.</p>"},
    {8, "<p>Russian, Ukrainian and Belarusian: the full Cyrillic alphabet with &#1105;, the Ukrainian "
        "&#1108;, &#1110;, &#1111; and &#1169;, and the Belarusian short u &#1118;. Every common font shows "
        "them.</p>"},
    {9, "<p>Bulgarian: the Cyrillic alphabet as Bulgarian uses it, with the grave-accented &#1024; and "
        "&#1037; that tell words apart. Every common font shows them.</p>"},
    {10, "<p>Serbian, Macedonian, Montenegrin and Bosnian in Cyrillic letters: &#1106;, &#1112;, &#1113;, "
         "&#1114;, &#1115;, &#1119;, the Macedonian &#1107;, &#1109; and &#1116;. Every common font shows "
         "them.</p>"},
    {11, "<p>Kazakh, Kyrgyz, Tatar, Bashkir, Uzbek, Tajik, Mongolian and other languages written with extended "
         "Cyrillic letters: letters with descender, the barred o, the straight u and the schwa. Most "
         "current Unicode fonts show them.</p>"},
    {12, "<p>Modern Greek: the monotonic alphabet with tonos and dialytika, final sigma, and the Greek "
         "question mark and ano teleia. Every common font shows them.</p>"},
    {13, "<p>Ancient and liturgical Greek in polytonic spelling: every vowel with its breathings (psili and "
         "dasia), accents (oxia, varia, perispomeni), iota subscript and length marks, and the archaic "
         "letters digamma, koppa, sampi and stigma. Tooltips give each mark's plain meaning. You need a "
         "font with the Greek Extended block, such as Palatino Linotype, Segoe UI or a dedicated "
         "polytonic font.</p>"},
    {14, "<p>Georgian: the modern Mkhedruli alphabet, the capital Asomtavruli and the ecclesiastical "
         "Nuskhuri letters. Sylfaen and the newer Segoe UI fonts show Mkhedruli; the older scripts need a "
         "font made for them.</p>"},
    {15, "<p>Armenian: the capital and small letters, the ligature &#1415; and the punctuation marks. Sylfaen "
         "and Segoe UI show them.</p>"},
    {16, "<p>Ogham, the early Irish alphabet of stone inscriptions, in its four groups (aicme) and the extra "
         "letters (forfeda). Tooltips give the letter names and their meaning. You need a font with the "
         "Ogham block, such as Segoe UI Symbol.</p>"},
    {17, "<p>Runes of the Elder Futhark, the long-branch and short-twig Younger Futhark, the Anglo-Saxon "
         "Futhorc, the medieval Scandinavian runes and the English Loremark runes, each with its names "
         "and Latin transliteration in the tooltip. The <i>Rune Filter</i> tab of the settings greys out "
         "the runes outside the rows you choose and can sort the keys by transliteration. You need a font "
         "with the Runic block, such as Segoe UI Symbol.</p>"},
    {18, "<p>The International Phonetic Alphabet: vowels and consonants by their place and manner of "
         "articulation, with the diacritics, suprasegmentals and tone letters. The tooltips describe each "
         "sound. Use a font made for phonetics, such as Charis SIL, Doulos SIL or Lucida Sans Unicode, so "
         "that combining marks sit on their letters.</p>"},
    {19, "<p>Roman numerals as single characters, capital and small: one to twelve, fifty, one hundred, five "
         "hundred and one thousand, and the old forms for five thousand up to one hundred thousand. Most "
         "current fonts show them.</p>"},
    {20, "<p>Emoticons: smiling, laughing, winking, sad, angry and surprised faces for chat and mail. Recent "
         "versions of Windows show them in colour with Segoe UI Emoji; elsewhere you need a font with the "
         "emoticon blocks.</p>"},
    {21, "<p>Arrows, mathematical operators, technical and typographic symbols, dingbats and other signs "
         "that have HTML entity names. Most of them are in Segoe UI Symbol and Arial Unicode MS.</p>"},
}};

// ---- page 4: output modes (Pro only) ------------------------------------------------------

struct ModeNote {
  OutputMode mode;
  const char* heading;
  const char* html;
};

const std::array<ModeNote, kOutputModeCount> kModeNotes = {{
    {OutputMode::Character, "character",
     "<p>The character itself, as any keyboard would type it. This is the setting for ordinary "
     "writing.</p>"},
    {OutputMode::EntityName, "HTML entity name",
     "<p>The named character reference of HTML, for web pages and other HTML or XML text. Characters "
     "that have no name in HTML are given as a decimal reference instead, as in the next mode.</p>"},
    {OutputMode::EntityDecimal, "HTML entity code, decimal",
     "<p>A numeric character reference with the decimal code point. It works in every HTML and XML "
     "document, whatever its character encoding.</p>"},
    {OutputMode::EntityHex, "HTML entity code, hexadecimal",
     "<p>A numeric character reference with the hexadecimal code point.</p>"},
    {OutputMode::CodePoint, "Unicode code point",
     "<p>The character's Unicode number in the usual written form, for documentation and mail.</p>"},
    {OutputMode::Escape4, "escaped Unicode 4 digit hexadecimal",
     "<p>The escape of JavaScript, Java, C# and JSON strings: a backslash, a small u and four hexadecimal "
     "digits. A code point above FFFF does not fit in four digits and is written as its UTF-16 surrogate "
     "pair, two such escapes one after the other: the grinning face U+1F600 gives "
     "<code>\\uD83D\\uDE00</code>.</p>"},
    {OutputMode::Escape8, "escaped Unicode 8 digit hexadecimal",
     "<p>The long escape of C, C++, Python and other languages: a backslash, a capital U and eight "
     "hexadecimal digits, enough for every code point (U+1F600 gives <code>\\U0001F600</code>).</p>"},
    {OutputMode::UriUtf8, "URI encoded UTF8",
     "<p>The character's UTF-8 bytes, each written as a percent sign and two hexadecimal digits, as web "
     "addresses and form data need them. The euro sign takes three bytes.</p>"},
    {OutputMode::Decimal, "decimal code",
     "<p>The code point as a plain decimal number.</p>"},
    {OutputMode::Hex0x, "hexadecimal, 0x prefix",
     "<p>The code point as a hexadecimal number in the notation of C and related languages.</p>"},
    {OutputMode::HexDollar, "hexadecimal, $ prefix",
     "<p>The code point as a hexadecimal number in the notation of Pascal and many assemblers.</p>"},
    {OutputMode::HexAmpH, "hexadecimal, &amp;H prefix",
     "<p>The code point as a hexadecimal number in the notation of Visual Basic.</p>"},
}};

constexpr int32_t kEuro = 0x20AC;

}  // namespace

std::string KeySetsPage(const Edition& e) {
  const bool pro = IsPro(e);
  std::string s = PageStart("Key Sets", "Key Sets");
  s += "<p>" + Ascii(e.productName) + " has " + std::to_string(e.keySetCount) +
       R"( key sets. Putting every character on one panel would make it too large to keep on the screen
and too crowded to find anything; instead, each set holds the letters that one group of languages needs,
or one kind of symbol, laid out in a grid in which capital and small letters sit in matching rows.
Choose a set with the cog button)" +
       std::string(pro ? " or with <i>Select Key Set</i> in the menu" : "") +
       R"(. The block of common punctuation and currency keys opened with <b>more</b> is the same for every
set.</p>
<p>A key set shows letters, not fonts: what your text looks like depends on the font of the program you
type in. The notes below say which fonts show each set.</p>
)";
  for (int set : EditionSets(e)) {
    const bool last = set == kKeySetCount;
    s += "<h3>" + (last ? std::string("Other symbol entities") : Ascii(KeySetName(set))) + "</h3>\r\n";
    s += kSetNotes[static_cast<size_t>(set - 1)].html;
    s += "\r\n";
  }
  s += kPageEnd;
  return s;
}

std::string OutputModesPage(const Edition&) {
  std::string s = PageStart("Output format styles", "Output Modes");
  s += R"(<p>Quillpad Pro can type each character in one of twelve forms. Choose the form on the
<i>Output</i> tab of the settings window (menu <i>Output mode</i>); it applies to every key until you
change it, and it is remembered. The character is always written into your text and onto the clipboard
in the chosen form.</p>
<p>Each form is shown below with the euro sign, U+20AC, as its example.</p>
)";
  for (const ModeNote& note : kModeNotes) {
    const Text example = FormatForOutput(kEuro, static_cast<int32_t>(note.mode), u"&euro;");
    s += "<h3>" + std::string(note.heading) + "</h3>\r\n";
    s += note.html;
    s += "\r\n<p>Euro sign: <b class=\"example\">" + HtmlEscape(example) + "</b></p>\r\n";
  }
  s += kPageEnd;
  return s;
}

}  // namespace qp::help
