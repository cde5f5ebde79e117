// Where each key of each key set sits in the panel, and how tall each set's grid is.
// Coordinates are relative to BackPanel; the title line takes y 0..15, so grids start at y 16.
#pragma once
#include <optional>

#include "base/ids.h"
#include "base/rect.h"
#include "keysets/keyset_data.h"  // kRunicSet

namespace qp {

constexpr int kKeySize = 26;
constexpr int kGridTop = 16;
constexpr int kGridColumns = 19;

constexpr int kEsperantoSet = 7;
constexpr int kOghamSet = 16;
constexpr int kPhoneticSet = 18;
constexpr int kPolytonicSet = 13;

// Extra inputs of the two sets whose layout depends on state.
struct KeyLayoutOptions {
  // Esperanto: two short rows (more block hidden and named target off) instead of one row.
  bool esperantoCompact = false;
  // Runic: when above 0, the grid place comes from this transliteration order number
  // instead of the table position.
  int runeOrderNumber = 0;
};

// Set numbers outside 1..21 lay out as set 1, as they load set 1.
int LayoutSetNumber(int set);

// Size of the set's position table (the highest position that may hold a key).
int LayoutPositionCount(int set);

// The value the set's loader hands to SetKeyAreaHeight.
int KeyAreaHeightForSet(int set, bool esperantoCompact);

// The rectangle of key `position` (1-based) of `set`; empty when the position has no place
// (outside the table, a bad order number, or a separator of the compact Esperanto rows).
std::optional<Rect> KeyRectFor(int set, int position, const KeyLayoutOptions& options = {});

// The "more" block's keys 401..457, relative to MoreBlock: three rows of 19, no gaps.
std::optional<Rect> MoreKeyRect(int position);

// The phonetic set's label kPhoneticLabel: at the top until the combining marks begin, then above them.
constexpr int kPhoneticMarksStart = 134;
Rect PhoneticLabelRect(bool overMarks);

// The Ogham set's five group labels kOghamFirstLabel.. (kOghamLabelCount of them).
struct LabelPlace {
  int element;
  Rect rect;
};
const LabelPlace* OghamLabelPlaces();  // kOghamLabelCount entries

// Fixed pauses the two biggest sets take while loading. The thread sleeps, so nothing paints
// meanwhile: the new keys appear together when the panel is redrawn after the load.
struct LoadPausePlan {
  int set;
  int everyNth;      // pause before each position that is a multiple of this; 0 for none
  int beforeMs;      // length of those pauses
  int afterLoopMs;   // pause after the last key
};
// The plan of `set`; a plan of zeros for sets that do not pause.
LoadPausePlan LoadPausesFor(int set);
// Milliseconds to wait before handling `position` of `set`.
int PauseBeforePositionMs(int set, int position);

}  // namespace qp
