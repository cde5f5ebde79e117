#include "platform/paths_win.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/text_win.h"
#include "settings/settings_store.h"

namespace qpw {

qp::Text ProgramFilePath() {
  // Grown until the whole path fits: a path cut at the buffer's end would name some other file.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
    if (n == 0) return qp::Text();
    if (n < buffer.size()) return FromWide(buffer.c_str(), n);
    if (buffer.size() >= 32768) return qp::Text();
    buffer.resize(buffer.size() * 2);
  }
}

qp::Text SpecialFolderPath(int csidl) {
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return qp::Text();
  wchar_t buf[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListW(items, buf);
  CoTaskMemFree(items);
  if (!ok) return qp::Text();
  return qp::EnsureTrailingBackslash(FromWide(buf));
}

}  // namespace qpw
