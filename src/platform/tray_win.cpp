// The tray icon: added with the main window, its tip follows the key set, removed at the end.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/edition.h"
#include "base/dpi_scale.h"
#include "platform/dpi_win.h"
#include "platform/panel_parts_win.h"
#include "platform/panel_win.h"
#include "platform/resources_win.h"
#include "platform/text_win.h"

namespace qpw {

namespace {

// The records whose layout differs between the 32-bit and the 64-bit build.
#ifdef _WIN64
static_assert(sizeof(NOTIFYICONDATAW) == 976, "NOTIFYICONDATAW, 64-bit");
#else
static_assert(sizeof(NOTIFYICONDATAW) == 956, "NOTIFYICONDATAW, 32-bit");
#endif

bool g_trayAdded = false;
std::wstring g_trayTip;  // the tip the icon has, for adding it again

NOTIFYICONDATAW TrayRecord() {
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof nid;
  nid.hWnd = MainWindow();
  nid.uID = kTrayIconId;
  return nid;
}

}  // namespace

void AddTrayIcon() {
  NOTIFYICONDATAW nid = TrayRecord();
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kTrayMessage;
  nid.hIcon = ProgramIcon(SmallIconSize(PanelDpi()));
  lstrcpynW(nid.szTip, g_trayTip.empty() ? W(qp::Text(qp::CurrentEdition().trayPrefix)) : g_trayTip.c_str(), 64);
  g_trayAdded = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
}

void RemoveTrayIcon() {
  if (!g_trayAdded) return;
  NOTIFYICONDATAW nid = TrayRecord();
  Shell_NotifyIconW(NIM_DELETE, &nid);
  g_trayAdded = false;
}

void RefreshTrayIcon() {
  if (!g_trayAdded) return;
  NOTIFYICONDATAW nid = TrayRecord();
  nid.uFlags = NIF_ICON;
  nid.hIcon = ProgramIcon(SmallIconSize(PanelDpi()));
  Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void RestoreTrayIcon() {
  if (!MainWindow()) return;
  RemoveTrayIcon();  // a shell that still has it would refuse to add it twice
  AddTrayIcon();
}

void SetTrayTip(const qp::Text& tip) {
  g_trayTip = W(tip);
  if (!g_trayAdded) return;
  NOTIFYICONDATAW nid = TrayRecord();
  nid.uFlags = NIF_TIP;
  // The tray shows at most 63 characters of the tip.
  lstrcpynW(nid.szTip, W(tip), 64);
  Shell_NotifyIconW(NIM_MODIFY, &nid);
}

}  // namespace qpw
