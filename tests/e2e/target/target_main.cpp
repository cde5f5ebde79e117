// Test target: a window with an EDIT that records every UTF-16 unit it receives as WM_CHAR.
// Usage: qptarget.exe <title> <log file>. Each received unit is appended to the log as
// four hex digits and a newline, so tests see exactly what was typed, surrogates included.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

WNDPROC g_editProc = nullptr;
std::wstring g_logPath;
HWND g_edit = nullptr;

void LogUnit(wchar_t unit) {
  FILE* f = _wfopen(g_logPath.c_str(), L"ab");
  if (!f) return;
  std::fprintf(f, "%04X\n", static_cast<unsigned>(unit));
  std::fclose(f);
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR && !g_logPath.empty()) LogUnit(static_cast<wchar_t>(wp));
  return CallWindowProcW(g_editProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (g_edit) MoveWindow(g_edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (g_edit) SetFocus(g_edit);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring title = argc > 1 ? argv[1] : L"Quillpad Test Target";
  if (argc > 2) g_logPath = argv[2];
  int x = argc > 3 ? _wtoi(argv[3]) : 40;
  int y = argc > 4 ? _wtoi(argv[4]) : 40;

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_IBEAM));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"QuillpadTestTarget";
  RegisterClassExW(&wc);
  HWND main = CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, x, y, 420, 240,
                              nullptr, nullptr, instance, nullptr);
  g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL,
                           0, 0, 400, 200, main, reinterpret_cast<HMENU>(1), instance, nullptr);
  g_editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(g_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
  ShowWindow(main, SW_SHOW);
  SetForegroundWindow(main);
  SetFocus(g_edit);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
