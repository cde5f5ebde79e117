// Driver commands on controls of other processes (text, tree views), window sizes and owners,
// and shortcut files. Anything that passes a pointer to another process uses memory
// allocated in that process.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"

namespace qpd {

namespace {

struct PrefixSearch {
  std::wstring prefix;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK PrefixProc(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<PrefixSearch*>(lp);
  wchar_t title[512];
  int n = GetWindowTextW(hwnd, title, 512);
  if ((!st->visibleOnly || IsWindowVisible(hwnd)) && n >= static_cast<int>(st->prefix.size()) &&
      std::wstring(title, st->prefix.size()) == st->prefix) {
    st->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND TopWindowByPrefix(const std::wstring& prefix, bool visibleOnly) {
  PrefixSearch st{prefix, visibleOnly, nullptr};
  EnumWindows(PrefixProc, reinterpret_cast<LPARAM>(&st));
  return st.found;
}

namespace {

HWND TopByPrefix(const std::wstring& prefix) { return TopWindowByPrefix(prefix); }

std::wstring RestW(std::istringstream& in) {
  std::string rest;
  std::getline(in, rest);
  size_t i = rest.find_first_not_of(' ');
  return Widen(i == std::string::npos ? std::string() : rest.substr(i));
}

HWND Control(int id, std::istringstream& in) {
  HWND top = TopByPrefix(RestW(in));
  return top ? GetDlgItem(top, id) : nullptr;
}

// A block of memory in the process that owns a window, freed with this owner.
class RemoteBlock {
 public:
  RemoteBlock(HWND hwnd, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    proc_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (proc_) mem_ = static_cast<BYTE*>(VirtualAllocEx(proc_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteBlock() {
    if (mem_) VirtualFreeEx(proc_, mem_, 0, MEM_RELEASE);
    if (proc_) CloseHandle(proc_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  bool ok() const { return mem_ != nullptr; }
  BYTE* at(size_t offset) const { return mem_ + offset; }
  bool Write(size_t offset, const void* data, size_t n) const {
    return offset + n <= size_ && WriteProcessMemory(proc_, mem_ + offset, data, n, nullptr);
  }
  bool Read(size_t offset, void* data, size_t n) const {
    return offset + n <= size_ && ReadProcessMemory(proc_, mem_ + offset, data, n, nullptr);
  }

 private:
  size_t size_;
  HANDLE proc_ = nullptr;
  BYTE* mem_ = nullptr;
};

std::vector<HTREEITEM> RootItems(HWND tree) {
  std::vector<HTREEITEM> items;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  while (item && items.size() < 1000) {
    items.push_back(item);
    item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
  }
  return items;
}

// ctltext <control id> <window title prefix>: the control's whole text as UTF-16 hex, and its class.
std::string CmdControlText(std::istringstream& in) {
  int id = 0;
  in >> id;
  HWND c = Control(id, in);
  if (!c) return "err no control";
  wchar_t cls[64] = {};
  GetClassNameW(c, cls, 64);
  LRESULT len = SendMessageW(c, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(len > 0 ? len : 0) + 1, L'\0');
  LRESULT got = SendMessageW(c, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return "ok " + Narrow(cls) + " " + HexUnits(text);
}

// treeitems <control id> <window title prefix>: TVM_GETCOUNT, the selected root item's index
// (-1 for none) and the root items' texts, '|' between them.
std::string CmdTreeItems(std::istringstream& in) {
  int id = 0;
  in >> id;
  HWND tree = Control(id, in);
  if (!tree) return "err no control";
  const LRESULT count = SendMessageW(tree, TVM_GETCOUNT, 0, 0);
  const auto caret = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  constexpr int kUnits = 256;
  RemoteBlock remote(tree, sizeof(TVITEMW) + kUnits * sizeof(wchar_t));
  if (!remote.ok()) return "err remote memory";
  std::string texts;
  int selected = -1;
  const std::vector<HTREEITEM> items = RootItems(tree);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == caret) selected = static_cast<int>(i);
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = items[i];
    tv.pszText = reinterpret_cast<wchar_t*>(remote.at(sizeof(TVITEMW)));
    tv.cchTextMax = kUnits;
    wchar_t buf[kUnits] = {};
    if (!remote.Write(0, &tv, sizeof tv) || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.at(0))) ||
        !remote.Read(sizeof(TVITEMW), buf, sizeof buf)) {
      return "err item text";
    }
    buf[kUnits - 1] = 0;
    if (i) texts += "|";
    texts += Narrow(buf);
  }
  return "ok " + std::to_string(static_cast<long long>(count)) + " " + std::to_string(selected) + " " + texts;
}

// treeitemrect <control id> <index> <window title prefix>: a root item's text rectangle on the screen.
std::string CmdTreeItemRect(std::istringstream& in) {
  int id = 0, index = 0;
  in >> id >> index;
  HWND tree = Control(id, in);
  if (!tree) return "err no control";
  const std::vector<HTREEITEM> items = RootItems(tree);
  if (index < 0 || static_cast<size_t>(index) >= items.size()) return "err no item";
  RemoteBlock remote(tree, sizeof(RECT));
  if (!remote.ok()) return "err remote memory";
  // TVM_GETITEMRECT takes the item in the rectangle's place and gives the rectangle back there.
  RECT r = {};
  HTREEITEM item = items[static_cast<size_t>(index)];
  static_assert(sizeof(HTREEITEM) <= sizeof(RECT), "item handle fits");
  std::memcpy(&r, &item, sizeof item);
  if (!remote.Write(0, &r, sizeof r) ||
      !SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote.at(0))) ||
      !remote.Read(0, &r, sizeof r)) {
    return "err item rect";
  }
  MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&r), 2);
  char buf[96];
  std::snprintf(buf, sizeof buf, "ok %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
  return buf;
}

// resize <width> <height> <window title prefix>: sets the window's outer size, as a user's drag
// of its border would.
std::string CmdResize(std::istringstream& in) {
  int w = 0, h = 0;
  in >> w >> h;
  HWND top = TopByPrefix(RestW(in));
  if (!top) return "err no window";
  SetWindowPos(top, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return "ok";
}

// owner <window title prefix>: 1 when the window has an owner, else 0; then 1 when it is the
// active window of its thread's queue as the system sees it (the foreground window).
std::string CmdOwner(std::istringstream& in) {
  HWND top = TopByPrefix(RestW(in));
  if (!top) return "err no window";
  return std::string("ok ") + (GetWindow(top, GW_OWNER) ? "1" : "0") + " " + (GetForegroundWindow() == top ? "1" : "0");
}

// shortcut <path>: a shortcut file read through the shell: target, arguments, icon file,
// icon index, working folder, show command; '|' between them.
std::string CmdShortcut(std::istringstream& in) {
  const std::wstring path = RestW(in);
  CoInitialize(nullptr);
  std::string reply = "err cannot read";
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
        wchar_t target[MAX_PATH] = {}, args[1024] = {}, icon[MAX_PATH] = {}, dir[MAX_PATH] = {};
        int iconIndex = -1, show = -1;
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetArguments(args, 1024);
        link->GetIconLocation(icon, MAX_PATH, &iconIndex);
        link->GetWorkingDirectory(dir, MAX_PATH);
        link->GetShowCmd(&show);
        reply = "ok " + Narrow(target) + "|" + Narrow(args) + "|" + Narrow(icon) + "|" + std::to_string(iconIndex) +
                "|" + Narrow(dir) + "|" + std::to_string(show);
      }
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return reply;
}

// folder <temp | CSIDL number>: the temporary folder (long form) or a shell folder, as the
// programs see them.
std::string CmdFolder(std::istringstream& in) {
  std::string which;
  in >> which;
  wchar_t path[MAX_PATH + 1] = {};
  if (which == "temp") {
    wchar_t temp[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH, temp) || !GetLongPathNameW(temp, path, MAX_PATH)) return "err no temp folder";
  } else if (FAILED(SHGetFolderPathW(nullptr, std::atoi(which.c_str()), nullptr, 0, path))) {
    return "err no such folder";
  }
  return "ok " + Narrow(path);
}

}  // namespace

std::string RunWindowCommand(const std::string& cmd, std::istringstream& in) {
  if (cmd == "ctltext") return CmdControlText(in);
  if (cmd == "treeitems") return CmdTreeItems(in);
  if (cmd == "treeitemrect") return CmdTreeItemRect(in);
  if (cmd == "resize") return CmdResize(in);
  if (cmd == "owner") return CmdOwner(in);
  if (cmd == "shortcut") return CmdShortcut(in);
  if (cmd == "folder") return CmdFolder(in);
  return std::string();
}

}  // namespace qpd
