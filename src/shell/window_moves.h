// The main window's start position, corner docking and dragging, on the program state.
#pragma once

namespace qp {

// Fills TaskbarInfo from the shell's answers (once, before the main window exists).
void ReadTaskbarInfo();
// Start position: the bottom-right corner of the work area with docking on, else the saved one.
void PlaceMainWindow();
// Snaps the main window into a screen corner when it rests within 30 pixels of one.
void ProximityDock();
// Reads the work area again (docking switched on; the settings window closed with docking on).
void RefreshWorkArea();

// Dragging by TitleStrip or BackPanel: press, move, release.
void StartDrag();
void FollowDrag();
void EndDrag();

}  // namespace qp
