#include "access/dialog_keys.h"

namespace qp {

DialogKeyAction SettingsKeyAction(const DialogKey& k) {
  if (k.alt) return DialogKeyAction::None;
  switch (k.key) {
    case kKeyTab:
      if (k.ctrl) return k.shift ? DialogKeyAction::PreviousTab : DialogKeyAction::NextTab;
      return k.shift ? DialogKeyAction::PreviousControl : DialogKeyAction::NextControl;
    case kKeyReturn:
      return k.ctrl || k.shift ? DialogKeyAction::None : DialogKeyAction::Done;
    case kKeyEscape:
      return k.ctrl || k.shift ? DialogKeyAction::None : DialogKeyAction::Close;
    case kKeyLeft:
    case kKeyUp:
      return k.onOptionButton && !k.ctrl ? DialogKeyAction::PreviousInGroup : DialogKeyAction::None;
    case kKeyRight:
    case kKeyDown:
      return k.onOptionButton && !k.ctrl ? DialogKeyAction::NextInGroup : DialogKeyAction::None;
    default:
      return DialogKeyAction::None;
  }
}

DialogKeyAction HelpKeyAction(const DialogKey& k) {
  if (k.key != kKeyTab || k.ctrl || k.alt) return DialogKeyAction::None;
  return k.shift ? DialogKeyAction::PreviousControl : DialogKeyAction::NextControl;
}

int NextTabIndex(int current, int count, bool backwards) {
  if (count <= 0) return -1;
  if (current < 0 || current >= count) return backwards ? count - 1 : 0;
  return (current + (backwards ? count - 1 : 1)) % count;
}

}  // namespace qp
