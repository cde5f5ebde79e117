// Messages about the system around the program (shell restarts, lost capture, display and work
// area changes, the end of the session), turned into the program's events.
#pragma once
#include <windows.h>

namespace qpw {

// The main window's messages of this kind. True, with `result` set, when the message is
// answered here; false when the window procedure goes on with it (as it does for most of
// them, after the program has had its say).
bool SessionMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

}  // namespace qpw
