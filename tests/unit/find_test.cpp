// The character finder's portable part: the table, matching and ranking, details, lists.
#include "find/find.h"

#include "app/edition.h"
#include "find/char_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace qp {
namespace {

std::vector<int32_t> Find(const std::u16string& q, const FindLists& lists = {}, size_t limit = 50) {
  return FindCharacters(q, lists, limit);
}

TEST(Find, TableLoads) { ASSERT_TRUE(LoadCharacterTable()); }

TEST(Find, WhatUsersTypeFindsTheCharacterTheyMeant) {
  const struct {
    const char16_t* query;
    int32_t first;
  } kCases[] = {
      {u"alpha", 0x03B1},          {u"greek small alpha", 0x03B1}, {u"Greek SMALL Alpha", 0x03B1},
      {u"eacute", 0x00E9},         {u"e acute", 0x00E9},           {u"E acute", 0x00C9},
      {u"U+20AC", 0x20AC},         {u"&#8364;", 0x20AC},           {u"euro", 0x20AC},
      {u"grinning", 0x1F600},      {u"heart", 0x2665},             {u"rune ansuz", 0x16A8},
      {u"ogham beith", 0x1681},    {u"ogham b\u00E9ith", 0x1681},  {u"schwa", 0x0259},
      {u"cjk 4e00", 0x4E00},       {u"\u4E00", 0x4E00},            {u"hangul ga", 0xAC00},
      {u"hangul syllable hih", 0xD7A3}, {u"tangut 187f7", 0x187F7}, {u"nushu 1b170", 0x1B170},
      {u"cjk compatibility f900", 0xF900}, {u"line feed", 0x000A},  {u"nbsp", 0x00A0},
      {u"  pilcrow  ", 0x00B6},    {u"hyphen minus", 0x002D},      {u"minus", 0x2212},
  };
  for (const auto& c : kCases) {
    const std::vector<int32_t> found = Find(c.query);
    ASSERT_FALSE(found.empty()) << TextToUtf8(c.query);
    EXPECT_EQ(found[0], c.first) << TextToUtf8(c.query) << " gave U+" << std::hex << found[0];
  }
}

TEST(Find, CodeForms) {
  const struct {
    const char16_t* query;
    bool alone;  // the form names one character and nothing else
  } kCases[] = {
      {u"U+1F600", true}, {u"u+1f600", true},   {u"0x1F600", true}, {u"&#128512;", true},
      {u"&#x1F600;", true}, {u"&#X1f600", true}, {u"1f600", false}, {u"\U0001F600", false},
  };
  for (const auto& c : kCases) {
    const std::vector<int32_t> found = Find(c.query);
    ASSERT_FALSE(found.empty()) << TextToUtf8(c.query);
    EXPECT_EQ(found[0], 0x1F600) << TextToUtf8(c.query);
    if (c.alone) {
      EXPECT_EQ(found.size(), 1u) << TextToUtf8(c.query);
    }
  }
  EXPECT_EQ(Find(u"&eacute;"), std::vector<int32_t>{0x00E9});
  EXPECT_EQ(Find(u"&Eacute;"), std::vector<int32_t>{0x00C9});
  EXPECT_EQ(Find(u"&Alpha;"), std::vector<int32_t>{0x0391});
  EXPECT_EQ(Find(u"&#xE9;"), std::vector<int32_t>{0x00E9});
  // Hex-looking words stay words: "face" is not U+FACE.
  EXPECT_NE(Find(u"face")[0], 0xFACE);
}

TEST(Find, BadQueriesFindNothingAndDoNotCrash) {
  const std::u16string kQueries[] = {
      u"", u"   ", std::u16string(10000, u'a'), std::u16string(1, u'\xD800'), std::u16string(1, u'\xDC00'),
      u"\xDFFF\xD800", u"U+110000", u"&#xFFFFFFFF;", u"&#99999999999999999999;", u"&nosuchentity;",
      u"U+D800", u"0x", u"&#;", u"&x", u"zzzzqqq", u"U+E000", std::u16string(1, u'\0'), u"&#0;",
  };
  for (const std::u16string& q : kQueries) EXPECT_TRUE(Find(q).empty()) << TextToUtf8(q);
  EXPECT_TRUE(FindCharacters(u"alpha", {}, 0).empty());
}

TEST(Find, LimitAndTheWorstQuery) {
  EXPECT_EQ(Find(u"a", {}, 5).size(), 5u);
  // "c" starts CJK: every ideograph and more.
  EXPECT_GT(Find(u"c", {}, 200000).size(), 100000u);
}

TEST(Find, RecentAndPinnedCharactersComeAheadOfTheRest) {
  const std::vector<int32_t> plain = Find(u"euro");
  ASSERT_GE(plain.size(), 3u);
  EXPECT_NE(plain[1], 0x1F4B6);
  FindLists lists;
  NoteTyped(lists, 0x1F4B6);    // BANKNOTE WITH EURO SIGN
  EXPECT_EQ(Find(u"euro", lists)[1], 0x1F4B6);
  FindLists pinned;
  TogglePin(pinned, 0x1F4B6);
  EXPECT_EQ(Find(u"euro", pinned)[1], 0x1F4B6);
  // The exact name stays first whatever the lists hold.
  EXPECT_EQ(Find(u"euro", lists)[0], 0x20AC);
}

TEST(Find, NamesGivenByRuleMatchAtTheEdgesOfTheirRanges) {
  const struct {
    const char16_t* query;
    int32_t first;
  } kCases[] = {
      {u"CJK UNIFIED IDEOGRAPH-3400", 0x3400}, {u"cjk 4dbf", 0x4DBF},     {u"cjk 9fff", 0x9FFF},
      {u"cjk unified 20000", 0x20000},         {u"cjk 2a6df", 0x2A6DF},   {u"cjk 323af", 0x323AF},
      {u"hangul syllable ga", 0xAC00},         {u"hangul gag", 0xAC01},   {u"tangut ideograph-18d08", 0x18D08},
      {u"khitan 18cd5", 0x18CD5},              {u"nushu 1b2fb", 0x1B2FB}, {u"cjk compatibility 2fa1d", 0x2FA1D},
  };
  for (const auto& c : kCases) {
    const std::vector<int32_t> found = Find(c.query);
    ASSERT_FALSE(found.empty()) << TextToUtf8(c.query);
    EXPECT_EQ(found[0], c.first) << TextToUtf8(c.query) << " gave U+" << std::hex << found[0];
  }
  // Just past a range's end there is nothing to find.
  for (const char16_t* q : {u"cjk 323b0", u"tangut 187f8", u"khitan 18cd6", u"nushu 1b2fc", u"cjk 4e00000000000000000"}) {
    const std::vector<int32_t> found = Find(q);
    EXPECT_TRUE(found.empty()) << TextToUtf8(q) << " gave U+" << std::hex << found[0];
  }
}

TEST(Find, BlankQueryGivesPinnedThenRecent) {
  FindLists lists;
  TogglePin(lists, 0x3B1);
  TogglePin(lists, 0xE9);
  NoteTyped(lists, 0xE9);
  NoteTyped(lists, 0x20AC);
  EXPECT_EQ(Find(u"", lists), (std::vector<int32_t>{0x3B1, 0xE9, 0x20AC}));
  EXPECT_EQ(Find(u" \t", lists, 2), (std::vector<int32_t>{0x3B1, 0xE9}));
}

TEST(Describe, NamesOfEveryKind) {
  const struct {
    int32_t cp;
    const char* name;
    const char* readable;
    const char* block;
  } kCases[] = {
      {0x03B1, "GREEK SMALL LETTER ALPHA", "Greek small letter alpha", "Greek and Coptic"},
      {0x00C9, "LATIN CAPITAL LETTER E WITH ACUTE", "Latin capital letter E with acute", "Latin-1 Supplement"},
      {0x000A, "LINE FEED", "Line feed", "Basic Latin"},
      {0x01C5, "LATIN CAPITAL LETTER D WITH SMALL LETTER Z WITH CARON",
       "Latin capital letter D with small letter z with caron", "Latin Extended-B"},
      {0x10300, "OLD ITALIC LETTER A", "Old Italic letter a", "Old Italic"},
      {0x1F44C, "OK HAND SIGN", "OK hand sign", "Miscellaneous Symbols and Pictographs"},
      {0x0F0A, "TIBETAN MARK BKA- SHOG YIG MGO", "Tibetan mark bka- shog yig mgo", "Tibetan"},
      {0x3400, "CJK UNIFIED IDEOGRAPH-3400", "CJK unified ideograph-3400", "CJK Unified Ideographs Extension A"},
      {0x4DBF, "CJK UNIFIED IDEOGRAPH-4DBF", "CJK unified ideograph-4DBF", "CJK Unified Ideographs Extension A"},
      {0x4E00, "CJK UNIFIED IDEOGRAPH-4E00", "CJK unified ideograph-4E00", "CJK Unified Ideographs"},
      {0x9FFF, "CJK UNIFIED IDEOGRAPH-9FFF", "CJK unified ideograph-9FFF", "CJK Unified Ideographs"},
      {0x20000, "CJK UNIFIED IDEOGRAPH-20000", nullptr, "CJK Unified Ideographs Extension B"},
      {0x323AF, "CJK UNIFIED IDEOGRAPH-323AF", nullptr, "CJK Unified Ideographs Extension H"},
      {0xF900, "CJK COMPATIBILITY IDEOGRAPH-F900", nullptr, "CJK Compatibility Ideographs"},
      {0x2FA1D, "CJK COMPATIBILITY IDEOGRAPH-2FA1D", nullptr, "CJK Compatibility Ideographs Supplement"},
      {0xAC00, "HANGUL SYLLABLE GA", "Hangul syllable ga", "Hangul Syllables"},
      {0xAC01, "HANGUL SYLLABLE GAG", nullptr, "Hangul Syllables"},
      {0xD7A3, "HANGUL SYLLABLE HIH", nullptr, "Hangul Syllables"},
      {0x17000, "TANGUT IDEOGRAPH-17000", "Tangut ideograph-17000", "Tangut"},
      {0x187F7, "TANGUT IDEOGRAPH-187F7", nullptr, "Tangut"},
      {0x18D08, "TANGUT IDEOGRAPH-18D08", nullptr, "Tangut Supplement"},
      {0x18B00, "KHITAN SMALL SCRIPT CHARACTER-18B00", nullptr, "Khitan Small Script"},
      {0x18CD5, "KHITAN SMALL SCRIPT CHARACTER-18CD5", nullptr, "Khitan Small Script"},
      {0x1B170, "NUSHU CHARACTER-1B170", nullptr, "Nushu"},
      {0x1B2FB, "NUSHU CHARACTER-1B2FB", nullptr, "Nushu"},
      {0x4DC0, "HEXAGRAM FOR THE CREATIVE HEAVEN", nullptr, "Yijing Hexagram Symbols"},
      {0xA000, "YI SYLLABLE IT", nullptr, "Yi Syllables"},
  };
  for (const auto& c : kCases) {
    CharDetails d;
    ASSERT_TRUE(DescribeCharacter(c.cp, d)) << std::hex << c.cp;
    EXPECT_EQ(d.codePoint, c.cp);
    EXPECT_EQ(TextToUtf8(d.name), c.name);
    if (c.readable) {
      EXPECT_EQ(TextToUtf8(d.readableName), c.readable);
    }
    EXPECT_EQ(TextToUtf8(d.block), c.block) << c.name;
  }
}

TEST(Describe, CodePointsWithoutANameAreRefused) {
  for (int32_t cp : {-1, 0, 0xD7A4, 0x187F8, 0x18CD6, 0x1B2FC, 0x323B0, 0xD800, 0xDFFF, 0xE000, 0x0378,
                     0x10FFFF, 0x110000, INT32_MAX}) {
    CharDetails d;
    d.name = u"stale";
    EXPECT_FALSE(DescribeCharacter(cp, d)) << std::hex << cp;
    EXPECT_TRUE(d.name.empty());
  }
}

TEST(Describe, AliasesKeywordsEntityAndTooltip) {
  CharDetails d;
  ASSERT_TRUE(DescribeCharacter(0x03B1, d));
  EXPECT_EQ(d.entity, u"&alpha;");
  EXPECT_EQ(d.keyTooltip, u"alpha");
  ASSERT_TRUE(DescribeCharacter(0x1F600, d));
  EXPECT_EQ(d.keywords, (std::vector<Text>{u"face", u"grin"}));
  EXPECT_TRUE(d.entity.empty());
  ASSERT_TRUE(DescribeCharacter(0x000A, d));
  EXPECT_NE(std::find(d.aliases.begin(), d.aliases.end(), u"LF"), d.aliases.end());
  ASSERT_TRUE(DescribeCharacter(0x16A8, d));
  EXPECT_NE(std::find(d.keywords.begin(), d.keywords.end(), u"rune"), d.keywords.end());
}

TEST(Describe, KeyTooltipsComeFromTheRunningEditionsSets) {
  const struct {
    EditionKind edition;
    bool runic;  // the runic set is the fuller edition's alone
  } kCases[] = {{EditionKind::Pro, true}, {EditionKind::Standard, false}};
  for (const auto& c : kCases) {
    SetCurrentEdition(c.edition);
    std::unique_ptr<CharTable> t(LoadFreshCharTable());
    ASSERT_TRUE(t->ok);
    const bool runic = std::any_of(t->tooltips.begin(), t->tooltips.end(),
                                   [](const auto& tip) { return tip.first == 0x16A8; });
    EXPECT_EQ(runic, c.runic);
    EXPECT_TRUE(std::any_of(t->tooltips.begin(), t->tooltips.end(), [](const auto& tip) { return tip.first == 0xE9; }));
  }
  SetCurrentEdition(EditionKind::Pro);
}

TEST(FindLists, RecentIsNewestFirstWithoutDuplicatesAndBounded) {
  FindLists lists;
  for (int32_t cp = 0x41; cp < 0x41 + 40; ++cp) NoteTyped(lists, cp);
  NoteTyped(lists, 0x50);
  NoteTyped(lists, 0xD800);  // not a character: ignored
  NoteTyped(lists, 0x110000);
  ASSERT_EQ(lists.recent.size(), kMaxRecent);
  EXPECT_EQ(lists.recent[0], 0x50);
  EXPECT_EQ(lists.recent[1], 0x41 + 39);
  EXPECT_EQ(std::count(lists.recent.begin(), lists.recent.end(), 0x50), 1);
}

TEST(FindLists, PinsToggleAndStopAtTheBound) {
  FindLists lists;
  for (int32_t cp = 0x41; cp < 0x41 + 40; ++cp) TogglePin(lists, cp);
  ASSERT_EQ(lists.pinned.size(), kMaxPinned);
  EXPECT_EQ(lists.pinned.back(), static_cast<int32_t>(0x41 + kMaxPinned - 1));
  TogglePin(lists, 0x42);
  EXPECT_EQ(lists.pinned.size(), kMaxPinned - 1);
  EXPECT_EQ(std::count(lists.pinned.begin(), lists.pinned.end(), 0x42), 0);
  TogglePin(lists, 0xDC00);
  EXPECT_EQ(lists.pinned.size(), kMaxPinned - 1);
}

TEST(FindLists, TextRoundTripSkipsWhatIsMalformed) {
  const std::vector<int32_t> list = {0x3B1, 0xE9, 0x1F600, 0x10FFFF};
  EXPECT_EQ(CodePointListToText(list), u"3B1 E9 1F600 10FFFF");
  EXPECT_EQ(CodePointListFromText(CodePointListToText(list), 32), list);
  EXPECT_EQ(CodePointListFromText(u"zz 3b1 110000 D800 -5 3B1 1F6000 0 ,E9,  x", 32),
            (std::vector<int32_t>{0x3B1, 0xE9}));
  EXPECT_EQ(CodePointListFromText(u"41 42 43 44", 2), (std::vector<int32_t>{0x41, 0x42}));
  EXPECT_TRUE(CodePointListFromText(u"", 32).empty());
}

}  // namespace
}  // namespace qp
