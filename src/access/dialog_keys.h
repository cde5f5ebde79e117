// What the keyboard does in the settings and help windows, decided apart from the controls
// that carry it out.
#pragma once

namespace qp {

// Key codes as the system reports them.
constexpr int kKeyTab = 0x09;
constexpr int kKeyReturn = 0x0D;
constexpr int kKeyEscape = 0x1B;
constexpr int kKeyLeft = 0x25;
constexpr int kKeyUp = 0x26;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDown = 0x28;

enum class DialogKeyAction {
  None,  // the focused control handles the key itself (Space on a box, arrows in a list)
  NextControl,
  PreviousControl,
  NextTab,
  PreviousTab,
  Done,   // as the "done" button
  Close,  // as the close box
  NextInGroup,
  PreviousInGroup,
};

struct DialogKey {
  int key = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  bool onOptionButton = false;  // the focus is on an option button of a group
};

DialogKeyAction SettingsKeyAction(const DialogKey& k);
// The help window: Tab moves between the topic list and the page; the list takes the arrows.
DialogKeyAction HelpKeyAction(const DialogKey& k);

// The tab after (or before) `current` among `count`, wrapping round; -1 when there are none.
int NextTabIndex(int current, int count, bool backwards);

}  // namespace qp
