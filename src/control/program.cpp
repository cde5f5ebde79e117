#include "control/program.h"

#include "base/app_state.h"
#include "base/edition.h"
#include "base/platform.h"
#include "settings/settings_store.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace qp {

void QuitProgram() {
  SaveSettingsNow();
  Plat().EndProgram();
}

void ToggleOnTop() {
  ElementTable& e = Elements();
  int32_t on = e.Data(kOnTopBox) == 0 ? 1 : 0;
  e.SetData(kOnTopBox, on);
  SetElementFace(kOnTopBox, 1);
  Plat().SetMainTopmost(on == 1);
}

void OpenProductPage() { Plat().OpenUrl(CurrentEdition().productPage); }

}  // namespace qp
