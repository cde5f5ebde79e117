// Pixel rectangles and points shared by the panel geometry, the element table and docking.
#pragma once
#include <cstdint>
#include <limits>

namespace qp {

struct Point {
  int x = 0;
  int y = 0;
};

// Left/top corner plus size; the right and bottom edges are exclusive.
struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

// A screen area by its edges (right and bottom exclusive), as the system reports the work area.
struct ScreenArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// One monitor as the system lists it, in physical screen pixels.
struct MonitorArea {
  ScreenArea bounds;
  ScreenArea work;  // the monitor less its taskbar and other docked bars
  bool primary = false;
};

inline bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const Point& a, const Point& b) { return !(a == b); }
inline bool operator==(const Rect& a, const Rect& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

// Window coordinates come from the system and from saved settings, so sums of them are done
// in 64 bits and brought back into range here instead of overflowing.
inline int ClampToInt(int64_t v) {
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// True when (x, y) lies inside r; empty rectangles contain nothing.
inline bool RectContains(const Rect& r, int x, int y) {
  return x >= r.x && y >= r.y && int64_t{x} < int64_t{r.x} + r.w && int64_t{y} < int64_t{r.y} + r.h;
}

}  // namespace qp
