// The standard edition's fixed choices. It keeps no file and has no settings window, so what the
// fuller edition reads from its configuration is decided here, the same at every start.
#pragma once
#include "base/app_state.h"
#include "base/edition.h"

namespace qp {

// Applied once the settings are loaded. In the standard edition: the character alone, typed into
// the window named in the target box (so the target row always shows), docking on, the on-top
// box shown, a light panel, the other-instance question always asked, hidden only by "/noshow",
// and no desktop shortcut. The fuller edition keeps what it read.
void ApplyEditionStartState(AppState& state, const Edition& edition);

}  // namespace qp
