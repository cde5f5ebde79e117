// The Windows side of the configuration file: the real file system and the shell's
// special folders. Defined in settings_fs_win.cpp, which only the Windows programs
// compile.
#pragma once
#include "base/text.h"
#include "settings/settings_store.h"

namespace qp {

// The file system as the settings code sees it, for LoadSettings and SaveSettings.
SettingsFs& WindowsSettingsFs();

}  // namespace qp
