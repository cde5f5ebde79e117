// Windows file access for the configuration file.
#include <windows.h>
#include <shlobj.h>

#include "settings/settings_fs_win.h"

namespace qp {

namespace {

constexpr DWORD kPathUnits = 260;

const wchar_t* W(const Text& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }

// Wine's ReplaceFileW moves the old file aside and deletes it before it moves the new one in, so
// a failure or a crash between the two leaves no file at all; its rename over an existing file
// is a single step.
bool ReplaceFileIsOneStep() {
  static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return !wine;
}

class WinSettingsFile : public SettingsFile {
 public:
  WinSettingsFile(HANDLE h, bool readOnly) : handle_(h), readOnly_(readOnly) {}
  ~WinSettingsFile() override { CloseHandle(handle_); }
  WinSettingsFile(const WinSettingsFile&) = delete;
  WinSettingsFile& operator=(const WinSettingsFile&) = delete;

  bool ReadOnly() const override { return readOnly_; }

  bool ReadAll(std::string& bytes) override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size) || size.QuadPart < 0 || size.QuadPart > kMaxSettingsFileBytes) return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(handle_, zero, nullptr, FILE_BEGIN)) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD got = 0;
      if (!ReadFile(handle_, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr)) return false;
      if (got == 0) break;  // the file shrank while we read it
      done += got;
    }
    bytes.resize(done);
    return true;
  }

  bool Rewrite(std::string_view bytes) override {
    if (readOnly_) return false;
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(handle_, zero, nullptr, FILE_BEGIN)) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD put = 0;
      if (!WriteFile(handle_, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put, nullptr) || put == 0) {
        return false;
      }
      done += put;
    }
    return SetEndOfFile(handle_) != 0;
  }

  bool Flush() override { return !readOnly_ && FlushFileBuffers(handle_) != 0; }

 private:
  HANDLE handle_;
  bool readOnly_;
};

std::unique_ptr<SettingsFile> Wrap(HANDLE h, bool readOnly) {
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<WinSettingsFile>(h, readOnly);
}

class WinSettingsFs : public SettingsFs {
 public:
  Text ProgramFilePath() override {
    wchar_t buf[kPathUnits];
    const DWORD n = GetModuleFileNameW(nullptr, buf, kPathUnits);
    // A path cut at the buffer's end would name some other folder.
    if (n == 0 || n >= kPathUnits) return Text();
    return Text(reinterpret_cast<const char16_t*>(buf), n);
  }

  Text AppDataFolder() override { return SpecialFolderPath(CSIDL_APPDATA); }

  int64_t FileSize(const Text& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(W(path), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }

  std::unique_ptr<SettingsFile> OpenExisting(const Text& path) override {
    HANDLE h = CreateFileW(W(path), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) return Wrap(h, false);
    h = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      h = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return Wrap(h, true);
  }

  std::unique_ptr<SettingsFile> CreateAlways(const Text& path) override {
    return Wrap(CreateFileW(W(path), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr),
                false);
  }

  void CreateFolder(const Text& path) override { CreateDirectoryW(W(path), nullptr); }

  // ReplaceFileW keeps the old file's attributes, owner and permissions. Some file systems
  // refuse it outright; a rename over the old file is still one step there. A file another
  // program holds open stays as it is.
  bool ReplaceWith(const Text& target, const Text& replacement) override {
    if (ReplaceFileIsOneStep()) {
      if (ReplaceFileW(W(target), W(replacement), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
      }
      switch (GetLastError()) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_ACCESS_DENIED:
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
          return false;
        default:
          break;
      }
    }
    return MoveFileExW(W(replacement), W(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  void RemoveFile(const Text& path) override { DeleteFileW(W(path)); }
};

}  // namespace

SettingsFs& WindowsSettingsFs() {
  static WinSettingsFs fs;
  return fs;
}

Text SpecialFolderPath(int csidl) {
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return Text();
  wchar_t buf[kPathUnits] = {};
  const BOOL ok = SHGetPathFromIDListW(items, buf);
  CoTaskMemFree(items);
  if (!ok) return Text();
  return EnsureTrailingBackslash(Text(reinterpret_cast<const char16_t*>(buf)));
}

}  // namespace qp
