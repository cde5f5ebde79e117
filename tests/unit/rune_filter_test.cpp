#include <gtest/gtest.h>

#include "base/app_state.h"
#include "keysets/catalogue.h"
#include "keysets/rune_filter.h"

namespace qp {
namespace {

// State with the rows given as a six-letter mask over Elder, YoungerLB, YoungerST, AngloSaxon,
// Medieval, Loremark ('1' ticked).
AppState Rows(const char* mask) {
  AppState s;
  for (int k = 0; k < kRuneRowCount; ++k) *RuneRowFlag(s, k) = mask[k] == '1' ? 1 : 0;
  return s;
}

TEST(RuneTitleSuffix, NamesTheTickedRowsInTitleOrder) {
  EXPECT_EQ(RuneTitleSuffix(Rows("111111")), u" (All)");
  EXPECT_EQ(RuneTitleSuffix(Rows("000000")), u"");
  EXPECT_EQ(RuneTitleSuffix(Rows("011000")), u" (Younger L-B/S-T)");
  EXPECT_EQ(RuneTitleSuffix(Rows("100010")), u" (Elder, Medieval)");
  EXPECT_EQ(RuneTitleSuffix(Rows("101000")), u" (Elder, Younger S-T)");
  EXPECT_EQ(RuneTitleSuffix(Rows("010000")), u" (Younger L-B)");
  EXPECT_EQ(RuneTitleSuffix(Rows("000111")), u" (Anglo-Saxon, Medieval, Loremark)");
  EXPECT_EQ(RuneTitleSuffix(Rows("111110")), u" (Elder, Younger L-B/S-T, Anglo-Saxon, Medieval)");
  EXPECT_EQ(RuneTitleSuffix(Rows("011001")), u" (Younger L-B/S-T, Loremark)");
  // Any nonzero value counts as ticked.
  AppState odd = Rows("000000");
  odd.Elder = 7;
  EXPECT_EQ(RuneTitleSuffix(odd), u" (Elder)");
}

TEST(RuneEnabled, NeedsOneTickedRowTheRuneBelongsTo) {
  const RuneRow* rows = RuneRows();
  const AppState elderOnly = Rows("100000");
  EXPECT_TRUE(RuneEnabled(elderOnly, rows[9]));    // U+16A8
  EXPECT_FALSE(RuneEnabled(elderOnly, rows[10]));  // U+16A9
  EXPECT_FALSE(RuneEnabled(Rows("000000"), rows[1]));
  EXPECT_TRUE(RuneEnabled(Rows("000001"), rows[95]));  // U+22EE: Loremark only
  EXPECT_FALSE(RuneEnabled(Rows("111110"), rows[95]));

  // Every rune belongs to some row; empty positions to none.
  int all = 0;
  for (int i = 1; i <= kRunicPositions; ++i) all += RuneEnabled(Rows("111111"), rows[i]) ? 1 : 0;
  EXPECT_EQ(all, 90);
}

}  // namespace
}  // namespace qp
