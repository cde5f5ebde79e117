// Where the panel starts, how it snaps into screen corners clear of the taskbar, and where the
// settings window opens beside it: arithmetic only, the window code feeds in what the system says.
#pragma once
#include <cstdint>

#include "base/rect.h"

namespace qp {

// Taskbar edges as the program stores them.
constexpr int kEdgeBottom = 0;
constexpr int kEdgeTop = 1;
constexpr int kEdgeLeft = 2;
constexpr int kEdgeRight = 3;

// Edge codes of the shell's taskbar position answer (ABE_*).
constexpr uint32_t kShellEdgeLeft = 0;
constexpr uint32_t kShellEdgeTop = 1;
constexpr uint32_t kShellEdgeRight = 2;
constexpr uint32_t kShellEdgeBottom = 3;

struct Taskbar {
  int autoHide = 0;
  int state = 0;  // raw answer of the state query
  int thickness = 0;
  int edge = kEdgeBottom;
};

// The taskbar record from the shell's two answers. When the shell gives nothing, pass zeros:
// they read as a left taskbar of no thickness.
Taskbar TaskbarFrom(uint32_t state, uint32_t shellEdge, const ScreenArea& taskbarRect);

// The value that orders Windows releases (60 XP, 65 Server 2003, 70 Vista, 75 Server 2008,
// 80 Windows 7, 90 Windows 8, 100 Windows 8.1, 110 Windows 10, 200 newer or unknown, 50 Windows
// 2000). productType is the system's (1 workstation, 2 domain controller, 3 server).
int OsVersionValue(int major, int minor, int productType, int build = 0);

// The start position. Reads and updates the taskbar thickness and the stored work area the way
// the start-up placement does.
struct PlacementInput {
  bool dock = true;
  int winPosLeft = 0;
  int winPosTop = 0;
  int displayWidth = 0;
  int displayHeight = 0;
  int windowWidth = 0;
  int windowHeight = 0;
  bool workAreaRead = false;  // the system answered the work-area query
  ScreenArea readWorkArea;    // its answer
  int dpi = 96;               // the window's; sizes and the display are in its physical pixels
};
Point MainWindowStartPosition(const PlacementInput& in, Taskbar& taskbar, ScreenArea& workArea);

// Snaps a window at `window` (position and size) into a screen corner when within 30 pixels of it.
struct DockInput {
  Rect window;
  int screenWidth = 0;
  int screenHeight = 0;
  int osVersion = 200;
  ScreenArea workArea;
  Taskbar taskbar;
  int dpi = 96;  // the window's; every position and size is in physical pixels, margins scale
};
Point ProximityDockPosition(const DockInput& in);

// Where the settings window opens: to the left of the panel, or to its right when there is no
// room on the left. panelX/panelY are the panel window's outer left and top, panelClientHeight
// its client height (all three physical), panelWidth the BackPanel width (logical); the settings
// window's size and the gaps scale with dpi.
Point SettingsWindowPosition(int panelX, int panelY, int panelClientHeight, int panelWidth, int dpi = 96);

}  // namespace qp
