#include "platform/dpi_win.h"

#include <initializer_list>

#include "base/dpi_scale.h"

namespace qpw {

namespace {

// These entry points exist only on newer Windows: looked up, never linked.
using SetContextFn = BOOL(WINAPI*)(HANDLE);
using SetAwarenessFn = HRESULT(WINAPI*)(int);
using SetAwareFn = BOOL(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using MetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
constexpr int kProcessPerMonitorAware = 2;

int g_panelDpi = qp::kBaseDpi;

template <typename F>
F User32(const char* name) {
  HMODULE user = GetModuleHandleW(L"user32.dll");
  return user ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return qp::kBaseDpi;
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return qp::UsableDpi(dpi);
}

}  // namespace

void DeclareDpiAwareness() {
  if (auto setContext = User32<SetContextFn>("SetProcessDpiAwarenessContext")) {
    // Access denied: the awareness is set already (by the manifest), so asking further is moot.
    for (HANDLE context : {kPerMonitorV2, kPerMonitor}) {
      if (setContext(context) || GetLastError() == ERROR_ACCESS_DENIED) return;
    }
  }
  if (HMODULE shcore = LoadLibraryW(L"shcore.dll")) {
    auto setAwareness =
        reinterpret_cast<SetAwarenessFn>(reinterpret_cast<void*>(GetProcAddress(shcore, "SetProcessDpiAwareness")));
    // The library stays loaded: the process keeps using it for scaling.
    if (setAwareness && SUCCEEDED(setAwareness(kProcessPerMonitorAware))) return;
  }
  if (auto setAware = User32<SetAwareFn>("SetProcessDPIAware")) setAware();
}

int QueryWindowDpi(HWND hwnd) {
  static const auto forWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow && hwnd) {
    UINT dpi = forWindow(hwnd);
    if (dpi != 0) return qp::UsableDpi(static_cast<int>(dpi));
  }
  return ScreenDpi();
}

int SystemDpi() {
  static const auto forSystem = User32<GetDpiForSystemFn>("GetDpiForSystem");
  if (forSystem) return qp::UsableDpi(static_cast<int>(forSystem()));
  return ScreenDpi();
}

int PanelDpi() { return g_panelDpi; }
void SetPanelDpi(int dpi) { g_panelDpi = qp::UsableDpi(dpi); }
int PanelScale(int logical) { return qp::ScaleLength(logical, g_panelDpi); }
RECT PanelRect(const qp::Rect& logical) { return ToRECT(qp::ScaleRect(logical, g_panelDpi)); }

qp::Point PanelLogicalPoint(LPARAM lp) {
  const qp::Point physical{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  return qp::UnscalePoint(physical, g_panelDpi);
}

RECT ToRECT(const qp::Rect& r) { return RECT{r.x, r.y, r.x + r.w, r.y + r.h}; }

DpiChange ReadDpiChange(HWND hwnd, WPARAM wp, LPARAM lp) {
  DpiChange change;
  change.dpi = qp::UsableDpi(HIWORD(wp));
  if (lp != 0) {
    change.suggested = *reinterpret_cast<const RECT*>(lp);
    change.hasRect = true;
  } else {
    GetWindowRect(hwnd, &change.suggested);
  }
  return change;
}

RECT OuterForClient(int clientW, int clientH, DWORD style, DWORD exStyle, int dpi) {
  RECT r = {0, 0, clientW, clientH};
  static const auto adjustForDpi = User32<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
  }
  return r;
}

int SmallIconSize(int dpi) {
  static const auto metricsForDpi = User32<MetricsForDpiFn>("GetSystemMetricsForDpi");
  int size = metricsForDpi ? metricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi)) : 0;
  if (size <= 0) size = qp::ScaleLength(GetSystemMetrics(SM_CXSMICON), dpi * qp::kBaseDpi / SystemDpi());
  return size > 0 ? size : 16;
}

Font GuiFontForDpi(int dpi) {
  const int system = SystemDpi();
  if (qp::UsableDpi(dpi) == system) return Font();
  LOGFONTW lf = {};
  if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) return Font();
  lf.lfHeight = MulDiv(lf.lfHeight, dpi, system);
  lf.lfWidth = MulDiv(lf.lfWidth, dpi, system);
  return Font(CreateFontIndirectW(&lf));
}

HFONT PointFont(const wchar_t* face, int points, int weight, int dpi, DWORD quality, DWORD pitchAndFamily) {
  const int height = -MulDiv(points, dpi, 72);
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, quality, pitchAndFamily, face);
}

}  // namespace qpw
