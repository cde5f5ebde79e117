#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "access/access_tree.h"
#include "access/contrast.h"
#include "access/dialog_keys.h"
#include "control/dispatch.h"
#include "keysets/keyset_data.h"
#include "keysets/rune_filter.h"
#include "panel_fixture.h"

namespace qp {
namespace {

class AccessTree : public PanelFixture {
 protected:
  static std::vector<int> KeysInTree() {
    std::vector<int> keys;
    for (int id : AccessChildren(Elements())) {
      if (id <= 457) keys.push_back(id);
    }
    return keys;
  }
  static bool InTree(int id) {
    const std::vector<int> kids = AccessChildren(Elements());
    return std::find(kids.begin(), kids.end(), id) != kids.end();
  }
};

// Every key of the set, and nothing else among the keys: button, its tooltip as name, the
// character and its code point, greyed exactly when its rune row is filtered out.
void ExpectKeysOfSetInTree(int set, const std::vector<int>& keys) {
  const KeySetTable table = KeySetRecords(set);
  EXPECT_EQ(static_cast<int>(keys.size()), KeySetKeyCount(set)) << "set " << set;
  for (int id : keys) {
    auto node = AccessNodeFor(id);
    ASSERT_TRUE(node) << id;
    const KeyRecord& rec = table.records[id];
    EXPECT_EQ(node->role, AccessRole::PushButton);
    EXPECT_EQ(node->name, rec.tooltip) << "set " << set << " key " << id;
    Text character;
    AppendCodePoint(character, static_cast<char32_t>(rec.codePoint));
    EXPECT_EQ(node->value, character);
    // "U+00E9", "U+1F600": upper-case hex, four digits at least.
    const std::string label = TextToUtf8(node->description);
    EXPECT_EQ(label.substr(0, 2), "U+");
    EXPECT_EQ(std::stol(label.substr(2), nullptr, 16), rec.codePoint) << label;
    EXPECT_EQ(label.size(), rec.codePoint > 0xFFFF ? 7u : 6u) << label;
    EXPECT_EQ(label.find_first_of("abcdef"), std::string::npos) << label;
    const bool greyed = set == kRunicSet && !RuneEnabled(App(), RuneRows()[id]);
    EXPECT_EQ((node->states & kAccessUnavailable) != 0, greyed) << id;
    EXPECT_EQ(AccessActionElement(id), greyed ? 0 : id) << id;
  }
}

TEST_F(AccessTree, KeysOfEverySetAreNamedButtonsInReadingOrder) {
  LoadKeyPanel();
  for (int set : {5, 13, 16, 17, 18, 20, 21, 1}) {
    SelectKeySet(set);
    const std::vector<int> keys = KeysInTree();
    ExpectKeysOfSetInTree(set, keys);
    // Top to bottom, then left to right, whatever order the keys were numbered in.
    std::vector<int> kids = AccessChildren(Elements());
    for (size_t i = 1; i < kids.size(); ++i) {
      const Rect a = *Elements().AbsoluteRect(kids[i - 1]), b = *Elements().AbsoluteRect(kids[i]);
      EXPECT_TRUE(a.y < b.y || (a.y == b.y && a.x <= b.x)) << "set " << set << ": " << kids[i - 1] << " " << kids[i];
    }
  }
  // A few names as a reader speaks them.
  const std::vector<int> keys = KeysInTree();
  std::vector<Text> names;
  for (int id : keys) names.push_back(AccessNodeFor(id)->name);
  for (const char16_t* name : {u"a grave", u"cap A grave", u"e acute", u"c cedilla", u"n tilde"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), Text(name)), names.end()) << TextToUtf8(name);
  }
}

TEST_F(AccessTree, FilteredRunesAreUnavailableAndTheFilterFollowsTheSet) {
  App().Elder = 0;
  App().Medieval = 0;
  App().KeySet = kRunicSet;
  LoadKeyPanel();
  const std::vector<int> keys = KeysInTree();
  ExpectKeysOfSetInTree(kRunicSet, keys);
  const auto greyed = std::count_if(keys.begin(), keys.end(),
                                    [](int id) { return (AccessNodeFor(id)->states & kAccessUnavailable) != 0; });
  EXPECT_GT(greyed, 0);
  EXPECT_LT(greyed, static_cast<long>(keys.size()));
  // After a change of set the tree holds the new set's keys only.
  SelectKeySet(1);
  ExpectKeysOfSetInTree(1, KeysInTree());
}

TEST_F(AccessTree, BarElementsLabelsAndTheOnTopBox) {
  App().KeySet = kOghamSet;
  App().NamedTarget = 1;
  fake.targetItems = {u"nowhere - Copy only", u"Notes"};
  fake.targetSelection = 1;
  LoadKeyPanel();
  struct Row {
    int id;
    AccessRole role;
    const char16_t* name;
    const char16_t* action;
  };
  const Row rows[] = {
      {kCloseButton, AccessRole::PushButton, u"close", u"Press"},
      {kHelpButton, AccessRole::PushButton, u"help", u"Press"},
      {kSettingsButton, AccessRole::PushButton, u"settings, keys, output", u"Press"},
      {kMoreButton, AccessRole::PushButton, u"more", u"Press"},
      {kRefreshButton, AccessRole::PushButton, u"refresh target list", u"Press"},
      {kOnTopBox, AccessRole::CheckButton, u"on top", u"Uncheck"},
      {kTargetBox, AccessRole::ComboBox, u"type in", u"Open"},
      {kTypeInLabel, AccessRole::StaticText, u"type in", u""},
      {kTitleStrip, AccessRole::StaticText, u"Quillpad Pro ~ Ogham", u""},
      {1025, AccessRole::StaticText, u"Aicme Beithe", u""},
  };
  for (const Row& r : rows) {
    auto node = AccessNodeFor(r.id);
    ASSERT_TRUE(node) << r.id;
    EXPECT_EQ(node->role, r.role) << r.id;
    EXPECT_EQ(node->name, Text(r.name)) << r.id;
    EXPECT_EQ(node->defaultAction, Text(r.action)) << r.id;
  }
  EXPECT_EQ(AccessNodeFor(kTargetBox)->value, u"Notes");
  EXPECT_EQ(AccessActionElement(kTargetBox), kDropButton);
  EXPECT_EQ(AccessActionElement(kTitleStrip), 0);
  // Containers, and numbers that are no element, are not in the tree.
  for (int id : {0, -3, kBackPanel, kMoreBlock, kTargetFrame, 999, 2000}) EXPECT_FALSE(AccessNodeFor(id)) << id;

  // The box starts ticked; a press through the dispatch clears it, and the tree says so.
  EXPECT_NE(AccessNodeFor(kOnTopBox)->states & kAccessChecked, 0u);
  Dispatch(Event{EventKind::Element, kMainWindow, AccessActionElement(kOnTopBox), ElementEventType::LeftClick});
  EXPECT_EQ(AccessNodeFor(kOnTopBox)->states & kAccessChecked, 0u);
  EXPECT_EQ(AccessNodeFor(kOnTopBox)->defaultAction, u"Check");

  // The more block's keys join the tree when it is shown, and the button is renamed.
  EXPECT_FALSE(InTree(401));
  ToggleMoreBlock();
  EXPECT_TRUE(InTree(401));
  EXPECT_EQ(AccessNodeFor(kMoreButton)->name, u"less");
}

// ---- high contrast --------------------------------------------------------------------------

class Contrast : public PanelFixture {
 protected:
  void TearDown() override {
    SetHighContrast(nullptr);
    PanelFixture::TearDown();
  }
  const SystemColors black = {Rgb(0, 0, 0),       Rgb(255, 255, 255), Rgb(0, 0, 0),     Rgb(255, 255, 0),
                              Rgb(26, 235, 255), Rgb(0, 0, 0),       Rgb(63, 242, 63)};
};

TEST_F(Contrast, SystemColoursReplaceBothSchemesAndLeaveThemIntactAfterwards) {
  const FaceColors lightNormal = KeyFaceColors(0, false);
  const PanelScheme dark = SchemeFor(true);
  ASSERT_TRUE(SetHighContrast(&black));
  for (bool d : {false, true}) {
    const PanelScheme& s = SchemeFor(d);
    EXPECT_EQ(s.panelBack, black.window);
    EXPECT_EQ(s.panelText, black.windowText);
    EXPECT_EQ(s.panelLabel, black.windowText);
    EXPECT_EQ(s.targetItemBack, black.window);
    EXPECT_EQ(s.closeImage, dark.closeImage);  // light strokes on a black window
    struct Row {
      int state;
      uint32_t back, text;
    };
    for (const Row& r : {Row{0, black.buttonFace, black.buttonText}, Row{1, black.highlight, black.highlightText},
                         Row{2, black.highlight, black.highlightText}, Row{4, black.buttonFace, black.grayText}}) {
      const FaceColors c = KeyFaceColors(r.state, d);
      EXPECT_EQ(c.top, r.back) << r.state;
      EXPECT_EQ(c.bottom, r.back) << r.state;
      EXPECT_EQ(c.text, r.text) << r.state;
    }
    EXPECT_EQ(PanelButtonColors(0, d).text, black.buttonText);
    EXPECT_EQ(OnTopBoxColors(0, d).tick, black.windowText);
  }
  EXPECT_FALSE(SetHighContrast(&black));  // the same colours again change nothing
  SystemColors white = black;
  white.window = Rgb(255, 255, 255);
  EXPECT_TRUE(SetHighContrast(&white));
  EXPECT_EQ(SchemeFor(false).closeImage, 5);
  EXPECT_TRUE(SetHighContrast(nullptr));
  EXPECT_FALSE(SetHighContrast(nullptr));
  EXPECT_EQ(KeyFaceColors(0, false).top, lightNormal.top);
  EXPECT_EQ(SchemeFor(true).panelBack, dark.panelBack);
}

TEST_F(Contrast, ApplyingRecoloursThePanelOnlyWhenSomethingChanged) {
  LoadKeyPanel();
  ClearLog();
  ApplyContrast(&black);
  EXPECT_EQ(static_cast<uint32_t>(App().PanelBackColor), black.window);
  EXPECT_EQ(static_cast<uint32_t>(App().PanelTextColor), black.windowText);
  EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), "RedrawPanel"), 1);
  ClearLog();
  ApplyContrast(&black);
  EXPECT_TRUE(fake.calls.empty());
  ApplyContrast(nullptr);
  EXPECT_EQ(static_cast<uint32_t>(App().PanelBackColor), SchemeFor(false).panelBack);
  EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), "RedrawPanel"), 1);
}

// ---- keyboard in the settings and help windows ----------------------------------------------

TEST(DialogKeys, SettingsAndHelpKeys) {
  using A = DialogKeyAction;
  struct Row {
    DialogKey key;
    A settings, help;
  };
  const Row rows[] = {
      {{kKeyTab}, A::NextControl, A::NextControl},
      {{kKeyTab, false, true}, A::PreviousControl, A::PreviousControl},
      {{kKeyTab, true}, A::NextTab, A::None},
      {{kKeyTab, true, true}, A::PreviousTab, A::None},
      {{kKeyReturn}, A::Done, A::None},
      {{kKeyEscape}, A::Close, A::None},
      {{kKeyDown, false, false, false, true}, A::NextInGroup, A::None},
      {{kKeyRight, false, false, false, true}, A::NextInGroup, A::None},
      {{kKeyUp, false, false, false, true}, A::PreviousInGroup, A::None},
      {{kKeyLeft, false, false, false, true}, A::PreviousInGroup, A::None},
      {{kKeyDown}, A::None, A::None},        // a box or button keeps its own arrows
      {{kKeyTab, false, false, true}, A::None, A::None},  // Alt+Tab belongs to the system
      {{kKeyReturn, true}, A::None, A::None},
      {{0x20}, A::None, A::None},  // Space: the focused box toggles itself
  };
  for (const Row& r : rows) {
    EXPECT_EQ(SettingsKeyAction(r.key), r.settings) << r.key.key << r.key.ctrl << r.key.shift << r.key.alt;
    EXPECT_EQ(HelpKeyAction(r.key), r.help) << r.key.key << r.key.ctrl << r.key.shift << r.key.alt;
  }
}

TEST(DialogKeys, TabsWrapRound) {
  EXPECT_EQ(NextTabIndex(0, 3, false), 1);
  EXPECT_EQ(NextTabIndex(2, 3, false), 0);
  EXPECT_EQ(NextTabIndex(0, 4, true), 3);
  EXPECT_EQ(NextTabIndex(-1, 3, false), 0);
  EXPECT_EQ(NextTabIndex(-1, 3, true), 2);
  EXPECT_EQ(NextTabIndex(0, 0, false), -1);
}

}  // namespace
}  // namespace qp
