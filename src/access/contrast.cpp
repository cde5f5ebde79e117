#include "access/contrast.h"

#include "base/app_state.h"
#include "base/platform.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace qp {

void ApplyContrast(const SystemColors* colors) {
  if (!SetHighContrast(colors)) return;
  ApplySchemeColors();
  Plat().RedrawPanel();
}

}  // namespace qp
