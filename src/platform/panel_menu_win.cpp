// The panel's pop-up menu, its keyboard shortcuts and its trimmed system menu.
#include <windows.h>

#include "base/edition.h"
#include "base/ids.h"
#include "find/find_window.h"
#include "platform/panel_parts_win.h"
#include "platform/panel_win.h"
#include "platform/scoped_win.h"
#include "platform/text_win.h"

namespace qpw {

namespace {

Menu g_menu;
AcceleratorTable g_accel;

}  // namespace

void BuildMenu() {
  const qp::Edition& ed = qp::CurrentEdition();
  g_menu.Reset(CreatePopupMenu());
  HMENU menu = g_menu.get();
  AppendMenuW(menu, MF_STRING, qp::kMenuClose, L"Close");
  AppendMenuW(menu, MF_STRING, qp::kMenuShow, L"Show");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, qp::kMenuSelectKeySet, L"Select Key Set");
  if (ed.hasSettingsWindow) {
    AppendMenuW(menu, MF_STRING, qp::kMenuOutputMode, L"Output mode");
    AppendMenuW(menu, MF_STRING, qp::kMenuGeneral, L"General Settings");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  } else {
    AppendMenuW(menu, MF_STRING, qp::kMenuDarkMode, L"Dark mode panel");
  }
  AppendMenuW(menu, MF_STRING, qp::kMenuHelp, L"Help");
  AppendMenuW(menu, MF_STRING, qp::kMenuAbout, L"About");
  AppendMenuW(menu, MF_STRING, qp::kMenuWebsite, L"Visit website");
  AppendMenuW(menu, MF_STRING, qp::kMenuFind, W(qp::kFindMenuText));
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, qp::kMenuQuit, W(ed.quitItem));
}

void RegisterShortcuts() {
  ACCEL keys[] = {{FVIRTKEY, VK_ESCAPE, qp::kMenuClose},
                  {FVIRTKEY | FSHIFT, VK_ESCAPE, qp::kMenuQuit},
                  {FVIRTKEY, VK_RIGHT, qp::kMenuToggleMore},
                  {FVIRTKEY | FCONTROL, VK_UP, qp::kMenuSettings}};
  g_accel.Reset(CreateAcceleratorTableW(keys, 4));
}

void TrimSystemMenu() {
  HMENU sys = GetSystemMenu(MainWindow(), FALSE);
  if (!sys) return;
  int count = GetMenuItemCount(sys);
  if (count < 5) return;
  RemoveMenu(sys, static_cast<UINT>(count - 3), MF_BYPOSITION);
  RemoveMenu(sys, static_cast<UINT>(count - 5), MF_BYPOSITION);
}

bool TranslatePanelShortcut(MSG& msg) {
  return g_accel && TranslateAcceleratorW(MainWindow(), g_accel.get(), &msg);
}

void ReleaseMenus() {
  g_menu.Reset();
  g_accel.Reset();
}

void EnableMenuEntry(int item, bool enabled) {
  if (g_menu) {
    EnableMenuItem(g_menu.get(), static_cast<UINT>(item), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void SetMenuEntryText(int item, const qp::Text& text) {
  if (g_menu) ModifyMenuW(g_menu.get(), static_cast<UINT>(item), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(item), W(text));
}

void CheckMenuEntry(int item, bool checked) {
  if (g_menu) {
    CheckMenuItem(g_menu.get(), static_cast<UINT>(item), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void ShowPopupMenu() {
  HWND main = MainWindow();
  if (!main || !g_menu) return;
  SetForegroundWindow(main);
  POINT p;
  GetCursorPos(&p);
  TrackPopupMenu(g_menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, main, nullptr);
  PostMessageW(main, WM_NULL, 0, 0);
}

}  // namespace qpw
