// How each drawn panel element looks: colours of both schemes, and what a key face shows.
// The Windows layer paints exactly what these functions describe.
#pragma once
#include <cstdint>

#include "base/text.h"

namespace qp {

// Colours are packed as the system's drawing calls take them: 0x00BBGGRR.
constexpr uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

struct PanelScheme {
  uint32_t windowBack;  // the 2-pixel frame around BackPanel
  uint32_t panelBack;   // PanelBackColor
  uint32_t panelText;   // PanelTextColor
  uint32_t panelLabel;  // PanelLabelColor
  uint32_t dropArrow[2];
  uint32_t targetItemBack;
  int closeImage;    // image of CloseButton when not hovered
  int refreshImage;  // image on RefreshButton
};
// The scheme in use: the high-contrast one while that mode is on, otherwise light or dark.
const PanelScheme& SchemeFor(bool dark);

// Windows' high-contrast mode: the system's own colours, read by the platform.
struct SystemColors {
  uint32_t window;
  uint32_t windowText;
  uint32_t buttonFace;
  uint32_t buttonText;
  uint32_t highlight;
  uint32_t highlightText;
  uint32_t grayText;
};
// Turns the high-contrast scheme on with these colours, or off with nullptr. Every colour
// function here follows it; true when anything painted changes.
bool SetHighContrast(const SystemColors* colors);
bool HighContrastOn();

struct FaceColors {
  uint32_t top;     // gradient colour at y = 15 and above
  uint32_t bottom;  // gradient colour at the bottom edge
  uint32_t text;
  uint32_t border;
};
// Key faces in states 0 normal, 1 hover, 2 pressed, 4 disabled; other states draw as 0.
FaceColors KeyFaceColors(int state, bool dark);
// MoreButton and RefreshButton in states 0 and 1.
FaceColors PanelButtonColors(int state, bool dark);

struct OnTopColors {
  uint32_t fill;
  uint32_t border;
  uint32_t tick;
};
OnTopColors OnTopBoxColors(int state, bool dark);

// Font numbers of the panel.
constexpr int kFontKeys = 0;
constexpr int kFontPhoneticLetters = 1;
constexpr int kFontPhoneticMarks = 2;
constexpr int kFontSmall = 3;
constexpr int kFontBar = 4;
constexpr int kFontHelpTopics = 5;

// The base glyph combining marks are shown on.
constexpr char16_t kMarkBase = 0xF8FF;

// What a key face shows: its text, in which font, and where.
struct KeyFaceText {
  Text text;
  int font = kFontKeys;
  int y = 4;
  bool centred = true;  // otherwise drawn at x = 4
};
// keySet is the fuller-edition number of the set on show; the phonetic rules follow it alone,
// so they also apply to the "more" block's keys while that set is shown.
KeyFaceText KeyFaceTextFor(int32_t codePoint, int keySet);

// x of text `textWidth` wide centred in `width`: integer division truncating towards zero,
// so text wider than the key starts left of it and is clipped.
int CentredTextX(int width, int textWidth);

}  // namespace qp
