#include "platform/help_window_win.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "control/dispatch.h"
#include "base/edition.h"
#include "base/platform.h"
#include "keysets/key_face.h"
#include "platform/browser_host_win.h"
#include "platform/scoped_win.h"
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
  Brush pageBrush;
  bool filling = false;  // selection changes made while building are not the user's
};

std::unique_ptr<HelpWindow> g_help;


RECT ToRect(const qp::Rect& r) { return RECT{r.x, r.y, r.x + r.w, r.y + r.h}; }

qp::HelpLayout CurrentLayout(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return qp::HelpWindowLayout(client.right, client.bottom);
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
  if (!help.textFont) {
    WindowDC dc(help.window);
    const int height = -MulDiv(10, GetDeviceCaps(dc.dc(), LOGPIXELSY), 72);
    help.textFont.Reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, L"Arial"));
  }
  if (help.textFont) SendMessageW(help.text, WM_SETFONT, reinterpret_cast<WPARAM>(help.textFont.get()), FALSE);
  SendMessageW(help.text, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(12, 12));
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
  const qp::HelpLayout layout = qp::HelpWindowLayout(width, height);
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (g_help->list) SetWindowPos(g_help->list, nullptr, 0, 0, layout.list.w, layout.list.h, flags);
  if (g_help->browser) g_help->browser->Move(ToRect(layout.page));
  if (g_help->text) SetWindowPos(g_help->text, nullptr, 0, 0, layout.page.w, layout.page.h, flags);
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
  SendMessageW(help.list, TVM_SETITEMHEIGHT, qp::kHelpListItemHeight, 0);
  SendMessageW(help.list, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(qp::kHelpListTextColor));
  if (HFONT font = PanelFont(qp::kFontHelpTopics)) {
    SendMessageW(help.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
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

  const int screenW = GetSystemMetrics(SM_CXSCREEN);
  const int screenH = GetSystemMetrics(SM_CYSCREEN);
  RECT outer = {0, 0, qp::HelpWindowWidth(screenW), qp::kHelpClientHeight};
  AdjustWindowRectEx(&outer, kHelpStyle, FALSE, 0);
  const qp::Rect place = qp::CentredOnScreen(outer.right - outer.left, outer.bottom - outer.top, screenW, screenH);

  auto help = std::make_unique<HelpWindow>();
  help->pageBrush.Reset(CreateSolidBrush(kPageBack));
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
