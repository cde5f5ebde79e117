#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keysets/keyset_data.h"
#include "panel_fixture.h"

namespace qp {
namespace {

using PanelTest = PanelFixture;

Text ProTitle(int set) { return Text(u"Quillpad Pro ~ ") + KeySetName(set); }

// ---- loading and switching sets -----------------------------------------------------------------

TEST_F(PanelTest, SwitchingThroughEverySetLeavesExactlyThatSetsKeys) {
  LoadKeyPanel();
  ExpectKeysOfSet(1);
  // Up through every set and back down, so every larger set is followed by smaller ones.
  std::vector<int> order;
  for (int set = 2; set <= kKeySetCount; ++set) order.push_back(set);
  for (int set = kKeySetCount - 1; set >= 1; --set) order.push_back(set);
  for (int set : order) {
    SelectKeySet(set);
    ASSERT_EQ(App().KeySet, set);
    ExpectKeysOfSet(set);
    if (set != kRunicSet) {
      EXPECT_EQ(fake.mainTitle, ProTitle(set));
    }
    EXPECT_EQ(TitleStripText(), ProTitle(set));
    EXPECT_EQ(TrayTipForShownSet(), Text(u"Marrowfen Quillpad Pro\r\n") + KeySetName(set));
    // The panel always keeps its bars below the grid.
    EXPECT_EQ(App().PanelHeight - App().KeyAreaHeight, 40) << "set " << set;
  }
}

TEST_F(PanelTest, KeySetsOutsideTheCatalogueLoadSetOne) {
  for (int bad : {0, 22, -1}) {
    SetUp();
    App().KeySet = bad;
    LoadKeyPanel();
    ExpectKeysOfSet(1);
    EXPECT_EQ(fake.mainTitle, ProTitle(1)) << bad;
    EXPECT_EQ(App().KeyAreaHeight, 106) << bad;
  }
}

TEST_F(PanelTest, ChoosingTheShownSetDoesNotRebuildIt) {
  App().KeySet = 12;
  LoadKeyPanel();
  ClearLog();
  SelectKeySet(12);
  EXPECT_TRUE(fake.calls.empty());
  ExpectKeysOfSet(12);
}

TEST_F(PanelTest, EmptyPositionsLeaveHolesInTheGrid) {
  App().KeySet = 9;
  LoadKeyPanel();
  for (int hole : {56, 57, 75, 76}) EXPECT_FALSE(Elements().Exists(hole)) << hole;
  for (int key : {55, 58, 74}) EXPECT_TRUE(Elements().Exists(key)) << key;
  // The key after a hole keeps its own grid place: position 58 is column 0 of row 3.
  EXPECT_EQ(RectOf(58), (Rect{2, 3 * 26 + 16 + 2, 26, 26}));
  EXPECT_EQ(ExistingKeys().size(), 72u);
}

TEST_F(PanelTest, KeysGetTheirTooltipsAndNormalFace) {
  App().KeySet = 1;
  LoadKeyPanel();
  const KeySetTable table = KeySetRecords(1);
  for (int n : {1, 40, 76}) {
    const Element* e = Elements().Find(n);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->tooltip, Text(table.records[n].tooltip));
    EXPECT_EQ(e->face, kFaceNormal);
    EXPECT_EQ(e->parent, kBackPanel);
  }
  const KeySetTable more = MoreBlockRecords();
  const Element* first = Elements().Find(401);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->parent, kMoreBlock);
  EXPECT_EQ(first->data, more.records[1].codePoint);
  EXPECT_EQ(first->tooltip, Text(more.records[1].tooltip));
  EXPECT_EQ(RectOf(457), (Rect{18 * 26, 2 * 26, 26, 26}));
}

TEST_F(PanelTest, StandardEditionUsesItsOwnNumbersTextsAndTooltips) {
  SetCurrentEdition(EditionKind::Standard);
  App().KeySet = 13;  // Georgian
  LoadKeyPanel();
  ExpectKeysOfSet(14);
  EXPECT_EQ(fake.mainTitle, u"Quillpad ~ Georgian");
  EXPECT_EQ(TitleStripText(), u"Quillpad ~ Georgian");
  EXPECT_EQ(fake.trayTip, u"Marrowfen Quillpad\r\nGeorgian");
  SelectKeySet(8);
  ExpectKeysOfSet(8);
  EXPECT_EQ(Elements().Find(12)->tooltip, Text(StandardTooltip(8, 12)));
  EXPECT_NE(Elements().Find(12)->tooltip, Text(KeySetRecords(8).records[12].tooltip));
  SelectKeySet(99);  // not a standard set: the first
  ExpectKeysOfSet(1);
}

// ---- EntityText -----------------------------------------------------------------------------------

TEST_F(PanelTest, EntityTextsFollowTheKeysAndLeaveWithThem) {
  LoadKeyPanel();
  SelectKeySet(13);
  const KeySetTable polytonic = KeySetRecords(13);
  int named = 0;
  for (int n = 1; n <= polytonic.positions; ++n) {
    const KeyRecord& r = polytonic.records[n];
    const Text expected = r.codePoint >= 1 && r.entityName[0] != '\0'
                              ? u"&" + Latin1ToText(r.entityName) + u";"
                              : Text();
    EXPECT_EQ(App().EntityText[static_cast<size_t>(n)], expected) << n;
    named += expected.empty() ? 0 : 1;
  }
  ASSERT_GT(named, 0);

  SelectKeySet(14);
  for (int n = 134; n <= 342; ++n) EXPECT_FALSE(Elements().Exists(n)) << n;
  EXPECT_EQ(FilledEntitySlots(1, 342), 0);
  ExpectKeysOfSet(14);

  // A rebuild (dark panel switched on) keeps the set and its numbers.
  const std::vector<int> before = ExistingKeys();
  App().Dark = 1;
  LoadKeyPanel();
  EXPECT_EQ(App().KeySet, 14);
  EXPECT_EQ(ExistingKeys(), before);
  ExpectKeysOfSet(14);
  EXPECT_EQ(App().PanelBackColor, 0);
}

TEST_F(PanelTest, SetsWithoutEntityNamesFillNoSlots) {
  LoadKeyPanel();
  ASSERT_GT(FilledEntitySlots(1, 342), 0);  // set 1 does fill
  for (int set : {14, 15, 16, 19, 20}) {
    SelectKeySet(1);
    SelectKeySet(set);
    EXPECT_EQ(FilledEntitySlots(1, 342), 0) << "set " << set;
  }
}

TEST_F(PanelTest, MoreBlockFillsItsSlotsInTheFullerEditionOnly) {
  LoadKeyPanel();
  const KeySetTable more = MoreBlockRecords();
  int named = 0;
  for (int i = 1; i <= more.positions; ++i) {
    if (more.records[i].entityName[0] == '\0') continue;
    ++named;
    EXPECT_EQ(App().EntityText[static_cast<size_t>(400 + i)], u"&" + Latin1ToText(more.records[i].entityName) + u";");
  }
  EXPECT_GT(named, 0);
  EXPECT_EQ(FilledEntitySlots(401, 457), named);

  SetUp();
  SetCurrentEdition(EditionKind::Standard);
  LoadKeyPanel();
  EXPECT_EQ(FilledEntitySlots(0, kEntityTextSlots - 1), 0);
}

// ---- title, title strip and tray tip -------------------------------------------------------------

TEST_F(PanelTest, TitleStripAndTrayNameTheSet) {
  LoadKeyPanel();
  EXPECT_EQ(fake.mainTitle, u"Quillpad Pro ~ Latin - Western Europe");
  EXPECT_EQ(TitleStripText(), u"Quillpad Pro ~ Latin - Western Europe");
  EXPECT_EQ(fake.trayTip, u"Marrowfen Quillpad Pro\r\nLatin - Western Europe");

  SelectKeySet(3);
  const Text tip = u"Marrowfen Quillpad Pro\r\nLatin - Eastern Europe, Polish and Baltic";
  ASSERT_GT(tip.size(), 63u);
  EXPECT_EQ(TrayTipForShownSet(), tip);
  EXPECT_EQ(fake.trayTip, tip.substr(0, 63));  // what the tray shows
}

TEST_F(PanelTest, RunicFilterShowsInTheWindowTitleOnly) {
  App().KeySet = 17;
  App().YoungerLB = App().YoungerST = App().AngloSaxon = App().Loremark = 0;
  LoadKeyPanel();
  EXPECT_EQ(fake.mainTitle, u"Quillpad Pro ~ Runic (Elder, Medieval)");
  EXPECT_EQ(TitleStripText(), u"Quillpad Pro ~ Runic");
  EXPECT_EQ(fake.trayTip, u"Marrowfen Quillpad Pro\r\nRunic");
}

// ---- the runic set's filter -----------------------------------------------------------------------

TEST_F(PanelTest, RunesOutsideTheChosenRowsAreDisabledAndGreyed) {
  App().KeySet = 17;
  App().YoungerLB = App().YoungerST = App().AngloSaxon = App().Medieval = App().Loremark = 0;
  LoadKeyPanel();
  const Element* elderRune = Elements().Find(9);  // U+16A8
  const Element* otherRune = Elements().Find(10);  // U+16A9
  ASSERT_TRUE(elderRune && otherRune);
  EXPECT_TRUE(elderRune->enabled);
  EXPECT_EQ(elderRune->face, kFaceNormal);
  EXPECT_FALSE(otherRune->enabled);
  EXPECT_EQ(otherRune->face, kFaceDisabled);

  // Ticking the row again and rebuilding in place brings the rune back.
  App().AngloSaxon = 1;
  LoadCurrentKeySet();
  EXPECT_TRUE(Elements().Find(10)->enabled);
  EXPECT_EQ(FaceOf(10), kFaceNormal);

  App().Elder = App().AngloSaxon = 0;
  LoadCurrentKeySet();
  for (int n : ExistingKeys()) EXPECT_FALSE(Elements().Find(n)->enabled) << n;
  EXPECT_EQ(fake.mainTitle, u"Quillpad Pro ~ Runic");
}

TEST_F(PanelTest, TransliterationOrderMovesRunesToTheirOrderPlaces) {
  App().KeySet = 17;
  App().RuneOrder = 1;
  LoadKeyPanel();
  EXPECT_EQ(RectOf(9), (Rect{2, 16, 26, 26}));           // U+16A8, order 1
  EXPECT_EQ(RectOf(95), (Rect{18 * 26 + 2, 4 * 27 + 16, 26, 26}));  // U+22EE keeps place 95
  // Order place 2 is position 11 (U+16AA).
  EXPECT_EQ(RectOf(11), (Rect{26 + 2, 16, 26, 26}));
}

// ---- labels of the phonetic and Ogham sets -------------------------------------------------------

TEST_F(PanelTest, PhoneticAndOghamLabelsComeAndGoWithTheirSets) {
  LoadKeyPanel();
  SelectKeySet(18);
  ASSERT_TRUE(Elements().Exists(1024));
  EXPECT_EQ(RectOf(1024), (Rect{1, 217, 450, 15}));
  EXPECT_EQ(LabelText(1024), u"non-spacing diacritics - combining characters");

  SelectKeySet(16);
  EXPECT_FALSE(Elements().Exists(1024));
  const Text names[] = {u"Aicme\u00A0Beithe", u"Aicme\u00A0h\u00DAatha", u"Aicme\u00A0Muine", u"Aicme\u00A0Ailme",
                        u"Forfeda"};
  for (int k = 0; k < 5; ++k) {
    EXPECT_TRUE(Elements().Exists(1025 + k));
    EXPECT_EQ(LabelText(1025 + k), names[k]);
  }
  EXPECT_EQ(RectOf(1026), (Rect{175, 43, 125, 12}));

  SelectKeySet(1);
  for (int n = 1024; n <= 1029; ++n) EXPECT_FALSE(Elements().Exists(n)) << n;
}

// ---- sizes, relayout and pauses -----------------------------------------------------------------

TEST_F(PanelTest, EsperantoIsNarrowOnlyWithTheMoreBlockHiddenAndNoNamedTarget) {
  App().KeySet = 7;
  LoadKeyPanel();
  EXPECT_EQ(App().PanelWidth, 264);
  EXPECT_EQ(fake.mainClientRect.w, 268);
  EXPECT_EQ(App().KeyAreaHeight, 54);
  EXPECT_EQ(App().PanelHeight, 94);
  EXPECT_EQ(RectOf(8).y, 26 + 19);   // second row
  EXPECT_EQ(RectOf(18).x, 8 * 26 + 2);
  ExpectKeysOfSet(7);

  ToggleMoreBlock();  // shown: one wide row
  EXPECT_EQ(Elements().Data(kMoreButton), kMoreShown);
  EXPECT_TRUE(Elements().IsShown(kMoreBlock));
  EXPECT_EQ(App().PanelWidth, 498);
  EXPECT_EQ(fake.mainClientRect.w, 502);
  EXPECT_EQ(App().KeyAreaHeight, 27);
  EXPECT_EQ(App().PanelHeight, 27 + 120);
  EXPECT_EQ(RectOf(8), (Rect{7 * 26 + 2, 16, 26, 26}));
  ExpectKeysOfSet(7);

  ToggleMoreBlock();  // hidden again: narrow
  EXPECT_EQ(Elements().Data(kMoreButton), kMoreHidden);
  EXPECT_FALSE(Elements().IsShown(kMoreBlock));
  EXPECT_EQ(App().PanelWidth, 264);
  EXPECT_EQ(App().PanelHeight, 94);
  EXPECT_EQ(RectOf(8).y, 45);

  App().NamedTarget = 1;
  LoadCurrentKeySet();
  EXPECT_EQ(App().PanelWidth, 498);
  EXPECT_EQ(App().PanelHeight, 67);
  EXPECT_EQ(RectOf(8).y, 16);
}

TEST_F(PanelTest, TheDigraphKeyReachesIntoTheGapBeforeIt) {
  App().KeySet = 7;
  LoadKeyPanel();
  ASSERT_EQ(Elements().Data(17), 0x1F1);
  ASSERT_FALSE(Elements().Exists(16));
  EXPECT_EQ(RectOf(17), (Rect{7 * 26 + 2 - 6, 45, 32, 26}));
  ToggleMoreBlock();
  EXPECT_EQ(RectOf(17), (Rect{16 * 26 + 2 - 6, 16, 32, 26}));
}

TEST_F(PanelTest, ToggleMoreBlockRebuildsNoOtherSet) {
  App().KeySet = 1;
  LoadKeyPanel();
  ClearLog();
  ToggleMoreBlock();
  EXPECT_EQ(fake.CountOf("SetMainTitle"), 0);
  EXPECT_EQ(App().PanelHeight, 106 + 120);
  EXPECT_EQ(RectOf(kMoreBlock).y, App().PanelHeight - 102);

  // The standard edition does not rebuild Esperanto either.
  SetUp();
  SetCurrentEdition(EditionKind::Standard);
  App().KeySet = 7;
  LoadKeyPanel();
  ClearLog();
  ToggleMoreBlock();
  EXPECT_EQ(fake.CountOf("SetMainTitle"), 0);
  EXPECT_EQ(App().PanelWidth, 498);
}

TEST_F(PanelTest, SetKeyAreaHeightRelaysOutOnlyWhenSomethingChanged) {
  LoadKeyPanel();  // set 1: 106 high, wide
  ClearLog();
  SetKeyAreaHeight(106);
  EXPECT_EQ(fake.CountOf("PlaceMainWindow"), 0);
  EXPECT_EQ(App().PanelHeight, 146);

  SetKeyAreaHeight(161);
  EXPECT_EQ(fake.CountOf("PlaceMainWindow"), 1);
  EXPECT_EQ(App().KeyAreaHeight, 161);
  EXPECT_EQ(App().PanelHeight, 201);

  ClearLog();
  App().PanelWidth = 264;  // a width left over from narrow Esperanto
  SetKeyAreaHeight(161);
  EXPECT_EQ(fake.CountOf("PlaceMainWindow"), 1);
  EXPECT_EQ(App().PanelWidth, 498);

  ClearLog();
  App().KeySet = 7;
  App().NamedTarget = 1;
  SetKeyAreaHeight(161);  // Esperanto always relays out
  EXPECT_EQ(fake.CountOf("PlaceMainWindow"), 1);
  EXPECT_EQ(App().PanelHeight, 201);
}

TEST_F(PanelTest, RelayoutKeepsTheBottomRightCornerAndMovesTheBar) {
  LoadKeyPanel();  // 99 -> 106: seven pixels taller
  EXPECT_EQ(fake.mainClientRect, (Rect{1000, 800 - 7, 502, 150}));
  EXPECT_EQ(RectOf(kBackPanel), (Rect{2, 2, 498, 146}));
  EXPECT_EQ(RectOf(kMoreButton), (Rect{459, 125, 37, 20}));
  EXPECT_EQ(RectOf(kHelpButton).x, 434);
  EXPECT_EQ(RectOf(kSettingsButton).x, 409);
  EXPECT_EQ(RectOf(kOnTopBox).y, 129);
  EXPECT_EQ(RectOf(kTypeInLabel).y, 130);
  EXPECT_EQ(RectOf(kMoreBlock).y, 44);

  SelectKeySet(7);  // narrow: the right edge stays at 1502
  EXPECT_EQ(fake.mainClientRect.x + fake.mainClientRect.w, 1502);
  EXPECT_EQ(fake.mainClientRect.y + fake.mainClientRect.h, 943);
  EXPECT_EQ(RectOf(kTitleStrip).w, 248);
  EXPECT_EQ(RectOf(kCloseButton).x, 248);
}

TEST_F(PanelTest, RelayoutPullsAStrayWindowBackOntoTheScreen) {
  LoadKeyPanel();
  struct Case {
    Rect before;
    Point after;
  };
  const Case cases[] = {
      {{1900, 500, 502, 150}, {1920 - 502, 500 - 80}},  // beyond the right edge
      {{-460, 500, 502, 150}, {0, 420}},                // all but 42 pixels off the left
      {{-390, 500, 502, 150}, {-390, 420}},             // enough of it still shows
      {{500, 1150, 502, 150}, {500, 1080 - 230}},       // its top too near the bottom
      {{500, -700, 502, 150}, {500, -780}},             // no clamp at the top
  };
  for (const Case& c : cases) {
    fake.mainClientRect = fake.mainWindowRect = c.before;
    ToggleMoreBlock();  // 80 taller
    EXPECT_EQ(fake.mainClientRect, (Rect{c.after.x, c.after.y, 502, 230}))
        << c.before.x << "," << c.before.y;
    ToggleMoreBlock();
  }
}

TEST_F(PanelTest, EveryRelayoutDrainsInputThenPauses) {
  LoadKeyPanel();
  ClearLog();
  ToggleMoreBlock();
  EXPECT_EQ(fake.CallsAmong({"PlaceMainWindow", "DrainPendingInput", "SleepMs"}),
            (std::vector<std::string>{"PlaceMainWindow", "DrainPendingInput", "SleepMs"}));
  EXPECT_EQ(fake.calls.back(), "SleepMs");
  EXPECT_EQ(fake.sleeps, std::vector<int>{50});

  ClearLog();
  RelayoutPanel();
  EXPECT_EQ(fake.sleeps, std::vector<int>{50});
  EXPECT_EQ(fake.CountOf("DrainPendingInput"), 1);
}

TEST_F(PanelTest, LargeSetsPauseWhileTheyLoad) {
  LoadKeyPanel();
  ClearLog();
  SelectKeySet(13);  // relayout, then 60 ms at positions 60..300 and 100 ms at the end
  EXPECT_EQ(fake.sleeps, (std::vector<int>{50, 60, 60, 60, 60, 60, 100}));
  ClearLog();
  SelectKeySet(18);
  EXPECT_EQ(fake.sleeps, (std::vector<int>{50, 50}));
  ClearLog();
  SelectKeySet(12);
  EXPECT_EQ(fake.sleeps, std::vector<int>{50});
  ClearLog();
  SelectKeySet(1);  // same height as set 12: no relayout, no pause
  EXPECT_TRUE(fake.sleeps.empty());
}

// ---- showing and hiding -----------------------------------------------------------------------------

TEST_F(PanelTest, ShowPanelSwitchesTheMenuItemsAndReselectsOnShow) {
  fake.displaySize = {1280, 1024};
  ShowPanel(true);
  EXPECT_TRUE(fake.mainShown);
  EXPECT_FALSE(fake.menuItemEnabled.at(9));  // "Show"
  EXPECT_TRUE(fake.menuItemEnabled.at(4));   // "Close"
  EXPECT_GT(fake.CountOf("EnumerateTopWindows"), 0);
  EXPECT_EQ(App().ScreenWidth, 1280);
  EXPECT_EQ(App().ScreenHeight, 1024);

  ClearLog();
  fake.displaySize = {800, 600};
  ShowPanel(false);
  EXPECT_FALSE(fake.mainShown);
  EXPECT_TRUE(fake.menuItemEnabled.at(9));
  EXPECT_FALSE(fake.menuItemEnabled.at(4));
  EXPECT_EQ(fake.CountOf("EnumerateTopWindows"), 0);
  EXPECT_EQ(App().ScreenWidth, 1280);
}

}  // namespace
}  // namespace qp
