// The result rows' names come from a shorter path than the detail pane's: both must agree.
#include <gtest/gtest.h>

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
