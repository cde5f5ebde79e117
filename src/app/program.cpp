#include "app/program.h"

#include "app/app_state.h"
#include "app/edition.h"
#include "app/platform.h"
#include "settings/settings_store.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace qp {

static SettingsFs* g_fs = nullptr;

void SetSettingsFs(SettingsFs* fs) { g_fs = fs; }
SettingsFs* CurrentSettingsFs() { return g_fs; }

void SaveSettingsNow() {
  if (!g_fs) return;
  Rect outer = Plat().MainWindowRect();
  SaveSettings(App(), *g_fs, CurrentEdition(), outer.x, outer.y);
}

void QuitProgram() {
  SaveSettingsNow();
  Plat().EndProgram();
}

void ToggleOnTop() {
  ElementTable& e = Elements();
  int32_t on = e.Data(kOnTopBox) == 0 ? 1 : 0;
  e.SetData(kOnTopBox, on);
  DrawOnTopBox(1);
  Plat().SetMainTopmost(on == 1);
}

void OpenProductPage() { Plat().OpenUrl(CurrentEdition().productPage); }

}  // namespace qp
