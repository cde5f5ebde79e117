#include "platform/panel_dpi_win.h"

#include <commctrl.h>

#include "dpi/dpi_change.h"
#include "keysets/key_face.h"
#include "platform/panel_win.h"
#include "platform/resources_win.h"

namespace qpw {

namespace {

Font g_tooltipFont;

qp::Rect ToRect(const RECT& r) { return qp::Rect{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

}  // namespace

void SetTooltipFontForDpi(HWND tooltip) {
  if (!tooltip) return;
  Font font = GuiFontForDpi(PanelDpi());
  // At the system's DPI the control keeps the font it was made with, unless an earlier change
  // replaced it: then the stock GUI font takes its place.
  if (!font && !g_tooltipFont) return;
  HGDIOBJ chosen = font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT);
  SendMessageW(tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), FALSE);
  g_tooltipFont = std::move(font);
}

void OnPanelDpiChanged(const DpiChange& change) {
  HWND main = MainWindow();
  if (!main) return;
  RECT old = {};
  GetWindowRect(main, &old);
  const int oldDpi = PanelDpi();
  SetPanelDpi(change.dpi);
  // Everything drawn is remade before the window takes its new size, so the first paint at the
  // new size is also the only one.
  RebuildPanelFonts(PanelDpi());
  ReleasePanelImages();
  LoadPanelImages();
  if (HWND combo = TargetBoxWindow()) {
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(PanelFont(qp::kFontBar)), FALSE);
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), PanelScale(16));
    SendMessageW(combo, CB_SETITEMHEIGHT, 0, PanelScale(16));
  }
  if (HWND tooltip = PanelTooltipWindow()) {
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, PanelScale(400));
    SetTooltipFontForDpi(tooltip);
  }
  RefreshTrayIcon();
  qp::MainWindowDpiChanged(oldDpi, ToRect(old), ToRect(change.suggested));
  InvalidatePanel();
}

}  // namespace qpw
