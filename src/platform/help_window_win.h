// The help window (window 2): a topic list and a page view. Decisions are in shell/help_window.h.
#pragma once
#include <windows.h>

namespace qpw {

// Points the dispatch's help and About hooks at this window and the About box.
void InstallHelpWindow();

// Opens the window at its first topic, or brings the open one forward as it is.
void OpenHelpWindow();
// Shows the page of the topic selected in the list.
void ShowHelpTopic();
// Destroys the window (its close box arrives here through the dispatch).
void CloseHelpWindow();

// Hands a message meant for the help window or its children to them, giving the page view
// first go at keys; false for messages of other windows. Keeps the panel's keyboard shortcuts
// from acting on keys typed in the help.
bool HelpWindowMessage(MSG& msg);

}  // namespace qpw
