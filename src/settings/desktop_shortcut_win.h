// The Windows side of the desktop shortcut. Defined in desktop_shortcut_win.cpp, which only
// the Windows programs compile.
#pragma once
#include "settings/desktop_shortcut.h"

namespace qp {

// Temporary folder, shell folders, the script file and the script host, for
// CreateDesktopShortcut (see settings/desktop_shortcut.h).
ShortcutSystem& WindowsShortcutSystem();

}  // namespace qp
