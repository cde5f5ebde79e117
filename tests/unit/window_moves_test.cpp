#include <gtest/gtest.h>

#include "base/app_state.h"
#include "fake_platform.h"
#include "shell/window_moves.h"

namespace qp {
namespace {

// A 502 x 143 panel at (700, 500) on a 1920 x 1080 display with a 40-pixel bottom taskbar.
class WindowMovesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetApp();
    App().Dock = 1;
    App().ScreenWidth = 1920;
    App().ScreenHeight = 1080;
    fake.mainWindowRect = fake.mainClientRect = Rect{700, 500, 502, 143};
  }
  Point Where() const { return {fake.mainWindowRect.x, fake.mainWindowRect.y}; }

  FakePlatform fake;
  FakePlatformScope scope{fake};
};

// ---- the taskbar -------------------------------------------------------------------------------

TEST_F(WindowMovesTest, TaskbarIsReadFromTheShell) {
  fake.taskbarState = 3;  // auto-hide and always on top
  ReadTaskbarInfo();
  EXPECT_EQ(App().TaskbarInfo.Edge, 0);
  EXPECT_EQ(App().TaskbarInfo.Thickness, 40);
  EXPECT_EQ(App().TaskbarInfo.AutoHide, 1);
  EXPECT_EQ(App().TaskbarInfo.State, 3);

  fake.taskbarState = 2;
  fake.taskbarEdge = 1;  // ABE_TOP: the thickness is the bottom coordinate
  fake.taskbarLeft = 0;
  fake.taskbarTop = -2;
  fake.taskbarRight = 1920;
  fake.taskbarBottom = 30;
  ReadTaskbarInfo();
  EXPECT_EQ(App().TaskbarInfo.Edge, 1);
  EXPECT_EQ(App().TaskbarInfo.Thickness, 30);
  EXPECT_EQ(App().TaskbarInfo.AutoHide, 0);
}

TEST_F(WindowMovesTest, NoTaskbarAnswerReadsAsAThinLeftTaskbar) {
  App().TaskbarInfo = TaskbarState{1, 3, 55, 0};  // anything left from before
  fake.taskbarAnswers = false;
  ReadTaskbarInfo();
  EXPECT_EQ(App().TaskbarInfo.Edge, 2);
  EXPECT_EQ(App().TaskbarInfo.Thickness, 0);
  EXPECT_EQ(App().TaskbarInfo.AutoHide, 0);
  EXPECT_EQ(App().TaskbarInfo.State, 0);

  // Placed with a readable work area, the missing thickness becomes 30 ...
  PlaceMainWindow();
  EXPECT_EQ(App().TaskbarInfo.Thickness, 30);
  EXPECT_EQ(Where(), (Point{1920 - 502, 1040 + 30 - 143}));
  // ... and the top-left corner keeps 34 pixels from the left screen edge (plus the margin).
  fake.mainWindowRect = fake.mainClientRect = Rect{10, 10, 502, 143};
  ProximityDock();
  EXPECT_EQ(Where(), (Point{34 + 3, 3}));
}

// ---- the start position ------------------------------------------------------------------------

TEST_F(WindowMovesTest, DockedStartIsTheCornerAboveTheTaskbar) {
  ReadTaskbarInfo();
  PlaceMainWindow();
  EXPECT_EQ(Where(), (Point{1920 - 502, 1080 - 40 - 143}));
  EXPECT_EQ(App().WorkArea.right, 1920);
  EXPECT_EQ(App().WorkArea.bottom, 1040);
  EXPECT_EQ(fake.mainWindowRect.w, 502);  // size kept
}

TEST_F(WindowMovesTest, UnreadableWorkAreaFallsBackToTheScreenLessTheTaskbar) {
  ReadTaskbarInfo();
  fake.workAreaFails = true;
  PlaceMainWindow();
  EXPECT_EQ(App().WorkArea.right, 1920);
  EXPECT_EQ(App().WorkArea.bottom, 1040);
  EXPECT_EQ(App().TaskbarInfo.Thickness, 40);
  EXPECT_EQ(Where(), (Point{1418, 897}));
}

TEST_F(WindowMovesTest, UndockedStartIsTheSavedPlaceAsItIs) {
  App().Dock = 0;
  App().WinPosLeft = -3000;
  App().WinPosTop = 5000;
  PlaceMainWindow();
  EXPECT_EQ(Where(), (Point{-3000, 5000}));
  EXPECT_EQ(fake.CountOf("ReadWorkArea"), 0);
  EXPECT_EQ(App().WorkArea.right, 0);  // not read without docking
}

// ---- docking -------------------------------------------------------------------------------------

TEST_F(WindowMovesTest, DockingUsesTheStoredScreenAndTheSystemVersion) {
  ReadTaskbarInfo();
  PlaceMainWindow();
  fake.osVersion = 80;  // 6 pixels of frame allowance, margin 3
  fake.mainWindowRect = fake.mainClientRect = Rect{1400, 880, 502, 143};
  ProximityDock();
  EXPECT_EQ(Where(), (Point{1920 - 508, 1040 - 149}));
  ProximityDock();  // docked again: no further move
  EXPECT_EQ(Where(), (Point{1920 - 508, 1040 - 149}));

  fake.osVersion = 60;
  fake.mainWindowRect = fake.mainClientRect = Rect{10, 10, 502, 143};
  ProximityDock();
  EXPECT_EQ(Where(), (Point{0, 0}));

  // The screen size is the one measured when the panel was last shown, not the display's now.
  App().ScreenWidth = 1600;
  fake.mainWindowRect = fake.mainClientRect = Rect{1090, 880, 502, 143};
  ProximityDock();
  EXPECT_EQ(Where(), (Point{1600 - 502, 1040 - 143}));
}

// ---- dragging ------------------------------------------------------------------------------------

TEST_F(WindowMovesTest, DragFollowsTheCursorFromWhereItWasPressed) {
  fake.cursor = {730, 508};
  StartDrag();
  EXPECT_EQ(App().Dragging, 1);
  EXPECT_EQ(App().DragOffsetX, 30);
  EXPECT_EQ(App().DragOffsetY, 8);
  EXPECT_TRUE(fake.mouseCaptured);
  fake.cursor = {100, 60};
  FollowDrag();
  EXPECT_EQ(Where(), (Point{70, 52}));
  fake.cursor = {-50, -20};
  FollowDrag();
  EXPECT_EQ(Where(), (Point{-80, -28}));
}

TEST_F(WindowMovesTest, EndingADragDocksOnlyWithDockingOn) {
  ReadTaskbarInfo();
  PlaceMainWindow();
  fake.osVersion = 110;
  for (int dock : {0, 1}) {
    App().Dock = dock;
    fake.mainWindowRect = fake.mainClientRect = Rect{700, 500, 502, 143};
    fake.cursor = {710, 505};
    StartDrag();
    fake.cursor = {20, 15};
    FollowDrag();
    ASSERT_EQ(Where(), (Point{10, 10}));
    EndDrag();
    EXPECT_EQ(App().Dragging, 0);
    EXPECT_FALSE(fake.mouseCaptured);
    EXPECT_EQ(Where(), dock ? (Point{3, 3}) : (Point{10, 10})) << "dock " << dock;
  }
  // Without a drag, a move request does nothing.
  App().Dragging = 0;
  const Point before = Where();
  fake.cursor = {999, 999};
  FollowDrag();
  EXPECT_EQ(Where(), before);
}

}  // namespace
}  // namespace qp
