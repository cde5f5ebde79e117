#include "shell/window_moves.h"

#include "base/app_state.h"
#include "base/platform.h"
#include "shell/docking.h"
#include "shell/monitor_frame.h"
#include "shell/screen_places.h"

namespace qp {

namespace {

Taskbar TaskbarOf(const AppState& a) {
  return Taskbar{a.TaskbarInfo.AutoHide, a.TaskbarInfo.State, a.TaskbarInfo.Thickness, a.TaskbarInfo.Edge};
}

void StoreTaskbar(AppState& a, const Taskbar& t) {
  a.TaskbarInfo.AutoHide = t.autoHide;
  a.TaskbarInfo.State = t.state;
  a.TaskbarInfo.Thickness = t.thickness;
  a.TaskbarInfo.Edge = t.edge;
}

// The saved place, unless the monitor it was on has gone: then the nearest place in the
// primary work area, so the panel is not left where nobody can see it.
Point SavedPlaceOnScreen(Point saved, const Rect& outer) {
  const Rect window{saved.x, saved.y, outer.w, outer.h};
  if (Plat().OnAnyMonitor(window)) return saved;
  int l = 0, t = 0, r = 0, b = 0;
  if (!Plat().ReadWorkArea(l, t, r, b)) return saved;
  return KeptOnScreen(window, false, ScreenArea{l, t, r, b});
}

}  // namespace

void ReadTaskbarInfo() {
  uint32_t state = 0, edge = 0;
  int l = 0, t = 0, r = 0, b = 0;
  if (!Plat().QueryTaskbar(state, edge, l, t, r, b)) state = edge = 0, l = t = r = b = 0;
  StoreTaskbar(App(), TaskbarFrom(state, edge, ScreenArea{l, t, r, b}));
}

void PlaceMainWindow() {
  AppState& a = App();
  Platform& plat = Plat();
  Rect outer = plat.MainWindowRect();
  Point display = plat.DisplaySize();
  PlacementInput in;
  in.dock = a.Dock != 0;
  in.winPosLeft = a.WinPosLeft;
  in.winPosTop = a.WinPosTop;
  in.displayWidth = display.x;
  in.displayHeight = display.y;
  in.windowWidth = outer.w;
  in.windowHeight = outer.h;
  in.dpi = plat.MainWindowDpi();
  if (in.dock) {
    int l = 0, t = 0, r = 0, b = 0;
    in.workAreaRead = plat.ReadWorkArea(l, t, r, b);
    in.readWorkArea = ScreenArea{l, t, r, b};
  }
  Taskbar taskbar = TaskbarOf(a);
  ScreenArea work = a.WorkArea;
  Point p = MainWindowStartPosition(in, taskbar, work);
  StoreTaskbar(a, taskbar);
  a.WorkArea = work;
  if (!in.dock) p = SavedPlaceOnScreen(p, outer);
  plat.MoveMainWindow(p.x, p.y);
}

DockInput PrimaryDockInput(const Rect& window, int dpi) {
  const AppState& a = App();
  DockInput in;
  in.window = window;
  in.screenWidth = a.ScreenWidth;
  in.screenHeight = a.ScreenHeight;
  in.osVersion = Plat().OsVersionValue();
  in.workArea = a.WorkArea;
  in.taskbar = TaskbarOf(a);
  in.dpi = dpi;
  return in;
}

MonitorFrame MonitorFrameAt(const DockInput& primary, const Rect& at) {
  MonitorArea monitor;
  const bool known = Plat().MonitorNearest(at, monitor);
  return FrameOn(primary, monitor, known);
}

MonitorFrame FrameOfMonitorAt(const DockInput& primary, const Rect& at) {
  MonitorArea monitor;
  const bool known = Plat().MonitorNearest(at, monitor);
  App().DockedMonitorWork = WorkToRemember(monitor, known);
  return FrameOn(primary, monitor, known);
}

void ProximityDock() {
  Platform& plat = Plat();
  const Rect window = plat.MainWindowRect();
  const MonitorFrame f = FrameOfMonitorAt(PrimaryDockInput(window, plat.MainWindowDpi()), window);
  const Point p = ToScreen(f, ProximityDockPosition(f.in));
  plat.MoveMainWindow(p.x, p.y);
}

void RefreshWorkArea() {
  int l = 0, t = 0, r = 0, b = 0;
  if (Plat().ReadWorkArea(l, t, r, b)) App().WorkArea = ScreenArea{l, t, r, b};
}

void StartDrag() {
  AppState& a = App();
  // The press point itself, so the offset does not depend on how late the press is handled.
  Point press = Plat().PressPointInClient();
  a.DragOffsetX = press.x;
  a.DragOffsetY = press.y;
  a.Dragging = 1;
  Plat().CaptureMouse(true);

}

void FollowDrag() {
  AppState& a = App();
  if (a.Dragging != 1) return;
  // The pointer as the move message saw it, so queued moves replay the path the hand took.
  Point cursor = Plat().EventCursorPos();
  Plat().MoveMainWindow(cursor.x - a.DragOffsetX, cursor.y - a.DragOffsetY);
}

void EndDrag() {
  AppState& a = App();
  a.Dragging = 0;
  Plat().CaptureMouse(false);
  if (a.Dock != 0) ProximityDock();
}

}  // namespace qp
