#include "output/target_list.h"

#include <vector>

#include "base/app_state.h"

namespace qp {

namespace {

bool StartsWith(TextView text, TextView prefix) { return text.substr(0, prefix.size()) == prefix; }

// Either edition's panel, settings and help windows, and the desktop by its title.
bool IsExcludedTitle(TextView title) {
  return title.empty() || StartsWith(title, u"Quillpad ~") || StartsWith(title, u"Quillpad Pro ~") ||
         title == u"Quillpad Help" || title == u"Quillpad Pro Help" || title == u"Program Manager";
}

// A file explorer, the desktop and the old help viewer.
bool IsExcludedClass(TextView className) {
  return className == u"ExploreWClass" || className == u"Progman" || className == u"MS_WINHELP";
}

// Index of the first entry from 1 on equal to `title`, or -1.
int FindListedTitle(TextView title) {
  const int count = Plat().TargetBoxCount();
  for (int i = 1; i < count; ++i) {
    if (Plat().TargetBoxItem(i) == title) return i;
  }
  return -1;
}

}  // namespace

Text CutWindowText(TextView text) { return Text(text.substr(0, kWindowTextUnits)); }

bool IsTargetCandidate(const TopWindowInfo& window) {
  if (!window.visible || !window.enabled || window.minimized || window.hasParent) return false;
  if (IsExcludedTitle(CutWindowText(window.title))) return false;
  return !IsExcludedClass(CutWindowText(window.className));
}

Text ForegroundTargetTitle() {
  const ForegroundInfo fg = Plat().Foreground();
  if (!fg.exists || fg.isDesktop || fg.isTaskbar) return Text();
  Text title = CutWindowText(fg.title);
  // Only the fuller edition's own windows are recognised here.
  if (StartsWith(title, u"Quillpad Pro ~") || title == u"Quillpad Pro Help") return Text();
  return title;
}

void RefreshTargetList() {
  Platform& p = Plat();
  p.TargetBoxClear();
  p.TargetBoxAdd(kCopyOnlyTarget);
  std::vector<Text> listed;
  for (const TopWindowInfo& window : p.EnumerateTopWindows()) {
    if (!IsTargetCandidate(window)) continue;
    listed.push_back(CutWindowText(window.title));
    p.TargetBoxAdd(listed.back());
  }

  int selection = 0;
  const Text preselect = ForegroundTargetTitle();
  if (!preselect.empty()) {
    for (size_t i = 0; i < listed.size(); ++i) {
      if (listed[i] == preselect) {
        selection = static_cast<int>(i) + 1;
        break;
      }
    }
  }
  p.TargetBoxSelect(selection);
}

void ReselectTarget() {
  const Text previous = Plat().TargetBoxText();
  RefreshTargetList();
  if (previous == kCopyOnlyTarget) return;
  const int index = FindListedTitle(previous);
  if (index >= 0) Plat().TargetBoxSelect(index);
}

void ApplyTargetNameArg() {
  const Text& wanted = App().TargetNameArg;
  if (wanted.empty()) return;
  const int index = Plat().TargetBoxFindExact(wanted);
  if (index >= 0) Plat().TargetBoxSelect(index);
}

}  // namespace qp
