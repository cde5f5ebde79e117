#include <gtest/gtest.h>

#include <vector>

#include "base/app_state.h"
#include "base/command_line.h"
#include "fake_platform.h"
#include "output/target_list.h"

namespace qp {
namespace {

class TargetListTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetApp(); }

  std::vector<Text> Listed(std::vector<Text> titles) {
    titles.insert(titles.begin(), kCopyOnlyTarget);
    return titles;
  }

  FakePlatform fake;
  FakePlatformScope scope{fake};
};

TopWindowInfo Plain(const Text& title, const Text& className = u"AppWindow") {
  TopWindowInfo w;
  w.visible = true;
  w.enabled = true;
  w.title = title;
  w.className = className;
  return w;
}

// ---- which windows are listed ------------------------------------------------------------------

TEST(TargetCandidate, StateRulesRejectHiddenDisabledMinimisedAndOwnedWindows) {
  EXPECT_TRUE(IsTargetCandidate(Plain(u"Notes")));
  TopWindowInfo w = Plain(u"Notes");
  w.visible = false;
  EXPECT_FALSE(IsTargetCandidate(w));
  w = Plain(u"Notes");
  w.enabled = false;
  EXPECT_FALSE(IsTargetCandidate(w));
  w = Plain(u"Notes");
  w.minimized = true;
  EXPECT_FALSE(IsTargetCandidate(w));
  w = Plain(u"Notes");
  w.hasParent = true;
  EXPECT_FALSE(IsTargetCandidate(w));
}

TEST(TargetCandidate, OwnWindowsOfBothEditionsAndTheDesktopAreLeftOut) {
  for (const char16_t* title :
       {u"", u"Quillpad ~ Greek", u"Quillpad ~", u"Quillpad Pro ~ Runic", u"Quillpad Pro ~", u"Quillpad Help",
        u"Quillpad Pro Help", u"Program Manager"}) {
    EXPECT_FALSE(IsTargetCandidate(Plain(title))) << TextToUtf8(title);
  }
  // Prefixes are compared exactly and the fixed titles as wholes.
  for (const char16_t* title : {u"quillpad ~ Greek", u"Quillpad Pro", u"Quillpad  ~", u"My Quillpad ~ notes",
                                u"Quillpad Help - 2", u"Quillpad Pro Help ", u"program manager"}) {
    EXPECT_TRUE(IsTargetCandidate(Plain(title))) << TextToUtf8(title);
  }
}

TEST(TargetCandidate, ExplorerDesktopAndOldHelpClassesAreLeftOut) {
  for (const char16_t* cls : {u"ExploreWClass", u"Progman", u"MS_WINHELP"}) {
    EXPECT_FALSE(IsTargetCandidate(Plain(u"Documents", cls))) << TextToUtf8(cls);
  }
  for (const char16_t* cls : {u"CabinetWClass", u"progman", u"MS_WINHELP2", u""}) {
    EXPECT_TRUE(IsTargetCandidate(Plain(u"Documents", cls))) << TextToUtf8(cls);
  }
}

TEST_F(TargetListTest, NoCandidatesLeavesOnlyCopyOnlySelected) {
  fake.AddWindow(u"Quillpad Pro ~ Greek");
  fake.AddWindow(u"Hidden").visible = false;
  fake.AddWindow(u"", u"Shell_TrayWnd");
  fake.targetItems = {u"stale"};
  RefreshTargetList();
  EXPECT_EQ(fake.targetItems, Listed({}));
  EXPECT_EQ(fake.targetSelection, 0);
}

TEST_F(TargetListTest, CandidatesKeepEnumerationOrderAndDuplicates) {
  fake.AddWindow(u"Zeta");
  fake.AddWindow(u"Owned dialog").hasParent = true;
  fake.AddWindow(u"Alpha");
  fake.AddWindow(u"Minimised").minimized = true;
  fake.AddWindow(u"Zeta");
  fake.AddWindow(u"Files", u"ExploreWClass");
  fake.AddWindow(u"Quillpad ~ Armenian");
  fake.AddWindow(u"Quillpad Help");
  fake.AddWindow(u"Program Manager", u"Progman");
  RefreshTargetList();
  EXPECT_EQ(fake.targetItems, Listed({u"Zeta", u"Alpha", u"Zeta"}));
  EXPECT_EQ(fake.CountOf("TargetBoxClear"), 1);
  EXPECT_EQ(fake.calls.front(), "TargetBoxClear");
}

TEST_F(TargetListTest, LongTitlesAreListedCutTo254Units) {
  fake.AddWindow(Text(253, u'a'));
  fake.AddWindow(Text(254, u'b'));
  fake.AddWindow(Text(255, u'c'));
  fake.AddWindow(Text(4000, u'd'));
  RefreshTargetList();
  EXPECT_EQ(fake.targetItems, Listed({Text(253, u'a'), Text(254, u'b'), Text(254, u'c'), Text(254, u'd')}));

  // A platform that hands over more than a real read gives is cut all the same.
  TopWindowInfo w = Plain(Text(300, u'e'));
  EXPECT_TRUE(IsTargetCandidate(w));
  EXPECT_EQ(CutWindowText(w.title), Text(254, u'e'));
}

// ---- the foreground preselection --------------------------------------------------------------------

TEST_F(TargetListTest, ForegroundWindowIsPreselectedByItsFirstExactEntry) {
  fake.AddWindow(u"Alpha");
  fake.AddWindow(u"Notes");
  fake.AddWindow(u"Notes");
  fake.SetForegroundTitle(u"Notes");
  RefreshTargetList();
  EXPECT_EQ(fake.targetSelection, 2);

  fake.SetForegroundTitle(u"notes");  // case counts here
  RefreshTargetList();
  EXPECT_EQ(fake.targetSelection, 0);

  fake.SetForegroundTitle(u"Not listed");
  RefreshTargetList();
  EXPECT_EQ(fake.targetSelection, 0);
}

TEST_F(TargetListTest, ForegroundWithALongTitleMatchesItsCutEntry) {
  fake.AddWindow(Text(600, u'x'));
  fake.SetForegroundTitle(Text(600, u'x'));
  EXPECT_EQ(ForegroundTargetTitle(), Text(254, u'x'));
  RefreshTargetList();
  EXPECT_EQ(fake.targetSelection, 1);
}

TEST_F(TargetListTest, DesktopTaskbarNoWindowAndOwnWindowsGiveNoPreselection) {
  fake.AddWindow(u"Program Manager", u"Progman");
  fake.foreground = ForegroundInfo();
  EXPECT_EQ(ForegroundTargetTitle(), u"");

  fake.SetForegroundTitle(u"Program Manager");
  fake.foreground.isDesktop = true;
  EXPECT_EQ(ForegroundTargetTitle(), u"");

  fake.SetForegroundTitle(u"");
  fake.foreground.isTaskbar = true;
  EXPECT_EQ(ForegroundTargetTitle(), u"");

  fake.SetForegroundTitle(u"Quillpad Pro ~ Greek");
  EXPECT_EQ(ForegroundTargetTitle(), u"");
  fake.SetForegroundTitle(u"Quillpad Pro Help");
  EXPECT_EQ(ForegroundTargetTitle(), u"");

  // Only the fuller edition's titles are checked; the others are never listed anyway.
  fake.SetForegroundTitle(u"Quillpad ~ Greek");
  EXPECT_EQ(ForegroundTargetTitle(), u"Quillpad ~ Greek");
  fake.SetForegroundTitle(u"Quillpad Help");
  EXPECT_EQ(ForegroundTargetTitle(), u"Quillpad Help");
  fake.AddWindow(u"Quillpad Help");
  RefreshTargetList();
  EXPECT_EQ(fake.targetSelection, 0);
}

// ---- reselection when the panel is shown ---------------------------------------------------------

TEST_F(TargetListTest, ShowingThePanelKeepsThePreviousChoice) {
  fake.AddWindow(u"Alpha");
  fake.AddWindow(u"Notes");
  fake.SetForegroundTitle(u"Alpha");
  RefreshTargetList();
  fake.targetSelection = 2;  // the user picks "Notes"
  fake.AddWindow(u"Notes");  // a duplicate that appears meanwhile is listed after it
  ReselectTarget();
  EXPECT_EQ(fake.targetItems, Listed({u"Alpha", u"Notes", u"Notes"}));
  EXPECT_EQ(fake.targetSelection, 2);
}

TEST_F(TargetListTest, CopyOnlyChoiceGivesWayToTheForegroundWindow) {
  fake.AddWindow(u"Alpha");
  fake.AddWindow(u"Notes");
  RefreshTargetList();
  ASSERT_EQ(fake.targetSelection, 0);
  fake.SetForegroundTitle(u"Notes");
  ReselectTarget();
  EXPECT_EQ(fake.targetSelection, 2);

  // Even a window that carries the copy-only entry's text does not take the choice over.
  fake.AddWindow(kCopyOnlyTarget);
  fake.targetSelection = 0;
  ReselectTarget();
  EXPECT_EQ(fake.targetItems, Listed({u"Alpha", u"Notes", kCopyOnlyTarget}));
  EXPECT_EQ(fake.targetSelection, 2);
}

TEST_F(TargetListTest, VanishedChoiceLeavesTheRefreshSelection) {
  fake.AddWindow(u"Alpha");
  fake.AddWindow(u"Notes");
  RefreshTargetList();
  fake.targetSelection = 2;
  fake.windows.pop_back();
  fake.SetForegroundTitle(u"Alpha");
  ReselectTarget();
  EXPECT_EQ(fake.targetSelection, 1);

  fake.targetSelection = -1;  // nothing chosen at all
  fake.foreground = ForegroundInfo();
  ReselectTarget();
  EXPECT_EQ(fake.targetSelection, 0);
}

// ---- the command line's target ---------------------------------------------------------------

TEST_F(TargetListTest, CommandLineTitleIsMatchedIgnoringCase) {
  fake.AddWindow(u"Alpha");
  fake.AddWindow(u"Notes - Draft");
  fake.AddWindow(u"NOTES - DRAFT");
  RefreshTargetList();
  App().TargetNameArg = u"notes - draft";
  ApplyTargetNameArg();
  EXPECT_EQ(fake.targetSelection, 2);
}

TEST_F(TargetListTest, SecondBareTitleOnTheCommandLineWins) {
  fake.AddWindow(u"Alpha");
  fake.AddWindow(u"Notes");
  RefreshTargetList();
  ParseCommandLine({u"Alpha", u"/noshow", u"Notes"}, App());
  ApplyTargetNameArg();
  EXPECT_EQ(fake.SelectedTarget(), u"Notes");
}

TEST_F(TargetListTest, UnknownOrNoCommandLineTitleKeepsTheSelection) {
  fake.AddWindow(u"Alpha");
  fake.AddWindow(u"Notes");
  fake.SetForegroundTitle(u"Notes");
  RefreshTargetList();

  App().TargetNameArg = u"Note";  // a prefix is not a match
  ApplyTargetNameArg();
  EXPECT_EQ(fake.targetSelection, 2);

  App().TargetNameArg.clear();
  fake.calls.clear();
  ApplyTargetNameArg();
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_EQ(fake.targetSelection, 2);
}

}  // namespace
}  // namespace qp
