// The Windows side of the desktop shortcut. Defined in desktop_shortcut_win.cpp, which only
// the Windows programs compile.
#pragma once

namespace qp {

// Makes "Quillpad Pro.lnk" on the desktop when it is missing (see settings/desktop_shortcut.h).
void CreateDesktopShortcut();

}  // namespace qp
