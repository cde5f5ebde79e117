// Docking on whichever monitor the panel is on. Display 0 keeps the taskbar and work area read at
// start; any other monitor docks into the corners of its own work area, whatever bars take its
// edges. The docking arithmetic runs in the monitor's frame, whose origin is the work area's
// top-left corner there, and the answer is moved back onto the screen.
#pragma once
#include "base/rect.h"
#include "shell/docking.h"

namespace qp {

struct MonitorFrame {
  DockInput in;  // its window in the frame's coordinates
  Point origin;  // where the frame's (0, 0) lies on the screen
};

// The frame for docking on `monitor`, from the input display 0 would use. `known` is false when
// the system named no monitor: display 0 then.
MonitorFrame FrameOn(const DockInput& primary, const MonitorArea& monitor, bool known = true);

Point ToScreen(const MonitorFrame& f, Point p);
Rect ToFrame(const MonitorFrame& f, Rect r);
Rect ToScreen(const MonitorFrame& f, Rect r);

// The other monitor's work area to remember after docking on it (zeros on display 0).
ScreenArea WorkToRemember(const MonitorArea& monitor, bool known);

}  // namespace qp
