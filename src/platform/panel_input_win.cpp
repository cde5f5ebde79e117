// The main window's messages that become the program's events: the pointer over drawn elements
// (through the core's PointerTracker), the one tooltip that follows it, menu commands and
// shortcuts, closing, moves and the tray icon.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/ids.h"
#include "control/dispatch.h"
#include "base/dpi_scale.h"
#include "platform/dpi_win.h"
#include "platform/panel_dpi_win.h"
#include "platform/panel_parts_win.h"
#include "platform/panel_win.h"
#include "platform/text_win.h"
#include "shell/elements.h"
#include "shell/panel.h"

namespace qpw {

namespace {

HWND g_tooltip = nullptr;
bool g_trackingLeave = false;
qp::PointerTracker g_tracker;
std::wstring g_tipText;
qp::Point g_pressPoint;

void DispatchElementEvents(const std::vector<qp::ElementEvent>& events) {
  for (const qp::ElementEvent& ev : events) qp::Dispatch({qp::EventKind::Element, qp::kMainWindow, ev.element, ev.type});
}

void DispatchSimple(qp::EventKind kind, int window, int item = 0, int trayType = 0) {
  qp::Event e{kind, window};
  e.item = item;
  e.trayType = trayType;
  qp::Dispatch(e);
}

// One tooltip tool spans the panel; its text follows the element under the pointer.
void UpdateTooltip(int previousHover) {
  if (!g_tooltip || g_tracker.hovered() == previousHover) return;
  SendMessageW(g_tooltip, TTM_POP, 0, 0);
  const qp::Element* e = qp::Elements().Find(g_tracker.hovered());
  g_tipText = e ? std::wstring(W(e->tooltip)) : std::wstring();
  TOOLINFOW ti = {};
  ti.cbSize = sizeof ti;
  ti.hwnd = MainWindow();
  ti.uId = 1;
  ti.lpszText = const_cast<wchar_t*>(g_tipText.c_str());
  SendMessageW(g_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(g_tooltip, TTM_ACTIVATE, g_tipText.empty() ? FALSE : TRUE, 0);
}

void OnMouseMove(HWND hwnd, int x, int y) {
  if (!g_trackingLeave) {
    TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, hwnd, 0};
    g_trackingLeave = TrackMouseEvent(&tme) != FALSE;
  }
  int before = g_tracker.hovered();
  DispatchElementEvents(g_tracker.Move(qp::Elements(), x, y));
  UpdateTooltip(before);
}

void OnRightUp(int x, int y) {
  std::vector<qp::ElementEvent> events = g_tracker.RightUp(qp::Elements(), x, y);
  if (qp::Elements().HitTest(x, y) == 0) {
    // The bare frame around the panel.
    DispatchSimple(qp::EventKind::RightClick, qp::kMainWindow);
    return;
  }
  DispatchElementEvents(events);
}

void OnTray(LPARAM lp) {
  switch (LOWORD(lp)) {
    case WM_LBUTTONDOWN:
      DispatchSimple(qp::EventKind::Tray, qp::kMainWindow, 0, qp::kTrayLeftDown);
      break;
    case WM_RBUTTONDOWN:
      DispatchSimple(qp::EventKind::Tray, qp::kMainWindow, 0, qp::kTrayRightDown);
      break;
    case WM_LBUTTONDBLCLK:
      DispatchSimple(qp::EventKind::Tray, qp::kMainWindow, 0, qp::kTrayLeftDouble);
      break;
    case WM_RBUTTONDBLCLK:
      DispatchSimple(qp::EventKind::Tray, qp::kMainWindow, 0, qp::kTrayRightDouble);
      break;
    default:
      break;
  }
}

}  // namespace

bool HandlePanelInput(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // Elements are hit in 96-DPI pixels; the press point stays physical, as dragging works on the
  // screen's pixels.
  const qp::Point logical = PanelLogicalPoint(lp);
  const int x = logical.x;
  const int y = logical.y;
  switch (msg) {
    case WM_MOUSEMOVE:
      OnMouseMove(hwnd, x, y);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      g_pressPoint = qp::Point{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      SetCapture(hwnd);
      DispatchElementEvents(g_tracker.LeftDown(qp::Elements(), x, y));
      return true;
    case WM_LBUTTONUP: {
      auto events = g_tracker.LeftUp(qp::Elements(), x, y);
      if (GetCapture() == hwnd) ReleaseCapture();
      DispatchElementEvents(events);
      return true;
    }
    case WM_RBUTTONUP:
      OnRightUp(x, y);
      return true;
    case WM_MOUSELEAVE: {
      g_trackingLeave = false;
      int before = g_tracker.hovered();
      DispatchElementEvents(g_tracker.Leave(qp::Elements()));
      UpdateTooltip(before);
      return true;
    }
    case WM_COMMAND:
      // Menu items and shortcuts; a child control's notification goes on to the default.
      if (lp != 0) return false;
      DispatchSimple(qp::EventKind::Menu, qp::kMainWindow, LOWORD(wp));
      return true;
    case WM_CLOSE:
      DispatchSimple(qp::EventKind::Close, qp::kMainWindow);
      return true;
    case WM_MOVE:
      PostMessageW(hwnd, kMoveMessage, 0, 0);
      return true;
    case kMoveMessage:
      DispatchSimple(qp::EventKind::Move, qp::kMainWindow);
      return true;
    case kTrayMessage:
      OnTray(lp);
      return true;
    case WM_HOTKEY:
      DispatchSimple(qp::EventKind::Menu, qp::kMainWindow, qp::kMenuFind);
      return true;
    default:
      return false;
  }
}

HWND PanelTooltipWindow() { return g_tooltip; }

bool ReleasePanelPointer() {
  const bool held = g_tracker.captured() != 0;
  DispatchElementEvents(g_tracker.CaptureLost(qp::Elements()));
  return held;
}

void CreateTooltip(HINSTANCE instance) {
  HWND main = MainWindow();
  g_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main, nullptr, instance,
                              nullptr);
  if (!g_tooltip) return;
  TOOLINFOW ti = {};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_SUBCLASS;
  ti.hwnd = main;
  ti.uId = 1;
  ti.rect = {0, 0, 4000, 4000};
  ti.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(g_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(g_tooltip, TTM_SETMAXTIPWIDTH, 0, PanelScale(400));
  SetTooltipFontForDpi(g_tooltip);
  SendMessageW(g_tooltip, TTM_ACTIVATE, FALSE, 0);
}

void DestroyTooltip() {
  if (g_tooltip) DestroyWindow(g_tooltip);
}

qp::Point LastPressPoint() { return g_pressPoint; }

}  // namespace qpw
