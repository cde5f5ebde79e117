#include "platform/system_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <limits>
#include <string>

#include "platform/text_win.h"
#include "platform/panel_win.h"
#include "shell/docking.h"

namespace qp {

// Window placement is asked for with this exact record length.
static_assert(sizeof(WINDOWPLACEMENT) == 44, "WINDOWPLACEMENT must be 44 bytes");
// SendInput is given the size of one record; it refuses records of any other layout.
static_assert(sizeof(INPUT) == (sizeof(void*) == 8 ? 40 : 28), "unexpected INPUT size");

namespace {

// Window texts are read into buffers of this many units, the terminating zero included.
constexpr int kTextBufferUnits = 255;

Text FromBuffer(const wchar_t* buffer, int length) {
  if (length <= 0) return Text();
  if (length > kTextBufferUnits - 1) length = kTextBufferUnits - 1;
  return qpw::FromWide(buffer, static_cast<size_t>(length));
}

HWND ToHwnd(uintptr_t handle) { return reinterpret_cast<HWND>(handle); }

Text WindowTitle(HWND window) {
  wchar_t buffer[kTextBufferUnits] = {};
  return FromBuffer(buffer, GetWindowTextW(window, buffer, kTextBufferUnits));
}

Text WindowClass(HWND window) {
  wchar_t buffer[kTextBufferUnits] = {};
  return FromBuffer(buffer, GetClassNameW(window, buffer, kTextBufferUnits));
}

bool IsMinimized(HWND window) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(WINDOWPLACEMENT);
  return GetWindowPlacement(window, &placement) && placement.showCmd == SW_SHOWMINIMIZED;
}

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM param) {
  auto* windows = reinterpret_cast<std::vector<TopWindowInfo>*>(param);
  // No exception may cross the system's frames.
  try {
    TopWindowInfo info;
    info.handle = reinterpret_cast<uintptr_t>(window);
    info.visible = IsWindowVisible(window) != 0;
    info.enabled = IsWindowEnabled(window) != 0;
    info.minimized = IsMinimized(window);
    info.hasParent = GetParent(window) != nullptr;
    info.className = WindowClass(window);
    info.title = WindowTitle(window);
    windows->push_back(std::move(info));
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<TopWindowInfo> WinEnumerateTopWindows() {
  std::vector<TopWindowInfo> windows;
  EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

ForegroundInfo WinForeground() { return WinWindowFacts(reinterpret_cast<uintptr_t>(GetForegroundWindow())); }

ForegroundInfo WinWindowFacts(uintptr_t handle) {
  const HWND desktop = FindWindowW(nullptr, L"Program Manager");
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  const HWND window = ToHwnd(handle);
  ForegroundInfo info;
  info.exists = window != nullptr && IsWindow(window);
  if (!info.exists) return info;
  info.handle = handle;
  // Wine's desktop window has no title, and its explorer reports it as the foreground at times.
  info.isDesktop = window == desktop || window == GetDesktopWindow() || window == GetShellWindow();
  info.isTaskbar = window == taskbar;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  info.ownProgram = process == GetCurrentProcessId();
  info.title = WindowTitle(window);
  return info;
}

uintptr_t WinFindWindowByTitle(const Text& title) {
  return reinterpret_cast<uintptr_t>(FindWindowW(nullptr, qpw::W(title)));
}

bool WinIsWindow(uintptr_t handle) { return IsWindow(ToHwnd(handle)) != 0; }

bool WinSetForegroundWindow(uintptr_t handle) { return SetForegroundWindow(ToHwnd(handle)) != FALSE; }

// With an owner, the clipboard knows which program filled it.
bool WinOpenClipboard() { return OpenClipboard(qpw::MainWindow()) != 0; }

void WinEmptyClipboard() { EmptyClipboard(); }

void WinCloseClipboard() { CloseClipboard(); }

uintptr_t WinAllocClipboardBlock(size_t units) {
  if (units >= std::numeric_limits<SIZE_T>::max() / sizeof(wchar_t) - 1) return 0;
  const SIZE_T bytes = (units + 1) * sizeof(wchar_t);
  return reinterpret_cast<uintptr_t>(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
}

bool WinFillClipboardBlock(uintptr_t block, const Text& text) {
  const HGLOBAL memory = reinterpret_cast<HGLOBAL>(block);
  void* data = GlobalLock(memory);
  if (data == nullptr) return false;
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  const bool fits = GlobalSize(memory) >= bytes;
  if (fits) std::memcpy(data, text.c_str(), bytes);  // with the terminating zero
  GlobalUnlock(memory);
  return fits;
}

bool WinSetClipboardText(uintptr_t block) {
  return SetClipboardData(CF_UNICODETEXT, reinterpret_cast<HGLOBAL>(block)) != nullptr;
}

void WinFreeClipboardBlock(uintptr_t block) { GlobalFree(reinterpret_cast<HGLOBAL>(block)); }

size_t WinSendInput(const std::vector<KeyInputRecord>& records, size_t count) {
  if (count > records.size()) count = records.size();
  if (count == 0 || count > std::numeric_limits<UINT>::max()) return 0;
  std::vector<INPUT> inputs(count);
  for (size_t i = 0; i < count; ++i) {
    INPUT& in = inputs[i];
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = records[i].virtualKey;
    in.ki.wScan = records[i].scanCode;
    in.ki.dwFlags = records[i].flags;
    in.ki.time = records[i].time;
    in.ki.dwExtraInfo = static_cast<ULONG_PTR>(records[i].extraInfo);
  }
  return SendInput(static_cast<UINT>(count), inputs.data(), sizeof(INPUT));
}

int WinMessageBox(const Text& text, const Text& caption, int flags) {
  // The panel is never active: owned by it, the box stays in front of it and holds its clicks.
  HWND owner = GetActiveWindow();
  if (owner == nullptr) owner = qpw::MainWindow();
  return MessageBoxW(owner, qpw::W(text), qpw::W(caption), static_cast<UINT>(flags));
}

void WinOpenUrl(const Text& url) {
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC;
  info.lpVerb = L"open";
  info.lpFile = qpw::W(url);
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&info);
}

Point WinDisplaySize() {
  // Display 0 is the primary monitor, wherever the system lists it among the others.
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  const POINT origin = {0, 0};
  if (GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info)) {
    const Point size{info.rcMonitor.right - info.rcMonitor.left, info.rcMonitor.bottom - info.rcMonitor.top};
    if (size.x > 0 && size.y > 0) return size;
  }
  const Point primary{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (primary.x > 0 && primary.y > 0) return primary;
  return Point();
}

bool WinReadWorkArea(int& left, int& top, int& right, int& bottom) {
  RECT area = {};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return false;
  left = area.left;
  top = area.top;
  right = area.right;
  bottom = area.bottom;
  return true;
}

int WinOsVersionValue() {
  // The ntdll call reports the real release; GetVersionEx answers what a compatibility shim
  // or a missing manifest entry makes it say.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const FARPROC proc = ntdll ? GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
  if (proc == nullptr) return OsVersionValue(0, 0, 0);
  // Through the generic function type, which converts to any other without a warning.
  const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void (*)()>(proc));
  OSVERSIONINFOEXW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  if (rtlGetVersion(&version) != 0) return OsVersionValue(0, 0, 0);
  return OsVersionValue(static_cast<int>(version.dwMajorVersion), static_cast<int>(version.dwMinorVersion),
                        version.wProductType, static_cast<int>(version.dwBuildNumber));
}

}  // namespace qp
