// Driver commands for display scaling: key and element centres scaled by the program's rule, a
// DPI change sent to a window as the system would send it, and a check that every control of a
// window lies inside it with room for its text.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "base/dpi_scale.h"
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

HWND TopByPrefix(const std::string& prefix) { return TopWindowByPrefix(Widen(prefix), true); }

// The screen centre of a rectangle relative to the BackPanel (which sits 2 pixels into the
// client area), scaled edge by edge as the program paints it.
POINT ScaledCentre(HWND panel, const qp::Rect& r, int dpi) {
  POINT o = {0, 0};
  ClientToScreen(panel, &o);
  const qp::Rect s = qp::ScaleRect(qp::Rect{r.x + 2, r.y + 2, r.w, r.h}, dpi);
  return POINT{o.x + s.x + s.w / 2, o.y + s.y + s.h / 2};
}

// dpikeys <dpi> <set> <compact 0|1> <order> <panel title prefix>: "pos:x:y" for every position.
std::string CmdDpiKeys(Args& in) {
  int dpi = 96, set = 1, compact = 0, order = 0;
  in >> dpi >> set >> compact >> order;
  HWND h = TopByPrefix(Rest(in));
  if (!h) return "err no window";
  qp::KeyLayoutOptions options;
  options.esperantoCompact = compact != 0;
  options.runeOrderNumber = order;
  std::string reply = "ok";
  for (int pos = 1; pos <= 342; ++pos) {
    auto r = qp::KeyRectFor(set, pos, options);
    if (!r) continue;
    POINT p = ScaledCentre(h, *r, dpi);
    char buf[48];
    std::snprintf(buf, sizeof buf, " %d:%ld:%ld", pos, p.x, p.y);
    reply += buf;
  }
  return reply;
}

// A left click at (x, y) paced as the "click" command paces it: the pointer first, and only once
// it has arrived (SendInput is asynchronous under Wine) the press and the release.
void ClickAt(int x, int y) {
  SendMouse(0, x, y);
  WaitCursorAt(x, y);
  Sleep(30);
  SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
  Sleep(40);
  SendMouse(MOUSEEVENTF_LEFTUP, x, y);
  Sleep(40);
}

// dpiclicks <dpi> <set> <position,position,...> <panel title prefix>: a real click at the centre
// of each of those keys, in that order, in one command (a set has hundreds of keys).
std::string CmdDpiClicks(Args& in) {
  int dpi = 96, set = 1;
  std::string list;
  in >> dpi >> set >> list;
  HWND h = TopByPrefix(Rest(in));
  if (!h) return "err no window";
  std::vector<POINT> points;
  std::istringstream items(list);
  std::string item;
  while (std::getline(items, item, ',')) {
    auto r = qp::KeyRectFor(set, std::atoi(item.c_str()), qp::KeyLayoutOptions{});
    if (!r) return "err no key at " + item;
    points.push_back(ScaledCentre(h, *r, dpi));
  }
  for (const POINT& p : points) ClickAt(p.x, p.y);
  return "ok " + std::to_string(points.size());
}

// dpielempos <dpi> <element> <panel title prefix>: a fixed element of the panel at its size.
std::string CmdDpiElemPos(Args& in) {
  int dpi = 96, element = 0;
  in >> dpi >> element;
  HWND h = TopByPrefix(Rest(in));
  if (!h) return "err no window";
  RECT c;
  GetClientRect(h, &c);
  const int w = qp::UnscaleEdge(c.right, dpi) - qp::kPanelFrame;
  const int hgt = qp::UnscaleEdge(c.bottom, dpi) - qp::kPanelFrame;
  auto place = qp::FixedElementPlace(element, w, hgt);
  if (!place) return "err no such element";
  qp::Rect r = place->rect;
  if (place->parent == 0) {
    r.x -= 2;
    r.y -= 2;
  }
  POINT p = ScaledCentre(h, r, dpi);
  char buf[48];
  std::snprintf(buf, sizeof buf, "ok %ld %ld", p.x, p.y);
  return buf;
}

// dpichange <dpi> <left> <top> <right> <bottom> <title prefix>, or with "-" for the rectangle:
// WM_DPICHANGED as the system sends it. The suggested rectangle is written into the window's own
// process, since the message carries a bare pointer.
std::string CmdDpiChange(Args& in) {
  int dpi = 96;
  std::string first;
  in >> dpi >> first;
  RECT r = {};
  const bool withRect = first != "-";
  if (withRect) {
    r.left = std::atol(first.c_str());
    in >> r.top >> r.right >> r.bottom;
  }
  HWND h = TopByPrefix(Rest(in));
  if (!h) return "err no window";
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  HANDLE process = nullptr;
  void* remote = nullptr;
  if (withRect) {
    process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return "err cannot open the process";
    remote = VirtualAllocEx(process, nullptr, sizeof r, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(process, remote, &r, sizeof r, nullptr)) {
      CloseHandle(process);
      return "err cannot write the rectangle";
    }
  }
  DWORD_PTR result = 0;
  LRESULT sent = SendMessageTimeoutW(h, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                                     SMTO_ABORTIFHUNG, 10000, &result);
  if (process) {
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
  }
  return sent ? "ok" : "err no answer";
}

struct ControlCheck {
  RECT client;  // the top window's client area on the screen
  HFONT font;
  std::vector<std::string> problems;
  int count = 0;
};

BOOL CALLBACK CheckControlProc(HWND child, LPARAM lp) {
  auto* st = reinterpret_cast<ControlCheck*>(lp);
  if (!IsWindowVisible(child)) return TRUE;
  ++st->count;
  RECT r;
  GetWindowRect(child, &r);
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  wchar_t text[256] = {};
  int n = GetWindowTextW(child, text, 256);
  const int id = GetDlgCtrlID(child);
  char buf[200];
  // What of the control shows: the part inside the window's client area (a control may reach
  // past the edge as long as what it says does not).
  RECT shown;
  if (!IntersectRect(&shown, &r, &st->client)) {
    std::snprintf(buf, sizeof buf, "%d:outside(%ld,%ld,%ld,%ld)", id, r.left, r.top, r.right, r.bottom);
    st->problems.push_back(buf);
    return TRUE;
  }
  const bool button = lstrcmpiW(cls, L"Button") == 0;
  const bool label = lstrcmpiW(cls, L"Static") == 0;
  if ((button || label) && n > 0) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const LONG kind = style & BS_TYPEMASK;
    const bool box = button && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && kind != BS_GROUPBOX;
    HDC dc = GetDC(child);
    HGDIOBJ old = SelectObject(dc, st->font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, n, &size);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    // A check box or option button needs room for its mark and the gap after it.
    const int mark = box ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0;
    const int pad = button && !box ? 4 : 0;
    const LONG w = shown.right - shown.left, hgt = shown.bottom - shown.top;
    // A label may wrap onto further lines; every other text has one line.
    const bool fits = label ? size.cx <= w * (hgt / (size.cy > 0 ? size.cy : 1)) && hgt >= size.cy
                            : size.cx + mark + pad <= w && size.cy <= hgt;
    if (!fits) {
      std::snprintf(buf, sizeof buf, "%d:text(%ldx%ld+%d in %ldx%ld)", id, size.cx, size.cy, mark + pad, w, hgt);
      st->problems.push_back(buf);
    }
  }
  return TRUE;
}

// dpicontrols <top window title prefix>: "ok <count>" when every shown control shows inside the
// window's client area and its text fits in the part shown (measured in the default GUI font),
// else the problems.
std::string CmdDpiControls(Args& in) {
  HWND h = TopByPrefix(Rest(in));
  if (!h) return "err no window";
  ControlCheck st;
  GetClientRect(h, &st.client);
  MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&st.client), 2);
  st.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  EnumChildWindows(h, CheckControlProc, reinterpret_cast<LPARAM>(&st));
  std::string reply = st.problems.empty() ? "ok " + std::to_string(st.count) : "err";
  for (const std::string& p : st.problems) reply += " " + p;
  return reply;
}

}  // namespace

std::string RunDpiCommand(const std::string& cmd, std::istringstream& in) {
  if (cmd == "dpikeys") return CmdDpiKeys(in);
  if (cmd == "dpielempos") return CmdDpiElemPos(in);
  if (cmd == "dpichange") return CmdDpiChange(in);
  if (cmd == "dpiclicks") return CmdDpiClicks(in);
  if (cmd == "dpicontrols") return CmdDpiControls(in);
  return std::string();
}

}  // namespace qpd
