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
  const ScreenArea newArea = OnDisplay(a.WorkArea, a.ScreenWidth, a.ScreenHeight);
  if (!plat.MainWindowExists()) return;
  const Rect window = plat.MainWindowRect();
  Rect target = window;
  if (a.Dock != 0 && a.Dragging == 0 && HasArea(oldArea) && HasArea(newArea)) {
    const Point p = SameCornerPosition(window, oldArea, newArea);
    target.x = p.x;
    target.y = p.y;
  }
  const Point kept = KeptOnScreen(target, plat.OnAnyMonitor(target), newArea);
  if (kept.x == window.x && kept.y == window.y) return;
  plat.MoveMainWindow(kept.x, kept.y);
  // As after any other move with docking on: snapped into the corner it is now in.
  if (a.Dock != 0 && a.Dragging == 0) ProximityDock();
}

void SessionEnding() { SaveSettingsNow(); }

}  // namespace qp
