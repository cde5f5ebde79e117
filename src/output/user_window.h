// The window the user works in. The panel never takes the focus on purpose, but showing it,
// its pop-up menu and a closed settings window can leave one of this program's windows in
// front; a click then still belongs to the window the user worked in before. The Windows layer
// reports every new foreground window; delivery asks here where typed text goes.
#pragma once
#include "base/platform.h"
#include "base/text.h"

namespace qp {

// Remembers a window of another program that became the foreground window; this program's
// own windows, the desktop, the taskbar and "no window" are ignored.
void RememberUserWindow(const ForegroundInfo& window);
// Remembers the current foreground window, for moments when this program is about to come to
// the front and the system may not have reported the window before it.
void NoteForegroundWindow();
// Remembers the first window the target list would offer, in stacking order: for the moment this
// program became the active one when the system did not say which window was active before.
void RememberWindowBelow();

// Types text into the window the user works in: the foreground window, or, when a window of
// this program holds the foreground, the remembered window given back the focus first. Tells
// the user when the text cannot arrive; `onClipboard` says whether it waits on the clipboard.
void TypeIntoUserWindow(const Text& text, bool onClipboard);

}  // namespace qp
