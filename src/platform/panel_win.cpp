// The main window (the keyboard panel): its class, creation, procedure and painting, the
// event loop, the end of the program, and the window operations the platform forwards here.
// Its messages become events in panel_input_win.cpp; menus, tray icon and target box have files
// of their own (panel_parts_win.h).
#include "platform/panel_win.h"

#include "base/app_state.h"
#include "base/command_line.h"
#include "base/edition.h"
#include "base/ids.h"
#include "keysets/layout.h"
#include "base/dpi_scale.h"
#include "platform/accessible_win.h"
#include "platform/contrast_win.h"
#include "platform/delivery_win.h"
#include "platform/dialog_keys_win.h"
#include "platform/dpi_win.h"
#include "platform/panel_dpi_win.h"
#include "platform/help_window_win.h"
#include "platform/paint_win.h"
#include "platform/panel_parts_win.h"
#include "platform/resources_win.h"
#include "platform/scoped_win.h"
#include "platform/session_events_win.h"
#include "platform/text_win.h"
#include "platform/window_class_win.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"
#include "shell/window_moves.h"

namespace qpw {

namespace {

constexpr wchar_t kMainClass[] = L"QuillpadPanel";

HWND g_main = nullptr;

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (LRESULT r = 0; SessionMessage(hwnd, msg, wp, lp, r)) return r;
  if (LRESULT answer = 0; PanelAccessMessage(hwnd, msg, wp, lp, &answer)) return answer;
  switch (msg) {
    case WM_MOUSEACTIVATE:
      // WS_EX_NOACTIVATE alone is not enough under Wine; the answer is right on Windows too.
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_ACTIVATEAPP:
      if (wp) ReportWindowBefore(static_cast<uint32_t>(lp));
      break;
    case WM_PAINT:
      PaintBuffered(hwnd, [](HDC dc, const RECT& client, const RECT& update) { PaintPanel(dc, client, update); });
      return 0;
    case WM_DPICHANGED:
      OnPanelDpiChanged(ReadDpiChange(hwnd, wp, lp));
      return 0;
    default:
      break;
  }
  if (HandlePanelInput(hwnd, msg, wp, lp)) return 0;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool RegisterClasses(HINSTANCE instance) {
  return RegisterWindowClass(instance, {kMainClass, MainProc, CS_DBLCLKS, false, true}) &&
         RegisterFrameClass(instance);
}

}  // namespace

HWND MainWindow() { return g_main; }

bool CreateMainWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  qp::AppState& app = qp::App();
  app.PanelWidth = qp::kWidePanelWidth;
  app.PanelHeight = qp::kStartPanelHeight;
  app.KeyAreaHeight = qp::kStartKeyAreaHeight;
  if (!RegisterClasses(instance)) return false;
  g_main = CreateWindowExW(0, kMainClass, W(qp::Text(qp::CurrentEdition().productName)),
                           WS_POPUP | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, app.PanelWidth + qp::kPanelFrame,
                           app.PanelHeight + qp::kPanelFrame, nullptr, nullptr, instance, nullptr);
  if (!g_main) return false;
  SetWindowLongPtrW(g_main, GWL_EXSTYLE, GetWindowLongPtrW(g_main, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
  SetPanelDpi(QueryWindowDpi(g_main));
  if (PanelDpi() != qp::kBaseDpi) {
    SetWindowPos(g_main, nullptr, 0, 0, PanelScale(app.PanelWidth + qp::kPanelFrame),
                 PanelScale(app.PanelHeight + qp::kPanelFrame), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  BuildMenu();
  LoadPanelFonts();
  app.KeySize = qp::kKeySize;
  AddTrayIcon();
  qp::CreatePanelElements();
  CreateTargetWindows(instance);
  CreateTooltip(instance);
  qp::ApplyKeySetSwitch(app, qp::CurrentEdition());
  TrimSystemMenu();
  LoadPanelImages();
  InitSystemContrast();
  qp::LoadKeyPanel();
  RegisterShortcuts();
  qp::PlaceMainWindow();
  if (app.StartNoShow == 1 || app.NoShowSwitch == 1) {
    EnableMenuEntry(qp::kMenuClose, false);
  } else {
    ShowWindow(g_main, SW_SHOWNORMAL);
    EnableMenuEntry(qp::kMenuShow, false);
  }
  if (app.NamedTarget == 0) {
    for (int n : {qp::kTargetFrame, qp::kDropButton, qp::kRefreshButton, qp::kTypeInLabel}) qp::Elements().Show(n, false);
  }
  InvalidatePanel();
  // The moves made while building belong to the start placement, not to the user: dropped, so
  // the panel stays exactly where the placement put it.
  MSG m;
  while (PeekMessageW(&m, g_main, kMoveMessage, kMoveMessage, PM_REMOVE)) {
  }
  qp::Point size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  app.ScreenWidth = size.x;
  app.ScreenHeight = size.y;
  return true;
}

void RunEventLoop() {
  MSG msg;
  for (;;) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) EndProgram();
    if (KeyboardNavigation(msg)) continue;
    if (HelpWindowMessage(msg)) continue;
    // The panel's shortcuts belong to the panel: keys typed in the settings window stay there.
    bool forPanel = g_main && (msg.hwnd == g_main || IsChild(g_main, msg.hwnd));
    if (forPanel && TranslatePanelShortcut(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void EndProgram() {
  RemoveTrayIcon();
  DestroyTooltip();
  if (g_main) DestroyWindow(g_main);
  g_main = nullptr;
  ReleaseMenus();
  ReleasePanelImages();
  ReleasePanelFonts();
  ExitProcess(0);
}

void ShowMain(bool show) {
  if (g_main) ShowWindow(g_main, show ? SW_SHOWNORMAL : SW_HIDE);
}

qp::Rect MainOuterRect() {
  RECT r = {};
  if (g_main) GetWindowRect(g_main, &r);
  return qp::Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

qp::Rect MainClientScreenRect() {
  RECT r = {};
  POINT origin = {0, 0};
  if (g_main) {
    GetClientRect(g_main, &r);
    ClientToScreen(g_main, &origin);
  }
  return qp::Rect{origin.x, origin.y, r.right, r.bottom};
}

void PlaceMainClient(const qp::Rect& client) {
  if (!g_main) return;
  // The panel has no border, so its client area is its window.
  SetWindowPos(g_main, nullptr, client.x, client.y, client.w, client.h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveMain(int x, int y) {
  if (g_main) SetWindowPos(g_main, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetTopmost(bool topmost) {
  if (g_main) {
    SetWindowPos(g_main, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void SetTitle(const qp::Text& title) {
  if (g_main) SetWindowTextW(g_main, W(title));
}

void InvalidateElement(int number) {
  if (!g_main) return;
  auto abs = qp::Elements().AbsoluteRect(number);
  if (!abs) return;
  RECT r = PanelRect(*abs);
  InvalidateRect(g_main, &r, FALSE);
  AnnounceElementChange(number);
}

void InvalidatePanel() {
  if (!g_main) return;
  SyncChildWindows();
  InvalidateRect(g_main, nullptr, FALSE);
  AnnounceTreeChanges();
}

void DrainPendingInput() {
  MSG m;
  while (PeekMessageW(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&m, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
  }
  while (PeekMessageW(&m, nullptr, kTrayMessage, kMoveMessage, PM_REMOVE)) {
  }
  // Paint is let through: it stays pending until painted.
  if (g_main) UpdateWindow(g_main);
}

void CaptureMouse(bool capture) {
  if (!g_main) return;
  if (capture) {
    SetCapture(g_main);
  } else if (GetCapture() == g_main) {
    ReleaseCapture();
  }
}

}  // namespace qpw
