// The panel's size and the places of its fixed elements, as plain arithmetic on explicit inputs.
// The window code applies the results to the real window and the element table.
#pragma once
#include <optional>
#include <vector>

#include "base/ids.h"
#include "base/rect.h"

namespace qp {

constexpr int kWidePanelWidth = 498;
constexpr int kStartPanelHeight = 139;
constexpr int kStartKeyAreaHeight = 99;
// The window's client area is the panel plus a 2-pixel frame on every side.
constexpr int kPanelFrame = 4;

// MoreButton's data value: the state of the more block.
constexpr int kMoreHidden = 1;
constexpr int kMoreShown = 2;

// Panel height without the key area: title and bottom bar, plus the more block when shown.
constexpr int kBarsHeight = 40;
constexpr int kMoreBlockExtra = 80;

// The geometry fields of the program state and the settings they depend on.
struct PanelState {
  int panelWidth = kWidePanelWidth;
  int panelHeight = kStartPanelHeight;
  int keyAreaHeight = kStartKeyAreaHeight;
  int keySize = 26;
  int keySet = 0;
  int moreButtonData = kMoreHidden;
  bool namedTarget = false;
};

// SetKeyAreaHeight(h): updates the heights when a relayout is due and says whether it is.
bool ApplyKeyAreaHeight(PanelState& panel, int h);

// Width the panel takes: narrow (ten keys) only for Esperanto with the more block hidden and
// no named target.
int ChoosePanelWidth(const PanelState& panel);

// RelayoutPanel: sets panel.panelWidth and returns the window's new client rectangle, keeping
// its bottom-right corner and pulling it back onto the screen where it strayed too far. The window
// and the screen are in physical pixels at dpi; the panel's sizes are logical.
Rect RelayoutWindow(PanelState& panel, const Rect& window, int screenWidth, int screenHeight, int dpi = 96);

// ToggleMoreBlock: flips the block's state and the panel height; true when it is now shown.
bool ToggleMoreBlockState(PanelState& panel);

// Where a fixed element sits for a panel of width w and height h, by the relayout rules.
// BackPanel is relative to the window's client area, TargetBox to TargetFrame, the rest to
// BackPanel.
struct ElementPlace {
  int element;
  int parent;
  Rect rect;
};
std::optional<ElementPlace> FixedElementPlace(int element, int w, int h, int keySize = 26);
// Every fixed element in creation order, placed as at creation (w 498, h 139), where MoreBlock
// and TypeInLabel start a little off their relayout places.
std::vector<ElementPlace> CreationPlaces(int keySize = 26);
// The elements a relayout resizes or moves, in the order it does so, with their new places.
std::vector<ElementPlace> RelayoutPlaces(int w, int h, int keySize = 26);

}  // namespace qp
