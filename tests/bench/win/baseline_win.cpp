// The yardstick for the benchmarks: the least a Win32 program does to put a painted window on
// the screen. It registers a class, creates one window the size of the panel, shows it and
// paints it in one known colour, so that its start and its memory can be set beside the panel's.
// Usage: qpbaseline.exe [x y]
#include <windows.h>

#include <cwchar>

namespace {

// Looked for on the screen by the timing tool; no other window of the benchmark uses it.
constexpr COLORREF kFillColour = RGB(0x3C, 0x8C, 0x5A);

LRESULT CALLBACK BaselineProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      HBRUSH brush = CreateSolidBrush(kFillColour);
      FillRect(dc, &ps.rcPaint, brush);
      DeleteObject(brush);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
  int x = 100, y = 100;
  if (cmdLine && *cmdLine) std::swscanf(cmdLine, L"%d %d", &x, &y);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = BaselineProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = L"QuillpadBenchBaseline";
  if (!RegisterClassExW(&wc)) return 1;
  // The panel's client size with the wide layout of the first key set.
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Quillpad Bench Baseline", WS_POPUP, x, y, 502, 150, nullptr,
                              nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
