// Docking, DPI changes, display changes and the settings window on monitors other than display 0.
#include <gtest/gtest.h>

#include <vector>

#include "base/app_state.h"
#include "control/session_events.h"
#include "dpi/dpi_change.h"
#include "fake_platform.h"
#include "settings/settings_window.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"
#include "shell/window_moves.h"

namespace qp {
namespace {

// Display 0 is 1920 x 1080 with a 40-pixel bottom taskbar, as read at start.
const MonitorArea kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true};

class MonitorDockingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetApp();
    AppState& a = App();
    a.Dock = 1;
    a.PanelWidth = kWidePanelWidth;
    a.PanelHeight = 139;
    a.ScreenWidth = 1920;
    a.ScreenHeight = 1080;
    a.WorkArea = kPrimary.work;
    a.TaskbarInfo.Thickness = 40;
  }
  void Monitors(std::initializer_list<MonitorArea> list) {
    fake.monitorAreas = list;
    fake.monitors.clear();
    for (const MonitorArea& m : list) {
      fake.monitors.push_back(Rect{m.bounds.left, m.bounds.top, m.bounds.right - m.bounds.left,
                                   m.bounds.bottom - m.bounds.top});
    }
  }
  Point DropAt(int x, int y) {
    fake.mainWindowRect = fake.mainClientRect = Rect{x, y, 502, 143};
    ProximityDock();
    return {fake.mainWindowRect.x, fake.mainWindowRect.y};
  }

  FakePlatform fake;
  FakePlatformScope scope{fake};
};

TEST_F(MonitorDockingTest, SnapsIntoTheCornersOfTheMonitorItIsOn) {
  // Above Windows XP the window counts 6 pixels larger and keeps 3 from the left and top edges.
  const MonitorArea right{{1920, 0, 3200, 1024}, {1920, 0, 3200, 984}, false};      // bottom bar
  const MonitorArea left{{-1280, -200, 0, 824}, {-1220, -200, 0, 824}, false};      // bar on its left
  const MonitorArea above{{0, -1200, 1600, 0}, {0, -1170, 1540, 0}, false};         // bars top and right
  struct Case {
    const char* what;
    MonitorArea monitor;
    Point drop;
    Point expected;
  } cases[] = {
      {"right, bottom right", right, {3200 - 530, 984 - 160}, {3200 - 508, 984 - 149}},
      {"right, top left", right, {1930, 20}, {1920 + 3, 3}},
      {"right, middle: stays", right, {2300, 400}, {2300, 400}},
      {"left, top left beside its bar", left, {-1200, -190}, {-1220 + 3, -200 + 3}},
      {"left, bottom right", left, {-520, 670}, {-508, 824 - 149}},
      {"above, top right below and left of its bars", above, {1020, -1160}, {1540 - 508, -1170 + 3}},
      {"above, bottom left", above, {10, -160}, {3, -149}},
  };
  for (const Case& c : cases) {
    Monitors({kPrimary, c.monitor});
    EXPECT_EQ(DropAt(c.drop.x, c.drop.y), c.expected) << c.what;
  }
  // Display 0 itself, or no monitor named, still docks by the taskbar and work area read at start,
  // and so does a monitor reported without a work area.
  const MonitorArea changed{{0, 0, 1920, 1080}, {0, 0, 1920, 1000}, true};
  const MonitorArea empty{{1920, 0, 3200, 1024}, {}, false};
  using List = std::vector<MonitorArea>;
  for (const List& monitors : {List{changed}, List{}, List{empty}}) {
    fake.monitorAreas = monitors;
    EXPECT_EQ(DropAt(1400, 880), (Point{1920 - 508, 1040 - 149}));
  }
}

TEST_F(MonitorDockingTest, DpiChangeKeepsTheCornerOfTheMonitorItMovesTo) {
  const MonitorArea fourK{{1920, 0, 5760, 2160}, {1920, 0, 5760, 2100}, false};
  Monitors({kPrimary, fourK});
  // Docked bottom right on display 0 at 100 %, then dragged half onto the 150 % monitor.
  const Rect old{1920 - 508, 1040 - 149, 502, 143};
  fake.mainDpi = 144;
  MainWindowDpiChanged(96, old, Rect{1900, 900, 753, 215});
  EXPECT_EQ(fake.mainClientRect, (Rect{5760 - 753 - 9, 2100 - 215 - 9, 753, 215}));
  // Display 0's stored areas are untouched by a move to another monitor.
  EXPECT_EQ(App().WorkArea.bottom, 1040);
  // Top left of that monitor, back at 100 %: the top-left corner of display 0.
  const Rect high{1920 + 5, 5, 753, 215};
  fake.mainDpi = 96;
  MainWindowDpiChanged(144, high, Rect{1500, 5, 502, 143});
  EXPECT_EQ(fake.mainClientRect, (Rect{3, 3, 502, 143}));
}

TEST_F(MonitorDockingTest, DisplayChangeKeepsTheCornerOfTheOtherMonitor) {
  const MonitorArea before{{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, false};
  Monitors({kPrimary, before});
  DropAt(3200 - 520, 1024 - 160);
  ASSERT_EQ(fake.mainWindowRect.x, 3200 - 508);
  // That monitor gets a 50-pixel bar along its bottom: the panel moves up above it, and stays there.
  const MonitorArea barred{{1920, 0, 3200, 1024}, {1920, 0, 3200, 974}, false};
  Monitors({kPrimary, barred});
  DisplaysChanged();
  EXPECT_EQ(fake.mainWindowRect.x, 3200 - 508);
  EXPECT_EQ(fake.mainWindowRect.y, 974 - 149);
  // Then the monitor is unplugged: the panel comes back into the same corner of display 0.
  Monitors({kPrimary});
  DisplaysChanged();
  EXPECT_EQ(fake.mainWindowRect.x, 1920 - 508);
  EXPECT_EQ(fake.mainWindowRect.y, 1040 - 149);
}

TEST_F(MonitorDockingTest, ReshapingKeepsThePanelOnItsMonitor) {
  // A key set or the "more" row changing reshapes the panel: it stays on the monitor it is on,
  // held inside that monitor's edges, not display 0's.
  const MonitorArea right{{1920, 0, 3200, 1024}, {1920, 0, 3200, 984}, false};
  const MonitorArea left{{-1280, -200, 0, 824}, {-1220, -200, 0, 824}, false};
  Monitors({kPrimary, right, left});
  struct Case {
    Point at;
    Point expected;
  } cases[] = {
      {{3200 - 508, 984 - 149}, {3200 - 508, 984 - 149}},  // docked bottom right, right monitor
      {{-1217, -197}, {-1217, -197}},                      // docked top left, left monitor
      {{3190, 400}, {3200 - 502, 400}},                    // strayed past the right monitor's edge
      {{-1700, 100}, {-1220, 100}},                        // strayed past the left monitor's
  };
  for (const Case& c : cases) {
    fake.mainWindowRect = fake.mainClientRect = Rect{c.at.x, c.at.y, 502, 143};
    RelayoutPanel();
    EXPECT_EQ((Point{fake.mainClientRect.x, fake.mainClientRect.y}), c.expected) << c.at.x;
  }
}

TEST_F(MonitorDockingTest, SettingsWindowOpensBesideThePanelOnItsMonitor) {
  const MonitorArea left{{-1280, -200, 0, 824}, {-1280, -200, 0, 824}, false};
  Monitors({kPrimary, left});
  // Room on the left within the left monitor: to the panel's left, though x is negative.
  fake.mainWindowRect = fake.mainClientRect = Rect{-600, 600, 502, 143};
  EXPECT_EQ(PlanSettingsWindow(0).position, (Point{-600 - 325, 600 + 143 - 470}));
  // At that monitor's left and top edges: to the right, and 5 below its top.
  fake.mainWindowRect = fake.mainClientRect = Rect{-1277, -197, 502, 143};
  EXPECT_EQ(PlanSettingsWindow(0).position, (Point{-1277 + 498 + 15, -200 + 5}));
}

}  // namespace
}  // namespace qp
