// Measures the tests take of the key tables and of rectangles, which the program never needs.
#pragma once
#include <cstdint>

#include "base/rect.h"
#include "keysets/catalogue.h"

namespace qp {

// Size of the set's table (highest position) and the number of keys in it.
inline int KeySetPositions(int setNumber) { return KeySetRecords(setNumber).positions; }
inline int KeySetKeyCount(int setNumber) {
  const KeySetTable table = KeySetRecords(setNumber);
  int keys = 0;
  for (int i = 1; i <= table.positions; ++i) {
    if (table.records[i].codePoint >= 1) ++keys;
  }
  return keys;
}

// True when the two rectangles share at least one pixel.
inline bool RectsOverlap(const Rect& a, const Rect& b) {
  return int64_t{a.x} < int64_t{b.x} + b.w && int64_t{b.x} < int64_t{a.x} + a.w &&
         int64_t{a.y} < int64_t{b.y} + b.h && int64_t{b.y} < int64_t{a.y} + a.h;
}

}  // namespace qp
