#include "shell/help_window.h"

#include <algorithm>

#include "shell/help_pages.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace qp {

int HelpWindowWidth(int primaryDisplayWidth) { return primaryDisplayWidth > 900 ? 800 : 640; }

HelpLayout HelpWindowLayout(int clientWidth, int clientHeight) {
  const int h = std::max(clientHeight, 0);
  HelpLayout layout;
  layout.list = Rect{0, 0, kHelpListWidth, h};
  // The page starts one pixel right of the list and one down, and is as wide as the client area
  // less the list, so it reaches one pixel past the right edge: no border shows there.
  layout.page = Rect{kHelpListWidth + 1, 1, std::max(clientWidth - kHelpListWidth, 0), h};
  return layout;
}

Rect CentredOnScreen(int outerWidth, int outerHeight, int screenWidth, int screenHeight) {
  return Rect{(screenWidth - outerWidth) / 2, (screenHeight - outerHeight) / 2, outerWidth, outerHeight};
}

bool HelpWindowTopmost() { return Elements().Data(kOnTopBox) == 1; }

Text HelpDocument(const Edition& edition, int selectedIndex) {
  const std::string* page = HelpPage(edition, selectedIndex);
  return page ? Utf8ToText(*page) : Text();
}

Text HelpPlainText(const Edition& edition, int selectedIndex) {
  const std::string* page = HelpPage(edition, selectedIndex);
  return page ? HelpPageAsText(*page) : Text();
}

}  // namespace qp
