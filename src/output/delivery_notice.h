// Telling the user that a click's text did not reach its window: one sentence in a balloon at
// the tray icon, at most one per window per minute so that repeated clicks do not flood them.
#pragma once
#include <cstdint>
#include <vector>

#include "base/app_state.h"
#include "base/text.h"

namespace qp {

enum class DeliveryProblem {
  NoUserWindow,    // one of this program's windows is in front and no other window is known
  FocusRefused,    // the system did not let the window come to the front
  TargetElevated,  // the window's program runs at a higher integrity level and drops typing
  InputBlocked,    // the system accepted fewer input records than were sent
  ClipboardBusy,   // copy only, and another program held the clipboard throughout
};

inline constexpr uint64_t kNoticeIntervalMs = 60000;

// The sentence for a problem with the window titled `windowTitle`; `onClipboard` says whether
// the text waits on the clipboard.
Text DeliveryNoticeText(DeliveryProblem problem, const Text& windowTitle, bool onClipboard);

// Whether a notice about `window` may be shown at `nowMs`, recording it when so; stamps older
// than the interval are dropped.
bool TakeNoticeSlot(std::vector<NoticeStamp>& notices, uintptr_t window, uint64_t nowMs);

// Shows the notice unless one about the same window was shown within the interval.
void TellUser(DeliveryProblem problem, uintptr_t window, const Text& windowTitle, bool onClipboard);

}  // namespace qp
