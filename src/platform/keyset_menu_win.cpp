#include "platform/keyset_menu_win.h"

#include <windows.h>

#include <utility>

#include "base/app_state.h"
#include "control/dispatch.h"
#include "base/platform.h"
#include "platform/panel_win.h"
#include "platform/scoped_win.h"
#include "platform/text_win.h"
#include "shell/keyset_menu.h"

namespace qpw {

namespace {

// Made the first time it opens, with the set current then checked; later choices move the mark.
Menu g_menu;

void BuildMenu() {
  Menu menu(CreatePopupMenu());
  if (!menu) return;
  for (const qp::KeySetMenuItem& item : qp::KeySetMenuItems(qp::App().KeySet)) {
    AppendMenuW(menu.get(), MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(item.id),
                W(item.label));
  }
  g_menu = std::move(menu);
}

void ShowKeySetMenu() {
  HWND main = MainWindow();
  if (!main) return;
  if (!g_menu) BuildMenu();
  if (!g_menu) return;
  const qp::Point p = qp::KeySetMenuPoint();
  // As with the pop-up menu: the owner must be in front, or the menu does not close when the
  // user clicks elsewhere. The choice comes back as a menu command.
  SetForegroundWindow(main);
  TrackPopupMenu(g_menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, p.x, p.y, 0, main, nullptr);
  PostMessageW(main, WM_NULL, 0, 0);
}

}  // namespace

void InstallKeySetMenu() {
  qp::NoteStartOsVersion(qp::Plat().OsVersionValue());
  qp::Hooks().showKeySetMenu = ShowKeySetMenu;
  qp::Hooks().toggleDarkMode = qp::ToggleDarkPanel;
}

void CheckKeySetMenuEntry(int item, bool checked) {
  if (g_menu) CheckMenuItem(g_menu.get(), static_cast<UINT>(item), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace qpw
