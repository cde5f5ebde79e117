#include "find/find_window.h"

#include <algorithm>

#include "base/edition.h"
#include "base/platform.h"
#include "output/delivery.h"
#include "output/user_window.h"
#include "output/format.h"

namespace qp {

namespace {

// Short captions for the pane: the settings window's are a line long.
constexpr const char16_t* kFormLabels[kOutputModeCount] = {
    u"Character",  u"Entity name", u"Entity, decimal", u"Entity, hex", u"Code point",  u"Escape \\u",
    u"Escape \\U", u"URI UTF-8",   u"Decimal",         u"Hex, 0x",     u"Hex, $",      u"Hex, &H",
};

// The hotkey control's own modifier bits.
constexpr uint32_t kControlShift = 0x01;
constexpr uint32_t kControlCtrl = 0x02;
constexpr uint32_t kControlAlt = 0x04;

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

void KeepSelectionInView(FindListView& view) {
  const int rows = std::max(1, view.visibleRows);
  if (view.selected >= 0) {
    if (view.selected < view.top) view.top = view.selected;
    if (view.selected >= view.top + rows) view.top = view.selected - rows + 1;
  }
  view.top = Clamp(view.top, 0, std::max(0, view.count - rows));
}

struct KeyName {
  uint32_t key;
  const char16_t* name;
};
constexpr KeyName kKeyNames[] = {
    {0x08, u"Backspace"}, {0x09, u"Tab"},      {0x0D, u"Enter"},     {0x13, u"Pause"},   {0x1B, u"Esc"},
    {0x20, u"Space"},     {0x21, u"Page Up"},  {0x22, u"Page Down"}, {0x23, u"End"},     {0x24, u"Home"},
    {0x25, u"Left"},      {0x26, u"Up"},       {0x27, u"Right"},     {0x28, u"Down"},    {0x2D, u"Insert"},
    {0x2E, u"Delete"},    {0x6A, u"Num *"},    {0x6B, u"Num +"},     {0x6D, u"Num -"},   {0x6E, u"Num ."},
    {0x6F, u"Num /"},     {0xBA, u";"},        {0xBB, u"="},         {0xBC, u","},       {0xBD, u"-"},
    {0xBE, u"."},         {0xBF, u"/"},        {0xC0, u"`"},         {0xDB, u"["},       {0xDC, u"\\"},
    {0xDD, u"]"},         {0xDE, u"'"},
};

Text KeyText(uint32_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return Text(1, static_cast<char16_t>(key));
  if (key >= 0x70 && key <= 0x87) return Latin1ToText("F" + std::to_string(key - 0x70 + 1));
  if (key >= 0x60 && key <= 0x69) return Latin1ToText("Num " + std::to_string(key - 0x60));
  for (const KeyName& k : kKeyNames) {
    if (k.key == key) return k.name;
  }
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex = "Key 0x";
  hex += kDigits[(key >> 4) & 0xF];
  hex += kDigits[key & 0xF];
  return Latin1ToText(hex);
}

void StoreFindLists(const FindLists& lists) {
  App().FindPinned = lists.pinned;
  App().FindRecent = lists.recent;
}

}  // namespace

FindAction FindKeyAction(int virtualKey, bool shift, bool ctrl, bool textSelected) {
  switch (virtualKey) {
    case kVkReturn:
      if (ctrl) return FindAction::None;
      return shift ? FindAction::TypeAndStay : FindAction::TypeAndClose;
    case kVkEscape:
      return FindAction::Close;
    case kVkUp:
      return FindAction::MoveUp;
    case kVkDown:
      return FindAction::MoveDown;
    case kVkPageUp:
      return FindAction::PageUp;
    case kVkPageDown:
      return FindAction::PageDown;
    case 'C':
      return ctrl && !shift && !textSelected ? FindAction::Copy : FindAction::None;
    case 'D':
      return ctrl && !shift ? FindAction::TogglePin : FindAction::None;
    default:
      return FindAction::None;
  }
}

void ShowNewResults(FindListView& view, int count) {
  view.count = std::max(0, count);
  view.selected = view.count > 0 ? 0 : -1;
  view.top = 0;
}

void ShowRefreshedResults(FindListView& view, const std::vector<int32_t>& results, int32_t selectedCodePoint) {
  const int before = view.selected;
  view.count = static_cast<int>(results.size());
  auto it = std::find(results.begin(), results.end(), selectedCodePoint);
  if (it != results.end()) {
    view.selected = static_cast<int>(it - results.begin());
  } else {
    view.selected = view.count > 0 ? Clamp(before, 0, view.count - 1) : -1;
  }
  KeepSelectionInView(view);
}

void SelectRow(FindListView& view, int row) {
  if (view.count <= 0) {
    view.selected = -1;
    view.top = 0;
    return;
  }
  view.selected = Clamp(row, 0, view.count - 1);
  KeepSelectionInView(view);
}

void MoveSelection(FindListView& view, int rows) {
  SelectRow(view, static_cast<int>(std::clamp<int64_t>(int64_t{view.selected} + rows, -1, view.count)));
}

void ScrollView(FindListView& view, int rows) {
  const int most = std::max(0, view.count - std::max(1, view.visibleRows));
  view.top = static_cast<int>(std::clamp<int64_t>(int64_t{view.top} + rows, 0, most));
}

void FitRows(FindListView& view, int height, int rowHeight) {
  view.visibleRows = rowHeight > 0 ? std::max(1, height / rowHeight) : 1;
  KeepSelectionInView(view);
}

int RowAtY(const FindListView& view, int y, int rowHeight) {
  if (y < 0 || rowHeight <= 0) return -1;
  const int64_t row = int64_t{view.top} + y / rowHeight;
  return row < view.count ? static_cast<int>(row) : -1;
}

int WheelRows(int wheelDelta) {
  // Fine-grained wheels send small deltas; any movement scrolls at least one row.
  const int notches = wheelDelta / 120;
  if (notches != 0) return -3 * notches;
  return wheelDelta > 0 ? -1 : (wheelDelta < 0 ? 1 : 0);
}

Point FindWindowPosition(bool panelShown, const Rect& panel, Point size, const ScreenArea& work) {
  constexpr int kGap = 8;
  int64_t x;
  int64_t y;
  if (panelShown) {
    x = panel.x;
    y = int64_t{panel.y} + panel.h + kGap;
    if (y + size.y > work.bottom && int64_t{panel.y} - kGap - size.y >= work.top) y = int64_t{panel.y} - kGap - size.y;
  } else {
    x = work.left + (int64_t{work.right} - work.left - size.x) / 2;
    y = work.top + (int64_t{work.bottom} - work.top - size.y) / 2;
  }
  // Inside the work area, its top-left corner winning when the window is larger.
  x = std::max<int64_t>(std::min<int64_t>(x, int64_t{work.right} - size.x), work.left);
  y = std::max<int64_t>(std::min<int64_t>(y, int64_t{work.bottom} - size.y), work.top);
  return Point{ClampToInt(x), ClampToInt(y)};
}

std::vector<DetailForm> DetailForms(int32_t codePoint, TextView entity, bool allForms) {
  std::vector<DetailForm> out;
  if (allForms) {
    for (int mode = 1; mode <= kOutputModeCount; ++mode) {
      out.push_back({kFormLabels[mode - 1], FormatForOutput(codePoint, mode, entity)});
    }
    return out;
  }
  out.push_back({u"Character", FormatForOutput(codePoint, static_cast<int32_t>(OutputMode::Character), entity)});
  out.push_back({u"Code point", FormatForOutput(codePoint, static_cast<int32_t>(OutputMode::CodePoint), entity)});
  out.push_back({u"HTML", FormatForOutput(codePoint, static_cast<int32_t>(OutputMode::EntityName), entity)});
  return out;
}

Text HotkeyText(uint32_t packed) {
  const uint32_t key = HotkeyKey(packed);
  if (key == 0) return Text();
  const uint32_t mods = HotkeyModifiers(packed);
  Text out;
  if (mods & kHotkeyWin) out += u"Win+";
  if (mods & kHotkeyCtrl) out += u"Ctrl+";
  if (mods & kHotkeyAlt) out += u"Alt+";
  if (mods & kHotkeyShift) out += u"Shift+";
  return out + KeyText(key);
}

Text HotkeyLabelText(uint32_t packed) {
  const Text key = HotkeyText(packed);
  return u"Find a character, hotkey: " + (key.empty() ? Text(u"none") : key);
}

Text FindMenuItemText(uint32_t packed, bool registered) {
  Text out = kFindMenuText;
  const Text key = HotkeyText(packed);
  if (registered && !key.empty()) out += u"\t" + key;
  return out;
}

bool HotkeyAllowed(uint32_t packed) {
  if (packed == 0) return true;
  const uint32_t key = HotkeyKey(packed);
  const uint32_t mods = HotkeyModifiers(packed) & ~kHotkeyNoRepeat;
  if (key == 0 || key > 0xFE || mods > 0xF) return false;
  // The modifier keys themselves are no hotkey.
  if ((key >= 0x10 && key <= 0x12) || (key >= 0x5B && key <= 0x5C) || (key >= 0xA0 && key <= 0xA5)) return false;
  if ((mods & ~kHotkeyShift) == 0) return false;
  return (mods & (kHotkeyCtrl | kHotkeyAlt)) != (kHotkeyCtrl | kHotkeyAlt);
}

uint32_t HotkeyFromControl(uint32_t controlValue) {
  const uint32_t key = controlValue & 0xFF;
  if (key == 0) return 0;
  const uint32_t flags = (controlValue >> 8) & 0xFF;
  uint32_t mods = 0;
  if (flags & kControlShift) mods |= kHotkeyShift;
  if (flags & kControlCtrl) mods |= kHotkeyCtrl;
  if (flags & kControlAlt) mods |= kHotkeyAlt;
  return PackHotkey(key, mods);
}

uint32_t HotkeyToControl(uint32_t packed) {
  const uint32_t key = HotkeyKey(packed);
  const uint32_t mods = HotkeyModifiers(packed);
  // The control cannot show the Windows key: it shows none rather than a different hotkey.
  if (key == 0 || key > 0xFF || (mods & kHotkeyWin)) return 0;
  uint32_t flags = 0;
  if (mods & kHotkeyShift) flags |= kControlShift;
  if (mods & kHotkeyCtrl) flags |= kControlCtrl;
  if (mods & kHotkeyAlt) flags |= kControlAlt;
  return (flags << 8) | key;
}

Text HotkeyTakenText(uint32_t packed) {
  return u"The hotkey " + HotkeyText(packed) +
         u" is taken by another program. Find a character from the Quillpad menu, or choose another hotkey.";
}

bool ShouldReportHotkeyFailure(std::vector<uint32_t>& reported, uint32_t packed) {
  if (packed == 0 || std::find(reported.begin(), reported.end(), packed) != reported.end()) return false;
  reported.push_back(packed);
  return true;
}

FindLists CurrentFindLists() {
  FindLists lists;
  lists.pinned = App().FindPinned;
  lists.recent = App().FindRecent;
  return lists;
}

void NoteTypedCharacter(int32_t codePoint) {
  FindLists lists = CurrentFindLists();
  NoteTyped(lists, codePoint);
  StoreFindLists(lists);
}

void TogglePinnedCharacter(int32_t codePoint) {
  FindLists lists = CurrentFindLists();
  TogglePin(lists, codePoint);
  StoreFindLists(lists);
}

Text FoundCharacterText(int32_t codePoint, TextView entity) {
  return FormatForOutput(codePoint, DeliveryOutputMode(App(), CurrentEdition()), entity);
}

void DeliverFoundCharacter(uintptr_t window, const Text& title, int32_t codePoint, TextView entity) {
  const Text text = FoundCharacterText(codePoint, entity);
  const bool onClipboard = CopyToClipboard(text);
  Platform& p = Plat();
  if (window != 0 && p.IsWindow(window)) {
    // The window Find was opened from gets the focus back, and the text arrives there or the user
    // is told, as with a click's remembered window.
    BringForwardAndType(window, title, text, onClipboard);
  } else {
    TypeIntoUserWindow(text, onClipboard);
  }
  NoteTypedCharacter(codePoint);
}

void CopyFoundText(const Text& text) { CopyToClipboard(text); }

}  // namespace qp
