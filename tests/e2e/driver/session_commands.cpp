// Driver commands that make Windows' own events happen around the program: a file held open
// by another program, the shell restarting, the capture taken away, the display changing,
// the session ending, a shell folder moved, and a planted program standing in for another; and
// the monitors as the system lists them.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwctype>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"

namespace qpd {
namespace {

std::wstring RestOf(std::istringstream& in) {
  std::string rest;
  std::getline(in, rest);
  const size_t i = rest.find_first_not_of(' ');
  return Widen(i == std::string::npos ? std::string() : rest.substr(i));
}

HWND Top(std::istringstream& in) { return TopWindowByPrefix(RestOf(in)); }

std::vector<HANDLE> g_locked;

// lock <path>: opened with no sharing at all and held until "unlock".
std::string CmdLock(std::istringstream& in) {
  const std::wstring path = RestOf(in);
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "err cannot open " + std::to_string(GetLastError());
  g_locked.push_back(h);
  return "ok";
}

std::string CmdUnlock() {
  for (HANDLE h : g_locked) CloseHandle(h);
  g_locked.clear();
  return "ok";
}

// traydelete <uID> <title prefix>: removes that window's tray icon, as a dying shell loses it.
std::string CmdTrayDelete(std::istringstream& in) {
  UINT id = 0;
  in >> id;
  HWND h = Top(in);
  if (!h) return "err no window";
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof nid;
  nid.hWnd = h;
  nid.uID = id;
  return Shell_NotifyIconW(NIM_DELETE, &nid) ? "ok" : "err not removed";
}

// broadcast <registered message name>: posted to every top-level window.
std::string CmdBroadcast(std::istringstream& in) {
  const UINT msg = RegisterWindowMessageW(RestOf(in).c_str());
  if (msg == 0) return "err cannot register";
  return PostMessageW(HWND_BROADCAST, msg, 0, 0) ? "ok" : "err not posted";
}

// sendmsg <message> <wparam> <lparam> <title prefix>: the window's answer.
std::string CmdSendMessage(std::istringstream& in) {
  unsigned msg = 0;
  long long wp = 0, lp = 0;
  in >> msg >> wp >> lp;
  HWND h = Top(in);
  if (!h) return "err no window";
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(h, msg, static_cast<WPARAM>(wp), static_cast<LPARAM>(lp), SMTO_ABORTIFHUNG, 10000,
                           &answer)) {
    return "err no answer";
  }
  return "ok " + std::to_string(static_cast<long long>(answer));
}

// displaymode <width> <height>: the primary display (here Wine's virtual desktop) set to that size.
std::string CmdDisplayMode(std::istringstream& in) {
  DWORD w = 0, h = 0;
  in >> w >> h;
  DEVMODEW mode = {};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = w;
  mode.dmPelsHeight = h;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  const LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
  return result == DISP_CHANGE_SUCCESSFUL ? "ok" : "err " + std::to_string(result);
}

// The two registry keys the shell reads a user's folder from, in the order it reads them.
const wchar_t* const kFolderKeys[] = {L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};

struct SavedValue {
  const wchar_t* key;
  std::wstring name;
  bool existed;
  DWORD type;
  std::vector<BYTE> data;
};
std::vector<SavedValue> g_savedFolders;

// shellfolder <value name> <path>: the user's shell folder of that name moved to path, in both
// keys; "shellfolder restore" puts back what they held before.
std::string CmdShellFolder(std::istringstream& in) {
  std::string name;
  in >> name;
  if (name == "restore") {
    for (auto it = g_savedFolders.rbegin(); it != g_savedFolders.rend(); ++it) {
      HKEY k = nullptr;
      if (RegOpenKeyExW(HKEY_CURRENT_USER, it->key, 0, KEY_WRITE, &k) != ERROR_SUCCESS) continue;
      if (it->existed) {
        RegSetValueExW(k, it->name.c_str(), 0, it->type, it->data.data(), static_cast<DWORD>(it->data.size()));
      } else {
        RegDeleteValueW(k, it->name.c_str());
      }
      RegCloseKey(k);
    }
    g_savedFolders.clear();
    return "ok";
  }
  const std::wstring value = Widen(name);
  const std::wstring path = RestOf(in);
  for (const wchar_t* key : kFolderKeys) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &k, nullptr) !=
        ERROR_SUCCESS) {
      return "err cannot open key";
    }
    SavedValue saved{key, value, false, REG_SZ, std::vector<BYTE>(4096)};
    DWORD bytes = static_cast<DWORD>(saved.data.size());
    saved.existed = RegQueryValueExW(k, value.c_str(), nullptr, &saved.type, saved.data.data(), &bytes) == ERROR_SUCCESS;
    saved.data.resize(saved.existed ? bytes : 0);
    g_savedFolders.push_back(saved);
    const DWORD type = key == kFolderKeys[0] ? REG_EXPAND_SZ : REG_SZ;
    RegSetValueExW(k, value.c_str(), 0, type, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(k);
  }
  return "ok";
}

BOOL CALLBACK ListMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM out) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  char buf[160];
  std::snprintf(buf, sizeof buf, " | %ld %ld %ld %ld %ld %ld %ld %ld %d", info.rcMonitor.left, info.rcMonitor.top,
                info.rcMonitor.right, info.rcMonitor.bottom, info.rcWork.left, info.rcWork.top, info.rcWork.right,
                info.rcWork.bottom, (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? 1 : 0);
  *reinterpret_cast<std::string*>(out) += buf;
  return TRUE;
}

// monitors: "ok | l t r b  wl wt wr wb  primary | ..." for each monitor, bounds then work area.
std::string CmdMonitors() {
  std::string reply = "ok";
  EnumDisplayMonitors(nullptr, nullptr, ListMonitor, reinterpret_cast<LPARAM>(&reply));
  return reply;
}

}  // namespace

std::string RunSessionCommand(const std::string& cmd, std::istringstream& in) {
  if (cmd == "lock") return CmdLock(in);
  if (cmd == "unlock") return CmdUnlock();
  if (cmd == "traydelete") return CmdTrayDelete(in);
  if (cmd == "broadcast") return CmdBroadcast(in);
  if (cmd == "sendmsg") return CmdSendMessage(in);
  if (cmd == "displaymode") return CmdDisplayMode(in);
  if (cmd == "shellfolder") return CmdShellFolder(in);
  if (cmd == "monitors") return CmdMonitors();
  return std::string();
}

bool RunAsPlantedProgram() {
  // Copied under another program's name, the driver only leaves a mark that it was started.
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  std::wstring self(path, n);
  const size_t cut = self.find_last_of(L"\\/");
  std::wstring name = self.substr(cut + 1);
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
  if (name != L"wscript.exe") return false;
  const std::wstring mark = self.substr(0, cut + 1) + L"planted-program-ran.txt";
  HANDLE h = CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return true;
}

}  // namespace qpd
