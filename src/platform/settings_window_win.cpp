// The settings window: a tool window with a tab control whose pages are child windows. It
// builds what the core's plan says and turns control notifications into the program's events.
#include "platform/settings_window_win.h"

#include <windows.h>

#include <commctrl.h>

#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "control/dispatch.h"
#include "base/platform.h"
#include "platform/scoped_win.h"
#include "platform/find_window_win.h"
#include "base/dpi_scale.h"
#include "platform/dpi_win.h"
#include "platform/panel_win.h"
#include "platform/text_win.h"
#include "platform/window_class_win.h"
#include "settings/settings_window.h"

namespace qpw {

namespace {

constexpr wchar_t kWindowClass[] = L"QuillpadSettings";
constexpr wchar_t kPageClass[] = L"QuillpadSettingsPage";
constexpr int kMaxPages = 4;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_TOOLWINDOW;


void DispatchSettingsEvent(qp::EventKind kind, int element = 0,
                           qp::ElementEventType type = qp::ElementEventType::LeftClick) {
  qp::Dispatch({kind, qp::kSettingsWindow, element, type});
}

// Shared by the window and its pages: a clicked box, option or button, and a right-click on
// bare area.
bool HandleCommonMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (FindHotkeyControlCommand(wp, lp)) return true;
      // Only control notifications; menu-like commands without a control are not ours.
      if (lp != 0 && HIWORD(wp) == BN_CLICKED) {
        DispatchSettingsEvent(qp::EventKind::Element, LOWORD(wp), qp::ElementEventType::LeftClick);
        return true;
      }
      return false;
    case WM_RBUTTONUP:
      DispatchSettingsEvent(qp::EventKind::RightClick);
      return true;
    default:
      return false;
  }
}

class WinSettingsUi;
WinSettingsUi* g_ui = nullptr;

class WinSettingsUi : public qp::SettingsWindowUi {
 public:
  bool Create(const qp::SettingsWindowPlan& plan) override {
    Destroy();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterClasses(instance)) return false;
    // The window opens beside the panel, on its monitor: at the panel's DPI.
    dpi_ = PanelDpi();
    font_ = GuiFontForDpi(dpi_);
    RECT frame = OuterForClient(S(qp::kSettingsClientWidth), S(qp::kSettingsClientHeight), kWindowStyle,
                                kWindowExStyle, dpi_);
    HWND hwnd = CreateWindowExW(kWindowExStyle, kWindowClass, W(qp::kSettingsTitle), kWindowStyle, plan.position.x,
                                plan.position.y, frame.right - frame.left, frame.bottom - frame.top, MainWindow(),
                                nullptr, instance, nullptr);
    if (!hwnd) return false;
    window_.Reset(hwnd);
    const qp::Rect tr = qp::ScaleRect(qp::SettingsTabRect(), dpi_);
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, tr.x, tr.y,
                            tr.w, tr.h, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(qp::kSettingsTabs)),
                            instance, nullptr);
    if (!tabs_) {
      Destroy();
      return false;
    }
    SetFont(tabs_);
    for (int page = 0; page < qp::kPlainTabCount; ++page) AddPage(page);
    for (const qp::SettingsControl& c : qp::SettingsPageControls(-1)) CreateControl(hwnd, c);
    for (int id : plan.checked) SetChecked(id);
    SetChecked(plan.keySetOption);
    SetChecked(plan.outputOption);
    ShowSelectedPage();
    SetWindowPos(hwnd, plan.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    return true;
  }

  void Destroy() override {
    // The pages and controls go with the window.
    window_.Reset();
    tabs_ = nullptr;
    for (HWND& page : pages_) page = nullptr;
    controls_.clear();
    placed_.clear();
  }

  // WM_DPICHANGED: the suggested rectangle, every control placed and lettered for the new DPI.
  void ChangeDpi(HWND hwnd, const DpiChange& change) {
    if (window_.get() != hwnd) return;
    dpi_ = change.dpi;
    // The old font lives until every control has the new one.
    Font old = std::move(font_);
    font_ = GuiFontForDpi(dpi_);
    const RECT& r = change.suggested;
    RECT frame = OuterForClient(S(qp::kSettingsClientWidth), S(qp::kSettingsClientHeight), kWindowStyle,
                                kWindowExStyle, dpi_);
    SetWindowPos(hwnd, nullptr, r.left, r.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame may not have followed the DPI (a message sent by hand): the client size counts.
    RECT client = {};
    GetClientRect(hwnd, &client);
    const int dw = S(qp::kSettingsClientWidth) - client.right;
    const int dh = S(qp::kSettingsClientHeight) - client.bottom;
    if (dw != 0 || dh != 0) {
      SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left + dw, frame.bottom - frame.top + dh,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (tabs_) {
      const qp::Rect tr = qp::ScaleRect(qp::SettingsTabRect(), dpi_);
      SetWindowPos(tabs_, nullptr, tr.x, tr.y, tr.w, tr.h, SWP_NOZORDER | SWP_NOACTIVATE);
      SetFont(tabs_);
      const RECT area = PageArea();
      for (HWND page : pages_) {
        if (page) {
          SetWindowPos(page, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        }
      }
    }
    for (const auto& [control, rect] : placed_) {
      if (!IsWindow(control)) continue;  // its page was removed
      const qp::Rect s = qp::ScaleRect(rect, dpi_);
      SetWindowPos(control, nullptr, s.x, s.y, s.w, s.h, SWP_NOZORDER | SWP_NOACTIVATE);
      SetFont(control);
    }
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }

  bool IsChecked(int id) override {
    auto it = controls_.find(id);
    return it != controls_.end() && SendMessageW(it->second, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  int SelectedTab() override { return tabs_ ? static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)) : -1; }

  int TabCount() override { return tabs_ ? static_cast<int>(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0)) : 0; }

  void AddRuneFilterPage(const qp::RuneFilterPlan& plan) override {
    if (!tabs_ || TabCount() != qp::kRuneFilterTab) return;
    AddPage(qp::kRuneFilterTab);
    for (int id : plan.checked) SetChecked(id);
    SetChecked(plan.orderOption);
    ShowSelectedPage();
  }

  void RemoveTab(int index) override {
    if (!tabs_ || index < 0 || index >= kMaxPages) return;
    SendMessageW(tabs_, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    for (auto it = controls_.begin(); it != controls_.end();) {
      it = GetParent(it->second) == pages_[index] ? controls_.erase(it) : std::next(it);
    }
    if (pages_[index]) DestroyWindow(pages_[index]);
    pages_[index] = nullptr;
    ShowSelectedPage();
  }

  void SelectTab(int index) override {
    if (!tabs_) return;
    // Selecting in code sends no change notification; the page is shown here.
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowSelectedPage();
  }

  // TCN_SELCHANGE: the user picked another tab.
  void ShowSelectedPage() {
    const int selected = SelectedTab();
    for (int i = 0; i < kMaxPages; ++i) {
      if (pages_[i]) ShowWindow(pages_[i], i == selected ? SW_SHOW : SW_HIDE);
    }
  }

  // The window is being destroyed by someone else (its owner at the end of the program).
  void Forget(HWND hwnd) {
    if (window_.get() != hwnd) return;
    window_.Release();
    tabs_ = nullptr;
    for (HWND& page : pages_) page = nullptr;
    controls_.clear();
    placed_.clear();
  }

 private:
  static bool RegisterClasses(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return true;
    if (!RegisterWindowClass(instance, {kWindowClass, WindowProc, 0, true, false})) return false;
    if (!RegisterWindowClass(instance, {kPageClass, PageProc, 0, true, false})) {
      UnregisterClassW(kWindowClass, instance);
      return false;
    }
    registered = true;
    return true;
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (HandleCommonMessage(msg, wp, lp)) return 0;
    switch (msg) {
      case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (!hdr || hdr->idFrom != static_cast<UINT_PTR>(qp::kSettingsTabs)) break;
        if (hdr->code == TCN_SELCHANGE) {
          if (g_ui) g_ui->ShowSelectedPage();
          DispatchSettingsEvent(qp::EventKind::Element, qp::kSettingsTabs, qp::ElementEventType::Change);
          return 0;
        }
        if (hdr->code == static_cast<UINT>(NM_RCLICK)) {
          // The tab strip's own bare area counts as the window's.
          DispatchSettingsEvent(qp::EventKind::RightClick);
          return 0;
        }
        break;
      }
      case WM_CLOSE:
        DispatchSettingsEvent(qp::EventKind::Close);
        return 0;
      case WM_DPICHANGED:
        if (g_ui) g_ui->ChangeDpi(hwnd, ReadDpiChange(hwnd, wp, lp));
        return 0;
      case WM_DESTROY:
        if (g_ui) g_ui->Forget(hwnd);
        return 0;
      default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }

  static LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (HandleCommonMessage(msg, wp, lp)) return 0;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }

  // The stock GUI font at the system's DPI, a font of the window's own at any other.
  void SetFont(HWND hwnd) {
    HGDIOBJ font = font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }

  int S(int logical) const { return qp::ScaleLength(logical, dpi_); }

  // The tab control's display area, where the pages go.
  RECT PageArea() const {
    RECT area;
    GetClientRect(tabs_, &area);
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
  }

  void AddPage(int page) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(W(qp::SettingsTabCaption(page)));
    if (SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item)) < 0) return;
    const RECT area = PageArea();
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS, area.left, area.top,
                                area.right - area.left, area.bottom - area.top, tabs_, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    pages_[page] = hwnd;
    if (!hwnd) return;
    for (const qp::SettingsControl& c : qp::SettingsPageControls(page)) CreateControl(hwnd, c);
    if (page == qp::kGeneralTab) {
      for (const auto& [control, rect] : AddFindHotkeyControl(hwnd)) Place(control, rect);
    }
  }

  void CreateControl(HWND parent, const qp::SettingsControl& c) {
    const wchar_t* cls = L"BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (c.kind) {
      case qp::ControlKind::CheckBox:
        style |= BS_AUTOCHECKBOX | WS_TABSTOP;
        break;
      case qp::ControlKind::OptionButton:
        style |= BS_AUTORADIOBUTTON;
        break;
      case qp::ControlKind::PushButton:
        style |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
      case qp::ControlKind::Label:
        cls = L"STATIC";
        style |= SS_LEFT;
        break;
    }
    if (c.groupStart) style |= WS_GROUP | (c.kind == qp::ControlKind::OptionButton ? WS_TABSTOP : 0);
    const qp::Rect r = qp::ScaleRect(c.rect, dpi_);
    HWND hwnd = CreateWindowExW(0, cls, W(c.text), style, r.x, r.y, r.w, r.h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr),
                                nullptr);
    if (!hwnd) return;
    SetFont(hwnd);
    placed_.emplace_back(hwnd, c.rect);
    if (c.id != 0) controls_[c.id] = hwnd;
  }

  // A control made elsewhere for one of the pages: placed, lettered and kept like the page's own.
  void Place(HWND control, const qp::Rect& rect) {
    const qp::Rect s = qp::ScaleRect(rect, dpi_);
    SetWindowPos(control, nullptr, s.x, s.y, s.w, s.h, SWP_NOZORDER | SWP_NOACTIVATE);
    SetFont(control);
    placed_.emplace_back(control, rect);
  }

  void SetChecked(int id) {
    auto it = controls_.find(id);
    if (it != controls_.end()) SendMessageW(it->second, BM_SETCHECK, BST_CHECKED, 0);
  }

  OwnedWindow window_;
  HWND tabs_ = nullptr;
  HWND pages_[kMaxPages] = {};
  std::map<int, HWND> controls_;
  // Every control with its 96-DPI rectangle, to place again when the DPI changes.
  std::vector<std::pair<HWND, qp::Rect>> placed_;
  int dpi_ = qp::kBaseDpi;
  Font font_;
};

}  // namespace

void InstallSettingsWindow() {
  static WinSettingsUi ui;
  g_ui = &ui;
  qp::SetSettingsWindowUi(&ui);
  qp::WindowHooks& hooks = qp::Hooks();
  hooks.openSettings = qp::OpenSettingsWindow;
  hooks.closeSettings = qp::CloseSettingsWindow;
  hooks.settingsOpen = qp::SettingsWindowOpen;
  hooks.settingsControl = qp::SettingsControlEvent;
}

}  // namespace qpw
