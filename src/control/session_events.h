// What the program does when Windows changes around it while it runs: the shell restarts,
// another window takes the pointer, displays or the work area change, the session ends.
#pragma once

#include "base/rect.h"

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

}  // namespace qp
