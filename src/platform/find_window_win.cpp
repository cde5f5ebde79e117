// The Find window: a query box that keeps the focus, the result list and the detail pane
// (platform/find_list_win.cpp), and a pin button. Created the first time it is opened and
// hidden, not destroyed, when it closes, so that the next opening is immediate.
#include "platform/find_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "base/app_state.h"
#include "control/dispatch.h"
#include "find/find.h"
#include "find/find_window.h"
#include "output/format.h"
#include "platform/find_list_win.h"
#include "platform/gdi_win.h"
#include "platform/panel_win.h"
#include "platform/resources_win.h"

namespace qpw {

namespace {

constexpr wchar_t kFindClass[] = L"QuillpadFind";
constexpr int kQueryId = 1;
constexpr int kListId = 2;
constexpr int kDetailId = 3;
constexpr int kPinId = 4;
constexpr UINT_PTR kRefocusTimer = 1;
// After Shift+Enter the typed input must reach the user's window before Find takes the focus back.
constexpr UINT kRefocusDelayMs = 150;
constexpr int kClientWidth = 620;
constexpr int kClientHeight = 440;
constexpr int kMargin = 10;
constexpr int kQueryHeight = 26;
constexpr int kListWidth = 340;
constexpr int kButtonHeight = 26;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

struct FindUi {
  OwnedWindow window;
  HWND query = nullptr;
  HWND list = nullptr;
  HWND detail = nullptr;
  HWND pin = nullptr;
  WNDPROC queryProc = nullptr;
  Font font;
  bool swallowChar = false;  // the WM_CHAR of a key already acted on
};

FindUi g_find;
HWND g_userWindow = nullptr;  // where typed characters go and the focus returns

const wchar_t* W(const qp::Text& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }

bool OwnWindow(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid == GetCurrentProcessId();
}

// A window of another program that can take typed text: not ours, not the taskbar (it has the
// foreground after a click on the tray icon), not the desktop.
bool UserWindow(HWND hwnd) {
  return hwnd && IsWindow(hwnd) && !OwnWindow(hwnd) && hwnd != GetShellWindow() &&
         hwnd != FindWindowW(L"Shell_TrayWnd", nullptr);
}

qp::Text QueryText() {
  const int n = GetWindowTextLengthW(g_find.query);
  std::wstring buf(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  const int got = GetWindowTextW(g_find.query, &buf[0], n + 1);
  return qp::Text(reinterpret_cast<const char16_t*>(buf.c_str()), static_cast<size_t>(got > 0 ? got : 0));
}

// The pane and the pin button follow the selected result.
void ShowSelection() {
  InvalidateRect(g_find.detail, nullptr, FALSE);
  const int32_t cp = Model().Selected();
  // The pane names the selection for screen readers (and the tests).
  qp::Text name;
  if (cp >= 0) {
    name = qp::FormatForOutput(cp, static_cast<int32_t>(qp::OutputMode::CodePoint), u"");
    const qp::Text readable = qp::ReadableCharacterName(cp);
    if (!readable.empty()) name += u" " + readable;
  }
  SetWindowTextW(g_find.detail, W(name));
  const auto& pinned = qp::App().FindPinned;
  const bool isPinned = std::find(pinned.begin(), pinned.end(), cp) != pinned.end();
  // Set only on a change: each new text repaints the button.
  static int shown = -1;
  if (shown != (isPinned ? 1 : 0)) {
    shown = isPinned ? 1 : 0;
    SetWindowTextW(g_find.pin, isPinned ? L"Unpin (Ctrl+D)" : L"Pin (Ctrl+D)");
  }
  EnableWindow(g_find.pin, cp >= 0);
}

void RunQuery(bool newQuery) {
  FindModel& m = Model();
  const int32_t was = m.Selected();
  m.results = qp::FindCharacters(QueryText(), qp::CurrentFindLists(), qp::kFindResultLimit);
  if (newQuery) {
    qp::ShowNewResults(m.view, static_cast<int>(m.results.size()));
  } else {
    qp::ShowRefreshedResults(m.view, m.results, was);
  }
  RefreshFindList(g_find.list);
  ShowSelection();
  // Drawn before the query box's own repaint and anything else queued.
  UpdateWindow(g_find.list);
  UpdateWindow(g_find.detail);
}

qp::Text EntityOf(int32_t cp) {
  qp::CharDetails d;
  return qp::DescribeCharacter(cp, d) ? d.entity : qp::Text();
}

qp::Text WindowTitle(HWND window) {
  wchar_t title[256] = {};
  const int n = window ? GetWindowTextW(window, title, 256) : 0;
  return qp::Text(reinterpret_cast<const char16_t*>(title), static_cast<size_t>(n > 0 ? n : 0));
}

void GiveFocusBack() {
  if (g_userWindow && IsWindow(g_userWindow)) SetForegroundWindow(g_userWindow);
}

void CloseFind() {
  KillTimer(g_find.window.get(), kRefocusTimer);
  ShowWindow(g_find.window.get(), SW_HIDE);
  GiveFocusBack();
}

void TypeSelected(bool stayOpen) {
  const int32_t cp = Model().Selected();
  if (cp < 0) return;
  if (!stayOpen) {
    KillTimer(g_find.window.get(), kRefocusTimer);
    ShowWindow(g_find.window.get(), SW_HIDE);
  }
  qp::DeliverFoundCharacter(reinterpret_cast<uintptr_t>(g_userWindow), WindowTitle(g_userWindow), cp, EntityOf(cp));
  if (stayOpen) {
    RunQuery(false);
    SetTimer(g_find.window.get(), kRefocusTimer, kRefocusDelayMs, nullptr);
  }
}

void Perform(qp::FindAction action) {
  qp::FindListView& view = Model().view;
  const int32_t cp = Model().Selected();
  switch (action) {
    case qp::FindAction::TypeAndClose: return TypeSelected(false);
    case qp::FindAction::TypeAndStay: return TypeSelected(true);
    case qp::FindAction::Close: return CloseFind();
    case qp::FindAction::Copy:
      if (cp >= 0) qp::CopyFoundText(qp::FoundCharacterText(cp, EntityOf(cp)));
      return;
    case qp::FindAction::TogglePin:
      if (cp < 0) return;
      qp::TogglePinnedCharacter(cp);
      return RunQuery(false);
    case qp::FindAction::MoveUp: qp::MoveSelection(view, -1); break;
    case qp::FindAction::MoveDown: qp::MoveSelection(view, 1); break;
    case qp::FindAction::PageUp: qp::MoveSelection(view, -view.visibleRows); break;
    case qp::FindAction::PageDown: qp::MoveSelection(view, view.visibleRows); break;
    case qp::FindAction::None: return;
  }
  RefreshFindList(g_find.list);
  ShowSelection();
}

// The query box keeps the focus: the list's keys and the window's own keys arrive here.
LRESULT CALLBACK QueryProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN: {
      DWORD start = 0, end = 0;
      SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      const qp::FindAction action = qp::FindKeyAction(static_cast<int>(wp), GetKeyState(VK_SHIFT) < 0,
                                                      GetKeyState(VK_CONTROL) < 0, start != end);
      g_find.swallowChar = action != qp::FindAction::None;
      if (g_find.swallowChar) {
        Perform(action);
        return 0;
      }
      break;
    }
    case WM_CHAR:
      // Enter, Escape, Ctrl+C and Ctrl+D would beep or be typed into the box.
      if (g_find.swallowChar) {
        g_find.swallowChar = false;
        return 0;
      }
      break;
    case WM_MOUSEWHEEL:
      ScrollFindList(g_find.list, qp::WheelRows(GET_WHEEL_DELTA_WPARAM(wp)));
      return 0;
    default:
      break;
  }
  return CallWindowProcW(g_find.queryProc, hwnd, msg, wp, lp);
}

void OnCommand(WPARAM wp) {
  const int id = LOWORD(wp);
  const int code = HIWORD(wp);
  if (id == kQueryId && code == EN_CHANGE) {
    RunQuery(true);
  } else if (id == kListId && code == kListSelectionChanged) {
    ShowSelection();
  } else if (id == kListId && code == kListActivated) {
    TypeSelected(false);
  } else if (id == kPinId && code == BN_CLICKED) {
    Perform(qp::FindAction::TogglePin);
    SetFocus(g_find.query);
  }
}

LRESULT CALLBACK FindProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(wp);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && g_find.query) SetFocus(g_find.query);
      return 0;
    case WM_TIMER:
      if (wp == kRefocusTimer) {
        KillTimer(hwnd, kRefocusTimer);
        if (IsWindowVisible(hwnd)) {
          SetForegroundWindow(hwnd);
          SetFocus(g_find.query);
        }
        return 0;
      }
      break;
    case WM_CLOSE:
      CloseFind();
      return 0;
    case WM_DESTROY:
      if (g_find.window.get() == hwnd) g_find.window.Release();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
  HWND hwnd = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, g_find.window.get(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (hwnd) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(g_find.font.get()), FALSE);
  return hwnd;
}

bool CreateFindWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FindProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.hIcon = ProgramIcon(32);
    wc.hIconSm = ProgramIcon(16);
    wc.lpszClassName = kFindClass;
    registered = RegisterClassExW(&wc) != 0 && RegisterFindChildClasses(instance);
    if (!registered) return false;
  }
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  HWND hwnd = CreateWindowExW(0, kFindClass, W(qp::Text(qp::kFindTitle)), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return false;
  g_find.window.Reset(hwnd);
  g_find.font.Reset(CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI"));
  const int width = kClientWidth - 2 * kMargin;
  const int top = kMargin + kQueryHeight + kMargin;
  g_find.query = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                 kMargin, kMargin, width, kQueryHeight, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kQueryId)), instance, nullptr);
  if (!g_find.query) return false;
  SendMessageW(g_find.query, WM_SETFONT, reinterpret_cast<WPARAM>(g_find.font.get()), FALSE);
  SendMessageW(g_find.query, EM_SETCUEBANNER, TRUE,
               reinterpret_cast<LPARAM>(L"Name, keyword, U+code, &entity; or the character"));
  g_find.queryProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(g_find.query, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(QueryProc)));
  const RECT listRect = {kMargin, top, kMargin + kListWidth, kClientHeight - kMargin};
  g_find.list = CreateFindList(hwnd, kListId, listRect);
  const int paneX = listRect.right + kMargin;
  const int buttonY = kClientHeight - kMargin - kButtonHeight;
  const RECT paneRect = {paneX, top, kClientWidth - kMargin, buttonY - kMargin};
  g_find.detail = CreateFindDetail(hwnd, kDetailId, paneRect);
  g_find.pin = Child(L"BUTTON", L"Pin (Ctrl+D)", BS_PUSHBUTTON, paneX, buttonY, 130, kButtonHeight, kPinId);
  return g_find.list && g_find.detail && g_find.pin;
}

// Near the panel when it is shown, else centred on the monitor of the user's window.
void PlaceFindWindow() {
  HWND panel = MainWindow();
  const bool panelShown = panel && IsWindowVisible(panel);
  HWND anchor = panelShown ? panel : g_userWindow;
  MONITORINFO mi = {};
  mi.cbSize = sizeof mi;
  HMONITOR monitor = anchor ? MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST)
                            : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (!GetMonitorInfoW(monitor, &mi)) return;
  RECT own;
  GetWindowRect(g_find.window.get(), &own);
  const qp::Rect panelRect = panelShown ? MainOuterRect() : qp::Rect{};
  const qp::ScreenArea work = {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
  const qp::Point at = qp::FindWindowPosition(panelShown, panelRect,
                                              qp::Point{own.right - own.left, own.bottom - own.top}, work);
  SetWindowPos(g_find.window.get(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void InstallFindWindow() { qp::Hooks().openFind = OpenFindWindow; }

void OpenFindWindow() {
  HWND foreground = GetForegroundWindow();
  if (UserWindow(foreground)) {
    g_userWindow = foreground;
  } else {
    // Opened from the pop-up menu or the tray: the window the user worked in before, as a click
    // would type into.
    HWND remembered = reinterpret_cast<HWND>(qp::App().UserWindow);
    if (UserWindow(remembered)) g_userWindow = remembered;
  }
  if (!g_find.window.get()) {
    qp::LoadCharacterTable();
    if (!CreateFindWindow()) {
      g_find.window.Reset();
      return;
    }
  }
  HWND hwnd = g_find.window.get();
  if (!IsWindowVisible(hwnd)) {
    // Each opening starts from the pinned and recent characters.
    SetWindowTextW(g_find.query, L"");
    RunQuery(true);
    PlaceFindWindow();
  }
  ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  SetFocus(g_find.query);
  FitFindList(g_find.list);
  // The results are drawn now rather than when the queue next runs dry.
  UpdateWindow(hwnd);
  UpdateWindow(g_find.list);
}

}  // namespace qpw
