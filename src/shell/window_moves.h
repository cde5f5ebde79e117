// The main window's start position, corner docking and dragging, on the program state.
#pragma once
#include "base/rect.h"
#include "shell/monitor_frame.h"

namespace qp {

// Fills TaskbarInfo from the shell's answers (once, before the main window exists).
void ReadTaskbarInfo();
// Start position: the bottom-right corner of the work area with docking on, else the saved one.
void PlaceMainWindow();
// Snaps the main window into a screen corner when it rests within 30 pixels of one.
void ProximityDock();
// What docking on display 0 works from: the stored screen size, work area and taskbar.
DockInput PrimaryDockInput(const Rect& window, int dpi);
// The frame of the monitor a rectangle is on.
MonitorFrame MonitorFrameAt(const DockInput& primary, const Rect& at);
// The same, remembering that monitor's work area when it is not
// display 0.
MonitorFrame FrameOfMonitorAt(const DockInput& primary, const Rect& at);
// Reads the work area again (docking switched on; the settings window closed with docking on).
void RefreshWorkArea();

// Dragging by TitleStrip or BackPanel: press, move, release.
void StartDrag();
void FollowDrag();
void EndDrag();

}  // namespace qp
