// The standard edition's key-set menu as a Windows pop-up menu.
#pragma once

namespace qpw {

// Start-up: notes the system's version value and hooks the menu and the dark-mode toggle into
// the dispatch.
void InstallKeySetMenu();
// Sets or clears a check mark in the key-set menu; items it does not hold are ignored.
void CheckKeySetMenuEntry(int item, bool checked);

}  // namespace qpw
