// The Find window (platform side): opening it from the menu or the global hotkey, its query
// box and keys, typing into the window the user was in, and the hotkey's registration and its
// control on the settings window's General tab. Decisions are in find/find_window.h.
#pragma once
#include <windows.h>

#include <utility>
#include <vector>

#include "base/rect.h"

namespace qpw {

// Points the dispatch's Find hook at this window.
void InstallFindWindow();
// Opens the window (or brings the open one forward), remembering the user's window.
void OpenFindWindow();
// Registers the hotkey of the program state on the main window and names it in the menu; a
// failure is told once in a tray notification.
void RegisterFindHotkey();
void UnregisterFindHotkey();

// The settings window's General page: the hotkey control and its label below the existing
// boxes, returned with their 96-DPI rectangles for the settings window to place and letter.
std::vector<std::pair<HWND, qp::Rect>> AddFindHotkeyControl(HWND page);
// A WM_COMMAND of a settings page: true when it was the hotkey control's and is handled.
bool FindHotkeyControlCommand(WPARAM wp, LPARAM lp);

}  // namespace qpw
