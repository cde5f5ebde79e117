// Display scaling. The rest of the core works in 96-DPI logical pixels; these functions turn them
// into a window's physical pixels (and pointer positions back), with one rounding rule for
// everything: each edge is scaled on its own, x' = round(x * dpi / 96), halves rounded up. A size
// is never scaled by itself, so keys that touch at 96 DPI touch at any scale and the gaps between
// them differ by at most one pixel.
#pragma once
#include "base/rect.h"

namespace qp {

constexpr int kBaseDpi = 96;
// Anything the system reports outside this range is taken as 96: a broken answer must not blow
// the panel up or shrink it to nothing.
constexpr int kMinDpi = 48;
constexpr int kMaxDpi = 960;

// The DPI the program uses for a value the system reported.
int UsableDpi(int dpi);

// A logical coordinate (an edge) in physical pixels.
int ScaleEdge(int logical, int dpi);
// The physical length of a logical length that starts at a logical edge 0, such as a window size
// or an offset inside an element.
inline int ScaleLength(int logical, int dpi) { return ScaleEdge(logical, dpi); }
// Both edges of each axis scaled: rectangles that touch stay touching, never overlap.
Rect ScaleRect(const Rect& logical, int dpi);
// The logical coordinate whose scaled cell holds physical pixel p: the largest q with
// ScaleEdge(q) <= p. A pixel is inside ScaleRect(r) exactly when its logical point is inside r.
int UnscaleEdge(int physical, int dpi);
Point UnscalePoint(const Point& physical, int dpi);

// The pictures are drawn for these DPIs (100, 125, 150 and 200 %).
constexpr int kImageDpis[] = {96, 120, 144, 192};
// The drawn DPI to use at `dpi`: the exact one, else the nearest larger one (scaled down when
// painted), else the largest.
int ImageDpiFor(int dpi);

// The distances docking keeps and snaps by, in physical pixels at a DPI.
struct DockMargins {
  int snapDistance = 30;       // a window this close to a corner snaps into it
  int frameAllowance = 6;      // room added to the window's size above XP
  int frameMargin = 3;         // the gap kept from the left and top edges above XP
  int sideTaskbarGap = 4;      // beside a left or top taskbar
  int fallbackThickness = 30;  // taskbar thickness when the shell reports none
  int rightTaskbarGapX = 6;    // start place beside a right taskbar
  int rightTaskbarGapY = 4;
};
DockMargins DockMarginsFor(int dpi);

}  // namespace qp
