#include "platform/find_list_win.h"

#include <usp10.h>

#include <algorithm>
#include <string>

#include "base/edition.h"
#include "find/find.h"
#include "output/format.h"
#include "platform/gdi_win.h"

namespace qpw {

namespace {

constexpr wchar_t kListClass[] = L"QuillpadFindList";
constexpr wchar_t kDetailClass[] = L"QuillpadFindDetail";
constexpr int kRowHeight = 34;
constexpr int kGlyphCell = 46;
constexpr int kListGlyphPx = 24;
constexpr int kDetailGlyphPx = 48;
constexpr int kFormGlyphPx = 14;
constexpr int kFormRowHeight = 18;
constexpr COLORREF kDimText = RGB(0x60, 0x60, 0x60);

// Faces tried in turn for a glyph: the program's own, then the ones Windows ships for the
// scripts and symbols its interface font lacks. A face that is not installed is skipped.
constexpr const wchar_t* kGlyphFaces[] = {
    L"Segoe UI",         L"Tarsel Sans",     L"Segoe UI Symbol", L"Segoe UI Emoji",    L"Segoe UI Historic",
    L"Nirmala UI",       L"Ebrima",          L"Gadugi",          L"Microsoft Himalaya", L"Mongolian Baiti",
    L"Microsoft Yi Baiti", L"Malgun Gothic", L"Microsoft YaHei", L"Yu Gothic",         L"SimSun-ExtB",
    L"Cambria Math",     L"Arial Unicode MS", L"Tahoma",
};
constexpr int kFaceCount = static_cast<int>(sizeof kGlyphFaces / sizeof kGlyphFaces[0]);

FindModel g_model;
Font g_listGlyphFonts[kFaceCount];
Font g_detailGlyphFonts[kFaceCount];
Font g_formGlyphFonts[kFaceCount];
Font g_textFont;
Font g_boldFont;
// The face found for recently drawn characters: a small table indexed by the code point's low
// bits, enough for the rows in view and the ones just scrolled past.
struct FaceSlot {
  int32_t codePoint = -1;
  int face = -1;
};
FaceSlot g_faceFor[256];
std::vector<RECT> g_formRects;               // the detail pane's form rows, for clicks

const wchar_t* W(const qp::Text& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }

HFONT GlyphFont(Font* fonts, int face, int px) {
  if (!fonts[face]) {
    fonts[face].Reset(CreateFontW(-px, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, kGlyphFaces[face]));
  }
  return fonts[face].get();
}

HFONT TextFont(bool bold) {
  Font& f = bold ? g_boldFont : g_textFont;
  if (!f) {
    f.Reset(CreateFontW(-13, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI"));
  }
  return f.get();
}

SCRIPT_CACHE g_scriptCaches[kFaceCount] = {};

// Whether the face selected into dc has a glyph for the character: the plain lookup for one unit,
// Uniscribe's (which reads surrogate pairs) for a pair.
bool HasGlyphs(HDC dc, int face, const qp::Text& text) {
  WORD glyphs[2] = {};
  if (text.size() == 1) {
    return GetGlyphIndicesW(dc, W(text), 1, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyphs[0] != 0xFFFF;
  }
  const HRESULT hr = ScriptGetCMap(dc, &g_scriptCaches[face], W(text), static_cast<int>(text.size()), 0, glyphs);
  return hr == S_OK && glyphs[0] != 0;
}

// The first face that draws the character, found once per character.
int FaceFor(HDC dc, int32_t cp, const qp::Text& text) {
  FaceSlot& slot = g_faceFor[static_cast<uint32_t>(cp) & 0xFF];
  if (slot.codePoint == cp) return slot.face;
  int found = -1;
  for (int face = 0; face < kFaceCount && found < 0; ++face) {
    Selected sel(dc, GlyphFont(g_listGlyphFonts, face, kListGlyphPx));
    if (HasGlyphs(dc, face, text)) found = face;
  }
  slot = FaceSlot{cp, found};
  return found;
}

// The character centred in r: in the face that has it, else through Uniscribe's own fallback,
// which reaches fonts the list above does not name.
void DrawGlyph(HDC dc, int32_t cp, const RECT& r, Font* fonts, int px) {
  const qp::Text text = qp::ToUtf16(cp);
  const int face = FaceFor(dc, cp, text);
  Selected sel(dc, GlyphFont(fonts, face >= 0 ? face : 0, px));
  if (face < 0) {
    SCRIPT_STRING_ANALYSIS ssa = nullptr;
    if (SUCCEEDED(ScriptStringAnalyse(dc, W(text), static_cast<int>(text.size()), 16, -1, SSA_GLYPHS | SSA_FALLBACK,
                                      0, nullptr, nullptr, nullptr, nullptr, nullptr, &ssa))) {
      const SIZE* size = ScriptString_pSize(ssa);
      const int w = size ? size->cx : 0;
      const int h = size ? size->cy : 0;
      ScriptStringOut(ssa, (r.left + r.right - w) / 2, (r.top + r.bottom - h) / 2, 0, nullptr, 0, 0, FALSE);
      ScriptStringFree(&ssa);
      return;
    }
  }
  RECT box = r;
  DrawTextW(dc, W(text), static_cast<int>(text.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

qp::Text CodePointText(int32_t cp) { return qp::FormatForOutput(cp, static_cast<int32_t>(qp::OutputMode::CodePoint), u""); }

void PaintRow(HDC dc, int row, const RECT& r) {
  const int32_t cp = g_model.results[static_cast<size_t>(row)];
  const bool selected = row == g_model.view.selected;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT glyph = {r.left, r.top, r.left + kGlyphCell, r.bottom};
  DrawGlyph(dc, cp, glyph, g_listGlyphFonts, kListGlyphPx);
  qp::Text name = qp::ReadableCharacterName(cp);
  if (name.empty()) name = u"(unnamed)";
  const qp::Text code = CodePointText(cp);
  Selected font(dc, TextFont(false));
  RECT codeBox = {r.right - 80, r.top, r.right - 6, r.bottom};
  RECT nameBox = {glyph.right + 4, r.top, codeBox.left - 4, r.bottom};
  DrawTextW(dc, W(name), -1, &nameBox, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (!selected) SetTextColor(dc, kDimText);
  DrawTextW(dc, W(code), -1, &codeBox, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintList(HWND hwnd, HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  const qp::FindListView& v = g_model.view;
  for (int i = 0; i <= v.visibleRows && v.top + i < v.count; ++i) {
    RECT r = {0, i * kRowHeight, client.right, (i + 1) * kRowHeight};
    PaintRow(dc, v.top + i, r);
  }
  if (v.count == 0) {
    Selected font(dc, TextFont(false));
    SetTextColor(dc, kDimText);
    RECT r = {8, 8, client.right - 8, 40};
    DrawTextW(dc, L"No characters found", -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  }
  (void)hwnd;
}

std::wstring Joined(const std::vector<qp::Text>& items) {
  std::wstring out;
  for (const qp::Text& t : items) {
    if (!out.empty()) out += L", ";
    out += W(t);
  }
  return out;
}

// A line of text at y, cut at the right edge; returns the next line's y.
int TextLine(HDC dc, const std::wstring& text, int x, int y, int right, bool wrap = false) {
  RECT r = {x, y, right, y + (wrap ? 3 : 1) * kFormRowHeight};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS | (wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE));
  RECT need = {x, y, right, y};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need,
            DT_LEFT | DT_NOPREFIX | DT_CALCRECT | (wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE));
  const int lines = wrap ? std::min(3, std::max(1, static_cast<int>((need.bottom - need.top + 1) / kFormRowHeight)))
                         : 1;
  return y + lines * kFormRowHeight;
}

void PaintDetail(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  g_formRects.clear();
  const int32_t cp = g_model.Selected();
  if (cp < 0) return;
  qp::CharDetails d;
  const bool named = qp::DescribeCharacter(cp, d);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT glyph = {client.left + 6, client.top + 6, client.left + 76, client.top + 76};
  FillRect(dc, &glyph, GetSysColorBrush(COLOR_WINDOW));
  DrawGlyph(dc, cp, glyph, g_detailGlyphFonts, kDetailGlyphPx);
  const int right = client.right - 6;
  int y = client.top + 8;
  {
    Selected bold(dc, TextFont(true));
    y = TextLine(dc, named ? std::wstring(W(d.name)) : L"(unnamed)", glyph.right + 8, y, right, true);
  }
  Selected font(dc, TextFont(false));
  y = TextLine(dc, std::wstring(W(CodePointText(cp))), glyph.right + 8, y, right);
  if (!d.block.empty()) y = TextLine(dc, W(d.block), glyph.right + 8, y, right);
  y = std::max(y, static_cast<int>(glyph.bottom)) + 6;
  const int x = client.left + 6;
  if (!d.aliases.empty()) y = TextLine(dc, L"Aliases: " + Joined(d.aliases), x, y, right, true);
  if (!d.keywords.empty()) y = TextLine(dc, L"Keywords: " + Joined(d.keywords), x, y, right, true);
  y += 6;
  const bool allForms = qp::CurrentEdition().hasOutputModes;
  for (const qp::DetailForm& form : qp::DetailForms(cp, d.entity, allForms)) {
    RECT row = {x, y, right, y + kFormRowHeight};
    SetTextColor(dc, kDimText);
    RECT label = {x, y, x + 96, y + kFormRowHeight};
    DrawTextW(dc, W(form.label), -1, &label, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT value = {x + 100, y, right, y + kFormRowHeight};
    if (form.text == qp::ToUtf16(cp)) {
      // The character itself, in a face that has it.
      RECT cell = {value.left, y, value.left + kFormRowHeight, y + kFormRowHeight};
      DrawGlyph(dc, cp, cell, g_formGlyphFonts, kFormGlyphPx);
    } else {
      DrawTextW(dc, W(form.text), -1, &value, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS);
    }
    g_formRects.push_back(row);
    y += kFormRowHeight;
  }
  SetTextColor(dc, kDimText);
  TextLine(dc, L"Click a form to copy it.", x, y + 4, right);
}

void Notify(HWND list, WORD code) {
  HWND parent = GetParent(list);
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), code), reinterpret_cast<LPARAM>(list));
}

void OnScrollBar(HWND hwnd, WORD request) {
  const qp::FindListView& v = g_model.view;
  SCROLLINFO si = {sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd, SB_VERT, &si);
  switch (request) {
    case SB_LINEUP: return ScrollFindList(hwnd, -1);
    case SB_LINEDOWN: return ScrollFindList(hwnd, 1);
    case SB_PAGEUP: return ScrollFindList(hwnd, -v.visibleRows);
    case SB_PAGEDOWN: return ScrollFindList(hwnd, v.visibleRows);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollFindList(hwnd, si.nTrackPos - v.top);
    default: return;
  }
}

LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintBuffered(hwnd, [hwnd](HDC dc, const RECT& r, const RECT&) { PaintList(hwnd, dc, r); });
      return 0;
    case WM_SIZE:
      FitFindList(hwnd);
      return 0;
    case WM_LBUTTONDOWN: {
      const int row = qp::RowAtY(g_model.view, static_cast<short>(HIWORD(lp)), kRowHeight);
      if (row >= 0) {
        qp::SelectRow(g_model.view, row);
        RefreshFindList(hwnd);
        Notify(hwnd, kListSelectionChanged);
      }
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if (qp::RowAtY(g_model.view, static_cast<short>(HIWORD(lp)), kRowHeight) >= 0) Notify(hwnd, kListActivated);
      return 0;
    case WM_MOUSEWHEEL:
      ScrollFindList(hwnd, qp::WheelRows(GET_WHEEL_DELTA_WPARAM(wp)));
      return 0;
    case WM_VSCROLL:
      OnScrollBar(hwnd, LOWORD(wp));
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_ACTIVATE;  // activates the window but leaves the focus in the query box
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK DetailProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintBuffered(hwnd, [](HDC dc, const RECT& r, const RECT&) { PaintDetail(dc, r); });
      return 0;
    case WM_LBUTTONDOWN: {
      const POINT p = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      const int32_t cp = g_model.Selected();
      for (size_t i = 0; i < g_formRects.size() && cp >= 0; ++i) {
        if (!PtInRect(&g_formRects[i], p)) continue;
        qp::CharDetails d;
        qp::DescribeCharacter(cp, d);
        const auto forms = qp::DetailForms(cp, d.entity, qp::CurrentEdition().hasOutputModes);
        if (i < forms.size()) qp::CopyFoundText(forms[i].text);
        break;
      }
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

FindModel& Model() { return g_model; }

bool RegisterFindChildClasses(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ListProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kListClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  wc.style = 0;
  wc.lpfnWndProc = DetailProc;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
  wc.lpszClassName = kDetailClass;
  return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateFindList(HWND parent, int id, const RECT& r) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, kListClass, L"0 results", WS_CHILD | WS_VISIBLE | WS_VSCROLL, r.left,
                         r.top, r.right - r.left, r.bottom - r.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

HWND CreateFindDetail(HWND parent, int id, const RECT& r) {
  return CreateWindowExW(0, kDetailClass, L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void RefreshFindList(HWND list) {
  if (!list) return;
  const qp::FindListView& v = g_model.view;
  SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, std::max(0, v.count - 1),
                   static_cast<UINT>(v.visibleRows), v.top, 0};
  SetScrollInfo(list, SB_VERT, &si, TRUE);
  // Read by screen readers and by the tests.
  const std::wstring text = std::to_wstring(v.count) + L" results";
  SetWindowTextW(list, text.c_str());
  InvalidateRect(list, nullptr, FALSE);
}

void ScrollFindList(HWND list, int rows) {
  qp::ScrollView(g_model.view, rows);
  RefreshFindList(list);
}

void FitFindList(HWND list) {
  RECT r;
  GetClientRect(list, &r);
  qp::FitRows(g_model.view, r.bottom, kRowHeight);
  RefreshFindList(list);
}

}  // namespace qpw
