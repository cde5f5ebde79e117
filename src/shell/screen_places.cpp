#include "shell/screen_places.h"

#include <cstdint>

#include "shell/window_moves.h"

namespace qp {

bool HasArea(const ScreenArea& a) { return a.right > a.left && a.bottom > a.top; }

// The work area as far as it lies on display 0, as the docking arithmetic takes it: a system can
// go on reporting the old work area for a while after the display has shrunk.
ScreenArea OnDisplay(const ScreenArea& work, int displayWidth, int displayHeight) {
  ScreenArea area = work;
  if (area.right > displayWidth) area.right = displayWidth;
  if (area.bottom > displayHeight) area.bottom = displayHeight;
  return area;
}

// The start of a span of `size` placed `offset` from `low` (or from `high` when fromHigh),
// kept inside low..high; a span larger than the room starts at low.
int64_t PlaceInSpan(int64_t low, int64_t high, int64_t size, int64_t offset, bool fromHigh) {
  int64_t at = fromHigh ? high - size - offset : low + offset;
  if (at > high - size) at = high - size;
  if (at < low) at = low;
  return at;
}


Point SameCornerPosition(const Rect& window, const ScreenArea& oldWork, const ScreenArea& newWork) {
  const int64_t midX = int64_t{window.x} + window.w / 2;
  const int64_t midY = int64_t{window.y} + window.h / 2;
  const bool right = midX * 2 >= int64_t{oldWork.left} + oldWork.right;
  const bool bottom = midY * 2 >= int64_t{oldWork.top} + oldWork.bottom;
  const int64_t offsetX = right ? int64_t{oldWork.right} - (int64_t{window.x} + window.w) : int64_t{window.x} - oldWork.left;
  const int64_t offsetY =
      bottom ? int64_t{oldWork.bottom} - (int64_t{window.y} + window.h) : int64_t{window.y} - oldWork.top;
  return {ClampToInt(PlaceInSpan(newWork.left, newWork.right, window.w, offsetX, right)),
          ClampToInt(PlaceInSpan(newWork.top, newWork.bottom, window.h, offsetY, bottom))};
}

Point KeptOnScreen(const Rect& window, bool onSomeMonitor, const ScreenArea& primaryWork) {
  if (onSomeMonitor || !HasArea(primaryWork)) return {window.x, window.y};
  return {ClampToInt(PlaceInSpan(primaryWork.left, primaryWork.right, window.w, int64_t{window.x} - primaryWork.left, false)),
          ClampToInt(PlaceInSpan(primaryWork.top, primaryWork.bottom, window.h, int64_t{window.y} - primaryWork.top, false))};
}

}  // namespace qp
