// The runic set's filter: which runes are enabled and what the window title says about it.
#pragma once
#include "base/app_state.h"
#include "base/text.h"
#include "keysets/keyset_data.h"

namespace qp {

// A rune is enabled when one of the rows it belongs to is ticked.
bool RuneEnabled(const AppState& state, const RuneRow& rune);

// " (All)", " (" + chosen rows + ")" or "" for the window title of the runic set.
Text RuneTitleSuffix(const AppState& state);

}  // namespace qp
