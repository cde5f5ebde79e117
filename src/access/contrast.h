// Following Windows' high-contrast mode while the panel is up.
#pragma once
#include "keysets/key_face.h"

namespace qp {

// The mode changed (or its colours did): colours from the system's when `colors` is given,
// from the light or dark scheme otherwise, and the whole panel repainted. Nothing happens when
// nothing painted would change.
void ApplyContrast(const SystemColors* colors);

}  // namespace qp
