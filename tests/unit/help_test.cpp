#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "base/edition.h"
#include "fake_platform.h"
#include "keysets/catalogue.h"
#include "output/format.h"
#include "panel_fixture.h"
#include "shell/about_box.h"
#include "shell/help_pages.h"
#include "shell/help_window.h"

namespace qp {
namespace {

std::vector<std::string> Matches(const std::string& html, const std::string& pattern) {
  std::vector<std::string> out;
  const std::regex re(pattern);
  for (auto it = std::sregex_iterator(html.begin(), html.end(), re); it != std::sregex_iterator(); ++it) {
    out.push_back((*it)[1].str());
  }
  return out;
}

std::vector<std::string> Lines(const Text& text) {
  std::vector<std::string> lines;
  const std::string s = TextToUtf8(text);
  size_t start = 0;
  for (;;) {
    const size_t end = s.find("\r\n", start);
    if (end == std::string::npos) break;
    lines.push_back(s.substr(start, end - start));
    start = end + 2;
  }
  if (start < s.size()) lines.push_back(s.substr(start) + "<unterminated>");
  return lines;
}

const std::string& Page(const Edition& e, int index) {
  const std::string* page = HelpPage(e, index);
  static const std::string none;
  return page ? *page : none;
}

// ---- topics and page frames --------------------------------------------------------------

struct PageFrame {
  const char* topic;
  const char* title;
  const char* heading;
};

const PageFrame kProPages[] = {
    {"Quillpad Pro", "Quillpad program", "Quillpad Pro"},
    {"Installation", "Installing Quillpad", "Installing Quillpad Pro"},
    {"Using Quillpad", "Using Quillpad Pro", "Using Quillpad Pro"},
    {"Keys Sets information", "Key Sets", "Key Sets"},
    {"Output modes", "Output format styles", "Output Modes"},
    {"Command line options", "Quillpad Command Line", "Command Line Options"},
};

const PageFrame kStandardPages[] = {
    {"Quillpad", "Quillpad program", "Quillpad"},
    {"Installation", "Installing Quillpad", "Installing Quillpad"},
    {"Using Quillpad", "Using Quillpad Pro", "Using Quillpad"},
    {"Keys Sets information", "Key Sets", "Key Sets"},
    {"Command line options", "Quillpad Command Line", "Command Line Options"},
};

const PageFrame* FramesOf(const Edition& e) { return e.kind == EditionKind::Pro ? kProPages : kStandardPages; }

void ExpectPages(const Edition& e, const PageFrame* frames, int count) {
  ASSERT_EQ(HelpTopicCount(e), count);
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(frames[i].topic);
    EXPECT_EQ(TextToUtf8(HelpTopicText(e, i)), frames[i].topic);
    const std::string& html = Page(e, i);
    ASSERT_FALSE(html.empty());
    EXPECT_EQ(html.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">", 0), 0u);
    EXPECT_EQ(Matches(html, "<title>([^<]*)</title>"), std::vector<std::string>{frames[i].title});
    EXPECT_EQ(Matches(html, "<h1>([^<]*)</h1>"), std::vector<std::string>{frames[i].heading});
    for (unsigned char c : html) ASSERT_LT(c, 0x80) << "a byte beyond ASCII";
    for (const char* style : {"#006600", "#f7f7e8", "x-small", "Arial", "font-weight: bold"}) {
      EXPECT_NE(html.find(style), std::string::npos) << style;
    }
    EXPECT_NE(html.find("</html>"), std::string::npos);
  }
  EXPECT_TRUE(HelpTopicText(e, -1).empty());
  EXPECT_TRUE(HelpTopicText(e, count).empty());
  EXPECT_EQ(HelpPage(e, -1), nullptr);
  EXPECT_EQ(HelpPage(e, count), nullptr);
}

TEST(HelpPages, ProHasSixTopicsWithTheirTitlesAndHeadings) { ExpectPages(ProEdition(), kProPages, 6); }

TEST(HelpPages, StandardHasFiveTopicsWithTheirTitlesAndHeadings) {
  ExpectPages(StandardEdition(), kStandardPages, 5);
}

TEST(HelpPages, ThePageOfATopicIsTheSameDocumentEveryTime) {
  EXPECT_EQ(HelpPage(ProEdition(), 3), HelpPage(ProEdition(), 3));
  EXPECT_NE(Page(ProEdition(), 0), Page(StandardEdition(), 0));
}

// ---- contents -------------------------------------------------------------------------------

TEST(HelpPages, OutputModesPageShowsExactlyTheTwelveEuroExamples) {
  const std::vector<std::string> expected = {"\xE2\x82\xAC", "&euro;",  "&#8364;", "&#x20AC;",
                                             "U+20AC",       "\\u20AC", "\\U000020AC", "%E2%82%AC",
                                             "8364",         "0x20AC",  "$20AC",   "&H20AC"};
  std::vector<std::string> shown;
  for (const std::string& line : Lines(HelpPageAsText(Page(ProEdition(), 4)))) {
    if (line.rfind("Euro sign: ", 0) == 0) shown.push_back(line.substr(11));
  }
  EXPECT_EQ(shown, expected);
  const std::string& html = Page(ProEdition(), 4);
  EXPECT_EQ(Matches(html, "<h3>([^<]*)</h3>"),
            (std::vector<std::string>{"character", "HTML entity name", "HTML entity code, decimal",
                                      "HTML entity code, hexadecimal", "Unicode code point",
                                      "escaped Unicode 4 digit hexadecimal", "escaped Unicode 8 digit hexadecimal",
                                      "URI encoded UTF8", "decimal code", "hexadecimal, 0x prefix",
                                      "hexadecimal, $ prefix", "hexadecimal, &amp;H prefix"}));
  // Beyond FFFF the four-digit escape is a surrogate pair; the page shows what a click gives.
  const std::string pair = TextToUtf8(FormatForOutput(0x1F600, 6, u""));
  ASSERT_EQ(pair, "\\uD83D\\uDE00");
  EXPECT_NE(html.find(pair), std::string::npos);
  EXPECT_NE(html.find("surrogate pair"), std::string::npos);
}

void ExpectNumberedSetList(const Edition& e, const std::vector<int>& fullerSets) {
  const std::vector<std::string> lines = Lines(HelpPageAsText(Page(e, HelpTopicCount(e) - 1)));
  std::vector<std::string> numbered;
  const std::regex item("^([0-9]+)\\. (.*)$");
  for (const std::string& line : lines) {
    std::smatch m;
    if (std::regex_match(line, m, item)) numbered.push_back(line);
  }
  std::vector<std::string> expected;
  for (size_t i = 0; i < fullerSets.size(); ++i) {
    expected.push_back(std::to_string(i + 1) + ". " + TextToUtf8(KeySetName(fullerSets[i])));
  }
  EXPECT_EQ(numbered, expected);
}

TEST(HelpPages, CommandLinePageListsTheEditionsKeySetsByNumber) {
  std::vector<int> pro;
  for (int n = 1; n <= 21; ++n) pro.push_back(n);
  ExpectNumberedSetList(ProEdition(), pro);
  ExpectNumberedSetList(StandardEdition(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 20});
}

TEST(HelpPages, CommandLinePageExplainsTheThreeArgumentsWithThreeExamples) {
  for (const Edition* e : {&ProEdition(), &StandardEdition()}) {
    const std::string exe = e->kind == EditionKind::Pro ? "quillpadpro.exe " : "quillpad.exe ";
    const std::string& html = Page(*e, HelpTopicCount(*e) - 1);
    EXPECT_EQ(Matches(html, "<h2>([^<]*)</h2>"),
              (std::vector<std::string>{"/noshow", "keyset=n", "\"window name\"", "Examples"}));
    int examples = 0;
    for (const std::string& line : Lines(HelpPageAsText(html))) {
      if (line.rfind("- " + exe, 0) == 0) ++examples;
    }
    EXPECT_EQ(examples, 3) << exe;
  }
}

TEST(HelpPages, KeySetsPageHasOneSubHeadingPerSetInCatalogueOrder) {
  std::vector<std::string> pro;
  for (int n = 1; n <= 20; ++n) pro.push_back(TextToUtf8(KeySetName(n)));
  pro.push_back("Other symbol entities");
  EXPECT_EQ(Matches(Page(ProEdition(), 3), "<h3>([^<]*)</h3>"), pro);
  std::vector<std::string> standard;
  for (int n = 1; n <= 15; ++n) standard.push_back(TextToUtf8(KeySetName(StandardToFullerSet(n))));
  EXPECT_EQ(Matches(Page(StandardEdition(), 3), "<h3>([^<]*)</h3>"), standard);
}

TEST(HelpPages, InstallationPageOfProOnlyTellsOfShortcutAndConfigurationFile) {
  const std::string pro = TextToUtf8(HelpPageAsText(Page(ProEdition(), 1)));
  EXPECT_NE(pro.find("%APPDATA%\\Marrowfen\\Quillpad\\quillpadpro.cfg"), std::string::npos);
  EXPECT_NE(pro.find("/noshow"), std::string::npos);
  EXPECT_NE(pro.find("create shortcut icon on Desktop"), std::string::npos);
  for (int i = 0; i < HelpTopicCount(StandardEdition()); ++i) {
    const std::string& html = Page(StandardEdition(), i);
    EXPECT_EQ(html.find("quillpadpro.cfg"), std::string::npos) << i;
    EXPECT_EQ(html.find("shortcut icon"), std::string::npos) << i;
    EXPECT_EQ(html.find("Output mode"), std::string::npos) << i;
  }
}

TEST(HelpPages, ProgramPageClosesWithMakerAndTheEditionsAddress) {
  for (const Edition* e : {&ProEdition(), &StandardEdition()}) {
    const std::string text = TextToUtf8(HelpPageAsText(Page(*e, 0)));
    EXPECT_NE(text.find("made by Marrowfen"), std::string::npos);
    EXPECT_NE(text.find(TextToUtf8(e->productPage)), std::string::npos);
    EXPECT_NE(text.find("Disclaimer"), std::string::npos);
    EXPECT_NE(text.find("Terms of use"), std::string::npos);
  }
}

// ---- plain-text rendering -----------------------------------------------------------------------

TEST(HelpPageAsText, EveryPageReadsWithoutMarkup) {
  const std::regex tag("<[A-Za-z/!]");
  for (const Edition* e : {&ProEdition(), &StandardEdition()}) {
    for (int i = 0; i < HelpTopicCount(*e); ++i) {
      const std::string text = TextToUtf8(HelpPageAsText(Page(*e, i)));
      SCOPED_TRACE(text.substr(0, 40));
      EXPECT_FALSE(std::regex_search(text, tag));
      EXPECT_EQ(text.find("#006600"), std::string::npos) << "style sheet shown";
      EXPECT_EQ(text.find("&#"), i == 4 ? text.find("&#8364;") : std::string::npos);
      const std::vector<std::string> lines = Lines(HelpPageAsText(Page(*e, i)));
      ASSERT_GE(lines.size(), 3u);
      EXPECT_EQ(lines[0], FramesOf(*e)[i].heading);
      EXPECT_EQ(lines[1], std::string(lines[0].size(), '='));
      EXPECT_TRUE(lines[2].empty());
    }
  }
}

TEST(HelpPageAsText, BlocksListsAndReferences) {
  const std::string html =
      "<html><head><title>T</title><style>h1 { color: red }</style></head><body>\n"
      "<h1>Main</h1><!-- a <b>note</b> -->\n<p>One   two\n three &amp; &lt;x&gt; &euro;&#8364;&#x20ac;"
      " &#128512; &#xD800; &#1114112; &bogus; a & b</p>\n"
      "<h2>Sub</h2><ol><li>first</li><li>second<br>more<ul><li>inner</li></ul></li></ol>"
      "<p>after <b>bold</b> <a href=\"x>y\">link</a></p><h3>Small</h3>text<hr>end</body></html>";
  const std::u16string expected =
      u"Main\r\n====\r\n\r\n"
      u"One two three & <x> \u20AC\u20AC\u20AC \U0001F600 \uFFFD \uFFFD &bogus; a & b\r\n\r\n"
      u"Sub\r\n---\r\n\r\n"
      u"1. first\r\n2. second\r\n   more\r\n   - inner\r\n\r\n"
      u"after bold link\r\n\r\n"
      u"Small\r\ntext\r\n\r\n" +
      std::u16string(40, u'-') + u"\r\n\r\nend\r\n";
  EXPECT_EQ(HelpPageAsText(html), expected);
}

TEST(HelpPageAsText, BrokenMarkupNeitherCrashesNorLosesText) {
  EXPECT_EQ(HelpPageAsText(""), u"");
  EXPECT_EQ(HelpPageAsText("<p>open <b"), u"open\r\n");
  EXPECT_EQ(HelpPageAsText("a < b &#"), u"a < b &#\r\n");
  EXPECT_EQ(HelpPageAsText("<style>never closed"), u"");
  EXPECT_EQ(HelpPageAsText("</ul></ol><li>x"), u"x\r\n");
  EXPECT_EQ(HelpPageAsText("caf\xC3\xA9 &#99999999999;"), u"caf\u00E9 &#99999999999;\r\n");
}

// ---- About box --------------------------------------------------------------------------------

TEST(AboutBox, TextOfEachEditionAndBuild) {
  const Text tail = u"\r\n\r\nMarrowfen\r\n";
  const Text notice = u"\r\nCopyright \u00A9 2012-2025 Marrowfen\r\n";
  EXPECT_EQ(AboutBoxText(ProEdition(), false),
            u"\r\nQuillpad Pro version 3.0.0\r\n\r\nWindows x86 edition" + tail +
                u"https://www.marrowfen.example/quillpad/pro/" + notice);
  EXPECT_EQ(AboutBoxText(ProEdition(), true),
            u"\r\nQuillpad Pro version 3.0.0\r\n\r\nWindows x64 edition" + tail +
                u"https://www.marrowfen.example/quillpad/pro/" + notice);
  EXPECT_EQ(AboutBoxText(StandardEdition(), true),
            u"\r\nQuillpad version 3.0.0\r\n\r\nWindows x64 edition" + tail + u"https://www.marrowfen.example/quillpad/" +
                notice);
  EXPECT_EQ(AboutBoxText(StandardEdition(), false).find(u"Windows x86 edition"), 28u);
}

TEST(AboutBox, ShowsAnInformationBoxWithTheEditionsCaption) {
  FakePlatform fake;
  FakePlatformScope scope(fake);
  SetCurrentEdition(EditionKind::Standard);
  ShowAboutBox();
  SetCurrentEdition(EditionKind::Pro);
  ShowAboutBox();
  ASSERT_EQ(fake.messageBoxes.size(), 2u);
  EXPECT_EQ(fake.messageBoxes[0].caption, u"About Quillpad");
  EXPECT_EQ(fake.messageBoxes[1].caption, u"About Quillpad Pro");
  EXPECT_EQ(fake.messageBoxes[1].text, AboutBoxText(ProEdition(), sizeof(void*) == 8));
  EXPECT_EQ(fake.messageBoxes[1].flags, 0x40);
}

// ---- help window decisions ----------------------------------------------------------------------

TEST(HelpWindow, WidthFollowsThePrimaryDisplay) {
  EXPECT_EQ(HelpWindowWidth(900), 640);
  EXPECT_EQ(HelpWindowWidth(901), 800);
  EXPECT_EQ(HelpWindowWidth(640), 640);
  EXPECT_EQ(HelpWindowWidth(0), 640);
  EXPECT_EQ(HelpWindowWidth(1920), 800);
}

TEST(HelpWindow, LayoutKeepsTheListWidthAndGivesThePageTheRest) {
  HelpLayout start = HelpWindowLayout(800, 500);
  EXPECT_EQ(start.list, (Rect{0, 0, 180, 500}));
  EXPECT_EQ(start.page, (Rect{181, 1, 620, 500}));
  HelpLayout larger = HelpWindowLayout(1100, 730);
  EXPECT_EQ(larger.list, (Rect{0, 0, 180, 730}));
  EXPECT_EQ(larger.page, (Rect{181, 1, 920, 730}));
  HelpLayout tiny = HelpWindowLayout(120, -4);
  EXPECT_EQ(tiny.list, (Rect{0, 0, 180, 0}));
  EXPECT_EQ(tiny.page, (Rect{181, 1, 0, 0}));
}

TEST(HelpWindow, CentredOnTheScreen) {
  EXPECT_EQ(CentredOnScreen(816, 539, 1280, 1024), (Rect{232, 242, 816, 539}));
  EXPECT_EQ(CentredOnScreen(656, 539, 640, 480), (Rect{-8, -29, 656, 539}));
}

TEST(HelpWindow, DocumentOfTheSelectedTopic) {
  EXPECT_EQ(TextToUtf8(HelpDocument(ProEdition(), 2)), Page(ProEdition(), 2));
  EXPECT_TRUE(HelpDocument(ProEdition(), -1).empty());
  EXPECT_TRUE(HelpDocument(StandardEdition(), 5).empty());
  EXPECT_TRUE(HelpPlainText(StandardEdition(), 5).empty());
  EXPECT_EQ(HelpPlainText(StandardEdition(), 4), HelpPageAsText(Page(StandardEdition(), 4)));
}

using HelpWindowPanel = PanelFixture;

TEST_F(HelpWindowPanel, TopmostFollowsTheOnTopToggle) {
  ASSERT_EQ(Elements().Data(kOnTopBox), 1);
  EXPECT_TRUE(HelpWindowTopmost());
  Elements().SetData(kOnTopBox, 0);
  EXPECT_FALSE(HelpWindowTopmost());
}

}  // namespace
}  // namespace qp
