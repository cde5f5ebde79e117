#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "output/format.h"

namespace qp {
namespace {

std::vector<Text> AllModes(int32_t cp, TextView entity) {
  std::vector<Text> out;
  for (int32_t mode = 1; mode <= 12; ++mode) out.push_back(FormatForOutput(cp, mode, entity));
  return out;
}

TEST(OutputModes, TableNumbersAndLabels) {
  const char16_t* const labels[] = {
      u"character",
      u"HTML entity name, or code if none",
      u"HTML entity code, decimal",
      u"HTML entity code, hexadecimal",
      u"Unicode code point  (U+FFFF)",
      u"escaped Unicode hex, 4 digit  (\\uFFFF)",
      u"escaped Unicode hex, 8 digit (\\U00FFFFFF)",
      u"URI encoded UTF8  (%FF%FF)",
      u"decimal code",
      u"hexadecimal, 0x prefix",
      u"hexadecimal, $ prefix",
      u"hexadecimal, &&H prefix",
  };
  for (int i = 0; i < kOutputModeCount; ++i) {
    EXPECT_EQ(static_cast<int>(kOutputModes[i].mode), i + 1);
    EXPECT_EQ(Text(kOutputModes[i].label), labels[i]) << i + 1;
  }
  EXPECT_EQ(static_cast<int>(OutputMode::UriUtf8), 8);
  EXPECT_EQ(static_cast<int>(OutputMode::HexAmpH), 12);
}

TEST(OutputModes, StoredValuesOutsideTheRangeMeanCharacter) {
  EXPECT_EQ(OutputModeFromSetting(12), OutputMode::HexAmpH);
  for (int32_t v : {0, 13, -1, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
    EXPECT_EQ(OutputModeFromSetting(v), OutputMode::Character) << v;
    EXPECT_EQ(FormatForOutput(0x20AC, v, u"&euro;"), u"\u20AC") << v;
  }
}

TEST(FormatForOutput, EuroSignInEveryMode) {
  const std::vector<Text> expected = {u"\u20AC", u"&euro;", u"&#8364;", u"&#x20AC;", u"U+20AC", u"\\u20AC",
                                      u"\\U000020AC", u"%E2%82%AC", u"8364", u"0x20AC", u"$20AC", u"&H20AC"};
  EXPECT_EQ(AllModes(0x20AC, u"&euro;"), expected);
}

TEST(FormatForOutput, SmallLetterEWithAcute) {
  const std::vector<Text> expected = {u"\u00E9", u"&eacute;", u"&#233;", u"&#xE9;", u"U+00E9", u"\\u00E9",
                                      u"\\U000000E9", u"%C3%A9", u"233", u"0xE9", u"$E9", u"&HE9"};
  EXPECT_EQ(AllModes(0xE9, u"&eacute;"), expected);
}

TEST(FormatForOutput, EmoticonAboveTheBmp) {
  const std::vector<Text> expected = {u"\U0001F600", u"&#128512;", u"&#128512;", u"&#x1F600;", u"U+1F600",
                                      u"\\uD83D\\uDE00", u"\\U0001F600", u"%F0%9F%98%80", u"128512", u"0x1F600",
                                      u"$1F600", u"&H1F600"};
  EXPECT_EQ(AllModes(0x1F600, u""), expected);
  EXPECT_EQ(FormatForOutput(0x1F600, 1, u""), Text({0xD83D, 0xDE00}));
}

TEST(FormatForOutput, SurrogatePairStartsAt10000) {
  EXPECT_EQ(FormatForOutput(0xFFFF, 1, u""), Text(1, u'\uFFFF'));
  EXPECT_EQ(FormatForOutput(0xFFFF, 6, u""), u"\\uFFFF");
  EXPECT_EQ(FormatForOutput(0x10000, 1, u""), Text({0xD800, 0xDC00}));
  EXPECT_EQ(FormatForOutput(0x10000, 6, u""), u"\\uD800\\uDC00");
  EXPECT_EQ(FormatForOutput(0x10FFFF, 1, u""), Text({0xDBFF, 0xDFFF}));
  EXPECT_EQ(FormatForOutput(0x10FFFF, 7, u""), u"\\U0010FFFF");
  EXPECT_EQ(FormatForOutput(0x10FFFF, 5, u""), u"U+10FFFF");
}

TEST(FormatForOutput, EntityNameOnlyInModeTwo) {
  EXPECT_EQ(FormatForOutput(0x20AC, 3, u"&euro;"), u"&#8364;");
  EXPECT_EQ(FormatForOutput(0x20AC, 4, u"&euro;"), u"&#x20AC;");
  EXPECT_EQ(FormatForOutput(0x20AC, 2, u""), u"&#8364;");
}

TEST(FormatForOutput, SmallCodePointsAndFilling) {
  EXPECT_EQ(FormatForOutput(0x22, 5, u""), u"U+0022");
  EXPECT_EQ(FormatForOutput(0x22, 6, u""), u"\\u0022");
  EXPECT_EQ(FormatForOutput(0x22, 10, u""), u"0x22");
  EXPECT_EQ(FormatForOutput(0x61, 8, u""), u"%61");  // letters are encoded too
  EXPECT_EQ(FormatForOutput(0x26, 8, u""), u"%26");
  EXPECT_EQ(FormatForOutput(0x7FF, 8, u""), u"%DF%BF");
  EXPECT_EQ(FormatForOutput(0x800, 8, u""), u"%E0%A0%80");
  EXPECT_EQ(FormatForOutput(0x0, 12, u""), u"&H0");
  EXPECT_EQ(FormatForOutput(0x5, 8, u""), u"%05");
}

TEST(PercentEncodeUtf8, TakesAnyPrefix) {
  EXPECT_EQ(PercentEncodeUtf8(0x20AC, u"\\x"), u"\\xE2\\x82\\xAC");
  EXPECT_EQ(PercentEncodeUtf8(0xE9, u""), u"C3A9");
}

TEST(FormatForOutput, ValuesThatAreNoCharacterBecomeTheReplacementCharacter) {
  for (int32_t bad : {-1, -0x20AC, std::numeric_limits<int32_t>::min(), 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0x110000,
                      std::numeric_limits<int32_t>::max()}) {
    EXPECT_EQ(ToUtf16(bad), u"\uFFFD") << bad;
    EXPECT_EQ(FormatForOutput(bad, 1, u""), u"\uFFFD") << bad;
    EXPECT_EQ(FormatForOutput(bad, 2, u""), u"&#65533;") << bad;
    EXPECT_EQ(FormatForOutput(bad, 6, u""), u"\\uFFFD") << bad;
    EXPECT_EQ(FormatForOutput(bad, 8, u""), u"%EF%BF%BD") << bad;
    EXPECT_EQ(FormatForOutput(bad, 9, u""), u"65533") << bad;
    EXPECT_EQ(PercentEncodeUtf8(bad, u"%"), u"%EF%BF%BD") << bad;
  }
  EXPECT_EQ(FormatForOutput(0xD7FF, 9, u""), u"55295");
  EXPECT_EQ(FormatForOutput(0xE000, 9, u""), u"57344");
}

}  // namespace
}  // namespace qp
