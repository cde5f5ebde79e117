#include "settings/settings_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/edition.h"
#include "control/program.h"
#include "fake_platform.h"
#include "keysets/catalogue.h"
#include "keysets/layout.h"
#include "settings/desktop_shortcut.h"
#include "settings/settings_store.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace qp {
namespace {

using T = ElementEventType;

// The window as a user sees it: boxes and options that hold a state, a tab strip. A click
// changes the state first and then reports the event, as the real controls do.
class FakeSettingsUi : public SettingsWindowUi {
 public:
  std::vector<std::string> log;
  bool createFails = false;
  SettingsWindowPlan plan;
  RuneFilterPlan runePlan;
  std::map<int, bool> checks;
  int tabs = 0;
  int selected = -1;

  bool Create(const SettingsWindowPlan& p) override {
    log.push_back("Create");
    if (createFails) return false;
    plan = p;
    checks.clear();
    for (int id : p.checked) checks[id] = true;
    checks[p.keySetOption] = true;
    checks[p.outputOption] = true;
    tabs = kPlainTabCount;
    selected = 0;
    return true;
  }
  void Destroy() override {
    log.push_back("Destroy");
    tabs = 0;
    checks.clear();
  }
  bool IsChecked(int id) override { return checks[id]; }
  int SelectedTab() override { return selected; }
  int TabCount() override { return tabs; }
  void AddRuneFilterPage(const RuneFilterPlan& p) override {
    log.push_back("AddRuneFilterPage");
    runePlan = p;
    ++tabs;
    for (int id : p.checked) checks[id] = true;
    checks[p.orderOption] = true;
  }
  void RemoveTab(int index) override {
    log.push_back("RemoveTab " + std::to_string(index));
    --tabs;
  }
  void SelectTab(int index) override {
    log.push_back("SelectTab " + std::to_string(index));
    selected = index;
  }

  void Tick(int id, bool on) {
    checks[id] = on;
    SettingsControlEvent(id, T::LeftClick);
  }
  // An option button: the others of its group go off.
  void Choose(int id) {
    const int first = id >= 1056 ? 1056 : id >= 1035 ? 1035 : 1033;
    const int last = id >= 1056 ? 1067 : id >= 1035 ? 1055 : 1034;
    for (int other = first; other <= last; ++other) checks[other] = false;
    checks[id] = true;
    SettingsControlEvent(id, T::LeftClick);
  }
};

// A configuration file in memory; each save is noted in the platform log.
class MemoryFs : public SettingsFs {
 public:
  explicit MemoryFs(FakePlatform& plat) : plat_(plat) {}
  std::string bytes = "[Config]\r\n";

  Text ProgramFilePath() override { return u"C:\\Q\\quillpadpro.exe"; }
  Text AppDataFolder() override { return Text(); }
  int64_t FileSize(const Text&) override { return static_cast<int64_t>(bytes.size()); }
  std::unique_ptr<SettingsFile> OpenExisting(const Text&) override { return std::make_unique<File>(*this); }
  // Only a save creates a file here: the one it swaps in, whose bytes go straight to the file.
  std::unique_ptr<SettingsFile> CreateAlways(const Text&) override { return std::make_unique<File>(*this); }
  void CreateFolder(const Text&) override {}
  bool ReplaceWith(const Text&, const Text&) override { return true; }
  void RemoveFile(const Text&) override {}

  bool Has(const std::string& line) const { return bytes.find(line + "\r\n") != std::string::npos; }

 private:
  class File : public SettingsFile {
   public:
    explicit File(MemoryFs& fs) : fs_(fs) {}
    bool ReadOnly() const override { return false; }
    bool ReadAll(std::string& out) override {
      out = fs_.bytes;
      return true;
    }
    bool Rewrite(std::string_view b) override {
      fs_.bytes = std::string(b);
      fs_.plat_.calls.push_back("SaveSettings");
      return true;
    }
    bool Flush() override { return true; }

   private:
    MemoryFs& fs_;
  };
  FakePlatform& plat_;
};

// Counts the shortcuts asked for; each attempt stops at the missing desktop folder.
class CountingShortcutSystem : public ShortcutSystem {
 public:
  int asked = 0;
  Text TempFolder() override { return Text(); }
  Text DesktopFolder() override {
    ++asked;
    return Text();
  }
  Text DocumentsFolder() override { return Text(); }
  Text ProgramPath() override { return Text(); }
  Text SystemFolder() override { return Text(); }
  int AnsiByte(char16_t unit) override { return unit < 0x80 ? unit : -1; }
  int64_t FileSize(const Text&) override { return -1; }
  void RemoveFile(const Text&) override {}
  bool CreateScriptFile(const Text&) override { return false; }
  void WriteScriptFileAndClose(const std::string&) override {}
  void RunHiddenAndWait(const Text&, const Text&, int) override {}
};

// The panel built for a set on the fake platform, with the settings window's logic wired up as
// at start-up, but to the fake window.
class SettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetApp();
    SetCurrentEdition(EditionKind::Pro);
    AppState& a = App();
    a.PanelWidth = kWidePanelWidth;
    a.PanelHeight = kStartPanelHeight;
    a.KeyAreaHeight = kStartKeyAreaHeight;
    a.KeySize = kKeySize;
    a.KeySet = 1;
    a.OutStyle = 1;
    a.ScreenWidth = 1920;
    a.ScreenHeight = 1080;
    a.Elder = a.YoungerLB = a.YoungerST = a.AngloSaxon = a.Medieval = a.Loremark = 1;
    a.ConfigPath = u"C:\\Q\\quillpadpro.cfg";
    fake.mainWindowRect = fake.mainClientRect = Rect{1000, 800, 502, 143};
    CreatePanelElements();
    for (int n : {kTargetFrame, kDropButton, kRefreshButton, kTypeInLabel}) Elements().Show(n, false);
    SetSettingsFs(&fs);
    SetSettingsWindowUi(&ui);
    SetShortcutSystem(&shortcuts);
  }
  void TearDown() override {
    SetSettingsWindowUi(nullptr);
    SetSettingsFs(nullptr);
    SetShortcutSystem(nullptr);
  }

  void ShowSet(int set) {
    App().KeySet = set;
    LoadKeyPanel();
  }
  void Open(int tab = -1) {
    OpenSettingsWindow(tab);
    ASSERT_TRUE(SettingsWindowOpen());
    ui.log.clear();
    fake.calls.clear();
  }

  static const Element& Key(int n) {
    const Element* e = Elements().Find(n);
    EXPECT_NE(e, nullptr) << "key " << n;
    static const Element none;
    return e ? *e : none;
  }

  FakePlatform fake;
  FakePlatformScope scope{fake};
  MemoryFs fs{fake};
  FakeSettingsUi ui;
  CountingShortcutSystem shortcuts;
};

// ---- the control table ------------------------------------------------------------------

TEST(SettingsControls, EveryIdOnceWithItsPageAndTheGroupClosers) {
  std::set<int> ids;
  for (int page = -1; page <= kRuneFilterTab; ++page) {
    for (const SettingsControl& c : SettingsPageControls(page)) {
      if (c.id == 0) continue;
      EXPECT_TRUE(ids.insert(c.id).second) << "id " << c.id << " twice";
    }
  }
  std::set<int> expected = {1009, 1010, 1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018, 1019, 1020, 1021, 1031, 1033, 1034};
  for (int id = 1035; id <= 1067; ++id) expected.insert(id);
  EXPECT_EQ(ids, expected);

  // Each option group is closed by an empty label 18 below its last button.
  for (int page : {kKeySetsTab, kOutputTab}) {
    const auto controls = SettingsPageControls(page);
    const SettingsControl& last = controls[controls.size() - 2];
    const SettingsControl& closer = controls.back();
    EXPECT_EQ(closer.kind, ControlKind::Label);
    EXPECT_EQ(Text(closer.text), u"");
    EXPECT_TRUE(closer.groupStart);
    EXPECT_EQ(closer.rect, (Rect{20, last.rect.y + 18, 200, 18}));
  }
}

TEST(SettingsControls, RowsFollowOnFromTheirFirstPlace) {
  // Option rows 18 apart from y 10; the rune page's rows 30 apart and the order block below.
  const auto sets = SettingsPageControls(kKeySetsTab);
  EXPECT_EQ(sets[20].id, 1055);
  EXPECT_EQ(sets[20].rect, (Rect{20, 370, 270, 18}));
  const auto out = SettingsPageControls(kOutputTab);
  EXPECT_EQ(out[6].rect, (Rect{20, 118, 370, 18}));
  EXPECT_EQ(Text(out[11].text), u"hexadecimal, &&H prefix");
  const auto runes = SettingsPageControls(kRuneFilterTab);
  ASSERT_EQ(runes.size(), 10u);
  EXPECT_EQ(runes[5].rect, (Rect{20, 160, 270, 20}));
  EXPECT_EQ(runes[6].rect, (Rect{20, 210, 200, 18}));
  EXPECT_EQ(runes[8].rect, (Rect{20, 260, 270, 20}));
  EXPECT_EQ(runes[9].rect, (Rect{20, 280, 200, 18}));
  EXPECT_EQ(SettingsPageControls(-1)[0].rect, (Rect{240, 440, 55, 25}));
}

// ---- opening ------------------------------------------------------------------------------

TEST(SettingsOptions, OutOfRangeValuesSelectTheFirstOption) {
  for (int set : {0, 1, 22, 99, -1}) EXPECT_EQ(KeySetOptionFor(set), 1035) << set;
  EXPECT_EQ(KeySetOptionFor(2), 1036);
  EXPECT_EQ(KeySetOptionFor(21), 1055);
  for (int mode : {0, 1, 13, -5}) EXPECT_EQ(OutputOptionFor(mode), 1056) << mode;
  EXPECT_EQ(OutputOptionFor(12), 1067);
}

TEST_F(SettingsWindowTest, OpeningNeverChangesAnOutOfRangeKeySet) {
  App().KeySet = 99;
  App().OutStyle = 0;
  const SettingsWindowPlan plan = PlanSettingsWindow(1);
  EXPECT_EQ(plan.keySetOption, 1035);
  EXPECT_EQ(plan.outputOption, 1056);
  EXPECT_EQ(App().KeySet, 99);
  EXPECT_EQ(App().OutStyle, 0);
}

TEST_F(SettingsWindowTest, TabChoice) {
  App().ConfPanel = 0;
  EXPECT_EQ(PlanSettingsWindow(2).tab, 2);
  EXPECT_EQ(App().ConfPanel, 2);  // remembered for the settings button
  EXPECT_EQ(PlanSettingsWindow(-1).tab, 2);

  // The rune filter tab only while the runic set is shown; otherwise "General".
  App().ConfPanel = 3;
  App().KeySet = 17;
  EXPECT_TRUE(PlanSettingsWindow(-1).runeFilterTab);
  EXPECT_EQ(PlanSettingsWindow(-1).tab, 3);
  App().KeySet = 5;
  EXPECT_FALSE(PlanSettingsWindow(-1).runeFilterTab);
  EXPECT_EQ(PlanSettingsWindow(-1).tab, 0);
  EXPECT_EQ(App().ConfPanel, 3);
  for (int stored : {-2, 4, 1000}) {
    App().ConfPanel = stored;
    EXPECT_EQ(PlanSettingsWindow(-1).tab, 0) << stored;
  }
}

TEST_F(SettingsWindowTest, PositionBesideThePanelAwayFromTheLeftAndTopEdges) {
  fake.mainWindowRect = fake.mainClientRect = Rect{1000, 800, 502, 143};
  EXPECT_EQ(PlanSettingsWindow(0).position, (Point{675, 473}));
  // Near the left edge the window goes to the right of the panel; near the top, to y 5.
  fake.mainWindowRect = fake.mainClientRect = Rect{100, 200, 502, 143};
  EXPECT_EQ(PlanSettingsWindow(0).position, (Point{100 + 498 + 15, 5}));
  // The compact panel keeps the distance from the panel's right side.
  App().PanelWidth = 264;
  fake.mainWindowRect = fake.mainClientRect = Rect{1000, 800, 268, 62};
  EXPECT_EQ(PlanSettingsWindow(0).position, (Point{1000 - 325 - 239, 800 + 62 - 470}));
}

TEST_F(SettingsWindowTest, BoxesFromTheSettingsAndTopmostFromThePanelToggle) {
  AppState& a = App();
  a.Dock = 1;
  a.Dark = 1;
  a.StartNoShow = 1;
  EXPECT_EQ(PlanSettingsWindow(0).checked, (std::vector<int>{1012, 1014, 1011}));
  EXPECT_TRUE(PlanSettingsWindow(0).topmost);
  Elements().SetData(kOnTopBox, 0);
  EXPECT_FALSE(PlanSettingsWindow(0).topmost);

  a.Elder = a.AngloSaxon = 0;
  a.RuneOrder = 1;
  const RuneFilterPlan runes = PlanRuneFilterPage();
  EXPECT_EQ(runes.checked, (std::vector<int>{1017, 1018, 1020, 1021}));
  EXPECT_EQ(runes.orderOption, 1034);
}

TEST_F(SettingsWindowTest, OpeningAgainRebuildsAndTheRunicSetBringsItsTab) {
  ShowSet(17);
  OpenSettingsWindow(-1);
  EXPECT_EQ(ui.log, (std::vector<std::string>{"Create", "AddRuneFilterPage", "SelectTab 0"}));
  ui.checks[kShortcutCheck] = true;  // ticked, not yet taken over
  ui.log.clear();
  OpenSettingsWindow(3);
  EXPECT_EQ(ui.log, (std::vector<std::string>{"Destroy", "Create", "AddRuneFilterPage", "SelectTab 3"}));
  EXPECT_FALSE(ui.checks[kShortcutCheck]);
  EXPECT_TRUE(SettingsWindowOpen());
}

TEST_F(SettingsWindowTest, AWindowThatCannotBeMadeLeavesNothingOpen) {
  ui.createFails = true;
  OpenSettingsWindow(0);
  EXPECT_FALSE(SettingsWindowOpen());
  fake.calls.clear();
  SettingsControlEvent(kDoneButton, T::LeftClick);
  SettingsControlEvent(1040, T::LeftClick);
  EXPECT_EQ(App().KeySet, 1);
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_EQ(ui.log, (std::vector<std::string>{"Create"}));
}

// ---- the general boxes ----------------------------------------------------------------------

TEST_F(SettingsWindowTest, ClearingAlwaysOnTopLeavesThePanelTopmostAndShowsItsBox) {
  ShowSet(1);
  // The user switched the panel's own toggle off first.
  ToggleOnTop();
  ASSERT_FALSE(fake.mainTopmost);
  Open(0);
  ui.Tick(kOnTopCheck, true);
  EXPECT_EQ(App().AlwaysOnTop, 1);
  EXPECT_TRUE(fake.mainTopmost);
  EXPECT_EQ(Elements().Data(kOnTopBox), 1);
  EXPECT_FALSE(Elements().Find(kOnTopBox)->visible);

  fake.calls.clear();
  ui.Tick(kOnTopCheck, false);
  EXPECT_EQ(App().AlwaysOnTop, 0);
  EXPECT_EQ(fake.CountOf("SetMainTopmost"), 0);
  EXPECT_TRUE(fake.mainTopmost);
  EXPECT_EQ(Elements().Data(kOnTopBox), 1);  // shown ticked
  EXPECT_TRUE(Elements().Find(kOnTopBox)->visible);
  // Its click then takes the panel off the top.
  ToggleOnTop();
  EXPECT_FALSE(fake.mainTopmost);
}

TEST_F(SettingsWindowTest, DarkRebuildsOnlyOnARealChange) {
  ShowSet(1);
  Open(0);
  ui.Tick(kDarkCheck, true);
  EXPECT_EQ(App().Dark, 1);
  EXPECT_EQ(fake.CountOf("RepaintWithScheme"), 1);
  EXPECT_EQ(App().PanelBackColor, 0x000000);
  fake.calls.clear();
  ui.Tick(kDarkCheck, true);  // no change
  EXPECT_EQ(fake.CountOf("RepaintWithScheme"), 0);
  ui.Tick(kDarkCheck, false);
  EXPECT_EQ(App().Dark, 0);
  EXPECT_EQ(fake.CountOf("RepaintWithScheme"), 1);
}

TEST_F(SettingsWindowTest, DockingReadsTheWorkAreaAsSoonAsItIsTicked) {
  App().Dock = 0;
  Open(0);
  fake.workLeft = 0;
  fake.workRight = 1600;
  fake.workBottom = 870;
  ui.Tick(kDockCheck, true);
  EXPECT_EQ(App().Dock, 1);
  EXPECT_EQ(App().WorkArea.right, 1600);
  EXPECT_EQ(App().WorkArea.bottom, 870);
  fake.calls.clear();
  ui.Tick(kDockCheck, false);
  EXPECT_EQ(App().Dock, 0);
  EXPECT_EQ(fake.CountOf("ReadWorkArea"), 0);
}

TEST_F(SettingsWindowTest, NamedTargetShowsTheTargetRowAndReLaysEsperanto) {
  ShowSet(kEsperantoSet);
  ASSERT_EQ(App().PanelWidth, 264);
  Open(0);
  fake.AddWindow(u"Notes");
  ui.Tick(kNamedTargetCheck, true);
  EXPECT_EQ(App().NamedTarget, 1);
  for (int n : {kTargetFrame, kDropButton, kRefreshButton, kTypeInLabel}) EXPECT_TRUE(Elements().Find(n)->visible) << n;
  EXPECT_EQ(fake.targetItems, (std::vector<Text>{u"nowhere - Copy only", u"Notes"}));
  EXPECT_EQ(App().PanelWidth, 498);
  // Position 8 leaves the compact second row for the single row.
  EXPECT_EQ(Key(8).rect, (*KeyRectFor(kEsperantoSet, 8, {})));

  ui.Tick(kNamedTargetCheck, false);
  EXPECT_EQ(App().NamedTarget, 0);
  for (int n : {kTargetFrame, kDropButton, kRefreshButton, kTypeInLabel}) EXPECT_FALSE(Elements().Find(n)->visible) << n;
  EXPECT_EQ(App().PanelWidth, 264);

  // With the more block shown Esperanto is one row either way: no rebuild.
  ToggleMoreBlock();
  fake.calls.clear();
  ui.Tick(kNamedTargetCheck, true);
  EXPECT_EQ(fake.CountOf("SetMainTitle"), 0);
  EXPECT_EQ(App().PanelWidth, 498);
}

// ---- key sets, output modes, tabs ---------------------------------------------------------------

TEST_F(SettingsWindowTest, ChoosingAKeySetRebuildsThePanelAndTheCurrentOneDoesNothing) {
  ShowSet(1);
  Open(1);
  ui.Choose(1042);
  EXPECT_EQ(App().KeySet, 8);
  EXPECT_EQ(fake.mainTitle, u"Quillpad Pro ~ Cyrillic - East Slavic");
  fake.calls.clear();
  ui.Choose(1042);
  EXPECT_TRUE(fake.calls.empty());
  // An option that reports itself cleared chooses nothing.
  ui.checks[1036] = false;
  SettingsControlEvent(1036, T::LeftClick);
  EXPECT_EQ(App().KeySet, 8);
}

TEST_F(SettingsWindowTest, TheRuneFilterTabComesAndGoesWithTheRunicSet) {
  ShowSet(1);
  Open(1);
  App().Elder = 0;
  ui.Choose(1051);
  EXPECT_EQ(App().KeySet, 17);
  EXPECT_EQ(ui.tabs, 4);
  EXPECT_EQ(ui.runePlan.checked, (std::vector<int>{1017, 1018, 1019, 1020, 1021}));
  ui.log.clear();
  ui.Choose(1051);  // already shown: no second tab
  EXPECT_EQ(ui.tabs, 4);
  EXPECT_TRUE(ui.log.empty());
  ui.Choose(1037);
  EXPECT_EQ(ui.log, (std::vector<std::string>{"RemoveTab 3", "SelectTab 1"}));
  EXPECT_EQ(ui.tabs, 3);
  ui.log.clear();
  ui.Choose(1038);
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(SettingsWindowTest, OutputOptionsAndTabChanges) {
  Open(2);
  ui.Choose(1067);
  EXPECT_EQ(App().OutStyle, 12);
  ui.Choose(1056);
  EXPECT_EQ(App().OutStyle, 1);
  ui.selected = 1;
  SettingsControlEvent(kSettingsTabs, T::LeftClick);
  EXPECT_EQ(App().ConfPanel, 2);
  SettingsControlEvent(kSettingsTabs, T::Change);
  EXPECT_EQ(App().ConfPanel, 1);
}

// ---- the rune filter page --------------------------------------------------------------------

TEST_F(SettingsWindowTest, RowBoxesGreyRunesAndNameTheRowsInTheTitleAtOnce) {
  ShowSet(17);
  Open(3);
  EXPECT_EQ(fake.mainTitle, u"Quillpad Pro ~ Runic (All)");
  // Only Elder: U+16A8 at position 9 stays, U+16A9 at 10 greys.
  for (int id = 1017; id <= 1021; ++id) ui.Tick(id, false);
  EXPECT_EQ(fake.mainTitle, u"Quillpad Pro ~ Runic (Elder)");
  EXPECT_TRUE(Key(9).enabled);
  EXPECT_EQ(Key(9).face, kFaceNormal);
  EXPECT_FALSE(Key(10).enabled);
  EXPECT_EQ(Key(10).face, kFaceDisabled);
  EXPECT_EQ(fake.trayTip, u"Marrowfen Quillpad Pro\r\nRunic");

  ui.Tick(1016, false);
  EXPECT_EQ(fake.mainTitle, u"Quillpad Pro ~ Runic");
  for (int n = 1; n <= kRunicPositions; ++n) {
    if (!Elements().Exists(n)) continue;
    EXPECT_FALSE(Key(n).enabled) << n;
  }

  const struct {
    std::vector<int> ticked;
    Text suffix;
  } cases[] = {
      {{1017, 1018}, u" (Younger L-B/S-T)"},
      {{1016, 1020}, u" (Elder, Medieval)"},
      {{1016, 1018}, u" (Elder, Younger S-T)"},
      {{1016, 1017, 1018, 1019, 1020, 1021}, u" (All)"},
  };
  for (const auto& c : cases) {
    for (int id = 1016; id <= 1021; ++id) {
      ui.Tick(id, std::find(c.ticked.begin(), c.ticked.end(), id) != c.ticked.end());
    }
    EXPECT_EQ(fake.mainTitle, u"Quillpad Pro ~ Runic" + c.suffix);
  }
  for (int n = 1; n <= kRunicPositions; ++n) {
    if (!Elements().Exists(n)) continue;
    EXPECT_TRUE(Key(n).enabled) << n;
  }
}

TEST_F(SettingsWindowTest, TransliterationOrderPutsTheA_RuneFirst) {
  ShowSet(17);
  Open(3);
  const Rect unicodePlace = Key(9).rect;
  ui.Choose(kTransliterationOrderOption);
  EXPECT_EQ(App().RuneOrder, 1);
  EXPECT_EQ(Key(9).rect, (Rect{2, 16, 26, 26}));
  EXPECT_EQ(Key(95).data, 0x22EE);
  EXPECT_EQ(Key(95).rect, (*KeyRectFor(17, 95, {})));
  ui.Choose(kUnicodeOrderOption);
  EXPECT_EQ(App().RuneOrder, 0);
  EXPECT_EQ(Key(9).rect, unicodePlace);
}

// ---- closing -----------------------------------------------------------------------------------

TEST_F(SettingsWindowTest, ClosingTakesOverTheFourCloseTimeBoxesThenSaves) {
  ShowSet(1);
  Open(0);
  // Boxes with no action of their own are only read now; the others were set when clicked.
  ui.checks[kShortcutCheck] = true;
  ui.checks[kMultiRunCheck] = true;
  ui.checks[kStartHiddenCheck] = true;
  ui.checks[kDockCheck] = true;
  ui.checks[kDarkCheck] = true;  // never reported: not a close-time box
  ui.checks[kOnTopCheck] = true;
  fake.workRight = 1700;
  SettingsControlEvent(kDoneButton, T::LeftClick);
  EXPECT_EQ(App().ShortcutIcon, 1);
  EXPECT_EQ(shortcuts.asked, 1);
  EXPECT_EQ(App().Dock, 1);
  EXPECT_EQ(App().WorkArea.right, 1700);
  EXPECT_EQ(App().StartNoShow, 1);
  EXPECT_EQ(App().AllowMultiRun, 1);
  EXPECT_EQ(App().Dark, 0);
  EXPECT_EQ(App().AlwaysOnTop, 0);
  EXPECT_EQ(fake.CallsAmong({"ReadWorkArea", "SaveSettings"}), (std::vector<std::string>{"ReadWorkArea", "SaveSettings"}));
  EXPECT_TRUE(fs.Has("StartNoShow = 1"));
  EXPECT_TRUE(fs.Has("ShortcutIcon = 1"));
  EXPECT_TRUE(fs.Has("AllowMultiRun = 1"));
  EXPECT_TRUE(fs.Has("Dark = 0"));
  EXPECT_EQ(ui.log.back(), "Destroy");
  EXPECT_FALSE(SettingsWindowOpen());

  // Cleared boxes: nothing made, nothing read, zeros saved.
  Open(0);
  for (int id : {kShortcutCheck, kMultiRunCheck, kStartHiddenCheck, kDockCheck}) ui.checks[id] = false;
  CloseSettingsWindow();
  EXPECT_EQ(shortcuts.asked, 1);
  EXPECT_EQ(fake.CountOf("ReadWorkArea"), 0);
  EXPECT_EQ(App().ShortcutIcon + App().Dock + App().StartNoShow + App().AllowMultiRun, 0);
  EXPECT_TRUE(fs.Has("StartNoShow = 0"));
  EXPECT_TRUE(fs.Has("Dock = 0"));

  // Closed already: a second request does nothing.
  fake.calls.clear();
  CloseSettingsWindow();
  EXPECT_TRUE(fake.calls.empty());
}

}  // namespace
}  // namespace qp
