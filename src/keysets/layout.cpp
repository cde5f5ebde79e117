#include "keysets/layout.h"

namespace qp {

namespace {

constexpr int kSetCount = 21;

// One row of the layout table. Plain grids are c·s + 2 across and r·(s + pitchExtra) + 16
// down, plus `gap` pixels after every second row from `firstGapRow` on, `gapCount` times.
// The sets with their own rules (Esperanto, Ogham, phonetic) use only the first columns.
struct SetGrid {
  int positions;
  int areaHeight;
  int pitchExtra;
  int gap;
  int firstGapRow;
  int gapCount;
};

constexpr SetGrid kGrids[kSetCount + 1] = {
    {0, 0, 0, 0, 0, 0},         // unused
    {76, 106, 0, 2, 2, 1},      // 1
    {76, 106, 0, 2, 2, 1},      // 2
    {76, 106, 0, 2, 2, 1},      // 3
    {76, 106, 0, 2, 2, 1},      // 4
    {76, 106, 0, 2, 2, 1},      // 5
    {76, 106, 0, 2, 2, 1},      // 6
    {19, 27, 0, 0, 0, 0},       // 7 Esperanto (54 when compact)
    {76, 106, 0, 2, 2, 1},      // 8
    {76, 106, 0, 2, 2, 1},      // 9
    {76, 106, 0, 2, 2, 1},      // 10
    {114, 161, 0, 2, 2, 2},     // 11: six rows in three pairs
    {76, 106, 0, 2, 2, 1},      // 12
    {342, 485, 0, 2, 2, 8},     // 13: eighteen rows in nine pairs
    {133, 188, 0, 3, 3, 2},     // 14: Georgian, 3-pixel gaps before rows 3 and 5
    {95, 135, 0, 2, 2, 2},      // 15
    {36, 78, 0, 0, 0, 0},       // 16 Ogham
    {95, 135, 1, 0, 0, 0},      // 17
    {171, 273, 3, 0, 0, 0},     // 18 phonetic
    {38, 54, 1, 0, 0, 0},       // 19
    {76, 107, 1, 0, 0, 0},      // 20
    {95, 130, 0, 0, 0, 0},      // 21
};

constexpr int kEsperantoCompactHeight = 54;
constexpr int kEsperantoWideKeyPosition = 17;  // U+01F1, the capital DZ digraph
constexpr int kEsperantoWideKeyExtra = 6;

constexpr int kOghamPerRow = 18;
constexpr int kOghamRowPitch = 40;
constexpr int kOghamKeyExtraWidth = 5;
constexpr int kPhoneticMarksDrop = 14;

int GapOffset(const SetGrid& g, int row) {
  if (g.gapCount == 0 || row < g.firstGapRow) return 0;
  int gaps = (row - g.firstGapRow) / 2 + 1;
  if (gaps > g.gapCount) gaps = g.gapCount;
  return gaps * g.gap;
}

Rect PlainKeyRect(const SetGrid& g, int place) {
  const int k = place - 1;
  const int c = k % kGridColumns;
  const int r = k / kGridColumns;
  return {c * kKeySize + 2, r * (kKeySize + g.pitchExtra) + kGridTop + GapOffset(g, r), kKeySize,
          kKeySize};
}

std::optional<Rect> EsperantoKeyRect(int i, bool compact) {
  Rect r{(i - 1) * kKeySize + 2, kGridTop, kKeySize, kKeySize};
  if (compact) {
    const int secondRowY = kKeySize + 19;
    if (i >= 1 && i <= 6) {
      r.x = (i - 1) * kKeySize + 2;
    } else if (i >= 8 && i <= 13) {
      r = {(i - 8) * kKeySize + 2, secondRowY, kKeySize, kKeySize};
    } else if (i >= 17 && i <= 19) {
      r = {(i - 10) * kKeySize + 2, secondRowY, kKeySize, kKeySize};
    } else {
      return std::nullopt;  // separators 7 and 14..16 have no place in the short rows
    }
  }
  if (i == kEsperantoWideKeyPosition) {
    // The digraph needs more room; it borrows from the empty place before it.
    r.x -= kEsperantoWideKeyExtra;
    r.w += kEsperantoWideKeyExtra;
  }
  return r;
}

int OghamShift(int i) {
  // Each five-letter group closes up behind its empty separator position.
  if (i >= 7 && i <= 12) return 18;
  if (i >= 13 && i <= 18) return 36;
  if (i >= 25) return 18;
  return 0;
}

Rect OghamKeyRect(int i) {
  const int k = i - 1;
  const int w = kKeySize + kOghamKeyExtraWidth;
  return {(k % kOghamPerRow) * w + 2 - OghamShift(i), (k / kOghamPerRow) * kOghamRowPitch + kGridTop,
          w, kKeySize};
}

Rect PhoneticKeyRect(const SetGrid& g, int i) {
  Rect r = PlainKeyRect(g, i);
  if (i >= kPhoneticMarksStart) {
    // Combining marks sit lower, below their label, on slightly taller keys.
    r.y += kPhoneticMarksDrop;
    r.h += 1;
  }
  return r;
}

constexpr LabelPlace kOghamLabels[kOghamLabelCount] = {
    {1025, {15, 43, 125, 12}},  {1026, {175, 43, 125, 12}}, {1027, {325, 43, 125, 12}},
    {1028, {15, 83, 125, 12}},  {1029, {175, 83, 125, 12}},
};

constexpr LoadPausePlan kPausePlans[] = {
    {kPolytonicSet, 60, 60, 100},
    {kPhoneticSet, 0, 0, 50},
};

}  // namespace

int LayoutSetNumber(int set) { return (set >= 1 && set <= kSetCount) ? set : 1; }

int LayoutPositionCount(int set) { return kGrids[LayoutSetNumber(set)].positions; }

int KeyAreaHeightForSet(int set, bool esperantoCompact) {
  set = LayoutSetNumber(set);
  if (set == kEsperantoSet && esperantoCompact) return kEsperantoCompactHeight;
  return kGrids[set].areaHeight;
}

std::optional<Rect> KeyRectFor(int set, int position, const KeyLayoutOptions& options) {
  set = LayoutSetNumber(set);
  const SetGrid& g = kGrids[set];
  if (position < 1 || position > g.positions) return std::nullopt;
  switch (set) {
    case kEsperantoSet:
      return EsperantoKeyRect(position, options.esperantoCompact);
    case kOghamSet:
      return OghamKeyRect(position);
    case kPhoneticSet:
      return PhoneticKeyRect(g, position);
    case kRunicSet:
      if (options.runeOrderNumber > 0) {
        if (options.runeOrderNumber > g.positions) return std::nullopt;
        return PlainKeyRect(g, options.runeOrderNumber);
      }
      return PlainKeyRect(g, position);
    default:
      return PlainKeyRect(g, position);
  }
}

std::optional<Rect> MoreKeyRect(int position) {
  if (position < 1 || position > 3 * kGridColumns) return std::nullopt;
  const int k = position - 1;
  return Rect{(k % kGridColumns) * kKeySize, (k / kGridColumns) * kKeySize, kKeySize, kKeySize};
}

Rect PhoneticLabelRect(bool overMarks) {
  // Over the marks it sits just above the last two rows: 7 rows of s + 3, plus the drop.
  const int y = overMarks ? 7 * (kKeySize + 3) + kPhoneticMarksDrop : 1;
  return {1, y, 450, 15};
}

const LabelPlace* OghamLabelPlaces() { return kOghamLabels; }

LoadPausePlan LoadPausesFor(int set) {
  for (const LoadPausePlan& p : kPausePlans) {
    if (p.set == set) return p;
  }
  return {set, 0, 0, 0};
}

int PauseBeforePositionMs(int set, int position) {
  const LoadPausePlan p = LoadPausesFor(set);
  if (p.everyNth <= 0 || position < 1 || position % p.everyNth != 0) return 0;
  return p.beforeMs;
}

}  // namespace qp
