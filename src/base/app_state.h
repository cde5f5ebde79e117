// The one process-wide record of settings and run-time state.
//
// There is a single instance, reached through App(). It lives for the whole process
// and is touched only on the user-interface thread. ResetApp() puts it back to its
// start values; start-up calls it first, and tests call it to begin from a clean
// record.
#pragma once
#include <cstdint>
#include <vector>

#include "base/rect.h"
#include "base/text.h"

namespace qp {

// One keyboard-input record in portable form; the Windows layer copies it into an
// INPUT record of type INPUT_KEYBOARD.
struct KeyInputRecord {
  uint16_t virtualKey = 0;
  uint16_t scanCode = 0;
  uint32_t flags = 0;
  uint32_t time = 0;
  uintptr_t extraInfo = 0;
};

struct TaskbarState {
  int32_t AutoHide = 0;
  int32_t State = 0;
  int32_t Thickness = 0;
  int32_t Edge = 0;
};

// When the user was last told that a click could not reach a window.
struct NoticeStamp {
  uintptr_t window = 0;
  uint64_t atMs = 0;
};

inline constexpr int kEntityTextSlots = 501;   // indexes 0..500, by key element number
inline constexpr int kComboItemTextUnits = 256;
inline constexpr int kRuneRowCount = 6;

// The Find window's global hotkey as RegisterHotKey takes it: bits 0-15 the virtual-key code,
// bits 16-31 the modifier flags (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8); 0 = none.
inline constexpr int32_t kFindHotkeyModifierShift = 16;
// Win+Shift+F. No Ctrl+Alt (that is AltGr on many layouts), no Ctrl+Shift+letter (the
// focused program's own shortcuts) and nothing near Space (input methods). Windows' own
// Win+Shift shortcuts are S, M, the arrows and the digits; F is free there.
inline constexpr int32_t kDefaultFindHotkey = ((0x0004 | 0x0008) << kFindHotkeyModifierShift) | 'F';

// Every field starts at zero (or empty). The settings loader gives the persisted
// fields their defaults; the command-line reader fills its three fields.
struct AppState {
  // Persisted under the same names in the configuration file.
  int32_t KeySet = 0;
  int32_t OutStyle = 0;
  int32_t ConfPanel = 0;
  int32_t Dark = 0;
  int32_t Dock = 0;
  int32_t AlwaysOnTop = 0;
  int32_t NamedTarget = 0;
  int32_t StartNoShow = 0;
  int32_t ShortcutIcon = 0;
  int32_t AllowMultiRun = 0;
  // The six rune-row filter flags, in row order (see RuneRowFlag).
  int32_t Elder = 0;
  int32_t YoungerLB = 0;
  int32_t YoungerST = 0;
  int32_t AngloSaxon = 0;
  int32_t Medieval = 0;
  int32_t Loremark = 0;
  int32_t RuneOrder = 0;
  int32_t WinPosLeft = 0;
  int32_t WinPosTop = 0;
  // The character finder's; the standard edition keeps them for the run only.
  int32_t FindHotkey = 0;
  std::vector<int32_t> FindPinned;   // in the user's order
  std::vector<int32_t> FindRecent;   // newest first

  // Command line.
  int32_t NoShowSwitch = 0;
  int32_t KeySetSwitch = 0;
  Text TargetNameArg;

  // Geometry.
  int32_t PanelWidth = 0;
  int32_t PanelHeight = 0;
  int32_t KeyAreaHeight = 0;
  int32_t KeySize = 0;
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;
  ScreenArea WorkArea;
  TaskbarState TaskbarInfo;
  // The work area of the monitor other than display 0 the panel last docked on, so that a display
  // change can keep its corner there; zeros while it docks on display 0.
  ScreenArea DockedMonitorWork;
  int32_t Dragging = 0;
  int32_t DragOffsetX = 0;
  int32_t DragOffsetY = 0;

  // Appearance, colours packed as 0xBBGGRR.
  int32_t PanelBackColor = 0;
  int32_t PanelTextColor = 0;
  int32_t PanelLabelColor = 0;

  // Other run-time state.
  int32_t OtherInstanceFound = 0;
  Text ConfigPath;
  // The file was there at start-up but could not be read: this run never writes it.
  bool ConfigUnreadable = false;
  // Receives a target-box item's text while it is drawn: 256 NUL units to begin
  // with; the drawer may grow it for a longer title.
  Text ComboItemText = Text(kComboItemTextUnits, u'\0');
  // Slot n: "&name;" for key element n, or empty.
  std::vector<Text> EntityText = std::vector<Text>(kEntityTextSlots);
  // Grown by the typing code as needed, never shrunk.
  std::vector<KeyInputRecord> InputRecords = std::vector<KeyInputRecord>(1);
  // The last window of another program that held the foreground, and its title then.
  uintptr_t UserWindow = 0;
  Text UserWindowTitle;
  std::vector<NoticeStamp> Notices;
};

// The process-wide record.
AppState& App();
// Back to the start values above.
void ResetApp();

// Rune-row flag by row index 0..5 (Elder, YoungerLB, YoungerST, AngloSaxon,
// Medieval, Loremark). An index outside 0..5 gives nullptr.
int32_t* RuneRowFlag(AppState& state, int row);

}  // namespace qp
