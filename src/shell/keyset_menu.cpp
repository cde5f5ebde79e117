#include "shell/keyset_menu.h"

#include "base/app_state.h"
#include "base/ids.h"
#include "base/platform.h"
#include "base/dpi_scale.h"
#include "keysets/catalogue.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace qp {

namespace {

// Until start-up notes the real value, assume a current system.
int g_startOsVersion = kKeySetMenuNewerOs;

}  // namespace

Point KeySetMenuPosition(Point button, int osVersionAtStart, int dpi) {
  const bool old = osVersionAtStart < kKeySetMenuNewerOs;
  const int left = ScaleLength(old ? kKeySetMenuLeftOld : kKeySetMenuLeft, dpi);
  const int up = ScaleLength(old ? kKeySetMenuUpOld : kKeySetMenuUp, dpi);
  return Point{ClampToInt(int64_t{button.x} - left), ClampToInt(int64_t{button.y} - up)};
}

std::vector<KeySetMenuItem> KeySetMenuItems(int currentSet) {
  const int current = currentSet >= 1 && currentSet <= kStandardKeySetCount ? currentSet : 1;
  std::vector<KeySetMenuItem> items;
  for (int n = 1; n <= kStandardKeySetCount; ++n) {
    items.push_back(KeySetMenuItem{kKeySetMenuBase + n, KeySetName(StandardToFullerSet(n)), n == current});
  }
  return items;
}

int KeySetFromMenuItem(int item) {
  // Range first: subtracting the base from any item number could overflow.
  if (item <= kKeySetMenuBase || item > kKeySetMenuBase + kStandardKeySetCount) return 0;
  return item - kKeySetMenuBase;
}

void NoteStartOsVersion(int value) { g_startOsVersion = value; }

Point KeySetMenuPoint() {
  const Rect client = Plat().MainClientRect();
  const int dpi = Plat().MainWindowDpi();
  const Rect button = ScaleRect(Elements().AbsoluteRect(kSettingsButton).value_or(Rect{}), dpi);
  const Point onScreen{ClampToInt(int64_t{client.x} + button.x), ClampToInt(int64_t{client.y} + button.y)};
  return KeySetMenuPosition(onScreen, g_startOsVersion, dpi);
}

void ChooseKeySetFromMenu(int n) {
  if (n < 1 || n > kStandardKeySetCount) return;
  AppState& a = App();
  ClearKeySet();
  // The check mark shown is the set the panel shows: set 1 for a number outside the menu.
  const int previous = a.KeySet >= 1 && a.KeySet <= kStandardKeySetCount ? a.KeySet : 1;
  Plat().CheckMenuItem(kKeySetMenuBase + previous, false);
  // The builder reads the current set, so it becomes current before it is built.
  a.KeySet = n;
  LoadCurrentKeySet();
  Plat().CheckMenuItem(kKeySetMenuBase + n, true);
  Plat().RedrawPanel();
}

void ToggleDarkPanel() {
  AppState& a = App();
  a.Dark = a.Dark != 0 ? 0 : 1;
  Plat().CheckMenuItem(kMenuDarkMode, a.Dark != 0);
  LoadKeyPanel();
}

}  // namespace qp
