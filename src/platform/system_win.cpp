#include "platform/system_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <limits>
#include <string>

#include "platform/text_win.h"
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

ForegroundInfo WinForeground() {
  const HWND desktop = FindWindowW(nullptr, L"Program Manager");
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  const HWND foreground = GetForegroundWindow();
  ForegroundInfo info;
  info.exists = foreground != nullptr && IsWindow(foreground);
  if (!info.exists) return info;
  info.isDesktop = foreground == desktop;
  info.isTaskbar = foreground == taskbar;
  info.title = WindowTitle(foreground);
  return info;
}

uintptr_t WinFindWindowByTitle(const Text& title) {
  return reinterpret_cast<uintptr_t>(FindWindowW(nullptr, qpw::W(title)));
}

bool WinIsWindow(uintptr_t handle) { return IsWindow(ToHwnd(handle)) != 0; }

void WinSetForegroundWindow(uintptr_t handle) { SetForegroundWindow(ToHwnd(handle)); }

bool WinOpenClipboard() { return OpenClipboard(nullptr) != 0; }

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

void WinSetClipboardText(uintptr_t block) {
  const HGLOBAL memory = reinterpret_cast<HGLOBAL>(block);
  // Only a block the system accepted becomes its own; a refused one would leak.
  if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
}

void WinSendInput(const std::vector<KeyInputRecord>& records, size_t count) {
  if (count > records.size()) count = records.size();
  if (count == 0 || count > std::numeric_limits<UINT>::max()) return;
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
  SendInput(static_cast<UINT>(count), inputs.data(), sizeof(INPUT));
}

int WinMessageBox(const Text& text, const Text& caption, int flags) {
  return MessageBoxW(GetActiveWindow(), qpw::W(text), qpw::W(caption), static_cast<UINT>(flags));
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
