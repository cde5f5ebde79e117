// Windows entry point: chooses the edition and runs the program.
#include <windows.h>

#include "app/edition.h"

#ifndef QP_EDITION_PRO
#error "QP_EDITION_PRO must be defined by the build"
#endif

namespace {

const wchar_t kMainClass[] = L"QuillpadPanel";

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the panel never takes the focus from the user's window
    case WM_COMMAND:
      if (LOWORD(wp) == 1 && lp == 0) {
        DestroyWindow(hwnd);
        return 0;
      }
      break;
    case WM_CLOSE:
      ShowWindow(hwnd, SW_HIDE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  qp::SetCurrentEdition(QP_EDITION_PRO ? qp::EditionKind::Pro : qp::EditionKind::Standard);
  const qp::Edition& ed = qp::CurrentEdition();

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = CreateSolidBrush(RGB(170, 170, 170));
  wc.lpszClassName = kMainClass;
  RegisterClassExW(&wc);

  qp::Text title = qp::Text(ed.titlePrefix) + u"Latin - Western Europe";
  RECT r = {0, 0, 502, 143};
  AdjustWindowRectEx(&r, WS_POPUP, FALSE, WS_EX_NOACTIVATE | WS_EX_TOPMOST);
  HWND hwnd = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOPMOST, kMainClass,
                              reinterpret_cast<const wchar_t*>(title.c_str()), WS_POPUP, 200, 200,
                              r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  if (hwnd) ShowWindow(hwnd, SW_SHOWNOACTIVATE);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
