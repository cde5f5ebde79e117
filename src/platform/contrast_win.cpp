#include "platform/contrast_win.h"

#include <windows.h>

#include "access/contrast.h"

namespace qpw {

namespace {

uint32_t Sys(int index) { return static_cast<uint32_t>(GetSysColor(index)); }

bool ReadHighContrast(qp::SystemColors& out) {
  HIGHCONTRASTW hc = {};
  hc.cbSize = sizeof hc;
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) || (hc.dwFlags & HCF_HIGHCONTRASTON) == 0) {
    return false;
  }
  out = {Sys(COLOR_WINDOW),    Sys(COLOR_WINDOWTEXT),    Sys(COLOR_BTNFACE), Sys(COLOR_BTNTEXT),
         Sys(COLOR_HIGHLIGHT), Sys(COLOR_HIGHLIGHTTEXT), Sys(COLOR_GRAYTEXT)};
  return true;
}

}  // namespace

void InitSystemContrast() {
  qp::SystemColors colors;
  qp::SetHighContrast(ReadHighContrast(colors) ? &colors : nullptr);
}

void FollowSystemContrast() {
  qp::SystemColors colors;
  qp::ApplyContrast(ReadHighContrast(colors) ? &colors : nullptr);
}

}  // namespace qpw
