// The standard edition: its key-set menu, the dark-panel toggle and its fixed start state.
#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/app_state.h"
#include "base/command_line.h"
#include "control/dispatch.h"
#include "base/edition.h"
#include "control/program.h"
#include "settings/standard_edition.h"
#include "fake_platform.h"
#include "keysets/catalogue.h"
#include "keysets/key_face.h"
#include "keysets/layout.h"
#include "settings/settings_store.h"
#include "shell/keyset_menu.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"
#include "table_checks.h"

namespace qp {
namespace {

// ---- where the menu opens ------------------------------------------------------------------------

TEST(KeySetMenuPosition, LeftOfAndAboveTheButtonByTheSystemsMenuSize) {
  const Point button{1411, 920};
  EXPECT_EQ(KeySetMenuPosition(button, 110), (Point{1126, 590}));  // Windows 10
  EXPECT_EQ(KeySetMenuPosition(button, 80), (Point{1126, 590}));   // Windows 7
  EXPECT_EQ(KeySetMenuPosition(button, 75), (Point{1126, 590}));   // Server 2008
  EXPECT_EQ(KeySetMenuPosition(button, 71), (Point{1126, 590}));   // the first value counted as newer
  EXPECT_EQ(KeySetMenuPosition(button, 70), (Point{1191, 650}));   // Vista
  EXPECT_EQ(KeySetMenuPosition(button, 60), (Point{1191, 650}));   // XP
  EXPECT_EQ(KeySetMenuPosition(button, 0), (Point{1191, 650}));
}

TEST(KeySetMenuPosition, NearTheScreensEdgeTheSystemDoesTheClampingAndExtremesDoNotOverflow) {
  // A panel at the top-left corner asks for a point off the screen; the menu call pulls it in.
  EXPECT_EQ(KeySetMenuPosition(Point{100, 50}, 110), (Point{-185, -280}));
  EXPECT_EQ(KeySetMenuPosition(Point{INT_MIN, INT_MIN + 5}, 110), (Point{INT_MIN, INT_MIN}));
  EXPECT_EQ(KeySetMenuPosition(Point{INT_MAX, INT_MAX}, 50), (Point{INT_MAX - 220, INT_MAX - 270}));
}

// ---- what the menu holds ------------------------------------------------------------------------------

TEST(KeySetMenuItems, FifteenSetsInNumberOrderWithTheCurrentOneChecked) {
  const std::vector<KeySetMenuItem> items = KeySetMenuItems(12);
  ASSERT_EQ(items.size(), 15u);
  const char16_t* const names[] = {u"Latin - Western Europe",
                                   u"Latin - Western Europe, Nordic",
                                   u"Latin - Eastern Europe, Polish and Baltic",
                                   u"Latin - Eastern Europe, Danube",
                                   u"Latin - Southeast Europe and Turkic",
                                   u"Latin - Austronesian / Oceanic",
                                   u"Latin - Esperanto",
                                   u"Cyrillic - East Slavic",
                                   u"Cyrillic - Bulgarian",
                                   u"Cyrillic - West Balkan",
                                   u"Cyrillic - Turkic and Mongolic",
                                   u"Greek",
                                   u"Georgian",
                                   u"Armenian",
                                   u"Emoticons"};
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].id, kKeySetMenuBase + static_cast<int>(i) + 1) << i;
    EXPECT_EQ(items[i].label, names[i]) << i;
    EXPECT_EQ(items[i].checked, i == 11) << i;
  }
}

TEST(KeySetMenuItems, ANumberOutsideTheMenuChecksTheSetThePanelShows) {
  for (int current : {0, -1, 16, 21, INT_MAX}) {
    const std::vector<KeySetMenuItem> items = KeySetMenuItems(current);
    int checked = 0;
    for (const KeySetMenuItem& item : items) checked += item.checked ? 1 : 0;
    EXPECT_EQ(checked, 1) << current;
    EXPECT_TRUE(items.front().checked) << current;
  }
}

TEST(KeySetMenuItems, OnlyTheMenusOwnItemsNameASet) {
  EXPECT_EQ(KeySetFromMenuItem(kKeySetMenuBase + 1), 1);
  EXPECT_EQ(KeySetFromMenuItem(kKeySetMenuBase + 15), 15);
  for (int item : {kKeySetMenuBase, kKeySetMenuBase + 16, kMenuDarkMode, kMenuSelectKeySet, 0, -1, INT_MIN}) {
    EXPECT_EQ(KeySetFromMenuItem(item), 0) << item;
  }
}

// ---- the menu on the panel -------------------------------------------------------------------------------

// A fake that also keeps the menus' check marks and logs each change.
class MenuFake : public FakePlatform {
 public:
  std::map<int, bool> checkMarks;
  std::vector<std::pair<int, bool>> checkChanges;
  void CheckMenuItem(int item, bool checked) override {
    calls.emplace_back("CheckMenuItem");
    checkMarks[item] = checked;
    checkChanges.emplace_back(item, checked);
  }
  void EndProgram() override { calls.emplace_back("EndProgram"); }
};

// The standard edition's panel as start-up leaves it: window at (1000, 800), set 1 built.
class StandardPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetApp();
    SetCurrentEdition(EditionKind::Standard);
    AppState& a = App();
    a.PanelWidth = kWidePanelWidth;
    a.PanelHeight = kStartPanelHeight;
    a.KeyAreaHeight = kStartKeyAreaHeight;
    a.KeySize = kKeySize;
    a.ScreenWidth = 1920;
    a.ScreenHeight = 1080;
    a.KeySet = 1;
    ApplyEditionStartState(a, CurrentEdition());
    fake.mainWindowRect = fake.mainClientRect = Rect{1000, 800, 502, 143};
    CreatePanelElements();
    LoadKeyPanel();
    fake.calls.clear();
  }
  void TearDown() override {
    NoteStartOsVersion(kKeySetMenuNewerOs);
    SetCurrentEdition(EditionKind::Pro);
  }

  static void ExpectKeysOfSet(int fullerSet) {
    const KeySetTable table = KeySetRecords(fullerSet);
    int keys = 0;
    for (int n = 1; n <= 342; ++n) {
      const int32_t cp = n <= table.positions ? table.records[n].codePoint : 0;
      if (cp >= 1) {
        ASSERT_TRUE(Elements().Exists(n)) << "set " << fullerSet << " key " << n;
        EXPECT_EQ(Elements().Data(n), cp) << "set " << fullerSet << " key " << n;
        ++keys;
      } else {
        EXPECT_FALSE(Elements().Exists(n)) << "set " << fullerSet << " key " << n;
      }
    }
    EXPECT_EQ(keys, KeySetKeyCount(fullerSet));
  }

  static void MenuItem(int item) {
    Event e;
    e.kind = EventKind::Menu;
    e.item = item;
    Dispatch(e);
  }

  MenuFake fake;
  FakePlatformScope scope{fake};
};

TEST_F(StandardPanelTest, MenuOpensFromTheSettingsButtonsPlaceOnTheScreen) {
  // Set 1 makes the panel 498 x 146; its bottom-right corner stayed put, so the window's client
  // area starts at (1000, 793). The button sits at (409, 125) in the panel, which the 2-pixel
  // frame puts at (411, 127) in the window: (1411, 920) on the screen.
  ASSERT_EQ(App().PanelHeight, 146);
  ASSERT_EQ(fake.mainClientRect, (Rect{1000, 793, 502, 150}));
  NoteStartOsVersion(110);
  EXPECT_EQ(KeySetMenuPoint(), (Point{1411 - 285, 920 - 330}));
  fake.osVersion = 50;  // only the version seen at start-up counts
  EXPECT_EQ(KeySetMenuPoint(), (Point{1126, 590}));
  NoteStartOsVersion(70);
  EXPECT_EQ(KeySetMenuPoint(), (Point{1411 - 220, 920 - 270}));
  // The panel moved: the menu follows it.
  fake.mainClientRect = Rect{0, 0, 502, 150};
  EXPECT_EQ(KeySetMenuPoint(), (Point{411 - 220, 127 - 270}));
}

TEST_F(StandardPanelTest, ChoosingASetMovesTheCheckMarkAndBuildsIt) {
  ChooseKeySetFromMenu(12);
  EXPECT_EQ(App().KeySet, 12);
  ExpectKeysOfSet(12);
  EXPECT_EQ(fake.mainTitle, u"Quillpad ~ Greek");
  EXPECT_EQ(fake.trayTip, u"Marrowfen Quillpad\r\nGreek");
  EXPECT_EQ(fake.checkChanges, (std::vector<std::pair<int, bool>>{{101, false}, {112, true}}));

  fake.checkChanges.clear();
  ChooseKeySetFromMenu(15);  // standard 15 is the fuller edition's Emoticons
  ExpectKeysOfSet(20);
  EXPECT_EQ(fake.mainTitle, u"Quillpad ~ Emoticons");
  EXPECT_EQ(fake.checkChanges, (std::vector<std::pair<int, bool>>{{112, false}, {115, true}}));
  int checked = 0;
  for (const auto& [item, on] : fake.checkMarks) checked += on ? 1 : 0;
  EXPECT_EQ(checked, 1);

  // A later full rebuild keeps the chosen set.
  LoadKeyPanel();
  ExpectKeysOfSet(20);
  EXPECT_EQ(fake.mainTitle, u"Quillpad ~ Emoticons");
}

TEST_F(StandardPanelTest, ChoosingClearsTheOldKeysBeforeBuildingAndChecksLast) {
  ChooseKeySetFromMenu(14);  // Armenian
  // No key of the old set is left over, the mark leaves before the build and arrives after it.
  ExpectKeysOfSet(15);
  EXPECT_EQ(fake.CallsAmong({"CheckMenuItem", "SetMainTitle"}),
            (std::vector<std::string>{"CheckMenuItem", "SetMainTitle", "CheckMenuItem"}));
  ASSERT_FALSE(fake.calls.empty());
  EXPECT_EQ(fake.calls.back(), "RedrawPanel");
}

TEST_F(StandardPanelTest, ChoosingTheCurrentSetRebuildsItAndKeepsItChecked) {
  ChooseKeySetFromMenu(1);
  ExpectKeysOfSet(1);
  EXPECT_EQ(fake.checkChanges, (std::vector<std::pair<int, bool>>{{101, false}, {101, true}}));
}

TEST_F(StandardPanelTest, NumbersOutsideTheMenuChangeNothing) {
  for (int n : {0, 16, -1, INT_MAX}) ChooseKeySetFromMenu(n);
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_EQ(App().KeySet, 1);
  ExpectKeysOfSet(1);
}

TEST_F(StandardPanelTest, TheMenusItemsArriveThroughTheDispatch) {
  MenuItem(kKeySetMenuBase + 13);
  EXPECT_EQ(App().KeySet, 13);
  EXPECT_EQ(fake.mainTitle, u"Quillpad ~ Georgian");
  for (int item : {kKeySetMenuBase, kKeySetMenuBase + 16}) MenuItem(item);
  EXPECT_EQ(App().KeySet, 13);

  // The fuller edition has no such menu: its numbers do nothing there.
  SetCurrentEdition(EditionKind::Pro);
  App().KeySet = 1;
  fake.calls.clear();
  MenuItem(kKeySetMenuBase + 12);
  EXPECT_EQ(App().KeySet, 1);
  EXPECT_EQ(fake.CountOf("CheckMenuItem"), 0);
}

// ---- "Dark mode panel" ---------------------------------------------------------------------------------

TEST_F(StandardPanelTest, DarkModeFlipsTheSchemeAndTheCheckMarkAndKeepsTheSet) {
  ChooseKeySetFromMenu(12);
  fake.checkChanges.clear();
  ToggleDarkPanel();
  EXPECT_EQ(App().Dark, 1);
  EXPECT_EQ(static_cast<uint32_t>(App().PanelBackColor), SchemeFor(true).panelBack);
  EXPECT_EQ(fake.mainTitle, u"Quillpad ~ Greek");
  ExpectKeysOfSet(12);
  ToggleDarkPanel();
  EXPECT_EQ(App().Dark, 0);
  EXPECT_EQ(static_cast<uint32_t>(App().PanelBackColor), SchemeFor(false).panelBack);
  EXPECT_EQ(fake.checkChanges, (std::vector<std::pair<int, bool>>{{kMenuDarkMode, true}, {kMenuDarkMode, false}}));
}

// A file system that records every attempt to write.
class WatchingFs : public SettingsFs {
 public:
  int touched = 0;
  Text ProgramFilePath() override { return u"C:\\Q\\quillpad.exe"; }
  Text AppDataFolder() override { return u"C:\\Users\\u\\AppData\\Roaming\\"; }
  int64_t FileSize(const Text&) override {
    ++touched;
    return -1;
  }
  std::unique_ptr<SettingsFile> OpenExisting(const Text&) override {
    ++touched;
    return nullptr;
  }
  std::unique_ptr<SettingsFile> CreateAlways(const Text&) override {
    ++touched;
    return nullptr;
  }
  void CreateFolder(const Text&) override { ++touched; }
  bool ReplaceWith(const Text&, const Text&) override { return ++touched < 0; }
  void RemoveFile(const Text&) override { ++touched; }
};

TEST_F(StandardPanelTest, DarkModeIsNeverSavedAndEveryStartIsLight) {
  WatchingFs fs;
  SetSettingsFs(&fs);
  ToggleDarkPanel();
  MenuItem(kMenuQuit);
  SetSettingsFs(nullptr);
  EXPECT_EQ(fs.touched, 0);
  EXPECT_EQ(fake.CountOf("EndProgram"), 1);

  // The next start: nothing read, the panel light again.
  AppState next;
  next.Dark = 1;
  LoadSettings(next, fs, StandardEdition());
  ApplyEditionStartState(next, StandardEdition());
  EXPECT_EQ(next.Dark, 0);
  EXPECT_EQ(fs.touched, 0);
}

// ---- the rest of the panel in the standard edition -------------------------------------------------------

TEST_F(StandardPanelTest, MoreBlockTogglesWithoutRebuildingEsperanto) {
  ChooseKeySetFromMenu(7);
  const int32_t firstKey = Elements().Data(1);
  fake.calls.clear();
  ToggleMoreBlock();
  EXPECT_EQ(Elements().Data(kMoreButton), kMoreShown);
  EXPECT_EQ(fake.CountOf("SetMainTitle"), 0);  // no set was built
  ToggleMoreBlock();
  EXPECT_EQ(Elements().Data(kMoreButton), kMoreHidden);
  EXPECT_EQ(fake.CountOf("SetMainTitle"), 0);
  // The target row is always on, so Esperanto keeps the wide panel either way.
  EXPECT_EQ(App().PanelWidth, kWidePanelWidth);
  EXPECT_EQ(Elements().Data(1), firstKey);
}

TEST_F(StandardPanelTest, VisitWebsiteOpensTheStandardEditionsPage) {
  MenuItem(kMenuWebsite);
  ASSERT_EQ(fake.openedUrls.size(), 1u);
  EXPECT_EQ(fake.openedUrls[0], Text(StandardEdition().productPage));
  EXPECT_NE(fake.openedUrls[0], Text(ProEdition().productPage));
}

// ---- the fixed start state and the command line ------------------------------------------------------------

TEST(EditionStartState, TheStandardEditionOverridesWhatTheFullerOneWouldRead) {
  AppState fuller;
  fuller.OutStyle = 5;
  fuller.NamedTarget = 0;
  fuller.Dock = 0;
  fuller.AlwaysOnTop = 1;
  fuller.Dark = 1;
  fuller.AllowMultiRun = 1;
  fuller.StartNoShow = 1;
  fuller.ShortcutIcon = 1;
  fuller.NoShowSwitch = 1;
  fuller.KeySet = 9;

  AppState pro = fuller;
  ApplyEditionStartState(pro, ProEdition());
  EXPECT_EQ(pro.OutStyle, 5);
  EXPECT_EQ(pro.Dock, 0);
  EXPECT_EQ(pro.AlwaysOnTop, 1);
  EXPECT_EQ(pro.Dark, 1);
  EXPECT_EQ(pro.StartNoShow, 1);

  AppState standard = fuller;
  ApplyEditionStartState(standard, StandardEdition());
  EXPECT_EQ(standard.OutStyle, 1);
  EXPECT_EQ(standard.NamedTarget, 1);
  EXPECT_EQ(standard.Dock, 1);
  EXPECT_EQ(standard.AlwaysOnTop, 0);
  EXPECT_EQ(standard.Dark, 0);
  EXPECT_EQ(standard.AllowMultiRun, 0);
  EXPECT_EQ(standard.StartNoShow, 0);
  EXPECT_EQ(standard.ShortcutIcon, 0);
  EXPECT_EQ(standard.NoShowSwitch, 1);  // "/noshow" still hides it
  EXPECT_EQ(standard.KeySet, 9);
}

TEST_F(StandardPanelTest, TheCommandLineSetNumberOutsideOneToFifteenStartsWithSetOne) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"keyset=16", u"Quillpad ~ Latin - Western Europe"}, {u"keyset=0", u"Quillpad ~ Latin - Western Europe"},
      {u"keyset=-1", u"Quillpad ~ Latin - Western Europe"}, {u"keyset=15", u"Quillpad ~ Emoticons"},
      {u"keyset=13", u"Quillpad ~ Georgian"}};
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& [arg, title] = cases[i];
    AppState& a = App();
    a.KeySet = 7;
    a.KeySetSwitch = 0;
    ParseCommandLine({arg}, a);
    ApplyKeySetSwitch(a, CurrentEdition());
    ClearKeySet();  // as if the program started afresh
    LoadKeyPanel();
    EXPECT_EQ(fake.mainTitle, title) << "case " << i;
  }
  ExpectKeysOfSet(14);
  // The menu opened now checks the set on show.
  EXPECT_TRUE(KeySetMenuItems(App().KeySet)[12].checked);
}

}  // namespace
}  // namespace qp
