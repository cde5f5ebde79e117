// Driver commands that read another program's accessibility tree as a screen reader does
// (AccessibleObjectFromWindow, AccessibleChildren) and switch the system's high-contrast mode.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"

namespace qpd {
namespace {

IAccessible* g_held = nullptr;  // kept across commands, to ask it after the window changed

std::wstring RestW(std::istringstream& in) {
  std::string rest;
  std::getline(in, rest);
  size_t i = rest.find_first_not_of(' ');
  return Widen(i == std::string::npos ? std::string() : rest.substr(i));
}

std::string Hex(HRESULT hr) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08lX", static_cast<unsigned long>(hr));
  return buf;
}

IAccessible* ClientObject(std::istringstream& in, std::string& error) {
  static bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  (void)com;
  const HWND found = TopWindowByPrefix(RestW(in));
  if (!found) {
    error = "err no window";
    return nullptr;
  }
  IAccessible* acc = nullptr;
  HRESULT hr = AccessibleObjectFromWindow(found, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&acc));
  if (FAILED(hr) || !acc) error = "err AccessibleObjectFromWindow " + Hex(hr);
  return acc;
}

VARIANT Child(LONG id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::string Take(HRESULT hr, BSTR& s) {
  std::string out = SUCCEEDED(hr) && s ? Narrow(std::wstring(s, SysStringLen(s))) : std::string();
  SysFreeString(s);
  return out;
}

LONG I4(HRESULT hr, VARIANT& v) {
  LONG out = SUCCEEDED(hr) && v.vt == VT_I4 ? v.lVal : -1;
  VariantClear(&v);
  return out;
}

// One child: id, role, state, name, value, description, default action; fields split by
// U+001F, children by U+001E (no name holds either).
std::string Describe(IAccessible* acc, LONG id) {
  VARIANT c = Child(id), role, state;
  BSTR name = nullptr, value = nullptr, desc = nullptr, action = nullptr;
  std::string out = std::to_string(id);
  out += "\x1f" + std::to_string(I4(acc->get_accRole(c, &role), role));
  out += "\x1f" + std::to_string(I4(acc->get_accState(c, &state), state));
  out += "\x1f" + Take(acc->get_accName(c, &name), name);
  out += "\x1f" + Take(acc->get_accValue(c, &value), value);
  out += "\x1f" + Take(acc->get_accDescription(c, &desc), desc);
  out += "\x1f" + Take(acc->get_accDefaultAction(c, &action), action);
  return out;
}

// acctree <title prefix>: "ok <child count>" and every child as Describe gives it.
std::string CmdTree(std::istringstream& in) {
  std::string error;
  IAccessible* acc = ClientObject(in, error);
  if (!acc) return error;
  long count = 0;
  HRESULT hr = acc->get_accChildCount(&count);
  std::string out = "ok " + std::to_string(count);
  std::vector<VARIANT> kids(static_cast<size_t>(count > 0 ? count : 0));
  long got = 0;
  if (SUCCEEDED(hr) && count > 0) hr = AccessibleChildren(acc, 0, count, kids.data(), &got);
  if (FAILED(hr)) out = "err children " + Hex(hr);
  for (long i = 0; SUCCEEDED(hr) && i < got; ++i) {
    if (kids[static_cast<size_t>(i)].vt == VT_I4) out += "\x1e" + Describe(acc, kids[static_cast<size_t>(i)].lVal);
    VariantClear(&kids[static_cast<size_t>(i)]);
  }
  acc->Release();
  return out;
}

// accdo <id> <title prefix>: the child's default action.
std::string CmdDo(std::istringstream& in) {
  LONG id = 0;
  in >> id;
  std::string error;
  IAccessible* acc = ClientObject(in, error);
  if (!acc) return error;
  HRESULT hr = acc->accDoDefaultAction(Child(id));
  acc->Release();
  return SUCCEEDED(hr) ? "ok" : "err " + Hex(hr);
}

// acchold <title prefix>: keeps the window's object; accheld <id>: the answer of the kept
// object's get_accName for the child now, as "ok <HRESULT> <name>".
std::string CmdHold(std::istringstream& in) {
  std::string error;
  IAccessible* acc = ClientObject(in, error);
  if (!acc) return error;
  if (g_held) g_held->Release();
  g_held = acc;
  return "ok";
}

std::string CmdHeld(std::istringstream& in) {
  LONG id = 0;
  in >> id;
  if (!g_held) return "err nothing held";
  BSTR name = nullptr;
  HRESULT hr = g_held->get_accName(Child(id), &name);
  return "ok " + Hex(hr) + " " + Take(hr, name);
}

// contrast on|off: switches the system's high-contrast mode and answers what it reads back.
std::string CmdContrast(std::istringstream& in) {
  std::string mode;
  in >> mode;
  HIGHCONTRASTW hc = {};
  hc.cbSize = sizeof hc;
  hc.dwFlags = mode == "on" ? HCF_HIGHCONTRASTON : 0;
  BOOL set = SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof hc, &hc, SPIF_SENDCHANGE);
  HIGHCONTRASTW back = {};
  back.cbSize = sizeof back;
  BOOL got = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof back, &back, 0);
  return std::string("ok ") + (set ? "set" : "notset") + " " + (got && (back.dwFlags & HCF_HIGHCONTRASTON) ? "1" : "0");
}

// focusid: the control id of the window with the keyboard focus in the foreground thread.
std::string CmdFocusId() {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(GetForegroundWindow(), nullptr), &info) || !info.hwndFocus) {
    return "err no focus";
  }
  return "ok " + std::to_string(GetDlgCtrlID(info.hwndFocus));
}

// syscolor <index>: the system colour as RRGGBB.
std::string CmdSysColor(std::istringstream& in) {
  int index = 0;
  in >> index;
  const COLORREF c = GetSysColor(index);
  char buf[16];
  std::snprintf(buf, sizeof buf, "ok %02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

// Win events of the watched process, caught by a thread of their own that keeps pumping
// messages, as a screen reader's does.
// The mingw threads in use have no std::mutex: a critical section, made before the thread.
CRITICAL_SECTION g_eventsLock;
std::string g_events;

class Locked {
 public:
  Locked() { EnterCriticalSection(&g_eventsLock); }
  ~Locked() { LeaveCriticalSection(&g_eventsLock); }
};
DWORD g_watchedPid = 0;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object != OBJID_CLIENT) return;
  char buf[32];
  std::snprintf(buf, sizeof buf, " %lX:%ld", static_cast<unsigned long>(event), static_cast<long>(child));
  Locked lock;
  g_events += buf;
}

DWORD WINAPI WatchThread(LPVOID) {
  SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_NAMECHANGE, nullptr, OnWinEvent, g_watchedPid, 0,
                  WINEVENT_OUTOFCONTEXT);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

// accwatch <title prefix>: starts catching the window's process's tree events (once);
// accevents: "ok" and the events caught since the last call, as " EVENT:CHILD" in hex:decimal.
std::string CmdWatch(std::istringstream& in) {
  const HWND found = TopWindowByPrefix(RestW(in));
  if (!found) return "err no window";
  if (g_watchedPid != 0) return "ok";
  InitializeCriticalSection(&g_eventsLock);
  GetWindowThreadProcessId(found, &g_watchedPid);
  HANDLE thread = CreateThread(nullptr, 0, WatchThread, nullptr, 0, nullptr);
  if (!thread) return "err no thread";
  CloseHandle(thread);
  Sleep(200);
  return "ok";
}

std::string CmdEvents() {
  Sleep(300);
  if (g_watchedPid == 0) return "err not watching";
  Locked lock;
  return "ok" + std::exchange(g_events, std::string());
}

}  // namespace

std::string RunAccessCommand(const std::string& cmd, std::istringstream& in) {
  if (cmd == "acctree") return CmdTree(in);
  if (cmd == "accdo") return CmdDo(in);
  if (cmd == "acchold") return CmdHold(in);
  if (cmd == "accheld") return CmdHeld(in);
  if (cmd == "contrast") return CmdContrast(in);
  if (cmd == "focusid") return CmdFocusId();
  if (cmd == "accwatch") return CmdWatch(in);
  if (cmd == "accevents") return CmdEvents();
  if (cmd == "syscolor") return CmdSysColor(in);
  return {};
}

}  // namespace qpd
