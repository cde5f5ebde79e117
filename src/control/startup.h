// The start-up sequence's portable steps. The Windows entry point runs them in this order,
// with its own steps between: the other-instance question and the taskbar after
// LoadStartState, the windows before FinishStartup.
#pragma once
#include <vector>

#include "base/text.h"

namespace qp {

class SettingsFs;

// A clean AppState, the command line's switches, and the settings read through `fs` (which
// stays installed for saving), or the standard edition's fixed state.
void LoadStartState(const std::vector<Text>& params, SettingsFs& fs);

// Once the main window exists: the target list, the window named on the command line, and
// the desktop shortcut when the settings ask for one.
void FinishStartup();

}  // namespace qp
