// The finder's index and its shortcuts (row names from a shorter path than the detail
// pane's, ASCII folding, 16-bit limits, rule-named ranges ranked whole) agree with the long way.
#include <gtest/gtest.h>

#include <algorithm>

#include "find/char_table.h"
#include "find/find.h"

namespace qp {
namespace {

TEST(RowName, AgreesWithTheDetailsAcrossUnicode) {
  // A stride that lands on stored characters, rule-given names, gaps and surrogates alike.
  size_t named = 0;
  for (int32_t cp = -3; cp <= 0x110005; cp += cp < 0x3400 ? 1 : 37) {
    CharDetails d;
    const bool describable = DescribeCharacter(cp, d);
    const Text row = ReadableCharacterName(cp);
    ASSERT_EQ(row, describable ? d.readableName : Text()) << std::hex << cp;
    named += describable ? 1 : 0;
  }
  EXPECT_GT(named, 10000u);
}

TEST(RowName, FoldingKeepsCaseAndAccentsOut) {
  const CharTable& t = Table();
  ASSERT_TRUE(t.ok);
  const struct {
    const char16_t* text;
    std::vector<std::string> words;
  } kCases[] = {
      {u"Greek SMALL alpha", {"greek", "small", "alpha"}},
      {u"e\u0301 \u00C9CLAIR caf\u00E9-au-lait", {"e\u0301", "eclair", "cafe", "au", "lait"}},
      {u"  U+20AC, 0x1f600  ", {"u", "20ac", "0x1f600"}},
      {u"\u0391\u039B\u03A6\u0391", {"\u03b1\u03bb\u03c6\u03b1"}},
  };
  for (const auto& c : kCases) EXPECT_EQ(FoldedWords(t, c.text), c.words) << TextToUtf8(c.text);
}

}  // namespace
}  // namespace qp

namespace qp {
namespace {

// The index keeps characters and words in 16 bits; new Unicode data must still fit, or Find
// would refuse the whole table.
TEST(CharTableLimits, TheStoredDataFitsTheIndexWithRoom) {
  const CharTable& t = Table();
  ASSERT_TRUE(t.ok);
  EXPECT_LT(t.codePoints.size(), kMaxStoredCharacters);
  EXPECT_LT(t.words.size(), kMaxWords);
  EXPECT_EQ(t.phraseAt.size(), static_cast<size_t>(t.phraseStart.back()) + 1);
  EXPECT_EQ(t.postingAt.size(), t.words.size() + 1);
}

}  // namespace
}  // namespace qp

namespace qp {
namespace {

// Names given by rule match alike across their range; the user's characters deep inside a
// range must still come first when the range alone fills the limit.
TEST(RuleRanges, FavouredCharactersSurviveAFullRange) {
  const struct {
    const char16_t* query;
    std::vector<int32_t> recent;
    size_t limit;
  } kCases[] = {
      {u"ideograph", {0x9FFF, 0x4E00, 0x2A6DF}, 40},
      {u"i", {0x2B739, 0x3400}, 5000},
      {u"c", {0x9FFF, 0x20000, 0x4E00}, 5000},
      {u"cjk unified ideograph 4", {0x4FFF, 0x4E00, 0x4DBF}, 30},
      {u"tangut", {0x187F7, 0x17000}, 10},
      {u"hangul syllable", {0xD7A3, 0xAC00}, 5},
      {u"cjk compatibility", {0x2FA1D}, 3},
  };
  for (const auto& c : kCases) {
    FindLists lists;
    lists.recent = c.recent;
    const std::vector<int32_t> found = FindCharacters(c.query, lists, c.limit);
    EXPECT_EQ(found.size(), c.limit) << TextToUtf8(c.query);
    std::vector<int32_t> expected = c.recent;
    std::sort(expected.begin(), expected.end());
    std::vector<int32_t> shown;
    for (int32_t cp : found) {
      if (std::find(expected.begin(), expected.end(), cp) != expected.end()) shown.push_back(cp);
    }
    EXPECT_EQ(shown, expected) << TextToUtf8(c.query);
    // Apart from them, the order is the one without favoured characters.
    auto others = [&expected](std::vector<int32_t> list) {
      list.erase(std::remove_if(list.begin(), list.end(),
                                [&](int32_t cp) { return std::count(expected.begin(), expected.end(), cp) > 0; }),
                 list.end());
      return list;
    };
    const std::vector<int32_t> rest = others(found);
    const std::vector<int32_t> plain = others(FindCharacters(c.query, FindLists(), c.limit));
    ASSERT_LE(rest.size(), plain.size()) << TextToUtf8(c.query);
    EXPECT_TRUE(std::equal(rest.begin(), rest.end(), plain.begin())) << TextToUtf8(c.query);
  }
}

}  // namespace
}  // namespace qp
