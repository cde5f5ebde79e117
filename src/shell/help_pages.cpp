#include "shell/help_pages.h"

#include <array>
#include <cstdint>
#include <vector>

#include "keysets/catalogue.h"
#include "shell/help_html.h"

namespace qp {
namespace {

using namespace help;

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
