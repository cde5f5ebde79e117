#include "keysets/key_face.h"

#include "output/format.h"

namespace qp {

namespace {

constexpr int kPhoneticSet = 18;

const PanelScheme kLight = {Rgb(170, 170, 170), Rgb(204, 204, 204), Rgb(0, 0, 0),    Rgb(85, 85, 85),
                            {Rgb(85, 85, 85), Rgb(34, 34, 34)},    Rgb(232, 232, 232), 5, 1};
const PanelScheme kDark = {Rgb(32, 32, 32),    Rgb(0, 0, 0),       Rgb(255, 255, 255), Rgb(160, 160, 160),
                           {Rgb(204, 204, 204), Rgb(255, 255, 255)}, Rgb(51, 51, 51),    6, 2};

bool g_highContrast = false;
SystemColors g_system = {};
PanelScheme g_contrastScheme = {};

// Light pictures (dark strokes) on a light window colour, dark ones otherwise.
bool IsLight(uint32_t c) { return (c & 0xFF) * 3 + ((c >> 8) & 0xFF) * 6 + ((c >> 16) & 0xFF) > 1280; }

PanelScheme ContrastScheme(const SystemColors& s) {
  const bool light = IsLight(s.window);
  return {s.windowText, s.window, s.windowText, s.windowText, {s.windowText, s.highlight}, s.window,
          light ? kLight.closeImage : kDark.closeImage, light ? kLight.refreshImage : kDark.refreshImage};
}

FaceColors ContrastFace(int state) {
  const SystemColors& s = g_system;
  switch (state) {
    case 1:
    case 2:
      return {s.highlight, s.highlight, s.highlightText, s.windowText};
    case 4:
      return {s.buttonFace, s.buttonFace, s.grayText, s.grayText};
    default:
      return {s.buttonFace, s.buttonFace, s.buttonText, s.windowText};
  }
}

bool SameColors(const SystemColors& a, const SystemColors& b) {
  return a.window == b.window && a.windowText == b.windowText && a.buttonFace == b.buttonFace &&
         a.buttonText == b.buttonText && a.highlight == b.highlight && a.highlightText == b.highlightText &&
         a.grayText == b.grayText;
}

}  // namespace

bool SetHighContrast(const SystemColors* colors) {
  const bool changed = colors ? !g_highContrast || !SameColors(*colors, g_system) : g_highContrast;
  g_highContrast = colors != nullptr;
  if (colors) {
    g_system = *colors;
    g_contrastScheme = ContrastScheme(*colors);
  }
  return changed;
}

bool HighContrastOn() { return g_highContrast; }

const PanelScheme& SchemeFor(bool dark) {
  if (g_highContrast) return g_contrastScheme;
  return dark ? kDark : kLight;
}

FaceColors KeyFaceColors(int state, bool dark) {
  if (g_highContrast) return ContrastFace(state);
  if (state == 4) {
    return dark ? FaceColors{Rgb(16, 16, 16), Rgb(16, 16, 16), Rgb(51, 51, 51), Rgb(21, 21, 21)}
                : FaceColors{Rgb(203, 203, 203), Rgb(203, 203, 203), Rgb(175, 175, 175), Rgb(187, 187, 187)};
  }
  uint32_t text = dark ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
  uint32_t border = dark ? Rgb(69, 69, 69) : Rgb(144, 144, 144);
  switch (state) {
    case 1:
      return dark ? FaceColors{Rgb(80, 80, 80), Rgb(64, 64, 64), text, border}
                  : FaceColors{Rgb(208, 208, 216), Rgb(221, 221, 224), text, border};
    case 2:
      return dark ? FaceColors{Rgb(21, 21, 21), Rgb(5, 5, 5), text, border}
                  : FaceColors{Rgb(150, 150, 155), Rgb(177, 177, 186), text, border};
    default:
      return dark ? FaceColors{Rgb(24, 24, 24), Rgb(50, 50, 50), text, border}
                  : FaceColors{Rgb(187, 187, 192), Rgb(144, 144, 144), text, border};
  }
}

FaceColors PanelButtonColors(int state, bool dark) {
  if (g_highContrast) return ContrastFace(state == 1 ? 1 : 0);
  FaceColors c = KeyFaceColors(state == 1 ? 1 : 0, false);
  if (dark) {
    c = KeyFaceColors(1, true);
    if (state != 1) {
      c.top = Rgb(37, 37, 37);
      c.bottom = Rgb(68, 68, 68);
    }
  }
  return c;
}

OnTopColors OnTopBoxColors(int state, bool dark) {
  if (g_highContrast) return {g_system.window, state == 1 ? g_system.highlight : g_system.windowText, g_system.windowText};
  if (dark) return {state == 1 ? Rgb(102, 102, 102) : Rgb(64, 64, 64), Rgb(136, 136, 136), Rgb(68, 221, 255)};
  return {state == 1 ? Rgb(255, 255, 255) : Rgb(226, 226, 226), Rgb(51, 51, 51), Rgb(17, 17, 255)};
}

KeyFaceText KeyFaceTextFor(int32_t codePoint, int keySet) {
  KeyFaceText face;
  face.text = ToUtf16(codePoint);
  if (keySet != kPhoneticSet) return face;
  if (codePoint >= 0x300 && codePoint <= 0x35B) {
    face.text = Text(1, kMarkBase) + face.text;
    face.font = kFontPhoneticMarks;
    face.y = 2;
  } else if (codePoint == 0x35C || codePoint == 0x361) {
    face.text = Text(1, kMarkBase) + face.text + u" ";
    face.font = kFontKeys;
    face.y = 4;
  } else {
    face.font = kFontPhoneticLetters;
    face.y = 2;
  }
  face.centred = codePoint <= 0x35B;
  return face;
}

int CentredTextX(int width, int textWidth) { return (width - textWidth) / 2; }

}  // namespace qp
