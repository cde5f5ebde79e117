#include "access/contrast.h"

#include "base/app_state.h"
#include "base/platform.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace qp {

void ApplyContrast(const SystemColors* colors) {
  if (!SetHighContrast(colors)) return;
  AppState& a = App();
  const PanelScheme& scheme = SchemeFor(a.Dark != 0);
  a.PanelBackColor = static_cast<int32_t>(scheme.panelBack);
  a.PanelTextColor = static_cast<int32_t>(scheme.panelText);
  a.PanelLabelColor = static_cast<int32_t>(scheme.panelLabel);
  Plat().RepaintWithScheme();
  SetElementFace(kCloseButton, scheme.closeImage);
  Plat().RedrawPanel();
}

}  // namespace qp
