// The Find window's global hotkey: registered on the main window (its WM_HOTKEY becomes the
// menu item's event), named in the pop-up menu, and chosen on the settings window's General
// tab with the system's hotkey control.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "base/app_state.h"
#include "control/dispatch.h"
#include "find/find_window.h"
#include "platform/delivery_win.h"
#include "platform/find_window_win.h"
#include "platform/panel_win.h"

namespace qpw {

namespace {

constexpr int kHotkeyId = 1;
constexpr int kHotkeyControlId = 1080;
// Below the General page's last box, which ends at 280.
constexpr int kControlX = 20;
constexpr int kLabelY = 300;
constexpr int kControlY = 320;

bool g_registered = false;
HWND g_label = nullptr;  // on the settings window's General page, while it exists
std::vector<uint32_t> g_reported;

uint32_t CurrentHotkey() { return static_cast<uint32_t>(qp::App().FindHotkey); }

}  // namespace

void RegisterFindHotkey() {
  UnregisterFindHotkey();
  const uint32_t packed = CurrentHotkey();
  if (packed != 0 && qp::HotkeyAllowed(packed) && MainWindow()) {
    g_registered = RegisterHotKey(MainWindow(), kHotkeyId, qp::HotkeyModifiers(packed), qp::HotkeyKey(packed)) != 0;
    if (!g_registered && qp::ShouldReportHotkeyFailure(g_reported, packed)) {
      ShowTrayBalloon(qp::Text(qp::kFindTitle), qp::HotkeyTakenText(packed));
    }
  }
  SetMenuEntryText(qp::kMenuFind, qp::FindMenuItemText(packed, g_registered));
}

void UnregisterFindHotkey() {
  if (g_registered && MainWindow()) UnregisterHotKey(MainWindow(), kHotkeyId);
  g_registered = false;
}

std::vector<std::pair<HWND, qp::Rect>> AddFindHotkeyControl(HWND page) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  std::vector<std::pair<HWND, qp::Rect>> made;
  const qp::Text text = qp::HotkeyLabelText(CurrentHotkey());
  const qp::Rect labelRect{kControlX, kLabelY, 270, 18};
  g_label = CreateWindowExW(0, L"STATIC", reinterpret_cast<const wchar_t*>(text.c_str()),
                            WS_CHILD | WS_VISIBLE | SS_LEFT, labelRect.x, labelRect.y, labelRect.w, labelRect.h, page,
                            nullptr, instance, nullptr);
  if (g_label) made.emplace_back(g_label, labelRect);
  const qp::Rect controlRect{kControlX, kControlY, 160, 22};
  HWND control = CreateWindowExW(0, HOTKEY_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, controlRect.x,
                                 controlRect.y, controlRect.w, controlRect.h, page,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHotkeyControlId)), instance, nullptr);
  if (!control) return made;
  made.emplace_back(control, controlRect);
  // No bare keys, no Shift alone, no Ctrl+Alt (AltGr): the control turns them into Ctrl+Shift.
  SendMessageW(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S | HKCOMB_CA | HKCOMB_SCA,
               MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_SHIFT, 0));
  SendMessageW(control, HKM_SETHOTKEY, qp::HotkeyToControl(CurrentHotkey()), 0);
  return made;
}

bool FindHotkeyControlCommand(WPARAM wp, LPARAM lp) {
  if (lp == 0 || LOWORD(wp) != kHotkeyControlId) return false;
  if (HIWORD(wp) != EN_CHANGE) return true;
  const auto value = static_cast<uint32_t>(SendMessageW(reinterpret_cast<HWND>(lp), HKM_GETHOTKEY, 0, 0));
  const uint32_t packed = qp::HotkeyFromControl(value);
  // Half-typed combinations (a modifier without its key yet) change nothing.
  if (packed == 0 || !qp::HotkeyAllowed(packed) || packed == CurrentHotkey()) return true;
  qp::App().FindHotkey = static_cast<decltype(qp::App().FindHotkey)>(packed);
  RegisterFindHotkey();
  if (g_label && IsWindow(g_label)) {
    SetWindowTextW(g_label, reinterpret_cast<const wchar_t*>(qp::HotkeyLabelText(packed).c_str()));
  }
  return true;
}

}  // namespace qpw
