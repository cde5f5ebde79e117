// Program-wide actions: saving, quitting, the on-top toggle, the product page.
#pragma once

namespace qp {

class SettingsFs;

// The file system the configuration is kept in; the entry point sets it once.
void SetSettingsFs(SettingsFs* fs);
SettingsFs* CurrentSettingsFs();

// Saves every setting with the main window's current position (nothing in the standard edition).
void SaveSettingsNow();
// Menu "Quit" and Shift+Escape: save, then end the process with exit code 0.
void QuitProgram();
// OnTopBox click: flip the panel's topmost state (AlwaysOnTop itself is not changed).
void ToggleOnTop();
// "Visit website".
void OpenProductPage();

}  // namespace qp
