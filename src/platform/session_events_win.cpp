#include "platform/session_events_win.h"

#include "platform/panel_win.h"
#include "platform/win_platform.h"
#include "control/session_events.h"

namespace qpw {

namespace {

// Registered once: the shell broadcasts it whenever its taskbar is (re)created.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

void LosePointer() {
  if (ReleasePanelPointer()) qp::PointerCaptureLost();
}

}  // namespace

bool SessionMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  if (msg == TaskbarCreatedMessage() && msg != 0) {
    qp::ShellRestarted();
    return true;
  }
  switch (msg) {
    case WM_CAPTURECHANGED:
      // The panel taking the capture again itself changes nothing.
      if (reinterpret_cast<HWND>(lp) != hwnd) LosePointer();
      return false;
    case WM_CANCELMODE:
      LosePointer();
      return false;  // the default handling releases the capture
    case WM_DISPLAYCHANGE:
      qp::DisplaysChanged();
      return false;
    case WM_SETTINGCHANGE:
      if (wp == SPI_SETWORKAREA) qp::DisplaysChanged();
      return false;
    case WM_QUERYENDSESSION:
      qp::SessionEnding();
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wp) qp::SessionEnding();
      return true;
    default:
      return false;
  }
}

void WinPlatform::RestoreTrayIcon() { qpw::RestoreTrayIcon(); }

bool WinPlatform::OnAnyMonitor(const qp::Rect& r) {
  const RECT rect = {r.x, r.y, static_cast<LONG>(int64_t{r.x} + r.w), static_cast<LONG>(int64_t{r.y} + r.h)};
  return MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}

bool WinPlatform::MonitorNearest(const qp::Rect& r, qp::MonitorArea& monitor) {
  const RECT rect = {r.x, r.y, static_cast<LONG>(int64_t{r.x} + r.w), static_cast<LONG>(int64_t{r.y} + r.h)};
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return false;
  monitor.bounds = qp::ScreenArea{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
  monitor.work = qp::ScreenArea{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  monitor.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  return true;
}

}  // namespace qpw
