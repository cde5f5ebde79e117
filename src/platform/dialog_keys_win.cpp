// The windows are ordinary windows, not dialogs, so the system's dialog manager does not move
// the focus for them; this does, with the same rules a dialog follows.
#include "platform/dialog_keys_win.h"

#include <commctrl.h>

#include <vector>

#include "access/dialog_keys.h"
#include "settings/settings_window.h"

namespace qpw {

namespace {

enum class Owner { None, Settings, Help };

Owner OwnerOf(HWND root) {
  wchar_t cls[32] = {};
  if (!root || GetClassNameW(root, cls, 32) == 0) return Owner::None;
  if (lstrcmpW(cls, L"QuillpadSettings") == 0) return Owner::Settings;
  if (lstrcmpW(cls, L"QuillpadHelp") == 0) return Owner::Help;
  return Owner::None;
}

bool IsOptionButton(HWND hwnd) {
  if (!hwnd) return false;
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  const LONG_PTR type = GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK;
  return lstrcmpiW(cls, L"Button") == 0 && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

BOOL CALLBACK CollectProc(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

// Every window inside root, parents before their children, siblings in creation order: the
// reading order of the windows' controls.
std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> all;
  EnumChildWindows(root, CollectProc, reinterpret_cast<LPARAM>(&all));
  return all;
}

// The help window's stops are its two panes, whatever window the page is: the browser makes
// its own, which is no tab stop.
bool IsStop(HWND root, HWND hwnd, Owner owner) {
  if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return false;
  if (owner == Owner::Help) return GetParent(hwnd) == root;
  return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_TABSTOP) != 0;
}

// Entering an option group lands on its chosen option, as in a dialog.
HWND CheckedInGroup(HWND stop) {
  if (!IsOptionButton(stop)) return stop;
  HWND parent = GetParent(stop);
  HWND h = stop;
  for (int guard = 0; guard < 64; ++guard) {
    if (IsOptionButton(h) && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED) return h;
    h = GetNextDlgGroupItem(parent, h, FALSE);
    if (!h || h == stop) break;
  }
  return stop;
}

void ShowFocusCues(HWND root) {
  SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void FocusStop(HWND root, HWND stop) {
  if (!stop) return;
  SetFocus(CheckedInGroup(stop));
  ShowFocusCues(root);
}

// The tab stop after (or before) the one holding the focus; `after`, when given, stands for
// the focus.
void MoveFocus(HWND root, Owner owner, bool backwards, HWND after = nullptr) {
  const std::vector<HWND> all = Descendants(root);
  HWND focus = after ? after : GetFocus();
  int current = -1;  // index in `stops` of the stop at or before the focus
  std::vector<HWND> stops;
  for (HWND h : all) {
    if (IsStop(root, h, owner)) stops.push_back(h);
    if (h == focus || (focus && IsChild(h, focus))) current = static_cast<int>(stops.size()) - 1;
  }
  if (stops.empty()) return;
  const int n = static_cast<int>(stops.size());
  int next;
  if (current < 0) {
    next = backwards ? n - 1 : 0;
  } else if (backwards) {
    // On an option of a group whose tab stop comes earlier, Shift+Tab still leaves the group.
    next = (current + n - 1) % n;
  } else {
    next = (current + 1) % n;
  }
  FocusStop(root, stops[static_cast<size_t>(next)]);
}

void MoveInGroup(HWND root, bool backwards) {
  HWND focus = GetFocus();
  if (!focus) return;
  HWND next = GetNextDlgGroupItem(GetParent(focus), focus, backwards ? TRUE : FALSE);
  if (!next || next == focus) return;
  SetFocus(next);
  ShowFocusCues(root);
  // Moving onto an option chooses it, through the same click a pointer would make.
  if ((GetWindowLongPtrW(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
      SendMessageW(next, BM_GETCHECK, 0, 0) != BST_CHECKED) {
    SendMessageW(next, BM_CLICK, 0, 0);
  }
}

void ChangeTab(HWND root, bool backwards) {
  HWND tabs = GetDlgItem(root, qp::kSettingsTabs);
  if (!tabs) return;
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  const int current = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  const int next = qp::NextTabIndex(current, count, backwards);
  if (next < 0 || next == current) return;
  SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
  // The window learns of it as of a click on the tab.
  NMHDR nm = {tabs, static_cast<UINT_PTR>(qp::kSettingsTabs), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(root, WM_NOTIFY, static_cast<WPARAM>(qp::kSettingsTabs), reinterpret_cast<LPARAM>(&nm));
  // The focus goes to the first control of the page now shown.
  MoveFocus(root, Owner::Settings, false, tabs);
}

void PressDone(HWND root) {
  HWND done = GetDlgItem(root, qp::kDoneButton);
  if (done && IsWindowEnabled(done)) SendMessageW(done, BM_CLICK, 0, 0);
}

qp::DialogKey KeyOf(const MSG& msg) {
  qp::DialogKey k;
  k.key = static_cast<int>(msg.wParam);
  k.ctrl = GetKeyState(VK_CONTROL) < 0;
  k.shift = GetKeyState(VK_SHIFT) < 0;
  k.alt = GetKeyState(VK_MENU) < 0;
  k.onOptionButton = IsOptionButton(GetFocus());
  return k;
}

}  // namespace

bool KeyboardNavigation(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  const Owner owner = OwnerOf(root);
  if (owner == Owner::None) return false;
  const qp::DialogKey key = KeyOf(msg);
  const qp::DialogKeyAction action = owner == Owner::Settings ? qp::SettingsKeyAction(key) : qp::HelpKeyAction(key);
  switch (action) {
    case qp::DialogKeyAction::None:
      return false;
    case qp::DialogKeyAction::NextControl:
    case qp::DialogKeyAction::PreviousControl:
      MoveFocus(root, owner, action == qp::DialogKeyAction::PreviousControl);
      return true;
    case qp::DialogKeyAction::NextTab:
    case qp::DialogKeyAction::PreviousTab:
      ChangeTab(root, action == qp::DialogKeyAction::PreviousTab);
      return true;
    case qp::DialogKeyAction::NextInGroup:
    case qp::DialogKeyAction::PreviousInGroup:
      MoveInGroup(root, action == qp::DialogKeyAction::PreviousInGroup);
      return true;
    case qp::DialogKeyAction::Done:
      PressDone(root);
      return true;
    case qp::DialogKeyAction::Close:
      // The close box's own message, so Escape saves exactly as the close box does.
      SendMessageW(root, WM_CLOSE, 0, 0);
      return true;
  }
  return false;
}

}  // namespace qpw
