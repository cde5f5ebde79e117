#include "control/session_events.h"

#include <cstdint>

#include "base/app_state.h"
#include "base/platform.h"
#include "control/program.h"
#include "settings/settings_store.h"
#include "shell/screen_places.h"
#include "shell/window_moves.h"

namespace qp {

void ShellRestarted() {
  Plat().RestoreTrayIcon();
  ReadTaskbarInfo();
  RefreshWorkArea();
}

void PointerCaptureLost() {
  AppState& a = App();
  if (a.Dragging == 0) return;
  a.Dragging = 0;
  Plat().CaptureMouse(false);
}

namespace {

// The work areas a docked panel's corner is taken from and carried into by a display change.
struct AreaChange {
  ScreenArea before;
  ScreenArea after;
};

// Whether a remembered work area belongs to this monitor (its middle lies on it), not to one the
// panel left with docking off.
bool SameMonitor(const ScreenArea& work, const MonitorArea& monitor) {
  const int64_t x2 = int64_t{work.left} + work.right;
  const int64_t y2 = int64_t{work.top} + work.bottom;
  return HasArea(work) && x2 >= int64_t{monitor.bounds.left} * 2 && x2 < int64_t{monitor.bounds.right} * 2 &&
         y2 >= int64_t{monitor.bounds.top} * 2 && y2 < int64_t{monitor.bounds.bottom} * 2;
}

// On display 0 its stored areas; on another monitor that monitor's, as remembered from docking
// there and as it is now; from a monitor that has gone, into the same corner of display 0.
AreaChange ChangeFor(const Rect& window, const AreaChange& primary) {
  AppState& a = App();
  Platform& plat = Plat();
  MonitorArea monitor;
  const bool known = plat.MonitorNearest(window, monitor);
  if (!plat.OnAnyMonitor(window)) {
    const AreaChange change = HasArea(a.DockedMonitorWork) ? AreaChange{a.DockedMonitorWork, primary.after} : primary;
    a.DockedMonitorWork = ScreenArea{};
    return change;
  }
  if (!known || monitor.primary) return primary;
  const AreaChange change{SameMonitor(a.DockedMonitorWork, monitor) ? a.DockedMonitorWork : monitor.work, monitor.work};
  a.DockedMonitorWork = monitor.work;
  return change;
}

}  // namespace

void DisplaysChanged() {
  AppState& a = App();
  Platform& plat = Plat();
  const ScreenArea oldArea = OnDisplay(a.WorkArea, a.ScreenWidth, a.ScreenHeight);
  const Point display = plat.DisplaySize();
  if (display.x > 0 && display.y > 0) {
    a.ScreenWidth = display.x;
    a.ScreenHeight = display.y;
  }
  ReadTaskbarInfo();
  RefreshWorkArea();
  const ScreenArea primaryArea = OnDisplay(a.WorkArea, a.ScreenWidth, a.ScreenHeight);
  if (!plat.MainWindowExists()) return;
  const Rect window = plat.MainWindowRect();
  const AreaChange change = ChangeFor(window, AreaChange{oldArea, primaryArea});
  Rect target = window;
  if (a.Dock != 0 && a.Dragging == 0 && HasArea(change.before) && HasArea(change.after)) {
    const Point p = SameCornerPosition(window, change.before, change.after);
    target.x = p.x;
    target.y = p.y;
  }
  const Point kept = KeptOnScreen(target, plat.OnAnyMonitor(target), primaryArea);
  if (kept.x == window.x && kept.y == window.y) return;
  plat.MoveMainWindow(kept.x, kept.y);
  // As after any other move with docking on: snapped into the corner it is now in.
  if (a.Dock != 0 && a.Dragging == 0) ProximityDock();
}

void SessionEnding() { SaveSettingsNow(); }

}  // namespace qp
