#include "shell/docking.h"

#include "base/dpi_scale.h"
#include "shell/panel_geometry.h"

namespace qp {

namespace {

constexpr uint32_t kAutoHideBit = 1;  // ABS_AUTOHIDE; ABS_ALWAYSONTOP (2) does not count
// The distances (snap distance, frame room above XP, taskbar gaps) scale with the DPI: see
// DockMarginsFor.
constexpr int kXpVersion = 60;

bool IsServer(int productType) { return productType == 2 || productType == 3; }

}  // namespace

Taskbar TaskbarFrom(uint32_t state, uint32_t shellEdge, const ScreenArea& r) {
  Taskbar t;
  t.state = static_cast<int>(state & 0x7FFFFFFFu);
  t.autoHide = (state & kAutoHideBit) != 0 ? 1 : 0;
  switch (shellEdge) {
    case kShellEdgeBottom:
      t.edge = kEdgeBottom;
      t.thickness = ClampToInt(int64_t{r.bottom} - r.top);
      break;
    case kShellEdgeTop:
      // A top taskbar's bottom coordinate is the room it takes from the top of the screen.
      t.edge = kEdgeTop;
      t.thickness = r.bottom;
      break;
    case kShellEdgeRight:
      t.edge = kEdgeRight;
      t.thickness = ClampToInt(int64_t{r.right} - r.left);
      break;
    case kShellEdgeLeft:
      t.edge = kEdgeLeft;
      t.thickness = ClampToInt(int64_t{r.right} - r.left);
      break;
    default:  // an edge we do not know: as if there were no answer
      t.edge = kEdgeLeft;
      t.thickness = 0;
      break;
  }
  return t;
}

int OsVersionValue(int major, int minor, int productType, int build) {
  const bool server = IsServer(productType);
  if (major >= 1 && major < 5) return 40;  // before Windows 2000
  if (major == 5) {
    if (minor == 0) return 50;
    if (minor == 1) return 60;
    if (minor == 2) return server ? 65 : 60;  // 5.2 workstation is XP x64
  }
  if (major == 6 && !server) {
    if (minor == 0) return 70;
    if (minor == 1) return 80;
    if (minor == 2) return 90;
    if (minor == 3) return 100;
  }
  if (major == 6 && minor == 0 && server) return 75;
  // Windows 11 still reports 10.0; its builds start at 22000.
  if (major == 10 && minor == 0 && !server && build < 22000) return 110;
  return 200;
}

Point MainWindowStartPosition(const PlacementInput& in, Taskbar& taskbar, ScreenArea& workArea) {
  if (!in.dock) return {in.winPosLeft, in.winPosTop};  // the saved place, even off screen
  const DockMargins m = DockMarginsFor(in.dpi);

  int64_t dw = in.displayWidth;
  int64_t dh = in.displayHeight;
  if (in.workAreaRead) {
    workArea = in.readWorkArea;
    if (taskbar.thickness == 0) taskbar.thickness = m.fallbackThickness;
    if (dw > workArea.right) dw = workArea.right;
    if (dh > int64_t{workArea.bottom} + taskbar.thickness) {
      dh = int64_t{workArea.bottom} + taskbar.thickness;
    }
  } else {
    workArea.right = in.displayWidth;
    workArea.bottom = ClampToInt(dh - taskbar.thickness);
  }

  const int64_t thick = taskbar.thickness;
  int64_t x = dw - in.windowWidth;
  int64_t y = dh - in.windowHeight;
  if (taskbar.edge == kEdgeBottom) {
    y = dh - thick - in.windowHeight;
  } else if (taskbar.edge == kEdgeRight) {
    x = dw - thick - in.windowWidth - m.rightTaskbarGapX;
    y = dh - in.windowHeight - m.rightTaskbarGapY;
  }
  return {ClampToInt(x), ClampToInt(y)};
}

Point ProximityDockPosition(const DockInput& in) {
  const DockMargins m = DockMarginsFor(in.dpi);
  int64_t right = in.screenWidth;
  int64_t bottom = in.screenHeight;
  int64_t left = 0;
  int64_t top = 0;
  int64_t margin = 0;
  int64_t x = in.window.x;
  int64_t y = in.window.y;
  int64_t w = in.window.w;
  int64_t h = in.window.h;
  if (in.osVersion > kXpVersion) {
    w += m.frameAllowance;
    h += m.frameAllowance;
    margin = m.frameMargin;
  }

  const int64_t thick = in.taskbar.thickness;
  if (right > in.workArea.right) right = in.workArea.right;
  if (bottom > in.workArea.bottom + thick) bottom = in.workArea.bottom + thick;
  switch (in.taskbar.edge) {
    case kEdgeBottom: bottom -= thick; break;
    case kEdgeRight: right -= thick; break;
    case kEdgeLeft: left = thick + m.sideTaskbarGap; break;
    case kEdgeTop: top = thick + m.sideTaskbarGap; break;
    default: break;
  }

  // Each test sees what the ones before it left.
  const int64_t d = m.snapDistance;
  auto nearRight = [&] { return x > right - w - d; };
  auto nearLeft = [&] { return x < left + d; };
  auto nearBottom = [&] { return y > bottom - h - d; };
  auto nearTop = [&] { return y < top + d; };
  if (nearRight() && nearBottom()) x = right - w;
  if (nearLeft() && nearBottom()) x = left + margin;
  if (nearBottom() && (nearLeft() || nearRight())) y = bottom - h;
  if (nearTop() && (nearLeft() || nearRight())) y = top + margin;
  if (nearRight() && nearTop()) x = right - w;
  if (nearLeft() && nearTop()) x = left + margin;
  return {ClampToInt(x), ClampToInt(y)};
}

Point SettingsWindowPosition(int panelX, int panelY, int panelClientHeight, int panelWidth, int dpi) {
  auto s = [dpi](int64_t v) { return int64_t{ScaleLength(ClampToInt(v), dpi)}; };
  int64_t x = int64_t{panelX} - s(325);
  if (panelWidth != kWidePanelWidth) x -= s(503 - int64_t{panelWidth});
  int64_t y = int64_t{panelY} + panelClientHeight - s(470);
  if (y < 0) y = s(5);
  if (x < 0) x = int64_t{panelX} + s(panelWidth) + s(15);  // no room on the left: open on the right
  return {ClampToInt(x), ClampToInt(y)};
}

}  // namespace qp
