// Where the panel goes when its DPI changes (moved to a monitor of another scale, or the scale
// changed under it).
#pragma once
#include "base/rect.h"
#include "shell/docking.h"

namespace qp {

// True when the window in `in` is docked: snapping would put it (or keep it) in the screen corner
// nearest to its centre.
bool InDockedCorner(const DockInput& in);

// The window's new rectangle: the suggested rectangle's position with the panel's size at the new
// DPI (so the client size follows the one rounding rule); when docking is on and the window sat
// in a corner before, the same corner at the new size. `before` holds the old rectangle and DPI,
// `after` the new screen, work area, taskbar and DPI (its window is ignored).
Rect PlaceAfterDpiChange(const DockInput& before, const DockInput& after, const Rect& suggested, int logicalWidth,
                         int logicalHeight, bool dock);

// The program's part: reads the state, places the main window through the platform.
void MainWindowDpiChanged(int oldDpi, const Rect& oldRect, const Rect& suggested);

}  // namespace qp
