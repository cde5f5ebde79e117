#include "platform/panel_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/dispatch.h"
#include "app/edition.h"
#include "app/platform.h"
#include "dpi/dpi_scale.h"
#include "keysets/key_face.h"
#include "keysets/layout.h"
#include "platform/dpi_win.h"
#include "platform/gdi_win.h"
#include "platform/help_window_win.h"
#include "platform/paint_win.h"
#include "platform/panel_dpi_win.h"
#include "platform/resources_win.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"
#include "shell/window_moves.h"

namespace qpw {

namespace {

constexpr wchar_t kMainClass[] = L"QuillpadPanel";
constexpr wchar_t kFrameClass[] = L"QuillpadTargetFrame";
constexpr UINT kTrayMessage = WM_APP + 1;
// Moves are queued like every other event and handled by the loop, so that a relayout's drain
// drops the moves it caused and start-up's moves wait until the screen size is known.
constexpr UINT kMoveMessage = WM_APP + 2;
constexpr UINT kTrayIconId = 1;

// The records whose layout differs between the 32-bit and the 64-bit build.
#ifdef _WIN64
static_assert(sizeof(NOTIFYICONDATAW) == 976, "NOTIFYICONDATAW, 64-bit");
#else
static_assert(sizeof(NOTIFYICONDATAW) == 956, "NOTIFYICONDATAW, 32-bit");
#endif

HWND g_main = nullptr;
HWND g_frame = nullptr;
HWND g_combo = nullptr;
HWND g_tooltip = nullptr;
HMENU g_menu = nullptr;
HACCEL g_accel = nullptr;
bool g_trayAdded = false;
bool g_trackingLeave = false;
qp::PointerTracker g_tracker;
std::wstring g_tipText;
qp::Point g_pressPoint;

const wchar_t* W(const qp::Text& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }

void DispatchElementEvents(const std::vector<qp::ElementEvent>& events) {
  for (const qp::ElementEvent& ev : events) {
    qp::Event e;
    e.kind = qp::EventKind::Element;
    e.window = qp::kMainWindow;
    e.element = ev.element;
    e.type = ev.type;
    qp::Dispatch(e);
  }
}

void DispatchSimple(qp::EventKind kind, int window, int item = 0, int trayType = 0) {
  qp::Event e;
  e.kind = kind;
  e.window = window;
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
  ti.hwnd = g_main;
  ti.uId = 1;
  ti.lpszText = const_cast<wchar_t*>(g_tipText.c_str());
  SendMessageW(g_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(g_tooltip, TTM_ACTIVATE, g_tipText.empty() ? FALSE : TRUE, 0);
}

void OnMouseMove(int x, int y) {
  if (!g_trackingLeave) {
    TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, g_main, 0};
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

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  MemorySurface surface(dc, client.right, client.bottom);
  if (surface.ok()) {
    PaintPanel(surface.dc(), client, ps.rcPaint);
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, surface.dc(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      // WS_EX_NOACTIVATE alone is not enough under Wine; the answer is right on Windows too.
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(PanelLogicalPoint(lp).x, PanelLogicalPoint(lp).y);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The press point stays in physical pixels: dragging works on the screen's pixels.
      g_pressPoint = qp::Point{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      SetCapture(hwnd);
      DispatchElementEvents(g_tracker.LeftDown(qp::Elements(), PanelLogicalPoint(lp).x, PanelLogicalPoint(lp).y));
      return 0;
    case WM_LBUTTONUP: {
      auto events = g_tracker.LeftUp(qp::Elements(), PanelLogicalPoint(lp).x, PanelLogicalPoint(lp).y);
      if (GetCapture() == hwnd) ReleaseCapture();
      DispatchElementEvents(events);
      return 0;
    }
    case WM_RBUTTONUP:
      OnRightUp(PanelLogicalPoint(lp).x, PanelLogicalPoint(lp).y);
      return 0;
    case WM_MOUSELEAVE: {
      g_trackingLeave = false;
      int before = g_tracker.hovered();
      DispatchElementEvents(g_tracker.Leave(qp::Elements()));
      UpdateTooltip(before);
      return 0;
    }
    case WM_COMMAND:
      if (lp == 0) {
        DispatchSimple(qp::EventKind::Menu, qp::kMainWindow, LOWORD(wp));
        return 0;
      }
      break;
    case WM_CLOSE:
      DispatchSimple(qp::EventKind::Close, qp::kMainWindow);
      return 0;
    case WM_MOVE:
      PostMessageW(hwnd, kMoveMessage, 0, 0);
      return 0;
    case kMoveMessage:
      DispatchSimple(qp::EventKind::Move, qp::kMainWindow);
      return 0;
    case kTrayMessage:
      OnTray(lp);
      return 0;
    case WM_DPICHANGED:
      OnPanelDpiChanged(ReadDpiChange(hwnd, wp, lp));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// DrawTargetItem: the target box's items in the panel's colours.
void DrawTargetItem(const DRAWITEMSTRUCT* di) {
  if (di->CtlType != ODT_COMBOBOX) return;
  qp::AppState& app = qp::App();
  Brush brush(CreateSolidBrush(app.Dark == 1 ? RGB(0x33, 0x33, 0x33) : RGB(0xE8, 0xE8, 0xE8)));
  FillRect(di->hDC, &di->rcItem, brush.get());
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
  SetTextColor(di->hDC, static_cast<COLORREF>(static_cast<uint32_t>(app.PanelTextColor)));
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

bool RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = MainProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hIcon = ProgramIcon(32);
  wc.hIconSm = ProgramIcon(16);
  wc.lpszClassName = kMainClass;
  if (!RegisterClassExW(&wc)) return false;
  WNDCLASSEXW fc = {};
  fc.cbSize = sizeof fc;
  fc.lpfnWndProc = FrameProc;
  fc.hInstance = instance;
  fc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  fc.lpszClassName = kFrameClass;
  return RegisterClassExW(&fc) != 0;
}

void BuildMenu() {
  const qp::Edition& ed = qp::CurrentEdition();
  g_menu = CreatePopupMenu();
  AppendMenuW(g_menu, MF_STRING, qp::kMenuClose, L"Close");
  AppendMenuW(g_menu, MF_STRING, qp::kMenuShow, L"Show");
  AppendMenuW(g_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(g_menu, MF_STRING, qp::kMenuSelectKeySet, L"Select Key Set");
  if (ed.hasSettingsWindow) {
    AppendMenuW(g_menu, MF_STRING, qp::kMenuOutputMode, L"Output mode");
    AppendMenuW(g_menu, MF_STRING, qp::kMenuGeneral, L"General Settings");
    AppendMenuW(g_menu, MF_SEPARATOR, 0, nullptr);
  } else {
    AppendMenuW(g_menu, MF_STRING, qp::kMenuDarkMode, L"Dark mode panel");
  }
  AppendMenuW(g_menu, MF_STRING, qp::kMenuHelp, L"Help");
  AppendMenuW(g_menu, MF_STRING, qp::kMenuAbout, L"About");
  AppendMenuW(g_menu, MF_STRING, qp::kMenuWebsite, L"Visit website");
  AppendMenuW(g_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(g_menu, MF_STRING, qp::kMenuQuit, W(ed.quitItem));
}

void AddTrayIcon() {
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof nid;
  nid.hWnd = g_main;
  nid.uID = kTrayIconId;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kTrayMessage;
  nid.hIcon = ProgramIcon(SmallIconSize(PanelDpi()));
  lstrcpynW(nid.szTip, W(qp::Text(qp::CurrentEdition().trayPrefix)), 64);
  g_trayAdded = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
}

void RemoveTrayIcon() {
  if (!g_trayAdded) return;
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof nid;
  nid.hWnd = g_main;
  nid.uID = kTrayIconId;
  Shell_NotifyIconW(NIM_DELETE, &nid);
  g_trayAdded = false;
}

void CreateTargetWindows(HINSTANCE instance) {
  auto logicalFrame = qp::Elements().AbsoluteRect(qp::kTargetFrame);
  if (!logicalFrame) return;
  const qp::Rect frame = qp::ScaleRect(*logicalFrame, PanelDpi());
  g_frame = CreateWindowExW(WS_EX_NOACTIVATE, kFrameClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, frame.x,
                            frame.y, frame.w, frame.h, g_main, reinterpret_cast<HMENU>(qp::kTargetFrame),
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

void CreateTooltip(HINSTANCE instance) {
  g_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, g_main, nullptr, instance,
                              nullptr);
  if (!g_tooltip) return;
  TOOLINFOW ti = {};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_SUBCLASS;
  ti.hwnd = g_main;
  ti.uId = 1;
  ti.rect = {0, 0, 4000, 4000};
  ti.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(g_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(g_tooltip, TTM_SETMAXTIPWIDTH, 0, PanelScale(400));
  SetTooltipFontForDpi(g_tooltip);
  SendMessageW(g_tooltip, TTM_ACTIVATE, FALSE, 0);
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

void TrimSystemMenu() {
  HMENU sys = GetSystemMenu(g_main, FALSE);
  if (!sys) return;
  int count = GetMenuItemCount(sys);
  if (count < 5) return;
  RemoveMenu(sys, static_cast<UINT>(count - 3), MF_BYPOSITION);
  RemoveMenu(sys, static_cast<UINT>(count - 5), MF_BYPOSITION);
}

void RegisterShortcuts() {
  ACCEL keys[] = {{FVIRTKEY, VK_ESCAPE, qp::kMenuClose},
                  {FVIRTKEY | FSHIFT, VK_ESCAPE, qp::kMenuQuit},
                  {FVIRTKEY, VK_RIGHT, qp::kMenuToggleMore},
                  {FVIRTKEY | FCONTROL, VK_UP, qp::kMenuSettings}};
  g_accel = CreateAcceleratorTableW(keys, 4);
}

}  // namespace

HWND MainWindow() { return g_main; }
HWND TargetBoxWindow() { return g_combo; }
HWND PanelTooltipWindow() { return g_tooltip; }

void RefreshTrayIcon() {
  if (!g_trayAdded) return;
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof nid;
  nid.hWnd = g_main;
  nid.uID = kTrayIconId;
  nid.uFlags = NIF_ICON;
  nid.hIcon = ProgramIcon(SmallIconSize(PanelDpi()));
  Shell_NotifyIconW(NIM_MODIFY, &nid);
}

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
  qp::LoadKeyPanel();
  RegisterShortcuts();
  qp::PlaceMainWindow();
  if (app.StartNoShow == 1 || app.NoShowSwitch == 1) {
    EnableMenuItem(g_menu, qp::kMenuClose, MF_BYCOMMAND | MF_GRAYED);
  } else {
    ShowWindow(g_main, SW_SHOWNORMAL);
    EnableMenuItem(g_menu, qp::kMenuShow, MF_BYCOMMAND | MF_GRAYED);
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
    if (HelpWindowMessage(msg)) continue;
    // The panel's shortcuts belong to the panel: keys typed in the settings window stay there.
    bool forPanel = g_main && (msg.hwnd == g_main || IsChild(g_main, msg.hwnd));
    if (forPanel && g_accel && TranslateAcceleratorW(g_main, g_accel, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void EndProgram() {
  RemoveTrayIcon();
  if (g_tooltip) DestroyWindow(g_tooltip);
  if (g_main) DestroyWindow(g_main);
  g_main = nullptr;
  if (g_menu) DestroyMenu(g_menu);
  if (g_accel) DestroyAcceleratorTable(g_accel);
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

void SetTrayTip(const qp::Text& tip) {
  if (!g_trayAdded) return;
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof nid;
  nid.hWnd = g_main;
  nid.uID = kTrayIconId;
  nid.uFlags = NIF_TIP;
  // The tray shows at most 63 characters of the tip.
  lstrcpynW(nid.szTip, W(tip), 64);
  Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void EnableMenuEntry(int item, bool enabled) {
  if (g_menu) EnableMenuItem(g_menu, static_cast<UINT>(item), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void CheckMenuEntry(int item, bool checked) {
  if (g_menu) CheckMenuItem(g_menu, static_cast<UINT>(item), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void ShowPopupMenu() {
  if (!g_main || !g_menu) return;
  SetForegroundWindow(g_main);
  POINT p;
  GetCursorPos(&p);
  TrackPopupMenu(g_menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, g_main, nullptr);
  PostMessageW(g_main, WM_NULL, 0, 0);
}

void InvalidateElement(int number) {
  if (!g_main) return;
  auto abs = qp::Elements().AbsoluteRect(number);
  if (!abs) return;
  RECT r = PanelRect(*abs);
  InvalidateRect(g_main, &r, FALSE);
}

void InvalidatePanel() {
  if (!g_main) return;
  SyncChildWindows();
  InvalidateRect(g_main, nullptr, FALSE);
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

qp::Point LastPressPoint() { return g_pressPoint; }

void CaptureMouse(bool capture) {
  if (!g_main) return;
  if (capture) {
    SetCapture(g_main);
  } else if (GetCapture() == g_main) {
    ReleaseCapture();
  }
}

}  // namespace qpw
