#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "keysets/layout.h"
#include "table_checks.h"

namespace qp {
namespace {

// Positions that never hold a key and may share their place with a neighbour.
const std::set<int> kOghamEmpty = {6, 12, 18, 24, 31, 35, 36};
const std::set<int> kEsperantoEmpty = {7, 14, 15, 16};

struct Case {
  int set;
  bool compact;
  int panelWidth;
};

std::vector<Case> AllLayouts() {
  std::vector<Case> out;
  for (int set = 1; set <= 21; ++set) out.push_back({set, false, 498});
  out.push_back({kEsperantoSet, true, 264});
  return out;
}

std::vector<Rect> KeyRects(const Case& c) {
  std::vector<Rect> out;
  for (int i = 1; i <= LayoutPositionCount(c.set); ++i) {
    if (c.set == kOghamSet && kOghamEmpty.count(i)) continue;
    if (c.set == kEsperantoSet && kEsperantoEmpty.count(i)) continue;
    const std::optional<Rect> r = KeyRectFor(c.set, i, {c.compact, 0});
    EXPECT_TRUE(r.has_value()) << "set " << c.set << " position " << i;
    if (r) out.push_back(*r);
  }
  return out;
}

Rect At(int set, int position, KeyLayoutOptions options = {}) {
  return KeyRectFor(set, position, options).value_or(Rect{-1, -1, -1, -1});
}

TEST(KeyLayout, KeysOfEverySetDoNotOverlapAndFitThePanel) {
  for (const Case& c : AllLayouts()) {
    SCOPED_TRACE(testing::Message() << "set " << c.set << (c.compact ? " compact" : ""));
    const std::vector<Rect> keys = KeyRects(c);
    const int height = KeyAreaHeightForSet(c.set, c.compact);
    for (size_t a = 0; a < keys.size(); ++a) {
      const Rect& r = keys[a];
      EXPECT_GE(r.x, 0);
      EXPECT_LE(r.x + r.w, c.panelWidth);
      EXPECT_GE(r.y, kGridTop);
      // The grid covers rows 16 .. 16 + height; the more block starts one row lower.
      EXPECT_LE(r.y + r.h, kGridTop + height + 1);
      for (size_t b = a + 1; b < keys.size(); ++b) {
        EXPECT_FALSE(RectsOverlap(r, keys[b])) << "keys " << a << " and " << b;
      }
    }
  }
}

TEST(KeyLayout, KeyAreaHeightFitsTheLastRowClosely) {
  // A wrong row count, gap or pitch shows up as a grid that ends far from its declared height.
  for (const Case& c : AllLayouts()) {
    std::vector<Rect> content = KeyRects(c);
    if (c.set == kOghamSet) {
      for (int n = 0; n < kOghamLabelCount; ++n) content.push_back(OghamLabelPlaces()[n].rect);
    }
    int bottom = 0;
    for (const Rect& r : content) bottom = std::max(bottom, r.y + r.h);
    const int height = KeyAreaHeightForSet(c.set, c.compact);
    EXPECT_GE(bottom, kGridTop + height - 1) << "set " << c.set;
    EXPECT_LE(bottom, kGridTop + height + 1) << "set " << c.set;
  }
}

TEST(KeyLayout, GapsSeparateRowPairs) {
  EXPECT_EQ(At(1, 1), (Rect{2, 16, 26, 26}));
  EXPECT_EQ(At(1, 20).y, 42);
  EXPECT_EQ(At(1, 39).y, 70);  // 2 pixels after the second row
  EXPECT_EQ(At(1, 76), (Rect{470, 96, 26, 26}));
  EXPECT_EQ(At(11, 58).y, 96);
  EXPECT_EQ(At(11, 77).y, 124);  // another 2 from the fifth row
  EXPECT_EQ(At(13, 58).y, 96);
  EXPECT_EQ(At(13, 77).y, 124);
  EXPECT_EQ(At(13, 324), (Rect{2, 16 + 17 * 26 + 16, 26, 26}));
  EXPECT_EQ(At(13, 342).x, 470);
  EXPECT_EQ(At(15, 77).y, 124);
  // Georgian: 3-pixel gaps before the fourth and sixth rows.
  EXPECT_EQ(At(14, 39).y, 68);
  EXPECT_EQ(At(14, 58).y, 97);
  EXPECT_EQ(At(14, 96).y, 152);
  EXPECT_EQ(At(14, 115).y, 178);
}

TEST(KeyLayout, RowPitchOfSpacedAndPlainSets) {
  for (int set : {17, 19, 20}) EXPECT_EQ(At(set, 20).y, 16 + 27) << set;
  EXPECT_EQ(At(20, 76).y, 16 + 3 * 27);
  EXPECT_EQ(At(21, 77).y, 16 + 4 * 26);
  EXPECT_EQ(At(21, 95), (Rect{470, 120, 26, 26}));
}

TEST(KeyLayout, PhoneticMarksSitLowerOnTallerKeysBelowTheirLabel) {
  EXPECT_EQ(At(18, 20), (Rect{2, 45, 26, 26}));
  EXPECT_EQ(At(18, 133), (Rect{470, 16 + 6 * 29, 26, 26}));
  EXPECT_EQ(At(18, 134), (Rect{2, 16 + 7 * 29 + 14, 26, 27}));
  EXPECT_EQ(At(18, 171), (Rect{470, 16 + 8 * 29 + 14, 26, 27}));
  EXPECT_EQ(PhoneticLabelRect(false), (Rect{1, 1, 450, 15}));
  const Rect label = PhoneticLabelRect(true);
  EXPECT_EQ(label, (Rect{1, 217, 450, 15}));
  for (int i = 1; i <= LayoutPositionCount(kPhoneticSet); ++i) {
    EXPECT_FALSE(RectsOverlap(label, At(18, i))) << i;
  }
  EXPECT_LE(label.y + label.h, At(18, 134).y);
}

TEST(KeyLayout, OghamGroupsCloseUpBehindSeparators) {
  EXPECT_EQ(At(16, 1), (Rect{2, 16, 31, 26}));
  EXPECT_EQ(At(16, 5).x, 2 + 4 * 31);
  EXPECT_EQ(At(16, 7), (Rect{6 * 31 + 2 - 18, 16, 31, 26}));
  EXPECT_EQ(At(16, 13).x, 12 * 31 + 2 - 36);
  EXPECT_EQ(At(16, 19), (Rect{2, 56, 31, 26}));
  EXPECT_EQ(At(16, 25).x, 6 * 31 + 2 - 18);
  EXPECT_EQ(At(16, 34), (Rect{15 * 31 + 2 - 18, 56, 31, 26}));
  // Labels sit under the rows and clear of every key.
  const int labels[kOghamLabelCount][3] = {
      {1025, 15, 43}, {1026, 175, 43}, {1027, 325, 43}, {1028, 15, 83}, {1029, 175, 83}};
  for (int n = 0; n < kOghamLabelCount; ++n) {
    const LabelPlace& p = OghamLabelPlaces()[n];
    EXPECT_EQ(p.element, labels[n][0]);
    EXPECT_EQ(p.rect, (Rect{labels[n][1], labels[n][2], 125, 12}));
    for (const Rect& key : KeyRects({kOghamSet, false, 498})) {
      EXPECT_FALSE(RectsOverlap(p.rect, key)) << p.element;
    }
  }
}

TEST(KeyLayout, EsperantoCompactAndWideRows) {
  EXPECT_EQ(KeyAreaHeightForSet(7, true), 54);
  EXPECT_EQ(KeyAreaHeightForSet(7, false), 27);
  const KeyLayoutOptions compact{true, 0};
  EXPECT_EQ(At(7, 1, compact), (Rect{2, 16, 26, 26}));
  EXPECT_EQ(At(7, 6, compact).x, 132);
  EXPECT_EQ(At(7, 8, compact), (Rect{2, 45, 26, 26}));
  EXPECT_EQ(At(7, 13, compact).x, 132);
  EXPECT_EQ(At(7, 18, compact), (Rect{210, 45, 26, 26}));
  EXPECT_EQ(At(7, 19, compact).x + 26, 262);
  for (int i : kEsperantoEmpty) EXPECT_FALSE(KeyRectFor(7, i, compact).has_value()) << i;
  EXPECT_EQ(At(7, 19), (Rect{470, 16, 26, 26}));
  EXPECT_EQ(At(7, 8), (Rect{184, 16, 26, 26}));
}

TEST(KeyLayout, EsperantoDigraphKeyIsWiderReachingLeft) {
  EXPECT_EQ(At(7, 17, {true, 0}), (Rect{7 * 26 + 2 - 6, 45, 32, 26}));
  EXPECT_EQ(At(7, 17), (Rect{16 * 26 + 2 - 6, 16, 32, 26}));
  // Only the digraph's own key is widened.
  EXPECT_EQ(At(7, 18).w, 26);
  EXPECT_EQ(At(1, 17).w, 26);
}

TEST(KeyLayout, RunesFollowTheirOrderNumberWhenAsked) {
  EXPECT_EQ(At(17, 9, {false, 1}), (Rect{2, 16, 26, 26}));
  EXPECT_EQ(At(17, 95, {false, 95}), (Rect{470, 16 + 4 * 27, 26, 26}));
  EXPECT_EQ(At(17, 1, {false, 19}), (Rect{470, 16, 26, 26}));
  EXPECT_EQ(At(17, 1, {false, 20}), (Rect{2, 43, 26, 26}));
  EXPECT_EQ(At(17, 1, {false, 0}), At(17, 1));
  EXPECT_FALSE(KeyRectFor(17, 1, {false, 96}).has_value());
  // Order numbers only matter to the runic set.
  EXPECT_EQ(At(21, 1, {false, 20}), At(21, 1));
}

TEST(KeyLayout, BadSetsAndPositions) {
  for (int set : {0, 22, -1, 1000000}) {
    EXPECT_EQ(LayoutSetNumber(set), 1);
    EXPECT_EQ(At(set, 40), At(1, 40));
    EXPECT_EQ(KeyAreaHeightForSet(set, true), 106);
  }
  EXPECT_FALSE(KeyRectFor(1, 0).has_value());
  EXPECT_FALSE(KeyRectFor(1, 77).has_value());
  EXPECT_FALSE(KeyRectFor(13, 343).has_value());
  EXPECT_FALSE(KeyRectFor(16, -5).has_value());
  EXPECT_TRUE(KeyRectFor(13, 342).has_value());
}

TEST(KeyLayout, MoreBlockKeysFillThreeRowsOfNineteen) {
  EXPECT_EQ(MoreKeyRect(1), (Rect{0, 0, 26, 26}));
  EXPECT_EQ(MoreKeyRect(19), (Rect{468, 0, 26, 26}));
  EXPECT_EQ(MoreKeyRect(20), (Rect{0, 26, 26, 26}));
  EXPECT_EQ(MoreKeyRect(57), (Rect{468, 52, 26, 26}));
  EXPECT_FALSE(MoreKeyRect(0).has_value());
  EXPECT_FALSE(MoreKeyRect(58).has_value());
}

TEST(LoadPauses, BigSetsPauseWhereTheLoaderExpects) {
  std::vector<int> pausedAt;
  for (int i = 1; i <= LayoutPositionCount(kPolytonicSet); ++i) {
    if (PauseBeforePositionMs(kPolytonicSet, i) > 0) pausedAt.push_back(i);
  }
  EXPECT_EQ(pausedAt, (std::vector<int>{60, 120, 180, 240, 300}));
  EXPECT_EQ(PauseBeforePositionMs(kPolytonicSet, 60), 60);
  EXPECT_EQ(LoadPausesFor(kPolytonicSet).afterLoopMs, 100);
  EXPECT_EQ(PauseBeforePositionMs(kPhoneticSet, 60), 0);
  EXPECT_EQ(LoadPausesFor(kPhoneticSet).afterLoopMs, 50);
  for (int set : {1, 7, 14, 16, 17, 21, 0}) {
    const LoadPausePlan plan = LoadPausesFor(set);
    EXPECT_EQ(plan.everyNth + plan.afterLoopMs, 0) << set;
  }
}

}  // namespace
}  // namespace qp
