#include "base/dpi_scale.h"

#include <cstdint>
#include <initializer_list>

namespace qp {

namespace {

// Floor division for any sign: coordinates left of or above a window are negative.
int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

}  // namespace

int UsableDpi(int dpi) { return dpi < kMinDpi || dpi > kMaxDpi ? kBaseDpi : dpi; }

int ScaleEdge(int logical, int dpi) {
  dpi = UsableDpi(dpi);
  if (dpi == kBaseDpi) return logical;
  return ClampToInt(FloorDiv(int64_t{logical} * dpi * 2 + kBaseDpi, int64_t{kBaseDpi} * 2));
}

Rect ScaleRect(const Rect& r, int dpi) {
  const int left = ScaleEdge(r.x, dpi);
  const int top = ScaleEdge(r.y, dpi);
  const int right = ScaleEdge(ClampToInt(int64_t{r.x} + r.w), dpi);
  const int bottom = ScaleEdge(ClampToInt(int64_t{r.y} + r.h), dpi);
  return Rect{left, top, ClampToInt(int64_t{right} - left), ClampToInt(int64_t{bottom} - top)};
}

int UnscaleEdge(int physical, int dpi) {
  dpi = UsableDpi(dpi);
  if (dpi == kBaseDpi) return physical;
  // An estimate within one of the answer, then corrected against the rule itself.
  int64_t q = FloorDiv(int64_t{physical} * kBaseDpi, dpi);
  while (q > INT32_MIN && ScaleEdge(ClampToInt(q), dpi) > physical) --q;
  while (q < INT32_MAX && ScaleEdge(ClampToInt(q + 1), dpi) <= physical) ++q;
  return ClampToInt(q);
}

Point UnscalePoint(const Point& p, int dpi) { return Point{UnscaleEdge(p.x, dpi), UnscaleEdge(p.y, dpi)}; }

int ImageDpiFor(int dpi) {
  dpi = UsableDpi(dpi);
  for (int drawn : kImageDpis) {
    if (drawn >= dpi) return drawn;
  }
  return kImageDpis[sizeof kImageDpis / sizeof kImageDpis[0] - 1];
}

DockMargins DockMarginsFor(int dpi) {
  DockMargins m;
  for (int* v : {&m.snapDistance, &m.frameAllowance, &m.frameMargin, &m.sideTaskbarGap, &m.fallbackThickness,
                 &m.rightTaskbarGapX, &m.rightTaskbarGapY}) {
    *v = ScaleLength(*v, dpi);
  }
  return m;
}

}  // namespace qp
