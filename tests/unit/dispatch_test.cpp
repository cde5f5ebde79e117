#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "control/dispatch.h"
#include "control/program.h"
#include "output/format.h"
#include "panel_fixture.h"
#include "settings/settings_store.h"

namespace qp {
namespace {

using T = ElementEventType;

// What the on-demand windows were asked to do, in order.
std::vector<std::string> g_hookCalls;
bool g_settingsOpen = false;

void InstallRecordingHooks() {
  WindowHooks& h = Hooks();
  h = WindowHooks{};
  h.openSettings = [](int tab) { g_hookCalls.push_back("openSettings " + std::to_string(tab)); };
  h.closeSettings = [] { g_hookCalls.push_back("closeSettings"); };
  h.settingsOpen = [] { return g_settingsOpen; };
  h.settingsControl = [](int element, ElementEventType) {
    g_hookCalls.push_back("settingsControl " + std::to_string(element));
  };
  h.openHelp = [] { g_hookCalls.push_back("openHelp"); };
  h.closeHelp = [] { g_hookCalls.push_back("closeHelp"); };
  h.showHelpTopic = [] { g_hookCalls.push_back("showHelpTopic"); };
  h.showAbout = [] { g_hookCalls.push_back("showAbout"); };
  h.showKeySetMenu = [] { g_hookCalls.push_back("showKeySetMenu"); };
  h.toggleDarkMode = [] { g_hookCalls.push_back("toggleDarkMode"); };
  h.openFind = [] { g_hookCalls.push_back("openFind"); };
}

// A configuration file that notes each save in the fake platform's log, so the save can be
// ordered against the window calls around it.
class LoggingFs : public SettingsFs {
 public:
  explicit LoggingFs(FakePlatform& plat) : plat_(plat) {}
  std::string bytes = "[Config]\r\nKeySet = 1\r\n";

  Text ProgramFilePath() override { return u"C:\\Q\\quillpadpro.exe"; }
  Text AppDataFolder() override { return Text(); }
  int64_t FileSize(const Text&) override { return static_cast<int64_t>(bytes.size()); }
  std::unique_ptr<SettingsFile> OpenExisting(const Text&) override { return std::make_unique<File>(*this); }
  // Only a save creates a file here: the one it swaps in, whose bytes go straight to the file.
  std::unique_ptr<SettingsFile> CreateAlways(const Text&) override { return std::make_unique<File>(*this); }
  void CreateFolder(const Text&) override {}
  bool ReplaceWith(const Text&, const Text&) override { return true; }
  void RemoveFile(const Text&) override {}

 private:
  class File : public SettingsFile {
   public:
    explicit File(LoggingFs& fs) : fs_(fs) {}
    bool ReadOnly() const override { return false; }
    bool ReadAll(std::string& out) override {
      out = fs_.bytes;
      return true;
    }
    bool Rewrite(std::string_view out) override {
      fs_.plat_.calls.push_back("SaveSettings");
      fs_.bytes = std::string(out);
      return true;
    }
    bool Flush() override { return true; }

   private:
    LoggingFs& fs_;
  };
  FakePlatform& plat_;
};

class DispatchTest : public PanelFixture {
 protected:
  void SetUp() override {
    PanelFixture::SetUp();
    g_hookCalls.clear();
    g_settingsOpen = false;
    InstallRecordingHooks();
    App().ConfigPath = u"C:\\Q\\quillpadpro.cfg";
    SetSettingsFs(&fs);
    LoadKeyPanel();
    ShowPanel(true);
    ClearLog();
  }
  void TearDown() override {
    Hooks() = WindowHooks{};
    SetSettingsFs(nullptr);
    PanelFixture::TearDown();
  }

  static void Fire(int n, T type) {
    Event e;
    e.kind = EventKind::Element;
    e.element = n;
    e.type = type;
    Dispatch(e);
  }
  static void Menu(int item) {
    Event e;
    e.kind = EventKind::Menu;
    e.item = item;
    Dispatch(e);
  }
  static void Simple(EventKind kind, int window) {
    Event e;
    e.kind = kind;
    e.window = window;
    Dispatch(e);
  }
  static void Tray(int type) {
    Event e;
    e.kind = EventKind::Tray;
    e.trayType = type;
    Dispatch(e);
  }

  // Nothing reached the clipboard or the keyboard.
  void ExpectNothingDelivered() {
    EXPECT_EQ(fake.CountOf("OpenClipboard"), 0);
    EXPECT_TRUE(fake.sentInputs.empty());
  }

  LoggingFs fs{fake};
};

// ---- keys ----------------------------------------------------------------------------------------

TEST_F(DispatchTest, AKeyClickDeliversItsCodePointOnce) {
  const int32_t cp = Elements().Data(40);
  ASSERT_EQ(cp, KeySetRecords(1).records[40].codePoint);
  Fire(40, T::LeftButtonDown);
  Fire(40, T::LeftButtonUp);
  ExpectNothingDelivered();
  Fire(40, T::LeftClick);
  EXPECT_EQ(fake.clipboardText, ToUtf16(cp));
  ASSERT_EQ(fake.sentInputs.size(), 1u);
  ASSERT_EQ(fake.sentInputs[0].size(), 1u);
  EXPECT_EQ(fake.sentInputs[0][0].scanCode, cp);
  ASSERT_FALSE(App().FindRecent.empty());  // Find lists what the panel typed, too
  EXPECT_EQ(App().FindRecent[0], cp);

  // A key of the more block, with its entity name in that output mode.
  fake.sentInputs.clear();
  App().OutStyle = 2;
  const KeySetTable more = MoreBlockRecords();
  int withName = 0;
  for (int i = 1; i <= more.positions && withName == 0; ++i) {
    if (more.records[i].entityName[0] != '\0') withName = i;
  }
  ASSERT_GT(withName, 0);
  Fire(400 + withName, T::LeftClick);
  EXPECT_EQ(fake.clipboardText, u"&" + Latin1ToText(more.records[withName].entityName) + u";");
  EXPECT_EQ(fake.sentInputs.size(), 1u);
}

TEST_F(DispatchTest, KeyFacesFollowThePointer) {
  Fire(5, T::MouseEnter);
  EXPECT_EQ(FaceOf(5), kFaceHover);
  Fire(5, T::LeftButtonDown);
  EXPECT_EQ(FaceOf(5), kFacePressed);
  Fire(5, T::LeftButtonUp);  // released: still pressed until the pointer leaves
  EXPECT_EQ(FaceOf(5), kFacePressed);
  Fire(5, T::MouseLeave);
  EXPECT_EQ(FaceOf(5), kFaceNormal);
  EXPECT_EQ(fake.redrawnElements, (std::vector<int>{5, 5, 5}));
  Fire(420, T::MouseEnter);
  EXPECT_EQ(FaceOf(420), kFaceHover);
}

TEST_F(DispatchTest, DisabledAndMissingKeysDoNothing) {
  // No rune row ticked: every rune is disabled.
  App().Elder = App().YoungerLB = App().YoungerST = App().AngloSaxon = App().Medieval = App().Loremark = 0;
  SelectKeySet(17);
  ASSERT_FALSE(Elements().Find(9)->enabled);
  ClearLog();
  for (T type : {T::MouseEnter, T::LeftButtonDown, T::LeftClick, T::MouseLeave}) Fire(9, type);
  ExpectNothingDelivered();
  EXPECT_EQ(FaceOf(9), kFaceDisabled);

  // Keys freed by a smaller set, and numbers that never held a key.
  SelectKeySet(13);
  SelectKeySet(1);
  ASSERT_FALSE(Elements().Exists(200));
  ClearLog();
  for (int n : {200, 342, 77, 458, 0, -3}) {
    for (T type : {T::MouseEnter, T::LeftButtonDown, T::LeftClick, T::MouseLeave}) Fire(n, type);
  }
  ExpectNothingDelivered();
  EXPECT_FALSE(Elements().Exists(200));
}

// ---- dragging ---------------------------------------------------------------------------------

TEST_F(DispatchTest, TitleStripAndBackPanelDragTheWindow) {
  for (int handle : {kTitleStrip, kBackPanel}) {
    App().Dock = 0;
    fake.mainWindowRect = fake.mainClientRect = Rect{600, 400, 502, 150};
    fake.cursor = {650, 405};
    Fire(handle, T::LeftButtonDown);
    EXPECT_EQ(App().Dragging, 1);
    EXPECT_EQ(App().DragOffsetX, 50);
    EXPECT_EQ(App().DragOffsetY, 5);
    EXPECT_TRUE(fake.mouseCaptured);

    fake.cursor = {850, 305};
    Fire(handle, T::MouseMove);
    EXPECT_EQ(fake.mainWindowRect.x, 800);
    EXPECT_EQ(fake.mainWindowRect.y, 300);
    // A move of the window while dragging does not dock.
    Simple(EventKind::Move, kMainWindow);
    EXPECT_EQ(fake.CountOf("OsVersionValue"), 0);

    Fire(handle, T::LeftButtonUp);
    EXPECT_EQ(App().Dragging, 0);
    EXPECT_FALSE(fake.mouseCaptured);
    EXPECT_EQ(fake.mainWindowRect.x, 800);  // docking off: stays where released

    fake.cursor = {900, 900};
    Fire(handle, T::MouseMove);  // no longer dragging
    EXPECT_EQ(fake.mainWindowRect.x, 800);
  }
}

TEST_F(DispatchTest, ReleasingADragDocksWhenDockingIsOn) {
  App().WorkArea = {0, 0, 1920, 1040};
  App().TaskbarInfo.Edge = 0;
  App().TaskbarInfo.Thickness = 40;
  fake.osVersion = 80;
  fake.mainWindowRect = fake.mainClientRect = Rect{1000, 600, 502, 143};
  fake.cursor = {1010, 610};
  Fire(kTitleStrip, T::LeftButtonDown);
  fake.cursor = {1410, 890};
  Fire(kTitleStrip, T::MouseMove);
  ASSERT_EQ(fake.mainWindowRect.x, 1400);
  ASSERT_EQ(fake.mainWindowRect.y, 880);
  Fire(kTitleStrip, T::LeftButtonUp);
  EXPECT_EQ(fake.mainWindowRect.x, 1920 - 508);
  EXPECT_EQ(fake.mainWindowRect.y, 1040 - 149);
}

TEST_F(DispatchTest, MovesDockOnlyWhenNotDraggingAndDockingIsOn) {
  App().WorkArea = {0, 0, 1920, 1040};
  App().TaskbarInfo.Edge = 0;
  App().TaskbarInfo.Thickness = 40;
  fake.osVersion = 60;
  auto moveFrom = [&](int window) {
    fake.mainWindowRect = fake.mainClientRect = Rect{10, 12, 502, 143};
    Simple(EventKind::Move, window);
    return Point{fake.mainWindowRect.x, fake.mainWindowRect.y};
  };
  EXPECT_EQ(moveFrom(kMainWindow), (Point{0, 0}));
  EXPECT_EQ(moveFrom(kSettingsWindow), (Point{10, 12}));
  EXPECT_EQ(moveFrom(kHelpWindow), (Point{10, 12}));
  App().Dragging = 1;
  EXPECT_EQ(moveFrom(kMainWindow), (Point{10, 12}));
  App().Dragging = 0;
  App().Dock = 0;
  EXPECT_EQ(moveFrom(kMainWindow), (Point{10, 12}));

  // The docked place is a fixed point: the move it causes docks to the same place.
  App().Dock = 1;
  moveFrom(kMainWindow);
  Simple(EventKind::Move, kMainWindow);
  EXPECT_EQ(fake.mainWindowRect.x, 0);
  EXPECT_EQ(fake.mainWindowRect.y, 0);
}

// ---- pop-up menu, close and quit ------------------------------------------------------------------

TEST_F(DispatchTest, RightClicksAndTheTrayOpenTheMenu) {
  Fire(kTitleStrip, T::RightClick);
  Fire(kBackPanel, T::RightClick);
  for (int window : {kMainWindow, kSettingsWindow, kHelpWindow}) Simple(EventKind::RightClick, window);
  Tray(kTrayRightDown);
  EXPECT_EQ(fake.CountOf("ShowPopupMenu"), 6);
  EXPECT_EQ(fake.CountOf("ShowMainWindow"), 0);
}

TEST_F(DispatchTest, TrayLeftPressesShowThePanel) {
  for (int type : {kTrayLeftDown, kTrayLeftDouble}) {
    ShowPanel(false);
    ClearLog();
    Tray(type);
    EXPECT_TRUE(fake.mainShown) << type;
    EXPECT_FALSE(fake.menuItemEnabled.at(kMenuShow));
  }
  ShowPanel(false);
  ClearLog();
  Tray(kTrayRightDouble);
  Tray(7);
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(DispatchTest, CloseButtonAndCloseRequestSaveThenHide) {
  const std::vector<std::string> saveThenHide = {"SaveSettings", "ShowMainWindow"};
  fake.mainWindowRect = fake.mainClientRect = Rect{321, 234, 502, 150};
  Fire(kCloseButton, T::LeftClick);
  EXPECT_EQ(fake.CallsAmong({"SaveSettings", "ShowMainWindow"}), saveThenHide);
  EXPECT_FALSE(fake.mainShown);
  EXPECT_NE(fs.bytes.find("WinPosLeft = 321"), std::string::npos);
  EXPECT_NE(fs.bytes.find("WinPosTop = 234"), std::string::npos);
  EXPECT_TRUE(g_hookCalls.empty());  // no settings window to close

  ShowPanel(true);
  ClearLog();
  g_settingsOpen = true;
  Simple(EventKind::Close, kMainWindow);
  EXPECT_EQ(fake.CallsAmong({"SaveSettings", "ShowMainWindow"}), saveThenHide);
  EXPECT_EQ(g_hookCalls, std::vector<std::string>{"closeSettings"});
}

TEST_F(DispatchTest, EscapeHidesWithoutSaving) {
  g_settingsOpen = true;
  Menu(kMenuClose);
  EXPECT_FALSE(fake.mainShown);
  EXPECT_EQ(fake.CountOf("SaveSettings"), 0);
  EXPECT_TRUE(fake.menuItemEnabled.at(kMenuShow));
  EXPECT_EQ(g_hookCalls, std::vector<std::string>{"closeSettings"});
  Menu(kMenuShow);
  EXPECT_TRUE(fake.mainShown);
  EXPECT_EQ(fake.CountOf("SaveSettings"), 0);
}

TEST_F(DispatchTest, ShiftEscapeSavesAndEnds) {
  Menu(kMenuQuit);
  EXPECT_EQ(fake.CallsAmong({"SaveSettings", "EndProgram"}), (std::vector<std::string>{"SaveSettings", "EndProgram"}));
}

TEST_F(DispatchTest, OtherWindowsCloseThroughTheirHooks) {
  Simple(EventKind::Close, kSettingsWindow);
  Simple(EventKind::Close, kHelpWindow);
  EXPECT_EQ(g_hookCalls, (std::vector<std::string>{"closeSettings", "closeHelp"}));
  EXPECT_TRUE(fake.mainShown);
  EXPECT_EQ(fake.CountOf("SaveSettings"), 0);
}

TEST_F(DispatchTest, MenuItemsOpenTheirWindows) {
  for (int item : {kMenuSettings, kMenuSelectKeySet, kMenuOutputMode, kMenuGeneral, kMenuAbout, kMenuHelp, kMenuFind})
    Menu(item);
  EXPECT_EQ(g_hookCalls, (std::vector<std::string>{"openSettings -1", "openSettings 1", "openSettings 2",
                                                    "openSettings 0", "showAbout", "openHelp", "openFind"}));
  Menu(kMenuWebsite);
  ASSERT_EQ(fake.openedUrls.size(), 1u);
  EXPECT_EQ(fake.openedUrls[0], Text(ProEdition().productPage));
  g_hookCalls.clear();
  Menu(kMenuDarkMode);  // the fuller edition has no such item
  EXPECT_TRUE(g_hookCalls.empty());
}

// ---- bar elements ---------------------------------------------------------------------------------

TEST_F(DispatchTest, BarButtonsActAndShowHover) {
  Fire(kSettingsButton, T::LeftClick);
  Fire(kHelpButton, T::LeftClick);
  EXPECT_EQ(g_hookCalls, (std::vector<std::string>{"openSettings -1", "openHelp"}));
  Fire(kDropButton, T::LeftClick);
  EXPECT_EQ(fake.CountOf("TargetBoxDropDown"), 1);
  Fire(kRefreshButton, T::LeftClick);
  EXPECT_EQ(fake.CountOf("EnumerateTopWindows"), 1);
  Fire(kMoreButton, T::LeftClick);
  EXPECT_EQ(Elements().Data(kMoreButton), kMoreShown);
  Menu(kMenuToggleMore);
  EXPECT_EQ(Elements().Data(kMoreButton), kMoreHidden);

  struct Hover {
    int element;
    int enter;
    int leave;
  };
  for (const Hover& h : {Hover{kOnTopBox, 1, 0}, Hover{kDropButton, 1, 0}, Hover{kRefreshButton, 1, 0},
                         Hover{kMoreButton, 1, 0}, Hover{kHelpButton, 9, 8}, Hover{kSettingsButton, 4, 3},
                         Hover{kCloseButton, 7, 5}}) {
    Fire(h.element, T::MouseEnter);
    EXPECT_EQ(FaceOf(h.element), h.enter) << h.element;
    Fire(h.element, T::MouseLeave);
    EXPECT_EQ(FaceOf(h.element), h.leave) << h.element;
  }
  App().Dark = 1;
  Fire(kCloseButton, T::MouseLeave);
  EXPECT_EQ(FaceOf(kCloseButton), 6);
}

TEST_F(DispatchTest, OnTopBoxFlipsTopmostButNotTheSetting) {
  App().AlwaysOnTop = 0;
  ASSERT_EQ(Elements().Data(kOnTopBox), 1);
  Fire(kOnTopBox, T::LeftClick);
  EXPECT_EQ(Elements().Data(kOnTopBox), 0);
  EXPECT_FALSE(fake.mainTopmost);
  EXPECT_EQ(FaceOf(kOnTopBox), 1);
  Fire(kOnTopBox, T::LeftClick);
  EXPECT_EQ(Elements().Data(kOnTopBox), 1);
  EXPECT_TRUE(fake.mainTopmost);
  EXPECT_EQ(App().AlwaysOnTop, 0);
}

TEST_F(DispatchTest, SettingsAndHelpControlsGoToTheirWindows) {
  Fire(1031, T::LeftClick);
  Fire(1040, T::LeftClick);
  Fire(1068, T::Change);
  Fire(1069, T::Change);
  Fire(1069, T::LeftClick);
  EXPECT_EQ(g_hookCalls, (std::vector<std::string>{"settingsControl 1031", "settingsControl 1040",
                                                    "settingsControl 1068", "showHelpTopic"}));
}

// ---- the standard edition ---------------------------------------------------------------------------

class StandardDispatchTest : public DispatchTest {
 protected:
  void SetUp() override {
    DispatchTest::SetUp();
    SetCurrentEdition(EditionKind::Standard);
  }
};

TEST_F(StandardDispatchTest, KeySetMenuStandsInForTheSettingsWindow) {
  Fire(kSettingsButton, T::LeftClick);
  Menu(kMenuSettings);
  Menu(kMenuSelectKeySet);
  Menu(kMenuOutputMode);
  Menu(kMenuGeneral);
  EXPECT_EQ(g_hookCalls, (std::vector<std::string>{"showKeySetMenu", "showKeySetMenu", "showKeySetMenu"}));
  g_hookCalls.clear();
  Menu(kMenuDarkMode);
  EXPECT_EQ(g_hookCalls, std::vector<std::string>{"toggleDarkMode"});
}

TEST_F(StandardDispatchTest, ClosingAndQuittingSaveNothing) {
  Fire(kCloseButton, T::LeftClick);
  EXPECT_FALSE(fake.mainShown);
  Simple(EventKind::Close, kMainWindow);
  Menu(kMenuQuit);
  EXPECT_EQ(fake.CountOf("SaveSettings"), 0);
  EXPECT_EQ(fake.CountOf("EndProgram"), 1);
  EXPECT_EQ(fs.bytes, "[Config]\r\nKeySet = 1\r\n");
}

}  // namespace
}  // namespace qp
