// The one way the program registers its window classes.
#pragma once
#include <windows.h>

#include "platform/resources_win.h"

namespace qpw {

struct WindowClass {
  const wchar_t* name;
  WNDPROC proc;
  UINT style = 0;
  bool dialogBackground = false;  // the system's dialog colour; otherwise the window paints it all
  bool programIcons = false;      // the program's icon in the caption and on the taskbar
};

// An arrow cursor and what `c` asks for; false when the system refuses the class.
inline bool RegisterWindowClass(HINSTANCE instance, const WindowClass& c) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = c.style;
  wc.lpfnWndProc = c.proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  if (c.dialogBackground) wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  if (c.programIcons) {
    wc.hIcon = ProgramIcon(32);
    wc.hIconSm = ProgramIcon(16);
  }
  wc.lpszClassName = c.name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace qpw
