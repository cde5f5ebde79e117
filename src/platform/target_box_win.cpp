// The target row's real child windows: the frame and, inside it, the owner-drawn drop-down list
// of window titles, painted in the panel's colours.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "base/app_state.h"
#include "base/ids.h"
#include "keysets/key_face.h"
#include "base/dpi_scale.h"
#include "platform/dpi_win.h"
#include "platform/panel_parts_win.h"
#include "platform/panel_win.h"
#include "platform/resources_win.h"
#include "platform/scoped_win.h"
#include "platform/window_class_win.h"
#include "shell/panel.h"

namespace qpw {

namespace {

constexpr wchar_t kFrameClass[] = L"QuillpadTargetFrame";

HWND g_frame = nullptr;
HWND g_combo = nullptr;

// DrawTargetItem: the target box's items in the panel's colours.
void DrawTargetItem(const DRAWITEMSTRUCT* di) {
  if (di->CtlType != ODT_COMBOBOX) return;
  qp::AppState& app = qp::App();
  // The item under the keyboard or pointer in the list, and the box while it has the focus.
  const bool highlighted = (di->itemState & ODS_SELECTED) != 0 &&
                           ((di->itemState & ODS_COMBOBOXEDIT) == 0 || (di->itemState & ODS_FOCUS) != 0);
  Brush brush(highlighted ? CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT))
                          : CreateSolidBrush(qp::SchemeFor(app.Dark == 1).targetItemBack));
  FillRect(di->hDC, &di->rcItem, brush.get());
  if ((di->itemState & ODS_FOCUS) != 0 && (di->itemState & ODS_NOFOCUSRECT) == 0) DrawFocusRect(di->hDC, &di->rcItem);
  SetBkMode(di->hDC, TRANSPARENT);
  if (di->itemID == static_cast<UINT>(-1)) return;
  // The length first, so that no title can overrun the item buffer.
  LRESULT len = SendMessageW(di->hwndItem, CB_GETLBTEXTLEN, di->itemID, 0);
  if (len < 0) return;
  if (static_cast<size_t>(len) + 1 > app.ComboItemText.size()) app.ComboItemText.resize(static_cast<size_t>(len) + 1);
  auto* buffer = reinterpret_cast<wchar_t*>(&app.ComboItemText[0]);
  LRESULT got = SendMessageW(di->hwndItem, CB_GETLBTEXT, di->itemID, reinterpret_cast<LPARAM>(buffer));
  if (got < 0) return;
  Selected font(di->hDC, PanelFont(qp::kFontBar));
  SetTextColor(di->hDC, highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                    : static_cast<COLORREF>(static_cast<uint32_t>(app.PanelTextColor)));
  TextOutW(di->hDC, di->rcItem.left + PanelScale(2), di->rcItem.top + PanelScale(1), buffer, static_cast<int>(got));
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_DRAWITEM:
      DrawTargetItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      mi->itemHeight = static_cast<UINT>(PanelScale(16));
      return TRUE;
    }
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      Brush brush(CreateSolidBrush(static_cast<COLORREF>(static_cast<uint32_t>(qp::App().PanelBackColor))));
      FillRect(reinterpret_cast<HDC>(wp), &r, brush.get());
      return 1;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

HWND TargetBoxWindow() { return g_combo; }

bool RegisterFrameClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, {kFrameClass, FrameProc});
}

void CreateTargetWindows(HINSTANCE instance) {
  auto logicalFrame = qp::Elements().AbsoluteRect(qp::kTargetFrame);
  if (!logicalFrame) return;
  const qp::Rect frame = qp::ScaleRect(*logicalFrame, PanelDpi());
  g_frame = CreateWindowExW(WS_EX_NOACTIVATE, kFrameClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, frame.x,
                            frame.y, frame.w, frame.h, MainWindow(), reinterpret_cast<HMENU>(qp::kTargetFrame),
                            instance, nullptr);
  const qp::Element* box = qp::Elements().Find(qp::kTargetBox);
  if (!g_frame || !box) return;
  const qp::Rect boxRect = qp::ScaleRect(box->rect, PanelDpi());
  g_combo = CreateWindowExW(0, L"COMBOBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                            boxRect.x, boxRect.y, boxRect.w, boxRect.h, g_frame,
                            reinterpret_cast<HMENU>(qp::kTargetBox), instance, nullptr);
  if (g_combo) {
    SendMessageW(g_combo, WM_SETFONT, reinterpret_cast<WPARAM>(PanelFont(qp::kFontBar)), FALSE);
    SendMessageW(g_combo, CB_SETMINVISIBLE, 20, 0);
  }
}

void SyncChildWindows() {
  if (!g_frame) return;
  auto frame = qp::Elements().AbsoluteRect(qp::kTargetFrame);
  bool shown = frame && qp::Elements().IsShown(qp::kTargetFrame);
  if (frame) {
    const qp::Rect f = qp::ScaleRect(*frame, PanelDpi());
    SetWindowPos(g_frame, nullptr, f.x, f.y, f.w, f.h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(g_frame, shown ? SW_SHOWNA : SW_HIDE);
  InvalidateRect(g_frame, nullptr, TRUE);
  if (g_combo) InvalidateRect(g_combo, nullptr, TRUE);
}

}  // namespace qpw
