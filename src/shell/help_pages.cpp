#include "shell/help_pages.h"

#include <array>
#include <cstdint>
#include <vector>

#include "keysets/catalogue.h"
#include "output/format.h"

namespace qp {
namespace {

// ---- page frame ------------------------------------------------------------------------

constexpr const char* kDocType = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n";

constexpr const char* kStyle =
    "<style type=\"text/css\">\r\n"
    "body { background-color: #f7f7e8; font-family: Arial, Helvetica, sans-serif; font-size: x-small;"
    " margin: 10px 14px; }\r\n"
    "p, li, td, dd, dt { font-family: Arial, Helvetica, sans-serif; font-size: x-small; }\r\n"
    "h1, h2, h3 { color: #006600; font-family: Arial, Helvetica, sans-serif; font-weight: bold; }\r\n"
    "h1 { font-size: medium; }\r\n"
    "h2 { font-size: small; margin-top: 16px; }\r\n"
    "h3 { font-size: x-small; margin-top: 12px; margin-bottom: 2px; }\r\n"
    "code, tt { font-family: \"Courier New\", Courier, monospace; }\r\n"
    ".example { color: #333399; }\r\n"
    ".small { font-size: xx-small; color: #555555; }\r\n"
    "</style>\r\n";

std::string PageStart(const char* title, const char* heading) {
  std::string s = kDocType;
  s += "<html>\r\n<head>\r\n<title>";
  s += title;
  s += "</title>\r\n";
  s += kStyle;
  s += "</head>\r\n<body>\r\n<h1>";
  s += heading;
  s += "</h1>\r\n";
  return s;
}

constexpr const char* kPageEnd = "</body>\r\n</html>\r\n";

// Text as ASCII HTML: markup characters escaped, everything beyond ASCII as a reference.
std::string HtmlEscape(TextView text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      out += "&#" + std::to_string(c) + ";";
    }
  }
  return out;
}

std::string Ascii(const char16_t* text) { return HtmlEscape(text ? TextView(text) : TextView()); }

bool IsPro(const Edition& e) { return e.kind == EditionKind::Pro; }

// The edition's key sets as fuller-edition numbers, in the edition's own order.
std::vector<int> EditionSets(const Edition& e) {
  std::vector<int> sets;
  for (int n = 1; n <= e.keySetCount; ++n) sets.push_back(IsPro(e) ? n : StandardToFullerSet(n));
  return sets;
}

// ---- page 0: the program -------------------------------------------------------------------

std::string ProgramPage(const Edition& e) {
  const bool pro = IsPro(e);
  const std::string name = Ascii(e.productName);
  std::string s = PageStart("Quillpad program", name.c_str());
  s += "<p>" + name + R"( is a small panel of extra keys that sits on your screen beside the programs you
work in. It lets you type the characters your keyboard does not have: accented and special Latin letters
for the languages of Europe and beyond, Cyrillic, Greek, Georgian and Armenian letters)" +
       (pro ? std::string(", polytonic Greek, Ogham, runes, phonetic symbols, Roman numerals, emoticons and other "
                          "symbols")
            : std::string(" and emoticons")) +
       R"(. You point, you click, and the character appears in your text, with no
codes to remember and no keyboard layouts to switch.</p>
<p>The panel never takes the keyboard focus away from the window you are writing in, so you can mix
clicks on the panel with ordinary typing as you please. Rest the pointer on a key for a moment and its
tooltip names the character.</p>
)";
  if (pro) {
    s += R"(<h2>What the Pro edition adds</h2>
<ul>
<li><b>Output formats.</b> Besides the character itself, a click can type the character as an HTML
entity name (<code>&amp;eacute;</code>), an HTML numeric reference, a Unicode code point
(<code>U+00E9</code>), a <code>\u</code> or <code>\U</code> escape for program source, percent-encoded
UTF-8 for web addresses, or a decimal or hexadecimal number. Web authors and programmers can so write
characters in the form their file needs. See the topic <i>Output modes</i>.</li>
<li><b>Saved configuration.</b> Your key set, output mode, panel position and options are kept in a
small configuration file and are there again the next time you start the program. See
<i>Installation</i>.</li>
<li><b>More key sets.</b> Polytonic Greek, Ogham, Runic (with a filter for the different rune rows),
the International Phonetic Alphabet, Roman numerals and a large set of other symbols.</li>
<li><b>A settings window</b> for all of this, opened with the cog button on the panel.</li>
</ul>
)";
  }
  s += R"(<h2>Key sets</h2>
<p>The characters are grouped into )" +
       std::to_string(e.keySetCount) + R"( key sets, one for each group of languages or kind of symbol. The
panel shows one key set at a time; its name is in the panel's title line. )" +
       (pro ? std::string("Choose another set with the cog button or with <i>Select Key Set</i> in the menu.")
            : std::string("Choose another set with the cog button, which opens the list of key sets.")) +
       R"( Below the key set, the <b>more</b> button opens a second block of 57 keys with the punctuation marks,
quotation marks, currency signs and symbols that are needed in every language. The topic <i>Keys Sets
information</i> describes each set.</p>
<h2>Where the characters go</h2>
)";
  if (pro) {
    s += R"(<p>A click on a key does two things: it copies the character to the clipboard, and it types the
character into the window that has the keyboard focus, just as if you had typed it on the keyboard.</p>
<p>If you prefer, the characters can go to one chosen window instead: switch on <i>type to named target
window</i> in the settings. The panel then shows a <b>type in</b> drop-down list of the open windows.
Pick the window there; each click brings that window to the front and types into it. The entry
<i>nowhere - Copy only</i> only copies to the clipboard.</p>
)";
  } else {
    s += R"(<p>A click on a key does two things: it copies the character to the clipboard, and it types the
character into the window chosen in the panel's <b>type in</b> drop-down list. That list holds the open
windows and starts with the window you were working in. Each click brings the chosen window to the front
and types into it. The entry <i>nowhere - Copy only</i> only copies to the clipboard.</p>
)";
  }
  s += R"(<p>Because every character is also on the clipboard, you can always paste it (Ctrl+V) where
typing does not reach.</p>
<h2>Fonts</h2>
<p>The program in which you type must show the character with a font that contains it. Modern
Unicode fonts cover the Latin, Cyrillic and Greek letters; for Georgian, Armenian)" +
       (pro ? std::string(", polytonic Greek, Ogham, runes, phonetic symbols") : std::string()) +
       R"( and emoticons you may need to choose a font that has them. Where a font lacks a character, you see an
empty box or a question mark instead; the character itself is still correct and shows as soon as a
suitable font is chosen.</p>
<hr>
<p><b>)" + name + R"(</b> is made by Marrowfen.<br>
Web site: <a href=")" + Ascii(e.productPage) + "\">" + Ascii(e.productPage) + R"(</a></p>
<p class="small"><b>Terms of use.</b> You may use )" + name + R"( free of charge, at home and at work, and give
copies of the unchanged program to others. You may not sell it or pass it off as your own.</p>
<p class="small"><b>Disclaimer.</b> The program is provided as it is, without warranty of any kind. Marrowfen
is not liable for any loss or damage that comes from using it. Check important text before you rely
on it.</p>
<p class="small">Copyright &#169; 2012-2025 Marrowfen.</p>
)";
  s += kPageEnd;
  return s;
}

// ---- page 1: installation -------------------------------------------------------------------

std::string InstallationPage(const Edition& e) {
  const bool pro = IsPro(e);
  const std::string name = Ascii(e.productName);
  const char* exe = pro ? "quillpadpro.exe" : "quillpad.exe";
  std::string s = PageStart("Installing Quillpad", pro ? "Installing Quillpad Pro" : "Installing Quillpad");
  s += "<p>" + name + R"( is one portable program file, <code>)" + exe + R"(</code>. It needs no installation:
put the file in any folder you like, for example on a USB stick or under <code>Documents</code>, and
start it from there. Nothing is written to the registry, and to remove the program you simply delete the
file.</p>
<p>When it runs, the program shows its panel and puts its icon in the notification area of the
taskbar. Click the icon to show the panel; right-click it for the menu.</p>
<h2>The installer</h2>
<p>An optional installer is also offered. It copies the program into your programs folder, adds it to
the Start menu and can uninstall it again. One of its options starts the program with Windows,
showing only its tray icon, so that the panel is always one click away.</p>
)";
  if (pro) {
    s += R"(<h2>Desktop shortcut</h2>
<p>In the settings, on the <i>General</i> tab, the option <i>create shortcut icon on Desktop</i> puts a
shortcut named <b>Quillpad Pro</b> on your desktop. The shortcut starts the program with the argument
<code>/noshow</code>, so that it starts with only its tray icon and the panel hidden. Copy the shortcut
into your Startup folder to have the program ready whenever you log on.</p>
<p>While the option is on, the program checks at every start that the shortcut is there and makes it
again if you deleted it. Switching the option off does not delete the shortcut; delete it yourself if
you no longer want it.</p>
<h2>The configuration file</h2>
<p>Quillpad Pro keeps its settings in a small text file, <code>quillpadpro.cfg</code>. At start-up it looks
for the file in two places, in this order:</p>
<ol>
<li>the folder that holds the program, beside <code>quillpadpro.exe</code>;</li>
<li>the application data folder of your user account, in
<code>%APPDATA%\Marrowfen\Quillpad\quillpadpro.cfg</code> (for example
<code>C:\Users\<i>name</i>\AppData\Roaming\Marrowfen\Quillpad\quillpadpro.cfg</code>).</li>
</ol>
<p>On the first run the program makes the file beside itself. Where it may not write there (for example
in the programs folder), it makes the file in the application data folder instead. So a copy on a USB
stick carries its settings with it, and an installed copy keeps one set of settings for each user.</p>
<p>The settings are saved when you quit, when you close the panel with its close button and when you
close the settings window. Hiding the panel from the menu or with Escape does not save. The file is
plain text and may be edited while the program is not running; to start again from the first-run
settings, delete it.</p>
)";
  } else {
    s += R"(<h2>Settings</h2>
<p>Quillpad keeps no settings between runs: it starts every time with the first key set, the
light panel and the panel placed in a corner of the screen. It writes no files.</p>
)";
  }
  s += kPageEnd;
  return s;
}

// ---- page 2: using the panel ------------------------------------------------------------------

std::string UsingPage(const Edition& e) {
  const bool pro = IsPro(e);
  const std::string name = Ascii(e.productName);
  std::string s = PageStart("Using Quillpad Pro", pro ? "Using Quillpad Pro" : "Using Quillpad");
  s += "<p>Everyday use takes four steps:</p>\r\n<ol>\r\n";
  if (pro) {
    s += R"(<li>Click into the document or field where you want to write, so that it has the keyboard
focus.</li>
<li>Choose the key set you need with the cog button (or <i>Select Key Set</i> in the menu), if it is not
already shown.</li>
)";
  } else {
    s += R"(<li>Open the document or field where you want to write, and pick its window in the <b>type in</b>
drop-down list at the bottom of the panel.</li>
<li>Change the key set with the cog button, if the one you need is not already shown.</li>
)";
  }
  s += R"(<li>Click the character's key. Rest the pointer on a key first if you want to read its name.</li>
<li>Go on typing on the keyboard as usual; click the panel again whenever you need another
character.</li>
</ol>
<p>If a program does not accept the typed character, paste it instead: every click also puts the
character on the clipboard, so Ctrl+V inserts it.</p>
<h2>Program control:</h2>
<ul>
<li><b>Close button</b> (the cross at the top right): hides the panel)" +
       std::string(pro ? " and saves your settings" : "") + R"(. The program keeps running in the notification area.</li>
<li><b>Tray icon</b>: click it to show the panel again; right-click it for the menu. The same menu
opens when you right-click the panel's title line.</li>
<li><b>Menu</b>: )" +
       std::string(pro ? "<i>Close</i> and <i>Show</i> hide and show the panel; <i>Select Key Set</i>, "
                         "<i>Output mode</i> and <i>General Settings</i> open the settings window at the "
                         "matching tab; "
                       : "<i>Close</i> and <i>Show</i> hide and show the panel; <i>Select Key Set</i> opens "
                         "the list of key sets; <i>Dark mode panel</i> switches between a light and a dark "
                         "panel; ") +
       R"(<i>Help</i> opens this window; <i>About</i> shows the version; <i>Visit website</i> opens the
program's web page.</li>
<li><b>Quit</b>: <i>)" + Ascii(e.quitItem) + R"(</i>, the last menu item, ends the program)" +
       std::string(pro ? " after saving your settings" : "") + R"(. Shift+Escape does the same.</li>
<li><b>Settings (cog) button</b>: )" +
       std::string(pro ? "opens the settings window, with tabs for the general options, the key sets and "
                         "the output mode. Ctrl+Up opens it too."
                       : "opens the list of key sets; the current one is ticked. Ctrl+Up opens it too.") +
       R"(</li>
<li><b>Moving the panel</b>: drag it by its title line or by the background between the keys. )" +
       std::string(pro ? "With docking switched on in the settings, the panel" : "The panel") +
       R"( snaps into the nearest corner of the screen when you let go close to one, clear of the taskbar.</li>
<li><b>on top</b>: while this box is ticked the panel stays above all other windows. Untick it to let
other windows cover the panel.)" +
       std::string(pro ? " With <i>always on top</i> in the settings the panel is always on top and the box "
                         "is not shown."
                       : "") +
       R"(</li>
<li><b>type in</b> drop-down: )" +
       std::string(pro ? "shown when <i>type to named target window</i> is on in the settings. It "
                       : "it ") +
       R"(lists the open windows by title; the chosen one receives the characters. The <b>refresh</b> button
beside it reads the list of windows again, for example after you opened a new document.</li>
<li><b>more</b> / <b>less</b>: shows or hides the block of 57 common punctuation, currency and symbol
keys below the key set. The Right arrow key does the same while the panel is active.</li>
<li><b>Escape</b> hides the panel while it is active.</li>
</ul>
)";
  s += kPageEnd;
  return s;
}

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

// ---- page 5: command line ------------------------------------------------------------------

std::string CommandLinePage(const Edition& e) {
  const bool pro = IsPro(e);
  const char* exe = pro ? "quillpadpro.exe" : "quillpad.exe";
  const std::string name = Ascii(e.productName);
  std::string s = PageStart("Quillpad Command Line", "Command Line Options");
  s += "<p>" + name + R"( understands three optional arguments on its command line, in a shortcut's
<i>Target</i> box or in the <i>Run</i> dialog. They can be combined and given in any order; letter case
does not matter in the option names.</p>
<h2>/noshow</h2>
<p>Starts the program with the panel hidden: only the icon in the notification area appears. Click it
when you need the panel. This suits a shortcut in the Startup folder.</p>
<h2>keyset=n</h2>
<p>Starts with key set number <i>n</i> instead of )" +
       std::string(pro ? "the one used last" : "the first one") + R"(. The numbers are:</p>
<ol>
)";
  for (int set : EditionSets(e)) s += "<li>" + Ascii(KeySetName(set)) + "</li>\r\n";
  s += "</ol>\r\n";
  if (pro) {
    s += R"(<p>The chosen set is then remembered like one chosen in the settings.</p>
)";
  } else {
    s += R"(<p>Any other number starts with set 1.</p>
)";
  }
  s += R"(<h2>"window name"</h2>
<p>Any other argument is taken as the title of a window to preset in the <b>type in</b> drop-down list,
so that the characters go to that window from the first click. Put the title in double quotes when it
contains blanks. The whole title must match as the window's title bar shows it, though letter case
does not matter. If no open window has that title, the list keeps its usual choice.)" +
       std::string(pro ? " The list is shown when <i>type to named target window</i> is on in the settings." : "") +
       R"(</p>
<h2>Examples</h2>
<ul>
<li><code>)" + exe + R"( /noshow</code><br>starts hidden, with only the tray icon.</li>
<li><code>)" + exe + R"( keyset=12</code><br>starts with the Greek key set.</li>
<li><code>)" + exe + R"( keyset=8 "Untitled - Notepad"</code><br>starts with the Cyrillic - East Slavic key set
and the Notepad window titled <i>Untitled - Notepad</i> chosen as the window to type in.</li>
</ul>
)";
  s += kPageEnd;
  return s;
}

// ---- the topic tables ------------------------------------------------------------------------

struct Topic {
  const char16_t* text;
  std::string (*build)(const Edition&);
};

const Topic kProTopics[] = {
    {u"Quillpad Pro", ProgramPage},
    {u"Installation", InstallationPage},
    {u"Using Quillpad", UsingPage},
    {u"Keys Sets information", KeySetsPage},
    {u"Output modes", OutputModesPage},
    {u"Command line options", CommandLinePage},
};

const Topic kStandardTopics[] = {
    {u"Quillpad", ProgramPage},
    {u"Installation", InstallationPage},
    {u"Using Quillpad", UsingPage},
    {u"Keys Sets information", KeySetsPage},
    {u"Command line options", CommandLinePage},
};

constexpr int kProTopicCount = static_cast<int>(sizeof kProTopics / sizeof kProTopics[0]);
constexpr int kStandardTopicCount = static_cast<int>(sizeof kStandardTopics / sizeof kStandardTopics[0]);

const Topic* TopicAt(const Edition& e, int index) {
  if (index < 0 || index >= HelpTopicCount(e)) return nullptr;
  return IsPro(e) ? &kProTopics[index] : &kStandardTopics[index];
}

}  // namespace

int HelpTopicCount(const Edition& edition) { return IsPro(edition) ? kProTopicCount : kStandardTopicCount; }

Text HelpTopicText(const Edition& edition, int index) {
  const Topic* topic = TopicAt(edition, index);
  return topic ? Text(topic->text) : Text();
}

const std::string* HelpPage(const Edition& edition, int index) {
  const Topic* topic = TopicAt(edition, index);
  if (!topic) return nullptr;
  // Built once per edition on first use, then kept for the life of the process.
  static std::array<std::string, kProTopicCount> pro;
  static std::array<std::string, kStandardTopicCount> standard;
  std::string& page = IsPro(edition) ? pro[static_cast<size_t>(index)] : standard[static_cast<size_t>(index)];
  if (page.empty()) page = topic->build(edition);
  return &page;
}

}  // namespace qp
