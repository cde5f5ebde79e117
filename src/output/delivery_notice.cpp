#include "output/delivery_notice.h"

#include <algorithm>

#include "base/edition.h"
#include "base/platform.h"

namespace qp {

namespace {

// A balloon holds 255 units; a long title is cut so that the advice still fits.
constexpr size_t kTitleUnitsShown = 80;

Text WindowName(const Text& title) {
  if (title.empty()) return u"the window";
  if (title.size() <= kTitleUnitsShown) return u"\"" + title + u"\"";
  return u"\"" + title.substr(0, kTitleUnitsShown) + u"...\"";
}

Text Reason(DeliveryProblem problem, const Text& name) {
  switch (problem) {
    case DeliveryProblem::NoUserWindow:
      return u"There was no window to type into";
    case DeliveryProblem::FocusRefused:
      return u"Windows did not let " + name + u" come to the front";
    case DeliveryProblem::TargetElevated:
      return name + u" runs as administrator and does not take typed text from this program";
    case DeliveryProblem::InputBlocked:
      return u"Typing into " + name + u" was blocked";
    case DeliveryProblem::ClipboardBusy:
      return u"Another program held the clipboard";
  }
  return Text();
}

}  // namespace

Text DeliveryNoticeText(DeliveryProblem problem, const Text& windowTitle, bool onClipboard) {
  const Text name = WindowName(windowTitle);
  Text text = Reason(problem, name);
  if (problem == DeliveryProblem::ClipboardBusy) return text + u"; click the key again.";
  if (!onClipboard) return text + u", and the clipboard was busy; click the key again.";
  if (problem == DeliveryProblem::NoUserWindow) return text + u"; the text is on the clipboard: press Ctrl+V in your window.";
  return text + u"; the text is on the clipboard: press Ctrl+V in " + name + u".";
}

bool TakeNoticeSlot(std::vector<NoticeStamp>& notices, uintptr_t window, uint64_t nowMs) {
  notices.erase(std::remove_if(notices.begin(), notices.end(),
                               [nowMs](const NoticeStamp& s) { return nowMs - s.atMs >= kNoticeIntervalMs; }),
                notices.end());
  for (const NoticeStamp& s : notices) {
    if (s.window == window) return false;
  }
  notices.push_back(NoticeStamp{window, nowMs});
  return true;
}

void TellUser(DeliveryProblem problem, uintptr_t window, const Text& windowTitle, bool onClipboard) {
  Platform& p = Plat();
  std::vector<NoticeStamp>& notices = App().Notices;
  if (!TakeNoticeSlot(notices, window, p.NowMs())) return;
  // A balloon the shell did not show does not use up the window's minute.
  if (!p.ShowTrayNotice(CurrentEdition().productName, DeliveryNoticeText(problem, windowTitle, onClipboard))) {
    notices.pop_back();
  }
}

}  // namespace qp
