// Temporary folder, shell folders, the script file and the script host, for CreateDesktopShortcut.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/paths_win.h"
#include "platform/scoped_win.h"
#include "platform/text_win.h"
#include "settings/desktop_shortcut.h"
#include "settings/desktop_shortcut_win.h"
#include "settings/settings_store.h"

namespace qp {
namespace {

constexpr DWORD kPathUnits = 260;

using qpw::FromWide;
using qpw::W;

using qpw::AdoptFile;
using qpw::KernelHandle;

// Waits for the process, at most waitMs, painting the program's windows meanwhile. Only paint
// and sent messages are handled: a click queued now waits for the loop, so nothing the user
// does can start a second shortcut while this one is being made.
void WaitPainting(HANDLE process, int waitMs) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(waitMs > 0 ? waitMs : 0);
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    const DWORD woke =
        MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(deadline - now), QS_PAINT | QS_SENDMESSAGE);
    if (woke != WAIT_OBJECT_0 + 1) return;  // ended, out of time, or failed
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) DispatchMessageW(&m);
  }
}

class WinShortcutSystem : public ShortcutSystem {
 public:
  Text TempFolder() override {
    wchar_t temp[kPathUnits + 1] = {};
    DWORD n = GetTempPathW(kPathUnits, temp);
    if (n == 0 || n > kPathUnits) return Text();
    // The short 8.3 form would end up in the script; the long one is what the user sees.
    wchar_t longPath[kPathUnits + 1] = {};
    DWORD m = GetLongPathNameW(temp, longPath, kPathUnits);
    return EnsureTrailingBackslash(FromWide(m > 0 && m <= kPathUnits ? longPath : temp));
  }

  Text DesktopFolder() override { return qpw::SpecialFolderPath(CSIDL_DESKTOPDIRECTORY); }
  Text DocumentsFolder() override { return qpw::SpecialFolderPath(CSIDL_PERSONAL); }
  Text ProgramPath() override { return qpw::ProgramFilePath(); }

  Text SystemFolder() override {
    wchar_t path[kPathUnits + 1] = {};
    const UINT n = GetSystemDirectoryW(path, kPathUnits);
    return n == 0 || n > kPathUnits ? Text() : EnsureTrailingBackslash(FromWide(path));
  }

  int AnsiByte(char16_t unit) override {
    const wchar_t wide = static_cast<wchar_t>(unit);
    char bytes[4] = {};
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof bytes, nullptr, &usedDefault);
    return n == 1 && !usedDefault ? static_cast<unsigned char>(bytes[0]) : -1;
  }

  int64_t FileSize(const Text& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(W(path), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  }

  void RemoveFile(const Text& path) override { DeleteFileW(W(path)); }

  bool CreateScriptFile(const Text& path) override {
    file_ = AdoptFile(CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file_);
  }

  void WriteScriptFileAndClose(const std::string& bytes) override {
    size_t done = 0;
    while (file_ && done < bytes.size()) {
      DWORD put = 0;
      if (!WriteFile(file_.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put, nullptr) ||
          put == 0) {
        break;
      }
      done += put;
    }
    file_.Reset();
  }

  void RunHiddenAndWait(const Text& program, const Text& parameters, int waitMs) override {
    // Started by its full path, quoted on the command line; CreateProcessW may write into it.
    std::wstring commandLine = L"\"" + std::wstring(W(program)) + L"\"" + W(parameters);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(W(program), &commandLine[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                        &si, &pi)) {
      return;
    }
    KernelHandle process(pi.hProcess);
    KernelHandle thread(pi.hThread);
    WaitPainting(process.get(), waitMs);
  }

 private:
  KernelHandle file_;
};

}  // namespace

ShortcutSystem& WindowsShortcutSystem() {
  static WinShortcutSystem system;
  return system;
}

}  // namespace qp
