// Paints the panel's drawn elements from the element table, as the faces describe them.
#include "platform/paint_win.h"

#include <usp10.h>

#include <memory>
#include <vector>

#include "base/app_state.h"
#include "keysets/key_face.h"
#include "base/dpi_scale.h"
#include "platform/dpi_win.h"
#include "platform/scoped_win.h"
#include "platform/resources_win.h"
#include "platform/text_win.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace qpw {

namespace {

using qp::Elements;
using qp::Rect;

COLORREF Color(uint32_t packed) { return static_cast<COLORREF>(packed); }
COLORREF Color(int32_t packed) { return static_cast<COLORREF>(static_cast<uint32_t>(packed)); }

bool Dark() { return qp::App().Dark != 0; }

// Offsets and sizes inside an element, from 96-DPI pixels to the panel's.
int S(int logical) { return PanelScale(logical); }

// Outlines keep their share of the key: thicker when scaled, drawn inside their rectangle.
HPEN OutlinePen(COLORREF color) {
  const int width = S(1);
  return width == 1 ? CreatePen(PS_SOLID, 1, color) : CreatePen(PS_INSIDEFRAME, width, color);
}

void Fill(HDC dc, int x, int y, int w, int h, COLORREF color) {
  RECT r = {x, y, x + w, y + h};
  Brush brush(CreateSolidBrush(color));
  FillRect(dc, &r, brush.get());
}

// Width of text in the selected font, shaped as one run so a surrogate pair is one glyph.
int TextWidth(HDC dc, const qp::Text& text) {
  if (text.empty()) return 0;
  SCRIPT_STRING_ANALYSIS ssa = nullptr;
  const auto* s = W(text);
  if (FAILED(ScriptStringAnalyse(dc, s, static_cast<int>(text.size()), 0, -1, SSA_GLYPHS, 0, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, &ssa))) {
    SIZE size = {};
    GetTextExtentPoint32W(dc, s, static_cast<int>(text.size()), &size);
    return size.cx;
  }
  const SIZE* size = ScriptString_pSize(ssa);
  int width = size ? size->cx : 0;
  ScriptStringFree(&ssa);
  return width;
}

// Draws text with Uniscribe: TextOutW would draw a surrogate pair as two boxes under Wine.
void DrawShapedText(HDC dc, int x, int y, const qp::Text& text) {
  if (text.empty()) return;
  SCRIPT_STRING_ANALYSIS ssa = nullptr;
  const auto* s = W(text);
  if (FAILED(ScriptStringAnalyse(dc, s, static_cast<int>(text.size()), 0, -1, SSA_GLYPHS, 0, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, &ssa))) {
    TextOutW(dc, x, y, s, static_cast<int>(text.size()));
    return;
  }
  ScriptStringOut(ssa, x, y, 0, nullptr, 0, 0, FALSE);
  ScriptStringFree(&ssa);
}

void DrawPlainText(HDC dc, int x, int y, const qp::Text& text) {
  TextOutW(dc, x, y, W(text), static_cast<int>(text.size()));
}

// Rounded rectangle (1, 1, w - 2, h - 2) inside the element at (x, y): a vertical gradient from
// `top` at y = 15 down to `bottom` at the element's bottom, rows above 15 in `top`, then its outline.
void GradientRoundRect(HDC dc, int x, int y, int w, int h, int radius, const qp::FaceColors& c) {
  int l = x + S(1), t = y + S(1), r = x + w - S(1), b = y + h - S(1);
  Region clip(CreateRoundRectRgn(l, t, r + 1, b + 1, S(radius * 2), S(radius * 2)));
  int saved = SaveDC(dc);
  if (clip) ExtSelectClipRgn(dc, clip.get(), RGN_AND);
  int split = y + S(15);
  Fill(dc, l, t, r - l, split - t, Color(c.top));
  if (split < y + h) {
    TRIVERTEX v[2] = {};
    v[0].x = l;
    v[0].y = split;
    v[0].Red = static_cast<COLOR16>(GetRValue(c.top) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(c.top) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(c.top) << 8);
    v[1].x = r;
    v[1].y = y + h;
    v[1].Red = static_cast<COLOR16>(GetRValue(c.bottom) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(c.bottom) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(c.bottom) << 8);
    GRADIENT_RECT gr = {0, 1};
    GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_V);
  }
  RestoreDC(dc, saved);
  Pen pen(OutlinePen(Color(c.border)));
  Selected p(dc, pen.get());
  Selected nb(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, l, t, r, b, S(radius * 2), S(radius * 2));
}

// A key's background (the panel colour under its rounded corners, then the gradient face)
// depends only on its size and colours, and a set has hundreds of keys alike: each background
// is drawn once and copied after that. A few dozen exist at most (face states, two schemes,
// four key sizes); past the limit they are drawn directly.
class KeyBackgrounds {
 public:
  void Draw(HDC dc, const Rect& a, const qp::FaceColors& c, COLORREF back) {
    for (const auto& e : entries_) {
      if (e->w == a.w && e->h == a.h && e->dpi == PanelDpi() && e->back == back && e->top == c.top && e->bottom == c.bottom &&
          e->border == c.border) {
        BitBlt(dc, a.x, a.y, a.w, a.h, e->surface.dc(), 0, 0, SRCCOPY);
        return;
      }
    }
    auto e = std::make_unique<Entry>(dc, a, c, back);
    if (entries_.size() >= kMaxEntries || !e->surface.ok()) {
      Fill(dc, a.x, a.y, a.w, a.h, back);
      GradientRoundRect(dc, a.x, a.y, a.w, a.h, 2, c);
      return;
    }
    Fill(e->surface.dc(), 0, 0, a.w, a.h, back);
    GradientRoundRect(e->surface.dc(), 0, 0, a.w, a.h, 2, c);
    BitBlt(dc, a.x, a.y, a.w, a.h, e->surface.dc(), 0, 0, SRCCOPY);
    entries_.push_back(std::move(e));
  }

 private:
  static constexpr size_t kMaxEntries = 64;
  struct Entry {
    Entry(HDC reference, const Rect& a, const qp::FaceColors& c, COLORREF b)
        : w(a.w), h(a.h), dpi(PanelDpi()), back(b), top(c.top), bottom(c.bottom), border(c.border), surface(reference, a.w, a.h) {}
    int w, h, dpi;
    COLORREF back;
    uint32_t top, bottom, border;
    MemorySurface surface;
  };
  std::vector<std::unique_ptr<Entry>> entries_;
};

KeyBackgrounds& KeyBackgroundCache() {
  static KeyBackgrounds cache;
  return cache;
}

// A key's text, centred when its face asks for it. One analysis gives both the width and the
// glyphs: analysing is most of what a key costs to paint.
void DrawKeyText(HDC dc, const Rect& a, const qp::KeyFaceText& face) {
  if (face.text.empty()) return;
  const auto* s = W(face.text);
  const int n = static_cast<int>(face.text.size());
  SCRIPT_STRING_ANALYSIS ssa = nullptr;
  if (FAILED(ScriptStringAnalyse(dc, s, n, 0, -1, SSA_GLYPHS, 0, nullptr, nullptr, nullptr, nullptr, nullptr, &ssa))) {
    SIZE size = {};
    GetTextExtentPoint32W(dc, s, n, &size);
    TextOutW(dc, a.x + (face.centred ? qp::CentredTextX(a.w, size.cx) : S(4)), a.y + S(face.y), s, n);
    return;
  }
  const SIZE* size = ScriptString_pSize(ssa);
  const int x = face.centred ? qp::CentredTextX(a.w, size ? size->cx : 0) : S(4);
  ScriptStringOut(ssa, a.x + x, a.y + S(face.y), 0, nullptr, 0, 0, FALSE);
  ScriptStringFree(&ssa);
}

void PaintKey(HDC dc, int number, const Rect& a) {
  const qp::Element* e = Elements().Find(number);
  if (!e) return;
  qp::FaceColors colors = qp::KeyFaceColors(e->face, Dark());
  KeyBackgroundCache().Draw(dc, a, colors, Color(qp::App().PanelBackColor));
  qp::KeyFaceText face = qp::KeyFaceTextFor(e->data, qp::ShownKeySet());
  Selected font(dc, PanelFont(face.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Color(colors.text));
  DrawKeyText(dc, a, face);
  // The outline goes over any text that reaches the edge.
  Pen pen(OutlinePen(Color(colors.border)));
  Selected p(dc, pen.get());
  Selected nb(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, a.x + S(1), a.y + S(1), a.x + a.w - S(1), a.y + a.h - S(1), S(4), S(4));
}

void PaintTitleStrip(HDC dc, const Rect& a) {
  const qp::AppState& app = qp::App();
  Fill(dc, a.x, a.y, S(app.PanelWidth - 16), S(16), Color(app.PanelBackColor));
  Selected font(dc, PanelFont(qp::kFontBar));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, Color(app.PanelBackColor));
  SetTextColor(dc, Color(app.PanelTextColor));
  DrawPlainText(dc, a.x + S(5), a.y + S(1), qp::TitleStripText());
}

void PaintOnTopBox(HDC dc, const Rect& a) {
  const qp::Element* e = Elements().Find(qp::kOnTopBox);
  if (!e) return;
  const qp::AppState& app = qp::App();
  qp::OnTopColors c = qp::OnTopBoxColors(e->face, Dark());
  Fill(dc, a.x, a.y, a.w, a.h, Color(app.PanelBackColor));
  Fill(dc, a.x, a.y, S(14), S(14), Color(c.fill));
  Brush border(CreateSolidBrush(Color(c.border)));
  RECT box = {a.x, a.y, a.x + S(14), a.y + S(14)};
  FrameRect(dc, &box, border.get());
  SetBkMode(dc, TRANSPARENT);
  {
    Selected font(dc, PanelFont(qp::kFontBar));
    SetTextColor(dc, Color(app.PanelTextColor));
    DrawPlainText(dc, a.x + S(18), a.y, u"on top");
  }
  if (e->data != 0) {
    Selected font(dc, PanelFont(qp::kFontPhoneticLetters));
    SetTextColor(dc, Color(c.tick));
    DrawShapedText(dc, a.x + S(1), a.y - S(2), u"\u2714");
  }
}

void PaintDropButton(HDC dc, const Rect& a) {
  const qp::Element* e = Elements().Find(qp::kDropButton);
  if (!e) return;
  Fill(dc, a.x, a.y, a.w, a.h, Color(qp::App().PanelBackColor));
  Selected font(dc, PanelFont(qp::kFontSmall));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Color(qp::SchemeFor(Dark()).dropArrow[e->face == 1 ? 1 : 0]));
  DrawShapedText(dc, a.x + S(1), a.y + S(3), u"\u25BC");
}

void PaintPanelButton(HDC dc, int number, const Rect& a) {
  const qp::Element* e = Elements().Find(number);
  if (!e) return;
  const qp::AppState& app = qp::App();
  Fill(dc, a.x, a.y, a.w, a.h, Color(app.PanelBackColor));
  qp::FaceColors c = qp::PanelButtonColors(e->face, Dark());
  GradientRoundRect(dc, a.x, a.y, a.w, a.h, 3, c);
  if (number == qp::kMoreButton) {
    qp::Text caption = e->data == qp::kMoreHidden ? u"more" : u"less";
    Selected font(dc, PanelFont(qp::kFontBar));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Color(app.PanelTextColor));
    DrawPlainText(dc, a.x + qp::CentredTextX(a.w, TextWidth(dc, caption)), a.y + S(2), caption);
  } else {
    DrawPanelImage(dc, qp::SchemeFor(Dark()).refreshImage, a.x + S(2), a.y + S(4));
  }
  Pen pen(OutlinePen(Color(c.border)));
  Selected p(dc, pen.get());
  Selected nb(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, a.x + S(1), a.y + S(1), a.x + a.w - S(1), a.y + a.h - S(1), S(6), S(6));
}

void PaintImageButton(HDC dc, int number, const Rect& a) {
  const qp::Element* e = Elements().Find(number);
  if (!e) return;
  Fill(dc, a.x, a.y, a.w, a.h, Color(qp::App().PanelBackColor));
  DrawPanelImage(dc, e->face, a.x + S(2), a.y + S(2));
}

void PaintLabel(HDC dc, int number, const Rect& a) {
  const qp::AppState& app = qp::App();
  Fill(dc, a.x, a.y, a.w, a.h, Color(app.PanelBackColor));
  bool typeIn = number == qp::kTypeInLabel;
  Selected font(dc, PanelFont(qp::IsOghamLabel(number) || typeIn ? qp::kFontSmall : qp::kFontBar));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Color(typeIn ? app.PanelTextColor : app.PanelLabelColor));
  qp::Text text = qp::LabelText(number);
  RECT r = {a.x, a.y, a.x + a.w, a.y + a.h};
  DrawTextW(dc, W(text), static_cast<int>(text.size()), &r,
            (typeIn ? DT_RIGHT : DT_LEFT) | DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
}

}  // namespace

void PaintElement(HDC dc, int number) {
  auto abs = Elements().AbsoluteRect(number);
  if (!abs) return;
  const Rect a = qp::ScaleRect(*abs, PanelDpi());
  if (qp::IsKeyElement(number)) return PaintKey(dc, number, a);
  if (qp::IsLabelElement(number) || number == qp::kTypeInLabel) return PaintLabel(dc, number, a);
  switch (number) {
    case qp::kBackPanel:
    case qp::kMoreBlock:
      return Fill(dc, a.x, a.y, a.w, a.h, Color(qp::App().PanelBackColor));
    case qp::kTitleStrip:
      return PaintTitleStrip(dc, a);
    case qp::kOnTopBox:
      return PaintOnTopBox(dc, a);
    case qp::kDropButton:
      return PaintDropButton(dc, a);
    case qp::kMoreButton:
    case qp::kRefreshButton:
      return PaintPanelButton(dc, number, a);
    case qp::kCloseButton:
    case qp::kHelpButton:
    case qp::kSettingsButton:
      return PaintImageButton(dc, number, a);
    default:
      return;
  }
}

void PaintPanel(HDC dc, const RECT& client, const RECT& dirty) {
  const qp::PanelScheme& scheme = qp::SchemeFor(Dark());
  Fill(dc, client.left, client.top, client.right - client.left, client.bottom - client.top,
       Color(scheme.windowBack));
  // One clip region, reset for each element: saving and restoring the whole DC around every
  // element cost more than painting the keys of a tall set.
  Region clip(CreateRectRgn(0, 0, 0, 0));
  for (int number : Elements().PaintOrder()) {
    const qp::Element* e = Elements().Find(number);
    if (!e || e->childWindow) continue;
    auto abs = Elements().AbsoluteRect(number);
    if (!abs) continue;
    RECT r = PanelRect(*abs);
    RECT hit;
    if (!IntersectRect(&hit, &r, &dirty)) continue;
    // Each element paints inside its own rectangle only, so long text is clipped by the key.
    // Every element sets the text colours and modes it uses, so no other state needs restoring.
    SetRectRgn(clip.get(), r.left, r.top, r.right, r.bottom);
    SelectClipRgn(dc, clip.get());
    PaintElement(dc, number);
  }
  SelectClipRgn(dc, nullptr);
}

}  // namespace qpw
