#include "platform/help_window_win.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "control/dispatch.h"
#include "base/edition.h"
#include "base/platform.h"
#include "keysets/key_face.h"
#include "base/dpi_scale.h"
#include "platform/browser_host_win.h"
#include "platform/panel_win.h"
#include "platform/scoped_win.h"
#include "platform/dpi_win.h"
#include "platform/resources_win.h"
#include "platform/text_win.h"
#include "platform/window_class_win.h"
#include "shell/about_box.h"
#include "shell/help_pages.h"
#include "shell/help_window.h"

namespace qpw {
namespace {

constexpr wchar_t kHelpClass[] = L"QuillpadHelp";
constexpr UINT kBrowserFailed = WM_APP + 20;
constexpr DWORD kHelpStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr COLORREF kPageBack = RGB(0xF7, 0xF7, 0xE8);
constexpr COLORREF kPageText = RGB(0x22, 0x22, 0x22);

struct HelpWindow {
  HWND window = nullptr;
  HWND list = nullptr;
  HWND text = nullptr;  // the plain-text page view, when there is no browser
  std::unique_ptr<BrowserHost> browser;
  Font textFont;
  Font topicFont;  // only when the window's DPI is not the panel's
  Brush pageBrush;
  int dpi = qp::kBaseDpi;
  bool filling = false;  // selection changes made while building are not the user's
};

std::unique_ptr<HelpWindow> g_help;


RECT ToRect(const qp::Rect& r) { return RECT{r.x, r.y, r.x + r.w, r.y + r.h}; }

// The layout for a client area in physical pixels: worked out in 96-DPI pixels, then scaled.
qp::HelpLayout ScaledLayout(int width, int height, int dpi) {
  qp::HelpLayout layout = qp::HelpWindowLayout(qp::UnscaleEdge(width, dpi), qp::UnscaleEdge(height, dpi));
  layout.list = qp::ScaleRect(layout.list, dpi);
  layout.page = qp::ScaleRect(layout.page, dpi);
  return layout;
}

qp::HelpLayout CurrentLayout(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return ScaledLayout(client.right, client.bottom, g_help ? g_help->dpi : qp::kBaseDpi);
}

void SetTextViewFont(HelpWindow& help) {
  help.textFont.Reset(PointFont(L"Arial", 10, FW_NORMAL, help.dpi, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS));
  if (help.textFont) SendMessageW(help.text, WM_SETFONT, reinterpret_cast<WPARAM>(help.textFont.get()), FALSE);
  const int margin = qp::ScaleLength(12, help.dpi);
  SendMessageW(help.text, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

void SetTopicListLook(HelpWindow& help) {
  SendMessageW(help.list, TVM_SETITEMHEIGHT, qp::ScaleLength(qp::kHelpListItemHeight, help.dpi), 0);
  help.topicFont.Reset(help.dpi == PanelDpi() ? nullptr : PointFont(L"Tahoma", 9, FW_BOLD, help.dpi));
  HFONT font = help.topicFont ? help.topicFont.get() : PanelFont(qp::kFontHelpTopics);
  if (font) SendMessageW(help.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// The read-only text view that stands in for the browser.
bool CreateTextView(HelpWindow& help) {
  const qp::Rect r = CurrentLayout(help.window).page;
  help.text = CreateWindowExW(0, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY |
                                  ES_AUTOVSCROLL,
                              r.x, r.y, r.w, r.h, help.window, reinterpret_cast<HMENU>(qp::kHelpPageView),
                              GetModuleHandleW(nullptr), nullptr);
  if (!help.text) return false;
  SetTextViewFont(help);
  return true;
}

void CreatePageView(HelpWindow& help) {
  const qp::Rect r = CurrentLayout(help.window).page;
  help.browser = BrowserHost::Create(help.window, ToRect(r), qp::kHelpPageView, kBrowserFailed);
  if (!help.browser) CreateTextView(help);
}

// The browser gave up after it was made: the text view takes its place with the same topic.
void SwitchToTextView() {
  if (!g_help || !g_help->browser) return;
  g_help->browser.reset();
  if (CreateTextView(*g_help)) ShowHelpTopic();
}

int SelectedTopic() {
  if (!g_help || !g_help->list) return -1;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(g_help->list, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return -1;
  TVITEMW tv = {};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!SendMessageW(g_help->list, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return -1;
  return static_cast<int>(tv.lParam);
}

void ResizeHelpWindow(int width, int height) {
  if (!g_help) return;
  const qp::HelpLayout layout = ScaledLayout(width, height, g_help->dpi);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  const qp::Rect& l = layout.list;
  const qp::Rect& p = layout.page;
  if (g_help->list) SetWindowPos(g_help->list, nullptr, l.x, l.y, l.w, l.h, flags);
  if (g_help->browser) g_help->browser->Move(ToRect(p));
  if (g_help->text) SetWindowPos(g_help->text, nullptr, p.x, p.y, p.w, p.h, flags);
}

// WM_DPICHANGED: fonts, item height and margins for the new DPI, then the suggested rectangle,
// whose WM_SIZE places the list and the page.
void ChangeHelpDpi(HWND hwnd, const DpiChange& change) {
  if (!g_help || g_help->window != hwnd) return;
  g_help->dpi = change.dpi;
  if (g_help->list) SetTopicListLook(*g_help);
  if (g_help->text) SetTextViewFont(*g_help);
  const RECT& r = change.suggested;
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client = {};
  GetClientRect(hwnd, &client);
  ResizeHelpWindow(client.right, client.bottom);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ApplyTopmost() {
  SetWindowPos(g_help->window, qp::HelpWindowTopmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
}

void DispatchHelp(qp::EventKind kind, int element = 0, qp::ElementEventType type = qp::ElementEventType::Change) {
  qp::Dispatch({kind, qp::kHelpWindow, element, type});
}

LRESULT CALLBACK HelpProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (wp != SIZE_MINIMIZED) ResizeHelpWindow(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (hdr->idFrom == static_cast<UINT_PTR>(qp::kHelpTopicList) &&
          (hdr->code == TVN_SELCHANGEDW || hdr->code == TVN_SELCHANGEDA) && g_help && !g_help->filling) {
        DispatchHelp(qp::EventKind::Element, qp::kHelpTopicList, qp::ElementEventType::Change);
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      // The read-only text view, in the pages' colours.
      if (g_help && reinterpret_cast<HWND>(lp) == g_help->text && g_help->pageBrush) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, kPageBack);
        SetTextColor(dc, kPageText);
        return reinterpret_cast<LRESULT>(g_help->pageBrush.get());
      }
      break;
    case WM_SETFOCUS:
      if (g_help && g_help->list) SetFocus(g_help->list);
      return 0;
    case WM_CLOSE:
      DispatchHelp(qp::EventKind::Close);
      return 0;
    case WM_RBUTTONUP:
      DispatchHelp(qp::EventKind::RightClick);  // the bare area, like the panel's
      return 0;
    case kBrowserFailed:
      SwitchToTextView();
      return 0;
    case WM_DPICHANGED:
      ChangeHelpDpi(hwnd, ReadDpiChange(hwnd, wp, lp));
      return 0;
    case WM_DESTROY:
      // The control is closed while its window still exists.
      if (g_help) g_help->browser.reset();
      return 0;
    case WM_NCDESTROY:
      if (g_help && g_help->window == hwnd) g_help.reset();
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool RegisterHelpClass(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return true;
  registered = RegisterWindowClass(instance, {kHelpClass, HelpProc, 0, true, true});
  return registered;
}

bool CreateTopicList(HelpWindow& help, HINSTANCE instance) {
  const qp::Rect r = CurrentLayout(help.window).list;
  help.list = CreateWindowExW(0, WC_TREEVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                  TVS_SHOWSELALWAYS,
                              r.x, r.y, r.w, r.h, help.window, reinterpret_cast<HMENU>(qp::kHelpTopicList), instance,
                              nullptr);
  if (!help.list) return false;
  SendMessageW(help.list, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(qp::kHelpListTextColor));
  SetTopicListLook(help);
  const qp::Edition& edition = qp::CurrentEdition();
  for (int i = 0; i < qp::HelpTopicCount(edition); ++i) {
    const qp::Text topic = qp::HelpTopicText(edition, i);
    TVINSERTSTRUCTW ins = {};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = const_cast<wchar_t*>(W(topic));
    ins.item.lParam = i;
    SendMessageW(help.list, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins));
  }
  return true;
}

}  // namespace

void InstallHelpWindow() {
  qp::WindowHooks& hooks = qp::Hooks();
  hooks.openHelp = OpenHelpWindow;
  hooks.closeHelp = CloseHelpWindow;
  hooks.showHelpTopic = ShowHelpTopic;
  hooks.showAbout = qp::ShowAboutBox;
}

void OpenHelpWindow() {
  if (g_help && IsWindow(g_help->window)) {
    if (IsIconic(g_help->window)) ShowWindow(g_help->window, SW_RESTORE);
    SetActiveWindow(g_help->window);
    ApplyTopmost();
    return;
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterHelpClass(instance)) return;

  // Opened on the panel's monitor, at its DPI; the width rule reads the screen in 96-DPI pixels.
  RECT monitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(MainWindow(), MONITOR_DEFAULTTOPRIMARY), &info)) monitor = info.rcMonitor;
  const int screenW = monitor.right - monitor.left;
  const int screenH = monitor.bottom - monitor.top;
  const int dpi = PanelDpi();
  const int width = qp::ScaleLength(qp::HelpWindowWidth(qp::UnscaleEdge(screenW, dpi)), dpi);
  RECT outer = OuterForClient(width, qp::ScaleLength(qp::kHelpClientHeight, dpi), kHelpStyle, 0, dpi);
  qp::Rect place = qp::CentredOnScreen(outer.right - outer.left, outer.bottom - outer.top, screenW, screenH);
  place.x += monitor.left;
  place.y += monitor.top;

  auto help = std::make_unique<HelpWindow>();
  help->pageBrush.Reset(CreateSolidBrush(kPageBack));
  help->dpi = dpi;
  OwnedWindow window;
  window.Reset(CreateWindowExW(0, kHelpClass, W(qp::kHelpCaption), kHelpStyle,
                               place.x, place.y, place.w, place.h, nullptr, nullptr, instance, nullptr));
  if (!window.get()) return;
  help->window = window.get();
  g_help = std::move(help);
  if (!CreateTopicList(*g_help, instance)) {
    window.Reset();  // its last message drops g_help
    g_help.reset();
    return;
  }
  CreatePageView(*g_help);
  window.Release();

  g_help->filling = true;
  auto first = reinterpret_cast<HTREEITEM>(SendMessageW(g_help->list, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  if (first) SendMessageW(g_help->list, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first));
  g_help->filling = false;
  ShowHelpTopic();

  ApplyTopmost();
  ShowWindow(g_help->window, SW_SHOWNORMAL);
  SetFocus(g_help->list);
}

void ShowHelpTopic() {
  if (!g_help) return;
  const int topic = SelectedTopic();
  const qp::Edition& edition = qp::CurrentEdition();
  if (g_help->browser) {
    const qp::Text document = qp::HelpDocument(edition, topic);
    g_help->browser->ShowDocument(std::wstring(W(document), document.size()));
  } else if (g_help->text) {
    SetWindowTextW(g_help->text, W(qp::HelpPlainText(edition, topic)));
  }
}

void CloseHelpWindow() {
  if (g_help && g_help->window) DestroyWindow(g_help->window);
}

bool HelpWindowMessage(MSG& msg) {
  if (!g_help || !g_help->window || !msg.hwnd) return false;
  if (msg.hwnd != g_help->window && !IsChild(g_help->window, msg.hwnd)) return false;
  const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
  if (key && g_help->browser && g_help->browser->TranslateKey(&msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

}  // namespace qpw
