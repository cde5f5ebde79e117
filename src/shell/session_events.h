// What the program does when Windows changes around it while it runs: the shell restarts,
// another window takes the pointer, displays or the work area change, the session ends.
#pragma once

#include "app/rect.h"

namespace qp {

// The shell (re)created its taskbar: every tray icon was lost with the old one.
void ShellRestarted();
// Another window took the pointer capture, or the system cancelled modes, while the panel held
// it: a drag ends where the panel is now, without snapping into a corner.
void PointerCaptureLost();
// The display configuration or the work area changed.
void DisplaysChanged();
// Windows is ending the session: saved as when the user quits.
void SessionEnding();

// Where a window of this size at `window` goes when the work area changes from oldWork to
// newWork: into the same corner of the new area (the corner nearest its middle), the same
// distance from that corner's two edges, and kept inside the new area.
Point SameCornerPosition(const Rect& window, const ScreenArea& oldWork, const ScreenArea& newWork);

// A window lying on no monitor at all is brought into the primary work area (the nearest place
// there); one at least partly on some monitor stays where it is.
Point KeptOnScreen(const Rect& window, bool onSomeMonitor, const ScreenArea& primaryWork);

}  // namespace qp
