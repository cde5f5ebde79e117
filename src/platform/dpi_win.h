// Display scaling at the Windows layer's boundary: the process's awareness, each window's DPI,
// and conversions between the core's 96-DPI pixels and a window's physical pixels.
#pragma once
#include <windows.h>

#include "base/rect.h"
#include "platform/gdi_win.h"

namespace qpw {

// Asks for per-monitor awareness (version 2, then version 1, then system-wide). Every request may
// be refused (older Windows; Wine refuses the first two): the program goes on with what it has.
void DeclareDpiAwareness();

// The system's answer for a window's DPI (the screen's where the system has no per-window one).
int QueryWindowDpi(HWND hwnd);
// The DPI the system-wide objects (stock fonts, default control fonts) were made for.
int SystemDpi();

// The panel's DPI: read when it is made, changed by WM_DPICHANGED.
int PanelDpi();
void SetPanelDpi(int dpi);
// A logical length, offset or rectangle of the panel in its physical pixels.
int PanelScale(int logical);
RECT PanelRect(const qp::Rect& logical);
// A pointer position in the panel's client area, as the element table's logical point.
qp::Point PanelLogicalPoint(LPARAM lp);

RECT ToRECT(const qp::Rect& r);

// What WM_DPICHANGED carries. A message without a rectangle (sent by hand) gets the window's
// present position; the size is the caller's to choose.
struct DpiChange {
  int dpi = 96;
  bool hasRect = false;
  RECT suggested = {};
};
DpiChange ReadDpiChange(HWND hwnd, WPARAM wp, LPARAM lp);

// The outer rectangle of a client area of this size for a window style at a DPI.
RECT OuterForClient(int clientW, int clientH, DWORD style, DWORD exStyle, int dpi);
// The small-icon size at a DPI (16 at 96).
int SmallIconSize(int dpi);
// The default GUI font remade for a DPI; empty when the stock one already fits (same DPI as the
// system's), so that at the system's DPI every control keeps exactly its stock font.
Font GuiFontForDpi(int dpi);
// A font of a size in points for a DPI.
HFONT PointFont(const wchar_t* face, int points, int weight, int dpi, DWORD quality = DEFAULT_QUALITY,
                DWORD pitchAndFamily = DEFAULT_PITCH);

}  // namespace qpw
