#include <gtest/gtest.h>

#include <vector>

#include "control/dispatch.h"
#include "panel_fixture.h"
#include "shell/elements.h"
#include "control/session_events.h"
#include "shell/screen_places.h"
#include "shell/window_moves.h"

namespace qp {
namespace {

// ---- arithmetic ------------------------------------------------------------------------------

TEST(SameCornerPosition, KeepsTheCornerAndItsDistances) {
  const ScreenArea fullHd{0, 0, 1920, 1040};
  const ScreenArea small{0, 0, 1280, 984};
  const ScreenArea shifted{-1280, 100, 0, 1100};  // a monitor left of and below the old one
  struct Case {
    Rect window;
    ScreenArea to;
    Point expected;
  } cases[] = {
      {{1418, 897, 502, 143}, small, {778, 841}},           // bottom right, no gap
      {{1412, 891, 502, 143}, small, {772, 835}},           // bottom right, 6 pixels off both edges
      {{3, 3, 502, 143}, small, {3, 3}},                    // top left
      {{1415, 3, 502, 143}, small, {775, 3}},               // top right
      {{3, 894, 502, 143}, shifted, {-1277, 954}},          // bottom left, into a moved area
      {{1418, 897, 502, 143}, ScreenArea{0, 0, 400, 100}, {0, 0}},  // larger than the area: its top left
      {{900, -500, 502, 143}, small, {260, 0}},             // above the old area: kept inside the new one
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameCornerPosition(c.window, fullHd, c.to), c.expected) << c.window.x << "," << c.window.y;
  }
}

TEST(KeptOnScreen, OnlyAWindowOnNoMonitorIsBroughtIn) {
  const ScreenArea work{0, 0, 1920, 1040};
  EXPECT_EQ(KeptOnScreen({-1500, 200, 502, 143}, true, work), (Point{-1500, 200}));  // on another monitor
  EXPECT_EQ(KeptOnScreen({5000, 3000, 502, 143}, false, work), (Point{1418, 897}));
  EXPECT_EQ(KeptOnScreen({-2147483647, 300, 502, 143}, false, work), (Point{0, 300}));
  EXPECT_EQ(KeptOnScreen({800, -9000, 502, 143}, false, work), (Point{800, 0}));
  EXPECT_EQ(KeptOnScreen({5000, 3000, 502, 143}, false, ScreenArea{}), (Point{5000, 3000}));  // no area known
}

// ---- on the fake platform ----------------------------------------------------------------------

class SessionEventsTest : public PanelFixture {
 protected:
  void SetUp() override {
    PanelFixture::SetUp();
    LoadKeyPanel();
    ShowPanel(true);
    ReadTaskbarInfo();
    RefreshWorkArea();
  }

  static void Feed(const std::vector<ElementEvent>& events) {
    for (const ElementEvent& ev : events) {
      Event e;
      e.kind = EventKind::Element;
      e.window = kMainWindow;
      e.element = ev.element;
      e.type = ev.type;
      Dispatch(e);
    }
  }
  static Point Middle(int n) {
    const Rect r = *Elements().AbsoluteRect(n);
    return {r.x + r.w / 2, r.y + r.h / 2};
  }
  void Resize(int width, int height, int taskbar) {
    fake.displaySize = {width, height};
    fake.workRight = width;
    fake.workBottom = height - taskbar;
    fake.taskbarTop = height - taskbar;
    fake.taskbarRight = width;
    fake.taskbarBottom = height;
  }

  PointerTracker tracker;
};

TEST_F(SessionEventsTest, CaptureLostWhileAKeyIsHeldReleasesItWithoutTyping) {
  const Point key = Middle(1);
  Feed(tracker.LeftDown(Elements(), key.x, key.y));
  ASSERT_EQ(FaceOf(1), kFacePressed);
  Feed(tracker.CaptureLost(Elements()));
  PointerCaptureLost();
  EXPECT_EQ(FaceOf(1), kFaceNormal);
  // The button comes up later over the key: no click, nothing typed or copied.
  Feed(tracker.LeftUp(Elements(), key.x, key.y));
  EXPECT_EQ(fake.CountOf("SendInput"), 0);
  EXPECT_EQ(fake.CountOf("OpenClipboard"), 0);
  // Without a capture, losing it changes nothing.
  EXPECT_TRUE(tracker.CaptureLost(Elements()).empty());
}

TEST_F(SessionEventsTest, CaptureLostDuringADragStopsItWhereItIs) {
  const Point strip = Middle(kTitleStrip);
  fake.cursor = {fake.mainWindowRect.x + strip.x, fake.mainWindowRect.y + strip.y};
  Feed(tracker.LeftDown(Elements(), strip.x, strip.y));
  ASSERT_EQ(App().Dragging, 1);
  fake.cursor.x -= 970;  // near the left edge: a drop here would snap into the corner
  Feed(tracker.Move(Elements(), strip.x - 970, strip.y));
  const Rect moved = fake.mainWindowRect;
  ASSERT_EQ(moved.x, 30);

  Feed(tracker.CaptureLost(Elements()));
  PointerCaptureLost();
  EXPECT_EQ(App().Dragging, 0);
  EXPECT_FALSE(fake.mouseCaptured);
  EXPECT_EQ(fake.mainWindowRect, moved);  // not snapped
  // The pointer goes on moving with no button held: the panel stays.
  fake.cursor.x += 300;
  Feed(tracker.Move(Elements(), strip.x - 670, strip.y));
  EXPECT_EQ(fake.mainWindowRect, moved);
}

TEST_F(SessionEventsTest, ShellRestartAddsTheTrayIconAndReadsTheTaskbarAgain) {
  fake.taskbarTop = 1000;  // the new taskbar is taller
  fake.workBottom = 1000;
  ShellRestarted();
  EXPECT_EQ(fake.CountOf("RestoreTrayIcon"), 1);
  EXPECT_EQ(App().TaskbarInfo.Thickness, 80);
  EXPECT_EQ(App().WorkArea.bottom, 1000);
}

TEST_F(SessionEventsTest, DockedPanelFollowsItsCornerThroughDisplayChanges) {
  PlaceMainWindow();
  ASSERT_EQ(fake.mainWindowRect.x + fake.mainWindowRect.w, 1920);
  ASSERT_EQ(fake.mainWindowRect.y + fake.mainWindowRect.h, 1040);
  // Smaller, then back: each time in the bottom-right corner, snapped as a drop there would be.
  for (Point size : {Point{1280, 1024}, Point{1920, 1080}}) {
    Resize(size.x, size.y, 40);
    DisplaysChanged();
    EXPECT_EQ(App().ScreenWidth, size.x);
    EXPECT_EQ(App().WorkArea.right, size.x);
    EXPECT_EQ(fake.mainWindowRect.x + fake.mainWindowRect.w, size.x - 6) << size.x;
    EXPECT_EQ(fake.mainWindowRect.y + fake.mainWindowRect.h, size.y - 40 - 6) << size.x;
  }
  // A system still reporting the old work area after the display shrank: the corner of the display.
  fake.displaySize = {1280, 1024};
  DisplaysChanged();
  EXPECT_EQ(fake.mainWindowRect.x + fake.mainWindowRect.w, 1280 - 6);
  EXPECT_EQ(fake.mainWindowRect.y + fake.mainWindowRect.h, 1024 - 40 - 6);  // the taskbar still 40 high
  // A change that leaves the work area as it was moves nothing.
  ClearLog();
  DisplaysChanged();
  EXPECT_EQ(fake.CountOf("MoveMainWindow"), 0);
}

TEST_F(SessionEventsTest, UndockedPanelStaysUnlessNoMonitorShowsIt) {
  App().Dock = 0;
  fake.monitors = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
  fake.MoveMainWindow(-1000, 300);  // on the left monitor
  DisplaysChanged();
  EXPECT_EQ(fake.mainWindowRect.x, -1000);
  // That monitor is gone.
  fake.monitors = {{0, 0, 1920, 1080}};
  DisplaysChanged();
  EXPECT_EQ(fake.mainWindowRect.x, 0);
  EXPECT_EQ(fake.mainWindowRect.y, 300);
}

TEST_F(SessionEventsTest, SavedPlaceOnNoMonitorStartsInThePrimaryWorkArea) {
  App().Dock = 0;
  fake.monitors = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  const int w = fake.mainWindowRect.w, h = fake.mainWindowRect.h;
  const Point cases[][2] = {
      {{2500, 400}, {2500, 400}},  // on the second monitor: kept, though off display 0
      {{-5000, 400}, {0, 400}},
      {{9000, 9000}, {1920 - w, 1040 - h}},
  };
  for (const auto& c : cases) {
    App().WinPosLeft = c[0].x;
    App().WinPosTop = c[0].y;
    PlaceMainWindow();
    EXPECT_EQ((Point{fake.mainWindowRect.x, fake.mainWindowRect.y}), c[1]) << c[0].x;
  }
}

}  // namespace
}  // namespace qp
