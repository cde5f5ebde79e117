#include "shell/monitor_frame.h"

#include "shell/screen_places.h"

namespace qp {

MonitorFrame FrameOn(const DockInput& primary, const MonitorArea& monitor, bool known) {
  MonitorFrame f{primary, Point{}};
  // A monitor reported with no work area is no place to dock: display 0 as before.
  if (!known || monitor.primary || !HasArea(monitor.work)) return f;
  const ScreenArea& w = monitor.work;
  f.origin = Point{w.left, w.top};
  f.in.screenWidth = ClampToInt(int64_t{w.right} - w.left);
  f.in.screenHeight = ClampToInt(int64_t{w.bottom} - w.top);
  f.in.workArea = ScreenArea{0, 0, f.in.screenWidth, f.in.screenHeight};
  // The work area already leaves out the bars: none is left to make room for.
  f.in.taskbar = Taskbar{0, 0, 0, kEdgeBottom};
  f.in.window = ToFrame(f, primary.window);
  return f;
}

Point ToScreen(const MonitorFrame& f, Point p) {
  return {ClampToInt(int64_t{p.x} + f.origin.x), ClampToInt(int64_t{p.y} + f.origin.y)};
}

Rect ToFrame(const MonitorFrame& f, Rect r) {
  r.x = ClampToInt(int64_t{r.x} - f.origin.x);
  r.y = ClampToInt(int64_t{r.y} - f.origin.y);
  return r;
}

Rect ToScreen(const MonitorFrame& f, Rect r) {
  const Point p = ToScreen(f, Point{r.x, r.y});
  r.x = p.x;
  r.y = p.y;
  return r;
}

ScreenArea WorkToRemember(const MonitorArea& monitor, bool known) {
  return known && !monitor.primary && HasArea(monitor.work) ? monitor.work : ScreenArea{};
}

}  // namespace qp
