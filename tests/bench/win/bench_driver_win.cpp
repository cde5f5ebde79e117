// In-Wine timing tool of tools/bench.py. Reads one command per line on stdin and answers one
// line on stdout, "ok ..." or "err ...", like the test driver.
//
// Every time is taken here, beside the programs, with the performance counter: from just before
// the action (creating the process, releasing the mouse button) to the first poll that sees the
// result on the screen or in the target's log. Polls sleep 1 ms between looks, so that the
// program being timed has the processor to itself most of the time.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "../../e2e/driver/pointer_win.h"
#include "bench_clock_win.h"
#include "keysets/layout.h"

namespace qpb {
// find_bench_win.cpp: the Find window's timings; empty for a command that is not one of them.
std::string RunFindBenchCommand(const std::string& cmd, std::istringstream& in);
}  // namespace qpb

namespace {

using Args = std::istringstream;

std::wstring Widen(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
  return w;
}

std::string Rest(Args& in) {
  std::string rest;
  std::getline(in, rest);
  size_t i = rest.find_first_not_of(' ');
  return i == std::string::npos ? std::string() : rest.substr(i);
}

// Splits at tabs: titles and paths may hold blanks.
std::vector<std::string> Fields(const std::string& s) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    size_t tab = s.find('\t', start);
    out.push_back(s.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return out;
    start = tab + 1;
  }
}

using qpb::Clock;
using qpb::Reply;

// ---- the screen ------------------------------------------------------------------------------

// A copy of a screen rectangle as 32-bit pixels, top row first.
class ScreenGrab {
 public:
  bool Take(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return false;
    w_ = w;
    h_ = h;
    pixels_.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bmp && bits) {
      HGDIOBJ old = SelectObject(mem, bmp);
      ok = BitBlt(mem, 0, 0, w, h, screen, x, y, SRCCOPY) != FALSE;
      GdiFlush();
      if (ok) memcpy(pixels_.data(), bits, pixels_.size() * 4);
      SelectObject(mem, old);
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
  }
  // 0xRRGGBB
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * w_ + x] & 0xFFFFFF; }
  uint64_t Hash() const {
    uint64_t h = 1469598103934665603ull;
    for (uint32_t p : pixels_) {
      p &= 0xFFFFFF;
      for (int i = 0; i < 3; ++i) {
        h ^= (p >> (8 * i)) & 0xFF;
        h *= 1099511628211ull;
      }
    }
    return h;
  }

 private:
  int w_ = 0, h_ = 0;
  std::vector<uint32_t> pixels_;
};

struct Probe {
  int dx, dy;
  uint32_t rgb;
};

// "dx,dy,RRGGBB;dx,dy,RRGGBB"
std::vector<Probe> ParseProbes(const std::string& s) {
  std::vector<Probe> probes;
  std::istringstream in(s);
  std::string item;
  while (std::getline(in, item, ';')) {
    Probe p = {};
    unsigned rgb = 0;
    if (std::sscanf(item.c_str(), "%d,%d,%x", &p.dx, &p.dy, &rgb) == 3) {
      p.rgb = rgb;
      probes.push_back(p);
    }
  }
  return probes;
}

struct FindState {
  std::wstring prefix;
  HWND found;
};

BOOL CALLBACK FindVisibleProc(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<FindState*>(lp);
  if (!IsWindowVisible(hwnd)) return TRUE;
  wchar_t title[512];
  int n = GetWindowTextW(hwnd, title, 512);
  const size_t len = st->prefix.size();
  if (n < static_cast<int>(len) || st->prefix.compare(0, len, title, len) != 0) return TRUE;
  st->found = hwnd;
  return FALSE;
}

HWND FindVisibleByPrefix(const std::wstring& prefix) {
  FindState st{prefix, nullptr};
  EnumWindows(FindVisibleProc, reinterpret_cast<LPARAM>(&st));
  return st.found;
}

bool ClientOnScreen(HWND h, RECT& r) {
  RECT c;
  if (!GetClientRect(h, &c)) return false;
  POINT o = {0, 0};
  ClientToScreen(h, &o);
  r = {o.x, o.y, o.x + c.right, o.y + c.bottom};
  return true;
}

bool ProbesMatch(HWND h, const std::vector<Probe>& probes) {
  RECT c;
  if (!ClientOnScreen(h, c)) return false;
  int maxX = 0, maxY = 0;
  for (const Probe& p : probes) {
    if (p.dx > maxX) maxX = p.dx;
    if (p.dy > maxY) maxY = p.dy;
  }
  ScreenGrab grab;
  if (!grab.Take(c.left, c.top, maxX + 1, maxY + 1)) return false;
  for (const Probe& p : probes) {
    if (grab.At(p.dx, p.dy) != p.rgb) return false;
  }
  return true;
}

// ---- input -------------------------------------------------------------------------------------

using qpd::SendMouse;

// Moves the pointer there and presses the left button; the caller starts its clock and releases.
void PressAt(int x, int y) {
  SendMouse(0, x, y);
  qpd::WaitCursorAt(x, y);
  Sleep(30);
  SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
  Sleep(40);
}

// ---- the commands ------------------------------------------------------------------------------

HANDLE g_child = nullptr;

// launch <timeout ms> <probes> <title prefix>\t<program>\t<arguments>
// Starts the program in its own folder and times it until a visible window with that title
// prefix shows every probe colour at its client offset.
std::string CmdLaunch(Args& in) {
  int timeout = 20000;
  std::string probeText;
  in >> timeout >> probeText;
  std::vector<std::string> f = Fields(Rest(in));
  if (f.size() < 2) return "err usage";
  std::vector<Probe> probes = ParseProbes(probeText);
  if (probes.empty()) return "err no probes";
  std::wstring prefix = Widen(f[0]), exe = Widen(f[1]);
  std::wstring cmdLine = L"\"" + exe + L"\"" + (f.size() > 2 && !f[2].empty() ? L" " + Widen(f[2]) : L"");
  std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
  if (g_child) CloseHandle(g_child);
  g_child = nullptr;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  Clock clock;
  if (!CreateProcessW(exe.c_str(), &cmdLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return "err create " + std::to_string(GetLastError());
  CloseHandle(pi.hThread);
  g_child = pi.hProcess;
  for (int polls = 1;; ++polls) {
    HWND h = FindVisibleByPrefix(prefix);
    if (h && ProbesMatch(h, probes)) return Reply(clock.Micros(), polls);
    if (clock.Micros() > timeout * 1000LL) return "err timeout";
    Sleep(1);
  }
}

// waitexit <timeout ms>: the launched program's exit code once it has ended.
std::string CmdWaitExit(Args& in) {
  int timeout = 20000;
  in >> timeout;
  if (!g_child) return "err nothing launched";
  DWORD code = 0;
  bool ended = WaitForSingleObject(g_child, static_cast<DWORD>(timeout)) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(g_child, 1);
  GetExitCodeProcess(g_child, &code);
  CloseHandle(g_child);
  g_child = nullptr;
  return ended ? "ok " + std::to_string(code) : "err still running";
}

int64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA a;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &a)) return 0;
  return (static_cast<int64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
}

// clicklog <x> <y> <timeout ms> <log file>: times a click from the button's release until the
// log file has grown (the target appends each unit its edit control receives).
std::string CmdClickLog(Args& in) {
  int x = 0, y = 0, timeout = 5000;
  in >> x >> y >> timeout;
  std::wstring log = Widen(Rest(in));
  PressAt(x, y);
  int64_t before = FileSize(log);
  Clock clock;
  SendMouse(MOUSEEVENTF_LEFTUP, x, y);
  for (int polls = 1;; ++polls) {
    if (FileSize(log) > before) return Reply(clock.Micros(), polls);
    if (clock.Micros() > timeout * 1000LL) return "err timeout";
    Sleep(1);
  }
}

// The top rows of the panel: its title strip, naming the set, and the first row of keys. A grab
// this small costs a fraction of a millisecond, where the whole of a tall panel costs several.
constexpr int kBandRows = 46;

struct Look {
  int w = 0, h = 0;
  uint64_t band = 0, full = 0;
};

bool TakeLook(HWND h, bool withFull, Look& look) {
  RECT c;
  if (!ClientOnScreen(h, c)) return false;
  look.w = c.right - c.left;
  look.h = c.bottom - c.top;
  ScreenGrab grab;
  if (!grab.Take(c.left, c.top, look.w, look.h < kBandRows ? look.h : kBandRows)) return false;
  look.band = grab.Hash();
  if (!withFull) return true;
  if (!grab.Take(c.left, c.top, look.w, look.h)) return false;
  look.full = grab.Hash();
  return true;
}

// look <title prefix>: the visible window's client size, hashes of its top rows and of all its
// pixels on the screen, and its title.
std::string CmdLook(Args& in) {
  HWND h = FindVisibleByPrefix(Widen(Rest(in)));
  if (!h) return "err no window";
  Look look;
  if (!TakeLook(h, true, look)) return "err grab";
  wchar_t title[512];
  int n = GetWindowTextW(h, title, 512);
  std::wstring t(title, static_cast<size_t>(n > 0 ? n : 0));
  int bytes = WideCharToMultiByte(CP_UTF8, 0, t.c_str(), static_cast<int>(t.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, t.c_str(), static_cast<int>(t.size()), &narrow[0], bytes, nullptr, nullptr);
  char buf[128];
  std::snprintf(buf, sizeof buf, "ok %d %d %016llx %016llx ", look.w, look.h,
                static_cast<unsigned long long>(look.band), static_cast<unsigned long long>(look.full));
  return buf + narrow;
}

// clicklook <x> <y> <timeout ms> <width> <height> <band hash> <full hash> <title>: times a click
// from the button's release until the window with exactly that title is on the screen as an
// earlier "look" saw it. Polls compare the top rows; the first poll whose top rows match also
// compares the whole window, and counts only if that matches too.
std::string CmdClickLook(Args& in) {
  int x = 0, y = 0, timeout = 5000;
  Look want;
  std::string band, full;
  in >> x >> y >> timeout >> want.w >> want.h >> band >> full;
  want.band = std::strtoull(band.c_str(), nullptr, 16);
  want.full = std::strtoull(full.c_str(), nullptr, 16);
  std::wstring title = Widen(Rest(in));
  PressAt(x, y);
  Clock clock;
  SendMouse(MOUSEEVENTF_LEFTUP, x, y);
  for (int polls = 1;; ++polls) {
    HWND h = FindWindowW(nullptr, title.c_str());
    Look seen;
    if (h && TakeLook(h, false, seen) && seen.w == want.w && seen.h == want.h && seen.band == want.band) {
      int64_t at = clock.Micros();
      if (TakeLook(h, true, seen) && seen.full == want.full) return Reply(at, polls);
    }
    if (clock.Micros() > timeout * 1000LL) return "err timeout";
    Sleep(1);
  }
}

// Everything a full load of `set` spends in its loader's pauses.
int TotalLoadPauseMs(int set) {
  int total = qp::LoadPausesFor(set).afterLoopMs;
  for (int i = 1; i <= qp::LayoutPositionCount(set); ++i) total += qp::PauseBeforePositionMs(set, i);
  return total;
}

// setinfo <set>: what a full load of the set spends in its loader's pauses, and the height its
// grid asks for (wide layout, then Esperanto's compact one).
std::string CmdSetInfo(Args& in) {
  int set = 1;
  in >> set;
  char buf[64];
  std::snprintf(buf, sizeof buf, "ok %d %d %d", TotalLoadPauseMs(set), qp::KeyAreaHeightForSet(set, false),
                qp::KeyAreaHeightForSet(set, true));
  return buf;
}

// repaint <count> <title prefix>: repaints the whole client area of the visible window <count>
// times: the area is invalidated, then WM_PAINT is sent and answered once the window has painted.
// Each sample is "paint,empty": the paint's microseconds and those of a WM_NULL round trip to
// the same window just before, which is the part that is not painting.
std::string CmdRepaint(Args& in) {
  int count = 1;
  in >> count;
  HWND h = FindVisibleByPrefix(Widen(Rest(in)));
  if (!h) return "err no window";
  std::string reply = "ok";
  for (int i = 0; i < count; ++i) {
    DWORD_PTR result = 0;
    Clock empty;
    if (!SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &result)) return "err no answer";
    const int64_t emptyMicros = empty.Micros();
    InvalidateRect(h, nullptr, FALSE);
    Clock paint;
    if (!SendMessageTimeoutW(h, WM_PAINT, 0, 0, SMTO_BLOCK, 10000, &result)) return "err no answer";
    reply += " " + std::to_string(paint.Micros()) + "," + std::to_string(emptyMicros);
  }
  return reply;
}

std::string RunCommand(const std::string& line) {
  Args in(line);
  std::string cmd;
  in >> cmd;
  if (cmd == "launch") return CmdLaunch(in);
  if (cmd == "waitexit") return CmdWaitExit(in);
  if (cmd == "clicklog") return CmdClickLog(in);
  if (cmd == "look") return CmdLook(in);
  if (cmd == "clicklook") return CmdClickLook(in);
  if (cmd == "setinfo") return CmdSetInfo(in);
  if (cmd == "repaint") return CmdRepaint(in);
  if (cmd == "ping") return "ok";
  std::string reply = qpb::RunFindBenchCommand(cmd, in);
  if (!reply.empty()) return reply;
  return "err unknown command " + cmd;
}

}  // namespace

int wmain() {
  char buf[4096];
  while (std::fgets(buf, sizeof buf, stdin)) {
    std::string line(buf);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line == "exit") break;
    std::string reply = RunCommand(line);
    std::printf("%s\n", reply.c_str());
    std::fflush(stdout);
  }
  if (g_child) CloseHandle(g_child);
  return 0;
}
