// The character finder's configuration keys: FindHotkey, FindPinned, FindRecent.
#pragma once
#include "base/app_state.h"
#include "settings/preferences_file.h"

namespace qp {

// 0, or a virtual-key code 1..254 with modifier flags among MOD_ALT, MOD_CONTROL, MOD_SHIFT,
// MOD_WIN and MOD_NOREPEAT.
bool ValidFindHotkey(int64_t packed);

void SetFindDefaults(AppState& state);
// A missing or malformed value gives that key's default; the other keys are read anyway.
void ReadFindSettings(const PreferencesFile& prefs, AppState& state);
// Writes each key whose value is not its default or that the file holds already, so that a
// user who never touched Find keeps the file exactly as before.
void WriteFindSettings(PreferencesFile& prefs, const AppState& state);

}  // namespace qp
