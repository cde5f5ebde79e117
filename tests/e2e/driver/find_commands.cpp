// Driver commands for the Find window: typing a query, pressing a hotkey chord, holding a hotkey
// so that the program finds it taken, and reading what the Find window shows (its list and
// detail pane name themselves in their window texts).
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"

namespace qpd {
namespace {

constexpr int kHeldHotkeyId = 0xB001;

std::string RestOf(std::istringstream& in) {
  std::string rest;
  std::getline(in, rest);
  const size_t i = rest.find_first_not_of(' ');
  return i == std::string::npos ? std::string() : rest.substr(i);
}

INPUT KeyInput(WORD vk, WORD scan, DWORD flags) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = scan;
  in.ki.dwFlags = flags;
  return in;
}

// typetext <text>: letters, digits and spaces as their keys, anything else as Unicode input.
std::string CmdTypeText(std::istringstream& in) {
  const std::wstring text = Widen(RestOf(in));
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    const bool plainKey = (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L' ';
    if (plainKey) {
      const WORD vk = static_cast<WORD>(c >= L'a' ? c - L'a' + 'A' : c);
      inputs.push_back(KeyInput(vk, 0, 0));
      inputs.push_back(KeyInput(vk, 0, KEYEVENTF_KEYUP));
    } else {
      inputs.push_back(KeyInput(0, static_cast<WORD>(c), KEYEVENTF_UNICODE));
      inputs.push_back(KeyInput(0, static_cast<WORD>(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
  }
  // One key at a time, as a typist would, so that each keystroke is its own query.
  for (INPUT& i : inputs) {
    SendInput(1, &i, sizeof i);
    Sleep(15);
  }
  Sleep(50);
  return "ok";
}

std::vector<WORD> ModifierKeys(unsigned mods) {
  std::vector<WORD> keys;
  if (mods & MOD_CONTROL) keys.push_back(VK_CONTROL);
  if (mods & MOD_ALT) keys.push_back(VK_MENU);
  if (mods & MOD_SHIFT) keys.push_back(VK_SHIFT);
  if (mods & MOD_WIN) keys.push_back(VK_LWIN);
  return keys;
}

// chord <vk> <modifiers as the hotkey registration takes them>: the whole chord in one input call.
std::string CmdChord(std::istringstream& in) {
  unsigned vk = 0, mods = 0;
  in >> vk >> mods;
  std::vector<INPUT> inputs;
  const std::vector<WORD> keys = ModifierKeys(mods);
  for (WORD k : keys) inputs.push_back(KeyInput(k, 0, 0));
  inputs.push_back(KeyInput(static_cast<WORD>(vk), 0, 0));
  inputs.push_back(KeyInput(static_cast<WORD>(vk), 0, KEYEVENTF_KEYUP));
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) inputs.push_back(KeyInput(*it, 0, KEYEVENTF_KEYUP));
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(50);
  return sent == inputs.size() ? "ok" : "err sent " + std::to_string(sent);
}

// holdhotkey <vk> <modifiers>: registers the combination for the driver itself; "err <code>" when
// someone else has it. freehotkey gives it up.
std::string CmdHoldHotkey(std::istringstream& in) {
  unsigned vk = 0, mods = 0;
  in >> vk >> mods;
  if (RegisterHotKey(nullptr, kHeldHotkeyId, mods, vk)) return "ok";
  return "err " + std::to_string(GetLastError());
}

std::string CmdFreeHotkey() { return UnregisterHotKey(nullptr, kHeldHotkeyId) ? "ok" : "err not held"; }

// WM_GETTEXT rather than GetWindowText, which reads only the caption of another process's
// window and not an edit box's text.
std::wstring TextOf(HWND hwnd) {
  wchar_t buf[512] = {};
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &n)) return L"";
  return std::wstring(buf, static_cast<size_t>(n));
}

BOOL CALLBACK FindWindowProc(HWND hwnd, LPARAM lp) {
  wchar_t cls[64];
  GetClassNameW(hwnd, cls, 64);
  if (lstrcmpW(cls, L"QuillpadFind") != 0 || !FindWindowExW(hwnd, nullptr, L"QuillpadFindList", nullptr)) return TRUE;
  HWND* found = reinterpret_cast<HWND*>(lp);
  // A shown one wins over one of a program that is still ending.
  if (!*found || IsWindowVisible(hwnd)) *found = hwnd;
  return !IsWindowVisible(hwnd);
}

HWND FindFindWindow() {
  HWND found = nullptr;
  EnumWindows(FindWindowProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

// findstate: "ok <visible 0|1> <results> | <selected: code point and name> | <query>".
std::string CmdFindState() {
  HWND find = FindFindWindow();
  if (!find) return "err no find window";
  HWND list = FindWindowExW(find, nullptr, L"QuillpadFindList", nullptr);
  HWND detail = FindWindowExW(find, nullptr, L"QuillpadFindDetail", nullptr);
  HWND query = FindWindowExW(find, nullptr, L"EDIT", nullptr);
  const std::wstring results = list ? TextOf(list) : L"?";
  const std::string count = Narrow(results.substr(0, results.find(L' ')));
  return "ok " + std::string(IsWindowVisible(find) ? "1 " : "0 ") + count + " | " +
         (detail ? Narrow(TextOf(detail)) : std::string()) + " | " + (query ? Narrow(TextOf(query)) : std::string());
}

}  // namespace

std::string RunFindCommand(const std::string& cmd, std::istringstream& in) {
  if (cmd == "typetext") return CmdTypeText(in);
  if (cmd == "chord") return CmdChord(in);
  if (cmd == "holdhotkey") return CmdHoldHotkey(in);
  if (cmd == "freehotkey") return CmdFreeHotkey();
  if (cmd == "findstate") return CmdFindState();
  return std::string();
}

}  // namespace qpd
