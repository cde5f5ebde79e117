#include <gtest/gtest.h>

#include <climits>

#include "shell/docking.h"

namespace qp {
namespace {

// 1920 x 1080 with a 40-pixel taskbar along the bottom, as the system reports it.
DockInput BottomTaskbarScreen(int x, int y, int osVersion) {
  DockInput in;
  in.window = {x, y, 502, 143};
  in.screenWidth = 1920;
  in.screenHeight = 1080;
  in.osVersion = osVersion;
  in.workArea = {0, 0, 1920, 1040};
  in.taskbar = TaskbarFrom(0, kShellEdgeBottom, {0, 1040, 1920, 1080});
  return in;
}

Point Dock(DockInput in, int x, int y) {
  in.window.x = x;
  in.window.y = y;
  return ProximityDockPosition(in);
}

TEST(TaskbarFrom, MapsEdgeAndThickness) {
  Taskbar bottom = TaskbarFrom(0, kShellEdgeBottom, {0, 1040, 1920, 1080});
  EXPECT_EQ(bottom.edge, kEdgeBottom);
  EXPECT_EQ(bottom.thickness, 40);
  // A top taskbar's thickness is its bottom coordinate, not its height.
  Taskbar top = TaskbarFrom(0, kShellEdgeTop, {0, -2, 1920, 30});
  EXPECT_EQ(top.edge, kEdgeTop);
  EXPECT_EQ(top.thickness, 30);
  Taskbar left = TaskbarFrom(0, kShellEdgeLeft, {-2, 0, 58, 1080});
  EXPECT_EQ(left.edge, kEdgeLeft);
  EXPECT_EQ(left.thickness, 60);
  Taskbar right = TaskbarFrom(0, kShellEdgeRight, {1860, 0, 1920, 1080});
  EXPECT_EQ(right.edge, kEdgeRight);
  EXPECT_EQ(right.thickness, 60);
}

TEST(TaskbarFrom, AutoHideFromStateBits) {
  EXPECT_EQ(TaskbarFrom(0, kShellEdgeBottom, {}).autoHide, 0);
  EXPECT_EQ(TaskbarFrom(1, kShellEdgeBottom, {}).autoHide, 1);
  EXPECT_EQ(TaskbarFrom(2, kShellEdgeBottom, {}).autoHide, 0);
  EXPECT_EQ(TaskbarFrom(3, kShellEdgeBottom, {}).autoHide, 1);
  EXPECT_EQ(TaskbarFrom(3, kShellEdgeBottom, {}).state, 3);
}

TEST(TaskbarFrom, NoAnswerReadsAsThinLeftTaskbar) {
  Taskbar none = TaskbarFrom(0, 0, {});
  EXPECT_EQ(none.edge, kEdgeLeft);
  EXPECT_EQ(none.thickness, 0);
  EXPECT_EQ(none.autoHide, 0);
  EXPECT_EQ(TaskbarFrom(0, 77, {0, 0, 500, 500}).thickness, 0);
  // Extreme rectangles do not overflow.
  EXPECT_EQ(TaskbarFrom(0, kShellEdgeBottom, {0, INT_MIN, 0, INT_MAX}).thickness, INT_MAX);
}

TEST(OsVersionValue, OrdersReleases) {
  EXPECT_EQ(OsVersionValue(5, 0, 1), 50);
  EXPECT_EQ(OsVersionValue(5, 1, 1), 60);
  EXPECT_EQ(OsVersionValue(5, 2, 3), 65);
  EXPECT_EQ(OsVersionValue(5, 2, 1), 60);  // XP x64
  EXPECT_EQ(OsVersionValue(6, 0, 1), 70);
  EXPECT_EQ(OsVersionValue(6, 0, 2), 75);
  EXPECT_EQ(OsVersionValue(6, 1, 1), 80);
  EXPECT_EQ(OsVersionValue(6, 2, 1), 90);
  EXPECT_EQ(OsVersionValue(6, 3, 1), 100);
  EXPECT_EQ(OsVersionValue(10, 0, 1, 19045), 110);
  EXPECT_EQ(OsVersionValue(10, 0, 1, 22631), 200);
  EXPECT_EQ(OsVersionValue(11, 0, 1), 200);
  EXPECT_EQ(OsVersionValue(0, 0, 0), 200);
  EXPECT_LT(OsVersionValue(4, 0, 1), 50);
}

TEST(ProximityDock, SnapsBottomRightAboveTheTaskbar) {
  // Above XP the window counts 6 pixels bigger and keeps a 3-pixel margin.
  EXPECT_EQ(ProximityDockPosition(BottomTaskbarScreen(1400, 880, 80)),
            (Point{1920 - 508, 1040 - 149}));
  EXPECT_EQ(ProximityDockPosition(BottomTaskbarScreen(1400, 880, 60)),
            (Point{1920 - 502, 1040 - 143}));
}

TEST(ProximityDock, SnapsTopLeftWithMarginAboveXp) {
  EXPECT_EQ(ProximityDockPosition(BottomTaskbarScreen(10, 10, 80)), (Point{3, 3}));
  EXPECT_EQ(ProximityDockPosition(BottomTaskbarScreen(10, 10, 60)), (Point{0, 0}));
  EXPECT_EQ(ProximityDockPosition(BottomTaskbarScreen(10, 10, 50)), (Point{0, 0}));
  EXPECT_EQ(ProximityDockPosition(BottomTaskbarScreen(-40, 870, 80)), (Point{3, 1040 - 149}));
  EXPECT_EQ(ProximityDockPosition(BottomTaskbarScreen(1390, -20, 80)), (Point{1412, 3}));
}

TEST(ProximityDock, LeavesMiddleAndEdgesAwayFromCornersAlone) {
  const Point stay[] = {{700, 400}, {1400, 400}, {700, 880}, {5, 500}, {700, 5}, {1381, 880}};
  for (Point p : stay) {
    EXPECT_EQ(ProximityDockPosition(BottomTaskbarScreen(p.x, p.y, 80)), p) << p.x << "," << p.y;
  }
}

TEST(ProximityDock, KeepsClearOfTaskbarOnEachEdge) {
  DockInput left = BottomTaskbarScreen(0, 0, 80);
  left.workArea = {60, 0, 1920, 1080};
  left.taskbar = TaskbarFrom(0, kShellEdgeLeft, {0, 0, 60, 1080});
  EXPECT_EQ(Dock(left, 70, 10), (Point{64 + 3, 3}));
  EXPECT_EQ(Dock(left, 80, 920), (Point{67, 1080 - 149}));
  EXPECT_EQ(Dock(left, 1400, 920), (Point{1920 - 508, 1080 - 149}));
  EXPECT_EQ(Dock(left, 95, 10), (Point{95, 10}));  // just out of reach of the corner at x 64

  DockInput top = BottomTaskbarScreen(0, 0, 80);
  top.workArea = {0, 30, 1920, 1080};
  top.taskbar = TaskbarFrom(0, kShellEdgeTop, {0, 0, 1920, 30});
  EXPECT_EQ(Dock(top, 1400, 40), (Point{1412, 34 + 3}));

  DockInput right = BottomTaskbarScreen(0, 0, 80);
  right.workArea = {0, 0, 1860, 1080};
  right.taskbar = TaskbarFrom(0, kShellEdgeRight, {1860, 0, 1920, 1080});
  // The work area's right edge is taken first and the thickness comes off it again.
  EXPECT_EQ(Dock(right, 1280, 10), (Point{1860 - 60 - 508, 3}));
}

TEST(ProximityDock, WithoutTaskbarAnswerKeepsLeftCornersOffTheEdge) {
  Taskbar taskbar = TaskbarFrom(0, 0, {});
  ScreenArea work;
  PlacementInput place;
  place.displayWidth = 1920;
  place.displayHeight = 1080;
  place.windowWidth = 502;
  place.windowHeight = 143;
  place.workAreaRead = true;
  place.readWorkArea = {0, 0, 1920, 1080};
  MainWindowStartPosition(place, taskbar, work);
  DockInput in = BottomTaskbarScreen(10, 10, 80);
  in.taskbar = taskbar;
  in.workArea = work;
  EXPECT_EQ(ProximityDockPosition(in), (Point{34 + 3, 3}));
}

TEST(ProximityDock, DockedPositionIsAFixedPoint) {
  std::vector<DockInput> setups;
  for (int version : {50, 60, 80, 200}) {
    setups.push_back(BottomTaskbarScreen(0, 0, version));
    DockInput left = BottomTaskbarScreen(0, 0, version);
    left.workArea = {60, 0, 1920, 1080};
    left.taskbar = TaskbarFrom(0, kShellEdgeLeft, {0, 0, 60, 1080});
    setups.push_back(left);
    DockInput right = left;
    right.workArea = {0, 0, 1860, 1080};
    right.taskbar = TaskbarFrom(0, kShellEdgeRight, {1860, 0, 1920, 1080});
    setups.push_back(right);
    DockInput top = left;
    top.workArea = {0, 30, 1920, 1080};
    top.taskbar = TaskbarFrom(0, kShellEdgeTop, {0, 0, 1920, 30});
    setups.push_back(top);
    DockInput unread = BottomTaskbarScreen(0, 0, version);  // work area never read
    unread.workArea = {};
    setups.push_back(unread);
    DockInput tiny = BottomTaskbarScreen(0, 0, version);  // smaller than the panel's reach
    tiny.screenWidth = 520;
    tiny.screenHeight = 180;
    tiny.workArea = {0, 0, 520, 140};
    setups.push_back(tiny);
  }
  int moved = 0;
  for (const DockInput& setup : setups) {
    for (int x = -120; x <= 2000; x += 11) {
      for (int y = -120; y <= 1150; y += 13) {
        const Point once = Dock(setup, x, y);
        if (once != Point{x, y}) ++moved;
        ASSERT_EQ(Dock(setup, once.x, once.y), once) << "from " << x << "," << y;
      }
    }
  }
  EXPECT_GT(moved, 0);
}

TEST(ProximityDock, ExtremeCoordinatesDoNotOverflow) {
  DockInput in = BottomTaskbarScreen(INT_MAX, INT_MIN, 80);
  in.window.w = INT_MAX;
  in.window.h = INT_MAX;
  in.taskbar.thickness = INT_MIN;
  in.workArea = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  const Point p = ProximityDockPosition(in);
  EXPECT_GE(p.x, INT_MIN);  // reaching here without a sanitizer report is the point
  in.window = {INT_MIN, INT_MAX, 0, 0};
  in.taskbar.thickness = INT_MAX;
  (void)ProximityDockPosition(in);
}

class StartPosition : public ::testing::Test {
 protected:
  StartPosition() {
    in.displayWidth = 1920;
    in.displayHeight = 1080;
    in.windowWidth = 502;
    in.windowHeight = 143;
    in.workAreaRead = true;
  }
  Point Place(uint32_t edge, const ScreenArea& taskbarRect, const ScreenArea& workArea) {
    taskbar = TaskbarFrom(0, edge, taskbarRect);
    in.readWorkArea = workArea;
    return MainWindowStartPosition(in, taskbar, work);
  }
  PlacementInput in;
  Taskbar taskbar;
  ScreenArea work;
};

TEST_F(StartPosition, DockedStartsInTheBottomRightCornerForEachEdge) {
  EXPECT_EQ(Place(kShellEdgeBottom, {0, 1040, 1920, 1080}, {0, 0, 1920, 1040}),
            (Point{1418, 1080 - 40 - 143}));
  EXPECT_EQ(work.bottom, 1040);
  EXPECT_EQ(Place(kShellEdgeTop, {0, 0, 1920, 30}, {0, 30, 1920, 1080}), (Point{1418, 937}));
  EXPECT_EQ(Place(kShellEdgeLeft, {0, 0, 60, 1080}, {60, 0, 1920, 1080}), (Point{1418, 937}));
  // A right taskbar: the display width is cut to the work area and the thickness comes off too.
  EXPECT_EQ(Place(kShellEdgeRight, {1860, 0, 1920, 1080}, {0, 0, 1860, 1080}),
            (Point{1860 - 60 - 502 - 6, 1080 - 143 - 4}));
  EXPECT_EQ(work.right, 1860);
}

TEST_F(StartPosition, DisplayTallerThanWorkAreaAndTaskbarIsCut) {
  in.displayHeight = 1200;
  EXPECT_EQ(Place(kShellEdgeBottom, {0, 1040, 1920, 1080}, {0, 0, 1920, 1040}),
            (Point{1418, 1080 - 40 - 143}));
}

TEST_F(StartPosition, ZeroThicknessBecomesThirtyWhenTheWorkAreaIsRead) {
  EXPECT_EQ(Place(0, {}, {0, 0, 1920, 1080}), (Point{1418, 937}));
  EXPECT_EQ(taskbar.thickness, 30);
}

TEST_F(StartPosition, UnreadableWorkAreaFallsBackToTheDisplay) {
  in.workAreaRead = false;
  work = {7, 9, 0, 0};
  EXPECT_EQ(Place(kShellEdgeBottom, {0, 1040, 1920, 1080}, {1, 2, 3, 4}), (Point{1418, 897}));
  EXPECT_EQ(work.left, 7);
  EXPECT_EQ(work.top, 9);
  EXPECT_EQ(work.right, 1920);
  EXPECT_EQ(work.bottom, 1040);

  // Without a taskbar answer the thickness stays 0 here.
  EXPECT_EQ(Place(0, {}, {}), (Point{1418, 937}));
  EXPECT_EQ(taskbar.thickness, 0);
  EXPECT_EQ(work.bottom, 1080);
}

TEST_F(StartPosition, DockingOffUsesTheSavedPlaceUntouched) {
  in.dock = false;
  in.winPosLeft = -5000;
  in.winPosTop = 9000;
  work = {1, 2, 3, 4};
  EXPECT_EQ(Place(0, {}, {0, 0, 1920, 1040}), (Point{-5000, 9000}));
  EXPECT_EQ(work.right, 3);
  EXPECT_EQ(taskbar.thickness, 0);
}

TEST(SettingsWindowPosition, OpensLeftOfThePanel) {
  EXPECT_EQ(SettingsWindowPosition(1400, 900, 143, 498), (Point{1075, 573}));
  // The compact panel is narrower; the window keeps its distance from the panel's right side.
  EXPECT_EQ(SettingsWindowPosition(1400, 900, 62, 264), (Point{1400 - 325 - 239, 492}));
}

TEST(SettingsWindowPosition, AvoidsTheTopAndLeftScreenEdges) {
  EXPECT_EQ(SettingsWindowPosition(1400, 100, 143, 498).y, 5);
  EXPECT_EQ(SettingsWindowPosition(200, 600, 143, 498), (Point{200 + 498 + 15, 273}));
  EXPECT_EQ(SettingsWindowPosition(300, 600, 62, 264), (Point{300 + 264 + 15, 192}));
  EXPECT_EQ(SettingsWindowPosition(325, 470, 0, 498), (Point{0, 0}));
  const Point far = SettingsWindowPosition(INT_MAX, INT_MAX, INT_MAX, INT_MIN);
  EXPECT_EQ(far.y, INT_MAX);
}

}  // namespace
}  // namespace qp
