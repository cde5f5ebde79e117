#include "settings/standard_edition.h"

#include "output/format.h"

namespace qp {

void ApplyEditionStartState(AppState& state, const Edition& edition) {
  if (edition.kind != EditionKind::Standard) return;
  state.OutStyle = static_cast<int32_t>(OutputMode::Character);
  state.NamedTarget = 1;
  state.Dock = 1;
  state.AlwaysOnTop = 0;
  state.Dark = 0;
  state.AllowMultiRun = 0;
  state.StartNoShow = 0;
  state.ShortcutIcon = 0;
}

}  // namespace qp
