#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

#include "keysets/catalogue.h"
#include "table_checks.h"

namespace qp {
namespace {

const KeyRecord& Key(int set, int position) { return KeySetRecords(set).records[position]; }
std::u16string Tip(int set, int position) { return Key(set, position).tooltip; }
std::string Entity(int set, int position) { return Key(set, position).entityName; }

TEST(KeySetCatalogue, PositionsKeysAndNamesOfEverySet) {
  struct Row {
    int set, positions, keys;
    const char16_t* name;
  };
  const Row rows[] = {
      {1, 76, 76, u"Latin - Western Europe"},
      {2, 76, 76, u"Latin - Western Europe, Nordic"},
      {3, 76, 76, u"Latin - Eastern Europe, Polish and Baltic"},
      {4, 76, 76, u"Latin - Eastern Europe, Danube"},
      {5, 76, 76, u"Latin - Southeast Europe and Turkic"},
      {6, 76, 76, u"Latin - Austronesian / Oceanic"},
      {7, 19, 15, u"Latin - Esperanto"},
      {8, 76, 76, u"Cyrillic - East Slavic"},
      {9, 76, 72, u"Cyrillic - Bulgarian"},
      {10, 76, 70, u"Cyrillic - West Balkan"},
      {11, 114, 114, u"Cyrillic - Turkic and Mongolic"},
      {12, 76, 73, u"Greek"},
      {13, 342, 313, u"Polytonic Greek"},
      {14, 133, 121, u"Georgian"},
      {15, 95, 94, u"Armenian"},
      {16, 36, 29, u"Ogham"},
      {17, 95, 90, u"Runic"},
      {18, 171, 171, u"International Phonetic Alphabet (IPA)"},
      {19, 38, 38, u"Roman Numerals"},
      {20, 76, 76, u"Emoticons"},
      {21, 95, 95, u"Other symbols"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.set);
    EXPECT_EQ(KeySetPositions(row.set), row.positions);
    EXPECT_EQ(KeySetKeyCount(row.set), row.keys);
    EXPECT_EQ(std::u16string(KeySetName(row.set)), row.name);
    EXPECT_EQ(Key(row.set, 0).codePoint, 0);  // index 0 is never a key
  }
}

TEST(KeySetCatalogue, NumbersOutsideTheCatalogueGiveTheFirstSet) {
  for (int n : {0, 22, -1, 1000}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(KeySetRecords(n).records, KeySetRecords(1).records);
    EXPECT_EQ(std::u16string(KeySetName(n)), u"Latin - Western Europe");
    EXPECT_EQ(KeySetPositions(n), 76);
  }
}

TEST(KeySetContents, MoreBlock) {
  const KeySetTable more = MoreBlockRecords();
  ASSERT_EQ(more.positions, kMoreBlockPositions);
  for (int i = 1; i <= more.positions; ++i) EXPECT_GE(more.records[i].codePoint, 1) << i;
  EXPECT_EQ(more.records[1].codePoint, 0x00BF);
  EXPECT_EQ(more.records[26].codePoint, 0x0192);  // 00A2..00A5 expanded before it
  EXPECT_EQ(more.records[57].codePoint, 0x00A0);
  EXPECT_EQ(std::u16string(more.records[57].tooltip), u"non-breaking space");
  EXPECT_EQ(std::string(more.records[57].entityName), "nbsp");
}

TEST(KeySetContents, LatinEdgeCases) {
  EXPECT_EQ(Key(1, 1).codePoint, 0x00C0);
  EXPECT_EQ(Tip(1, 1), u"cap A grave");
  EXPECT_EQ(Tip(1, 20), u"a grave");
  EXPECT_EQ(Key(1, 57).codePoint, 0x1E9E);
  EXPECT_EQ(Entity(1, 57), "");
  EXPECT_EQ(Key(1, 76).codePoint, 0x00DF);
  EXPECT_EQ(Entity(1, 76), "szlig");
  // Set 5 keeps dotted and dotless i apart, capital and small.
  EXPECT_EQ(Key(5, 18).codePoint, 0x0049);
  EXPECT_EQ(Key(5, 19).codePoint, 0x0130);
  EXPECT_EQ(Key(5, 37).codePoint, 0x0131);
  EXPECT_EQ(Key(5, 38).codePoint, 0x0069);
  EXPECT_NE(Tip(5, 18), Tip(5, 19));
  EXPECT_NE(Tip(5, 37), Tip(5, 38));
  // Esperanto's holes.
  for (int i : {7, 14, 15, 16}) EXPECT_EQ(Key(7, i).codePoint, 0) << i;
}

TEST(KeySetContents, OtherScriptsFollowTheNamingConvention) {
  EXPECT_EQ(Tip(8, 1), u"cap A");
  EXPECT_EQ(Tip(15, 1), u"cap Ayb");
  EXPECT_EQ(Tip(15, 20), u"ayb");
  EXPECT_EQ(Tip(14, 1), u"an");
  EXPECT_EQ(Key(14, 58).codePoint, 0x10A0);
  EXPECT_EQ(Tip(14, 58), u"cap An");
  EXPECT_EQ(Tip(16, 1), u"Beith, Beithe, birch, B");
  EXPECT_EQ(Tip(17, 1), u"Fehu, feoh, f\u00e9, fire, F");
  EXPECT_EQ(Tip(19, 16), u"Roman numeral One Thousand");
  EXPECT_EQ(Tip(20, 1), u"smiley, happy face");
  EXPECT_EQ(Tip(21, 77), u"left arrow");
}

TEST(KeySetContents, PolytonicGreekHolesAndIotas) {
  const std::set<int> holes = {4,   7,   8,   9,   10,  50,  82,  84,  85,  86,  126, 128, 129, 130, 195,
                               197, 199, 205, 207, 208, 209, 231, 232, 233, 234, 245, 247, 267, 268};
  ASSERT_EQ(holes.size(), 29u);
  for (int i = 1; i <= 342; ++i) EXPECT_EQ(Key(13, i).codePoint == 0, holes.count(i) == 1) << i;
  const int32_t capitals[] = {0x1F39, 0x1F3B, 0x1F3D, 0x1F3F};
  const int32_t smalls[] = {0x1F31, 0x1F33, 0x1F35, 0x1F37};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Key(13, 156 + k).codePoint, capitals[k]);
    EXPECT_EQ(Key(13, 175 + k).codePoint, smalls[k]);
  }
  EXPECT_EQ(Key(13, 153).codePoint, 0x1F3A);
  EXPECT_EQ(Tip(13, 153), u"cap Iota with psili and varia (smooth + grave)");
  EXPECT_EQ(Key(13, 342).codePoint, 0x2E0E);
}

TEST(KeySetContents, PhoneticSetEndsWithTheCombiningMarks) {
  for (int i = 1; i <= 171; ++i) {
    const int32_t cp = Key(18, i).codePoint;
    const bool combining = cp >= 0x0300 && cp <= 0x036F;
    EXPECT_EQ(combining, i >= 134) << i;
  }
  EXPECT_EQ(Key(18, 170).codePoint, 0x035C);
  EXPECT_EQ(Key(18, 171).codePoint, 0x0361);
  EXPECT_EQ(Tip(18, 1), u"Open front unrounded vowel (Latin a)");
  EXPECT_EQ(Tip(18, 134), u"Voiceless (combining ring below)");
  EXPECT_EQ(Tip(18, 170), u"Tie bar below (combining double breve below)");
}

TEST(KeySetContents, EmoticonsMixPlanesInOneRow) {
  EXPECT_EQ(Key(20, 1).codePoint, 0x263A);
  EXPECT_EQ(Key(20, 3).codePoint, 0x2639);
  EXPECT_EQ(Key(20, 4).codePoint, 0x1F600);
  EXPECT_EQ(Tip(20, 4), u"grinning");
  EXPECT_EQ(Key(20, 39).codePoint, 0x1F623);
  EXPECT_EQ(Key(20, 40).codePoint, 0x1F625);  // U+1F624 is left out
  EXPECT_EQ(Key(20, 76).codePoint, 0x1F480);
}

TEST(RuneRows, RowSizesAndMembership) {
  const RuneRow* rows = RuneRows();
  const int expectedSizes[6] = {27, 22, 22, 42, 43, 37};
  int sizes[6] = {};
  for (int i = 1; i <= kRunicPositions; ++i) {
    const bool isKey = Key(kRunicSet, i).codePoint >= 1;
    int memberships = 0;
    for (int k = 0; k < 6; ++k) {
      EXPECT_TRUE(rows[i].rows[k] == 0 || rows[i].rows[k] == 1);
      sizes[k] += rows[i].rows[k];
      memberships += rows[i].rows[k];
    }
    EXPECT_EQ(memberships > 0, isKey) << i;
  }
  for (int k = 0; k < 6; ++k) EXPECT_EQ(sizes[k], expectedSizes[k]) << k;
  // U+16A8 is Elder only; U+16A9 is not Elder.
  const int32_t elderOnly[6] = {1, 0, 0, 0, 0, 0};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(rows[9].rows[k], elderOnly[k]);
  EXPECT_EQ(rows[10].rows[0], 0);
}

TEST(RuneRows, OrderNumbersCoverOneToNinetyFiveWithFiveGaps) {
  const RuneRow* rows = RuneRows();
  std::set<int> orders;
  for (int i = 1; i <= kRunicPositions; ++i) {
    if (Key(kRunicSet, i).codePoint < 1) {
      EXPECT_EQ(rows[i].order, 0) << i;
      continue;
    }
    EXPECT_TRUE(orders.insert(rows[i].order).second) << "repeated order " << rows[i].order;
  }
  std::set<int> missing;
  for (int n = 1; n <= 95; ++n)
    if (!orders.count(n)) missing.insert(n);
  EXPECT_EQ(missing, (std::set<int>{84, 85, 86, 90, 91}));
  EXPECT_EQ(*orders.begin(), 1);
  EXPECT_EQ(*orders.rbegin(), 95);
  EXPECT_EQ(rows[9].order, 1);    // U+16A8 comes first in transliteration order
  EXPECT_EQ(rows[95].order, 95);  // U+22EE keeps its place
}

TEST(EntityNames, FollowTheFourRules) {
  // HTML 4.01 first.
  EXPECT_EQ(Entity(1, 1), "Agrave");
  EXPECT_EQ(Entity(12, 30), "theta");
  EXPECT_EQ(Entity(21, 2), "amp");
  // Otherwise the single HTML5 name.
  EXPECT_EQ(Entity(7, 1), "Ccirc");
  EXPECT_EQ(Entity(8, 1), "Acy");
  EXPECT_EQ(Entity(21, 53), "vellip");
  EXPECT_EQ(Entity(21, 3), "apos");
  // The listed choices where HTML5 has several names.
  EXPECT_EQ(Entity(5, 37), "imath");
  const KeySetTable more = MoreBlockRecords();
  const std::map<int, std::string> chosen = {{7, "lbrack"}, {8, "rbrack"},  {9, "lbrace"},
                                             {10, "rbrace"}, {17, "grave"}, {55, "vert"}};
  for (const auto& [position, name] : chosen) EXPECT_EQ(std::string(more.records[position].entityName), name);
  // Otherwise none: no HTML name at all, or several and no choice made.
  EXPECT_EQ(Entity(18, 1), "");   // plain a
  EXPECT_EQ(Entity(6, 76), "");   // modifier letter apostrophe
  EXPECT_EQ(Entity(21, 29), "");  // nand
}

TEST(EntityNames, ListedKeysHaveNone) {
  struct Exception {
    int set, position;
    int32_t codePoint;
  };
  const Exception exceptions[] = {
      {3, 73, 0x0173},   {3, 75, 0x017C},   {4, 25, 0x010F},   {5, 19, 0x0130},   {6, 36, 0x013C},
      {6, 75, 0x016B},   {9, 15, 0x040C},   {9, 34, 0x045C},   {10, 36, 0x045C},  {11, 10, 0x0415},
      {13, 69, 0x03F5},  {13, 163, 0x039D}, {13, 305, 0x03DC}, {13, 324, 0x03DD}, {18, 38, 0x0127},
      {18, 61, 0x014B},  {18, 128, 0x2193}, {18, 129, 0x2191}, {18, 130, 0x2192}, {18, 131, 0x2197},
      {18, 132, 0x2198}, {18, 133, 0x2016}, {21, 38, 0x2235},  {21, 48, 0x2034},  {21, 62, 0x221F},
      {21, 64, 0x22A4},  {21, 66, 0x2225},  {21, 82, 0x2195},  {21, 83, 0x2196},  {21, 84, 0x2197},
      {21, 85, 0x2198},  {21, 86, 0x2199},  {21, 87, 0x21BA},  {21, 88, 0x21BB},
  };
  for (const Exception& e : exceptions) {
    SCOPED_TRACE(testing::Message() << "set " << e.set << " position " << e.position);
    EXPECT_EQ(Key(e.set, e.position).codePoint, e.codePoint);
    EXPECT_EQ(Entity(e.set, e.position), "");
  }
  // The same characters keep their names elsewhere.
  EXPECT_EQ(Entity(5, 36), "hstrok");   // U+0127
  EXPECT_EQ(Entity(12, 19), "Nu");      // U+039D
  EXPECT_EQ(Entity(10, 17), "KJcy");    // U+040C
  EXPECT_EQ(Entity(21, 80), "darr");    // U+2193
  EXPECT_EQ(Entity(8, 7), "IEcy");      // U+0415
}

TEST(EntityNames, SetsWithoutNames) {
  for (int set : {14, 15, 16, 19, 20}) {
    for (int i = 1; i <= KeySetPositions(set); ++i) EXPECT_EQ(Entity(set, i), "") << set << ":" << i;
  }
  for (int i = 1; i <= kRunicPositions; ++i) {
    EXPECT_EQ(Entity(kRunicSet, i), Key(kRunicSet, i).codePoint == 0x22EE ? "vellip" : "") << i;
  }
}

TEST(Tooltips, EveryKeyHasItsOwnReadableTooltip) {
  auto check = [](const KeySetTable& table, const std::string& label) {
    std::map<std::u16string, int32_t> owner;
    for (int i = 1; i <= table.positions; ++i) {
      const KeyRecord& r = table.records[i];
      if (r.codePoint < 1) continue;
      const std::u16string tip = r.tooltip;
      SCOPED_TRACE(label + " position " + std::to_string(i));
      EXPECT_FALSE(tip.empty());
      // A raw Unicode name is all capitals; every tooltip has some small letters.
      bool hasSmall = false;
      for (char16_t c : tip) hasSmall = hasSmall || (c >= u'a' && c <= u'z');
      EXPECT_TRUE(hasSmall);
      const auto [it, fresh] = owner.emplace(tip, r.codePoint);
      EXPECT_TRUE(fresh || it->second == r.codePoint) << "tooltip shared by two characters";
      for (const char* p = r.entityName; *p; ++p) EXPECT_TRUE(isalnum(static_cast<unsigned char>(*p)));
    }
  };
  for (int set = 1; set <= kKeySetCount; ++set) check(KeySetRecords(set), "set " + std::to_string(set));
  check(MoreBlockRecords(), "more block");
}

TEST(StandardKeySets, SetNumbersMapToTheFullerOnes) {
  const int expected[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 20};
  for (int n = 1; n <= kStandardKeySetCount; ++n) EXPECT_EQ(StandardToFullerSet(n), expected[n]) << n;
  for (int n : {0, 16, -1, 21}) EXPECT_EQ(StandardToFullerSet(n), 1) << n;
}

TEST(StandardKeySets, FourTooltipsAreWordedDifferently) {
  struct Difference {
    int set, position;
    const char16_t* fuller;
    const char16_t* standard;
  };
  const Difference differences[] = {
      {4, 33, u"l caron", u"L caron"},
      {8, 12, u"cap I", u"cap  I"},
      {8, 13, u"cap dotted I, Ukrainian I", u"cap dotted I"},
      {11, 18, u"cap dotted I, Ukrainian I", u"cap dotted I"},
      {8, 32, u"dotted i, Ukrainian i", u"dotted i"},
      {11, 37, u"dotted i, Ukrainian i", u"dotted i"},
  };
  for (const Difference& d : differences) {
    SCOPED_TRACE(testing::Message() << "set " << d.set << " position " << d.position);
    EXPECT_EQ(Tip(d.set, d.position), d.fuller);
    EXPECT_EQ(std::u16string(StandardTooltip(d.set, d.position)), d.standard);
  }
  // Everything else reads the same, including the same letter in another set.
  EXPECT_EQ(std::u16string(StandardTooltip(11, 17)), u"cap I");
  EXPECT_EQ(std::u16string(StandardTooltip(1, 1)), u"cap A grave");
  EXPECT_EQ(std::u16string(StandardTooltip(20, 4)), u"grinning");
  EXPECT_EQ(std::u16string(StandardTooltip(0, 1)), u"cap A grave");
  EXPECT_EQ(std::u16string(StandardTooltip(8, 0)), u"");
  EXPECT_EQ(std::u16string(StandardTooltip(8, 77)), u"");
}

}  // namespace
}  // namespace qp
