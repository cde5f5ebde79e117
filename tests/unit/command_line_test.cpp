#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "base/app_state.h"
#include "base/command_line.h"
#include "base/instance_check.h"
#include "base/lower_case.h"

namespace qp {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

AppState Parsed(std::vector<Text> params) {
  AppState s;
  ParseCommandLine(params, s);
  return s;
}

TEST(IntegerText, ReadsDecimalHexAndBinaryWithSignAndLeadingBlanks) {
  EXPECT_EQ(ParseIntegerText(u"12"), 12);
  EXPECT_EQ(ParseIntegerText(u" \t 7"), 7);
  EXPECT_EQ(ParseIntegerText(u"+5"), 5);
  EXPECT_EQ(ParseIntegerText(u"-3"), -3);
  EXPECT_EQ(ParseIntegerText(u"$0C"), 12);
  EXPECT_EQ(ParseIntegerText(u"$ff"), 255);
  EXPECT_EQ(ParseIntegerText(u"-$10"), -16);
  EXPECT_EQ(ParseIntegerText(u"%1100"), 12);
  EXPECT_EQ(ParseIntegerText(u"%102"), 2);    // stops at the first non-binary digit
  EXPECT_EQ(ParseIntegerText(u"12abc"), 12);  // stops at the first letter
  EXPECT_EQ(ParseIntegerText(u"$1G"), 1);
}

TEST(IntegerText, TextWithoutANumberGivesZero) {
  for (const char16_t* t : {u"", u"$", u"%", u"-", u"+", u"abc", u"- 5", u"$$1", u"\u0661", u"\uFF11"}) {
    EXPECT_EQ(ParseIntegerText(t), 0) << TextToUtf8(t);
  }
}

TEST(IntegerText, BeyondThirtyTwoBitsSaturates) {
  EXPECT_EQ(ParseIntegerText(u"2147483647"), kMax);
  EXPECT_EQ(ParseIntegerText(u"2147483648"), kMax);
  EXPECT_EQ(ParseIntegerText(u"-2147483648"), kMin);
  EXPECT_EQ(ParseIntegerText(u"-2147483649"), kMin);
  EXPECT_EQ(ParseIntegerText(u"99999999999999999999999999999"), kMax);
  EXPECT_EQ(ParseIntegerText(u"-99999999999999999999999999999"), kMin);
  EXPECT_EQ(ParseIntegerText(u"$FFFFFFFF"), kMax);
  EXPECT_EQ(ParseIntegerText(u"$7FFFFFFF"), kMax);
  EXPECT_EQ(ParseIntegerText(u"-$80000000"), kMin);
  EXPECT_EQ(ParseIntegerText(u"%" + Text(64, u'1')), kMax);
}

TEST(CommandLine, NoShowSwitchInAnyCase) {
  EXPECT_EQ(Parsed({u"/noshow"}).NoShowSwitch, 1);
  EXPECT_EQ(Parsed({u"/NOSHOW"}).NoShowSwitch, 1);
  EXPECT_EQ(Parsed({u"/NoShow"}).NoShowSwitch, 1);
  // With a value it is some other "/" switch, which is ignored.
  AppState s = Parsed({u"/noshow=1"});
  EXPECT_EQ(s.NoShowSwitch, 0);
  EXPECT_EQ(s.TargetNameArg, u"");
  EXPECT_EQ(Parsed({u"noshow"}).NoShowSwitch, 0);
  // A switch already set by an earlier run of the parser is cleared first.
  AppState again;
  again.NoShowSwitch = 1;
  again.TargetNameArg = u"Old";
  ParseCommandLine({}, again);
  EXPECT_EQ(again.NoShowSwitch, 0);
  EXPECT_EQ(again.TargetNameArg, u"");
}

TEST(CommandLine, KeySetSwitch) {
  EXPECT_EQ(Parsed({u"keyset=12"}).KeySetSwitch, 12);
  EXPECT_EQ(Parsed({u"KEYSET=12"}).KeySetSwitch, 12);
  EXPECT_EQ(Parsed({u"KeySet=$0C"}).KeySetSwitch, 12);
  EXPECT_EQ(Parsed({u"keyset=99"}).KeySetSwitch, 99);
  EXPECT_EQ(Parsed({u"keyset=0"}).KeySetSwitch, 0);
  EXPECT_EQ(Parsed({u"keyset=-3"}).KeySetSwitch, -3);
  EXPECT_EQ(Parsed({u"keyset=abc"}).KeySetSwitch, 0);
  EXPECT_EQ(Parsed({u"keyset= 4"}).KeySetSwitch, 4);
  EXPECT_EQ(Parsed({u"keyset=99999999999"}).KeySetSwitch, kMax);
  // Not a title either: a key-set parameter never reaches the target name.
  EXPECT_EQ(Parsed({u"keyset=3"}).TargetNameArg, u"");
  EXPECT_EQ(Parsed({u"keyset"}).TargetNameArg, u"keyset");
}

TEST(CommandLine, EmptyKeySetValueKeepsEarlierValue) {
  EXPECT_EQ(Parsed({u"keyset="}).KeySetSwitch, 0);
  EXPECT_EQ(Parsed({u"keyset=5", u"KEYSET="}).KeySetSwitch, 5);
  EXPECT_EQ(Parsed({u"keyset=5", u"keyset=7"}).KeySetSwitch, 7);
  // A value that reads as 0 does replace an earlier one.
  EXPECT_EQ(Parsed({u"keyset=5", u"keyset=x"}).KeySetSwitch, 0);
}

TEST(CommandLine, BareTitleLastOneWins) {
  EXPECT_EQ(Parsed({u"Untitled - Notes"}).TargetNameArg, u"Untitled - Notes");
  EXPECT_EQ(Parsed({u"First", u"Second"}).TargetNameArg, u"Second");
  // Kept unchanged: quotes the platform left in place, capitals, other scripts.
  EXPECT_EQ(Parsed({u"\"Quoted\""}).TargetNameArg, u"\"Quoted\"");
  EXPECT_EQ(Parsed({u"\u0416\u0443\u0440\u043d\u0430\u043b"}).TargetNameArg, u"\u0416\u0443\u0440\u043d\u0430\u043b");
  EXPECT_EQ(Parsed({u"/other", u"/x"}).TargetNameArg, u"");
}

TEST(CommandLine, EmptyParametersAreSkipped) {
  EXPECT_EQ(Parsed({u"Editor", u""}).TargetNameArg, u"Editor");
  AppState s = Parsed({u"", u"", u"/noshow", u""});
  EXPECT_EQ(s.NoShowSwitch, 1);
  EXPECT_EQ(s.TargetNameArg, u"");
  EXPECT_EQ(s.KeySetSwitch, 0);
}

TEST(CommandLine, AllThreeTogether) {
  AppState s = Parsed({u"/NoShow", u"keyset=$14", u"My Document", u"/ignored"});
  EXPECT_EQ(s.NoShowSwitch, 1);
  EXPECT_EQ(s.KeySetSwitch, 20);
  EXPECT_EQ(s.TargetNameArg, u"My Document");
}

TEST(LowerCase, FollowsTheSimpleUnicodeMapping) {
  EXPECT_EQ(LowerCase(u"KEYSET=ABC xyz 09"), u"keyset=abc xyz 09");
  EXPECT_EQ(LowerCase(u"\u00C0\u00DE\u00D7"), u"\u00E0\u00FE\u00D7");  // the multiplication sign has no case
  EXPECT_EQ(LowerCaseUnit(u'\u0100'), u'\u0101');                        // alternating pairs
  EXPECT_EQ(LowerCaseUnit(u'\u0101'), u'\u0101');
  EXPECT_EQ(LowerCaseUnit(u'\u0130'), u'i');                             // dotted capital I: first unit only
  EXPECT_EQ(LowerCaseUnit(u'\u0178'), u'\u00FF');
  EXPECT_EQ(LowerCaseUnit(u'\u0416'), u'\u0436');                        // Cyrillic
  EXPECT_EQ(LowerCaseUnit(u'\u0400'), u'\u0450');
  EXPECT_EQ(LowerCaseUnit(u'\u03A9'), u'\u03C9');                        // Greek
  EXPECT_EQ(LowerCaseUnit(u'\u10A0'), u'\u2D00');                        // Georgian
  EXPECT_EQ(LowerCaseUnit(u'\u0531'), u'\u0561');                        // Armenian
  EXPECT_EQ(LowerCaseUnit(u'\u2160'), u'\u2170');                        // Roman numerals
  EXPECT_EQ(LowerCaseUnit(u'\u212A'), u'k');                             // Kelvin sign
  EXPECT_EQ(LowerCaseUnit(u'\uFF21'), u'\uFF41');                        // full-width A
  EXPECT_EQ(LowerCaseUnit(u'\uFF3B'), u'\uFF3B');
  EXPECT_EQ(LowerCaseUnit(char16_t{0xD801}), char16_t{0xD801});                        // surrogates untouched
  EXPECT_EQ(LowerCaseUnit(u'\uFFFF'), u'\uFFFF');
  EXPECT_EQ(LowerCaseUnit(u'\0'), u'\0');
}

TEST(KeySetSwitch, FullEditionTakesAnyPositiveNumber) {
  AppState s;
  s.KeySet = 4;
  for (int32_t ignored : {0, -3}) {
    s.KeySetSwitch = ignored;
    ApplyKeySetSwitch(s, ProEdition());
    EXPECT_EQ(s.KeySet, 4);
  }
  s.KeySetSwitch = 12;
  ApplyKeySetSwitch(s, ProEdition());
  EXPECT_EQ(s.KeySet, 12);
  s.KeySetSwitch = 99;  // kept, so it is saved as it stands
  ApplyKeySetSwitch(s, ProEdition());
  EXPECT_EQ(s.KeySet, 99);
}

TEST(KeySetSwitch, StandardEditionStartsOutsideOneToFifteenAtOne) {
  const std::pair<int32_t, int32_t> cases[] = {{15, 15}, {1, 1}, {16, 1}, {0, 1}, {-3, 1}, {kMax, 1}};
  for (auto [given, expected] : cases) {
    AppState s;
    s.KeySet = 7;
    s.KeySetSwitch = given;
    ApplyKeySetSwitch(s, StandardEdition());
    EXPECT_EQ(s.KeySet, expected) << given;
  }
}

TEST(InstanceCheck, TitlePrefixCoversTheTrailingBlankInTheFullEdition) {
  EXPECT_TRUE(IsInstanceTitle(u"Quillpad Pro ~ Greek", ProEdition()));
  EXPECT_TRUE(IsInstanceTitle(u"Quillpad Pro ~ ", ProEdition()));
  EXPECT_FALSE(IsInstanceTitle(u"Quillpad Pro ~", ProEdition()));
  EXPECT_FALSE(IsInstanceTitle(u"Quillpad Pro ~Greek", ProEdition()));
  EXPECT_FALSE(IsInstanceTitle(u"quillpad pro ~ Greek", ProEdition()));
  EXPECT_FALSE(IsInstanceTitle(u"Quillpad ~ Greek", ProEdition()));
  EXPECT_FALSE(IsInstanceTitle(u"", ProEdition()));
  EXPECT_FALSE(IsInstanceTitle(u" Quillpad Pro ~ Greek", ProEdition()));
}

TEST(InstanceCheck, StandardPrefixHasNoTrailingBlank) {
  EXPECT_TRUE(IsInstanceTitle(u"Quillpad ~ Greek", StandardEdition()));
  EXPECT_TRUE(IsInstanceTitle(u"Quillpad ~", StandardEdition()));
  EXPECT_TRUE(IsInstanceTitle(u"Quillpad ~x", StandardEdition()));
  EXPECT_FALSE(IsInstanceTitle(u"Quillpad Pro ~ Greek", StandardEdition()));
  EXPECT_FALSE(IsInstanceTitle(u"Quillpad Help", StandardEdition()));
}

TEST(InstanceCheck, TitleLongerThanTheReadLimitStillMatches) {
  const Text rest(1000, u'x');
  EXPECT_TRUE(IsInstanceTitle((Text(ProEdition().instancePrefix) + rest).substr(0, kInstanceTitleChars), ProEdition()));
  EXPECT_TRUE(IsInstanceTitle(Text(StandardEdition().instancePrefix) + rest, StandardEdition()));
}

TEST(InstanceCheck, WhenToAsk) {
  AppState s;
  EXPECT_FALSE(ShouldAskAboutOtherInstance(s, ProEdition()));
  EXPECT_FALSE(ShouldAskAboutOtherInstance(s, StandardEdition()));
  s.OtherInstanceFound = 1;
  EXPECT_TRUE(ShouldAskAboutOtherInstance(s, ProEdition()));
  s.AllowMultiRun = 1;
  EXPECT_FALSE(ShouldAskAboutOtherInstance(s, ProEdition()));
  EXPECT_TRUE(ShouldAskAboutOtherInstance(s, StandardEdition()));  // no such setting there
}

TEST(InstanceCheck, QuestionTextsPerEdition) {
  EXPECT_EQ(InstanceQuestionCaption(ProEdition()), u"Quillpad Pro");
  EXPECT_EQ(InstanceQuestionCaption(StandardEdition()), u"Quillpad");
  const Text tail =
      u" appears to be already running.\r\nContinue with this additional copy (Yes) or else cancel it (No)?"
      u"\r\n\r\nThere is no special problem running multiple instances, but each will have its own takbar icon.";
  EXPECT_EQ(InstanceQuestionText(ProEdition()), u"An instance of Quillpad Pro" + tail);
  EXPECT_EQ(InstanceQuestionText(StandardEdition()), u"An instance of Quillpad" + tail);
}

}  // namespace
}  // namespace qp
