// The driver's commands: window lookups, pointer and keyboard input, clipboard, pixels.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"
#include "keysets/layout.h"
#include "shell/panel_geometry.h"

namespace qpd {

namespace {

using Args = std::istringstream;

std::string Rest(Args& in) {
  std::string rest;
  std::getline(in, rest);
  size_t i = rest.find_first_not_of(' ');
  return i == std::string::npos ? std::string() : rest.substr(i);
}

struct FindState {
  std::wstring text;
  bool prefix;
  HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<FindState*>(lp);
  wchar_t title[512];
  int n = GetWindowTextW(hwnd, title, 512);
  std::wstring t(title, static_cast<size_t>(n > 0 ? n : 0));
  bool match = st->prefix ? t.compare(0, st->text.size(), st->text) == 0 : t == st->text;
  if (match) {
    st->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindTop(const std::wstring& text, bool prefix) {
  if (!prefix) return FindWindowW(nullptr, text.c_str());
  FindState st{text, true, nullptr};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&st));
  return st.found;
}

HWND WaitFor(const std::wstring& text, bool prefix, int timeoutMs, bool wantVisible) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND h = FindTop(text, prefix);
    if (h && (!wantVisible || IsWindowVisible(h))) return h;
    if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return nullptr;
    Sleep(25);
  }
}

std::string WindowTitle(HWND h) {
  wchar_t title[512];
  int n = GetWindowTextW(h, title, 512);
  return Narrow(std::wstring(title, static_cast<size_t>(n > 0 ? n : 0)));
}

std::string RectReply(HWND h) {
  RECT wr, cr;
  GetWindowRect(h, &wr);
  GetClientRect(h, &cr);
  POINT o = {0, 0};
  ClientToScreen(h, &o);
  char buf[256];
  std::snprintf(buf, sizeof buf, "ok %ld %ld %ld %ld %ld %ld %ld %ld %d", wr.left, wr.top, wr.right, wr.bottom,
                o.x, o.y, o.x + cr.right, o.y + cr.bottom, IsWindowVisible(h) ? 1 : 0);
  return buf;
}

void SendKey(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

HWND FindEdit(HWND top) { return FindWindowExW(top, nullptr, L"EDIT", nullptr); }

std::string CmdWait(Args& in, bool prefix, bool visible) {
  int timeout = 10000;
  in >> timeout;
  std::wstring text = Widen(Rest(in));
  HWND h = WaitFor(text, prefix, timeout, visible);
  if (!h) return "err timeout";
  return RectReply(h) + " " + WindowTitle(h);
}

std::string CmdGone(Args& in) {
  int timeout = 10000;
  in >> timeout;
  std::wstring text = Widen(Rest(in));
  DWORD start = GetTickCount();
  while (FindTop(text, false)) {
    if (static_cast<int>(GetTickCount() - start) >= timeout) return "err still there";
    Sleep(25);
  }
  return "ok";
}

std::string CmdRect(Args& in) {
  HWND h = FindTop(Widen(Rest(in)), false);
  return h ? RectReply(h) : "err no window";
}

std::string CmdMouse(Args& in, const std::string& what) {
  int x = 0, y = 0;
  in >> x >> y;
  if (what == "move") {
    SendMouse(0, x, y);
    WaitCursorAt(x, y);
    return "ok";
  }
  SendMouse(0, x, y);
  WaitCursorAt(x, y);
  Sleep(30);
  bool right = what == "rclick" || what == "rdown" || what == "rup";
  DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  DWORD up = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  if (what == "click" || what == "rclick") {
    SendMouse(down, x, y);
    Sleep(40);
    SendMouse(up, x, y);
  } else if (what == "down" || what == "rdown") {
    SendMouse(down, x, y);
  } else {
    SendMouse(up, x, y);
  }
  Sleep(40);
  return "ok";
}

std::string CmdClipboard() {
  for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) Sleep(20);
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  std::wstring text;
  if (h) {
    auto* p = static_cast<const wchar_t*>(GlobalLock(h));
    if (p) text = p;
    GlobalUnlock(h);
  }
  CloseClipboard();
  if (!h) return "ok none";
  return "ok " + HexUnits(text);
}

std::string CmdSetClipboard(Args& in) {
  std::wstring text = Widen(Rest(in));
  if (!OpenClipboard(nullptr)) return "err open";
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* p = static_cast<wchar_t*>(GlobalLock(g));
  memcpy(p, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(g);
  SetClipboardData(CF_UNICODETEXT, g);
  CloseClipboard();
  return "ok";
}

std::string CmdEditText(Args& in) {
  HWND top = FindTop(Widen(Rest(in)), false);
  if (!top) return "err no window";
  HWND edit = FindEdit(top);
  if (!edit) return "err no edit";
  wchar_t buf[8192];
  LRESULT n = SendMessageW(edit, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(buf));
  return "ok " + HexUnits(std::wstring(buf, static_cast<size_t>(n)));
}

std::string CmdPixel(Args& in) {
  int x = 0, y = 0;
  in >> x >> y;
  HDC dc = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, 1, 1);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, 1, 1, dc, x, y, SRCCOPY);
  COLORREF c = GetPixel(mem, 0, 0);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, dc);
  char buf[32];
  std::snprintf(buf, sizeof buf, "ok %02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

std::string CmdPost(Args& in) {
  int id = 0;
  in >> id;
  HWND h = FindTop(Widen(Rest(in)), true);
  if (!h) return "err no window";
  PostMessageW(h, WM_COMMAND, static_cast<WPARAM>(id), 0);
  return "ok";
}

std::string CmdClose(Args& in) {
  HWND h = FindTop(Widen(Rest(in)), true);
  if (!h) return "err no window";
  PostMessageW(h, WM_CLOSE, 0, 0);
  return "ok";
}

std::string CmdForeground() {
  HWND f = GetForegroundWindow();
  return "ok " + (f ? WindowTitle(f) : std::string());
}

std::string CmdActivate(Args& in) {
  HWND h = FindTop(Widen(Rest(in)), false);
  if (!h) return "err no window";
  SetForegroundWindow(h);
  for (int i = 0; i < 50 && GetForegroundWindow() != h; ++i) Sleep(20);
  return GetForegroundWindow() == h ? "ok" : "err not foreground";
}

std::string CmdKey(Args& in) {
  std::string mods;
  int vk = 0;
  in >> vk >> mods;
  bool shift = mods.find('s') != std::string::npos, ctrl = mods.find('c') != std::string::npos;
  if (shift) SendKey(VK_SHIFT, false);
  if (ctrl) SendKey(VK_CONTROL, false);
  SendKey(static_cast<WORD>(vk), false);
  SendKey(static_cast<WORD>(vk), true);
  if (ctrl) SendKey(VK_CONTROL, true);
  if (shift) SendKey(VK_SHIFT, true);
  Sleep(50);
  return "ok";
}

BOOL CALLBACK ListProc(HWND hwnd, LPARAM lp) {
  auto* out = reinterpret_cast<std::string*>(lp);
  wchar_t cls[256];
  GetClassNameW(hwnd, cls, 256);
  *out += " [" + WindowTitle(hwnd) + "|" + Narrow(cls) + (IsWindowVisible(hwnd) ? "|v" : "|h") + "]";
  return TRUE;
}

std::string CmdList() {
  std::string out = "ok";
  EnumWindows(ListProc, reinterpret_cast<LPARAM>(&out));
  return out;
}

// Screen position of the centre of a rectangle given relative to the panel's BackPanel.
std::string PanelPoint(HWND panel, const qp::Rect& r) {
  POINT o = {0, 0};
  ClientToScreen(panel, &o);
  char buf[64];
  std::snprintf(buf, sizeof buf, "ok %ld %ld", o.x + 2 + r.x + r.w / 2, o.y + 2 + r.y + r.h / 2);
  return buf;
}

// keypos <set> <position> <compact 0|1> <order number 0..95> <panel title prefix>
std::string CmdKeyPos(Args& in) {
  int set = 1, pos = 1, compact = 0, order = 0;
  in >> set >> pos >> compact >> order;
  HWND h = FindTop(Widen(Rest(in)), true);
  if (!h) return "err no window";
  qp::KeyLayoutOptions options;
  options.esperantoCompact = compact != 0;
  options.runeOrderNumber = order;
  auto r = qp::KeyRectFor(set, pos, options);
  if (!r) return "err no such key";
  return PanelPoint(h, *r);
}

// morepos <position 1..57> <panel title prefix>: a key of the shown more block.
std::string CmdMorePos(Args& in) {
  int pos = 1;
  in >> pos;
  HWND h = FindTop(Widen(Rest(in)), true);
  if (!h) return "err no window";
  auto key = qp::MoreKeyRect(pos);
  RECT c;
  GetClientRect(h, &c);
  int panelW = c.right - qp::kPanelFrame, panelH = c.bottom - qp::kPanelFrame;
  auto block = qp::FixedElementPlace(qp::kMoreBlock, panelW, panelH);
  if (!key || !block) return "err no such key";
  qp::Rect r = *key;
  r.x += block->rect.x;
  r.y += block->rect.y;
  return PanelPoint(h, r);
}

// elempos <element> <panel title prefix>: a fixed element, placed for the panel's current size.
std::string CmdElemPos(Args& in) {
  int element = 0;
  in >> element;
  HWND h = FindTop(Widen(Rest(in)), true);
  if (!h) return "err no window";
  RECT c;
  GetClientRect(h, &c);
  auto place = qp::FixedElementPlace(element, c.right - qp::kPanelFrame, c.bottom - qp::kPanelFrame);
  if (!place) return "err no such element";
  qp::Rect r = place->rect;
  if (place->parent == 0) {
    r.x -= 2;
    r.y -= 2;
  }
  return PanelPoint(h, r);
}

BOOL CALLBACK DialogTextProc(HWND child, LPARAM lp) {
  auto* out = reinterpret_cast<std::wstring*>(lp);
  wchar_t cls[64];
  GetClassNameW(child, cls, 64);
  if (lstrcmpiW(cls, L"Static") == 0) {
    wchar_t text[2048];
    int n = GetWindowTextW(child, text, 2048);
    if (n > 0) {
      if (!out->empty()) *out += L"|";
      out->append(text, static_cast<size_t>(n));
    }
  }
  return TRUE;
}

// dialog <title>: the message box's texts as UTF-16 hex, '|' between static controls.
std::string CmdDialog(Args& in) {
  HWND h = FindWindowW(L"#32770", Widen(Rest(in)).c_str());
  if (!h) return "err no dialog";
  std::wstring text;
  EnumChildWindows(h, DialogTextProc, reinterpret_cast<LPARAM>(&text));
  return "ok " + HexUnits(text);
}

// answer <button id> <title>: presses a message box button (IDYES 6, IDNO 7, IDOK 1).
std::string CmdAnswer(Args& in) {
  int id = 0;
  in >> id;
  HWND h = FindWindowW(L"#32770", Widen(Rest(in)).c_str());
  if (!h) return "err no dialog";
  HWND button = GetDlgItem(h, id);
  if (!button) return "err no button";
  PostMessageW(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return "ok";
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK ControlSearchProc(HWND child, LPARAM lp) {
  auto* st = reinterpret_cast<ControlSearch*>(lp);
  if (GetDlgCtrlID(child) != st->id) return TRUE;
  st->found = child;
  return FALSE;
}

// A control anywhere inside the top-level window whose title starts with the given text.
HWND FindControl(int id, const std::wstring& topPrefix) {
  HWND top = FindTop(topPrefix, true);
  if (!top) return nullptr;
  ControlSearch st{id, nullptr};
  EnumChildWindows(top, ControlSearchProc, reinterpret_cast<LPARAM>(&st));
  return st.found;
}

// ctlrect <control id> <window title prefix>: the control's screen rectangle, then 1/0 for
// visible (with all its parents) and enabled.
std::string CmdControlRect(Args& in) {
  int id = 0;
  in >> id;
  HWND c = FindControl(id, Widen(Rest(in)));
  if (!c) return "err no control";
  RECT r;
  GetWindowRect(c, &r);
  char buf[128];
  std::snprintf(buf, sizeof buf, "ok %ld %ld %ld %ld %d %d", r.left, r.top, r.right, r.bottom,
                IsWindowVisible(c) ? 1 : 0, IsWindowEnabled(c) ? 1 : 0);
  return buf;
}

// ctlmsg <control id> <message> <wparam> <lparam> <window title prefix>: sends a message that
// takes and returns plain numbers (BM_GETCHECK, TCM_GETCURSEL ...) and replies its result.
std::string CmdControlMessage(Args& in) {
  int id = 0;
  unsigned msg = 0;
  long long wp = 0, lp = 0;
  in >> id >> msg >> wp >> lp;
  HWND c = FindControl(id, Widen(Rest(in)));
  if (!c) return "err no control";
  LRESULT r = SendMessageW(c, msg, static_cast<WPARAM>(wp), static_cast<LPARAM>(lp));
  return "ok " + std::to_string(static_cast<long long>(r));
}

// tabrect <tab control id> <tab index> <window title prefix>: the tab's screen rectangle. The
// rectangle is asked for through memory in the control's own process.
std::string CmdTabRect(Args& in) {
  int id = 0, index = 0;
  in >> id >> index;
  HWND c = FindControl(id, Widen(Rest(in)));
  if (!c) return "err no control";
  DWORD pid = 0;
  GetWindowThreadProcessId(c, &pid);
  HANDLE proc = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!proc) return "err open process";
  void* remote = VirtualAllocEx(proc, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT r = {};
  bool got = false;
  if (remote) {
    got = SendMessageW(c, 0x130A /* TCM_GETITEMRECT */, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) &&
          ReadProcessMemory(proc, remote, &r, sizeof r, nullptr);
    VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
  }
  CloseHandle(proc);
  if (!got) return "err no tab";
  MapWindowPoints(c, nullptr, reinterpret_cast<POINT*>(&r), 2);
  char buf[96];
  std::snprintf(buf, sizeof buf, "ok %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
  return buf;
}

// styles <window title prefix>: the window's style and extended style, in hexadecimal.
std::string CmdStyles(Args& in) {
  HWND h = FindTop(Widen(Rest(in)), true);
  if (!h) return "err no window";
  char buf[64];
  std::snprintf(buf, sizeof buf, "ok %08lX %08lX", static_cast<unsigned long>(GetWindowLongW(h, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)));
  return buf;
}

// The panel's target drop-down list: the combo box inside its frame.
HWND PanelCombo(Args& in) {
  HWND h = FindTop(Widen(Rest(in)), true);
  return h ? FindWindowExW(FindWindowExW(h, nullptr, nullptr, nullptr), nullptr, L"ComboBox", nullptr) : nullptr;
}

std::wstring ComboItem(HWND combo, LRESULT i) {
  LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
  if (len == CB_ERR || len < 0) return L"";
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  LRESULT got = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

// comboitems <panel prefix>: the items, '|' between them.
std::string CmdComboItems(Args& in) {
  HWND combo = PanelCombo(in);
  if (!combo) return "err no combo";
  LRESULT n = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  std::wstring all;
  for (LRESULT i = 0; i < n; ++i) {
    if (i) all += L"|";
    all += ComboItem(combo, i);
  }
  return "ok " + Narrow(all);
}

std::string CmdComboText(Args& in) {
  HWND combo = PanelCombo(in);
  if (!combo) return "err no combo";
  LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  return "ok " + (sel == CB_ERR ? std::string() : Narrow(ComboItem(combo, sel)));
}

// comboselect <index> <panel prefix>: as a user's choice in the list.
std::string CmdComboSelect(Args& in) {
  int index = 0;
  in >> index;
  HWND combo = PanelCombo(in);
  if (!combo) return "err no combo";
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return "ok";
}

// classrect <class name>: the window rectangle of the first top-level window of that class.
std::string CmdClassRect(Args& in) {
  HWND h = FindWindowW(Widen(Rest(in)).c_str(), nullptr);
  return h ? RectReply(h) : "err no window";
}

// visible <title prefix>: 1 when the window exists and is visible, 0 otherwise.
std::string CmdVisible(Args& in) {
  HWND h = FindTop(Widen(Rest(in)), true);
  return std::string("ok ") + (h && IsWindowVisible(h) ? "1" : "0");
}

// workarea: what the system tells programs about the desktop: the work area, then the
// taskbar's edge code and rectangle.
std::string CmdWorkArea() {
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  APPBARDATA abd = {};
  abd.cbSize = sizeof abd;
  SHAppBarMessage(ABM_GETTASKBARPOS, &abd);
  char buf[160];
  std::snprintf(buf, sizeof buf, "ok %ld %ld %ld %ld %u %ld %ld %ld %ld", work.left, work.top, work.right, work.bottom,
                abd.uEdge, abd.rc.left, abd.rc.top, abd.rc.right, abd.rc.bottom);
  return buf;
}

BOOL CALLBACK TooltipProc(HWND hwnd, LPARAM lp) {
  wchar_t cls[64];
  GetClassNameW(hwnd, cls, 64);
  if (lstrcmpiW(cls, L"tooltips_class32") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(lp) = hwnd;
  return FALSE;
}

// The shown text of a tooltip window of another process: its current tool is read into memory
// of that process, since the control hands out pointers only within its own.
std::wstring RemoteTooltipText(HWND tip) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tip, &pid);
  HANDLE proc = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!proc) return L"";
  const SIZE_T textUnits = 1024;
  SIZE_T size = sizeof(TOOLINFOW) + textUnits * sizeof(wchar_t);
  auto* remote = static_cast<BYTE*>(VirtualAllocEx(proc, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  std::wstring result;
  if (remote) {
    TOOLINFOW ti = {};
    ti.cbSize = sizeof ti;
    WriteProcessMemory(proc, remote, &ti, sizeof ti, nullptr);
    // The tool being shown, or else the first one (a tray keeps one tool per icon).
    bool found = SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(remote)) != 0;
    if (!found) {
      WriteProcessMemory(proc, remote, &ti, sizeof ti, nullptr);
      found = SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote)) != 0;
    }
    if (found) {
      ReadProcessMemory(proc, remote, &ti, sizeof ti, nullptr);
      ti.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof(TOOLINFOW));
      WriteProcessMemory(proc, remote, &ti, sizeof ti, nullptr);
      SendMessageW(tip, TTM_GETTEXTW, textUnits, reinterpret_cast<LPARAM>(remote));
      std::wstring buf(textUnits, L'\0');
      ReadProcessMemory(proc, remote + sizeof(TOOLINFOW), &buf[0], textUnits * sizeof(wchar_t), nullptr);
      result = buf.c_str();
    }
    VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
  }
  CloseHandle(proc);
  return result;
}

// tooltip <timeout ms>: the text of a shown tooltip, as UTF-16 hex.
std::string CmdTooltip(Args& in) {
  int timeout = 3000;
  in >> timeout;
  DWORD start = GetTickCount();
  for (;;) {
    HWND tip = nullptr;
    EnumWindows(TooltipProc, reinterpret_cast<LPARAM>(&tip));
    if (tip) {
      std::wstring text = RemoteTooltipText(tip);
      if (!text.empty()) return "ok " + HexUnits(text);
    }
    if (static_cast<int>(GetTickCount() - start) >= timeout) return "err no tooltip";
    Sleep(50);
  }
}

struct ClassSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK VisibleClassProc(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<ClassSearch*>(lp);
  wchar_t cls[256];
  GetClassNameW(hwnd, cls, 256);
  if (lstrcmpiW(cls, st->className) != 0 || !IsWindowVisible(hwnd)) return TRUE;
  st->found = hwnd;
  return FALSE;
}

// waitclass <timeout ms> <class name>: the first visible top-level window of that class (a pop-up
// menu is "#32768"), once there is one.
std::string CmdWaitClass(Args& in) {
  int timeout = 5000;
  in >> timeout;
  std::wstring cls = Widen(Rest(in));
  DWORD start = GetTickCount();
  for (;;) {
    ClassSearch st{cls.c_str(), nullptr};
    EnumWindows(VisibleClassProc, reinterpret_cast<LPARAM>(&st));
    if (st.found) return RectReply(st.found);
    if (static_cast<int>(GetTickCount() - start) >= timeout) return "err timeout";
    Sleep(25);
  }
}

std::string CmdScreen() {
  char buf[64];
  std::snprintf(buf, sizeof buf, "ok %d %d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return buf;
}

}  // namespace

std::string RunCommand(const std::string& line) {
  Args in(line);
  std::string cmd;
  in >> cmd;
  if (cmd == "wait") return CmdWait(in, false, true);
  if (cmd == "waitexists") return CmdWait(in, false, false);
  if (cmd == "waitprefix") return CmdWait(in, true, true);
  if (cmd == "gone") return CmdGone(in);
  if (cmd == "rect") return CmdRect(in);
  if (cmd == "move" || cmd == "click" || cmd == "down" || cmd == "up" || cmd == "rclick" || cmd == "rdown" ||
      cmd == "rup")
    return CmdMouse(in, cmd);
  if (cmd == "clipboard") return CmdClipboard();
  if (cmd == "setclipboard") return CmdSetClipboard(in);
  if (cmd == "edit") return CmdEditText(in);
  if (cmd == "pixel") return CmdPixel(in);
  if (cmd == "post") return CmdPost(in);
  if (cmd == "close") return CmdClose(in);
  if (cmd == "foreground") return CmdForeground();
  if (cmd == "activate") return CmdActivate(in);
  if (cmd == "key") return CmdKey(in);
  if (cmd == "screen") return CmdScreen();
  if (cmd == "ping") return "ok";
  if (cmd == "cursor") {
    POINT p;
    GetCursorPos(&p);
    char buf[48];
    std::snprintf(buf, sizeof buf, "ok %ld %ld", p.x, p.y);
    return buf;
  }
  if (cmd == "list") return CmdList();
  if (cmd == "keypos") return CmdKeyPos(in);
  if (cmd == "morepos") return CmdMorePos(in);
  if (cmd == "elempos") return CmdElemPos(in);
  if (cmd == "dialog") return CmdDialog(in);
  if (cmd == "tooltip") return CmdTooltip(in);
  if (cmd == "classrect") return CmdClassRect(in);
  if (cmd == "waitclass") return CmdWaitClass(in);
  if (cmd == "workarea") return CmdWorkArea();
  if (cmd == "visible") return CmdVisible(in);
  if (cmd == "comboitems") return CmdComboItems(in);
  if (cmd == "combotext") return CmdComboText(in);
  if (cmd == "comboselect") return CmdComboSelect(in);
  if (cmd == "answer") return CmdAnswer(in);
  if (cmd == "ctlrect") return CmdControlRect(in);
  if (cmd == "ctlmsg") return CmdControlMessage(in);
  if (cmd == "tabrect") return CmdTabRect(in);
  if (cmd == "styles") return CmdStyles(in);
  return "err unknown command " + cmd;
}

}  // namespace qpd
