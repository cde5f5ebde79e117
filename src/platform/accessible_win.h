// The panel as assistive technology sees it: an IAccessible answered from WM_GETOBJECT, whose
// children are the drawn keys and bar elements (contents from access/access_tree.h).
#pragma once
#include <windows.h>

namespace qpw {

// Messages of the panel window this part answers (WM_GETOBJECT, its own default-action
// message) or watches (system colour and setting changes, which it does not consume).
// True with `result` set when the message is answered.
bool PanelAccessMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

// A client asked for the tree: from now on its changes are announced (access_events_win.cpp).
void StartAnnouncing();
// The panel was repainted as a whole (key set, more block, layout): clients that asked for
// the tree are told what changed in it.
void AnnounceTreeChanges();
// One element was redrawn: its state or name may have changed (the "on top" box).
void AnnounceElementChange(int number);

}  // namespace qpw
