// Where the panel goes when the screen changes under it: pure arithmetic on rectangles.
#pragma once

#include <cstdint>

#include "base/rect.h"

namespace qp {

bool HasArea(const ScreenArea& a);

// The work area as far as it lies on display 0, as the docking arithmetic takes it: a system can
// go on reporting the old work area for a while after the display has shrunk.
ScreenArea OnDisplay(const ScreenArea& work, int displayWidth, int displayHeight);

// The start of a span of `size` placed `offset` from `low` (or from `high` when fromHigh),
// kept inside low..high; a span larger than the room starts at low.
int64_t PlaceInSpan(int64_t low, int64_t high, int64_t size, int64_t offset, bool fromHigh);

// Where a window of this size at `window` goes when the work area changes from oldWork to
// newWork: into the same corner of the new area (the corner nearest its middle), the same
// distance from that corner's two edges, and kept inside the new area.
Point SameCornerPosition(const Rect& window, const ScreenArea& oldWork, const ScreenArea& newWork);

// A window lying on no monitor at all is brought into the primary work area (the nearest place
// there); one at least partly on some monitor stays where it is.
Point KeptOnScreen(const Rect& window, bool onSomeMonitor, const ScreenArea& primaryWork);

}  // namespace qp
