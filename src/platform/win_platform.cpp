// WinPlatform: the panel window's part (the system calls are in win_platform_system.cpp).
#include "platform/win_platform.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/dpi_win.h"
#include "platform/keyset_menu_win.h"
#include "platform/panel_win.h"
#include "platform/text_win.h"

namespace qpw {

namespace {


LRESULT Combo(UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  HWND combo = TargetBoxWindow();
  return combo ? SendMessageW(combo, msg, wp, lp) : CB_ERR;
}

}  // namespace

bool WinPlatform::MainWindowExists() { return MainWindow() != nullptr; }
void WinPlatform::ShowMainWindow(bool show) { ShowMain(show); }
qp::Rect WinPlatform::MainWindowRect() { return MainOuterRect(); }
qp::Rect WinPlatform::MainClientRect() { return MainClientScreenRect(); }
void WinPlatform::PlaceMainWindow(const qp::Rect& client) { PlaceMainClient(client); }
void WinPlatform::MoveMainWindow(int x, int y) { MoveMain(x, y); }
void WinPlatform::SetMainTopmost(bool topmost) { SetTopmost(topmost); }
void WinPlatform::SetMainTitle(const qp::Text& title) { SetTitle(title); }
void WinPlatform::SetTrayTip(const qp::Text& tip) { qpw::SetTrayTip(tip); }
void WinPlatform::EnableMenuItem(int item, bool enabled) { EnableMenuEntry(item, enabled); }
void WinPlatform::ShowPopupMenu() { qpw::ShowPopupMenu(); }
void WinPlatform::RedrawElement(int number) { InvalidateElement(number); }
void WinPlatform::RedrawPanel() { InvalidatePanel(); }
void WinPlatform::RepaintWithScheme() { InvalidatePanel(); }
void WinPlatform::DrainPendingInput() { qpw::DrainPendingInput(); }
void WinPlatform::SleepMs(int ms) { Sleep(static_cast<DWORD>(ms > 0 ? ms : 0)); }

qp::Point WinPlatform::CursorPos() {
  POINT p = {};
  GetCursorPos(&p);
  return qp::Point{p.x, p.y};
}

qp::Point WinPlatform::PressPointInClient() { return LastPressPoint(); }

qp::Point WinPlatform::EventCursorPos() {
  DWORD pos = GetMessagePos();
  return qp::Point{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

void WinPlatform::CaptureMouse(bool capture) { qpw::CaptureMouse(capture); }

void WinPlatform::TargetBoxClear() { Combo(CB_RESETCONTENT); }
void WinPlatform::TargetBoxAdd(const qp::Text& item) { Combo(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(item))); }

int WinPlatform::TargetBoxCount() {
  LRESULT n = Combo(CB_GETCOUNT);
  return n == CB_ERR ? 0 : static_cast<int>(n);
}

qp::Text WinPlatform::TargetBoxItem(int index) {
  LRESULT len = Combo(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (len == CB_ERR || len < 0) return qp::Text();
  qp::Text text(static_cast<size_t>(len) + 1, u'\0');
  LRESULT got = Combo(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  if (got == CB_ERR || got < 0) return qp::Text();
  text.resize(static_cast<size_t>(got));
  return text;
}

void WinPlatform::TargetBoxSelect(int index) { Combo(CB_SETCURSEL, static_cast<WPARAM>(index)); }

qp::Text WinPlatform::TargetBoxText() {
  LRESULT sel = Combo(CB_GETCURSEL);
  if (sel == CB_ERR || sel < 0) return qp::Text();
  return TargetBoxItem(static_cast<int>(sel));
}

int WinPlatform::TargetBoxFindExact(const qp::Text& text) {
  LRESULT i = Combo(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(W(text)));
  return i == CB_ERR ? -1 : static_cast<int>(i);
}

void WinPlatform::TargetBoxDropDown() { Combo(CB_SHOWDROPDOWN, TRUE); }

bool WinPlatform::QueryTaskbar(uint32_t& state, uint32_t& edge, int& left, int& top, int& right, int& bottom) {
  APPBARDATA abd = {};
  abd.cbSize = sizeof abd;
  state = static_cast<uint32_t>(SHAppBarMessage(ABM_GETSTATE, &abd));
  APPBARDATA pos = {};
  pos.cbSize = sizeof pos;
  if (!SHAppBarMessage(ABM_GETTASKBARPOS, &pos)) {
    edge = 0;
    left = top = right = bottom = 0;
    return state != 0;
  }
  edge = pos.uEdge;
  left = pos.rc.left;
  top = pos.rc.top;
  right = pos.rc.right;
  bottom = pos.rc.bottom;
  return true;
}

void WinPlatform::EndProgram() { qpw::EndProgram(); }

int WinPlatform::MainWindowDpi() { return PanelDpi(); }

void WinPlatform::CheckMenuItem(int item, bool checked) {
  CheckMenuEntry(item, checked);
  CheckKeySetMenuEntry(item, checked);
}

}  // namespace qpw
