// The help window's decisions: size, layout, topmost state and what the page view shows.
// The window itself is built by the Windows layer (src/platform/help_window_win.cpp).
#pragma once
#include <cstdint>

#include "base/edition.h"
#include "base/ids.h"
#include "base/rect.h"
#include "base/text.h"

namespace qp {

constexpr int kHelpClientHeight = 500;
constexpr int kHelpListWidth = 180;
constexpr int kHelpListItemHeight = 30;
constexpr uint32_t kHelpListTextColor = 0x444444;  // RGB 68, 68, 68 as 0xBBGGRR
constexpr const char16_t* kHelpCaption = u"Quillpad Help";

// Client width: 800 on a primary display wider than 900 pixels, else 640.
int HelpWindowWidth(int primaryDisplayWidth);

struct HelpLayout {
  Rect list;
  Rect page;
};
// Places of the topic list and the page view for a client area, at creation and after sizing:
// the list keeps its width, the page takes the rest. No size comes out negative.
HelpLayout HelpWindowLayout(int clientWidth, int clientHeight);

// The outer rectangle of a window of this size centred on a screen.
Rect CentredOnScreen(int outerWidth, int outerHeight, int screenWidth, int screenHeight);

// Whether the help window is made topmost when opened or brought forward: the panel's
// "on top" toggle decides.
bool HelpWindowTopmost();

// What the page view gets for the selected topic: the HTML document, or its plain-text
// rendering; both empty for no selection or an unknown index.
Text HelpDocument(const Edition& edition, int selectedIndex);
Text HelpPlainText(const Edition& edition, int selectedIndex);

}  // namespace qp
