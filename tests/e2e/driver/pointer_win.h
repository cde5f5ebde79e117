// Real pointer input, as the test driver and the benchmark's timer send it.
#pragma once
#include <windows.h>

namespace qpd {

// Absolute pointer units for pixel p of a screen n pixels wide. The system maps units back by
// rounding down, so the smallest unit at or past the pixel's start is the one that lands on it
// (a 1280-pixel screen has 51.2 units a pixel; the nearest unit can fall short).
inline LONG PointerUnits(int p, int n) { return static_cast<LONG>((p * 65536LL + n - 1) / n); }

// A pointer event at screen point (x, y).
inline void SendMouse(DWORD flags, int x, int y) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = PointerUnits(x, GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = PointerUnits(y, GetSystemMetrics(SM_CYSCREEN));
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
