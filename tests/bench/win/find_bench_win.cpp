// qpbench's commands for the Find window: the time from the global hotkey to the first results
// on the screen, and from a keystroke in the query box to the redrawn list. Like the other
// commands, each clock runs from just before the input to the first poll (1 ms apart) that sees
// the effect on the screen.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "bench_clock_win.h"

namespace qpb {

namespace {

INPUT Key(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

struct FindWindows {
  HWND window = nullptr;
  HWND list = nullptr;
};

BOOL CALLBACK ShownFindProc(HWND hwnd, LPARAM lp) {
  wchar_t cls[64];
  GetClassNameW(hwnd, cls, 64);
  if (lstrcmpW(cls, L"QuillpadFind") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  auto* found = reinterpret_cast<FindWindows*>(lp);
  found->window = hwnd;
  found->list = FindWindowExW(hwnd, nullptr, L"QuillpadFindList", nullptr);
  return FALSE;
}

FindWindows ShownFind() {
  FindWindows found;
  EnumWindows(ShownFindProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The list names its result count in its window text: "12 results".
int ResultCount(HWND list) {
  wchar_t buf[64] = {};
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(list, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 1000, &n)) return -1;
  return _wtoi(buf);
}

// A hash of the list as it is on the screen.
uint64_t ListPixels(HWND list) {
  RECT r;
  GetClientRect(list, &r);
  POINT o = {0, 0};
  ClientToScreen(list, &o);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = r.right;
  bi.bmiHeader.biHeight = -r.bottom;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  uint64_t h = 1469598103934665603ull;
  if (bmp && bits) {
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, r.right, r.bottom, screen, o.x, o.y, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < static_cast<size_t>(r.right) * static_cast<size_t>(r.bottom); ++i) {
      h ^= p[i] & 0xFFFFFF;
      h *= 1099511628211ull;
    }
    SelectObject(mem, old);
  }
  if (bmp) DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return h;
}

// The first row is selected and drawn: its highlight at the row's left end, beside the glyph.
bool FirstRowShown(HWND list) {
  POINT p = {3, 3};
  ClientToScreen(list, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c == GetSysColor(COLOR_HIGHLIGHT);
}

// findopen <timeout ms> <vk> <modifiers>: the hotkey chord, then the Find window shown with its
// first result row drawn. Replies the time, the polls and the result count.
std::string CmdFindOpen(std::istringstream& in) {
  int timeout = 10000;
  unsigned vk = 0, mods = 0;
  in >> timeout >> vk >> mods;
  std::vector<INPUT> chord;
  const WORD modKeys[] = {VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN};
  const unsigned modBits[] = {MOD_CONTROL, MOD_ALT, MOD_SHIFT, MOD_WIN};
  for (int i = 0; i < 4; ++i) {
    if (mods & modBits[i]) chord.push_back(Key(modKeys[i], false));
  }
  chord.push_back(Key(static_cast<WORD>(vk), false));
  chord.push_back(Key(static_cast<WORD>(vk), true));
  for (int i = 3; i >= 0; --i) {
    if (mods & modBits[i]) chord.push_back(Key(modKeys[i], true));
  }
  Clock clock;
  SendInput(static_cast<UINT>(chord.size()), chord.data(), sizeof(INPUT));
  for (int polls = 1;; ++polls) {
    const FindWindows f = ShownFind();
    if (f.list && FirstRowShown(f.list)) {
      const int64_t t = clock.Micros();
      return Reply(t, polls, std::to_string(ResultCount(f.list)));
    }
    if (clock.Micros() > timeout * 1000LL) return "err timeout";
    Sleep(1);
  }
}

// findkey <timeout ms> <vk>: one key in the shown Find window's query box, then the list redrawn
// with the new query's results (its count changed and its pixels with it). Replies the time, the
// polls and the new count.
std::string CmdFindKey(std::istringstream& in) {
  int timeout = 5000;
  unsigned vk = 0;
  in >> timeout >> vk;
  const FindWindows f = ShownFind();
  if (!f.list) return "err no find window";
  const int countBefore = ResultCount(f.list);
  const uint64_t before = ListPixels(f.list);
  INPUT keys[2] = {Key(static_cast<WORD>(vk), false), Key(static_cast<WORD>(vk), true)};
  Clock clock;
  SendInput(2, keys, sizeof(INPUT));
  for (int polls = 1;; ++polls) {
    const int count = ResultCount(f.list);
    if (count != countBefore && ListPixels(f.list) != before) {
      const int64_t t = clock.Micros();
      return Reply(t, polls, std::to_string(count));
    }
    if (clock.Micros() > timeout * 1000LL) return "err timeout";
    Sleep(1);
  }
}

}  // namespace

std::string RunFindBenchCommand(const std::string& cmd, std::istringstream& in) {
  if (cmd == "findopen") return CmdFindOpen(in);
  if (cmd == "findkey") return CmdFindKey(in);
  return std::string();
}

}  // namespace qpb
