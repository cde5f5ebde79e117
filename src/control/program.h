// Program-wide actions: quitting, the on-top toggle, the product page.
#pragma once

namespace qp {

// Menu "Quit" and Shift+Escape: save, then end the process with exit code 0.
void QuitProgram();
// OnTopBox click: flip the panel's topmost state (AlwaysOnTop itself is not changed).
void ToggleOnTop();
// "Visit website".
void OpenProductPage();

}  // namespace qp
