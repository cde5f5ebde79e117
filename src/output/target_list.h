// The drop-down list of windows a click can type into: which top-level windows are listed,
// which entry is preselected, and how the user's choice survives a refresh. Targets are known
// by title only; delivery looks the title up again at every click.
#pragma once
#include "base/platform.h"
#include "base/text.h"

namespace qp {

// Entry 0 of the target box: deliver to the clipboard only.
inline constexpr char16_t kCopyOnlyTarget[] = u"nowhere - Copy only";

// Window texts are read into 255-unit buffers, so at most 254 units of a title or class
// name survive.
inline constexpr size_t kWindowTextUnits = 254;

// The text as such a buffer would hold it.
Text CutWindowText(TextView text);

// Whether the window belongs in the target list: a visible, enabled, not minimised, unowned
// window with a title, not one of either edition's own windows, not the desktop, a file
// explorer or the old help viewer.
bool IsTargetCandidate(const TopWindowInfo& window);

// The foreground window's title to preselect, or empty for none (no window, the desktop, the
// taskbar, this program's panel or help window).
Text ForegroundTargetTitle();

// Refills the target box: the copy-only entry, then every candidate's title in enumeration
// order, and selects the foreground window's entry or entry 0.
void RefreshTargetList();

// Refills the list when the panel is shown again and selects the previous choice when it is
// still listed (a previous copy-only choice gives way to the foreground preselection).
void ReselectTarget();

// Selects the command line's target title, matched ignoring case; no match keeps the selection.
void ApplyTargetNameArg();

}  // namespace qp
