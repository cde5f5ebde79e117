// What the files of the main window share among themselves: panel_win.cpp (the window, its
// procedure and the loop), panel_input_win.cpp (pointer, tooltip, tray and menu messages into
// events), panel_menu_win.cpp (pop-up menu, shortcuts, system menu), tray_win.cpp (the tray
// icon) and target_box_win.cpp (the target frame and its drop-down list). Nothing outside them
// includes this; the rest of the program uses panel_win.h.
#pragma once
#include <windows.h>

namespace qpw {

constexpr UINT kTrayMessage = WM_APP + 1;
// Moves are queued like every other event and handled by the loop, so that a relayout's drain
// drops the moves it caused and start-up's moves wait until the screen size is known.
constexpr UINT kMoveMessage = WM_APP + 2;

// panel_input_win.cpp: the main window's messages that become the program's events; false for a
// message it leaves to the window procedure.
bool HandlePanelInput(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
void CreateTooltip(HINSTANCE instance);
void DestroyTooltip();

// panel_menu_win.cpp
void BuildMenu();
void RegisterShortcuts();
void TrimSystemMenu();
// The panel's shortcuts, for a message meant for the panel; true when one was taken.
bool TranslatePanelShortcut(MSG& msg);
void ReleaseMenus();

// tray_win.cpp
void AddTrayIcon();
void RemoveTrayIcon();

// target_box_win.cpp
bool RegisterFrameClass(HINSTANCE instance);
void CreateTargetWindows(HINSTANCE instance);
// Moves, shows or hides the target frame as the element table says, and repaints it.
void SyncChildWindows();

}  // namespace qpw
