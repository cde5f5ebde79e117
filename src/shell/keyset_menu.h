// The standard edition's key-set menu and its "Dark mode panel" toggle: what the menu holds,
// where it opens, and what choosing an item does. The Windows layer only shows the menu.
#pragma once
#include <vector>

#include "base/rect.h"
#include "base/text.h"

namespace qp {

// The menu opens this far left of and above the settings button's screen position...
constexpr int kKeySetMenuLeft = 285;
constexpr int kKeySetMenuUp = 330;
// ...or this far on systems whose version value is below kKeySetMenuNewerOs (Vista and older),
// whose menus are drawn smaller.
constexpr int kKeySetMenuLeftOld = 220;
constexpr int kKeySetMenuUpOld = 270;
constexpr int kKeySetMenuNewerOs = 71;

struct KeySetMenuItem {
  int id = 0;  // kKeySetMenuBase + set number
  Text label;
  bool checked = false;
};

// The point the menu's top-left corner is asked for.
Point KeySetMenuPosition(Point settingsButtonOnScreen, int osVersionAtStart, int dpi = 96);

// The standard sets 1..15 in number order, named as the catalogue names them; the current set
// (a number outside 1..15 shows set 1) is the one checked.
std::vector<KeySetMenuItem> KeySetMenuItems(int currentSet);

// Menu item id to standard set number; 0 for an id that is not one of the menu's.
int KeySetFromMenuItem(int item);

// The system's version value, read once at start-up; the menu position depends on it.
void NoteStartOsVersion(int value);
// Where the menu opens now: from the settings button on screen and the start-up version value.
Point KeySetMenuPoint();

// Choosing set n from the menu: the old keys go and the old item loses its check mark, the
// chosen set is built and its item checked, and KeySet holds n so a later LoadKeyPanel rebuilds
// it. Numbers outside 1..15 are ignored.
void ChooseKeySetFromMenu(int n);

// "Dark mode panel": flips Dark, checks the item when dark, and rebuilds the panel. Never saved:
// the standard edition keeps no file.
void ToggleDarkPanel();

}  // namespace qp
