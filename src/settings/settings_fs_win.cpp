// Windows file access for the configuration file.
#include <windows.h>
#include <shlobj.h>

#include <utility>

#include "platform/paths_win.h"
#include "platform/scoped_win.h"
#include "platform/text_win.h"
#include "settings/settings_fs_win.h"

namespace qp {

namespace {

using qpw::W;

// Wine's ReplaceFileW moves the old file aside and deletes it before it moves the new one in, so
// a failure or a crash between the two leaves no file at all; its rename over an existing file
// is a single step.
bool ReplaceFileIsOneStep() {
  static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return !wine;
}

class WinSettingsFile : public SettingsFile {
 public:
  WinSettingsFile(qpw::KernelHandle h, bool readOnly) : handle_(std::move(h)), readOnly_(readOnly) {}

  bool ReadOnly() const override { return readOnly_; }

  bool ReadAll(std::string& bytes) override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_.get(), &size) || size.QuadPart < 0 || size.QuadPart > kMaxSettingsFileBytes) return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(handle_.get(), zero, nullptr, FILE_BEGIN)) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD got = 0;
      if (!ReadFile(handle_.get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr)) return false;
      if (got == 0) break;  // the file shrank while we read it
      done += got;
    }
    bytes.resize(done);
    return true;
  }

  bool Rewrite(std::string_view bytes) override {
    if (readOnly_) return false;
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(handle_.get(), zero, nullptr, FILE_BEGIN)) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD put = 0;
      if (!WriteFile(handle_.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put, nullptr) || put == 0) {
        return false;
      }
      done += put;
    }
    return SetEndOfFile(handle_.get()) != 0;
  }

  bool Flush() override { return !readOnly_ && FlushFileBuffers(handle_.get()) != 0; }

 private:
  qpw::KernelHandle handle_;
  bool readOnly_;
};

std::unique_ptr<SettingsFile> Wrap(HANDLE h, bool readOnly) {
  qpw::KernelHandle file = qpw::AdoptFile(h);
  if (!file) return nullptr;
  return std::make_unique<WinSettingsFile>(std::move(file), readOnly);
}

class WinSettingsFs : public SettingsFs {
 public:
  Text ProgramFilePath() override { return qpw::ProgramFilePath(); }

  Text AppDataFolder() override { return qpw::SpecialFolderPath(CSIDL_APPDATA); }

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

}  // namespace qp
