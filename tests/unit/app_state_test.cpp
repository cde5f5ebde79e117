#include <gtest/gtest.h>

#include "base/app_state.h"

namespace qp {
namespace {

TEST(AppState, StartValues) {
  App().KeySet = 9;
  App().EntityText[500] = u"&x;";
  App().InputRecords.resize(10);
  App().ComboItemText = u"x";
  ResetApp();
  const AppState& s = App();
  EXPECT_EQ(s.KeySet, 0);
  EXPECT_EQ(s.Dock, 0);
  EXPECT_EQ(s.WinPosLeft, 0);
  EXPECT_EQ(s.TaskbarInfo.Thickness, 0);
  EXPECT_EQ(s.WorkArea.right, 0);
  EXPECT_TRUE(s.ConfigPath.empty());
  ASSERT_EQ(s.EntityText.size(), 501u);
  for (const Text& t : s.EntityText) EXPECT_TRUE(t.empty());
  EXPECT_EQ(s.ComboItemText, Text(256, u'\0'));
  ASSERT_EQ(s.InputRecords.size(), 1u);
  EXPECT_EQ(s.InputRecords[0].virtualKey, 0);
  EXPECT_EQ(s.InputRecords[0].flags, 0u);
}

TEST(AppState, RuneRowFlagsInRowOrder) {
  AppState s;
  int32_t* const expected[] = {&s.Elder, &s.YoungerLB, &s.YoungerST, &s.AngloSaxon, &s.Medieval, &s.Loremark};
  for (int row = 0; row < kRuneRowCount; ++row) EXPECT_EQ(RuneRowFlag(s, row), expected[row]);
  EXPECT_EQ(RuneRowFlag(s, -1), nullptr);
  EXPECT_EQ(RuneRowFlag(s, 6), nullptr);
}

}  // namespace
}  // namespace qp
