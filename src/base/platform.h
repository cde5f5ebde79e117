// What the program's logic asks of the operating system. The Windows layer implements it
// (src/platform); unit tests install a fake. Decisions stay in the core: each operation here
// is one system call or a short fixed sequence of them.
#pragma once
#include <cstdint>
#include <vector>

#include "base/app_state.h"
#include "base/ids.h"
#include "base/rect.h"
#include "base/text.h"

namespace qp {

// A top-level window as the target list sees it; `handle` is opaque to the core.
struct TopWindowInfo {
  uintptr_t handle = 0;
  bool visible = false;
  bool enabled = false;
  bool minimized = false;  // placement's showCmd is SW_SHOWMINIMIZED
  bool hasParent = false;
  Text className;  // at most 254 units, as read into a 255-unit buffer
  Text title;      // at most 254 units
};

// The foreground window as the target preselection and delivery see it.
struct ForegroundInfo {
  bool exists = false;
  bool isDesktop = false;  // FindWindowW(no class, "Program Manager"), the desktop or shell window
  bool isTaskbar = false;  // FindWindowW("Shell_TrayWnd", no title)
  Text title;              // at most 254 units
  uintptr_t handle = 0;
  bool ownProgram = false;  // a window of this process: the panel, a settings or help window, a box
};

// Message box answers and flags, with the platform's values.
constexpr int kMbOk = 0x0;
constexpr int kMbYesNo = 0x4;
constexpr int kMbIconQuestion = 0x20;
constexpr int kMbIconInformation = 0x40;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

class Platform {
 public:
  virtual ~Platform() = default;

  // ---- the main window ----------------------------------------------------------------
  virtual bool MainWindowExists() = 0;
  virtual void ShowMainWindow(bool show) = 0;       // SW_SHOWNORMAL / SW_HIDE
  virtual Rect MainWindowRect() = 0;                // outer rectangle on the screen
  virtual Rect MainClientRect() = 0;                // client area on the screen
  virtual void PlaceMainWindow(const Rect& client) = 0;  // client position and size
  virtual void MoveMainWindow(int x, int y) = 0;    // outer position, size kept
  virtual void SetMainTopmost(bool topmost) = 0;    // without moving, sizing or activating
  virtual void SetMainTitle(const Text& title) = 0;
  virtual void SetTrayTip(const Text& tip) = 0;     // the platform cuts it to 63 units
  virtual void EnableMenuItem(int item, bool enabled) = 0;
  virtual void ShowPopupMenu() = 0;                 // at the cursor, main window brought forward
  virtual void RedrawElement(int number) = 0;       // repaint one drawn element
  virtual void RedrawPanel() = 0;                   // repaint everything and resync child windows
  virtual void RepaintWithScheme() = 0;             // repaint all, the background in AppState's scheme
  virtual void DrainPendingInput() = 0;             // drop queued input, let paint through
  virtual void SleepMs(int ms) = 0;

  // ---- pointer --------------------------------------------------------------------------
  virtual Point CursorPos() = 0;                    // screen coordinates, now
  // Where the pointer was when the event being handled happened.
  virtual Point EventCursorPos() { return CursorPos(); }
  // Where the last left press happened, in the main window's client area.
  virtual Point PressPointInClient() {
    Point c = CursorPos();
    Rect client = MainClientRect();
    return Point{c.x - client.x, c.y - client.y};
  }
  virtual void CaptureMouse(bool capture) = 0;

  // ---- screen and shell -------------------------------------------------------------------
  virtual Point DisplaySize() = 0;                  // display 0; zeros when unknown
  virtual bool ReadWorkArea(int& left, int& top, int& right, int& bottom) = 0;
  virtual int OsVersionValue() = 0;
  virtual void OpenUrl(const Text& url) = 0;
  virtual int MessageBox(const Text& text, const Text& caption, int flags) = 0;

  // ---- the target box (a real drop-down list) ------------------------------------------
  virtual void TargetBoxClear() = 0;
  virtual void TargetBoxAdd(const Text& item) = 0;
  virtual int TargetBoxCount() = 0;
  virtual Text TargetBoxItem(int index) = 0;
  virtual void TargetBoxSelect(int index) = 0;
  virtual Text TargetBoxText() = 0;                 // the selected item's text, or empty
  virtual int TargetBoxFindExact(const Text& text) = 0;  // ignoring case; -1 when none
  virtual void TargetBoxDropDown() = 0;

  // ---- windows of other programs -----------------------------------------------------------
  virtual std::vector<TopWindowInfo> EnumerateTopWindows() = 0;
  virtual ForegroundInfo Foreground() = 0;
  virtual uintptr_t FindWindowByTitle(const Text& title) = 0;
  virtual bool IsWindow(uintptr_t handle) = 0;
  // True when the system made the window the foreground window.
  virtual bool SetForegroundWindow(uintptr_t handle) = 0;

  // ---- clipboard and input ------------------------------------------------------------------
  // Opens the clipboard for the main window; false while another program holds it open.
  virtual bool OpenClipboard() = 0;
  virtual void EmptyClipboard() = 0;
  virtual void CloseClipboard() = 0;
  // Allocates a movable zero-initialised block of (length + 1) * 2 bytes; 0 on failure.
  virtual uintptr_t AllocClipboardBlock(size_t units) = 0;
  // Locks the block, copies text and its terminating zero, unlocks; false when it cannot lock.
  virtual bool FillClipboardBlock(uintptr_t block, const Text& text) = 0;
  // CF_UNICODETEXT; true when the system took the block over, which then is its own.
  virtual bool SetClipboardText(uintptr_t block) = 0;
  virtual void FreeClipboardBlock(uintptr_t block) = 0;  // a block the system did not take
  // Returns how many of the `count` records the system accepted.
  virtual size_t SendInput(const std::vector<KeyInputRecord>& records, size_t count) = 0;

  // ---- what stands between a click and its window -------------------------------------------
  virtual uint64_t NowMs() = 0;  // a steady clock in milliseconds
  // Mandatory integrity levels (0x1000 low, 0x2000 medium, 0x3000 high, 0x4000 system): of
  // this program, and of the process owning a window; 0 when it cannot be read.
  virtual uint32_t ProgramIntegrity() = 0;
  virtual uint32_t WindowIntegrity(uintptr_t window) = 0;
  // A notification balloon at the tray icon; false when the shell did not take it.
  virtual bool ShowTrayNotice(const Text& title, const Text& text) = 0;

  // ---- harmless defaults: a fake overrides these only where a test looks at them -----------
  // The taskbar's state and position (SHAppBarMessage); false when the shell answers nothing.
  virtual bool QueryTaskbar(uint32_t& state, uint32_t& edge, int& left, int& top, int& right, int& bottom) {
    state = edge = 0;
    left = top = right = bottom = 0;
    return false;
  }
  // Closes the main window, removes the tray icon, releases everything and ends the process
  // with exit code 0. Returns only in test fakes.
  virtual void EndProgram() {}
  // Sets or clears the check mark of a menu item, by its number in whichever of the program's
  // pop-up menus holds it; an item no menu has is ignored.
  virtual void CheckMenuItem(int item, bool checked) {
    (void)item;
    (void)checked;
  }
  // Adds the tray icon again, with the tip it last had (a restarted shell has lost it).
  virtual void RestoreTrayIcon() {}
  // Whether any part of the rectangle lies on one of the monitors.
  virtual bool OnAnyMonitor(const Rect& r) {
    (void)r;
    return true;
  }
  // The monitor a screen rectangle lies on, mostly, or the nearest one; false when the system
  // names none, and the panel then docks against display 0 alone.
  virtual bool MonitorNearest(const Rect& r, MonitorArea& monitor) {
    (void)r;
    (void)monitor;
    return false;
  }
  // The main window's DPI: its window rectangle, the screen and the work area are in physical
  // pixels at this DPI, the element table in 96-DPI pixels.
  virtual int MainWindowDpi() { return 96; }
};

// The platform in use; the Windows entry point or a test installs it.
Platform& Plat();
void SetPlatform(Platform* platform);

}  // namespace qp
