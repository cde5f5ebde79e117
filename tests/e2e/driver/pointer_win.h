// Real pointer input, as the test driver and the benchmark's timer send it.
#pragma once
#include <windows.h>

namespace qpd {

// A pointer event at screen point (x, y).
inline void SendMouse(DWORD flags, int x, int y) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = static_cast<LONG>((x * 65536L + sw / 2) / sw);
  in.mi.dy = static_cast<LONG>((y * 65536L + sh / 2) / sh);
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &in, sizeof in);
}

// SendInput is asynchronous under Wine: wait until the cursor really is where it was sent.
inline void WaitCursorAt(int x, int y) {
  for (int i = 0; i < 40; ++i) {
    POINT p;
    GetCursorPos(&p);
    if (p.x == x && p.y == y) return;
    Sleep(10);
  }
}

}  // namespace qpd
