#include "shell/panel_geometry.h"

#include "base/dpi_scale.h"

#include <cstdint>

namespace qp {

namespace {

constexpr int kEsperantoSet = 7;
constexpr int kNarrowKeys = 10;

// Screen-edge rules of a relayout: a left edge further right than this from the screen's right
// side, or a top edge lower than this above its bottom, counts as having strayed off it.
constexpr int kRightStray = 30;
constexpr int kBottomStray = 60;
// A window whose right edge lies less than this onto the screen comes back to x 0.
constexpr int kLeftKeep = 100;

// Bottom bar, left to right; each x follows from the element before it.
constexpr Rect kOnTopBoxShape{5, 0, 50, 14};
constexpr int kTypeInX = kOnTopBoxShape.w + 15;
constexpr Rect kTypeInLabelShape{kTypeInX, 0, 42, 16};
constexpr int kTargetFrameX = kTypeInLabelShape.x + kTypeInLabelShape.w + 2;
constexpr Rect kTargetFrameShape{kTargetFrameX, 0, 240, 16};
// The frame cuts off the list's border and arrow, leaving a flat text field.
constexpr Rect kTargetBoxShape{-3, -3, 265, 24};
constexpr Rect kDropButtonShape{kTargetFrameShape.x + kTargetFrameShape.w, 0, 12, 16};
constexpr Rect kRefreshButtonShape{kTargetFrameShape.x + kTargetFrameShape.w + 15, 0, 20, 20};
constexpr int kSquareButton = 20;
constexpr int kMoreButtonW = 37;
constexpr int kButtonStep = 25;

// Creation happens before any key set is loaded; two elements start off their later places.
constexpr int kCreationMoreBlockY = 126;
constexpr int kCreationTypeInFromBottom = 17;

ElementPlace Place(int element, int parent, int x, int y, int w, int h) {
  return {element, parent, Rect{x, y, w, h}};
}

// A bottom-bar element: fixed x and size, y from the panel height.
ElementPlace BarPlace(int element, const Rect& shape, int y) {
  return {element, kBackPanel, Rect{shape.x, y, shape.w, shape.h}};
}

}  // namespace

bool ApplyKeyAreaHeight(PanelState& panel, int h) {
  if (h == panel.keyAreaHeight && panel.panelWidth == kWidePanelWidth &&
      panel.keySet != kEsperantoSet) {
    return false;
  }
  panel.panelHeight = ClampToInt(int64_t{panel.panelHeight} - panel.keyAreaHeight + h);
  panel.keyAreaHeight = h;
  return true;
}

int ChoosePanelWidth(const PanelState& panel) {
  if (panel.keySet == kEsperantoSet && panel.moreButtonData == kMoreHidden && !panel.namedTarget) {
    return ClampToInt(int64_t{kNarrowKeys} * panel.keySize + kPanelFrame);
  }
  return kWidePanelWidth;
}

Rect RelayoutWindow(PanelState& panel, const Rect& window, int screenWidth, int screenHeight, int dpi) {
  panel.panelWidth = ChoosePanelWidth(panel);
  const int64_t outerW = ScaleLength(ClampToInt(int64_t{panel.panelWidth} + kPanelFrame), dpi);
  const int64_t outerH = ScaleLength(ClampToInt(int64_t{panel.panelHeight} + kPanelFrame), dpi);

  // Keep the bottom-right corner where it was.
  int64_t x = int64_t{window.x} + (int64_t{window.w} - outerW);
  int64_t y = int64_t{window.y} + (int64_t{window.h} - outerH);

  if (x > int64_t{screenWidth} - ScaleLength(kRightStray, dpi)) {
    x = screenWidth - outerW;
  } else if (x < ScaleLength(kLeftKeep, dpi) - outerW) {
    x = 0;
  }
  // No clamp at the top: a window above the screen stays there.
  if (y > int64_t{screenHeight} - ScaleLength(kBottomStray, dpi)) y = screenHeight - outerH;

  return {ClampToInt(x), ClampToInt(y), ClampToInt(outerW), ClampToInt(outerH)};
}

bool ToggleMoreBlockState(PanelState& panel) {
  const bool hidden = int64_t{panel.panelHeight} - panel.keyAreaHeight == kBarsHeight;
  const int64_t change = hidden ? kMoreBlockExtra : -kMoreBlockExtra;
  panel.panelHeight = ClampToInt(panel.panelHeight + change);
  panel.moreButtonData = hidden ? kMoreShown : kMoreHidden;
  return hidden;
}

std::optional<ElementPlace> FixedElementPlace(int element, int w, int h, int keySize) {
  // Panel sizes come from the program's own arithmetic, but stay safe on any input.
  const int64_t W = w;
  const int64_t H = h;
  auto at = [](int64_t v) { return ClampToInt(v); };
  const int barY = at(H - 21);
  const int moreButtonX = at(W - 39);
  const int helpX = at(int64_t{moreButtonX} - kButtonStep);
  const int settingsX = at(int64_t{helpX} - kButtonStep);
  switch (element) {
    case kBackPanel: return Place(kBackPanel, 0, 2, 2, w, h);
    case kTitleStrip: return Place(kTitleStrip, kBackPanel, 0, 0, at(W - 16), 16);
    case kCloseButton: return Place(kCloseButton, kBackPanel, at(W - 16), 0, 16, 16);
    case kMoreBlock:
      return Place(kMoreBlock, kBackPanel, 2, at(H - 102), 494, at(int64_t{3} * keySize));
    case kOnTopBox: return BarPlace(kOnTopBox, kOnTopBoxShape, at(H - 17));
    case kTypeInLabel: return BarPlace(kTypeInLabel, kTypeInLabelShape, at(H - 16));
    case kTargetFrame: return BarPlace(kTargetFrame, kTargetFrameShape, at(H - 19));
    case kTargetBox: return ElementPlace{kTargetBox, kTargetFrame, kTargetBoxShape};
    case kDropButton: return BarPlace(kDropButton, kDropButtonShape, at(H - 19));
    case kRefreshButton: return BarPlace(kRefreshButton, kRefreshButtonShape, barY);
    case kMoreButton: return Place(kMoreButton, kBackPanel, moreButtonX, barY, kMoreButtonW, 20);
    case kHelpButton:
      return Place(kHelpButton, kBackPanel, helpX, barY, kSquareButton, kSquareButton);
    case kSettingsButton:
      return Place(kSettingsButton, kBackPanel, settingsX, barY, kSquareButton, kSquareButton);
    default: return std::nullopt;
  }
}

std::vector<ElementPlace> CreationPlaces(int keySize) {
  static constexpr int kOrder[] = {kBackPanel,  kTitleStrip,    kCloseButton, kOnTopBox,
                                   kTypeInLabel, kTargetFrame,  kTargetBox,   kDropButton,
                                   kRefreshButton, kMoreButton, kHelpButton,  kSettingsButton,
                                   kMoreBlock};
  std::vector<ElementPlace> out;
  for (int element : kOrder) {
    ElementPlace p = *FixedElementPlace(element, kWidePanelWidth, kStartPanelHeight, keySize);
    if (element == kMoreBlock) p.rect.y = kCreationMoreBlockY;
    if (element == kTypeInLabel) p.rect.y = kStartPanelHeight - kCreationTypeInFromBottom;
    out.push_back(p);
  }
  return out;
}

std::vector<ElementPlace> RelayoutPlaces(int w, int h, int keySize) {
  // MoreButton before HelpButton before SettingsButton: each is placed from the one before.
  static constexpr int kOrder[] = {kBackPanel,    kTitleStrip,  kCloseButton,  kMoreBlock,
                                   kOnTopBox,     kTypeInLabel, kTargetFrame,  kDropButton,
                                   kRefreshButton, kMoreButton, kHelpButton,   kSettingsButton};
  std::vector<ElementPlace> out;
  for (int element : kOrder) out.push_back(*FixedElementPlace(element, w, h, keySize));
  return out;
}

}  // namespace qp
