// The panel's answer to a DPI change: fonts, pictures and child windows for the new DPI, the
// window placed by the core, one repaint.
#pragma once
#include <windows.h>

#include "platform/dpi_win.h"

namespace qpw {

void OnPanelDpiChanged(const DpiChange& change);
// The tooltip's font for the panel's DPI (its stock font when that is the system's).
void SetTooltipFontForDpi(HWND tooltip);

}  // namespace qpw
