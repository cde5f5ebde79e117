// The Find window's decisions: what its keys do, how its virtual result list scrolls and which
// row is selected, where the window opens, what the detail pane lists, the hotkey's text and
// rules, and how a found character is typed. The Windows layer (platform/find_window_win.cpp)
// only draws and makes the system calls.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/app_state.h"
#include "base/rect.h"
#include "base/text.h"
#include "find/find.h"

namespace qp {

inline constexpr char16_t kFindTitle[] = u"Quillpad ~ Find";
inline constexpr char16_t kFindMenuText[] = u"Find a character...";
// The most results a query keeps; the list draws only the rows in view.
inline constexpr size_t kFindResultLimit = 5000;

// ---- keys of the query box -------------------------------------------------------------------

enum class FindAction {
  None,         // the query box handles the key itself
  TypeAndClose,  // Enter
  TypeAndStay,   // Shift+Enter
  Copy,          // Ctrl+C
  Close,         // Escape
  TogglePin,     // Ctrl+D
  MoveUp,
  MoveDown,
  PageUp,
  PageDown,
};

// Virtual-key codes as the platform numbers them.
inline constexpr int kVkReturn = 0x0D;
inline constexpr int kVkEscape = 0x1B;
inline constexpr int kVkPageUp = 0x21;
inline constexpr int kVkPageDown = 0x22;
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkDown = 0x28;

// What a key pressed in the query box does. Ctrl+C copies the result only while the query box
// has no selected text (`textSelected`): a selection is the user's to copy.
FindAction FindKeyAction(int virtualKey, bool shift, bool ctrl, bool textSelected);

// ---- the virtual result list -----------------------------------------------------------------

struct FindListView {
  int count = 0;        // rows in the list
  int selected = -1;    // -1 only when the list is empty
  int top = 0;          // first row in view
  int visibleRows = 1;  // rows that fit, at least 1
};

// New results for a changed query: the best one selected and in view.
void ShowNewResults(FindListView& view, int count);
// The same query's results again (after a pin or a typed character changed their order): the
// same character stays selected when it is still there, else the row at the same place.
void ShowRefreshedResults(FindListView& view, const std::vector<int32_t>& results, int32_t selectedCodePoint);
// Moves the selection by `rows` (clamped to the list) and scrolls it into view.
void MoveSelection(FindListView& view, int rows);
// Selects a row (clamped) and scrolls it into view.
void SelectRow(FindListView& view, int row);
// Scrolls the view by `rows` without moving the selection (the mouse wheel, the scroll bar).
void ScrollView(FindListView& view, int rows);
// The rows that fit a list `height` pixels high, the last one cut off counted out.
void FitRows(FindListView& view, int height, int rowHeight);
// The row under a point `y` pixels below the list's top, or -1 below the last row.
int RowAtY(const FindListView& view, int y, int rowHeight);
// What one notch-sized wheel delta scrolls: three rows per notch of 120, either way.
int WheelRows(int wheelDelta);

// ---- placing the window ------------------------------------------------------------------------

// The outer top-left corner of a `size` window. With the panel shown: just below the panel,
// or above it when there is no room below, left edges aligned; otherwise centred on `work`
// (the work area of the monitor of the window the user was in). Always kept inside `work`.
Point FindWindowPosition(bool panelShown, const Rect& panel, Point size, const ScreenArea& work);

// ---- the detail pane ---------------------------------------------------------------------------

struct DetailForm {
  Text label;  // "U+ code point"
  Text text;   // what a click copies
};

// The forms the pane lists: every output form in the fuller edition, the character, its U+
// form and its HTML form (the entity name, else the decimal reference) in the standard one.
std::vector<DetailForm> DetailForms(int32_t codePoint, TextView entity, bool allForms);

// ---- the hotkey --------------------------------------------------------------------------------

// Packed as the system's hotkey registration takes it: virtual key in bits 0..15, modifiers
// in bits 16..31.
inline constexpr uint32_t kHotkeyAlt = 1;
inline constexpr uint32_t kHotkeyCtrl = 2;
inline constexpr uint32_t kHotkeyShift = 4;
inline constexpr uint32_t kHotkeyWin = 8;
inline constexpr uint32_t kHotkeyNoRepeat = 0x4000;  // accepted, not shown
inline uint32_t HotkeyKey(uint32_t packed) { return packed & 0xFFFF; }
inline uint32_t HotkeyModifiers(uint32_t packed) { return packed >> 16; }
inline uint32_t PackHotkey(uint32_t key, uint32_t modifiers) { return (modifiers << 16) | (key & 0xFFFF); }

// "Ctrl+Shift+F12", "Win+Shift+F"; empty for no hotkey.
Text HotkeyText(uint32_t packed);
// The settings label above the hotkey control, naming the hotkey in use.
Text HotkeyLabelText(uint32_t packed);
// The pop-up menu's item: the hotkey after a tab while it is registered.
Text FindMenuItemText(uint32_t packed, bool registered);
// A hotkey the program will register: a key and a modifier besides Shift, and never Ctrl with
// Alt (that is AltGr on many layouts). 0 (none) is allowed too.
bool HotkeyAllowed(uint32_t packed);
// The hotkey control's value (key in the low byte, its own modifier bits in the high byte) and
// back; a hotkey with the Windows key, which the control cannot show, gives none.
uint32_t HotkeyFromControl(uint32_t controlValue);
uint32_t HotkeyToControl(uint32_t packed);
// The tray notification's text when the hotkey could not be registered.
Text HotkeyTakenText(uint32_t packed);
// Whether a failed registration of `packed` is reported: once for each hotkey that fails, the
// ones already reported kept in `reported`.
bool ShouldReportHotkeyFailure(std::vector<uint32_t>& reported, uint32_t packed);

// ---- typing and the lists ----------------------------------------------------------------------

// The lists kept in the program state, as the finder takes them.
FindLists CurrentFindLists();
// A character typed from Find or from a panel key goes to the front of the recent list.
void NoteTypedCharacter(int32_t codePoint);
// Pins or unpins.
void TogglePinnedCharacter(int32_t codePoint);

// The text one found character delivers: the output form in use, as a key click would.
Text FoundCharacterText(int32_t codePoint, TextView entity);
// Types a found character into `window`, titled `title` (0: the window the user works in), as a
// key click does: the clipboard first, then the window brought forward and the text typed, or
// the user told why not; then notes it.
void DeliverFoundCharacter(uintptr_t window, const Text& title, int32_t codePoint, TextView entity);
// Ctrl+C and a click on a detail form: only the clipboard.
void CopyFoundText(const Text& text);

}  // namespace qp
