#include "find/find_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/edition.h"
#include "fake_platform.h"
#include "output/delivery.h"

namespace qp {
namespace {

// ---- keys of the query box -------------------------------------------------------------------

TEST(FindWindowKeys, EachKeyHasItsAction) {
  struct Case {
    int key;
    bool shift, ctrl, selection;
    FindAction want;
  };
  const Case cases[] = {
      {kVkReturn, false, false, false, FindAction::TypeAndClose},
      {kVkReturn, true, false, false, FindAction::TypeAndStay},
      {kVkReturn, false, true, false, FindAction::None},
      {kVkEscape, false, false, false, FindAction::Close},
      {'C', false, true, false, FindAction::Copy},
      {'C', false, true, true, FindAction::None},  // the user's selected query text
      {'C', false, false, false, FindAction::None},  // a plain letter of the query
      {'C', true, true, false, FindAction::None},
      {'D', false, true, false, FindAction::TogglePin},
      {'D', false, false, false, FindAction::None},
      {kVkUp, false, false, false, FindAction::MoveUp},
      {kVkDown, false, false, false, FindAction::MoveDown},
      {kVkPageUp, false, false, false, FindAction::PageUp},
      {kVkPageDown, false, false, false, FindAction::PageDown},
      {'A', false, false, false, FindAction::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindKeyAction(c.key, c.shift, c.ctrl, c.selection), c.want)
        << "key " << c.key << " shift " << c.shift << " ctrl " << c.ctrl;
  }
}

// ---- the virtual list -------------------------------------------------------------------------

TEST(FindWindowList, SelectionStaysInsideTheListAndInView) {
  FindListView v;
  v.visibleRows = 10;
  ShowNewResults(v, 100);
  EXPECT_EQ(v.selected, 0);
  MoveSelection(v, -1);
  EXPECT_EQ(v.selected, 0);
  MoveSelection(v, 12);  // below the view: the view follows
  EXPECT_EQ(v.selected, 12);
  EXPECT_EQ(v.top, 3);
  MoveSelection(v, 1000);
  EXPECT_EQ(v.selected, 99);
  EXPECT_EQ(v.top, 90);
  MoveSelection(v, -95);
  EXPECT_EQ(v.selected, 4);
  EXPECT_EQ(v.top, 4);
  MoveSelection(v, 2147483647);  // no overflow
  EXPECT_EQ(v.selected, 99);

  ShowNewResults(v, 0);
  EXPECT_EQ(v.selected, -1);
  MoveSelection(v, 1);
  EXPECT_EQ(v.selected, -1);
  EXPECT_EQ(v.top, 0);
}

TEST(FindWindowList, TheWheelScrollsWithoutMovingTheSelection) {
  FindListView v;
  v.visibleRows = 10;
  ShowNewResults(v, 25);
  ScrollView(v, WheelRows(-120));  // one notch towards the user
  EXPECT_EQ(v.top, 3);
  EXPECT_EQ(v.selected, 0);
  ScrollView(v, WheelRows(-1200));
  EXPECT_EQ(v.top, 15);  // the last row at the bottom, no further
  ScrollView(v, WheelRows(240));
  EXPECT_EQ(v.top, 9);
  ScrollView(v, WheelRows(30));  // a fine-grained wheel still moves
  EXPECT_EQ(v.top, 8);
  EXPECT_EQ(WheelRows(0), 0);

  FindListView shortList;
  shortList.visibleRows = 10;
  ShowNewResults(shortList, 4);
  ScrollView(shortList, 5);
  EXPECT_EQ(shortList.top, 0);
}

TEST(FindWindowList, RowsUnderThePointerAndRowsThatFit) {
  FindListView v;
  ShowNewResults(v, 30);
  FitRows(v, 345, 34);
  EXPECT_EQ(v.visibleRows, 10);
  FitRows(v, 20, 34);  // too small for one row: still one
  EXPECT_EQ(v.visibleRows, 1);
  FitRows(v, 340, 34);
  ScrollView(v, 5);
  EXPECT_EQ(RowAtY(v, 0, 34), 5);
  EXPECT_EQ(RowAtY(v, 33, 34), 5);
  EXPECT_EQ(RowAtY(v, 34, 34), 6);
  EXPECT_EQ(RowAtY(v, -1, 34), -1);
  ScrollView(v, 100);
  EXPECT_EQ(RowAtY(v, 9 * 34, 34), 29);
  EXPECT_EQ(RowAtY(v, 10 * 34, 34), -1);  // below the last row
}

TEST(FindWindowList, RefreshedResultsKeepTheSelectedCharacter) {
  FindListView v;
  v.visibleRows = 2;
  ShowNewResults(v, 4);
  SelectRow(v, 2);  // 0x3B3
  ShowRefreshedResults(v, {0x3B3, 0x3B1, 0x3B2, 0x3B4}, 0x3B3);
  EXPECT_EQ(v.selected, 0);
  EXPECT_EQ(v.top, 0);
  SelectRow(v, 3);
  ShowRefreshedResults(v, {0x3B1, 0x3B2}, 0x3B4);  // gone: the row at the same place, clamped
  EXPECT_EQ(v.selected, 1);
  ShowRefreshedResults(v, {}, 0x3B2);
  EXPECT_EQ(v.selected, -1);
}

// ---- placing the window --------------------------------------------------------------------------

TEST(FindWindowPlace, NearTheShownPanelElseCentredOnTheUsersMonitor) {
  const ScreenArea work{0, 0, 1920, 1040};
  const Point size{640, 480};
  struct Case {
    const char* what;
    bool shown;
    Rect panel;
    ScreenArea area;
    Point want;
  };
  const Case cases[] = {
      {"room below the panel", true, Rect{100, 50, 502, 143}, work, Point{100, 201}},
      {"no room below: above", true, Rect{100, 800, 502, 143}, work, Point{100, 312}},
      {"at the right edge", true, Rect{1700, 50, 502, 143}, work, Point{1280, 201}},
      {"no room either side", true, Rect{100, 300, 502, 500}, work, Point{100, 560}},
      {"panel hidden", false, Rect{100, 50, 502, 143}, work, Point{640, 280}},
      {"second monitor", false, Rect{}, ScreenArea{1920, 0, 3200, 1000}, Point{2240, 260}},
      {"work area smaller than the window", false, Rect{}, ScreenArea{0, 0, 600, 400}, Point{0, 0}},
  };
  for (const Case& c : cases) {
    const Point got = FindWindowPosition(c.shown, c.panel, size, c.area);
    EXPECT_EQ(got, c.want) << c.what << ": " << got.x << "," << got.y;
  }
  // Coordinates from a bad configuration do not overflow.
  const Point far = FindWindowPosition(true, Rect{2147483000, 2147483000, 502, 143}, size, work);
  EXPECT_EQ(far, (Point{1280, 560}));
}

// ---- the detail pane -------------------------------------------------------------------------------

TEST(FindWindowDetail, EveryFormInTheFullerEditionThreeInTheStandardOne) {
  const std::vector<DetailForm> all = DetailForms(0x3B1, u"&alpha;", true);
  ASSERT_EQ(all.size(), 12u);
  const std::vector<Text> want = {u"\u03B1",   u"&alpha;",     u"&#945;", u"&#x3B1;", u"U+03B1", u"\\u03B1",
                                  u"\\U000003B1", u"%CE%B1", u"945",    u"0x3B1",   u"$3B1",   u"&H3B1"};
  for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(all[i].text, want[i]) << "form " << i + 1;

  const std::vector<DetailForm> few = DetailForms(0x20AC, u"", false);
  ASSERT_EQ(few.size(), 3u);
  EXPECT_EQ(few[0].text, u"\u20AC");
  EXPECT_EQ(few[1].text, u"U+20AC");
  EXPECT_EQ(few[2].text, u"&#8364;");  // no entity name: the numeric reference
  EXPECT_EQ(DetailForms(0x1F600, u"", false)[0].text, u"\U0001F600");
}

// ---- the hotkey ---------------------------------------------------------------------------------------

TEST(FindWindowHotkey, NamesRulesAndTheControlsOwnBits) {
  struct Case {
    uint32_t packed;
    const char16_t* text;
    bool allowed;
  };
  const Case cases[] = {
      {PackHotkey(0x7B, kHotkeyCtrl | kHotkeyShift), u"Ctrl+Shift+F12", true},
      {PackHotkey('F', kHotkeyWin | kHotkeyAlt), u"Win+Alt+F", true},
      {PackHotkey(' ', kHotkeyAlt | kHotkeyShift), u"Alt+Shift+Space", true},
      {PackHotkey('Q', kHotkeyCtrl | kHotkeyAlt), u"Ctrl+Alt+Q", false},  // AltGr+Q on many layouts
      {PackHotkey('Q', kHotkeyShift), u"Shift+Q", false},
      {PackHotkey('Q', 0), u"Q", false},
      {PackHotkey(0xBA, kHotkeyCtrl), u"Ctrl+;", true},
      {PackHotkey(0x10, kHotkeyCtrl), u"Ctrl+Key 0x10", false},  // Shift itself
      {PackHotkey(0xE7, kHotkeyCtrl), u"Ctrl+Key 0xE7", true},
      {PackHotkey(0, kHotkeyCtrl), u"", false},
      {PackHotkey('F', kHotkeyShift | kHotkeyWin), u"Win+Shift+F", true},  // the default
      {PackHotkey('F', kHotkeyShift | kHotkeyWin | kHotkeyNoRepeat), u"Win+Shift+F", true},
      {0, u"", true},  // none
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HotkeyText(c.packed), Text(c.text)) << std::hex << c.packed;
    EXPECT_EQ(HotkeyAllowed(c.packed), c.allowed) << std::hex << c.packed;
  }
  // The control numbers Shift 1 and Alt 4, the other way round from the registration.
  EXPECT_EQ(HotkeyFromControl(0x0146), PackHotkey('F', kHotkeyShift));
  EXPECT_EQ(HotkeyFromControl(0x0446), PackHotkey('F', kHotkeyAlt));
  EXPECT_EQ(HotkeyFromControl(0x0300), 0u);  // modifiers without a key yet
  for (uint32_t mods = 0; mods < 8; ++mods) {
    const uint32_t packed = PackHotkey(0x7B, mods);
    EXPECT_EQ(HotkeyFromControl(HotkeyToControl(packed)), packed) << mods;
  }
  EXPECT_EQ(HotkeyToControl(PackHotkey(0x1234, kHotkeyCtrl)), 0u);
  EXPECT_EQ(HotkeyToControl(PackHotkey('F', kHotkeyWin | kHotkeyShift)), 0u);  // not "Shift+F"
}

TEST(FindWindowHotkey, TheMenuNamesOnlyARegisteredHotkeyAndAFailureIsToldOnce) {
  const uint32_t key = PackHotkey(0x7B, kHotkeyCtrl | kHotkeyShift);
  EXPECT_EQ(FindMenuItemText(key, true), u"Find a character...\tCtrl+Shift+F12");
  EXPECT_EQ(FindMenuItemText(key, false), u"Find a character...");
  EXPECT_EQ(FindMenuItemText(0, true), u"Find a character...");
  EXPECT_NE(HotkeyTakenText(key).find(u"Ctrl+Shift+F12"), Text::npos);

  std::vector<uint32_t> reported;
  EXPECT_TRUE(ShouldReportHotkeyFailure(reported, key));
  EXPECT_FALSE(ShouldReportHotkeyFailure(reported, key));
  EXPECT_TRUE(ShouldReportHotkeyFailure(reported, PackHotkey('F', kHotkeyWin)));
  EXPECT_FALSE(ShouldReportHotkeyFailure(reported, 0));
}

// ---- typing a found character ------------------------------------------------------------------------

class FindDeliveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetApp();
    SetCurrentEdition(EditionKind::Pro);
    user = fake.AddWindow(u"Editor").handle;
  }
  void TearDown() override { SetCurrentEdition(EditionKind::Pro); }

  Text Typed() const {
    Text out;
    for (const auto& call : fake.sentInputs) {
      for (const KeyInputRecord& r : call) {
        if (!(r.flags & kKeyEventKeyUp)) out += static_cast<char16_t>(r.scanCode);
      }
    }
    return out;
  }

  FakePlatform fake;
  FakePlatformScope scope{fake};
  uintptr_t user = 0;
};

TEST_F(FindDeliveryTest, TypesTheOutputFormIntoTheUsersWindowAsAKeyClickWould) {
  struct Case {
    EditionKind edition;
    int32_t outStyle;
    const char16_t* entity;
    const char16_t* want;
  };
  const Case cases[] = {
      {EditionKind::Pro, 1, u"&alpha;", u"\u03B1"},
      {EditionKind::Pro, 7, u"&alpha;", u"\\U000003B1"},
      {EditionKind::Pro, 2, u"&alpha;", u"&alpha;"},
      {EditionKind::Standard, 7, u"&alpha;", u"\u03B1"},  // the character alone
  };
  for (const Case& c : cases) {
    fake.sentInputs.clear();
    fake.foregroundRequests.clear();
    fake.calls.clear();
    SetCurrentEdition(c.edition);
    App().OutStyle = c.outStyle;
    DeliverFoundCharacter(user, u"", 0x3B1, c.entity);
    EXPECT_EQ(fake.clipboardText, Text(c.want));
    EXPECT_EQ(Typed(), Text(c.want));
    EXPECT_EQ(fake.foregroundRequests, std::vector<uintptr_t>{user});
    // The window is brought forward and given time to take the focus before the input.
    EXPECT_EQ(fake.CallsAmong({"SetClipboardText", "SetForegroundWindow", "SleepMs", "SendInput"}),
              (std::vector<std::string>{"SetClipboardText", "SetForegroundWindow", "SleepMs", "SendInput"}));
  }
}

TEST_F(FindDeliveryTest, AClosedUsersWindowStillGetsTheClipboardAndTheRecentList) {
  App().OutStyle = 1;
  fake.goneHandles.insert(user);
  DeliverFoundCharacter(user, u"", 0x1F600, u"");
  EXPECT_TRUE(fake.foregroundRequests.empty());
  EXPECT_EQ(fake.clipboardText, u"\U0001F600");
  EXPECT_EQ(Typed(), u"\U0001F600");
  DeliverFoundCharacter(0, u"", 0x3B1, u"");
  ASSERT_GE(App().FindRecent.size(), 2u);
  EXPECT_EQ(App().FindRecent[0], 0x3B1);
  EXPECT_EQ(App().FindRecent[1], 0x1F600);
}

TEST_F(FindDeliveryTest, CopyingTypesNothingAndPinsToggle) {
  App().OutStyle = 4;
  CopyFoundText(FoundCharacterText(0xE9, u"&eacute;"));
  EXPECT_EQ(fake.clipboardText, u"&#xE9;");
  EXPECT_TRUE(fake.sentInputs.empty());
  TogglePinnedCharacter(0xE9);
  EXPECT_EQ(App().FindPinned, std::vector<int32_t>{0xE9});
  TogglePinnedCharacter(0xE9);
  EXPECT_TRUE(App().FindPinned.empty());
}

}  // namespace
}  // namespace qp
