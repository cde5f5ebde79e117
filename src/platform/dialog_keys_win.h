// Keyboard navigation in the settings and help windows: Tab order, option groups, tabs, the
// done and close keys. The decisions are in access/dialog_keys.h.
#pragma once
#include <windows.h>

namespace qpw {

// Carries out a navigation key typed in the settings or help window; true when it did, so the
// message must not be handed on.
bool KeyboardNavigation(const MSG& msg);

}  // namespace qpw
