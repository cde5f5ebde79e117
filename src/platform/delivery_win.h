// What the Windows layer reports and performs for delivery: the foreground watch, integrity
// levels of processes, and the tray balloon that tells the user when a click did not arrive.
// Free of <windows.h>, so that the Platform's forwarding keeps the operations' own names.
#pragma once
#include <cstdint>

#include "base/text.h"

namespace qpw {

// Reports every window that becomes the foreground window to the core, from now on, and the
// one in front now. Called once at start-up, before the panel is shown.
void WatchForegroundWindow();
// Reports the window that was active in `thread` when this program became the active one. Wine
// sends no foreground events to other processes and names no thread (0): the window below the
// program's own then stands for it.
void ReportWindowBefore(uint32_t thread);

// The mandatory integrity level (the last sub-authority of the token's label) of this process,
// or of the process owning a window; 0 when it cannot be read.
uint32_t OwnProcessIntegrity();
uint32_t WindowProcessIntegrity(uintptr_t window);
uint64_t SteadyMs();

// A balloon at the program's tray icon; false when there is no icon or the shell refused it.
bool ShowTrayBalloon(const qp::Text& title, const qp::Text& text);

}  // namespace qpw
