#include "output/user_window.h"

#include "base/app_state.h"
#include "output/delivery.h"
#include "output/delivery_notice.h"
#include "output/target_list.h"

namespace qp {

void RememberUserWindow(const ForegroundInfo& window) {
  if (!window.exists || window.handle == 0 || window.ownProgram || window.isTaskbar || window.isDesktop) return;
  AppState& app = App();
  app.UserWindow = window.handle;
  app.UserWindowTitle = window.title;
}

void NoteForegroundWindow() { RememberUserWindow(Plat().Foreground()); }

void RememberWindowBelow() {
  for (const TopWindowInfo& window : Plat().EnumerateTopWindows()) {
    if (!IsTargetCandidate(window)) continue;
    ForegroundInfo below;
    below.exists = true;
    below.handle = window.handle;
    below.title = CutWindowText(window.title);
    RememberUserWindow(below);
    return;
  }
}

void TypeIntoUserWindow(const Text& text, bool onClipboard) {
  Platform& p = Plat();
  const ForegroundInfo front = p.Foreground();
  if (!front.ownProgram) {
    RememberUserWindow(front);
    TypeIntoWindow(front.handle, front.title, text, onClipboard);
    return;
  }
  const AppState& app = App();
  const uintptr_t window = app.UserWindow;
  const Text title = app.UserWindowTitle;
  if (window == 0 || !p.IsWindow(window)) {
    TellUser(DeliveryProblem::NoUserWindow, 0, Text(), onClipboard);
    return;
  }
  BringForwardAndType(window, title, text, onClipboard);
}

}  // namespace qp
