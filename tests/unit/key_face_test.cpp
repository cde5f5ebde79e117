#include <gtest/gtest.h>

#include "keysets/key_face.h"

namespace qp {
namespace {

// ---- colours ---------------------------------------------------------------------------------------

TEST(KeyFaceColors, EveryStateInBothSchemes) {
  struct Row {
    int state;
    bool dark;
    FaceColors want;
  };
  const uint32_t lightText = Rgb(0, 0, 0), darkText = Rgb(255, 255, 255);
  const uint32_t lightBorder = Rgb(144, 144, 144), darkBorder = Rgb(69, 69, 69);
  const Row rows[] = {
      {0, false, {Rgb(187, 187, 192), Rgb(144, 144, 144), lightText, lightBorder}},
      {1, false, {Rgb(208, 208, 216), Rgb(221, 221, 224), lightText, lightBorder}},
      {2, false, {Rgb(150, 150, 155), Rgb(177, 177, 186), lightText, lightBorder}},
      {4, false, {Rgb(203, 203, 203), Rgb(203, 203, 203), Rgb(175, 175, 175), Rgb(187, 187, 187)}},
      {0, true, {Rgb(24, 24, 24), Rgb(50, 50, 50), darkText, darkBorder}},
      {1, true, {Rgb(80, 80, 80), Rgb(64, 64, 64), darkText, darkBorder}},
      {2, true, {Rgb(21, 21, 21), Rgb(5, 5, 5), darkText, darkBorder}},
      {4, true, {Rgb(16, 16, 16), Rgb(16, 16, 16), Rgb(51, 51, 51), Rgb(21, 21, 21)}},
  };
  for (const Row& r : rows) {
    const FaceColors c = KeyFaceColors(r.state, r.dark);
    EXPECT_EQ(c.top, r.want.top) << r.state << r.dark;
    EXPECT_EQ(c.bottom, r.want.bottom) << r.state << r.dark;
    EXPECT_EQ(c.text, r.want.text) << r.state << r.dark;
    EXPECT_EQ(c.border, r.want.border) << r.state << r.dark;
  }
  // Packed blue-green-red from the high byte down.
  EXPECT_EQ(KeyFaceColors(0, false).top, 0xC0BBBBu);
  // Unused states draw as normal rather than in a stray colour.
  for (int state : {3, -1, 99}) EXPECT_EQ(KeyFaceColors(state, true).top, Rgb(24, 24, 24));
}

TEST(KeyFaceColors, PanelButtonsShareTheKeyColoursExceptDarkNormal) {
  for (int state : {0, 1}) {
    const FaceColors light = PanelButtonColors(state, false);
    const FaceColors key = KeyFaceColors(state, false);
    EXPECT_EQ(light.top, key.top);
    EXPECT_EQ(light.bottom, key.bottom);
    EXPECT_EQ(light.border, Rgb(144, 144, 144));
  }
  const FaceColors darkNormal = PanelButtonColors(0, true);
  EXPECT_EQ(darkNormal.top, Rgb(37, 37, 37));
  EXPECT_EQ(darkNormal.bottom, Rgb(68, 68, 68));
  EXPECT_EQ(darkNormal.border, Rgb(69, 69, 69));
  const FaceColors darkHover = PanelButtonColors(1, true);
  EXPECT_EQ(darkHover.top, Rgb(80, 80, 80));
  EXPECT_EQ(darkHover.bottom, Rgb(64, 64, 64));
  EXPECT_EQ(darkHover.border, Rgb(69, 69, 69));
}

// ---- what a face shows ---------------------------------------------------------------------------

void ExpectFace(int32_t cp, int set, const Text& text, int font, int y, bool centred) {
  const KeyFaceText f = KeyFaceTextFor(cp, set);
  EXPECT_EQ(f.text, text) << std::hex << cp << " in set " << std::dec << set;
  EXPECT_EQ(f.font, font) << std::hex << cp;
  EXPECT_EQ(f.y, y) << std::hex << cp;
  EXPECT_EQ(f.centred, centred) << std::hex << cp;
}

TEST(KeyFaceText, OrdinaryKeysAreCentredInTheKeyFont) {
  ExpectFace(0xE9, 1, u"\u00E9", kFontKeys, 4, true);
  ExpectFace(0x20AC, 21, u"\u20AC", kFontKeys, 4, true);
  // Combining marks are shown bare outside the phonetic set.
  ExpectFace(0x301, 13, u"\u0301", kFontKeys, 4, true);
  ExpectFace(0x361, 1, u"\u0361", kFontKeys, 4, true);
  // Above U+FFFF: one glyph from a surrogate pair, centred like any other.
  ExpectFace(0x1F600, 20, u"\U0001F600", kFontKeys, 4, true);
  EXPECT_EQ(KeyFaceTextFor(0x1F600, 20).text.size(), 2u);
  // Values that are no character show the replacement character instead of failing.
  ExpectFace(-5, 1, u"\uFFFD", kFontKeys, 4, true);
  ExpectFace(0xD800, 1, u"\uFFFD", kFontKeys, 4, true);
  ExpectFace(0x110000, 1, u"\uFFFD", kFontKeys, 4, true);
}

TEST(KeyFaceText, PhoneticSetRules) {
  // Marks up to U+035B sit on the private base glyph, larger and higher.
  ExpectFace(0x301, 18, u"\uF8FF\u0301", kFontPhoneticMarks, 2, true);
  ExpectFace(0x300, 18, u"\uF8FF\u0300", kFontPhoneticMarks, 2, true);
  ExpectFace(0x35B, 18, u"\uF8FF\u035B", kFontPhoneticMarks, 2, true);
  // The two double-width marks get a trailing space and the key font, drawn from x = 4.
  ExpectFace(0x361, 18, u"\uF8FF\u0361 ", kFontKeys, 4, false);
  ExpectFace(0x35C, 18, u"\uF8FF\u035C ", kFontKeys, 4, false);
  // Other letters: font 1 at y = 2, from x = 4 above U+035B, centred below it.
  ExpectFace(0x250, 18, u"\u0250", kFontPhoneticLetters, 2, true);
  ExpectFace(0x2C8, 18, u"\u02C8", kFontPhoneticLetters, 2, true);
  ExpectFace(0x3B2, 18, u"\u03B2", kFontPhoneticLetters, 2, false);
  ExpectFace(0x35D, 18, u"\u035D", kFontPhoneticLetters, 2, false);
  // The more block follows the shown set: U+20AC from x = 4, U+00BF centred.
  ExpectFace(0x20AC, 18, u"\u20AC", kFontPhoneticLetters, 2, false);
  ExpectFace(0xBF, 18, u"\u00BF", kFontPhoneticLetters, 2, true);
}

TEST(KeyFaceText, CentringTruncatesAndGoesNegativeForWideText) {
  EXPECT_EQ(CentredTextX(26, 10), 8);
  EXPECT_EQ(CentredTextX(26, 11), 7);   // 7.5 truncated
  EXPECT_EQ(CentredTextX(26, 26), 0);
  EXPECT_EQ(CentredTextX(26, 31), -2);  // -2.5 truncated towards zero
  EXPECT_EQ(CentredTextX(26, 40), -7);
}

}  // namespace
}  // namespace qp
