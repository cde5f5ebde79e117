// The tray balloon.
#include <windows.h>
#include <shellapi.h>

#include "platform/delivery_win.h"
#include "platform/panel_win.h"

namespace qpw {

bool ShowTrayBalloon(const qp::Text& title, const qp::Text& text) {
  const HWND main = MainWindow();
  if (main == nullptr) return false;
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof nid;
  nid.hWnd = main;
  nid.uID = kTrayIconId;
  nid.uFlags = NIF_INFO;
  nid.dwInfoFlags = NIIF_INFO;
  // Both fields are cut to fit, with their terminating zero.
  lstrcpynW(nid.szInfo, reinterpret_cast<const wchar_t*>(text.c_str()), ARRAYSIZE(nid.szInfo));
  lstrcpynW(nid.szInfoTitle, reinterpret_cast<const wchar_t*>(title.c_str()), ARRAYSIZE(nid.szInfoTitle));
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

}  // namespace qpw
