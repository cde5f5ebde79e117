#include "dpi/dpi_change.h"

#include "base/app_state.h"
#include "base/platform.h"
#include "base/dpi_scale.h"
#include "shell/panel_geometry.h"
#include "shell/window_moves.h"

namespace qp {

namespace {

struct Corner {
  bool right;
  bool bottom;
};

Corner NearestCorner(const DockInput& in) {
  const int64_t cx = int64_t{in.window.x} + in.window.w / 2;
  const int64_t cy = int64_t{in.window.y} + in.window.h / 2;
  return Corner{cx * 2 > in.screenWidth, cy * 2 > in.screenHeight};
}

// Where docking puts the window in that corner: pushed well past it, then snapped back.
Point CornerPosition(DockInput in, Corner c) {
  in.window.x = c.right ? in.screenWidth : -in.window.w;
  in.window.y = c.bottom ? in.screenHeight : -in.window.h;
  return ProximityDockPosition(in);
}

}  // namespace

bool InDockedCorner(const DockInput& in) {
  // Within snapping reach of the corner, which also takes in the start placement's corner.
  return ProximityDockPosition(in) == CornerPosition(in, NearestCorner(in));
}

Rect PlaceAfterDpiChange(const DockInput& before, const DockInput& after, const Rect& suggested, int logicalWidth,
                         int logicalHeight, bool dock) {
  DockInput placed = after;
  placed.window = Rect{suggested.x, suggested.y, ScaleLength(logicalWidth, after.dpi),
                       ScaleLength(logicalHeight, after.dpi)};
  if (dock && InDockedCorner(before)) {
    const Point p = CornerPosition(placed, NearestCorner(before));
    placed.window.x = p.x;
    placed.window.y = p.y;
  }
  return placed.window;
}

void MainWindowDpiChanged(int oldDpi, const Rect& oldRect, const Rect& suggested) {
  AppState& a = App();
  Platform& plat = Plat();
  // The monitor it was on, as docking saw it before the change.
  const MonitorFrame before = FrameOfMonitorAt(PrimaryDockInput(oldRect, oldDpi), oldRect);
  // Display 0's screen and work area, in the new DPI's pixels.
  const Point display = plat.DisplaySize();
  if (display.x > 0 && display.y > 0) {
    a.ScreenWidth = display.x;
    a.ScreenHeight = display.y;
  }
  int l = 0, t = 0, r = 0, b = 0;
  if (plat.ReadWorkArea(l, t, r, b)) a.WorkArea = ScreenArea{l, t, r, b};
  // The monitor it goes to.
  const MonitorFrame after = FrameOfMonitorAt(PrimaryDockInput(suggested, plat.MainWindowDpi()), suggested);
  const Rect placed = PlaceAfterDpiChange(before.in, after.in, ToFrame(after, suggested), a.PanelWidth + kPanelFrame,
                                          a.PanelHeight + kPanelFrame, a.Dock != 0);
  plat.PlaceMainWindow(ToScreen(after, placed));
}

}  // namespace qp
