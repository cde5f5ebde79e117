// Driver commands that look at another process from outside, for long runs: how many GDI
// objects and USER objects (windows, menus) it holds, and whether it still answers messages.
//
// Wine has no GetGuiResources counts, so the GDI objects are read from the process's GDI
// handle table: Wine keeps it in the process's own memory and publishes its address in the
// PEB (GdiSharedHandleTable), as Windows does. A live entry has a non-zero type byte.
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"

namespace qpd {
namespace {

// One entry of the table (24 bytes on both widths): object pointer, owner, unique word
// (7 bits type, 1 bit stock, 8 bits generation), type byte, flags, user pointer.
#pragma pack(push, 1)
struct GdiEntry {
  uint64_t object;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t user;
};
#pragma pack(pop)
static_assert(sizeof(GdiEntry) == 24, "GDI handle table entry");
constexpr size_t kGdiEntries = 0x10000;
// Offset of GdiSharedHandleTable in the 64-bit PEB.
constexpr size_t kPebGdiTableOffset = 0xF8;

HWND TopByPrefix(std::istringstream& in) {
  std::string rest;
  std::getline(in, rest);
  size_t i = rest.find_first_not_of(' ');
  return TopWindowByPrefix(Widen(i == std::string::npos ? std::string() : rest.substr(i)));
}

using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

// Live entries of the process's GDI handle table, by the entry's 7-bit type; -1 in "error"
// when the table cannot be read.
struct GdiCount {
  int live = 0;
  int stock = 0;
  int used = 0;  // entries ever used: the table's high-water mark
  std::map<int, int> byType;
  std::string error;
};

GdiCount CountGdi(DWORD pid) {
  GdiCount c;
  HANDLE proc = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!proc) {
    c.error = "open process";
    return c;
  }
  BOOL selfWow = FALSE, otherWow = FALSE;
  IsWow64Process(GetCurrentProcess(), &selfWow);
  IsWow64Process(proc, &otherWow);
  auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION info = {};
  uint64_t table = 0;
  if (sizeof(void*) != 8 || selfWow || otherWow) {
    c.error = "needs a 64-bit driver and program";
  } else if (!query || query(proc, ProcessBasicInformation, &info, sizeof info, nullptr) != 0) {
    c.error = "no process information";
  } else if (!ReadProcessMemory(proc, reinterpret_cast<const BYTE*>(info.PebBaseAddress) + kPebGdiTableOffset, &table,
                                sizeof table, nullptr) ||
             table == 0) {
    c.error = "no GDI table in the PEB";
  } else {
    std::vector<GdiEntry> entries(kGdiEntries);
    // The table is committed in one piece; read it in slices so a short tail still counts.
    const size_t slice = 4096;
    for (size_t first = 0; first < kGdiEntries; first += slice) {
      SIZE_T got = 0;
      if (!ReadProcessMemory(proc, reinterpret_cast<const void*>(table + first * sizeof(GdiEntry)), &entries[first],
                             slice * sizeof(GdiEntry), &got) ||
          got != slice * sizeof(GdiEntry)) {
        if (first == 0) c.error = "cannot read the GDI table";
        entries.resize(first);
        break;
      }
    }
    for (const GdiEntry& e : entries) {
      if (e.unique != 0 || e.type != 0) ++c.used;
      if (e.type == 0) continue;
      ++c.live;
      if (e.unique & 0x80) ++c.stock;
      ++c.byType[e.unique & 0x7f];
    }
  }
  CloseHandle(proc);
  return c;
}

struct UserCount {
  DWORD pid = 0;
  int top = 0;
  int child = 0;
  int messageOnly = 0;
  std::set<HMENU> menus;
  int popupMenus = 0;
};

BOOL CALLBACK CountChild(HWND hwnd, LPARAM lp) {
  auto* c = reinterpret_cast<UserCount*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == c->pid) ++c->child;
  return TRUE;
}

void CountWindowMenu(UserCount* c, HWND hwnd) {
  // GetMenu of a child window gives its id, not a menu.
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) return;
  if (HMENU m = GetMenu(hwnd)) c->menus.insert(m);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (lstrcmpW(cls, L"#32768") == 0 && IsWindowVisible(hwnd)) {
    // A shown pop-up menu: the menu it tracks.
    DWORD_PTR menu = 0;
    if (SendMessageTimeoutW(hwnd, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &menu) && menu) {
      c->menus.insert(reinterpret_cast<HMENU>(menu));
      ++c->popupMenus;
    }
  }
}

BOOL CALLBACK CountTop(HWND hwnd, LPARAM lp) {
  auto* c = reinterpret_cast<UserCount*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == c->pid) {
    ++c->top;
    CountWindowMenu(c, hwnd);
  }
  // Children of any top-level window may belong to the process (none do today, but a window
  // parented across processes still holds its objects).
  EnumChildWindows(hwnd, CountChild, lp);
  return TRUE;
}

UserCount CountUser(DWORD pid) {
  UserCount c;
  c.pid = pid;
  EnumWindows(CountTop, reinterpret_cast<LPARAM>(&c));
  for (HWND h = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
       h = FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner != pid) continue;
    ++c.messageOnly;
    EnumChildWindows(h, CountChild, reinterpret_cast<LPARAM>(&c));
  }
  return c;
}

// objects <window title prefix>: the objects of the process that owns that top-level window.
// Reply: ok pid=N gdi=N stock=N used=N types=TT:N,... windows=N top=N child=N msgonly=N
// menus=N popup=N
std::string CmdObjects(std::istringstream& in) {
  HWND top = TopByPrefix(in);
  if (!top) return "err no window";
  DWORD pid = 0;
  GetWindowThreadProcessId(top, &pid);
  GdiCount g = CountGdi(pid);
  if (!g.error.empty()) return "err " + g.error;
  UserCount u = CountUser(pid);
  std::string types;
  char buf[64];
  for (const auto& t : g.byType) {
    std::snprintf(buf, sizeof buf, "%s%02X:%d", types.empty() ? "" : ",", t.first, t.second);
    types += buf;
  }
  char head[256];
  std::snprintf(head, sizeof head, "ok pid=%lu gdi=%d stock=%d used=%d types=%s", static_cast<unsigned long>(pid),
                g.live, g.stock, g.used, types.empty() ? "-" : types.c_str());
  std::snprintf(buf, sizeof buf, " windows=%d top=%d child=%d msgonly=%d", u.top + u.child + u.messageOnly, u.top,
                u.child, u.messageOnly);
  std::string reply = std::string(head) + buf;
  std::snprintf(buf, sizeof buf, " menus=%d popup=%d", static_cast<int>(u.menus.size()), u.popupMenus);
  return reply + buf;
}

// responds <timeout ms> <window title prefix>: a WM_NULL round trip through the window's
// thread; replies the time it took in milliseconds.
std::string CmdResponds(std::istringstream& in) {
  int timeout = 5000;
  in >> timeout;
  HWND top = TopByPrefix(in);
  if (!top) return "err no window";
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t0);
  DWORD_PTR result = 0;
  LRESULT ok = SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, static_cast<UINT>(timeout), &result);
  QueryPerformanceCounter(&t1);
  if (!ok) return "err no answer";
  char buf[48];
  std::snprintf(buf, sizeof buf, "ok %.1f", static_cast<double>(t1.QuadPart - t0.QuadPart) * 1000.0 / freq.QuadPart);
  return buf;
}

}  // namespace

std::string RunSoakCommand(const std::string& cmd, std::istringstream& in) {
  if (cmd == "objects") return CmdObjects(in);
  if (cmd == "responds") return CmdResponds(in);
  return std::string();
}

}  // namespace qpd
