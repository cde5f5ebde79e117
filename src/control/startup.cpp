#include "control/startup.h"

#include "base/app_state.h"
#include "base/command_line.h"
#include "base/edition.h"
#include "output/target_list.h"
#include "settings/desktop_shortcut.h"
#include "settings/settings_store.h"
#include "settings/standard_edition.h"

namespace qp {

void LoadStartState(const std::vector<Text>& params, SettingsFs& fs) {
  ResetApp();
  AppState& app = App();
  ParseCommandLine(params, app);
  SetSettingsFs(&fs);
  LoadSettings(app, fs, CurrentEdition());
  ApplyEditionStartState(app, CurrentEdition());
}

void FinishStartup() {
  RefreshTargetList();
  ApplyTargetNameArg();
  if (CurrentEdition().hasShortcut && App().ShortcutIcon != 0) CreateDesktopShortcut();
}

}  // namespace qp
