#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "table_checks.h"
#include "base/app_state.h"
#include "dpi/dpi_change.h"
#include "base/dpi_scale.h"
#include "dpi/image_scale.h"
#include "shell/docking.h"
#include "fake_platform.h"
#include "shell/panel_geometry.h"
#include "shell/panel.h"
#include "shell/window_moves.h"

namespace qp {
namespace {

TEST(DpiScale, RoundsEachEdgeHalfUp) {
  struct Case {
    int logical, dpi, physical;
  };
  const Case cases[] = {
      {0, 120, 0},     {1, 120, 1},     {2, 120, 3},     {26, 120, 33},   {502, 120, 628},  {5, 96, 5},
      {26, 144, 39},   {3, 144, 5},     {-3, 144, -4},   {-1, 120, -1},   {498, 144, 747},  {26, 192, 52},
      {7, 168, 12},    {1, 240, 3},     {-7, 96, -7},    {26, 0, 26},     {26, 5000, 26},   {INT_MAX, 192, INT_MAX},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleEdge(c.logical, c.dpi), c.physical) << c.logical << " at " << c.dpi;
  }
}

// Nineteen keys in a row, 26 wide with a 1-pixel gap, as a key row of the panel is laid out.
TEST(DpiScale, KeyRowNeitherOverlapsNorSpreadsUnevenly) {
  for (int dpi : {120, 144, 168, 192}) {
    int minWidth = INT_MAX, maxWidth = 0, minGap = INT_MAX, maxGap = INT_MIN;
    Rect previous{};
    for (int k = 0; k < 19; ++k) {
      const Rect key = ScaleRect(Rect{2 + 27 * k, 20, 26, 26}, dpi);
      minWidth = std::min(minWidth, key.w);
      maxWidth = std::max(maxWidth, key.w);
      if (k > 0) {
        EXPECT_FALSE(RectsOverlap(previous, key)) << "key " << k << " at " << dpi;
        const int gap = key.x - (previous.x + previous.w);
        minGap = std::min(minGap, gap);
        maxGap = std::max(maxGap, gap);
      }
      previous = key;
    }
    EXPECT_LE(maxWidth - minWidth, 1) << dpi;
    EXPECT_LE(maxGap - minGap, 1) << dpi;
    EXPECT_GE(minGap, 1) << dpi;
    // The row ends where its scaled right edge is: no drift accumulates along it.
    EXPECT_EQ(previous.x + previous.w, ScaleEdge(2 + 27 * 18 + 26, dpi)) << dpi;
  }
}

TEST(DpiScale, PointerMapsIntoTheKeyItsPixelShows) {
  for (int dpi : {96, 120, 144, 192, 150}) {
    for (int p = -40; p < 19 * 27 * 3; ++p) {
      const int q = UnscaleEdge(p, dpi);
      // Every logical cell [q, q + 1) covers the pixel: the same test as the painted rectangles.
      EXPECT_LE(ScaleEdge(q, dpi), p) << p << " at " << dpi;
      EXPECT_GT(ScaleEdge(q + 1, dpi), p) << p << " at " << dpi;
    }
  }
}

TEST(DpiScale, ImageDpiIsTheDrawnOneOrTheNextLarger) {
  const int cases[][2] = {{96, 96}, {72, 96}, {0, 96}, {110, 120}, {120, 120}, {121, 144}, {168, 192}, {288, 192}};
  for (const auto& c : cases) EXPECT_EQ(ImageDpiFor(c[0]), c[1]) << c[0];
}

// 1920 x 1080 at 150 %: 2880 x 1620 physical pixels, a 60-pixel taskbar along the bottom.
DockInput Screen150(int x, int y) {
  DockInput in;
  in.window = {x, y, 753, 225};
  in.screenWidth = 2880;
  in.screenHeight = 1620;
  in.workArea = {0, 0, 2880, 1560};
  in.taskbar = TaskbarFrom(0, kShellEdgeBottom, {0, 1560, 2880, 1620});
  in.dpi = 144;
  return in;
}

TEST(DpiDocking, MarginsAndSnapDistanceScaleAt150) {
  struct Case {
    int x, y;
    Point expected;
  };
  // Right: 2880 - 753 - 9 = 2118; bottom: 1560 - 225 - 9 = 1326; left and top margins round 4.5 up.
  const Case cases[] = {
      {2080, 1290, {2118, 1326}},  // 38 and 36 pixels from the corner: inside the scaled 45
      {40, 40, {5, 5}},
      {30, 1300, {5, 1326}},
      {2100, 10, {2118, 5}},
      {2060, 1290, {2060, 1290}},  // 58 pixels away: stays
      {1000, 600, {1000, 600}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProximityDockPosition(Screen150(c.x, c.y)), c.expected) << c.x << "," << c.y;
  }
  // The same 38 pixels at 100 % are too far to snap.
  DockInput at96;
  at96.window = {1920 - 502 - 6 - 38, 1040 - 150 - 6 - 36, 502, 150};
  at96.screenWidth = 1920;
  at96.screenHeight = 1080;
  at96.workArea = {0, 0, 1920, 1040};
  at96.taskbar = TaskbarFrom(0, kShellEdgeBottom, {0, 1040, 1920, 1080});
  EXPECT_EQ(ProximityDockPosition(at96), (Point{at96.window.x, at96.window.y}));
}

TEST(DpiDocking, StartPlaceAndSettingsWindowAt150) {
  PlacementInput in;
  in.displayWidth = 2880;
  in.displayHeight = 1620;
  in.windowWidth = 753;
  in.windowHeight = 225;
  in.workAreaRead = true;
  in.readWorkArea = {0, 0, 2790, 1620};
  in.dpi = 144;
  Taskbar right = TaskbarFrom(0, kShellEdgeRight, {2790, 0, 2880, 1620});
  ScreenArea work;
  EXPECT_EQ(MainWindowStartPosition(in, right, work), (Point{2790 - 90 - 753 - 9, 1620 - 225 - 6}));
  Taskbar none;
  in.readWorkArea = {0, 0, 2880, 1620};
  EXPECT_EQ(MainWindowStartPosition(in, none, work), (Point{2880 - 753, 1620 - 45 - 225}));
  // 325 + 15 logical pixels to the left, 470 up from the client's bottom, all scaled.
  EXPECT_EQ(SettingsWindowPosition(1500, 900, 225, kWidePanelWidth, 144), (Point{1500 - 488, 900 + 225 - 705}));
  EXPECT_EQ(SettingsWindowPosition(100, 100, 225, kWidePanelWidth, 144), (Point{100 + 747 + 23, 8}));
}

TEST(DpiDocking, RelayoutSizesTheWindowByTheRule) {
  PanelState p;
  p.panelHeight = 146;
  const Rect r = RelayoutWindow(p, {1000, 800, 753, 225}, 2880, 1620, 144);
  EXPECT_EQ(r, (Rect{1000, 800 + 225 - 225, 753, 225}));
  p.keySet = 7;  // the narrow panel
  const Rect narrow = RelayoutWindow(p, {1000, 800, 753, 225}, 2880, 1620, 144);
  EXPECT_EQ(narrow.w, ScaleEdge(p.panelWidth + kPanelFrame, 144));
  EXPECT_EQ(narrow.x + narrow.w, 1000 + 753);  // the bottom-right corner stays
}

TEST(DpiChange, DockedPanelKeepsItsCornerAtTheNewSize) {
  DockInput before96;
  before96.screenWidth = 1920;
  before96.screenHeight = 1080;
  before96.workArea = {0, 0, 1920, 1040};
  before96.taskbar = TaskbarFrom(0, kShellEdgeBottom, {0, 1040, 1920, 1080});
  before96.window = {1920 - 502 - 6, 1040 - 150 - 6, 502, 150};
  ASSERT_TRUE(InDockedCorner(before96));
  const DockInput after144 = Screen150(0, 0);
  // Growing: the suggested rectangle keeps the top-left, the corner is kept instead.
  EXPECT_EQ(PlaceAfterDpiChange(before96, after144, {2121, 1335, 753, 225}, 502, 150, true),
            (Rect{2118, 1326, 753, 225}));
  // Shrinking back: still in the corner.
  const DockInput docked144 = Screen150(2118, 1326);
  EXPECT_EQ(PlaceAfterDpiChange(docked144, before96, {2118, 1326, 502, 150}, 502, 150, true),
            (Rect{1920 - 502 - 6, 1040 - 150 - 6, 502, 150}));
  // Placed at start flush in the corner, without the snapping margin: docked all the same.
  DockInput flush = before96;
  flush.window = {1920 - 502, 1040 - 150, 502, 150};
  EXPECT_EQ(PlaceAfterDpiChange(flush, after144, {1920, 1040, 753, 225}, 502, 150, true), (Rect{2118, 1326, 753, 225}));
  // Top-left stays top-left.
  DockInput topLeft = before96;
  topLeft.window = {3, 3, 502, 150};
  EXPECT_EQ(PlaceAfterDpiChange(topLeft, after144, {4, 4, 750, 230}, 502, 150, true), (Rect{5, 5, 753, 225}));
  // Off a corner, or with docking off: the suggested place, the rule's size.
  DockInput free = before96;
  free.window = {700, 400, 502, 150};
  EXPECT_FALSE(InDockedCorner(free));
  free.window = {1920 - 502 - 6 - 31, 1040 - 150 - 6, 502, 150};  // one pixel beyond snapping reach
  EXPECT_FALSE(InDockedCorner(free));
  EXPECT_EQ(PlaceAfterDpiChange(free, after144, {1050, 600, 750, 230}, 502, 150, true), (Rect{1050, 600, 753, 225}));
  EXPECT_EQ(PlaceAfterDpiChange(before96, after144, {2121, 1335, 753, 225}, 502, 150, false),
            (Rect{2121, 1335, 753, 225}));
}

}  // namespace
}  // namespace qp

namespace qp {
namespace {

Image Filled(int w, int h, uint32_t value) {
  Image img;
  img.width = w;
  img.height = h;
  img.pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), value);
  return img;
}

TEST(ResizeImage, AveragesTheAreaEachPixelCovers) {
  // A flat picture stays flat at any size, without rounding drift.
  const Image flat = ResizeImage(Filled(20, 20, 0x80402010u), 15, 17);
  ASSERT_EQ(flat.pixels.size(), 15u * 17u);
  for (uint32_t p : flat.pixels) EXPECT_EQ(p, 0x80402010u);
  // Two columns, opaque white and transparent, into one: half-covered white.
  Image halves = Filled(2, 1, 0);
  halves.pixels[0] = 0xFFFFFFFFu;
  EXPECT_EQ(ResizeImage(halves, 1, 1).pixels[0], 0x80808080u);
  // 4 -> 3: the middle pixel takes half of source pixels 1 and 2.
  Image ramp = Filled(4, 1, 0);
  for (int i = 0; i < 4; ++i) ramp.pixels[static_cast<size_t>(i)] = static_cast<uint32_t>(i * 60) << 24;
  const Image three = ResizeImage(ramp, 3, 1);
  EXPECT_EQ(three.pixels[0] >> 24, 15u);   // (0 * 1 + 60 * 1/3) / (4/3)
  EXPECT_EQ(three.pixels[1] >> 24, 90u);   // (60 + 120) / 2
  EXPECT_EQ(three.pixels[2] >> 24, 165u);  // (120 * 1/3 + 180) / (4/3)
  // Bad sizes give nothing rather than a huge or broken picture.
  EXPECT_TRUE(ResizeImage(flat, 0, 5).pixels.empty());
  EXPECT_TRUE(ResizeImage(flat, 5, kMaxPngSide + 1).pixels.empty());
  EXPECT_TRUE(ResizeImage(Image{}, 5, 5).pixels.empty());
  Image broken = Filled(4, 4, 0);
  broken.pixels.pop_back();
  EXPECT_TRUE(ResizeImage(broken, 2, 2).pixels.empty());
}

}  // namespace
}  // namespace qp

namespace qp {
namespace {

// The program's flow on a move from a 100 % monitor to a 150 % one, through the platform.
TEST(DpiChange, MainWindowFollowsThroughThePlatform) {
  FakePlatform fake;
  FakePlatformScope scope{fake};
  ResetApp();
  AppState& a = App();
  a.Dock = 1;
  a.PanelWidth = 498;
  a.PanelHeight = 139;
  a.ScreenWidth = 1920;
  a.ScreenHeight = 1080;
  a.WorkArea = {0, 0, 1920, 1040};
  a.TaskbarInfo.Thickness = 40;
  const Rect old{1920 - 502 - 6, 1040 - 143 - 6, 502, 143};
  fake.mainWindowRect = fake.mainClientRect = old;
  fake.mainDpi = 144;
  fake.displaySize = {2880, 1620};
  fake.workRight = 2880;
  fake.workBottom = 1560;
  MainWindowDpiChanged(96, old, Rect{old.x, old.y, 753, 215});
  // 753 x 215 by the rule; the taskbar's 40 pixels were read at 100 % and are kept until the
  // next reading, the corner margins are 150 %'s.
  EXPECT_EQ(fake.mainClientRect, (Rect{2880 - 753 - 9, 1560 - 215 - 9, 753, 215}));
  EXPECT_EQ(a.ScreenWidth, 2880);
  EXPECT_EQ(a.WorkArea.bottom, 1560);
  // Docking off: the suggested place.
  a.Dock = 0;
  fake.mainDpi = 96;
  MainWindowDpiChanged(144, fake.mainWindowRect, Rect{300, 200, 502, 143});
  EXPECT_EQ(fake.mainClientRect, (Rect{300, 200, 502, 143}));
  // And the relayout sizes the window at the platform's DPI.
  fake.mainDpi = 120;
  RelayoutPanel();
  EXPECT_EQ(fake.mainClientRect.w, ScaleEdge(502, 120));
  EXPECT_EQ(fake.mainClientRect.h, ScaleEdge(143, 120));
}

}  // namespace
}  // namespace qp
