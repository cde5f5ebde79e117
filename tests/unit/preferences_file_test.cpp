#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "settings/preferences_file.h"

namespace qp {
namespace {

using namespace std::string_literals;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
const std::string kMark = "\xEF\xBB\xBF";

PreferencesFile OpenConfig(const std::string& bytes) {
  PreferencesFile f = PreferencesFile::Open(bytes);
  f.SelectGroup("Config");
  return f;
}

TEST(PreferenceInt, ReadsLikeScanfD) {
  EXPECT_EQ(ParsePreferenceInt("12"), 12);
  EXPECT_EQ(ParsePreferenceInt("  -7"), -7);
  EXPECT_EQ(ParsePreferenceInt("+3"), 3);
  EXPECT_EQ(ParsePreferenceInt("\t\v\f9"), 9);
  EXPECT_EQ(ParsePreferenceInt("12abc"), 12);
  EXPECT_EQ(ParsePreferenceInt("007"), 7);
  EXPECT_EQ(ParsePreferenceInt("1.9"), 1);
  for (const char* none : {"", "abc", "-", "+", "- 5", "$0C", "x12"}) EXPECT_EQ(ParsePreferenceInt(none), 0) << none;
}

TEST(PreferenceInt, SaturatesBeyondThirtyTwoBits) {
  EXPECT_EQ(ParsePreferenceInt("2147483647"), kMax);
  EXPECT_EQ(ParsePreferenceInt("2147483648"), kMax);
  EXPECT_EQ(ParsePreferenceInt("-2147483648"), kMin);
  EXPECT_EQ(ParsePreferenceInt("-2147483649"), kMin);
  EXPECT_EQ(ParsePreferenceInt(std::string(5000, '9')), kMax);
  EXPECT_EQ(ParsePreferenceInt("-" + std::string(5000, '9')), kMin);
}

TEST(PreferencesRead, KeysAndGroupsIgnoreLetterCaseAndBlanks) {
  PreferencesFile f = OpenConfig(kMark + "\r\n[config]\r\nkeyset=5\r\n  OUTSTYLE   =\t 3  \r\nDark= 1x\r\nDock = on\r\n");
  EXPECT_EQ(f.ReadInt("KeySet", 1), 5);
  EXPECT_EQ(f.ReadInt("OutStyle", 1), 3);
  EXPECT_EQ(f.ReadInt("Dark", 0), 1);
  EXPECT_EQ(f.ReadInt("Dock", 1), 0);  // present but not a number: 0, not the default
  EXPECT_EQ(f.ReadInt("RuneOrder", 42), 42);
}

TEST(PreferencesRead, OnlyTheSelectedGroupCounts) {
  const std::string text = "KeySet = 8\r\n[Other]\r\nKeySet = 9\r\n[Config]\r\nOutStyle = 4\r\n[Config]\r\nKeySet = 3\r\n";
  PreferencesFile f = OpenConfig(text);
  EXPECT_EQ(f.ReadInt("KeySet", 1), 1);  // neither before the group, in another group, nor in a second [Config]
  EXPECT_EQ(f.ReadInt("OutStyle", 1), 4);
  PreferencesFile noGroup = PreferencesFile::Open(text);
  EXPECT_EQ(noGroup.ReadInt("KeySet", 1), 8);  // with no group chosen: the lines before the first header
  PreferencesFile missing = PreferencesFile::Open(text);
  missing.SelectGroup("Absent");
  EXPECT_EQ(missing.ReadInt("KeySet", 1), 1);
  EXPECT_EQ(missing.ReadInt("OutStyle", 1), 1);
}

TEST(PreferencesRead, FirstDuplicateKeyWins) {
  PreferencesFile f = OpenConfig("[Config]\nKeySet = 2\nKEYSET = 3\n");
  EXPECT_EQ(f.ReadInt("KeySet", 1), 2);
  f.WriteInt("KeySet", 7);
  EXPECT_EQ(f.Serialize(), kMark + "\r\n[Config]\r\nKeySet = 7\r\nKEYSET = 3\r\n");
}

TEST(PreferencesRead, LineShapes) {
  PreferencesFile f = PreferencesFile::Open(
      "; comment\r;  two blanks\n\n\r\n   \t  \n[Config] trailing text\n[Open group\nNoEquals\n=5\n\tDark = 1");
  const std::vector<PrefLine>& l = f.Lines();
  ASSERT_EQ(l.size(), 7u);
  EXPECT_EQ(l[0].kind, PrefLineKind::Comment);
  EXPECT_EQ(l[0].name, "comment");
  EXPECT_EQ(l[1].name, " two blanks");  // only one blank after ";" is dropped
  EXPECT_EQ(l[2].kind, PrefLineKind::Group);
  EXPECT_EQ(l[2].name, "Config");
  EXPECT_EQ(l[3].kind, PrefLineKind::Group);
  EXPECT_EQ(l[3].name, "Open group");  // no "]": the name runs to the end of the line
  EXPECT_EQ(l[4].kind, PrefLineKind::Key);
  EXPECT_EQ(l[4].name, "NoEquals");
  EXPECT_EQ(l[4].value, "");
  EXPECT_EQ(l[5].name, "");
  EXPECT_EQ(l[5].value, "5");
  EXPECT_EQ(l[6].name, "Dark");  // last line without a line end
  EXPECT_EQ(l[6].value, "1");
}

TEST(PreferencesWrite, InPlaceAtGroupEndAndPendingGroup) {
  PreferencesFile f = OpenConfig(kMark + "\r\n; mine\r\n[Config]\r\nOutStyle = 2\r\n; note\r\n[Other]\r\nX = 1\r\n");
  f.WriteInt("outstyle", 5);
  f.WriteInt("KeySet", 3);
  f.WriteInt("Dark", -1);
  EXPECT_EQ(f.Serialize(), kMark +
                               "\r\n; mine\r\n[Config]\r\nOutStyle = 5\r\n; note\r\nKeySet = 3\r\nDark = -1\r\n"
                               "[Other]\r\nX = 1\r\n");

  PreferencesFile p = OpenConfig("[Other]\r\nX = 1\r\n");
  p.WriteInt("KeySet", 1);
  p.WriteInt("OutStyle", 2);
  EXPECT_EQ(p.Serialize(), kMark + "\r\n[Other]\r\nX = 1\r\n[Config]\r\nKeySet = 1\r\nOutStyle = 2\r\n");
  EXPECT_EQ(p.ReadInt("OutStyle", 0), 2);  // the appended group is now the selected one
}

TEST(PreferencesWrite, ExtremeValuesRoundTrip) {
  PreferencesFile f = PreferencesFile::Create();
  f.SelectGroup("Config");
  f.WriteInt("A", kMin);
  f.WriteInt("B", kMax);
  PreferencesFile back = OpenConfig(f.Serialize());
  EXPECT_EQ(back.ReadInt("A", 0), kMin);
  EXPECT_EQ(back.ReadInt("B", 0), kMax);
}

TEST(PreferencesBytes, NewFileAlwaysWritesTheMark) {
  PreferencesFile f = PreferencesFile::Create();
  EXPECT_EQ(f.Serialize(), kMark + "\r\n");
}

TEST(PreferencesBytes, EmptyFileIsWrittenBackWithoutTheMark) {
  PreferencesFile f = OpenConfig("");
  f.WriteInt("KeySet", 1);
  EXPECT_EQ(f.Serialize(), "\r\n[Config]\r\nKeySet = 1\r\n");
  PreferencesFile markOnly = OpenConfig(kMark);
  markOnly.WriteInt("KeySet", 1);
  EXPECT_EQ(markOnly.Serialize(), kMark + "\r\n[Config]\r\nKeySet = 1\r\n");
}

TEST(PreferencesBytes, Latin1FileBecomesUtf8WithTheMark) {
  PreferencesFile f = PreferencesFile::Open("; caf\xE9 \xFF\n[Config]\nKeySet=2\n");
  EXPECT_EQ(f.Lines()[0].name, "caf\xC3\xA9 \xC3\xBF");
  f.SelectGroup("Config");
  EXPECT_EQ(f.ReadInt("KeySet", 1), 2);
  EXPECT_EQ(f.Serialize(), kMark + "\r\n; caf\xC3\xA9 \xC3\xBF\r\n[Config]\r\nKeySet = 2\r\n");
  // Two bytes of a mark are not a mark.
  EXPECT_EQ(PreferencesFile::Open("\xEF\xBB;").Lines()[0].name, "\xC3\xAF\xC2\xBB;");
}

TEST(PreferencesBytes, Utf8FileKeepsItsBytes) {
  const std::string text = kMark + "\r\n; \xD0\x96 \xF0\x9F\x98\x80 \xC3\r\n[Config]\r\nKeySet = 4\r\n";
  EXPECT_EQ(PreferencesFile::Open(text).Serialize(), text);
}

TEST(PreferencesBadInput, NulBytesAndGarbageKeepReadableSettings) {
  const std::string text = "\0\x01garbage\xFE\xFF\n[Config]\nKeySet = 6\0tail\n\0\0\nOutStyle=\0\n=\n[\n]\n;\n"s;
  PreferencesFile f = OpenConfig(text);
  EXPECT_EQ(f.ReadInt("KeySet", 1), 6);
  EXPECT_EQ(f.ReadInt("OutStyle", 1), 0);
  f.WriteInt("Dark", 1);
  PreferencesFile back = OpenConfig(f.Serialize());
  EXPECT_EQ(back.ReadInt("KeySet", 1), 6);
  EXPECT_EQ(back.ReadInt("Dark", 0), 1);
  EXPECT_EQ(back.Lines().size(), f.Lines().size());
}

TEST(PreferencesBadInput, HugeLineAndHugeValue) {
  const std::string big(1 << 20, 'k');
  PreferencesFile f = OpenConfig("[Config]\r\n" + big + "\r\nKeySet = " + std::string(1 << 20, '7') + "\r\nDock = 0");
  EXPECT_EQ(f.ReadInt("KeySet", 1), kMax);
  EXPECT_EQ(f.ReadInt("Dock", 1), 0);
  EXPECT_EQ(f.ReadInt(big, 5), 0);  // the long line is a key without a value
  f.WriteInt("KeySet", 2);
  EXPECT_EQ(OpenConfig(f.Serialize()).ReadInt("KeySet", 1), 2);
}

// Whatever the bytes, a written file reads back to the same lines, and writing it
// again gives the same bytes.
TEST(PreferencesBadInput, RandomBytesReachAFixedPoint) {
  std::mt19937 rng(12345);
  const char alphabet[] = "[]=;; \t\r\n\r\nab Config KeySet 0123456789-+\xEF\xBB\xBF\xE9";
  for (int round = 0; round < 500; ++round) {
    std::string bytes;
    const size_t n = rng() % 200;
    for (size_t i = 0; i < n; ++i) {
      bytes.push_back(rng() % 4 == 0 ? static_cast<char>(rng() % 256) : alphabet[rng() % (sizeof alphabet - 1)]);
    }
    PreferencesFile f = OpenConfig(bytes);
    const int32_t keySet = f.ReadInt("KeySet", -99);
    f.WriteInt("Probe", round);
    const std::string once = f.Serialize();
    PreferencesFile again = OpenConfig(once);
    EXPECT_EQ(again.ReadInt("Probe", -1), round) << round;
    EXPECT_EQ(again.ReadInt("KeySet", -99), keySet) << round;
    EXPECT_EQ(again.Lines().size(), f.Lines().size()) << round;
    again.WriteInt("Probe", round);
    // An empty file is written without the mark the first time only.
    EXPECT_EQ(again.Serialize(), bytes.empty() ? kMark + once : once) << round;
  }
}

TEST(PreferencesText, ValuesReadAsTheyStandAndWriteInPlace) {
  PreferencesFile f = PreferencesFile::Open("[Config]\r\nList =   3B1  E9 \r\nEmpty=\r\n[Other]\r\nGone = 1\r\n");
  f.SelectGroup("config");
  std::string value;
  ASSERT_TRUE(f.ReadText("list", value));
  EXPECT_EQ(value, "3B1  E9 ");
  ASSERT_TRUE(f.ReadText("Empty", value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(f.ReadText("Gone", value));
  f.WriteText("List", "1F600");
  f.WriteText("New", "41 42");
  EXPECT_EQ(f.Serialize(), kMark + "\r\n[Config]\r\nList = 1F600\r\nEmpty = \r\nNew = 41 42\r\n[Other]\r\nGone = 1\r\n");
}

}  // namespace
}  // namespace qp
