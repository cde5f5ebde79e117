// Driver commands for delivery: another program holding the clipboard, who owns a window, the
// stacking order of two windows, and the integrity levels the program reads.
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "driver.h"
#include "platform/delivery_win.h"

namespace qpd {
namespace {

std::string Rest(std::istringstream& in) {
  std::string rest;
  std::getline(in, rest);
  size_t i = rest.find_first_not_of(' ');
  return i == std::string::npos ? std::string() : rest.substr(i);
}

struct Hold {
  HANDLE opened;
  DWORD ms;
  bool open;
};

DWORD WINAPI HoldClipboard(void* param) {
  Hold* hold = static_cast<Hold*>(param);
  const DWORD ms = hold->ms;
  // Opened for a window, as clipboard managers do: Wine lets two openings without a window
  // share the clipboard.
  const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const bool open = window != nullptr && OpenClipboard(window) != 0;
  hold->open = open;
  SetEvent(hold->opened);  // `hold` belongs to the waiting command from here on
  if (open) {
    Sleep(ms);
    CloseClipboard();
  }
  if (window != nullptr) DestroyWindow(window);
  return open ? 0 : 1;
}

// holdclipboard <ms>: another thread opens the clipboard and keeps it open for <ms>, as a
// clipboard manager does for a moment; the reply comes once it is open.
std::string CmdHoldClipboard(std::istringstream& in) {
  int ms = 100;
  in >> ms;
  Hold hold{CreateEventW(nullptr, TRUE, FALSE, nullptr), static_cast<DWORD>(ms), false};
  if (hold.opened == nullptr) return "err event";
  HANDLE thread = CreateThread(nullptr, 0, HoldClipboard, &hold, 0, nullptr);
  if (thread == nullptr) {
    CloseHandle(hold.opened);
    return "err thread";
  }
  const bool signalled = WaitForSingleObject(hold.opened, 5000) == WAIT_OBJECT_0;
  CloseHandle(hold.opened);
  CloseHandle(thread);
  return signalled && hold.open ? "ok" : "err clipboard busy";
}

std::string Title(HWND window) {
  wchar_t title[512];
  const int n = GetWindowTextW(window, title, 512);
  return Narrow(std::wstring(title, static_cast<size_t>(n > 0 ? n : 0)));
}

// ownertitle <title>: the title of the window that owns the top-level window with that title.
std::string CmdOwnerTitle(std::istringstream& in) {
  const HWND window = FindWindowW(nullptr, Widen(Rest(in)).c_str());
  if (window == nullptr) return "err no window";
  const HWND owner = GetWindow(window, GW_OWNER);
  return owner == nullptr ? "ok" : "ok " + Title(owner);
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

// above <title>|<prefix of another title>: 1 when the first window is stacked above the second.
std::string CmdAbove(std::istringstream& in) {
  const std::string rest = Rest(in);
  const size_t bar = rest.find('|');
  if (bar == std::string::npos) return "err want <title>|<prefix>";
  const std::string upper = rest.substr(0, bar), lower = rest.substr(bar + 1);
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (!IsWindowVisible(w)) continue;
    const std::string title = Title(w);
    if (title == upper) return "ok 1";
    if (StartsWith(title, lower)) return "ok 0";
  }
  return "err neither window";
}

// integrity <title>: the integrity levels of the process owning the window and of this driver,
// read the way the program reads them.
std::string CmdIntegrity(std::istringstream& in) {
  const HWND window = FindWindowW(nullptr, Widen(Rest(in)).c_str());
  if (window == nullptr) return "err no window";
  char reply[64];
  std::snprintf(reply, sizeof reply, "ok %u %u", qpw::WindowProcessIntegrity(reinterpret_cast<uintptr_t>(window)),
                qpw::OwnProcessIntegrity());
  return reply;
}

}  // namespace

std::string RunDeliveryCommand(const std::string& cmd, std::istringstream& in) {
  if (cmd == "holdclipboard") return CmdHoldClipboard(in);
  if (cmd == "ownertitle") return CmdOwnerTitle(in);
  if (cmd == "above") return CmdAbove(in);
  if (cmd == "integrity") return CmdIntegrity(in);
  return std::string();
}

}  // namespace qpd
