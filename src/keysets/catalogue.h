// The key set catalogue: set numbers, names and contents, for both editions.
#pragma once
#include "keysets/keyset_data.h"

namespace qp {

constexpr int kStandardKeySetCount = 15;

// Records of a set by its fuller-edition number 1..21; 0 or any other number gives set 1.
KeySetTable KeySetRecords(int setNumber);
// The 57 keys of the "more" block.
KeySetTable MoreBlockRecords();
// Runic set rows and order, indexed by position 1..95 (index 0 unused).
const RuneRow* RuneRows();

// Catalogue name of a set; out of range gives set 1's.
const char16_t* KeySetName(int setNumber);

// Standard edition number 1..15 to the fuller number; anything else gives 1.
int StandardToFullerSet(int standardNumber);
// A key's tooltip as the standard edition words it (a few texts differ);
// "" for a position outside the set.
const char16_t* StandardTooltip(int fullerSet, int position);

}  // namespace qp
