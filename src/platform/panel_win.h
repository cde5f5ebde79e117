// The main window (the keyboard panel): creation, messages, tray icon, menu, target box.
#pragma once
#include <windows.h>

#include "base/rect.h"
#include "base/text.h"

namespace qpw {

// The tray icon's number under the main window.
inline constexpr UINT kTrayIconId = 1;

// Builds the main window with its menu, tray icon, elements and key set; false when the
// window cannot be made (the program then runs its loop without a panel).
bool CreateMainWindow();
HWND MainWindow();
HWND TargetBoxWindow();
HWND PanelTooltipWindow();
// The tray icon again, at the small-icon size of the panel's DPI.
void RefreshTrayIcon();

// The one event loop of the program; never returns.
[[noreturn]] void RunEventLoop();
// Closes the main window, removes the tray icon, releases everything, exit code 0.
[[noreturn]] void EndProgram();

// Operations the platform layer forwards here.
void ShowMain(bool show);
qp::Rect MainOuterRect();
qp::Rect MainClientScreenRect();
void PlaceMainClient(const qp::Rect& client);
void MoveMain(int x, int y);
void SetTopmost(bool topmost);
void SetTitle(const qp::Text& title);
void SetTrayTip(const qp::Text& tip);
void EnableMenuEntry(int item, bool enabled);
void CheckMenuEntry(int item, bool checked);
void SetMenuEntryText(int item, const qp::Text& text);
void SetMenuEntryText(int item, const qp::Text& text);
// A balloon from the tray icon, for something the user must hear about once.
void ShowTrayNotification(const qp::Text& title, const qp::Text& text);
void ShowPopupMenu();
void InvalidateElement(int number);
void InvalidatePanel();
void DrainPendingInput();
void CaptureMouse(bool capture);
// Client coordinates of the last left press on the panel, as the press message gave them.
qp::Point LastPressPoint();
// The tray icon added again, with its current tip.
void RestoreTrayIcon();
// Lets go of a panel element that held the pointer (its face back to normal, nothing clicked);
// true when one did.
bool ReleasePanelPointer();

}  // namespace qpw
